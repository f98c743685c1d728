// A route begun anew in flight (an origin typed over the flown route, a
// whole new route after NEW FPL) leaves the flown plan as it is until EXEC,
// and ERASE leaves every unit showing what it showed before the first key.
#include "plan_keys_fixture.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/published_values.h"
#include "map/selected_runways.h"
#include "platform/gfx_surface.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

class EraseKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }

    // The texts a unit's last frame drew. The MCU draws a frame of its own
    // only when asked to: its frames begin with their black fill.
    std::vector<std::string> unit_texts(int unit_index) {
        host::PlacedGauge& g = *sim_.gauges[static_cast<std::size_t>(unit_index)];
        std::vector<std::string> out;
        for (const auto& element : g.drawing_elements) {
            const gfx::Recording& r = *gfx::surface_recording(element->device_context);
            std::size_t start = 0;
            for (std::size_t i = 0; i < r.ops.size(); ++i) {
                const gfx::RecordedOp& op = r.ops[i];
                const bool mcu_frame = op.kind == gfx::OpKind::Rectangle && op.fill && op.color == 0xFF000000;
                if (unit_index == 2 ? mcu_frame : op.kind == gfx::OpKind::Clear) start = i + 1;
            }
            for (std::size_t i = start; i < r.ops.size(); ++i)
                if (r.ops[i].kind == gfx::OpKind::String) out.push_back(r.ops[i].text);
        }
        return out;
    }

    // The flown plan's entries with what the profile and the maps read of
    // them, and its choices.
    static std::vector<std::string> flown_entries() {
        std::vector<std::string> out;
        char line[160];
        for (int i = 0; i <= active_plan_last; ++i) {
            const RouteWaypoint& w = active_plan[i];
            std::snprintf(line, sizeof line, "%d %s %.5f %.5f %s %.0f %.0f", w.id, w.ident.c_str(), w.lat,
                          w.lon, w.type.c_str(), w.alt_constraint, w.speed_constraint);
            out.push_back(line);
        }
        const PlanChoices& c = active_plan.choices();
        out.push_back(c.departure_runway + " " + c.sid + " " + c.sid_transition + " " + c.arrival_runway +
                      " " + c.star + " " + c.star_transition + " " + c.approach + " " +
                      c.applied_arrival_runway);
        return out;
    }

    // The unit's last frame in a line.
    std::string shown(int unit_index) {
        std::string line;
        for (const std::string& text : unit_texts(unit_index))
            line += " | " + text;
        return line;
    }

    // The pages of the three units that show the plan, each opened from
    // another.
    struct View {
        int unit;
        std::string keys;
    };
    static inline const View views[] = {
        {0, "cdu SMITHS_FMS RTE"},
        {0, "cdu SMITHS_FMS NEXT"},
        {0, "cdu SMITHS_FMS NEXT"},
        {0, "cdu SMITHS_FMS LEGS"},
        {0, "cdu SMITHS_FMS NEXT"},
        {0, "cdu SMITHS_FMS DEP_ARR"},
        {0, "cdu SMITHS_FMS L1"},
        {0, "cdu SMITHS_FMS DEP_ARR R2"},
        {0, "cdu SMITHS_FMS PROG"},
        {0, "cdu SMITHS_FMS CLB"},
        {0, "cdu SMITHS_FMS CRZ"},
        {0, "cdu SMITHS_FMS DES"},
        {0, "cdu SMITHS_FMS INIT_REF"},
        {0, "cdu SMITHS_FMS INIT_REF L6 L5"},
        {1, "gns GNSXLS PLAN"},
        {1, "gns GNSXLS FPL"},
        {1, "gns GNSXLS VNAV"},
        {1, "gns GNSXLS NAV"},
        {2, "mcu MCU LEGS"},
        {2, "mcu MCU TO"},
        {2, "mcu MCU APT"},
        {2, "mcu MCU ALT"},
    };
    // Those pages as drawn, and the values the maps and the autopilot take
    // from the plan. The test holds the aircraft still, so that only a change
    // of the plan changes them.
    std::vector<std::string> what_the_units_show() {
        std::vector<std::string> out;
        for (const auto& view : views) {
            run(view.keys + "\nframes 2");
            out.push_back(view.keys + shown(view.unit));
        }
        char values[200];
        std::snprintf(values, sizeof values,
                      "state %d TO %s LNAV %d VNAV %d cruise %d T/C %.5f %.5f T/D %.5f %.5f passed %d %d",
                      route_state,
                      to_waypoint_index == kNoToWaypoint ? "-" : active_plan[to_waypoint_index].ident.c_str(),
                      lnav_engaged, vnav_engaged, cruise_altitude, toc_lat, toc_lon, tod_lat, tod_lon,
                      vnav_phase != VnavPhase::Climb, vnav_phase == VnavPhase::Descent);
        out.push_back(values);
        std::snprintf(values, sizeof values, "published TO %d of %d, %.3f NM, LNAV %d VNAV %d; runways %d %d",
                      orvex_act_wpt_pos, orvex_fpln_wpt_cnt, orvex_act_wpt_dist, orvex_lnav_mode,
                      orvex_vnav_mode, selected_departure_runway(), selected_arrival_runway());
        out.push_back(values);
        out.push_back("flown " + plan());
        return out;
    }
};

} // namespace

// The example route executed with its SID, STAR and approach chosen, flown on
// LNAV and VNAV; then the keys, then ERASE on the page they ended on (RTE,
// DEPARTURES or ARRIVALS).
TEST_F(EraseKeys, EraseOfARouteBegunAnewInFlightBringsBackWhatEveryUnitShowed) {
    const std::string new_fpl = "cdu SMITHS_FMS INIT_REF L6 R2 L4\n";
    const std::string erase = "cdu SMITHS_FMS L6";
    // Views after ERASE: the CDU page it was pressed on, as it was before.
    const int rte = 0, rte_rows = 1, departures = 6, arrivals = 7;
    const struct {
        const char* name;
        std::string keys;
        int erased_on;
    } rows[] = {
        {"the origin typed again", "cdu SMITHS_FMS RTE \"KSEA\" L1", rte},
        {"another origin", "cdu SMITHS_FMS RTE \"KBFI\" L1", rte},
        {"another origin, ERASE on DEPARTURES", "cdu SMITHS_FMS RTE \"KBFI\" L1\ncdu SMITHS_FMS DEP_ARR L1",
         departures},
        {"the origin typed again, a runway typed", "cdu SMITHS_FMS RTE \"KSEA\" L1 \"34R\" L3", rte},
        {"another origin, its runway and SID chosen",
         "cdu SMITHS_FMS RTE \"KBFI\" L1\ncdu SMITHS_FMS DEP_ARR L1 R1 L1", departures},
        {"the origin typed again, a cruise altitude",
         "cdu SMITHS_FMS RTE \"KSEA\" L1\ncdu SMITHS_FMS INIT_REF \"FL200\" R1\ncdu SMITHS_FMS RTE", rte},
        {"a new route, its SID and runway chosen",
         "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1\ncdu SMITHS_FMS DEP_ARR L1 L2 R2",
         departures},
        {"NEW FPL", new_fpl + "cdu SMITHS_FMS RTE", rte},
        {"NEW FPL, an origin and its runway", new_fpl + "cdu SMITHS_FMS RTE \"KSEA\" L1 \"34R\" L3", rte},
        {"a new route after NEW FPL",
         new_fpl + "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 \"BTG\" R2", rte_rows},
        {"a new route from another origin after NEW FPL",
         new_fpl + "cdu SMITHS_FMS RTE \"KBFI\" L1 \"KSEA\" R1 NEXT \"SEA\" R1\ncdu SMITHS_FMS DEP_ARR L1 R1",
         departures},
        {"NEW FPL, an arrival chosen", new_fpl + "cdu SMITHS_FMS DEP_ARR R2 L2 R2", arrivals},
        {"a new route to another destination, its arrival chosen",
         "cdu SMITHS_FMS RTE \"KPDX\" L1 \"KSEA\" R1\ncdu SMITHS_FMS DEP_ARR R2 L2", arrivals},
        {"NEW FPL, a new route to another destination, its arrival chosen",
         new_fpl + "cdu SMITHS_FMS RTE \"KBFI\" L1 \"KSEA\" R1\ncdu SMITHS_FMS DEP_ARR R2 L2 R1", arrivals},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        // SUMMA2 from 16L, the LAVVA2 STAR, the I10R approach and a hold at
        // DUWAM executed.
        run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS DEP_ARR L1 L1 R1\n"
            "cdu SMITHS_FMS DEP_ARR R2 L1 R1\ncdu SMITHS_FMS EXEC\n"
            "cdu SMITHS_FMS HOLD L2 L6\ncdu SMITHS_FMS EXEC\n"
            "aircraft altitude 5000\naircraft speed 250\naircraft heading 200\n"
            "aircraft position 47.38 -122.40\nframes 18\nmcu MCU LNAV\nkey 0x10338\nframes 20");
        ASSERT_EQ(route_state, kRouteStateActive) << plan();
        ASSERT_EQ(lnav_engaged, 1);
        host::aircraft().paused = true;
        what_the_units_show(); // each unit left on the page its views end on
        const std::vector<std::string> before = what_the_units_show();
        const std::vector<std::string> flown = flown_entries();

        run(row.keys);
        ASSERT_EQ(route_state, kRouteStateActiveModified);
        EXPECT_EQ(flown_entries(), flown) << "the flown plan changed before EXEC";
        // The GNS and MCU show the flown plan until EXEC (the cruise altitude
        // of their VNAV and ALT pages is taken at once, and ERASE puts it back).
        for (std::size_t i = 0; i < std::size(views); ++i)
            if (views[i].unit != 0 && views[i].keys.find("VNAV") == std::string::npos &&
                views[i].keys.find("ALT") == std::string::npos) {
                run(views[i].keys + "\nframes 2");
                EXPECT_EQ(views[i].keys + shown(views[i].unit), before[i]);
            }
        run(erase);
        EXPECT_EQ(route_state, kRouteStateActive);
        const View& page = views[row.erased_on];
        EXPECT_EQ(page.keys + shown(0), before[static_cast<std::size_t>(row.erased_on)]);
        const std::vector<std::string> after = what_the_units_show();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(after[i], before[i]);
    }
}

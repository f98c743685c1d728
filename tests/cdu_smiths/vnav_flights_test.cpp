// Flights typed on the SMITHS_FMS and flown by the stand-in on LNAV and
// VNAV: the descent reaches the destination, starts where the path from the
// altitude flown meets the route, never climbs, climb constraints are met,
// and the cruise altitude stays within what the aircraft reaches.
#include "cdu_stand_in.h"
#include "data/module_settings.h"
#include "flight_demo.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "gauges/stand_in_hooks.h"
#include "script.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace {

struct Field {
    const char* ident;
    double lat, lon, elevation;
};
constexpr Field kKclm{"KCLM", 48.1202, -123.4997, 291.0};
constexpr Field kKeln{"KELN", 47.0330, -120.5306, 1764.0};
constexpr Field kKsea{"KSEA", 47.4490, -122.3093, 433.0};

class VnavFlights : public CduStandIn {
  protected:
    // On the ground at the origin, engines and autopilot on, the keys typed
    // (the route, its EXEC), then LNAV and VNAV engaged.
    void start(const Field& origin, double heading, const std::string& keys) {
        host::reset_flight_tracker();
        sim_.module.flight.load_route = &orvex_standin_load_route;
        sim_.module.flight.route_status = &orvex_standin_route_status;
        char text[1024];
        std::snprintf(text, sizeof text,
                      "aircraft position %.4f %.4f\naircraft heading %.0f\naircraft altitude %.0f\n"
                      "aircraft speed 0\naircraft engines 2\naircraft fuel 20000\naircraft ap on\n"
                      "aircraft ap hdg on\naircraft ap alt on\nframes 20\ncdu SMITHS_FMS %s\nframes 2\n"
                      "key 0x10337\nkey 0x10338\naircraft rate 4\naircraft speed 250\naircraft ap spd on\n",
                      origin.lat, origin.lon, heading, origin.elevation, keys.c_str());
        run(text);
    }
    // Flies until LNAV ends at the last waypoint; after every 4 simulated
    // seconds `each` sees the state.
    template <class Each> void fly_to_the_end(Each each) {
        // LNAV lets go at the last waypoint (maybe on a frame `each` ran).
        auto arrived = [] {
            return host::flight_tracker().route_flown ||
                   (lnav_engaged == 0 && to_waypoint_index == flown_last());
        };
        for (int i = 0; i < 2000 && !arrived(); ++i) {
            run("fly 18\n");
            each();
        }
        ASSERT_TRUE(arrived());
    }
    static double altitude() { return host::aircraft().altitude_ft; }
    // Flies the route; the lowest altitude 20 NM or more from the destination
    // once the aircraft climbed 2500 ft above the origin.
    double lowest_far_out(double origin_elevation) {
        const RouteWaypoint destination = active_plan[active_plan_last];
        double low = 1e9;
        bool climbed = false;
        fly_to_the_end([&] {
            climbed = climbed || altitude() > origin_elevation + 2500.0;
            if (climbed && nm_to(destination) >= 20.0) low = std::min(low, altitude());
        });
        return low;
    }
    // VNAV off at once, the pilot climbs on the MCP to `mcp` ft at 3500
    // ft/min, and engages VNAV again in the air.
    void engage_vnav_in_the_air(int mcp, int frames) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "key 0x10338\nkey 0x1024C %d\nkey 0x101F4 3500\nfly %d\nkey 0x10338\n", mcp, frames);
        run(text);
        ASSERT_EQ(vnav_engaged, 1);
    }
    // Flies the keys' route with VNAV engaged in the air at 3000 ft: never
    // more than 1000 ft above the path at 400 ft/NM down to the field, the
    // climb aimed at the profile's level, and low at the end.
    void fly_short_route(const Field& origin, double heading, double field, const char* keys) {
        start(origin, heading, keys);
        engage_vnav_in_the_air(3000, 600);
        // Where no cap is ahead, VNAV's climb target is the profile's level,
        // the one the pages show: one value, never a level of its own.
        double above_path = -1e9, target_off_level = 0.0;
        fly_to_the_end([&] {
            above_path = std::max(above_path, altitude() - (field + 400.0 * distance_to_destination));
            if (vnav_phase == VnavPhase::Climb && climb_constraint_index == 0 &&
                active_profile().level_ft > 0.0)
                target_off_level = std::max(target_off_level,
                                            std::fabs(vertical_target_altitude - active_profile().level_ft));
        });
        EXPECT_EQ(target_off_level, 0.0);
        EXPECT_LT(above_path, 1000.0);
        EXPECT_LT(altitude(), field + 3000.0);
    }
    // The altitudes VNAV sent to the autopilot (0x1024C).
    static std::vector<double> altitudes_sent() {
        std::vector<double> v;
        for (const host::KeyEvent& e : host::sim_state().key_events)
            if (e.id == 0x1024C) v.push_back(static_cast<int32_t>(e.parameter));
        return v;
    }
    // As a pilot does (examples/sim/demo.script): VNAV engaged on the
    // ground, then 3000 ft and 2000 ft/min on the MCP after take-off, held
    // until VNAV commands the climb again past the first fix. The aircraft
    // never climbs once it passed the T/D the pages showed, stays within
    // 1000 ft of the path at 400 ft/NM to the field, and arrives low.
    void fly_with_the_pilots_hold(const Field& origin, double heading, double field,
                                  const std::string& keys) {
        start(origin, heading, keys);
        run("fly 4\nkey 0x1024C 3000\nkey 0x101F4 2000\n");
        const double route = along_route(active_plan[flown_last()].lat, active_plan[flown_last()].lon);
        double above_path = -1e9, lowest_past_tod = 1e9, climb_past_tod = 0.0;
        fly_to_the_end([&] {
            above_path = std::max(above_path, altitude() - (field + 400.0 * distance_to_destination));
            // A T/D off the route lies behind the aircraft.
            const double tod = along_route(tod_lat, tod_lon);
            if (route - distance_to_destination > tod + 1.0)
                lowest_past_tod = std::min(lowest_past_tod, altitude());
            climb_past_tod = std::max(climb_past_tod, altitude() - lowest_past_tod);
        });
        EXPECT_LT(above_path, 1000.0) << origin.ident;
        EXPECT_LT(climb_past_tod, 200.0) << origin.ident;
        EXPECT_LT(altitude(), field + 3000.0) << origin.ident;
    }
    // NM along the active plan's legs from the origin to a point on one of
    // them; -1 off the route.
    static double along_route(double lat, double lon) {
        double from_origin = 0.0;
        for (int i = 1; i <= flown_last(); ++i) {
            const RouteWaypoint& a = active_plan[i - 1];
            const RouteWaypoint& b = active_plan[i];
            double leg = 0.0, to_point = 0.0, on = 0.0, course = 0.0;
            gc_dist_course(a.lat, a.lon, b.lat, b.lon, &leg, &course);
            gc_dist_course(a.lat, a.lon, lat, lon, &to_point, &course);
            gc_dist_course(lat, lon, b.lat, b.lon, &on, &course);
            if (to_point + on < leg + 0.5) return from_origin + to_point;
            from_origin += leg;
        }
        return -1.0;
    }
    // What the ECON and PROGRESS pages show of a route without destination:
    // no T/D (the route has none), the fuel at its last fix and none below 0,
    // the pause named after that fix, every ident named and no distance
    // beyond what is left of the route, nor an altitude of -999.
    void pages_show_only_the_open_route(const char* moment) {
        SCOPED_TRACE(moment);
        const double ahead = distance_to_destination + 1.0;
        const std::string last = active_plan[flown_last()].ident;
        const std::regex eta_distance("^\\d{4}\\.\\d[ZL] ?/ ?(\\d+(\\.\\d+)?)");
        const std::regex blank_ident("(A T|T O) *$|\\(\\)");
        auto shown_figures_belong = [&](const char* page) {
            for (const std::string& t : texts()) {
                std::smatch m;
                if (std::regex_search(t, m, eta_distance)) {
                    EXPECT_LE(std::stod(m[1]), ahead) << page << ": " << t;
                }
                EXPECT_FALSE(std::regex_search(t, blank_ident)) << page << ": " << t;
                EXPECT_EQ(t.find("-999"), std::string::npos) << page << ": " << t;
            }
        };
        press("CLB");
        shown_figures_belong("CLB");
        press("CRZ");
        shown_figures_belong("CRZ");
        EXPECT_FALSE(shows("T O   T / D"));
        EXPECT_EQ(text_at(12, 121), "F U E L    A T " + last);
        const double fuel = std::atof(text_at(0, 133).c_str());
        EXPECT_GT(fuel, 0.0);
        EXPECT_LE(fuel, 20.0);
        press("DES");
        shown_figures_belong("DES");
        EXPECT_FALSE(shows("T O   T / D"));
        EXPECT_TRUE(shows("PAUSE 20 NM From (" + last + ")(OFF)") ||
                    shows("PAUSE 20 NM From (" + last + ")(ON)"));
        press("PROG");
        shown_figures_belong("PROGRESS");
        // The distances end near x 122 on the TO, NEXT and destination rows;
        // the fuel predicted stands at x 227.
        for (const gfx::RecordedOp& op : last_frame()) {
            const gfx::RectF& r = op.world_rect;
            if (op.kind != gfx::OpKind::String || (r.y != 66 && r.y != 99 && r.y != 131)) continue;
            if (r.x > 0 && r.x < 122) {
                EXPECT_LE(std::atof(op.text.c_str()), ahead) << "PROGRESS: " << op.text;
            } else if (r.x == 227) {
                EXPECT_GT(std::atof(op.text.c_str()), 0.0) << "PROGRESS: " << op.text;
            }
        }
    }
    // Flies a route without destination to its last fix, the pages checked in
    // the climb, in the cruise and on the last leg; the pause 20 NM before the
    // last fix armed in the cruise. The highest altitude reached before it.
    double fly_the_open_route() {
        ArmPauseAtDistFromDest = 1;
        const double start_altitude = altitude();
        double highest = 0.0, paused_at = -1.0;
        int checked = 0;
        // The autopilot's altitude and speed commands: none repeated frame
        // after frame.
        std::size_t seen = host::sim_state().key_events.size();
        int most_commands = 0;
        fly_to_the_end([&] {
            const std::vector<host::KeyEvent>& sent = host::sim_state().key_events;
            int commands = 0;
            for (; seen < sent.size(); ++seen)
                commands += sent[seen].id == 0x1024C || sent[seen].id == 0x101F5;
            most_commands = std::max(most_commands, commands);
            if (to_waypoint_index < flown_last() || lnav_engaged == 1)
                highest = std::max(highest, altitude());
            if (host::aircraft().paused) {
                paused_at = distance_to_destination;
                run("key 0x10019\n");
            }
            const bool fast = aircraft_state.ground_speed_kt > 100.0;
            if (checked == 0 && fast && vnav_phase == VnavPhase::Climb &&
                altitude() > start_altitude + 500.0) {
                pages_show_only_the_open_route("in the climb");
                ++checked;
            } else if (checked == 1 && vnav_phase != VnavPhase::Climb &&
                       altitude() > cruise_altitude - 100.0) {
                pages_show_only_the_open_route("in the cruise");
                press("DES L5");
                ++checked;
            } else if (checked == 2 && to_waypoint_index == flown_last() && distance_to_destination > 25.0) {
                pages_show_only_the_open_route("to the last fix");
                ++checked;
            }
        });
        EXPECT_EQ(checked, 3);
        EXPECT_LE(most_commands, 4); // in any 18 frames
        EXPECT_GT(paused_at, 15.0);
        EXPECT_LT(paused_at, 20.0);
        return highest;
    }
    static double nm_to(const RouteWaypoint& w) {
        double d = 0.0, course = 0.0;
        gc_dist_course(host::aircraft().lat_deg, host::aircraft().lon_deg, w.lat, w.lon, &d, &course);
        return d;
    }
};

} // namespace

// A long last leg at FL290: VNAV stays on when the destination becomes the TO
// and flies the descent; it lets go only once it is flown, and the published
// mode follows.
TEST_F(VnavFlights, aLongLastLegStillDescends) {
    start(kKclm, 90,
          "RTE \"KCLM\" L1 \"KHQM\" R1 NEXT \"HILLS\" R1 \"WHIDB\" R2 R6 EXEC INIT_REF \"FL290\" R1 EXEC");
    ASSERT_EQ(cruise_altitude, 29000);
    double highest = 0.0;
    fly_to_the_end([&] { highest = std::max(highest, altitude()); });
    EXPECT_GT(highest, 28000.0);
    EXPECT_LT(altitude(), 18.0 + 3000.0);
    EXPECT_EQ(host::get_named_var(host::find_named_var("orvex_vnav")), vnav_engaged);
}

// The pilot holds 3000 ft on the MCP after engaging VNAV: the TOD of the
// FL210 profile passes, but the descent waits until the path from 3000 ft
// meets the route; no flight at field elevation far out.
TEST_F(VnavFlights, theDescentFromTheAltitudeFlownStartsWhereItsPathMeetsTheRoute) {
    start(kKeln, 270, "RTE \"KELN\" L1 \"KRNT\" R1 NEXT \"ZOSIM\" R1 R6 EXEC INIT_REF \"FL210\" R1 EXEC");
    run("fly 4\nkey 0x1024C 4764\nkey 0x101F4 2000\n");
    const double field = active_plan[active_plan_last].alt_constraint;
    EXPECT_GT(lowest_far_out(kKeln.elevation), field + 2500.0);
}

// From KOLM at FL140 to KPDX, the altitude 3 NM from the field once it is
// the TO.
class SharpTurnBeforeTheArrival : public VnavFlights, public ::testing::WithParamInterface<const char*> {};

// LNAV sequences the turn of about 160 degrees at WOODB 9 NM early and cuts
// the corner: the descent is placed for what the aircraft flies, so the route
// through WOODB comes down to KPDX as the straight one does (about 1 210 ft;
// with the T/D placed along the legs alone it was 1 554 ft).
TEST_P(SharpTurnBeforeTheArrival, comesDownAsAStraightRouteDoes) {
    start({"KOLM", 46.9694, -122.9025, 209.0}, 150,
          std::string("RTE \"KOLM\" L1 \"KPDX\" R1 NEXT ") + GetParam() +
              " R6 EXEC INIT_REF \"FL140\" R1 EXEC");
    const RouteWaypoint kpdx = active_plan[flown_last()];
    double at_3nm = -1.0;
    for (int i = 0; i < 6000 && at_3nm < 0.0; ++i) {
        run("fly 2\n");
        if (to_waypoint_index == flown_last() && nm_to(kpdx) < 3.0) at_3nm = altitude();
    }
    EXPECT_GT(at_3nm, 209.0);
    EXPECT_LT(at_3nm, 1300.0);
}

INSTANTIATE_TEST_SUITE_P(StraightAndThroughWoodb, SharpTurnBeforeTheArrival,
                         ::testing::Values("\"LEWIS\" R1", "\"LEWIS\" R1 \"J1\" L2 \"WOODB\" R2"));

// A route whose first leg passes near its TOD point: no early descent.
TEST_F(VnavFlights, theTopOfDescentIsPassedAlongTheRoute) {
    start(kKclm, 90, "RTE \"KCLM\" L1 \"KSLE\" R1 NEXT \"WOODB\" R1 \"VASHN\" R2 R6 EXEC");
    const double field = active_plan[active_plan_last].alt_constraint;
    EXPECT_GT(lowest_far_out(kKclm.elevation), field + 2500.0);
    EXPECT_LT(altitude(), field + 3000.0);
}

// PUYAL 250/3000 on the first leg (3000A) is met, the climb
// goes on to the cruise altitude, and once down from it the aircraft never
// climbs again.
TEST_F(VnavFlights, aClimbConstraintOnTheFirstLegIsMetAndTheDescentNeverClimbs) {
    start(kKsea, 180,
          "RTE \"KSEA\" L1 \"KHQM\" R1 NEXT \"PUYAL\" R1 \"OLM\" R2 R6 EXEC LEGS \"250/3000\" R1 EXEC");
    ASSERT_EQ(active_plan[1].ident, "PUYAL");
    ASSERT_EQ(active_plan[1].alt_constraint, 3000.0);
    double at_puyal = -1.0, lowest_since_tod = 1e9, climb_in_descent = 0.0;
    fly_to_the_end([&] {
        if (at_puyal < 0.0 && last_passed_waypoint == "PUYAL") at_puyal = last_passed_altitude_ft;
        if (vnav_phase == VnavPhase::Descent) {
            lowest_since_tod = std::min(lowest_since_tod, altitude());
            climb_in_descent = std::max(climb_in_descent, altitude() - lowest_since_tod);
        }
    });
    EXPECT_GT(at_puyal, 3000.0 - 300.0);
    EXPECT_LT(climb_in_descent, 100.0);
    EXPECT_LT(altitude(), 18.0 + 3000.0);
}

// A route activated before its destination was entered is planned to its
// last waypoint: no FL410, no E/D of -999 and no altitude target of 41 000 ft.
TEST_F(VnavFlights, aRouteWithoutItsDestinationIsPlannedToItsLastWaypoint) {
    start(kKsea, 180, "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC");
    run("fly 200\n");
    EXPECT_LT(cruise_altitude, 30000);
    EXPECT_GT(vertical_target_altitude, -999.0);
    for (uint32_t altitude_sent : [] {
             std::vector<uint32_t> v;
             for (const host::KeyEvent& e : host::sim_state().key_events)
                 if (e.id == 0x1024C) v.push_back(e.parameter);
             return v;
         }())
        EXPECT_LT(altitude_sent, 30000u);
}

// CRZ ALT refuses what the aircraft does not reach: a refused COST INDEX of
// 500 left in the scratchpad with 16000 typed after it is no cruise altitude.
TEST_F(VnavFlights, cruiseAltitudeAboveTheCeilingIsRefused) {
    press("INIT_REF L6 L3 \"FL350\" R1 \"500\" L5");
    ASSERT_TRUE(shows("INVALID ENTRY"));
    press("\"16000\"");
    ASSERT_EQ(smiths_scratchpad, "50016000");
    press("R1");
    EXPECT_TRUE(shows("INVALID ENTRY"));
    EXPECT_EQ(cruise_altitude, 35000);
}

// The arrival with its legs for the approach's runway, a discontinuity that
// carries the approach's first fix, then the approach: the descent is flown through the gap to ZOSIM's
// 4000 ft and on down to the field, whose elevation (not -999) ends it.
TEST_F(VnavFlights, theDescentFliesThroughTheGapToTheApproachsConstraints) {
    start({"KPDX", 45.5887, -122.5975, 31.0}, 0,
          "RTE \"KPDX\" L1 \"KSEA\" R1 NEXT \"TROUT\" R1 \"CARRO\" R2 R6 EXEC INIT_REF \"FL250\" R1 EXEC "
          "DEP_ARR R2 L2 R1 EXEC");
    int gap = 1;
    while (gap < active_plan_last && active_plan[gap].ident != "DISCO")
        ++gap;
    ASSERT_EQ(active_plan[gap - 1].ident, "HAROB"); // OLM5's last leg for 16L
    ASSERT_EQ(active_plan[gap + 1].ident, "ZOSIM");
    double at_zosim = -1.0, lowest_target = 1e9;
    std::string end_of_descent; // E/D ALT on ECON PATH DES once FOURT is passed
    fly_to_the_end([&] {
        if (at_zosim < 0.0 && to_waypoint_index > gap + 1) at_zosim = altitude(); // ZOSIM passed
        if (vnav_phase == VnavPhase::Descent)
            lowest_target = std::min(lowest_target, vertical_target_altitude);
        if (end_of_descent.empty() && to_waypoint_index > gap + 2) { // FOURT passed
            press("DES");
            frames(1);
            end_of_descent = text_at(0, 33);
        }
    });
    EXPECT_NEAR(at_zosim, 4000.0, 500.0);
    EXPECT_EQ(lowest_target, 433.0);
    EXPECT_EQ(end_of_descent, "  433");
    EXPECT_LT(altitude(), 433.0 + 3000.0);
}

// VNAV engaged at 10 000 ft, above NISQL's 8000 ft of the climb: NISQL is no
// end of a descent, the climb goes on to 16 000 ft with the T/D still ahead
// when NISQL is passed, and the descent ends at KELSO's 10 000 ft.
TEST_F(VnavFlights, aClimbConstraintBelowTheAircraftNeverEndsTheDescent) {
    start(kKsea, 180, "RTE \"KSEAKPDX\" L2 R6 EXEC LEGS \"250/8000\" R2 \"240/10000\" R5 EXEC");
    ASSERT_EQ(active_plan[3].ident, "NISQL");
    ASSERT_EQ(active_plan[6].ident, "KELSO");
    engage_vnav_in_the_air(10000, 750);
    ASSERT_GT(altitude(), 9000.0);
    ASSERT_EQ(to_waypoint_index, 2);
    double highest = 0.0, at_kelso = -1.0;
    int tod_at_nisql = -1;
    fly_to_the_end([&] {
        highest = std::max(highest, altitude());
        if (tod_at_nisql < 0 && last_passed_waypoint == "NISQL")
            tod_at_nisql = vnav_phase == VnavPhase::Descent;
        if (at_kelso < 0.0 && last_passed_waypoint == "KELSO") at_kelso = last_passed_altitude_ft;
    });
    EXPECT_EQ(tod_at_nisql, 0);
    EXPECT_GT(highest, 15900.0);
    EXPECT_GT(at_kelso, 10000.0 - 300.0);
}

// MCP 3000 ft, then VNAV in the air, on routes too short for their cruise
// altitude or that double back: the climb ends where the descent must begin.
TEST_F(VnavFlights, aRouteTooShortForFl410ClimbsOnlyToThePath) {
    fly_short_route({"KOLM", 46.9694, -122.9025, 209.0}, 90, 1764.0,
                    "RTE \"KOLM\" L1 \"KELN\" R1 NEXT \"ALDER\" R1 R6 EXEC INIT_REF \"FL410\" R1 EXEC");
}

TEST_F(VnavFlights, aClimbEndingPastTheTopOfDescentStopsThere) {
    fly_short_route({"CYVR", 49.1939, -123.1844, 14.0}, 135, 21.0,
                    "RTE \"CYVR\" L1 \"KBFI\" R1 NEXT \"PAE\" R1 R6 EXEC INIT_REF \"FL250\" R1 EXEC");
}

TEST_F(VnavFlights, aRouteThatDoublesBackDescendsInTime) {
    fly_short_route(kKeln, 270, 433.0,
                    "RTE \"KELN\" L1 \"KSEA\" R1 NEXT \"CHINS\" R1 \"STAMP\" R2 \"CHINS\" R3 \"MAPLV\" R4 R6 "
                    "EXEC INIT_REF \"16000\" R1 EXEC");
}

// The pilot climbs on the MCP to 35 000 ft on a route of 110 NM, far above
// the path, and engages VNAV: it descends at once, at the aircraft file's
// greatest rate (3000 ft/min) for as long as it is above the path, and never
// climbs.
TEST_F(VnavFlights, engagedFarAboveThePathDescendsAtOnceAtTheGreatestRate) {
    start({"KHQM", 46.9712, -123.9366, 18.0}, 80,
          "RTE \"KHQM\" L1 \"KBFI\" R1 NEXT \"NISQL\" R1 \"BANGR\" R2 \"VASHN\" R3 R6 EXEC "
          "INIT_REF \"FL390\" R1 EXEC");
    run("key 0x101F5 250\n"); // 250 kt on the MCP
    engage_vnav_in_the_air(35000, 2900);
    const double engaged = altitude();
    ASSERT_GT(engaged, 21.0 + 400.0 * distance_to_destination + 5000.0);
    double highest = 0.0;
    int slow_above_path = 0, steps = 0;
    fly_to_the_end([&] {
        highest = std::max(highest, altitude());
        const bool above_path = altitude() > 21.0 + 500.0 * distance_to_destination + 1000.0;
        if (++steps > 1 && above_path && host::aircraft().vertical_speed_fpm > -3000.0) ++slow_above_path;
    });
    EXPECT_LT(highest, engaged + 300.0);
    EXPECT_EQ(slow_above_path, 0);
}

// A route typed without its destination ends at OLM, a fix without an
// altitude: nothing descends to it. From 10 000 ft 25 NM north of OLM with
// CRZ ALT 12 000 the aircraft never goes below 10 000 ft to OLM; no altitude
// below the one flown is sent, no T/D is located and ECON PATH DES shows no
// E/D altitude.
TEST_F(VnavFlights, aRouteEndingAtAFixWithoutAnAltitudeHasNoEndOfDescent) {
    start({"OLM25N", 46.9717 + 25.0 / 60.0, -122.9025, 10000.0}, 180,
          "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"12000\" R1 EXEC");
    ASSERT_EQ(active_plan[flown_last()].ident, "OLM");
    EXPECT_EQ(tod_lat, 0.0);
    EXPECT_EQ(tod_lon, 0.0);
    double lowest = 1e9;
    std::string end_of_descent = "unread";
    for (int i = 0; i < 400 && lnav_engaged == 1; ++i) {
        run("fly 18\n");
        lowest = std::min(lowest, altitude());
        if (end_of_descent == "unread" && to_waypoint_index == flown_last()) {
            press("DES");
            frames(1);
            end_of_descent = text_at(0, 33);
        }
    }
    EXPECT_EQ(to_waypoint_index, flown_last());
    EXPECT_GT(lowest, 10000.0 - 300.0);
    for (double sent : altitudes_sent())
        EXPECT_GE(sent, 10000.0);
    EXPECT_EQ(end_of_descent, "");
}

// The pilot's hold to the first fix, on routes whose first fix is far: the
// climb VNAV commands after it goes only as high as the rest of the route can
// come down from. ALDER's 11000 stands past where the climb would reach the
// level the route affords: it ends the descent.
TEST_F(VnavFlights, aClimbAfterThePilotsHoldEndsWhereTheDescentMustBegin) {
    fly_with_the_pilots_hold({"KOLM", 46.9694, -122.9025, 209.0}, 90, 1764.0,
                             "RTE \"KOLM\" L1 \"KELN\" R1 NEXT \"ALDER\" R1 R6 EXEC INIT_REF \"FL410\" R1 "
                             "EXEC LEGS \"11000\" R1 EXEC");
}

// The same from a fresh module (a flight flown before leaves its T/C and
// T/D passed): PAE's 5000, past the climb's top, ends the descent, and the
// pilot's hold at 3000 ft below it is no reason to climb after it.
TEST_F(VnavFlights, aClimbAfterThePilotsHoldBelowAnEndOfDescentDoesNotStartAgain) {
    fly_with_the_pilots_hold({"CYVR", 49.1939, -123.1844, 14.0}, 135, 21.0,
                             "RTE \"CYVR\" L1 \"KBFI\" R1 NEXT \"PAE\" R1 R6 EXEC INIT_REF \"FL250\" R1 EXEC "
                             "LEGS \"5000\" R1 EXEC");
}

// 3600 typed at AST, 42 % along KSEA-KYKM at FL350, stands past the point
// where the climb would reach the level the route affords: it ends the
// descent. The climb goes only as high as it can still come down to AST from
// (the T/C and the T/D meet), LEGS shows UBG and BTG at 3600 after it, and
// the aircraft passes AST at 3600 ft and never climbs again.
TEST_F(VnavFlights, aTypedAltitudeMidRouteEndsTheDescentOnThePagesAndInFlight) {
    start(kKsea, 180,
          "RTE \"KSEA\" L1 \"KYKM\" R1 NEXT \"SEA\" R1 \"FOXXE\" R2 \"NISQL\" R3 \"OLM\" R4 \"HQM\" R5 "
          "NEXT \"AST\" R1 \"UBG\" R2 \"BTG\" R3 R6 EXEC INIT_REF \"FL350\" R1 EXEC LEGS \"3600\" R5 EXEC");
    ASSERT_EQ(active_plan[6].ident, "AST");
    ASSERT_EQ(active_plan[6].alt_constraint, 3600.0);
    EXPECT_EQ(predicted_altitude(active_plan[7]), 3600.0); // UBG
    EXPECT_EQ(predicted_altitude(active_plan[8]), 3600.0); // BTG
    EXPECT_NEAR(along_route(tod_lat, tod_lon), along_route(toc_lat, toc_lon), 2.0);
    run("fly 4\nkey 0x1024C 3000\nkey 0x101F4 2000\n");
    double at_ast = -1.0, lowest_after = 1e9, climb_after = 0.0;
    fly_to_the_end([&] {
        if (at_ast < 0.0 && last_passed_waypoint == "AST") at_ast = last_passed_altitude_ft;
        if (at_ast < 0.0) return;
        lowest_after = std::min(lowest_after, altitude());
        climb_after = std::max(climb_after, altitude() - lowest_after);
    });
    EXPECT_NEAR(at_ast, 3600.0, 500.0);
    EXPECT_LT(climb_after, 200.0);
    EXPECT_LT(altitude(), 1099.0 + 3000.0);
}

// VNAV engaged at the gate, then the take-off at 160 kt (the lowest VNAV
// speed of the example aircraft) with the pilot's 3000 ft and 2000 ft/min
// (examples/sim/demo.script): neither the taxi nor the speed read a fraction
// short of 160 kt holds the climb level after lift-off.
TEST_F(VnavFlights, engagedAtTheGateClimbsAfterTakeOffAtTheLowestVnavSpeed) {
    host::reset_flight_tracker();
    run("aircraft ground 433\naircraft position 47.4432 -122.3016\naircraft heading 270\naircraft altitude "
        "433\naircraft speed 0\n"
        "aircraft engines 2\naircraft fuel 20000\naircraft ap on\naircraft ap hdg on\naircraft ap alt on\n"
        "frames 20\ncdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF "
        "\"FL160\" R1 EXEC\nframes 2\nkey 0x10337\nkey 0x10338\n"
        "aircraft speed 15\nframes 90\naircraft speed 0\naircraft position 47.4638 -122.3079\n"
        "aircraft heading 180\nframes 2\naircraft rate 4\naircraft speed 15\nframes 20\naircraft speed 160\n"
        "key 0x1024C 3000\nkey 0x101F4 2000\nfly 700\n");
    ASSERT_EQ(vnav_engaged, 1);
    ASSERT_EQ(cruise_altitude, 16000);
    EXPECT_GT(altitude(), kKsea.elevation + 3000.0);
}

// KSEA SEA OLM HQM without destination, entered at 10 000 ft south-west of
// SEA with the route's own cruise level (the level flown), then CRZ ALT
// 12 000 executed: the aircraft climbs to it and cruises to HQM.
TEST_F(VnavFlights, aRouteWithoutDestinationEnteredInFlightClimbsToTheCruiseAltitude) {
    start({"SEA5SW", 47.40, -122.40, 10000.0}, 200,
          "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 \"HQM\" R3 R6 EXEC INIT_REF \"12000\" R1 EXEC");
    ASSERT_EQ(active_plan[flown_last()].ident, "HQM");
    ASSERT_EQ(cruise_altitude, 12000);
    const double highest = fly_the_open_route();
    EXPECT_GT(highest, 11850.0);
    EXPECT_LT(highest, 12300.0);
}

// The same route flown from the runway: the climb to 12 000 ft, the cruise to
// HQM and what the pages show on the way.
TEST_F(VnavFlights, aRouteWithoutDestinationFromTheGroundCruisesToItsLastFix) {
    start({"KSEA16", 47.4638, -122.3079, 433.0}, 180,
          "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 \"HQM\" R3 R6 EXEC INIT_REF \"12000\" R1 EXEC");
    const double highest = fly_the_open_route();
    EXPECT_GT(highest, 11850.0);
    EXPECT_LT(highest, 12300.0);
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
}

// In the cruise at 12 000 ft on KSEA SEA OLM KPDX, CRZ ALT 16 000 executed:
// the aircraft climbs to it and still comes down to KPDX.
TEST_F(VnavFlights, aHigherCruiseLevelExecutedInTheCruiseIsClimbedTo) {
    start({"SEA5SW", 47.40, -122.40, 12000.0}, 200,
          "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"12000\" R1 EXEC");
    run("key 0x101F5 280\nfly 300\n");
    ASSERT_NE(vnav_phase, VnavPhase::Climb);
    press("CRZ \"16000\" L1 EXEC");
    double highest = 0.0;
    fly_to_the_end([&] { highest = std::max(highest, altitude()); });
    EXPECT_GT(highest, 15850.0);
    EXPECT_LT(highest, 16300.0);
    EXPECT_LT(altitude(), 31.0 + 3000.0);
}

// KSEA SEA OLM without destination at FL350: the climb goes on past OLM, so
// ECON CLB shows OLM all the way up, not the T/C of the level the route was
// first entered with, nor an altitude OLM has none of.
TEST_F(VnavFlights, aClimbLongerThanARouteWithoutDestinationShowsItsLastFix) {
    start({"KSEA16", 47.4638, -122.3079, 433.0}, 180,
          "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL350\" R1 EXEC");
    ArmPauseAtDistFromDest = 1;
    run("key 0x101F5 250\n");
    for (int i = 0; i < 5; ++i) {
        run("fly 150\n");
        pages_show_only_the_open_route("in the climb");
        press("CLB");
        EXPECT_TRUE(shows("T O      OLM")) << altitude();
    }
}

namespace {

// The SMITHS_FMS with an MCU beside it, whose keys come from the keyboard.
class VnavFlightsWithMcu : public VnavFlights {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
               "gauge01=orvex1!MCU, 420, 0, 501, 386, B738\n"
               "gauge02=orvex1!SERVER, 0, 0, 10, 10\n";
    }
    void attach() override { attach_with_keyboard(); }
};

} // namespace

// KYKM-YKM V4 NACHS-CHINS4-KSEA at FL200, a direct-to CARRO (the approach's
// FAF, 2400 ft) typed on the MCU in the cruise: the T/D lies on the route now
// flown, and the descent meets CARRO's altitude, so the aircraft is low 4 NM
// from KSEA, not 3000 ft up.
TEST_F(VnavFlightsWithMcu, aDirectToTheFafOnTheMcuStillDescendsInTime) {
    start({"KYKM27", 46.564976, -120.529574, 1099.0}, 288,
          "RTE \"KYKM\" L1 \"KSEA\" R1 \"27\" L3 NEXT \"YKM\" R1 \"V4\" L2 \"NACHS\" R2 DEP_ARR R2 L1 R2 R2 "
          "RTE NEXT R6 EXEC CLB \"FL200\" L1 EXEC");
    ASSERT_EQ(cruise_altitude, 20000);
    for (int i = 0;
         i < 400 && !(vnav_phase != VnavPhase::Climb && active_plan[to_waypoint_index].ident == "CHINS"); ++i)
        run("fly 18\n");
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "CHINS");
    ASSERT_NE(vnav_phase, VnavPhase::Descent);
    run("mcu MCU DIRTO ENTRY\nkeyboard type \"CARRO\"\nframes 1\nkeyboard press RETURN\nframes 2\n");
    ASSERT_EQ(flown_last(), 2);
    ASSERT_EQ(active_plan[1].ident, "CARRO");
    EXPECT_GE(along_route(tod_lat, tod_lon), 0.0);
    const RouteWaypoint ksea = active_plan[2];
    double at_4nm = -1.0;
    fly_to_the_end([&] {
        if (at_4nm < 0.0 && nm_to(ksea) < 4.0) at_4nm = altitude();
    });
    EXPECT_GT(at_4nm, 0.0);
    EXPECT_LT(at_4nm, 2400.0);
}

// KSEA-KPDX at 16 000 ft (KSEAKPDX.RTE with its approach), flown from the runway on VNAV, with
// altitudes typed on LEGS. The T/D the pages show stands the descent's
// distance back from the end of the descent along the legs (a turn past a
// right angle adds what LNAV cuts off it), and VNAV begins the descent there. A typed altitude in the
// climb levels it until its fix is passed; one past the climb's top ends the
// descent.
struct KseaKpdxCase {
    const char* legs;    // typed on LEGS after the route's EXEC
    const char* held_at; // a climb cap: passed at its altitude
    double held_altitude;
    const char* end; // the end of the first descent
};

class KseaKpdxTypedAltitudes : public VnavFlights {
  protected:
    // The route's legs also without the file's approach (NOAPP), where the
    // typed altitudes alone shape the profile.
    void prepare_sim_folder(const std::string& root) override { write_route_without_approach(root); }
    void fly(const KseaKpdxCase& c) {
        start(kKsea, 180, std::string("RTE \"KSEAKPDX\" L2 R6 EXEC LEGS ") + c.legs);
        const double route = along_route(active_plan[flown_last()].lat, active_plan[flown_last()].lon);
        const double tod = along_route(tod_lat, tod_lon);
        int end = flown_last();
        while (end > 0 && active_plan[end].ident != c.end)
            --end;
        const double end_altitude = end == flown_last() ? 30.0 : active_plan[end].alt_constraint;
        const double descent = (16000.0 - end_altitude) / descent_rate_used_fpm * descent_tas_target / 60.0;
        // Back by the descent's distance, and by what LNAV cuts off the
        // arrival's turn past a right angle (about 7 NM).
        const double back = along_route(active_plan[end].lat, active_plan[end].lon) - tod;
        EXPECT_GT(back, descent - 0.5);
        EXPECT_LT(back, descent + 10.0);
        double held = -1.0, began = -1.0;
        fly_to_the_end([&] {
            if (held < 0.0 && *c.held_at != '\0' && last_passed_waypoint == c.held_at)
                held = last_passed_altitude_ft;
            if (began < 0.0 && vnav_phase == VnavPhase::Descent) began = route - distance_to_destination;
        });
        if (*c.held_at != '\0') {
            EXPECT_NEAR(held, c.held_altitude, 300.0);
        }
        EXPECT_NEAR(began, tod, 2.0);
    }
};

TEST_F(KseaKpdxTypedAltitudes, noneTypedTheDescentBeginsAtTheTodOfTheLegs) {
    fly({"", "", 0.0, "KPDX"});
}

// Not passed at 13 900 ft: the climb levels at 8000 until OLM.
TEST_F(KseaKpdxTypedAltitudes, eightThousandAtOlmHoldsTheClimbUntilOlm) {
    fly({"\"8000\" R3 EXEC", "OLM", 8000.0, "KPDX"});
}

// KELSO's 10 000, far past the climb's top, ends the first descent.
TEST_F(KseaKpdxTypedAltitudes, eightThousandAtNisqlCapsTheClimbAndTenThousandAtKelsoEndsTheDescent) {
    fly({"\"8000\" R2 \"10000\" R5 EXEC", "NISQL", 8000.0, "KELSO"});
}

// 13 100 at NISQL, 10 000 at OLM and 16 000 (the cruise altitude) at KELSO:
// OLM, below NISQL's cap and before a constraint flown at the level, is
// passed over. The aircraft climbs to 13 100 by NISQL and on to 16 000, and
// never comes down before KELSO to climb again. Without the approach, whose
// MELLO 4000 would end the descent less than its length after KELSO.
TEST_F(KseaKpdxTypedAltitudes, aLowerOneBetweenACapAndTheCruiseLevelIsPassedOver) {
    start(kKsea, 180, "RTE \"NOAPP\" L2 R6 EXEC LEGS \"13100\" R2 \"10000\" R3 \"16000\" R5 EXEC");
    ASSERT_EQ(active_plan[4].ident, "OLM");
    ASSERT_EQ(active_plan[4].alt_constraint, 10000.0);
    EXPECT_GT(along_route(tod_lat, tod_lon), along_route(active_plan[6].lat, active_plan[6].lon));
    double at_nisql = -1.0, highest = 0.0, dip = 0.0;
    bool kelso = false;
    fly_to_the_end([&] {
        if (at_nisql < 0.0 && last_passed_waypoint == "NISQL") at_nisql = last_passed_altitude_ft;
        kelso = kelso || last_passed_waypoint == "KELSO";
        if (at_nisql < 0.0 || kelso) return;
        highest = std::max(highest, altitude());
        dip = std::max(dip, highest - altitude());
    });
    EXPECT_NEAR(at_nisql, 13100.0, 300.0);
    EXPECT_GT(highest, 15900.0);
    EXPECT_LT(dip, 200.0);
}

namespace {

// Routes too short for FL350, flown with VNAV from the gate.
class ShortRoute : public VnavFlights, public ::testing::WithParamInterface<const char*> {};

// The level the route affords is found exactly and stepped down to the
// hundred the pages show, with its T/C at least the T/D's margin before its
// T/D: the pages show the two apart along the route, and the climb reaches
// the level (the last altitude VNAV sent for it) before the descent starts.
// With the two meeting, the descent began 1.3 NM before them, 450 ft below
// the level on KSEA-KYKM.
TEST_P(ShortRoute, climbsToTheLevelItAffordsBeforeTheDescent) {
    start(kKsea, 180, std::string("RTE \"KSEA\" L1 ") + GetParam());
    const double toc = along_route(toc_lat, toc_lon), tod = along_route(tod_lat, tod_lon);
    EXPECT_GE(tod - toc, kTodPassedWithinNm - 0.05);
    EXPECT_EQ(std::fmod(active_profile().level_ft, 100.0), 0.0);
    EXPECT_LT(active_profile().level_ft, cruise_altitude);
    std::size_t seen = host::sim_state().key_events.size();
    double level = -1.0, at_descent = -1.0;
    fly_to_the_end([&] {
        const std::vector<host::KeyEvent>& sent = host::sim_state().key_events;
        for (; seen < sent.size() && at_descent < 0.0; ++seen)
            if (sent[seen].id == 0x1024C && vnav_phase == VnavPhase::Climb)
                level = static_cast<int32_t>(sent[seen].parameter);
        if (at_descent < 0.0 && vnav_phase == VnavPhase::Descent) at_descent = altitude();
    });
    EXPECT_GT(at_descent, level - kLevelReachedFt);
}

INSTANTIATE_TEST_SUITE_P(
    SeaToYakimaAndPortland, ShortRoute,
    ::testing::Values(
        "\"KYKM\" R1 NEXT \"SEA\" R1 \"FOXXE\" R2 \"NISQL\" R3 \"OLM\" R4 \"HQM\" R5 NEXT \"AST\" R1 "
        "\"UBG\" R2 \"BTG\" R3 R6 EXEC INIT_REF \"FL350\" R1 EXEC LEGS \"3600\" R5 EXEC",
        "\"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL350\" R1 EXEC",
        "\"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL350\" R1 EXEC LEGS \"5000\" R1 "
        "EXEC"));

} // namespace

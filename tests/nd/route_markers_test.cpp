// Entries the aircraft does not fly to (a discontinuity, an open-airway
// placeholder, a destination still to be entered) read 0N 0E: no display may
// draw a leg, label or symbol there, and no page may print a distance to it.
// Every map display, in every mode, and every page that measures the route
// are drawn with such entries after the TO waypoint, as the destination and
// at the end of the plan.
#include "nd_fixture.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/airport_procedures.h"
#include "data/c17_mfd_state.h"
#include "data/p1000_menu_state.h"
#include "fms/exec/exec_cursors.h"
#include "fms/exec/exec_erase.h"
#include "fms/guidance/route_progress.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_detail.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_keys.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/mcu_dirto.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"
#include "nd/p1000_mfd_painters.h"
#include "pfd/pfd_render_passes.h"

#include <functional>
#include <regex>
#include <set>

namespace {

// Every map display in its modes, the P1000_MFD on its plan page.
struct Display {
    const char* name;
    int width, height;
    int* mode;
    int first, last;
    void (*render)(void*, PixelSize, int32_t);
    void draw(void* dc, int m) const {
        *mode = m;
        p1000_mfd_plan_mode = mode == &p1000_plan ? m : kP1000PlanModeOff;
        render(dc, PixelSize{width, height}, 1);
    }
    static inline int p1000_plan = 0;
};
const Display kDisplays[] = {
    {"HW_B737_ND", 244, 302, &hw_b737_nd_mode, 1, 7, render_hw_b737_nd},
    {"EFS50_EHSI", 266, 230, &efs50_ehsi_mode, 1, 7, render_efs50_ehsi},
    {"HW_MD11_ND", 240, 258, &hw_md11_nd_mode, 2, 5, render_hw_md11_nd},
    {"DU_1000_EHSI", 318, 310, &du_1000_ehsi_mode, 0, 3, render_du_1000_ehsi},
    {"MD80_EHSI", 266, 232, &md80_ehsi_mode, 0, 3, render_md80_ehsi},
    {"PROLINE4_MFD", 247, 285, &proline4_mfd_mode, 0, 3, render_proline4_mfd},
    {"P1000_MFD plan", 272, 314, &Display::p1000_plan, 0, 1, render_p1000_mfd},
};

class RouteMarkers : public NdTest {
  protected:
    // Puts `marker` entries in front of active-plan index `at`.
    static void insert_markers(int at, std::initializer_list<const char*> markers) {
        for (const char* ident : markers) {
            for (int i = active_plan_last; i >= at; --i)
                active_entry(i + 1) = active_plan[i];
            set_active_last(active_plan_last + 1);
            RouteWaypoint& m = active_entry(at++);
            m = RouteWaypoint{};
            m.ident = ident;
            if (const EntryKind k = marker_of_text(ident); k != EntryKind::Place) make_marker(m, k);
        }
    }
    // The first drawing far off a width x height surface, or "".
    std::string far_off(const std::string& what, int width, int height,
                        const std::function<void(void*)>& draw) {
        void* dc = gfx::create_surface_dc(width, height, gfx::SurfaceRecording);
        draw(dc); // the first frame sets the scale
        gfx::Recording& r = *gfx::surface_recording(dc);
        r.clear();
        draw(dc);
        std::string found;
        const float reach = 20000.0f; // the route itself lies within a few thousand pixels
        for (const gfx::RecordedOp& op : r.ops) {
            if (!op.is_drawing() || op.kind == gfx::OpKind::Clear || !found.empty()) continue;
            const gfx::RectF b = op.bounds;
            if (b.x < -reach || b.y < -reach || b.x + b.width > width + reach ||
                b.y + b.height > height + reach)
                found =
                    what + " draws '" + op.text + "' at " + std::to_string(b.x) + "," + std::to_string(b.y);
        }
        gfx::destroy_surface_dc(dc);
        return found;
    }
    // The first text of a page that prints a number within 400 NM of the
    // distance from the aircraft to 0N 0E, or "".
    static std::string far_distance(const std::string& what, const std::function<void(void*)>& draw) {
        double to_null_island = 0.0, course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, 0.0, 0.0, &to_null_island, &course);
        void* dc = gfx::create_surface_dc(495, 400, gfx::SurfaceRecording);
        draw(dc);
        std::string found;
        static const std::regex number("[0-9]+(\\.[0-9]+)?");
        for (const std::string& text : gfx::surface_recording(dc)->texts())
            for (std::sregex_iterator m(text.begin(), text.end(), number), end; m != end && found.empty();
                 ++m)
                if (std::fabs(std::stod(m->str()) - to_null_island) < 400.0)
                    found = what + " prints '" + text + "'";
        gfx::destroy_surface_dc(dc);
        return found;
    }
    // Every page that measures the active route, by name.
    static std::string pages_far_distance() {
        std::string found;
        const auto check = [&](const std::string& what, const std::function<void(void*)>& draw) {
            if (found.empty()) found = far_distance(what, draw);
        };
        for (int sub = 1; sub <= 3; ++sub) {
            check("PROGRESS " + std::to_string(sub), [&](void* dc) {
                smiths_progress_subpage = sub;
                render_smiths_routine(smiths_cdu_display, dc, PixelSize{282, 245}, smiths_page_progress);
            });
            check("RTE LEGS " + std::to_string(sub), [&](void* dc) {
                smiths_legs_subpage = sub;
                render_smiths_routine(smiths_cdu_display, dc, PixelSize{282, 245}, smiths_page_rte_legs);
            });
        }
        for (int option : {kGnsFplOptionEte, kGnsFplOptionDis})
            for (int page = 1; page <= 2; ++page)
                check("GNS FPL " + std::to_string(option) + "/" + std::to_string(page), [&](void* dc) {
                    gns_state = GNS_FLIGHT_PLAN;
                    gns_sub_state = kGnsSubStateActivePlan;
                    gns_fpl_option = option;
                    gns_active_page = page;
                    render_gnsxls(gnsxls_display, dc, PixelSize{495, 400});
                });
        for (int page = 1; page <= 4; ++page) {
            check("GNS NAVIGATION " + std::to_string(page), [&](void* dc) {
                gns_state = GNS_NAVIGATION;
                gns_nav_page = page;
                render_gnsxls(gnsxls_display, dc, PixelSize{495, 400});
            });
            check("GNS PLAN " + std::to_string(page), [&](void* dc) {
                gns_state = GNS_PLAN;
                gns_plan_page = page;
                render_gnsxls(gnsxls_display, dc, PixelSize{495, 400});
            });
        }
        for (int mode : {MCU_STATUS, MCU_LEGS})
            check("MCU " + std::to_string(mode), [&](void* dc) {
                mcu_mode = mode;
                mcu_legs_cursor.move_to(1);
                render_mcu(mcu_display, dc, PixelSize{501, 386});
            });
        return found;
    }
};

TEST_F(RouteMarkers, noDisplayOrPageReachesAnEntryThatIsNotFlown) {
    struct Layout {
        const char* name;
        int at;                                    // where the entries go
        std::initializer_list<const char*> idents; // "" a destination still to be entered
        int to;                                    // TO index afterwards
        bool replace_last;                         // the entry takes the destination's place
    };
    const Layout layouts[] = {
        // THEN and DISCO after NISQL (as an entry on LEGS and EXEC leave
        // them), and a DISCO right before the TO waypoint, where the FROM leg
        // starts.
        {"after the TO", 4, {"THEN", "DISCO"}, 3, false},
        {"before the TO", 3, {"DISCO"}, 4, false},
        // A route activated before its destination was entered.
        {"as the destination", 9, {""}, 3, true},
        {"at the end", 10, {"THEN"}, 3, false},
    };
    hw_b737_nd_range = hw_md11_nd_range = du_1000_ehsi_range = md80_ehsi_range = 10.0;
    proline4_mfd_range = 10.0;
    // The level-off point the P1000_MFD marks, on the route as a profile puts it.
    vertical_target_lat = kExampleRoute[4].lat;
    vertical_target_lon = kExampleRoute[4].lon;
    const RoutePlan example = active_plan;
    const int example_last = active_plan_last;
    for (const Layout& l : layouts) {
        PlanBuilder::copy(active_plan, example);
        set_active_last(example_last);
        if (l.replace_last) set_active_last(active_plan_last - 1);
        insert_markers(l.at, l.idents);
        set_flown_to(l.to);
        set_to_position(GeoPosition{active_plan[l.to].lat, active_plan[l.to].lon});
        update(2);
        efs50_nav_source = 2; // the EFS50_EHSI shows the route with the FMS source
        std::string found;
        for (const Display& d : kDisplays)
            for (int mode = d.first; mode <= d.last && found.empty(); ++mode) {
                const auto draw = [&](void* dc) { d.draw(dc, mode); };
                const std::string name = d.name + std::string(" ") + std::to_string(mode);
                found = far_off(name, d.width, d.height, draw);
                if (found.empty()) found = far_distance(name, draw);
            }
        c17_map_range_nm = 10.0;
        for (uint32_t format : {3u, 4u, 5u, 6u})
            if (found.empty())
                found = far_off("C17_MFD format " + std::to_string(format), 246, 241, [&](void* dc) {
                    c17_mfd_units[1].format = format;
                    render_c17_mfd(dc, PixelSize{246, 241}, 1);
                });
        if (found.empty()) found = pages_far_distance();
        EXPECT_EQ(found, "") << l.name;
        EXPECT_LT(distance_to_destination, 200.0) << l.name;
    }
    p1000_mfd_plan_mode = kP1000PlanModeOff;
}

// The route as flown after a direct-to to TOUTL from NISQL's leg, made on
// each unit: NISQL and OLM, passed by, are drawn on no map, nor the
// departure runway anywhere but at its airport; the fixes ahead are.
TEST_F(RouteMarkers, afterADirectToTheMapsDrawOnlyTheRouteAsFlown) {
    load_airport_detail("KSEA", origin_slot);
    const std::string runway = airport_slots[origin_slot].runways[1].designator;
    ASSERT_FALSE(runway.empty());
    struct Unit {
        const char* name;
        void (*direct_to)();
        std::vector<std::string> drawn, not_drawn;
        bool runway_labelled; // on the HW_MD11_ND, which labels the route's ends
    };
    const Unit units[] = {
        {"SMITHS",
         [] {
             copy_active_plan_to_working();
             smiths_legs_mode = kLegsModeDirectTo;
             legs_edit_cursor.move_to(5);
             direct_to_entered = 1;
             route_state = kRouteStateActiveModified;
             execute_route_modification();
         },
         {"KSEA", "FOXXE", "TOUTL", "KELSO"},
         {"NISQL", "OLM"},
         true},
        {"GNS",
         [] {
             gns_press_key(GnsKey::DirectTo);
             gns_scratchpad_add("TOUTL", 0);
             for (int n = 0; n < 3; ++n)
                 gns_press_key(GnsKey::Ent);
         },
         {"KSEA", "FOXXE", "TOUTL", "KELSO"},
         {"NISQL", "OLM"},
         true},
        // The MCU's plan starts at the DIRECT point: KSEA's runway is not
        // labelled there.
        {"MCU",
         [] {
             NavListRecord toutl;
             toutl.ident = "TOUTL";
             toutl.latitude = active_plan[5].lat;
             toutl.longitude = active_plan[5].lon;
             mcu_fly_direct(toutl);
         },
         {"TOUTL"},
         {"KSEA", "FOXXE", "NISQL", "OLM"},
         false},
    };
    const RoutePlan example = active_plan;
    const int example_last = active_plan_last;
    efs50_nav_source = 2;
    for (const Unit& u : units) {
        PlanBuilder::copy(active_plan, example);
        set_active_last(example_last);
        active_entry(0).type = active_entry(example_last).type = "APT";
        set_flown_to(3);
        route_state = kRouteStateActive;
        u.direct_to();
        ChoicesEdit(working_plan)->applied_departure_runway = runway;
        update(2);
        ASSERT_EQ(active_plan[to_waypoint_index].ident, "TOUTL") << u.name;
        // Wide enough for the whole route on every map.
        hw_b737_nd_range = hw_md11_nd_range = du_1000_ehsi_range = md80_ehsi_range = 160.0;
        proline4_mfd_range = c17_map_range_nm = 160.0;
        std::set<std::string> texts, md11;
        const auto collect = [&](int width, int height, const std::function<void(void*)>& draw,
                                 std::set<std::string>* also = nullptr) {
            void* dc = gfx::create_surface_dc(width, height, gfx::SurfaceRecording);
            draw(dc); // the first frame sets the scale
            gfx::surface_recording(dc)->clear();
            draw(dc);
            for (const std::string& t : gfx::surface_recording(dc)->texts()) {
                texts.insert(t);
                if (also != nullptr) also->insert(t);
            }
            gfx::destroy_surface_dc(dc);
        };
        for (const Display& d : kDisplays)
            for (int mode = d.first; mode <= d.last; ++mode)
                collect(
                    d.width, d.height, [&](void* dc) { d.draw(dc, mode); },
                    d.render == render_hw_md11_nd ? &md11 : nullptr);
        for (uint32_t format : {3u, 4u, 5u})
            collect(246, 241, [&](void* dc) {
                c17_mfd_units[1].format = format;
                render_c17_mfd(dc, PixelSize{246, 241}, 1);
            });
        for (const std::string& ident : u.drawn)
            EXPECT_TRUE(texts.contains(ident)) << u.name << " " << ident;
        for (const std::string& ident : u.not_drawn)
            EXPECT_FALSE(texts.contains(ident)) << u.name << " " << ident;
        EXPECT_EQ(md11.contains(runway), u.runway_labelled) << u.name;
    }
}

} // namespace

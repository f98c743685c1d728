// A discontinuity and an open-airway placeholder in the active plan read
// 0N 0E: no display may draw a leg, label or symbol there. Every map display,
// in every mode, draws the example route with such entries and nothing it
// draws may land thousands of pixels off its surface.
#include "nd_fixture.h"

#include "data/c17_mfd_state.h"
#include "data/p1000_menu_state.h"
#include "fms/plan/vertical_state.h"
#include "nd/p1000_mfd_painters.h"
#include "pfd/pfd_render_passes.h"

#include <functional>

namespace {

class RouteMarkers : public NdTest {
  protected:
    // Puts `marker` entries in front of active-plan index `at`.
    static void insert_markers(int at, std::initializer_list<const char*> markers) {
        for (const char* ident : markers) {
            for (int i = active_plan_last; i >= at; --i)
                active_plan.slot(i + 1) = active_plan[i];
            ++active_plan_last;
            RouteWaypoint& m = active_plan.slot(at++);
            m = RouteWaypoint{};
            m.ident = ident;
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
};

TEST_F(RouteMarkers, noDisplayDrawsTowardsADiscontinuityOrThenEntry) {
    struct Layout {
        int at; // where the markers go
        int to; // TO index after the insertion
    };
    // THEN and DISCO after NISQL (as an entry on LEGS and EXEC leave them),
    // and a DISCO right before the TO waypoint, where the FROM leg starts.
    const Layout layouts[] = {{4, 3}, {3, 4}};
    hw_b737_nd_range = hw_md11_nd_range = du_1000_ehsi_range = md80_ehsi_range = 10.0;
    proline4_mfd_range = 10.0;
    // The level-off point the P1000_MFD marks, on the route as a profile puts it.
    vertical_target_lat = kExampleRoute[4].lat;
    vertical_target_lon = kExampleRoute[4].lon;
    const RoutePlan example = active_plan;
    const int example_last = active_plan_last;
    for (const Layout& l : layouts) {
        active_plan = example;
        active_plan_last = example_last;
        insert_markers(l.at, l.at == 4 ? std::initializer_list<const char*>{"THEN", "DISCO"}
                                       : std::initializer_list<const char*>{"DISCO"});
        to_waypoint_index = l.to;
        struct Display {
            const char* name;
            int width, height;
            int* mode;
            int first, last;
            void (*render)(void*, PixelSize, int32_t);
        };
        int p1000_plan = 0;
        const Display displays[] = {
            {"HW_B737_ND", 244, 302, &hw_b737_nd_mode, 1, 7, render_hw_b737_nd},
            {"EFS50_EHSI", 266, 230, &efs50_ehsi_mode, 1, 7, render_efs50_ehsi},
            {"HW_MD11_ND", 240, 258, &hw_md11_nd_mode, 2, 5, render_hw_md11_nd},
            {"DU_1000_EHSI", 318, 310, &du_1000_ehsi_mode, 0, 3, render_du_1000_ehsi},
            {"MD80_EHSI", 266, 232, &md80_ehsi_mode, 0, 3, render_md80_ehsi},
            {"PROLINE4_MFD", 247, 285, &proline4_mfd_mode, 0, 3, render_proline4_mfd},
            {"P1000_MFD plan", 272, 314, &p1000_plan, 0, 1, render_p1000_mfd},
        };
        efs50_nav_source = 2; // the EFS50_EHSI shows the route with the FMS source
        std::string found;
        for (const Display& d : displays)
            for (int mode = d.first; mode <= d.last && found.empty(); ++mode)
                found = far_off(d.name + std::string(" ") + std::to_string(mode), d.width, d.height,
                                [&](void* dc) {
                                    *d.mode = mode;
                                    p1000_mfd_plan_mode = p1000_plan;
                                    d.render(dc, PixelSize{d.width, d.height}, 1);
                                });
        c17_map_range_nm = 10.0;
        for (uint32_t format : {3u, 4u, 5u, 6u})
            if (found.empty())
                found = far_off("C17_MFD format " + std::to_string(format), 246, 241, [&](void* dc) {
                    c17_mfd_units[1].format = format;
                    render_c17_mfd(dc, PixelSize{246, 241}, 1);
                });
        EXPECT_EQ(found, "") << "markers at " << l.at;
    }
    p1000_mfd_plan_mode = kP1000PlanModeOff;
}

} // namespace

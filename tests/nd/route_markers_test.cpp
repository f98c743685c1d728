// A discontinuity and an open-airway placeholder in the active plan read
// 0N 0E: no display may draw a leg, label or symbol there. Every map display,
// in every mode, draws the example route with such entries and nothing it
// draws may land thousands of pixels off its surface.
#include "nd_fixture.h"

#include "data/c17_mfd_state.h"
#include "data/p1000_menu_state.h"
#include "fms/perf/vertical_state.h"
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
        std::string found;
        auto check = [&](const std::string& what, int w, int h, const std::function<void(void*)>& draw) {
            if (found.empty()) found = far_off(what, w, h, draw);
        };
        for (int mode = 1; mode <= 7; ++mode) {
            check("HW_B737_ND mode " + std::to_string(mode), 244, 302, [&](void* dc) {
                hw_b737_nd_mode = mode;
                render_hw_b737_nd(dc, PixelSize{244, 302}, 1);
            });
            check("EFS50_EHSI mode " + std::to_string(mode), 266, 230, [&](void* dc) {
                efs50_ehsi_mode = mode;
                efs50_nav_source = 2; // the route shows with the FMS source
                render_efs50_ehsi(dc, PixelSize{266, 230}, 1);
            });
        }
        for (int mode = 0; mode <= 5; ++mode) {
            check("HW_MD11_ND mode " + std::to_string(mode), 240, 258, [&](void* dc) {
                hw_md11_nd_mode = std::max(mode, 2);
                render_hw_md11_nd(dc, PixelSize{240, 258}, 1);
            });
            check("DU_1000_EHSI mode " + std::to_string(mode), 318, 310, [&](void* dc) {
                du_1000_ehsi_mode = std::min(mode, 3);
                render_du_1000_ehsi(dc, PixelSize{318, 310}, 1);
            });
            check("MD80_EHSI mode " + std::to_string(mode), 266, 232, [&](void* dc) {
                md80_ehsi_mode = std::min(mode, 3);
                render_md80_ehsi(dc, PixelSize{266, 232}, 1);
            });
            check("PROLINE4_MFD mode " + std::to_string(mode), 247, 285, [&](void* dc) {
                proline4_mfd_mode = std::min(mode, 3);
                render_proline4_mfd(dc, PixelSize{247, 285}, 1);
            });
        }
        for (int plan = 0; plan <= 1; ++plan)
            check("P1000_MFD plan " + std::to_string(plan), 272, 314, [&](void* dc) {
                p1000_mfd_plan_mode = plan;
                render_p1000_mfd(dc, PixelSize{272, 314}, 1);
            });
        for (uint32_t format : {3u, 4u, 5u, 6u})
            check("C17_MFD format " + std::to_string(format), 246, 241, [&](void* dc) {
                c17_mfd_units[1].format = format;
                c17_map_range_nm = 10.0;
                render_c17_mfd(dc, PixelSize{246, 241}, 1);
            });
        EXPECT_EQ(found, "") << "markers at " << l.at;
    }
    p1000_mfd_plan_mode = 0;
}

} // namespace

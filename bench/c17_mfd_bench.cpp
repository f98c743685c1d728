// C17_MFD format benchmark: the per-frame cost of the render pass in the
// primary flight display (on an ILS with the flight director, every scale,
// bug and annunciation showing), in the configuration page (gear, flaps,
// slats and spoilers out, surfaces and trims deflected), in the three engine
// pages (take-off thrust with the time messages running and one engine in
// reverse), and of the PROLINE_EICAS strip at the same thrust. Then the
// navigation formats over the world-size database: map format 3 at 40 NM
// near London with the navaid, airport and airway-fix filters, a route with
// a hold, a FIX INFO fix and a descent; and the plan format centred on a
// route waypoint 300 NM from the aircraft. Timed on the recording backend
// (the module's own work) and on Cairo (with rasterising), against the
// 16.7 ms frame of 60 frames per second.
//
//   orvex-c17-bench [world folder]
#include "frame_timing.h"
#include "host_services.h"
#include "sim_state.h"

#include "data/c17_mfd_state.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/fms_update.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "map/range_ladder.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <cstdio>
#include <string>

#ifndef ORVEX_WORLD_DIR
#define ORVEX_WORLD_DIR "world"
#endif

namespace {

constexpr PixelSize kSize{246, 241};
constexpr PixelSize kEicasSize{486, 110};

void set_aircraft() {
    bench::start_ils_approach();
    aircraft_state.nav1_course_deg = 164;
    DispC17SpdTrend = 1;
    for (uint32_t token : {354u, 112u})
        host::set_token(token, 1);
    host::set_token(31, 6.2);
    host::set_token(64, 0.25 * 65536 / 3.2);
    host::set_token(351, 624);
    for (uint32_t token : {332u, 333u, 334u, 326u, 327u})
        host::set_token(token, 16383);
    host::set_token(328, 9000);
    host::set_token(907, 60);
    host::set_token(908, 60);
    host::set_token(782, 0.1);
    host::set_token(784, 0.2);
    host::set_token(786, 0.3);
    host::set_token(783, 0.1);
    host::set_calc_number("(A:LEADING EDGE FLAPS LEFT ANGLE,degrees)", 60);
    host::set_calc_number("(A:LEADING EDGE FLAPS RIGHT ANGLE,degrees)", 60);

    // Four engines at take-off thrust, engine 4 in reverse, both engine times
    // running; the PROLINE_EICAS reads engines 1 and 2 of the same.
    host::set_token(342, 16213);
    for (int e = 0; e < 4; ++e) {
        host::set_token(626 + 19 * e, 100.2);
        host::set_token(625 + 19 * e, 100.1);
        host::set_token(627 + 19 * e, 100.1);
        host::set_token(633 + 19 * e, 40000);
        host::set_token(567 + 10 * e, 650 * 1.8 + 491.69);
        host::set_token(561 + 10 * e, 100 * 1.8 + 491.69);
        host::set_token(562 + 10 * e, 120 * 144);
        host::set_token(149 + 35 * e, 16 * 16384 / 30.0);
        host::set_token(128 + 35 * e, e == 3 ? -12000 : 16383);
        host::set_token(421 + 39 * e, 3000);
        engine_fuel_used[e] = 120;
    }
    n1_over_99_seconds = 30;
    egt_over_645_seconds = 1; // the thrust page holds it at five minutes
}

// Unit 1 placed by digit, set to show `format`; format 0 times the
// PROLINE_EICAS strip on its own canvas instead.
PixelSize canvas(uint32_t format) {
    return format == 0 ? kEicasSize : kSize;
}
bench::FrameWork show(uint32_t format) {
    c17_mfd_units[1].format = format;
    return {{}, {}, [format](void* dc, PixelSize size) {
                if (format == 0)
                    render_proline_eicas(dc, size, 1);
                else
                    render_c17_mfd(dc, size, 1);
            }};
}
void report(const char* label, uint32_t format) {
    bench::report_on_both_backends(label, 15, canvas(format), show(format));
}

// In flight east of London at 40 NM on a route of seven waypoints 30 NM
// apart with a hold at the fourth, a FIX INFO fix with three radials and
// distances, descending to the autopilot altitude, every C17 map filter on.
void set_navigation() {
    AircraftState& a = aircraft_state;
    a.plat = 51.47;
    a.plon = -0.46;
    a.heading_deg = a.map_heading_deg = a.heading_bug_deg = 90;
    a.nav1_course_deg = 92;
    a.ground_speed_kt = 300;
    a.indicated_altitude_ft = 12000;
    a.ap_altitude_lock_ft = 8000;
    a.vertical_speed_fpm = -1500;
    bench::set_route_east(a.plat, a.plon, "");
    // The far end of the route, 300 NM out, for the plan.
    RouteWaypoint& far = PlanBuilder::append(active_plan);
    far = RouteWaypoint{};
    far.ident = "FAR";
    gc_destination_point(a.plat, a.plon, 90.0, 300.0, &far.lat, &far.lon);
    set_flown_to(1);
    HoldEntry h;
    h.set_active_index(3);
    h.turn = 1;
    h.leg_distance = 5.0;
    h.inbound_course = 90.0;
    h.points[0].lat = active_plan[3].lat;
    h.points[0].lon = active_plan[3].lon;
    hold_list.set_count(0);
    hold_list.append(h);
    fix_info[1].ident = "WP2";
    fix_info[1].lat = active_plan[2].lat;
    fix_info[1].lon = active_plan[2].lon;
    fix_info[1].radial_1 = 90;
    fix_info[1].distance_1 = 10;
    fix_info[1].radial_2 = 180;
    fix_info[1].distance_2 = 20;
    fix_info[1].radial_3 = 270;
    fix_info[1].distance_3 = 30;
    show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] =
        show_airway_fixes_flags[ND_PROLINE4] = 1;
    c17_map_range_nm = 40;
    legs_map_step = active_plan_last;
}

} // namespace

int main(int argc, char** argv) {
    if (!bench::load_world_database(argc, argv, ORVEX_WORLD_DIR)) return 1;
    gdiplus_connect();
    set_aircraft();
    std::printf("C17_MFD formats, %d x %d pixels, %d frames\n", kSize.width, kSize.height, bench::kFrames);
    report("PFD", 1);
    report("configuration", 12);
    const struct {
        const char* name;
        uint32_t format;
    } engine_pages[] = {{"thrust", 9}, {"EPR", 10}, {"oil and fuel", 11}};
    for (const auto& p : engine_pages)
        report(p.name, p.format);
    std::printf("PROLINE_EICAS, %d x %d pixels, %d frames\n", kEicasSize.width, kEicasSize.height,
                bench::kFrames);
    report("EICAS strip", 0);

    set_navigation();
    std::printf("C17_MFD navigation, %d x %d pixels, %d frames, near London over the world database\n",
                kSize.width, kSize.height, bench::kFrames);
    bench::report_render("map 3 at 40 NM", 15, "recording",
                         bench::time_frames(kSize, gfx::SurfaceRecording, show(3)));
    std::printf("  nearby lists: %d navaids, %d airports, %d airway fixes\n", local_navaids.count(),
                close_airports.count(), local_airway_fixes.count());
    bench::report_render("map 3 at 40 NM", 15, "cairo",
                         bench::time_frames(kSize, gfx::SurfaceCairo, show(3)));
    report("plan 300 NM out", 6);
    gdiplus_disconnect();
    ImportTable.panels = nullptr;
    return 0;
}

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
#include "host_services.h"
#include "sim_state.h"

#include "data/c17_mfd_state.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/fms_update.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "map/range_ladder.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"
#include "sim/host_folder.h"

#include <chrono>
#include <cstdio>
#include <string>

#ifndef ORVEX_WORLD_DIR
#define ORVEX_WORLD_DIR "world"
#endif

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kFrames = 3000;
constexpr PixelSize kSize{246, 241};
constexpr PixelSize kEicasSize{486, 110};

void set_aircraft() {
    host::reset_sim_state();
    ImportTable.panels = host::services_table();
    AircraftState& a = aircraft_state;
    a.display_power = 1;
    a.pitch_deg = -3;
    a.bank_deg = 12;
    a.speed_smoothed = 152.4;
    a.ground_speed_kt = 148;
    a.indicated_altitude_ft = 1480;
    a.radio_altitude_ft = 1460;
    a.vertical_speed_fpm = -700;
    a.heading_deg = 162.5;
    a.heading_bug_deg = 170;
    a.nav1_course_deg = 164;
    a.ap_airspeed_target_kt = 150;
    a.ap_altitude_lock_ft = 3000;
    a.snap_token_103 = a.snap_token_108 = a.snap_token_115 = 1;
    a.snap_token_106 = 1;
    a.snap_token_40 = 20;
    a.snap_token_41 = -30;
    a.snap_token_793 = -2;
    a.snap_token_794 = 5;
    DispC17SpdTrend = 1;
    for (uint32_t token : {49u, 792u, 354u, 112u})
        host::set_token(token, 1);
    host::set_token(31, 6.2);
    host::set_token(64, 0.25 * 65536 / 3.2);
    host::set_token(351, 624);
    host::set_token_code(46, 192);
    host::set_token_text(47, "IABC");
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

struct Timing {
    double render_ms = 0.0;
    std::size_t ops = 0;
};

// Unit 1 placed by digit, showing `format`; format 0 times the
// PROLINE_EICAS strip on its own canvas instead.
Timing run(uint32_t backend, uint32_t format) {
    const PixelSize size = format == 0 ? kEicasSize : kSize;
    void* dc = gfx::create_surface_dc(size.width, size.height, backend);
    gfx::Recording* recording = gfx::surface_recording(dc);
    c17_mfd_units[1].format = format;
    const auto frame = [&] {
        if (format == 0)
            render_proline_eicas(dc, size, 1);
        else
            render_c17_mfd(dc, size, 1);
    };
    Timing t;
    for (int i = 0; i < 60; ++i) {
        frame();
        if (recording) recording->clear();
    }
    for (int i = 0; i < kFrames; ++i) {
        const auto t0 = Clock::now();
        frame();
        t.render_ms += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (recording) {
            t.ops = recording->ops.size();
            recording->clear(); // the recording is the benchmark's, not part of a frame
        }
    }
    gfx::destroy_surface_dc(dc);
    t.render_ms /= kFrames;
    return t;
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
    active_plan_last = -1;
    double lat = a.plat, lon = a.plon;
    for (int i = 0; i <= 6; ++i) {
        RouteWaypoint& w = active_plan.slot(++active_plan_last);
        w = RouteWaypoint{};
        w.ident = "WP" + std::to_string(i);
        w.lat = lat;
        w.lon = lon;
        gc_destination_point(lat, lon, 90.0, 30.0, &lat, &lon);
    }
    // The far end of the route, 300 NM out, for the plan.
    RouteWaypoint& far = active_plan.slot(++active_plan_last);
    far = RouteWaypoint{};
    far.ident = "FAR";
    gc_destination_point(a.plat, a.plon, 90.0, 300.0, &far.lat, &far.lon);
    to_waypoint_index = 1;
    HoldEntry h;
    h.active_index = 3;
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
    smiths_legs_map_step = active_plan_last;
}

void report(const char* format, const char* backend, const Timing& t) {
    std::printf("  %-15s %-10s render %7.4f ms per frame, %5.2f %% of %.1f ms", format, backend, t.render_ms,
                t.render_ms / kFrameMs * 100.0, kFrameMs);
    if (t.ops > 0) std::printf(", %zu drawing operations", t.ops);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    host_folder = argc > 1 ? argv[1] : ORVEX_WORLD_DIR;
    load_nav_database();
    if (navaid_table.count() == 0) {
        std::fprintf(stderr, "no navigation database below %s\n", host_folder.c_str());
        return 1;
    }
    gdiplus_connect();
    set_aircraft();
    std::printf("C17_MFD formats, %d x %d pixels, %d frames\n", kSize.width, kSize.height, kFrames);
    report("PFD", "recording", run(gfx::SurfaceRecording, 1));
    report("PFD", "cairo", run(gfx::SurfaceCairo, 1));
    report("configuration", "recording", run(gfx::SurfaceRecording, 12));
    report("configuration", "cairo", run(gfx::SurfaceCairo, 12));
    const struct {
        const char* name;
        uint32_t format;
    } engine_pages[] = {{"thrust", 9}, {"EPR", 10}, {"oil and fuel", 11}};
    for (const auto& p : engine_pages) {
        report(p.name, "recording", run(gfx::SurfaceRecording, p.format));
        report(p.name, "cairo", run(gfx::SurfaceCairo, p.format));
    }
    std::printf("PROLINE_EICAS, %d x %d pixels, %d frames\n", kEicasSize.width, kEicasSize.height, kFrames);
    report("EICAS strip", "recording", run(gfx::SurfaceRecording, 0));
    report("EICAS strip", "cairo", run(gfx::SurfaceCairo, 0));

    set_navigation();
    std::printf("C17_MFD navigation, %d x %d pixels, %d frames, near London over the world database\n",
                kSize.width, kSize.height, kFrames);
    report("map 3 at 40 NM", "recording", run(gfx::SurfaceRecording, 3));
    std::printf("  nearby lists: %d navaids, %d airports, %d airway fixes\n", local_navaids.count(),
                close_airports.count(), local_airway_fixes.count());
    report("map 3 at 40 NM", "cairo", run(gfx::SurfaceCairo, 3));
    report("plan 300 NM out", "recording", run(gfx::SurfaceRecording, 6));
    report("plan 300 NM out", "cairo", run(gfx::SurfaceCairo, 6));
    gdiplus_disconnect();
    ImportTable.panels = nullptr;
    return 0;
}

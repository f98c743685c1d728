#include "frame_timing.h"

#include "host_services.h"
#include "sim_state.h"

#include "data/nav_database.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "gauges/linkage.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

int frames_from_environment() {
    const char* text = std::getenv("ORVEX_BENCH_FRAMES");
    const int frames = text != nullptr ? std::atoi(text) : 0;
    return frames > 0 ? frames : 3000;
}

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpu_ms() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

Timing time_frames(PixelSize size, uint32_t backend, const FrameWork& work) {
    void* dc = gfx::create_surface_dc(size.width, size.height, backend);
    gfx::Recording* recording = gfx::surface_recording(dc);
    Timing t;
    for (int i = 0; i < 60; ++i) {
        if (work.advance) work.advance();
        if (work.update) work.update();
        work.render(dc, size);
        if (recording) recording->clear();
    }
    for (int i = 0; i < kFrames; ++i) {
        if (work.advance) work.advance();
        double t1 = cpu_ms();
        if (work.update) {
            work.update();
            const double t2 = cpu_ms();
            t.update_ms += t2 - t1;
            t1 = t2;
        }
        work.render(dc, size);
        t.render_ms += cpu_ms() - t1;
        if (recording) {
            t.ops = recording->ops.size();
            recording->clear();
        }
    }
    gfx::destroy_surface_dc(dc);
    t.update_ms /= kFrames;
    t.render_ms /= kFrames;
    return t;
}

void print_frame_share(double ms) {
    std::printf("%5.2f %% of %.1f ms", ms / kFrameMs * 100.0, kFrameMs);
}

void report_render(const char* label, int label_width, const char* backend, const Timing& t) {
    std::printf("  %-*s %-10s render %7.4f ms per frame, ", label_width, label, backend, t.render_ms);
    print_frame_share(t.render_ms);
    if (t.ops > 0) std::printf(", %zu drawing operations", t.ops);
    std::printf("\n");
}

void report_on_both_backends(const char* label, int label_width, PixelSize size, const FrameWork& work) {
    report_render(label, label_width, "recording", time_frames(size, gfx::SurfaceRecording, work));
    report_render(label, label_width, "cairo", time_frames(size, gfx::SurfaceCairo, work));
}

void start_ils_approach() {
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
    a.ap_airspeed_target_kt = 150;
    a.ap_altitude_lock_ft = 3000;
    a.snap_token_103 = a.snap_token_108 = a.snap_token_115 = 1;
    a.snap_token_106 = 1;
    a.snap_token_40 = 20;
    a.snap_token_41 = -30;
    a.snap_token_793 = -2;
    a.snap_token_794 = 5;
    for (uint32_t token : {49u, 792u})
        host::set_token(token, 1);
    host::set_token_code(46, 192);
    host::set_token_text(47, "IABC");
}

void set_route_east(double lat, double lon, const char* type) {
    std::vector<PlanPoint> points;
    for (int i = 0; i <= 6; ++i) {
        points.push_back(PlanPoint{"WP" + std::to_string(i), lat, lon});
        gc_destination_point(lat, lon, 90.0, 30.0, &lat, &lon);
    }
    write_active_plan(points, type);
}

bool load_world_database(int argc, char** argv, const char* default_folder) {
    host_folder = argc > 1 ? argv[1] : default_folder;
    load_nav_database();
    if (navaid_table.count() == 0) {
        std::fprintf(stderr, "no navigation database below %s\n", host_folder.c_str());
        return false;
    }
    return true;
}

} // namespace bench

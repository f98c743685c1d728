// Attitude display benchmark: the per-frame cost of the B777_PFD_NB,
// EFS50_EADI and A320_EADI_NB render passes on an ILS approach in a turn,
// with the flight director, heading tape, deviation scales, markers and
// every annunciation showing. Timed on the recording backend (the module's
// own work) and on Cairo (with rasterising), against the 16.7 ms frame of 60
// frames per second.
//
//   orvex-attitude-bench
#include "host_services.h"
#include "sim_state.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kFrames = 3000;

void set_aircraft() {
    host::reset_sim_state();
    ImportTable.panels = host::services_table();
    AircraftState& a = aircraft_state;
    a.display_power = 1;
    a.pitch_deg = -3;
    a.bank_deg = 12;
    a.speed_smoothed = 152.4;
    a.ground_speed_kt = 148;
    a.mach = 0.23;
    a.indicated_altitude_ft = 1480;
    a.radio_altitude_ft = 1460;
    a.vertical_speed_fpm = -700;
    a.heading_deg = 162.5;
    a.heading_bug_deg = 170;
    a.nav1_dme_nm = 6.2;
    a.ap_airspeed_target_kt = 150;
    a.ap_altitude_lock_ft = 3000;
    a.ap_vertical_speed_target_fpm = -700;
    a.snap_token_75 = 1018;
    a.snap_token_103 = a.snap_token_105 = a.snap_token_108 = a.snap_token_112 = a.snap_token_115 = 1;
    a.snap_token_123 = 1;
    a.snap_token_106 = 1;
    a.snap_token_40 = 20;
    a.snap_token_41 = -30;
    a.snap_token_793 = -2;
    a.snap_token_794 = 5;
    lnav_engaged = 1;
    EADIHdgTape = 1;
    DispFPV = 1;
    V2 = 140;
    for (uint32_t token : {49u, 792u})
        host::set_token(token, 1);
    host::set_token(354, 2);
    host::set_token(615, 200);
    host::set_token_code(24, 0x1090);
    host::set_token_code(46, 192);
    host::set_token_text(47, "IABC");
}

struct Display {
    const char* name;
    PixelSize size;
    void (*render)(void* dc, PixelSize size);
};

const Display kDisplays[] = {
    {"B777_PFD_NB", {260, 260}, [](void* dc, PixelSize s) { render_b777_pfd(dc, s, 1); }},
    {"EFS50_EADI", {266, 230}, [](void* dc, PixelSize s) { render_efs50_eadi(dc, s, 1); }},
    {"A320_EADI_NB", {318, 310}, [](void* dc, PixelSize s) { render_a320_eadi(dc, s, 1, 320); }},
};

struct Timing {
    double render_ms = 0.0;
    std::size_t ops = 0;
};

Timing run(const Display& d, uint32_t backend) {
    void* dc = gfx::create_surface_dc(d.size.width, d.size.height, backend);
    gfx::Recording* recording = gfx::surface_recording(dc);
    Timing t;
    for (int i = 0; i < 60; ++i) {
        d.render(dc, d.size);
        if (recording) recording->clear();
    }
    for (int i = 0; i < kFrames; ++i) {
        const auto t0 = Clock::now();
        d.render(dc, d.size);
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

void report(const char* display, const char* backend, const Timing& t) {
    std::printf("  %-13s %-10s render %7.4f ms per frame, %5.2f %% of %.1f ms", display, backend, t.render_ms,
                t.render_ms / kFrameMs * 100.0, kFrameMs);
    if (t.ops > 0) std::printf(", %zu drawing operations", t.ops);
    std::printf("\n");
}

} // namespace

int main() {
    gdiplus_connect();
    set_aircraft();
    std::printf("Attitude displays at their design sizes, %d frames\n", kFrames);
    for (const Display& d : kDisplays) {
        report(d.name, "recording", run(d, gfx::SurfaceRecording));
        report(d.name, "cairo", run(d, gfx::SurfaceCairo));
    }
    gdiplus_disconnect();
    ImportTable.panels = nullptr;
    return 0;
}

// Attitude display benchmark: the per-frame cost of the B777_PFD_NB,
// EFS50_EADI and A320_EADI_NB render passes on an ILS approach in a turn,
// with the flight director, heading tape, deviation scales, markers and
// every annunciation showing. Timed on the recording backend (the module's
// own work) and on Cairo (with rasterising), against the 16.7 ms frame of 60
// frames per second.
//
//   orvex-attitude-bench
#include "frame_timing.h"
#include "host_services.h"
#include "sim_state.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/pfd_render_passes.h"
#include "sim/aircraft_state.h"

#include <cstdio>

namespace {

void set_aircraft() {
    bench::start_ils_approach();
    AircraftState& a = aircraft_state;
    a.mach = 0.23;
    a.nav1_dme_nm = 6.2;
    a.ap_vertical_speed_target_fpm = -700;
    a.snap_token_75 = 1018;
    a.snap_token_105 = a.snap_token_112 = 1;
    a.snap_token_123 = 1;
    lnav_engaged = 1;
    EADIHdgTape = 1;
    DispFPV = 1;
    V2 = 140;
    host::set_token(354, 2);
    host::set_token(615, 200);
    host::set_token_code(24, 0x1090);
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

} // namespace

int main() {
    gdiplus_connect();
    set_aircraft();
    std::printf("Attitude displays at their design sizes, %d frames\n", bench::kFrames);
    for (const Display& d : kDisplays)
        bench::report_on_both_backends(d.name, 13, d.size, {{}, {}, d.render});
    gdiplus_disconnect();
    ImportTable.panels = nullptr;
    return 0;
}

// A320_EADI_NB texts over everything: the ILS block, the marker letters
// and the flight-mode band.
#include "pfd/a320_eadi.h"

#include "fms/guidance/lateral_guidance.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace a320 {

void draw_ils_information(Kit& kit) {
    if (!(aircraft_state.mach < 0.4) || !(sim_var_object.get_nav1_signal() > 0)) return;
    plain_frame(kit);
    fine_text(kit, sim_var_object.get_simvar_47_text(), 12, kMagenta, -150, 118);
    fine_text(kit, format("%3.2f", sim_var_object.get_simvar_24_bcd_mhz()), 12, kMagenta, -150, 130);
    const double dme = aircraft_state.nav1_dme_nm;
    if (dme > 0) fine_text(kit, format("%2.1f NM", dme), 12, kMagenta, -150, 142);
}

void draw_marker(Kit& kit) {
    const double m = sim_var_object.get_simvar_354();
    plain_frame(kit);
    if (m == 1)
        fine_text(kit, "OM", 12, kCyan, 80, 88);
    else if (m == 2)
        fine_text(kit, "MM", 12, kAmber, 80, 88);
    else if (m == 3)
        fine_text(kit, "IM", 12, kWhite, 80, 88);
}

void draw_annunciations(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    for (int x : {-5, 65, 120, -85})
        line(kit, kWhite, 2, x, -155, x, -117);
    if (a.snap_token_103 == 1) fine_text(kit, "AP1", 12, kWhite, 125, -155);

    if (a.snap_token_108 == 1) {
        const double vs = a.ap_vertical_speed_target_fpm;
        if (vnav_engaged == 0) {
            if (vs >= 200)
                fine_text(kit, format("V/S +%4.0f", vs), 12, kCyan, -80, -155);
            else if (vs <= -200)
                fine_text(kit, format("V/S %4.0f", vs), 12, kCyan, -80, -155);
            fine_text(kit, "ALT", 12, kCyan, -80, -141);
        } else if (vs > 0) {
            fine_text(kit, "CLB", 12, kCyan, -80, -155);
        } else if (vs < 0) {
            fine_text(kit, "DES", 12, kCyan, -80, -155);
        } else {
            fine_text(kit, "ALT", 12, kCyan, -80, -141);
        }
    }

    if (a.snap_token_106_int == 1) {
        if (lnav_engaged == 0)
            fine_text(kit, "HDG", 12, kCyan, 0, -155);
        else
            fine_text(kit, "NAV", 12, kCyan, 0, -141);
    } else if (a.snap_token_105 == 1) {
        fine_text(kit, "GPS NAV", 12, kCyan, -5, -141);
    }
    if (a.snap_token_112 == 1) fine_text(kit, "APP", 12, kCyan, 0, -127);
    if (sim_var_object.get_simvar_792_int() != 0) fine_text(kit, "1FD", 12, kWhite, 125, -141);
    if (a.snap_token_123 == 1) fine_text(kit, "A/THR", 12, kWhite, 125, -127);
    if (a.snap_token_115 == 1)
        fine_text(kit, "SPEED", 12, kCyan, -135, -155);
    else if (a.snap_token_117 == 1)
        fine_text(kit, "MACH", 12, kCyan, -135, -155);
}

} // namespace a320

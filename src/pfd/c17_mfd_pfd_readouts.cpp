// Texts of the C17_MFD PFD: the corner readouts, the warning or decision
// height alert in the attitude window, the marker-beacon box and the mode
// annunciations.
#include "pfd/c17_mfd_pfd.h"

#include "fms/guidance/lateral_guidance.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cstdio>
#include <cstdlib>

namespace c17pfd {
namespace {

// "M  .78" below Mach 1; from the value that prints as 100 hundredths on,
// the whole Mach number ("M 1.05").
void mach_text(char* buf, std::size_t size, double mach) {
    std::snprintf(buf, size, "%.0f", 100 * mach);
    if (std::strtod(buf, nullptr) < 100)
        std::snprintf(buf, size, "M  .%02.0f", 100 * mach);
    else
        std::snprintf(buf, size, "M %4.2f", mach);
}

// An annunciation: a white outline 43 by 11 with its text one unit lower.
void annunciation(Kit& kit, const char* s, double size, gfx::Argb colour, double x, double y) {
    kit.g.draw_rectangle_i(kit.white1, x, y, 43, 11);
    frame_text(kit, s, size, colour, x, y + 1);
}

} // namespace

void draw_readouts(Kit& kit) {
    const AircraftState& a = aircraft_state;
    char buf[64];
    canvas_frame(kit);
    if (sim_var_object.get_simvar_110() == 1.0) frame_text(kit, "ATT", 8, kCyan, 180, 10);
    std::snprintf(buf, sizeof buf, "GS %3.0f", a.ground_speed_kt);
    frame_text(kit, buf, 9, kGreen, 0, 188);
    mach_text(buf, sizeof buf, sim_var_object.get_mach_raw() * 3.2 / 65536);
    frame_text(kit, buf, 9, kGreen, 0, 198);
    if (sim_var_object.get_nav1_signal() > 0) {
        std::snprintf(buf, sizeof buf, "%03.0f", a.nav1_course_deg);
        frame_text(kit, buf, 9, kCyan, 40, 178);
        frame_text(kit, "V1", 9, kCyan, 40, 188);
        std::snprintf(buf, sizeof buf, "D%.1f", sim_var_object.get_nav1_dme_nm());
        frame_text(kit, buf, 9, kCyan, 40, 198);
        frame_text(kit, sim_var_object.get_simvar_47_text(), 9, kCyan, 40, 208);
    }
    std::snprintf(buf, sizeof buf, "VV %02.0f", a.vertical_speed_fpm);
    frame_text(kit, buf, 9, kGreen, 200, 190);
    if (a.radio_altitude_ft < 2500) {
        std::snprintf(buf, sizeof buf, "RA %4.0f", a.radio_altitude_ft);
        frame_text(kit, buf, 9, kGreen, 200, 200);
    }
    if (a.radio_altitude_ft < 2000) {
        std::snprintf(buf, sizeof buf, "DH %4.0f", c17_pfd_decision_height_ft);
        frame_text(kit, buf, 9, kGreen, 200, 210);
    }
    std::snprintf(buf, sizeof buf, "%1.1f G", sim_var_object.get_g_load());
    frame_text(kit, buf, 9, kGreen, 200, 220);
}

void draw_warning(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const double ra = a.radio_altitude_ft, vs = a.vertical_speed_fpm;
    const char* warning = nullptr;
    double x = 0;
    if ((ra < 4000 && vs < -16000) || (ra < 3000 && vs < -8000) || (ra < 2000 && vs < -4000) ||
        (ra < 500 && (vs < -1950 || sim_var_object.get_simvar_332() < 16000))) {
        warning = "TERRAIN";
        x = -40;
    } else if (sim_var_object.get_stall_warning() != 0) {
        warning = "STALL";
        x = -30;
    } else if (sim_var_object.get_overspeed_warning_int() != 0) {
        warning = "OVERSPEED";
        x = -60;
    } else {
        const double dh = sim_var_object.get_decision_height_ft();
        if (dh - 10 <= ra && ra <= dh + 10 && vs < -100) {
            warning = "DH";
            x = -20;
        }
    }
    if (warning == nullptr) return;
    plain_frame(kit);
    frame_text(kit, warning, 17, kRed, x, -45);
}

void draw_marker(Kit& kit) {
    const double marker = sim_var_object.get_simvar_354();
    if (!(marker > 0)) return;
    canvas_frame(kit);
    kit.g.translate_transform(static_cast<float>(kit.cx), 229.0f);
    gfx::Argb fill = kWhite;
    const char* letter = "I";
    if (marker == 1) {
        fill = kAmber;
        letter = "O";
    } else if (marker == 2) {
        fill = kCyan;
        letter = "M";
    }
    kit.g.fill_rectangle_i(gfx::SolidBrush(fill), -5, -27, 10, 9);
    frame_text(kit, letter, 9, kBlack, -5, -27);
}

void draw_annunciations(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const bool engaged = a.snap_token_103 == 1;
    char buf[64];
    canvas_frame(kit);

    if (a.snap_token_115 == 1) {
        std::snprintf(buf, sizeof buf, "IAS %3.0f", a.ap_airspeed_target_kt);
        annunciation(kit, buf, 9, kGreen, 10, 4);
    } else if (a.snap_token_117 == 1) {
        std::snprintf(buf, sizeof buf, "MACH %.2f", a.ap_mach_target);
        annunciation(kit, buf, 9, kGreen, 10, 4);
    }

    std::snprintf(buf, sizeof buf, "ALT %03.0f", a.ap_altitude_lock_ft / 100);
    if (engaged) {
        if (sim_var_object.get_simvar_111() == 1)
            annunciation(kit, "G/S1 CAP", 8, kGreen, 200, 4);
        else if (vnav_engaged == 1)
            annunciation(kit, "VNAV", 8, kGreen, 200, 4);
        else if (a.snap_token_108 == 1)
            annunciation(kit, buf, 8, kGreen, 200, 4);
    } else if (a.snap_token_108 == 1) {
        annunciation(kit, buf, 8, kWhite, 200, 15);
    }

    const bool approach = sim_var_object.get_simvar_112() == 1;
    std::snprintf(buf, sizeof buf, "HDG %03.0f", a.heading_bug_deg);
    if (engaged) {
        if (sim_var_object.get_ap_loc_hold_on() == 1) {
            annunciation(kit, "LOC1 CAP", 8, kGreen, 10, 219);
        } else if (lnav_engaged == 1) {
            annunciation(kit, "LNAV", 9, kGreen, 10, 219);
        } else if (a.snap_token_106 == 1) {
            annunciation(kit, buf, 9, kGreen, 10, 219);
            if (approach) annunciation(kit, "APPR", 9, kWhite, 10, 230);
        } else if (approach) {
            annunciation(kit, "APPR", 9, kGreen, 10, 219);
        }
    } else if (a.snap_token_106 == 1) {
        annunciation(kit, buf, 9, kWhite, 10, 230);
    }
}

} // namespace c17pfd

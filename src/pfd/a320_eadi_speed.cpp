// A320_EADI_NB speed tape: scale, over-speed and low-speed strips,
// reference pointer, speed-target marker, take-off marks, trend arrow, and
// the speed-target and Mach readouts.
#include "pfd/a320_eadi.h"

#include "data/aircraft_settings.h"
#include "fms/math/air_data.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace a320 {
namespace {

constexpr double kPerKnot = 2.53;

// Height of speed v on the tape: faster upwards.
double speed_y(double v) {
    return -(v - aircraft_state.speed_smoothed) * kPerKnot;
}

void draw_scale(Kit& kit, double s) {
    const double whole = std::trunc(s);
    const double base = std::max(whole, 30.0), frac = s - whole;
    const double first = std::ceil((base - 50) / 10) * 10;
    char label[16];
    // Ten marks at most: a counted loop stays finite for any speed.
    for (int i = 0; i < 10; ++i) {
        const double v = first + 10.0 * i;
        if (!(v < base + 50)) break;
        if (v < 40) continue;
        const double y = ((base - v) + frac) * kPerKnot;
        line(kit, kWhite, 2, -114, y, -119, y);
        if (std::fmod(v, 20) == 0) {
            std::snprintf(label, sizeof label, "%03d", saturate_to_int(v));
            fine_text(kit, label, 12, kWhite, -149, y - 8);
        }
    }
}

void draw_limit_strips(Kit& kit, double s) {
    if (std::fabs(kit.vmax - s) < 140) {
        const double y0 = std::trunc(speed_y(kit.vmax));
        const int n = std::max(saturate_to_int((s + 70 - kit.vmax) / 3), 40);
        for (int i = 0; i < n; ++i)
            line(kit, kRed, 3, -108, y0 - 8.0 * i, -113, y0 - 8.0 * i);
        line(kit, kRed, 1, -108, y0 + 1, -108, y0 - 8.0 * n);
    }
    if (std::fabs(kit.vstall + 5 - s) < 140) {
        const double y0 = speed_y(kit.vstall + 5);
        line(kit, kAmber, 2, -110, y0, -110, y0 - 20);
        line(kit, kAmber, 2, -110, y0 - 19, -113, y0 - 19);
        for (int i = 0; i < 40; ++i)
            line(kit, kAmber, 3, -108, y0 + 8.0 * i, -113, y0 + 8.0 * i);
        line(kit, kAmber, 1, -108, std::trunc(y0) + 1, -108, y0 + 320);
    }
}

// Drawn a little tighter than the scale (310/318 of its height), as the
// marker always has been.
void draw_target_marker(Kit& kit, double s) {
    const double yb = std::trunc(-(aircraft_state.ap_airspeed_target_kt - s) * 2.6);
    const double k = 310.0 / 318.0;
    line(kit, kWhite, 2, -115, k * (yb - 1), -106, k * (yb - 7));
    line(kit, kWhite, 2, -106, k * (yb - 7), -106, k * (yb + 7));
    line(kit, kWhite, 2, -106, k * (yb + 7), -115, k * (yb + 1));
}

void draw_takeoff_marks(Kit& kit) {
    const double ra = aircraft_state.radio_altitude_ft;
    if (VR > 0 && ra < 30) {
        fine_text(kit, "1", 11, kGreen, -113, speed_y(V1) - 7);
        kit.g.draw_ellipse_i(gfx::Pen(kCyan, static_cast<float>(std::trunc(2 * kit.fx))), at_x(kit, -118),
                             at_y(kit, speed_y(VR) - 3), at_x(kit, 6), at_y(kit, 6));
    }
    if (ra < 800 && V2 > 0) {
        const double y = speed_y(V2);
        line(kit, kGreen, 2, -123, y - 2, -114, y - 2);
        line(kit, kGreen, 2, -123, y + 2, -114, y + 2);
    }
}

} // namespace

void read_speed_limits(Kit& kit) {
    const double s = aircraft_state.speed_smoothed;
    kit.vmax = sim_var_object.get_simvar_63() / 128.0;
    if (s > kit.vmax + 120) kit.vmax = s - 70;
    kit.vstall = sim_var_object.get_simvar_907() != 0 ? sim_var_object.get_design_speed_vs0_kt()
                                                      : sim_var_object.get_design_speed_vs1_kt();
}

void draw_speed_tape(Kit& kit) {
    const double s = aircraft_state.speed_smoothed;
    plain_frame(kit);
    fill_rect(kit, kit.tape, -149, -105, 35, 210);
    line(kit, kWhite, 2, -149, -105, -104, -105);
    line(kit, kWhite, 2, -114, -105, -114, 105);
    line(kit, kWhite, 2, -149, 105, -104, 105);
    clip_rect(kit, -149, -105, 44, 210);
    fine_frame(kit);
    draw_scale(kit, s);
    if (aircraft_state.radio_altitude_ft > 200) draw_limit_strips(kit, s);
    plain_frame(kit);
    line(kit, kAmber, 2, -114, 0, -149, 0);
    line(kit, kAmber, 4, -144, 0, -149, 0);
    fine_fill(kit, kAmber, {{-115, 0}, {-107, -4}, {-107, 4}});
    fine_frame(kit);
    draw_target_marker(kit, s);
    draw_takeoff_marks(kit);
}

void draw_speed_trend(Kit& kit) {
    kit.g.reset_clip();
    fine_frame(kit);
    const double yt = std::clamp(-speed_trend * 180 * 2.45, -102.0, 102.0);
    line(kit, kAmber, 2, -117, 0, -117, yt);
    if (yt < -1) {
        line(kit, kAmber, 2, -119, yt + 2, -117, yt - 1);
        line(kit, kAmber, 2, -115, yt + 2, -117, yt - 1);
    } else if (yt > 1) {
        line(kit, kAmber, 2, -119, yt - 2, -117, yt + 1);
        line(kit, kAmber, 2, -115, yt - 2, -117, yt + 1);
    }
}

void draw_speed_target(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const double target = a.ap_airspeed_target_kt;
    if (!(target > 0)) return;
    plain_frame(kit);
    if (target > a.speed_smoothed + 40)
        fine_text(kit, format("%4.0f", target), 12, kCyan, -150, -119);
    else if (target < a.speed_smoothed - 40)
        fine_text(kit, format("%4.0f", target), 12, kCyan, -150, 106);
}

void draw_mach(Kit& kit) {
    const double m = aircraft_state.mach;
    if (!(m >= 0.4)) return;
    plain_frame(kit);
    fine_text(kit, m >= 1 ? format("%.2f", m) : format(".%2.0f", m * 1000), 13, kGreen, -150, 120);
}

} // namespace a320

// A320_EADI_NB attitude sphere: sky and ground, pitch ladder and its masks,
// radio altitude, bank pointer and ball, aircraft symbol, flight director,
// flight-path vector; then the bank scale and the deviation scales.
#include "pfd/a320_eadi.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "pfd/flight_director.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace a320 {
namespace {

// A circle of radius 104 cut off by vertical sides at x = -90 and 90.
void set_attitude_clip(Kit& kit) {
    plain_frame(kit);
    kit.g.set_clip_path(cut_circle_window(104, 103, 90, 52));
}

void draw_ladder(Kit& kit, double h, bool on_ground) {
    char label[16];
    for (int i = 0; i <= 90; i += 5) {
        const double yu = h - 4.1 * i, yd = h + 4.1 * i;
        if (i == 0) {
            line(kit, kWhite, 2, -149, h, 149, h);
            continue;
        }
        std::snprintf(label, sizeof label, "%d", i);
        const bool ten = i % 10 == 0;
        if (ten) {
            line(kit, kWhite, 2, -25, yu, 25, yu);
            fine_text(kit, label, 15, kWhite, 30, yu - 8);
            fine_text(kit, label, 15, kWhite, -50, yu - 8);
        } else {
            line(kit, kWhite, 2, -15, yu, 15, yu);
        }
        if (on_ground) continue;
        line(kit, kWhite, 2, -10, yu + 8, 10, yu + 8);
        if (ten) {
            line(kit, kWhite, 2, -25, yd, 25, yd);
            fine_text(kit, label, 15, kWhite, 30, yd - 8);
            fine_text(kit, label, 15, kWhite, -50, yd - 8);
        } else {
            line(kit, kWhite, 2, -10, yd, 10, yd);
        }
        line(kit, kWhite, 2, -5, yd - 8, 5, yd - 8);
    }
}

void draw_sphere(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const double h = -4.1 * a.pitch_deg;
    fine_frame(kit, a.bank_deg);
    fine_fill(kit, kit.sky, {{-549, -555}, {251, -555}, {251, h}, {-549, h}});
    fine_fill(kit, kit.ground, {{-549, h}, {251, h}, {251, 245}, {-549, 245}});
    draw_ladder(kit, h, sim_var_object.get_simvar_60_int() != 0);
    // Only the band between the two white lines shows the ladder.
    line(kit, kWhite, 2, -80, -80, 80, -80);
    line(kit, kWhite, 2, -80, 80, 80, 80);
    fill_rect(kit, kit.sky, -80, -120, 160, 40);
    fill_rect(kit, kit.ground, -80, 80, 160, 40);
    if (a.radio_altitude_ft > 0 && a.radio_altitude_ft <= 2500) {
        const std::string ra = format("%3.0f", a.radio_altitude_ft);
        fine_text(kit, ra, 15, kAmber, -5.0 * static_cast<double>(ra.size()), 80);
    }
}

void draw_bank_pointer(Kit& kit) {
    plain_frame(kit, aircraft_state.bank_deg);
    polyline(kit, kWhite, 2, {{0, -104}, {4, -97}, {-4, -97}, {0, -104}});
    fill_rect(kit, kWhite, std::trunc(sim_var_object.get_simvar_69() / 15.875) - 6, -96, 10, 3);
}

void symbol_shape(Kit& kit, gfx::Argb outline, std::initializer_list<DPoint> points) {
    fine_fill(kit, kBlack, points);
    polyline(kit, outline, 1, points);
}

void draw_aircraft_symbol(Kit& kit) {
    plain_frame(kit);
    if (EadiDualCue == 99) {
        symbol_shape(kit, kWhite, {{0, 0}, {40, 15}, {30, 15}, {0, 5}, {-30, 15}, {-40, 15}, {0, 0}});
        return;
    }
    symbol_shape(kit, kAmber,
                 {{-47, 0}, {-47, -3}, {-85, -3}, {-85, 3}, {-53, 3}, {-53, 12}, {-47, 12}, {-47, 0}});
    symbol_shape(kit, kAmber, {{-3, -3}, {-3, 3}, {3, 3}, {3, -3}, {-3, -3}});
    symbol_shape(kit, kAmber, {{47, 0}, {47, -3}, {87, -3}, {87, 3}, {54, 3}, {54, 12}, {47, 12}, {47, 0}});
}

// The pitch command relative to the attitude, by the signs of the two.
double pitch_target(double t, double p) {
    if ((t < 0 && p <= 0) || (t > 0 && p > 0)) return t - p;
    if (t >= 0 && p <= 0) return std::fabs(p + t);
    return -std::fabs(p + t);
}

void draw_flight_director(Kit& kit) {
    if (sim_var_object.get_simvar_792_int() == 0) return;
    const AircraftState& a = aircraft_state;
    const double tb = std::clamp(std::trunc(a.bank_deg - std::trunc(a.snap_token_794)), -25.0, 25.0);
    step_fd_cues(tb, pitch_target(a.snap_token_793, a.pitch_deg));
    plain_frame(kit);
    const double xb = std::trunc(1.8 * fd_bank_cue_deg), yb = std::trunc(1.8 * fd_pitch_cue_deg);
    line(kit, kGreen, 2, xb, -33, xb, 33);
    line(kit, kGreen, 2, -33, yb, 33, yb);
}

void draw_flight_path_vector(Kit& kit) {
    const AircraftState& a = aircraft_state;
    if (DispFPV != 1 || !(a.ground_speed_kt > 60)) return;
    const double y0 = std::trunc(-2.4 * sim_var_object.get_vertical_speed_fpm() / a.ground_speed_kt);
    const double x0 = std::trunc(4 * drift_angle_deg);
    const double y = std::clamp(y0, -60.0, 60.0), x = std::clamp(x0, -83.0, 83.0);
    // Held at the edge, the symbol flashes.
    if ((y != y0 || x != x0) && frame_slot >= 8) return;
    plain_frame(kit);
    flight_path_symbol(kit, gfx::Pen(kWhite, 2), x, y);
}

void circle(Kit& kit, double x, double y) {
    kit.g.draw_ellipse_i(gfx::Pen(kWhite, 2), x, y, 6, 6);
}

} // namespace

void draw_attitude(Kit& kit) {
    set_attitude_clip(kit);
    draw_sphere(kit);
    draw_bank_pointer(kit);
    draw_aircraft_symbol(kit);
    draw_flight_director(kit);
    draw_flight_path_vector(kit);
}

void draw_attitude_scales(Kit& kit) {
    const AircraftState& a = aircraft_state;
    kit.g.reset_clip();
    plain_frame(kit);
    kit.g.draw_arc_i(gfx::Pen(kWhite, 2), -104, -104, 208, 208, 240, 60);
    for (int angle : {-45, -30, -20, -10, 0, 10, 20, 30, 45}) {
        plain_frame(kit, angle);
        if (angle == 0)
            polyline(kit, kAmber, 2, {{0, -104}, {4, -111}, {-4, -111}, {0, -104}});
        else
            line(kit, kWhite, 2, 0, -104, 0, std::abs(angle) == 30 ? -114 : -109);
    }
    plain_frame(kit);
    line(kit, kAmber, 3, 92, 0, 107, 0);
    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        for (int y : {-73, -38, 38, 73})
            circle(kit, 95, y);
        const double g = std::trunc(a.snap_token_41 / 1.81429 + 6);
        polyline(kit, kMagenta, 2, {{91, g}, {98, g - 7}, {105, g}, {98, g + 7}, {91, g}});
    }
    if (sim_var_object.get_nav1_signal() > 0 && sim_var_object.test_simvar_46_bit_128() != 0) {
        for (int x : {-37, -72, 33, 68})
            circle(kit, x, 108);
        line(kit, kAmber, 3, 0, 105, 0, 115);
        const double l = std::trunc(a.snap_token_40 / 1.81429 - 6);
        polyline(kit, kMagenta, 2, {{l, 111}, {l + 7, 104}, {l + 14, 111}, {l + 7, 118}, {l, 111}});
    }
    line(kit, kAmber, 3, 0, 117, 0, 130);
}

} // namespace a320

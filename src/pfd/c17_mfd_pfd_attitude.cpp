// Attitude picture of the C17_MFD PFD: sky and ground, pitch ladder, flight
// director, flight-path vector, aircraft symbol, bank pointer, slip indicator
// and bank scale.
#include "pfd/c17_mfd_pfd.h"

#include "data/aircraft_settings.h"
#include "fms/fms_update.h"
#include "pfd/flight_director.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace c17pfd {
namespace {

constexpr double kUnitsPerDegree = 4.5;

// One side of a rung at height y; s is +1 (right) or -1 (left), toward is
// the direction of the horizon (+1 below, -1 above).
void rung_side(Kit& kit, int i, double y, double s, double toward, bool lower) {
    const bool major = i % 10 == 0;
    const double e = major ? 48 : 40;
    const gfx::Pen& mark = lower && major && s < 0 ? kit.thin_ladder : kit.ladder;
    fine_line(kit, mark, s * e, y, s * e, y + 8 * toward);
    const gfx::Pen& bar = lower ? kit.dashed_ladder : kit.ladder;
    if (i < 30) {
        fine_line(kit, bar, s * e, y, s * 20, y);
    } else {
        fine_line(kit, bar, s * e, y, s * 30, y);
        fine_line(kit, bar, s * 30, y, s * 20, y + 15 * toward);
    }
}

void draw_ladder(Kit& kit, double horizon) {
    char buf[16];
    fine_line(kit, kit.ladder, -kit.cx, horizon, kit.cx, horizon);
    for (int i = 5; i <= 90; i += 5) {
        const double up = horizon - kUnitsPerDegree * i, down = horizon + kUnitsPerDegree * i;
        for (double s : {1.0, -1.0}) {
            rung_side(kit, i, up, s, 1, false);
            rung_side(kit, i, down, s, -1, true);
        }
        if (i % 10 != 0) continue;
        std::snprintf(buf, sizeof buf, "%d", i);
        for (double y : {up, down}) {
            fine_text(kit, buf, 11, kWhite, 50, y - 6);
            fine_text(kit, buf, 11, kWhite, -65, y - 6);
        }
    }
}

void draw_flight_director(Kit& kit) {
    if (sim_var_object.get_simvar_792_int() == 0) return;
    const AircraftState& a = aircraft_state;
    const double bank_target = std::clamp(std::trunc(a.bank_deg - std::trunc(a.snap_token_794)), -25.0, 25.0);
    step_fd_cues(bank_target, a.snap_token_793 - a.pitch_deg);
    // 2.28 units per degree, as 228 / 100 so that whole cues land on whole units.
    const double x = std::trunc(228 * fd_bank_cue_deg / 100), y = std::trunc(228 * fd_pitch_cue_deg / 100);
    kit.g.draw_line_i(kit.magenta3, x, -50, x, 50);
    kit.g.draw_line_i(kit.magenta3, -50, y, 50, y);
}

void draw_flight_path_vector(Kit& kit) {
    const AircraftState& a = aircraft_state;
    if (DispFPV != 1 || !(a.ground_speed_kt > 60)) return;
    const double y = std::trunc(-kUnitsPerDegree * 0.6 * a.vertical_speed_fpm / a.ground_speed_kt);
    const double x = std::trunc(kUnitsPerDegree * drift_angle_deg);
    const bool inside = y >= -50 && y <= 50 && x >= -55 && x <= 55;
    // Beyond its limits it flashes at its unlimited position.
    if (!inside && frame_slot >= 8) return;
    flight_path_symbol(kit, kit.white2, x, y);
}

} // namespace

void draw_attitude(Kit& kit) {
    const double horizon = -kUnitsPerDegree * aircraft_state.pitch_deg;
    plain_frame(kit);
    // A circle of radius 80 cut by the lines x = -69 and x = 69.
    kit.g.set_clip_path(cut_circle_window(80, 80, 69, 40));
    fine_frame(kit);
    kit.g.rotate_transform(static_cast<float>(aircraft_state.bank_deg));
    fine_fill(kit, kit.sky, -kit.cx - 400, -kit.cy - 400, 400 - kit.cx, horizon);
    fine_fill(kit, kit.ground, -kit.cx - 400, horizon, 400 - kit.cx, 400 - kit.cy);
    draw_ladder(kit, horizon);

    plain_frame(kit);
    draw_flight_director(kit);
    draw_flight_path_vector(kit);
}

void draw_attitude_symbols(Kit& kit) {
    kit.g.reset_clip();
    plain_frame(kit);
    const std::array<gfx::Point, 7> symbol{{{-15, 0}, {-10, 0}, {-5, 7}, {0, 1}, {5, 7}, {10, 0}, {15, 0}}};
    kit.g.draw_lines_i(kit.white2, symbol);
    kit.g.draw_ellipse_i(kit.white2, -2, -2, 4, 4);

    kit.g.rotate_transform(static_cast<float>(aircraft_state.bank_deg));
    const std::array<gfx::Point, 4> pointer{{{0, -80}, {4, -72}, {-4, -72}, {0, -80}}};
    kit.g.draw_lines_i(kit.white1, pointer);
    const double slip = std::trunc(sim_var_object.get_simvar_69() / 15.875);
    kit.g.fill_rectangle_i(gfx::SolidBrush(kWhite), slip - 5, -72, 10, 3);

    for (int angle : {-60, -45, -30, -20, -10, 0, 10, 20, 30, 45, 60}) {
        plain_frame(kit);
        kit.g.rotate_transform(static_cast<float>(angle));
        const int m = std::abs(angle);
        if (m == 0) {
            const std::array<gfx::Point, 4> zero{{{0, -80}, {4, -88}, {-4, -88}, {0, -80}}};
            kit.g.draw_lines_i(kit.white1, zero);
        } else {
            kit.g.draw_line_i(kit.white2, 0, -80, 0, m == 30 || m == 60 ? -90 : -85);
        }
    }
}

} // namespace c17pfd

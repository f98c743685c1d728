// Attitude picture of the B777 PFD: sky and ground, pitch ladder, pitch
// limit indicator, aircraft symbol, flight director, radio altitude,
// flight-path vector, and the bank scale with pointer and slip indicator.
#include "pfd/b777_pfd.h"

#include "pfd/flight_director.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace b777 {
namespace {

gfx::GraphicsPath attitude_window() {
    gfx::GraphicsPath p;
    p.add_arc(-70, -75, 30, 30, 180, 90);
    p.add_line(-55, -75, 55, -75);
    p.add_arc(40, -75, 30, 30, 270, 90);
    p.add_line(70, -60, 70, 60);
    p.add_arc(40, 45, 30, 30, 0, 90);
    p.add_line(55, 75, -55, 75);
    p.add_arc(-70, 45, 30, 30, 90, 90);
    p.add_line(-70, 60, -70, -60);
    p.close_figure();
    return p;
}

gfx::GraphicsPath ladder_arch() {
    gfx::GraphicsPath p;
    p.add_arc(-85, -65, 170, 141, 210, 120);
    p.add_line(70, -35, 70, 75);
    p.add_line(70, 75, -70, 75);
    p.add_line(-70, 75, -70, -35);
    p.close_figure();
    return p;
}

// Fills the rectangle between two design corners in the fine frame.
void draw_ladder(Kit& kit, double y_h) {
    char buf[16];
    for (int i = 0; i <= 90; i += 5) {
        const double y_up = y_h - 3.0 * i, y_dn = y_h + 3.0 * i;
        if (i == 0) {
            fine_line(kit, kit.white1k, -130, y_h, 130, y_h);
            continue;
        }
        for (double y : {y_up, y_dn}) {
            if (i % 10 == 0) {
                fine_line(kit, kit.white1k, -32, y, 32, y);
                std::snprintf(buf, sizeof buf, "%d", i);
                fine_text(kit, buf, 9, kWhite, 32, y - 5);
                fine_text(kit, buf, 9, kWhite, -45, y - 5);
            } else {
                fine_line(kit, kit.white1k, -16, y, 16, y);
            }
        }
        fine_line(kit, kit.white1k, -8, y_up + 8, 8, y_up + 8);
        fine_line(kit, kit.white1k, -8, y_dn - 8, 8, y_dn - 8);
    }
}

void draw_pitch_limit(Kit& kit) {
    const double v = sim_var_object.get_simvar_349();
    const double y = v >= 25000 ? -40.0 : 37.0 - v / 25000.0 * 80.0;
    for (double s : {1.0, -1.0}) {
        fine_line(kit, kit.amber2k, s * -30, y, s * -30, y - 6);
        fine_line(kit, kit.amber2k, s * -30, y - 5, s * -42, y - 5);
        for (double x : {-33.0, -36.0, -39.0})
            fine_line(kit, kit.amber2k, s * x, y - 5, s * (x - 3), y - 12);
    }
}

template <size_t N> void symbol_shape(Kit& kit, const gfx::Pen& pen, const std::array<gfx::Point, N>& pts) {
    kit.g.fill_polygon_i(gfx::SolidBrush(kBlack), pts);
    kit.g.draw_lines_i(pen, pts);
}

void draw_aircraft_symbol(Kit& kit) {
    if (EadiDualCue == 0) {
        symbol_shape<7>(kit, kit.white2,
                        {{{0, 0}, {40, 15}, {20, 15}, {0, 0}, {-20, 15}, {-40, 15}, {0, 0}}});
        return;
    }
    std::array<gfx::Point, 8> left{
        {{-26, 0}, {-26, -2}, {-60, -2}, {-60, 2}, {-30, 2}, {-30, 10}, {-26, 10}, {-26, 0}}};
    std::array<gfx::Point, 8> right = left;
    for (gfx::Point& p : right)
        p.x = -p.x;
    symbol_shape<8>(kit, kit.white1, left);
    symbol_shape<5>(kit, kit.white1, {{{-2, -2}, {-2, 2}, {2, 2}, {2, -2}, {-2, -2}}});
    symbol_shape<8>(kit, kit.white1, right);
}

// Returns whether the director was drawn (its clip stays in force).
bool draw_flight_director(Kit& kit, const gfx::GraphicsPath& window) {
    if (sim_var_object.get_simvar_792_int() == 0) return false;
    const AircraftState& a = aircraft_state;
    const double e = std::clamp(std::trunc(std::trunc(a.snap_token_794) - a.bank_deg), -25.0, 25.0);
    step_fd_cues(-e, a.snap_token_793 - a.pitch_deg);
    const int y = static_cast<int>(std::trunc(3.0 * fd_pitch_cue_deg));
    kit.g.set_clip_path(window);
    if (EadiDualCue == 0) {
        kit.g.rotate_transform(static_cast<float>(fd_bank_cue_deg));
        const std::array<gfx::Point, 13> bars{{{0, y},
                                               {50, y + 10},
                                               {45, y + 15},
                                               {50, y + 15},
                                               {50, y + 10},
                                               {45, y + 15},
                                               {0, y},
                                               {-45, y + 15},
                                               {-50, y + 10},
                                               {-50, y + 15},
                                               {-45, y + 15},
                                               {-50, y + 10},
                                               {0, y}}};
        kit.g.draw_lines_i(kit.magenta1, bars);
        plain_frame(kit);
    } else {
        const double x = std::trunc(2.4 * fd_bank_cue_deg);
        kit.g.draw_line_i(kit.magenta2, x, -45, x, 45);
        kit.g.draw_line_i(kit.magenta2, -45, y, 45, y);
    }
    return true;
}

void draw_flight_path_vector(Kit& kit) {
    const AircraftState& a = aircraft_state;
    if (DispFPV != 1 || a.ground_speed_kt <= 60) return;
    const double g = 60.0 * sim_var_object.get_vertical_speed_fpm() / a.ground_speed_kt;
    const double y0 = std::trunc(-3.0 * g / 100.0), x0 = std::trunc(3.0 * drift_angle_deg);
    const double y = std::clamp(y0, -70.0, 70.0), x = std::clamp(x0, -65.0, 65.0);
    if ((y != y0 || x != x0) && frame_slot >= 8) return;
    flight_path_symbol(kit, kit.white1, x, y);
}

} // namespace

void draw_attitude(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const gfx::GraphicsPath window = attitude_window();
    const gfx::GraphicsPath arch = ladder_arch();
    const float bank = static_cast<float>(a.bank_deg);
    const double y_h = -3.0 * a.pitch_deg;

    plain_frame(kit);
    kit.g.set_clip_path(window);
    fine_frame(kit);
    kit.g.rotate_transform(bank);
    fine_fill(kit, kit.sky, -375, -390, 145, y_h);
    fine_fill(kit, kit.ground, -375, y_h, 145, 130);
    kit.g.reset_clip();

    plain_frame(kit);
    kit.g.set_clip_path(arch);
    fine_frame(kit);
    kit.g.rotate_transform(bank);
    draw_ladder(kit, y_h);
    if (sim_var_object.get_simvar_907() > 0) draw_pitch_limit(kit);

    plain_frame(kit);
    draw_aircraft_symbol(kit);
    draw_flight_director(kit, window);

    if (a.radio_altitude_ft < 2500) {
        char buf[32];
        kit.g.fill_rectangle_i(gfx::SolidBrush(kit.background), -20, 53, 40, 15);
        std::snprintf(buf, sizeof buf, "%4.0f", a.radio_altitude_ft);
        frame_text(kit, buf, 15, kWhite, -20, 53);
    }
    draw_flight_path_vector(kit);
    kit.g.reset_clip();
}

void draw_bank_scale(Kit& kit) {
    plain_frame(kit);
    kit.g.rotate_transform(static_cast<float>(aircraft_state.bank_deg));
    const std::array<gfx::Point, 4> pointer{{{0, -70}, {4, -62}, {-4, -62}, {0, -70}}};
    kit.g.draw_lines_i(kit.white1, pointer);
    kit.g.draw_rectangle_i(kit.white1, std::trunc(sim_var_object.get_simvar_69() / 15.875) - 5, -62, 10, 3);
    for (int angle : {-60, -45, -30, -20, -10, 0, 10, 20, 30, 45, 60}) {
        plain_frame(kit);
        kit.g.rotate_transform(static_cast<float>(angle));
        const int m = std::abs(angle);
        if (m == 0) {
            const std::array<gfx::Point, 3> tri{{{0, -70}, {3, -75}, {-3, -75}}};
            kit.g.fill_polygon_i(gfx::SolidBrush(kWhite), tri);
        } else {
            kit.g.draw_line_i(kit.white1, 0, -70, 0, m == 30 ? -80 : m == 60 ? -77 : -75);
        }
    }
}

} // namespace b777

// EFS50_EADI attitude: sky and ground, pitch ladder, bank scale, horizon,
// heading tape, aircraft symbol and flight director.
#include "pfd/efs50_eadi.h"

#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "pfd/flight_director.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace efs50 {
namespace {

// A rectangle of the plain frame, unrotated, as the clip.
void set_window(Kit& kit, double left, double top, double right, double bottom) {
    plain_frame(kit);
    gfx::GraphicsPath p;
    p.add_line_i(left, top, right, top);
    p.add_line_i(right, top, right, bottom);
    p.add_line_i(right, bottom, left, bottom);
    p.add_line_i(left, bottom, left, top);
    p.close_figure();
    kit.g.set_clip_path(p);
}

bool attitude_expanded() {
    return (lnav_engaged == 1 && ExpandEADILnav == 1) || ExpandEADI == 1;
}

void set_attitude_window(Kit& kit) {
    if (attitude_expanded())
        set_window(kit, -124, -114, 124, 113);
    else
        set_window(kit, -99, -94, 99, 88);
}

// The horizon window opens with LNAV whatever the settings say.
void set_horizon_window(Kit& kit) {
    if (lnav_engaged != 0)
        set_window(kit, -124, -104, 124, 113);
    else
        set_window(kit, -99, -94, 99, 88);
}

void draw_sky_and_ground(Kit& kit, double h) {
    set_attitude_window(kit);
    fine_frame(kit, aircraft_state.bank_deg);
    fine_fill(kit, kSky, {{-529, -514}, {271, -114}, {271, h}, {-529, h}, {-529, -514}});
    fine_fill(kit, kGround, {{-529, h}, {271, h}, {271, 286}, {-529, 286}, {-529, h}});
}

void draw_ladder(Kit& kit) {
    kit.g.reset_clip();
    fine_frame(kit);
    gfx::GraphicsPath circle;
    circle.add_ellipse_i(at_x(kit, -76), at_y(kit, -73), at_x(kit, 150), at_y(kit, 150));
    kit.g.set_clip_path(circle);
    kit.g.rotate_transform(static_cast<float>(aircraft_state.bank_deg));
    const double b = std::trunc(-3.0 * aircraft_state.pitch_deg);
    char label[16];
    for (int i = 0; i <= 90; i += 5) {
        for (double y : {b - 3 * i, b + 3 * i}) {
            if (i % 10 != 0) {
                fine_line(kit, kit.white1, -10, y, 10, y);
                continue;
            }
            fine_line(kit, kit.white1, -30, y, 30, y);
            if (i == 0) continue; // the zero line has no numbers
            std::snprintf(label, sizeof label, "%d", i);
            fine_text(kit, label, 17, kWhite, 30, y - 8);
            fine_text(kit, label, 17, kWhite, -55, y - 8);
        }
    }
    kit.g.reset_clip();
}

void draw_bank_scale(Kit& kit) {
    for (int a : {-60, -45, -30, -20, -10, 0, 10, 20, 30, 45, 60}) {
        plain_frame(kit, a);
        const int m = std::abs(a);
        if (m <= 20)
            fine_line(kit, kit.white2, 0, -85, 0, -94);
        else if (m == 45)
            fine_polyline(kit, kit.white2, {{0, -86}, {4, -94}, {-4, -94}, {0, -86}});
        else
            fine_line(kit, kit.white2, 0, -75, 0, -94);
    }
    plain_frame(kit);
    fine_fill(kit, kAmber, {{0, -83}, {5, -94}, {-5, -94}});
    plain_frame(kit, aircraft_state.bank_deg);
    fine_fill(kit, kWhite, {{0, -84}, {5, -73}, {-5, -73}});
}

struct TapeLabel {
    const char* text;
    double dx;
};

// Labels of the headings that are multiples of 30, by heading / 30.
constexpr TapeLabel kTapeLabels[12] = {{"N", 5}, {"3", 5},  {"6", 5},  {"E", 5}, {"12", 7}, {"15", 7},
                                       {"S", 7}, {"21", 7}, {"24", 7}, {"W", 7}, {"30", 7}, {"33", 7}};

// Every quarter-degree step draws its heading's tick again, so a whole
// heading shows up to four times a little apart, as the tape always has.
void draw_heading_tape(Kit& kit, double h) {
    const AircraftState& a = aircraft_state;
    const double bug = std::trunc(a.heading_bug_deg);
    double m = -999;
    for (int q = -180; q <= 180; ++q) {
        const double o = q * 0.25;
        double d = std::trunc(o + a.heading_deg);
        if (d < 0) d += 360;
        if (d >= 360) d -= 360;
        const double x = 1.8 * o;
        if (std::fmod(d, 10) == 0) {
            fine_line(kit, kit.white2f, x, h, x, h - 7);
            if (std::fmod(d, 30) == 0 && d >= 0 && d < 360) {
                const TapeLabel& l = kTapeLabels[static_cast<int>(d) / 30];
                fine_text(kit, l.text, 10, kWhite, x - l.dx, h - 20);
            }
        } else if (std::fmod(d, 5) == 0) {
            fine_line(kit, kit.white2f, x, h, x, h - 4.5);
        }
        if (d == bug || (d == 0 && bug == 360)) m = std::trunc(o - 1.0);
    }
    if (m == -999) return;
    const double k = 1.8;
    fine_polyline(kit, kit.amber2f,
                  {{k * (m - 5), h},
                   {k * (m - 5), h - 12},
                   {k * (m - 1.5), h - 12},
                   {k * m, h - 6},
                   {k * (m + 1.5), h - 12},
                   {k * (m + 5), h - 12},
                   {k * (m + 5), h},
                   {k * (m - 5), h}});
}

void symbol_shape(Kit& kit, std::initializer_list<DPoint> points) {
    fine_fill(kit, kAmber, points);
    fine_polyline(kit, kit.white1, points);
}

void draw_aircraft_symbol(Kit& kit) {
    set_attitude_window(kit);
    if (EadiDualCue == 0) {
        symbol_shape(kit, {{0, 0}, {60, 20}, {30, 20}, {30, 15}, {-30, 15}, {-30, 20}, {-60, 20}, {0, 0}});
        symbol_shape(kit, {{-110, 2}, {-110, -8}, {-80, -8}, {-80, 2}, {-110, 2}});
        symbol_shape(kit, {{110, 2}, {110, -8}, {80, -8}, {80, 2}, {110, 2}});
    } else {
        symbol_shape(kit,
                     {{-15, 0}, {-15, -4}, {-60, -4}, {-60, 4}, {-22, 4}, {-22, 14}, {-15, 14}, {-15, 0}});
        symbol_shape(kit, {{-2, -2}, {-2, 2}, {2, 2}, {2, -2}, {-2, -2}});
        symbol_shape(kit, {{15, 0}, {15, -4}, {60, -4}, {60, 4}, {22, 4}, {22, 14}, {15, 14}, {15, 0}});
    }
    kit.g.reset_clip();
}

void draw_flight_director(Kit& kit) {
    if (sim_var_object.get_simvar_792_int() == 0) return;
    const AircraftState& a = aircraft_state;
    const double e = std::clamp(std::trunc(std::trunc(a.snap_token_794) - a.bank_deg), -25.0, 25.0);
    step_fd_cues(-e, a.snap_token_793 - a.pitch_deg);
    const double y = std::trunc(3.0 * fd_pitch_cue_deg);
    if (EadiDualCue == 0) {
        plain_frame(kit, fd_bank_cue_deg);
        const std::initializer_list<DPoint> bar = {
            {0, y},        {60, y + 20},  {70, y + 10},  {70, y + 20},  {60, y + 20},  {70, y + 10}, {0, y},
            {-60, y + 20}, {-70, y + 10}, {-70, y + 20}, {-60, y + 20}, {-70, y + 10}, {0, y}};
        fine_fill(kit, kGreen, bar);
        fine_polyline(kit, kit.white1, bar);
    } else {
        plain_frame(kit);
        const double x = std::trunc(3.0 * fd_bank_cue_deg);
        fine_line(kit, kit.magenta3, x, -50, x, 50);
        fine_line(kit, kit.magenta3, -50, y, 50, y);
    }
}

} // namespace

void draw_attitude(Kit& kit) {
    const double h = -3.8 * aircraft_state.pitch_deg;
    draw_sky_and_ground(kit, h);
    draw_ladder(kit);
    draw_bank_scale(kit);
    set_horizon_window(kit);
    fine_frame(kit, aircraft_state.bank_deg);
    fine_line(kit, kit.white2f, -99.5, h, 99.5, h);
    if (EADIHdgTape == 1) draw_heading_tape(kit, h);
    kit.g.reset_clip();
    draw_aircraft_symbol(kit);
    draw_flight_director(kit);
}

} // namespace efs50

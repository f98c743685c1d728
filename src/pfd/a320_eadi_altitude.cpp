// A320_EADI_NB altitude tape with its target marker and rolling readout,
// the heading scale with track diamond and target, the vertical-speed
// scale, and the altitude-target and barometric readouts.
#include "pfd/a320_eadi.h"

#include "fms/fms_update.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace a320 {
namespace {

void draw_tape(Kit& kit, double a) {
    clip_rect(kit, 95, -105, 58, 210);
    fill_rect(kit, kit.tape, 108, -105, 30, 210);
    const double first = std::floor((a + 600) / 100) * 100;
    char label[32];
    // Thirteen marks at most: a counted loop stays finite for any altitude.
    for (int i = 0; i < 13; ++i) {
        const double v = first - 100.0 * i;
        if (!(v >= a - 600)) break;
        const double y = (a - v) * 0.18;
        line(kit, kWhite, 2, 133, y, 138, y);
        if (std::fmod(v, 500) == 0) {
            std::snprintf(label, sizeof label, "%03.0f", std::trunc(v / 100));
            fine_text(kit, label, 12, kWhite, 108, y - 8);
        }
    }
    // The target marker keeps its own scale.
    const double yb = std::trunc(-(aircraft_state.ap_altitude_lock_ft - a) * 0.1825);
    polyline(kit, kCyan, 2,
             {{110, yb},
              {105, yb - 5},
              {105, yb - 16},
              {120, yb - 16},
              {120, yb + 16},
              {105, yb + 16},
              {105, yb + 5},
              {110, yb}});
    kit.g.reset_clip();
    line(kit, kWhite, 2, 108, -105, 139, -105);
    line(kit, kWhite, 2, 138, -105, 138, 105);
    line(kit, kWhite, 2, 108, 105, 139, 105);
}

// The digit at position i; a blank, a sign or any other character reads
// as 0.
int digit_at(const std::string& t, std::size_t i) {
    return i < t.size() && t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : 0;
}

void draw_readout(Kit& kit, double a) {
    const std::vector<gfx::Point> box = at_points(
        kit,
        {{108, 0}, {108, -8}, {138, -8}, {138, -13}, {154, -13}, {154, 13}, {138, 13}, {138, 8}, {108, 8}});
    fill_and_clip(kit, kBlack, box);

    // Six-digit altitudes give longer texts: the readout has room for five
    // characters.
    const std::string t =
        signed_altitude_text(a, [](double v) {
            return format(v < 100 ? "   %02.0f" : v < 1000 ? "  %3.0f" : v < 10000 ? " %4.0f" : "%5.0f", v);
        }).substr(0, 5);
    for (std::size_t i = 0; i < 3 && i < t.size(); ++i)
        if (t[i] != ' ') fine_text(kit, std::string(1, t[i]), 17, kGreen, 105 + 10.0 * i, -9);

    const int tens = digit_at(t, 3);
    const int even = tens - tens % 2;
    const int next = (even + 2) % 10, next2 = (next + 2) % 10;
    const int prev = (even + 8) % 10, prevprev = (prev + 8) % 10;
    const int units = digit_at(t, 4) + (tens % 2 == 1 ? 10 : 0);
    const double off = std::trunc(0.6 * units - 6);
    const int drum[5] = {next2, next, even, prev, prevprev};
    char label[8];
    for (int i = 0; i < 5; ++i) {
        std::snprintf(label, sizeof label, "%d0", drum[i]);
        fine_text(kit, label, 12, kGreen, 137, off + 12.0 * (i - 2));
    }
    kit.g.reset_clip();
    polyline(kit, kAmber, 2,
             {{108, -8}, {138, -8}, {138, -13}, {154, -13}, {154, 13}, {138, 13}, {138, 8}, {108, 8}});
}

// The signed shortest turn from `from` to `to`, -180 ... 180.
double turn(double to, double from) {
    double d = std::fmod(to - from, 360.0);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return d;
}

void heading_label(Kit& kit, int whole, double value, double x, bool left) {
    char label[16];
    std::snprintf(label, sizeof label, "%2d", saturate_to_int(value / 10));
    if (whole % 30 == 0)
        fine_text(kit, label, 15, kWhite, x - (left ? 10 : 8), 138);
    else
        fine_text(kit, label, 12, kWhite, x - 8, 140);
}

} // namespace

void draw_altitude_tape(Kit& kit) {
    const double a = aircraft_state.indicated_altitude_ft;
    fine_frame(kit);
    draw_tape(kit, a);
    draw_readout(kit, a);
}

void draw_heading_scale(Kit& kit) {
    const AircraftState& s = aircraft_state;
    const double h = s.heading_deg;
    fine_frame(kit);
    clip_rect(kit, -90, 130, 180, 25);
    fill_rect(kit, kit.tape, -90, 130, 180, 25);
    kit.g.draw_rectangle_i(gfx::Pen(kWhite, static_cast<float>(std::trunc(2 * kit.fx))), at_x(kit, -90),
                           at_y(kit, 130), at_x(kit, 180), at_y(kit, 25));
    const double fr = h - std::trunc(h);
    for (int k = 0; k <= 55; ++k) {
        double a = h - k, b = h + k;
        if (a < 0) a += 360;
        if (b >= 360) b -= 360;
        const int A = saturate_to_int(a), B = saturate_to_int(b);
        if (A % 5 != 0 && B % 5 != 0) continue;
        const double xa = -(fr + k) * 3.6, xb = (k - fr) * 3.6;
        if (A % 10 == 0) heading_label(kit, A, a, xa, true);
        if (B % 10 == 0 && k > 0) heading_label(kit, B, b, xb, false);
        if (A % 5 == 0) line(kit, kWhite, 2, xa, 130, xa, 135);
        if (B % 5 == 0) line(kit, kWhite, 2, xb, 130, xb, 135);
    }
    const double x = std::trunc(3.6 * turn(track_deg, h));
    polyline(kit, kGreen, 2, {{x, 132}, {x + 4, 138}, {x, 144}, {x - 4, 138}, {x, 132}});
    kit.g.reset_clip();

    const double d = turn(s.heading_bug_deg, h);
    if (d > 25) {
        fine_text(kit, format("%03.0f", s.heading_bug_deg), 12, kCyan, 68, 118);
    } else if (d < -25) {
        fine_text(kit, format("%03.0f", s.heading_bug_deg), 12, kCyan, -90, 118);
    } else {
        const double xb = std::trunc(3.6 * d);
        polyline(kit, kCyan, 2, {{xb, 130}, {xb - 5, 120}, {xb + 5, 120}, {xb, 130}});
    }
}

void draw_vertical_speed(Kit& kit) {
    const double vs = aircraft_state.vertical_speed_fpm;
    plain_frame(kit);
    fine_fill(kit, kit.tape, {{156, 0}, {156, -90}, {168, -70}, {168, 70}, {156, 90}});
    for (int v : {0, 28, 56, 65, 74}) {
        const double width = v == 65 ? 1 : 2;
        line(kit, kWhite, width, 156, -v, 160, -v);
        line(kit, kWhite, width, 156, v, 160, v);
    }
    const double m = std::fabs(vs);
    const double pos = m < 1000    ? std::trunc(0.056 * m)
                       : m <= 2000 ? std::trunc(56 + 0.016 * (m - 1000))
                                   : 74;
    char label[16];
    std::snprintf(label, sizeof label, "%d", saturate_to_whole(m / 100));
    if (vs >= 0) {
        line(kit, kGreen, 4, 206, 0, 156, -pos);
        if (vs >= 200) {
            fill_rect(kit, kBlack, 156, -10 - pos, 15, 10);
            fine_text(kit, label, 9, kGreen, 156, -10 - pos);
        }
    } else {
        line(kit, kGreen, 4, 206, 0, 156, pos);
        if (vs <= -200) {
            fill_rect(kit, kBlack, 156, pos, 15, 10);
            fine_text(kit, label, 9, kGreen, 156, pos);
        }
    }
}

void draw_altitude_target(Kit& kit) {
    const double target = aircraft_state.ap_altitude_lock_ft, a = aircraft_state.indicated_altitude_ft;
    if (!(target > 0)) return;
    plain_frame(kit);
    if (target > a + 500)
        fine_text(kit, format("%4.0f", target), 12, kCyan, 105, -119);
    else if (target < a - 500)
        fine_text(kit, format("%4.0f", target), 12, kCyan, 105, 106);
}

void draw_baro(Kit& kit) {
    const double hpa = aircraft_state.snap_token_75;
    plain_frame(kit);
    if (hpa >= 1013 && hpa < 1013.4) {
        kit.g.draw_rectangle_i(gfx::Pen(kAmber, 2), 100, 130, 30, 12);
        fine_text(kit, "STD", 12, kCyan, 100, 130);
        return;
    }
    fine_text(kit, "QNH", 12, kWhite, 100, 120);
    fine_text(kit, format("%4.0f", hpa), 12, kCyan, 130, 120);
    fine_text(kit, format("%2.2f IN", altimeter_inhg), 12, kCyan, 100, 135);
}

} // namespace a320

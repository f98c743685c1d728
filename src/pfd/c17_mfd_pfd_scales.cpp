// Moving scales of the C17_MFD PFD: speed scale with trend caret, readout
// and bug (speeds grow downward), altitude scale with readout and bug,
// localizer and glideslope scales, and the heading scale with its bug and
// course cross.
#include "pfd/c17_mfd_pfd.h"

#include "data/module_settings.h"
#include "fms/math/air_data.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace c17pfd {
namespace {

// A value formatted with the first form whose limit its printed value stays
// below, so that 99.96 (printed "100.0") takes the three-digit form.
template <std::size_t N>
std::string readout_text(double value, const char* round_format, const double (&limits)[N],
                         const char* const (&forms)[N + 1]) {
    char buf[64];
    std::snprintf(buf, sizeof buf, round_format, value);
    const double printed = std::strtod(buf, nullptr);
    std::size_t i = 0;
    while (i < N && !(printed < limits[i]))
        ++i;
    std::snprintf(buf, sizeof buf, forms[i], value);
    return buf;
}

// Hundreds to tenths: "  5.3", " 45.3", "245.3".
std::string speed_text(double speed) {
    static constexpr double limits[] = {10, 100};
    static constexpr const char* forms[] = {"  %1.1f", " %2.1f", "%3.1f"};
    return readout_text(speed, "%.1f", limits, forms);
}

// Ten-thousands to units: "   50", "  500", " 5000", "50000".
std::string altitude_text(double altitude) {
    static constexpr double limits[] = {100, 1000, 10000};
    static constexpr const char* forms[] = {"   %02.0f", "  %3.0f", " %4.0f", "%5.0f"};
    return readout_text(altitude, "%.0f", limits, forms);
}

// A readout box: filled black and made the clip of its digits; the outline
// is drawn once the clip is gone. Returns the box's fine points.
template <std::size_t N>
std::array<gfx::Point, N> open_box(Kit& kit, const std::array<gfx::Point, N>& design) {
    std::array<gfx::Point, N> fine;
    for (std::size_t i = 0; i < N; ++i)
        fine[i] = gfx::point_i(at_x(kit, design[i].x), at_y(kit, design[i].y));
    fill_and_clip(kit, kBlack, fine);
    return fine;
}

template <std::size_t N> void close_box(Kit& kit, const std::array<gfx::Point, N>& fine) {
    kit.g.reset_clip();
    kit.g.draw_lines_i(kit.ladder, fine);
}

void speed_readout(Kit& kit, double speed) {
    const auto box = open_box<11>(kit, {{{-135, -7},
                                         {-100, -7},
                                         {-100, -12},
                                         {-90, -12},
                                         {-90, -7},
                                         {-85, 0},
                                         {-90, 7},
                                         {-90, 12},
                                         {-100, 12},
                                         {-100, 7},
                                         {-135, 7}}});
    const std::string t = speed_text(speed);
    fine_text(kit, char_at(t, 0), 12, kGreen, -118, -6);
    fine_text(kit, char_at(t, 1), 12, kGreen, -109, -6);
    // The units drum moves up one unit per tenth of a knot.
    const int d = digit_at(t, 2);
    const int f = speed < 1.0 ? 0 : digit_at(t, 4);
    const double off = -6 - f;
    char buf[16];
    for (int i = -2; i <= 2; ++i) {
        std::snprintf(buf, sizeof buf, "%d", wrap_digit(d + i));
        fine_text(kit, buf, 12, kGreen, -100, off + 10 * i);
    }
    close_box(kit, box);
}

void altitude_readout(Kit& kit, double altitude) {
    const auto box = open_box<9>(
        kit,
        {{{124, -12}, {109, -12}, {109, -7}, {89, -7}, {84, 0}, {89, 7}, {109, 7}, {109, 12}, {124, 12}}});
    const std::string t = signed_altitude_text(altitude, altitude_text);
    fine_text(kit, char_at(t, 0), 12, kGreen, 86, -6);
    fine_text(kit, char_at(t, 1), 12, kGreen, 93, -6);
    fine_text(kit, char_at(t, 2), 12, kGreen, 100, -6);
    // The tens drum moves down one unit per foot; higher tens above.
    const int d = digit_at(t, 3);
    const double off = digit_at(t, 4) - 6;
    char buf[16];
    for (int i = -2; i <= 2; ++i) {
        std::snprintf(buf, sizeof buf, "%d0", wrap_digit(d - i));
        fine_text(kit, buf, 12, kGreen, 108, off + 12 * i);
    }
    close_box(kit, box);
}

void chevron(Kit& kit, const gfx::Pen& pen, double tip_x, double y, double dx) {
    kit.g.draw_line_i(pen, tip_x, y, tip_x + dx, y - 5);
    kit.g.draw_line_i(pen, tip_x, y, tip_x + dx, y + 5);
}

// The bearing from the heading brought into -180..180.
double relative_to_heading(double bearing, double heading) {
    double d = bearing - heading;
    if (d > 180)
        d -= 360;
    else if (d < -180)
        d += 360;
    return d;
}

} // namespace

void draw_speed_scale(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    kit.g.set_clip_rect_i(-122, -75, 38, 150);
    fine_frame(kit);
    const int64_t v = saturate_to_int(a.speed_smoothed);
    char buf[16];
    for (int k = -50; k <= 50; ++k) {
        const int64_t value = v + k;
        if (value % 10 != 0) continue;
        const double y = 1.75 * k;
        fine_line(kit, kit.ladder, -85, y, value % 20 == 0 ? -95 : -90, y);
        if (value % 20 != 0 || value < 0) continue;
        std::snprintf(buf, sizeof buf, "%3d", static_cast<int>(value));
        fine_text(kit, buf, 9, kWhite, -115, y - 5);
    }
    kit.g.reset_clip();

    if (DispC17SpdTrend == 1) {
        const double y0 = std::clamp(std::trunc(-306 * speed_trend), -17.0, 17.0) - 3;
        const std::vector<gfx::Point> caret = at_points(kit, {{-25, y0}, {-19, y0 + 3}, {-25, y0 + 6}});
        kit.g.fill_polygon_i(gfx::SolidBrush(kWhite), caret);
    }
    speed_readout(kit, a.speed_smoothed);
}

void draw_altitude_scale(Kit& kit) {
    const double alt = aircraft_state.indicated_altitude_ft;
    plain_frame(kit);
    kit.g.set_clip_rect_i(82, -70, 40, 140);
    fine_frame(kit);
    const int64_t top = saturate_to_int(alt + 1199);
    char buf[16];
    for (int64_t a = top - ((top % 100) + 100) % 100; a >= alt - 1199; a -= 100) {
        const double y = 0.065 * (alt - static_cast<double>(a));
        if (a % 500 == 0) {
            fine_line(kit, kit.ladder, 84, y, 94, y);
            std::snprintf(buf, sizeof buf, "%5d", static_cast<int>(a));
            fine_text(kit, buf, 9, kWhite, 95, y - 5);
        } else {
            fine_line(kit, kit.ladder, 84, y, 89, y);
        }
    }
    kit.g.reset_clip();
    altitude_readout(kit, alt);
}

void draw_bugs_and_deviations(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    if (a.snap_token_115 == 1) {
        const double y0 = std::trunc(1.68 * (a.ap_airspeed_target_kt - a.speed_smoothed));
        const double y = std::clamp(y0, -67.0, 67.0);
        chevron(kit, kit.cyan2, -85, y, 5);
        if (y != y0) chevron(kit, kit.cyan2, -82, y, 5);
    }
    if (a.snap_token_103 == 1) {
        const double y0 = std::trunc(0.065 * (a.indicated_altitude_ft - a.ap_altitude_lock_ft));
        const double y = std::clamp(y0, -65.0, 65.0);
        const bool hold = a.snap_token_108 == 1;
        chevron(kit, hold ? kit.cyan2 : kit.bug_green2, 83, y, -5);
        if (y != y0) chevron(kit, hold ? kit.bug_green2 : kit.cyan2, 80, y, -5);
    }

    if (sim_var_object.get_nav1_signal() > 0 && sim_var_object.test_simvar_46_bit_128() != 0) {
        const std::array<gfx::Point, 4> box{{{-2, 81}, {-2, 89}, {2, 89}, {2, 81}}};
        kit.g.draw_polygon_i(kit.white1, box);
        for (int x : {-50, -25, 25, 50})
            kit.g.draw_ellipse_i(kit.white1, x - 2, 83, 4, 4);
        const int x = saturate_to_int(a.snap_token_40 / 2.54);
        const std::array<gfx::Point, 4> pointer{{{x, 80}, {x - 5, 85}, {x, 90}, {x + 5, 85}}};
        kit.g.draw_polygon_i(kit.magenta2, pointer);
    }
    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        kit.g.draw_rectangle_i(kit.white1, 71, -2, 8, 4);
        for (int y : {-38, -19, 19, 38})
            kit.g.draw_ellipse_i(kit.white1, 73, y - 2, 4, 4);
        const int y = saturate_to_int(a.snap_token_41 / 3.3421052631578947);
        const std::array<gfx::Point, 4> pointer{{{75, y - 5}, {70, y}, {75, y + 5}, {80, y}}};
        kit.g.draw_polygon_i(kit.magenta2, pointer);
    }
}

void draw_heading_scale(Kit& kit) {
    const AircraftState& a = aircraft_state;
    canvas_frame(kit);
    kit.g.translate_transform(static_cast<float>(kit.cx), 229.0f);
    const std::array<gfx::Point, 3> pointer{{{0, -8}, {-3, -16}, {3, -16}}};
    kit.g.draw_polygon_i(kit.bug_green2, pointer);

    kit.g.set_clip_rect_i(-55, -10, 110, 21);
    const double h = a.heading_deg;
    char buf[16];
    const auto mark = [&](int64_t value, double x) {
        if (value % 10 == 0) {
            kit.g.draw_line_i(kit.white2, x, 0, x, -8);
            std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(value / 10));
            frame_text(kit, buf, 9, kWhite, x - 7, 2);
        } else if (value % 5 == 0) {
            kit.g.draw_line_i(kit.white2, x, 0, x, -4);
        }
    };
    for (int k = 0; k <= 25; ++k) {
        // Below north the headings run on from 359 (floor: 0.5 - 1 is 359, not 0 again).
        int64_t lo = saturate_to_int(std::floor(h - k));
        if (lo < 0) lo += 360;
        int64_t hi = saturate_to_int(h + k);
        if (hi >= 360) hi -= 360;
        if (k > 0) mark(lo, -2.0 * k);
        mark(hi, 2.0 * k);
    }
    kit.g.reset_clip();
    frame_text(kit, "M", 9, kWhite, 60, 2);

    const double bug_x0 = std::trunc(2 * relative_to_heading(a.heading_bug_deg, h));
    const double bug_x = std::clamp(bug_x0, -55.0, 55.0);
    kit.g.draw_rectangle_i(kit.cyan2, bug_x - 5, -10, 10, 5);
    kit.g.draw_line_i(kit.cyan2, bug_x, -10, bug_x, -5);
    if (std::abs(bug_x) == 55) {
        std::snprintf(buf, sizeof buf, "%03.0f", a.heading_bug_deg);
        frame_text(kit, buf, 7, kWhite, bug_x - 7, -20);
    }
    const double course_x =
        std::clamp(std::trunc(2 * relative_to_heading(a.nav1_course_deg, h)), -55.0, 55.0);
    kit.g.draw_line_i(kit.white2, course_x, -14, course_x, -6);
    kit.g.draw_line_i(kit.white2, course_x - 4, -10, course_x + 4, -10);
}

} // namespace c17pfd

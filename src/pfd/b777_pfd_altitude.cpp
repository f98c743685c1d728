// Altitude column of the B777 PFD: the moving tape, the rolling-digit
// readout, the selected-altitude bug and readout, the vertical-speed scale,
// the altimeter setting and the minimums.
#include "pfd/b777_pfd.h"

#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace b777 {
namespace {

constexpr double kFeetScale = 0.2455; // units per foot

int digit_at(const char* s, size_t i) {
    for (size_t j = 0; j <= i; ++j)
        if (s[j] == '\0') return 0;
    return s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : 0;
}

void clip_tape(Kit& kit) {
    kit.g.set_clip_rect_i(at_x(kit, 80), at_y(kit, -100), at_x(kit, 40), at_y(kit, 200));
}

void draw_readout(Kit& kit, double alt) {
    const std::vector<gfx::Point> box =
        at_points(kit, {{87, 0}, {92, -5}, {92, -15}, {128, -15}, {128, 15}, {92, 15}, {92, 5}, {87, 0}});
    fill_and_clip(kit, kit.background, box);

    const std::string text = signed_altitude_text(alt, [](double a) {
        char out[64];
        std::snprintf(out, sizeof out,
                      a < 100     ? "   %02.1f"
                      : a < 1000  ? "  %3.1f"
                      : a < 10000 ? " %4.1f"
                                  : "%5.1f",
                      a);
        return std::string(out);
    });
    const char* readout = text.c_str();
    fine_text(kit, std::string_view(readout, 1), 12, kWhite, 91, -6);
    fine_text(kit, std::string_view(readout + 1, 1), 12, kWhite, 99, -6);
    fine_text(kit, std::string_view(readout + 2, 1), 11, kWhite, 107, -5);
    const int t = digit_at(readout, 3);
    const bool odd = t % 2 == 1;
    const int te = odd ? t - 1 : t;
    const int f = digit_at(readout, 4) + (odd ? 10 : 0);
    const double o = std::trunc(f * 0.6 - 5);
    const int drum[5] = {(te + 4) % 10, (te + 2) % 10, te, (te + 8) % 10, (te + 6) % 10};
    char buf[16];
    for (int i = 0; i < 5; ++i) {
        std::snprintf(buf, sizeof buf, "%d0", drum[i]);
        fine_text(kit, buf, 11, kWhite, 113, o + 12.0 * (i - 2));
    }
    kit.g.reset_clip();
    kit.g.draw_lines_i(kit.white1k, box);
}

} // namespace

void draw_altitude_tape(Kit& kit) {
    const AircraftState& s = aircraft_state;
    const double alt = s.indicated_altitude_ft;
    fine_frame(kit);
    clip_tape(kit);
    kit.g.fill_rectangle_i(gfx::SolidBrush(kit.tape), at_x(kit, 85), at_y(kit, -100), at_x(kit, 35),
                           at_y(kit, 200));
    char buf[32];
    for (double a = alt + 500; a >= alt - 500;) {
        const long long n = static_cast<long long>(std::trunc(a));
        const double y = (alt - a) * kFeetScale;
        if (n % 100 == 0) {
            fine_line(kit, kit.white1k, 85, y, 92, y);
            if (n % 200 == 0) {
                const double label = std::trunc(a / 100) * 100;
                std::snprintf(buf, sizeof buf, "%03.0f", label);
                fine_text(kit, buf, 9, kWhite, 93, y - 5);
                if (label == 0) {
                    fine_line(kit, kit.white1k, 85, y - 5, 120, y - 5);
                    fine_line(kit, kit.white1k, 85, y + 5, 120, y + 5);
                }
            }
        }
        a -= n % 5 != 0 ? 1 : n % 10 != 0 ? 5 : n % 50 != 0 ? 10 : 50;
    }
    kit.g.reset_clip();
    draw_readout(kit, alt);

    clip_tape(kit);
    const double y = std::trunc(-(s.ap_altitude_lock_ft - alt) * kFeetScale);
    const double bug[8][2] = {{87, y},       {82, y - 5},  {82, y - 15}, {102, y - 15},
                              {102, y + 15}, {82, y + 15}, {82, y + 5},  {87, y}};
    for (int i = 0; i < 7; ++i)
        fine_line(kit, kit.magenta1k, bug[i][0], bug[i][1], bug[i + 1][0], bug[i + 1][1]);
    kit.g.reset_clip();
}

void draw_selected_altitude(Kit& kit) {
    char buf[32];
    plain_frame(kit);
    std::snprintf(buf, sizeof buf, "%5.0f", aircraft_state.ap_altitude_lock_ft);
    frame_text(kit, buf, 13, kMagenta, 80, -118);
}

// Scale position of a vertical speed: marks at 500, 1000, 1500, 2000, 4000
// and 6000 ft/min; climbs upward.
static int vertical_speed_offset(double v) {
    const double u = std::fabs(v);
    const double d = u > 6000    ? 64
                     : u >= 2000 ? 48 + (u - 2000) * 0.004
                     : u >= 1000 ? 28 + (u - 1000) * 0.02
                                 : u * 0.028;
    const int t = static_cast<int>(std::trunc(d));
    return v > 0 ? -t : t;
}

void draw_vertical_speed(Kit& kit) {
    plain_frame(kit);
    const std::array<gfx::Point, 12> outline{{{130, 0},
                                              {130, -20},
                                              {125, -25},
                                              {125, -70},
                                              {135, -70},
                                              {145, -40},
                                              {145, 40},
                                              {135, 70},
                                              {125, 70},
                                              {125, 25},
                                              {130, 20},
                                              {130, 0}}};
    kit.g.fill_polygon_i(gfx::SolidBrush(kit.tape), outline);
    for (int m : {0, 14, 28, 38, 48, 56, 64}) {
        const gfx::Pen& pen = (m == 14 || m == 38 || m == 56) ? kit.white1 : kit.white2;
        kit.g.draw_line_i(pen, 130, -m, 135, -m);
        kit.g.draw_line_i(pen, 130, m, 135, m);
        const char* label = m == 28 ? "1" : m == 48 ? "2" : m == 64 ? "6" : nullptr;
        if (label != nullptr) {
            frame_text(kit, label, 9, kWhite, 123, -m - 5);
            frame_text(kit, label, 9, kWhite, 123, m - 5);
        }
    }
    const double v = aircraft_state.vertical_speed_fpm;
    kit.g.draw_line_i(kit.white2, 145, 0, 130, vertical_speed_offset(v));
    // Whole hundreds: a climb at 2300 ft/min read back as 2299.9999999999995
    // (its sum over a frame, undone) reads 2300, on every build.
    const int r = saturate_to_whole(v / 100) * 100;
    char buf[32];
    if (v > 100) {
        std::snprintf(buf, sizeof buf, "%4d", r);
        frame_text(kit, buf, 9, kWhite, 123, -83);
    } else if (v < -100) {
        std::snprintf(buf, sizeof buf, "%4d", -r);
        frame_text(kit, buf, 9, kWhite, 123, 73);
    }
}

void draw_baro(Kit& kit) {
    const double p = aircraft_state.snap_token_75;
    plain_frame(kit);
    if (p >= 1013.0 && p < 1013.4) {
        frame_text(kit, "STD", 11, kGreen, 85, 105);
        return;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2.2f IN", p / 1013.25 * 29.92);
    frame_text(kit, buf, 9, kGreen, 85, 100);
    std::snprintf(buf, sizeof buf, "%4.0f HPA", p);
    frame_text(kit, buf, 9, kWhite, 85, 115);
}

void draw_minimums(Kit& kit) {
    char buf[32];
    plain_frame(kit);
    frame_text(kit, "BARO", 9, kGreen, 45, 80);
    std::snprintf(buf, sizeof buf, "%3.0f", sim_var_object.get_decision_height_ft());
    frame_text(kit, buf, 9, kGreen, 50, 90);
}

} // namespace b777

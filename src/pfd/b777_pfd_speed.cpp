// Speed column of the B777 PFD: the moving tape with barber poles, bug,
// take-off and reference speeds and trend arrow, the rolling-digit readout,
// the selected speed or Mach above it and the Mach readout below.
#include "pfd/b777_pfd.h"

#include "data/aircraft_settings.h"
#include "fms/math/air_data.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace b777 {
namespace {

// A character of a formatted readout as a digit; anything else reads as 0.
int digit_at(const char* s, size_t i) {
    for (size_t j = 0; j <= i; ++j)
        if (s[j] == '\0') return 0;
    return s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : 0;
}

void draw_takeoff_speeds(Kit& kit, double s, double ra) {
    const auto y = [s](double v) { return -(v - s) * 1.5; };
    if (VR > 0) {
        if (V1 == 0) V1 = VR;
        if (std::abs(VR - V1) >= 4 && std::abs(VR - V2) >= 4) {
            if (ra < 30) {
                fine_text(kit, "V1", 6.5, kAmber, -81, y(V1) - 7);
                fine_text(kit, "VR", 6.5, kAmber, -81, y(VR) - 7);
            }
            if (ra < 800 && V2 > 0) fine_text(kit, "V2", 6.5, kAmber, -81, y(V2) - 7);
        } else if (ra < 30) {
            fine_text(kit, "R", 6.5, kAmber, -78, y(VR) - 7);
        }
    } else if (ra < 30) {
        fine_text(kit, "NO", 6.5, kAmber, -81, -57);
        fine_text(kit, "V", 6.5, kAmber, -78, -47);
        fine_text(kit, "S", 6.5, kAmber, -78, -37);
        fine_text(kit, "P", 6.5, kAmber, -78, -30);
        fine_text(kit, "D", 6.5, kAmber, -78, -23);
    }
}

void draw_readout(Kit& kit, double s) {
    // The readout box with its pointer toward the tape.
    const std::vector<gfx::Point> box = at_points(
        kit, {{-85, 0}, {-90, -5}, {-90, -15}, {-115, -15}, {-115, 15}, {-90, 15}, {-90, 5}, {-85, 0}});
    fill_and_clip(kit, kit.background, box);

    char buf[64];
    std::snprintf(buf, sizeof buf, s < 10 ? "  %1.5f" : s < 100 ? " %2.5f" : "%3.5f", s);
    fine_text(kit, std::string_view(buf, 1), 12, kWhite, -117, -7);
    fine_text(kit, std::string_view(buf + 1, 1), 12, kWhite, -109, -7);
    const int d = digit_at(buf, 2);
    int f = 0;
    if (s >= 1.0) {
        const char* dot = std::strchr(buf, '.');
        if (dot != nullptr) f = digit_at(dot, 1) * 10 + digit_at(dot, 2);
    }
    const double o = std::trunc(f / 10.0 * 1.5 - 7);
    const int digits[5] = {(d + 2) % 10, (d + 1) % 10, d, (d + 9) % 10, (d + 8) % 10};
    for (int i = 0; i < 5; ++i) {
        std::snprintf(buf, sizeof buf, "%d", digits[i]);
        fine_text(kit, buf, 12, kWhite, -101, o + 12.0 * (i - 2));
    }
    kit.g.reset_clip();
    kit.g.draw_lines_i(kit.white1k, box);
}

} // namespace

void draw_speed_tape(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const double s = a.speed_smoothed, ra = a.radio_altitude_ft;
    const auto y = [s](double v) { return -(v - s) * 1.5; };
    double vmax = sim_var_object.get_simvar_63() / 128.0;
    if (s > vmax + 120) vmax = s - 70;
    const double vs = sim_var_object.get_simvar_907() == 0 ? sim_var_object.get_design_speed_vs1_kt()
                                                           : sim_var_object.get_design_speed_vs0_kt();

    fine_frame(kit);
    kit.g.set_clip_rect_i(at_x(kit, -115), at_y(kit, -100), at_x(kit, 45), at_y(kit, 200));
    kit.g.fill_rectangle_i(gfx::SolidBrush(kit.tape), at_x(kit, -115), at_y(kit, -100), at_x(kit, 35),
                           at_y(kit, 200));

    char buf[32];
    const double si = std::trunc(s), fr = s - si;
    for (double v = si - 70; v < si + 70;) {
        const bool ten = std::fmod(v, 10.0) == 0.0;
        if (ten && v >= 0) {
            const double ty = (si - v + fr) * 1.5;
            fine_line(kit, kit.white1k, -86, ty, -80, ty);
            if (std::fmod(v, 20.0) == 0.0) {
                std::snprintf(buf, sizeof buf, "%3d", static_cast<int>(v));
                fine_text(kit, buf, 9, kWhite, -110, ty - 5);
            }
        }
        v += ten ? 10 : 1;
    }

    if (ra > 200) {
        if (std::fabs(vmax - s) < 140) {
            const double y0 = y(vmax);
            const int n = std::max(40, static_cast<int>(std::trunc((s + 70 - vmax) / 4.5)));
            for (int j = 0; j < n; ++j)
                fine_line(kit, kit.red3k, -75, y0 - 8 * j, -80, y0 - 8 * j);
        }
        if (std::fabs(vs + 5 - s) < 140) {
            const double y1 = y(vs + 5);
            fine_line(kit, kit.amber2k, -77, y1, -77, y1 - 20);
            fine_line(kit, kit.amber2k, -77, y1 - 19, -80, y1 - 19);
            for (int j = 0; j < 40; ++j)
                fine_line(kit, kit.red3k, -75, y1 + 8 * j, -80, y1 + 8 * j);
        }
    }

    const double yb = y(a.ap_airspeed_target_kt);
    const double bug[6][2] = {{-86, yb},     {-81, yb - 5}, {-71, yb - 5},
                              {-71, yb + 5}, {-81, yb + 5}, {-86, yb}};
    for (int i = 0; i < 5; ++i)
        fine_line(kit, kit.magenta1k, bug[i][0], bug[i][1], bug[i + 1][0], bug[i + 1][1]);

    draw_takeoff_speeds(kit, s, ra);
    if (VREF > 0 && ra > 300) {
        fine_text(kit, "REF", 5, kGreen, -82, y(VREF) - 3);
        fine_line(kit, kit.green2k, -83, y(VREF), -93, y(VREF));
    }

    const double t = std::clamp(-180.0 * 1.4 * speed_trend, -92.0, 92.0);
    fine_line(kit, kit.green2k, -83, 0, -83, t);
    if (t < -1) {
        fine_line(kit, kit.green2k, -85, t + 2, -83, t - 1);
        fine_line(kit, kit.green2k, -81, t + 2, -83, t - 1);
    } else if (t > 1) {
        fine_line(kit, kit.green2k, -85, t - 2, -83, t + 1);
        fine_line(kit, kit.green2k, -81, t - 2, -83, t + 1);
    }
    kit.g.reset_clip();
    draw_readout(kit, s);
}

void draw_speed_texts(Kit& kit) {
    const AircraftState& a = aircraft_state;
    char buf[32];
    plain_frame(kit);
    if (a.snap_token_117 == 1.0)
        std::snprintf(buf, sizeof buf, "%.2f", sim_var_object.get_ap_mach_target());
    else
        std::snprintf(buf, sizeof buf, "%3.0f", a.ap_airspeed_target_kt);
    frame_text(kit, buf, 13, kMagenta, -110, -118);
}

void draw_mach_readout(Kit& kit) {
    const double m = aircraft_state.mach;
    if (m < 0.4) return;
    char buf[32];
    if (m >= 1.0)
        std::snprintf(buf, sizeof buf, "%.3f", m);
    else
        std::snprintf(buf, sizeof buf, ".%3.0f", m * 1000);
    plain_frame(kit);
    frame_text(kit, buf, 15, kWhite, -110, 100);
}

} // namespace b777

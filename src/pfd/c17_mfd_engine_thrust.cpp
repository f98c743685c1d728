// Format 9 of the C17_MFD, the thrust page: an EPR worked out from each
// engine's N1 against the ambient pressure, shown as figures and as bars on a
// common scale with the thrust-lever cues beside them, the N1 figures, the
// total fuel flow, and the EGT warnings with their time.
#include "data/c17_mfd_state.h"
#include "pfd/c17_mfd_engine_page.h"
#include "pfd/c17_mfd_painters.h"

#include "fms/fms_update.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>

using namespace c17eng;

namespace {

// Thrust percentage 0..100 between the idle and the top N1 of the pressure
// factor; no reading at all counts as idle.
double thrust_percent(double n1, double p) {
    const double top = 104.0 - 3.5 * p;
    const double span = 64.0 + 12.5 * p;
    const double pct = 100.0 - 100.0 * (top - n1) / span;
    if (!(pct > 0.0)) return 0.0;
    return pct > 100.0 ? 100.0 : pct;
}

// The EPR of a thrust percentage: 0.85 at 0, 1.85 at 100, linear within
// each of eleven segments.
double epr_of_percent(double pct) {
    static constexpr double width[11] = {2.5, 10.9, 8.8, 10.8, 11.1, 14.6, 11.8, 12.4, 7.5, 7.8, 1.8};
    static constexpr double step[11] = {0.05, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.05};
    double epr = 0.85;
    double r = pct;
    for (int i = 0; i < 11; ++i) {
        if (r >= width[i]) {
            epr += step[i];
            r -= width[i];
        } else {
            epr += r / width[i] * step[i];
            r = 0.0;
        }
        if (r == 0.0) break;
    }
    return epr;
}

void draw_fuel_flow(Page& p) {
    p.text("FF PPH", kWhite, p.cx - 15, 10);
    p.g.draw_rectangle_i(gfx::Pen(kWhite, 1), p.cx - 15, 25, 35, 12);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%5.0f", sim_var_object.get_total_fuel_flow());
    p.text(buf, kGreen, p.cx - 15, 26);
}

void draw_egt(Page& p) {
    bool above_655 = false, above_625 = false;
    for (int e = 0; e < 4; ++e) {
        const double egt = engine_egt_c(e);
        above_655 = above_655 || egt > 655;
        above_625 = above_625 || egt > 625;
    }
    char buf[48];
    if (above_655 || above_625) {
        std::snprintf(buf, sizeof buf, "MAX EGT %03.0f\260C", above_655 ? 655.0 : 625.0);
        p.text(buf, above_655 ? kRed : kYellow, p.cx + 45, 33);
    }

    // The counter that fms_update starts from 1 is raised to five minutes
    // while this page shows it.
    const double e = egt_over_645_seconds;
    if (!(e > 0)) return;
    if (e <= 300) {
        egt_over_645_seconds = 300;
        std::snprintf(buf, sizeof buf, "TIME REM %02.0f:%02.0f", 5.0, 0.0);
        p.text(buf, kGreen, p.cx + 40, 43);
    } else {
        const MinutesSeconds ms = minutes_seconds(e);
        std::snprintf(buf, sizeof buf, "TIME REM %02.0f:%02.0f", ms.minutes, ms.seconds);
        p.text(buf, e <= 600 ? kYellow : kRed, p.cx + 40, 40);
    }
}

void draw_figures(Page& p, const double (&epr)[4], const double (&n1)[4]) {
    static constexpr double epr_x[4] = {20, 65, 155, 195};
    char buf[32];
    for (int e = 0; e < 4; ++e) {
        std::snprintf(buf, sizeof buf, "%1.2f", epr[e]);
        p.text(buf, kGreen, epr_x[e], 191);
    }
    p.text("EPR", kWhite, p.cx - 10, 191);

    const auto n1_figure = [&](int e, double x) {
        std::snprintf(buf, sizeof buf, "%2.1f", n1[e]);
        p.text(buf, kGreen, x, 211);
    };
    n1_figure(0, 20);
    n1_figure(1, 70);
    p.text("N1", kWhite, p.cx - 10, 206);
    n1_figure(2, 155);
    n1_figure(3, 195);
    p.text("%RPM", kWhite, p.cx - 20, 221);
}

// Bars, scale and lever cues about the compass centre.
void draw_bars(Page& p, const double (&epr)[4]) {
    const gfx::Pen white1(kWhite, 1), cyan2(kCyan, 2);
    p.g.translate_transform(static_cast<float>(c17_compass_centre.x),
                            static_cast<float>(c17_compass_centre.y));

    static constexpr double bar_x[4] = {-83, -43, 37, 77};
    const gfx::SolidBrush green(kGreen);
    for (int e = 0; e < 4; ++e) {
        const int k = saturate_to_int((1.85 - epr[e]) * 100.0);
        const int d = saturate_to_int(k * 1.2);
        p.g.fill_rectangle_i(green, bar_x[e], d - 60, 6, 120 - d);
        p.g.draw_rectangle_i(white1, bar_x[e], -60, 6, 120);
    }

    char buf[16];
    for (int i = 0; i < 10; ++i) {
        const int y = -54 + 12 * i;
        const int tenths = 18 - i; // 1.8 down to 0.9
        p.g.draw_line_i(white1, -37, y, -27, y);
        p.g.draw_line_i(white1, -77, y, -67, y);
        p.g.draw_line_i(white1, 37, y, 30, y);
        p.g.draw_line_i(white1, 77, y, 70, y);
        std::snprintf(buf, sizeof buf, "%1.1f", tenths / 10.0);
        if (buf[0] == '0') buf[0] = ' ';
        p.text(buf, kWhite, tenths > 9 ? -9 : -6, y - 5);
    }

    static constexpr double tip_x[4] = {-84, -44, 44, 84};
    static constexpr double arm_x[4] = {-89, -49, 49, 89};
    for (int e = 0; e < 4; ++e) {
        const int y = saturate_to_int(59.0 - std::abs(engine_lever(e)) * 118.0 / 16383.0);
        p.g.draw_line_i(cyan2, tip_x[e], y, arm_x[e], y - 5);
        p.g.draw_line_i(cyan2, tip_x[e], y, arm_x[e], y + 5);
    }
}

} // namespace

void c17_mfd_draw_engine_thrust(const DisplayObject& display, gfx::Graphics& graphics) {
    Page p(display, graphics);
    const double pressure_factor = (sim_var_object.get_simvar_342() - 300.0) / 15913.0;
    double epr[4], n1[4];
    for (int e = 0; e < 4; ++e) {
        n1[e] = engine_n1(e);
        epr[e] = epr_of_percent(thrust_percent(n1[e], pressure_factor));
    }
    draw_max_thrust_time(p);
    draw_reverse(p, 10);
    draw_fuel_flow(p);
    draw_egt(p);
    draw_rating(p);
    draw_figures(p, epr, n1);
    draw_bars(p, epr);
}

// Format 10 of the C17_MFD, the EPR page: per engine the EPR from its thrust
// value against the ambient pressure, dials for N1, N2 and EGT with caution
// and limit colours, and the fuel flow; labels down the centre.
#include "pfd/c17_mfd_engine_page.h"
#include "pfd/c17_mfd_painters.h"

#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

using namespace c17eng;

namespace {

constexpr double kColumnX[4] = {32, 87, 163, 218};
// Engine 2's coefficient is not known; it takes engine 1's.
constexpr double kEprCoefficient[4] = {0.32, 0.32, 0.315, 0.317};

constexpr DialMark kN1Marks[] = {{-20, kYellow}, {119, kRed}};
constexpr DialMark kN2Marks[] = {{44, kYellow}, {119, kRed}};
constexpr DialMark kEgtMarks[] = {{103, kYellow}, {110, kRed}};

gfx::Argb rotor_colour(double pct) {
    if (pct < 15) return kYellow;
    if (pct > 100.5) return kRed;
    return kGreen;
}

gfx::Argb egt_colour(double c) {
    if (c > 655) return kRed;
    if (c > 625) return kYellow;
    return kGreen;
}

void draw_centre_labels(Page& p) {
    const double cx = p.cx;
    p.text("EPR", kWhite, cx - 9, 50);
    const struct {
        const char* text;
        double dx, y;
    } small[] = {{"N1", -5, 80},   {"%", -3, 90},    {"RPM", -9, 100},   {"N2", -5, 135}, {"%", -3, 145},
                 {"RPM", -9, 155}, {"EGT", -9, 180}, {"\260C", -4, 190}, {"FF", -5, 223}, {"PPH", -9, 230}};
    for (const auto& s : small)
        p.text(s.text, kWhite, cx + s.dx, s.y, true);
}

void draw_column(Page& p, int e, double pressure) {
    const double x = kColumnX[e];
    char buf[32];
    // No pressure reading gives no ratio to show.
    if (pressure > 0) {
        std::snprintf(buf, sizeof buf, "%1.2f", 1.0 + kEprCoefficient[e] * engine_thrust_value(e) / pressure);
        p.text(buf, kGreen, x - 10, 55);
    }

    const double n1 = engine_n1(e), n2 = engine_n2(e), egt = engine_egt_c(e);
    const Dial n1_dial{x, 95, 110, kN1Marks}, n2_dial{x, 150, 110, kN2Marks},
        egt_dial{x, 205, 760, kEgtMarks};
    std::snprintf(buf, sizeof buf, "%2.1f", n1);
    dial_face(p, n1_dial, buf, rotor_colour(n1));
    std::snprintf(buf, sizeof buf, "%2.1f", n2);
    dial_face(p, n2_dial, buf, rotor_colour(n2));
    std::snprintf(buf, sizeof buf, "%3.0f", egt);
    dial_face(p, egt_dial, buf, egt_colour(egt));

    // Cut to whole pounds, then down to tens.
    std::snprintf(buf, sizeof buf, "%4d", saturate_to_int(engine_fuel_flow(e)) / 10 * 10);
    p.text(buf, kGreen, x - 10, 226);

    dial_pointer(p, n1_dial, n1, rotor_colour(n1));
    dial_pointer(p, n2_dial, n2, rotor_colour(n2));
    dial_pointer(p, egt_dial, egt, egt_colour(egt));
}

} // namespace

void c17_mfd_draw_engine_epr(const DisplayObject& display, gfx::Graphics& graphics) {
    Page p(display, graphics);
    const double pressure = sim_var_object.get_simvar_342();
    draw_max_thrust_time(p);
    draw_reverse(p, 15);
    draw_rating(p);
    draw_centre_labels(p);
    for (int e = 0; e < 4; ++e)
        draw_column(p, e, pressure);
}

// Format 11 of the C17_MFD, the oil and fuel-used page: per engine dials for
// oil pressure, temperature and quantity, and the fuel that engine has used.
#include "pfd/c17_mfd_engine_page.h"
#include "pfd/c17_mfd_painters.h"

#include "fms/fms_update.h"

#include <cstdio>

using namespace c17eng;

namespace {

constexpr double kColumnX[4] = {32, 87, 163, 218};

constexpr DialMark kPressureMarks[] = {{0, kRed}};
constexpr DialMark kTemperatureMarks[] = {{0, kYellow}, {101, kYellow}, {114, kRed}};
constexpr DialMark kQuantityMarks[] = {{0, kYellow}};

gfx::Argb pressure_colour(double psi) {
    return psi < 70 ? kRed : kGreen;
}

// The readout turns a little later than the pointer.
gfx::Argb temperature_colour(double c, double red_above, double yellow_above) {
    if (c < 39) return kYellow;
    if (c > red_above) return kRed;
    if (c > yellow_above) return kYellow;
    return kGreen;
}

gfx::Argb quantity_colour(double quarts) {
    return quarts < 4 ? kYellow : kGreen;
}

void draw_centre_labels(Page& p) {
    const double cx = p.cx;
    p.text("ENGINE OIL", kWhite, cx - 25, 20);
    const struct {
        const char* text;
        double dx, y;
    } small[] = {{"PRESS", -15, 50}, {"PSI", -9, 60},  {"TEMP", -11, 105}, {"\260C", -4, 115},
                 {"QTY", -9, 160},   {"QTS", -9, 170}, {"FUEL", -11, 211}, {"USED", -11, 221}};
    for (const auto& s : small)
        p.text(s.text, kWhite, cx + s.dx, s.y, true);
}

void draw_column(Page& p, int e, double psi, double temp, double quarts) {
    const double x = kColumnX[e];
    const Dial pressure{x, 65, 250, kPressureMarks}, temperature{x, 120, 200, kTemperatureMarks},
        quantity{x, 175, 23, kQuantityMarks};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3.0f", psi);
    dial_face(p, pressure, buf, pressure_colour(psi));
    std::snprintf(buf, sizeof buf, "%2.0f", temp);
    dial_face(p, temperature, buf, temperature_colour(temp, 177.5, 163.5));
    std::snprintf(buf, sizeof buf, "%3.0f", quarts);
    dial_face(p, quantity, buf, quantity_colour(quarts));

    std::snprintf(buf, sizeof buf, "%5.0f", engine_fuel_used[e]);
    p.text(buf, kCyan, x - 15, 216);

    dial_pointer(p, pressure, psi, pressure_colour(psi));
    dial_pointer(p, temperature, temp, temperature_colour(temp, 177, 163));
    dial_pointer(p, quantity, quarts, quantity_colour(quarts));
}

} // namespace

void c17_mfd_draw_engine_oil_fuel(const DisplayObject& display, gfx::Graphics& graphics) {
    Page p(display, graphics);
    double psi[4], temp[4], quarts[4];
    for (int e = 0; e < 4; ++e) {
        psi[e] = engine_oil_pressure_psi(e);
        temp[e] = engine_oil_temp_c(e);
        quarts[e] = engine_oil_quantity(e);
    }
    draw_centre_labels(p);
    for (int e = 0; e < 4; ++e)
        draw_column(p, e, psi[e], temp[e], quarts[e]);
}

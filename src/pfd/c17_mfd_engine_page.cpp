#include "pfd/c17_mfd_engine_page.h"

#include "data/c17_mfd_state.h"

#include "fms/fms_update.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace c17eng {

namespace {

using Reader = double (SimVarReader::*)() const;

double read(const Reader (&readers)[4], int e) {
    return (sim_var_object.*readers[e])();
}

} // namespace

Page::Page(const DisplayObject& display_, gfx::Graphics& graphics)
    : display(display_), g(graphics), large(arial, 10, gfx::FontStyle::Bold, gfx::Unit::Pixel),
      small_font(arial, 8, gfx::FontStyle::Bold, gfx::Unit::Pixel), cx(c17_compass_centre.x) {
    frame();
}

void Page::frame() {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / 246.0f,
                      static_cast<float>(display.height) / 241.0f);
}

void Page::text(const char* s, gfx::Argb colour, double x, double y, bool small) {
    g.draw_string(s, small ? small_font : large, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

double engine_n1(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_eng1_n1_pct, &SimVarReader::get_eng2_n1_pct,
                                    &SimVarReader::get_eng3_n1_pct, &SimVarReader::get_eng4_n1_pct};
    return read(r, e);
}

double engine_n2(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_eng1_n2_pct, &SimVarReader::get_eng2_n2_pct,
                                    &SimVarReader::get_eng3_n2_pct, &SimVarReader::get_eng4_n2_pct};
    return read(r, e);
}

double engine_egt_c(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_eng1_egt_c, &SimVarReader::get_eng2_egt_c,
                                    &SimVarReader::get_eng3_egt_c, &SimVarReader::get_eng4_egt_c};
    return read(r, e);
}

double engine_fuel_flow(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_eng1_fuel_flow, &SimVarReader::get_eng2_fuel_flow,
                                    &SimVarReader::get_eng3_fuel_flow, &SimVarReader::get_eng4_fuel_flow};
    return read(r, e);
}

double engine_lever(int e) {
    static constexpr Reader r[4] = {
        &SimVarReader::get_eng1_thrust_lever, &SimVarReader::get_eng2_thrust_lever,
        &SimVarReader::get_eng3_thrust_lever, &SimVarReader::get_eng4_thrust_lever};
    return read(r, e);
}

double engine_thrust_value(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_simvar_633, &SimVarReader::get_simvar_652,
                                    &SimVarReader::get_simvar_671, &SimVarReader::get_simvar_690};
    return read(r, e);
}

double engine_oil_pressure_psi(int e) {
    static constexpr Reader r[4] = {
        &SimVarReader::get_eng1_oil_pressure_psi, &SimVarReader::get_eng2_oil_pressure_psi,
        &SimVarReader::get_eng3_oil_pressure_psi, &SimVarReader::get_eng4_oil_pressure_psi};
    return read(r, e);
}

double engine_oil_temp_c(int e) {
    static constexpr Reader r[4] = {&SimVarReader::get_eng1_oil_temp_c, &SimVarReader::get_eng2_oil_temp_c,
                                    &SimVarReader::get_eng3_oil_temp_c, &SimVarReader::get_eng4_oil_temp_c};
    return read(r, e);
}

double engine_oil_quantity(int e) {
    static constexpr Reader r[4] = {
        &SimVarReader::get_eng1_simvar_149_scaled, &SimVarReader::get_eng2_simvar_184_scaled,
        &SimVarReader::get_eng3_simvar_219_scaled, &SimVarReader::get_eng4_simvar_254_scaled};
    return read(r, e);
}

MinutesSeconds minutes_seconds(double t) {
    // Seconds are printed rounded: round first, so that 59.7 s carries to 01:00
    // instead of reading 00:60.
    const double whole = std::round(t);
    const double m = std::trunc(whole / 60.0);
    return {m, whole - 60.0 * m};
}

void draw_max_thrust_time(Page& p) {
    const double t = n1_over_99_seconds;
    if (!(t > 0)) return;
    char buf[48];
    if (t <= 900) {
        const MinutesSeconds ms = minutes_seconds(t);
        std::snprintf(buf, sizeof buf, "MAX THR TIME OVER %02.0f:%02.0f", ms.minutes, ms.seconds);
    } else if (1200 - t >= 0) {
        const MinutesSeconds ms = minutes_seconds(1200 - t);
        std::snprintf(buf, sizeof buf, "MAX THR TIME REM %02.0f:%02.0f", ms.minutes, ms.seconds);
    } else {
        std::snprintf(buf, sizeof buf, "MAX THR TIME REM 00:00");
    }
    p.text(buf, kCyan, 0, 0);
}

void draw_reverse(Page& p, double arcs_y) {
    static constexpr double dx[4] = {-108, -68, 52, 92};
    const gfx::Pen cyan2(kCyan, 2);
    for (int e = 0; e < 4; ++e) {
        if (!(engine_lever(e) < 0)) continue;
        const double x = p.cx + dx[e];
        p.g.draw_arc_i(cyan2, x, arcs_y, 20, 20, 210, 120);
        p.g.draw_arc_i(cyan2, x, arcs_y, 20, 20, 30, 120);
        p.text("REV", kCyan, x - 2, arcs_y + 5);
    }
}

void draw_rating(Page& p) {
    p.text("RATING  1.22 MCT", kCyan, 0, 43);
}

void dial_face(Page& p, const Dial& d, const char* readout, gfx::Argb readout_colour) {
    p.g.draw_arc(gfx::Pen(kWhite, 2), static_cast<float>(d.x - 25), static_cast<float>(d.y - 25), 50, 50, 135,
                 180);
    p.text(readout, readout_colour, d.x - 10, d.y + 10);
}

void dial_pointer(Page& p, const Dial& d, double value, gfx::Argb colour) {
    p.frame();
    p.g.translate_transform(static_cast<float>(d.x), static_cast<float>(d.y));
    for (const DialMark& m : d.marks) {
        p.g.rotate_transform(static_cast<float>(m.rotation));
        p.g.draw_line_i(gfx::Pen(m.colour, 2), -25, 0, -30, 0);
        p.g.rotate_transform(static_cast<float>(-m.rotation));
    }
    // Whole degrees over the half turn; a value beyond the scale (or none)
    // pins the pointer at an end.
    const int a = std::clamp(saturate_to_int(value / d.full_scale * 180.0), 0, 180);
    p.g.rotate_transform(-45.0f);
    p.g.rotate_transform(static_cast<float>(a));
    p.g.draw_line_i(gfx::Pen(colour, 2), 0, 0, -25, 0);
    p.frame();
}

} // namespace c17eng

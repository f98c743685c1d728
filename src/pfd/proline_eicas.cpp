#include "pfd/proline_eicas.h"

#include "map/palette.h"
#include "sim/sim_var_reader.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr gfx::Argb kWhite = palette::white, kBlue = palette::blue, kGreen = palette::green,
                    kRed = palette::bright_red;

struct Strip {
    const DisplayObject& display;
    gfx::Graphics& g;
    gfx::FontFamily arial{"Arial"};
    gfx::Font font{arial, 16, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::StringFormat right_aligned{0, gfx::StringAlignment::Far, gfx::StringAlignment::Near};
    gfx::SolidBrush white{kWhite}, blue{kBlue}, green{kGreen};
    gfx::Pen red2{kRed, 2}, green1{kGreen, 1}, white1{kWhite, 1};

    void frame(float x, float y) {
        g.reset_transform();
        g.scale_transform(static_cast<float>(display.width) / 486.0f,
                          static_cast<float>(display.height) / 110.0f);
        g.translate_transform(x, y);
    }
    void text(const char* s, const gfx::SolidBrush& brush, float x, float y) {
        g.draw_string(s, font, brush, gfx::PointF{x, y});
    }
};

struct EngineValues {
    double n1, n2, fuel_flow, oil_pressure_psi, oil_temp_c;
};

void draw_dial(Strip& s, float centre_x, double n1) {
    s.frame(centre_x, 55);
    gfx::Graphics& g = s.g;
    // The upward arrow beside the dial.
    for (const auto& l : {std::array<int, 4>{-70, -35, -78, -27},
                          {-78, -27, -74, -27},
                          {-74, -27, -74, -19},
                          {-70, -35, -62, -27},
                          {-62, -27, -66, -27},
                          {-66, -27, -66, -19}})
        g.draw_line_i(s.green1, l[0], l[1], l[2], l[3]);

    char buf[32];
    s.text("N1", s.white, -100, -30);
    std::snprintf(buf, sizeof buf, "%.1f", n1);
    s.text(buf, s.green, -95, -15);

    g.draw_arc_i(s.white1, -40, -40, 80, 80, 0, 290);
    g.draw_arc_i(s.white1, -40, -40, 80, 80, 0, 290);
    g.draw_line_i(s.white1, 35, 0, 45, 0);
    g.rotate_transform(290.0f);
    g.draw_line_i(s.white1, 35, 0, 45, 0);
    g.rotate_transform(-290.0f);

    // 100 % and the 92.5 % reference on the 115 % scale.
    const float limit = 252.17391967773438f, reference = 233.2608642578125f;
    g.rotate_transform(limit);
    g.draw_line_i(s.red2, 30, 0, 48, 0);
    g.rotate_transform(-limit);
    g.rotate_transform(reference);
    const std::array<gfx::Point, 3> marker{{{40, 0}, {48, -4}, {48, 4}}};
    g.fill_polygon_i(s.blue, marker);
    g.rotate_transform(-reference);

    // Nothing holds the needle at the end of the scale.
    const float needle = static_cast<float>(n1 / 115.0 * 290.0);
    g.rotate_transform(needle);
    const std::array<gfx::Point, 9> outline{
        {{0, 0}, {0, -3}, {32, -3}, {32, -6}, {40, 0}, {32, 6}, {32, 3}, {0, 3}, {0, 0}}};
    for (std::size_t i = 0; i + 1 < outline.size(); ++i)
        g.draw_line_i(s.green1, outline[i].x, outline[i].y, outline[i + 1].x, outline[i + 1].y);
    g.rotate_transform(-needle);

    const float fixed_mark = 6.766666889190674f;
    g.rotate_transform(fixed_mark);
    g.draw_line_i(s.white1, 0, 0, 40, 0);
    g.draw_line_i(s.white1, 35, -5, 35, 5);
    g.rotate_transform(-fixed_mark);
}

void draw_table(Strip& s, int engine, const EngineValues& v) {
    s.frame(360, 10);
    if (engine == 1) {
        s.text("N2", s.white, 40, 0);
        s.text("FF", s.white, 40, 18);
        s.text("PRESS", s.white, 20, 36);
        s.text("OIL", s.white, 40, 54);
        s.text("TEMP\260C", s.white, 20, 72);
    }
    const struct {
        const char* format;
        double value;
        float row;
    } cells[] = {{"%.1f", v.n2, 0},
                 {"%.0f", v.fuel_flow, 18},
                 {"%.0f", v.oil_pressure_psi, 36},
                 {"%.0f", v.oil_temp_c, 72}};
    char buf[32];
    for (const auto& c : cells) {
        std::snprintf(buf, sizeof buf, c.format, c.value);
        if (engine == 1) {
            // Right-aligned against x 125 in a box 16 units a character wide
            // (by alignment, not a right-to-left reading order, which not
            // every GDI+ honours).
            const float width = 16.0f * static_cast<float>(std::strlen(buf));
            s.g.draw_string(buf, s.font, s.green, gfx::RectF{125.0f - width, c.row, width, 20.0f},
                            s.right_aligned);
        } else {
            s.text(buf, s.green, -25, c.row);
        }
    }
}

} // namespace

void draw_proline_eicas(const DisplayObject& display, gfx::Graphics& graphics) {
    Strip s{display, graphics};
    s.frame(0, 0);
    const SimVarReader& r = sim_var_object;
    const double n1[2] = {r.get_eng1_n1_pct(), r.get_eng2_n1_pct()};
    const double n2[2] = {r.get_eng1_simvar_627(), r.get_eng2_simvar_646()};
    for (int engine = 1; engine <= 2; ++engine) {
        draw_dial(s, engine == 1 ? 100.0f : 270.0f, n1[engine - 1]);
        const bool first = engine == 1;
        const EngineValues v{n1[engine - 1], n2[engine - 1],
                             first ? r.get_eng1_fuel_flow() : r.get_eng2_fuel_flow(),
                             first ? r.get_eng1_oil_pressure_psi() : r.get_eng2_oil_pressure_psi(),
                             first ? r.get_eng1_oil_temp_c() : r.get_eng2_oil_temp_c()};
        draw_table(s, engine, v);
    }
}

#include "gns_mcu/gns_page_draw.h"

#include "map/render_frame.h"

#include <cstdarg>
#include <cstdio>

GnsPage::GnsPage(const DisplayObject& display, gfx::Graphics& graphics) : g(graphics) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / kGnsCanvasWidth,
                      static_cast<float>(display.height) / kGnsCanvasHeight);
}

void GnsPage::text(float x, float y, gfx::Argb color, const std::string& s) {
    const gfx::SolidBrush brush(color);
    g.draw_string(s, font, brush, gfx::PointF{x, y});
}

void GnsPage::highlight(float x, float y, const std::string& s, int box_chars) {
    gns_fill_text_box(x, y, g, box_chars > 0 ? box_chars : static_cast<int>(s.size()));
    text(x, y, kGnsBlack, s);
}

void GnsPage::draw_markers(float right_x) {
    for (int i = 0; i < 10; ++i) {
        if (!marker[i]) continue;
        if (i < 5)
            text(0.0f, kGnsMarkerRow[i], kGnsWhite, "<");
        else
            text(right_x, kGnsMarkerRow[i - 5], kGnsWhite, ">");
    }
}

void gns_fill_text_box(float x, float y, gfx::Graphics& graphics, int n) {
    const gfx::SolidBrush brush(kGnsYellow);
    graphics.fill_rectangle(brush, x, y, 21.0f * static_cast<float>(n), 35.0f);
}

std::string gns_format(const char* format, ...) {
    char line[160];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return n < 0 ? std::string() : std::string(line);
}

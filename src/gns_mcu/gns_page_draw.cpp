#include "gns_mcu/gns_page_draw.h"

#include "map/render_frame.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

GnsPage::GnsPage(const DisplayObject& display, gfx::Graphics& graphics) : g(graphics) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / kGnsCanvasWidth,
                      static_cast<float>(display.height) / kGnsCanvasHeight);
}

namespace {

// The boxes of the texts drawn this frame, in canvas units: where the
// unit's message must not go.
struct TextBox {
    float left, top, right;
};
std::vector<TextBox> drawn_texts;

// A character of the 33-pixel Courier New, and a line with its box.
constexpr float kCharWidth = 21.0f;
constexpr float kLineHeight = 38.0f;
constexpr float kMessageX = 30.0f;
constexpr float kFooterRow = 360.0f;

} // namespace

void GnsPage::text(float x, float y, gfx::Argb color, const std::string& s) {
    const gfx::SolidBrush brush(color);
    g.draw_string(s, font, brush, gfx::PointF{x, y});
    if (!s.empty()) drawn_texts.push_back({x, y, x + kCharWidth * static_cast<float>(s.size())});
}

void gns_forget_drawn_texts() {
    drawn_texts.clear();
}

float gns_message_row(const std::string& message) {
    const float right = kMessageX + 21.0f * static_cast<float>(message.size());
    for (float y = kFooterRow; y >= 40.0f; y -= 20.0f) {
        bool free = true;
        for (const TextBox& b : drawn_texts)
            free = free && (b.right <= kMessageX || b.left >= right || b.top + kLineHeight <= y ||
                            b.top >= y + kLineHeight);
        if (free) return y;
    }
    return -1.0f;
}

float GnsPage::message(const std::string& s) {
    float y = gns_message_row(s);
    if (y < 0.0f) {
        // A page full to its footer: the message stands there alone, its
        // prompts back with the next key.
        y = kFooterRow;
        const gfx::SolidBrush black(kGnsBlack);
        g.fill_rectangle(black, 0.0f, y, kGnsCanvasWidth, kGnsCanvasHeight - y);
    }
    highlight(kMessageX, y, s);
    return y;
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

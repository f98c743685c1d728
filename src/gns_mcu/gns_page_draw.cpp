#include "gns_mcu/gns_page_draw.h"

#include "map/render_frame.h"

#include <algorithm>
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
    bool highlighted; // black on its box: a list's cursor, a question, an open field
};
std::vector<TextBox> drawn_texts;
// The rows of a list's entries drawn this frame (a preview, a choice list).
std::vector<float> list_rows;

// A character of the 33-pixel Courier New, and a line with its box.
constexpr float kCharWidth = 21.0f;
constexpr float kLineHeight = 38.0f;
constexpr float kMessageX = 30.0f;
constexpr float kFooterRow = 360.0f;

} // namespace

void GnsPage::text(float x, float y, gfx::Argb color, const std::string& s) {
    const gfx::SolidBrush brush(color);
    g.draw_string(s, font, brush, gfx::PointF{x, y});
    if (!s.empty())
        drawn_texts.push_back({x, y, x + kCharWidth * static_cast<float>(s.size()), color == kGnsBlack});
}

void gns_forget_drawn_texts() {
    drawn_texts.clear();
    list_rows.clear();
}

void gns_list_row(float y) {
    list_rows.push_back(y);
}

namespace {

bool overlaps(const TextBox& b, float right, float y) {
    return b.right > kMessageX && b.left < right && b.top + kLineHeight > y && b.top < y + kLineHeight;
}

// The lowest row (from the footer up) whose texts under the message pass
// the test; -1 when none does.
template <class Test> float lowest_row(const std::string& message, Test may_cover) {
    const float right = kMessageX + kCharWidth * static_cast<float>(message.size());
    for (float y = kFooterRow; y >= 40.0f; y -= 20.0f) {
        bool free = true;
        for (const TextBox& b : drawn_texts)
            free = free && (!overlaps(b, right, y) || may_cover(b, y));
        if (free) return y;
    }
    return -1.0f;
}

} // namespace

float gns_message_row(const std::string& message) {
    return lowest_row(message, [](const TextBox&, float) { return false; });
}

float GnsPage::message(const std::string& s) {
    float y = gns_message_row(s);
    if (y < 0.0f) {
        // A page full to its footer: the message stands over the entries of
        // the lowest row of a list, never over the page's labels and
        // prompts (SELECT, ERASE, a field) nor the list's cursor; the
        // entries are back with the next key.
        y = lowest_row(s, [](const TextBox& b, float row) {
            return b.top == row && !b.highlighted &&
                   std::find(list_rows.begin(), list_rows.end(), row) != list_rows.end();
        });
        const float right = kMessageX + kCharWidth * static_cast<float>(s.size());
        const gfx::SolidBrush black(kGnsBlack);
        if (y >= 0.0f) {
            // Whole entries go: a laid-out text reaches past its cells by up
            // to half a cell.
            for (const TextBox& b : drawn_texts)
                if (overlaps(b, right, y))
                    g.fill_rectangle(black, b.left - 2.0f, b.top - 2.0f, b.right - b.left + 14.0f,
                                     kLineHeight + 4.0f);
        } else {
            // Labels in every row: the footer row alone, as before.
            y = kFooterRow;
            g.fill_rectangle(black, 0.0f, y, kGnsCanvasWidth, kGnsCanvasHeight - y);
        }
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

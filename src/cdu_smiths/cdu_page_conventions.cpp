#include "cdu_smiths/cdu_page_conventions.h"

#include "cdu_smiths/cdu_render.h"
#include "fms/units/cdu_text.h"
#include "map/render_frame.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::size_t kLineBuffer = 140;
constexpr std::size_t kMaxDrawnChars = 99; // the wide line holds 100 with its terminator

std::string drawn_part(const std::string& text) {
    return text.size() > kMaxDrawnChars ? text.substr(0, kMaxDrawnChars) : text;
}

} // namespace

CduPage::CduPage(const DisplayObject& display, gfx::Graphics& graphics) : g(graphics) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / kCduCanvasWidth,
                      static_cast<float>(display.height) / kCduCanvasHeight);
}

const gfx::Font& CduPage::font(CduFont f) const {
    switch (f) {
    case CduFont::Small:
        return small;
    case CduFont::Bold:
        return bold;
    case CduFont::Large:
        break;
    }
    return large;
}

std::string cdu_format(const char* format, ...) {
    char line[kLineBuffer];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return n < 0 ? std::string() : std::string(line);
}

void cdu_text(CduPage& page, float x, float y, CduFont font, const std::string& text) {
    page.g.draw_string(drawn_part(text), page.font(font), page.green, gfx::PointF{x, y});
}

void cdu_inverse_text(CduPage& page, int box_x, float text_x, float y, const std::string& text) {
    const std::string shown = drawn_part(text);
    cdu_fill_text_box(box_x, static_cast<int>(y), page.g, static_cast<int>(shown.size()));
    page.g.draw_string(shown, page.large, page.black, gfx::PointF{text_x, y});
}

void cdu_text_right(CduPage& page, float y, CduFont font, const std::string& text) {
    const std::string shown = drawn_part(text);
    const float per_char = font == CduFont::Small ? 5.5f : 9.0f;
    cdu_text(page, 272.0f - per_char * static_cast<float>(shown.size()), y, font, shown);
}

void cdu_text_right_box(CduPage& page, float y, float char_width, const std::string& text) {
    const std::string shown = drawn_part(text);
    float w = char_width * static_cast<float>(shown.size());
    // Wide letters ("DOTTY") need more than the box gives them and would wrap
    // out of it: the box then grows to the left, the text still ends at 280.
    gfx::RectF needed;
    page.g.measure_string(shown, page.large, gfx::RectF{0.0f, 0.0f, 1000.0f, 50.0f}, page.right_to_left,
                          &needed);
    w = std::max(w, std::ceil(needed.width));
    page.g.draw_string(shown, page.large, page.green, gfx::RectF{280.0f - w, y, w, 20.0f},
                       page.right_to_left);
}

void cdu_box_prompts(CduPage& page, const float (&left)[5], float y) {
    for (float x : left) {
        const gfx::PointF box[] = {{x, y}, {x + 5.0f, y}, {x + 5.0f, y + 10.0f}, {x, y + 10.0f}, {x, y}};
        page.g.draw_lines(page.pen, box);
    }
}

void cdu_scratchpad_line(CduPage& page) {
    const std::string& line =
        smiths_scratchpad_message.empty() ? smiths_scratchpad : smiths_scratchpad_message;
    cdu_text(page, 0.0f, 227.0f, CduFont::Large, line);
}

int cdu_clamp_subpage(int subpage, int count) {
    const int last = count > 1 ? count : 1;
    return subpage < 1 ? 1 : (subpage > last ? last : subpage);
}

void cdu_step_subpage(int& subpage, int count) {
    const int last = count > 1 ? count : 1;
    if (smiths_cdu_prev_page == 1) {
        --subpage;
        if (subpage < 1) subpage = last;
    }
    if (smiths_cdu_next_page == 1) {
        ++subpage;
        if (subpage > last) subpage = 1;
    }
    subpage = cdu_clamp_subpage(subpage, count);
}

void cdu_step_subpage_once(int& subpage, int count, bool next_wins) {
    const int last = count > 1 ? count : 1;
    const bool prev = smiths_cdu_prev_page == 1 && !(next_wins && smiths_cdu_next_page == 1);
    if (prev) {
        if (--subpage < 1) subpage = last;
    } else if (smiths_cdu_next_page == 1) {
        if (++subpage > last) subpage = 1;
    }
    subpage = cdu_clamp_subpage(subpage, count);
}

int cdu_page_count(int n, int per_page) {
    return n <= 0 ? 0 : (n + per_page - 1) / per_page;
}

bool cdu_read_number(const std::string& text, double& value) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) i = text.size();
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        value = 0.0;
        return false;
    }
    // An exponent only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    value = std::strtod(text.substr(start, i - start).c_str(), nullptr);
    if (!std::isfinite(value)) value = 0.0;
    return true;
}

double cdu_number(const std::string& text) {
    double v = 0.0;
    cdu_read_number(text, v);
    return v;
}

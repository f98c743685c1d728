#include "gns_mcu/mcu_page_draw.h"

#include "gns_mcu/mcu_unit_state.h"

#include <cstdarg>
#include <cstdio>

void McuPage::text(float x, float y, gfx::Argb color, const std::string& s, std::size_t chars) {
    const gfx::SolidBrush brush(color);
    g.draw_string(s.substr(0, chars), font, brush, gfx::PointF{x, y});
}

void McuPage::line(gfx::Argb color, float x1, float y1, float x2, float y2) {
    const gfx::Pen pen(color, 2.0f);
    g.draw_line(pen, x1, y1, x2, y2);
}

void McuPage::row_box(float y, float width) {
    line(kMcuGreen, 0.0f, y, width, y);
    line(kMcuGreen, width, y, width, y + 12.0f);
    line(kMcuGreen, width, y + 12.0f, 0.0f, y + 12.0f);
    line(kMcuGreen, 0.0f, y + 12.0f, 0.0f, y);
}

std::string mcu_format(const char* format, ...) {
    char line[160];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return n < 0 ? std::string() : std::string(line);
}

char mcu_wheel_up(char c) {
    if (c >= 'Z') return ' ';
    if (c == ' ') return '0';
    if (c == '9') return 'A';
    return static_cast<char>(c + 1);
}

char mcu_wheel_down(char c) {
    if (c <= ' ') return 'Z';
    if (c == '0') return ' ';
    if (c == 'A') return '9';
    return static_cast<char>(c - 1);
}

namespace {

// The first blank-delimited word.
std::string first_word(const std::string& s) {
    const std::size_t start = s.find_first_not_of(' ');
    if (start == std::string::npos) return std::string();
    const std::size_t end = s.find(' ', start);
    return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

std::string mcu_entry_wheel() {
    if (mcu_select == kMcuSelectNone) return std::string();
    std::string work = mcu_entry_text;
    if (work.size() < 6) work.push_back(' ');
    // The text can change under the cursor (EXEC and the route loads empty
    // it): the cursor stays on the working copy.
    const int length = static_cast<int>(work.size());
    if (mcu_select > length) mcu_select = length;
    if (mcu_select < 1) mcu_select = 1;
    switch (mcu_arrow) {
    case MCU_ARROW_LEFT:
        if (mcu_select > 1) --mcu_select;
        break;
    case MCU_ARROW_RIGHT:
        if (mcu_select <= 6 && mcu_select < length) ++mcu_select;
        break;
    case MCU_ARROW_UP:
    case MCU_ARROW_DOWN: {
        char& c = work[static_cast<std::size_t>(mcu_select - 1)];
        c = mcu_arrow == MCU_ARROW_UP ? mcu_wheel_up(c) : mcu_wheel_down(c);
        mcu_entry_text = first_word(work);
        break;
    }
    default:
        break;
    }
    return work;
}

void mcu_draw_entry_line(McuPage& page, const std::string& wheel) {
    if (mcu_select == kMcuSelectNone || wheel.empty()) {
        page.text(0.0f, kMcuEntryY, kMcuGreen, "> " + mcu_entry_text, kMcuEntryChars);
        return;
    }
    for (std::size_t i = 0; i < wheel.size(); ++i)
        page.text(17.0f + 9.0f * static_cast<float>(i), kMcuEntryY, kMcuGreen, std::string(1, wheel[i]));
    const float x = 9.0f * static_cast<float>(mcu_select - 1);
    page.line(kMcuMagenta, 19.0f + x, 75.0f, 28.0f + x, 75.0f);
    page.text(0.0f, kMcuEntryY, kMcuGreen, "> ");
}

// What every MCU page shares: the 239 x 78 canvas (render_mcu scales it onto
// the screen), the one bold 14-pixel font, the three colours, texts drawn at
// their top-left corner and cut to the screen's width, the width-2 lines,
// and the entry line with its character wheel.
#pragma once

#include "map/palette.h"
#include "platform/gfx.h"

#include <string>

inline constexpr float kMcuCanvasWidth = 239.0f;
inline constexpr float kMcuCanvasHeight = 78.0f;

inline constexpr gfx::Argb kMcuGreen = palette::light_green;
inline constexpr gfx::Argb kMcuAmber = palette::amber;
inline constexpr gfx::Argb kMcuMagenta = palette::magenta;
inline constexpr gfx::Argb kMcuPurple = 0xFF800080;

// Texts of a page line and of the entry line are cut to these.
inline constexpr std::size_t kMcuLineChars = 26;
inline constexpr std::size_t kMcuEntryChars = 34;
// Rows of the list pages: row n (1..4) at y 12 n; the entry line below them.
inline constexpr float kMcuRowHeight = 12.0f;
inline constexpr float kMcuEntryY = 61.0f;

struct McuPage {
    explicit McuPage(gfx::Graphics& graphics) : g(graphics) {}

    // Text with its top-left corner at (x, y), at most `chars` characters.
    void text(float x, float y, gfx::Argb color, const std::string& s, std::size_t chars = kMcuLineChars);
    void line(gfx::Argb color, float x1, float y1, float x2, float y2);
    // The cursor box of a list row: lines around (0, y) .. (width, y + 12).
    void row_box(float y, float width);

    gfx::Graphics& g;
    gfx::FontFamily courier{"Courier New"};
    gfx::Font font{courier, 14.0f, gfx::FontStyle::Bold};
};

// printf-style into a bounded line.
std::string mcu_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The entry line of the airport and DIRTO pages. While mcu_select is set the
// rocker keys work it as a character wheel on mcu_entry_text (left and right
// move the cursor, up and down turn the character under it); returns the
// working copy the wheel turned (empty while the wheel is off).
std::string mcu_entry_wheel();
// Draws the entry line: "> " and the typed text, or the wheel's working
// copy with the cursor under it.
void mcu_draw_entry_line(McuPage& page, const std::string& wheel);

// One character turned on the wheel (blank, 0..9, A..Z, blank).
char mcu_wheel_up(char c);
char mcu_wheel_down(char c);

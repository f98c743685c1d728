// What every SMITHS page shares: its drawing tools, made at the start of the
// page routine and released at its end; the 282 x 245 canvas that the page
// maps onto the element; texts formatted printf-style into a fixed line
// (at most 99 characters drawn); inverse video, box prompts and right-aligned
// texts; the scratchpad line; and the common sub-page stepping.
#pragma once

#include "map/palette.h"
#include "platform/gfx.h"

#include <string>

struct DisplayObject;

inline constexpr float kCduCanvasWidth = 282.0f;
inline constexpr float kCduCanvasHeight = 245.0f;
inline constexpr gfx::Argb kCduGreen = palette::green;
inline constexpr gfx::Argb kCduBlack = palette::black;

enum class CduFont {
    Large, // 18 px: titles, data, prompts, scratchpad
    Small, // 12 px: labels, page counters
    Bold,  // 25 px bold
};

struct CduPage {
    // Makes the tools and maps the canvas onto the display's pixel size.
    CduPage(const DisplayObject& display, gfx::Graphics& graphics);

    gfx::Graphics& g;
    gfx::SolidBrush green{kCduGreen};
    gfx::SolidBrush black{kCduBlack};
    gfx::Pen pen{kCduGreen, 1.0f};
    gfx::FontFamily arial{"Arial"};
    gfx::FontFamily courier{"Courier New"}; // NAV STATUS draws its station rows with it
    gfx::Font large{arial, 18.0f};
    gfx::Font small{arial, 12.0f};
    gfx::Font bold{arial, 25.0f, gfx::FontStyle::Bold};
    gfx::StringFormat right_to_left{gfx::StringFormatFlagsDirectionRightToLeft, gfx::StringAlignment::Near,
                                    gfx::StringAlignment::Near};

    const gfx::Font& font(CduFont f) const;
};

// Formats into the page's 140-character line, bounded; no more than 99
// characters are drawn.
std::string cdu_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Green text with its top-left corner at (x, y).
void cdu_text(CduPage& page, float x, float y, CduFont font, const std::string& text);
// Black text over a green box at (box_x, y) as long as the text: the mark of
// a value modified and not yet executed.
void cdu_inverse_text(CduPage& page, int box_x, float text_x, float y, const std::string& text);
// Right-aligned so that the text ends near x 272: x = 272 - 9 n (large) or
// 272 - 5.5 n (small), n the text's length.
void cdu_text_right(CduPage& page, float y, CduFont font, const std::string& text);
// Right-aligned in the box (280 - w n, y, w n, 20), w per character, with the
// right-to-left format: the text's right edge stands at x 280. A text wider
// than that box gets a wider one, never a second line.
void cdu_text_right_box(CduPage& page, float y, float char_width, const std::string& text);
// Five open 5 x 10 boxes at the given left edges, from y to y + 10: an entry
// that is required.
void cdu_box_prompts(CduPage& page, const float (&left)[5], float y);
// The last line (0, 227): the message when there is one, else the scratchpad.
void cdu_scratchpad_line(CduPage& page);

// The common stepping of PREV PAGE and NEXT PAGE (both flags applied, PREV
// first) with wrap-around, keeping the sub-page within 1..max(count, 1) so
// that rows never index before a list.
void cdu_step_subpage(int& subpage, int count);
// One step at most: PREV PAGE wins when both flags are raised, or NEXT PAGE
// when next_wins; wraps at both ends and keeps the sub-page within
// 1..max(count, 1).
void cdu_step_subpage_once(int& subpage, int count, bool next_wins = false);
// A sub-page number brought into 1..max(count, 1).
int cdu_clamp_subpage(int subpage, int count);
// Sub-pages of n entries, `per_page` to a sub-page (0 for an empty list).
int cdu_page_count(int n, int per_page);

// The decimal number at the start of an entry (leading blanks, sign, digits,
// point, exponent), stopping where the number ends. False when no digit
// starts it; "inf", "nan" and hexadecimal are not numbers here.
bool cdu_read_number(const std::string& text, double& value);
// The entry's number, 0 when it has none.
double cdu_number(const std::string& text);

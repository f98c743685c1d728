// What every GNS page shares: the 495 x 400 canvas scaled onto the element,
// the one font, the colours, texts drawn at their top-left corner, the
// highlighted (black on yellow) text and the ten line-key markers.
#pragma once

#include "map/palette.h"
#include "platform/gfx.h"

#include <string>

struct DisplayObject;

inline constexpr float kGnsCanvasWidth = 495.0f;
inline constexpr float kGnsCanvasHeight = 400.0f;

inline constexpr gfx::Argb kGnsGreen = palette::green;
inline constexpr gfx::Argb kGnsWhite = palette::white;
inline constexpr gfx::Argb kGnsYellow = palette::yellow;
inline constexpr gfx::Argb kGnsMagenta = palette::magenta;
inline constexpr gfx::Argb kGnsBlue = palette::blue;
inline constexpr gfx::Argb kGnsBlack = palette::black;

// Rows of the line-key markers, L1..L5 and R1..R5 alike.
inline constexpr float kGnsMarkerRow[5] = {30.0f, 98.0f, 178.0f, 265.0f, 340.0f};

struct GnsPage {
    // Resets the transform and scales it by the element's size over the canvas.
    GnsPage(const DisplayObject& display, gfx::Graphics& graphics);

    // Text in a colour with its top-left corner at (x, y).
    void text(float x, float y, gfx::Argb color, const std::string& text);
    // Black text over the yellow box of `box_chars` characters (the text's own
    // length when 0) at (x, y).
    void highlight(float x, float y, const std::string& text, int box_chars = 0);
    // The unit's message, highlighted at x 30 on the lowest row (from the
    // footer up) where the page drew no text this frame; on a page with no
    // such row, over the entries of a list's lowest row (gns_list_row),
    // else alone on the footer row. Returns the row.
    float message(const std::string& text);
    // Draws the markers set in `marker` (L1..L5, R1..R5): "<" left, ">" right.
    void draw_markers(float right_x = 460.0f);

    gfx::Graphics& g;
    gfx::FontFamily courier{"Courier New"};
    gfx::Font font{courier, 33.0f, gfx::FontStyle::Bold};
    bool marker[10] = {};
};

// The free row a message of this text finds on the page drawn this frame
// (-1 when none), and the start of a frame (the render pass forgets the
// texts of the one before).
float gns_message_row(const std::string& message);
void gns_forget_drawn_texts();
// Marks a row of a list's entries (a preview, a choice list) drawn this
// frame: one a message may stand over on a full page.
void gns_list_row(float y);

// The yellow box behind n characters of highlighted text at (x, y): 21 n wide
// and 35 high.
void gns_fill_text_box(float x, float y, gfx::Graphics& graphics, int n);

// printf-style into a bounded line.
std::string gns_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The four text pages of a small 210 x 108 status box: the stored-route list
// ("FPLN:"), the airport's runways ("APT:"), the flight time ("PERF:") and
// the message list ("MSG:"). No gauge shows the box yet; its inputs are the
// keyboard entry's one-frame flags, which the MCU's keyboard entry sets and
// each page clears once it has acted on them, and its text (mcu_keyboard_text),
// which a route load the box asked for also writes.
#pragma once

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
}

struct StatusBoxInput {
    int up = 0; // one-frame key flags
    int down = 0;
    int previous_page = 0;
    int next_page = 0;
    int enter = 0;
    int list_request = 0; // route list: read the flight-plan folder again
};
inline StatusBoxInput status_box_input;

// Where each list stands: the cursor line (1 to 8) and the first entry shown.
struct StatusBoxLists {
    int route_cursor = 1;
    int route_first = 1;
    int selected_route = 0; // stored route chosen by enter; 0 none
    int runway_cursor = 1;
    int message_first = 1;
};
inline StatusBoxLists status_box_lists;

// Pages 1 to 4; any other page draws nothing. Each acts on the pending
// flags, then draws, then clears them.
void draw_status_box_page(const DisplayObject& display, gfx::Graphics& graphics, int page);

#include "map/status_box_pages.h"

#include "data/nav_database.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/stored_routes.h"
#include "fms/fms_update.h"
#include "fms/plan/route_values.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/mcu_page_state.h"
#include "map/palette.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr gfx::Argb kCyan = palette::symbol_cyan;
constexpr gfx::Argb kYellow = palette::yellow;
constexpr int kLines = 8;

struct Page {
    gfx::Graphics& g;
    gfx::FontFamily family{"Courier New"};
    gfx::Font title{family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font body{family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};

    void text(const std::string& s, const gfx::Font& font, gfx::Argb colour, double y) {
        g.draw_string(s, font, gfx::SolidBrush(colour), gfx::PointF{0.0f, static_cast<float>(y)});
    }
    void line(int n, const std::string& s, gfx::Argb colour) { text(s, body, colour, 12.0 + 10.0 * (n - 1)); }
    void cursor(int n) {
        const gfx::Pen pen(kCyan, 1.0f);
        const int y = 13 + 10 * (n - 1);
        g.draw_line_i(pen, 0, y, 105, y);
        g.draw_line_i(pen, 105, y, 105, y + 10);
        g.draw_line_i(pen, 105, y + 10, 0, y + 10);
        g.draw_line_i(pen, 0, y + 10, 0, y);
    }
    void prompt(bool with_entry) {
        text("> " + (with_entry ? mcu_keyboard_text : std::string()), body, kCyan, 92.0);
    }
};

// A cursor line 1..8 over a list of `count` entries from `first`: up and down
// move the cursor and scroll at its ends, the page flags scroll by eight.
void move_cursor(int& cursor, int& first, int count) {
    const StatusBoxInput& in = status_box_input;
    const int last_first = std::max(1, count - kLines + 1);
    if (in.up == 1) {
        if (cursor > 1)
            --cursor;
        else if (first > 1)
            --first;
    }
    if (in.down == 1) {
        if (cursor < kLines && first + cursor <= count)
            ++cursor;
        else if (first < last_first)
            ++first;
    }
    if (in.previous_page == 1) first = std::max(1, first - kLines);
    if (in.next_page == 1) first = std::min(last_first, first + kLines);
}

void route_list(Page& p) {
    StatusBoxLists& l = status_box_lists;
    if (status_box_input.list_request == 1) list_flight_plans();
    const int count = stored_routes.count();
    move_cursor(l.route_cursor, l.route_first, count);
    const int at = l.route_first + l.route_cursor - 1;
    if (status_box_input.enter == 1 && at >= 1 && at <= count) {
        l.selected_route = at;
        route_file_request_name = stored_routes[at].name;
        route_file_request = kRouteFileRequestTextPage;
    }
    p.text("FPLN:", p.title, kCyan, 0.0);
    for (int n = 1; n <= kLines; ++n) {
        const int i = l.route_first + n - 1;
        if (i > count) break;
        p.line(n, stored_routes[i].name.substr(0, 26), i == l.selected_route ? kYellow : kCyan);
    }
    p.cursor(l.route_cursor);
    p.prompt(true);
}

void airport_page(Page& p) {
    StatusBoxLists& l = status_box_lists;
    const int count = airport_runway_list.count();
    move_cursor(l.runway_cursor, airport_runway_first_row, count);
    const int at = airport_runway_first_row + l.runway_cursor - 1;
    if (status_box_input.enter == 1 && at >= 1 && at <= count &&
        airport_runway_selected_line != l.runway_cursor) {
        airport_runway_selected_line = l.runway_cursor;
        if (warning_messages.count() < 400)
            warning_messages.append("APP " + airport_runway_list[at].designator + " Set");
    }
    char title[64];
    std::snprintf(title, sizeof title, "APT: %-4s - Elev:%s", selected_airport_ident.substr(0, 4).c_str(),
                  airport_elevation_text.c_str());
    p.text(title, p.title, kCyan, 0.0);
    for (int n = 1; n <= kLines; ++n) {
        const int i = airport_runway_first_row + n - 1;
        if (i < 1 || i > count) continue;
        const AirportRunwayListEntry& r = airport_runway_list[i];
        char row[96];
        std::snprintf(row, sizeof row, "%-3s %3s %-6s %03d %6d", r.designator.c_str(), r.info_text.c_str(),
                      r.localizer_frequency_text.c_str(), saturate_to_int(r.magnetic_heading), r.length_ft);
        p.line(n, row, n == airport_runway_selected_line ? kYellow : kCyan);
    }
    p.cursor(l.runway_cursor);
    p.prompt(true);
}

void perf_page(Page& p) {
    p.text("PERF:", p.title, kCyan, 0.0);
    const int total = std::max(0, saturate_to_int(flight_elapsed_seconds));
    char row[80];
    std::snprintf(row, sizeof row, "Flt Time: %02d:%02d:%02d (%6.0f)", total / 3600, total / 60 % 60,
                  total % 60, flight_elapsed_seconds);
    p.text(row, p.body, kCyan, 22.0);
    p.prompt(false);
}

void message_list(Page& p) {
    StatusBoxLists& l = status_box_lists;
    const int count = warning_messages.count();
    int cursor = 1; // the list scrolls without a cursor
    move_cursor(cursor, l.message_first, count);
    char title[32];
    std::snprintf(title, sizeof title, "MSG: (%d)", count);
    p.text(title, p.title, kCyan, 0.0);
    for (int n = 1; n <= kLines; ++n) {
        const int i = l.message_first + n - 1;
        if (i > count) break;
        char row[96];
        std::snprintf(row, sizeof row, "%2d %s", i, warning_messages[i].c_str());
        p.line(n, row, kCyan);
    }
}

} // namespace

void draw_status_box_page(const DisplayObject& display, gfx::Graphics& g, int page) {
    if (page < 1 || page > 4 || display.width <= 0 || display.height <= 0) return;
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / 210.0f,
                      static_cast<float>(display.height) / 108.0f);
    Page p{g};
    if (page == 1) route_list(p);
    if (page == 2) airport_page(p);
    if (page == 3) perf_page(p);
    if (page == 4) message_list(p);
    StatusBoxInput& in = status_box_input;
    in.up = in.down = in.previous_page = in.next_page = in.enter = in.list_request = 0;
}

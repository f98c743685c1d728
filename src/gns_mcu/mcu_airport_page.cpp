// Mode 2, airport information: ENTER with a typed identifier selects the
// airport; the page lists its runways with a cursor, and ENTER on a runway
// picks it for the maps and the radios (again on the same row: unpicks it).
// Page 2 shows the runways in use. After a route load the page runs once
// without drawing to select the new plan's airport.
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/nav/radio_autotune.h"
#include "fms/plan/route_values.h"
#include "fms/procedures/active_runways.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"

#include <cmath>

namespace {

constexpr int kNone = -999;

void select_typed_airport(bool airport_request) {
    // An identifier not found leaves no runway list behind.
    airport_runway_list.set_count(0);
    select_airport(std::string(mcu_entry_text),
                   airport_request ? kSelectAirportOrigin : kSelectAirportDestination);
    mcu_airport_text_a = airport_elevation_text;
    mcu_airport_text_b = selected_airport_ident;
    if (McuShowActiveRwys == 1) query_active_runways_ipc(std::string(mcu_airport_text_b));
    mcu_apt_row = 1;
    mcu_enter_pressed = 0;
    mcu_entry_text.clear();
    mcu_airport_list_index = kNone;
    airport_runway_selected_line = kNone;
}

// The marked row moves with its runway, and only while one is marked.
void shift_marked_row(int by) {
    if (mcu_airport_list_index != kNone) mcu_airport_list_index += by;
}

void runway_list(McuPage& page, bool draw, int n) {
    if (mcu_prev_pressed == 1) {
        if (mcu_apt_row > 1) {
            --mcu_apt_row;
        } else if (mcu_apt_top > 1) {
            --mcu_apt_top;
            shift_marked_row(1);
        }
    }
    if (mcu_next_pressed == 1 && mcu_apt_top + mcu_apt_row - 1 < n) {
        if (mcu_apt_row < 4) {
            ++mcu_apt_row;
        } else {
            ++mcu_apt_top;
            shift_marked_row(-1);
        }
    }
    mcu_apt_box_y = 1 + 12 * mcu_apt_row;
    if (draw && mcu_apt_box_y > 0) page.row_box(static_cast<float>(mcu_apt_box_y), 28.0f);

    if (mcu_enter_pressed == 1 && draw) {
        if (mcu_airport_list_index != mcu_apt_row) {
            mcu_airport_list_index = mcu_apt_row;
            airport_runway_first_row = mcu_apt_top;
            airport_runway_selected_line = mcu_apt_row;
            autotune_request = kAutotuneSelectedRunway;
        } else {
            mcu_airport_list_index = kNone;
            airport_runway_selected_line = kNone;
        }
    }
    if (!draw) return;
    for (int row = 1; row <= 4; ++row) {
        const int entry = mcu_apt_top + row - 1;
        std::string text;
        if (entry >= 1 && entry <= n) {
            const AirportRunwayListEntry& r = airport_runway_list[static_cast<std::size_t>(entry)];
            text =
                mcu_format("%-3s %3s %-6s %03d %6d", r.designator.substr(0, 3).c_str(),
                           r.info_text.substr(0, 3).c_str(), r.localizer_frequency_text.substr(0, 6).c_str(),
                           static_cast<int>(std::trunc(r.localizer_course)), r.length_ft);
        }
        page.text(0.0f, kMcuRowHeight * static_cast<float>(row),
                  row == mcu_airport_list_index ? kMcuAmber : kMcuGreen, text);
    }
}

void runways_in_use(McuPage& page) {
    page.text(0.0f, 20.0f, kMcuGreen, "AI Departure Rwys:");
    page.text(0.0f, 40.0f, kMcuGreen, "AI Arrival Rwys:");
    const struct {
        const std::string& text;
        const char* format;
        float x, y;
    } fields[] = {{active_runway_1, "%s", 160.0f, 20.0f},
                  {active_runway_2, ",%s", 185.0f, 20.0f},
                  {active_runway_3, "%s", 160.0f, 40.0f},
                  {active_runway_4, ",%s", 185.0f, 40.0f}};
    // The texts end in a line break; the screen shows them on one line.
    for (const auto& f : fields)
        if (!f.text.empty())
            page.text(f.x, f.y, kMcuMagenta,
                      mcu_format(f.format, f.text.substr(0, f.text.find('\n')).c_str()));
}

} // namespace

void mcu_airport_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    const bool airport_request = route_load_source == kRouteFileRequestMcu;
    const bool draw = !airport_request;
    if (mcu_enter_pressed == 1 && !mcu_entry_text.empty()) select_typed_airport(airport_request);

    const int n = airport_runway_list.count();
    if (n == 0) {
        if (draw) page.text(0.0f, 0.0f, kMcuAmber, "APT:");
    } else {
        if (draw)
            page.text(0.0f, 0.0f, kMcuAmber,
                      mcu_format("APT: %-4s - Elev:%-5s  %d/%d", mcu_airport_text_b.substr(0, 6).c_str(),
                                 mcu_airport_text_a.substr(0, 6).c_str(), mcu_apt_page, mcu_apt_page_count),
                      kMcuEntryChars);
        if (mcu_apt_page == kMcuAptPageRunwayList)
            runway_list(page, draw, n);
        else if (draw)
            runways_in_use(page);
    }
    const std::string wheel = mcu_entry_wheel();
    if (draw) mcu_draw_entry_line(page, wheel);
}

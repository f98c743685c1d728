// Mode 1, FPLN: the stored route files four at a time with a cursor box;
// PREV and NEXT (and the page keys during keyboard entry) scroll, ENTER asks
// the next update to load the route under the cursor. The route loaded last
// stays amber while it is in view.
#include "fms/files/flight_plan_folder.h"
#include "fms/files/stored_routes.h"
#include "fms/fms_update.h"
#include "fms/plan/route_values.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"

#include <algorithm>

namespace {

int cursor_entry() {
    return mcu_fpln_top + mcu_fpln_row - 1;
}

void scroll(int n) {
    const int routes = stored_routes.count() - 1; // the last entry is "NEW FPL"
    if (mcu_prev_pressed == 1) {
        if (mcu_fpln_row > 1)
            --mcu_fpln_row;
        else if (mcu_fpln_top > 1)
            --mcu_fpln_top;
    }
    if (mcu_next_pressed == 1 && cursor_entry() < routes) {
        if (mcu_fpln_row < 4)
            ++mcu_fpln_row;
        else
            ++mcu_fpln_top;
    }
    if (mcu_page_up_pressed == 1) {
        if (mcu_fpln_top - 4 >= 1) {
            mcu_fpln_top -= 4;
        } else {
            // Round to the last page, the cursor on its row or on the last route.
            mcu_fpln_top = std::max(n - 4, 1);
            mcu_fpln_row = std::clamp(std::min(mcu_fpln_row, routes - mcu_fpln_top + 1), 1, 4);
        }
    }
    if (mcu_page_down_pressed == 1) {
        if (mcu_fpln_top + 3 < routes) {
            mcu_fpln_top += 4;
            if (cursor_entry() > routes) mcu_fpln_row = 1;
        } else {
            mcu_fpln_top = 1;
            mcu_fpln_row = 1;
        }
    }
}

} // namespace

void mcu_fpln_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    page.text(0.0f, 0.0f, kMcuAmber, "FPLN:");
    if (mcu_fpln_pressed == 1) list_flight_plans();
    const int n = stored_routes.count();
    // A folder read afresh can hold fewer routes than the kept position.
    if (cursor_entry() > std::max(n - 1, 1)) {
        mcu_fpln_top = 1;
        mcu_fpln_row = 1;
    }
    scroll(n);

    mcu_fpln_box_y = 1 + 12 * mcu_fpln_row;
    if (mcu_fpln_box_y > 0) page.row_box(static_cast<float>(mcu_fpln_box_y), 120.0f);

    if (mcu_enter_pressed == 1) {
        if (mcu_fpln_marked_entry != cursor_entry()) {
            mcu_fpln_marked_entry = cursor_entry();
            mcu_fpln_loaded_top = mcu_fpln_top;
            stored_route_selection = mcu_fpln_row;
        }
        route_file_request_name = stored_routes[static_cast<std::size_t>(std::max(cursor_entry(), 0))].name;
        route_file_request = kRouteFileRequestMcu;
    }
    mcu_fpln_marked_row = mcu_fpln_marked_entry > 0 ? mcu_fpln_marked_entry - mcu_fpln_top + 1 : 0;

    for (int row = 1; row <= 4; ++row) {
        const int entry = mcu_fpln_top + row - 1;
        if (entry > n - 1) break;
        page.text(0.0f, kMcuRowHeight * static_cast<float>(row),
                  mcu_fpln_marked_entry != 0 && row == mcu_fpln_marked_row ? kMcuAmber : kMcuGreen,
                  stored_routes[static_cast<std::size_t>(entry)].name);
    }
}

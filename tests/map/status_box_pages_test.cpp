// The status box's text pages, driven by their keyboard-entry flags as the
// MCU will set them.
#include "overlay_fixture.h"

#include "data/nav_database.h"
#include "fms/files/route_file_load.h"
#include "fms/files/stored_routes.h"
#include "fms/fms_update.h"
#include "fms/plan/route_values.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/mcu_page_state.h"
#include "map/map_overlays.h"
#include "map/status_box_pages.h"

#include <string>

namespace {

class StatusBox : public OverlayTest {
  protected:
    void TearDown() override {
        stored_routes.set_count(0);
        airport_runway_list.set_count(0);
        airport_runway_selected_line = -999;
        airport_runway_first_row = 1;
        warning_messages.set_count(0);
        route_file_request = kRouteFileRequestNone;
        status_box_lists = StatusBoxLists{};
        OverlayTest::TearDown();
    }
    const gfx::Recording& page(int n) {
        rec().clear();
        draw_status_box_page(DisplayObject{210, 108}, g(), n);
        return rec();
    }
    void press(int StatusBoxInput::*flag, int page_number) {
        status_box_input.*flag = 1;
        page(page_number);
    }
};

TEST_F(StatusBox, routeListScrollsAtItsEndsAndEnterAsksForTheRoute) {
    stored_routes.set_count(0);
    for (int i = 1; i <= 10; ++i) {
        RouteRecord r;
        r.name = "ROUTE" + std::to_string(i) + ".RTE";
        stored_routes.append(r);
    }
    for (int i = 0; i < 9; ++i)
        press(&StatusBoxInput::down, 1); // eight lines, then one scroll
    EXPECT_EQ(status_box_lists.route_cursor, 8);
    EXPECT_EQ(status_box_lists.route_first, 3);
    press(&StatusBoxInput::enter, 1);
    EXPECT_EQ(route_file_request, kRouteFileRequestTextPage);
    EXPECT_EQ(route_file_request_name, "ROUTE10.RTE");
    const gfx::RecordedOp* chosen = page(1).find_text("ROUTE10.RTE");
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->color, 0xFFFFFF00u);
    EXPECT_EQ(status_box_input.enter, 0); // the flags last one frame
    press(&StatusBoxInput::previous_page, 1);
    EXPECT_EQ(status_box_lists.route_first, 1);
    // A route it asked for that cannot be read is told behind its prompt.
    route_file_request_name = "NOSUCH.RTE";
    load_route_file(kRouteFileRequestTextPage);
    EXPECT_NE(page(1).find_text("> ROUTE FILE NOT LOADED"), nullptr) << mcu_keyboard_text;
    mcu_keyboard_text.clear();
}

TEST_F(StatusBox, airportPageSelectsTheLandingRunwayOnce) {
    airport_runway_list.set_count(0);
    for (const char* d : {"16L", "34R"}) {
        AirportRunwayListEntry r;
        r.designator = d;
        r.magnetic_heading = d[0] == '1' ? 161.0 : 341.0;
        r.length_ft = 11901;
        airport_runway_list.append(r);
    }
    warning_messages.set_count(0);
    press(&StatusBoxInput::down, 2);
    press(&StatusBoxInput::enter, 2);
    press(&StatusBoxInput::enter, 2);
    EXPECT_EQ(pattern_runway_index(), 2);
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "APP 34R Set");
    EXPECT_NE(page(2).find_text("34R" + std::string(12, ' ') + "341  11901"), nullptr);
}

TEST_F(StatusBox, perfAndMessagePages) {
    flight_elapsed_seconds = 3661.0;
    EXPECT_NE(page(3).find_text("Flt Time: 01:01:01 (  3661)"), nullptr);
    warning_messages.set_count(0);
    warning_messages.append("FIRST");
    warning_messages.append("SECOND");
    const gfx::Recording& r = page(4);
    EXPECT_NE(r.find_text("MSG: (2)"), nullptr);
    EXPECT_NE(r.find_text(" 2 SECOND"), nullptr);
    EXPECT_EQ(page(5).drawing_count(), 0u);
}

} // namespace

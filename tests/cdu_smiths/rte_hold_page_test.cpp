// RTE HOLD: the hold of each sub-page, its entries, the fix ETA and the
// prompts, over holds placed straight into the list.
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "page_canvas.h"
#include "sim/aircraft_state.h"

namespace {

class RteHoldPage : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        route_state = kRouteStateActive;
        aircraft_state = AircraftState{};
        DispETALocalTime = 0;
        // Entries for the holds to stand on.
        for (int i = 0; i <= 6; ++i)
            active_entry(i) = RouteWaypoint{};
        set_active_last(6);
        for (const char* ident : {"SEA", "OLM"})
            add(ident);
        smiths_hold_subpage = 1;
        smiths_cdu_page = kPageRteHold;
    }
    void TearDown() override {
        hold_list.clear();
        PlanBuilder::clear(active_plan);
        set_active_last(-1);
        hold_page_count = 0;
        pending_hold_delete_index = 0;
        smiths_legs_mode = kLegsModeList;
        PageCanvas::TearDown();
    }
    void add(const char* ident) {
        HoldEntry h;
        h.ident = ident;
        h.set_active_index(hold_count() + 1);
        h.turn = 1;
        h.points[0].lat = 47.0;
        h.points[0].lon = -122.0;
        hold_list.append(h);
        hold_page_count = hold_count();
    }
};

} // namespace

TEST_F(RteHoldPage, titleRowsAndSubPagesWrap) {
    draw();
    write_png("rte_hold");
    EXPECT_EQ(text_at(63, 0), "RTE        HOLD");
    EXPECT_EQ(text_at(220, 5), "1 / 2");
    EXPECT_EQ(text_at(0, 33), "SEA");
    EXPECT_EQ(text_at(0, 99), "000 /  R  T U R N");
    EXPECT_EQ(text_at(190, 166), cdu_format("%3d", best_hold_ias));

    smiths_cdu_prev_page = 1; // from the first hold to the last
    draw();
    EXPECT_EQ(text_at(220, 5), "2 / 2");
    EXPECT_EQ(text_at(0, 33), "OLM");
    smiths_cdu_next_page = 1;
    draw();
    EXPECT_EQ(text_at(0, 33), "SEA");
}

TEST_F(RteHoldPage, inboundCourseAndLegEntries) {
    struct Row {
        const char* entry;
        int key;
        const char* course_line; // nullptr: refused
        const char* time_line;
        const char* dist_line;
    } rows[] = {
        {"090/l", 3, "090 /  L  T U R N", "-.-   M I N", "--.-  - N M"},
        {"360/R", 3, "360 /  R  T U R N", "-.-   M I N", "--.-  - N M"},
        {"1.5", 4, "360 /  R  T U R N", "1.5   M I N", "--.-  - N M"},
        {"4", 5, "360 /  R  T U R N", "-.-   M I N", "4.0 - N M"},
        {"99.9", 5, "360 /  R  T U R N", "-.-   M I N", "99.9 - N M"}, // the most each line shows
        {"9.94", 4, "360 /  R  T U R N", "9.9   M I N", "--.-  - N M"},
        {"150", 5, nullptr, nullptr, nullptr}, // refused, never cut to what the line shows
        {"12", 4, nullptr, nullptr, nullptr},
        {"9.96", 4, nullptr, nullptr, nullptr},
        {"0.04", 5, nullptr, nullptr, nullptr}, // would show as no leg
        {"090", 3, nullptr, nullptr, nullptr},
        {"090/X", 3, nullptr, nullptr, nullptr},
        {"ABC/L", 3, nullptr, nullptr, nullptr}, // no number is not course 000
        {"0", 4, nullptr, nullptr, nullptr},
        {"-2", 5, nullptr, nullptr, nullptr},
    };
    for (const Row& r : rows) {
        const HoldEntry before = hold_list[1];
        enter(r.entry, r.key);
        if (r.course_line == nullptr) {
            EXPECT_EQ(smiths_scratchpad_message, "INVALID ENTRY") << r.entry;
            EXPECT_EQ(smiths_scratchpad, r.entry);
            EXPECT_EQ(hold_list[1].inbound_course, before.inbound_course) << r.entry;
            EXPECT_EQ(hold_list[1].leg_mode, before.leg_mode) << r.entry;
            EXPECT_EQ(hold_list[1].leg_time, before.leg_time) << r.entry;
            EXPECT_EQ(hold_list[1].leg_distance, before.leg_distance) << r.entry;
            continue;
        }
        EXPECT_TRUE(smiths_scratchpad.empty()) << r.entry;
        EXPECT_EQ(text_at(0, 99), r.course_line) << r.entry;
        EXPECT_EQ(text_at(0, 133), r.time_line) << r.entry;
        EXPECT_EQ(text_at(0, 166), r.dist_line) << r.entry;
    }
    EXPECT_EQ(hold_list[1].leg_time, 9.94);    // kept as typed
    EXPECT_EQ(route_state, kRouteStateActive); // hold edits are not route modifications
    enter("", 3);                              // an empty scratchpad does nothing
    EXPECT_TRUE(smiths_scratchpad_message.empty());
}

TEST_F(RteHoldPage, fixEtaCarriesPastMidnightAndNeedsSpeedAndRoute) {
    AircraftState& a = aircraft_state;
    a.plat = 47.0 + 1.4 / 60.0; // 1.4 NM north of the fix: 0.7 min at 120 kt
    a.plon = -122.0;
    a.zulu_hours = 23.0;
    a.zulu_minutes = 59.45;
    a.local_hours = 10.0;
    a.ground_speed_kt = 120.0;
    set_flown_to(1);
    draw();
    EXPECT_EQ(text_at(180, 66), "0000.1Z");
    DispETALocalTime = 1;
    draw();
    EXPECT_EQ(text_at(180, 66), "1100.1L");
    a.ground_speed_kt = 60.0;
    draw();
    EXPECT_EQ(text_at(180, 66), ". . / . . .");
    a.ground_speed_kt = 120.0;
    set_flown_to(999);
    draw();
    EXPECT_EQ(text_at(180, 66), ". . / . . .");
}

TEST_F(RteHoldPage, promptsNextHoldExitHoldAndErase) {
    draw(12); // EXIT HOLD marks the shown hold's waypoint and goes to LEGS
    EXPECT_EQ(pending_hold_delete_index, 1);
    EXPECT_EQ(smiths_cdu_page, kPageRteLegs);
    EXPECT_EQ(smiths_legs_mode, kLegsModeList);
    EXPECT_EQ(hold_count(), 2); // the entry goes on EXEC

    smiths_cdu_page = kPageRteHold;
    route_state = kRouteStateActive;
    draw(11);
    EXPECT_EQ(smiths_cdu_page, kPageRteLegs);
    EXPECT_EQ(smiths_legs_mode, kLegsModeHoldAt);

    // Five holds: no NEXT HOLD, and neither prompt key acts.
    for (const char* ident : {"BTG", "OLM", "SEA"})
        add(ident);
    smiths_cdu_page = kPageRteHold;
    smiths_legs_mode = kLegsModeList;
    pending_hold_delete_index = 0;
    draw(11);
    draw(12);
    EXPECT_EQ(smiths_cdu_page, kPageRteHold);
    EXPECT_EQ(pending_hold_delete_index, 0);
    EXPECT_FALSE(shows("< NEXT HOLD"));

    route_state = kRouteStateActiveModified;
    draw();
    EXPECT_EQ(text_at(0, 198), "< ERASE");
    EXPECT_FALSE(shows("EXIT HOLD >"));
}

TEST_F(RteHoldPage, aSubPageBeyondTheListShowsNoHoldAndTakesNoEntry) {
    // The page count can be older than the list (a hold removed on EXEC).
    hold_page_count = 3;
    smiths_hold_subpage = 3;
    enter("090/L", 3);
    EXPECT_EQ(text_at(0, 33), "- - -");
    EXPECT_EQ(text_at(180, 66), ". . / . . .");
    EXPECT_EQ(smiths_scratchpad, "090/L");
    draw(12);
    EXPECT_EQ(smiths_cdu_page, kPageRteHold);
    EXPECT_EQ(hold_list[1].inbound_course, 0.0);
}

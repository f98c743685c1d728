// The FLIGHT PLAN page and the ENT commits of the plan views, worked by keys
// through the stand-in on the example routes.
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "gns_stand_in.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "fms/plan_builder.h"
#include "fms/published_values.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"
#include "gns_mcu/gns_plan_edits.h"

namespace {

constexpr gfx::Argb kWhite = 0xFFDEE6E9;

std::vector<std::string> plan_active_idents() {
    std::vector<std::string> out;
    for (int i = 0; i <= active_plan_last; ++i)
        out.push_back(active_plan[i].ident);
    return out;
}

} // namespace

class GnsPlanKeys : public GnsRouteStandIn {
  protected:
    // Opens the second stored route (KSEA-KPDX) and makes it the active plan.
    void activate_example_route() {
        open_example_route();
        if (HasFatalFailure()) return;
        activate_opened_route();
    }
};

TEST_F(GnsPlanKeys, PanelLoadShowsTheListAndFplWalksTheViews) {
    const gfx::RecordedOp* title = op_at(45.0f, 0.0f);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "FLIGHT PLAN LIST 1/1");
    EXPECT_EQ(title->color, kWhite);
    EXPECT_EQ(text_at(460.0f, 98.0f), ">");
    EXPECT_EQ(text_at(30.0f, 80.0f), "KPDX");
    EXPECT_FALSE(shows("NEXT FPL")); // shown only when chosen

    press("FPL");
    EXPECT_EQ(text_at(90.0f, 0.0f), "ACTIVE FPL   1/1");
    EXPECT_EQ(text_at(32.0f, 280.0f), "DEPART");
    press("FPL");
    EXPECT_EQ(text_at(45.0f, 0.0f), "FLIGHT PLAN LIST 1/1");
}

TEST_F(GnsPlanKeys, AListRowOpensAndSelectActivatesIt) {
    press("R2 R2");
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleSecond);
    press("ENT");
    frames(1);
    EXPECT_EQ(text_at(30.0f, 0.0f), "FLIGHT PLAN 2  1/2");
    EXPECT_EQ(text_at(96.0f, 40.0f), "KSEA");
    EXPECT_EQ(text_at(280.0f, 40.0f), "KPDX");

    press("R5");
    EXPECT_TRUE(shows("SELECT?"));
    press("ENT");
    frames(1);
    const std::vector<std::string> expected = {"KSEA",  "SEA",   "FOXXE", "NISQL", "OLM",
                                               "TOUTL", "KELSO", "LAVVA", "SAUVI", "KPDX"};
    EXPECT_EQ(plan_active_idents(), expected);
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(gns_sub_state, kGnsSubStateActivePlan);
    EXPECT_EQ(active_sel.arrival_airport, "KPDX");
    EXPECT_EQ(active_sel.departure_airport, "KSEA");
    EXPECT_EQ(active_plan[9].kind, "");
    EXPECT_EQ(text_at(90.0f, 0.0f), "ACTIVE FPL   1/2");
    // The waypoints come without altitude constraints, none predicted either
    // (the airports carry their elevations).
    for (int i = 1; i < active_plan_last; ++i)
        EXPECT_EQ(active_plan[i].alt_constraint, kNoConstraint) << active_plan[i].ident;
}

TEST_F(GnsPlanKeys, TypedIdentGoesThroughDatabaseWptIntoThePlan) {
    activate_example_route();
    // A hold on OLM and the VNAV target on the destination move with them.
    hold_alone_at_active(4, 0.0, 1.0);
    vertical_target_cursor.move_to(9);

    press("L2 \"PAE\"");
    EXPECT_EQ(gns_scratchpad, "PAE   ");
    press("ENT");
    frames(1);
    EXPECT_EQ(gns_state, GNS_DATABASE_WPT);
    EXPECT_EQ(text_at(45.0f, 0.0f), "DATABASE WPT 1/1");
    EXPECT_EQ(text_at(96.0f, 40.0f), "PAE");
    EXPECT_EQ(text_at(300.0f, 40.0f), "VOR");

    press("ENT");
    frames(1);
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    ASSERT_EQ(active_plan_last, 10);
    EXPECT_EQ(active_plan[1].ident, "PAE");
    EXPECT_EQ(active_plan[2].ident, "SEA");
    EXPECT_EQ(active_plan[11].ident, "******");
    // The TO waypoint at index 1 stays there: the new waypoint is flown first.
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_DOUBLE_EQ(to_position.lat, active_plan[1].lat);
    EXPECT_EQ(hold_list[1].active_index(), 5);
    EXPECT_EQ(constraint_waypoint_index, 10);
    // The cursor stays on SEA, proposed for the next insertion.
    EXPECT_EQ(working_cursor_index, 2);
    EXPECT_EQ(gns_scratchpad, "SEA");
    EXPECT_EQ(gns_line_toggles[GNS_L2], kGnsToggleSecond);

    // Inserting at index 3 while the TO index is 5 (stepped on meanwhile)
    // moves it to 6.
    press("L3");
    ASSERT_EQ(working_cursor_index, 3);
    press("\"BTG\" ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_DATABASE_WPT);
    set_flown_to(5);
    press("ENT");
    frames(1);
    EXPECT_EQ(active_plan[working_cursor_index - 1].ident, "BTG");
    EXPECT_EQ(to_waypoint_index, 6);
    // The cursor's waypoint lies behind the FROM, where the view starts: no
    // row shows it, and its entry closes.
    EXPECT_EQ(gns_entry_active, 0);
}

// A waypoint put in before a constrained fix, on the flown plan and on an
// opened stored plan, carries nothing of that fix: no constraint, no course.
TEST_F(GnsPlanKeys, AnInsertedWaypointTakesNoConstraintOfTheFixItDisplaced) {
    open_example_route();
    // SEA constrained, PAE put in before it in the opened plan; that plan
    // made the flown one, PAE constrained and BTG put in before it.
    for (const bool flown : {false, true}) {
        if (flown) activate_opened_route();
        RoutePlan& plan = flown ? PlanBuilder::laid(active_plan) : working_plan;
        RouteWaypoint& displaced = PlanBuilder::entry(plan, 1);
        const std::string ident = displaced.ident;
        displaced.altitude_kind = AltitudeKind::Pilot;
        displaced.alt_constraint = 5000.0;
        displaced.speed_constraint = 210.0;
        displaced.course = 160.0;
        press(flown ? "L2 \"BTG\" ENT" : "L2 \"PAE\" ENT");
        frames(1);
        ASSERT_EQ(gns_state, GNS_DATABASE_WPT) << flown;
        press("ENT");
        ASSERT_EQ(plan[2].ident, ident) << flown;
        EXPECT_EQ(plan[1].altitude_kind, AltitudeKind::None) << flown;
        EXPECT_EQ(plan[1].alt_constraint, kNoConstraint) << flown;
        EXPECT_EQ(plan[1].speed_constraint, kNoConstraint) << flown;
        EXPECT_EQ(plan[1].course, -1.0) << flown;            // none, as every entry made from the database
        EXPECT_EQ(plan[2].speed_constraint, 210.0) << flown; // the displaced fix keeps its own
        EXPECT_EQ(plan[2].altitude_kind, AltitudeKind::Pilot) << flown;
    }
}

TEST_F(GnsPlanKeys, DeleteMovesTheRestUpAndTheToIndexDown) {
    activate_example_route();
    const char* idents[] = {"KSEA", "AAA", "BBB", "CCC", "KPDX"};
    for (int i = 0; i < 5; ++i) {
        RouteWaypoint& w = active_entry(i);
        w = RouteWaypoint{};
        w.ident = idents[i];
        w.lat = 10.0 + i;
        w.lon = 20.0;
        w.type = i == 0 || i == 4 ? "APT" : "WPT";
    }
    set_active_last(4);
    set_flown_to(3);
    gns_selected_wpt_cursor.move_to(1);
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    press_only(GnsKey::ToggleErase);
    EXPECT_EQ(gns_delete_request, 1);
    press_only(GnsKey::Ent);
    const std::vector<std::string> expected = {"KSEA", "BBB", "CCC", "KPDX"};
    EXPECT_EQ(plan_active_idents(), expected);
    EXPECT_EQ(active_plan[4].ident, "******");
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_DOUBLE_EQ(to_position.lat, 13.0); // CCC
    EXPECT_EQ(gns_scratchpad, "BBB");
    EXPECT_EQ(gns_delete_request, 0);

    // A cursor past the plan deletes nothing.
    gns_selected_wpt_cursor.move_to(7);
    gns_delete_request = 1;
    press_only(GnsKey::Ent);
    EXPECT_EQ(active_plan_last, 3);

    // The TO waypoint deleted as the last entry: the one before it is flown;
    // with only the origin left, no route is.
    set_flown_to(3);
    for (int expected_to : {2, 1, kNoToWaypoint}) {
        gns_selected_wpt_cursor.move_to(active_plan_last);
        gns_delete_request = 1;
        press_only(GnsKey::Ent);
        frames(1);
        EXPECT_EQ(to_waypoint_index, expected_to) << active_plan_last;
        // SERVER publishes the plan as it is now, also once no route is left.
        EXPECT_EQ(orvex_act_wpt_pos, expected_to == kNoToWaypoint ? 0 : expected_to);
        EXPECT_EQ(orvex_fpln_wpt_cnt, active_plan_last);
    }
    EXPECT_EQ(orvex_act_wpt_dist, 0.0);
    // With the origin alone DIRECT-TO has no route to go direct on: the end
    // mark never becomes the TO waypoint.
    press("DIRECT ENT");
    EXPECT_EQ(to_waypoint_index, kNoToWaypoint);
    EXPECT_EQ(active_plan_last, 0);
}

// Whatever row goes, the TO index stays on a leg and on its fix when the fix
// is left: the origin deleted under TO 1 gives way to the present position.
TEST_F(GnsPlanKeys, DeleteKeepsTheToWaypointOnItsFix) {
    activate_example_route();
    const std::vector<RouteWaypoint> route(&active_plan[0], &active_plan[0] + 11);
    struct Row {
        int cursor, to;
        const char* expected_to;
    };
    // KSEA SEA FOXXE NISQL OLM TOUTL KELSO LAVVA SAUVI KPDX
    for (const Row row : {Row{1, 9, "KPDX"}, Row{3, 5, "TOUTL"}, Row{0, 1, "SEA"}, Row{0, 4, "OLM"},
                          Row{5, 5, "KELSO"}, Row{9, 9, "SAUVI"}}) {
        for (int i = 0; i <= 10; ++i)
            active_entry(i) = route[static_cast<std::size_t>(i)];
        set_active_last(9);
        set_flown_to(row.to);
        gns_selected_wpt_cursor.move_to(row.cursor);
        gns_entry_active = 1;
        gns_entry_fresh = 1;
        press_only(GnsKey::ToggleErase);
        press_only(GnsKey::Ent);
        ASSERT_GE(to_waypoint_index, 1) << row.cursor << " " << row.to;
        ASSERT_LE(to_waypoint_index, active_plan_last);
        EXPECT_EQ(active_plan[to_waypoint_index].ident, row.expected_to) << row.cursor << " " << row.to;
        EXPECT_DOUBLE_EQ(to_position.lat, active_plan[to_waypoint_index].lat);
    }
}

TEST_F(GnsPlanKeys, HoldBuildsOnTheSelectedRouteWaypointOnly) {
    // No route: a stale selection makes no hold.
    press("FPL");
    gns_selected_wpt_cursor.move_to(3);
    gns_line_toggles[GNS_L2] = kGnsToggleFirst;
    press("HOLD");
    EXPECT_EQ(gns_state, GNS_HOLDING_PATTERN);
    EXPECT_EQ(hold_count(), 0);

    press("FPL FPL"); // the active plan, then the list
    activate_example_route();
    ASSERT_EQ(gns_sub_state, kGnsSubStateActivePlan);
    press("HOLD"); // nothing selected
    EXPECT_EQ(hold_count(), 0);
    EXPECT_EQ(gns_scratchpad, "");

    press("FPL L3 HOLD"); // fourth row: NISQL
    ASSERT_EQ(hold_count(), 1);
    const HoldEntry& h = hold_list[1];
    EXPECT_EQ(h.active_index(), 3);
    EXPECT_EQ(h.working_index(), 3);
    EXPECT_EQ(h.ident, "NISQL");
    EXPECT_EQ(h.points[0].label, "Fix");
    EXPECT_EQ(hold_mark(active_plan, 3), 1);
    EXPECT_EQ(hold_exit_state, kHoldExitNotEntered);
    EXPECT_GT(h.inbound_course, 0.0);
    EXPECT_LE(h.inbound_course, 360.0);
}

// HOLD takes the fix of the row a left key selected, on every page of the
// active plan; the FROM row was passed and takes none, nor does the end row.
TEST_F(GnsPlanKeys, HoldTakesTheSelectedRowOnEveryPage) {
    activate_example_route();
    ASSERT_FALSE(HasFatalFailure());
    // W9..W14 between SAUVI and KPDX: 17 rows from the FROM to the end mark,
    // three pages, the last of five rows.
    const RouteWaypoint sauvi = active_plan[8], kpdx = active_plan[9];
    for (int i = 9; i <= 15; ++i) {
        RouteWaypoint& w = active_entry(i);
        w.ident = i == 15 ? kpdx.ident : "W" + std::to_string(i);
        w.type = i == 15 ? kpdx.type : "WPT";
        w.lat = sauvi.lat + (kpdx.lat - sauvi.lat) * (i - 8) / 7.0;
        w.lon = sauvi.lon + (kpdx.lon - sauvi.lon) * (i - 8) / 7.0;
    }
    set_active_last(15);
    struct Case {
        const char* keys; // from page 1 of the active plan
        const char* fix;  // "" no hold
    };
    const Case cases[] = {
        {"L1", ""},
        {"L2", "SEA"},
        {"L2 L2", "FOXXE"},
        {"L3", "NISQL"},
        {"L3 L3", "OLM"},
        {"L4", "TOUTL"},
        {"NEXT L1", "KELSO"},
        {"NEXT L2", "LAVVA"},
        {"NEXT L2 L2", "SAUVI"},
        {"NEXT L3", "W9"},
        {"NEXT L3 L3", "W10"},
        {"NEXT L4", "W11"},
        {"NEXT NEXT L1", "W12"},
        {"NEXT NEXT L3 L3", ""},
        {"NEXT NEXT L3", "KPDX"},
        // No sixth row on the last page: L4 asks DEPART? and selects none.
        {"NEXT NEXT L4", ""},
    };
    for (const Case& c : cases) {
        hold_list.clear();
        press("NAV FPL"); // FPL on the plan view would step its page
        press(c.keys);
        press("HOLD");
        EXPECT_EQ(gns_state, GNS_HOLDING_PATTERN) << c.keys;
        if (*c.fix == '\0') {
            EXPECT_EQ(hold_count(), 0) << c.keys;
            continue;
        }
        EXPECT_EQ(hold_count(), 1) << c.keys;
        if (hold_count() != 1) continue;
        const int k = hold_list[1].active_index();
        EXPECT_EQ(active_plan[k].ident, c.fix) << c.keys;
        EXPECT_EQ(hold_mark(active_plan, k), 1) << c.keys;
    }
    // Three rows on the last page: L3 beside none selects nothing, nor the
    // fix an earlier key left the cursor on.
    set_active_last(13);
    hold_list.clear();
    press("NAV FPL L2 NEXT NEXT L3");
    EXPECT_EQ(gns_active_page, 3);
    EXPECT_EQ(gns_entry_active, 0);
    press("HOLD");
    EXPECT_EQ(hold_count(), 0);
}

TEST_F(GnsPlanKeys, AHoldMadeHereLeavesNothingOfTheHoldsItReplaces) {
    activate_example_route();
    // Two holds from the other unit, the second flown by a distance entered.
    add_hold(2, kHoldQuiet, 0.0);
    add_hold(4, kHoldQuiet, 0.0);
    hold_list.slot(2).leg_mode = kHoldLegByDistance;
    hold_list.slot(2).leg_distance = 7.0;

    press("FPL L3 HOLD");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_page_count, 1); // the other unit's hold pages count it alone
    // A hold added later in the slot the replaced one had starts fresh.
    ASSERT_EQ(add_hold(5, kHoldQuiet, 0.0), 2);
    EXPECT_EQ(hold_list[2].leg_distance, 0.0);
}

TEST_F(GnsPlanKeys, EditsThatWouldPassEntry200AreRefused) {
    activate_example_route();
    for (int i = 10; i <= 199; ++i) {
        RouteWaypoint& w = active_entry(i);
        w.ident = "W" + std::to_string(i);
        w.type = "WPT";
    }
    set_active_last(199);

    // Insertion: the unit stays on DATABASE WPT with the plan as it was.
    press("L2 \"PAE\" ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_DATABASE_WPT);
    press("ENT");
    frames(1);
    EXPECT_EQ(gns_state, GNS_DATABASE_WPT);
    EXPECT_EQ(active_plan_last, 199);
    EXPECT_EQ(active_plan[1].ident, "SEA");
    EXPECT_NE(op_of_text("INVALID ENTRY"), nullptr); // and says why
    EXPECT_EQ(text_under("INVALID ENTRY"), "");      // under the page's FLYOVER: row

    // A full plan has no room for the DIRECT entry either.
    press("FPL DIRECT");
    frames(1);
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(active_plan_last, 199);
    EXPECT_NE(op_of_text("INVALID ENTRY"), nullptr);
    EXPECT_EQ(text_under("INVALID ENTRY"), "");

    // A plan of 201 entries keeps its end mark inside the plan.
    set_active_last(200);
    active_entry(200).ident = "LAST";
    frames(1);
    EXPECT_EQ(active_plan[200].ident, "LAST");
}

TEST_F(GnsPlanKeys, ListChoicesPastTheEndAreDropped) {
    // Four entries: R3's second row (route 4, NEW FPL) exists, R4's rows do not.
    press("R4");
    EXPECT_EQ(gns_line_toggles[GNS_R4], kGnsToggleIdle);
    press("R3 R3");
    EXPECT_EQ(gns_line_toggles[GNS_R3], kGnsToggleSecond);
    EXPECT_TRUE(shows("NEXT FPL"));
    press("ENT");
    frames(1);
    // The new plan opens empty with row 1 open for a first waypoint.
    EXPECT_EQ(gns_plan_open, 1);
    EXPECT_EQ(working_plan_last, -1);
    EXPECT_EQ(gns_line_toggles[GNS_L1], kGnsToggleFirst);
    EXPECT_EQ(gns_entry_active, 1);
}

TEST_F(GnsPlanKeys, AListedFileGoneSinceTheListingOpensNothing) {
    std::filesystem::remove(sim_folder_.path() + "/orvex/flightplans/KSEAKPDX.RTE");
    press("R2 R2 ENT");
    frames(1);
    EXPECT_EQ(gns_plan_open, 0);
    EXPECT_EQ(text_at(45.0f, 0.0f), "FLIGHT PLAN LIST 1/1");
}

// The origin-destination header stands aside for the frame of a route load
// or a rebuilt plan, and is back on the next.
TEST_F(GnsPlanKeys, TheOriginDestinationHeaderReturnsAfterALoadOrARebuild) {
    activate_example_route();
    ASSERT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(text_at(280.0f, 40.0f), "KPDX");
    for (const bool load : {true, false}) {
        if (load) {
            route_file_request_name = "KSEAKPDX.RTE";
            route_file_request = kRouteFileRequestMcu;
        } else {
            gns_plan_changed = 1; // as ENT raises it when it rebuilt the plan
        }
        frames(1);
        EXPECT_EQ(text_at(280.0f, 40.0f), "") << load;
        frames(1);
        EXPECT_EQ(text_at(240.0f, 40.0f), "-") << load;
        EXPECT_EQ(text_at(280.0f, 40.0f), "KPDX") << load;
    }
}

// The end row is drawn behind the last waypoint and can be chosen, but it is
// no entry: ERASE on it asks for no deletion, and the view never writes it
// into the plan.
TEST_F(GnsPlanKeys, TheEndRowIsShownAndChosenButIsNoEntry) {
    activate_example_route();
    const char* idents[] = {"KSEA", "AAA", "KPDX", "SPARE"};
    for (int i = 0; i < 4; ++i) {
        RouteWaypoint& w = active_entry(i);
        w = RouteWaypoint{};
        w.ident = idents[i];
        w.lat = 10.0 + i;
        w.lon = 20.0;
    }
    set_active_last(2);
    set_flown_to(1);
    press("FPL");
    EXPECT_EQ(text_at(96.0f, 160.0f), "******");
    press("L3");
    EXPECT_EQ(gns_scratchpad, "******");
    press_only(GnsKey::ToggleErase);
    EXPECT_EQ(gns_delete_request, 0);
    EXPECT_EQ(active_plan[3].ident, "SPARE");
}

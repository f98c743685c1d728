// SELECT WAYPOINT reached from RTE, RTE LEGS (HOLD AT) and REF NAV DATA with
// an identifier that seven fixes share.
#include "cdu_smiths/smiths_pages.h"
#include "fms/nav/nearest_vors.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "nav_pages_stand_in.h"

TEST_F(NavPagesStandIn, rteEntryRowTakesTheChosenCandidateBeforeTheDestination) {
    execute_short_route();
    ASSERT_EQ(route_state, kRouteStateActive);
    press("\"DUPLI\" R2");
    frames(1);
    EXPECT_EQ(text_at(40, 0), "SELECT WAYPOINT");
    EXPECT_EQ(text_at(220, 0), " 1/ 2");
    EXPECT_EQ(text_at(40, 33), "DUPLI   INT        ");
    EXPECT_EQ(text_at(55, 48), "N47:32:56    W122:18:33  ");
    EXPECT_EQ(text_at(40, 198), "DUPLI   INT        "); // the sixth row
    EXPECT_EQ(text_at(230, 5), "");                     // no other page drew

    press("L2");
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    ASSERT_EQ(working_plan_last, 3);
    EXPECT_EQ(working_plan[2].ident, "DUPLI");
    EXPECT_DOUBLE_EQ(working_plan[2].lat, duplicate_latitude(2));
    EXPECT_EQ(working_plan[3].ident, "KPDX"); // no discontinuity
    frames(1);
    EXPECT_EQ(smiths_cdu_page, kPageRte);
}

TEST_F(NavPagesStandIn, subPagesStepTheOtherWayAndStayWithinTheList) {
    execute_short_route();
    smiths_select_subpage = 5; // left by a longer list
    press("\"DUPLI\" R2");
    frames(1);
    EXPECT_EQ(text_at(220, 0), " 2/ 2");
    EXPECT_EQ(text_at(40, 33), "DUPLI   INT        ");
    EXPECT_EQ(text_at(40, 66), ""); // candidate 7 alone
    press("PREV");
    EXPECT_EQ(text_at(220, 0), " 1/ 2");
    press("NEXT");
    EXPECT_EQ(text_at(220, 0), " 2/ 2");
    press("R2"); // an empty row
    EXPECT_EQ(smiths_cdu_page, kPageSelectWaypoint);
    EXPECT_EQ(working_plan_last, 2);
}

TEST_F(NavPagesStandIn, holdAtWaitsForTheFixAndHoldsAtTheOneChosen) {
    execute_short_route();
    hold_at_candidate = 1; // left by an earlier HOLD AT
    press("HOLD \"DUPLI\" L6");
    frames(2);
    EXPECT_EQ(smiths_cdu_page, kPageSelectWaypoint); // waits for a choice
    EXPECT_EQ(smiths_scratchpad, "HOLD AT DUPLI");
    // Left without a choice, the HOLD AT entry has no fix to insert.
    press("HOLD L1");
    EXPECT_TRUE(shows("INVALID ENTRY"));
    EXPECT_EQ(hold_count(), 0);

    clear_scratchpad();
    press("\"DUPLI\" L6");
    frames(1);
    press("NEXT R1"); // candidate 7
    EXPECT_EQ(smiths_cdu_page, kPageRteLegs);
    press("L1");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].ident, "DUPLI");
    EXPECT_DOUBLE_EQ(hold_list[1].points[0].lat, duplicate_latitude(7));
}

TEST_F(NavPagesStandIn, refNavDataComesBackWithTheCandidateChosen) {
    press("L6 R1 \"DUPLI\" L1");
    frames(1);
    EXPECT_EQ(text_at(220, 0), " 1/ 2");
    press("R3");
    EXPECT_EQ(ref_nav_kind, 2);
    EXPECT_DOUBLE_EQ(ref_nav_fix.latitude, duplicate_latitude(3));
    frames(1);
    EXPECT_EQ(text_at(63, 0), "REF  NAV  DATA");
    EXPECT_EQ(text_at(0, 33), "DUPLI");
}

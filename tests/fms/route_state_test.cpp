#include "fms/plan/route_state.h"

#include <gtest/gtest.h>

TEST(RouteState, stepsThroughEnteredActivatedActiveModifiedAndBackOnExec) {
    EXPECT_EQ(route_state, 0);
    const int expected[] = {1, 2, 3, 4, 3, 4, 3};
    for (int want : expected) {
        advance_route_state();
        EXPECT_EQ(route_state, want);
    }
    route_state = 7; // not a route state
    advance_route_state();
    EXPECT_EQ(route_state, 7);
    route_state = -1;
    advance_route_state();
    EXPECT_EQ(route_state, -1);
}

TEST(RouteState, anEditEntersOrModifiesButNeverActivatesNorDropsAModification) {
    const int before[] = {0, 1, 2, 3, 4};
    const int after[] = {1, 1, 2, 4, 4};
    for (int i = 0; i < 5; ++i) {
        route_state = before[i];
        mark_route_edited();
        EXPECT_EQ(route_state, after[i]) << "from " << before[i];
    }
}

#include "fms/plan/route_state.h"

#include <gtest/gtest.h>

TEST(RouteState, stepsThroughEnteredActivatedActiveModifiedAndBackOnExec) {
    EXPECT_EQ(route_state, kRouteStateNone);
    const int expected[] = {kRouteStateEntered,        kRouteStateActivated, kRouteStateActive,
                            kRouteStateActiveModified, kRouteStateActive,    kRouteStateActiveModified,
                            kRouteStateActive};
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
    const int before[] = {kRouteStateNone, kRouteStateEntered, kRouteStateActivated, kRouteStateActive,
                          kRouteStateActiveModified};
    const int after[] = {kRouteStateEntered, kRouteStateEntered, kRouteStateActivated,
                         kRouteStateActiveModified, kRouteStateActiveModified};
    for (int i = 0; i < 5; ++i) {
        route_state = before[i];
        mark_route_edited();
        EXPECT_EQ(route_state, after[i]) << "from " << before[i];
    }
}

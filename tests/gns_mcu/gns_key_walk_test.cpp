// Every key pressed on every state the keys reach: no key may land on a
// blank screen.
#include "gns_stand_in.h"

#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"

#include <algorithm>
#include <map>
#include <vector>

class GnsKeyWalk : public GnsStandIn {
  protected:
    // The same starting point before every path: the active plan view of the
    // example route, no toggle, no entry.
    void home() {
        reset_page_toggles();
        gns_state = GNS_FLIGHT_PLAN;
        gns_sub_state = kGnsSubStateActivePlan;
        gns_plan_open = 0;
        gns_active_page = 1;
        gns_entry_active = 0;
        gns_entry_fresh = 1;
        gns_delete_request = 0;
        gns_scratchpad = "------";
        frames(1);
    }
    bool drew_something() { return !texts().empty(); }
};

TEST_F(GnsKeyWalk, EveryKeyOnEveryReachedStateShowsAPage) {
    press("R2 R2 ENT");
    frames(1);
    press("R5 ENT");
    frames(1);
    ASSERT_NE(to_waypoint_index, kNoToWaypoint);

    // Key paths from home(), each walked with every key: the plan view with
    // its line-key choices made, then the first path found to each state.
    using K = GnsKey;
    std::vector<std::vector<GnsKey>> paths = {{},      {K::L1},        {K::L2}, {K::L4}, {K::L4, K::L4},
                                              {K::L5}, {K::L5, K::L5}, {K::R4}, {K::R5}, {K::R5, K::R5}};
    std::map<int, std::vector<GnsKey>> path;
    path[GNS_FLIGHT_PLAN] = {};
    for (std::size_t n = 0; n < paths.size(); ++n) {
        const std::vector<GnsKey> from_path = paths[n];
        home();
        for (GnsKey key : from_path)
            press_only(key), frames(1);
        const int from = gns_state;
        for (int k = 0; k < kGnsKeyCount; ++k) {
            home();
            for (GnsKey key : from_path)
                press_only(key), frames(1);
            ASSERT_EQ(gns_state, from);
            const GnsKey key = static_cast<GnsKey>(k);
            press_only(key);
            frames(1);
            const int to = gns_state;
            ASSERT_TRUE(to == 1 || (to >= 7 && to <= kGnsStateCount))
                << gns_key_boxes[k].name << " on state " << from << " gives state " << to;
            EXPECT_TRUE(drew_something()) << gns_key_boxes[k].name << " on state " << from << " -> " << to;
            if (path.count(to) == 0) {
                path[to] = from_path;
                path[to].push_back(key);
                paths.push_back(path[to]);
            }
        }
    }
    // The walk reaches the unit's pages and the mode keys' states.
    for (int state : {GNS_FLIGHT_PLAN, GNS_DATABASE_WPT, GNS_DIRECT, GNS_NAVIGATION, GNS_DEPARTURE,
                      GNS_ARRIVAL, GNS_APPROACH, GNS_SAVE_FPL, GNS_VNAV, GNS_PLAN, GNS_HOLDING_PATTERN})
        EXPECT_EQ(path.count(state), 1u) << "state " << state << " not reached";
}

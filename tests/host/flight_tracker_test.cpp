// The flight summary counts the waypoints of the plan flown, whatever plans
// came before it: the route status the module gives, frame by frame.
#include "flight_demo.h"
#include "simulator.h"

#include "gauges/stand_in_hooks.h"

#include <gtest/gtest.h>

namespace {

StandInRouteStatus status_now{};

void give_status(StandInRouteStatus* s) {
    *s = status_now;
}

} // namespace

TEST(FlightTracker, TheSummaryCountsTheWaypointsOfThePlanFlown) {
    host::Simulator sim;
    sim.module.flight.route_status = &give_status;
    host::reset_flight_tracker();
    struct Frame {
        int to, last, lnav;
        const char* told; // the summary's start after this frame
    };
    const Frame frames[] = {
        {1, 9, 1, "0 of 9 waypoints sequenced, not arrived"},
        {5, 9, 1, "4 of 9 waypoints sequenced, not arrived"},
        {8, 9, 1, "7 of 9 waypoints sequenced, not arrived"},
        {1, 2, 1, "0 of 2 waypoints sequenced, not arrived"}, // a direct-to: a plan of its own
        {2, 2, 1, "1 of 2 waypoints sequenced, not arrived"},
        {2, 2, 0, "2 of 2 waypoints sequenced, arrived"},
    };
    for (const Frame& f : frames) {
        status_now = StandInRouteStatus{};
        status_now.to_index = f.to;
        status_now.last_index = f.last;
        status_now.lnav_engaged = f.lnav;
        host::track_flight_frame(sim, nullptr);
        EXPECT_EQ(host::flight_summary().rfind(f.told, 0), 0u) << host::flight_summary();
    }
    host::reset_flight_tracker();
}

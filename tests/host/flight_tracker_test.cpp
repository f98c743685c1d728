// The flight summary counts every waypoint passed in the flight, through every
// plan flown: the route status the module gives, frame by frame.
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

TEST(FlightTracker, TheSummaryCountsEveryWaypointSequencedInTheFlight) {
    host::Simulator sim;
    sim.module.flight.route_status = &give_status;
    host::reset_flight_tracker();
    struct Frame {
        int to;
        const char* ident;
        int last, lnav;
        const char* told; // the summary's start after this frame
        const char* from = "";
    };
    const Frame frames[] = {
        {1, "SEA", 9, 1, "0 of 9 waypoints sequenced, not arrived"},
        {5, "OLM", 9, 1, "4 of 9 waypoints sequenced, not arrived"},
        {6, "OLM", 10, 1, "4 of 9 waypoints sequenced, not arrived"}, // one inserted before the TO
        {8, "KELSO", 10, 1, "6 of 9 waypoints sequenced, not arrived"},
        // A direct-to a fix further on: the fixes left out were not flown.
        {10, "SAUVI", 11, 1, "6 of 8 waypoints sequenced, not arrived", "DIRECT"},
        {11, "KPDX", 11, 1, "7 of 8 waypoints sequenced, not arrived", "SAUVI"},
        {1, "PAE", 2, 1, "7 of 9 waypoints sequenced, not arrived"}, // a direct-to: a plan of its own
        {2, "KPDX", 2, 1, "8 of 9 waypoints sequenced, not arrived"},
        {2, "KPDX", 2, 0, "9 of 9 waypoints sequenced, arrived"},
    };
    for (const Frame& f : frames) {
        status_now = StandInRouteStatus{};
        status_now.to_index = f.to;
        std::snprintf(status_now.to_ident, sizeof status_now.to_ident, "%s", f.ident);
        std::snprintf(status_now.from_ident, sizeof status_now.from_ident, "%s", f.from);
        status_now.last_index = f.last;
        status_now.lnav_engaged = f.lnav;
        host::track_flight_frame(sim, nullptr);
        EXPECT_EQ(host::flight_summary().rfind(f.told, 0), 0u) << f.ident << ": " << host::flight_summary();
    }
    host::reset_flight_tracker();
}

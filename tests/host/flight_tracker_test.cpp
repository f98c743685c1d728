// The flight summary counts every waypoint passed in the flight, through every
// plan flown: the route status the module gives, frame by frame.
#include "aircraft_model.h"
#include "aircraft_store.h"
#include "airport_ground.h"
#include "flight_demo.h"
#include "sim_state.h"
#include "simulator.h"

#include "fms/plan/route_plan.h"
#include "gauges/stand_in_hooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

StandInRouteStatus status_now{};

void give_status(StandInRouteStatus* s) {
    *s = status_now;
}

// The aircraft on the ground or well above it.
void fly_at(double height_ft) {
    host::start_aircraft();
    host::aircraft().ground_elevation_ft = 0.0;
    host::aircraft().altitude_ft = height_ft;
}

} // namespace

TEST(FlightTracker, TheSummaryCountsEveryWaypointSequencedInTheFlight) {
    host::Simulator sim;
    sim.module.flight.route_status = &give_status;
    host::reset_sim_state();
    fly_at(5000.0);
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
        {2, "KPDX", 2, 0, "9 of 9 waypoints sequenced, route flown, no destination"}, // none known here
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

// With the plan SERVER publishes, entries are told apart by their ids: a
// route that repeats one name counts every passage, an edit or another route
// none.
TEST(FlightTracker, TheSummaryCountsPassagesOfEntriesNotNames) {
    host::Simulator sim;
    sim.module.flight.route_status = &give_status;
    host::reset_sim_state();
    host::reset_flight_tracker();
    static RouteWaypoint plan[RoutePlan::slots];
    host::register_module_var(plan, MODULE_VAR_STRING, "Orvex_FlightPlan");
    auto frame = [&](const std::vector<int>& ids, int to, int lnav) {
        for (std::size_t i = 0; i < RoutePlan::slots; ++i) {
            plan[i].ident = "WPTX";
            plan[i].id = i < ids.size() ? ids[i] : 0;
        }
        status_now = StandInRouteStatus{};
        status_now.to_index = to;
        std::snprintf(status_now.to_ident, sizeof status_now.to_ident, "WPTX");
        status_now.last_index = static_cast<int32_t>(ids.size()) - 1;
        status_now.lnav_engaged = lnav;
        host::track_flight_frame(sim, nullptr);
        return host::flight_summary();
    };
    // A route of 300 entries of one name, cut to the plan's 201, flown to its
    // end; passed on the take-off roll, it is not flown.
    std::vector<int> route;
    for (int id = 1; id <= static_cast<int>(RoutePlan::slots); ++id)
        route.push_back(id);
    for (const auto& [height, told] :
         {std::pair<double, const char*>{0.0, "199 of 200 waypoints sequenced, not arrived"},
          {5000.0, "200 of 200 waypoints sequenced, route flown, no destination"}}) {
        fly_at(height);
        host::reset_flight_tracker();
        for (int to = 1; to <= kPlanLastIndex; ++to)
            frame(route, to, 1);
        EXPECT_EQ(frame(route, kPlanLastIndex, 0).rfind(told, 0), 0u)
            << height << ": " << host::flight_summary();
    }

    host::reset_flight_tracker();
    const struct {
        std::vector<int> ids;
        int to;
        const char* told;
    } rows[] = {
        {{1, 2, 3, 4, 5, 6}, 1, "0 of 5 "},
        {{1, 2, 3, 4, 5, 6}, 2, "1 of 5 "},
        {{1, 2, 7, 3, 4, 5, 6}, 3, "1 of 5 "},            // one inserted before the TO
        {{1, 2, 7, 3, 4, 5, 6}, 5, "3 of 5 "},            // two passed within a frame
        {{11, 12, 13, 14, 15, 16, 17, 18}, 6, "3 of 5 "}, // another route, none of it flown yet
        {{11, 12, 13, 14, 15, 16, 17, 18}, 7, "4 of 5 "},
    };
    for (const auto& r : rows)
        EXPECT_EQ(frame(r.ids, r.to, 1).rfind(r.told, 0), 0u) << r.to << ": " << host::flight_summary();
    host::reset_flight_tracker();
    host::reset_sim_state();
}

// A flight arrives once it is down on the ground of the airport its route
// ends at (KPDX of the example airports): not when LNAV lets go above it,
// nor when it lands elsewhere; a route that ends at a fix has no arrival.
TEST(FlightTracker, TheSummarySaysArrivedOnlyOnTheDestinationsGround) {
    host::Simulator sim;
    sim.module.flight.route_status = &give_status;
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(ORVEX_SOURCE_DIR "/examples/sim");
    ASSERT_GT(host::use_airport_ground(), 0u);
    std::filesystem::current_path(here);
    static RouteWaypoint plan[RoutePlan::slots];
    host::register_module_var(plan, MODULE_VAR_STRING, "Orvex_FlightPlan");
    const struct {
        const char *end, *type;
        double lat, lon, height; // after LNAV let go at the end
        const char* told;
    } rows[] = {
        {"KPDX", "APT", 45.5887, -122.5975, 2000.0, "3 of 3 waypoints sequenced, not arrived"},
        {"KPDX", "APT", 45.5910, -122.6165, 0.0, "3 of 3 waypoints sequenced, arrived"},
        {"KPDX", "APT", 45.9000, -122.5975, 0.0, "3 of 3 waypoints sequenced, landed away from KPDX"},
        {"BTG", "VOR", 45.7478, -122.5918, 3000.0, "3 of 3 waypoints sequenced, route flown, no destination"},
        {"BTG", "VOR", 45.5887, -122.5975, 0.0, "3 of 3 waypoints sequenced, landed, no destination"},
    };
    for (const auto& r : rows) {
        host::reset_sim_state();
        host::reset_flight_tracker();
        fly_at(5000.0);
        for (int i = 0; i < 4; ++i) {
            plan[i] = RouteWaypoint{};
            plan[i].id = i + 1;
            plan[i].ident = i == 3 ? r.end : "WPT" + std::to_string(i);
            plan[i].type = i == 3 ? r.type : "INT";
        }
        status_now = StandInRouteStatus{};
        status_now.last_index = 3;
        for (int to = 1; to <= 3; ++to) {
            status_now.to_index = to;
            std::snprintf(status_now.to_ident, sizeof status_now.to_ident, "%s", plan[to].ident.c_str());
            status_now.lnav_engaged = 1;
            host::track_flight_frame(sim, nullptr);
        }
        status_now.lnav_engaged = 0;
        host::track_flight_frame(sim, nullptr);
        EXPECT_TRUE(host::flight_tracker().ended_now) << r.end;
        host::aircraft().lat_deg = r.lat;
        host::aircraft().lon_deg = r.lon;
        host::aircraft().altitude_ft = r.height;
        host::track_flight_frame(sim, nullptr);
        EXPECT_EQ(host::flight_summary().rfind(r.told, 0), 0u) << r.end << ": " << host::flight_summary();
    }
    host::reset_flight_tracker();
    host::reset_sim_state();
}

#include "airport_files.h"
#include "data/nav_database.h"
#include "data_link_peer.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "plan_builder.h"
#include "platform/window.h"
#include "sim/aircraft_state.h"
#include "sim/data_link.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// 09L has no localizer course of its own; 9L is written without its zero.
const char* const kAirports =
    "zzaa testfield 1400 47.0 8.0 09L_10000_47.0_7.8_090_110.30_ILS_0 27R_10000_47.0_8.0_270_109.90_ILS_268 "
    "9L_3000_47.1_7.9_090 27_3000_47.1_8.0_270\n"
    "ZZBB OTHER 50 46.0 7.0\n";

const char* const kAdditional = "; tower and patterns\n"
                                "[ZZAA]\n"
                                "RWY9L=RIGHTPATTERN\n"
                                "towerviewlon=8.1\n"
                                "TowerViewAlt =999\n"
                                "[ZZBB]\n"
                                "RWY27=RIGHTPATTERN\n"
                                "TowerViewLat=46.5\n"
                                "TowerViewLon=7.5\n"
                                "TowerViewAlt=260\n";

void plan_of(auto& plan, int entries) {
    PlanBuilder::set_last(plan, entries - 1);
    for (int i = 0; i < entries; ++i) {
        RouteWaypoint& w = PlanBuilder::entry(plan, i);
        w = RouteWaypoint{};
        w.ident = "P" + std::to_string(i);
    }
}

} // namespace

TEST(AirportSelection, fullModesBuildTheRunwayListWithPatternsFromTheAirportsOwnSection) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kAirports);
    write_navdata(sim, "apt_additional_info.txt", kAdditional);

    select_airport("ZZAA", kSelectAirportOrigin);
    ASSERT_EQ(airport_runway_list.count(), 4);
    const char* designators[] = {"", "09L", "27R", "9L", "27"};
    const int right[] = {0, 1, 0, 1, 0}; // "RWY9L" marks 09L and 9L; ZZBB's 27 is not ZZAA's
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(airport_runway_list[r].designator, designators[r]);
        EXPECT_EQ(airport_runway_list[r].right_pattern, right[r]) << r;
    }
    EXPECT_EQ(airport_runway_list[1].localizer_course, 90.0); // 0 in the file: the runway heading
    EXPECT_EQ(airport_runway_list[2].localizer_course, 268.0);
    EXPECT_EQ(selected_airport_ident, "ZZAA");
    EXPECT_EQ(active_plan[0].alt_constraint, 1400.0);
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "APT 'ZZAA' Set");

    // Mode 1 on an empty plan writes no plan entry; an unknown ident changes nothing.
    select_airport("ZZAA", kSelectAirportDestination);
    EXPECT_EQ(selected_destination_ident, "ZZAA");
    EXPECT_EQ(active_plan_last, -1);
    select_airport("ZZZZ", kSelectAirportDestination);
    EXPECT_EQ(airport_runway_list.count(), 4);
    EXPECT_EQ(selected_destination_ident, "ZZAA");
}

TEST(AirportSelection, planModesWriteOneEntryAndRefuseAFullPlan) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kAirports);

    plan_of(active_plan, 3);
    select_airport("ZZBB", kSelectAirportActiveDestination);
    select_airport("NOPE", kSelectAirportActiveDestination);
    ASSERT_EQ(active_plan_last, 3); // one entry, and none for an unknown airport
    EXPECT_EQ(active_plan[3].ident, "ZZBB");
    EXPECT_EQ(active_plan[3].alt_constraint, 50.0);
    EXPECT_EQ(constraint_waypoint_index, 3);
    EXPECT_EQ(vertical_target_lat, 46.0);

    EXPECT_EQ(active_plan_last, 3);

    // Mode 2 puts the elevation on a last entry that is that destination.
    active_entry(3).alt_constraint = 0.0;
    select_airport("ZZBB", kSelectAirportDestinationElevation);
    EXPECT_EQ(active_plan[3].alt_constraint, 50.0);
    EXPECT_EQ(vertical_target_altitude, 50.0);

    plan_of(working_plan, 2);
    select_airport("ZZAA", kSelectAirportWorkingOrigin);
    select_airport("ZZBB", kSelectAirportWorkingAppend);
    EXPECT_EQ(working_plan[0].ident, "ZZAA");
    ASSERT_EQ(working_plan_last, 2);
    EXPECT_EQ(working_plan[2].ident, "ZZBB");

    plan_of(active_plan, 201);
    plan_of(working_plan, 201);
    select_airport("ZZBB", kSelectAirportActiveDestination);
    select_airport("ZZBB", kSelectAirportWorkingAppend);
    EXPECT_EQ(active_plan_last, 200);
    EXPECT_EQ(working_plan_last, 200);
}

TEST(AirportSelection, towerViewFromTheFileThenTheSelectedRunwayThenTheAirport) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kAirports);
    write_navdata(sim, "apt_additional_info.txt", kAdditional);
    plan_of(active_plan, 2);
    active_entry(1).ident = "ZZAA";
    active_entry(1).lat = 47.0;
    active_entry(1).lon = 8.0;

    // Only a longitude (key case ignored); "TowerViewAlt " is no key; ZZBB's
    // keys belong to ZZBB.
    TowerView view = tower_view_position();
    EXPECT_EQ(view.latitude, 0.0);
    EXPECT_EQ(view.longitude, 8.1);
    EXPECT_EQ(view.altitude_ft, 0.0);

    // No section: the selected runway (line 2 of a list shown from row 1):
    // 0.21 NM off its threshold at heading + 15 + magnetic variation.
    write_navdata(sim, "apt_additional_info.txt", "");
    active_entry(1).ident = "ZZAA";
    select_airport("ZZAA", kSelectAirportOrigin);
    airport_runway_selected_line = 2;
    aircraft_state.magvar = 5.0;
    view = tower_view_position();
    double distance = 0.0, course = 0.0;
    gc_dist_course(47.0, 8.0, view.latitude, view.longitude, &distance, &course);
    EXPECT_NEAR(distance, 0.21, 1e-6);
    EXPECT_NEAR(course, 290.0, 1e-3);

    // A selected line outside the list falls back to the airport, 100 ft up.
    for (int line : {-999, 0, 5}) {
        airport_runway_selected_line = line;
        view = tower_view_position();
        EXPECT_EQ(view.latitude, 47.0);
        EXPECT_EQ(view.altitude_ft, 1500.0) << line;
    }
    active_entry(1).ident = "XXXX"; // in no file: elevation 0
    EXPECT_EQ(tower_view_position().altitude_ft, 100.0);
}

TEST(AirportSelection, theTowerViewGoesThroughTheDataLinkInTheAddOnsUnits) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kAirports);
    write_navdata(sim, "apt_additional_info.txt", kAdditional);
    plan_of(active_plan, 2);
    active_entry(1).ident = "ZZBB";

    set_tower_view(); // no add-on window: nothing
    EXPECT_EQ(warning_messages.count(), 0);

    host::reset_data_link();
    ASSERT_TRUE(host::start_data_link({&orvex_window_register, &orvex_window_unregister}));
    set_tower_view();
    int64_t latitude = 0, longitude = 0;
    uint32_t altitude[2] = {99, 99};
    host::get_link_bytes(0xD50, &latitude, 8);
    host::get_link_bytes(0xD58, &longitude, 8);
    host::get_link_bytes(0xD60, altitude, 8);
    host::stop_data_link();

    EXPECT_NEAR(latitude / 477302101697422.25, 46.5, 1e-12);  // 10001750 m to 90 degrees, x 2^32
    EXPECT_NEAR(longitude / 51240955760304312.9, 7.5, 1e-12); // 2^64 to the circle
    EXPECT_EQ(altitude[0], 0u);
    EXPECT_EQ(altitude[1], 79u); // 260 ft in whole metres
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "TWR Pos '[ZZBB]' set");
}

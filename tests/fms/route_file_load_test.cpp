// The three route-file readers: keys, waypoints, navaid data, the plan
// capacity, and files that cannot be read.
#include "route_files.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "fms/files/route_file_load.h"
#include "fms/fms_update.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "plan_builder.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const kRoute = "; stored by hand\n"
                           "CruiseAlt=24000\n"
                           "ResvFuel=2000\n"
                           "[FlightPlan]\n"
                           "KSEA             47.44900  -122.30930  APT ---\n"
                           "; a comment between waypoints\n"
                           "SEA              47.43540  -122.30970  INT\n"
                           "OLM              46.97170  -122.90250  INT ---  V23\n"
                           "FUELX            46.50000  -122.80000  WPT ---\n"
                           "KPDX             45.58870  -122.59750  APT ---\n";

void add_navaid(const std::string& ident, double lat, double lon, const std::string& kind,
                const std::string& frequency) {
    NavRecord r;
    r.ident = ident;
    r.latitude = lat;
    r.longitude = lon;
    r.kind = kind;
    r.extra = frequency;
    navaid_table.append(r);
    build_navaid_letter_index();
}

void load_active(const std::string& name, double plat, double plon) {
    aircraft_state.plat = plat;
    aircraft_state.plon = plon;
    route_file_request_name = name;
    load_route_file(kRouteFileRequestMcu);
}

} // namespace

TEST(RouteFileLoad, activeReaderFillsBothPlansAndNamesTheRouteByDistance) {
    RouteFolder folder;
    folder.write_plan("KSEAKPDX.RTE", kRoute);
    add_navaid("OLM", 46.9717, -122.9025, "V", "113.40");
    add_navaid("SEA", 47.4354, -122.3097, "V", "116.80");

    // 6 NM south of KSEA: named after the origin, destination data later.
    load_active("kseakpdx.rte", 47.449 - 0.1, -122.3093);
    ASSERT_EQ(active_plan_last, 4);
    EXPECT_EQ(working_plan_last, 4);
    EXPECT_EQ(working_plan[5].ident, "******");
    EXPECT_EQ(cruise_altitude, 24000);
    EXPECT_EQ(mcu_entry_text, "KSEA");
    EXPECT_EQ(destination_airport_state, kDestinationAirportStateToLoad);
    EXPECT_EQ(origin_airport_ident, ""); // taken over by EXEC
    EXPECT_EQ(loaded_origin_ident, "KSEA");
    EXPECT_EQ(loaded_destination_ident, "KPDX");
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(gns_route_loaded_flag, 1);
    EXPECT_EQ(flight_phase, kFlightPhaseInitLoad); // a new flight log was started on the ground
    // An intersection line that is a VOR of the database becomes the VOR.
    EXPECT_EQ(active_plan[1].type, "VOR");
    EXPECT_EQ(active_plan[1].frequency, "116.80");
    EXPECT_EQ(working_plan[2].frequency, "113.40");
    EXPECT_EQ(working_plan[2].via, "V23");
    EXPECT_EQ(active_plan[4].frequency, "");

    // 8 NM away: named after the destination.
    load_active("KSEAKPDX.RTE", 47.449 - 8.0 / 60.0, -122.3093);
    EXPECT_EQ(mcu_entry_text, "KPDX");
    EXPECT_EQ(destination_airport_state, kDestinationAirportStateLoaded);
}

// A waypoint line without a frequency takes its navaid's, and keeps its type.
TEST(RouteFileLoad, aWaypointLineTakesItsNavaidsFrequency) {
    RouteFolder folder;
    add_navaid("OLM", 46.9717, -122.9025, "V", "113.40");
    folder.write_plan("ONE.RTE", "[FlightPlan]\nOLM 46.97170 -122.90250 WPT\n");
    load_route_preview("ONE.RTE");
    ASSERT_EQ(preview_plan_last, 0);
    EXPECT_EQ(preview_plan[0].type, "WPT");
    EXPECT_EQ(preview_plan[0].frequency, "113.40");
}

TEST(RouteFileLoad, aLongFileLoadsTheFirst201AndOneWithoutWaypointsChangesNoPlan) {
    RouteFolder folder;
    std::string text = "[FlightPlan]\n";
    for (int i = 0; i <= kPlanLastIndex; ++i)
        text += "W" + std::to_string(i) + " 10.0 20.0 WPT\n";
    folder.write_plan("FULL.RTE", text);
    folder.write_plan("LONG.RTE", "CruiseAlt=31000\n" + text + "W201 10.0 20.0 WPT\nW202 10.0 20.0 WPT\n");
    load_active("FULL.RTE", 0.0, 0.0);
    EXPECT_EQ(active_plan_last, kPlanLastIndex);
    EXPECT_EQ(working_plan[kPlanLastIndex].ident, "W200");
    EXPECT_EQ(smiths_scratchpad_message, "");

    // Two waypoints more than the plan holds: waypoints 0 to 200 load, and
    // the pilot and the warnings are told how many were left out.
    load_active("LONG.RTE", 0.0, 0.0);
    load_route_file_to_working("LONG.RTE", 0, RouteLoadAsker::Smiths);
    EXPECT_EQ(active_plan_last, kPlanLastIndex);
    EXPECT_EQ(working_plan[kPlanLastIndex].ident, "W200");
    EXPECT_EQ(cruise_altitude, 31000);
    EXPECT_EQ(smiths_scratchpad_message, "2 WPTS NOT LOADED");
    smiths_scratchpad_message.clear();
    set_preview_last(-1);
    load_route_preview("LONG.RTE");
    EXPECT_EQ(preview_plan_last, kPlanLastIndex); // so the folder lists it
    EXPECT_EQ(smiths_scratchpad_message, "");     // the folder list tells no pilot

    // Missing, empty, header-only, no header: the plans stay as they were,
    // while the key lines a text file has still act.
    folder.write_plan("EMPTY.RTE", "");
    folder.write_plan("HEADER.RTE", "CruiseAlt=12000\n[FlightPlan]\n; nothing\n");
    folder.write_plan("NOHEADER.RTE", "CruiseAlt=33000\nResvFuel=2000\nKSEA 47.449 -122.3093 APT\n");
    const struct {
        const char* name;
        int cruise_altitude;
        double reserve;
        const char* message;
    } rows[] = {
        {"GONE.RTE", 31000, 500.0, "ROUTE FILE NOT LOADED"},
        {"EMPTY.RTE", 31000, 500.0, "NO WAYPOINT IN FILE"},
        {"HEADER.RTE", 12000, 500.0, "NO WAYPOINT IN FILE"},
        {"NOHEADER.RTE", 33000, 2000.0, "NO WAYPOINT IN FILE"},
    };
    for (const auto& row : rows) {
        route_state = kRouteStateNone;
        active_entry(3).ident = "KEPT";
        cruise_altitude = plan_cruise_altitude = 31000;
        fuel_on_board_low_lb = plan_fuel_on_board = 500.0;
        load_active(row.name, 0.0, 0.0);
        EXPECT_FALSE(load_route_file_to_working(row.name, 0, RouteLoadAsker::Smiths)) << row.name;
        EXPECT_EQ(active_plan_last, kPlanLastIndex) << row.name;
        EXPECT_EQ(working_plan_last, kPlanLastIndex) << row.name;
        EXPECT_EQ(active_plan[3].ident, "KEPT") << row.name;
        EXPECT_EQ(route_state, kRouteStateNone) << row.name;
        EXPECT_EQ(cruise_altitude, row.cruise_altitude) << row.name;
        EXPECT_EQ(plan_cruise_altitude, row.cruise_altitude) << row.name;
        EXPECT_EQ(fuel_on_board_low_lb, row.reserve) << row.name;
        EXPECT_EQ(plan_fuel_on_board, row.reserve) << row.name;
        EXPECT_EQ(smiths_scratchpad_message, row.message) << row.name;
        smiths_scratchpad_message.clear();
    }
    std::string warnings;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file.find(".RTE") != std::string::npos)
            warnings += w.file.substr(w.file.rfind('/') + 1) + ": " + w.text + "\n";
    EXPECT_EQ(warnings, "LONG.RTE: 2 waypoints after the first 201 left out\n"
                        "GONE.RTE: cannot be opened\n"
                        "EMPTY.RTE: holds no waypoint: not loaded\n"
                        "HEADER.RTE: holds no waypoint: only its key lines applied\n"
                        "NOHEADER.RTE: holds no waypoint: only its key lines applied\n");
}

TEST(RouteFileLoad, workingReaderKeysInFileOrderAndTheNewPlanEntry) {
    RouteFolder folder;
    const std::string waypoints =
        "[FlightPlan]\nKSEA 47.449 -122.3093 APT\nFUEL 45.0 -122.0 WPT\nKPDX 45.5887 -122.5975 APT\n";
    folder.write_plan("AFTER.RTE",
                      "TripFuel=8000\nResvFuel=2000\nfuel=12000\nApproachInfo=I10R_10R\n" + waypoints);
    folder.write_plan("BEFORE.RTE", "Fuel 12000\nTripFuel=8000\nRESVFUEL=2000\n" + waypoints);
    load_route_file_to_working("AFTER.RTE", 0, RouteLoadAsker::Smiths);
    EXPECT_EQ(planned_fuel, 12000.0);
    // Taken up as the plan is read; without the airport's data it names no
    // approach, and nothing waits for EXEC.
    EXPECT_EQ(approach_info, "");
    EXPECT_EQ(route_state, kRouteStateEntered);
    EXPECT_EQ(to_waypoint_index, kNoToWaypoint); // EXEC starts it
    EXPECT_EQ(origin_airport_ident, "KSEA");
    load_route_file_to_working("BEFORE.RTE", 0, RouteLoadAsker::Smiths);
    EXPECT_EQ(planned_fuel, 22000.0); // the waypoint FUEL is no key line
    EXPECT_EQ(plan_fuel_on_board, 2000.0);
    EXPECT_EQ(working_plan_last, 2);

    // Without its header a file loads no waypoint; its keys act in file
    // order, and a value it does not name stays.
    folder.write_plan("NOHEADER.RTE", "CruiseAlt=31000\nTripFuel=8000\nFuel=9000\nApproachInfo=I16L_16L\n"
                                      "KSEA 47.449 -122.3093 APT\n");
    EXPECT_FALSE(load_route_file_to_working("NOHEADER.RTE", 0, RouteLoadAsker::Smiths));
    EXPECT_EQ(working_plan_last, 2);
    EXPECT_EQ(plan_cruise_altitude, 31000);
    EXPECT_EQ(planned_fuel, 9000.0);
    EXPECT_EQ(plan_fuel_on_board, 2000.0);
    EXPECT_EQ(approach_info, "");

    load_route_file_to_working("NEXT FPL", 0, RouteLoadAsker::Smiths);
    EXPECT_EQ(working_plan_last, -1);
    EXPECT_EQ(working_plan[0].ident, "******");
    EXPECT_EQ(working_plan[1].ident, "");
}

// Any value within the keys' ranges is taken as written, without a word.
TEST(RouteFileLoad, keyValuesAnywhereInTheirRangesAreTakenWithoutAWord) {
    RouteFolder folder;
    std::mt19937 random(103);
    std::uniform_int_distribution<int> altitude(0, 99999), fuel(0, 2000000);
    for (int i = 0; i < 40; ++i) {
        const int cruise = i == 0 ? 99999 : altitude(random);
        const int trip = i == 0 ? 2000000 : fuel(random);
        folder.write_plan("IN.RTE",
                          "CruiseAlt=" + std::to_string(cruise) + "\nTripFuel=" + std::to_string(trip) +
                              "\n[FlightPlan]\nKSEA 47.449 -122.3093 APT\nKPDX 45.5887 -122.5975 APT\n");
        clear_load_warnings();
        smiths_scratchpad_message.clear();
        ASSERT_TRUE(load_route_file_to_working("IN.RTE", 0, RouteLoadAsker::Smiths));
        EXPECT_EQ(plan_cruise_altitude, cruise);
        EXPECT_EQ(planned_fuel, trip);
        EXPECT_EQ(smiths_scratchpad_message, "");
        for (LoadWarning w; take_load_warning(w);)
            EXPECT_EQ(w.file.find("IN.RTE"), std::string::npos) << w.text;
    }
}

TEST(RouteFileLoad, positionsAndKeyValuesThatAreNoNumbersOrOffTheGlobeAreSkipped) {
    RouteFolder folder;
    folder.write_plan("BAD.RTE", "CruiseAlt=2147483648\nTripFuel=nan\nResvFuel=-5\nFuel=inf\n"
                                 "[FlightPlan]\n"
                                 "KSEA 47.449 -122.3093 APT\n"
                                 "FOXXE north west! WPT\n"
                                 "LAT95 95.0 10.0 WPT\n"
                                 "LON500 10.0 500.0 WPT\n"
                                 "NAN nan 10.0 WPT\n"
                                 "INF 10.0 -inf WPT\n"
                                 "HALF 47.5N -122.0 WPT\n"
                                 "HEX 0x10 10.0 WPT\n"
                                 "BARE\n"
                                 "KPDX 45.5887 -122.5975 APT\n");
    load_active("BAD.RTE", 0.0, 0.0);
    ASSERT_EQ(active_plan_last, 1);
    EXPECT_EQ(active_plan[0].ident, "KSEA");
    EXPECT_EQ(active_plan[1].ident, "KPDX");
    EXPECT_EQ(fuel_on_board_low_lb, 0.0);
    // Loaded by the MCU, the SMITHS line is not the MCU's to write.
    EXPECT_EQ(smiths_scratchpad_message, "");
    load_route_file_to_working("BAD.RTE", 0, RouteLoadAsker::Smiths);
    EXPECT_EQ(smiths_scratchpad_message, "ROUTE LINES SKIPPED");
    std::string warnings;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file.find("BAD.RTE") != std::string::npos) // not the missing airport files
            warnings += w.file.substr(w.file.rfind('/') + 1) + ": " + w.text + "\n";
    EXPECT_EQ(warnings, "BAD.RTE: 8 waypoint lines without a valid position skipped (line 7); "
                        "4 key values out of range ignored (line 1 CruiseAlt=2147483648, not 0 to 99999 ft; "
                        "line 2 TripFuel=nan, not 0 to 2000000 lb; line 3 ResvFuel=-5, not 0 to 2000000 lb; "
                        "line 4 Fuel=inf, not 0 to 2000000 lb)\n");

    // The limits themselves load, in every way a number may be written.
    folder.write_plan("EDGE.RTE", "CruiseAlt=99999\nResvFuel=2000000\nTripFuel=+0\n[FlightPlan]\n"
                                  "A -90 -180 WPT\nB 90.0 180.00000 WPT\nC 1e1 -1.5E+1 WPT\n");
    smiths_scratchpad_message.clear();
    load_route_file_to_working("EDGE.RTE", 0, RouteLoadAsker::Smiths);
    ASSERT_EQ(working_plan_last, 2);
    EXPECT_EQ(plan_cruise_altitude, 99999); // the highest a page takes
    EXPECT_EQ(planned_fuel, 2000000.0);
    EXPECT_EQ(working_plan[2].lat, 10.0);
    EXPECT_EQ(working_plan[2].lon, -15.0);
    EXPECT_EQ(smiths_scratchpad_message, "");
}

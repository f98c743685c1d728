#include "airport_files.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/airport_detail.h"
#include "fms/units/smiths_scratchpad.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const AirportProcedures& slot(int n) {
    return airport_slots[static_cast<std::size_t>(n)];
}

} // namespace

TEST(AirportDetail, fillsTheSlotWithPositionElevationRunwaysAndTheCandidate) {
    TempFolder sim;
    write_navdata(sim, "apts.txt",
                  "ZZAB FIRST 10 1.0 2.0\n"
                  "zzaa testfield 1400 47.4497 8.5 27_10000_47.0_8.0_270_110.30_ils_271.5 "
                  "09_9000_47.0_7.8_090_109.90 18_3000_47.1_7.9_180 36_3000_46.9_7.9_0_x_y_5\n");
    load_airport_detail("ZZAA", 1);
    const AirportProcedures& s = slot(1);
    EXPECT_EQ(s.airport_ident, "ZZAA");
    EXPECT_EQ(s.airport_name, "TESTFIELD"); // the line is read in upper case
    EXPECT_DOUBLE_EQ(s.airport_latitude, 47.4497);
    EXPECT_DOUBLE_EQ(s.airport_longitude, 8.5);
    EXPECT_EQ(s.latitude_text, "N47:26:58");
    EXPECT_EQ(s.longitude_text, "E08:30:00");
    EXPECT_EQ(s.elevation_ft, 1400);
    EXPECT_EQ(origin_elevation_ft, 1400);
    EXPECT_EQ(airport_elevation_text, "1400");
    EXPECT_EQ(active_plan[0].alt_constraint, 1400.0);

    ASSERT_EQ(s.runways.count(), 4);
    const AirportRunway& r27 = s.runways[1];
    EXPECT_EQ(r27.designator, "27");
    EXPECT_EQ(r27.length_ft, 10000);
    EXPECT_DOUBLE_EQ(r27.latitude, 47.0);
    EXPECT_DOUBLE_EQ(r27.longitude, 8.0);
    EXPECT_DOUBLE_EQ(r27.magnetic_heading, 270.0);
    EXPECT_EQ(r27.localizer_frequency_text, "110.30");
    EXPECT_EQ(r27.info_text, "ILS");
    EXPECT_DOUBLE_EQ(r27.localizer_course, 271.5);
    EXPECT_DOUBLE_EQ(r27.reciprocal_heading, 90.0);
    // Missing sub-fields are empty and 0.
    EXPECT_EQ(s.runways[2].length_ft, 9000);
    EXPECT_EQ(s.runways[2].info_text, "");
    EXPECT_DOUBLE_EQ(s.runways[2].reciprocal_heading, 270.0);
    EXPECT_DOUBLE_EQ(s.runways[3].reciprocal_heading, 0.0);
    EXPECT_DOUBLE_EQ(s.runways[4].reciprocal_heading, 180.0);
    EXPECT_DOUBLE_EQ(s.runways[4].localizer_course, 5.0);

    ASSERT_EQ(candidate_list().count(), 1);
    EXPECT_EQ(candidate_list()[1].ident, "ZZAA");
    EXPECT_EQ(candidate_list()[1].kind, "APT");
    EXPECT_DOUBLE_EQ(candidate_list()[1].latitude, 47.4497);
    EXPECT_EQ(candidate_list()[1].extra, "");
}

TEST(AirportDetail, identsMatchExactlyAndTheBaseFileIsSearchedFirst) {
    TempFolder sim;
    write_navdata(sim, "apts.txt",
                  "ZZAAX LONGER 1 1.0 1.0\nZZAA BASE 100 -33.75 151.25 16_8000_-33.7_151.2_160\n");
    write_navdata(sim, "apts_user.txt", "ZZAA USER 200 10.0 10.0\nZZUU USERONLY 300 40.5 -73.75\n");

    load_airport_detail("zzaa", 2); // only an upper-case ident can match
    EXPECT_EQ(slot(2).airport_ident, "");
    load_airport_detail("ZZAA", 2);
    EXPECT_EQ(slot(2).airport_name, "BASE");
    EXPECT_EQ(slot(2).latitude_text, "S33:45:00");
    EXPECT_EQ(slot(2).longitude_text, "E151:15:00");
    EXPECT_EQ(slot(2).runways[1].designator, "16");
    EXPECT_DOUBLE_EQ(slot(2).runways[1].latitude, -33.7);
    EXPECT_DOUBLE_EQ(slot(2).runways[1].reciprocal_heading, 340.0);
    // The destination does not touch the origin's elevation.
    EXPECT_EQ(origin_elevation_ft, 0);
    EXPECT_EQ(active_plan[0].alt_constraint, -999.0);
    EXPECT_EQ(airport_elevation_text, "100");

    load_airport_detail("ZZUU", 2);
    EXPECT_EQ(slot(2).airport_name, "USERONLY");
    EXPECT_EQ(slot(2).latitude_text, "N40:30:00");
    EXPECT_EQ(slot(2).longitude_text, "W73:45:00");
    EXPECT_EQ(slot(2).runways.count(), 0);
}

TEST(AirportDetail, anUnknownAirportLeavesNothingOfThePreviousOne) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt", "[ZZAA]\nBASE1 BASEA 0 --- 47.1 7.9\n");
    write_navdata(sim, "stars.txt", "[ZZAA]\nARR1 ARRA 0 --- 47.1 7.9\n");
    write_navdata(sim, "apps.txt", "[ZZAA]\n27 ILS27 ALPHA IAF 3000 47.1 8.3\n");
    load_airport_detail("ZZAA", 1);
    load_airport_detail("ZZAA", 2);
    ASSERT_EQ(slot(1).sids.count(), 1);
    ASSERT_EQ(slot(2).stars.count(), 1);
    ASSERT_EQ(slot(2).approaches.count(), 1);
    ASSERT_EQ(approach_fix_list.count(), 1);

    load_airport_detail("NONE", 1);
    load_airport_detail("NONE", 2);
    for (int n : {1, 2}) {
        EXPECT_EQ(slot(n).airport_ident, "");
        EXPECT_EQ(slot(n).airport_name, "");
        EXPECT_EQ(slot(n).runways.count(), 0);
        EXPECT_EQ(slot(n).sids.count(), 0);
        EXPECT_EQ(slot(n).stars.count(), 0);
        EXPECT_EQ(slot(n).approaches.count(), 0);
        EXPECT_EQ(slot(n).star_entry_list.count(), 0);
        EXPECT_EQ(slot(n).star_transition_list.count(), 0);
    }
    EXPECT_EQ(approach_fix_list.count(), 0);
    EXPECT_EQ(origin_elevation_ft, 0);
    // The candidate is left as the last airport found.
    EXPECT_EQ(candidate_list()[1].ident, "ZZAA");

    // Slots past the four are refused.
    load_airport_detail("ZZAA", 4);
    load_airport_detail("ZZAA", -1);
    load_airport_detail("ZZAA", 3);
    EXPECT_EQ(slot(3).airport_ident, "ZZAA");
    EXPECT_EQ(slot(3).sids.count(), 0);
}

TEST(RunwayRefData, findsTheSecondSubFieldOfTheRunwayTokenAndTheLastLineWins) {
    TempFolder sim;
    write_navdata(sim, "orvex_apts.txt",
                  "ZZAA a b c d 27_OLD_x\n"
                  "ZZAB a b c d 27_WRONG\n"
                  "ZZAA a b c d 09_NINE 27_ILS/DME_more_fields 27_SECOND\n");
    smiths_scratchpad = "ZZAA/27";
    lookup_runway_ref_data("ZZAA", "27");
    EXPECT_EQ(runway_ref_text, "ILS/DME");
    EXPECT_EQ(smiths_scratchpad, "");
    EXPECT_EQ(smiths_scratchpad_message, "");

    smiths_scratchpad = "ZZAA/33";
    lookup_runway_ref_data("ZZAA", "33");
    EXPECT_EQ(runway_ref_text, "ILS/DME");
    EXPECT_EQ(smiths_scratchpad, "ZZAA/33");
    EXPECT_EQ(smiths_scratchpad_message, "NOT FOUND IN DATABASE");

    smiths_scratchpad_message.clear();
    lookup_runway_ref_data("ZZZZ", "27");
    EXPECT_EQ(smiths_scratchpad_message, "NOT FOUND IN DATABASE");

    // Tokens 2 to 5 are not runways.
    smiths_scratchpad_message.clear();
    lookup_runway_ref_data("ZZAA", "b");
    EXPECT_EQ(smiths_scratchpad_message, "NOT FOUND IN DATABASE");

    std::filesystem::remove("orvex/Navdata/orvex_apts.txt");
    smiths_scratchpad_message.clear();
    lookup_runway_ref_data("ZZAA", "33");
    EXPECT_EQ(smiths_scratchpad_message, "");
}

TEST(ParkingPosition, takesTheFirstLineOfTheNameWithNorthAsZero) {
    TempFolder sim;
    sim.write("orvex/Aircraft/gates.txt",
              "GATE1 47.1 8.1 360\r\nGATE2 -33.9 151.2 359.9\nGATE1 1 2 3\nSHORT 5\n");
    ParkingFile = "gates.txt";
    host_folder = os::current_directory();
    lookup_parking_position("GATE1");
    EXPECT_DOUBLE_EQ(parking_position.latitude, 47.1);
    EXPECT_DOUBLE_EQ(parking_position.longitude, 8.1);
    EXPECT_EQ(parking_position.heading, 0.0);
    lookup_parking_position("GATE2");
    EXPECT_DOUBLE_EQ(parking_position.longitude, 151.2);
    EXPECT_DOUBLE_EQ(parking_position.heading, 359.9);
    lookup_parking_position("SHORT"); // no longitude: no position
    EXPECT_EQ(parking_position.latitude, 0.0);

    lookup_parking_position("NOPE");
    EXPECT_EQ(parking_position.latitude, 0.0);
    EXPECT_EQ(parking_position.heading, 0.0);
    lookup_parking_position("GATE2");
    ParkingFile = "missing.txt";
    lookup_parking_position("GATE2");
    EXPECT_EQ(parking_position.longitude, 0.0);
}

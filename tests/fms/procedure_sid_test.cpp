#include "airport_files.h"
#include "data/airport_procedures.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

const AirportProcedures& sid_origin() {
    return airport_slots[origin_slot];
}

const ProcedureLeg& sid_leg(int sid, int leg) {
    return sid_origin().sids[sid].legs[leg];
}

double sid_distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

double course_deg(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return c;
}

double sid_course_gap(double a, double b) {
    return std::fabs(std::fmod(a - b + 540.0, 360.0) - 180.0);
}

} // namespace

TEST(SidFile, loadsTheAirportsSectionWithTransitionsJunctionsAndConstraints) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt",
                  "; departures\n"
                  "[ZZBB]\n"
                  "T OTHER1 27 27\n"
                  "OTHER1 FIXAA 5000 27 47.1 8.1\n"
                  "[zzaa]\n"
                  "T ALPHA1 27,09 27\n"
                  "ALPHA1 ALPHA 5000 --- 47.05 7.5\n"
                  "ALPHA1.TRAN1 TRANA FL100 --- 47.2 7.3 fo\n"
                  "ALPHA1.TRAN2 TRANB FL100 --- 46.9 7.3\n"
                  "\n"
                  "T BRAVO1 09 09\n"
                  "BRAVO1 BRAVO 4000 09 47.0 7.6\n"
                  "BRAVO1 CHARL 6000 09 46.8 7.5\n"
                  "* bravo ends here\n"
                  "CHARLIE1 DELTA 0 --- 47.3 8.2\n"
                  "ALPHA1 --- 0 --- 47.3 8.2\n"
                  "[ZZCC]\n"
                  "T CC1 09 09\n"
                  "[ZZAA]\n"
                  "T LATER1 09 09\n"
                  "LATER1 LATER 0 --- 47.3 8.2\n");
    load_airport_detail("ZZAA", 1);

    EXPECT_EQ(origin_magnetic_variation, compute_magnetic_variation(47, 8));
    ASSERT_EQ(sid_origin().sids.count(), 3);

    const ProcedureRecord& alpha = sid_origin().sids[1];
    EXPECT_EQ(alpha.name, "ALPHA1");
    EXPECT_EQ(alpha.runway_transition_list, "27,09");
    EXPECT_EQ(alpha.runway, "27");
    ASSERT_EQ(alpha.legs.count(), 3);
    // The last common leg is the junction: its own name as transition and "*".
    EXPECT_EQ(sid_leg(1, 1).fix, "ALPHA");
    EXPECT_EQ(sid_leg(1, 1).transition, "ALPHA");
    EXPECT_EQ(sid_leg(1, 1).marker, "*");
    EXPECT_EQ(sid_leg(1, 1).constraint_text, "5000");
    EXPECT_EQ(sid_leg(1, 1).runway_restriction, "---");
    EXPECT_DOUBLE_EQ(sid_leg(1, 1).latitude, 47.05);
    EXPECT_DOUBLE_EQ(sid_leg(1, 1).longitude, 7.5);
    EXPECT_EQ(sid_leg(1, 2).fix, "TRANA");
    EXPECT_EQ(sid_leg(1, 2).transition, "TRAN1");
    EXPECT_EQ(sid_leg(1, 2).marker, "");
    EXPECT_EQ(sid_leg(1, 2).constraint_text, "FL100");
    EXPECT_EQ(sid_leg(1, 2).flyover, 1);
    EXPECT_EQ(sid_leg(1, 3).transition, "TRAN2");
    EXPECT_EQ(sid_leg(1, 3).flyover, 0);

    // No transitions: the comment line closes it out at its last leg.
    const ProcedureRecord& bravo = sid_origin().sids[2];
    EXPECT_EQ(bravo.name, "BRAVO1");
    ASSERT_EQ(bravo.legs.count(), 2);
    EXPECT_EQ(sid_leg(2, 1).transition, "");
    EXPECT_EQ(sid_leg(2, 1).marker, "");
    EXPECT_EQ(sid_leg(2, 2).transition, "CHARL");
    EXPECT_EQ(sid_leg(2, 2).marker, "*");

    // A SID with no header line gets its name and legs only; the end of the
    // file marks its last leg.
    const ProcedureRecord& charlie = sid_origin().sids[3];
    EXPECT_EQ(charlie.name, "CHARLIE1");
    EXPECT_EQ(charlie.runway_transition_list, "");
    EXPECT_EQ(charlie.runway, "");
    ASSERT_EQ(charlie.legs.count(), 1);
    EXPECT_EQ(sid_leg(3, 1).transition, "DELTA");
    EXPECT_EQ(sid_leg(3, 1).marker, "*");
}

TEST(SidFile, legLinesFindTheFirstSidOfTheirNameAndFreshRecordsCarryNothingOld) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt",
                  "[ZZAA]\n"
                  "T ECHO1 27 27\n"
                  "T ECHO1 09 09\n"
                  "ECHO1 ECHOA 0 --- 47.1 7.9\n"
                  "ECHO1.X ECHOB 0 --- 47.2 7.8\n"
                  "ECHO1 ECHOC 0 --- 47.3 7.7\n");
    load_airport_detail("ZZAA", 1);
    ASSERT_EQ(sid_origin().sids.count(), 2);
    EXPECT_EQ(sid_origin().sids[1].legs.count(), 3);
    EXPECT_EQ(sid_origin().sids[2].legs.count(), 0);
    EXPECT_EQ(sid_origin().sids[2].runway, "09");
    EXPECT_EQ(sid_leg(1, 1).marker, "*");
    EXPECT_EQ(sid_leg(1, 2).transition, "X");
    // The end of the file marks a last leg that has no transition.
    EXPECT_EQ(sid_leg(1, 3).transition, "ECHOC");
    EXPECT_EQ(sid_leg(1, 3).marker, "*");

    // Loading another sid_origin starts the table again.
    write_navdata(sim, "apts.txt", std::string(kTestAirportLine) + "ZZBB OTHER 100 46.0 7.0\n");
    write_navdata(sim, "sids.txt", "[ZZBB]\nFOX1 FOXXA 0 --- 46.1 7.1\n");
    load_airport_detail("ZZBB", 1);
    ASSERT_EQ(sid_origin().sids.count(), 1);
    EXPECT_EQ(sid_origin().sids[1].name, "FOX1");
    EXPECT_EQ(sid_origin().sids[1].runway, "");
    EXPECT_EQ(sid_origin().sids[2].name, "");
}

TEST(SidFile, codedLegsStartAtTheRunwayAndFollowTheirHeading) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt",
                  "[ZZAA]\n"
                  "T ALPHA1 27 27\n"
                  "ALPHA1 /H270/UA 3000 27 0 0\n"
                  "ALPHA1 /H270/VT --- 27 0 0\n"
                  "ALPHA1 ALPHA 5000 --- 47.05 7.5\n"
                  "ALPHA1 /H090/IC180 --- --- 47.05 7.5\n"
                  "ALPHA1 /H360/IC090 7000 --- 47.2 7.0\n"
                  "DELTA1 RW09 /H090/UA 2000 09 47.0 7.8\n");
    load_airport_detail("ZZAA", 1);
    const double var = origin_magnetic_variation;
    ASSERT_EQ(sid_origin().sids.count(), 2);

    // From the threshold of 27 on 270 + variation, climbing 1600 ft from the
    // field's 1400 ft: 3.3778 NM.
    const ProcedureRecord& alpha = sid_origin().sids[1];
    // The vectors leg and the intercept of a radial of the leg's own start
    // point are dropped.
    ASSERT_EQ(alpha.legs.count(), 3);
    const ProcedureLeg& climb = alpha.legs[1];
    EXPECT_EQ(climb.fix, "HD270");
    EXPECT_EQ(climb.constraint_text, "3000");
    EXPECT_EQ(climb.runway_restriction, "27");
    EXPECT_NEAR(sid_distance_nm(47.0, 8.0, climb.latitude, climb.longitude),
                1600.0 / 1500.0 * 3.1666666666666665, 1e-6);
    EXPECT_LT(sid_course_gap(course_deg(47.0, 8.0, climb.latitude, climb.longitude), 270.0 + var), 1e-3);
    EXPECT_EQ(alpha.legs[2].fix, "ALPHA");
    // North from ALPHA onto the 090 radial of a fix at 47.2 N 7 E.
    const ProcedureLeg& intercept = alpha.legs[3];
    EXPECT_EQ(intercept.fix, "HD360");
    EXPECT_EQ(intercept.constraint_text, "7000");
    EXPECT_NEAR(intercept.latitude, 47.2, 0.01);
    // It lies on the leg's great circle: 000 magnetic, var true.
    double on_lat = 0.0, on_lon = 0.0;
    gc_destination_point(47.05, 7.5, var,
                         sid_distance_nm(47.05, 7.5, intercept.latitude, intercept.longitude), &on_lat,
                         &on_lon);
    EXPECT_NEAR(intercept.latitude, on_lat, 1e-6);
    EXPECT_NEAR(intercept.longitude, on_lon, 1e-6);

    // A runway fix before the code gives the runway; 600 ft of climb on 090.
    const ProcedureRecord& delta = sid_origin().sids[2];
    ASSERT_EQ(delta.legs.count(), 1);
    const ProcedureLeg& east = delta.legs[1];
    EXPECT_EQ(east.fix, "HD090");
    EXPECT_EQ(east.constraint_text, "2000");
    EXPECT_EQ(east.runway_restriction, "09");
    EXPECT_NEAR(sid_distance_nm(47.0, 7.8, east.latitude, east.longitude),
                600.0 / 1500.0 * 3.1666666666666665, 1e-6);
    EXPECT_LT(sid_course_gap(course_deg(47.0, 7.8, east.latitude, east.longitude), 90.0 + var), 1e-3);
    EXPECT_EQ(east.transition, "HD090"); // the end-of-file pass
}

TEST(SidFile, theBaseFileWinsOutrightAndTheUserFileServesAirportsItLacks) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", std::string(kTestAirportLine) + "ZZBB OTHER 100 46.0 7.0\n");
    write_navdata(sim, "sids.txt", "[ZZAA]\nBASE1 BASEA 0 --- 47.1 7.9\n");
    write_navdata(sim, "sids_user.txt",
                  "[ZZAA]\nUSER1 USERA 0 --- 47.1 7.9\n[ZZBB]\nUSER2 USERB 0 --- 46.1 7.1\n");
    load_airport_detail("ZZAA", 1);
    ASSERT_EQ(sid_origin().sids.count(), 1);
    EXPECT_EQ(sid_origin().sids[1].name, "BASE1");

    load_airport_detail("ZZBB", 1);
    ASSERT_EQ(sid_origin().sids.count(), 1);
    EXPECT_EQ(sid_origin().sids[1].name, "USER2");

    // Without a base file the user file is read straight away.
    std::filesystem::remove("orvex/Navdata/sids.txt");
    load_airport_detail("ZZAA", 1);
    ASSERT_EQ(sid_origin().sids.count(), 1);
    EXPECT_EQ(sid_origin().sids[1].name, "USER1");
}

TEST(SidFile, theDestinationNeverReadsTheSidFile) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt", "[ZZAA]\nBASE1 BASEA 0 --- 47.1 7.9\n");
    load_airport_detail("ZZAA", 2);
    EXPECT_EQ(airport_slots[destination_slot].sids.count(), 0);
    EXPECT_EQ(airport_slots[origin_slot].sids.count(), 0);
    EXPECT_EQ(airport_slots[destination_slot].airport_ident, "ZZAA");
}

#include "airport_files.h"
#include "data/airport_procedures.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const AirportProcedures& star_destination() {
    return airport_slots[destination_slot];
}

const ProcedureLeg& star_leg(int star, int leg) {
    return star_destination().stars[star].legs[leg];
}

std::vector<std::string> entry_texts() {
    std::vector<std::string> out;
    for (int i = 1; i <= star_destination().star_entry_list.count(); ++i)
        out.push_back(star_destination().star_entry_list[i].text);
    return out;
}

std::vector<std::string> transition_texts() {
    std::vector<std::string> out;
    for (int i = 1; i <= star_destination().star_transition_list.count(); ++i)
        out.push_back(star_destination().star_transition_list[i]);
    return out;
}

double star_distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

} // namespace

TEST(StarFile, transitionsJoinAtTheFirstCommonLegAndFillBothLists) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "stars.txt",
                  "[ZZAA]\n"
                  "t ARR1A 27 27\n"
                  "KONAN.ARR1A KONAN FL150 --- 47.5 8.5\n"
                  "KONAN.ARR1A BERNY FL120 --- 47.3 8.3 fo\n"
                  "ARR1A MERGE 8000 --- 47.1 8.1\n"
                  "ARR1A FINAL 5000 27 47.0 8.05\n"
                  "LUMA.ARR1A LUMAS FL150 --- 47.4 7.6\n"
                  "ARR2B START 9000 --- 47.2 8.4\n"
                  "ARR2B /H270/VT 5000 --- 0 0\n"
                  "ARR2B X /H270/VT 5000 --- 0 0\n"
                  "ARR2B NEXT 7000 --- 47.2 8.2\n"
                  "[ZZBB]\n");
    load_airport_detail("ZZAA", 2);

    EXPECT_EQ(destination_magnetic_variation, compute_magnetic_variation(47, 8));
    ASSERT_EQ(star_destination().stars.count(), 2);
    const ProcedureRecord& arr1 = star_destination().stars[1];
    EXPECT_EQ(arr1.name, "ARR1A");
    EXPECT_EQ(arr1.runway_transition_list, "27");
    EXPECT_EQ(arr1.runway, "27");
    ASSERT_EQ(arr1.legs.count(), 5);
    EXPECT_EQ(star_leg(1, 1).fix, "KONAN");
    EXPECT_EQ(star_leg(1, 1).transition, "KONAN");
    EXPECT_EQ(star_leg(1, 1).marker, "");
    EXPECT_EQ(star_leg(1, 1).constraint_text, "FL150");
    EXPECT_EQ(star_leg(1, 2).flyover, 1);
    EXPECT_EQ(star_leg(1, 3).fix, "MERGE");
    EXPECT_EQ(star_leg(1, 3).transition, "MERGE");
    EXPECT_EQ(star_leg(1, 3).marker, "*");
    EXPECT_EQ(star_leg(1, 4).transition, "");
    EXPECT_EQ(star_leg(1, 4).marker, "");
    EXPECT_EQ(star_leg(1, 4).runway_restriction, "27");
    EXPECT_DOUBLE_EQ(star_leg(1, 4).longitude, 8.05);
    EXPECT_EQ(star_leg(1, 5).transition, "LUMA");

    // A STAR met first in a leg line without a transition starts its common
    // part at that leg; the vectors lines make no legs.
    const ProcedureRecord& arr2 = star_destination().stars[2];
    EXPECT_EQ(arr2.runway, "");
    ASSERT_EQ(arr2.legs.count(), 2);
    EXPECT_EQ(star_leg(2, 1).transition, "START");
    EXPECT_EQ(star_leg(2, 1).marker, "*");
    EXPECT_EQ(star_leg(2, 2).fix, "NEXT");
    EXPECT_EQ(star_leg(2, 2).transition, "");

    EXPECT_EQ(entry_texts(), (std::vector<std::string>{"KONAN", "MERGE", "LUMA", "START"}));
    EXPECT_EQ(transition_texts(), (std::vector<std::string>{"ARR1A.KONAN", "ARR1A.MERGE", "ARR1A.",
                                                            "ARR1A.LUMA", "ARR2B.START", "ARR2B."}));
}

TEST(StarFile, codedLegsFlyFromThePreviousLegAndTheFirstLegStaysPlain) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "stars.txt",
                  "[ZZAA]\n"
                  "ARR2B /H270/UD5.0 9000 --- 47.2 8.4\n"
                  "ARR2B /H270/UD5.0 5000 --- 0 0\n"
                  "ARR3C ALPHA 9000 --- 47.3 8.0\n"
                  "ARR3C /H180/IC090 7000 --- 0 0\n"
                  "ARR3C BRAVO 6000 --- 47.0 8.5\n"
                  "ARR4D ECHO 9000 --- 47.3 8.0\n"
                  "ARR4D /H180/IC090 7000 --- 0 0\n");
    load_airport_detail("ZZAA", 2);
    const double var = destination_magnetic_variation;
    ASSERT_EQ(star_destination().stars.count(), 3);

    // The code on the first leg is its fix; the second flies 270 until 5 NM
    // from the first, its own line giving no position.
    ASSERT_EQ(star_destination().stars[1].legs.count(), 2);
    EXPECT_EQ(star_leg(1, 1).fix, "/H270/UD5.0");
    EXPECT_DOUBLE_EQ(star_leg(1, 1).latitude, 47.2);
    const ProcedureLeg& dme = star_leg(1, 2);
    EXPECT_EQ(dme.fix, "HD270");
    EXPECT_NEAR(star_distance_nm(47.2, 8.4, dme.latitude, dme.longitude), 5.0, 0.1);
    double on_lat = 0.0, on_lon = 0.0;
    gc_destination_point(47.2, 8.4, 270.0 + var, star_distance_nm(47.2, 8.4, dme.latitude, dme.longitude),
                         &on_lat, &on_lon);
    EXPECT_NEAR(dme.latitude, on_lat, 1e-6);
    EXPECT_NEAR(dme.longitude, on_lon, 1e-6);

    // The intercept waits for the next line's fix: south from ALPHA onto the
    // 090 radial of BRAVO, which runs at about 47 N west of it.
    ASSERT_EQ(star_destination().stars[2].legs.count(), 3);
    const ProcedureLeg& intercept = star_leg(2, 2);
    EXPECT_EQ(intercept.fix, "HD180");
    EXPECT_EQ(intercept.constraint_text, "7000");
    EXPECT_NEAR(intercept.latitude, 47.0, 0.01);
    gc_destination_point(47.3, 8.0, 180.0 + var,
                         star_distance_nm(47.3, 8.0, intercept.latitude, intercept.longitude), &on_lat,
                         &on_lon);
    EXPECT_NEAR(intercept.latitude, on_lat, 1e-6);
    EXPECT_NEAR(intercept.longitude, on_lon, 1e-6);
    EXPECT_EQ(star_leg(2, 3).fix, "BRAVO");

    // An intercept that no fix follows can not be flown.
    EXPECT_EQ(star_destination().stars[3].legs.count(), 1);
}

TEST(StarFile, sameTransitionEverywhereIsListedOnceAndTheBaseFileWins) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "stars.txt",
                  "[ZZAA]\n"
                  "KONAN.ARR1A KONAN FL150 --- 47.5 8.5\n"
                  "KONAN.ARR1A BERNY FL120 --- 47.3 8.3\n"
                  "KONAN.ARR5E KONAN FL150 --- 47.5 8.5\n");
    write_navdata(sim, "stars_user.txt", "[ZZAA]\nUSER1 USERA 0 --- 47.1 7.9\n");
    load_airport_detail("ZZAA", 2);
    ASSERT_EQ(star_destination().stars.count(), 2);
    EXPECT_EQ(entry_texts(), (std::vector<std::string>{"KONAN"}));
    EXPECT_EQ(transition_texts(), (std::vector<std::string>{"ARR1A.KONAN", "ARR5E.KONAN"}));

    std::filesystem::remove("orvex/Navdata/stars.txt");
    load_airport_detail("ZZAA", 2);
    ASSERT_EQ(star_destination().stars.count(), 1);
    EXPECT_EQ(star_destination().stars[1].name, "USER1");
    EXPECT_EQ(transition_texts(), (std::vector<std::string>{"USER1.USERA"}));
}

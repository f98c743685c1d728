#include "airport_files.h"
#include "data/airport_procedures.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/approach_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const AirportProcedures& destination() {
    return airport_slots[destination_slot];
}

const ProcedureLeg& approach_leg(int approach, int leg) {
    return destination().approaches[approach].legs[leg];
}

std::vector<std::string> fix_list() {
    std::vector<std::string> out;
    for (int i = 1; i <= approach_fix_list.count(); ++i)
        out.push_back(approach_fix_list[i].approach_name + "/" + approach_fix_list[i].runway);
    return out;
}

double distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

const char* const kApproaches = "; approaches\n"
                                "[ZZAA]\n"
                                "27 ILS27 ALPHA IAF 3000 47.1 8.3 - 0 0\n"
                                "27 ILS27 BRAVO --- 2500 47.05 8.2 TRANX 65 66 fo\n"
                                "27 ILS27 CHARL FAF 2000 47.0 8.1\n"
                                "27 ILS27 CHARL FAF 2000 47.0 8.1 FAF\n"
                                "27 ILS27 RW27 MAP 1400 47.0 8.0\n"
                                "27 ILS27 RW27 /H270/UD5.0 MAF 4000 47.0 8.0\n"
                                "27 ILS27 /H270/VT MAF 4000 47.0 8.0\n"
                                "-- VOR09 DELTA IAF 4000 47.0 7.5 DELTX\n"
                                "27 VOR27 ECHO ARC 4000 47.2 8.5\n"
                                "27 ils27 FOXTR FAF 2000 47.0 7.7\n"
                                "09 ILS27 GOLF FAF 2000 47.0 7.7\n"
                                "[ZZBB]\n"
                                "27 OTHER HOTEL IAF 3000 47.1 8.3\n";

} // namespace

TEST(ApproachFile, approachesAreKeyedByRunwayAndNameWithTheirLegFields) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "apps.txt", kApproaches);
    load_airport_detail("ZZAA", 2);
    EXPECT_EQ(destination_magnetic_variation, compute_magnetic_variation(47, 8));

    ASSERT_EQ(destination().approaches.count(), 5);
    const ProcedureRecord& ils = destination().approaches[1];
    EXPECT_EQ(ils.runway, "27");
    EXPECT_EQ(ils.second_text, "ILS27");
    EXPECT_EQ(ils.name, "");
    // The repeated CHARL line and the vectors line add nothing.
    ASSERT_EQ(ils.legs.count(), 5);

    EXPECT_EQ(approach_leg(1, 1).fix, "ALPHA");
    EXPECT_EQ(approach_leg(1, 1).fix_role, "IAF");
    EXPECT_EQ(approach_leg(1, 1).transition, "ALPHA"); // "-" names nothing
    EXPECT_EQ(approach_leg(1, 1).constraint_text, "3000");
    EXPECT_EQ(approach_leg(1, 1).runway_restriction, "27");
    EXPECT_EQ(approach_leg(1, 1).approach_name, "ILS27");
    EXPECT_EQ(approach_leg(1, 1).first_code_text, "");
    EXPECT_DOUBLE_EQ(approach_leg(1, 1).latitude, 47.1);
    EXPECT_DOUBLE_EQ(approach_leg(1, 1).longitude, 8.3);

    EXPECT_EQ(approach_leg(1, 2).transition, "TRANX");
    EXPECT_EQ(approach_leg(1, 2).first_code_text, "A");
    EXPECT_EQ(approach_leg(1, 2).second_code_text, "B");
    EXPECT_EQ(approach_leg(1, 2).flyover, 1);
    EXPECT_EQ(approach_leg(1, 3).transition, "");
    EXPECT_EQ(approach_leg(1, 3).fix_role, "FAF");
    EXPECT_EQ(approach_leg(1, 4).fix, "RW27");
    EXPECT_EQ(approach_leg(1, 4).transition, "");

    // The missed approach leg flies 270 from the runway until 5 NM from it.
    const ProcedureLeg& missed = approach_leg(1, 5);
    EXPECT_EQ(missed.fix, "HD270");
    EXPECT_EQ(missed.fix_role, "MAF");
    EXPECT_EQ(missed.transition, "");
    EXPECT_EQ(missed.constraint_text, "4000");
    EXPECT_EQ(missed.marker, "");
    EXPECT_NEAR(distance_nm(47.0, 8.0, missed.latitude, missed.longitude), 5.0, 0.1);
    EXPECT_LT(missed.longitude, 8.0);

    // "--" is no runway; another role names its own transition.
    const ProcedureRecord& vor = destination().approaches[2];
    EXPECT_EQ(vor.runway, "");
    EXPECT_EQ(vor.second_text, "VOR09");
    EXPECT_EQ(vor.legs[1].transition, "DELTX");
    EXPECT_EQ(vor.legs[1].runway_restriction, "");
    EXPECT_EQ(destination().approaches[3].legs[1].transition, "ARC");
    // Names are exact for approaches, so "ils27" is an approach of its own,
    // and the same name on another runway is another approach.
    EXPECT_EQ(destination().approaches[4].second_text, "ils27");
    EXPECT_EQ(destination().approaches[5].runway, "09");
    EXPECT_EQ(destination().approaches[5].second_text, "ILS27");

    // Groups compare names without regard to case.
    ASSERT_EQ(destination().approach_groups.count(), 3);
    EXPECT_EQ(destination().approach_groups[1].runway_transition_list, "ILS27");
    EXPECT_EQ(destination().approach_groups[2].runway_transition_list, "VOR09");
    EXPECT_EQ(destination().approach_groups[3].runway_transition_list, "VOR27");

    EXPECT_EQ(fix_list(),
              (std::vector<std::string>{"ILS27/27", "VOR09/", "VOR27/27", "ils27/27", "ILS27/09"}));
    build_approach_fix_list("09");
    EXPECT_EQ(fix_list(), (std::vector<std::string>{"ILS27/09"}));
    build_approach_fix_list("33");
    EXPECT_EQ(approach_fix_list.count(), 0);
}

TEST(ApproachFile, procedureTurnLegsComeBeforeTheCodedLeg) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "apps.txt",
                  "[ZZAA]\n"
                  "27 NDB27 KILO IAF 3000 47.0 8.2\n"
                  "27 NDB27 /RTxH270/UD2.0 --- 3000 47.0 8.2 KILO\n"
                  "27 NDB27 LIMA FAF 2000 47.0 8.1\n");
    load_airport_detail("ZZAA", 2);
    const BoundedTable<ProcedureLeg, 401>& legs = destination().approaches[1].legs;
    ASSERT_EQ(legs.count(), 5);
    EXPECT_EQ(legs[1].fix, "KILO");
    // Out on 090 for 3 NM, right to 180 for 1.5 NM, all without variation.
    EXPECT_EQ(legs[2].fix, "PT270");
    EXPECT_NEAR(distance_nm(47.0, 8.2, legs[2].latitude, legs[2].longitude), 3.0, 1e-6);
    EXPECT_EQ(legs[2].transition, "KILO");
    EXPECT_EQ(legs[2].runway_restriction, "27");
    EXPECT_EQ(legs[2].approach_name, "NDB27");
    EXPECT_EQ(legs[3].fix, "PT180");
    EXPECT_NEAR(distance_nm(legs[2].latitude, legs[2].longitude, legs[3].latitude, legs[3].longitude), 1.5,
                1e-6);
    EXPECT_LT(legs[3].latitude, legs[2].latitude);
    // Then inbound until 2 NM from KILO.
    EXPECT_EQ(legs[4].fix, "RTxH270/UD2.0");
    EXPECT_EQ(legs[4].transition, "KILO");
    EXPECT_NEAR(distance_nm(47.0, 8.2, legs[4].latitude, legs[4].longitude), 2.0, 0.1);
    EXPECT_EQ(legs[5].fix, "LIMA");
}

TEST(ApproachFile, aMissingFileEmptiesTheApproachesAndTheirList) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "apps.txt", kApproaches);
    load_airport_detail("ZZAA", 2);
    ASSERT_GT(approach_fix_list.count(), 0);
    std::filesystem::remove("orvex/Navdata/apps.txt");
    load_airport_detail("ZZAA", 2);
    EXPECT_EQ(destination().approaches.count(), 0);
    EXPECT_EQ(destination().approach_groups.count(), 0);
    EXPECT_EQ(approach_fix_list.count(), 0);
}

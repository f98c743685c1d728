#include "airport_files.h"
#include "data/airport_procedures.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Files larger than the tables load what fits; malformed files load what is
// valid. None of them may write past a table.
namespace {

std::string limits_numbered(const char* prefix, int n) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%03d", prefix, n);
    return text;
}

const AirportProcedures& origin() {
    return airport_slots[origin_slot];
}
const AirportProcedures& limits_destination() {
    return airport_slots[destination_slot];
}

} // namespace

TEST(ProcedureLimits, sidsAndTheirLegsStopAtTheTableCapacities) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    std::string sids = "[ZZAA]\n";
    for (int i = 1; i <= 150; ++i)
        sids += "T " + limits_numbered("SID", i) + " 27 27\n";
    for (int i = 1; i <= 450; ++i)
        sids += "SID001 " + limits_numbered("FX", i) + " 0 --- 47.1 7.9\n";
    for (int i = 1; i <= 10; ++i)
        sids += limits_numbered("NEW", i) + " NEWFX 0 --- 47.1 7.9\n";
    sids += "SID140.TR LAST 0 --- 47.1 7.9\n";
    write_navdata(sim, "sids.txt", sids);
    load_airport_detail("ZZAA", 1);

    ASSERT_EQ(origin().sids.count(), 140);
    EXPECT_EQ(origin().sids[140].name, "SID140");
    EXPECT_EQ(origin().sids[141].name, "");
    const BoundedTable<ProcedureLeg, 401>& legs = origin().sids[1].legs;
    ASSERT_EQ(legs.count(), 400);
    EXPECT_EQ(legs[400].fix, "FX400");
    EXPECT_EQ(legs[400].marker, "*"); // the end-of-file pass reaches the last leg kept
    EXPECT_EQ(legs[401].fix, "");
    EXPECT_EQ(origin().sids[140].legs[1].fix, "LAST");
}

TEST(ProcedureLimits, starsLegsEntriesAndTransitionTextsStopAtTheirCapacities) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    std::string stars = "[ZZAA]\n";
    for (int i = 1; i <= 95; ++i)
        for (int t = 1; t <= 3; ++t)
            stars += limits_numbered("T", i * 3 + t) + "." + limits_numbered("STAR", i) +
                     " FIXAA 0 --- 47.1 7.9\n";
    for (int i = 1; i <= 420; ++i)
        stars += "STAR002 " + limits_numbered("FX", i) + " 0 --- 47.1 7.9\n";
    write_navdata(sim, "stars.txt", stars);
    load_airport_detail("ZZAA", 2);

    ASSERT_EQ(limits_destination().stars.count(), 90);
    EXPECT_EQ(limits_destination().stars[90].name, "STAR090");
    EXPECT_EQ(limits_destination().stars[2].legs.count(), 400);
    EXPECT_EQ(limits_destination().star_entry_list.count(), 120);
    EXPECT_EQ(limits_destination().star_entry_list[120].text, "T123");
    EXPECT_EQ(limits_destination().star_transition_list.count(), 249);
}

TEST(ProcedureLimits, approachesGroupsAndTheApproachListStopAtTheirCapacities) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    std::string apps = "[ZZAA]\n";
    for (int i = 1; i <= 150; ++i)
        apps += limits_numbered("R", i) + " " + limits_numbered("APP", i % 30) + " FIXAA IAF 3000 47.1 8.3\n";
    for (int i = 1; i <= 410; ++i)
        apps += "R001 APP001 " + limits_numbered("FX", i) + " --- 3000 47.1 8.3\n";
    write_navdata(sim, "apps.txt", apps);
    load_airport_detail("ZZAA", 2);

    EXPECT_EQ(limits_destination().approaches.count(), 140);
    EXPECT_EQ(limits_destination().approaches[1].legs.count(), 400);
    EXPECT_EQ(limits_destination().approach_groups.count(), 20);
    EXPECT_EQ(approach_fix_list.count(), 50);
    EXPECT_EQ(approach_fix_list[50].runway, "R050");
}

TEST(ProcedureLimits, emptyShortLongAndJunkLinesLoadWhatIsValid) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt",
                  "[ZZAA]\r\n"
                  "T\r\n"
                  "ONLYNAME\r\n"
                  "LONG1 LONGA 0 --- 47.1 7.9 " +
                      std::string(5000, 'X') +
                      "\r\n"
                      "LONG1 JUNKB abc --- 0 0 fo\r\n"
                      "JUNK2 JUNKC 0 --- north east\r\n"
                      "LONG1 /H270/UA notanumber 27 0 0\r\n"
                      "LONG1 /\r\n"
                      "LONG1 /RT\r\n"
                      ".X DOTAA 0 --- 47.1 7.9\r\n");
    write_navdata(sim, "stars.txt", "");
    write_navdata(sim, "apps.txt", "[ZZAA]\n27\n27 ILS27\n27 ILS27 /\n27 ILS27 /RTx\n27 ILS27 /LTxH/IC\n");
    load_airport_detail("ZZAA", 1);
    load_airport_detail("ZZAA", 2);

    // The empty header makes a nameless SID; "ONLYNAME" has no fix.
    ASSERT_GE(origin().sids.count(), 2);
    EXPECT_EQ(origin().sids[1].name, "");
    const ProcedureRecord& long1 = origin().sids[2];
    EXPECT_EQ(long1.name, "LONG1");
    ASSERT_GE(long1.legs.count(), 2);
    EXPECT_EQ(long1.legs[1].fix, "LONGA");
    EXPECT_EQ(long1.legs[1].flyover, 0);
    EXPECT_EQ(long1.legs[2].fix, "JUNKB");
    EXPECT_EQ(long1.legs[2].latitude, 0.0);
    EXPECT_EQ(long1.legs[2].flyover, 1);
    EXPECT_LE(long1.legs.count(), 5);
    // A '.' first is part of the name; words for a position leave their SID out.
    EXPECT_EQ(origin().sids[origin().sids.count()].name, ".X");
    for (int i = 1; i <= origin().sids.count(); ++i)
        EXPECT_NE(origin().sids[i].name, "JUNK2");

    EXPECT_EQ(limits_destination().stars.count(), 0);
    // "27 ILS27 /" and the procedure turns are legs of one approach.
    ASSERT_EQ(limits_destination().approaches.count(), 1);
    EXPECT_LE(limits_destination().approaches[1].legs.count(), 7);
}

TEST(ProcedureLimits, anUnloadedSlotCostsNoRecordsAndALoadedOneOnlyWhatItHolds) {
    EXPECT_EQ(origin().sids.stored(), 0u);
    EXPECT_EQ(limits_destination().approaches.stored(), 0u);
    TempFolder sim;
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, "sids.txt", "[ZZAA]\nONE1 ONEAA 0 --- 47.1 7.9\n");
    load_airport_detail("ZZAA", 1);
    EXPECT_EQ(origin().sids.stored(), 2u);
    EXPECT_EQ(origin().sids[1].legs.stored(), 2u);
}

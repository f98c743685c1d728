#include "data/aircraft_settings.h"
#include "data/performance_tables.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

namespace {

void load_performance_text(const TempFolder& sim, const std::string& text) {
    sim.write("orvex/Aircraft/perf.txt", text);
    host_folder = os::current_directory();
    // Not found as it stands, so found under the aircraft folder.
    PerformanceData = "perf.txt";
    load_performance_data();
}

const PerformanceTables& p = performance_tables;

} // namespace

TEST(PerformanceTables, sectionsFillTheirTablesInTheirSlots) {
    TempFolder sim;
    load_performance_text(sim, "1 2 3 4\n" // before any header: ignored
                               "[UNITS]\nFUEL= LBS\nWEIGHT= LBS\n"
                               "[climb]\n"
                               "10 11 12 13 14 15 16 17 18 19 20 21\n"
                               "; comment row\n"
                               "[CRUISE]\n"
                               "100 101 102 103 104\n"
                               "[DESCENT]\n"
                               "1 2 3 4\n"
                               "[Altitude]\r\n"
                               "5000 250\r\n"
                               "[OTHER]\n9 9 9\n");
    ASSERT_EQ(p.climb_row_count, 1);
    EXPECT_EQ(p.climb[1][21], 10.0);
    EXPECT_EQ(p.climb[1][22], 11.0);
    EXPECT_EQ(p.climb[1][23], 12.0);
    EXPECT_EQ(p.climb[1][2], 13.0);
    EXPECT_EQ(p.climb[1][3], 14.0);
    EXPECT_EQ(p.climb[1][9], 20.0);
    EXPECT_EQ(p.climb[1][10], 0.0); // token 12 goes nowhere

    ASSERT_EQ(p.cruise_row_count, 1);
    EXPECT_EQ(p.cruise[1].slots[61], 100.0);
    EXPECT_EQ(p.cruise[1].slots[62], 101.0);
    EXPECT_EQ(p.cruise[1].value_count, 3);
    EXPECT_EQ(p.cruise[1].slots[2], 102.0);
    EXPECT_EQ(p.cruise[1].slots[4], 104.0);

    ASSERT_EQ(p.descent_row_count, 1);
    EXPECT_EQ(p.descent[1][0], 4.0);
    EXPECT_EQ(p.descent[1][1], 3.0);
    EXPECT_EQ(p.descent[1][2], 1.0);
    EXPECT_EQ(p.descent[1][3], 2.0);

    ASSERT_EQ(p.altitude_row_count, 1);
    EXPECT_EQ(p.altitude[1][0], 5000.0);
    EXPECT_EQ(p.altitude[1][1], 250.0);
}

TEST(PerformanceTables, grossWeightHeadersAppendWeightsAndNumberCruiseRowsOn) {
    TempFolder sim;
    load_performance_text(sim, "[GRWT 100 120 140]\n"
                               "1 2 3\n"
                               "4 5 6\n"
                               "[grwt 160]\n"
                               "7 8\n");
    ASSERT_EQ(p.weight_count, 4);
    EXPECT_EQ(p.weight(1), 100000.0);
    EXPECT_EQ(p.weight(2), 120000.0);
    EXPECT_EQ(p.weight(3), 140000.0);
    EXPECT_EQ(p.weight(4), 160000.0);
    EXPECT_EQ(p.cruise[0].value_count, 4);
    ASSERT_EQ(p.cruise_row_count, 3);
    EXPECT_EQ(p.cruise[3].slots[61], 7.0);
    EXPECT_EQ(p.cruise[3].value_count, 0);
}

TEST(PerformanceTables, aReloadCountsAfreshAndKeepsSlotsARowDoesNotSupply) {
    TempFolder sim;
    load_performance_text(sim, "[CLIMB]\n1 2 3 4 5 6 7 8 9 10 11\n");
    load_performance_text(sim, "[CLIMB]\n21 22\n");
    ASSERT_EQ(p.climb_row_count, 1);
    EXPECT_EQ(p.climb[1][21], 21.0);
    EXPECT_EQ(p.climb[1][22], 22.0);
    EXPECT_EQ(p.climb[1][23], 0.0);
    EXPECT_EQ(p.climb[1][2], 0.0);
    EXPECT_EQ(p.climb[1][3], 5.0); // from the first load
    EXPECT_EQ(p.climb[1][9], 11.0);
}

TEST(PerformanceTables, rowsAndWeightsPastTheTablesAreDropped) {
    TempFolder sim;
    std::string text = "[GRWT 1 2 3 4 5 6 7 8]\n[GRWT 9 10 11 12 13 14 15 16]\n"
                       "[GRWT 17 18 19 20 21 22 23 24]\n[GRWT 25 26 27 28 29 30 31 32]\n"
                       "[GRWT 33 34]\n";
    for (int i = 1; i <= 60; ++i)
        text += std::to_string(i) + " 250\n";
    text += "[CLIMB]\n";
    for (int i = 1; i <= 60; ++i)
        text += std::to_string(i) + " 250\n";
    text += "[Altitude]\n";
    for (int i = 1; i <= 60; ++i)
        text += std::to_string(i) + "\n";
    text += "[CRUISE]\n" + std::string(3000, '8') + " 1 " + std::string(100, '5') + "\n";
    load_performance_text(sim, text);
    EXPECT_EQ(p.weight_count, 32);
    EXPECT_EQ(p.weight(32), 32000.0);
    EXPECT_EQ(p.cruise_row_count, 49);
    EXPECT_EQ(p.cruise[49].slots[61], 49.0);
    EXPECT_EQ(p.climb_row_count, 49);
    EXPECT_EQ(p.climb[49][21], 49.0);
    EXPECT_EQ(p.altitude_row_count, 49);
}

TEST(PerformanceTables, missingFileLeavesTheCountsAtZero) {
    TempFolder sim;
    load_performance_text(sim, "[CLIMB]\n1 2\n");
    ASSERT_EQ(p.climb_row_count, 1);
    PerformanceData = "nothere.txt";
    load_performance_data();
    EXPECT_EQ(p.climb_row_count, 0);
    EXPECT_EQ(p.weight_count, 0);
}

TEST(PerformanceTables, aNameAsItStandsIsTriedFirst) {
    TempFolder sim;
    sim.write("perf/A.txt", "[DESCENT]\n1 2 3 4\n");
    sim.write("orvex/Aircraft/perf/A.txt", "[DESCENT]\n1 2 3 4\n5 6 7 8\n");
    host_folder = os::current_directory();
    PerformanceData = "PERF\\a.TXT";
    load_performance_data();
    EXPECT_EQ(p.descent_row_count, 1);
}

#include "data/atc_boundaries.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

void load_boundaries(const TempFolder& sim, const std::string& text) {
    sim.write("orvex/Navdata/atc_bdry.txt", text);
    host_folder = os::current_directory();
    load_atc_boundaries();
}

} // namespace

TEST(AtcBoundaries, aNewNameOpensABoundaryAndLaterLinesAddPoints) {
    TempFolder sim;
    load_boundaries(sim, "EGTT LONDON 0 0\n"
                         "EGTT 1 50.0 -1.0\n"
                         "; a comment between two points does not split the boundary\n"
                         "egtt 2 52.0 1.0\r\n"
                         "EGPX SCOTTISH 0 0\n"
                         "EGPX 1 57.0 -4.0\n");
    EXPECT_EQ(atc_boundaries_loaded, 1);
    ASSERT_EQ(atc_boundaries.count(), 2);
    const AtcBoundary& a = atc_boundaries[1];
    EXPECT_EQ(a.boundary_name, "EGTT");
    EXPECT_EQ(a.boundary_name2, "LONDON");
    ASSERT_EQ(a.point_count, 2);
    EXPECT_EQ(a.points[1].latitude, 50.0);
    EXPECT_EQ(a.points[1].longitude, -1.0);
    EXPECT_EQ(a.points[2].latitude, 52.0);
    EXPECT_EQ(a.points[2].longitude, 1.0);
    EXPECT_EQ(atc_boundaries[2].boundary_name2, "SCOTTISH");
    EXPECT_EQ(atc_boundaries[2].point_count, 1);
    EXPECT_EQ(atc_boundaries[2].label_latitude, 57.0);
    EXPECT_EQ(atc_boundaries[2].label_longitude, -4.0);
}

TEST(AtcBoundaries, linesAAABBGiveTwoPointsAndOne) {
    TempFolder sim;
    load_boundaries(sim, "A X 1 1\nA X 2 2\nA X 3 3\nB Y 4 4\nB Y 5 5\n");
    ASSERT_EQ(atc_boundaries.count(), 2);
    EXPECT_EQ(atc_boundaries[1].point_count, 2);
    EXPECT_EQ(atc_boundaries[1].points[1].latitude, 2.0);
    EXPECT_EQ(atc_boundaries[2].point_count, 1);
    EXPECT_EQ(atc_boundaries[2].points[1].longitude, 5.0);
}

TEST(AtcBoundaries, labelsSitInTheMiddleOfTheExtent) {
    struct Row {
        const char* points;
        double label_latitude;
        double label_longitude;
    };
    const Row rows[] = {
        {"B 1 40 10\nB 2 50 20\nB 3 45 12\n", 45.0, 15.0},
        {"B 1 -30 -80\nB 2 -10 -60\n", -20.0, -70.0},
        // Across the prime meridian: the middle of -5 .. 5 is 0.
        {"B 1 50 -5\nB 2 52 5\nB 3 51 0\n", 51.0, 0.0},
        {"B 1 50 -1\nB 2 52 179\n", 51.0, 89.0}, // 180 degrees wide still spans 0
        // Across the antimeridian the extent spans 340 degrees: the label
        // goes to the antimeridian.
        {"B 1 -20 170\nB 2 -10 -170\n", -15.0, -179.9},
        {"B 1 60 -175\nB 2 64 175\nB 3 62 -178\n", 62.0, -179.9},
        // A boundary without points.
        {"", 0.0, 179.9},
    };
    for (const Row& r : rows) {
        TempFolder sim;
        load_boundaries(sim, std::string("B NAME 0 0\n") + r.points);
        ASSERT_EQ(atc_boundaries.count(), 1) << r.points;
        EXPECT_DOUBLE_EQ(atc_boundaries[1].label_latitude, r.label_latitude) << r.points;
        EXPECT_DOUBLE_EQ(atc_boundaries[1].label_longitude, r.label_longitude) << r.points;
    }
}

TEST(AtcBoundaries, capacitiesStopAt400BoundariesAnd800Points) {
    TempFolder sim;
    std::string text = "BIG FIRST 0 0\n";
    char line[80];
    for (int i = 1; i <= 805; ++i) {
        std::snprintf(line, sizeof line, "BIG %d %.2f 20\n", i, i <= 800 ? 10 + i / 100.0 : 80.0);
        text += line;
    }
    for (int b = 2; b <= 405; ++b) {
        std::snprintf(line, sizeof line, "B%d NAME%d 0 0\nB%d 1 %.1f 1\n", b, b, b, b / 10.0);
        text += line;
    }
    load_boundaries(sim, text);
    ASSERT_EQ(atc_boundaries.count(), 400);
    const AtcBoundary& big = atc_boundaries[1];
    EXPECT_EQ(big.point_count, 800);
    EXPECT_EQ(big.points.count(), 800);
    EXPECT_DOUBLE_EQ(big.points[800].latitude, 18.0);
    EXPECT_EQ(big.points[801].latitude, 0.0);
    // The dropped points do not stretch the label's extent (they lie at 80).
    EXPECT_DOUBLE_EQ(big.label_latitude, (10.01 + 18.0) / 2);
    EXPECT_EQ(atc_boundaries[400].boundary_name, "B400");
    EXPECT_EQ(atc_boundaries[400].point_count, 1);
    EXPECT_DOUBLE_EQ(atc_boundaries[400].label_latitude, 40.0);
    EXPECT_EQ(atc_boundaries[401].boundary_name, "");
}

TEST(AtcBoundaries, malformedLinesAreSkippedOrReadLeniently) {
    TempFolder sim;
    const std::string long_name(300, 'Q');
    load_boundaries(sim, "\n"
                         "INIT FIRST\n" // no coordinates: a name line needs none
                         "INIT 1 1.5 2.5\n"
                         "INIT 2\n" // a point without coordinates adds none
                         "   \t\n"
                         "INIT 3 abc 4x\n" // no number: no point (a stray line to 0, 0)
                         "\r\n" +
                             long_name + " " + long_name + " 1 1\n" + // cut at 148 characters
                             long_name +
                             " 2 3.0 4.0\n"
                             "LAST"); // no final newline
    ASSERT_EQ(atc_boundaries.count(), 3);
    const AtcBoundary& first = atc_boundaries[1];
    EXPECT_EQ(first.boundary_name, "INIT");
    EXPECT_EQ(first.boundary_name2, "FIRST");
    ASSERT_EQ(first.point_count, 1);
    EXPECT_EQ(first.points[1].latitude, 1.5);
    // The over-long lines keep their first 148 characters: the cut name
    // alone, which opens a boundary and then adds no point.
    EXPECT_EQ(atc_boundaries[2].boundary_name, long_name.substr(0, 148));
    EXPECT_EQ(atc_boundaries[2].boundary_name2, "");
    EXPECT_EQ(atc_boundaries[2].point_count, 0);
    EXPECT_EQ(atc_boundaries[3].boundary_name, "LAST");
    EXPECT_EQ(atc_boundaries[3].boundary_name2, "");
}

TEST(AtcBoundaries, aMissingFileLeavesNoneButIsLoadedAndAReloadDoesNotAppend) {
    TempFolder sim;
    host_folder = os::current_directory();
    load_atc_boundaries();
    EXPECT_EQ(atc_boundaries.count(), 0);
    EXPECT_EQ(atc_boundaries_loaded, 1);

    load_boundaries(sim, "A X 0 0\nA 1 1 1\n");
    load_atc_boundaries();
    ASSERT_EQ(atc_boundaries.count(), 1);
    EXPECT_EQ(atc_boundaries[1].point_count, 1);

    load_boundaries(sim, "");
    EXPECT_EQ(atc_boundaries.count(), 0);
}

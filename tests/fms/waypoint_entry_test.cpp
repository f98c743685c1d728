#include "data/nav_database.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/waypoint_entry.h"
#include "plan_builder.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// A few records around Seattle, positions approximately real. "ABC" is a VOR,
// an airport and (far away) an intersection.
class WaypointEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.write("orvex/navdata/navs.txt", "SEA SEATTLE 47.435 -122.310 VOR 116.80\r\n"
                                            "BTG BATTLEGROUND 45.815 -122.531 VOR 116.60\r\n"
                                            "OLM OLYMPIA 46.972 -122.902 VOR 113.40\r\n"
                                            "ABC ABCVOR 46.000 -120.000 VOR 112.00\r\n"
                                            "NOL NOLLA 47.000 -121.000 NDB 350\r\n");
        sim.write("orvex/navdata/ints.txt", "HAROB HAROB 47.500 -122.000\nABC ABCFIX 60.000 -150.000\n");
        sim.write("orvex/navdata/apts.txt", "KSEA SEATTLETACOMA 433 47.449 -122.309\n"
                                            "ABC ABCFIELD 1200 46.500 -120.300\n");
        host_folder = os::current_directory();
        load_nav_database();
    }

    void lookup(const std::string& text, int table = 0, double lat = 47.4, double lon = -122.3) {
        waypoint_lookup_text = text;
        lookup_waypoint_entry(table, lat, lon);
    }

    TempFolder sim;
};

double nm_between(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

} // namespace

TEST_F(WaypointEntry, identsListEveryTableHitNearestFirst) {
    lookup("ABC", 0, 46.0, -120.0);
    ASSERT_EQ(candidate_count(), 3);
    EXPECT_EQ(candidate_list()[1].kind, "V");
    EXPECT_EQ(candidate_list()[1].extra, "112.00");
    EXPECT_EQ(candidate_list()[2].kind, "APT");
    EXPECT_EQ(candidate_list()[2].elevation_text, "1200");
    EXPECT_EQ(candidate_list()[3].kind, "I");
    EXPECT_EQ(candidate_list()[3].latitude, 60.0);

    lookup("ABC", 0, 60.0, -150.0);
    ASSERT_EQ(candidate_count(), 3);
    EXPECT_EQ(candidate_list()[1].kind, "I");
    EXPECT_EQ(candidate_list()[2].kind, "APT");
    EXPECT_EQ(candidate_list()[3].kind, "V");

    const struct {
        int table;
        const char* kind;
    } only[] = {{1, "V"}, {2, "I"}, {3, "APT"}};
    for (const auto& o : only) {
        lookup("ABC", o.table);
        ASSERT_EQ(candidate_count(), 1) << o.table;
        EXPECT_EQ(candidate_list()[1].kind, o.kind);
    }
    lookup("ABC", 4);
    EXPECT_EQ(candidate_count(), 0);

    lookup("SEA");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].latitude, 47.435);
    lookup("sea"); // idents match exactly
    EXPECT_EQ(candidate_count(), 0);
    lookup("ZZZZZ");
    EXPECT_EQ(candidate_count(), 0);
}

TEST_F(WaypointEntry, latitudeLongitudeEntriesBecomeTheNextWptName) {
    lookup("N4726.9W12218.3");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_NEAR(candidate_list()[1].latitude, 47.448333, 1e-6);
    EXPECT_NEAR(candidate_list()[1].longitude, -122.305, 1e-9);
    EXPECT_EQ(candidate_list()[1].ident, "WPT01");
    EXPECT_EQ(candidate_list()[1].kind, "I");
    EXPECT_EQ(candidate_list()[1].extra, "");

    set_working({{"KSEA", ""}, {"WPT01", ""}, {"WPT07", ""}, {"KPDX", ""}});
    lookup("S3352.0E15112.0");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_NEAR(candidate_list()[1].latitude, -(33 + 52.0 / 60.0), 1e-9);
    EXPECT_NEAR(candidate_list()[1].longitude, 151.2, 1e-9);
    EXPECT_EQ(candidate_list()[1].ident, "WPT08");

    // Malformed or cut short: nothing, and nothing read past the text.
    for (const char* bad : {"N4726.9W1221", "N4726.9W", "N4726.9W12218.", "N4726,9W12218.3",
                            "X4726.9W12218.3", "N4726.9X12218.3"}) {
        lookup(bad);
        EXPECT_EQ(candidate_count(), 0) << bad;
    }
}

TEST_F(WaypointEntry, fiveCharacterShorthandsPlaceTheirQuadrant) {
    const struct {
        const char* text;
        double lat, lon;
    } cases[] = {
        {"4712N", 47, -12},  {"4712E", 47, 12},  {"4712S", -47, 12},  {"4712W", -47, -12},
        {"47N12", 47, -112}, {"47E12", 47, 112}, {"47S12", -47, 112}, {"47W12", -47, -112},
    };
    for (const auto& c : cases) {
        lookup(c.text);
        ASSERT_EQ(candidate_count(), 1) << c.text;
        EXPECT_EQ(candidate_list()[1].latitude, c.lat) << c.text;
        EXPECT_EQ(candidate_list()[1].longitude, c.lon) << c.text;
        EXPECT_EQ(candidate_list()[1].ident, c.text);
        EXPECT_EQ(candidate_list()[1].kind, "O");
    }
    for (const char* bad : {"4712X", "471N2", "4712", "4712NN", "A712N", "47N1X"}) {
        lookup(bad);
        EXPECT_EQ(candidate_count(), 0) << bad;
    }
}

TEST_F(WaypointEntry, placeBearingDistanceListsThePlaceAndKeepsTheInputs) {
    lookup("SEA090/10");
    EXPECT_EQ(pbd_distance, 10);
    EXPECT_EQ(pbd_bearing_1, 90.0);
    EXPECT_EQ(waypoint_lookup_text, "SEA");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].ident, "SEA");

    lookup("ABC270/25.5", 0, 46.0, -120.0);
    EXPECT_EQ(pbd_distance, 25);
    EXPECT_EQ(pbd_bearing_1, 270.0);
    EXPECT_EQ(candidate_count(), 3);

    // A bearing that cannot be read, or no place before it: nothing, inputs kept.
    for (const char* bad : {"SEA09/10", "SEAXYZ/10", "090/10", "S/10", "AB/10", "SEA-10/10"}) {
        lookup(bad);
        EXPECT_EQ(candidate_count(), 0) << bad;
        EXPECT_EQ(pbd_distance, 25) << bad;
        EXPECT_EQ(pbd_bearing_1, 270.0) << bad;
    }
    lookup("/10"); // no place at all: an ident search that finds nothing
    EXPECT_EQ(candidate_count(), 0);
}

TEST_F(WaypointEntry, placeBearingPlaceBearingFindsWhereTheRadialsCross) {
    // Bearings from SEA and BTG to a point between them, as the pilot would
    // read them off the chart (whole degrees magnetic).
    const double x_lat = 46.6, x_lon = -122.0;
    auto magnetic_bearing = [&](double lat, double lon) {
        double d = 0.0, course = 0.0;
        gc_dist_course(lat, lon, x_lat, x_lon, &d, &course);
        const int variation = compute_magnetic_variation(int(lat), int(lon));
        return int(std::lround(floored_mod(course - variation, 360.0))) % 360;
    };
    const int b1 = magnetic_bearing(47.435, -122.310);
    const int b2 = magnetic_bearing(45.815, -122.531);
    char text[32];
    std::snprintf(text, sizeof text, "SEA%03d/BTG%03d", b1, b2);

    lookup(text);
    ASSERT_EQ(candidate_count(), 1) << text;
    EXPECT_LT(nm_between(candidate_list()[1].latitude, candidate_list()[1].longitude, x_lat, x_lon), 2.0)
        << text;
    EXPECT_EQ(pbd_bearing_1, b1);
    EXPECT_EQ(pbd_bearing_2, b2);
    EXPECT_EQ(pbd_place_ident, "SEA");
    EXPECT_EQ(pbd_place_lat, 47.435);
    EXPECT_EQ(pbd_place_type, "V");
    EXPECT_EQ(pbd_place_frequency, "116.80");

    // A radial that leads away from the crossing: no point lies ahead of both.
    std::snprintf(text, sizeof text, "SEA%03d/BTG%03d", b1, (b2 + 180) % 360);
    lookup(text);
    EXPECT_EQ(candidate_count(), 0) << text;

    for (const char* bad :
         {"QQQ120/BTG045", "SEA120/QQQ045", "SEA120/BTG04", "SEA120/BTGX45", "SEA/BTG045", "SEA120/OLM"}) {
        lookup(bad);
        EXPECT_EQ(candidate_count(), 0) << bad;
    }
}

TEST_F(WaypointEntry, theListStopsAt250Hits) {
    std::string ints;
    for (int i = 0; i < 300; ++i)
        ints += "DUP DUP " + std::to_string(40.0 + i * 0.01) + " -100.0\n";
    sim.write("orvex/navdata/ints.txt", ints);
    load_nav_database();
    lookup("DUP", 2, 40.0, -100.0);
    ASSERT_EQ(candidate_count(), 250);
    EXPECT_EQ(candidate_list().stored(), 251u);
    EXPECT_EQ(candidate_list()[1].latitude, 40.0); // nearest first
    EXPECT_NEAR(candidate_list()[250].latitude, 42.49, 1e-9);
}

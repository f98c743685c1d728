#include "data/nav_database.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearby_index.h"
#include "fms/nav/nearby_lists.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// The lists as the plain scan builds them: every source record, in order,
// whose distance from the centre is at most the radius, up to the limit.
template <class Source>
std::vector<NavRecord> naive_list(const Source& source, double latitude, double longitude, double radius,
                                  int limit) {
    std::vector<NavRecord> out;
    for (int i = 1; i <= source.count(); ++i) {
        double distance = 0.0, course = 0.0;
        gc_dist_course(latitude, longitude, source[i].latitude, source[i].longitude, &distance, &course);
        if (distance <= radius && static_cast<int>(out.size()) < limit) out.emplace_back(source[i]);
    }
    return out;
}

template <class List>
void expect_same_list(const List& list, const std::vector<NavRecord>& expected, bool navaid_fields,
                      const std::string& where) {
    ASSERT_EQ(list.count(), static_cast<int>(expected.size())) << where;
    for (int i = 1; i <= list.count(); ++i) {
        const NavRecordView got = list[i];
        const NavRecord& want = expected[static_cast<std::size_t>(i - 1)];
        ASSERT_EQ(got.ident, want.ident) << where << " record " << i;
        ASSERT_EQ(got.latitude, want.latitude) << where << " record " << i;
        ASSERT_EQ(got.longitude, want.longitude) << where << " record " << i;
        if (navaid_fields) {
            ASSERT_EQ(got.kind, want.kind) << where << " record " << i;
            ASSERT_EQ(got.extra, want.extra) << where << " record " << i;
        }
    }
}

NavRecord record(const std::string& ident, double latitude, double longitude, const std::string& kind = "V",
                 const std::string& extra = "") {
    NavRecord r;
    r.ident = ident;
    r.name = ident + "NAME";
    r.latitude = latitude;
    r.longitude = longitude;
    r.kind = kind;
    r.extra = extra;
    return r;
}

// "R12": built with snprintf, as g++ 12 warns falsely on literal + string.
std::string numbered(const char* prefix, int n) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%d", prefix, n);
    return text;
}

// Tables filled here rather than from files say so, as the loader does.
void tables_refilled() {
    ++nav_database_generation;
}

// A point on the sphere spread evenly over the globe.
void random_position(std::mt19937& rng, double* latitude, double* longitude) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    *latitude = std::asin(2.0 * u(rng) - 1.0) * 57.29577951308232;
    *longitude = u(rng) * 360.0 - 180.0;
}

// Centres where a prefilter goes wrong first: the poles, the antimeridian
// from both sides, high latitudes, and longitudes written past 180.
const double kEdgeCentres[][2] = {
    {90.0, 0.0},   {-90.0, 123.0},  {89.9, -45.0},    {-85.0, 179.0}, {80.5, 170.0}, {0.0, 180.0},
    {0.0, -180.0}, {45.0, 179.95},  {-30.0, -179.99}, {65.0, -179.5}, {0.0, 0.0},    {51.5, -0.1},
    {10.0, 190.0}, {-10.0, -200.0}, {70.0, 359.0},    {-60.0, 0.001}, {88.0, 180.0}, {-89.999, -180.0},
};

// Records around every edge centre, some exactly on the radii along the
// meridian (one minute of arc is one NM) and some across the antimeridian.
void add_rim_records(NavTable<30001>& navaids, int& serial) {
    for (const auto& c : kEdgeCentres) {
        for (double radius : {0.0, 180.0, 200.0, 320.0, 600.0}) {
            for (double step : {-1e-9, 0.0, 1e-9, 1e-4}) {
                const double dlat = radius / 60.0 + step;
                navaids.append(record(numbered("R", ++serial), c[0] - dlat, c[1], "V", "110.0"));
                if (c[0] + dlat <= 90.0)
                    navaids.append(record(numbered("R", ++serial), c[0] + dlat, c[1], "N", "330"));
            }
        }
        navaids.append(record(numbered("R", ++serial), c[0], c[1] + 360.0, "N"));
        navaids.append(record(numbered("R", ++serial), c[0], -c[1], "N"));
    }
}

void fill_random_world(int airports, int navaids, int fixes, unsigned seed) {
    std::mt19937 rng(seed);
    double lat = 0.0, lon = 0.0;
    airport_table.clear();
    navaid_table.clear();
    airway_fix_table.clear();
    for (int i = 1; i <= airports; ++i) {
        random_position(rng, &lat, &lon);
        airport_table.append(record(numbered("A", i), lat, lon, "APT"));
    }
    int serial = 0;
    add_rim_records(navaid_table, serial);
    for (int i = 1; i <= navaids; ++i) {
        random_position(rng, &lat, &lon);
        navaid_table.append(record(numbered("N", i), lat, lon, i % 3 ? "V" : "N", std::to_string(i)));
    }
    for (int i = 1; i <= fixes; ++i) {
        random_position(rng, &lat, &lon);
        airway_fix_table.append(record(numbered("F", i), lat, lon, "I"));
    }
    tables_refilled();
}

// Builds all six lists around one centre and checks each against the scan.
void expect_lists_match_scan(double latitude, double longitude) {
    const std::string where = "centre " + std::to_string(latitude) + " " + std::to_string(longitude);
    build_near_airports(latitude, longitude);
    expect_same_list(near_airports, naive_list(airport_table, latitude, longitude, 600.0, 3000), false,
                     where + " near_airports");
    build_near_navaids(latitude, longitude);
    expect_same_list(near_navaids, naive_list(navaid_table, latitude, longitude, 600.0, 3000), true,
                     where + " near_navaids");
    build_near_airway_fixes(latitude, longitude);
    expect_same_list(near_airway_fixes, naive_list(airway_fix_table, latitude, longitude, 600.0, 3000), true,
                     where + " near_airway_fixes");

    // The close lists are built a little way off, as the map layers do after
    // the aircraft has moved.
    const double close_lat = latitude > 0 ? latitude - 0.4 : latitude + 0.4;
    const double close_lon = longitude + 0.7;
    build_close_airports(close_lat, close_lon);
    expect_same_list(close_airports, naive_list(near_airports, close_lat, close_lon, 180.0, 1000), false,
                     where + " close_airports");
    build_local_navaids(close_lat, close_lon);
    expect_same_list(local_navaids, naive_list(near_navaids, close_lat, close_lon, 320.0, 1000), true,
                     where + " local_navaids");
    build_local_airway_fixes(close_lat, close_lon);
    expect_same_list(local_airway_fixes, naive_list(near_airway_fixes, close_lat, close_lon, 200.0, 5000),
                     true, where + " local_airway_fixes");
}

} // namespace

TEST(NearbyLists, everyListEqualsThePlainScanAtRandomAndEdgeCentres) {
    fill_random_world(4000, 6000, 20000, 7);
    for (const auto& c : kEdgeCentres)
        expect_lists_match_scan(c[0], c[1]);
    std::mt19937 rng(11);
    for (int i = 0; i < 60; ++i) {
        double lat = 0.0, lon = 0.0;
        random_position(rng, &lat, &lon);
        expect_lists_match_scan(lat, lon);
    }
    // The edge centres must have found something, or the comparison is idle.
    build_near_navaids(0.0, 180.0);
    EXPECT_GT(near_navaids.count(), 20);
    build_near_navaids(90.0, 0.0);
    EXPECT_GT(near_navaids.count(), 20);
}

TEST(NearbyLists, theRimIsInclusiveAndFieldsAreCopiedAsEachListNeedsThem) {
    airport_table.clear();
    navaid_table.clear();
    // Along the meridian 10 degrees is 600 NM; rounding puts exactly 10.0
    // just outside (600.0000000000008), a hair less inside.
    airport_table.append(record("IN", 9.99999999, 0.0, "APT"));
    airport_table.append(record("OUT", 10.0001667, 0.0, "APT")); // 600.01 NM
    airport_table.append(record("EDGE", 10.0, 0.0, "APT"));
    airport_table.append(record("NEAR", 2.9999999, 0.0, "APT")); // 179.999994 NM
    airport_table.append(record("FAR", 3.0002, 0.0, "APT"));
    navaid_table.append(record("VOR", 1.0, 1.0, "V", "113.90"));
    tables_refilled();

    build_near_airports(0.0, 0.0);
    ASSERT_EQ(near_airports.count(), 3);
    EXPECT_EQ(near_airports[1].ident, "IN");
    EXPECT_EQ(near_airports[2].ident, "NEAR");
    EXPECT_EQ(near_airports[3].ident, "FAR");
    // Airport lists take ident and position only.
    EXPECT_EQ(near_airports[1].kind, "");
    EXPECT_EQ(near_airports[1].name, "");
    EXPECT_EQ(near_airports_centre.latitude, 0.0);

    EXPECT_EQ(close_airports_centre.latitude, -999.0);
    EXPECT_EQ(close_airports_centre.longitude, -999.0);
    build_close_airports(0.0, 0.0);
    ASSERT_EQ(close_airports.count(), 1);
    EXPECT_EQ(close_airports[1].ident, "NEAR");
    EXPECT_EQ(close_airports_centre.longitude, 0.0);

    build_near_navaids(0.0, 0.0);
    ASSERT_EQ(near_navaids.count(), 1);
    EXPECT_EQ(near_navaids[1].kind, "V");
    EXPECT_EQ(near_navaids[1].extra, "113.90");
    EXPECT_EQ(near_navaids[1].name, "");
}

TEST(NearbyLists, limitsTakeTheFirstRecordsInTableOrder) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> spread(-4.0, 4.0);
    airport_table.clear();
    airway_fix_table.clear();
    // 3500 airports within about 340 NM of (50, 8), with far ones between.
    for (int i = 1; i <= 3500; ++i) {
        airport_table.append(record(numbered("A", i), 50.0 + spread(rng), 8.0 + spread(rng), "APT"));
        if (i % 100 == 0) airport_table.append(record(numbered("FAR", i), -50.0, 8.0, "APT"));
    }
    // 6000 airway fixes within 240 NM: the wide list stops at 3000 even
    // though its table has 8000 slots.
    for (int i = 1; i <= 6000; ++i)
        airway_fix_table.append(record(numbered("F", i), 50.0 + spread(rng) / 2, 8.0 + spread(rng) / 2, "I"));
    tables_refilled();

    build_near_airports(50.0, 8.0);
    ASSERT_EQ(near_airports.count(), 3000);
    EXPECT_EQ(near_airports[1].ident, "A1");
    EXPECT_EQ(near_airports[3000].ident, "A3000");
    EXPECT_EQ(near_airports[3001].ident, ""); // past the capacity nothing is written
    build_close_airports(50.0, 8.0);
    EXPECT_EQ(close_airports.count(), 1000);
    expect_same_list(close_airports, naive_list(near_airports, 50.0, 8.0, 180.0, 1000), false, "close");

    build_near_airway_fixes(50.0, 8.0);
    ASSERT_EQ(near_airway_fixes.count(), 3000);
    EXPECT_EQ(near_airway_fixes[3000].ident, "F3000");
    build_local_airway_fixes(50.0, 8.0);
    EXPECT_EQ(local_airway_fixes.count(), 3000);
}

TEST(NearbyLists, junkPositionsAndCentresGiveWhatTheScanGives) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    navaid_table.clear();
    const double positions[][2] = {{10.0, 10.0}, {95.0, 10.0}, {-170.0, 10.0}, {10.0, 370.0}, {10.0, -350.0},
                                   {nan, 10.0},  {10.0, inf},  {1e300, 5.0},   {10.0, 1e7},   {0.0, 0.0},
                                   {10.5, 9.5},  {-90.0, 0.0}, {90.0, 77.0},   {10.0, 730.0}};
    int serial = 0;
    for (const auto& p : positions)
        navaid_table.append(record(numbered("J", ++serial), p[0], p[1], "N", "1"));
    tables_refilled();

    const double centres[][2] = {{10.0, 10.0}, {nan, 0.0},   {0.0, inf},    {100.0, 10.0}, {10.0, 1000.0},
                                 {-95.0, 0.0}, {85.0, 10.0}, {10.0, 370.0}, {89.0, 0.0}};
    for (const auto& c : centres) {
        const std::string where = std::to_string(c[0]) + " " + std::to_string(c[1]);
        build_near_navaids(c[0], c[1]);
        expect_same_list(near_navaids, naive_list(navaid_table, c[0], c[1], 600.0, 3000), true, where);
        build_local_navaids(c[0], c[1]);
        expect_same_list(local_navaids, naive_list(near_navaids, c[0], c[1], 320.0, 1000), true, where);
    }
    build_near_navaids(10.0, 10.0);
    EXPECT_GE(near_navaids.count(), 5); // the junk ones that are real places are found
}

TEST(NearbyLists, aReloadedDatabaseIsSearchedAfresh) {
    TempFolder sim;
    sim.write("orvex/navdata/apts.txt", "AAAA ONE 100 50.0 8.0\nBBBB TWO 100 51.0 9.0\n");
    host_folder = os::current_directory();
    load_nav_database();
    build_near_airports(50.0, 8.0);
    ASSERT_EQ(near_airports.count(), 2);

    // Same number of records, other places.
    sim.write("orvex/navdata/apts.txt", "CCCC ONE 100 -33.9 151.2\nDDDD TWO 100 50.5 8.5\n");
    load_nav_database();
    build_near_airports(50.0, 8.0);
    ASSERT_EQ(near_airports.count(), 1);
    EXPECT_EQ(near_airports[1].ident, "DDDD");

    build_close_airports(50.4, 8.4);
    ASSERT_EQ(close_airports.count(), 1);
    EXPECT_EQ(close_airports[1].ident, "DDDD");
}

TEST(NearbyIndex, circlesOfAnyRadiusFindWhatTheDistanceRoutineFinds) {
    std::mt19937 rng(5);
    std::vector<GridPosition> positions;
    double lat = 0.0, lon = 0.0;
    for (int i = 0; i < 3000; ++i) {
        random_position(rng, &lat, &lon);
        positions.push_back({lat, lon});
    }
    // Points at and a hair off the centres used below.
    for (double d : {0.0, 1e-12, 1e-9, 1e-7, 1e-5}) {
        positions.push_back({45.0 + d, 7.0});
        positions.push_back({-90.0 + d, 0.0});
        positions.push_back({0.0, 180.0 - d});
        positions.push_back({0.0, -180.0 + d});
    }
    positions.push_back({-45.0, -173.0}); // antipode of (45, 7)
    PositionGrid grid;
    build_position_grid(grid, positions);

    const double centres[][2] = {{45.0, 7.0}, {-90.0, 0.0}, {0.0, 180.0}, {0.0, -180.0}, {60.0, -100.0}};
    for (const auto& c : centres) {
        for (double radius : {0.0, 1e-6, 0.5, 60.0, 600.0, 3000.0, 10799.999, 10800.0, 10801.0, 20000.0}) {
            const SearchCircle circle = make_search_circle(c[0], c[1], radius);
            std::vector<FoundRecord> found;
            find_in_circle(grid, circle, found);
            std::vector<int> expected;
            for (std::size_t i = 0; i < positions.size(); ++i) {
                double distance = 0.0, course = 0.0;
                gc_dist_course(c[0], c[1], positions[i].latitude, positions[i].longitude, &distance, &course);
                if (distance <= radius) expected.push_back(static_cast<int>(i) + 1);
            }
            std::vector<int> got;
            for (const FoundRecord& f : found)
                got.push_back(f.record);
            EXPECT_EQ(got, expected) << c[0] << " " << c[1] << " radius " << radius;
            if (radius == 0.0 && c[0] != 60.0) {
                EXPECT_GE(got.size(), 1u); // the record on the centre
            }
        }
    }
}

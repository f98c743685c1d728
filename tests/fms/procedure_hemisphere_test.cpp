#include "airport_files.h"
#include "data/airport_procedures.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <cmath>

// Coded legs whose own line gives a southern or western position use it, as
// northern and eastern ones do.
namespace {

double hemisphere_distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

// Distance of a point from the great circle leaving (lat, lon) on a course.
double off_course_nm(double lat, double lon, double course, double point_lat, double point_lon) {
    double on_lat = 0.0, on_lon = 0.0;
    gc_destination_point(lat, lon, course, hemisphere_distance_nm(lat, lon, point_lat, point_lon), &on_lat,
                         &on_lon);
    return hemisphere_distance_nm(on_lat, on_lon, point_lat, point_lon);
}

const char* const kSouthAndWest =
    "SZZA SOUTHFIELD 20 -33.75 151.25 18_8000_-33.75_151.25_180_109.10_ILS_180\n"
    "KZZB WESTFIELD 13 40.5 -73.75 31_9000_40.5_-73.75_310_110.90_ILS_310\n";

} // namespace

TEST(ProcedureHemispheres, southernSidMeasuresItsDmeLegFromTheLinesOwnFix) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kSouthAndWest);
    // 11 NM from a VOR 6 NM north of the runway: about 5 NM south of it.
    write_navdata(sim, "sids.txt",
                  "[SZZA]\nT SOUTH1 18 18\nSOUTH1 /H180/UD11.0 3000 18 -33.65 151.25\n"
                  "SOUTH1 SFIXA 5000 --- -34.2 151.3\n");
    load_airport_detail("SZZA", 1);
    EXPECT_EQ(origin_magnetic_variation, compute_magnetic_variation(-33, 151));
    const BoundedTable<ProcedureLeg, 401>& legs = airport_slots[origin_slot].sids[1].legs;
    ASSERT_EQ(legs.count(), 2);
    const ProcedureLeg& dme = legs[1];
    EXPECT_EQ(dme.fix, "HD180");
    EXPECT_NEAR(hemisphere_distance_nm(-33.65, 151.25, dme.latitude, dme.longitude), 11.0, 0.1);
    EXPECT_LT(off_course_nm(-33.75, 151.25, 180.0 + origin_magnetic_variation, dme.latitude, dme.longitude),
              1e-6);
    EXPECT_NEAR(hemisphere_distance_nm(-33.75, 151.25, dme.latitude, dme.longitude), 5.0, 0.5);
    EXPECT_DOUBLE_EQ(legs[2].latitude, -34.2);
}

TEST(ProcedureHemispheres, southernStarDmeLegAndWesternSidClimb) {
    TempFolder sim;
    write_navdata(sim, "apts.txt", kSouthAndWest);
    // From NORTH, 6 NM north of the DME point, south until 5 NM from it: 1 NM.
    write_navdata(sim, "stars.txt",
                  "[SZZA]\nSARR1 NORTH 9000 --- -33.5 151.25\nSARR1 /H180/UD5.0 5000 --- -33.6 151.25\n");
    write_navdata(sim, "sids.txt",
                  "[KZZB]\nT WEST1 31 31\nWEST1 /H310/UA 1513 31 0 0\nWEST1 WFIXA 4000 --- 40.9 -74.2\n");
    load_airport_detail("SZZA", 2);
    load_airport_detail("KZZB", 1);

    const BoundedTable<ProcedureLeg, 401>& star = airport_slots[destination_slot].stars[1].legs;
    ASSERT_EQ(star.count(), 2);
    EXPECT_NEAR(hemisphere_distance_nm(-33.6, 151.25, star[2].latitude, star[2].longitude), 5.0, 0.1);
    EXPECT_NEAR(hemisphere_distance_nm(-33.5, 151.25, star[2].latitude, star[2].longitude), 1.0, 0.2);
    EXPECT_LT(off_course_nm(-33.5, 151.25, 180.0 + destination_magnetic_variation, star[2].latitude,
                            star[2].longitude),
              1e-6);

    // 1500 ft above the field: 3.1667 NM from the threshold on 310 + variation.
    EXPECT_EQ(origin_magnetic_variation, compute_magnetic_variation(40, -73));
    EXPECT_LT(origin_magnetic_variation, 0.0);
    const BoundedTable<ProcedureLeg, 401>& sid = airport_slots[origin_slot].sids[1].legs;
    ASSERT_EQ(sid.count(), 2);
    EXPECT_NEAR(hemisphere_distance_nm(40.5, -73.75, sid[1].latitude, sid[1].longitude), 3.1666666666666665,
                1e-6);
    EXPECT_LT(
        off_course_nm(40.5, -73.75, 310.0 + origin_magnetic_variation, sid[1].latitude, sid[1].longitude),
        1e-6);
    EXPECT_DOUBLE_EQ(sid[2].longitude, -74.2);
    EXPECT_EQ(sid[2].transition, "WFIXA");
}

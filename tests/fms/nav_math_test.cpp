#include "fms/math/nav_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct DistCourse {
    double distance;
    double course;
};

DistCourse dist_course(double lat1, double lon1, double lat2, double lon2) {
    DistCourse r{-1.0, -1.0};
    gc_dist_course(lat1, lon1, lat2, lon2, &r.distance, &r.course);
    return r;
}

// Smallest difference of two courses, in degrees, treating 360 and 0 alike.
double course_gap(double a, double b) {
    const double d = std::fabs(std::fmod(a - b + 540.0, 360.0) - 180.0);
    return d;
}

} // namespace

TEST(GcDistCourse, KnownLegsFromHandDerivedValues) {
    // One minute of arc is one nautical mile on this earth.
    struct Row {
        double lat1, lon1, lat2, lon2, distance, course;
    } rows[] = {
        {0.0, 0.0, 1.0, 0.0, 60.0, 360.0},       // due north: 360, never 0
        {1.0, 0.0, 0.0, 0.0, 60.0, 180.0},       // due south
        {0.0, 0.0, 0.0, 1.0, 60.0, 90.0},        // due east on the equator
        {0.0, 1.0, 0.0, 0.0, 60.0, 270.0},       // due west on the equator
        {0.0, 179.5, 0.0, -179.5, 60.0, 90.0},   // eastbound across the antimeridian
        {0.0, -179.5, 0.0, 179.5, 60.0, 270.0},  // westbound across it
        {0.0, 0.0, 90.0, 0.0, 5400.0, 360.0},    // to the north pole
        {90.0, 0.0, 0.0, 0.0, 5400.0, 180.0},    // from the north pole
        {-90.0, 0.0, 0.0, 0.0, 5400.0, 360.0},   // from the south pole
        {90.0, 0.0, -90.0, 0.0, 10800.0, 180.0}, // pole to pole
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.lat1 << "," << row.lon1 << " -> " << row.lat2 << "," << row.lon2);
        const DistCourse r = dist_course(row.lat1, row.lon1, row.lat2, row.lon2);
        EXPECT_NEAR(r.distance, row.distance, 1e-6);
        EXPECT_NEAR(r.course, row.course, 1e-6);
    }

    // Los Angeles (33 57 N, 118 24 W) to New York (40 38 N, 73 47 W): the
    // aviation formulary's worked example gives 2144 NM on course 066.
    const DistCourse lax_jfk = dist_course(33.95, -118.4, 40.0 + 38.0 / 60.0, -(73.0 + 47.0 / 60.0));
    EXPECT_NEAR(lax_jfk.distance, 2144.0, 1.0);
    EXPECT_NEAR(lax_jfk.course, 65.89, 0.05);
}

TEST(GcDistCourse, CoursesBelowOneDegreeAreReportedAs360) {
    double lat = 0.0, lon = 0.0;
    gc_destination_point(10.0, 20.0, 0.999, 300.0, &lat, &lon);
    EXPECT_EQ(dist_course(10.0, 20.0, lat, lon).course, 360.0);

    gc_destination_point(10.0, 20.0, 0.4, 300.0, &lat, &lon);
    EXPECT_EQ(dist_course(10.0, 20.0, lat, lon).course, 360.0);

    gc_destination_point(10.0, 20.0, 1.01, 300.0, &lat, &lon);
    EXPECT_NEAR(dist_course(10.0, 20.0, lat, lon).course, 1.01, 1e-9);

    // Slightly west of north is a course just below 360, kept as it is.
    gc_destination_point(10.0, 20.0, 359.5, 300.0, &lat, &lon);
    EXPECT_NEAR(dist_course(10.0, 20.0, lat, lon).course, 359.5, 1e-9);
}

TEST(GcDistCourse, IdenticalAndAntipodalPointsGiveFiniteResults) {
    // The cosine sum of coincident or antipodal points can round just past
    // +-1; every such pair must still give a distance, not NaN.
    for (double lat = -89.5; lat <= 89.5; lat += 0.37) {
        for (double lon = -179.9; lon <= 180.0; lon += 7.3) {
            const DistCourse same = dist_course(lat, lon, lat, lon);
            ASSERT_FALSE(std::isnan(same.distance)) << lat << "," << lon;
            ASSERT_LT(same.distance, 1e-3) << lat << "," << lon;
            ASSERT_EQ(same.course, 360.0) << lat << "," << lon;

            const DistCourse opposite = dist_course(lat, lon, -lat, lon + 180.0);
            ASSERT_FALSE(std::isnan(opposite.distance)) << lat << "," << lon;
            ASSERT_NEAR(opposite.distance, 10800.0, 1e-3) << lat << "," << lon;
        }
    }
}

TEST(GcDistCourse, UndefinedPositionsGiveUndefinedResults) {
    // Positions a file left NaN or infinite: no integer conversion of them.
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (const DistCourse& r : {dist_course(nan, 0.0, 1.0, 1.0), dist_course(0.0, 0.0, inf, -inf)}) {
        EXPECT_TRUE(std::isnan(r.distance));
        EXPECT_TRUE(std::isnan(r.course));
    }
}

TEST(GcDistCourse, DistanceIsSymmetricAndCoursesInRange) {
    for (double lat1 = -80.0; lat1 <= 80.0; lat1 += 20.0) {
        for (double lon1 = -180.0; lon1 < 180.0; lon1 += 45.0) {
            for (double lat2 = -75.0; lat2 <= 75.0; lat2 += 25.0) {
                for (double dlon = -170.0; dlon <= 170.0; dlon += 34.0) {
                    const double lon2 = lon1 + dlon;
                    const DistCourse ab = dist_course(lat1, lon1, lat2, lon2);
                    const DistCourse ba = dist_course(lat2, lon2, lat1, lon1);
                    ASSERT_NEAR(ab.distance, ba.distance, 1e-6);
                    ASSERT_GE(ab.course, 1.0);
                    ASSERT_LE(ab.course, 360.0);
                }
            }
        }
    }
}

TEST(GcDistCourse, CoursesAlongTheEquatorAndMeridiansAreReciprocal) {
    for (double lon = -179.0; lon <= 179.0; lon += 11.0) {
        const DistCourse east = dist_course(0.0, lon, 0.0, lon + 5.0);
        const DistCourse west = dist_course(0.0, lon + 5.0, 0.0, lon);
        EXPECT_NEAR(east.course, 90.0, 1e-9);
        EXPECT_NEAR(west.course, 270.0, 1e-9);
    }
    for (double lat = -80.0; lat <= 75.0; lat += 5.0) {
        const DistCourse north = dist_course(lat, 33.0, lat + 5.0, 33.0);
        const DistCourse south = dist_course(lat + 5.0, 33.0, lat, 33.0);
        EXPECT_EQ(north.course, 360.0);
        EXPECT_NEAR(south.course, 180.0, 1e-9);
        EXPECT_NEAR(north.distance, 300.0, 1e-6);
    }
}

TEST(GcDestinationPoint, LandsAtTheAskedDistanceAndCourse) {
    const double courses[] = {1.5, 30.0, 89.0, 135.0, 180.0, 225.0, 271.0, 300.0, 359.0};
    const double distances[] = {0.21, 10.0, 250.0, 1500.0};
    for (double lat = -80.0; lat <= 80.0; lat += 10.0) {
        for (double course : courses) {
            for (double distance : distances) {
                double lat2 = 0.0, lon2 = 0.0;
                gc_destination_point(lat, -150.0, course, distance, &lat2, &lon2);
                const DistCourse back = dist_course(lat, -150.0, lat2, lon2);
                ASSERT_NEAR(back.distance, distance, 1e-6 * distance + 1e-7) << lat << " " << course;
                ASSERT_LT(course_gap(back.course, course), 1e-6) << lat << " " << course << " " << distance;
                ASSERT_GE(lon2, -180.0);
                ASSERT_LT(lon2, 180.0);
            }
        }
    }
}

TEST(GcDestinationPoint, OffsetThenReverseReturnsToTheStart) {
    for (double lat = -80.0; lat <= 80.0; lat += 4.0) {
        for (double course = 5.0; course < 360.0; course += 40.0) {
            double lat2 = 0.0, lon2 = 0.0;
            gc_destination_point(lat, 175.0, course, 400.0, &lat2, &lon2);
            const DistCourse back = dist_course(lat2, lon2, lat, 175.0);
            double lat3 = 0.0, lon3 = 0.0;
            gc_destination_point(lat2, lon2, back.course, back.distance, &lat3, &lon3);
            ASSERT_NEAR(lat3, lat, 1e-7) << lat << " " << course;
            ASSERT_NEAR(lon3, 175.0, 1e-7) << lat << " " << course;
        }
    }
}

TEST(GcDestinationPoint, NorthAsZeroOr360AntimeridianAndPoles) {
    double lat_a = 0.0, lon_a = 0.0, lat_b = 0.0, lon_b = 0.0;
    gc_destination_point(51.0, -1.0, 360.0, 90.0, &lat_a, &lon_a);
    gc_destination_point(51.0, -1.0, 0.0, 90.0, &lat_b, &lon_b);
    EXPECT_EQ(lat_a, lat_b);
    EXPECT_EQ(lon_a, lon_b);
    EXPECT_NEAR(lat_a, 52.5, 1e-9);

    // 12 NM east of 179.9 E on the equator wraps to 179.9 W.
    gc_destination_point(0.0, 179.9, 90.0, 12.0, &lat_a, &lon_a);
    EXPECT_NEAR(lat_a, 0.0, 1e-9);
    EXPECT_NEAR(lon_a, -179.9, 1e-9);

    // Across the pole: 89 N northbound for 120 NM comes down the far side.
    gc_destination_point(89.0, 0.0, 0.0, 120.0, &lat_a, &lon_a);
    EXPECT_NEAR(lat_a, 89.0, 1e-9);
    EXPECT_NEAR(std::fabs(lon_a), 180.0, 1e-9);

    // From the pole itself every course leads south; no NaN.
    gc_destination_point(90.0, 0.0, 0.0, 600.0, &lat_a, &lon_a);
    EXPECT_NEAR(lat_a, 80.0, 1e-9);
    EXPECT_FALSE(std::isnan(lon_a));

    // Zero distance stays put.
    gc_destination_point(-33.5, 151.25, 123.0, 0.0, &lat_a, &lon_a);
    EXPECT_NEAR(lat_a, -33.5, 1e-12);
    EXPECT_NEAR(lon_a, 151.25, 1e-12);
}

TEST(FlooredMod, TakesTheSignOfTheDivisor) {
    EXPECT_DOUBLE_EQ(floored_mod(370.0, 360.0), 10.0);
    EXPECT_DOUBLE_EQ(floored_mod(-10.0, 360.0), 350.0);
    EXPECT_DOUBLE_EQ(floored_mod(-370.0, 360.0), 350.0);
    EXPECT_DOUBLE_EQ(floored_mod(720.0, 360.0), 0.0);
    EXPECT_DOUBLE_EQ(floored_mod(10.0, -360.0), -350.0);
}

TEST(CourseIntersection, SymmetricCoursesMeetOnTheMidMeridian) {
    // Great circle leaving the equator on course 045: tan(lat) = sin(dlon).
    const double expected_lat = std::atan(std::sin(5.0 * M_PI / 180.0)) * 180.0 / M_PI;
    double lat = 0.0, lon = 0.0;
    ASSERT_EQ(course_intersection(0.0, 0.0, 45.0, 0.0, 10.0, 315.0, &lat, &lon), 0);
    EXPECT_NEAR(lat, expected_lat, 1e-9);
    EXPECT_NEAR(lon, 5.0, 1e-9);

    // The southern twin.
    ASSERT_EQ(course_intersection(0.0, 0.0, 135.0, 0.0, 10.0, 225.0, &lat, &lon), 0);
    EXPECT_NEAR(lat, -expected_lat, 1e-9);
    EXPECT_NEAR(lon, 5.0, 1e-9);
}

TEST(CourseIntersection, CrossingLiesOnBothCourses) {
    struct Row {
        double lat1, lon1, c1, lat2, lon2, c2;
    } rows[] = {
        {47.0, 8.0, 60.0, 48.5, 11.0, 200.0},
        {-33.9, 151.2, 10.0, -32.0, 153.0, 280.0},
        {10.0, 179.0, 80.0, 12.0, -178.0, 190.0},
        {60.0, -20.0, 100.0, 58.0, -15.0, 20.0},
        // Angles whose sum before the wrap is negative.
        {0.0, 0.0, 90.0, 0.5, -1.0, 0.0},
        {47.05, 7.5, 1.0, 47.2, 7.0, 91.0},
    };
    for (const Row& r : rows) {
        double lat = 0.0, lon = 0.0;
        ASSERT_EQ(course_intersection(r.lat1, r.lon1, r.c1, r.lat2, r.lon2, r.c2, &lat, &lon), 0);
        EXPECT_LT(course_gap(dist_course(r.lat1, r.lon1, lat, lon).course, r.c1), 1e-6) << r.lat1;
        EXPECT_LT(course_gap(dist_course(r.lat2, r.lon2, lat, lon).course, r.c2), 1e-6) << r.lat1;
    }
}

TEST(CourseIntersection, CoursesThatDivergeMeetOnTheFarSide) {
    // 315 from (0, 0) and 045 from (0, 10) part company; the circles cross
    // again ahead of both, half a world away.
    const double expected_lat = std::atan(std::sin(5.0 * M_PI / 180.0)) * 180.0 / M_PI;
    double lat = 0.0, lon = 0.0;
    ASSERT_EQ(course_intersection(0.0, 0.0, 315.0, 0.0, 10.0, 45.0, &lat, &lon), 0);
    EXPECT_NEAR(lat, expected_lat, 1e-9);
    EXPECT_NEAR(lon, -175.0, 1e-9);
}

TEST(CourseIntersection, NoUsableCrossingLeavesTheOutputsAlone) {
    double lat = 123.0, lon = 456.0;
    // Both courses lie on the equator's great circle.
    EXPECT_EQ(course_intersection(0.0, 0.0, 90.0, 0.0, 10.0, 270.0, &lat, &lon), -99);
    // Crossing ahead of point 1 but behind point 2.
    EXPECT_EQ(course_intersection(0.0, 0.0, 45.0, 0.0, 10.0, 135.0, &lat, &lon), -99);
    // Coincident points have no course between them.
    EXPECT_EQ(course_intersection(20.0, 20.0, 10.0, 20.0, 20.0, 100.0, &lat, &lon), -99);
    // Both on one meridian, north given once as 360 and once as 0.
    EXPECT_EQ(course_intersection(0.0, 5.0, 360.0, 10.0, 5.0, 0.0, &lat, &lon), -99);
    EXPECT_EQ(lat, 123.0);
    EXPECT_EQ(lon, 456.0);
}

TEST(CourseIntersection, North360And0AreAlike) {
    // The great circle with its vertex at (10 N, 10 E) crosses the prime
    // meridian where tan(lat) = tan(10) cos(10).
    const double k = M_PI / 180.0;
    const double expected_lat = std::atan(std::tan(10.0 * k) * std::cos(10.0 * k)) / k;
    double lat_a = 0.0, lon_a = 0.0, lat_b = 0.0, lon_b = 0.0;
    ASSERT_EQ(course_intersection(0.0, 0.0, 360.0, 10.0, 10.0, 270.0, &lat_a, &lon_a), 0);
    ASSERT_EQ(course_intersection(0.0, 0.0, 0.0, 10.0, 10.0, 270.0, &lat_b, &lon_b), 0);
    EXPECT_EQ(lat_a, lat_b);
    EXPECT_EQ(lon_a, lon_b);
    EXPECT_NEAR(lat_a, expected_lat, 1e-9);
    EXPECT_NEAR(lon_a, 0.0, 1e-9);
}

TEST(TurnArcGeometry, PlacesBearingsAroundTheDisplayCentre) {
    const double k = M_PI / 180.0;
    struct Row {
        double reference, bearing, x, y;
    } rows[] = {
        {350.0, 10.0, 200.0 + 100.0 * std::sin(20.0 * k), 200.0 - 100.0 * std::cos(20.0 * k)}, // right
        {10.0, 350.0, 200.0 - 100.0 * std::sin(20.0 * k), 200.0 - 100.0 * std::cos(20.0 * k)}, // left
        {123.0, 123.0, 200.0, 100.0},                                                          // straight up
        {30.0, 210.0, 200.0, 300.0},                                                          // straight down
        {0.0, 90.0, 300.0, 200.0},                                                            // abeam right
        {0.0, 90.5, 200.0 + 100.0 * std::sin(90.5 * k), 200.0 + 100.0 * std::cos(89.5 * k)},  // just behind
        {0.0, 225.0, 200.0 - 100.0 * std::sin(45.0 * k), 200.0 + 100.0 * std::cos(45.0 * k)}, // behind left
    };
    for (const Row& r : rows) {
        double x = 0.0, y = 0.0;
        turn_arc_geometry(r.reference, r.bearing, 200.0, 200.0, 100.0, &x, &y);
        EXPECT_NEAR(x, r.x, 1e-9) << r.reference << " " << r.bearing;
        EXPECT_NEAR(y, r.y, 1e-9) << r.reference << " " << r.bearing;
    }
    // 90.5 degrees off lies below the centre by 0.0087 of the radius.
    double x = 0.0, y = 0.0;
    turn_arc_geometry(0.0, 90.5, 0.0, 0.0, 1000.0, &x, &y);
    EXPECT_NEAR(y, 8.7, 0.05);
}

TEST(TurnArcGeometry, IntegerVariantTruncatesTowardZero) {
    int32_t x = 0, y = 0;
    turn_arc_geometry_i(350.0, 10.0, 200, 200, 100.0, &x, &y);
    EXPECT_EQ(x, 234); // 234.20
    EXPECT_EQ(y, 106); // 106.03
    turn_arc_geometry_i(0.0, 270.0, 0, 0, 10.5, &x, &y);
    EXPECT_EQ(x, -10); // -10.5 toward zero
    EXPECT_EQ(y, 0);
    // A radius far beyond the pixel range saturates instead of wrapping.
    turn_arc_geometry_i(0.0, 90.0, 0, 0, 1e12, &x, &y);
    EXPECT_EQ(x, INT32_MAX);
}

TEST(IsaInversePressureRatio, MatchesTheStandardAtmosphere) {
    EXPECT_DOUBLE_EQ(isa_inverse_pressure_ratio(0.0), 1.0);
    // ISA pressure ratio 0.6877 at 10000 ft, 0.2970 at 30000 ft.
    EXPECT_NEAR(isa_inverse_pressure_ratio(10000.0), 1.0 / 0.6877, 2e-3);
    EXPECT_NEAR(isa_inverse_pressure_ratio(30000.0), 1.0 / 0.2970, 5e-3);
    EXPECT_EQ(isa_inverse_pressure_ratio(140001.0), 0.0);
    EXPECT_GT(isa_inverse_pressure_ratio(140000.0), 0.0);
}

TEST(DmsToDegrees, SignComesFromTheFirstNonZeroPart) {
    EXPECT_FLOAT_EQ(dms_to_degrees(0, -30, 0), -0.5f);
    EXPECT_FLOAT_EQ(dms_to_degrees(-10, 30, 0), -10.5f);
    EXPECT_FLOAT_EQ(dms_to_degrees(10, -30, 0), 10.5f);
    EXPECT_FLOAT_EQ(dms_to_degrees(0, 0, -36), -0.01f);
    EXPECT_FLOAT_EQ(dms_to_degrees(47, 26, 58), 47.449444f);
    EXPECT_FLOAT_EQ(dms_to_degrees(0, 0, 0), 0.0f);
}

// The map projection by earth vectors agrees with its definition by the
// great-circle course and distance turned about the map centre, which the
// route, hold and marker layers still use: every layer stays on the others.
#include "fms/math/nav_math.h"
#include "map/map_projection.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {
MapPlacement by_course(const MapView& view, double lat, double lon) {
    MapPlacement p;
    double course = 0.0;
    gc_dist_course(view.ref_lat, view.ref_lon, lat, lon, &p.distance, &course);
    turn_arc_geometry(view.heading, course, 0.0, 0.0, p.distance * view.ppn, &p.x, &p.y);
    return p;
}
} // namespace

TEST(MapProjector, placesEveryPointWhereCourseAndDistanceDo) {
    std::mt19937 rng(7122026);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180.0, 180.0), turn(0.0, 360.0),
        unit(0.0, 1.0);
    int whole_units_differing = 0;
    for (int view_number = 0; view_number < 400; ++view_number) {
        const double range = 0.25 + 640.0 * unit(rng) * unit(rng);
        const MapView view{lat(rng), lon(rng), turn(rng), 150.0 / range};
        const MapProjector projector(view);
        for (int i = 0; i < 250; ++i) {
            double p_lat = 0.0, p_lon = 0.0;
            if (i % 2 == 0) {
                // Within a few ranges, where a map shows it.
                gc_destination_point(view.ref_lat, view.ref_lon, turn(rng), 3.0 * range * unit(rng), &p_lat,
                                     &p_lon);
            } else {
                p_lat = lat(rng);
                p_lon = lon(rng);
            }
            const MapPlacement want = by_course(view, p_lat, p_lon);
            const MapPlacement got =
                i % 4 == 0 ? place_on_map(view, p_lat, p_lon) : projector.place(earth_vector(p_lat, p_lon));
            // Both take the arc cosine of a sum near 1 close to the
            // reference, good there to some 1.3e-9 NM^2 / distance.
            const double slack_nm = 1e-9 * (1.0 + want.distance) + 4e-9 / std::max(want.distance, 1e-6);
            const double slack = slack_nm * view.ppn + 1e-9 * (1.0 + want.distance * view.ppn);
            ASSERT_NEAR(got.distance, want.distance, slack_nm) << p_lat << " " << p_lon;
            ASSERT_NEAR(got.x, want.x, slack) << p_lat << " " << p_lon << " heading " << view.heading;
            ASSERT_NEAR(got.y, want.y, slack) << p_lat << " " << p_lon << " heading " << view.heading;
            whole_units_differing += saturate_to_int(got.x + 122) != saturate_to_int(want.x + 122) ||
                                     saturate_to_int(got.y + 249) != saturate_to_int(want.y + 249);
        }
    }
    // Rounding apart, a coordinate a hair from a whole unit may fall on
    // either side of it: rarely.
    EXPECT_LE(whole_units_differing, 10);
}

TEST(MapProjector, aCourseBelowOneDegreeReadsAsNorthAsItDoesForTheOtherLayers) {
    const MapView view{47.0, -122.0, 30.0, 5.0};
    const MapProjector projector(view);
    for (const double course : {0.0, 0.5, 0.99, 1.01, 359.5, 180.0}) {
        double p_lat = 0.0, p_lon = 0.0;
        gc_destination_point(view.ref_lat, view.ref_lon, course, 20.0, &p_lat, &p_lon);
        const MapPlacement want = by_course(view, p_lat, p_lon);
        const MapPlacement got = projector.place(earth_vector(p_lat, p_lon));
        EXPECT_NEAR(got.x, want.x, 1e-9) << course;
        EXPECT_NEAR(got.y, want.y, 1e-9) << course;
    }
    // Both at the reference: the centre.
    const MapPlacement centre = projector.place(earth_vector(view.ref_lat, view.ref_lon));
    EXPECT_NEAR(centre.x, 0.0, 1e-6);
    EXPECT_NEAR(centre.y, 0.0, 1e-6);
}

TEST(MapProjector, placingPointsTogetherGivesExactlyWhatPlacingEachGives) {
    std::mt19937 rng(10122026);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180.0, 180.0), turn(0.0, 360.0),
        unit(0.0, 1.0);
    for (int view_number = 0; view_number < 200; ++view_number) {
        const double range = 0.25 + 640.0 * unit(rng) * unit(rng);
        const MapView view{lat(rng), lon(rng), turn(rng), 150.0 / range};
        const MapProjector projector(view);
        // More than one block of points: near, anywhere, due north (the
        // course read as north), the reference itself and its antipode.
        std::vector<EarthVector> points;
        for (int i = 0; i < 75; ++i) {
            double p_lat = 0.0, p_lon = 0.0;
            const double course = i % 5 == 0 ? 0.5 * unit(rng) : turn(rng);
            gc_destination_point(view.ref_lat, view.ref_lon, course, 3.0 * range * unit(rng), &p_lat, &p_lon);
            if (i % 5 == 1) p_lat = lat(rng), p_lon = lon(rng);
            if (i == 2) p_lat = view.ref_lat, p_lon = view.ref_lon;
            if (i == 3) p_lat = -view.ref_lat, p_lon = view.ref_lon + 180.0;
            points.push_back(earth_vector(p_lat, p_lon));
        }
        std::vector<MapPlacement> together(points.size());
        projector.place_all(points, together.data());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const MapPlacement alone = projector.place(points[i]);
            ASSERT_EQ(together[i].distance, alone.distance) << view_number << " " << i;
            ASSERT_EQ(together[i].x, alone.x) << view_number << " " << i;
            ASSERT_EQ(together[i].y, alone.y) << view_number << " " << i;
        }
    }
}

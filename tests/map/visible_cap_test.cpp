// The cap that passes nearby records over before they are projected: it
// never passes over a record that would show in the visible box, and it
// does pass over the far ones. And the earth vectors kept for a list's
// records, which must follow the records when the list is built again.
#include "data/nav_table.h"
#include "fms/math/nav_math.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"

#include <gtest/gtest.h>

#include <random>

TEST(VisibleCap, holdsEveryPointOfTheVisibleBoxAtEveryLatitudeHeadingAndRange) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // The MD80_EHSI's map: the visible part of the canvas about its centre.
    const VisibleBox box{-133.0, -180.0, 133.0, 28.0};
    int shown = 0, passed_over = 0;
    for (double lat = -80.0; lat <= 80.0; lat += 10.0) {
        for (const double range : {0.5, 5.0, 40.0, 160.0, 320.0}) {
            const MapView view{lat, -179.0 + 358.0 * unit(rng), 360.0 * unit(rng), 180.0 / range};
            const VisibleCap cap = visible_cap(view, box);
            ASSERT_TRUE(cap.known) << lat << " " << range;
            for (int i = 0; i < 400; ++i) {
                double p_lat = 0.0, p_lon = 0.0;
                gc_destination_point(view.ref_lat, view.ref_lon, 360.0 * unit(rng), 3.0 * range * unit(rng),
                                     &p_lat, &p_lon);
                const MapPlacement p = place_on_map(view, p_lat, p_lon);
                if (box.shows(p.x, p.y)) {
                    ++shown;
                    EXPECT_TRUE(cap.may_hold(earth_vector(p_lat, p_lon)))
                        << lat << " " << range << " " << p.x << " " << p.y;
                } else {
                    passed_over += !cap.may_hold(earth_vector(p_lat, p_lon));
                }
            }
        }
    }
    EXPECT_GT(shown, 1000);
    EXPECT_GT(passed_over, 1000);
}

TEST(KeptVectors, followTheRecordsWhenTheListIsBuiltAgain) {
    const MapView view{51.47, -0.46, 30.0, 3.0};
    NavTable<8> list;
    auto placed = [&] {
        std::vector<std::pair<double, double>> out;
        for_each_in_reach(list, view, 80.0, 50.0,
                          [&](const NavRecordView&, double x, double y) { out.emplace_back(x, y); });
        return out;
    };
    // The second build puts another position at the first place of the list.
    const std::vector<std::vector<std::pair<double, double>>> builds = {{{51.5, -0.2}, {51.9, 0.0}},
                                                                        {{51.0, -1.0}, {51.9, 0.0}}};
    for (const auto& build : builds) {
        list.clear();
        for (const auto& [lat, lon] : build)
            list.append("ID", "", lat, lon, "V");
        std::vector<std::pair<double, double>> want;
        for (const auto& [lat, lon] : build) {
            const MapPlacement p = place_on_map(view, lat, lon);
            want.emplace_back(p.x, p.y);
        }
        EXPECT_EQ(placed(), want);
        EXPECT_EQ(placed(), want); // from the kept vectors
    }
}

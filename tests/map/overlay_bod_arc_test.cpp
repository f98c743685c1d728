// The bottom-of-descent arc on the HW_B737_ND: the top of a 217-unit circle
// placed the level-off distance ahead of the aircraft symbol.
#include "overlay_fixture.h"

#include "map/map_overlays.h"

namespace {

using BodArc = OverlayTest;

TEST_F(BodArc, arcTopLiesTheLevelOffDistanceAhead) {
    aircraft_state.indicated_altitude_ft = 8000.0;
    aircraft_state.ap_altitude_lock_ft = 5000.0;
    aircraft_state.vertical_speed_fpm = -1500.0;
    aircraft_state.ground_speed_kt = 300.0;
    // 3000 ft at 1500 ft/min and 300 kt: 10 NM, 50 units at 5 units per NM.
    struct Row {
        int mode;
        double top;
    };
    for (const Row r : {Row{5, 249.0 - 50.0}, Row{6, 171.0 - 50.0}}) {
        hw_b737_nd_mode = r.mode;
        rec().clear();
        draw_bod_arc_hw_b737_nd(display_, g(), 5.0);
        const auto arcs = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_EQ(arcs[0]->color, 0xFF00FA00u);
        EXPECT_NEAR(arcs[0]->bounds.y, r.top, 0.5) << r.mode;
        EXPECT_NEAR(arcs[0]->bounds.x, 122.0 - 108.0, 0.5);
        EXPECT_NEAR(arcs[0]->bounds.width, 217.0, 0.5);
        EXPECT_EQ(arcs[0]->start_angle, 240.0f);
        EXPECT_EQ(arcs[0]->sweep_angle, 60.0f);
    }
}

TEST_F(BodArc, md11ArcUsesItsOwnScaleAndCentre) {
    aircraft_state.indicated_altitude_ft = 8000.0;
    aircraft_state.ap_altitude_lock_ft = 5000.0;
    aircraft_state.vertical_speed_fpm = -1500.0;
    aircraft_state.ground_speed_kt = 300.0;
    hw_md11_nd_range = 30.0; // 150 / 30 = 5 units per NM: 10 NM ahead is 50 units
    draw_bod_arc_hw_md11_nd(DisplayObject{240, 258}, g());
    hw_md11_nd_range = 80.0;
    const auto arcs = rec().of_kind(gfx::OpKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0]->color, 0xFF00FA00u);
    EXPECT_NEAR(arcs[0]->bounds.x, 120.0 - 75.0, 0.5);
    EXPECT_NEAR(arcs[0]->bounds.y, 178.0 - 50.0, 0.5);
    EXPECT_NEAR(arcs[0]->bounds.width, 150.0, 0.5);
    EXPECT_EQ(arcs[0]->start_angle, 220.0f);
    EXPECT_EQ(arcs[0]->sweep_angle, 100.0f);
}

} // namespace

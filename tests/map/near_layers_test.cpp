// The HW_B737_ND nearby layers over hand-made lists, drawn on a 244 x 302
// element so that one device pixel is one design unit: the aircraft symbol
// is at (122, 249) (or (122, 171) in modes 6 and 7), 215 / range units per NM.
#include "data/display_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "shared/near_layer_fixture.h"

#include <gtest/gtest.h>

namespace {

class NearLayers : public NearLayerCanvas {
  protected:
    NearLayers() : NearLayerCanvas(244, 302) {}
    void SetUp() override {
        NearLayerCanvas::SetUp();
        hw_b737_nd_mode = kB737NdModeMap;
        hw_b737_nd_range = 40.0;
    }
    double ppn() const { return 215.0 / hw_b737_nd_range; }

    DisplayObject display_{244, 302};
};

TEST_F(NearLayers, navaidsWithinTwiceTheRangePlusFiftyAreDrawnAtTheirBearing) {
    // 2 x 40 + 50 = 130 NM is the limit; at 0.5 units per NM it lies on the canvas.
    fill(local_navaids, {record_at("NEAR", "V", 360.0, 10.0), record_at("EDGE", "N", 90.0, 129.999),
                         record_at("FAR", "V", 90.0, 130.01)});
    draw_near_navaids_hw_b737_nd(display_, *graphics_, 0.5);
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"NEAR", "EDGE"}));

    // At the range's own scale: ten NM dead ahead, the symbol's anchor 3 left
    // and 4 above the point, the label 7 right and 10 above the anchor, in
    // green. EDGE, within reach but far off the canvas, is not drawn at all.
    rec().clear();
    draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"NEAR"}));
    const double y = 249.0 - 10.0 * ppn();
    const gfx::RecordedOp* label = rec().text_near(122.0f + 4.0f, float(y - 14.0), 0.5f);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->color, 0xFF00FA00u);
    const auto vor = rec().lines_in_color(0xFF00FA00);
    ASSERT_EQ(vor.size(), 1u);
    EXPECT_EQ(vor[0]->points.size(), 19u); // "V": the VOR symbol
    EXPECT_NEAR(vor[0]->points[0].x, 119.0, 0.5);
    EXPECT_NEAR(vor[0]->points[0].y, y - 4.0, 0.5);

    fill(local_navaids, {record_at("NDB", "N", 180.0, 5.0)});
    rec().clear();
    draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
    EXPECT_EQ(rec().lines_in_color(0xFF00FA00)[0]->points.size(), 7u); // other navaids: the hexagon
}

TEST_F(NearLayers, planModeWithoutRouteIsNorthUpAboutTheAircraftAtTheCentredPosition) {
    hw_b737_nd_mode = kB737NdModePlan;
    set_flown_to(kNoToWaypoint);
    aircraft_state.map_heading_deg = 90.0;
    fill(local_navaids, {record_at("NTH", "V", 360.0, 10.0)});
    draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
    EXPECT_NE(rec().text_near(126.0f, float(171.0 - 10.0 * ppn() - 14.0), 0.5f), nullptr);

    // With a route, PLAN measures from the map-step waypoint, or from the TO
    // waypoint when the step lies outside the plan.
    set_active_last(2);
    for (int i = 0; i <= 2; ++i) {
        const NavRecord r = record_at("WP", "I", 270.0, 10.0 * i);
        active_entry(i).lat = r.latitude;
        active_entry(i).lon = r.longitude;
    }
    set_flown_to(1);
    for (const int step : {2, 7}) {
        legs_map_step = step;
        rec().clear();
        draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
        const int centre = step == 2 ? 2 : 1; // the station lies 10 x centre NM east of it
        const gfx::RecordedOp* op = rec().find_text("NTH");
        ASSERT_NE(op, nullptr);
        EXPECT_NEAR(op->points[0].x, 126.0 + 10.0 * centre * ppn(), 1.0) << step;
    }
}

TEST_F(NearLayers, airportsAreCulledAtTwiceTheRangePlusTenWithFiveLetterLabels) {
    fill(close_airports, {record_at("KNEAR1", "APT", 180.0, 5.0), record_at("KFAR", "APT", 0.0, 95.0),
                          record_at("KIN", "APT", 0.0, 89.0)});
    draw_near_airports_hw_b737_nd(display_, *graphics_, 1.0);
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"KNEAR", "KIN"}));
    rec().clear();
    draw_near_airports_hw_b737_nd(display_, *graphics_, ppn());
    // 5 NM behind: a blue circle of 10 x 10 centred on the point.
    const auto circles = rec().of_kind(gfx::OpKind::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0]->color, 0xFF02A7EBu);
    EXPECT_NEAR(circles[0]->bounds.x, 117.0, 0.5);
    EXPECT_NEAR(circles[0]->bounds.y, 249.0 + 5.0 * ppn() - 5.0, 0.5);
    EXPECT_NEAR(circles[0]->bounds.width, 10.0, 0.5);
    EXPECT_NE(rec().text_near(119.0f, float(249.0 + 5.0 * ppn() - 20.0), 0.5f), nullptr);
}

TEST_F(NearLayers, airwayFixesAreBlueTrianglesWithTheirIdents) {
    fill(local_airway_fixes, {record_at("ALDER", "I", 360.0, 5.0)});
    draw_near_airway_fixes_hw_b737_nd(display_, *graphics_, ppn());
    const auto triangles = rec().lines_in_color(0xFF02A7EB);
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_EQ(triangles[0]->points.size(), 4u);
    EXPECT_EQ(rec().find_text("ALDER")->color, 0xFF02A7EBu);
}

TEST_F(NearLayers, listsAreRebuiltOnlyAfterTheAircraftMovedFarEnough) {
    fill(local_navaids, {record_at("KEEP", "V", 0.0, 5.0)});
    local_navaids_centre = ListCentre{kLat + 49.0 / 60.0, kLon}; // 49 NM north
    draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
    EXPECT_EQ(local_navaids.count(), 1);

    local_navaids_centre = ListCentre{kLat + 51.0 / 60.0, kLon}; // 51 NM: rebuilt from the (empty) wide list
    near_navaids.clear();
    draw_near_navaids_hw_b737_nd(display_, *graphics_, ppn());
    EXPECT_EQ(local_navaids.count(), 0);
    EXPECT_DOUBLE_EQ(local_navaids_centre.latitude, kLat);
}

TEST_F(NearLayers, anElementOfNoSizeDrawsNothing) {
    fill(local_navaids, {record_at("NEAR", "V", 0.0, 5.0)});
    fill(close_airports, {record_at("KNEAR", "APT", 0.0, 5.0)});
    fill(local_airway_fixes, {record_at("ALDER", "I", 0.0, 5.0)});
    for (const DisplayObject d : {DisplayObject{0, 302}, DisplayObject{244, 0}, DisplayObject{0, 0}}) {
        draw_near_navaids_hw_b737_nd(d, *graphics_, ppn());
        draw_near_airports_hw_b737_nd(d, *graphics_, ppn());
        draw_near_airway_fixes_hw_b737_nd(d, *graphics_, ppn());
    }
    EXPECT_EQ(rec().drawing_count(), 0u);
}

} // namespace

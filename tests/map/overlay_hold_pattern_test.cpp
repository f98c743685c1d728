// The holding pattern on the HW_B737_ND: a magenta racetrack at the fix, its
// outbound leg on the side of the turn, drawn from the map centre (122, 249)
// at 215 / 40 units per NM on a 244 x 302 element. At 194 kt the turns are of
// 25 degrees of bank: a radius of 1.17611 NM.
#include "overlay_fixture.h"

#include "data/c17_mfd_state.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "map/map_overlays.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPpn = 215.0 / 40.0;
constexpr double kRadiusNm = 1.17611;

class HoldPattern : public OverlayTest {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        hold_list.set_count(0);
        aircraft_state.ground_speed_kt = 194.0;
    }
    void TearDown() override {
        hold_list.set_count(0);
        OverlayTest::TearDown();
    }
    void add_hold(int turn, double inbound, double leg) {
        HoldEntry h;
        h.set_active_index(3);
        h.turn = turn;
        h.inbound_course = inbound;
        h.leg_distance = leg;
        ahead(0.0, 10.0, &h.points[0].lat, &h.points[0].lon);
        hold_list.append(h);
    }
    void draw() { draw_hold_pattern_hw_b737_nd(display_, g(), 122, 249, kPpn); }
};

TEST_F(HoldPattern, outboundLegLiesOnTheSideOfTheTurnTwoRadiiOff) {
    const double fix_y = 249.0 - 10.0 * kPpn;
    // To the map's scale across the screen and along it: one unit a pixel.
    const double L = 4.0 * kPpn, w = 2.0 * kRadiusNm * kPpn;
    struct Row {
        int turn;
        double inbound;
        double start_x, start_y, end_x, end_y; // device ends of the outbound leg
    };
    const Row rows[] = {
        {1, 0.0, 122.0 + w, fix_y, 122.0 + w, fix_y + L},  // right turns: outbound to the right
        {2, 0.0, 122.0 - w, fix_y, 122.0 - w, fix_y + L},  // left turns: to the left
        {1, 90.0, 122.0, fix_y + w, 122.0 - L, fix_y + w}, // inbound east: right is south
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.turn) + " " + std::to_string(r.inbound));
        hold_list.set_count(0);
        add_hold(r.turn, r.inbound, 4.0);
        rec().clear();
        draw();
        const auto lines = rec().lines_in_color(0xFFFF13D5);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_NEAR(lines[0]->points[1].x, 122.0, 0.5); // the inbound leg ends at the fix
        EXPECT_NEAR(lines[0]->points[1].y, fix_y, 0.5);
        EXPECT_NEAR(lines[1]->points[0].x, r.start_x, 1.0);
        EXPECT_NEAR(lines[1]->points[0].y, r.start_y, 1.0);
        EXPECT_NEAR(lines[1]->points[1].x, r.end_x, 1.0);
        EXPECT_NEAR(lines[1]->points[1].y, r.end_y, 1.0);
        const auto arcs = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(arcs.size(), 2u); // half circles the legs' distance apart
        EXPECT_EQ(arcs[1]->color, 0xFFFF13D5u);
        EXPECT_NEAR(arcs[1]->bounds.height, w, 1.0);
        EXPECT_NEAR(arcs[1]->bounds.width, w, 1.0);
    }
}

TEST_F(HoldPattern, onlyHoldEntryOneIsDrawnAndAnEmptyListDrawsNothing) {
    draw();
    EXPECT_EQ(rec().drawing_count(), 0u);
    add_hold(1, 0.0, 4.0);
    add_hold(2, 180.0, 6.0);
    draw();
    EXPECT_EQ(rec().lines_in_color(0xFFFF13D5).size(), 2u);
    EXPECT_EQ(rec().of_kind(gfx::OpKind::Arc).size(), 2u);
}

TEST_F(HoldPattern, md11DrawsFromTheTransformInForceTurnedByTheMapHeading) {
    add_hold(1, 90.0, 4.0);            // fix 10 NM north; at 5 units per NM the legs lie 2 x 5.88 apart
    aircraft_state.heading_deg = 45.0; // not used: the racetrack turns with the map
    aircraft_state.map_heading_deg = 90.0;
    const int saved_to = to_waypoint_index;
    set_flown_to(kNoToWaypoint);
    struct Row {
        int mode;
        double x, y; // device start of the outbound leg, abeam the fix
    };
    // MAP heading east: the fix lies 50 x 1.5 left and the racetrack is
    // upright, 1.5 times as wide. PLAN north up: the fix lies 50 above and the
    // racetrack turns east.
    const double w = 2.0 * kRadiusNm * 5.0;
    const Row rows[] = {{3, 100.0 - 75.0 + 1.5 * w, 100.0}, {2, 100.0, 100.0 - 50.0 + w}};
    for (const Row& r : rows) {
        hw_md11_nd_mode = r.mode;
        rec().clear();
        g().reset_transform();
        g().translate_transform(100.0f, 100.0f);
        draw_hold_pattern_hw_md11_nd(g(), 0, 0, 1.5, 1.0, 5.0);
        const auto lines = rec().lines_in_color(0xFFFF13D5);
        ASSERT_EQ(lines.size(), 2u) << r.mode;
        // Whole units of the frame 1.5 wide.
        EXPECT_NEAR(lines[1]->points[0].x, r.x, 1.5) << r.mode;
        EXPECT_NEAR(lines[1]->points[0].y, r.y, 1.5) << r.mode;
        EXPECT_EQ(lines[1]->pen_width * 1.5f, 3.0f); // in the frame 1.5 wide: twice the horizontal scale
    }
    hw_md11_nd_mode = kMd11NdModeMap;
    set_flown_to(saved_to);
}

// The inbound course is magnetic and every map is drawn to true directions:
// with the variation 18 and the magnetic course 18 less, the racetrack holds
// on the same leg and each display draws it where it drew it without a
// variation, in its heading-up and its north-up formats.
TEST_F(HoldPattern, racetrackFollowsTheTrueInboundCourseOnEveryMap) {
    set_flown_to(kNoToWaypoint); // the plan formats centre on the aircraft
    const double ppn = 5.0;
    struct Row {
        const char* display;
        std::function<void(double map_up)> draw; // map_up 0 draws the north-up format
    };
    const Row rows[] = {
        {"HW_B737_ND", [&](double) { draw_hold_pattern_hw_b737_nd(display_, g(), 122, 249, ppn); }},
        {"P1000_MFD", [&](double) { draw_hold_pattern_p1000_mfd(display_, g(), 134, 148, ppn); }},
        {"PROLINE4_MFD",
         [&](double up) {
             proline4_mfd_mode = up == 0.0 ? kProline4ModePlanText : kProline4ModeMap;
             draw_hold_pattern_proline4_mfd(display_, g(), 0, 0, ppn);
         }},
        {"HW_MD11_ND",
         [&](double up) {
             hw_md11_nd_mode = up == 0.0 ? kMd11NdModePlan : kMd11NdModeMap;
             draw_hold_pattern_hw_md11_nd(g(), 0, 0, 1.5, 1.0, ppn);
         }},
        {"MD80_EHSI",
         [&](double up) {
             md80_ehsi_mode = up == 0.0 ? kEhsiModePlan : kEhsiModeMap;
             draw_hold_pattern_md80_ehsi(g(), 0, 0, 1.0, 1.5, ppn);
         }},
        {"DU_1000_EHSI",
         [&](double up) {
             du_1000_ehsi_mode = up == 0.0 ? kEhsiModePlan : kEhsiModeMap;
             draw_hold_pattern_du_1000_ehsi(g(), kLat, kLon, 234, 40.0, 1.0, 1.0, up);
         }},
        {"C17_MFD",
         [&](double up) {
             c17_mfd_format = up == 0.0 ? kC17FormatPlan : kC17FormatMapWideArc;
             draw_hold_pattern_c17_mfd(g(), 1.0, 1.0, kLat, kLon, up, ppn);
         }},
    };
    // The magenta lines and arc boxes drawn with the variation given, the
    // aircraft heading 030 true.
    auto racetrack = [&](const Row& row, double up, double magvar) {
        hold_list.set_count(0);
        add_hold(1, 100.0 - magvar, 4.0);
        aircraft_state.magvar = magvar;
        aircraft_state.map_heading_deg = 30.0;
        aircraft_state.heading_deg = 30.0 - magvar;
        rec().clear();
        g().reset_transform();
        row.draw(up == 0.0 ? 0.0 : 30.0);
        std::vector<gfx::PointF> points;
        for (const gfx::RecordedOp& op : rec().ops)
            if (op.color == 0xFFFF13D5u) points.insert(points.end(), op.points.begin(), op.points.end());
        return points;
    };
    for (const Row& row : rows) {
        for (const double up : {30.0, 0.0}) {
            SCOPED_TRACE(std::string(row.display) + (up == 0.0 ? " north up" : " heading up"));
            const std::vector<gfx::PointF> without = racetrack(row, up, 0.0);
            const std::vector<gfx::PointF> with = racetrack(row, up, 18.0);
            ASSERT_EQ(without.size(), 12u); // two lines and two arc boxes
            ASSERT_EQ(with.size(), without.size());
            for (std::size_t i = 0; i < with.size(); ++i) {
                EXPECT_NEAR(with[i].x, without[i].x, 0.01) << i;
                EXPECT_NEAR(with[i].y, without[i].y, 0.01) << i;
            }
        }
    }
}

} // namespace

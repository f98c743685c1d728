// TOC and TOD markers in the HW_B737_ND style (code 8), drawn about
// (122, 249) with unit scales on the 244 x 302 surface: 215 / 40 units per NM.
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "overlay_fixture.h"
#include "shared/profile_points.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "map/map_overlays.h"

#include <cmath>

namespace {

constexpr double kTocPpn = 215.0 / 40.0;

class TocTodMarkers : public OverlayTest {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        cruise_altitude = 30000;
        vnav_phase = VnavPhase::Climb;
        descent_speed_phase = kDescentSpeedPhaseOff;
        vnav_engaged = 0;
        ShowFloatingTodBodIndicators = 0;
        ahead(0.0, 10.0, &toc_lat, &toc_lon);
        ahead(0.0, 30.0, &tod_lat, &tod_lon);
        show_tod_at(tod_lat, tod_lon);
        // Plan: the aircraft's place, the TO waypoint 20 NM north, a
        // constrained waypoint 40 NM north.
        set_active_last(2);
        for (int i = 0; i <= 2; ++i) {
            active_entry(i) = RouteWaypoint{};
            active_entry(i).ident = "WPT" + std::to_string(i);
            ahead(0.0, 20.0 * i, &active_entry(i).lat, &active_entry(i).lon);
        }
        set_flown_to(1);
        vertical_target_cursor.move_to(2);
        course_to_to_deg = 0.0;
        vertical_target_altitude = 10000.0;
        vertical_target_lat = active_plan[2].lat;
        vertical_target_lon = active_plan[2].lon;
        descent_rate_used_fpm = 1500.0;
        descent_tas_target = 300.0;
    }
    void TearDown() override {
        cruise_altitude = 0;
        descent_speed_phase = kDescentSpeedPhaseOff;
        set_active_last(-1);
        set_flown_to(kNoToWaypoint);
        OverlayTest::TearDown();
    }
    void draw() { draw_tod_toc_markers(g(), 215, 40.0, 122, 249, 8, 1.0, 1.0, kLat, kLon, 0.0); }
    double y_at(double nm) const { return 249.0 - nm * kTocPpn; }
};

TEST_F(TocTodMarkers, plannedMarkersAreGreenRingsLabelledTcWhileClimbingAndTd) {
    draw();
    const gfx::RecordedOp* tc = rec().find_text("T/C");
    const gfx::RecordedOp* td = rec().find_text("T/D");
    ASSERT_NE(tc, nullptr);
    ASSERT_NE(td, nullptr);
    EXPECT_EQ(tc->color, 0xFF00FA00u);
    EXPECT_NEAR(tc->points[0].x, 130.0, 0.5);
    EXPECT_NEAR(tc->points[0].y, std::trunc(y_at(10.0)) - 7.0, 0.5);
    EXPECT_NEAR(td->points[0].y, std::trunc(y_at(30.0)) - 7.0, 0.5);
    const auto rings = rec().of_kind(gfx::OpKind::Ellipse);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0]->color, 0xFF5BE5A7u);
    EXPECT_NEAR(rings[0]->bounds.x, 119.0, 0.5);
    EXPECT_NEAR(rings[0]->bounds.width, 6.0, 0.5);
    EXPECT_TRUE(rec().fills_in_color(0xFFE9B73E).empty()); // floating indicators off

    // The T/C stays through the cruise; once the descent begins only T/D;
    // without a cruise altitude nothing.
    vnav_phase = VnavPhase::Cruise;
    rec().clear();
    draw();
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"T/C", "T/D"}));
    descent_speed_phase = kDescentSpeedPhaseOn;
    rec().clear();
    draw();
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"T/D"}));
    cruise_altitude = 0;
    rec().clear();
    draw();
    EXPECT_EQ(rec().drawing_count(), 0u);
}

TEST_F(TocTodMarkers, floatingTodLiesBackAlongTheRouteOrBehindTheToWaypoint) {
    ShowFloatingTodBodIndicators = 1;
    cruise_altitude = 0;
    vnav_phase = VnavPhase::Cruise;
    // 3000 ft at 1500 ft/min and 300 kt: 10 NM before the constraint (30 NM
    // north); 6000 ft: 20 NM, which is the TO waypoint; 9000 ft: 30 NM, 10
    // NM back from the TO waypoint towards the aircraft, on the leg into it
    // also while the aircraft heads for the TO across it (the profile's
    // legs, not the course to the TO).
    struct Row {
        double above;
        double nm_north;
        double course_to_to;
    };
    for (const Row r :
         {Row{3000.0, 30.0, 0.0}, Row{6000.0, 20.0, 0.0}, Row{9000.0, 10.0, 0.0}, Row{9000.0, 10.0, 30.0}}) {
        course_to_to_deg = r.course_to_to;
        aircraft_state.indicated_altitude_ft = 10000.0 + r.above;
        rec().clear();
        draw();
        const auto dots = rec().fills_in_color(0xFFE9B73E);
        ASSERT_EQ(dots.size(), 2u) << r.above; // floating TOD, level-off point
        EXPECT_NEAR(dots[0]->bounds.x, 118.0, 0.5) << r.course_to_to;
        EXPECT_NEAR(dots[0]->bounds.y, std::trunc(y_at(r.nm_north)) - 5.0, 1.0) << r.above;
        const gfx::RecordedOp* tod = rec().find_text("[TOD]");
        ASSERT_NE(tod, nullptr);
        EXPECT_NEAR(tod->points[0].x, 122.0 - 37.0, 0.5);
        const gfx::RecordedOp* level = rec().find_text("[10000]");
        ASSERT_NE(level, nullptr);
        EXPECT_NEAR(level->points[0].y, std::trunc(y_at(40.0)) - 8.0, 0.5);
    }

    course_to_to_deg = 0.0;

    // A descent rate of 0 or below gives no floating TOD.
    for (const double rate : {0.0, -1500.0, -0.001}) {
        descent_rate_used_fpm = rate;
        rec().clear();
        draw();
        EXPECT_EQ(rec().find_text("[TOD]"), nullptr) << rate;
        EXPECT_NE(rec().find_text("[10000]"), nullptr) << rate;
    }
    descent_rate_used_fpm = 1500.0;

    // 400 ft above the level-off: no floating TOD; 600 ft: drawn.
    for (const double above : {400.0, 600.0}) {
        aircraft_state.indicated_altitude_ft = 10000.0 + above;
        rec().clear();
        draw();
        EXPECT_EQ(rec().find_text("[TOD]") != nullptr, above > 500.0);
    }

    // A discontinuity before the constraint (it reads 0N 0E) adds no leg:
    // 3000 ft above still puts the point 10 NM before the constraint.
    active_entry(3) = active_plan[2];
    active_entry(2) = RouteWaypoint{};
    make_marker(active_entry(2), EntryKind::Gap);
    set_active_last(3);
    vertical_target_cursor.move_to(3);
    aircraft_state.indicated_altitude_ft = 13000.0;
    rec().clear();
    draw();
    const auto dots = rec().fills_in_color(0xFFE9B73E);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_NEAR(dots[0]->bounds.x, 118.0, 0.5);
    EXPECT_NEAR(dots[0]->bounds.y, std::trunc(y_at(30.0)) - 5.0, 1.0);
}

TEST_F(TocTodMarkers, levelOffLabelFollowsThePhaseAndVnav) {
    ShowFloatingTodBodIndicators = 1;
    aircraft_state.indicated_altitude_ft = 5000.0; // below: no floating TOD
    vertical_target_altitude = 30000.0;
    struct Row {
        int toc_passed, descending, tod_passed, vnav;
        const char* label; // "" no label
    };
    // The label follows the descent phase, not the top of climb passed.
    const Row rows[] = {{0, 0, 0, 0, "[TOC]"}, {0, 0, 0, 1, ""},      {1, 0, 0, 0, "[TOC]"},
                        {0, 1, 0, 0, "[TOD]"}, {1, 1, 0, 0, "[TOD]"}, {1, 1, 1, 0, "[30000]"}};
    for (const Row& r : rows) {
        vnav_phase = r.tod_passed == 1   ? VnavPhase::Descent
                     : r.toc_passed == 1 ? VnavPhase::Cruise
                                         : VnavPhase::Climb;
        descent_speed_phase = r.descending == 1 ? kDescentSpeedPhaseOn : kDescentSpeedPhaseOff;
        vnav_engaged = r.vnav;
        rec().clear();
        draw();
        EXPECT_EQ(rec().fills_in_color(0xFFE9B73E).size(), 1u);
        std::vector<std::string> amber;
        for (const gfx::RecordedOp* op : rec().of_kind(gfx::OpKind::String))
            if (op->color == 0xFFE9B73E) amber.push_back(op->text);
        const std::vector<std::string> want =
            *r.label ? std::vector<std::string>{r.label} : std::vector<std::string>{};
        EXPECT_EQ(amber, want) << r.label;
    }
    // With VNAV on a number stands right of the point.
    vnav_engaged = 1;
    vertical_target_altitude = 12000.0;
    rec().clear();
    draw();
    const gfx::RecordedOp* label = rec().find_text("[12000]");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->points[0].x, 129.0, 0.5);
    // VNAV on and the level-off point at the top of climb: no amber marker.
    vertical_target_lat = toc_lat;
    vertical_target_lon = toc_lon;
    rec().clear();
    draw();
    EXPECT_TRUE(rec().fills_in_color(0xFFE9B73E).empty());
    vnav_engaged = 0;
}

} // namespace

// The P1000_MFD render pass for the stand-in aircraft on the example route,
// in a 272 x 314 surface (one pixel per design unit): the partial redraw,
// the two map formats and their gates, the map pieces and the data block.
#include "nd_fixture.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/guidance/route_progress.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/holds.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/update_counters.h"
#include "nd/p1000_mfd_painters.h"

#include <cmath>
#include <numbers>

namespace {

constexpr gfx::Argb kP1000Blue = 0xFF02A7EB;

class P1000Mfd : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(272, 314, gfx::SurfaceCairo | gfx::SurfaceRecording);
    }
    void TearDown() override {
        p1000_mfd_plan_mode = kP1000PlanModeOff;
        p1000_map_centre_y = 148;
        p1000_map_radius = 53;
        p1000_mfd_range = 12.5;
        p1000_controller_present = 0;
        p1000_mfd_page = kP1000PageMain;
        tcas_display_on = 0;
        show_airports_flags[ND_P1000] = show_navaids_flags[ND_P1000] = 0;
        DrawBodArcOnP1000MFD = 0;
        hold_list.set_count(0);
        vertical_target_lat = vertical_target_lon = vertical_target_altitude = 0.0;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int counter = 0, void* dc = nullptr) {
        display_refresh_counter = counter;
        rec().clear();
        render_p1000_mfd(dc != nullptr ? dc : dc_, PixelSize{272, 314}, RENDER_MODE_DRAW);
        return rec();
    }
    static std::string all_texts(const gfx::Recording& r) {
        std::string all;
        for (const std::string& t : r.texts())
            all += t + "|";
        return all;
    }
    static bool has(const gfx::Recording& r, const char* text) { return r.find_text(text) != nullptr; }
    static const gfx::RecordedOp* text_at(const gfx::Recording& r, const char* text) {
        return r.find_text(text);
    }
};

TEST_F(P1000Mfd, fullFillOnlyWhileTheCounterIsBelowTwoAndPartialFramesKeepTheRest) {
    for (int counter : {0, 1, 2, 91}) {
        SCOPED_TRACE(counter);
        int whole = 0, polygons = 0;
        for (const gfx::RecordedOp* op : draw(counter).fills_in_color(0xFF000000)) {
            whole += op->kind == gfx::OpKind::Rectangle && op->bounds.width == 272.0f &&
                     op->bounds.height == 314.0f;
            polygons +=
                op->kind == gfx::OpKind::Polygon && (op->points.size() == 18 || op->points.size() == 17);
        }
        EXPECT_EQ(whole, counter < 2 ? 1 : 0);
        EXPECT_EQ(polygons, counter < 2 ? 0 : 2);
    }
    // "HDG" is drawn on full frames only, outside the map areas: the
    // surface keeps it through partial frames.
    draw(0);
    const gfx::RecordedOp* hdg = nullptr;
    draw(0);
    hdg = text_at(rec(), "HDG");
    ASSERT_NE(hdg, nullptr);
    auto lit = [&] {
        int n = 0;
        for (int x = 0; x < 30; ++x)
            for (int y = 193; y < 205; ++y)
                n += (gfx::surface_pixel(dc_, x, y) & 0xFFFFFF) != 0;
        return n;
    };
    const int before = lit();
    EXPECT_GT(before, 10);
    EXPECT_FALSE(has(draw(5), "HDG"));
    EXPECT_EQ(lit(), before);
}

TEST_F(P1000Mfd, northUpScalesSixUnitsPerNmAndLeavesTheMapHeadingToOtherDisplays) {
    aircraft_state.map_heading_deg = 221.0;
    struct Row {
        int plan;
        double ppn;
    };
    for (const Row row : {Row{1, 6.0}, Row{0, 53.0 / 12.5}}) {
        SCOPED_TRACE(row.plan);
        p1000_mfd_plan_mode = row.plan;
        p1000_map_centre_y = 148; // as the format key leaves them; north-up moves them itself
        p1000_map_radius = 53;
        draw();
        EXPECT_EQ(aircraft_state.map_heading_deg, 221.0); // restored for the next display
        // The waypoint after the TO: its distance from the map's reference
        // over its distance on the screen (eighth pixels).
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        const RouteWaypoint& next = active_plan[to_waypoint_index + 1];
        double nm = 0.0, course = 0.0;
        if (row.plan == 1)
            gc_dist_course(to.lat, to.lon, next.lat, next.lon, &nm, &course);
        else
            gc_dist_course(aircraft_state.plat, aircraft_state.plon, next.lat, next.lon, &nm, &course);
        const P1000ScreenPoint p = p1000_route_points[to_waypoint_index + 1];
        const double cx = 134 * 8.0, cy = (row.plan == 1 ? 116 : 148) * 8.0;
        EXPECT_NEAR(std::hypot(p.x - cx, p.y - cy) / 8.0 / nm, row.ppn, 0.02);
    }
    // The plan map turns north up inside the pass only: a heading-up display
    // drawn next in the same frame still turns.
    p1000_mfd_plan_mode = kP1000PlanModeNorthUp;
    draw();
    void* nd = gfx::create_surface_dc(244, 302, gfx::SurfaceRecording);
    render_hw_b737_nd(nd, PixelSize{244, 302}, RENDER_MODE_DRAW);
    EXPECT_EQ(aircraft_state.map_heading_deg, 221.0);
    gfx::destroy_surface_dc(nd);
}

TEST_F(P1000Mfd, fixInfoAndTopOfClimbMeasureFromTheMapsReference) {
    // A FIX INFO ring on the TO waypoint and the top of climb at the waypoint after it.
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    const RouteWaypoint& next = active_plan[to_waypoint_index + 1];
    fix_info[1].ident = to.ident;
    fix_info[1].lat = to.lat;
    fix_info[1].lon = to.lon;
    vnav_engaged = 1;
    cruise_altitude = 30000;
    toc_lat = next.lat;
    toc_lon = next.lon;
    distance_to_destination = 300.0;
    struct Row {
        int plan;
        double ref_lat, ref_lon, up, cy, ppn;
    };
    const AircraftState& a = aircraft_state;
    for (const Row row : {Row{1, to.lat, to.lon, 0.0, 116.0, 6.0},
                          Row{0, a.plat, a.plon, a.map_heading_deg, 148.0, 53.0 / 12.5}}) {
        SCOPED_TRACE(row.plan);
        p1000_mfd_plan_mode = row.plan;
        p1000_map_centre_y = 148;
        p1000_map_radius = 53;
        auto at = [&](double lat, double lon) {
            double nm = 0.0, course = 0.0;
            gc_dist_course(row.ref_lat, row.ref_lon, lat, lon, &nm, &course);
            const double r = (course - row.up) * std::numbers::pi / 180.0;
            return gfx::PointF{float(134.0 + nm * row.ppn * std::sin(r)),
                               float(row.cy - nm * row.ppn * std::cos(r))};
        };
        const gfx::Recording& r = draw();
        const gfx::PointF fix = at(to.lat, to.lon);
        bool ring = false;
        for (const gfx::RecordedOp* e : r.of_kind(gfx::OpKind::Ellipse))
            ring |= e->color == 0xFF5BE5A7 && std::fabs(e->bounds.x + 8.0f - fix.x) < 1.5f &&
                    std::fabs(e->bounds.y + 8.0f - fix.y) < 1.5f;
        EXPECT_TRUE(ring);
        const gfx::PointF top = at(next.lat, next.lon);
        const gfx::RecordedOp* toc = r.find_text("[TOC]");
        ASSERT_NE(toc, nullptr);
        EXPECT_NEAR(toc->points[0].x, top.x - 37.0f, 1.5f);
        EXPECT_NEAR(toc->points[0].y, top.y - 8.0f, 1.5f);
    }
    clear_fix_info(0);
}

TEST_F(P1000Mfd, levelOffDotOnlyWhereAVerticalTargetLies) {
    // No planned markers and no floating TOD: the only amber dot is the
    // level-off point's.
    distance_to_destination = 300.0;
    cruise_altitude = 0;
    vertical_target_altitude = 40000.0;
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    auto dots = [&](double lat, double lon) {
        vertical_target_lat = lat;
        vertical_target_lon = lon;
        return draw().fills_in_color(0xFFE9B73E).size();
    };
    const std::size_t none = dots(0.0, 0.0);
    EXPECT_EQ(dots(to.lat, to.lon), none + 1);
}

// Flown past the last waypoint of a route without its destination, LNAV off:
// the vertical target has no altitude, and no marker shows the sentinel.
TEST_F(P1000Mfd, noLevelOffMarkerForATargetWithoutAnAltitude) {
    std::vector<PlanPoint> route(kExampleRoute.begin(), kExampleRoute.begin() + 4);
    route.push_back({"", 0.0, 0.0}); // the destination still to be entered
    write_active_plan(route);
    cruise_altitude = 16000;
    update(9000);
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "NISQL");
    ASSERT_GT(distance_to_destination, 8.0); // the markers are drawn
    // The descent now ends at the route's end; a target still without an
    // altitude (nothing constrained ahead) must show no sentinel either.
    vertical_target_altitude = kNoConstraint;
    const std::string texts = all_texts(draw());
    EXPECT_EQ(texts.find("999"), std::string::npos) << texts;
    EXPECT_EQ(texts.find("[TOD]"), std::string::npos) << texts;
}

TEST_F(P1000Mfd, layerGates) {
    show_airports_flags[ND_P1000] = 1;
    // The level-off marker ("[TOC]" at the cruise altitude) at the TO waypoint.
    vertical_target_lat = active_plan[to_waypoint_index].lat;
    vertical_target_lon = active_plan[to_waypoint_index].lon;
    struct Row {
        double range;
        double to_go;
        bool airports, markers;
    };
    const Row rows[] = {{80.0, 300.0, true, true}, {160.0, 300.0, false, true}, {40.0, 8.0, true, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.range);
        p1000_mfd_range = row.range;
        distance_to_destination = row.to_go;
        const gfx::Recording& r = draw();
        SCOPED_TRACE(all_texts(r));
        EXPECT_EQ(has(r, "KPWT"), row.airports);
        EXPECT_EQ(has(r, "[TOC]") || has(r, "T/D"), row.markers);
    }
}

// Runway labels at short range only, and only without a controller.
TEST_F(P1000Mfd, runwayLabelsAtShortRangeWithoutAController) {
    AirportRunwayListEntry rwy;
    rwy.designator = "16";
    rwy.latitude = aircraft_state.plat;
    rwy.longitude = aircraft_state.plon;
    rwy.length_ft = 6076;
    rwy.magnetic_heading = rwy.localizer_course = 160.0;
    airport_runway_list.set_count(0);
    airport_runway_list.append(rwy);
    struct Row {
        double range;
        int controller;
        bool label;
    };
    for (const Row row : {Row{2.5, 0, true}, Row{5.0, 0, false}, Row{2.5, 1, false}}) {
        SCOPED_TRACE(row.range * 10 + row.controller);
        p1000_mfd_range = row.range;
        p1000_controller_present = row.controller;
        EXPECT_EQ(has(draw(), "16"), row.label);
    }
    airport_runway_list.set_count(0);
}

TEST_F(P1000Mfd, holdAndLevelOffArcOnlyInTheHeadingUpFormat) {
    HoldEntry h;
    h.set_active_index(3);
    h.turn = 1;
    h.leg_distance = 4.0;
    h.inbound_course = 221.0;
    for (HoldPoint& p : h.points)
        p.lat = kExampleRoute[3].lat, p.lon = kExampleRoute[3].lon;
    hold_list.set_count(0);
    hold_list.append(h);
    DrawBodArcOnP1000MFD = 1;
    for (int plan : {0, 1}) {
        SCOPED_TRACE(plan);
        p1000_mfd_plan_mode = plan;
        AircraftState& a = aircraft_state;
        a.snap_token_103 = a.snap_token_108 = 1.0;
        a.indicated_altitude_ft = 8000.0;
        a.ap_altitude_lock_ft = 5000.0;
        a.vertical_speed_fpm = -1500.0;
        int turns = 0, arcs = 0;
        for (const gfx::RecordedOp* arc : draw().of_kind(gfx::OpKind::Arc)) {
            turns += arc->sweep_angle == 180.0f;
            arcs += arc->start_angle == 220.0f && arc->sweep_angle == 100.0f;
        }
        EXPECT_EQ(turns > 0, plan == 0);
        EXPECT_EQ(arcs, plan == 0 ? 1 : 0);
    }
}

TEST_F(P1000Mfd, trafficWindowCutsBothMapClipsAtItsTop) {
    tcas_display_on = 1;
    const gfx::Recording& r = draw();
    // Above the window (x 42 to 219) no map clip reaches below y 172.
    int clips = 0;
    for (const gfx::RecordedOp* clip : r.of_kind(gfx::OpKind::SetClip)) {
        if (clip->points.size() < 8) continue; // the window's own clips
        ++clips;
        for (const gfx::PointF& p : clip->points) {
            if (p.x > 42.0f && p.x < 219.0f) {
                EXPECT_LE(p.y, 172.0f);
            }
        }
    }
    EXPECT_GE(clips, 3);
    const gfx::RecordedOp* label = text_at(r, "TCAS");
    ASSERT_NE(label, nullptr);
    float left = 1e9f, right = 0, top = 1e9f, bottom = 0;
    for (const gfx::RecordedOp* l : r.lines_in_color(0xFFDEE6E9)) {
        if (l->pen_width != 2.0f || l->clip < 0 || l->bounds.y < 170.0f) continue;
        left = std::min(left, l->bounds.x), right = std::max(right, l->bounds.x + l->bounds.width);
        top = std::min(top, l->bounds.y), bottom = std::max(bottom, l->bounds.y + l->bounds.height);
    }
    EXPECT_EQ(left, 40.0f);
    EXPECT_EQ(right, 222.0f);
    EXPECT_EQ(top, 171.0f);
    EXPECT_EQ(bottom, 272.0f);

    DrawTcasWindowOnP1000MFD = 0;       // traffic on, window not wanted
    EXPECT_FALSE(has(draw(5), "TCAS")); // a partial frame: no soft-key legends
    DrawTcasWindowOnP1000MFD = 1;
}

TEST_F(P1000Mfd, roseTicksAndOffScaleBugArrow) {
    aircraft_state.heading_deg = 350.0;
    int ticks = 0, long_ticks = 0;
    for (const gfx::RecordedOp* l : draw().lines_in_color(0xFFDEE6E9)) {
        if (l->pen_width != 2.5f) continue;
        ++ticks;
        // Each hangs from the ring at radius 121.5 about (134, 148.5): 15.5 or 8.5 long.
        const double outer = std::hypot(l->points[1].x - 134.0, l->points[1].y - 148.5);
        const double length = std::hypot(l->points[1].x - l->points[0].x, l->points[1].y - l->points[0].y);
        EXPECT_NEAR(outer, 121.5, 1.0);
        long_ticks += std::fabs(length - 15.5) < 1.0;
        EXPECT_TRUE(std::fabs(length - 15.5) < 1.0 || std::fabs(length - 8.5) < 1.0) << length;
    }
    EXPECT_EQ(ticks, 14 + 11);    // 290 .. 355 and 0 .. 50
    EXPECT_EQ(long_ticks, 7 + 6); // the tens

    struct Row {
        double bug;
        int controller;
        bool arrow;
    };
    aircraft_state.heading_deg = 0.0;
    for (const Row row : {Row{280, 1, true}, Row{300, 1, false}, Row{280, 0, false}}) {
        SCOPED_TRACE(row.bug);
        aircraft_state.heading_bug_deg = row.bug;
        p1000_controller_present = row.controller;
        const gfx::RecordedOp* arrow = nullptr;
        for (const gfx::RecordedOp* l : draw().lines_in_color(kP1000Blue))
            if (l->pen_width == 3.0f) arrow = l;
        ASSERT_EQ(arrow != nullptr, row.arrow);
        if (arrow != nullptr) {
            EXPECT_NEAR(arrow->points[0].x, 40.0f, 0.01f);
            EXPECT_NEAR(arrow->points[0].y, 60.0f, 0.01f);
        }
    }
}

TEST_F(P1000Mfd, dataBlockValues) {
    struct Row {
        double ap_altitude, bug;
        const char* altitude;
        const char* heading;
    };
    const Row rows[] = {{35000, 0, "350", "360"}, {950, 5, "009", "005"}, {-150, 360, "-01", "360"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.altitude);
        aircraft_state.ap_altitude_lock_ft = row.ap_altitude;
        aircraft_state.heading_bug_deg = row.bug;
        const gfx::Recording& r = draw();
        const gfx::RecordedOp* alt = text_at(r, row.altitude);
        ASSERT_NE(alt, nullptr) << all_texts(r);
        EXPECT_EQ(alt->points[0].x, 220.0f);
        EXPECT_EQ(alt->points[0].y, 290.0f);
        EXPECT_EQ(alt->font_family, "HW Arial");
        EXPECT_EQ(alt->font_size, 14.0f);
        EXPECT_EQ(alt->font_style, gfx::FontStyle::Bold);
        EXPECT_EQ(alt->color, kP1000Blue);
        EXPECT_NE(text_at(r, row.heading), nullptr);
    }
}

TEST_F(P1000Mfd, distanceAndTimeAlignRightByLength) {
    struct Row {
        double distance, ground_speed;
        const char* distance_text;
        float distance_x;
        const char* time_text;
        float time_x;
    };
    const Row rows[] = {{1234.5, 0.0, "1234.5", 194, "0", 229},
                        {70.0, 600.0, "70.0", 210, "7", 229},
                        {123456.0, 100.0, "123456.0", 187, "74074", 206}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.distance_text);
        distance_to_to_nm = row.distance;
        aircraft_state.ground_speed_kt = row.ground_speed;
        const gfx::Recording& r = draw();
        const gfx::RecordedOp* d = text_at(r, row.distance_text);
        const gfx::RecordedOp* t = text_at(r, row.time_text);
        ASSERT_NE(d, nullptr) << all_texts(r);
        ASSERT_NE(t, nullptr) << all_texts(r);
        EXPECT_EQ(d->points[0].x, row.distance_x);
        EXPECT_EQ(t->points[0].x, row.time_x);
    }
}

TEST_F(P1000Mfd, vnavPageFields) {
    p1000_controller_present = 1;
    p1000_mfd_page = kP1000PageVnav;
    p1000_vnav_distance_nm = 12.0;
    p1000_vnav_distance_select = 2;
    p1000_vnav_elevation_ft = 3000.0;
    const gfx::Recording& r = draw();
    auto below = [&](const char* legend, const char* value) {
        const gfx::RecordedOp* l = text_at(r, legend);
        const gfx::RecordedOp* v = text_at(r, value);
        ASSERT_NE(l, nullptr) << legend << " in " << all_texts(r);
        ASSERT_NE(v, nullptr) << value << " in " << all_texts(r);
        EXPECT_EQ(v->points[0].y - l->points[0].y, 15.0f);
        EXPECT_LE(std::abs(v->points[0].x - l->points[0].x), 5.0f);
    };
    below("FM", "[12]");
    below("ST EL", "3000");
    below("VANG", "---");
    p1000_vnav_distance_nm = p1000_vnav_elevation_ft = 0.0;
    p1000_vnav_distance_select = 0;
    p1000_vnav_angle_select = 1;
    FPA = 3.0;
    draw();
    below("VANG", "[3.0]");
    below("TO", "---");
}

// Two placed P1000 gauges: each surface repaints a changed value on its next
// partial frame, whichever surface was drawn first.
TEST_F(P1000Mfd, toIdentifierFollowsThePlanOnTheNextFrame) {
    // The identifier box at (220, 26): painted when it changes, else kept.
    auto box = [](const gfx::Recording& r) {
        for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::String))
            if (op->points[0].x == 220.0f && op->points[0].y == 26.0f) return op->text;
        return std::string("<none>");
    };
    EXPECT_EQ(box(draw(0)), "NISQL");
    EXPECT_EQ(box(draw(5)), "<none>");
    set_flown_to(4); // a direct-to or a sequencing between full redraws
    EXPECT_EQ(box(draw(6)), "OLM");
    EXPECT_EQ(box(draw(7)), "<none>");
}

TEST_F(P1000Mfd, partialFramesRepaintWhatEachSurfaceLastShowed) {
    void* second = gfx::create_surface_dc(272, 314, gfx::SurfaceRecording);
    aircraft_state.true_airspeed_est_kt = 300.0;
    draw(0);
    draw(0, second);
    aircraft_state.true_airspeed_est_kt = 310.0;
    EXPECT_TRUE(has(draw(5), "310"));
    gfx::surface_recording(second)->clear();
    render_p1000_mfd(second, PixelSize{272, 314}, RENDER_MODE_DRAW);
    EXPECT_NE(gfx::surface_recording(second)->find_text("310"), nullptr);
    EXPECT_FALSE(has(draw(6), "310")); // unchanged since this surface showed it
    gfx::destroy_surface_dc(second);
}

} // namespace

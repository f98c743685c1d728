// The PROLINE4_MFD render pass for the stand-in aircraft on the example
// route, in a 247 x 285 surface (one pixel per design unit): the four pages,
// the progress table and the map layer.
#include "nd_fixture.h"
#include "shared/profile_points.h"

#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "map/palette.h"
#include "nd/proline4_mfd_painters.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr gfx::Argb kPl4Cyan = 0xFF02A7EB;
constexpr gfx::Argb kPl4Magenta = 0xFFFF13D5;

class Proline4Mfd : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(247, 285, gfx::SurfaceCairo | gfx::SurfaceRecording);
    }
    void TearDown() override {
        proline4_mfd_mode = kProline4ModeMap;
        proline4_mfd_range = 40.0;
        proline4_map_radius_px = 140;
        proline4_mfd_brg1_source = proline4_mfd_brg2_source = 0;
        proline4_mfd_show_ndbs = 0;
        show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] = 0;
        show_airway_fixes_flags[ND_PROLINE4] = 0;
        WeightUnit = "LBS";
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int page, double range = 40.0) {
        proline4_mfd_mode = page;
        proline4_mfd_range = range;
        if (page == 2) proline4_map_radius_px = 70;
        if (page == 3) proline4_map_radius_px = 140;
        rec().clear();
        render_proline4_mfd(dc_, PixelSize{247, 285}, RENDER_MODE_DRAW);
        return rec();
    }
    // The text drawn at (x, y), or "" when none is.
    std::string text_at(const gfx::Recording& r, float x, float y) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.05f);
        return op ? op->text : std::string();
    }
    gfx::Argb colour_at(const gfx::Recording& r, float x, float y) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.05f);
        return op ? op->color : 0;
    }
    // The NAV1 station received with the given identifier.
    void receive_nav1(const char* ident) {
        host::set_token(49, 1.0);
        host::set_token_text(47, ident);
    }
    // The aircraft moved `nm` across the TO leg (right of it for positive nm).
    void off_the_leg(double nm) {
        double leg = 0.0, course = 0.0;
        const PlanPoint& a = kExampleRoute[2];
        const PlanPoint& b = kExampleRoute[3];
        gc_dist_course(a.lat, a.lon, b.lat, b.lon, &leg, &course);
        double lat = 0.0, lon = 0.0;
        gc_destination_point(a.lat, a.lon, course, leg / 2, &lat, &lon);
        gc_destination_point(lat, lon, course + (nm > 0 ? 90.0 : -90.0), std::fabs(nm), &aircraft_state.plat,
                             &aircraft_state.plon);
    }
};

TEST_F(Proline4Mfd, navigationPageCourseLinesInFmsAndNav1Forms) {
    lnav_engaged = 1;
    active_entry(to_waypoint_index).ident = "ABC";
    leg_course_deg = 45.0;
    distance_to_to_nm = 400.0;
    aircraft_state.ground_speed_kt = 240.0;
    const gfx::Recording& r = draw(kProline4ModeNav);
    EXPECT_EQ(text_at(r, 0, 20), "FMS       CRS 045");
    EXPECT_EQ(text_at(r, 0, 30), "ABC            400NM");
    EXPECT_EQ(text_at(r, 0, 40), "TTG 01:40");
    // 59.6 minutes reads a whole hour.
    distance_to_to_nm = 238.4;
    EXPECT_EQ(text_at(draw(kProline4ModeNav), 0, 40), "TTG 01:00");

    aircraft_state.ground_speed_kt = 30.0;
    const gfx::Recording& slow = draw(kProline4ModeNav);
    EXPECT_EQ(text_at(slow, 0, 40), "TTG");
    const gfx::RecordedOp* dashes = slow.text_near(30, 40, 0.05f);
    ASSERT_NE(dashes, nullptr);
    EXPECT_EQ(dashes->text, "--:--");
    EXPECT_EQ(dashes->font_family, "Courier New");

    // LNAV without a route: the lines follow NAV1, without DME its dashes.
    set_flown_to(kNoToWaypoint);
    receive_nav1("SEA");
    aircraft_state.nav1_course_deg = 162.0;
    aircraft_state.nav1_dme_nm = 0.0;
    aircraft_state.ground_speed_kt = 240.0;
    const gfx::Recording& nav = draw(kProline4ModeNav);
    EXPECT_EQ(text_at(nav, 0, 20), "NAV1       CRS 162");
    EXPECT_EQ(text_at(nav, 0, 30), "SEA           ---");
    EXPECT_EQ(text_at(nav, 30, 40), "--:--");
    // Without NAV1 reception no line at all.
    host::set_token(49, 0.0);
    EXPECT_EQ(text_at(draw(kProline4ModeNav), 0, 20), "");
}

TEST_F(Proline4Mfd, deviationBarFollowsTheCrossTrackLimitedToFiveNm) {
    lnav_engaged = 1;
    struct Row {
        double nm;
        int bar;
    };
    // Right of the leg the side flag is 1: the bar moves left.
    for (const Row row : {Row{7.0, -50}, Row{-7.0, 50}, Row{-0.25, 2}}) {
        SCOPED_TRACE(row.nm);
        off_the_leg(row.nm);
        double angle = 0.0;
        int bar = 0;
        proline4::course_pointer(2.1166666666666667, &angle, &bar);
        EXPECT_NEAR(bar, row.bar, row.bar == 2 ? 1 : 0);
        EXPECT_DOUBLE_EQ(angle, leg_course_deg - aircraft_state.heading_deg);
    }
    // No route: the FMS branch with the bar centred.
    set_flown_to(kNoToWaypoint);
    double angle = 0.0;
    int bar = 9;
    proline4::course_pointer(2.1166666666666667, &angle, &bar);
    EXPECT_EQ(bar, 0);
    EXPECT_DOUBLE_EQ(angle, leg_course_deg - aircraft_state.heading_deg);
}

TEST_F(Proline4Mfd, toFromFoldsAcrossNorth) {
    lnav_engaged = 0;
    receive_nav1("SEA");
    aircraft_state.heading_deg = 0.0;
    aircraft_state.nav1_course_deg = 350.0;
    aircraft_state.nav1_relative_bearing_deg = 10.0; // the station at 010, 20 degrees off the course
    bool to = false;
    ASSERT_TRUE(proline4::nav1_to_from(false, &to));
    EXPECT_TRUE(to);
    aircraft_state.nav1_relative_bearing_deg = 180.0;
    ASSERT_TRUE(proline4::nav1_to_from(false, &to));
    EXPECT_FALSE(to);
    // Page 0 leaves the mark out under LNAV; page 1 keeps it.
    lnav_engaged = 1;
    EXPECT_FALSE(proline4::nav1_to_from(false, &to));
    EXPECT_TRUE(proline4::nav1_to_from(true, &to));
    host::set_token(49, 0.0);
    EXPECT_FALSE(proline4::nav1_to_from(true, &to));
}

TEST_F(Proline4Mfd, bearingPointersShowTheirLabelsAndOnlyAvailableSources) {
    struct Row {
        int page, source1, source2;
        double adf_signal;
        const char* label1;
        const char* label2;
        std::size_t magenta_lines; // of pointer 1: legend 3, arrow 4
        std::size_t blue_lines;    // of pointer 2: legend 5, arrow 10
    };
    const Row rows[] = {
        {1, 2, 0, 1.0, "ADF", nullptr, 3, 0},  // ADF at 1.0: label and icon, no pointer
        {1, 2, 2, 1.5, "ADF", "ADF", 7, 15},   // received
        {0, 3, 1, 0.0, "FMS", "VOR2", 7, 5},   // route active; NAV2 not received
        {0, 0, 3, 0.0, nullptr, "FMS", 0, 15}, // source 0 draws nothing
        {1, 1, 3, 0.0, "VOR1", "FMS", 3, 15},  // NAV1 not received
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page * 100 + row.source1 * 10 + row.source2);
        proline4_mfd_brg1_source = row.source1;
        proline4_mfd_brg2_source = row.source2;
        aircraft_state.adf1_signal = row.adf_signal;
        heading_bug_change_countdown = 0;
        const gfx::Recording& r = draw(row.page);
        EXPECT_EQ(text_at(r, 0, 250), row.label1 ? row.label1 : "");
        EXPECT_EQ(text_at(r, 0, 265), row.label2 ? row.label2 : "");
        // The heading bug's magenta lines come on top: eight lines on page 0,
        // one polyline on page 1.
        EXPECT_EQ(r.lines_in_color(kPl4Magenta).size(), row.magenta_lines + (row.page == 0 ? 8 : 1));
        EXPECT_EQ(r.lines_in_color(kPl4Cyan).size(), row.blue_lines);
    }
}

// The nav page's second pointer, aimed straight up: both chevrons, head and
// tail, point up, so it cannot be read 180 degrees off.
TEST_F(Proline4Mfd, navPageSecondPointerChevronsPointTheSameWay) {
    proline4_mfd_brg2_source = 2;
    aircraft_state.adf1_signal = 1.5;
    aircraft_state.adf1_relative_bearing_deg = 0.0;
    std::vector<float> apex_y;
    for (const gfx::RecordedOp* op : draw(kProline4ModeNav).lines_in_color(kPl4Cyan)) {
        if (op->kind != gfx::OpKind::Line ||
            std::abs(std::abs(op->points[1].x - op->points[0].x) - 8.0f) > 0.1f)
            continue;
        EXPECT_NEAR(op->points[0].x, 123.0f, 0.1f);
        EXPECT_LT(op->points[0].y, op->points[1].y); // the apex above its wing
        apex_y.push_back(op->points[0].y);
    }
    std::sort(apex_y.begin(), apex_y.end());
    EXPECT_EQ(apex_y, (std::vector<float>{100, 100, 230, 230}));
}

TEST_F(Proline4Mfd, arcAndMapPageRangeLabels) {
    const gfx::Recording& arc = draw(kProline4ModeArc, 40.0);
    EXPECT_EQ(text_at(arc, -2, 135), "40.0");
    EXPECT_EQ(text_at(arc, 38, 175), " 20");
    EXPECT_EQ(text_at(draw(kProline4ModeArc, 5.0), 38, 175), "2.5");
    struct Row {
        double range;
        const char* full;
        const char* half;
    };
    for (const Row row : {Row{5, "5  ", "2.5"}, Row{40, "40 ", " 20"}, Row{320, "320", "160"}}) {
        const gfx::Recording& r = draw(kProline4ModeMap, row.range);
        EXPECT_EQ(text_at(r, -2, 155), row.full);
        EXPECT_EQ(text_at(r, 38, 195), row.half);
    }
}

TEST_F(Proline4Mfd, mapPageNearRingDashesAndHeadingScale) {
    set_flown_to(kNoToWaypoint);
    // Lines from (r1, a) to (r2, a) about the map centre.
    auto radial = [&](const gfx::Recording& r, double r1, double r2) {
        int n = 0;
        for (const gfx::RecordedOp* op : r.lines_in_color(proline4::white)) {
            if (op->kind != gfx::OpKind::Line) continue;
            const double a = std::hypot(op->points[0].x - 123.0, op->points[0].y - 220.0);
            const double b = std::hypot(op->points[1].x - 123.0, op->points[1].y - 220.0);
            n += std::fabs(a - r1) < 0.6 && std::fabs(b - r2) < 0.6;
        }
        return n;
    };
    // Twelve dashes from 1.5 to 2 NM: 10 to 14 units at 20 NM.
    EXPECT_EQ(radial(draw(kProline4ModeMap, 20.0), 10.0, 14.0), 12);
    EXPECT_EQ(radial(draw(kProline4ModeMap, 40.0), 20.0, 28.0), 0);

    // Heading 350: marks from 295 through 360 to 045, none 60 degrees off.
    aircraft_state.heading_deg = 350.0;
    const gfx::Recording& r = draw(kProline4ModeMap, 40.0);
    EXPECT_EQ(radial(r, 140.0, 148.0) + radial(r, 140.0, 144.0), 23);
    std::vector<std::string> labels;
    for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::String))
        if (op->font_size == 11.0f && op->points[0].y > 60.0f && op->points[0].y < 150.0f)
            labels.push_back(op->text);
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "3", "30", "33"}));
}

TEST_F(Proline4Mfd, progressTableTimesOfTheToRow) {
    distance_to_to_nm = 12.0;
    aircraft_state.ground_speed_kt = 240.0;
    aircraft_state.zulu_hours = 10.0;
    aircraft_state.zulu_minutes = 55.0;
    const gfx::Recording& r = draw(kProline4ModePlanText);
    struct Cell {
        float x;
        const char* text;
    };
    for (const Cell c : {Cell{66.6f, "12"}, Cell{113, "0"}, Cell{119, ":"}, Cell{127, "03"}, Cell{150, "10"},
                         Cell{164, ":"}, Cell{171, "58"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(text_at(r, c.x, 31), c.text);
        EXPECT_EQ(colour_at(r, c.x, 31), kPl4Magenta);
    }
    // The arrival minute is truncated, the time en route rounded: 2.6 minutes
    // from 10:55 read 03 and 10:57; 0.6 minutes from 23:59 stay on 23:59.
    struct Arrival {
        double distance, hours, minutes;
        const char* en_route;
        const char* hour;
        const char* minute;
    };
    for (const Arrival a :
         {Arrival{10.4, 10.0, 55.0, "03", "10", "57"}, Arrival{2.4, 23.0, 59.0, "01", "23", "59"}}) {
        SCOPED_TRACE(a.distance);
        distance_to_to_nm = a.distance;
        aircraft_state.zulu_hours = a.hours;
        aircraft_state.zulu_minutes = a.minutes;
        const gfx::Recording& t = draw(kProline4ModePlanText);
        EXPECT_EQ(text_at(t, 127, 31), a.en_route);
        EXPECT_EQ(text_at(t, 150, 31), a.hour);
        EXPECT_EQ(text_at(t, 171, 31), a.minute);
    }
    // Past midnight on the map page's rows.
    aircraft_state.zulu_hours = 23.0;
    aircraft_state.zulu_minutes = 50.0;
    distance_to_to_nm = 80.0;
    const gfx::Recording& late = draw(kProline4ModeMap);
    EXPECT_EQ(text_at(late, 150, 30), "00");
    EXPECT_EQ(text_at(late, 171, 30), "10");
    // 95 minutes: the hour right-aligned at 113.
    distance_to_to_nm = 380.0;
    EXPECT_EQ(text_at(draw(kProline4ModePlanText), 113, 31), "1");
    EXPECT_EQ(text_at(draw(kProline4ModePlanText), 127, 31), "35");
}

TEST_F(Proline4Mfd, destinationFuelAndTheRowsWithoutARoute) {
    host::aircraft().fuel_lb = 1000.0;
    host::publish_aircraft();
    aircraft_state.ground_speed_kt = 240.0;
    set_flown_to(active_plan_last - 1);
    WeightUnit = "KGS";
    cruise_altitude = 30000; // a profile is predicted: in the climb, before any descent
    descent_speed_phase = kDescentSpeedPhaseOff;
    const gfx::Recording& r = draw(kProline4ModePlanText);
    EXPECT_EQ(text_at(r, 190, 49), "454KG");
    EXPECT_EQ(text_at(r, 0, 40), "-----   ---    -:-- --:--"); // no NEXT row
    cruise_altitude = 0;
    EXPECT_EQ(text_at(draw(kProline4ModePlanText), 190, 49), "---KG");
    // The TO waypoint the last: nothing is left to burn beyond it.
    set_flown_to(active_plan_last);
    cruise_altitude = 30000;
    WeightUnit = "LBS";
    EXPECT_EQ(text_at(draw(kProline4ModeMap), 190, 50), "1000LB");

    // TO index 0 has no FROM waypoint: its dash row.
    set_flown_to(0);
    EXPECT_EQ(text_at(draw(kProline4ModePlanText), 0, 22), "-----   ---    -:--");
    set_flown_to(kNoToWaypoint);
    const gfx::Recording& none = draw(kProline4ModePlanText);
    EXPECT_EQ(text_at(none, 0, 49), "-----   ---    -:-- --:-- ----");
    EXPECT_EQ(text_at(none, 225, 49), "LB");
    EXPECT_EQ(text_at(none, 81, 31), "NM");
}

TEST_F(Proline4Mfd, progressRowsPassOverDiscontinuityAndThenEntries) {
    // THEN and DISCO behind the TO waypoint NISQL, as an entry on LEGS and EXEC leave them.
    for (const char* marker : {"DISCO", "THEN"}) {
        for (int i = active_plan_last; i > to_waypoint_index; --i)
            active_entry(i + 1) = active_plan[i];
        set_active_last(active_plan_last + 1);
        active_entry(to_waypoint_index + 1) = RouteWaypoint{};
        make_marker(active_entry(to_waypoint_index + 1), marker_of_text(marker));
    }
    aircraft_state.ground_speed_kt = 240.0;
    const gfx::Recording& r = draw(kProline4ModePlanText);
    EXPECT_EQ(text_at(r, 0, 40), "OLM   ");
    // The distance to KPDX (right-aligned at 73 on the destination row): the
    // route's own, about a hundred NM, not the way round by 0N 0E.
    double to_destination = -1.0;
    for (const gfx::RecordedOp* t : r.of_kind(gfx::OpKind::String))
        if (std::fabs(t->world_rect.y - 49.0f) < 0.5f && t->world_rect.x > 30.0f && t->world_rect.x <= 73.0f)
            to_destination = std::atof(t->text.c_str());
    EXPECT_GT(to_destination, 50.0);
    EXPECT_LT(to_destination, 200.0);
}

TEST_F(Proline4Mfd, insetRangeFigureMovesForThreeDigits) {
    EXPECT_EQ(text_at(draw(kProline4ModePlanText, 160.0), 113, 85), "160");
    EXPECT_EQ(text_at(draw(kProline4ModePlanText, 80.0), 116, 85), "80 ");
}

TEST_F(Proline4Mfd, mapLayerColoursTheFromAndToIdents) {
    set_flown_to(1);
    const gfx::Recording& r = draw(kProline4ModeMap, 20.0);
    ASSERT_NE(r.find_text("KSEA"), nullptr);
    EXPECT_EQ(r.find_text("KSEA")->color, kPl4Cyan);
    EXPECT_EQ(r.find_text("SEA")->color, kPl4Magenta);
    EXPECT_EQ(r.find_text("FOXXE")->color, proline4::white);
    set_flown_to(0);
    EXPECT_EQ(draw(kProline4ModeMap, 20.0).find_text("KSEA")->color, kPl4Magenta);
}

TEST_F(Proline4Mfd, flightPlanMapCentresOnThePlanWaypointWithinThePlan) {
    // The centre waypoint's ident stands 7 right of and 8 above (123, 155).
    struct Row {
        int step;
        const char* centre;
    };
    for (const Row row : {Row{0, "NISQL"}, Row{5, "TOUTL"}, Row{250, "NISQL"}, Row{-3, "NISQL"}}) {
        SCOPED_TRACE(row.step);
        legs_map_step = row.step;
        EXPECT_EQ(text_at(draw(kProline4ModePlanText), 130, 147), row.centre);
    }
    legs_map_step = 0;
    // No route: about the aircraft, whose symbol is at the centre.
    set_flown_to(kNoToWaypoint);
    const gfx::Recording& r = draw(kProline4ModePlanText);
    int at_centre = 0;
    for (const gfx::RecordedOp* op : r.lines_in_color(proline4::white))
        at_centre += std::hypot(op->points[0].x - 123.0, op->points[0].y - 155.0) < 11.5;
    EXPECT_EQ(at_centre, 4);
}

TEST_F(Proline4Mfd, nearLayersByRange) {
    set_flown_to(kNoToWaypoint);
    show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] = 1;
    show_airway_fixes_flags[ND_PROLINE4] = 1;
    struct Row {
        double range;
        bool navaids, airports;
    };
    // The example database's Seattle VOR and Tacoma airport are in reach.
    for (const Row row : {Row{40, true, true}, Row{160, true, false}, Row{320, false, false}}) {
        SCOPED_TRACE(row.range);
        const gfx::Recording& r = draw(kProline4ModeMap, row.range);
        EXPECT_EQ(r.find_text("SEA") != nullptr, row.navaids);
        EXPECT_EQ(r.find_text("KSEA") != nullptr, row.airports);
    }
}

TEST_F(Proline4Mfd, nearLayersPassOverRecordsFarOutsideTheMap) {
    set_flown_to(kNoToWaypoint);
    show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] = 1;
    const gfx::Recording& r = draw(kProline4ModeMap, 5.0);
    // Within reach (2 x range + 50 NM) but more than 60 units off the
    // circle's box: nothing of it is drawn.
    for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::String)) {
        if (op->font_size == 11.0f || op->font_size == 9.0f) continue; // the table and scale
        EXPECT_LT(std::hypot(op->points[0].x - 123.0, op->points[0].y - 220.0), 140.0 * 1.42 + 70.0)
            << op->text;
    }
}

TEST_F(Proline4Mfd, flightPlanMapIsClippedBelowTheTableAndLeavesTheArcPiecesOut) {
    const gfx::Recording& r = draw(kProline4ModePlanText, 40.0);
    const std::vector<const gfx::RecordedOp*> clips = r.of_kind(gfx::OpKind::SetClip);
    const gfx::RecordedOp* clip = clips.empty() ? nullptr : clips.front();
    ASSERT_NE(clip, nullptr);
    const gfx::PointF corners[] = {{43, 75}, {246, 75}, {246, 293}, {0, 293}, {0, 115}};
    ASSERT_GE(clip->points.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(clip->points[i].x, corners[i].x, 0.01);
        EXPECT_NEAR(clip->points[i].y, corners[i].y, 0.01);
    }
    EXPECT_GE(r.find_text("NISQL")->clip, 0);

    // A descent to a lower autopilot altitude: the level-off arc and the TOD
    // marker on the map page, neither on the flight-plan page.
    aircraft_state.snap_token_103 = aircraft_state.snap_token_108 = 1.0;
    aircraft_state.indicated_altitude_ft = 12000.0;
    aircraft_state.ap_altitude_lock_ft = 3000.0;
    aircraft_state.vertical_speed_fpm = -1500.0;
    cruise_altitude = 12000;
    toc_lat = kExampleRoute[3].lat;
    toc_lon = kExampleRoute[3].lon;
    show_tod_at(kExampleRoute[4].lat, kExampleRoute[4].lon);
    auto arcs_and_markers = [&](int page) {
        int arcs = 0, markers = 0;
        for (const gfx::RecordedOp& op : draw(page, 40.0).ops) {
            arcs += op.kind == gfx::OpKind::Arc && op.color == palette::green;
            markers += op.end_arrow && op.color == kPl4Cyan;
        }
        return std::pair{arcs, markers};
    };
    const auto [arcs, markers] = arcs_and_markers(kProline4ModeMap);
    EXPECT_EQ(arcs, 1);
    EXPECT_GE(markers, 1);
    EXPECT_EQ(arcs_and_markers(kProline4ModePlanText), (std::pair{0, 0}));
}

TEST_F(Proline4Mfd, pagesDrawOnlyTheBackgroundOutsideTheirRangeOrWithoutSize) {
    draw(7);
    EXPECT_EQ(rec().drawing_count(), 1u); // the background fill
    rec().clear();
    proline4_mfd_mode = kProline4ModeMap;
    render_proline4_mfd(dc_, PixelSize{0, 0}, RENDER_MODE_DRAW);
    EXPECT_EQ(rec().of_kind(gfx::OpKind::String).size(), 0u);
}

} // namespace

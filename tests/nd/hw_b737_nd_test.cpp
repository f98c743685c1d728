// The HW_B737_ND render pass for the stand-in aircraft on the example route:
// what each mode draws, where and in which colour, and what the filters,
// ranges and view modes let through.
#include "nd_fixture.h"

#include "data/display_geometry.h"
#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "gns_mcu/gns_cursors.h"

#include <cmath>
#include <numbers>

namespace {

constexpr gfx::Argb kB737White = 0xFFDEE6E9, kB737Magenta = 0xFFFF13D5, kB737Green = 0xFF00FA00,
                    kBlue = 0xFF02A7EB, kYellow = 0xFFFFFF00;

const gfx::RecordedOp* text(const gfx::Recording& r, const std::string& s) {
    return r.find_text(s);
}

// Where a position lands on the heading-up map: bearing off the map heading,
// distance times 215 / range (or 110 / range about the centred position).
gfx::PointF map_point(double lat, double lon, double centre_y, double ppn) {
    double d = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, lat, lon, &d, &course);
    const double rel = (course - aircraft_state.map_heading_deg) * std::numbers::pi / 180.0;
    return {float(122.0 + d * ppn * std::sin(rel)), float(centre_y - d * ppn * std::cos(rel))};
}

class HwB737Nd : public NdTest {
  protected:
    // The aircraft turned to a true (and, with no variation, magnetic) heading.
    void set_heading(double heading) {
        host::aircraft().true_heading_deg = heading;
        host::aircraft().ap_heading_bug_deg = heading;
        update();
    }
    void filters(int on) {
        show_navaids_flags[ND_HW_B737] = show_airports_flags[ND_HW_B737] =
            show_airway_fixes_flags[ND_HW_B737] = on;
    }
    // Labels of the nearby layers (their fonts are sized in the split-scale
    // frame): navaids green, fixes and airports blue.
    static bool layer_label(const gfx::RecordedOp& op) {
        return op.kind == gfx::OpKind::String && op.font_family == "Arial" && op.font_size > 16.0f;
    }
    int labels_in(const gfx::Recording& r, gfx::Argb colour) {
        int n = 0;
        for (const gfx::RecordedOp& op : r.ops)
            n += layer_label(op) && op.color == colour;
        return n;
    }
};

TEST_F(HwB737Nd, everyModeDrawsItsHeadingScaleHeadingBoxAndHalfRangeLabel) {
    set_heading(210.0);
    struct Row {
        int mode;
        float heading_y;        // heading box text row: y0 - 1
        gfx::PointF label_21;   // the "21" label straight above the centre
        const char* half_range; // "%3.0f" of range / 2 at (-20, -120) or (-20, -60), if any
        float half_range_y;
    };
    const Row rows[] = {
        {kB737NdModeCompass, 29, {114, 91}, nullptr, 0}, {kB737NdModeVor, 29, {114, 91}, nullptr, 0},
        {kB737NdModeArc, 4, {113, 42}, " 20", 129},      {kB737NdModeApp, 4, {113, 42}, " 20", 129},
        {kB737NdModeMap, 4, {113, 42}, " 20", 129},      {kB737NdModeCtrMap, 4, {113, 71}, " 20", 111},
        {kB737NdModePlan, 4, {113, 42}, nullptr, 0},
    };
    for (const Row& row : rows) {
        const gfx::Recording& r = render(row.mode, 40.0);
        SCOPED_TRACE(row.mode);
        const gfx::RecordedOp* heading = r.text_near(107, row.heading_y, 0.5f);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->text, "210");
        EXPECT_EQ(heading->color, kB737White);
        const gfx::RecordedOp* label = r.text_near(row.label_21.x, row.label_21.y, 0.5f);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, "21");
        EXPECT_EQ(label->color, kB737White);
        if (row.half_range) {
            const gfx::RecordedOp* half = r.text_near(102, row.half_range_y, 0.5f);
            ASSERT_NE(half, nullptr);
            EXPECT_EQ(half->text, row.half_range);
        } else {
            EXPECT_EQ(text(r, " 20"), nullptr);
        }
    }
    // The rose shows all twelve labels; the arc only those within 55 degrees.
    int rose = 0, arc = 0;
    for (const char* l : {"0", "3", "6", "9", "12", "15", "18", "21", "24", "27", "30", "33"}) {
        rose += text(render(kB737NdModeCompass, 40.0), l) != nullptr;
        arc += text(render(kB737NdModeMap, 40.0), l) != nullptr;
    }
    EXPECT_EQ(rose, 12);
    EXPECT_EQ(arc, 3); // 18, 21, 24
}

TEST_F(HwB737Nd, mapModesDrawTheActiveRouteWithTheToWaypointInMagenta) {
    for (const int mode : {kB737NdModeMap, kB737NdModeCtrMap}) {
        const double centre_y = mode == kB737NdModeMap ? 249.0 : 171.0;
        const double ppn = (mode == kB737NdModeMap ? 215.0 : 110.0) / 40.0;
        const gfx::Recording& r = render(mode, 40.0);
        SCOPED_TRACE(mode);
        const gfx::PointF nisql = map_point(kExampleRoute[3].lat, kExampleRoute[3].lon, centre_y, ppn);
        const gfx::RecordedOp* to = r.text_near(nisql.x + 7, nisql.y - 7, 0.5f);
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(to->text, "NISQL");
        EXPECT_EQ(to->color, kB737Magenta);
        const gfx::PointF olm = map_point(kExampleRoute[4].lat, kExampleRoute[4].lon, centre_y, ppn);
        const gfx::RecordedOp* next = r.text_near(olm.x + 7, olm.y - 7, 0.5f);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->color, kB737White);
        EXPECT_EQ(text(r, "FOXXE"), nullptr); // behind the TO waypoint
        // The first leg runs from the aircraft to the TO waypoint.
        const auto legs = r.lines_in_color(kB737Magenta);
        ASSERT_FALSE(legs.empty());
        EXPECT_NEAR(legs[0]->points[0].x, 122.0, 0.5);
        EXPECT_NEAR(legs[0]->points[0].y, centre_y, 0.5);
        EXPECT_NEAR(legs[0]->points[1].x, nisql.x, 0.5);
        EXPECT_NEAR(legs[0]->points[1].y, nisql.y, 0.5);
    }
    // PLAN: north up about the TO waypoint, the whole plan from the origin.
    const gfx::Recording& r = render(kB737NdModePlan, 40.0);
    EXPECT_EQ(r.text_near(129, 164, 0.5f)->text, "NISQL");
    EXPECT_NE(text(r, "KSEA"), nullptr);
    EXPECT_GT(text(r, "KPDX")->points[0].y, 302.0f); // 114 NM south, beyond the window
    const gfx::RecordedOp* olm = text(r, "OLM");
    double d = 0.0, course = 0.0;
    gc_dist_course(kExampleRoute[3].lat, kExampleRoute[3].lon, kExampleRoute[4].lat, kExampleRoute[4].lon, &d,
                   &course);
    const double ppn = 110.0 / 40.0, rad = course * std::numbers::pi / 180.0;
    EXPECT_NEAR(olm->points[0].x, 122.0 + d * ppn * std::sin(rad) + 7.0, 0.5);
    EXPECT_NEAR(olm->points[0].y, 171.0 - d * ppn * std::cos(rad) - 7.0, 0.5);
}

TEST_F(HwB737Nd, nearbySymbolsFollowTheFiltersAndRangeGatesAndStayWithinReach) {
    struct Row {
        int mode;
        double range;
        int view_mode;
        bool navaids, fixes;
    };
    const Row rows[] = {
        {kB737NdModeCompass, 40, RENDER_MODE_DRAW, false, false},
        {kB737NdModeVor, 40, RENDER_MODE_DRAW, false, false},
        {kB737NdModeArc, 40, RENDER_MODE_DRAW, false, false},
        {kB737NdModeApp, 40, RENDER_MODE_DRAW, false, false},
        {kB737NdModeMap, 40, RENDER_MODE_DRAW, true, true},
        {kB737NdModeCtrMap, 40, RENDER_MODE_DRAW, true, true},
        {kB737NdModePlan, 40, RENDER_MODE_DRAW, true, true},
        {kB737NdModeMap, 80, RENDER_MODE_DRAW, true, false},
        {kB737NdModeMap, 160, RENDER_MODE_DRAW, true, false},
        {kB737NdModeMap, 320, RENDER_MODE_DRAW, false, false},
        {kB737NdModeMap, 40, RENDER_MODE_VC2, true, false},
    };
    filters(1);
    for (const Row& row : rows) {
        const gfx::Recording& r = render(row.mode, row.range, row.view_mode);
        SCOPED_TRACE(testing::Message() << row.mode << " " << row.range << " " << row.view_mode);
        EXPECT_EQ(labels_in(r, kB737Green) > 0, row.navaids);
        EXPECT_EQ(r.lines_in_color(kBlue).size() > 0, row.fixes); // the fixes' triangles
    }
    filters(0);
    const gfx::Recording& none = render(kB737NdModeMap, 40.0);
    EXPECT_EQ(labels_in(none, kB737Green), 0);
    EXPECT_EQ(labels_in(none, kBlue), 0);

    // Every labelled navaid and airport lies within its layer's reach.
    filters(1);
    const gfx::Recording& r = render(kB737NdModeMap, 40.0);
    int checked = 0;
    for (const gfx::RecordedOp& op : r.ops) {
        if (!layer_label(op)) continue;
        auto reach = [&](const auto& list, double limit) {
            for (int i = 1; i <= list.count(); ++i) {
                if (list[i].ident.substr(0, op.text.size()) != op.text) continue;
                double d = 0.0, c = 0.0;
                gc_dist_course(aircraft_state.plat, aircraft_state.plon, list[i].latitude, list[i].longitude,
                               &d, &c);
                if (d <= limit) return true;
            }
            return false;
        };
        if (op.color == kB737Green) {
            EXPECT_TRUE(reach(local_navaids, 130.0)) << op.text;
        } else {
            EXPECT_TRUE(reach(close_airports, 90.0) || reach(local_airway_fixes, 130.0)) << op.text;
        }
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

TEST_F(HwB737Nd, frameFieldsShowTheirValuesOrDashes) {
    const gfx::Recording& r = render(kB737NdModeMap, 40.0);
    // Distance to the TO waypoint with "NM" after 8 units per character.
    const gfx::RecordedOp* distance = r.text_near(10, 8, 0.5f);
    ASSERT_NE(distance, nullptr);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%.1f", distance_to_to_nm);
    EXPECT_EQ(distance->text, expected);
    EXPECT_EQ(r.text_near(10.0f + 8.0f * float(distance->text.size()), 10, 0.5f)->text, "NM");
    EXPECT_EQ(r.text_near(10, 255, 0.5f)->text, "---\u00B0/---"); // calm
    EXPECT_NE(r.text_near(10, 95, 0.5f), nullptr);                // "TCAS" "OFF" over the map
    EXPECT_EQ(r.text_near(10, 95, 0.5f)->text, "TCAS");
    EXPECT_EQ(r.text_near(10, 105, 0.5f)->text, "OFF");
    EXPECT_EQ(r.text_near(190, 20, 0.5f)->text, "GS");

    tcas_display_on = 1;
    EXPECT_EQ(render(kB737NdModeCtrMap, 40.0).text_near(10, 33, 0.5f)->text, "TFC");
    tcas_display_on = 0;

    // VOR mode: no distance to the waypoint, DME and frequency dashed without a station.
    const gfx::Recording& vor = render(kB737NdModeVor, 40.0);
    EXPECT_EQ(vor.text_near(5, 10, 0.5f)->text, "DME");
    EXPECT_EQ(vor.text_near(30, 8, 0.5f)->text, "- - -");
    EXPECT_EQ(vor.text_near(10, 285, 0.5f)->text, "VOR 1");
    EXPECT_EQ(vor.text_near(190, 285, 0.5f)->text, "------");
    host::set_token(49, 1.0);   // NAV1 received
    host::set_token(31, 12.34); // DME
    host::aircraft().nav1_frequency_bcd = 0x1130;
    host::set_token_code(46, 128 | 64); // a localiser with a glideslope
    update();
    const gfx::Recording& ils = render(kB737NdModeApp, 40.0);
    EXPECT_EQ(ils.text_near(30, 8, 0.5f)->text, "12.3");
    EXPECT_EQ(ils.text_near(10, 285, 0.5f)->text, "ILS 1");
    EXPECT_EQ(ils.text_near(190, 285, 0.5f)->text, "111.30");

    // PLAN: the north arrow, no traffic annunciator.
    const gfx::Recording& plan = render(kB737NdModePlan, 40.0);
    EXPECT_EQ(plan.text_near(222, 201, 0.5f)->text, "N");
    EXPECT_EQ(text(plan, "TCAS"), nullptr);

    // Without an active route: no distance, no ETA.
    set_flown_to(kNoToWaypoint);
    const gfx::Recording& no_route = render(kB737NdModeMap, 40.0);
    EXPECT_EQ(no_route.text_near(10, 8, 0.5f), nullptr);
    EXPECT_EQ(no_route.text_near(190, 8, 0.5f), nullptr);
}

TEST_F(HwB737Nd, deviationBarFollowsTheCrossTrackAndTheNeedle) {
    double leg = 0.0, course = 0.0;
    gc_dist_course(kExampleRoute[2].lat, kExampleRoute[2].lon, kExampleRoute[3].lat, kExampleRoute[3].lon,
                   &leg, &course);
    // 7 NM right of the leg: limited to 5 NM, the bar 37 units left, as the
    // needle stands for a course to the left.
    host::AircraftModel& m = host::aircraft();
    gc_destination_point(m.lat_deg, m.lon_deg, course + 90.0, 7.0, &m.lat_deg, &m.lon_deg);
    m.nav1_course_deg = course;
    set_heading(course);
    for (const int mode : {kB737NdModeCompass, kB737NdModeArc}) {
        const gfx::Recording& r = render(mode, 40.0);
        const gfx::RecordedOp* bar = nullptr;
        for (const gfx::RecordedOp& op : r.ops)
            if (op.color == kB737Magenta && !op.fill &&
                (op.kind == gfx::OpKind::Polygon || op.kind == gfx::OpKind::Rectangle))
                bar = &op;
        ASSERT_NE(bar, nullptr) << mode;
        EXPECT_NEAR(bar->bounds.x + bar->bounds.width / 2, 122.0 - 37.0, 1.0) << mode;
    }
    // APP: the needle at full scale right puts the bar 37 units right.
    host::set_token(40, 127.0);
    update();
    const gfx::Recording& app = render(kB737NdModeApp, 40.0);
    const gfx::RecordedOp* bar = nullptr;
    for (const gfx::RecordedOp& op : app.ops)
        if (op.color == kB737Magenta && op.kind == gfx::OpKind::Polygon && !op.fill) bar = &op;
    ASSERT_NE(bar, nullptr);
    EXPECT_NEAR(bar->bounds.x + bar->bounds.width / 2, 122.0 + 37.0, 1.0);
}

TEST_F(HwB737Nd, modifiedRouteIsDashedWithoutLegsIntoDiscontinuities) {
    copy_active_plan_to_working();
    make_marker(working_entry(5), EntryKind::Gap);
    working_entry(5).lat = working_entry(5).lon = 0.0; // a gap has no place
    working_cursor.move_to(3);
    route_state = kRouteStateActiveModified;
    const gfx::Recording& r = render(kB737NdModeMap, 40.0);
    int dashed_white = 0;
    for (const gfx::RecordedOp* op : r.lines_in_color(kB737White))
        dashed_white += op->dash_style == gfx::DashStyle::Dash;
    // From the cursor on: aircraft-NISQL, NISQL-OLM, none into or out of the
    // DISCO, then fresh from KELSO: KELSO-LAVVA, LAVVA-SAUVI, SAUVI-KPDX.
    EXPECT_EQ(dashed_white, 5);
    EXPECT_EQ(text(r, "DISCO"), nullptr);
    int nisql_labels = 0;
    for (const gfx::RecordedOp& op : r.ops)
        nisql_labels += op.kind == gfx::OpKind::String && op.text == "NISQL" && op.font_family == "HW Arial";
    EXPECT_EQ(nisql_labels, 1); // the working twin of the TO waypoint is not labelled

    route_state = kRouteStateEntered;
    EXPECT_FALSE(render(kB737NdModeMap, 40.0).lines_in_color(kBlue).empty());
    route_state = kRouteStateActive;
    int dashed = 0;
    for (const gfx::RecordedOp& op : render(kB737NdModeMap, 40.0).ops)
        dashed += op.dash_style == gfx::DashStyle::Dash && (op.color == kB737White || op.color == kBlue);
    EXPECT_EQ(dashed, 0);
}

// The dashed bug line starts at the aircraft symbol of the mode's map; PLAN
// has none at its centre, so it draws no line.
TEST_F(HwB737Nd, headingBugLineRunsFromTheAircraftOnlyWhereTheMapHasIt) {
    set_heading(210.0);
    host::aircraft().ap_heading_bug_deg = 240.0;
    update();
    struct Row {
        int mode;
        float aircraft_y; // where the line starts; 0 for no line
    };
    for (const Row row : {Row{kB737NdModeArc, 249}, Row{kB737NdModeMap, 249}, Row{kB737NdModeCtrMap, 171},
                          Row{kB737NdModeVor, 151}, Row{kB737NdModePlan, 0}}) {
        // Dashed magenta lines from a mode centre: (122, 249), (122, 171) or (122, 151).
        std::vector<float> starts;
        for (const gfx::RecordedOp* op : render(row.mode, 40.0).lines_in_color(kB737Magenta)) {
            const gfx::PointF p = op->points[0];
            if (op->dash_style == gfx::DashStyle::Dash && std::abs(p.x - 122.0f) < 0.5f &&
                (std::abs(p.y - 249.0f) < 0.5f || std::abs(p.y - 171.0f) < 0.5f ||
                 std::abs(p.y - 151.0f) < 0.5f))
                starts.push_back(std::round(p.y));
        }
        EXPECT_EQ(starts, row.aircraft_y == 0 ? std::vector<float>{} : std::vector<float>{row.aircraft_y})
            << row.mode;
    }
}

TEST_F(HwB737Nd, holdShowsOnlyWhileTheHoldListHasIt) {
    auto racetrack_turns = [this] {
        int n = 0;
        for (const gfx::RecordedOp* a : render(kB737NdModeMap, 40.0).of_kind(gfx::OpKind::Arc))
            n += a->color == kB737Magenta;
        return n;
    };
    const int without = racetrack_turns();
    HoldEntry h;
    h.set_active_index(3);
    h.leg_distance = 4.0;
    h.points[0].lat = kExampleRoute[3].lat;
    h.points[0].lon = kExampleRoute[3].lon;
    hold_list.append(h);
    EXPECT_EQ(racetrack_turns() - without, 2);
    remove_hold(1); // the record stays in its slot, past the count
    EXPECT_EQ(racetrack_turns(), without);
}

TEST_F(HwB737Nd, previousLegAndPlanCentreCheckThePlanBounds) {
    DispPrevWpt = 1;
    const gfx::Recording& r = render(kB737NdModeMap, 40.0);
    ASSERT_NE(text(r, "FOXXE"), nullptr);
    EXPECT_EQ(text(r, "FOXXE")->color, kYellow);
    EXPECT_FALSE(r.lines_in_color(kYellow).empty());
    direct_to_active = 1;
    EXPECT_EQ(text(render(kB737NdModeMap, 40.0), "DCT")->color, kYellow);
    direct_to_active = 0;

    // TO 0 has no entry before it: no leg, nothing read before the plan.
    set_flown_to(0);
    EXPECT_TRUE(render(kB737NdModeMap, 40.0).lines_in_color(kYellow).empty());
    set_flown_to(3);

    // A map step beyond the plan centres PLAN on the TO waypoint.
    legs_map_step = 50;
    EXPECT_EQ(render(kB737NdModePlan, 40.0).text_near(129, 164, 0.5f)->text, "NISQL");
    legs_map_step = 4;
    EXPECT_EQ(render(kB737NdModePlan, 40.0).text_near(129, 164, 0.5f)->text, "OLM");
}

TEST_F(HwB737Nd, aRangeOfZeroOrAHugeMapDrawsNoMapAndNothingOutOfBounds) {
    const gfx::Recording& zero = render(kB737NdModeMap, 0.0);
    EXPECT_EQ(text(zero, "NISQL"), nullptr);
    EXPECT_NE(text(zero, "  0"), nullptr); // the nav layer still labels the range

    // The antipode of the aircraft on a 0.5 NM PLAN map: coordinates saturate.
    active_entry(9).lat = -aircraft_state.plat;
    active_entry(9).lon = aircraft_state.plon + 180.0;
    for (const gfx::RecordedOp& op : render(kB737NdModePlan, 0.5).ops)
        for (const gfx::PointF& p : op.points)
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

} // namespace

namespace {

TEST_F(HwB737Nd, appWordReadsToAcrossNorth) {
    // Heading 350, course 350, the VOR at 010.
    set_heading(350.0);
    host::aircraft().nav1_course_deg = 350.0;
    host::set_token(49, 1.0);
    host::set_token(550, 20.0);
    update();
    ASSERT_NEAR(aircraft_state.heading_deg, 350.0, 0.01);
    const gfx::Recording& r = render(kB737NdModeApp, 40.0);
    ASSERT_NE(r.find_text("TO"), nullptr);
    EXPECT_EQ(r.find_text("FROM"), nullptr);
}

} // namespace

// The EFS50_EHSI and EFS50_TCAS render passes for the stand-in aircraft on
// the example route, in a 266 x 230 surface (one pixel per design unit), and
// the values their painters compute.
#include "nd_fixture.h"

#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/plan_builder.h"
#include "nd/efs50_ehsi_painters.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr gfx::Argb kEhsiCyan = 0xFF02A7EB;

class Efs50Ehsi : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(266, 230, gfx::SurfaceCairo | gfx::SurfaceRecording);
    }
    void TearDown() override {
        efs50_ehsi_mode = kEfs50EhsiModeHsi;
        efs50_nav_source = 1;
        efs50_tcas_range = 10.0;
        efs50_brg1_source = efs50_brg2_source = 0;
        EhsiStaticHdgPointer = 1;
        efs50_ehsi_range = 12.5;
        DispPrevWpt = 0;
        direct_to_active = 0;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int mode, int source) {
        efs50_ehsi_mode = mode;
        efs50_nav_source = source;
        rec().clear();
        render_efs50_ehsi(dc_, PixelSize{266, 230}, RENDER_MODE_DRAW);
        return rec();
    }
    bool has(const gfx::Recording& r, const char* text) { return r.find_text(text) != nullptr; }
};

TEST_F(Efs50Ehsi, eachFormatDrawsItsPieces) {
    struct Row {
        int mode, source;
        const char* shown;  // a text the format draws
        const char* absent; // one it must not
    };
    const Row rows[] = {
        {kEfs50EhsiModeHsi, kEfs50NavSourceVor, "CRS 000", "NISQL"}, // HSI: course, no route
        {kEfs50EhsiModeHsi, kEfs50NavSourceFms, "DTK 221",
         "NISQL"}, // FMS guidance but no route in the HSI format
        {kEfs50EhsiModeArcMap, kEfs50NavSourceFms, "NISQL", "V"}, // arc map: route and FMS letters
        {kEfs50EhsiModeRoseMapWxOff, kEfs50NavSourceFms, "NISQL", "CRS 000"}, // full-compass map: route
        {kEfs50EhsiModeArcMap, kEfs50NavSourceVor, "NO MAP",
         "NISQL"}, // radio source without a signal: no route
        {kEfs50EhsiModeArcMapWxOff, kEfs50NavSourceVor, "WX OFF", "FMS"},
        {kEfs50EhsiModeTcas, kEfs50NavSourceFms, "10", "DTK 221"}, // traffic page: only rings and their range
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode * 10 + row.source);
        const gfx::Recording& r = draw(row.mode, row.source);
        std::string all;
        for (const std::string& t : r.texts())
            all += t + "|";
        SCOPED_TRACE(all);
        EXPECT_TRUE(has(r, row.shown));
        EXPECT_FALSE(has(r, row.absent));
    }
}

TEST_F(Efs50Ehsi, trafficRingsDotTwoNmOnlyAtTheShortRanges) {
    struct Row {
        double range;
        int inner_dots;
    };
    for (const Row row : {Row{2.0, 0}, Row{5.0, 12}, Row{10.0, 12}, Row{20.0, 12}, Row{40.0, 0}}) {
        SCOPED_TRACE(row.range);
        efs50_tcas_range = row.range;
        const gfx::Recording& r = draw(kEfs50EhsiModeTcas, kEfs50NavSourceVor);
        int dots = 0;
        for (const gfx::RecordedOp* op : r.fills_in_color(kEhsiCyan))
            dots += op->kind == gfx::OpKind::Ellipse;
        EXPECT_EQ(dots, 24 + row.inner_dots); // 5-unit dots between the ticks on the outer ring
    }
    // The label stands at (80, 94) from the centre on the EHSI, (40, 94) on the overlay.
    efs50_tcas_range = 20.0;
    EXPECT_NE(draw(kEfs50EhsiModeTcas, kEfs50NavSourceVor).text_near(209.0f, 208.0f, 0.5f), nullptr);
    rec().clear();
    render_efs50_tcas(dc_, PixelSize{266, 230}, RENDER_MODE_DRAW);
    const gfx::RecordedOp* label = rec().text_near(169.0f, 208.0f, 0.5f);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "20");
}

TEST_F(Efs50Ehsi, arcFormatShowsTheCardNearTheHeadingAndTheBugReadoutBeyond45) {
    AircraftState& a = aircraft_state;
    a.heading_deg = 0.0;
    a.heading_bug_deg = 90.0;
    EhsiStaticHdgPointer = 1;
    const gfx::Recording& r = draw(kEfs50EhsiModeArc, kEfs50NavSourceVor);
    EXPECT_TRUE(has(r, "N"));
    EXPECT_TRUE(has(r, "3"));
    EXPECT_TRUE(has(r, "33"));
    EXPECT_FALSE(has(r, "6"));
    EXPECT_TRUE(has(r, "000"));         // heading box digits
    EXPECT_TRUE(has(r, "090\xC2\xB0")); // 90 degrees off: the readout shows (UTF-8 here)
    a.heading_deg = 10.0;
    a.heading_bug_deg = 350.0; // 20 degrees away across north
    EXPECT_FALSE(has(draw(kEfs50EhsiModeArc, kEfs50NavSourceVor), "350\xC2\xB0"));
    EhsiStaticHdgPointer = 0;
    a.heading_bug_deg = 0.0;
    const gfx::Recording& plain = draw(kEfs50EhsiModeHsi, kEfs50NavSourceVor);
    EXPECT_FALSE(has(plain, "010"));        // the lubber triangle only
    EXPECT_TRUE(has(plain, "360\xC2\xB0")); // a bug of 0 reads 360
    EhsiStaticHdgPointer = 1;
}

TEST_F(Efs50Ehsi, routeShowsThePreviousWaypointFrom5NmOnly) {
    constexpr gfx::Argb kYellow = 0xFFFFFF00;
    struct Row {
        double range;
        int to, direct;
        const char* previous; // the yellow label, or null for none
    };
    const Row rows[] = {
        {12.5, 3, 0, "FOXXE"}, {5.0, 3, 0, "FOXXE"},  {2.5, 3, 0, nullptr},
        {12.5, 3, 1, "DCT"},   {12.5, 0, 0, nullptr}, // the first waypoint has none before it
    };
    DispPrevWpt = 1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.range * 100 + row.to * 10 + row.direct);
        efs50_ehsi_range = row.range;
        set_flown_to(row.to);
        direct_to_active = row.direct;
        const gfx::Recording& r = draw(kEfs50EhsiModeArcMap, kEfs50NavSourceFms);
        const gfx::RecordedOp* label = nullptr;
        for (const gfx::RecordedOp& op : r.ops)
            if (op.kind == gfx::OpKind::String && op.color == kYellow) label = &op;
        if (row.previous == nullptr) {
            EXPECT_EQ(label, nullptr);
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, row.previous);
        // The TO waypoint's label is cyan, the later ones white.
        const gfx::RecordedOp* to = r.find_text(kExampleRoute[row.to].ident);
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(to->color, kEhsiCyan);
        EXPECT_EQ(r.find_text(kExampleRoute[row.to + 1].ident)->color, 0xFFDEE6E9u);
    }
}

TEST_F(Efs50Ehsi, vorSourceWithoutSignalDrawsNoToFromTriangle) {
    // No NAV 1 signal in the stand-in. The route is active, so only a
    // triangle taken from it could tell the two frames apart.
    for (int mode : {kEfs50EhsiModeHsi, kEfs50EhsiModeArc}) {
        const std::size_t with_route = draw(mode, kEfs50NavSourceVor).fills_in_color(0xFFDEE6E9).size();
        const int to = to_waypoint_index;
        set_flown_to(kNoToWaypoint);
        EXPECT_EQ(with_route, draw(mode, kEfs50NavSourceVor).fills_in_color(0xFFDEE6E9).size()) << mode;
        set_flown_to(to);
    }
}

TEST_F(Efs50Ehsi, hsiDeviationBarStopsOnTheOuterDot) {
    // Off the FOXXE - NISQL leg, right (positive) or left; the bar lies on the
    // other side of the scale's centre (x 129) and stops at 50 units.
    struct Row {
        double nm;
        int x;
    };
    const PlanPoint& a = kExampleRoute[2];
    const PlanPoint& b = kExampleRoute[3];
    double leg = 0.0, course = 0.0, lat = 0.0, lon = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &leg, &course);
    gc_destination_point(a.lat, a.lon, course, leg / 2, &lat, &lon);
    for (const Row row : {Row{7.66, -50}, Row{-7.66, 50}, Row{3.0, -26}, Row{12.0, -50}}) {
        SCOPED_TRACE(row.nm);
        gc_destination_point(lat, lon, course + (row.nm > 0 ? 90.0 : -90.0), std::fabs(row.nm),
                             &aircraft_state.plat, &aircraft_state.plon);
        const gfx::RecordedOp* bar = nullptr;
        for (const gfx::RecordedOp* l : draw(kEfs50EhsiModeHsi, kEfs50NavSourceFms).lines_in_color(kEhsiCyan))
            if (l->pen_width == 3.0f) bar = l;
        ASSERT_NE(bar, nullptr);
        EXPECT_NEAR(bar->points[0].x, 129.0f + row.x, 0.5f);
    }
}

TEST_F(Efs50Ehsi, painterValues) {
    struct Column {
        int length, x;
    };
    for (const Column c : {Column{5, 202}, Column{6, 194}, Column{7, 187}, Column{8, 179}})
        EXPECT_EQ(efs50_distance_column(c.length), c.x) << c.length;
    EXPECT_EQ(efs50_time_to_go_text(105.0), " 1:45");
    EXPECT_EQ(efs50_time_to_go_text(30.2), " 0:30");
    EXPECT_EQ(efs50_time_to_go_text(119.6), " 2:00"); // 60 rounded minutes carry into the hours
    EXPECT_EQ(efs50_time_to_go_text(59.7), " 1:00");

    AircraftState& a = aircraft_state;
    double angle = 0.0;
    a.adf1_signal = 1.0; // not above 1.0: no ADF pointer
    EXPECT_FALSE(efs50_pointer_angle(3, true, &angle));
    a.adf1_signal = 1.5;
    a.adf1_relative_bearing_deg = 30.0;
    ASSERT_TRUE(efs50_pointer_angle(3, false, &angle));
    EXPECT_DOUBLE_EQ(angle, 390.0);

    // TO/FROM of the FMS source: the bearing to the TO waypoint against the
    // leg's course, folded across north.
    efs50_nav_source = 2;
    bool to = false;
    course_to_to_deg = 5.0;
    leg_course_deg = 355.0;
    ASSERT_TRUE(efs50_to_from(&to));
    EXPECT_TRUE(to);
    course_to_to_deg = 170.0;
    ASSERT_TRUE(efs50_to_from(&to));
    EXPECT_FALSE(to);
    set_flown_to(kNoToWaypoint);
    EXPECT_FALSE(efs50_to_from(&to));
    EXPECT_FALSE(efs50_pointer_angle(2, true, &angle));
}

} // namespace

namespace {

// The hold in the map formats with the FMS source, with or without a route;
// the level-off arc under its setting while descending to the lock.
TEST_F(Efs50Ehsi, holdAndLevelOffArcInTheMapFormatsWithTheFmsSource) {
    constexpr gfx::Argb kGreen = 0xFF25C817;
    HoldEntry h;
    h.set_active_index(3);
    h.turn = 1;
    h.leg_distance = 4.0;
    h.inbound_course = 221.0;
    for (HoldPoint& p : h.points) {
        p.lat = kExampleRoute[3].lat;
        p.lon = kExampleRoute[3].lon;
    }
    hold_list.set_count(0);
    hold_list.append(h);
    AircraftState& a = aircraft_state;
    a.snap_token_103 = a.snap_token_108 = 1.0;
    a.indicated_altitude_ft = 8000.0;
    a.ap_altitude_lock_ft = 5000.0;
    a.vertical_speed_fpm = -1500.0;
    a.ground_speed_kt = 300.0;
    auto level_off_arcs = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp* arc : r.of_kind(gfx::OpKind::Arc))
            n += arc->color == kGreen && arc->start_angle == 220.0f && arc->sweep_angle == 100.0f;
        return n;
    };
    auto hold_turns = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp* arc : r.of_kind(gfx::OpKind::Arc))
            n += arc->color == kGreen && arc->sweep_angle == 180.0f;
        return n;
    };
    struct Row {
        int mode, source, to, bod_setting;
        int turns, arcs;
    };
    const Row rows[] = {{kEfs50EhsiModeArcMap, kEfs50NavSourceFms, 3, 1, 2, 1},
                        {kEfs50EhsiModeRoseMapWxOff, kEfs50NavSourceFms, kNoToWaypoint, 1, 2, 1},
                        {kEfs50EhsiModeArcMapWxOff, kEfs50NavSourceFms, 3, 0, 2, 0},
                        {kEfs50EhsiModeArcMap, kEfs50NavSourceVor, 3, 1, 0, 0},
                        {kEfs50EhsiModeArc, kEfs50NavSourceFms, 3, 1, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode * 10 + row.source);
        set_flown_to(row.to);
        DrawBodArcOnEFS50EHSI = row.bod_setting;
        const gfx::Recording& r = draw(row.mode, row.source);
        EXPECT_EQ(hold_turns(r), row.turns);
        EXPECT_EQ(level_off_arcs(r), row.arcs);
    }
    DrawBodArcOnEFS50EHSI = 0;
    hold_list.set_count(0);
}

} // namespace

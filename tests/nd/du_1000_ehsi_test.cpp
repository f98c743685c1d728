// The DU_1000_EHSI render pass for the stand-in aircraft on the example
// route, in a 318 x 310 surface (one pixel per design unit).
#include "nd_fixture.h"

#include "data/airport_procedures.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_selection.h"
#include "nd/du_1000_ehsi_painters.h"

#include <cmath>

namespace {

constexpr gfx::Argb kWhite = 0xFFDEE6E9;
constexpr gfx::Argb kCyan = 0xFF02A7EB;
constexpr gfx::Argb kGreen = 0xFF00FA00;
constexpr gfx::Argb kMagenta = 0xFFFF13D5;

class Du1000Ehsi : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(318, 310, gfx::SurfaceCairo | gfx::SurfaceRecording);
        AircraftState& a = aircraft_state;
        a.heading_deg = a.heading_bug_deg = a.nav1_course_deg = a.map_heading_deg = 0.0;
    }
    void TearDown() override {
        du_1000_ehsi_mode = kEhsiModeCompass;
        du_1000_ehsi_range = 60.0;
        show_navaids_flags[ND_DU_1000] = show_airports_flags[ND_DU_1000] =
            show_airway_fixes_flags[ND_DU_1000] = du_1000_ehsi_show_ndbs = 0;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int mode, double range = 60.0) {
        du_1000_ehsi_mode = mode;
        du_1000_ehsi_range = range;
        rec().clear();
        render_du_1000_ehsi(dc_, PixelSize{318, 310}, RENDER_MODE_DRAW);
        return rec();
    }
    // The map layer draws in the split frame, the other painters in design units.
    static bool map_drawn(const gfx::Recording& r) {
        for (const gfx::RecordedOp& op : r.ops)
            if (op.is_drawing() && std::hypot(op.transform.m11, op.transform.m12) < 0.9f) return true;
        return false;
    }
    static int texts_in(const gfx::Recording& r, gfx::Argb colour) {
        int n = 0;
        for (const gfx::RecordedOp& op : r.ops)
            n += op.kind == gfx::OpKind::String && op.color == colour;
        return n;
    }
};

TEST_F(Du1000Ehsi, hsiLabelsStandUprightAtEveryHeading) {
    AircraftState& a = aircraft_state;
    struct Row {
        double heading;
        float x, y;
    };
    for (const Row row : {Row{0.0, 153.0f, 24.0f}, Row{90.0, 30.0f, 147.0f}}) {
        a.heading_deg = row.heading;
        const gfx::RecordedOp* label = draw(kEhsiModeCompass).text_near(row.x, row.y, 0.5f);
        ASSERT_NE(label, nullptr) << row.heading;
        EXPECT_EQ(label->text, "0");
        EXPECT_EQ(label->color, kWhite);
        EXPECT_EQ(label->font_family, "Arial");
        EXPECT_EQ(label->font_size, 15.0f);
        EXPECT_EQ(label->font_style, gfx::FontStyle::Bold);
        EXPECT_NEAR(label->transform.m12, 0.0f, 1e-5f); // upright
    }
}

TEST_F(Du1000Ehsi, hsiNeedleAndToFromHead) {
    AircraftState& a = aircraft_state;
    // Course 350, station at 010 (across north): TO, the head above the bar;
    // a station exactly 90 degrees off the course reads FROM.
    struct Row {
        double needle, course, bearing;
        float bar_x, head_y;
    };
    for (const Row row : {Row{127.0, 350.0, 10.0, 80.0f, -30.0f}, Row{-127.0, 350.0, 200.0, -80.0f, 30.0f},
                          Row{0.0, 90.0, 180.0, 0.0f, 30.0f}, Row{0.0, 90.0, 179.0, 0.0f, -30.0f}}) {
        SCOPED_TRACE(row.needle);
        a.snap_token_40 = row.needle;
        a.heading_deg = a.nav1_course_deg = row.course;
        a.nav1_relative_bearing_deg = row.bearing - row.course;
        const gfx::Recording& r = draw(kEhsiModeCompass);
        bool bar = false, head = false;
        for (const gfx::RecordedOp* op : r.lines_in_color(kCyan)) {
            const gfx::PointF p = op->points[0], q = op->points[1];
            // Course = heading: the course frame is upright about (159, 155).
            bar = bar || (std::fabs(p.x - (159.0f + row.bar_x)) < 0.5f && std::fabs(p.y - 125.0f) < 0.5f &&
                          std::fabs(q.y - 185.0f) < 0.5f);
            head = head || (std::fabs(q.x - (159.0f + row.bar_x)) < 0.5f &&
                            std::fabs(q.y - (155.0f + row.head_y)) < 0.5f && std::fabs(p.x - q.x) > 4.0f);
        }
        EXPECT_TRUE(bar);
        EXPECT_TRUE(head);
    }
}

TEST_F(Du1000Ehsi, arcLabelsAndTheBugReadoutBeyond41Degrees) {
    AircraftState& a = aircraft_state;
    const gfx::Recording& r = draw(kEhsiModeArc, 60.0);
    for (const auto& [text, x, y] : {std::tuple{" 40", 12.0f, 162.0f}, std::tuple{" 20", 68.0f, 217.0f}}) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.5f);
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(op->text, text);
        EXPECT_EQ(op->color, kCyan);
    }
    a.heading_deg = 90.0;
    a.heading_bug_deg = 150.0;
    const gfx::RecordedOp* bug = draw(kEhsiModeMap).find_text("150");
    ASSERT_NE(bug, nullptr);
    EXPECT_NEAR(std::atan2(bug->transform.m12, bug->transform.m11) * 180.0 / M_PI, 40.0, 0.01);
    a.heading_bug_deg = 30.0; // 60 degrees the other way
    const gfx::RecordedOp* left = draw(kEhsiModeMap).find_text("030");
    ASSERT_NE(left, nullptr);
    EXPECT_NEAR(std::atan2(left->transform.m12, left->transform.m11) * 180.0 / M_PI, -40.0, 0.01);
    a.heading_bug_deg = 120.0;
    EXPECT_EQ(draw(kEhsiModeMap).find_text("120"), nullptr);
}

TEST_F(Du1000Ehsi, mapModeLevelOffArcAndToWaypointFields) {
    AircraftState& a = aircraft_state;
    a.snap_token_103 = a.snap_token_108 = 1.0;
    a.ap_altitude_lock_ft = 3000.0;
    a.indicated_altitude_ft = 6000.0;
    a.vertical_speed_fpm = -1500.0;
    a.ground_speed_kt = 300.0;
    active_entry(to_waypoint_index).ident = "OLM";
    distance_to_to_nm = 12.0;
    const gfx::Recording& r = draw(kEhsiModeMap, 60.0);
    const std::size_t arcs = r.of_kind(gfx::OpKind::Arc).size();
    bool arc = false;
    for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Arc))
        arc =
            arc || (op->color == kGreen && op->world_rect.x == -78.0f && op->world_rect.y == -39.0f &&
                    op->world_rect.width == 156.0f && op->start_angle == 220.0f && op->sweep_angle == 100.0f);
    EXPECT_TRUE(arc);
    const gfx::RecordedOp* to = r.text_near(255.0f, 0.0f, 0.5f);
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->text, "OLM");
    const gfx::RecordedOp* distance = r.text_near(272.4f, 24.0f, 0.01f);
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(distance->text, "12NM");
    EXPECT_EQ(r.find_text("CRS"), nullptr); // the map shows the TO waypoint instead
    // Climbing: no arc.
    a.vertical_speed_fpm = 1500.0;
    EXPECT_EQ(draw(kEhsiModeMap).of_kind(gfx::OpKind::Arc).size(), arcs - 1);
}

TEST_F(Du1000Ehsi, mapLayerRunsOnlyInModes2And3WithSomethingToShow) {
    const gfx::RecordedOp* north = draw(kEhsiModePlan).find_text("N");
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->color, kGreen);
    EXPECT_NEAR(north->points[0].x, 164.0f, 0.01f);
    EXPECT_NEAR(north->points[0].y, 20.0f, 0.01f);
    EXPECT_EQ(draw(kEhsiModePlan).find_text("CRS"), nullptr); // no frame on the plan page

    // The route is active: modes 2 and 3 draw it, mode 1 never.
    EXPECT_TRUE(map_drawn(draw(kEhsiModePlan)));
    EXPECT_TRUE(map_drawn(draw(kEhsiModeMap)));
    EXPECT_NE(draw(kEhsiModeMap).find_text("NISQL"), nullptr);
    show_navaids_flags[ND_DU_1000] = show_airports_flags[ND_DU_1000] = 1;
    EXPECT_FALSE(map_drawn(draw(kEhsiModeArc)));
    EXPECT_EQ(draw(kEhsiModeArc).find_text("NISQL"), nullptr);
    show_navaids_flags[ND_DU_1000] = show_airports_flags[ND_DU_1000] = 0;
    set_flown_to(kNoToWaypoint);
    EXPECT_FALSE(map_drawn(draw(kEhsiModePlan)));
    EXPECT_FALSE(map_drawn(draw(kEhsiModeMap)));
    du_1000_ehsi_show_ndbs = 1;
    EXPECT_TRUE(map_drawn(draw(kEhsiModeMap)));
}

TEST_F(Du1000Ehsi, nearbyLayersStopAtTheirRanges) {
    set_flown_to(kNoToWaypoint);
    struct Row {
        int* flag;
        double shown_at, gone_at; // gone_at 0: shown at every range
    };
    const Row rows[] = {{&show_airports_flags[ND_DU_1000], 120.0, 240.0},
                        {&show_airway_fixes_flags[ND_DU_1000], 60.0, 120.0},
                        {&show_navaids_flags[ND_DU_1000], 240.0, 0.0}};
    for (const Row& row : rows) {
        *row.flag = 1;
        EXPECT_GT(texts_in(draw(kEhsiModeMap, row.shown_at), kMagenta), 0) << row.shown_at;
        if (row.gone_at > 0.0) {
            EXPECT_EQ(texts_in(draw(kEhsiModeMap, row.gone_at), kMagenta), 0) << row.gone_at;
        }
        *row.flag = 0;
    }
}

TEST_F(Du1000Ehsi, runwayDrawsOnlyWhenBothTablesHoldItsEntry) {
    AirportProcedures& origin = airport_slots[origin_slot];
    AirportRunway rwy;
    rwy.designator = "16L";
    rwy.latitude = aircraft_state.plat;
    rwy.longitude = aircraft_state.plon;
    rwy.magnetic_heading = 162.0;
    origin.runways.set_count(0);
    origin.runways.append(rwy);
    ChoicesEdit(working_plan)->applied_departure_runway = "16L";
    airport_runway_list.set_count(0);
    set_flown_to(kNoToWaypoint);
    du_1000_ehsi_show_ndbs = 1; // something to show
    EXPECT_EQ(draw(kEhsiModeMap).find_text("16L"), nullptr);
    AirportRunwayListEntry entry;
    entry.latitude = rwy.latitude;
    entry.longitude = rwy.longitude;
    airport_runway_list.append(entry);
    const gfx::RecordedOp* label = draw(kEhsiModeMap).find_text("16L");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->points[0].x, 159.0f + 8.0f, 0.5f); // at the aircraft, under the map centre
    // North up on the plan page: about the page's reference, turned by the true heading.
    const gfx::Recording& plan = draw(kEhsiModePlan);
    ASSERT_NE(plan.find_text("16L"), nullptr);
    bool turned = false;
    for (const gfx::RecordedOp* op : plan.of_kind(gfx::OpKind::Polygon)) // the outline at 60 NM
        turned = turned ||
                 std::fabs(std::remainder(std::atan2(op->transform.m12, op->transform.m11) * 180.0 / M_PI -
                                              (162.0 + aircraft_state.magvar),
                                          360.0)) < 0.01;
    EXPECT_TRUE(turned);
    ChoicesEdit(working_plan)->applied_departure_runway.clear();
}

} // namespace

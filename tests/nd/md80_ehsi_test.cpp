// The MD80_EHSI_NB render pass for the stand-in aircraft on the example
// route, in a 266 x 232 surface (one pixel per design unit), and the texts
// its map computes.
#include "nd_fixture.h"

#include "data/display_geometry.h"
#include "fms/plan_builder.h"
#include "nd/md80_ehsi_painters.h"

#include <cmath>

namespace {

constexpr gfx::Argb kMd80White = 0xFFDEE6E9;
constexpr gfx::Argb kMd80Magenta = 0xFFFF13D5;
constexpr gfx::Argb kOlive = 0xFF979700;

class Md80Ehsi : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(266, 232, gfx::SurfaceCairo | gfx::SurfaceRecording);
        AircraftState& a = aircraft_state;
        a.heading_deg = a.heading_bug_deg = a.nav1_course_deg = a.map_heading_deg = 0.0;
    }
    void TearDown() override {
        md80_ehsi_mode = kEhsiModeMap;
        md80_ehsi_range = 20.0;
        md80_ehsi_adf1_pointer_on = 0;
        show_atc_boundaries = 0;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int mode, double range = 20.0) {
        md80_ehsi_mode = mode;
        md80_ehsi_range = range;
        rec().clear();
        render_md80_ehsi(dc_, PixelSize{266, 232}, RENDER_MODE_DRAW);
        return rec();
    }
    static std::string text_at(const gfx::Recording& r, float x, float y) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.01f);
        return op ? op->text : "(none)";
    }
};

TEST_F(Md80Ehsi, mapDataBlockDistanceAndArrival) {
    AircraftState& a = aircraft_state;
    a.zulu_hours = 10.0;
    a.zulu_minutes = 50.0;
    struct Row {
        double distance, speed;
        const char* shown;
        const char* eta;
    };
    for (const Row row : {Row{99.95, 0.0, "100.0NM", "(none)"}, Row{100.0, 0.0, "100NM", "(none)"},
                          Row{60.0, 240.0, "60.0NM", "1105Z"}, Row{60.0, 30.0, "60.0NM", "(none)"}}) {
        distance_to_to_nm = row.distance;
        a.ground_speed_kt = row.speed;
        const gfx::Recording& r = draw(kEhsiModeMap);
        EXPECT_EQ(text_at(r, 0.0f, 4.0f), row.shown);
        EXPECT_EQ(text_at(r, 0.0f, 17.0f), "DTW");
        EXPECT_EQ(text_at(r, 218.0f, 4.0f), row.eta);
        EXPECT_EQ(text_at(r, 223.0f, 17.0f), std::string(row.eta) == "(none)" ? "(none)" : "ETA");
    }
    // The minutes round into the next hour, and the day wraps.
    EXPECT_EQ(md80_ehsi_arrival_text(1.0, 100.0, 23.0, 59.0), "0000Z");
    EXPECT_EQ(md80_ehsi_arrival_text(0.0, 100.0, 12.0, 59.4), "1259Z");
    EXPECT_EQ(md80_ehsi_arrival_text(10000.0, 31.0, 0.0, 0.0), "1035Z"); // 322 h 35 min later
    set_flown_to(kNoToWaypoint);
    EXPECT_EQ(draw(kEhsiModeMap).find_text("DTW"), nullptr);
}

TEST_F(Md80Ehsi, halfRangeLabelsAndCardMarks) {
    EXPECT_EQ(text_at(draw(kEhsiModeArc, 10.0), 48.0f, 150.0f), "  5");
    EXPECT_EQ(text_at(draw(kEhsiModeArc, 5.0), 48.0f, 150.0f), "2.5");
    EXPECT_EQ(text_at(draw(kEhsiModeMap, 10.0), 58.0f, 156.0f), "  5");
    struct Row {
        double d;
        bool shown;
    };
    for (const Row row : {Row{64.5, true}, Row{65.0, false}, Row{-65.0, false}, Row{-64.9, true},
                          Row{296.0, true}, Row{295.0, false}, Row{-296.0, true}, Row{0.0, true}})
        EXPECT_EQ(md80_ehsi_mark_shown(row.d), row.shown) << row.d;
    // At heading 0 the labels 30 to 06 are drawn, no further.
    const gfx::Recording& r = draw(kEhsiModeArc);
    for (const char* label : {"30", "33", "00", "03", "06"})
        EXPECT_NE(r.find_text(label), nullptr) << label;
    EXPECT_EQ(r.find_text("09"), nullptr);
    EXPECT_EQ(r.find_text("27"), nullptr);
}

TEST_F(Md80Ehsi, compassRoseGeometry) {
    AircraftState& a = aircraft_state;
    a.snap_token_41 = 127.0;
    host::set_token_code(46, 64); // glideslope valid
    const gfx::Recording& r = draw(kEhsiModeCompass);
    EXPECT_EQ(md80_compass_centre_y, 116);
    EXPECT_EQ(text_at(r, 125.0f, 49.0f), "N"); // (-8, -65) about (133, 114)
    bool cross = false, box = false;
    for (const gfx::RecordedOp* op : r.lines_in_color(kMd80White))
        cross =
            cross || (op->points[0].x == 123.0f && op->points[0].y == 116.0f && op->points[1].x == 143.0f);
    for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Rectangle))
        box = box || (op->color == kMd80Magenta && op->world_rect.x == 250.0f && op->world_rect.y == 146.0f);
    EXPECT_TRUE(cross);
    EXPECT_TRUE(box);
    EXPECT_EQ(r.find_text("ADF1"), nullptr); // the panel key is off
}

TEST_F(Md80Ehsi, toFromFoldsAcrossNorthAndReadsFromAt90) {
    AircraftState& a = aircraft_state;
    host::set_token(49, 1.0); // a NAV 1 signal
    struct Row {
        double course, bearing;
        const char* shown;
    };
    for (const Row row : {Row{350.0, 10.0, "TO"}, Row{10.0, 350.0, "TO"}, Row{0.0, 90.0, "FROM"},
                          Row{0.0, 89.0, "TO"}, Row{350.0, 190.0, "FROM"}}) {
        a.nav1_course_deg = row.course;
        a.nav1_relative_bearing_deg = row.bearing; // heading 0
        EXPECT_EQ(text_at(draw(kEhsiModeArc), 213.0f, 84.0f), row.shown) << row.course << " " << row.bearing;
    }
}

TEST_F(Md80Ehsi, planModeLowersItsRingAndLeavesBoundariesOut) {
    show_atc_boundaries = 1;
    const gfx::Recording& plan = draw(kEhsiModePlan);
    EXPECT_EQ(text_at(plan, 246.0f, 129.0f), "N");
    EXPECT_EQ(md80_compass_centre_y, 134);
    EXPECT_TRUE(plan.lines_in_color(kOlive).empty());
    bool ring = false;
    for (const gfx::RecordedOp* op : plan.of_kind(gfx::OpKind::Arc))
        ring = ring || (op->world_rect.y == -75.0f && op->transform.dy == 134.0f);
    EXPECT_TRUE(ring);
    EXPECT_FALSE(draw(kEhsiModeMap, 80.0).lines_in_color(kOlive).empty());
    EXPECT_EQ(md80_compass_centre_y, 204);
}

TEST_F(Md80Ehsi, routeInTheFineFrameSaturatesAndCutsLongIdents) {
    // A waypoint on the far side of the earth at the shortest range.
    RouteWaypoint& far = active_entry(active_plan_last);
    far.lat = -aircraft_state.plat;
    far.lon = aircraft_state.plon + 180.0;
    RouteWaypoint& to = active_entry(to_waypoint_index);
    to.ident = "ABCDEFGHIJKL";
    for (int mode : {kEhsiModeMap, kEhsiModePlan}) {
        const gfx::Recording& r = draw(mode, 0.5);
        bool saturated = false;
        for (const gfx::RecordedOp* op : r.lines_in_color(kMd80Magenta))
            for (const gfx::PointF& p : op->points) {
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
                saturated = saturated || std::fabs(p.x) > 1e6f || std::fabs(p.y) > 1e6f;
            }
        EXPECT_TRUE(saturated) << mode;
    }
    // An element of no size: the clear and nothing more.
    rec().clear();
    render_md80_ehsi(dc_, PixelSize{0, 232}, RENDER_MODE_DRAW);
    EXPECT_EQ(rec().drawing_count(), 1u);
    const gfx::Recording& r = draw(kEhsiModeMap, 40.0);
    EXPECT_NE(r.find_text("ABCDEFGHIJ"), nullptr);
    EXPECT_EQ(r.find_text("ABCDEFGHIJK"), nullptr);
}

} // namespace

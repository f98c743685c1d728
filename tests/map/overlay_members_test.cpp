// The overlay members of the DU_1000_EHSI, MD80_EHSI, PROLINE4_MFD, P1000_MFD
// and EFS50_EHSI, each on a recording element of its design size (one
// device pixel per design unit), the aircraft heading north: the level-off
// arc, the holding pattern, the boundaries, FIX INFO, the compass-card label
// and the C17 pieces.
#include "data/atc_boundaries.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/p1000_menu_state.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "gauges/gdiplus_lifetime.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr double kLat = 47.0, kLon = -122.0;
constexpr gfx::Argb kMemberMagenta = 0xFFFF13D5, kEfsGreen = 0xFF25C817, kAmber = 0xFFE9B73E,
                    kOlive = 0xFF979700, kMemberLightGreen = 0xFF5BE5A7, kMemberGreen = 0xFF00FA00;

class OverlayMembers : public ::testing::Test {
  protected:
    void SetUp() override {
        gdiplus_connect();
        aircraft_state = AircraftState{};
        aircraft_state.plat = kLat;
        aircraft_state.plon = kLon;
        hold_list.set_count(0);
        atc_boundaries.set_count(0);
        atc_boundaries_loaded = 1;
        clear_fix_info(0);
        set_flown_to(kNoToWaypoint);
    }
    void TearDown() override {
        graphics_.reset();
        if (dc_ != nullptr) gfx::destroy_surface_dc(dc_);
        hold_list.set_count(0);
        atc_boundaries.set_count(0);
        clear_fix_info(0);
        lnav_engaged = 0;
        hold_armed = 0;
        efs50_ehsi_mode = kEfs50EhsiModeHsi;
        md80_ehsi_mode = kEhsiModeMap;
        proline4_mfd_mode = kProline4ModeMap;
        du_1000_ehsi_mode = kEhsiModeCompass;
        gdiplus_disconnect();
    }
    // A fresh recording element of the design size, identity transform.
    gfx::Graphics& canvas(DesignSize size) {
        graphics_.reset();
        if (dc_ != nullptr) gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(static_cast<int>(size.width), static_cast<int>(size.height),
                                     gfx::SurfaceRecording);
        graphics_ = std::make_unique<gfx::Graphics>(dc_);
        display_ = DisplayObject{static_cast<int>(size.width), static_cast<int>(size.height)};
        return *graphics_;
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    // Whether the transform left behind is the design scale (identity here):
    // a probe line lands where it is drawn.
    bool design_scale_left() {
        graphics_->draw_line_i(gfx::Pen(0xFF123456, 1.0f), 10, 20, 30, 40);
        const auto probe = rec().lines_in_color(0xFF123456);
        return !probe.empty() && probe.back()->points[0].x == 10.0f && probe.back()->points[1].y == 40.0f;
    }
    static void ahead(double course, double nm, double* lat, double* lon) {
        gc_destination_point(kLat, kLon, course, nm, lat, lon);
    }

    DisplayObject display_{0, 0};
    void* dc_ = nullptr;
    std::unique_ptr<gfx::Graphics> graphics_;
};

TEST_F(OverlayMembers, levelOffArcPerMember) {
    // 3000 ft above the lock at -1500 ft/min and 300 kt: 10 NM ahead.
    aircraft_state.indicated_altitude_ft = 8000.0;
    aircraft_state.ap_altitude_lock_ft = 5000.0;
    aircraft_state.vertical_speed_fpm = -1500.0;
    aircraft_state.ground_speed_kt = 300.0;
    efs50_ehsi_mode = kEfs50EhsiModeArcMap;
    struct Row {
        const char* member;
        DesignSize size;
        std::function<void(gfx::Graphics&, const DisplayObject&)> draw;
        double cx, cy, x0, top, box;
        gfx::Argb colour;
    };
    const Row rows[] = {
        {"EFS50 format 5, 25 NM", efs50_ehsi_design,
         [](gfx::Graphics& g, const DisplayObject& d) { draw_bod_arc_efs50_ehsi(d, g, 95.0 / 25.0); }, 129,
         190, -45, -38, 90, kEfsGreen},
        {"MD80, 20 NM", md80_ehsi_design,
         [](gfx::Graphics& g, const DisplayObject& d) { draw_bod_arc_md80_ehsi(d, g, 180.0 / 20.0); }, 133,
         204, -75, -90, 150, kMemberGreen},
        {"PROLINE4, 40 NM", proline4_mfd_design,
         [](gfx::Graphics& g, const DisplayObject& d) { draw_bod_arc_proline4_mfd(d, g, 140.0 / 40.0); }, 123,
         220, -45, -35, 90, kMemberGreen},
        {"P1000, 12.5 NM", p1000_mfd_design,
         [](gfx::Graphics& g, const DisplayObject& d) { draw_bod_arc_p1000_mfd(d, g, 53.0 / 12.5); }, 134,
         148, -53, -42, 105, kMemberLightGreen},
    };
    for (const Row& r : rows) {
        gfx::Graphics& g = canvas(r.size);
        r.draw(g, display_);
        const auto arcs = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(arcs.size(), 1u) << r.member;
        EXPECT_EQ(arcs[0]->color, r.colour) << r.member;
        EXPECT_NEAR(arcs[0]->bounds.x, r.cx + r.x0, 0.5) << r.member;
        EXPECT_NEAR(arcs[0]->bounds.y, r.cy + r.top, 0.5) << r.member;
        EXPECT_NEAR(arcs[0]->bounds.width, r.box, 0.5) << r.member;
        EXPECT_EQ(arcs[0]->start_angle, 220.0f) << r.member;
        EXPECT_EQ(arcs[0]->sweep_angle, 100.0f) << r.member;
        // The EFS50 and P1000 members leave their display's base scale behind.
        if (r.colour != kMemberGreen) {
            EXPECT_TRUE(design_scale_left()) << r.member;
        }
        // An element of no size or a scale that is not positive draws nothing.
        rec().clear();
        r.draw(g, DisplayObject{0, 0});
        EXPECT_EQ(rec().drawing_count(), 0u) << r.member;
    }
    // The callers' condition: faster than 200 ft/min down, the lock below, both autopilot values 1.
    aircraft_state.snap_token_103 = aircraft_state.snap_token_108 = 1.0;
    EXPECT_TRUE(level_off_arc_wanted());
    aircraft_state.vertical_speed_fpm = -200.0;
    EXPECT_FALSE(level_off_arc_wanted());
    aircraft_state.vertical_speed_fpm = -201.0;
    aircraft_state.snap_token_108 = 0.0;
    EXPECT_FALSE(level_off_arc_wanted());
}

// A hold at the aircraft's position (so at the map centre), inbound north.
void add_hold(int turn, double leg_nm) {
    HoldEntry h;
    h.set_active_index(2);
    h.turn = turn;
    h.leg_distance = leg_nm;
    h.points[0].lat = kLat;
    h.points[0].lon = kLon;
    hold_list.append(h);
}

// At 194 kt the racetrack's turns are of 25 degrees of bank: a radius of
// 1.17611 NM, 11.76 units at 10 units per NM; its legs of 4 NM are 40 units.
constexpr double kTurnUnits = 11.7611;

TEST_F(OverlayMembers, racetrackInDesignUnitsPerMember) {
    aircraft_state.ground_speed_kt = 194.0;
    const double w = 2.0 * kTurnUnits;
    struct Row {
        const char* member;
        DesignSize size;
        std::function<void(gfx::Graphics&, const DisplayObject&)> draw;
        int turn;
        double cx, cy; // the fix
    };
    const DesignSize du = du_1000_ehsi_design, md80 = md80_ehsi_design, p1000 = p1000_mfd_design;
    auto md80_draw = [](gfx::Graphics& g, const DisplayObject&) {
        g.translate_transform(133.0f, 204.0f);
        draw_hold_pattern_md80_ehsi(g, 0, 0, 1.0, 1.0, 10.0);
    };
    auto du_draw = [](gfx::Graphics& g, const DisplayObject&) {
        g.translate_transform(159.0f, 272.0f);
        draw_hold_pattern_du_1000_ehsi(g, kLat, kLon, 234, 23.4, 1.0, 1.0, 0.0);
    };
    auto p1000_draw = [](gfx::Graphics& g, const DisplayObject& d) {
        draw_hold_pattern_p1000_mfd(d, g, 134, 148, 10.0);
    };
    const Row rows[] = {
        {"MD80 right", md80, md80_draw, 1, 133, 204},   {"MD80 left", md80, md80_draw, 2, 133, 204},
        {"DU right", du, du_draw, 1, 159, 272},         {"P1000 right", p1000, p1000_draw, 1, 134, 148},
        {"P1000 left", p1000, p1000_draw, 2, 134, 148},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.member);
        hold_list.set_count(0);
        add_hold(r.turn, 4.0);
        gfx::Graphics& g = canvas(r.size);
        r.draw(g, display_);
        const double side = r.turn == 1 ? w : -w;
        const auto lines = rec().lines_in_color(kMemberMagenta);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_NEAR(lines[0]->points[0].y, r.cy + 40.0, 1.0); // (0, L) to the fix
        EXPECT_NEAR(lines[0]->points[1].x, r.cx, 0.5);
        EXPECT_NEAR(lines[0]->points[1].y, r.cy, 0.5);
        EXPECT_NEAR(lines[1]->points[0].x, r.cx + side, 1.0); // (2R, 0) to (2R, L)
        EXPECT_NEAR(lines[1]->points[1].y, r.cy + 40.0, 1.0);
        const auto arcs = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(arcs.size(), 2u);
        EXPECT_NEAR(arcs[0]->bounds.x, r.cx + std::min(side, 0.0), 1.0); // far turn (0, -R, 2R, 2R)
        EXPECT_NEAR(arcs[0]->bounds.y, r.cy - kTurnUnits, 1.0);
        EXPECT_NEAR(arcs[0]->bounds.height, w, 1.0);
        EXPECT_NEAR(arcs[1]->bounds.y, r.cy + 40.0 - kTurnUnits, 1.0); // near turn (0, L - R, 2R, 2R)
    }
    // The P1000 member gives the display its design scale back.
    EXPECT_TRUE(design_scale_left());
}

TEST_F(OverlayMembers, ownFrameRacetracksSitAtTheirMapCentre) {
    add_hold(1, 4.0);
    struct Row {
        const char* member;
        DesignSize size;
        std::function<void(gfx::Graphics&, const DisplayObject&)> draw;
        double cx, cy;
    };
    const Row rows[] = {
        {"PROLINE4 map", proline4_mfd_design,
         [](gfx::Graphics& g, const DisplayObject& d) { draw_hold_pattern_proline4_mfd(d, g, 0, 0, 10.0); },
         123, 220},
        {"365 x 289", DesignSize{365.0, 289.0},
         [](gfx::Graphics& g, const DisplayObject& d) { draw_hold_pattern_365x289(d, g, 180, 200, 10.0); },
         180, 200},
    };
    for (const Row& r : rows) {
        gfx::Graphics& g = canvas(r.size);
        r.draw(g, display_);
        const auto lines = rec().lines_in_color(kMemberMagenta);
        ASSERT_EQ(lines.size(), 2u) << r.member;
        EXPECT_NEAR(lines[0]->points[1].x, r.cx, 0.5) << r.member; // the inbound leg ends at the fix
        EXPECT_NEAR(lines[0]->points[1].y, r.cy, 0.5) << r.member;
        EXPECT_NEAR(lines[0]->points[0].y, r.cy + 40.0, 0.6) << r.member; // a leg down the inbound course
        EXPECT_GT(lines[1]->points[0].x, r.cx) << r.member;               // right turn: outbound right
    }
}

// The EFS50_EHSI draws the same racetrack in its green, with the guidance dot.
TEST_F(OverlayMembers, efs50HoldItsRacetrackWithItsGuidanceDot) {
    aircraft_state.ground_speed_kt = 194.0;
    add_hold(1, 4.0);
    HoldEntry& h = hold_list.slot(1);
    ahead(0.0, 5.0, &h.points[0].lat, &h.points[0].lon);
    hold_point_course_deg = 0.0;
    hold_point_distance_nm = 5.0;
    struct Row {
        int lnav, armed;
        std::size_t dots;
        gfx::Argb colour;
    };
    for (const Row r : {Row{0, 1, 0, 0}, Row{1, 1, 1, kAmber}, Row{1, 0, 1, kEfsGreen}}) {
        lnav_engaged = r.lnav;
        hold_armed = r.armed;
        gfx::Graphics& g = canvas(efs50_ehsi_design);
        draw_hold_pattern_efs50_ehsi(display_, g, 129, 190, 10.0);
        const auto lines = rec().lines_in_color(kEfsGreen);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_NEAR(lines[0]->points[1].x, 129.0, 0.5); // the fix, 50 units ahead
        EXPECT_NEAR(lines[0]->points[1].y, 140.0, 0.5);
        EXPECT_NEAR(lines[1]->points[0].x, 129.0 + 2.0 * kTurnUnits, 1.0);
        const auto turns = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(turns.size(), 2u);
        EXPECT_NEAR(turns[0]->bounds.width, 2.0 * kTurnUnits, 1.0);
        const auto dots = rec().of_kind(gfx::OpKind::Ellipse);
        ASSERT_EQ(dots.size(), r.dots);
        if (r.dots == 0) continue;
        EXPECT_EQ(dots[0]->color, r.colour);
        EXPECT_NEAR(dots[0]->bounds.x, 125.0, 0.5);
        EXPECT_NEAR(dots[0]->bounds.y, 135.0, 0.5);
    }
}

TEST_F(OverlayMembers, boundariesOnEachDisplayAndMeasuredFromThePlanCentre) {
    AtcBoundary b;
    b.boundary_name = "KZSE";
    b.boundary_name2 = "SEA";
    b.point_count = 2;
    ahead(0.0, 10.0, &b.points.slot(1).latitude, &b.points.slot(1).longitude);
    ahead(0.0, 20.0, &b.points.slot(2).latitude, &b.points.slot(2).longitude);
    b.label_latitude = b.points[1].latitude;
    b.label_longitude = b.points[1].longitude;
    atc_boundaries.append(b);
    md80_ehsi_range = 20.0;
    proline4_mfd_range = 40.0;
    du_1000_ehsi_range = 23.4;
    du_1000_ehsi_mode = kEhsiModeMap;
    struct Row {
        const char* member;
        DesignSize size;
        void (*draw)(const DisplayObject&, gfx::Graphics&);
        double x, y; // the first point
    };
    const Row rows[] = {
        {"MD80 at 20 NM", md80_ehsi_design, draw_atc_boundaries_md80_ehsi, 133, 204 - 90},
        {"PROLINE4 at 40 NM", proline4_mfd_design, draw_atc_boundaries_proline4_mfd, 123, 220 - 35},
        {"DU_1000 map", du_1000_ehsi_design, draw_atc_boundaries_du_1000_ehsi, 159, 272 - 100},
    };
    for (const Row& r : rows) {
        gfx::Graphics& g = canvas(r.size);
        r.draw(display_, g);
        const auto lines = rec().lines_in_color(kOlive);
        ASSERT_EQ(lines.size(), 1u) << r.member;
        EXPECT_NEAR(lines[0]->points[0].x, r.x, 1.0) << r.member;
        EXPECT_NEAR(lines[0]->points[0].y, r.y, 1.0) << r.member;
    }

    // The MD80 plan format centres on the plan waypoint, 10 NM north: the
    // first point lies on it.
    set_active_last(1);
    active_entry(0).lat = kLat;
    active_entry(0).lon = kLon;
    ahead(0.0, 10.0, &active_entry(1).lat, &active_entry(1).lon);
    set_flown_to(1);
    md80_ehsi_mode = kEhsiModePlan;
    gfx::Graphics& g = canvas(md80_ehsi_design);
    draw_atc_boundaries_md80_ehsi(display_, g);
    const auto lines = rec().lines_in_color(kOlive);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0]->points[0].x, md80_compass_centre_x, 1.0);
    EXPECT_NEAR(lines[0]->points[0].y, md80_compass_centre_y, 1.0);
    set_flown_to(kNoToWaypoint);
    set_active_last(-1);
}

TEST_F(OverlayMembers, fixInfoOnTheDu1000MapAndTheP1000) {
    FixInfoRecord& f = fix_info[1];
    f.ident = "SEA";
    f.label = "V";
    f.distance_1 = 2.0;
    ahead(0.0, 10.0, &f.lat, &f.lon);
    struct Row {
        const char* member;
        DesignSize size;
        void (*draw)(const DisplayObject&, gfx::Graphics&, double);
        int du_mode;
        double cx, cy;
        gfx::Argb colour;
        bool drawn;
    };
    const Row rows[] = {
        {"DU map", du_1000_ehsi_design, draw_fix_info_du_1000_ehsi, 3, 159, 272, kMemberGreen, true},
        {"DU arc", du_1000_ehsi_design, draw_fix_info_du_1000_ehsi, 1, 159, 272, kMemberGreen, false},
        {"P1000", p1000_mfd_design, draw_fix_info_p1000_mfd, 0, 134, 148, kMemberLightGreen, true},
    };
    for (const Row& r : rows) {
        du_1000_ehsi_mode = r.du_mode;
        gfx::Graphics& g = canvas(r.size);
        r.draw(display_, g, 5.0);
        if (!r.drawn) {
            EXPECT_EQ(rec().drawing_count(), 0u) << r.member;
            continue;
        }
        // The ring 16 x 16 about the fix, 50 units ahead, and the 10-unit distance circle.
        const auto ellipses = rec().of_kind(gfx::OpKind::Ellipse);
        ASSERT_EQ(ellipses.size(), 4u) << r.member; // a ring per pair, one circle
        EXPECT_EQ(ellipses[0]->color, r.colour) << r.member;
        EXPECT_NEAR(ellipses[0]->bounds.x, r.cx - 8.0, 0.5) << r.member;
        EXPECT_NEAR(ellipses[0]->bounds.y, r.cy - 58.0, 0.5) << r.member;
        EXPECT_NEAR(ellipses[1]->bounds.width, 20.0, 0.5) << r.member;
        const gfx::RecordedOp* label = rec().find_text("2.0");
        ASSERT_NE(label, nullptr) << r.member;
        EXPECT_EQ(label->color, r.colour) << r.member;
    }
}

TEST_F(OverlayMembers, compassCardLabels) {
    gfx::Graphics& g = canvas(p1000_mfd_design);
    struct Row {
        int heading;
        const char* text;
    };
    for (const Row r : {Row{0, "N"}, Row{90, "E"}, Row{120, "12"}, Row{270, "W"}, Row{45, "  "}}) {
        rec().clear();
        draw_compass_card_label(g, r.heading);
        const gfx::RecordedOp* label = rec().find_text(r.text);
        ASSERT_NE(label, nullptr) << r.heading;
        EXPECT_EQ(rec().of_kind(gfx::OpKind::String).size(), 1u);
        EXPECT_EQ(label->font_family, "HW Arial");
        EXPECT_EQ(label->font_size, 17.0f);
        EXPECT_EQ(label->font_style, gfx::FontStyle::Bold);
        EXPECT_EQ(label->color, 0xFFDEE6E9u);
        EXPECT_NEAR(label->points[0].y, -108.0, 0.01);
        // Centred on the card's axis by its measured width (blanks at 0.5).
        const float x = label->points[0].x;
        if (r.heading == 45)
            EXPECT_FLOAT_EQ(x, 0.5f);
        else
            EXPECT_NEAR(x + label->text_box.width / 2.0f, 0.5f, 0.5f) << r.heading;
    }
}

TEST_F(OverlayMembers, c17PiecesDrawAboutTheCompassCentre) {
    c17_map_range_nm = 40.0;
    NavRecord vor;
    vor.ident = "SEA";
    vor.kind = "V";
    ahead(0.0, 10.0, &vor.latitude, &vor.longitude);
    local_navaids.clear();
    local_navaids.append(vor);
    local_navaids_centre = ListCentre{kLat, kLon};
    near_navaids_centre = ListCentre{kLat, kLon};
    gfx::Graphics& g = canvas(c17_mfd_design);
    draw_navaids_c17_variant(display_, g, 4.0);
    const gfx::RecordedOp* label = rec().find_text("SEA");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->points[0].x, 122.0 - 3.0 + 10.0, 0.5); // the symbol corner (x - 3, y - 4), 10 right
    EXPECT_NEAR(label->points[0].y, 178.0 - 40.0 - 4.0 - 6.0, 0.5);
    local_navaids.clear();
    c17_map_range_nm = 80.0;

    // The runway centrelines need an active route and a range below 80 NM.
    rec().clear();
    draw_runway_centrelines_c17(g, 1.0, 1.0, 122.0, 178.0, 4.0, 0.0);
    EXPECT_EQ(rec().drawing_count(), 0u);
}

} // namespace

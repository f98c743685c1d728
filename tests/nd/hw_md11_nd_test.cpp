// The HW_MD11_ND render pass for the stand-in aircraft on the example route:
// the route, TO label, compass labels, range texts and frame words of each
// mode, in a 240 x 258 surface (one pixel per design unit).
#include "nd_fixture.h"

#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/display_geometry.h"
#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/guidance/times_to_go.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/cdu_text.h"
#include "gauges/nd_toggles.h"
#include "map/map_projection.h"
#include "nd/hw_md11_nd_painters.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <numbers>

namespace {

constexpr gfx::Argb kMd11White = 0xFFDEE6E9, kMd11Magenta = 0xFFFF13D5, kMd11Blue = 0xFF02A7EB;

class HwMd11Nd : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(240, 258, gfx::SurfaceCairo | gfx::SurfaceRecording);
        host::aircraft().true_heading_deg = 210.0;
        host::aircraft().ap_heading_bug_deg = 210.0;
        update();
        legs_map_step = 0;
        show_navaids_flags[ND_HW_MD11] = show_airports_flags[ND_HW_MD11] =
            show_airway_fixes_flags[ND_HW_MD11] = 0;
    }
    void TearDown() override {
        hw_md11_nd_mode = kMd11NdModeMap;
        hw_md11_nd_range = 80.0;
        hw_md11_nd_compass_radius = 150;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int mode, double range, int view_mode = RENDER_MODE_DRAW) {
        hw_md11_nd_mode = mode;
        hw_md11_nd_range = range;
        hw_md11_nd_compass_radius = mode == 2 ? 94 : 150; // as the EFIS panel's keys set it
        rec().clear();
        render_hw_md11_nd(dc_, PixelSize{240, 258}, view_mode);
        return rec();
    }
    std::string text_at(const gfx::Recording& r, float x, float y, gfx::Argb* colour = nullptr) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.5f);
        if (op == nullptr) return "<none>";
        if (colour) *colour = op->color;
        return op->text;
    }
};

// Where a position lands: bearing off the map's up direction, distance times units per NM.
gfx::PointF map_point(double ref_lat, double ref_lon, double up, const PlanPoint& p, double cy, double ppn) {
    double d = 0.0, course = 0.0;
    gc_dist_course(ref_lat, ref_lon, p.lat, p.lon, &d, &course);
    const double rel = (course - up) * std::numbers::pi / 180.0;
    return {float(120.0 + d * ppn * std::sin(rel)), float(cy - d * ppn * std::cos(rel))};
}

TEST_F(HwMd11Nd, eachModeDrawsItsCompassRangeAndModeWords) {
    struct Row {
        int mode;
        gfx::PointF label_21; // the "21" compass label straight above the centre
        const char* mode_word;
        gfx::PointF range_at; // a range text and where
        const char* range_text;
    };
    const Row rows[] = {
        {kMd11NdModePlan, {-1, -1}, nullptr, {24 - 4, 125}, "40"},
        {kMd11NdModeMap, {113, 34}, "MAP", {114, 248}, "20"},
        {kMd11NdModeVor, {113, 104}, "VOR", {220, 60}, "40"},
        {kMd11NdModeApp, {113, 104}, "APPR", {220, 60}, "40"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        const gfx::Recording& r = draw(row.mode, 40.0);
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(r, row.range_at.x, row.range_at.y, &colour), row.range_text);
        EXPECT_EQ(colour, kMd11White);
        EXPECT_EQ(text_at(r, 10, 0), "GS");
        EXPECT_EQ(text_at(r, 40, 235), "NAV");
        if (row.mode == 2) {
            EXPECT_EQ(text_at(r, 215, 200), "N");
            EXPECT_EQ(r.find_text("HDG"), nullptr);
            continue;
        }
        EXPECT_EQ(text_at(r, row.label_21.x, row.label_21.y, &colour), "21");
        EXPECT_EQ(text_at(r, 104, 5), "210"); // heading, cx - 16
        EXPECT_EQ(text_at(r, 205, 215), row.mode_word);
        EXPECT_EQ(text_at(r, 205, 205), "RNG 40");
    }
    // MAP shows the labels within 70 degrees of the heading: 15 to 27.
    const gfx::Recording& map = draw(kMd11NdModeMap, 40.0);
    for (const char* l : {"15", "18", "24", "27"})
        EXPECT_NE(map.find_text(l), nullptr) << l;
    for (const char* l : {"14", "28", "03"})
        EXPECT_EQ(map.find_text(l), nullptr) << l;
}

TEST_F(HwMd11Nd, mapAndPlanDrawTheRouteWithTheToWaypointInMagenta) {
    const AircraftState& a = aircraft_state;
    struct Row {
        int mode;
        double cy, ppn;
        bool plan;
    };
    for (const Row row :
         {Row{kMd11NdModeMap, 178.0, 150.0 / 40.0, false}, Row{kMd11NdModePlan, 129.0, 94.0 / 40.0, true}}) {
        SCOPED_TRACE(row.mode);
        const gfx::Recording& r = draw(row.mode, 40.0);
        const double ref_lat = row.plan ? kExampleRoute[3].lat : a.plat;
        const double ref_lon = row.plan ? kExampleRoute[3].lon : a.plon;
        const double up = row.plan ? 0.0 : a.map_heading_deg;
        const gfx::PointF to = map_point(ref_lat, ref_lon, up, kExampleRoute[3], row.cy, row.ppn);
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(r, to.x + 7, to.y - 7, &colour), "NISQL");
        EXPECT_EQ(colour, kMd11Magenta);
        const gfx::PointF next = map_point(ref_lat, ref_lon, up, kExampleRoute[4], row.cy, row.ppn);
        EXPECT_EQ(text_at(r, next.x + 7, next.y - 7, &colour), "OLM");
        EXPECT_EQ(colour, kMd11White);
        // The frame's TO waypoint and its distance.
        EXPECT_EQ(text_at(r, 159, 7, &colour), "NISQL");
        EXPECT_EQ(colour, kMd11Magenta);
        EXPECT_NE(r.text_near(194, 9, 0.5f)->text.find("NM/"), std::string::npos);
        if (row.plan) {
            // The aircraft symbol sits at the aircraft's place on the plan: its
            // dot (centre 1 unit above the symbol's origin) lies within a unit of it.
            const gfx::PointF ac =
                map_point(ref_lat, ref_lon, 0.0, PlanPoint{"", a.plat, a.plon}, row.cy, row.ppn);
            const float ex = float(std::trunc(ac.x - 120.0) + 120.0),
                        ey = float(std::trunc(ac.y - 129.0) + 129.0);
            bool dot = false;
            for (const gfx::RecordedOp* f : r.fills_in_color(kMd11White)) {
                float mx = 0, my = 0;
                for (const gfx::PointF& q : f->points) {
                    mx += q.x / float(f->points.size());
                    my += q.y / float(f->points.size());
                }
                dot |= std::fabs(mx - ex) < 1.5f && std::fabs(my - ey) < 1.5f;
            }
            EXPECT_TRUE(dot);
        }
        // The leg into the TO waypoint runs from the waypoint before it.
        const gfx::PointF from = map_point(ref_lat, ref_lon, up, kExampleRoute[2], row.cy, row.ppn);
        bool found = false;
        for (const gfx::RecordedOp* leg : r.lines_in_color(kMd11Magenta))
            found |= std::fabs(leg->points[0].x - from.x) < 1.0 &&
                     std::fabs(leg->points[0].y - from.y) < 1.0 && std::fabs(leg->points[1].x - to.x) < 1.0 &&
                     std::fabs(leg->points[1].y - to.y) < 1.0;
        EXPECT_TRUE(found);
    }
    // A pending modification draws the whole plan once more, dashed: every leg from entry 1 on.
    auto dashed_legs = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp* l : r.lines_in_color(kMd11Magenta))
            n += l->dash_style == gfx::DashStyle::Dash;
        return n;
    };
    EXPECT_EQ(dashed_legs(draw(kMd11NdModeMap, 40.0)), 0);
    route_state = kRouteStateActiveModified;
    // From the leg into the TO on: the legs before it are flown (white).
    EXPECT_EQ(dashed_legs(draw(kMd11NdModeMap, 40.0)), active_plan_last - to_waypoint_index + 1);
    route_state = kRouteStateActive;
    // VOR and APP draw no map.
    for (const int mode : {kMd11NdModeVor, kMd11NdModeApp})
        EXPECT_EQ(draw(mode, 40.0).find_text("OLM"), nullptr);
}

// A leg into an entry before the TO is flown: white, solid or (a modification
// pending) dashed; the leg flown now and those ahead are magenta.
TEST_F(HwMd11Nd, noFlownLegInTheActiveColour) {
    for (const int to : {1, 3, 9}) {
        for (const bool modified : {false, true}) {
            SCOPED_TRACE(std::to_string(to) + (modified ? " modified" : ""));
            set_flown_to(to);
            route_state = modified ? kRouteStateActiveModified : kRouteStateActive;
            const gfx::Recording& r = draw(kMd11NdModePlan, 40.0);
            const PlanPoint& ref = kExampleRoute[static_cast<std::size_t>(to)];
            auto at = [&](std::size_t i) {
                return map_point(ref.lat, ref.lon, 0.0, kExampleRoute[i], 129.0, 94.0 / 40.0);
            };
            for (std::size_t i = 1; i < kExampleRoute.size(); ++i) {
                const gfx::PointF a = at(i - 1), b = at(i);
                gfx::Argb solid = 0, dashed = 0;
                for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Line))
                    if (std::fabs(op->points[0].x - a.x) < 1.0f && std::fabs(op->points[0].y - a.y) < 1.0f &&
                        std::fabs(op->points[1].x - b.x) < 1.0f && std::fabs(op->points[1].y - b.y) < 1.0f)
                        (op->dash_style == gfx::DashStyle::Dash ? dashed : solid) = op->color;
                const gfx::Argb colour = static_cast<int>(i) < to ? kMd11White : kMd11Magenta;
                EXPECT_EQ(solid, colour) << kExampleRoute[i].ident;
                EXPECT_EQ(dashed, modified ? colour : 0u) << kExampleRoute[i].ident;
            }
        }
    }
}

TEST_F(HwMd11Nd, toDistanceAndTimeStayInsideTheFrame) {
    aircraft_state.ground_speed_kt = 400.0;
    const gfx::FontFamily arial("Arial");
    const gfx::Font f8(arial, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    struct Row {
        double distance, minutes;
        const char* text;
        bool at_194; // short enough for its place at x 194
    };
    for (const Row row : {Row{12.3, 2.1, "12.3NM/2.1", true}, Row{206.9, 15.2, "206.9NM/15.2", false},
                          Row{1206.9, 115.2, "1206.9NM/115.2", false}}) {
        distance_to_to_nm = row.distance;
        ete_to_minutes = row.minutes;
        const gfx::RecordedOp* op = draw(kMd11NdModeMap, 40.0).find_text(row.text);
        ASSERT_NE(op, nullptr) << row.text;
        gfx::Graphics g(dc_);
        gfx::RectF box{};
        g.measure_string(row.text, f8, gfx::RectF{0.0f, 0.0f, 0.0f, 0.0f}, gfx::StringFormat{}, &box);
        EXPECT_LE(op->points[0].x + box.width, 240.01f) << row.text;
        EXPECT_EQ(op->points[0].x == 194.0f, row.at_194) << row.text;
        EXPECT_EQ(op->points[0].y, 9.0f) << row.text;
    }
}

TEST_F(HwMd11Nd, frameTextsForRangesElapsedTimeAndStatusWords) {
    const struct {
        double range;
        const char* half;
    } halves[] = {{1.0, "0.5"}, {5.0, "2.5"}, {80.0, "40"}, {0.5, " 0"}, {10.0, " 5"}};
    for (const auto& h : halves)
        EXPECT_EQ(hw_md11_nd_half_range_text(h.range), h.half) << h.range;
    EXPECT_EQ(hw_md11_nd_elapsed_text(3725.0, true), "01:02");
    EXPECT_EQ(hw_md11_nd_elapsed_text(-99.0, true), "00:00");
    EXPECT_EQ(hw_md11_nd_elapsed_text(3725.0, false), "00:00");
    EXPECT_EQ(hw_md11_nd_elapsed_text(1e300, true), "00:00"); // no overflow on a corrupt clock

    // LNAV shows only when the aircraft file asks; G/I follows engagement regardless.
    lnav_engaged = 1;
    DisplayLnavStatusOnMD11ND = 0;
    const gfx::Recording& r = draw(kMd11NdModeMap, 40.0);
    EXPECT_EQ(r.find_text("LNAV"), nullptr);
    EXPECT_EQ(text_at(r, 40, 225), "G/I");
    lnav_engaged = 0;
    EXPECT_EQ(text_at(draw(kMd11NdModeMap, 40.0), 40, 225), "R/I");

    // A selected pointer whose receiver has no signal draws no readout and no pointer.
    hw_md11_vor1_pointer = hw_md11_vor2_pointer = hw_md11_nd_brg1_adf = 1;
    ASSERT_EQ(sim_var_object.get_nav1_signal(), 0.0); // the stand-in has no station tuned
    const gfx::Recording& p = draw(kMd11NdModeVor, 40.0);
    EXPECT_EQ(p.text_near(0, 248, 0.5f), nullptr);
    EXPECT_TRUE(p.lines_in_color(kMd11Blue).empty());
    hw_md11_vor1_pointer = hw_md11_vor2_pointer = hw_md11_nd_brg1_adf = 0;
}

TEST_F(HwMd11Nd, vorModeShowsTheReceivedStationOnPointerDeviationBarAndReadout) {
    // NAV1 receiving a VOR 21 NM away, 30 degrees right; the needle at full deflection.
    host::aircraft().nav1_course_deg = 210.0;
    host::set_token(49, 1.0);
    host::set_token(31, 21.0);
    host::set_token(550, 30.0);
    host::set_token_code(46, 0);
    host::set_token(40, 127.0);
    update();
    hw_md11_vor1_pointer = hw_md11_nd_brg1_adf = 1; // VOR wins in the readout and on the rose
    const gfx::Recording& r = draw(kMd11NdModeVor, 40.0);
    hw_md11_vor1_pointer = hw_md11_nd_brg1_adf = 0;
    const gfx::RecordedOp* readout = r.text_near(0, 248, 0.5f);
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(readout->color, kMd11Blue);
    EXPECT_EQ(readout->text.substr(0, 3), "240"); // heading 210 + 30
    EXPECT_NE(readout->text.find("21.0NM"), std::string::npos);
    // The bar sits trunc(127 / 2.54) = 50 units right of the course line, on the outer dot.
    bool bar = false;
    for (const gfx::RecordedOp* l : r.lines_in_color(kMd11Magenta))
        bar |= std::fabs(l->points[0].x - 170.0f) < 0.5f && std::fabs(l->points[0].y - 148.0f) < 0.5f &&
               std::fabs(l->points[1].y - 208.0f) < 0.5f;
    EXPECT_TRUE(bar);
    EXPECT_FALSE(r.lines_in_color(kMd11Blue).empty()); // pointer 1 on the rose
}

TEST_F(HwMd11Nd, theEfisModeSetsTheMapRadiusWithIt) {
    int* modes[] = {&nd_mode_index,     &hw_b737_nd_mode,   &efs50_ehsi_mode,
                    &du_1000_ehsi_mode, &proline4_mfd_mode, &md80_ehsi_mode};
    int saved[std::size(modes)];
    for (std::size_t i = 0; i < std::size(modes); ++i)
        saved[i] = *modes[i];
    set_nd_mode(2);
    EXPECT_EQ(hw_md11_nd_mode, kMd11NdModePlan);
    EXPECT_EQ(hw_md11_nd_compass_radius, 94);
    set_nd_mode(3);
    EXPECT_EQ(hw_md11_nd_compass_radius, 150);
    for (std::size_t i = 0; i < std::size(modes); ++i)
        *modes[i] = saved[i];
}

TEST_F(HwMd11Nd, overlaysAppearOnlyInTheirModes) {
    AircraftState& a = aircraft_state;
    FixInfoRecord& fix = fix_info[1];
    fix.ident = "FIXA";
    gc_destination_point(a.plat, a.plon, 0.0, 21.0, &fix.lat, &fix.lon);
    fix.radial_1 = 90.0;
    AtcBoundary b;
    b.boundary_name = "KZSE";
    b.boundary_name2 = "SEA";
    b.point_count = 2;
    gc_destination_point(a.plat, a.plon, 0.0, 5.0, &b.points.slot(1).latitude, &b.points.slot(1).longitude);
    gc_destination_point(a.plat, a.plon, 90.0, 5.0, &b.points.slot(2).latitude, &b.points.slot(2).longitude);
    b.label_latitude = a.plat;
    b.label_longitude = a.plon;
    atc_boundaries.set_count(0);
    atc_boundaries.append(b);
    atc_boundaries_loaded = 1;
    show_atc_boundaries = 1;
    a.snap_token_103 = a.snap_token_108 = 1.0;
    a.indicated_altitude_ft = 8000.0;
    a.ap_altitude_lock_ft = 5000.0;
    a.vertical_speed_fpm = -1500.0;
    a.ground_speed_kt = 300.0;

    auto bod_arcs = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp* arc : r.of_kind(gfx::OpKind::Arc))
            n += arc->color == 0xFF00FA00u && arc->start_angle == 220.0f && arc->sweep_angle == 100.0f;
        return n;
    };
    auto magenta_arcs = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp* arc : r.of_kind(gfx::OpKind::Arc))
            n += arc->color == kMd11Magenta;
        return n;
    };
    struct Row {
        int mode, view_mode;
        bool map, bod, boundaries;
    };
    const Row rows[] = {{kMd11NdModeMap, RENDER_MODE_DRAW, true, true, true},
                        {kMd11NdModeMap, RENDER_MODE_VC2, true, true,
                         false}, // the second cockpit view leaves the boundaries out
                        {kMd11NdModePlan, RENDER_MODE_DRAW, true, false, true},
                        {kMd11NdModeVor, RENDER_MODE_DRAW, false, false, false},
                        {kMd11NdModeApp, RENDER_MODE_DRAW, false, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode * 10 + row.view_mode);
        hold_list.set_count(0);
        const int arcs_without_hold = magenta_arcs(draw(row.mode, 40.0, row.view_mode));
        HoldEntry h;
        h.set_active_index(3);
        h.turn = 1;
        h.leg_distance = 4.0;
        h.points[0].lat = kExampleRoute[3].lat;
        h.points[0].lon = kExampleRoute[3].lon;
        hold_list.append(h);
        const gfx::Recording& r = draw(row.mode, 40.0, row.view_mode);
        EXPECT_EQ(r.find_text("FIXA") != nullptr, row.map);
        EXPECT_EQ(r.find_text("090R") != nullptr, row.map);
        EXPECT_EQ(bod_arcs(r), row.bod ? 1 : 0);
        EXPECT_EQ(!r.lines_in_color(0xFF979700).empty(), row.boundaries);
        EXPECT_EQ(magenta_arcs(r) - arcs_without_hold, row.map ? 2 : 0); // the racetrack's two turns
    }

    // NAV1 tuned to the fix: its radial and reciprocal turn magenta.
    host::set_token(49, 1.0);
    host::set_token(31, 21.0);
    host::set_token_code(46, 0);
    host::set_token_text(47, "FIXA");
    update();
    gc_destination_point(a.plat, a.plon, 0.0, 21.0, &fix.lat, &fix.lon);
    int tuned = 0;
    for (const gfx::RecordedOp* l : draw(kMd11NdModeMap, 40.0).lines_in_color(kMd11Magenta))
        tuned += l->dash_style == gfx::DashStyle::Dash && l->pen_width == 2.0f;
    EXPECT_EQ(tuned, 2);

    clear_fix_info(0);
    hold_list.set_count(0);
    atc_boundaries.set_count(0);
    show_atc_boundaries = 0;
}

TEST_F(HwMd11Nd, departureRunwayStartsAtItsRunwayListEntryOnTheMeanScale) {
    // The slot's record at the aircraft, the list's entry of the same index
    // 3 NM ahead on the map: the lines start at the entry, both axes on the
    // mean of the element's two scales.
    const AircraftState& a = aircraft_state;
    AirportRunway rwy;
    rwy.designator = "16L";
    rwy.latitude = a.plat;
    rwy.longitude = a.plon;
    rwy.magnetic_heading = 162.0;
    rwy.length_ft = 5280.0;
    AirportProcedures& origin = airport_slots[origin_slot];
    origin.runways.set_count(0);
    origin.runways.append(rwy);
    ChoicesEdit(working_plan)->applied_departure_runway = "16L";
    AirportRunwayListEntry entry;
    gc_destination_point(a.plat, a.plon, a.map_heading_deg, 3.0, &entry.latitude, &entry.longitude);
    airport_runway_list.set_count(0);
    airport_runway_list.append(entry);

    const SplitScale k = split_scale(DisplayObject{240, 258}, 240.0, 258.0);
    const double mean = (k.w + k.s) / 2.0, ppn = 150.0 / 10.0;
    const double heading = rwy.magnetic_heading + a.magvar;
    auto device = [&](double lat, double lon) {
        const MapPlacement p = place_on_map(MapView{a.plat, a.plon, a.map_heading_deg, ppn}, lat, lon);
        return gfx::PointF{float(120.0 + p.x * mean * k.frame_x), float(178.0 + p.y * mean * k.frame_y)};
    };
    auto side_start = [&](double lat, double lon) {
        double s_lat = 0.0, s_lon = 0.0;
        gc_destination_point(lat, lon, heading + 90.0, 0.5, &s_lat, &s_lon);
        return device(s_lat, s_lon);
    };
    auto starts_at = [&](const gfx::Recording& r, gfx::PointF want) {
        for (const gfx::RecordedOp* l : r.lines_in_color(kMd11White))
            if (std::fabs(l->points[0].x - want.x) < 1.0f && std::fabs(l->points[0].y - want.y) < 1.0f)
                return true;
        return false;
    };
    const gfx::Recording& r = draw(kMd11NdModeMap, 10.0);
    EXPECT_TRUE(starts_at(r, side_start(entry.latitude, entry.longitude)));
    EXPECT_FALSE(starts_at(r, side_start(rwy.latitude, rwy.longitude)));
    // Not in the list: no lines.
    airport_runway_list.set_count(0);
    EXPECT_FALSE(starts_at(draw(kMd11NdModeMap, 10.0), side_start(entry.latitude, entry.longitude)));
    ChoicesEdit(working_plan)->applied_departure_runway.clear();
    origin.runways.set_count(0);
}

} // namespace

namespace {

// Heading 350 with no variation; course 350 and the VOR at 010 (TO across
// north); the ADF at relative 350, so at 340.
TEST_F(HwMd11Nd, stationIdentifiersComeFromTheReceiversTokens) {
    // NAV1 tuned to the TO waypoint; the calculator's identifiers say otherwise.
    double to_nm = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, kExampleRoute[3].lat, kExampleRoute[3].lon,
                   &to_nm, &course);
    host::set_token(49, 1.0);
    host::set_token(31, to_nm);
    host::set_token_code(46, 0);
    host::set_token(58, 1.0);
    host::set_token(20, 2.0);
    host::set_token_text(47, "NISQL");
    host::set_token_text(56, "OLM");
    host::set_token_text(19, "SEA");
    for (const char* calc : {"(A:NAV IDENT:1,string)", "(A:NAV IDENT:2,string)", "(A:ADF IDENT:1,string)"})
        host::set_calc_text(calc, "XYZ");
    update();

    hw_md11_vor1_pointer = hw_md11_vor2_pointer = 1;
    const gfx::Recording& r = draw(kMd11NdModeMap, 40.0);
    hw_md11_vor1_pointer = hw_md11_vor2_pointer = 0;
    std::string texts;
    for (const std::string& t : r.texts())
        texts += t + "|";
    EXPECT_EQ(texts.find("XYZ"), std::string::npos) << texts;
    // The station carries the name in cyan; the magenta TO label gives way to it.
    bool cyan_station = false;
    for (const gfx::RecordedOp* t : r.of_kind(gfx::OpKind::String))
        cyan_station |= t->text == "NISQL" && t->color == kMd11Blue;
    EXPECT_TRUE(cyan_station);
    const gfx::PointF to = map_point(aircraft_state.plat, aircraft_state.plon, aircraft_state.map_heading_deg,
                                     kExampleRoute[3], 178.0, 150.0 / 40.0);
    EXPECT_EQ(text_at(r, to.x + 7, to.y - 7), "<none>");
    EXPECT_NE(texts.find("NISQL|"), std::string::npos); // the pointer readouts end in them
    EXPECT_NE(texts.find("OLM|"), std::string::npos);

    hw_md11_nd_brg1_adf = 1;
    const std::string adf = draw(kMd11NdModeMap, 40.0).text_near(0, 248, 0.5f)->text;
    hw_md11_nd_brg1_adf = 0;
    EXPECT_EQ(adf.substr(adf.size() - 3), "SEA");
}

TEST_F(HwMd11Nd, toAcrossNorthAndTheAdfReadoutFoldedBelow360) {
    host::aircraft().true_heading_deg = 350.0;
    host::aircraft().ap_heading_bug_deg = 350.0;
    host::aircraft().nav1_course_deg = 350.0;
    host::set_token(49, 1.0);
    host::set_token(550, 20.0);
    host::set_token_code(46, 0);
    host::set_token(20, 2.0);
    host::set_token(39, 350.0);
    update();
    ASSERT_NEAR(aircraft_state.heading_deg, 350.0, 0.01);

    // VOR mode: the TO triangle points up the course line, above the centre.
    const gfx::Recording& v = draw(kMd11NdModeVor, 40.0);
    int to_flags = 0;
    for (const gfx::RecordedOp* f : v.fills_in_color(kMd11White))
        to_flags += f->points.size() == 3 && f->points[0].y < hw_md11_nd_centre_y - 20.0f;
    EXPECT_EQ(to_flags, 1);

    // Pointer 1 on the ADF: "340°", and in MAP the near pointer (within 55 degrees).
    hw_md11_nd_brg1_adf = 1;
    const gfx::Recording& r = draw(kMd11NdModeMap, 40.0);
    hw_md11_nd_brg1_adf = 0;
    const gfx::RecordedOp* readout = r.text_near(0, 248, 0.5f);
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(readout->text.substr(0, 5), "340\xC2\xB0");
    bool near_pointer = false;
    for (const gfx::RecordedOp* l : r.lines_in_color(kMd11Blue))
        near_pointer |=
            std::fabs(std::hypot(l->points[1].x - l->points[0].x, l->points[1].y - l->points[0].y) - 75.0) <
            1.0;
    EXPECT_TRUE(near_pointer);
}

} // namespace

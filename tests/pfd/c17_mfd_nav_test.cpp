// The C17_MFD navigation formats through the render pass at 246 x 241: the
// HSI, the map frames, the route map with its overlays, the nearby airports
// and the plan.
#include "c17_mfd_fixture.h"

#include "data/display_state.h"
#include "fms/exec/exec_cursors.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "map/range_ladder.h"
#include "pfd/c17_mfd_painters.h"
#include "shared/near_layer_fixture.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr gfx::Argb kNavWhite = 0xFFDEE6E9, kNavGreen = 0xFF00FA00, kMagenta = 0xFFFF13D5,
                    kNavCyan = 0xFF18C2E7;
constexpr double kLat = 47.45, kLon = -122.31;
const std::string kDeg = "\xC2\xB0"; // the recording keeps texts in UTF-8

class C17Nav : public C17Mfd {
  protected:
    void SetUp() override {
        C17Mfd::SetUp();
        centre_near_lists_at(kLat, kLon);
        c17_map_range_nm = 80.0;
    }
    const gfx::Recording& show(uint32_t format) {
        c17_mfd_units[1].format = format;
        return draw(1);
    }
    static bool has_text(const gfx::Recording& r, const std::string& s) { return r.find_text(s) != nullptr; }
    // A box-based op (ellipse, arc) of this colour with these device bounds.
    static const gfx::RecordedOp* box_at(const gfx::Recording& r, gfx::OpKind kind, gfx::Argb colour,
                                         gfx::RectF box) {
        for (const gfx::RecordedOp* op : r.of_kind(kind))
            if (op->color == colour && std::abs(op->bounds.x - box.x) < 0.5f &&
                std::abs(op->bounds.y - box.y) < 0.5f && std::abs(op->bounds.width - box.width) < 0.5f &&
                std::abs(op->bounds.height - box.height) < 0.5f)
                return op;
        return nullptr;
    }
    static std::size_t count_lines(const gfx::Recording& r, gfx::Argb colour, gfx::OpKind kind,
                                   std::size_t points) {
        std::size_t n = 0;
        for (const gfx::RecordedOp* op : r.lines_in_color(colour))
            n += op->kind == kind && op->points.size() == points;
        return n;
    }
};

NavRecord north_of(const char* ident, double lat, double lon, double nm, double course = 360.0) {
    NavRecord r;
    r.ident = ident;
    gc_destination_point(lat, lon, course, nm, &r.latitude, &r.longitude);
    return r;
}

// KSEA at the aircraft, ALPHA 10 NM and BRAVO 20 NM north; ALPHA is TO.
void set_route() {
    const char* idents[3] = {"KSEA", "ALPHA", "BRAVO"};
    for (int i = 0; i < 3; ++i) {
        const NavRecord p = north_of(idents[i], kLat, kLon, 10.0 * i);
        active_entry(i).ident = idents[i];
        active_entry(i).lat = p.latitude;
        active_entry(i).lon = p.longitude;
    }
    set_active_last(2);
    set_flown_to(1);
}

TEST_F(C17Nav, hsiFieldsSourcesAndPointers) {
    aircraft_state.heading_deg = 90;
    aircraft_state.nav1_course_deg = 95;
    aircraft_state.ground_speed_kt = 250;
    gfx::Argb colour = 0;
    float size = 0;
    const gfx::Recording& off = show(0);
    EXPECT_EQ(text_at(off, 108, 3, &colour, &size), "090");
    EXPECT_EQ(colour, kNavGreen);
    EXPECT_FLOAT_EQ(size, 14);
    EXPECT_EQ(text_at(off, 137, 3), "M");
    EXPECT_EQ(text_at(off, 215, 3), "095");
    EXPECT_EQ(text_at(off, 212, 15), "CRS");
    EXPECT_EQ(text_at(off, 2, 231), "GS 250");
    for (const char* absent : {"DIST", "TO", "FROM", "VOR-1"})
        EXPECT_FALSE(has_text(off, absent)) << absent;
    // The rose's labels read upright clockwise from north.
    for (const char* label : {"N", "03", "06", "E", "12", "15", "S", "21", "24", "W", "30", "33"})
        EXPECT_TRUE(has_text(off, label)) << label;

    // A VOR: its pointer; a localizer: "LOC-1" and none; the glideslope: "ILS-1" and the diamond.
    host::set_token(49, 1);
    const std::size_t vor_pointers = count_lines(show(0), kNavCyan, gfx::OpKind::Lines, 9);
    EXPECT_EQ(vor_pointers, 1u);
    host::set_token_code(46, 128);
    const gfx::Recording& loc = show(0);
    EXPECT_TRUE(has_text(loc, "LOC-1"));
    EXPECT_EQ(count_lines(loc, kNavCyan, gfx::OpKind::Lines, 9), 0u);
    host::set_token_code(46, 64);
    const gfx::Recording& ils = show(0);
    EXPECT_TRUE(has_text(ils, "ILS-1"));
    std::size_t diamonds = 0;
    for (const gfx::RecordedOp* op : ils.fills_in_color(kMagenta))
        diamonds += op->points.size() == 4 && std::abs(op->bounds.x - 232) < 0.5f;
    EXPECT_EQ(diamonds, 1u);

    // Full deviation puts the bar on the outer dot; bearing 355 with course 5 is TO.
    host::set_token_code(46, 0);
    aircraft_state.heading_deg = 0;
    aircraft_state.nav1_course_deg = 5;
    aircraft_state.nav1_relative_bearing_deg = 355;
    aircraft_state.snap_token_40 = 127;
    aircraft_state.nav1_course_deg = 0;
    EXPECT_TRUE(has_line(show(0), kMagenta, 172, 91, 172, 151));
    aircraft_state.nav1_course_deg = 5;
    const gfx::Recording& to = show(0);
    EXPECT_TRUE(has_text(to, "TO"));
    EXPECT_FALSE(has_text(to, "FROM"));
    aircraft_state.nav1_relative_bearing_deg = 185;
    EXPECT_TRUE(has_text(show(0), "FROM"));
}

TEST_F(C17Nav, hsiIdentifierTokenLeftNullReadsEmpty) {
    host::set_token(49, 1);
    host::set_token_text(47, "SEA");
    EXPECT_EQ(text_at(show(0), 212, 231), "SEA");
    host::clear_token(47);
    EXPECT_EQ(text_at(show(0), 212, 231), "");
}

TEST_F(C17Nav, mapFramesRangeLabelsCardAndOverlaySwitch) {
    aircraft_state.heading_deg = 5;
    gfx::Argb colour = 0;
    float size = 0;
    const gfx::Recording& f3 = show(3);
    const struct {
        float x, y;
        const char* text;
    } labels3[] = {{72, 200, "20"}, {30, 200, "40"}, {17, 117, "60"}};
    for (const auto& l : labels3) {
        EXPECT_EQ(text_at(f3, l.x, l.y, &colour, &size), l.text);
        EXPECT_EQ(colour, kNavWhite);
        EXPECT_FLOAT_EQ(size, 8);
    }
    EXPECT_EQ(text_at(f3, 108, 5, &colour, &size), "005");
    EXPECT_EQ(colour, kNavGreen);
    EXPECT_FLOAT_EQ(size, 14);
    EXPECT_EQ(text_at(f3, 137, 8), "M");
    const gfx::Recording& f4 = show(4);
    EXPECT_EQ(text_at(f4, 56, 110), "40");
    EXPECT_EQ(text_at(f4, 2, 90), "80");
    EXPECT_EQ(text_at(f4, 108, 17), "005"); // the heading box, over the map

    // Heading 350: marks 300 to 355 and 0 to 40 (21), the aircraft symbol's three lines.
    aircraft_state.heading_deg = 350;
    const gfx::Recording& card = show(3);
    EXPECT_EQ(count_lines(card, kNavWhite, gfx::OpKind::Line, 2), 24u);
    for (const char* label : {"30", "33", "N", "03"})
        EXPECT_TRUE(has_text(card, label)) << label;
    for (const char* label : {"27", "W", "06"})
        EXPECT_FALSE(has_text(card, label)) << label;

    // The overlay switch takes away format 3's lateral scale and pointer only.
    host::set_token(49, 1);
    const auto lateral = [](const gfx::Recording& r, gfx::Argb colour, float x, float y) {
        for (const gfx::RecordedOp* op : r.lines_in_color(colour))
            if (op->kind == gfx::OpKind::Lines && std::abs(op->points[0].x - x) < 0.5f &&
                std::abs(op->points[0].y - y) < 0.5f)
                return true;
        return false;
    };
    for (int on : {1, 0}) {
        c17_map3_overlay_on = on;
        const gfx::Recording& r = show(3);
        EXPECT_EQ(lateral(r, kNavWhite, 120, 229), on == 1); // centre box
        EXPECT_EQ(lateral(r, kMagenta, 122, 228), on == 1);  // diamond
        EXPECT_TRUE(lateral(r, kNavWhite, 233, 153));        // vertical scale
        EXPECT_TRUE(has_text(r, "GS 0"));
        const gfx::Recording& r4 = show(4);
        EXPECT_TRUE(lateral(r4, kNavWhite, 120, 229)); // format 4 ignores it
    }
}

TEST_F(C17Nav, routeIdentifiersAndNearbyRange) {
    set_route();
    const gfx::Recording& r = show(3);
    gfx::Argb colour = 0;
    EXPECT_EQ(text_at(r, 129, 171.5f, &colour), "ALPHA");
    EXPECT_EQ(colour, kMagenta);
    EXPECT_EQ(text_at(r, 129, 150, &colour), "BRAVO");
    EXPECT_EQ(colour, kNavWhite);
    EXPECT_EQ(text_at(r, 129, 193, &colour), "KSEA");
    EXPECT_EQ(colour, kNavWhite);
    // A leg into each waypoint after the first, all in magenta.
    const auto leg = [&](float y1, float y2) {
        for (const gfx::RecordedOp* op : r.lines_in_color(kMagenta))
            if (op->kind == gfx::OpKind::Line && std::abs(op->points[0].x - 122) < 1 &&
                std::abs(op->points[0].y - y1) < 1 && std::abs(op->points[1].y - y2) < 1)
                return true;
        return false;
    };
    EXPECT_TRUE(leg(200, 178.5f));
    EXPECT_TRUE(leg(178.5f, 157));

    c17_plan_route_on = 0;
    EXPECT_FALSE(has_text(show(3), "ALPHA"));
    c17_plan_route_on = 1;
    set_flown_to(kNoToWaypoint);
    EXPECT_FALSE(has_text(show(6), "ALPHA"));

    show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] = 1;
    close_airports.append(north_of("KBFI", kLat, kLon, 20.0));
    local_navaids.append(north_of("SEA", kLat, kLon, 20.0));
    for (double range : {160.0, 320.0}) {
        c17_map_range_nm = range;
        const gfx::Recording& near = show(3);
        EXPECT_EQ(has_text(near, "KBFI"), range <= 160.0) << range;
        EXPECT_EQ(has_text(near, "SEA"), range <= 160.0) << range;
    }
}

TEST_F(C17Nav, overlaysShareTheMapsReference) {
    aircraft_state.magvar = 0;
    aircraft_state.heading_deg = aircraft_state.map_heading_deg = 90;
    set_route();
    legs_map_step = 2; // chosen for the plan only
    const NavRecord fix = north_of("FIXA", kLat, kLon, 10.0);
    fix_info[1].ident = "FIXA";
    fix_info[1].lat = fix.latitude;
    fix_info[1].lon = fix.longitude;
    EXPECT_NE(box_at(show(3), gfx::OpKind::Ellipse, kNavGreen, {93, 192, 16, 16}), nullptr);

    AircraftState& a = aircraft_state;
    a.snap_token_103 = a.snap_token_108 = 1;
    a.indicated_altitude_ft = 6000;
    a.ap_altitude_lock_ft = 3000;
    a.ground_speed_kt = 300;
    for (double vs : {-1500.0, -200.0}) {
        a.vertical_speed_fpm = vs;
        const gfx::RecordedOp* arc = box_at(show(3), gfx::OpKind::Arc, kNavGreen, {47, 179, 150, 150});
        EXPECT_EQ(arc != nullptr, vs < -200.0) << vs;
        if (arc != nullptr) {
            EXPECT_EQ(arc->start_angle, 220);
            EXPECT_EQ(arc->sweep_angle, 100);
        }
    }
    a.vertical_speed_fpm = -1500;
    EXPECT_EQ(box_at(show(6), gfx::OpKind::Arc, kNavGreen, {47, 99, 150, 150}), nullptr); // not on the plan

    // A hold at the plan's centre waypoint: its inbound leg comes up to the
    // plan's centre.
    HoldEntry hold;
    hold.set_active_index(2);
    hold.turn = 1;
    hold.leg_distance = 5;
    hold.points[0].lat = active_plan[2].lat;
    hold.points[0].lon = active_plan[2].lon;
    hold_list.append(hold);
    bool ends = false;
    for (const gfx::RecordedOp* op : show(6).lines_in_color(kMagenta))
        ends |= op->kind == gfx::OpKind::Line && std::abs(op->points[1].x - 122) < 0.5f &&
                std::abs(op->points[1].y - 120) < 0.5f && op->points[1].y < op->points[0].y;
    EXPECT_TRUE(ends);
}

TEST_F(C17Nav, nearbyAirportsReachLabelAndRefresh) {
    c17_map_range_nm = 40;
    const double reach = 2 * 40.0 + 10.0;
    close_airports.append(north_of("KIN", kLat, kLon, reach - 1e-9));
    close_airports.append(north_of("KOUT", kLat, kLon, reach + 0.1));
    close_airports.append(north_of("ABCDEF", kLat, kLon, 10.0, 90.0));
    const double sx = (246.0 + 241.0) / 246.0, sy = (246.0 + 241.0) / 241.0;
    gfx::Recording& r = *gfx::surface_recording(dc_);
    r.clear();
    {
        gfx::Graphics g(dc_);
        g.scale_transform(246.0f / 487.0f, 241.0f / 487.0f);
        g.translate_transform(static_cast<float>(122 * sx), static_cast<float>(200 * sy));
        // The reference 300 NM from the aircraft: the lists stay those around the aircraft.
        const NavRecord far = north_of("", kLat, kLon, 300.0, 180.0);
        // One unit per NM keeps the far ones on the surface.
        c17_mfd_draw_nearby_symbols(g, sx, sy, kLat, kLon, 0.0, 1.0);
        EXPECT_TRUE(has_text(r, "KIN"));
        EXPECT_FALSE(has_text(r, "KOUT"));
        // Five letters, from 9 x 6 sx left of the circle's centre.
        const gfx::RecordedOp* label = r.find_text("ABCDE");
        ASSERT_NE(label, nullptr);
        EXPECT_NEAR(label->points[0].x, 122 + 10 - 54, 0.5);
        c17_mfd_draw_nearby_symbols(g, sx, sy, far.latitude, far.longitude, 0.0, 1.0);
        EXPECT_EQ(close_airports.count(), 3);
    }
}

TEST_F(C17Nav, planGridLabelsDateLineAndCentre) {
    const auto labels = [&](double lat, double lon) {
        aircraft_state.plat = lat;
        aircraft_state.plon = lon;
        std::vector<std::string> out;
        for (const std::string& t : show(6).texts())
            if (t.size() > 3 && t.compare(t.size() - 2, 2, kDeg) == 0) out.push_back(t);
        return out;
    };
    std::vector<std::string> expected;
    for (int lon = 127; lon >= 117; --lon)
        expected.push_back("W" + std::to_string(lon) + kDeg);
    std::vector<std::string> got = labels(47.6, -122.3);
    ASSERT_EQ(got.size(), 21u);
    for (int lat = 42; lat <= 51; ++lat)
        EXPECT_NE(std::find(got.begin(), got.end(), "N" + std::to_string(lat) + kDeg), got.end()) << lat;
    for (const std::string& e : expected)
        EXPECT_NE(std::find(got.begin(), got.end(), e), got.end()) << e;

    got = labels(47.6, 178.5);
    for (const char* e : {"E173", "E180", "W179", "W177"})
        EXPECT_NE(std::find(got.begin(), got.end(), e + kDeg), got.end()) << e;
    EXPECT_EQ(std::find(got.begin(), got.end(), "W176" + kDeg), got.end());

    c17_map_range_nm = 320;
    EXPECT_TRUE(labels(47.6, -122.3).empty());

    // A step past the plan's end centres on the aircraft: its symbol at the centre.
    c17_map_range_nm = 80;
    set_route();
    legs_map_step = 50;
    EXPECT_TRUE(has_line(show(6), kNavWhite, 122, 115, 122, 135));
    legs_map_step = 2;
    EXPECT_FALSE(has_line(show(6), kNavWhite, 122, 115, 122, 135));
}

} // namespace

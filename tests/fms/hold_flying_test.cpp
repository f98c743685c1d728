// Holds: the pattern geometry, and a hold flown in the stand-in from its fix
// around the pattern and out again, with the next hold entered at its fix.
#include "update_fixture.h"

#include "fms/guidance/hold_flying.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/plan/holds.h"
#include "gauges/gdiplus_lifetime.h"
#include "map/map_overlays.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

HoldEntry hold_at(int index, const PlanPoint& fix, double inbound_course) {
    HoldEntry h;
    h.ident = fix.ident;
    h.set_active_index(index);
    h.turn = 1;
    h.leg_time = 1.0;
    h.leg_mode = kHoldLegByTime;
    h.inbound_course = inbound_course;
    h.points[0].lat = fix.lat;
    h.points[0].lon = fix.lon;
    return h;
}

double distance_between(const GeoPosition& a, const GeoPosition& b, double* course) {
    double d = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, course);
    return d;
}

// The racetrack at a hold speed: legs of the leg time at it (150 kt the
// least), turns of standard rate or of 25 degrees of bank where standard rate
// needs more. The points end its parts: abeam the fix two radii off, the
// outbound leg's end, a leg before the fix on the inbound line, the fix.
TEST(HoldPattern, RacetrackOfTheLegTimeAndTheTurnAtTheHoldSpeed) {
    const PlanPoint fix{"FIX", 47.0, 8.0};
    const GeoPosition f{fix.lat, fix.lon};
    struct Row {
        double ground_speed;
        int turn;
        double leg, radius; // worked out by hand
    };
    const Row rows[] = {
        {120.0, 1, 2.5, 0.79577},     // 150 kt, standard rate
        {194.0, 1, 3.23333, 1.17611}, // 25 degrees of bank
        {286.0, 2, 4.76667, 2.55608},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ground_speed);
        hold_list.clear();
        hold_list.append(hold_at(2, fix, 270.0));
        hold_list.slot(1).turn = r.turn;
        aircraft_state.magvar = 90.0; // inbound 270 magnetic is 360 true
        aircraft_state.ground_speed_kt = r.ground_speed;
        build_hold_pattern();
        EXPECT_NEAR(hold_list[1].leg_distance, r.leg, 1e-4);
        const double side = r.turn == 1 ? 90.0 : 270.0;
        struct Leg {
            double distance, course;
        };
        const Leg legs[] = {{2.0 * r.radius, side},
                            {r.leg, 180.0},
                            {2.0 * r.radius, side == 90.0 ? 270.0 : 90.0},
                            {r.leg, 360.0}};
        GeoPosition previous = f;
        for (int k = 0; k < 4; ++k) {
            double course = 0.0;
            EXPECT_NEAR(distance_between(previous, hold_pattern_points[k], &course), legs[k].distance, 2e-3)
                << k;
            EXPECT_NEAR(course, legs[k].course, 0.1) << k;
            previous = hold_pattern_points[k];
        }
        EXPECT_TRUE(hold_list[1].points[1].label.empty()); // LNAV off: built, not stored
    }

    lnav_engaged = 1;
    hold_list.slot(1).leg_mode = kHoldLegByDistance; // a pilot's leg length stays as it is
    hold_list.slot(1).leg_distance = 4.0;
    build_hold_pattern();
    EXPECT_EQ(hold_list[1].leg_distance, 4.0);
    EXPECT_EQ(hold_list[1].points[2].label, "Dwind");
    double course = 0.0;
    EXPECT_NEAR(distance_between(hold_pattern_points[0], hold_pattern_points[1], &course), 4.0, 2e-3);
}

// The way round the racetrack a climb or descent in the pattern is placed
// along: a leg of 4 NM and turns of 1 NM, a lap of 2 (4 + pi) NM, from an
// aircraft abeam its place on a part (straight to the part's start while it
// joins it; off the part, back onto it over 5 NM), round and round or out at
// the end of the part the pilot leaves it at.
TEST(HoldPattern, WalkedRoundFromTheAircraftsPlaceOrLeftAtAPartsEnd) {
    const HoldRacetrack r{{47.0, 8.0}, 0.0, 1, 4.0, 1.0};
    const double lap = 2.0 * (4.0 + kPi);
    struct Row {
        int part;
        double u, v, nm;
        int leave_after;
        double to_u, to_v, left; // worked out by hand
    };
    const Row rows[] = {
        {4, -4.0, 0.0, 3.0, 0, -1.0, 0.0, 0.0},             // along the inbound leg
        {4, -1.0, 0.0, 1.0 + kPi / 2.0, 0, 1.0, 1.0, 0.0},  // over the fix, a quarter turn on
        {1, -2.0, 0.0, 2.0, 0, 0.0, 0.0, 0.0},              // on the inbound line to the turn
        {2, -1.0, 2.0, 3.0 + kPi + 1.0, 0, -3.0, 0.0, 0.0}, // round the far turn
        {2, 0.0, 2.0, 3.0 * lap + 2.0, 0, -2.0, 2.0, 0.0},  // whole laps come back
        {2, -1.0, 2.5, 1.0, 0, -2.0, 2.4, 0.0},             // off the leg: its offset a fifth gone
        {2, -1.0, 2.5, 6.0, 0, -4.14112, 0.01001, 0.0},     // and all gone 5 NM on, in the turn
        {3, -4.0, 2.0, kPi + 4.0 + 5.0, 4, 0.0, 0.0, 5.0},  // left at the fix
        {2, -1.0, 2.0, 10.0, 2, -4.0, 2.0, 7.0},            // left at the part's end
        {3, -4.0, 2.0, 2.0 * lap, 0, -4.0, 2.0, 0.0},       // a lap from a part's start
        {2, 3.0, 0.0, 1.80278, 0, 1.5, 1.0, 0.0},           // joined against the inbound course:
        {2, 3.0, 0.0, 4.60555, 0, -1.0, 2.0, 0.0},          // across to the outbound leg's start
        {1, -3.0, -4.0, 2.5, 0, -1.5, -2.0, 0.0},           // off the inbound line: straight to the fix
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "part " << row.part << " +" << row.nm);
        const GeoPosition from = racetrack_point(r, row.u, row.v);
        double u = 0.0, v = 0.0;
        racetrack_frame(r, from.lat, from.lon, &u, &v);
        const RacetrackWalk w = walk_racetrack(r, row.part, u, v, row.nm, row.leave_after);
        racetrack_frame(r, w.at.lat, w.at.lon, &u, &v);
        EXPECT_NEAR(u, row.to_u, 1e-3);
        EXPECT_NEAR(v, row.to_v, 1e-3);
        EXPECT_NEAR(w.left_nm, row.left, 1e-6);
    }
}

using HoldFlying = UpdateTest;

TEST_F(HoldFlying, EnteredAtTheFixFlownAroundAndLeftThenTheNextHoldStartsAtItsFix) {
    host::aircraft().altitude_ft = 3000.0;
    host::aircraft().ias_kt = 180.0;
    const PlanPoint p0{"P0", 47.0, 8.0};
    std::vector<PlanPoint> plan{p0};
    for (int i = 1; i <= 4; ++i)
        plan.push_back(offset("P" + std::to_string(i), plan.back(), 0.0, 12.0));
    const PlanPoint start = offset("A", plan[1], 180.0, 2.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    hold_list.append(hold_at(2, plan[2], 360.0));
    hold_list.append(hold_at(3, plan[3], 360.0));

    ASSERT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 600));
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_EQ(hold_exit_state, kHoldExitHolding);
    EXPECT_EQ(holding_active, 1);
    const std::size_t bug_events = sent(0x101FA).size();

    // Two laps: the points follow one another and the TO waypoint stays.
    std::vector<int> points{holding_active};
    ASSERT_TRUE(pass_until(
        [&] {
            if (holding_active != points.back()) points.push_back(holding_active);
            return points.size() == 9;
        },
        18 * 1200));
    EXPECT_EQ(points, (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_GT(sent(0x101FA).size(), bug_events + 4); // the hold turns the bug

    hold_exit_state = kHoldExitAtPointOne;
    ASSERT_TRUE(pass_until([] { return hold_count() == 1; }, 18 * 600));
    EXPECT_EQ(hold_armed, 0);
    EXPECT_EQ(holding_active, 0); // the next hold is flown to its fix first
    EXPECT_EQ(hold_list[1].active_index(), 3);
    ASSERT_TRUE(pass_until([] { return to_waypoint_index == 3; }, 18 * 600));
    ASSERT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 600));
    EXPECT_EQ(to_waypoint_index, 3);
    double course = 0.0;
    EXPECT_LT(
        distance_between({aircraft_state.plat, aircraft_state.plon}, {plan[3].lat, plan[3].lon}, &course),
        3.0);
}

// The radius of a hold turn at the fastest ground speed a turn meets (the
// true airspeed and the wind, the ground speed, 150 kt the least): standard
// rate, or 25 degrees of bank where that is wider.
double turn_radius(const AircraftState& a) {
    const double speed = std::max({a.ground_speed_kt, a.true_airspeed_est_kt + a.wind_speed_kt, 150.0});
    const double fps = speed * 1.68781;
    const double standard_rate = speed / 3600.0 / (3.0 * kPi / 180.0);
    return std::max(standard_rate, fps * fps / (32.174 * std::tan(25.0 * kPi / 180.0)) / 6076.12);
}

struct Nm {
    double east = 0.0, north = 0.0;
};

// The racetrack as a map draws it: hold 1 drawn north up about its fix, as
// points along its lines and turns, in NM from the fix.
std::vector<Nm> drawn_racetrack(const PlanPoint& fix) {
    constexpr double kUnitsPerNm = 20.0;
    gdiplus_connect();
    void* dc = gfx::create_surface_dc(8, 8, gfx::SurfaceRecording);
    {
        gfx::Graphics g(dc);
        draw_hold_pattern_c17_mfd(g, 1.0, 1.0, fix.lat, fix.lon, 0.0, kUnitsPerNm);
    }
    std::vector<Nm> points;
    auto add = [&](double x, double y) { points.push_back({x / kUnitsPerNm, -y / kUnitsPerNm}); };
    for (const gfx::RecordedOp& op : gfx::surface_recording(dc)->ops) {
        if (op.kind == gfx::OpKind::Line) {
            for (int i = 0; i <= 100; ++i)
                add(op.points[0].x + (op.points[1].x - op.points[0].x) * i / 100.0,
                    op.points[0].y + (op.points[1].y - op.points[0].y) * i / 100.0);
        } else if (op.kind == gfx::OpKind::Arc) {
            // The box's corners from its top left, clockwise.
            const gfx::PointF* c = op.points.data();
            const double cx = (c[0].x + c[2].x) / 2.0, cy = (c[0].y + c[2].y) / 2.0;
            for (int i = 0; i <= 100; ++i) {
                const double a = (op.start_angle + op.sweep_angle * i / 100.0) * kPi / 180.0;
                add(cx + std::cos(a) * (c[1].x - c[0].x) / 2.0 + std::sin(a) * (c[3].x - c[0].x) / 2.0,
                    cy + std::cos(a) * (c[1].y - c[0].y) / 2.0 + std::sin(a) * (c[3].y - c[0].y) / 2.0);
            }
        }
    }
    gfx::destroy_surface_dc(dc);
    gdiplus_disconnect();
    return points;
}

double off_drawing(const std::vector<Nm>& drawing, const PlanPoint& fix, double lat, double lon) {
    double d = 0.0, course = 0.0;
    gc_dist_course(fix.lat, fix.lon, lat, lon, &d, &course);
    const Nm at{d * std::sin(course * kPi / 180.0), d * std::cos(course * kPi / 180.0)};
    double nearest = 1e9;
    for (const Nm& p : drawing)
        nearest = std::min(nearest, std::hypot(p.east - at.east, p.north - at.north));
    return nearest;
}

// From the fix on, the entry included, the aircraft stays within a turn's
// width of the racetrack the maps draw, whatever way it comes to the fix and
// at every speed; once round to the fix, within a quarter of a turn's radius,
// and the cross-track error shown is how far off the racetrack it is. The bug
// moves at most once a pass.
TEST_F(HoldFlying, FlownWhereTheMapsDrawTheRacetrackFromTheFixOn) {
    struct Case {
        double arrival; // true course flown to the fix; the hold is inbound 360
        int turn;
        double ias, altitude;
        double leg_nm = -1.0; // a leg length given; none: a leg of a minute
        double wind_from = 0.0, wind_kt = 0.0;
        double fix_lat = 47.0;
    };
    const Case cases[] = {
        {360.0, 1, 180.0, 3000.0},                     // along the inbound course
        {90.0, 1, 250.0, 10000.0},                     // across, towards the side of the turns
        {270.0, 1, 194.0, 6000.0},                     // across, from the side of the turns
        {180.0, 2, 250.0, 10000.0},                    // against the inbound course
        {210.0, 1, 290.0, 15000.0},                    // against it, from the other side, fast
        {20.0, 2, 220.0, 8000.0, 0.0},                 // a leg of no length: circles over the fix
        {330.0, 1, 220.0, 8000.0, 8.0},                // a long leg given
        {360.0, 1, 200.0, 12000.0, -1.0, 300.0, 30.0}, // in a wind across the pattern
        // 3 NM from a pole at FL350, where true north turns round the fix.
        {360.0, 2, 250.0, 35000.0, -1.0, 0.0, 0.0, 89.95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrival);
        SetUp();
        hold_list.clear();
        hold_armed = 0;
        holding_active = 0;
        hold_exit_state = kHoldExitNotEntered;
        host::aircraft().altitude_ft = c.altitude;
        host::aircraft().ias_kt = c.ias;
        host::aircraft().wind_from_deg = c.wind_from;
        host::aircraft().wind_speed_kt = c.wind_kt;
        const PlanPoint fix{"FIX", c.fix_lat, 8.0};
        const PlanPoint p1 = offset("P1", fix, c.arrival + 180.0, 12.0);
        const std::vector<PlanPoint> plan{offset("P0", p1, c.arrival + 180.0, 12.0), p1, fix,
                                          offset("P3", fix, c.arrival, 30.0)};
        const PlanPoint start = offset("A", p1, c.arrival + 180.0, 2.0);
        place(start.lat, start.lon, c.arrival);
        activate(plan);
        HoldEntry h = hold_at(2, fix, 360.0);
        h.turn = c.turn;
        if (c.leg_nm >= 0.0) {
            h.leg_mode = kHoldLegByDistance;
            h.leg_distance = c.leg_nm;
        }
        hold_list.append(h);

        ASSERT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 900));
        double entry = 0.0, round = 0.0, radius = 0.0;
        double shown_gap = 0.0; // between the cross-track error shown and the way off the drawing
        bool entered = false;
        std::size_t events = sent(0x101FA).size();
        bool one_a_pass = true;
        std::vector<int> points{holding_active};
        ASSERT_TRUE(pass_until(
            [&] {
                radius = turn_radius(aircraft_state);
                const double off =
                    off_drawing(drawn_racetrack(fix), fix, aircraft_state.plat, aircraft_state.plon);
                (entered ? round : entry) = std::max(entered ? round : entry, off);
                if (entered) shown_gap = std::max(shown_gap, std::fabs(cross_track_nm - off));
                one_a_pass = one_a_pass && sent(0x101FA).size() <= events + 1;
                events = sent(0x101FA).size();
                if (holding_active != points.back()) points.push_back(holding_active);
                entered = entered || (points.size() >= 2 && points.back() == 1);
                return points.size() == 9;
            },
            18 * 3000));
        EXPECT_LE(entry, 2.0 * radius);
        EXPECT_LE(round, 0.25 * radius);
        EXPECT_LE(shown_gap, 0.1); // the drawing is in whole units of 1/20 NM
        EXPECT_TRUE(one_a_pass);
        EXPECT_EQ(to_waypoint_index, 2);
    }
}

// Parked or taxiing by the fix the hold is not entered; in the air it is.
TEST_F(HoldFlying, NotEnteredStandingByItsFix) {
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = m.ground_elevation_ft = 433.0;
    m.ias_kt = 0.0;
    const PlanPoint p0{"P0", 47.0, 8.0};
    const PlanPoint fix = offset("FIX", p0, 0.0, 0.3);
    place(p0.lat, p0.lon, 0.0);
    activate({p0, fix, offset("P2", fix, 0.0, 20.0)});
    hold_list.append(hold_at(1, fix, 360.0));
    passes(36);
    EXPECT_EQ(hold_armed, 0);
    m.ias_kt = 20.0;
    passes(36);
    EXPECT_EQ(hold_armed, 0);
    m.altitude_ft = 1500.0;
    m.ias_kt = 160.0;
    EXPECT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 60));
}

// The pattern's first heading goes to the bug also when it is 360 (the
// memory of what was sent says nothing yet, not 0), and again for a hold
// entered after an earlier one sent the same heading.
TEST_F(HoldFlying, ThePatternsFirstHeadingIsSentEvenWhenItIs360) {
    const PlanPoint fix{"FIX", 47.0, 8.0};
    struct Case {
        double nm_south_of_fix; // at the fix (entered now) or past it, flying to point 1
        int holding_active;
        double sent_before;
    };
    for (const Case& c : {Case{0.25, 1, hold_heading_sent}, Case{0.1, 0, 360.0}}) {
        SCOPED_TRACE(c.holding_active);
        host::reset_sim_state();
        hold_list.clear();
        activate({offset("P0", fix, 180.0, 10.0), fix, offset("P2", fix, 0.0, 20.0)}); // the fix is the TO
        hold_list.append(hold_at(1, fix, 360.0)); // point 1 due north of the fix
        const PlanPoint at = offset("A", fix, 180.0, c.nm_south_of_fix);
        aircraft_state.plat = at.lat;
        aircraft_state.plon = at.lon;
        aircraft_state.magvar = 0.0;
        lnav_engaged = 1;
        hold_armed = 1;
        hold_exit_state = c.holding_active == 0 ? 1 : 0;
        holding_active = c.holding_active;
        hold_heading_sent = c.sent_before;
        build_hold_pattern();
        EXPECT_EQ(holding_active, 1);
        EXPECT_EQ(sent(0x101FA), std::vector<uint32_t>{360});
    }
}

} // namespace

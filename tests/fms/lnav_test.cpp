// LNAV: the cross-track side and distance of leg_course_and_distance, the
// steering point and heading command on both sides of the leg, the heading
// bug event, and the direct-to leg.
#include "update_fixture.h"

#include "fms/guidance/cross_track.h"
#include "fms/guidance/lnav.h"
#include "fms/math/heading_math.h"
#include "fms/sequencing.h"
#include "plan_builder.h"

#include <cmath>

namespace {

const PlanPoint kP0{"P0", 47.0, 8.0};

using Lnav = UpdateTest;

// The aircraft 10 NM along a 40 NM northbound leg and 2 NM off it. The
// steering point lies 3 NM ahead of the point the leg's remaining length
// gives (hypot(30, 2) - 30 NM behind abeam), so the command is
// atan(2 / 2.9334) = 34.29 degrees toward the leg.
class Steering : public UpdateTest {
  protected:
    void fly(double side_course, double magvar, int side, double heading) {
        host::aircraft().magvar_deg = magvar;
        const PlanPoint p1 = offset("P1", kP0, 0.0, 40.0);
        const PlanPoint at = offset("A", offset("B", kP0, 0.0, 10.0), side_course, 2.0);
        place(at.lat, at.lon, 0.0);
        activate({kP0, p1, offset("P2", p1, 0.0, 40.0)});
        passes(18); // to slot 0, where the heading mode and the variation are read
        EXPECT_EQ(cross_track_direction, side);
        EXPECT_NEAR(cross_track_nm, 2.0, 0.01);
        EXPECT_NEAR(lnav_heading_command, heading, 0.1);
        ASSERT_EQ(sent(0x101FA).size(), 1u);
        EXPECT_EQ(sent(0x101FA)[0], static_cast<uint32_t>(std::trunc(lnav_heading_command)));
        EXPECT_EQ(last_heading_bug_sent, static_cast<int>(sent(0x101FA)[0]));

        // Out of heading mode the command stays computed but no event goes.
        host::aircraft().ap_heading_hold = false;
        passes(36);
        EXPECT_EQ(last_heading_bug_sent, 999);
        EXPECT_EQ(sent(0x101FA).size(), 1u);
        host::aircraft().ap_heading_hold = true;
        passes(18 * 150); // back in heading mode: the aircraft closes on the leg
        EXPECT_GT(sent(0x101FA).size(), 1u);
        EXPECT_LT(cross_track_nm, 0.2);
        EXPECT_EQ(cross_track_direction, side); // approached without crossing
    }
};

TEST_F(Steering, FromTheRightOfTheLeg) {
    fly(90.0, 0.0, 1, 360.0 - 34.29);
}

TEST_F(Steering, FromTheLeftOfTheLegWithVariation) {
    fly(270.0, 10.0, 2, 34.29 - 10.0);
}

TEST(CrossTrack, SidesOffsetsAndTheLimitOfTheMode) {
    const PlanPoint p1 = offset("P1", kP0, 10.0, 40.0);
    set_active_last(1);
    active_entry(0).ident = "P0";
    active_entry(1).ident = "P1";
    active_entry(0).lat = kP0.lat;
    active_entry(0).lon = kP0.lon;
    active_entry(1).lat = p1.lat;
    active_entry(1).lon = p1.lon;
    set_flown_to(1);
    set_to_position(GeoPosition{p1.lat, p1.lon});
    const PlanPoint at = offset("A", offset("B", kP0, 10.0, 10.0), 100.0, 7.0); // 7 NM right
    aircraft_state.plat = at.lat;
    aircraft_state.plon = at.lon;
    aircraft_state.heading_deg = 350.0;
    update_leg_geometry();

    int bearing_side = 0, xtk_side = 0, heading_side = 0;
    double bearing_offset = 0, xtk = 0, heading_offset = 0;
    leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side, &heading_offset,
                            kCrossTrackModeNarrow);
    EXPECT_EQ(xtk, 5.0);
    EXPECT_EQ(xtk_side, 1);
    EXPECT_NEAR(heading_offset, 340.0, 0.01); // not folded: 350 against 10
    EXPECT_EQ(heading_side, 2);               // 20 degrees left of the course, as the offset rule has it
    EXPECT_EQ(bearing_side, 2); // the TO waypoint lies left of the leg course seen from the right
    leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side, &heading_offset,
                            kCrossTrackModeWide);
    EXPECT_NEAR(xtk, std::hypot(7.0, std::hypot(30.0, 7.0) - 30.0), 0.01); // from the along-track point

    // Without a leg to measure against (TO 0 or past the plan): -99.
    for (int to : {0, 2, 999}) {
        set_flown_to(to);
        xtk = 1.0;
        leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side,
                                &heading_offset, kCrossTrackModeWide);
        EXPECT_EQ(xtk, -99.0) << to;
    }
}

// On a leg a hair either side of north or south the aircraft on it is on it,
// and so is the point LNAV steers to: neither is placed on a course of 360.
TEST(CrossTrack, OnALegWhateverItsCourse) {
    for (const double course : {0.0, 0.3, 359.7, 180.0, 180.3}) {
        const PlanPoint p1 = offset("P1", kP0, course, 80.0);
        set_active_last(1);
        for (const int i : {0, 1}) {
            const PlanPoint& p = i == 0 ? kP0 : p1;
            active_entry(i).ident = p.ident;
            active_entry(i).lat = p.lat;
            active_entry(i).lon = p.lon;
        }
        set_flown_to(1);
        set_to_position(GeoPosition{p1.lat, p1.lon});
        const PlanPoint at = offset("A", kP0, course, 40.0);
        aircraft_state.plat = at.lat;
        aircraft_state.plon = at.lon;
        update_leg_geometry();
        int bearing_side = 0, xtk_side = 0, heading_side = 0;
        double bearing_offset = 0, xtk = 0, heading_offset = 0;
        leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side,
                                &heading_offset, kCrossTrackModeWide);
        EXPECT_LT(xtk, 0.003) << course;
        steer_lnav();
        EXPECT_LT(off_great_circle_nm(kP0.lat, kP0.lon, p1.lat, p1.lon, steer_point.lat, steer_point.lon),
                  0.003)
            << course;
    }
}

TEST(HeadingBug, KeepsTheHeadingSentWhileTheCommandRoundsToIt) {
    struct Row {
        double command;
        int sent, expected;
    };
    const Row rows[] = {
        {202.9998, 203, 203}, // just under the heading on the bug: no new heading
        {202.4, 203, 202},    // a real change
        {203.7, 203, 203},
        {204.2, 203, 204},
        {202.9998, 999, 202}, // nothing sent: truncated
        {std::nextafter(203.0, 0.0), 999, 203},
        {360.4, 0, 0}, // either side of north
        {0.6, 360, 0},
        {123.6, 100, 123},
    };
    for (const Row& r : rows)
        EXPECT_EQ(heading_bug_value(r.command, r.sent), r.expected) << r.command << " " << r.sent;
}

// Tracking this leg, the command hovers a few ten-thousandths of a degree
// either side of 203; the bug settles instead of flipping 202/203.
TEST_F(Lnav, TrackingALegTheBugSettles) {
    const PlanPoint p1 = offset("P1", kP0, 203.0, 60.0);
    const PlanPoint at = offset("A", offset("B", kP0, 203.0, 5.0), 293.0, 0.3);
    place(at.lat, at.lon, 203.0);
    activate({kP0, p1, offset("P2", p1, 0.0, 40.0)});
    passes(18 * 60); // onto the leg
    ASSERT_LT(cross_track_nm, 0.05);
    const std::size_t before = sent(0x101FA).size();
    passes(18 * 60);
    EXPECT_LE(sent(0x101FA).size() - before, 1u);

    EXPECT_LT(cross_track_nm, 0.05);
}

TEST_F(Lnav, DirectToFliesFromItsOriginUntilEstablishedOnIt) {
    const PlanPoint p1 = offset("P1", kP0, 0.0, 30.0);
    const PlanPoint at = offset("A", kP0, 90.0, 6.0);
    place(at.lat, at.lon, 0.0);
    activate({kP0, p1, offset("P2", p1, 0.0, 30.0)});
    pass();
    start_direct_to(); // from here straight to P1
    EXPECT_EQ(direct_to_active, 1);
    EXPECT_NEAR(direct_to_origin.lat, aircraft_state.plat, 1e-12);
    double d = 0, course = 0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, p1.lat, p1.lon, &d, &course);
    EXPECT_NEAR(direct_to_course_deg, course, 1e-9);

    // Made from a point the aircraft has since drifted 4 NM away from.
    direct_to_origin = GeoPosition{offset("O", at, 270.0, 4.0).lat, offset("O", at, 270.0, 4.0).lon};
    gc_dist_course(direct_to_origin.lat, direct_to_origin.lon, p1.lat, p1.lon, &d, &course);
    direct_to_course_deg = course;
    pass();
    EXPECT_EQ(direct_to_active, 1);
    EXPECT_NEAR(leg_distance_nm, d, 0.01); // the leg starts at the direct-to origin
    EXPECT_NEAR(cross_track_nm, 4.0, 0.1);
    double sd = 0, sc = 0; // the steering point lies on the direct-to track
    gc_dist_course(direct_to_origin.lat, direct_to_origin.lon, steer_point.lat, steer_point.lon, &sd, &sc);
    EXPECT_NEAR(sc, course, 0.01);
    ASSERT_TRUE(pass_until([] { return direct_to_active == 0; }, 18 * 300));
    EXPECT_LE(cross_track_nm, switch_distance);
    pass();
    double plan_leg = 0;
    gc_dist_course(kP0.lat, kP0.lon, p1.lat, p1.lon, &plan_leg, &course);
    EXPECT_NEAR(leg_distance_nm, plan_leg, 1e-6); // back on the plan's own leg
}

} // namespace

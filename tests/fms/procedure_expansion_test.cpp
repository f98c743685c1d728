#include "data/airport_procedures.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_expansion.h"

#include <gtest/gtest.h>

#include <cmath>

// Expected positions are worked out on the equator near 0 E, where one NM is
// 1/60 degree of latitude and of longitude to better than 1e-6 degree over a
// few miles.
namespace {

constexpr double kNm = 1.0 / 60.0;

struct Point {
    double lat;
    double lon;
};

double distance_nm(Point a, Point b) {
    double d = 0.0, c = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &c);
    return d;
}

double course_deg(Point a, Point b) {
    double d = 0.0, c = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &c);
    return c;
}

int sid(const char* directive, Point start, Point* ref, int altitude, double runway_heading) {
    return expand_sid_legs(directive, start.lat, start.lon, &ref->lat, &ref->lon, 1, "", "", altitude,
                           runway_heading);
}

int star(const char* directive, Point start, Point* ref, double inbound) {
    return expand_star_legs(directive, start.lat, start.lon, &ref->lat, &ref->lon, 1, "", "", inbound);
}

// An approach in the destination slot with one leg and the leg the loader is
// building (count 2).
void approach_with_two_legs() {
    ProcedureRecord approach;
    approach.runway = "27";
    approach.second_text = "NDB27";
    ProcedureLeg first;
    first.fix = "KILO";
    first.approach_name = "NDB27";
    approach.legs.append(first);
    approach.legs.append(ProcedureLeg{});
    airport_slots[destination_slot].approaches.append(approach);
}

} // namespace

TEST(SidExpansion, climbLegEndsAlongItsHeadingAtTheClimbDistance) {
    origin_elevation_ft = 0;
    origin_magnetic_variation = 0.0;
    Point end{9.0, 9.0};
    // 1500 ft take 3.1667 NM.
    EXPECT_EQ(sid("/H090/UA", {0.0, 0.0}, &end, 1500, 90.0), 0);
    EXPECT_NEAR(end.lat, 0.0, 1e-9);
    EXPECT_NEAR(end.lon, 3.1666666666666665 * kNm, 1e-6);

    // The climb starts at the origin's elevation, and the variation turns the
    // magnetic heading into a true course.
    origin_elevation_ft = 1500;
    origin_magnetic_variation = 10.0;
    end = {9.0, 9.0};
    EXPECT_EQ(sid("/H080/UA", {0.0, 0.0}, &end, 4500, 80.0), 0);
    EXPECT_NEAR(distance_nm({0.0, 0.0}, end), 6.333333333333333, 1e-6);
    EXPECT_NEAR(course_deg({0.0, 0.0}, end), 90.0, 1e-3);
}

TEST(SidExpansion, climbingTurnsPutTheChordOnTheSideOfTheTurn) {
    origin_elevation_ft = 0;
    origin_magnetic_variation = 0.0;
    // Runway heading 360, turning 90 degrees: a chord of sqrt(2) * 90/72 NM
    // along 045 (right) or 315 (left), then the rest of 6.3333 NM straight.
    const double chord = std::sqrt(2.0) * 1.25;
    const double side = 1.25 * kNm; // each component of the chord
    const double straight = (6.333333333333333 - chord) * kNm;

    Point right{9.0, 9.0};
    EXPECT_EQ(sid("/RT/H090/UA", {0.0, 0.0}, &right, 3000, 360.0), 0);
    EXPECT_NEAR(right.lat, side, 1e-6);
    EXPECT_NEAR(right.lon, side + straight, 1e-6);

    Point left{9.0, 9.0};
    EXPECT_EQ(sid("/LT/H270/UA", {0.0, 0.0}, &left, 3000, 360.0), 0);
    EXPECT_NEAR(left.lat, side, 1e-6);
    EXPECT_NEAR(left.lon, -(side + straight), 1e-6);

    // A half turn: chord sqrt(2.5^2 + 0) = 2.5 NM along the middle heading.
    Point reverse{9.0, 9.0};
    EXPECT_EQ(sid("/RT/H180/UA", {0.0, 0.0}, &reverse, 3000, 360.0), 0);
    EXPECT_NEAR(reverse.lon, 2.5 * kNm, 1e-6);
    EXPECT_NEAR(reverse.lat, -(6.333333333333333 - 2.5) * kNm, 1e-6);
}

TEST(SidExpansion, climbTooShortToFlyAfterTheTurnIsRejected) {
    origin_elevation_ft = 1000;
    origin_magnetic_variation = 0.0;
    Point end{5.0, 6.0};
    // 1000 ft above the field is 2.11 NM; a 90 degree turn takes 1.77 NM of it,
    // leaving 0.34: flown.
    EXPECT_EQ(sid("/RT/H090/UA", {0.0, 0.0}, &end, 2000, 360.0), 0);
    // 100 ft: 0.211 NM straight ahead is just enough, after a turn nothing is.
    end = {5.0, 6.0};
    EXPECT_EQ(sid("/H090/UA", {0.0, 0.0}, &end, 1100, 90.0), 0);
    end = {5.0, 6.0};
    EXPECT_EQ(sid("/RT/H090/UA", {0.0, 0.0}, &end, 1100, 360.0), -99);
    EXPECT_EQ(end.lat, 5.0);
    EXPECT_EQ(end.lon, 6.0);
    // An altitude below the field.
    EXPECT_EQ(sid("/H090/UA", {0.0, 0.0}, &end, 500, 90.0), -99);
    EXPECT_EQ(end.lon, 6.0);
}

TEST(SidExpansion, interceptsTheRadialAheadWithATurnAllowanceOnTheReciprocal) {
    origin_magnetic_variation = 0.0;
    // Eastbound from 0/0 onto the meridian of a fix at 0.5 N 1 E.
    Point end{0.5, 1.0};
    EXPECT_EQ(sid("/H090/IC180", {0.0, 0.0}, &end, -1, 90.0), 0);
    EXPECT_NEAR(end.lat, 0.0, 1e-6);
    EXPECT_NEAR(end.lon, 1.0, 1e-6);

    // Radial 360 is met on its reciprocal: a right turn of 90 degrees from 360
    // ends 1.75 NM further along the radial as written.
    end = {0.5, 1.0};
    EXPECT_EQ(sid("/RT/H090/IC360", {0.0, 0.0}, &end, -1, 360.0), 0);
    EXPECT_NEAR(end.lat, 1.75 * kNm, 1e-6);
    EXPECT_NEAR(end.lon, 1.0, 1e-6);

    // Found with the radial as written: no allowance.
    end = {0.5, 1.0};
    EXPECT_EQ(sid("/RT/H090/IC180", {0.0, 0.0}, &end, -1, 360.0), 0);
    EXPECT_NEAR(end.lat, 0.0, 1e-6);

    // A radial along the leg itself is never crossed.
    end = {0.0, 2.0};
    EXPECT_EQ(sid("/H090/IC090", {0.0, 0.0}, &end, -1, 90.0), -99);
    EXPECT_EQ(end.lat, 0.0);
    EXPECT_EQ(end.lon, 2.0);
}

TEST(StarExpansion, untilDmeMeasuresFromTheLegReferenceAlongTheTrueCourse) {
    destination_magnetic_variation = 0.0;
    leg_reference_lat = 0.0;
    leg_reference_lon = 0.0;
    Point end{7.0, 7.0};
    // From the DME point itself: the first 0.1 NM step within 0.1 of 5.05 is 5.0.
    EXPECT_EQ(star("/T270/UD5.05", {0.0, 0.0}, &end, 0.0), 0);
    EXPECT_NEAR(end.lat, 0.0, 1e-9);
    EXPECT_NEAR(end.lon, -5.0 * kNm, 1e-6);

    // With a variation of 10 the leg runs on 280 true; the DME point is the leg
    // reference, not the start.
    destination_magnetic_variation = 10.0;
    leg_reference_lat = 0.0;
    leg_reference_lon = -0.2;
    end = {7.0, 7.0};
    EXPECT_EQ(star("/T270/UD5.0", {0.0, 0.0}, &end, 0.0), 0);
    EXPECT_NEAR(course_deg({0.0, 0.0}, end), 280.0, 1e-3);
    EXPECT_NEAR(distance_nm({0.0, -0.2}, end), 5.0, 0.1);

    // Never within reach in 50 NM: nothing written, still no failure.
    end = {7.0, 7.0};
    EXPECT_EQ(star("/T090/UD80", {0.0, 0.0}, &end, 0.0), 0);
    EXPECT_EQ(end.lat, 7.0);
}

TEST(StarExpansion, turnAllowanceFollowsTheInboundCourseAndClimbsAreNotUnderstood) {
    destination_magnetic_variation = 0.0;
    // Left turn from an inbound 180 onto 090: 90 degrees, 1.75 NM.
    Point end{0.5, 1.0};
    EXPECT_EQ(star("/LT/H090/IC360", {0.0, 0.0}, &end, 180.0), 0);
    EXPECT_NEAR(end.lat, 1.75 * kNm, 1e-6);
    // "UA" on a STAR is an intercept of radial 0, tried on its reciprocal only:
    // from 0/0 eastbound that is the meridian south of a fix at 0.5 N 1 E.
    end = {0.5, 1.0};
    EXPECT_EQ(star("/H090/UA", {0.0, 0.0}, &end, 90.0), 0);
    EXPECT_NEAR(end.lat, 0.0, 1e-6);
    EXPECT_NEAR(end.lon, 1.0, 1e-6);
    end = {-0.5, 1.0};
    EXPECT_EQ(star("/H090/UA", {0.0, 0.0}, &end, 90.0), -99);
}

TEST(ApproachExpansion, ordinaryDirectivesDropTheirTurnDirection) {
    destination_magnetic_variation = 0.0;
    // "/RT/H090/IC180": course 090 intercepting radial 180 of the fix.
    Point end{0.5, 1.0};
    EXPECT_EQ(expand_approach_legs("/RT/H090/IC180", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27"), 1);
    EXPECT_NEAR(end.lat, 0.0, 1e-6);
    EXPECT_NEAR(end.lon, 1.0, 1e-6);
    // "UD" measures from the fix passed in.
    end = {0.0, 0.0};
    EXPECT_EQ(expand_approach_legs("/H360/UD5.05", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27"), 1);
    EXPECT_NEAR(end.lat, 5.0 * kNm, 1e-6);
    // Course letters other than T and H, and unknown end fields, give nothing.
    end = {0.5, 1.0};
    EXPECT_EQ(expand_approach_legs("/H090/XX", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27"), 0);
    EXPECT_EQ(end.lat, 0.5);
    // An intercept that is never crossed.
    end = {0.0, 2.0};
    EXPECT_EQ(expand_approach_legs("/H090/IC090", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27"), 0);
    EXPECT_EQ(end.lon, 2.0);
    EXPECT_EQ(airport_slots[destination_slot].approaches.count(), 0);
}

TEST(ApproachExpansion, procedureTurnAppendsItsTwoLegsBeforeTheLegBeingBuilt) {
    destination_magnetic_variation = 0.0;
    approach_with_two_legs();
    // Right turn, inbound 090: out on 270 for 3 NM (PT090), a quarter turn
    // right to 000 for 1.5 NM (PT000), then inbound 090 to radial 180 of the fix.
    Point end{0.5, 0.3};
    EXPECT_EQ(expand_approach_legs("/RTxH090/IC180", 0.0, 0.0, &end.lat, &end.lon, 1, "KILO", "27"), 1);
    EXPECT_NEAR(end.lat, 1.5 * kNm, 1e-5);
    EXPECT_NEAR(end.lon, 0.3, 1e-6);

    const BoundedTable<ProcedureLeg, 401>& legs = airport_slots[destination_slot].approaches[1].legs;
    ASSERT_EQ(legs.count(), 4);
    EXPECT_EQ(legs[2].fix, "PT090");
    EXPECT_NEAR(legs[2].latitude, 0.0, 1e-9);
    EXPECT_NEAR(legs[2].longitude, -3.0 * kNm, 1e-6);
    EXPECT_EQ(legs[3].fix, "PT000");
    EXPECT_NEAR(legs[3].latitude, 1.5 * kNm, 1e-6);
    EXPECT_NEAR(legs[3].longitude, -3.0 * kNm, 1e-6);
    for (int i : {2, 3}) {
        EXPECT_EQ(legs[i].transition, "KILO");
        EXPECT_EQ(legs[i].runway_restriction, "27");
        EXPECT_EQ(legs[i].approach_name, "NDB27");
        EXPECT_EQ(legs[i].marker, "");
    }
    // The leg the loader fills next is new.
    EXPECT_EQ(legs[4].fix, "");
}

TEST(ApproachExpansion, leftProcedureTurnAndOneWithoutAnInboundCourse) {
    destination_magnetic_variation = 0.0;
    approach_with_two_legs();
    // Left, inbound 270: out on 090 (PT270), left to 000 (PT000), inbound 270.
    Point end{0.5, -0.3};
    EXPECT_EQ(expand_approach_legs("/LTxH270/IC180", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27"), 1);
    const BoundedTable<ProcedureLeg, 401>& legs = airport_slots[destination_slot].approaches[1].legs;
    EXPECT_EQ(legs[2].fix, "PT270");
    EXPECT_NEAR(legs[2].longitude, 3.0 * kNm, 1e-6);
    EXPECT_EQ(legs[3].fix, "PT000");
    EXPECT_NEAR(end.lon, -0.3, 1e-6);

    // No "H" course: out on 000 with no name, then right to 090 (PT090).
    end = {0.0, 0.0};
    expand_approach_legs("/RTxX/UD99", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27");
    ASSERT_EQ(legs.count(), 6);
    EXPECT_EQ(legs[4].fix, "");
    EXPECT_NEAR(legs[4].latitude, 3.0 * kNm, 1e-6);
    EXPECT_EQ(legs[5].fix, "PT090");
}

TEST(ApproachExpansion, procedureTurnLegsStopAtTheLegCapacity) {
    destination_magnetic_variation = 0.0;
    ProcedureRecord approach;
    for (int i = 0; i < 399; ++i)
        approach.legs.append(ProcedureLeg{});
    airport_slots[destination_slot].approaches.append(approach);
    BoundedTable<ProcedureLeg, 401>& legs = airport_slots[destination_slot].approaches.slot(1).legs;

    // Room for one: the loader's own leg still fits at 400.
    Point end{0.0, 0.0};
    expand_approach_legs("/RTxH090/UD1", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27");
    EXPECT_EQ(legs.count(), 400);
    EXPECT_EQ(legs[399].fix, "PT090");
    EXPECT_EQ(legs[400].fix, "");

    // Full: nothing is appended, nothing written past the record.
    expand_approach_legs("/RTxH090/UD1", 0.0, 0.0, &end.lat, &end.lon, 1, "", "27");
    EXPECT_EQ(legs.count(), 400);
    EXPECT_EQ(legs[400].fix, "");

    // An approach index outside the table writes nothing.
    expand_approach_legs("/RTxH090/UD1", 0.0, 0.0, &end.lat, &end.lon, 7, "", "27");
    EXPECT_EQ(airport_slots[destination_slot].approaches.count(), 1);
}

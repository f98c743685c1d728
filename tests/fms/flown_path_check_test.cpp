// The random flights' own model of the path LNAV flies (flown_path_check.h).
#include "flown_path_check.h"

#include "fms/math/nav_math.h"

#include <gtest/gtest.h>

#include <cmath>

// Two 20 NM legs at the equator turning at B by each angle: a fly-by is an
// arc shorter than the corner, crossed halfway round; a sharper turn or a
// fly-over is turned from just short of the fix, passes within a turn's
// radius of it and comes back onto the leg out.
TEST(FlownPathModel, TurnsFlownByTheTable) {
    struct Row {
        double turn;
        bool flyover;
        bool arc;
    };
    const Row rows[] = {{30, false, true},   {90, false, true},   {119, false, true},
                        {121, false, false}, {170, false, false}, {90, true, false}};
    const double radius = 2.0;
    for (const Row& row : rows) {
        FlownPath::Fix b{0.0, 20.0 / 60.0, 2}, c{0.0, 0.0, 3};
        gc_destination_point(b.lat, b.lon, 90.0 + row.turn, 20.0, &c.lat, &c.lon);
        b.flyover = row.flyover;
        FlownPath path;
        path.build(0.0, 0.0, 90.0, nullptr, {b, c}, radius);
        const double t = radius * std::tan(radians(row.turn) / 2.0);
        if (row.arc) {
            EXPECT_NEAR(path.length(), 40.0 - 2.0 * t + radius * radians(row.turn), 0.05) << row.turn;
            EXPECT_NEAR(path.crossing(2), 20.0 - t + radius * radians(row.turn) / 2.0, 0.05) << row.turn;
        } else {
            EXPECT_GT(path.crossing(2), 20.0 - kPastFromNm) << row.turn;
            EXPECT_LT(path.crossing(2), 20.0 + radius * 3.15) << row.turn;
            double on_lat = 0.0, on_lon = 0.0, off = 0.0;
            gc_destination_point(b.lat, b.lon, 90.0 + row.turn, 15.0, &on_lat, &on_lon);
            path.locate(on_lat, on_lon, 0.0, path.length(), &off);
            EXPECT_LT(off, 0.1) << row.turn;
        }
        // The arc's middle, or the turn's point nearest the fix, lies on the
        // path where it is crossed, within a turn's radius of the fix.
        double off = 0.0;
        EXPECT_NEAR(path.locate(b.lat, b.lon, 0.0, path.length(), &off), path.crossing(2), 0.1) << row.turn;
        EXPECT_LT(off, radius) << row.turn;
    }
}

// Within LNAV's 10 NM reach of the active leg the aircraft joins it abeam;
// farther off it flies straight to the TO.
TEST(FlownPathModel, StartsAbeamOrStraightFromTheAircraft) {
    const FlownPath::Fix start{0.0, 0.0, 1}, to{0.0, 20.0 / 60.0, 2};
    for (const double off_nm : {2.0, 8.0, 12.0}) {
        FlownPath path;
        path.build(off_nm / 60.0, 5.0 / 60.0, 90.0, &start, {to}, 2.0);
        const double expected = off_nm <= kOffLegNm ? 15.0 : std::hypot(off_nm, 15.0);
        EXPECT_NEAR(path.length(), expected, 0.05) << off_nm;
    }
}

// A reversal at B onto a leg too short to join (3 NM back to C, the route
// running on past C): the turn swings more than a mile aside at C's abeam,
// and the path joins the leg after C from there, never back to C itself.
TEST(FlownPathModel, JoinsTheLegAfterALegTooShortToJoin) {
    const FlownPath::Fix b{0.0, 20.0 / 60.0, 2}, c{0.0, 17.0 / 60.0, 3}, d{0.0, -3.0 / 60.0, 4};
    FlownPath path;
    path.build(0.0, 0.0, 90.0, nullptr, {b, c, d}, 2.0);
    // C lies on the leg in as well: looked for on the way back only.
    double off = 0.0;
    path.locate(c.lat, c.lon, path.crossing(2), path.length(), &off);
    EXPECT_GT(off, kJoinAsideNm);
    path.locate(d.lat, d.lon, 0.0, path.length(), &off);
    EXPECT_LT(off, 0.05);
    // The legs are 43 NM; the turn adds its swing, not a way back to C.
    EXPECT_LT(path.length(), 43.0 + 2.0 * 3.15 + 2.0);
}

// A reversal the aircraft has been sequenced for already is turned the way
// its heading makes the shorter, whichever side the legs alone would pick:
// the path swings north of the fix from a heading left of the leg, south
// from one right of it.
TEST(FlownPathModel, TurnsAnAlreadySequencedReversalFromTheHeadingFlown) {
    const FlownPath::Fix start{0.0, 0.0, 1}, b{0.0, 20.0 / 60.0, 2};
    FlownPath::Fix c{0.0, 0.0, 3};
    gc_destination_point(b.lat, b.lon, 280.0, 20.0, &c.lat, &c.lon);
    const double north_lat = 3.0 / 60.0;
    for (const double heading : {80.0, 110.0}) {
        FlownPath path;
        path.build(0.0, 19.0 / 60.0, heading, &start, {b, c}, 2.0);
        double north = 0.0, south = 0.0;
        path.locate(north_lat, b.lon, 0.0, path.length(), &north);
        path.locate(-north_lat, b.lon, 0.0, path.length(), &south);
        EXPECT_EQ(north < south, heading < 90.0) << heading << ": " << north << " / " << south;
    }
}

// A fix sequenced in a hairpin swung wide of the short leg to it (the turn
// past its start): more than a mile aside, the path steers from the aircraft
// for the leg after, on its heading, and never comes back abeam on the leg it
// left; a mile or less aside, or not sequenced in such a turn, it joins that
// leg abeam as before.
TEST(FlownPathModel, JoinsFromAsideAfterAFixSequencedInAHairpin) {
    const FlownPath::Fix start{0.0, 0.0, 1}, b{0.0, 3.5 / 60.0, 2}, c{0.0, 10.0 / 60.0, 3};
    struct Row {
        bool in_turn;
        double off_nm;
        bool from_aircraft;
    };
    const Row rows[] = {{true, 3.0, true}, {true, 0.8, false}, {false, 3.0, false}};
    for (const Row& row : rows) {
        FlownPath path;
        path.build(-row.off_nm / 60.0, 3.2 / 60.0, 45.0, &start, {b, c}, 2.0, row.in_turn);
        double off = 0.0;
        const double along = path.locate(-row.off_nm / 60.0, 3.2 / 60.0, 0.0, path.length(), &off);
        EXPECT_EQ(off < 0.05 && along < 0.05, row.from_aircraft) << row.off_nm << " " << row.in_turn;
        double abeam_off = 0.0;
        path.locate(0.0, 3.2 / 60.0, 0.0, path.length(), &abeam_off);
        EXPECT_EQ(abeam_off > kJoinAsideNm, row.from_aircraft) << row.off_nm << " " << row.in_turn;
        path.locate(c.lat, c.lon, 0.0, path.length(), &off);
        EXPECT_LT(off, 0.05);
    }
}

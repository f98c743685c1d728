// The vertical profile as one value: its points, the roles of the entries
// and the path's altitude along the route, for the route shapes that place
// them differently.
#include "equator_route.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

#include <cmath>
#include <vector>

namespace {

class VerticalProfileTest : public EquatorRoute {
  protected:
    // The aircraft over the first entry at 0 ft; no turns.
    void SetUp() override {
        EquatorRoute::SetUp();
        aircraft_state.indicated_altitude_ft = 0.0;
        cruise_altitude = 12000;
        switch_distance = WptChgDist = WptProcChgDist = FlyoverWptChgDist = 0.0;
        vnav_phase = VnavPhase::Climb;
    }
    static void constrain(int i, AltitudeKind kind, double altitude) {
        active_entry(i).altitude_kind = kind;
        active_entry(i).alt_constraint = altitude;
    }
};

TEST_F(VerticalProfileTest, eachRouteShapePlacesItsPoints) {
    struct Row {
        const char* what;
        int cruise;
        int cap_entry; // a procedure's altitude of 4000 ft at it; 0 none
        bool destination;
        double level, toc_nm, tod_nm;
        int ed; // -1 none
    };
    // 100 NM; up 30 NM to 12 000 ft, down 30 NM to the field.
    const Row rows[] = {
        {"to a field", 12000, 0, true, 12000.0, 30.0, 70.0, 5},
        {"to a last fix without an altitude: no T/D", 12000, 0, false, 12000.0, 30.0, -1.0, -1},
        {"too short for the cruise altitude: the T/C 1.5 NM before the T/D", 30000, 0, true, 19700.0, 49.25,
         50.75, 5},
        // Up 10 NM to 4000 ft, level to the fix 20 NM on, 20 NM more up.
        {"a cap on the way up: the T/C past it", 12000, 1, true, 12000.0, 40.0, 70.0, 5},
    };
    for (const Row& r : rows) {
        cruise_altitude = r.cruise;
        active_entry(5).alt_constraint = r.destination ? 0.0 : kNoConstraint;
        active_entry(5).type = r.destination ? "APT" : "WPT";
        if (r.cap_entry > 0) constrain(r.cap_entry, AltitudeKind::Procedure, 4000.0);
        const VerticalProfile p = build_vertical_profile(aircraft_place());
        EXPECT_DOUBLE_EQ(p.level_ft, r.level) << r.what;
        ASSERT_TRUE(p.toc.exists) << r.what;
        EXPECT_NEAR(p.toc.ahead_nm, r.toc_nm, 0.1) << r.what;
        EXPECT_EQ(p.tod.exists, r.tod_nm >= 0.0) << r.what;
        if (p.tod.exists) {
            EXPECT_NEAR(p.tod.ahead_nm, r.tod_nm, 0.1) << r.what;
        }
        EXPECT_EQ(p.ed.exists ? p.ed.index : -1, r.ed) << r.what;
        EXPECT_EQ(p.climb_cap, r.cap_entry) << r.what;
        EXPECT_EQ(p.level_off.exists, r.cap_entry > 0) << r.what;
        if (r.cap_entry > 0) {
            EXPECT_EQ(p.entries[r.cap_entry].role, ConstraintRole::CapsClimb) << r.what;
            EXPECT_DOUBLE_EQ(p.altitude_at(p.level_off.ahead_nm), 4000.0) << r.what;
        }
        if (r.destination) {
            EXPECT_EQ(p.entries[5].role, ConstraintRole::None) << r.what; // the field's own
        }
        // The path: from the aircraft up to the level, level to the T/D, down
        // to the end, never above the level.
        EXPECT_DOUBLE_EQ(p.altitude_at(0.0), 0.0) << r.what;
        // Held at the cap, the climb reaches the level 10 NM later.
        EXPECT_NEAR(p.altitude_at(r.toc_nm + (r.cap_entry > 0 ? 10.0 : 0.0)), r.level, 1.0) << r.what;
        EXPECT_NEAR(p.altitude_at(100.0), r.destination ? 0.0 : r.level, 1.0) << r.what;
        for (double d = 0.0; d <= 100.0; d += 2.5)
            EXPECT_LE(p.altitude_at(d), r.level + 1.0) << r.what << " at " << d;
        if (r.cap_entry > 0) constrain(r.cap_entry, AltitudeKind::None, kNoConstraint);
    }
}

// In the descent a constraint ends a segment; past the T/D the level is the
// altitude flown, and the path runs from the aircraft down to that end.
TEST_F(VerticalProfileTest, inTheDescentTheNextEndIsTheEDAndOneBeyondItEndsTheNext) {
    constrain(3, AltitudeKind::Procedure, 6000.0);
    constrain(4, AltitudeKind::Procedure, 3000.0);
    vnav_phase = VnavPhase::Descent;
    set_flown_to(2);
    aircraft_state.plat = active_plan[1].lat;
    aircraft_state.plon = active_plan[1].lon;
    aircraft_state.indicated_altitude_ft = 10000.0;
    const VerticalProfile p = build_vertical_profile(aircraft_place());
    ASSERT_TRUE(p.ed.exists);
    EXPECT_EQ(p.ed.index, 3);
    EXPECT_DOUBLE_EQ(p.ed.altitude_ft, 6000.0);
    EXPECT_NEAR(p.ed.ahead_nm, 40.0, 0.1);
    EXPECT_NEAR(p.tod.ahead_nm, 30.0, 0.1); // 4000 ft at 400 ft/NM before it
    EXPECT_FALSE(p.toc.exists);
    EXPECT_EQ(p.entries[3].role, ConstraintRole::EndsDescent);
    EXPECT_EQ(p.entries[4].role, ConstraintRole::EndsDescent);
    EXPECT_NEAR(p.altitude_at(35.0), 8000.0, 1.0);
    EXPECT_NEAR(p.altitude_at(40.0), 6000.0, 1.0);
    // A constraint made the new level is descended from, looked at past it.
    ProfilePlace at = aircraft_place();
    at.level_ft = 8000.0;
    EXPECT_NEAR(build_vertical_profile(at).tod.ahead_nm, 35.0, 0.1);
}

} // namespace

namespace {

// What the pages and maps read goes with the route it was built on: a reset
// or edited route shows no T/D until its own profile is built.
TEST_F(VerticalProfileTest, theActiveProfileGoesWithItsRoute) {
    locate_vertical_profile(aircraft_place());
    ASSERT_TRUE(active_profile().tod.exists);
    forget_profile_points();
    EXPECT_FALSE(active_profile().tod.exists);
    EXPECT_TRUE(active_profile().entries.empty());
    locate_vertical_profile(aircraft_place());
    EXPECT_TRUE(active_profile().tod.exists);
}

} // namespace

namespace {

// The entries' predictions along the route from the origin are the value's:
// building it writes nothing beside the plan (EXEC keeps them there).
TEST_F(VerticalProfileTest, predictsTheEntriesFromTheOriginWithoutWritingThePlan) {
    const EntryPredictionRates rates{2000.0, 2000.0, 30.0};
    ProfilePlace at = aircraft_place();
    at.predict = &rates;
    const VerticalProfile p = build_vertical_profile(at);
    const double expected[] = {8000.0, 12000.0, 12000.0, 8000.0}; // entries 1 to 4
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(p.entries[i].altitude_predicted) << i;
        EXPECT_DOUBLE_EQ(p.entries[i].altitude_ft, expected[i - 1]) << i;
        EXPECT_EQ(predicted_altitude(active_plan[i]), kNoConstraint) << i;
    }
    EXPECT_FALSE(build_vertical_profile(aircraft_place()).entries[2].altitude_predicted);
}

} // namespace

namespace {

// In cruise a route changed since the profile was built gets its own within
// a second, the altitude flown unchanged.
TEST_F(VerticalProfileTest, aRouteChangedInCruiseGetsItsOwnProfileWithinASecond) {
    vnav_phase = VnavPhase::Cruise;
    aircraft_state.indicated_altitude_ft = 12000.0;
    update_toc_tod(kTodLocate);
    ASSERT_TRUE(active_profile().tod.exists);
    forget_profile_points();
    frame_slot = 1;
    update_vertical_guidance();
    EXPECT_FALSE(active_profile().tod.exists);
    frame_slot = 0;
    update_vertical_guidance();
    EXPECT_TRUE(active_profile().tod.exists);
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
}

} // namespace

namespace {

// An edit of the route flown makes its profile again with one build, in the
// climb (held at a cap) and in the cruise, and the pages' T/C and T/D are
// that profile's.
TEST_F(VerticalProfileTest, theRouteEditedIsProfiledWithOneBuild) {
    constrain(1, AltitudeKind::Procedure, 4000.0);
    for (const int passed : {0, 1}) {
        vnav_phase = passed == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        aircraft_state.indicated_altitude_ft = passed == 1 ? 12000.0 : 0.0;
        const unsigned long before = vertical_profiles_built();
        make_profile_again();
        EXPECT_EQ(vertical_profiles_built() - before, 1u) << passed;
        const VerticalProfile& p = active_profile();
        ASSERT_TRUE(p.tod.exists) << passed;
        EXPECT_EQ(tod_lon, p.tod.lon) << passed;
        EXPECT_EQ(vnav_phase != VnavPhase::Climb, passed == 1);
        if (passed == 0) {
            EXPECT_EQ(p.climb_cap, 1);
            EXPECT_EQ(constraint_waypoint_index, 1);
        } else {
            EXPECT_EQ(constraint_waypoint_index, p.ed.index);
        }
    }
}

} // namespace

namespace {

// The T/C, the T/D and points back along the legs lie on their legs,
// whatever the legs' course: one a hair either side of north (or of south,
// seen back from its end) is no course of 360.
TEST_F(VerticalProfileTest, pointsPlacedAlongALegLieOnItWhateverItsCourse) {
    for (const double course : {0.0, 0.3, 359.7, 180.0, 180.3, 179.7}) {
        const PlanPoint w0{"W0", 47.0, -122.3};
        const PlanPoint w1 = offset("W1", w0, course, 50.0);
        activate({w0, w1, offset("W2", w1, course, 50.0)});
        active_entry(0).alt_constraint = active_entry(2).alt_constraint = 0.0;
        active_entry(2).type = "APT";
        aircraft_state.plat = w0.lat;
        aircraft_state.plon = w0.lon;
        const VerticalProfile p = build_vertical_profile(aircraft_place());
        std::vector<ProfilePoint> points{p.toc, p.tod};
        for (const double nm : {5.0, 45.0, 80.0})
            points.push_back(point_back_along_legs(2, nm));
        for (const ProfilePoint& q : points) {
            ASSERT_TRUE(q.exists) << course;
            ASSERT_TRUE(q.index == 1 || q.index == 2) << course;
            const RouteWaypoint& a = active_plan[q.index - 1];
            const RouteWaypoint& b = active_plan[q.index];
            EXPECT_LT(off_great_circle_nm(a.lat, a.lon, b.lat, b.lon, q.lat, q.lon), 0.003)
                << course << " on the leg to " << q.index << ", " << q.ahead_nm << " NM ahead";
            double to_q = 0.0, from_q = 0.0, unused = 0.0;
            gc_dist_course(a.lat, a.lon, q.lat, q.lon, &to_q, &unused);
            gc_dist_course(q.lat, q.lon, b.lat, b.lon, &from_q, &unused);
            EXPECT_NEAR(to_q + from_q, 50.0, 0.003) << course << " between the leg's ends";
        }
    }
}

// Past a hairpin it overshot, the aircraft comes back to the TO from far
// beyond its leg: a T/D short of that leg lies on the aircraft's way, as far
// ahead as the path measures, not on the leg flown before the hairpin (which
// runs over the same ground the other way). Legs: 40 NM north, 10 NM back
// south to the TO, 15 NM on to the field; the aircraft 20 NM past the hairpin
// at 12 000 ft, the T/D 30 NM before the field.
TEST_F(VerticalProfileTest, aTopOfDescentShortOfTheTOsLegLiesOnTheAircraftsWayThere) {
    const PlanPoint w0{"W0", 47.0, -122.3};
    const PlanPoint w1 = offset("W1", w0, 0.0, 40.0);
    const PlanPoint w2 = offset("W2", w1, 180.0, 10.0);
    activate({w0, w1, w2, offset("W3", w2, 180.0, 15.0)});
    active_entry(0).alt_constraint = active_entry(3).alt_constraint = 0.0;
    active_entry(3).type = "APT";
    set_flown_to(2);
    const PlanPoint at = offset("AC", w1, 0.0, 20.0);
    aircraft_state.plat = at.lat;
    aircraft_state.plon = at.lon;
    aircraft_state.indicated_altitude_ft = 12000.0;
    vnav_phase = VnavPhase::Cruise;
    const VerticalProfile p = build_vertical_profile(aircraft_place());
    ASSERT_TRUE(p.tod.exists);
    EXPECT_NEAR(p.tod.ahead_nm, 15.0, 0.5);
    double from_aircraft = 0.0, unused = 0.0;
    gc_dist_course(at.lat, at.lon, p.tod.lat, p.tod.lon, &from_aircraft, &unused);
    EXPECT_NEAR(from_aircraft, p.tod.ahead_nm, 0.5) << "drawn where the descent begins";
    EXPECT_NEAR(p.tod_distance_nm(), p.tod.ahead_nm, 0.5);
}

// A climb that ends past a hold's fix at the TO ends in its pattern, where
// LNAV flies, not on the legs past the fix: from the fix on for an aircraft
// on its way there, from where it is for one in the pattern, and out of it
// where the pilot leaves it. Climbs of 30 and 20 NM; a leg of 1 minute.
TEST_F(VerticalProfileTest, aTopOfClimbInAHoldLiesRoundItsPatternUntilThePilotLeavesIt) {
    aircraft_state.ground_speed_kt = aircraft_state.true_airspeed_est_kt = 240.0;
    ASSERT_EQ(hold_alone_at_active(1, 0.0, 1.0), 1);
    const HoldRacetrack r = hold_racetrack(hold_list[1], aircraft_state);
    const double L = r.leg_nm, R = r.radius_nm;
    struct Row {
        const char* what;
        int part;    // 0: on the way, 10 NM from the fix
        double u, v; // the aircraft on its part, in the pattern's frame
        int exit;    // hold_exit_state
        double past; // NM along the leg past the fix; -1: in the pattern
    };
    const Row rows[] = {
        {"on the way to the fix", 0, -10.0, 0.0, kHoldExitHolding, -1.0},
        {"on the outbound leg", 2, -1.0, 2.0 * R, kHoldExitHolding, -1.0},
        {"on the inbound leg, the pilot leaving at the fix", 4, -L, 0.0, kHoldExitAtNextPoint, 20.0 - L},
    };
    for (const Row& row : rows) {
        hold_armed = row.part > 0 ? 1 : 0;
        holding_active = row.part;
        hold_exit_state = row.exit;
        aircraft_state.indicated_altitude_ft = row.part > 0 ? 4000.0 : 0.0;
        const GeoPosition at = racetrack_point(r, row.u, row.v);
        aircraft_state.plat = at.lat;
        aircraft_state.plon = at.lon;
        const VerticalProfile p = build_vertical_profile(aircraft_place());
        ASSERT_TRUE(p.toc.exists) << row.what;
        double u = 0.0, v = 0.0;
        racetrack_frame(r, p.toc.lat, p.toc.lon, &u, &v);
        if (row.past >= 0.0) {
            EXPECT_NEAR(u, row.past, 0.1) << row.what;
            EXPECT_NEAR(v, 0.0, 0.1) << row.what;
        } else {
            EXPECT_TRUE(u > -L - R - 0.1 && u < R + 0.1 && v > -0.1 && v < 2.0 * R + 0.1)
                << row.what << ": " << u << ", " << v;
        }
    }
}

// In flight the profile follows the aircraft once a second: VNAV's climb
// target, the pages' T/C and T/D and the entries' predictions read one build
// of that pass; a pass whose inputs did not move builds none.
TEST_F(VerticalProfileTest, aPassBuildsTheProfileOnceAtMostAndOnlyWhenAnInputMoved) {
    struct Row {
        const char* what;
        int toc_passed;
        double altitude_ft, out_nm;
    };
    const Row rows[] = {
        {"climbing to a cap at W1, 5 NM out", 0, 2000.0, 5.0},
        {"held at that cap", 0, 4000.0, 15.0},
        {"cruising, 150 ft off the level", 1, 12150.0, 40.0},
        {"on the ground at the origin", 0, 0.0, 0.0},
    };
    for (const Row& r : rows) {
        constrain(1, AltitudeKind::Procedure, 4000.0);
        vnav_phase = r.toc_passed == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        tod_altitude = 12000.0;
        aircraft_state.indicated_altitude_ft = r.altitude_ft;
        gc_destination_point(active_plan[0].lat, active_plan[0].lon, 90.0, r.out_nm, &aircraft_state.plat,
                             &aircraft_state.plon);
        set_flown_to(1 + static_cast<int>(r.out_nm / 20.0));
        make_profile_again();
        // The next second, 1 NM on; then the same pass again.
        gc_destination_point(aircraft_state.plat, aircraft_state.plon, 90.0, 1.0, &aircraft_state.plat,
                             &aircraft_state.plon);
        for (const unsigned long most : {1ul, 0ul}) {
            frame_slot = 0;
            const unsigned long before = vertical_profiles_built();
            update_vertical_guidance();
            EXPECT_LE(vertical_profiles_built() - before, most) << r.what;
        }
        if (r.toc_passed == 0) {
            EXPECT_EQ(toc_lat, active_profile().toc.lat) << r.what;
        }
    }
}

} // namespace

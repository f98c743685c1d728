// The one rule of the vertical profile: which constraints cap the climb and
// which end the descent, read by their kind, and how high a climb goes.
#include "update_fixture.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/constraint_rule.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

namespace {

class ConstraintRule : public UpdateTest {
  protected:
    // Six entries 20 NM apart along the equator, the field at 0 ft at the
    // end; climb and descent both at 400 ft/NM (2000 ft/min at 300 kt).
    void SetUp() override {
        UpdateTest::SetUp();
        std::vector<PlanPoint> points{{"W0", 0.0, 10.0}};
        for (int i = 1; i < 6; ++i)
            points.push_back(offset("W" + std::to_string(i), points.back(), 90.0, 20.0));
        activate(points);
        aircraft_state.plat = points[0].lat;
        aircraft_state.plon = points[0].lon;
        active_entry(0).alt_constraint = 0.0;
        active_entry(5).alt_constraint = 0.0;
        ClimbRate = 2000;
        DescentRate = descent_rate_used_fpm = 2000.0;
        climb_tas_target = descent_tas_target = 300.0;
        cruise_altitude = 30000;
        switch_distance = 0.0;
    }
};

TEST_F(ConstraintRule, eachKindCapsTheClimbOrEndsTheDescentAsItMeans) {
    struct Row {
        const char* what;
        int flag, entry;
        double altitude, flown;
        int phase; // 0 climbing, 1 cruising, 2 descending
        bool ends, caps;
    };
    // The whole route (100 NM) affords 20 000 ft, reached 50 NM out.
    const Row rows[] = {
        {"at or above, the path to the field passes over it", 1, 4, 5000.0, 0.0, 0, false, false},
        {"at or above, the path to the field passes below it", 1, 4, 10000.0, 30000.0, 2, true, false},
        {"at or above in the climb holds nothing", 1, 1, 5000.0, 0.0, 0, false, false},
        {"at, before the climb's top: caps it, ends nothing", 3, 1, 5000.0, 0.0, 0, false, true},
        {"at, climbed past by the pilot: still no end", 3, 1, 5000.0, 8000.0, 0, false, false},
        {"at, climbed past and level above it: still no end", 3, 1, 5000.0, 20000.0, 1, false, false},
        {"at, past the climb's top: ends the descent", 3, 3, 5000.0, 0.0, 0, true, false},
        {"at, before the climb's top once descending: ends it", 3, 1, 5000.0, 8000.0, 2, true, false},
    };
    for (const Row& r : rows) {
        RouteWaypoint& w = active_entry(r.entry);
        w.altitude_kind = static_cast<AltitudeKind>(r.flag);
        w.alt_constraint = r.altitude;
        aircraft_state.indicated_altitude_ft = r.flown;
        toc_passed = r.phase >= 1;
        tod_passed = r.phase == 2;
        const ProfileView v = view_from_aircraft();
        EXPECT_EQ(ends_descent(v, r.entry, 30000.0), r.ends) << r.what;
        EXPECT_EQ(caps_climb(v, r.entry, 30000.0), r.caps) << r.what;
        w.altitude_kind = AltitudeKind::None;
        w.alt_constraint = kNoConstraint;
    }
}

// A plain altitude below one the route meets before it is reached on the
// way down from that one, whatever its kind: the climb must pass the earlier
// one first.
TEST_F(ConstraintRule, aPlainAltitudeBelowAnEarlierOneEndsTheDescentFromIt) {
    aircraft_state.indicated_altitude_ft = 0.0;
    active_entry(2).altitude_kind = AltitudeKind::Procedure;
    active_entry(2).alt_constraint = 3500.0;
    const ProfileView v = view_from_aircraft();
    ASSERT_TRUE(caps_climb(v, 2, 30000.0)); // alone, before the climb's top: a cap
    for (const int flag : {1, 3}) {
        active_entry(1).altitude_kind = static_cast<AltitudeKind>(flag);
        active_entry(1).alt_constraint = 5700.0;
        EXPECT_FALSE(caps_climb(v, 2, 30000.0)) << flag;
        EXPECT_EQ(climb_cap(v, 30000.0), flag == 3 ? 1 : 0) << flag;
        EXPECT_TRUE(ends_descent(v, 2, 30000.0)) << flag;
    }
    // Once the earlier one is behind, the lower one still ends the descent
    // from it; below it (held low), the aircraft climbs to it.
    set_flown_to(2);
    aircraft_state.indicated_altitude_ft = 5700.0;
    EXPECT_TRUE(ends_descent(view_from_aircraft(), 2, 30000.0));
    EXPECT_FALSE(caps_climb(view_from_aircraft(), 2, 30000.0));
    aircraft_state.indicated_altitude_ft = 0.0;
    EXPECT_TRUE(caps_climb(view_from_aircraft(), 2, 30000.0));
}

TEST_F(ConstraintRule, theClimbGoesOnlyAsHighAsTheRouteCanComeDownFrom) {
    aircraft_state.indicated_altitude_ft = 0.0;
    EXPECT_EQ(climb_level(view_from_aircraft(), 30000.0), 20000.0); // 50 NM up, 50 NM down
    EXPECT_EQ(climb_level(view_from_aircraft(), 15000.0), 15000.0);
    // From 8000 ft over W2, 60 NM before the end: up and down meet at 16 000 ft.
    set_flown_to(3);
    aircraft_state.plat = active_plan[2].lat;
    aircraft_state.plon = active_plan[2].lon;
    aircraft_state.indicated_altitude_ft = 8000.0;
    EXPECT_EQ(climb_level(view_from_aircraft(), 30000.0), 16000.0);
    // Nor does a field at or above the altitude the descent would be from.
    active_entry(5).alt_constraint = 30000.0;
    EXPECT_EQ(descent_end(view_from_aircraft(), 30000.0).index, -1);
    EXPECT_EQ(descent_end(view_from_aircraft(), 31000.0).index, 5);
    // A route that ends at a fix without an altitude has no end of descent.
    active_entry(5).alt_constraint = kNoConstraint;
    EXPECT_EQ(descent_end(view_from_aircraft(), 30000.0).index, -1);
    EXPECT_EQ(climb_level(view_from_aircraft(), 30000.0), 30000.0);
}

} // namespace

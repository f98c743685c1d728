// The one rule of the vertical profile: which constraints cap the climb and
// which end the descent, read by their kind, and how high a climb goes; and
// VNAV's targets, read from the profile's roles, where the rule puts them.
#include "equator_route.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

namespace {

class ConstraintRule : public EquatorRoute {
  protected:
    void SetUp() override {
        EquatorRoute::SetUp();
        cruise_altitude = 30000;
    }
    // The rule looked at from the origin at 0 ft, or from the aircraft.
    static ClimbRule from_origin(double cruise) {
        ClimbRuleInputs in = climb_rule_inputs(0.0);
        in.from_aircraft = false;
        in.first = 1;
        in.cruise_ft = cruise;
        return climb_rule(in);
    }
    static ClimbRule from_aircraft(double cruise) {
        ClimbRuleInputs in = climb_rule_inputs(aircraft_state.indicated_altitude_ft);
        in.cruise_ft = cruise;
        return climb_rule(in);
    }
};

// Each route shape and its constraints, with what every entry does and the
// figures worked out by hand. The whole route (100 NM to the field at 0 ft)
// affords 20 000 ft, which the climb from the origin reaches 50 NM out:
// constraints up to there cap the climb, later ones end a descent. The climb
// level is seen from the origin at 0 ft: the afforded level to the first end
// of descent, its T/C 1.5 NM before its T/D, (NM to it - 1.5 + altitude there
// / 400) x 200; past a cap, what the route from the cap affords, (NM - 1.5 +
// cap / 400 + end / 400) x 200.
TEST_F(ConstraintRule, eachConstraintCapsTheClimbOrEndsADescentByWhereItStands) {
    struct Constraint {
        int entry;
        double altitude;
        AltitudeKind kind;
    };
    struct Row {
        const char* what;
        std::vector<Constraint> constraints;
        bool field;        // the route ends at the field (else at a fix without an altitude)
        const char* roles; // W1..W4: - none, C caps, E ends, L at the level, P passed over
        int cap;           // the cap from the origin
        int end;           // the end of the descent from the level (-1 none)
        double level;      // the climb's level from the origin
    };
    constexpr AltitudeKind P = AltitudeKind::Pilot, A = AltitudeKind::Procedure;
    const Row rows[] = {
        {"no constraint: the T/C 1.5 NM before the T/D, at 19 700 ft", {}, true, "----", 0, 5, 19700.0},
        {"typed 5000 at 20 NM, before the climb's top: the climb levels at it, then goes as high as 80 NM "
         "from it afford",
         {{1, 5000.0, P}},
         true,
         "C---",
         1,
         5,
         18200.0},
        {"typed 5000 at 60 NM, past the climb's top: the descent ends at it",
         {{3, 5000.0, P}},
         true,
         "--E-",
         0,
         3,
         14200.0},
        {"an approach's 5000 and 3000 late in the route hold no climb",
         {{3, 5000.0, A}, {4, 3000.0, A}},
         true,
         "--EE",
         0,
         3,
         14200.0},
        {"a late one above an end before it is passed under",
         {{3, 3000.0, P}, {4, 5000.0, P}},
         true,
         "--EP",
         0,
         3,
         13200.0},
        {"two rising caps: the first limits the rest",
         {{1, 5000.0, P}, {2, 9000.0, A}},
         true,
         "CC--",
         1,
         5,
         18200.0},
        {"a cap 50 ft below the one before is the same level",
         {{1, 9000.0, P}, {2, 8950.0, P}},
         true,
         "CC--",
         1,
         5,
         19700.0},
        {"one below a cap before it is met on the way down",
         {{1, 8000.0, P}, {2, 5000.0, P}},
         true,
         "CE--",
         1,
         2,
         10200.0},
        {"13 100, 10 000, then the cruise altitude: 10 000 passed over, the descent is to the field after",
         {{1, 13100.0, P}, {2, 10000.0, P}, {3, 30000.0, P}},
         true,
         "CPL-",
         1,
         5,
         19700.0},
        {"without an end the climb reaches 30 000 ft 75 NM out: 5000 at 60 NM caps it",
         {{3, 5000.0, P}},
         false,
         "--C-",
         3,
         -1,
         30000.0},
    };
    const char role_letter[] = {'-', 'C', 'E', 'L', 'P'};
    aircraft_state.indicated_altitude_ft = 0.0;
    for (const Row& r : rows) {
        for (const Constraint& c : r.constraints) {
            active_entry(c.entry).altitude_kind = c.kind;
            active_entry(c.entry).alt_constraint = c.altitude;
        }
        if (!r.field) {
            active_entry(5).type = "WPT";
            active_entry(5).alt_constraint = kNoConstraint;
        }
        const ClimbRule rule = from_origin(30000.0);
        std::string seen;
        for (int i = 1; i <= 4; ++i)
            seen += role_letter[static_cast<int>(rule.roles[i])];
        EXPECT_EQ(seen, r.roles) << r.what;
        EXPECT_EQ(rule.cap, r.cap) << r.what;
        EXPECT_EQ(rule.end.index, r.end) << r.what;
        EXPECT_EQ(rule.level_ft, r.level) << r.what;
        // The profile answers the same from its roles, and VNAV aims at the
        // cap, else the end of the descent, else the route's end.
        const VerticalProfile& p = locate_vertical_profile(aircraft_place());
        EXPECT_EQ(p.cap_ahead(1, 0.0), r.cap) << r.what;
        EXPECT_EQ(p.descent_end_from(1, 30000.0).index, r.end) << r.what;
        EXPECT_EQ(vertical_target_entry(1), r.cap > 0 ? r.cap : r.end > 0 ? r.end : 5) << r.what;
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(p.descent_end_from(i, 30000.0).index == i, r.roles[i - 1] == 'E')
                << r.what << " W" << i;
        for (const Constraint& c : r.constraints) {
            active_entry(c.entry).altitude_kind = AltitudeKind::None;
            active_entry(c.entry).alt_constraint = kNoConstraint;
        }
        active_entry(5).type = "APT";
        active_entry(5).alt_constraint = 0.0;
    }
}

// A cap the aircraft is above already caps nothing, and it never ends the
// descent: the next cap, or the end after it, is the one ahead.
TEST_F(ConstraintRule, aCapTheAircraftIsAboveIsBehindIt) {
    active_entry(1).altitude_kind = AltitudeKind::Pilot;
    active_entry(1).alt_constraint = 5000.0;
    active_entry(2).altitude_kind = AltitudeKind::Pilot;
    active_entry(2).alt_constraint = 9000.0;
    aircraft_state.indicated_altitude_ft = 6000.0;
    const VerticalProfile& p = locate_vertical_profile(aircraft_place());
    EXPECT_EQ(from_aircraft(30000.0).cap, 2);
    EXPECT_EQ(p.cap_ahead(1, 6000.0), 2);
    aircraft_state.indicated_altitude_ft = 10000.0;
    EXPECT_EQ(from_aircraft(30000.0).cap, 0);
    EXPECT_EQ(p.cap_ahead(1, 10000.0), 0);
    EXPECT_EQ(from_aircraft(30000.0).end.index, 5);
}

// One at or above the cruise altitude is flown at the level; held by the
// pilot well above the cruise altitude, the aircraft still has to come down
// to one below its level: the descent from there ends at it (it was passed
// at the level held, 1200 ft high). Cruise 2000 ft, the aircraft over W1.
TEST_F(ConstraintRule, oneAtTheLevelButBelowTheLevelFlownEndsTheDescentFromIt) {
    struct Row {
        const char* what;
        double flown, at_w3;
        int end;
    };
    const Row rows[] = {
        {"held at 3600 over an approach's 2400", 3600.0, 2400.0, 3},
        {"at the cruise altitude over one at it", 2050.0, 2000.0, 5},
        {"held at 3600 under an approach's 4000", 3600.0, 4000.0, 5},
    };
    cruise_altitude = 2000;
    vnav_phase = VnavPhase::Cruise;
    set_flown_to(2);
    aircraft_state.plat = active_plan[1].lat;
    aircraft_state.plon = active_plan[1].lon;
    active_entry(3).altitude_kind = AltitudeKind::Procedure;
    for (const Row& r : rows) {
        active_entry(3).alt_constraint = r.at_w3;
        aircraft_state.indicated_altitude_ft = r.flown;
        ClimbRuleInputs in = climb_rule_inputs(r.flown);
        in.climbing = false;
        const ClimbRule rule = climb_rule(in);
        EXPECT_EQ(rule.roles[3], ConstraintRole::AtLevel) << r.what;
        EXPECT_EQ(rule.end.index, r.end) << r.what;
        // The profile's E/D, and what VNAV descends to from the level flown.
        const VerticalProfile& p = locate_vertical_profile(aircraft_place());
        EXPECT_EQ(p.ed.index, r.end) << r.what;
        EXPECT_EQ(p.descent_end_from(2, r.flown).index, r.end) << r.what;
        EXPECT_EQ(vertical_target_entry(2), r.end) << r.what;
    }
}

// Past the T/D the climb is flown: what the climb from the origin would cap
// (a route made longer by a STAR chosen in the descent moves its top past
// them) is, ahead of the aircraft, a descent's end or passed under; one
// behind keeps the role it was flown by. The aircraft in the descent over
// the entry before its TO.
TEST_F(ConstraintRule, pastTheTopOfDescentNoneAheadCapsTheClimb) {
    struct Row {
        const char* what;
        double w1, w2, w3; // typed altitudes (0: none)
        int to;
        double flown;
        const char* climb_roles; // W1..W3 read in the climb
        const char* roles;       // and in the descent
        int target;              // VNAV's entry in the descent
    };
    const Row rows[] = {
        {"3800 under the climb's top, 8000 past it, coming down from 12 600: to 3800, 8000 passed under", 0.0,
         3800.0, 8000.0, 2, 12600.0, "-CE", "-EP", 2},
        {"a cap behind stays one; the one ahead ends the descent", 5000.0, 9000.0, 0.0, 2, 12000.0, "CC-",
         "CE-", 2},
        {"engaged at 18 000 over 4900 and 5300 caps: down to 4900, 5300 passed under", 4900.0, 5300.0, 0.0, 1,
         18000.0, "CC-", "EP-", 1},
    };
    const char role_letter[] = {'-', 'C', 'E', 'L', 'P'};
    const auto letters = [&](const ConstraintRoles& roles) {
        std::string seen;
        for (int i = 1; i <= 3; ++i)
            seen += role_letter[static_cast<int>(roles[i])];
        return seen;
    };
    for (const Row& r : rows) {
        const double typed[] = {r.w1, r.w2, r.w3};
        for (int i = 1; i <= 3; ++i) {
            active_entry(i).altitude_kind = typed[i - 1] > 0.0 ? AltitudeKind::Pilot : AltitudeKind::None;
            active_entry(i).alt_constraint = typed[i - 1] > 0.0 ? typed[i - 1] : kNoConstraint;
        }
        set_flown_to(r.to);
        aircraft_state.plat = active_plan[r.to - 1].lat;
        aircraft_state.plon = active_plan[r.to - 1].lon;
        aircraft_state.indicated_altitude_ft = r.flown;
        EXPECT_EQ(letters(from_origin(30000.0).roles), r.climb_roles) << r.what;
        vnav_phase = VnavPhase::Descent;
        const VerticalProfile& p = locate_vertical_profile(aircraft_place());
        std::string seen;
        for (int i = 1; i <= 3; ++i)
            seen += role_letter[static_cast<int>(p.entries[static_cast<std::size_t>(i)].role)];
        EXPECT_EQ(seen, r.roles) << r.what;
        EXPECT_EQ(p.cap_ahead(r.to, r.flown), 0) << r.what;
        EXPECT_EQ(vertical_target_entry(r.to), r.target) << r.what;
        vnav_phase = VnavPhase::Climb;
    }
}

TEST_F(ConstraintRule, theClimbGoesOnlyAsHighAsTheRouteCanComeDownFrom) {
    aircraft_state.indicated_altitude_ft = 0.0;
    EXPECT_EQ(from_aircraft(30000.0).level_ft, 19700.0); // 49.25 NM up, 1.5 level, 49.25 down
    EXPECT_EQ(from_aircraft(15000.0).level_ft, 15000.0);
    // From 8000 ft over W2, 60 NM before the end: up to 15 700 ft.
    set_flown_to(3);
    aircraft_state.plat = active_plan[2].lat;
    aircraft_state.plon = active_plan[2].lon;
    aircraft_state.indicated_altitude_ft = 8000.0;
    EXPECT_EQ(from_aircraft(30000.0).level_ft, 15700.0);
    // Nor does a field at or above the altitude the descent would be from.
    active_entry(5).alt_constraint = 30000.0;
    EXPECT_EQ(from_aircraft(30000.0).end.index, -1);
    EXPECT_EQ(from_aircraft(31000.0).end.index, 5);
    // A route that ends at a fix without an altitude has no end of descent.
    active_entry(5).alt_constraint = kNoConstraint;
    EXPECT_EQ(from_aircraft(30000.0).end.index, -1);
    EXPECT_EQ(from_aircraft(30000.0).level_ft, 30000.0);
}

// Past an end of descent the path only comes down: an aircraft the pilot held
// below it climbs back to the next end and no higher, one above it stays; the
// profile's level is that end's altitude, not one kept a little lower.
TEST_F(ConstraintRule, pastAnEndOfDescentTheClimbGoesBackUpToThePathOnly) {
    struct Row {
        const char* what;
        double next_end; // typed at W4 (kNoConstraint: none, the field at 0 ft is next)
        double flown;
        double level;
    };
    const Row rows[] = {
        {"held at 3000 below a 6000 ahead: back up to it", 6000.0, 3000.0, 6000.0},
        {"at 7000 above a 6000 ahead: no climb", 6000.0, 7000.0, 7000.0},
        {"held at 3000 with only the field ahead: no climb", kNoConstraint, 3000.0, 3000.0},
    };
    active_entry(3).altitude_kind = AltitudeKind::Pilot; // 60 NM, past the climb's top
    active_entry(3).alt_constraint = 8000.0;
    set_flown_to(4);
    aircraft_state.plat = active_plan[3].lat;
    aircraft_state.plon = active_plan[3].lon;
    for (const Row& r : rows) {
        active_entry(4).altitude_kind = r.next_end > kNoConstraint ? AltitudeKind::Pilot : AltitudeKind::None;
        active_entry(4).alt_constraint = r.next_end;
        aircraft_state.indicated_altitude_ft = r.flown;
        EXPECT_EQ(from_aircraft(30000.0).level_ft, r.level) << r.what;
        locate_vertical_profile(aircraft_place());
        // As though flown towards a lower level before, from elsewhere.
        vertical_profile.level_ft = r.level - 200.0;
        vertical_profile.built = false;
        EXPECT_EQ(locate_vertical_profile(aircraft_place()).level_ft, r.level) << r.what;
    }
}

// The rule is a function of its inputs alone: a route written out by hand
// (five 20 NM legs to a field at 0 ft, 1/400 NM a ft up and down, the
// aircraft at the origin at 0 ft) gives the level and the T/C. The level the
// profile had is kept through a rise smaller than the kept step, and left
// for one that falls or rises more.
TEST(ClimbRuleInputsAlone, theLevelAndTheTopOfClimbFollowFromTheInputs) {
    struct Row {
        const char* what;
        double cap_ft; // typed at W1 (0: none)
        double kept_ft;
        double level;
        double toc_nm;
        double cut_nm = 0.0; // what LNAV cuts off a turn at W3: the path on from it that much shorter
    };
    const Row rows[] = {
        {"nothing kept: the T/C 1.5 NM before the T/D", 0.0, 0.0, 19700.0, 49.25},
        {"a turn at W3 flown 3 NM short: 97 NM flown", 0.0, 0.0, 19100.0, 47.75, 3.0},
        {"kept through a 200 ft rise", 0.0, 19500.0, 19500.0, 48.75},
        {"a 400 ft rise is followed", 0.0, 19300.0, 19700.0, 49.25},
        {"a fall is followed at once", 0.0, 20500.0, 19700.0, 49.25},
        {"past a cap: up to 5000, level to W1, on up to what 80 NM afford", 5000.0, 0.0, 18200.0, 53.0},
    };
    for (const Row& r : rows) {
        ClimbRuleInputs in;
        in.entries.resize(6);
        for (int i = 1; i <= 5; ++i) {
            in.entries[static_cast<std::size_t>(i)].leg_nm = 20.0;
            in.entries[static_cast<std::size_t>(i)].ahead_nm = 20.0 * i - (i > 3 ? r.cut_nm : 0.0);
        }
        in.entries[0].altitude_ft = 0.0;
        in.entries[5].altitude_ft = 0.0;
        if (r.cap_ft > 0.0) {
            in.entries[1].holds = true;
            in.entries[1].altitude_ft = r.cap_ft;
        }
        in.end_ft = 0.0;
        in.cruise_ft = 30000.0;
        in.rates = ClimbRates{1600.0, 240.0, 250.0, 0.0, 1600.0, 240.0};
        in.from_aircraft = true;
        in.kept_level_ft = r.kept_ft;
        const ClimbRule rule = climb_rule(in);
        EXPECT_EQ(rule.level_ft, r.level) << r.what;
        EXPECT_NEAR(rule.toc_nm, r.toc_nm, 1e-9) << r.what;
        EXPECT_EQ(rule.cap, r.cap_ft > 0.0 ? 1 : 0) << r.what;
        EXPECT_EQ(rule.end.index, 5) << r.what;
    }
}

} // namespace

// Top of climb and descent on the route, their detection with the page
// switches and autopilot events, the vertical target at sequencing and the
// route distance summary.
#include "shared/profile_points.h"
#include "update_fixture.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/perf/autopilot_targets.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "plan_builder.h"
#include "sim/key_events.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPlain = 3;

class Vnav : public UpdateTest {
  protected:
    // Entries 0..n-1 due east along the equator, `nm` apart; the aircraft
    // at entry 0, TO 1, VNAV and the route active.
    // Down from 10000 ft at cruise to 4000 ft at entry 3 of a line 10 NM
    // apart, the path 6000 ft over 19.5 NM from the TOD it places, 0.5 NM
    // past entry 1; the aircraft at entry 0, TO 2.
    std::vector<PlanPoint> descent_to_entry_3() {
        std::vector<PlanPoint> p = line(4, 10.0);
        cruise_altitude = 10000;
        vnav_phase = VnavPhase::Cruise;
        constrain(3, 4000.0, 250.0, kPlain);
        descent_rate_used_fpm = 6000.0 / 19.5;
        descent_tas_target = 60.0;
        aircraft_state.indicated_altitude_ft = 10000.0;
        set_flown_to(2);
        update_toc_tod(kTodLocate);
        return p;
    }
    std::vector<PlanPoint> line(int n, double nm) {
        std::vector<PlanPoint> points{{"W0", 0.0, 10.0}};
        for (int i = 1; i < n; ++i)
            points.push_back(offset("W" + std::to_string(i), points.back(), 90.0, nm));
        activate(points);
        at(points[0]);
        vnav_engaged = 1;
        aircraft_state.indicated_altitude_ft = 0.0;
        vnav_phase = VnavPhase::Climb;
        return points;
    }
    // The same, active, to a field at 0 ft at the end, flown at `cruise` with
    // 3000 ft/min and 240 kt up and down.
    std::vector<PlanPoint> route_to_field(int n, double nm, int cruise) {
        std::vector<PlanPoint> points = line(n, nm);
        route_state = kRouteStateActive;
        cruise_altitude = cruise;
        ClimbRate = 3000;
        climb_tas_target = descent_tas_target = 240.0;
        active_entry(n - 1).alt_constraint = 0.0;
        return points;
    }
    static void at(const PlanPoint& p) {
        aircraft_state.plat = p.lat;
        aircraft_state.plon = p.lon;
    }
    // TO i as sequencing steps to it, round the corner before it.
    static void sequenced_to(int i) {
        set_flown_to(i);
        sequenced_to_index = i;
        sequenced_to_fix = GeoPosition{active_entry(i).lat, active_entry(i).lon};
    }
    // An altitude to meet: the pilot's (flag 1) or an approach leg's (flag 3),
    // which caps a climb or ends a descent by where it stands.
    static void constrain(int i, double altitude, double speed = 250.0, int flag = 1) {
        RouteWaypoint& w = active_entry(i);
        w.altitude_kind = static_cast<AltitudeKind>(flag);
        w.alt_constraint = altitude;
        w.speed_constraint = speed;
    }
    static double nm_between(double lat1, double lon1, double lat2, double lon2) {
        double d = 0.0, c = 0.0;
        gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
        return d;
    }
};

// The climb's target is the first cap ahead, the one VNAV levels at: aimed
// at a later one, the climb went through 10 000 ft before W2.
TEST_F(Vnav, TopOfClimbAtTheFirstClimbConstraintAheadOrAtTheClimbDistance) {
    const std::vector<PlanPoint> p = line(6, 20.0);
    MaxVnavClimbRate = 0.0; // an autopilot that holds any rate: the model's own figures
    cruise_altitude = 30000;
    climb_distance_nm = 50;
    constrain(2, 10000.0, 250.0, kPlain);
    constrain(3, 20000.0, 250.0, kPlain);
    constrain(4, 30000.0, 250.0, kPlain); // the climb goes on after entry 3
    EXPECT_EQ(plan_distance_to(1), 2);
    EXPECT_EQ(toc_index, 2);
    EXPECT_EQ(vertical_target_altitude, 10000.0);
    EXPECT_EQ(vertical_target_entry(2), 2);
    // Above it, the next cap.
    aircraft_state.indicated_altitude_ft = 12000.0;
    EXPECT_EQ(plan_distance_to(1), 3);
    EXPECT_EQ(vertical_target_altitude, 20000.0);
    aircraft_state.indicated_altitude_ft = 0.0;
    // The maps' T/C is the profile's, where its climb reaches the level.
    EXPECT_EQ(toc_lat, vertical_profile.toc.lat);
    EXPECT_EQ(toc_lon, vertical_profile.toc.lon);

    // A constraint at the cruise altitude ends the scan first: the climb from
    // 0 ft at 1800 ft/min and 180 kt takes 50 NM, 10 NM past entry 2.
    constrain(2, 30000.0, 250.0, kPlain);
    climb_tas_target = 180.0;
    EXPECT_EQ(plan_distance_to(0), 3);
    EXPECT_EQ(toc_index, 2);
    EXPECT_NEAR(nm_between(p[2].lat, p[2].lon, toc_lat, toc_lon), 10.0, 1e-6);
    EXPECT_EQ(vertical_target_lon, toc_lon);
    // Longer than the route ahead: no T/C on the route, none drawn.
    climb_tas_target = 360.0;
    EXPECT_EQ(plan_distance_to(0), 0);
    EXPECT_EQ(toc_lat, 0.0);
    EXPECT_EQ(toc_lon, 0.0);

    // Distances flown count in whole NM after every leg: three 0.6 NM legs
    // are 0 NM, within a climb distance of 1.
    line(5, 0.6);
    cruise_altitude = 30000;
    climb_distance_nm = 1;
    constrain(3, 10000.0, 250.0, kPlain);
    EXPECT_EQ(plan_distance_to(1), 3);
}

TEST_F(Vnav, TopOfDescentBackFromTheFirstDescentConstraint) {
    const std::vector<PlanPoint> p = line(5, 20.0);
    cruise_altitude = 10000;
    toc_index = 0;
    descent_rate_used_fpm = 2000.0;
    descent_tas_target = 240.0;
    active_entry(4).alt_constraint = 0.0;
    constrain(3, 4000.0, 250.0, kPlain);
    update_toc_tod(kTodLocate); // 6000 ft at 2000 ft/min and 240 kt: 12 NM before entry 3
    EXPECT_NEAR(nm_between(p[3].lat, p[3].lon, tod_lat, tod_lon), 12.0, 1e-6);
    EXPECT_NEAR(tod_lon, 10.0 + 48.0 / 60.0, 1e-3);
    EXPECT_EQ(tod_altitude, 10000.0);

    // A new level at the TO waypoint: it becomes the cruise altitude.
    set_flown_to(2);
    constrain(2, 8000.0, 250.0, kPlain);
    vnav_phase = VnavPhase::Descent;
    smiths_cdu_page = 34;
    update_toc_tod(kTodNewLevel);
    EXPECT_EQ(cruise_altitude, 8000);
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
    EXPECT_EQ(smiths_cdu_page, 35);
    EXPECT_EQ(tod_sequence_index, 2);
    EXPECT_NEAR(nm_between(p[3].lat, p[3].lon, tod_lat, tod_lon), 8.0, 1e-6);

    // Longer than the route ahead (from 30000 ft flown past the TOC):
    // behind the TO waypoint.
    cruise_altitude = 30000;
    vnav_phase = VnavPhase::Cruise;
    aircraft_state.indicated_altitude_ft = 30000.0;
    set_flown_to(3);
    at(p[2]);
    course_to_to_deg = 90.0;
    update_toc_tod(kTodLocate);
    EXPECT_LT(tod_lon, p[3].lon);
    // 26000 ft take 52 NM, all of them back from the TO waypoint: the leg
    // into it is the way back, 32 NM behind entry 2 (and the aircraft).
    EXPECT_NEAR(nm_between(p[3].lat, p[3].lon, tod_lat, tod_lon), 52.0, 1e-6);
}

// The T/D is placed back from the end of the descent along the path LNAV
// flies, and VNAV starts down by the distance along that path: whatever the
// turn before the end, the two agree at the T/D the pages show. A turn,
// which LNAV sequences early and cuts, puts it back along the legs by what is
// cut (3 NM each side of a corner: 1.76 NM at 90 degrees, 0.8 NM at 60).
TEST_F(Vnav, TopOfDescentIsWhereTheDistanceAlongThePathMeetsTheDescent) {
    struct Case {
        double turn; // at W2, degrees
        double switch_nm;
        double least_nm, most_nm; // along the legs from the T/D to W3
    } cases[] = {
        {0.0, 0.0, 11.9, 12.1}, {90.0, 4.0, 13.6, 13.9}, {120.0, 6.0, 12.5, 18.0}, {60.0, 2.0, 12.7, 12.9}};
    for (const Case& c : cases) {
        std::vector<PlanPoint> p{{"W0", 0.0, 10.0}};
        p.push_back(offset("W1", p[0], 90.0, 30.0));
        p.push_back(offset("W2", p[1], 90.0, 30.0));
        p.push_back(offset("W3", p[2], 90.0 + c.turn, 10.0));
        p.push_back(offset("W4", p[3], 90.0 + c.turn, 30.0));
        activate(p);
        at(p[0]);
        vnav_engaged = 1;
        vnav_phase = VnavPhase::Cruise;
        cruise_altitude = 10000;
        aircraft_state.indicated_altitude_ft = 10000.0;
        descent_rate_used_fpm = 2000.0;
        descent_tas_target = 240.0; // 6000 ft: 12 NM
        switch_distance = c.switch_nm;
        constrain(3, 4000.0, 250.0, kPlain);
        update_toc_tod(kTodLocate);
        at({"T", tod_lat, tod_lon});
        set_flown_to(2);
        EXPECT_GT(distance_ahead_to(3), c.least_nm) << c.turn;
        EXPECT_LT(distance_ahead_to(3), c.most_nm) << c.turn;
    }
    switch_distance = 0.0;
}

// In the cruise the T/D the pages show follows the altitude flown, also
// where the pilot took the aircraft above the cruise level: VNAV starts down
// from there.
TEST_F(Vnav, TopOfDescentFollowsTheAltitudeFlownInTheCruise) {
    const std::vector<PlanPoint> p = line(4, 20.0);
    route_state = kRouteStateActive;
    cruise_altitude = 10000;
    vnav_phase = VnavPhase::Cruise;
    aircraft_state.indicated_altitude_ft = 10000.0;
    descent_rate_used_fpm = 2000.0;
    descent_tas_target = 240.0; // 500 ft/NM
    constrain(3, 4000.0, 250.0, kPlain);
    update_toc_tod(kTodLocate);
    EXPECT_NEAR(nm_between(p[3].lat, p[3].lon, tod_lat, tod_lon), 12.0, 0.01);
    frame_slot = 0;
    for (const double flown : {10050.0, 12000.0, 9000.0}) {
        aircraft_state.indicated_altitude_ft = flown;
        update_vertical_guidance();
        EXPECT_NE(vnav_phase, VnavPhase::Descent) << flown;
        // Within 100 ft of the level it was found from the T/D stays.
        const double top = flown == 10050.0 ? 10000.0 : flown;
        EXPECT_NEAR(nm_between(p[3].lat, p[3].lon, tod_lat, tod_lon), (top - 4000.0) / 500.0, 0.01) << flown;
    }
}

// A constraint ahead that holds the climb allows no descent before it, even
// where the descent to a lower one after it would have to begin sooner.
TEST_F(Vnav, NoDescentBeginsBeforeAConstraintThatHoldsTheClimb) {
    const std::vector<PlanPoint> p = route_to_field(5, 20.0, 20000);
    descent_rate_used_fpm = 2000.0; // 500 ft/NM
    constrain(1, 12000.0, 250.0, kPlain);
    constrain(2, 1000.0, 250.0, kPlain); // 22 NM down from 12 000 ft
    aircraft_state.indicated_altitude_ft = 12000.0;
    at(offset("X", p[0], 90.0, 19.0));
    update_toc_tod(kTodLocate); // the route's profile, which VNAV reads
    update_vertical_guidance();
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
    set_flown_to(2);
    at(p[1]);
    update_vertical_guidance();
    EXPECT_EQ(vnav_phase, VnavPhase::Descent);
}

// In the climb the descent starts at the profile's T/D, the one the pages
// show: held at 10 000 ft below a level of (NM to the field - 1.5 + 10 000 /
// 750) x 300 on an 80 NM route (750 ft/NM up at 3000 ft/min and 240 kt, 500
// down at 2000), it starts 1.5 NM before it, where the level has come down to
// the altitude flown.
TEST_F(Vnav, InTheClimbTheDescentStartsAtTheProfilesTopOfDescent) {
    struct Row {
        double to_field_nm;
        double level;
        bool down;
    };
    const Row rows[] = {{25.0, 11000.0, false}, {23.0, 10400.0, false}, {21.0, 10000.0, true}};
    for (const Row& r : rows) {
        const std::vector<PlanPoint> p = route_to_field(3, 40.0, 30000);
        MaxVnavClimbRate = 0.0;
        descent_rate_used_fpm = 2000.0;
        set_flown_to(2);
        at(offset("X", p[0], 90.0, 80.0 - r.to_field_nm));
        aircraft_state.indicated_altitude_ft = 10000.0;
        update_toc_tod(kTodLocate);
        EXPECT_EQ(active_profile().level_ft, r.level) << r.to_field_nm;
        update_vertical_guidance();
        EXPECT_EQ(vnav_phase == VnavPhase::Descent, r.down) << r.to_field_nm;
    }
}

// The route executed before there was a TO leaves the first entry as the
// target; VNAV engaged in the climb 50 NM short of it aimed at the cruise
// level by that fix, at its greatest rate.
// A cap less than the T/C's capture below the cruise altitude holds the
// climb level to its fix: the level-off there is no T/C, which stands past
// the fix. Taken for one, the aircraft cruised at the cap's altitude 67 NM
// short of the T/C the pages showed.
TEST_F(Vnav, ACapJustBelowTheCruiseAltitudeHoldsTheClimbToItsFix) {
    for (const double altitude : {3855.0, 3900.0, 3950.0}) { // short of it, at it, within 100 ft above
        const std::vector<PlanPoint> p = route_to_field(4, 20.0, 4000);
        ClimbRate = 500; // from the origin the climb reaches 4000 ft 32 NM out: W1 caps it
        constrain(1, 3900.0, 250.0, kPlain);
        vnav_engagement_seen = 1;
        aircraft_state.indicated_altitude_ft = altitude;
        update_toc_tod(kTodLocate);
        update_vertical_guidance();
        EXPECT_EQ(vnav_phase, VnavPhase::Climb) << altitude;
        EXPECT_EQ(vertical_target_altitude, 3900.0) << altitude;
        EXPECT_NEAR(nm_between(p[0].lat, p[0].lon, toc_lat, toc_lon), 20.5, 0.5) << altitude;
        // Past the fix the climb goes on, and reaches the level there.
        at(offset("X", p[1], 90.0, 1.0));
        set_flown_to(2);
        update_vertical_guidance();
        EXPECT_EQ(vnav_phase, VnavPhase::Cruise) << altitude;
    }
}

TEST_F(Vnav, EngagedInTheClimbItAimsAtTheTopOfClimbNotAtTheFirstFix) {
    const std::vector<PlanPoint> p = route_to_field(4, 60.0, 30000);
    vertical_target_cursor.move_to(1);
    at(offset("X", p[0], 90.0, 10.0));
    aircraft_state.indicated_altitude_ft = 8000.0;
    update_toc_tod(kTodLocate);
    update_vertical_guidance();
    EXPECT_EQ(constraint_waypoint_index, 3); // the route's end, past the T/C
    EXPECT_EQ(vnav_phase, VnavPhase::Climb);
}

TEST_F(Vnav, TopOfClimbSwitchesThePageAndSendsTheCruiseSpeed) {
    const std::vector<PlanPoint> p = line(4, 20.0);
    tod_lat = p[3].lat; // far ahead
    tod_lon = p[3].lon;
    route_state = kRouteStateActive;
    cruise_altitude = 35000;
    vertical_target_cursor.move_to(2);
    constrain(2, 35000.0);
    vnav_engagement_seen = 1; // engaged a while: its target is kept
    cruise_speed_target = 280;
    smiths_cdu_page = 34;
    struct Row {
        int mach_cruise;
        double cruise_mach, airspeed_hold;
        std::vector<uint32_t> events; // ids in order
    };
    const Row rows[] = {
        {0, 0.0, 0.0, {0x101F5}},
        {1, 0.78, 1.0, {0x1022E, 0x1017B}},
        {1, 0.78, 0.0, {0x1017B}},
        {1, 0.0, 1.0, {0x101F5}}, // no cruise Mach: the cruise airspeed, never Mach 0
    };
    for (const Row& r : rows) {
        host::sim_state().key_events.clear();
        vnav_phase = VnavPhase::Climb;
        pending_mach_events = 0;
        vnav_altitude_set = vnav_speed_set = 1; // no other command due
        vertical_target_altitude = 35000.0;     // climbing to cruise
        VnavSetMachCruiseSpd = r.mach_cruise;
        CruiseMach = r.cruise_mach;
        aircraft_state.snap_token_115 = r.airspeed_hold;
        aircraft_state.indicated_altitude_ft = 34850.0; // 150 ft below: not yet
        update_vertical_guidance();
        EXPECT_EQ(vnav_phase, VnavPhase::Climb);
        aircraft_state.indicated_altitude_ft = 34851.0;
        update_vertical_guidance();
        EXPECT_NE(vnav_phase, VnavPhase::Climb);
        std::vector<uint32_t> ids;
        for (const host::KeyEvent& e : host::sim_state().key_events)
            if (e.id != 0x101F4) ids.push_back(e.id);
        EXPECT_EQ(ids, r.events) << r.cruise_mach;
        EXPECT_EQ(pending_mach_events, r.events.size() > 1 || r.events[0] == 0x1017B ? 2 : 0);
    }
    EXPECT_EQ(sent(0x101F5).back(), 280u);
    EXPECT_EQ(smiths_cdu_page, 35);
    EXPECT_EQ(vertical_target_altitude, 35000.0);
}

// The TOD is passed by the distance along the route to the end of the
// descent: 14000 ft at 2000 ft/min and 300 kt take 35 NM before W3.
TEST_F(Vnav, TopOfDescentAlongTheRouteWithinOneAndAHalfMiles) {
    const std::vector<PlanPoint> p = line(4, 20.0);
    route_state = kRouteStateActive;
    cruise_altitude = 20000;
    vnav_phase = VnavPhase::Cruise;
    vertical_target_cursor.move_to(3);
    constrain(3, 6000.0);
    descent_rate_used_fpm = 2000.0;
    descent_tas_target = 300.0;
    smiths_cdu_page = 35;
    aircraft_state.indicated_altitude_ft = 20000.0;
    vnav_altitude_set = vnav_speed_set = 1;
    AutoSetLOCFreq = 1;
    approach_record_index = 1;
    approach_runway_index = 1;
    airport_slots[destination_slot].runways.set_count(1);
    airport_slots[destination_slot].runways.slot(1).localizer_frequency_text = "110.30";
    // A TOD point left next to the aircraft does not start the descent.
    tod_lat = p[0].lat;
    tod_lon = p[0].lon + 0.001;

    set_flown_to(2);
    at(offset("X", p[0], 90.0, 25.0 - 1.51));
    update_vertical_guidance();
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
    at(offset("X", p[0], 90.0, 25.0 - 1.49));
    update_vertical_guidance();
    EXPECT_EQ(vnav_phase, VnavPhase::Descent);
    EXPECT_EQ(descent_speed_phase, kDescentSpeedPhaseOn);
    EXPECT_EQ(smiths_cdu_page, 36);
    EXPECT_EQ(sent(0x100AC), (std::vector<uint32_t>{0x11030})); // 110.30
    EXPECT_EQ(sent(0x1024C), (std::vector<uint32_t>{6000}));
    EXPECT_EQ(vertical_target_altitude, 6000.0);
    update_vertical_guidance(); // once only
    EXPECT_EQ(sent(0x1024C).size(), 1u);

    // Below the cruise altitude the TOD is that of the altitude flown:
    // from 13000 ft it lies 17.5 NM before W3.
    vnav_phase = VnavPhase::Cruise;
    aircraft_state.indicated_altitude_ft = 13000.0;
    set_flown_to(3);
    at(offset("X", p[0], 90.0, 42.5 - 1.6));
    update_vertical_guidance();
    EXPECT_NE(vnav_phase, VnavPhase::Descent);

    // After a course reversal in cruise a TOD less than 10 NM ahead counts as passed.
    reversal_near_tod = 1;
    update_vertical_guidance();
    EXPECT_EQ(vnav_phase, VnavPhase::Descent);
    EXPECT_EQ(reversal_near_tod, 0);
    EXPECT_EQ(sent(0x1024C).size(), 2u);
}

TEST_F(Vnav, TargetAtSequencingAndTheDestinationRule) {
    line(4, 20.0);
    active_entry(3).type = "APT";
    active_entry(3).alt_constraint = 20000.0;
    cruise_altitude = 20000;
    vnav_phase = VnavPhase::Descent;
    switch_distance = 3.0;
    distance_to_to_nm = 2.0;
    update_vnav_target_at_sequencing();
    EXPECT_EQ(constraint_waypoint_index, 3);
    EXPECT_EQ(vertical_target_altitude, 20200.0);
    EXPECT_EQ(vnav_altitude_set, 0); // a descent target is commanded anew
    // The same TO on the next passes (in a hold, turning back): kept.
    vnav_altitude_set = 1;
    vertical_target_altitude = 15000.0;
    update_vnav_target_at_sequencing();
    EXPECT_EQ(vertical_target_altitude, 15000.0);
    EXPECT_EQ(vnav_altitude_set, 1);
    // Another TO (the route made again) gets its own.
    vnav_sequencing_to_id = 0;
    vnav_engaged = 0;
    update_vnav_target_at_sequencing();
    EXPECT_EQ(vertical_target_altitude, 20000.0);

    // In cruise the target is the TOD and no altitude is commanded.
    vnav_phase = VnavPhase::Cruise;
    vnav_sequencing_to_id = 0;
    show_tod_at(0.0, 10.5);
    update_vnav_target_at_sequencing();
    EXPECT_EQ(vertical_target_lon, 10.5);
    EXPECT_EQ(vnav_altitude_set, 1);
}

// A fix about to be sequenced that becomes the new level below the aircraft:
// with no descent to it under way (its T/D not reached before LNAV sequenced
// it early, or held level) the descent begins there, the level and the
// profile's rate sent together; a descent under way or an aircraft at the
// level is left as it is (the aircraft flew over a 4300 ft fix at 4900 and
// kept 4900 for the rest of the route).
TEST_F(Vnav, AFixSequencedAboveItsNewLevelStartsTheDescentThere) {
    struct Row {
        const char* what;
        VnavPhase phase;
        double altitude;
        int vs_sent;
        bool starts_down;
    };
    const Row rows[] = {
        {"in cruise 600 ft above it", VnavPhase::Cruise, 4900.0, kNoVsSent, true},
        {"in cruise at it", VnavPhase::Cruise, 4350.0, kNoVsSent, false},
        {"held level in the descent", VnavPhase::Descent, 4900.0, 0, true},
        {"descending to it", VnavPhase::Descent, 4900.0, -1200, false},
    };
    const std::vector<PlanPoint> p = line(4, 20.0);
    constrain(1, 4300.0, 250.0, kPlain);
    descent_rate_used_fpm = 2000.0;
    MinVnavDescRate = 800.0;
    MaxVnavDescRate = 3000.0;
    VnavSetAlts = 1;
    switch_distance = 3.0;
    for (const Row& r : rows) {
        at(offset("X", p[1], 270.0, 2.0));
        distance_to_to_nm = 2.0;
        cruise_altitude = 4900;
        vnav_phase = r.phase;
        aircraft_state.indicated_altitude_ft = r.altitude;
        update_toc_tod(kTodLocate);
        vnav_sequencing_to_id = vnav_targets_to_id = 0;
        vnav_altitude_set = 1;
        vnav_vs_sent = r.vs_sent;
        const std::size_t altitudes = sent(kKeyAutopilotAltitudeSet).size();
        const std::size_t rates = sent(kKeyAutopilotVerticalSpeedSet).size();
        update_vnav_target_at_sequencing();
        set_vnav_altitude_targets();
        EXPECT_EQ(cruise_altitude, 4300) << r.what;
        const std::vector<uint32_t> a = sent(kKeyAutopilotAltitudeSet);
        const std::vector<uint32_t> v = sent(kKeyAutopilotVerticalSpeedSet);
        if (r.starts_down) {
            ASSERT_EQ(a.size(), altitudes + 1) << r.what;
            EXPECT_EQ(a.back(), 4300u) << r.what;
            ASSERT_EQ(v.size(), rates + 1) << r.what;
            EXPECT_EQ(static_cast<int32_t>(v.back()), -2000) << r.what;
        } else {
            EXPECT_EQ(a.size(), altitudes) << r.what;
            EXPECT_EQ(v.size(), rates) << r.what;
        }
    }
}

TEST_F(Vnav, SummarySkipsDiscontinuitiesAndFollowsTheDescentPath) {
    const std::vector<PlanPoint> p = line(4, 10.0);
    make_marker(active_entry(2), EntryKind::Gap);
    active_entry(2).lat = active_entry(2).lon = 0.0;
    cruise_altitude = 10000;
    route_distance_summary();
    EXPECT_NEAR(distance_to_destination, 10.0 + 20.0, 1e-6);
    EXPECT_NEAR(direct_distance_to_destination, 30.0, 1e-6);

    // After the TOD, halfway along the profile's path to the constraint:
    // halfway down.
    descent_to_entry_3();
    const PlanPoint tod = offset("TOD", p[1], 90.0, 0.5);
    EXPECT_NEAR(nm_between(tod.lat, tod.lon, tod_lat, tod_lon), 0.0, 1e-6);
    vnav_phase = VnavPhase::Descent;
    vertical_target_cursor.move_to(3);
    vertical_target_altitude = 4000.0;
    set_flown_to(3);
    at(offset("X", tod, 90.0, 9.75));
    EXPECT_NEAR(active_profile().tod_to_entry_nm(3), 19.5, 1e-6);
    EXPECT_NEAR(distance_ahead_to(3), 9.75, 1e-6);
    update_descent_path();
    EXPECT_NEAR(descent_path_altitude, 7000.0, 1e-3);

    // Before the TOD: the distance to it along the legs. Passing it is the
    // vertical guidance's test, not the summary's.
    vnav_phase = VnavPhase::Cruise;
    set_flown_to(2);
    at(offset("X", p[1], 90.0, 0.25));
    route_distance_summary();
    EXPECT_NEAR(active_profile().tod_distance_nm(), 0.25, 1e-6);
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
    at(offset("X", tod, 90.0, 0.1));
    route_distance_summary();
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
}

// Out of a turn back, the path distance kept (run on by what the aircraft
// flew) can fall short of the measure when the turn was flown wider than
// reckoned: the rest of the descent is laid over the measure, the path not
// raised over an aircraft that followed it (eased up, it rose 870 ft and
// VNAV levelled in the descent). A path run out in the turn (a hairpin just
// before its end) is laid on from within the easing of its end (eased up
// pass by pass, it rose back to the T/D's altitude). Elsewhere the distance
// eases onto the measure. Down 6000 ft over 19.5 NM; the aircraft 9.75 NM
// along, more to fly than kept.
TEST_F(Vnav, OutOfATurnBackFlownWideThePathDoesNotRise) {
    struct Row {
        bool turned_back;
        double kept, distance, altitude;
    };
    const Row rows[] = {
        {true, 7.75, 9.75, 4000.0 + 6000.0 * 7.75 / 19.5},
        {true, 0.0, 9.75, 4000.0 + 6000.0 * kPathEasingNm / 19.5},
        {false, 7.75, 7.75 + kPathEasingNm, 4000.0 + 6000.0 * (7.75 + kPathEasingNm) / 19.5},
    };
    for (const Row& r : rows) {
        const std::vector<PlanPoint> p = descent_to_entry_3();
        vnav_phase = VnavPhase::Descent;
        vertical_target_cursor.move_to(3);
        set_flown_to(3);
        at(offset("X", offset("TOD", p[1], 90.0, 0.5), 90.0, 9.75));
        descent_path_distance_nm = -1.0; // laid afresh
        update_descent_path();
        descent_path_distance_nm = r.kept;
        descent_path_turning_back = r.turned_back;
        update_descent_path();
        EXPECT_NEAR(descent_path_distance_nm, r.distance, 1e-6) << r.turned_back << ' ' << r.kept;
        EXPECT_NEAR(descent_path_altitude, r.altitude, 1e-3) << r.turned_back << ' ' << r.kept;
    }
}

// An aircraft LNAV turns around onto its leg (a hairpin whose leg out was
// sequenced in the turn as well, so no corner at its FROM says so) flies
// away from its TO for a while: the path runs on by what it flies and comes
// down. Eased onto the measure it rose back to the T/D's altitude and VNAV
// levelled near 4860 ft for a minute in the descent (flight seeds 92001436,
// 92001867). With LNAV off nothing turns the aircraft round: there the path
// eases onto the measure. Round a hold's pattern, which flies against its
// leg by design, the aircraft goes no way along the route: the path stands,
// and in a hold at the fix whose altitude ends the descent it stands at the
// fix, that altitude being met in the pattern (flight seed 130000681).
// The aircraft on the straight leg W2-W3, 5 NM short of W3, flies 20 passes
// of 0.01 NM west, heading west.
TEST_F(Vnav, TurningAroundOntoItsLegThePathRunsOnByWhatIsFlown) {
    struct Row {
        const char* what;
        int lnav, hold;
        double change; // NM of path distance after the passes
    };
    const Row rows[] = {
        {"turning around onto the leg", 1, 0, -0.2},
        {"in a hold's pattern at the end's fix", 1, 1, -5.0},
        {"LNAV off", 0, 0, 0.2},
    };
    for (const Row& r : rows) {
        const std::vector<PlanPoint> p = descent_to_entry_3();
        vnav_phase = VnavPhase::Descent;
        vertical_target_cursor.move_to(3);
        set_flown_to(3);
        lnav_engaged = r.lnav;
        hold_armed = holding_active = r.hold;
        aircraft_state.map_heading_deg = 270.0;
        PlanPoint here = offset("X", p[3], 270.0, 5.0);
        at(here);
        descent_path_distance_nm = -1.0; // laid afresh
        update_descent_path();
        const double laid = descent_path_distance_nm;
        for (int pass = 0; pass < 20; ++pass) {
            here = offset("X", here, 270.0, 0.01);
            at(here);
            update_descent_path();
        }
        EXPECT_NEAR(descent_path_distance_nm - laid, r.change, 1e-3) << r.what;
    }
}

// An end before the last is met where LNAV sequences it, its switching
// distance before it however short the leg in: the path the descent levels
// by ends where its rate aims (laid on to past there, the aircraft levelled
// above the end, and its new level began up there).
TEST_F(Vnav, ThePathToAnEndEndsWhereLnavSequencesItHoweverShortTheLegIn) {
    WptChgDist = switch_distance = 2.0;
    AdjustTurnDistforAngle = 0;
    for (const double leg_in : {10.0, 1.5}) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 90.0, 20.0);
        const PlanPoint w2 = offset("W2", w1, 90.0, leg_in);
        activate({w0, w1, w2, offset("W3", w2, 90.0, 10.0)});
        at(offset("X", w1, 270.0, 1.0));
        EXPECT_NEAR(path_distance_to(2), 1.0 + leg_in - 2.0, 0.05) << leg_in;
        EXPECT_NEAR(path_distance_to(2), distance_to_meet(2), 0.05) << leg_in;
    }
}

// The distance the descent path is laid over, for an aircraft flying towards
// its TO W2 after a corner at W1 from wherever it is: it never grows. A leg
// out `turn` degrees right of the leg in; the aircraft starts `x` NM along the
// leg out from W1 and `y` NM left of it, flying at the TO (or `track` degrees
// right of the leg out's course) while it closes on the TO.
TEST_F(Vnav, PathDistanceNeverGrowsWhileTheAircraftClosesOnItsTo) {
    struct Row {
        const char* what;
        double turn, x, y;
        double track; // relative to the leg out; NAN: at the TO
        int k;
    };
    const Row rows[] = {
        {"on the leg", 60.0, 10.0, 0.0, NAN, 3},
        {"abeam behind the leg start", 60.0, -4.0, 3.0, NAN, 3},
        {"crossing the leg", 60.0, 1.0, 5.0, 45.0, 3},
        {"joining behind a right angle", 90.0, -6.0, -2.0, NAN, 2},
        {"doubled back, swung 6 NM wide", 180.0, 3.0, -6.0, NAN, 2},
        {"nearly doubled back", 170.0, 2.0, 4.0, NAN, 3},
        {"outside a sharp turn", 150.0, -2.0, 3.0, NAN, 3},
        {"inside a sharp turn", 150.0, 1.0, -1.5, 20.0, 3},
    };
    for (const Row& r : rows) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 0.0, 30.0);
        const double out = r.turn;
        const PlanPoint w2 = offset("W2", w1, out, 30.0);
        activate({w0, w1, w2, offset("W3", w2, out, 20.0)});
        sequenced_to(2);
        PlanPoint here = offset("X", offset("X", w1, out, r.x), out - 90.0, r.y);
        double last = 1e9, first = 0.0, to_nm = 1e9, grown = 0.0;
        for (int step = 0; step < 400; ++step) {
            at(here);
            const double straight = nm_between(here.lat, here.lon, w2.lat, w2.lon);
            if (!(straight < to_nm) || straight < 1.0) break; // no longer closing
            to_nm = straight;
            const double d = path_distance_to(r.k);
            if (step == 0) first = d;
            grown = std::max(grown, d - last);
            last = d;
            double course = 0.0, nm = 0.0;
            gc_dist_course(here.lat, here.lon, w2.lat, w2.lon, &nm, &course);
            here = offset("X", here, std::isnan(r.track) ? course : out + r.track, 0.1);
        }
        EXPECT_LT(grown, 1e-6) << r.what;
        EXPECT_LT(last, first - 1.0) << r.what;
    }
}

// The descent path is laid over the distance the T/D was placed by: a turn
// past a right angle takes back what its chord saves, all of it in a
// reversal, in both measures.
// Swung 20 NM wide of a leg after a sharp turn, abeam inside the turn at its
// TO, the aircraft flies straight at the TO: the path to the fix after it
// falls no faster than the aircraft flies until LNAV sequences the TO (its
// place along that corner's chord read far off it, the path fell 5.5 NM in
// a pass, and the descent began 10 NM from the T/D).
TEST_F(Vnav, SwungWideAbeamACornerThePathFallsNoFasterThanTheAircraftFlies) {
    WptChgDist = switch_distance = 3.0;
    AdjustTurnDistforAngle = 0;
    const PlanPoint w0{"W0", 0.0, 10.0};
    const PlanPoint w1 = offset("W1", w0, 0.0, 30.0);
    const PlanPoint w2 = offset("W2", w1, 150.0, 30.0);
    activate({w0, w1, w2, offset("W3", w2, 200.0, 20.0)});
    sequenced_to(2);
    PlanPoint here = offset("X", offset("X", w1, 150.0, 26.0), 60.0, -20.0);
    double last = -1.0, fallen = 0.0;
    for (int step = 0; step < 400; ++step) {
        at(here);
        double straight = 0.0, course = 0.0;
        gc_dist_course(here.lat, here.lon, w2.lat, w2.lon, &straight, &course);
        if (straight < switch_distance) break;
        const double d = path_distance_to(3);
        if (last >= 0.0) fallen = std::max(fallen, last - d);
        last = d;
        here = offset("X", here, course, 0.1);
    }
    EXPECT_LT(fallen, 0.1 + 1e-3);
}

// A route put in place with the aircraft where it is (W1 the TO, its leg
// from W0 due east 30 NM, W2 straight on): LNAV intercepts the leg from within 10 NM of it
// while the intercept is armed, else flies straight to W1; the path to W1,
// along the legs and along the path, is the one it flies.
TEST_F(Vnav, TheWayToTheToOfARoutePutInPlaceIsTheOneLnavFlies) {
    struct Row {
        const char* what;
        double along, right; // from W0 along the leg and to its right (NM)
        int armed;
        bool straight;
    };
    const Row rows[] = {
        {"on the leg", 10.0, 0.0, 1, false},
        {"2 NM off, intercepting", 10.0, 2.0, 1, false},
        {"9 NM off, intercepting", 10.0, -9.0, 1, false},
        {"12 NM off: too far to intercept", 10.0, 12.0, 1, true},
        {"34 NM off: too far to intercept", 25.0, -34.0, 1, true},
        {"2 NM off, not armed", 10.0, 2.0, 0, true},
        {"behind the FROM, not armed", -6.0, 4.0, 0, true},
        {"behind the FROM, intercepting", -6.0, 4.0, 1, false},
        {"beyond the TO, intercepting", 33.0, 1.0, 1, false},
    };
    for (const Row& r : rows) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 90.0, 30.0);
        activate({w0, w1, offset("W2", w1, 90.0, 30.0)});
        intercept_armed = r.armed;
        at(offset("X", offset("X", w0, 90.0, r.along), 180.0, r.right));
        const double straight = nm_between(aircraft_state.plat, aircraft_state.plon, w1.lat, w1.lon);
        const double expected = r.straight ? straight : std::fabs(30.0 - r.along);
        EXPECT_EQ(flies_straight_to_to(), r.straight) << r.what;
        EXPECT_NEAR(distance_ahead_to(1), expected, 0.1) << r.what;
        EXPECT_NEAR(path_distance_through(1), expected, 0.1) << r.what;
        EXPECT_NEAR(path_distance_through(2), expected + 30.0, 0.1) << r.what;
        // A direct-to flies its own leg from where it was made.
        direct_to_active = 1;
        direct_to_origin = GeoPosition{aircraft_state.plat, aircraft_state.plon};
        EXPECT_FALSE(flies_straight_to_to()) << r.what;
        direct_to_active = 0;
    }
}

TEST_F(Vnav, PathDistanceCountsEachTurnAsTheTopOfDescentIsPlaced) {
    for (const double turn : {0.0, 45.0, 90.0, 120.0, 150.0, 180.0}) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 0.0, 30.0);
        const PlanPoint w2 = offset("W2", w1, turn, 30.0);
        activate({w0, w1, w2, offset("W3", w2, 2.0 * turn, 20.0), offset("W4", w2, 2.0 * turn, 40.0)});
        at(offset("X", w0, 0.0, 10.0));
        EXPECT_NEAR(path_distance_to(4), distance_to_meet(4), 0.05) << turn;
    }
}

// LNAV sequences a turn too sharp to fly by (160 degrees) at the fly-over
// distance, not miles early, and turns past its fix at its speed's radius:
// the path counts the turn it flies, more than the legs the faster it is,
// reckoned at no more than 250 kt (the turn is flown slowed for the
// descent: reckoned at 366 kt, WOODB's T/D came 8 NM late).
TEST_F(Vnav, ASharpTurnIsMeasuredAsTheAircraftTurnsPastItsFix) {
    WptChgDist = 3.0;
    AdjustTurnDistforAngle = 1;
    struct Row {
        double speed_kt;
        double least_nm, most_nm; // NM the corner takes off the 90 NM of legs
    };
    // Turned from 1.5 NM short of W1: at 194 kt (radius 1 NM) it comes back
    // onto the leg out about where it would have cut the corner; at 450 kt
    // reckoned at 250 kt (radius 2 NM) it swings wide and flies 2 to 3 NM
    // more than the legs.
    const Row rows[] = {{194.0, -1.0, 0.5}, {450.0, -3.5, -1.5}};
    for (const Row& r : rows) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 0.0, 40.0);
        const PlanPoint w2 = offset("W2", w1, 160.0, 20.0);
        activate({w0, w1, w2, offset("W3", w2, 160.0, 30.0)});
        at(w0);
        aircraft_state.ground_speed_kt = r.speed_kt;
        const double cut = 90.0 - path_distance_to(3);
        EXPECT_GE(cut, r.least_nm) << r.speed_kt;
        EXPECT_LE(cut, r.most_nm) << r.speed_kt;
    }
}

// Sequencing a corner moves the TO, not the aircraft: the distance the
// pages and VNAV read along LNAV's path runs on through it. The aircraft on
// the leg in where LNAV sequences W1 (3 NM and 0.028 NM a degree before
// it), measured to W3 with W1 and then W2 as the TO. (Past a right angle the
// aircraft's place says little of the turn still to fly: there the distance
// is never more than the legs'.)
TEST_F(Vnav, PathDistanceRunsOnWhenACornerIsSequenced) {
    WptChgDist = 3.0;
    AdjustTurnDistforAngle = 1;
    aircraft_state.ground_speed_kt = 300.0;
    for (const double turn : {20.0, 50.0, 80.0}) {
        const PlanPoint w0{"W0", 0.0, 10.0};
        const PlanPoint w1 = offset("W1", w0, 0.0, 30.0);
        const PlanPoint w2 = offset("W2", w1, turn, 30.0);
        activate({w0, w1, w2, offset("W3", w2, turn, 20.0)});
        at(offset("X", w1, 180.0, 3.0 + std::round(turn) * 0.028));
        // And a point 10 NM along the leg out, placed along the legs (the
        // T/C or T/D of a profile built before the sequencing).
        set_flown_to(1);
        const double before = path_distance_through(3);
        const double point_before = path_nm_at_legs(3, distance_ahead_to(2) - 20.0);
        set_flown_to(2);
        EXPECT_NEAR(path_distance_through(3), before, 0.05) << turn;
        EXPECT_NEAR(path_nm_at_legs(3, distance_ahead_to(2) - 20.0), point_before, 0.05) << turn;
    }
}

} // namespace

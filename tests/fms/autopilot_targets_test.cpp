// The VNAV vertical-speed and speed commands and the radio autotune, with
// the key events they send.
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "update_fixture.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/route_progress.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/autopilot_targets.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_selection.h"
#include "plan_builder.h"

#include <cmath>
#include <tuple>

namespace {

class AutopilotTargets : public UpdateTest {
  protected:
    // A two-leg active route at TO 1 with VNAV engaged, past its first pass.
    static void route_with_vnav();
    // `nm` along the route before the target C.
    static void before_target(double nm) {
        set_flown_to(2);
        vertical_target_cursor.move_to(2);
        const PlanPoint p = offset("X", {"C", 47.0, 9.0}, 270.0, nm);
        aircraft_state.plat = p.lat;
        aircraft_state.plon = p.lon;
    }
};

void AutopilotTargets::route_with_vnav() {
    activate({{"A", 47.0, 8.0}, {"B", 47.0, 8.5}, {"C", 47.0, 9.0}});
    vnav_engaged = 1;
    vnav_altitude_set = 1;
    cruise_altitude = 35000;
    descent_rate_used_fpm = 1500.0; // a path of 300 ft/NM at 300 kt
    descent_tas_target = 300.0;
    frame_slot = 0;
    AircraftState& a = aircraft_state;
    a.ground_speed_kt = 300.0;
    a.speed_smoothed = 250.0;
    a.ap_airspeed_target_kt = 250.0;
}

TEST_F(AutopilotTargets, ClimbRampsTheVerticalSpeedOncePerCycle) {
    route_with_vnav();
    MinVnavClimbRate = 500.0;
    AircraftState& a = aircraft_state;
    a.indicated_altitude_ft = 5000.0;
    a.vertical_speed_fpm = 800.0;
    vertical_target_altitude = 10000.0;
    before_target(20.0); // 4 minutes at 300 kt: 1250 ft/min needed
    frame_slot = 3;
    set_vnav_altitude_targets();
    EXPECT_DOUBLE_EQ(vnav_required_vs, 900.0); // at most 100 more than now
    EXPECT_TRUE(sent(0x101F4).empty());        // only on slot 0
    frame_slot = 0;
    set_vnav_altitude_targets();
    set_vnav_altitude_targets();
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{900}));

    // Below MinVnavIas the command is 0 until the speed is 10 kt above it;
    // in the lift-off, below MinVnavRadioAlt, only until it is back at it
    // (then slower than MinVnavClimbIas: the present rate).
    for (double radio : {5000.0, 500.0}) {
        a.radio_altitude_ft = radio;
        for (double speed : {150.0, 160.0, 166.0}) {
            a.speed_smoothed = speed;
            set_vnav_altitude_targets();
        }
    }
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{900, 0, 900, 0, 800}));
    a.radio_altitude_ft = 5000.0;

    // No time to go: the largest climb rate, never a non-finite value.
    a.speed_smoothed = 250.0;
    a.ground_speed_kt = 0.0;
    set_vnav_altitude_targets();
    EXPECT_EQ(vnav_vs_command, 900); // still ramped from the present rate
    a.vertical_speed_fpm = 2400.0;
    set_vnav_altitude_targets();
    EXPECT_EQ(vnav_vs_command, 2500);
}

// A vertical speed computed in floating point reads an ulp short of its
// whole value; the step up must not be truncated away.
TEST_F(AutopilotTargets, ClimbStepsUpFromARateReadOneUlpShort) {
    route_with_vnav();
    MinVnavClimbRate = 500.0;
    AircraftState& a = aircraft_state;
    a.indicated_altitude_ft = 5000.0;
    vertical_target_altitude = 15000.0;
    before_target(20.0); // 2500 ft/min needed
    a.vertical_speed_fpm = std::nextafter(1100.0, 0.0);
    set_vnav_altitude_targets();
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{1200}));

    // The descent rate likewise: 1800 ft/min computed a little short.
    vnav_phase = VnavPhase::Descent;
    a.indicated_altitude_ft = 11000.0;
    vertical_target_altitude = 5000.0;
    // A distance a few parts in 1e13 beyond 3.333 minutes x 5 NM a minute.
    double nm = 6000.0 / 1800.0 * 5.0;
    do {
        nm = std::nextafter(nm, 99.0);
        before_target(nm);
        set_vnav_altitude_targets();
    } while (!(vnav_required_vs < 1800.0));
    ASSERT_GT(vnav_required_vs, 1800.0 - 1e-6);
    EXPECT_EQ(vnav_vs_command, -1800);
}

TEST_F(AutopilotTargets, DescentSendsTheRoundedRateOnceAndTheFirstPassTheAltitude) {
    route_with_vnav();
    vnav_phase = VnavPhase::Descent;
    AircraftState& a = aircraft_state;
    a.indicated_altitude_ft = 11730.0;
    vertical_target_altitude = 5000.0;
    before_target(19.45); // 3.89 minutes: 1730 ft/min
    set_vnav_altitude_targets();
    set_vnav_altitude_targets();
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{static_cast<uint32_t>(-1700)}));

    vnav_altitude_set = 0; // a new target: the altitude first
    set_vnav_altitude_targets();
    EXPECT_EQ(sent(0x1024C), (std::vector<uint32_t>{5000}));
    EXPECT_EQ(sent(0x101F4).size(), 2u); // and the rate again

    // A target without altitude is not flown to.
    vnav_altitude_set = 0;
    vertical_target_altitude = -999.0;
    set_vnav_altitude_targets();
    EXPECT_EQ(sent(0x1024C).size(), 1u);
}

TEST_F(AutopilotTargets, SpeedFollowsThePhaseAndTheConstraints) {
    route_with_vnav();
    route_state = kRouteStateActive;
    distance_to_to_nm = 10.0;
    RouteWaypoint& to = active_entry(1);
    struct Row {
        int climb_passed, descent; // past the T/C, descent_speed_phase
        int constrained;
        double speed;
        int mach_cruise;
        double cruise_mach;
        uint32_t event, value;
    };
    const Row rows[] = {
        {0, 0, 0, 210.0, 0, 0.0, 0x101F5, 220},  // climb: the climb speed
        {0, 0, 1, 210.0, 0, 0.0, 0x101F5, 210},  // climb to a constrained waypoint
        {1, 0, 0, 210.0, 0, 0.0, 0x101F5, 250},  // cruise speed
        {1, 0, 0, 210.0, 1, 0.785, 0x101F6, 78}, // cruise Mach x 100
        {1, 0, 0, 210.0, 1, 0.57, 0x101F6, 57},  // 0.57 x 100 computes to 56.99999999999999
        {1, 0, 0, 210.0, 1, 0.0, 0x101F5, 250},  // no cruise Mach: never Mach 0
        {1, 1, 0, 210.0, 0, 0.0, 0x101F5, 220},  // descent speed
        {1, 1, 1, 200.0, 0, 0.0, 0x101F5, 200},  // descent to a constraint
    };
    for (const Row& r : rows) {
        host::sim_state().key_events.clear();
        vnav_phase = r.climb_passed == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        descent_speed_phase = r.descent;
        to.altitude_kind = static_cast<AltitudeKind>(r.constrained);
        to.alt_constraint = 9000.0;
        to.speed_constraint = r.speed;
        VnavSetMachCruiseSpd = r.mach_cruise;
        CruiseMach = r.cruise_mach;
        climb_speed_target = 220;
        cruise_speed_target = 250;
        descent_speed_target = 220;
        vnav_speed_set = 0;
        set_vnav_speed_target();
        EXPECT_EQ(sent(r.event), (std::vector<uint32_t>{r.value})) << r.value;
        EXPECT_EQ(vnav_speed_set, 1);
    }
    EXPECT_EQ(descent_speed_target, 200); // a slower constraint lowers the target

    // No speed on the TO waypoint: nothing sent, but the command is done.
    host::sim_state().key_events.clear();
    to.speed_constraint = -999.0;
    vnav_speed_set = 0;
    set_vnav_speed_target();
    EXPECT_TRUE(host::sim_state().key_events.empty());
    EXPECT_EQ(vnav_speed_set, 1);

    // Beyond the restriction distance only a refresh sends.
    to.speed_constraint = 230.0;
    distance_to_to_nm = 40.0;
    vnav_speed_set = 0;
    set_vnav_speed_target();
    EXPECT_EQ(vnav_speed_set, 0);
    vnav_speed_refresh = 1;
    set_vnav_speed_target();
    EXPECT_EQ(vnav_speed_set, 1);
}

TEST_F(AutopilotTargets, ClimbSpeedLimitBelowItsAltitude) {
    route_with_vnav();
    route_state = kRouteStateActive;
    distance_to_to_nm = 10.0;
    ClbAltRest = 10000.0;
    ClbSpdRest = 250.0;
    climb_speed_target = 290;
    aircraft_state.indicated_altitude_ft = 8000.0;
    active_entry(1).alt_constraint = 9000.0;
    active_entry(1).speed_constraint = 290.0;
    set_vnav_speed_target();
    EXPECT_EQ(sent(0x101F5), (std::vector<uint32_t>{250}));
    EXPECT_EQ(climb_speed_limit_active, 1.0);
}

TEST_F(AutopilotTargets, RadiosTuneTheNavaidAheadWithinRange) {
    const PlanPoint a{"A", 47.0, 8.0};
    const PlanPoint vor = offset("VOR", a, 90.0, 100.0);
    const PlanPoint ndb = offset("NDB", vor, 90.0, 50.0);
    const PlanPoint far = offset("FAR", ndb, 90.0, 240.0);
    activate({a, vor, ndb, far, offset("END", far, 90.0, 10.0)});
    aircraft_state.plat = a.lat;
    aircraft_state.plon = a.lon;
    active_entry(0).frequency = "---"; // written for no frequency
    active_entry(1).frequency = "112.30";
    active_entry(2).frequency = "375";
    active_entry(2).type = "NDB";
    active_entry(3).frequency = "113.90";

    autotune_leg_radios(kAutotuneRouteAhead);
    EXPECT_EQ(sent(0x100B4), (std::vector<uint32_t>{90}));
    EXPECT_EQ(sent(0x100AC), (std::vector<uint32_t>{0x11230})); // 112.30, every digit
    set_flown_to(2);
    autotune_leg_radios(kAutotuneRouteAhead);
    EXPECT_EQ(sent(0x100B2), (std::vector<uint32_t>{0x375}));
    // The VOR 240 NM ahead is not tuned; the course comes from the NDB behind.
    host::sim_state().key_events.clear();
    set_flown_to(3);
    autotune_leg_radios(kAutotuneRouteAhead);
    EXPECT_EQ(sent(0x100AC), std::vector<uint32_t>{});
    EXPECT_EQ(sent(0x100B4).size(), 1u);

    const std::pair<const char*, uint32_t> nav[] = {
        {"110.30", 0x11030}, {"110.3", 0x11030}, {"117.95", 0x11795}, {"abc", 0}, {"", 0}, {"99.5", 0}};
    for (const auto& [text, code] : nav)
        EXPECT_EQ(nav_frequency_bcd(text), code) << text;
    EXPECT_EQ(adf_frequency_bcd("1020.5"), 0x1020u);
}

TEST_F(AutopilotTargets, RadiosTuneTheRunwaySelectedOnTheAirportPage) {
    airport_runway_list.clear();
    for (const auto& [designator, course, frequency] :
         {std::tuple{"16L", 162.7, "110.30"}, std::tuple{"34R", 342.0, "111.95"}}) {
        AirportRunwayListEntry r;
        r.designator = designator;
        r.localizer_course = course;
        r.localizer_frequency_text = frequency;
        airport_runway_list.append(r);
    }
    airport_runway_selected_line = -999; // nothing selected: nothing sent
    autotune_leg_radios(kAutotuneSelectedRunway);
    EXPECT_TRUE(host::sim_state().key_events.empty());
    // Line 1 of a page scrolled down by one shows entry 2.
    airport_runway_first_row = 2;
    airport_runway_selected_line = 1;
    autotune_leg_radios(kAutotuneSelectedRunway);
    EXPECT_EQ(sent(0x100B4), (std::vector<uint32_t>{342}));
    EXPECT_EQ(sent(0x100AC), (std::vector<uint32_t>{0x11195}));
    host::sim_state().key_events.clear();
    airport_runway_first_row = 1;
    airport_runway_selected_line = 1;
    autotune_leg_radios(kAutotuneSelectedRunway);
    EXPECT_EQ(sent(0x100B4), (std::vector<uint32_t>{162})); // truncated
    EXPECT_EQ(sent(0x100AC), (std::vector<uint32_t>{0x11030}));
    host::sim_state().key_events.clear();
    airport_runway_selected_line = 3; // past the list
    autotune_leg_radios(kAutotuneSelectedRunway);
    EXPECT_TRUE(host::sim_state().key_events.empty());
}

} // namespace

// In the descent the vertical-speed command holds: a rate needed that
// wavers across a hundred, or an aircraft about the path, goes out once; a
// rate that moves a whole step and stays goes out after a second of passes;
// below the path by more than the band the descent levels, and descends
// again only back up at the path. A rate that keeps falling the same way
// goes out after a second too; the rate is taken over the speed the
// path's distance falls at, and eased under the path past half the band. The checker's own rule: no command
// goes back to the one before within a second.
TEST_F(AutopilotTargets, DescentVerticalSpeedHoldsUntilTheRateMovesAndStays) {
    route_with_vnav();
    vnav_phase = VnavPhase::Descent;
    AircraftState& a = aircraft_state;
    vertical_target_altitude = 5000.0;
    descent_path_distance_nm = 20.0; // the path laid over the 20 NM out: its altitude is set below
    descent_path_span_nm = 20.0;
    MinVnavDescRate = 500.0;
    MaxVnavDescRate = 3000.0;
    struct Row {
        const char* what;
        std::vector<double> feet_to_go; // one pass each, 20 NM out at 300 kt (4 min)
        std::vector<double> below_path; // ft below the path (negative above)
        std::vector<int32_t> sent;
        double closing = 1.0; // the path's distance falling at this share of the ground speed
    };
    std::vector<double> ramp; // the rate needed falling a hundred every 2.5 passes
    for (int i = 0; i < 30; ++i)
        ramp.push_back(4000.0 - 40.0 * i);
    const Row rows[] = {
        {"wavering across 900", {3580, 3620, 3580, 3620, 3580, 3620}, {0, 0, 0, 0, 0, 0}, {-800}},
        {"moved and stayed", std::vector<double>(20, 4400), std::vector<double>(20, 0), {-1100}},
        {"moved a pass only",
         {3600, 4400, 3600, 3600, 3600, 3600, 3600, 3600, 3600, 3600,
          3600, 3600, 3600, 3600, 3600, 3600, 3600, 3600, 3600, 3600},
         std::vector<double>(20, 0),
         {-900}},
        {"about the path",
         std::vector<double>(20, 4000),
         {0, 60, -10, 90, 20, 80, 0, 50, 10, 99, 0, 0, 0, 0, 0},
         {-1000}},
        {"falling on one way", ramp, std::vector<double>(30, 0), {-1000, -800}},
        {"under the path past half the band",
         std::vector<double>(20, 4000),
         std::vector<double>(20, 70),
         {-1000, -900}},
        {"the path closing at half the ground speed",
         std::vector<double>(20, 4000),
         std::vector<double>(20, 0),
         {-500},
         0.44}, // a half less the few hundredths it wavers by
        {"the path's closing wavering",
         std::vector<double>(20, 4000),
         std::vector<double>(20, 0),
         {-1000},
         0.95},
    };
    for (const Row& r : rows) {
        host::sim_state().key_events.clear();
        vnav_vs_sent = kNoVsSent;
        descent_path_closing = r.closing;
        std::vector<int32_t> sent_now;
        for (std::size_t i = 0; i < r.feet_to_go.size(); ++i) {
            a.indicated_altitude_ft = 5000.0 + r.feet_to_go[i];
            before_target(20.0);
            descent_path_altitude =
                a.indicated_altitude_ft + (i < r.below_path.size() ? r.below_path[i] : 0.0);
            set_vnav_altitude_targets();
        }
        for (uint32_t v : sent(0x101F4))
            sent_now.push_back(static_cast<int32_t>(v));
        EXPECT_EQ(sent_now, r.sent) << r.what;
    }
    descent_path_closing = 1.0;

    // Held level at the target (a hold flown at its altitude): the least
    // descent rate does not go out for a rate needed of nothing.
    host::sim_state().key_events.clear();
    vnav_vs_sent = 0;
    for (int i = 0; i < 30; ++i) {
        a.indicated_altitude_ft = 5005.0;
        before_target(20.0 - i * 0.1);
        descent_path_altitude = a.indicated_altitude_ft;
        set_vnav_altitude_targets();
    }
    EXPECT_TRUE(sent(0x101F4).empty());

    // An altitude command for a new target sends the rate then at once; the
    // one before it has to stand again to come back.
    host::sim_state().key_events.clear();
    vnav_vs_sent = kNoVsSent;
    for (int i = 0; i < 30; ++i) {
        a.indicated_altitude_ft = 5000.0 + (i == 20 ? 4000.0 : 3600.0);
        before_target(20.0);
        descent_path_altitude = a.indicated_altitude_ft;
        if (i == 20) vnav_altitude_set = 0;
        set_vnav_altitude_targets();
    }
    EXPECT_EQ(sent(0x101F4),
              (std::vector<uint32_t>{static_cast<uint32_t>(-900), static_cast<uint32_t>(-1000)}));

    // Two altitude commands a pass apart (a hairpin's two fixes sequenced),
    // the rate needed wavering across 1000 ft/min: where the sequencing left
    // the target as it was, the rate held goes out with each; a new target
    // or a route changed gets the rate of now at once.
    struct CallRow {
        const char* what;
        VnavReason why;
        double target_then; // from the first call on
        std::vector<int32_t> sent;
    };
    const CallRow calls[] = {
        {"sequenced, the same target", VnavReason::NewTo, 5000.0, {-1000, -1000, -1000}},
        {"reversed onto, the same target", VnavReason::CourseReversal, 5000.0, {-1000, -1000, -1000}},
        {"a route changed", VnavReason::RouteChanged, 5000.0, {-1000, -900, -1000}},
        {"sequenced, a new target", VnavReason::NewTo, 4500.0, {-1000, -1100, -1100}},
    };
    for (const CallRow& r : calls) {
        host::sim_state().key_events.clear();
        vnav_vs_sent = kNoVsSent;
        vertical_target_altitude = 5000.0;
        const double feet_to_go[] = {4010, 4010, 4010, 4010, 4010, 3990, 4010, 4010};
        for (int i = 0; i < 8; ++i) {
            if (i == 5 || i == 6) {
                vertical_target_altitude = r.target_then;
                vnav_targets_to_id = 0; // each call is for a TO of its own
                call_for_vnav_targets(r.why, kAltitudeTarget);
            }
            a.indicated_altitude_ft = 5000.0 + feet_to_go[i];
            before_target(20.0);
            descent_path_altitude = a.indicated_altitude_ft;
            set_vnav_altitude_targets();
        }
        std::vector<int32_t> sent_now;
        for (uint32_t v : sent(0x101F4))
            sent_now.push_back(static_cast<int32_t>(v));
        EXPECT_EQ(sent_now, r.sent) << r.what;
    }
    vertical_target_altitude = 5000.0;

    // Well below the path: level, and level until back up at it.
    host::sim_state().key_events.clear();
    vnav_vs_sent = -1000;
    a.indicated_altitude_ft = 9000.0;
    const double below[] = {150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150,
                            150, 150, 150, 150, 150, 150, 60,  30,  60,  30,  60,  30};
    std::vector<int32_t> levels;
    for (double b : below) {
        descent_path_altitude = a.indicated_altitude_ft + b;
        set_vnav_altitude_targets();
        levels.push_back(vnav_vs_sent);
    }
    EXPECT_EQ(levels.back(), 0);
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{0}));

    // Short of a T/D ahead (a FROM's altitude kept to its fix) the path is
    // level; the pass that reaches it sends the descent at once.
    host::sim_state().key_events.clear();
    vnav_vs_sent = 0;
    descent_path_span_nm = 18.0;
    descent_path_short_of_tod = true;
    for (int i = 0; i < 4; ++i) {
        a.indicated_altitude_ft = 9000.0;
        descent_path_altitude = 9000.0;
        if (i == 2) descent_path_distance_nm = 18.0;
        set_vnav_altitude_targets();
    }
    // 4000 ft over 18 NM at 300 kt.
    EXPECT_EQ(sent(0x101F4), (std::vector<uint32_t>{static_cast<uint32_t>(-1100)}));
}

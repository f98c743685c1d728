// Sequencing the TO waypoint: the switching distance by kind, flyover and
// turn, sequencing only with LNAV or the setting, the course-reversal check,
// and what a sequencing leaves behind.
#include "update_fixture.h"

#include "data/module_settings.h"
#include "fms/guidance/route_progress.h"
#include "fms/plan/entry_marks.h"
#include "plan_builder.h"

#include <cmath>

namespace {

using Sequencing = UpdateTest;

const PlanPoint kOrigin{"P0", 47.0, 8.0};

// P0, then P1 10 NM north and further points 10 NM apart; P2 after a turn
// of `turn` degrees to the right.
std::vector<PlanPoint> northbound(double turn = 0.0) {
    std::vector<PlanPoint> points{kOrigin};
    points.push_back(offset("P1", points[0], 0.0, 10.0));
    points.push_back(offset("P2", points[1], turn, 10.0));
    points.push_back(offset("P3", points[2], turn, 10.0));
    points.push_back(offset("P4", points[3], turn, 10.0));
    return points;
}

TEST_F(Sequencing, SwitchingDistanceByKindFlyoverTurnAndSpeed) {
    struct Row {
        std::string kind;
        int flyover;
        int adjust_turn;
        double secs;
        double expected; // -1: ground speed / 100
    };
    const Row rows[] = {
        {"", 0, 0, 0, 3.0},     {"DCT", 0, 0, 0, 3.0},  {"SIDSTAR", 0, 0, 0, 2.0},
        {"APPR", 0, 0, 0, 2.0}, {"STAR", 0, 0, 0, 2.0}, {"", 1, 0, 0, 1.5},
        {"", 0, 1, 0, 5.52},    {"", 1, 1, 0, 1.5},     {"", 0, 0, 36, -1.0},
    };
    const std::vector<PlanPoint> plan = northbound(90.5);
    place(offset("A", plan[1], 180.0, 6.0).lat, kOrigin.lon, 0.0);
    for (const Row& r : rows) {
        activate(plan);
        active_entry(1).kind = r.kind;
        active_entry(1).flyover = r.flyover;
        WptChgDist = 3.0;
        WptProcChgDist = 2.0;
        WptChgSecs = r.secs;
        AdjustTurnDistforAngle = r.adjust_turn;
        pass(); // the turn is measured on the TO's own legs at once
        const double want = r.expected < 0 ? aircraft_state.ground_speed_kt / 100.0 : r.expected;
        EXPECT_NEAR(switch_distance, want, 1e-9) << r.kind << " " << r.flyover << " " << r.adjust_turn;
    }
}

// On the pass that sequences P1, the new TO's switching distance anticipates
// its own turn, not the one at P1 (P3, the last, has none).
TEST_F(Sequencing, TheSwitchingDistanceOfANewToIsItsOwn) {
    AdjustTurnDistforAngle = 1;
    const struct { double turn_at_p1, turn_at_p2, expected; } rows[] = {{120.0, 0.0, 3.0}, {0.0, 90.0, 5.52}};
    for (const auto& r : rows) {
        std::vector<PlanPoint> plan{kOrigin, offset("P1", kOrigin, 0.0, 10.0)};
        plan.push_back(offset("P2", plan[1], r.turn_at_p1, 10.0));
        plan.push_back(offset("P3", plan[2], r.turn_at_p1 + r.turn_at_p2, 10.0));
        const PlanPoint start = offset("A", plan[1], 180.0, 3.5);
        place(start.lat, start.lon, 0.0);
        activate(plan);
        ASSERT_TRUE(pass_until([] { return to_waypoint_index == 2; }, 2000)) << r.turn_at_p1;
        EXPECT_NEAR(switch_distance, r.expected, 1e-9) << r.turn_at_p1;
    }
}

TEST_F(Sequencing, NeedsLnavOrTheSettingAndTakesThePreviousPassDistance) {
    SetWptBaro = 1;
    WeightUnit = "KGS";
    const std::vector<PlanPoint> plan = northbound();
    const PlanPoint start = offset("A", plan[1], 180.0, 5.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    lnav_engaged = 0;
    EXPECT_FALSE(pass_until([] { return distance_to_to_nm < 1.0; }, 5000) && to_waypoint_index != 1);
    EXPECT_EQ(to_waypoint_index, 1);
    SequenceFPlanWpts = 1;
    pass();
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_EQ(passing_time(active_plan[1]), "12:00");
    EXPECT_EQ(active_plan_entries[1].passing_time, "12:00"); // as other modules read it
    EXPECT_EQ(last_passed_waypoint, "P1");
    EXPECT_EQ(last_passed_time_text, "1200Z");
    EXPECT_NEAR(last_passed_fuel, host::aircraft().fuel_lb * 0.45359237, 1.0);
    EXPECT_NEAR(to_position.lat, plan[2].lat, 1e-12);
    EXPECT_EQ(sent(0x10030).size(), 1u);

    // Sequenced on the pass after the distance fell below 3 NM.
    ASSERT_TRUE(pass_until([] { return to_waypoint_index == 3; }, 5000));
    EXPECT_LT(distance_to_to_prev_nm, 3.0);
    EXPECT_GT(distance_to_to_prev_nm, 2.99);
    EXPECT_EQ(intercept_armed, 1);
}

TEST_F(Sequencing, AWaypointBehindIsSequencedByTheCourseReversalCheck) {
    WptChgDist = 0.5;
    host::aircraft().ap_master = false; // heading mode on, but the aircraft flies straight on
    const std::vector<PlanPoint> plan = northbound();
    const PlanPoint start = offset("A", offset("B", plan[1], 180.0, 4.0), 90.0, 1.5);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    ASSERT_TRUE(pass_until([] { return to_waypoint_index == 2; }, 5000));
    EXPECT_EQ(distance_to_to_prev_nm, -1.0); // the distance the check forced
    EXPECT_NEAR(cross_track_nm, 1.5, 0.01);  // passed abeam, never within the switching distance
}

TEST_F(Sequencing, TheLastWaypointEndsLnavInsteadOfSequencing) {
    const std::vector<PlanPoint> plan = northbound();
    const PlanPoint start = offset("A", plan[3], 180.0, 4.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    set_flown_to(3);
    set_to_position(GeoPosition{plan[3].lat, plan[3].lon});
    LnavOffAtLastWpt = 1;
    ASSERT_TRUE(pass_until([] { return to_waypoint_index == 4; }, 5000));
    EXPECT_EQ(lnav_engaged, 0); // the new TO is the last: LNAV off at once
    passes(3000);
    EXPECT_EQ(to_waypoint_index, 4);
}

} // namespace

namespace {

using Discontinuity = UpdateTest;

PlanPoint marker(const char* ident) {
    return PlanPoint{ident, 0.0, 0.0};
}

// P0 P1 P2 DISCO P3 THEN P4 P5, 10 NM apart northbound (the markers at 0N 0E).
std::vector<PlanPoint> gapped() {
    std::vector<PlanPoint> p{kOrigin};
    for (const char* id : {"P1", "P2", "P3", "P4", "P5"})
        p.push_back(offset(id, p.back(), 0.0, 10.0));
    p.insert(p.begin() + 3, marker("DISCO"));
    p.insert(p.begin() + 5, marker("THEN"));
    return p;
}

TEST_F(Discontinuity, TheAircraftKeepsItsHeadingAtAGapUntilThePilotClosesIt) {
    std::vector<PlanPoint> plan = gapped();
    const PlanPoint start = offset("A", plan[1], 180.0, 4.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    ASSERT_TRUE(pass_until([] { return last_passed_waypoint == "P2"; }, 20000));
    host::sim_state().key_events.clear();
    passes(2000); // some 8 NM past P2
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_TRUE(sent(0x101FA).empty()); // the heading stays
    EXPECT_NEAR(host::aircraft().true_heading_deg, 0.0, 1.0);
    // The route ahead runs across the gap, never by way of 0N 0E.
    EXPECT_LT(distance_to_destination, 80.0);
    EXPECT_LT(distance_to_to_nm, 30.0);

    // The pilot closes the gap: P3 follows P2 and LNAV flies on to it.
    plan.erase(plan.begin() + 3);
    write_active_plan(plan);
    lnav_engaged = 1;
    pass();
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "P3");
    // The THEN entry after P3 stops the aircraft at P3 likewise.
    ASSERT_TRUE(pass_until([] { return lnav_engaged == 0; }, 20000));
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "P3");
    EXPECT_EQ(last_passed_waypoint, "P3");
}

TEST_F(Discontinuity, ATurnIsNotAnticipatedIntoAGapNorIsAMarkerMadeTheTo) {
    AdjustTurnDistforAngle = 1;
    const std::vector<PlanPoint> plan = gapped();
    const PlanPoint start = offset("A", plan[2], 180.0, 5.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    set_flown_to(2);
    set_to_position(GeoPosition{plan[2].lat, plan[2].lon});
    passes(2);
    EXPECT_DOUBLE_EQ(switch_distance, WptChgDist);

    // A TO put on a marker moves on to the place after it.
    set_flown_to(3);
    set_to_position(GeoPosition{});
    pass();
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "P3");
    EXPECT_LT(distance_to_to_nm, 30.0);
    EXPECT_LT(leg_distance_nm, 30.0); // measured from P2, the place before the gap
}

} // namespace

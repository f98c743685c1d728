// The working pass: one per simulator time, the read schedule, timers,
// pending autopilot events, the simulation rate and pauses, the times to go
// and the start of a flight.
#include "update_fixture.h"

#include "data/module_settings.h"
#include "fms/guidance/route_progress.h"
#include "fms/guidance/times_to_go.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/update_counters.h"
#include "plan_builder.h"

#include <cmath>

namespace {

using Update = UpdateTest;

TEST_F(Update, WorksOncePerSimulatorTimeAndReadsOnItsSlots) {
    host::AircraftModel& m = host::aircraft();
    m.magvar_deg = 5.0;
    m.wind_from_deg = 90.0;
    m.wind_speed_kt = 30.0;
    place(47.0, 8.0, 0.0);

    pass();
    EXPECT_EQ(frame_slot, 1);
    EXPECT_EQ(aircraft_state.magvar, 0.0); // slot 0 values wait for slot 0
    EXPECT_EQ(aircraft_state.zulu_hours, 0.0);
    EXPECT_GT(aircraft_state.radio_altitude_ft, 9000.0); // slot 1 reads it
    EXPECT_GT(aircraft_state.plat, 46.9);                // every pass

    // Another gauge in the same frame repeats the four reads and stops.
    const double altitude = aircraft_state.indicated_altitude_ft;
    fms_update();
    EXPECT_EQ(frame_slot, 1);
    EXPECT_EQ(aircraft_state.indicated_altitude_prev_ft, altitude);
    // Simulator time standing still: no pass works.
    m.paused = true;
    passes(5);
    EXPECT_EQ(frame_slot, 1);
    m.paused = false;

    passes(17); // slot 0 again
    EXPECT_EQ(frame_slot, 0);
    EXPECT_EQ(aircraft_state.magvar, 5.0);
    EXPECT_EQ(aircraft_state.zulu_hours, 12.0);
    EXPECT_EQ(aircraft_state.snap_token_106, 1);
    passes(3); // slot 3, a wind slot: the wind is stored magnetic, the components use it true
    EXPECT_EQ(aircraft_state.wind_direction_deg, 85.0);
    EXPECT_NEAR(headwind_kt, 0.0, 0.5);
    EXPECT_NEAR(crosswind_kt, 30.0, 0.1); // from the right
    EXPECT_NEAR(drift_angle_deg, 30.0 * 60.0 / aircraft_state.true_airspeed_est_kt, 1e-9);
    EXPECT_EQ(aircraft_state.heading_deg, 355.0);
    EXPECT_NEAR(track_deg, 355.0 - drift_angle_deg, 1e-9);

    // A bank inside +-0.035 reads as level.
    for (double bank : {0.03, 0.035}) {
        host::advance_aircraft();
        host::set_token(80, bank);
        fms_update();
        EXPECT_EQ(aircraft_state.bank_deg, bank == 0.03 ? 0.0 : bank);
    }
}

TEST_F(Update, CountsSecondsFuelAndHoldsTheRefreshCounter) {
    place(47.0, 8.0, 0.0);
    flight_phase = kFlightPhaseStartLog;
    flight_elapsed_seconds = 0.0;
    passes(5);
    EXPECT_EQ(display_refresh_counter, 0); // held for the first five passes
    pass();
    EXPECT_EQ(display_refresh_counter, 1);
    passes(30); // 36 passes: two whole seconds after the first
    EXPECT_EQ(flight_elapsed_seconds, 3.0);
    EXPECT_EQ(second_tick, 1);
    const double flow = host::aircraft().engines[0].fuel_flow_pph;
    EXPECT_NEAR(engine_fuel_used[0], flow * 36.0 / 3600.0 / 18.0, flow * 1e-4);
    EXPECT_EQ(engine_fuel_used[2], 0.0);

    host::aircraft().ap_heading_bug_deg = 20.0; // the bug moves
    pass();
    EXPECT_EQ(heading_bug_change_countdown, 54);
    pass();
    EXPECT_EQ(display_refresh_counter, 0);
    EXPECT_EQ(heading_bug_change_countdown, 53);
}

TEST_F(Update, SendsPendingEventsRestoresTheRateAndPausesOnce) {
    host::AircraftModel& m = host::aircraft();
    m.sim_rate = 4.0;
    m.ap_altitude_ft = 12000.0;
    CruiseMach = 0.78;
    pending_mach_events = 2;
    pending_descent_speed_event = 1;
    vnav_phase = VnavPhase::Descent;
    Lnav1xAtTod = 1;
    place(47.0, 8.0, 0.0);
    passes(6);
    EXPECT_EQ(sent(0x101F6), (std::vector<uint32_t>{78, 78}));
    EXPECT_EQ(sent(0x101F5), (std::vector<uint32_t>{static_cast<uint32_t>(descent_speed_target)}));
    commanded_altitude_refresh = 5; // the autopilot altitude as last read goes to the readout
    pass();
    EXPECT_EQ(commanded_altitude_ft, 12000);
    EXPECT_EQ(commanded_altitude_refresh, -999);
    // One step down per pass until the rate reads 1, then never again.
    EXPECT_EQ(sent(0x100FE).size(), 2u);
    EXPECT_EQ(sim_rate_restored, 1);
    m.sim_rate = 4.0;
    passes(3);
    EXPECT_EQ(sent(0x100FE).size(), 2u);

    PauseAtTod = 1;
    passes(3);
    EXPECT_EQ(sent(0x10019).size(), 1u);
    EXPECT_EQ(PauseAtTod, 0);
    const int slot = frame_slot;
    passes(10); // paused: nothing works
    EXPECT_EQ(frame_slot, slot);
}

TEST_F(Update, AutopilotMasterOffTurnsTheAirspeedHoldOffOnce) {
    SetSpdOffwhenAPMasterSetOff = 1;
    host::aircraft().ap_airspeed_hold = true;
    host::aircraft().ap_airspeed_kt = 250.0;
    place(47.0, 8.0, 0.0);
    passes(20);
    host::aircraft().ap_master = false;
    passes(20);
    EXPECT_EQ(sent(0x10143).size(), 1u);
}

TEST(TimesToGo, SplitIntoHoursMinutesAndTenths) {
    struct Row {
        double gs, to_nm, dest_nm, rate;
        double to_min, to_h, to_part, tenths, to_sim, dest_h, dest_part;
    };
    const Row rows[] = {
        {300, 25, 25, 1, 5.0, 0, 5.0, 0, 5.0, 0, 5.0},
        {300, 12.4, 400, 4, 2.48, 0, 2.48, 4, 0.62, 1, 20.0},
        {120, 150, 150, 2, 75.0, 1, 15.0, 0, 37.5, 1, 15.0},
        {240, 240, 480, 1, 60.0, 1, 0.0, 0, 60.0, 2, 0.0},
    };
    for (const Row& r : rows) {
        update_times_to_go(r.gs, r.to_nm, r.dest_nm, r.rate);
        EXPECT_NEAR(ete_to_minutes, r.to_min, 1e-9) << r.to_nm;
        EXPECT_EQ(ete_to_hours, r.to_h) << r.to_nm;
        EXPECT_NEAR(ete_to_min_part, r.to_part, 1e-9) << r.to_nm;
        EXPECT_EQ(ete_to_tenths, r.tenths) << r.to_nm;
        EXPECT_NEAR(ete_to_sim_minutes, r.to_sim, 1e-9) << r.to_nm;
        EXPECT_EQ(ete_dest_hours, r.dest_h) << r.dest_nm;
        EXPECT_NEAR(ete_dest_min_part, r.dest_part, 1e-9) << r.dest_nm;
    }
    // Slow or without a usable rate: parts read 0, the totals stay finite.
    update_times_to_go(300, 30, 30, 0.0);
    EXPECT_EQ(ete_to_minutes, 6.0);
    EXPECT_EQ(ete_to_sim_minutes, 60.0); // the last usable value
    update_times_to_go(25, 30, 30, 1.0);
    EXPECT_EQ(ete_to_hours + ete_to_min_part + ete_to_tenths + ete_dest_hours + ete_dest_min_part, 0.0);
    EXPECT_EQ(ete_to_minutes, 6.0);
}

// The time to go shown beside the TO is that TO's from the pass it becomes
// the TO, whichever slot of the cycle that pass falls on.
TEST_F(Update, TheTimeToGoIsTheNewTosOnThePassTheToChanges) {
    const PlanPoint p0{"P0", 47.0, 8.0};
    std::vector<PlanPoint> plan{p0};
    for (int i = 1; i <= 4; ++i)
        plan.push_back(offset("P" + std::to_string(i), plan.back(), 90.0, 3.0 + i));
    place(p0.lat, p0.lon, 90.0);
    activate(plan);
    int changes = 0;
    int to = to_waypoint_index;
    ASSERT_TRUE(pass_until(
        [&] {
            if (to_waypoint_index != to) {
                to = to_waypoint_index;
                ++changes;
                EXPECT_NEAR(ete_to_minutes, distance_to_to_nm / aircraft_state.ground_speed_kt * 60.0, 1e-6)
                    << "TO " << to;
            }
            return changes == 3;
        },
        18 * 600));
}

TEST(AdvanceRouteState, EnteringARouteOnTheGroundStartsAFlight) {
    aircraft_state.ground_speed_kt = 6.0;
    advance_route_state();
    EXPECT_EQ(route_state, kRouteStateEntered);
    EXPECT_EQ(flight_phase, kFlightPhaseNoLog); // moving: nothing else
    route_state = kRouteStateNone;
    aircraft_state.ground_speed_kt = 0.0;
    advance_route_state();
    EXPECT_EQ(flight_phase, kFlightPhaseInitLoad); // -1, and the log's first call starts it at InitLoad
    EXPECT_EQ(flight_elapsed_seconds, 0.0);
    EXPECT_EQ(last_clock_second, -99.0);
}

} // namespace

namespace {

TEST_F(Update, TowerViewNearTheDestinationAndTheDestinationOnceAwayFromTheOrigin) {
    SetWptBaro = 1;
    McuShowActiveRwys = 0;
    const PlanPoint p0{"LSZH", 47.0, 8.0};
    const PlanPoint p1 = offset("P1", p0, 0.0, 10.0);
    const PlanPoint dest = offset("LSGG", p1, 0.0, 30.0);
    place(p0.lat, p0.lon, 0.0);
    activate({p0, p1, dest});
    active_entry(2).type = "APT";
    destination_airport_state = kDestinationAirportStateToLoad;
    mcu_airport_list_index = 3;
    // The direct distance is current from the first pass: no tower view 40 NM out.
    ASSERT_TRUE(
        pass_until([] { return destination_airport_state == kDestinationAirportStateLoaded; }, 18 * 300));
    EXPECT_NEAR(direct_distance_to_destination, 32.0, 0.1); // 8 NM out of 40
    EXPECT_EQ(mcu_airport_list_index, -999);
    EXPECT_EQ(tower_view_set, 0);
    EXPECT_EQ(sent(0x10030).size(), 1u); // sequencing P1 at 7 NM
    ASSERT_TRUE(pass_until([] { return tower_view_set == 1; }, 18 * 300));
    EXPECT_NEAR(direct_distance_to_destination, 25.0, 0.01);
    passes(18);
    EXPECT_EQ(sent(0x10030).size(), 2u); // and once for the tower view
}

} // namespace

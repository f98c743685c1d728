// The value pages worked through the stand-in: PLAN read-outs fed through the
// simulator's tokens, VNAV DATA rates, a hold edited, pilot and offset
// waypoints made and inserted, and SAVE writing the route file.
#include "gns_stand_in.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/files/route_file.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/nav_math.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr gfx::Argb kValueGreen = 0xFF00FA00;
constexpr gfx::Argb kBlue = 0xFF02A7EB;
constexpr double kFpsPerKt = 1.68781;

} // namespace

class GnsValuePages : public GnsRouteStandIn {
  protected:
    void activate_example_route() {
        open_example_route();
        if (HasFatalFailure()) return;
        activate_opened_route();
        ASSERT_EQ(to_waypoint_index, 1);
    }
    // The aircraft stopped: the tokens set here stay as set.
    void hold_tokens() {
        host::reset_aircraft();
        host::set_token(386, 3.0); // 1000 gallons of 3 lb
        host::set_token(306, 1000.0);
        for (uint32_t t : {421u, 460u, 499u, 538u, 638u, 657u, 676u, 695u})
            host::set_token(t, 500.0);
        host::set_token(551, 300.0 * kFpsPerKt);
    }
    // One draw of the page on a surface of its own, without the update pass,
    // so that the values set by the test stay as set.
    std::string draw_only_text_at(float x, float y) {
        void* dc = gfx::create_surface_dc(495, 400, gfx::SurfaceRecording);
        render_gnsxls(gnsxls_display, dc, PixelSize{495, 400});
        std::string text;
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc)->ops)
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y)
                text = op.text;
        gfx::destroy_surface_dc(dc);
        return text;
    }
};

TEST_F(GnsValuePages, PlanFuelStatusFromTheTokens) {
    hold_tokens();
    press("PLAN");
    frames(20);
    const gfx::RecordedOp* unit = op_at(380.0f, 40.0f);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->text, "LB");
    EXPECT_EQ(unit->color, kValueGreen);
    EXPECT_EQ(text_at(150.0f, 0.0f), "PLAN 1/6");
    EXPECT_EQ(text_at(340.0f, 80.0f), "  3000");
    EXPECT_EQ(text_at(340.0f, 160.0f), "  2000");
    const gfx::RecordedOp* hours = op_at(360.0f, 280.0f);
    ASSERT_NE(hours, nullptr);
    EXPECT_EQ(hours->text, "01:30");
    EXPECT_EQ(hours->color, kBlue);
    EXPECT_EQ(text_at(360.0f, 320.0f), "  450");
    EXPECT_EQ(text_at(380.0f, 360.0f), "   7");
    EXPECT_EQ(text_at(470.0f, 98.0f), ">"); // the reserve field

    WeightUnit = "KGS";
    frames(1);
    EXPECT_EQ(text_at(340.0f, 80.0f), "  1361");
    EXPECT_EQ(text_at(380.0f, 40.0f), "KG");

    // No flow: no endurance and no range, rather than a division by zero.
    for (uint32_t t : {421u, 460u, 499u, 538u, 638u, 657u, 676u, 695u})
        host::set_token(t, 0.0);
    frames(1);
    EXPECT_EQ(text_at(360.0f, 280.0f), "-----");
    EXPECT_EQ(text_at(360.0f, 320.0f), "-----");

    // Page 4 lists only the engines that flow.
    host::set_token(460, 700.0);
    press("NEXT NEXT NEXT");
    EXPECT_EQ(text_at(150.0f, 0.0f), "PLAN 4/6");
    EXPECT_EQ(text_at(30.0f, 160.0f), "");
    EXPECT_EQ(text_at(30.0f, 200.0f), "ENGINE   2");
    EXPECT_EQ(text_at(380.0f, 200.0f), " 700");
    EXPECT_EQ(text_at(30.0f, 240.0f), "");
}

TEST_F(GnsValuePages, PlanReserveIsTypedInTheWeightUnit) {
    hold_tokens();
    WeightUnit = "KGS";
    press("PLAN R2");
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleFirst);
    press("\"1000\" ENT");
    EXPECT_NEAR(fuel_on_board_low_lb, 2204.62262, 1e-6);
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleIdle);
    EXPECT_EQ(gns_state, GNS_PLAN);
}

TEST_F(GnsValuePages, PlanTripEtaCarriesAtSixtyMinutesAndWrapsAtTwentyFourHours) {
    press("PLAN PLAN");
    struct Row {
        double hours, minutes, ete_hours, ete_minutes;
        const char* eta;
    };
    const Row rows[] = {{23.0, 50.0, 0.0, 10.0, "00:00"},
                        {10.0, 40.0, 1.0, 20.0, "12:00"},
                        {12.0, 5.0, 0.0, 20.0, "12:25"},
                        {22.0, 30.0, 2.0, 0.0, "00:30"},
                        {12.0, 0.0, 0.0, 59.6, "13:00"}};
    aircraft_state.ground_speed_kt = 300.0;
    distance_to_destination = 300.0;
    for (const Row& r : rows) {
        aircraft_state.local_hours = r.hours;
        aircraft_state.local_minutes = r.minutes;
        ete_dest_hours = r.ete_hours;
        ete_dest_min_part = r.ete_minutes;
        EXPECT_EQ(draw_only_text_at(360.0f, 340.0f), r.eta) << r.hours << ":" << r.minutes;
    }
    // The time to go is rounded as a whole too: never "00:60".
    EXPECT_EQ(draw_only_text_at(360.0f, 280.0f), "01:00");
    aircraft_state.ground_speed_kt = 50.0;
    EXPECT_EQ(draw_only_text_at(360.0f, 340.0f), "------");
}

TEST_F(GnsValuePages, PlanDateAndClock) {
    host::reset_aircraft();
    host::set_token(8, 60.0);
    host::set_token(9, 2004.0);
    host::set_token(6, 14.0);
    host::set_token(7, 5.0);
    press("PLAN PLAN PLAN PLAN PLAN");
    EXPECT_EQ(text_at(150.0f, 0.0f), "PLAN 5/6");
    const gfx::RecordedOp* date = op_at(280.0f, 80.0f);
    const gfx::RecordedOp* clock = op_at(280.0f, 120.0f);
    ASSERT_TRUE(date != nullptr && clock != nullptr);
    EXPECT_EQ(date->text, "29 FEB 04");
    EXPECT_EQ(clock->text, "14:05");
    EXPECT_EQ(date->color, kBlue);
    EXPECT_EQ(clock->color, kBlue);
}

TEST_F(GnsValuePages, VnavDataRatesFollowTheFlightPathAngle) {
    press("VNAV L5 ENT");
    ASSERT_EQ(gns_state, GNS_VNAV_DATA);
    climb_speed_target = 250;
    descent_speed_target = 220;
    struct Row {
        const char* typed;
        double fpa;
        int climb;
        double descent;
    };
    // "00" stores the angle and leaves the rates of the row before.
    const Row rows[] = {{"30", 3.0, 1600, 1400}, {"75", 6.0, 3200, 2800}, {"00", 0.0, 3200, 2800}};
    for (const Row& r : rows) {
        press(std::string("R3 \"") + r.typed + "\" ENT");
        EXPECT_DOUBLE_EQ(FPA, r.fpa) << r.typed;
        EXPECT_EQ(ClimbRate, r.climb) << r.typed;
        EXPECT_DOUBLE_EQ(DescentRate, r.descent) << r.typed;
        for (int t : gns_line_toggles)
            EXPECT_EQ(t, 0);
    }
    // A scratchpad of one character is read without running past its end.
    gns_line_toggles[GNS_R3] = kGnsToggleFirst;
    gns_scratchpad = "2";
    press("ENT");
    EXPECT_DOUBLE_EQ(FPA, 2.0);

    press("R2 R2 \"5000\" ENT");
    EXPECT_EQ(TransAlt, 5000);
}

TEST_F(GnsValuePages, AHoldIsEditedInTimeAndDistanceModes) {
    press("HOLD");
    ASSERT_EQ(gns_state, GNS_HOLDING_PATTERN);
    EXPECT_EQ(text_at(30.0f, 0.0f), "HOLDING PATTERN 1/1");
    press("R4 \"2\" ENT R2 \"90\" ENT");
    EXPECT_EQ(hold_list[1].leg_mode, kHoldLegByTime);
    EXPECT_DOUBLE_EQ(hold_list[1].leg_time, 2.0);
    EXPECT_DOUBLE_EQ(hold_list[1].inbound_course, 90.0);
    press("R2 \"360\" ENT");
    EXPECT_DOUBLE_EQ(hold_list[1].inbound_course, 0.0);

    press("R4 R4 \"5\" ENT R2 \"90\" ENT");
    EXPECT_EQ(hold_list[1].leg_mode, kHoldLegByDistance);
    EXPECT_DOUBLE_EQ(hold_list[1].leg_distance, 5.0);
    EXPECT_EQ(text_at(30.0f, 265.0f), "LEG NM");
    press("R2 \"360\" ENT");
    EXPECT_DOUBLE_EQ(hold_list[1].inbound_course, 0.0);

    // The turn and the exit are choices the toggle/erase key flips.
    press("R3 ERASE ENT R5 ERASE ENT");
    EXPECT_EQ(hold_list[1].turn, 2);
    EXPECT_EQ(hold_exit_state, kHoldExitAtPointOne);
    EXPECT_EQ(text_at(300.0f, 178.0f), "LEFT");
    EXPECT_EQ(text_at(300.0f, 340.0f), "LEAVE");
}

// A leg is kept as typed while its field shows it (up to 99.9, so whole
// numbers 1 to 99 on these keys); else it is refused, never cut to fit: the
// field stays open and the page says so.
TEST_F(GnsValuePages, AHoldLegIsKeptAsTypedOrRefused) {
    press("HOLD");
    struct Row {
        const char* keys; // R4 the leg time, R4 R4 the leg length
        const char* typed;
        bool taken;
    };
    const Row rows[] = {{"R4", "12", true},
                        {"R4 R4", "99", true},
                        {"R4 R4", "150", false},
                        {"R4", "100", false},
                        {"R4", "0", false}};
    for (const Row& r : rows) {
        const HoldEntry before = hold_list[1];
        // R2 first: the leg field opens afresh whatever the row before left open.
        press(std::string("R2 ") + r.keys + " \"" + r.typed + "\" ENT");
        const bool by_distance = std::string(r.keys) == "R4 R4";
        const double stored = by_distance ? hold_list[1].leg_distance : hold_list[1].leg_time;
        const double kept = by_distance ? before.leg_distance : before.leg_time;
        EXPECT_EQ(stored, r.taken ? std::atof(r.typed) : kept) << r.typed;
        EXPECT_EQ(shows("INVALID ENTRY"), !r.taken) << r.typed;
        EXPECT_EQ(gns_line_toggles[GNS_R4] != kGnsToggleIdle, !r.taken) << r.typed;
    }
}

// Put in between the origin and the TO, the pilot waypoint is flown next.
TEST_F(GnsValuePages, APilotWaypointGoesInAtTheCursorAndIsFlownNext) {
    activate_example_route();
    const int last = active_plan_last;
    // L2 proposes the TO waypoint (entry 1); a name the database lacks makes a pilot waypoint.
    press("L2 \"QQQQ\" ENT");
    ASSERT_EQ(gns_state, GNS_PILOT_WPT);
    EXPECT_EQ(text_at(96.0f, 40.0f), "QQQQ");
    press("\"S33\"");
    EXPECT_EQ(gns_pilot_lat_text, "S 33:  :  ");
    press("\"52\"");
    EXPECT_EQ(text_at(130.0f, 120.0f), "S 33:52:00");
    press("ENT \"W11824\"");
    EXPECT_EQ(gns_pilot_lon_text, "W118:24:00");
    press("ENT");
    frames(1);

    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(active_plan_last, last + 1);
    const RouteWaypoint& w = active_plan[1];
    EXPECT_EQ(w.ident, "QQQQ");
    EXPECT_EQ(w.type, "WPT");
    EXPECT_DOUBLE_EQ(w.lat, -(33.0 + 52.0 / 60.0));
    EXPECT_DOUBLE_EQ(w.lon, -(118.0 + 24.0 / 60.0));
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(to_position.lat, w.lat);
    EXPECT_EQ(active_plan[active_plan_last + 1].ident, "******");
}

TEST_F(GnsValuePages, AnOffsetWaypointLiesAtTheMagneticBearingAndDistance) {
    activate_example_route();
    press("L2 \"OLM*\" ENT");
    ASSERT_EQ(gns_state, GNS_OFFSET_WPT);
    const NavListRecord ref = unit_candidates(PlanUnit::Gns).records[1];
    EXPECT_EQ(text_at(130.0f, 40.0f), "OLM");
    press("R3 \"90\" ENT \"12\" ENT");
    ASSERT_EQ(gns_state, GNS_OFFSET_WPT); // both given: the next ENT inserts
    EXPECT_EQ(text_at(130.0f, 178.0f), "12NM");
    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    const RouteWaypoint& w = active_plan[1];
    EXPECT_EQ(w.ident, "OLM*");
    EXPECT_EQ(w.type, "INT");
    double distance = 0.0, course = 0.0;
    gc_dist_course(ref.latitude, ref.longitude, w.lat, w.lon, &distance, &course);
    EXPECT_NEAR(distance, 12.0, 1e-6);
    EXPECT_NEAR(course, std::fmod(90.0 + aircraft_state.magvar + 360.0, 360.0), 1e-6);
}

TEST_F(GnsValuePages, WaypointsAreRefusedWithoutRoomOrBeyondTheEndMark) {
    activate_example_route();
    press("L2 \"QQQQ\" ENT");
    ASSERT_EQ(gns_state, GNS_PILOT_WPT);
    gns_pilot_lat = -33.0;
    gns_pilot_lon = -118.0;
    gns_pilot_entry_step = 0;
    const int last = active_plan_last;

    gns_selected_wpt_cursor.move_to(last + 2); // past the end mark
    press("ENT");
    EXPECT_EQ(active_plan_last, last);
    EXPECT_EQ(gns_state, GNS_PILOT_WPT);

    gns_selected_wpt_cursor.move_to(last + 1); // on the end mark: appended
    press("ENT");
    EXPECT_EQ(active_plan_last, last + 1);
    EXPECT_EQ(active_plan[last + 1].ident, "QQQQ");

    for (int i = 0; i <= kPlanLastIndex - 1; ++i)
        active_entry(i).ident = "X";
    set_active_last(kPlanLastIndex - 1); // 200 waypoints
    gns_state = GNS_PILOT_WPT;
    gns_selected_wpt_cursor.move_to(5);
    press("ENT");
    EXPECT_EQ(active_plan_last, kPlanLastIndex - 1);
    EXPECT_EQ(active_plan[5].ident, "X");
}

TEST_F(GnsValuePages, SaveWritesTheProposedOrTypedNameWithoutPadding) {
    const std::filesystem::path folder = std::filesystem::path(sim_folder_.path()) / "orvex" / "flightplans";
    activate_example_route();
    ASSERT_TRUE(std::filesystem::remove(folder / "KSEAKPDX.RTE"));
    press("R4 ENT");
    ASSERT_EQ(gns_state, GNS_SAVE_FPL);
    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_TRUE(std::filesystem::exists(folder / "KSEAKPDX.RTE"));

    press("R4 ENT L2 \"ABCDEFGH\" ENT ENT");
    EXPECT_TRUE(std::filesystem::exists(folder / "ABCDEFGH.RTE"));

    // A name the folder cannot take writes nothing and stays for correcting.
    const auto files = [&] {
        int n = 0;
        for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
            n += e.is_regular_file() ? 1 : 0;
        return n;
    }();
    press("R4 ENT");
    gns_scratchpad = "A/B";
    press("ENT");
    EXPECT_EQ(gns_state, GNS_SAVE_FPL);
    EXPECT_TRUE(shows("INVALID NAME"));
    int after = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        after += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(after, files);
}

TEST_F(GnsValuePages, VnavKeyLeavesNoBlankState) {
    activate_example_route();
    press("L2");
    ASSERT_EQ(gns_entry_active, 1);
    press("VNAV");
    EXPECT_EQ(gns_state, GNS_VNAV);
    EXPECT_EQ(gns_entry_active, 0);
    EXPECT_EQ(text_at(90.0f, 0.0f), "VNAV   1/2");
}

TEST_F(GnsValuePages, NavigationStepsThroughTheWaypointsAheadAndShowsItsChoices) {
    activate_example_route();
    press("NAV");
    EXPECT_EQ(text_at(45.0f, 0.0f), "NAVIGATION   1/4");
    EXPECT_EQ(text_at(110.0f, 40.0f), active_plan[to_waypoint_index].ident);
    press("NAV");
    EXPECT_EQ(text_at(110.0f, 40.0f), active_plan[to_waypoint_index + 1].ident);
    // Each page farther along the route.
    const double second = std::stod(text_at(110.0f, 80.0f));
    press("NAV");
    EXPECT_GT(std::stod(text_at(110.0f, 80.0f)), second);

    press("R2");
    EXPECT_EQ(text_at(290.0f, 80.0f), "ALT?");
    press("ERASE");
    EXPECT_EQ(text_at(290.0f, 80.0f), "ETA?");
    press("R5 ERASE");
    EXPECT_EQ(text_at(290.0f, 340.0f), lnav_engaged != 0 ? "AUTO" : "MANUAL");
    press("ERASE");
    EXPECT_EQ(gns_nav_seq_choice, lnav_engaged != 0 ? kGnsNavSeqManual : kGnsNavSeqAuto);

    // Past the end of the route the page has nothing to show.
    set_active_last(to_waypoint_index + 1);
    press("NAV");
    EXPECT_EQ(text_at(45.0f, 0.0f), "NAVIGATION   4/4");
    EXPECT_EQ(text_at(110.0f, 40.0f), "------");
}

// Any cruise altitude the field shows is taken, above the aircraft's
// MaxCruise too; more is refused: the field stays open with the entry and the
// page says so.
TEST_F(GnsValuePages, VnavDataTakesEveryCruiseAltitudeItsFieldShows) {
    press("VNAV L5 ENT R2 \"99999\" ENT");
    ASSERT_EQ(cruise_altitude, 99999);
    EXPECT_FALSE(shows("INVALID ENTRY"));
    press("R2 \"100000\" ENT");
    EXPECT_EQ(cruise_altitude, 99999);
    EXPECT_TRUE(shows("INVALID ENTRY"));
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleFirst);
}

class GnsVnav : public GnsRouteStandIn {};

// VNAV engaged by its key on a route without a cruise altitude holds the
// altitude flown: no altitude of 0 is sent.
TEST_F(GnsVnav, WithoutACruiseAltitudeVnavHoldsTheAltitudeFlown) {
    open_example_route();
    activate_opened_route();
    ASSERT_NE(to_waypoint_index, kNoToWaypoint);
    cruise_altitude = 0;
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = m.ap_altitude_ft = 10000.0;
    m.ias_kt = m.ap_airspeed_kt = 250.0;
    m.ap_master = m.ap_altitude_hold = true;
    m.ap_vertical_speed_fpm = 1000.0;
    host::send_key_event(0x10338, 0);
    frames(18 * 20);
    ASSERT_EQ(vnav_engaged, 1);
    for (const host::KeyEvent& e : host::sim_state().key_events)
        EXPECT_FALSE(e.id == 0x1024C && e.parameter == 0u);
    EXPECT_NEAR(m.altitude_ft, 10000.0, 100.0);
}

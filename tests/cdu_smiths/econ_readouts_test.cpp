// What the ECON pages show of the flight: the T/C, T/D and E/D rows with
// their ETA, the wind, the fuel at the last waypoint, the vertical deviation,
// the path angles and the pause prompts, over values set straight into the
// module; and the ETA routine that every CDU page uses.
#include "cdu_smiths/cdu_eta.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/route_progress.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "page_canvas.h"
#include "shared/profile_points.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

namespace {

class EconReadouts : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        start_in_flight();
        aircraft_state.plat = 47.0;
        aircraft_state.plon = -122.0;
        // A plan due north of the aircraft: KSEA, a constrained waypoint, KPDX.
        place(0, "KSEA", 47.0);
        place(1, "CONST", 47.5, 11000.0);
        place(2, "KPDX", 48.0);
        set_active_last(2);
        set_flown_to(1);
        vertical_target_cursor.move_to(1);
    }
    void TearDown() override {
        ImportTable.panels = nullptr;
        PageCanvas::TearDown();
    }
    void place(int i, const char* ident, double lat, double alt = -999.0) {
        RouteWaypoint& w = active_entry(i);
        w.ident = ident;
        w.lat = lat;
        w.lon = -122.0;
        w.alt_constraint = alt;
    }
    void show(int page) {
        smiths_cdu_page = page;
        draw();
    }
};

} // namespace

TEST(CduEta, carriesAtSixtyMinutesWrapsAtMidnightAndTruncatesTheMinutes) {
    struct Row {
        double hours, minutes, distance_nm, speed_kt;
        bool local;
        const char* text;
    } rows[] = {
        {12, 59.7, 0, 300, false, "1259.7Z"},    // never rounded up to "60"
        {12, 0, 300, 300, false, "1300.0Z"},     // one hour exactly
        {12, 30, 150, 300, false, "1300.0Z"},    // the carry at 60 minutes
        {23, 59.45, 3.5, 300, false, "0000.1Z"}, // over midnight, tenths truncated
        {23, 10, 15000, 300, false, "0110.0Z"},  // fifty hours on wrap whole days
        {10, 45.06, 60, 120, true, "1115.0L"},   // the local clock's hours, UTC minutes
    };
    for (const Row& r : rows) {
        aircraft_state = AircraftState{};
        aircraft_state.zulu_hours = r.local ? 3.0 : r.hours;
        aircraft_state.local_hours = r.hours;
        aircraft_state.zulu_minutes = r.minutes;
        aircraft_state.ground_speed_kt = r.speed_kt;
        EXPECT_EQ(cdu_eta_text(cdu_eta(r.distance_nm, r.local)), r.text) << r.text;
    }
}

TEST_F(EconReadouts, climbShowsTheTopOfClimbWhenItComesFirstElseTheConstraint) {
    show_toc_at(47.5, -122.0, 1); // as far as the constrained waypoint
    show(kPageEconClb);
    write_png("econ_clb");
    EXPECT_EQ(text_at(200, 55), "T O   T / C");
    EXPECT_EQ(text_at(160, 66), "1206.0Z / 30.0");
    show_toc_at(47.6, -122.0, 2);
    draw();
    EXPECT_EQ(text_at(200, 22), "A T   CONST");
    EXPECT_EQ(text_at(200, 33), "11000.00");
    EXPECT_EQ(text_at(200, 55), "T O    CONST");
    EXPECT_EQ(text_at(150, 66), "1206.0Z/30 NM");
    // A climb longer than the route has no T/C on it.
    show_toc_at(47.2, -122.0, 1, false);
    draw();
    EXPECT_EQ(text_at(200, 55), "T O    CONST");
    for (auto [speed, toc, to] :
         {std::tuple{60.0, 0, 1}, std::tuple{300.0, 1, 1}, std::tuple{300.0, 0, 999}}) {
        aircraft_state.ground_speed_kt = speed;
        vnav_phase = toc == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        set_flown_to(to);
        draw();
        EXPECT_EQ(text_at(200, 55), "") << speed << toc << to;
    }
}

TEST_F(EconReadouts, cruiseShowsTheDescentPointWindAndFuel) {
    vnav_phase = VnavPhase::Cruise;
    show_tod_at(47.25, -122.0, 1);
    aircraft_state.wind_direction_deg = 5.0;
    aircraft_state.wind_speed_kt = 12.0;
    show(kPageEconCrz);
    write_png("econ_crz");
    EXPECT_EQ(text_at(200, 55), "T O   T / D");
    EXPECT_EQ(text_at(265 - 9 * 13, 33), "1203.0Z/15 NM");
    EXPECT_EQ(text_at(180, 99), "005\xC2\xB0 /  12");
    EXPECT_EQ(text_at(12, 121), "F U E L    A T KPDX");
    aircraft_state.wind_speed_kt = 0.0;
    vnav_phase = VnavPhase::Descent;
    aircraft_state.plat = 47.1; // 24 NM along the leg to the target
    draw();
    EXPECT_EQ(text_at(180, 99), "---\xC2\xB0 / ---");
    EXPECT_EQ(text_at(190, 55), "T O   CONST");
    EXPECT_EQ(text_at(265 - 9 * 13, 33), "1204.8Z/24 NM");
}

TEST_F(EconReadouts, fuelAtTheLastWaypointSlowsTheLastHundredMiles) {
    host::set_token(421, 4800.0); // lb per hour
    host::set_token(306, 3000.0); // gallons of 6 lb: 18,000 lb on board
    host::set_token(386, 6.0);
    descent_speed_target = 250;
    struct Row {
        double distance_nm, ground_speed_kt;
        const char* fuel;
    } rows[] = {
        {99.99, 400, "16.8"}, // ground speed alone: 1200 lb
        {300, 500, "15.1"},   // a tailwind beyond the mean speed: burn x v / g
        {300, 150, "9.6"},    // 4800 x 300 / 170.8 mean kt
    };
    smiths_cdu_page = kPageEconCrz;
    for (const Row& r : rows) {
        active_entry(2).lat = 47.0 + r.distance_nm / 60.0;
        aircraft_state.ground_speed_kt = r.ground_speed_kt;
        draw();
        EXPECT_EQ(text_at(0, 133), r.fuel) << r.distance_nm;
    }
    aircraft_state.ground_speed_kt = 60.0;
    draw();
    EXPECT_EQ(text_at(0, 133), "");
}

TEST_F(EconReadouts, verticalDeviationIsSteppedAndPathAnglesShowInTheDescent) {
    vnav_phase = VnavPhase::Descent;
    show_tod_at(46.8, -122.0, 1); // 12 NM behind the aircraft, on the way to the target
    descent_path_altitude = 10000.0;
    struct Row {
        double altitude_ft;
        const char* shown;
    } rows[] = {
        {11049, " 1000 HI"}, {10199, "  195 HI"}, {10200, "  200 HI"},
        {10007, "    5 HI"}, {9993, "    5 LO"},  {10000, "----  --"},
    };
    smiths_cdu_page = kPageEconPathDes;
    for (const Row& r : rows) {
        aircraft_state.indicated_altitude_ft = r.altitude_ft;
        draw();
        EXPECT_EQ(text_at(5, 133), r.shown) << r.altitude_ft;
    }
    aircraft_state.indicated_altitude_ft = 12000.0;
    aircraft_state.plat = 46.8; // at the T/D itself
    draw();
    EXPECT_EQ(text_at(5, 133), "----  --");
    aircraft_state.plat = 47.0;

    aircraft_state.ground_speed_kt = 360.0;
    aircraft_state.vertical_speed_fpm = -1800.0;
    vnav_required_vs = -1500.0;
    // The E/D is the profile's: the typed 11000 the descent from 12000 ends at.
    active_entry(1).altitude_kind = AltitudeKind::Pilot;
    cruise_altitude = 12000;
    locate_vertical_profile(aircraft_place());
    draw();
    write_png("econ_path_des");
    EXPECT_EQ(text_at(130, 133), "3.0   2.5     -1500");
    EXPECT_EQ(text_at(190, 55), "T O   CONST");
    EXPECT_EQ(text_at(0, 33), "11000");
    aircraft_state.vertical_speed_fpm = 200.0;
    draw();
    EXPECT_EQ(text_at(130, 133), "");
    vnav_phase = VnavPhase::Cruise;
    draw();
    EXPECT_EQ(text_at(5, 133), "");
}

TEST_F(EconReadouts, pausePromptsSwitchAndShowOffAfterThePause) {
    ArmPauseAtTod = 1;
    PauseAtTod = 0;
    paused_at_tod = 1;
    show(kPageEconCrz);
    EXPECT_EQ(text_at(95, 198), "Pause at TOD (OFF)  >");
    draw(12);
    EXPECT_EQ(text_at(95, 198), "Pause at TOD (ON) >");
    EXPECT_EQ(paused_at_tod, 0); // the pause can come again
    PauseAtTod = 0;              // as the update leaves it after pausing
    paused_at_tod = 1;
    draw();
    EXPECT_EQ(text_at(95, 198), "Pause at TOD (OFF)  >");
    ArmPauseAtTod = 0;
    draw(12);
    EXPECT_EQ(PauseAtTod, 0);
    EXPECT_EQ(text_at(95, 198), "");

    ArmPauseAtDistFromDest = 1;
    PauseAtDistFromDest = 0;
    paused_at_dest_distance = 1;
    pause_distance = 20;
    show(kPageEconPathDes);
    EXPECT_EQ(text_at(0, 165), "PAUSE 20 NM From (KPDX)(OFF)");
    draw(5);
    EXPECT_EQ(text_at(0, 165), "PAUSE 20 NM From (KPDX)(ON)");
    EXPECT_EQ(paused_at_dest_distance, 0);
    draw(5);
    EXPECT_EQ(text_at(0, 165), "PAUSE 20 NM From (KPDX)(OFF)");
    ArmPauseAtDistFromDest = 0;
    draw(5);
    EXPECT_EQ(PauseAtDistFromDest, 0);
}

// The SERVER gauge in the stand-in: its registrations, the values it
// publishes after a frame, the request variables it acts on and resets, the
// host probe and title, and the heading-bug synchronisation.
#include "stand_in_panel.h"

#include "data/aircraft_settings.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/exec/exec_erase.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_edit_helpers.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "gauges/lvar_poll.h"
#include "gauges/server_gauge.h"
#include "gauges/stand_in_hooks.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"
#include "sim/host_probe.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

class Server : public StandInPanel {
  protected:
    static double named(const char* name) { return host::get_named_var(host::find_named_var(name)); }
    static std::size_t heading_events() {
        std::size_t n = 0;
        for (const host::KeyEvent& e : host::sim_state().key_events)
            n += e.id == 0x101FA;
        return n;
    }
    template <class T> static T module_value(const char* name) {
        const host::ModuleVar* v = host::find_module_var(name);
        EXPECT_NE(v, nullptr) << name;
        return v != nullptr ? *static_cast<const T*>(v->storage) : T{};
    }
};

const char* const kModuleVarNames[] = {"orvex_act_wpt_pos", "orvex_act_wpt_dist", "orvex_fpln_wpt_cnt",
                                       "orvex_xtk_err_dir", "orvex_xtk_err_dist", "orvex_act_wpt_trk",
                                       "orvex_act_wpt_brg", "orvex_lnav_mode",    "orvex_vnav_mode",
                                       "orvex_active",      "orvex_act_wpt_id",   "Orvex_FlightPlan",
                                       "qw_ap_vert_mode",   "qw_ap_lat_mode"};

TEST_F(Server, registersOnceConnectedAndPublishesTheGuidanceAfterAFrame) {
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    call(0, PANEL_SERVICE_CONNECT_TO_WINDOW); // another view: nothing twice
    EXPECT_EQ(host::sim_state().module_vars.size(), std::size(kModuleVarNames));
    EXPECT_EQ(host::sim_state().named_vars.size(), 23u);
    EXPECT_EQ(host::sim_state().key_handlers.size(), 1u);
    EXPECT_EQ(named("orvex_server_active"), 1.0);
    EXPECT_STREQ(static_cast<const char*>(host::find_module_var("orvex_act_wpt_id")->storage), "INIT");
    EXPECT_EQ(module_value<int32_t>("orvex_act_wpt_pos"), 0);   // no active route
    EXPECT_EQ(module_value<int32_t>("orvex_fpln_wpt_cnt"), -1); // nor a plan
    EXPECT_EQ(module_value<int32_t>("orvex_active"), 1);

    // A route to fly: TO waypoint 1 of three, 60 NM north.
    const double lats[] = {47.0, 48.0, 49.0};
    set_active_last(2);
    for (int i = 0; i <= 2; ++i) {
        active_entry(i).ident = "W" + std::to_string(i);
        active_entry(i).lat = lats[i];
        active_entry(i).lon = -122.0;
    }
    set_flown_to(1);
    set_to_position(GeoPosition{48.0, -122.0});
    route_state = kRouteStateActive;
    lnav_engaged = 1;
    host::aircraft().lat_deg = 47.0;
    host::aircraft().lon_deg = -122.0;
    host::aircraft().ias_kt = 250.0;
    host::start_aircraft();
    frames(2);
    EXPECT_EQ(module_value<int32_t>("orvex_act_wpt_pos"), 1);
    EXPECT_EQ(module_value<int32_t>("orvex_fpln_wpt_cnt"), 2);
    EXPECT_NEAR(module_value<double>("orvex_act_wpt_dist"), 60.0, 0.5);
    EXPECT_NEAR(module_value<double>("orvex_act_wpt_brg"), 360.0, 0.5);
    EXPECT_NEAR(module_value<double>("orvex_xtk_err_dist"), 0.0, 0.05);
    EXPECT_EQ(module_value<int32_t>("orvex_lnav_mode"), 1);
    EXPECT_EQ(module_value<int32_t>("orvex_vnav_mode"), 0);
    EXPECT_EQ(module_value<int32_t>("qw_ap_lat_mode"), 0);
    EXPECT_EQ(host::find_module_var("Orvex_FlightPlan")->storage,
              static_cast<const void*>(active_plan_entries));

    call(0, PANEL_SERVICE_DISCONNECT);
    EXPECT_TRUE(host::sim_state().module_vars.empty());
    EXPECT_EQ(host::sim_state().unregistered_names.size(), std::size(kModuleVarNames) + 23);
    EXPECT_TRUE(host::sim_state().key_handlers.empty());
    EXPECT_EQ(named("orvex_server_active"), 0.0);
    call(0, PANEL_SERVICE_CONNECT_TO_WINDOW);
    EXPECT_EQ(host::sim_state().module_vars.size(), std::size(kModuleVarNames));
    EXPECT_EQ(named("orvex_server_active"), 1.0);
}

TEST_F(Server, actsOnEveryRequestAndSetsItBackToZero) {
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    auto request = [&](const char* name, double value) {
        host::set_named_var(std::string(name), value);
        call(0, PANEL_SERVICE_PRE_UPDATE);
        return named(name);
    };
    EXPECT_EQ(request("orvex_nd_apt_clicked", 1), 0.0);
    EXPECT_EQ(show_airports_flags[ND_MD80], 1);
    EXPECT_EQ(named("orvex_nd_apt"), 1.0);
    EXPECT_EQ(request("orvex_nd_nav_clicked", -3), 0.0);
    EXPECT_EQ(named("orvex_nd_nav"), 1.0);
    EXPECT_EQ(request("orvex_nd_int_clicked", 0.5), 0.0);
    EXPECT_EQ(named("orvex_nd_int"), 1.0);
    EXPECT_EQ(request("orvex_nd_tcas_clicked", 1), 0.0);
    EXPECT_EQ(named("orvex_nd_tcas"), 1.0);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeTcas);

    EXPECT_EQ(request("orvex_nd_mode_clicked", 2.7), 0.0);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeVor);
    EXPECT_EQ(named("orvex_nd_mode"), 2.0);
    EXPECT_EQ(request("orvex_nd_mode_clicked", -1), -1.0); // left standing, mode kept
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeVor);
    EXPECT_EQ(request("orvex_nd_range_clicked", 12.5), 0.0);
    EXPECT_EQ(hw_b737_nd_range, 12.5);
    EXPECT_EQ(named("orvex_nd_range"), 12.0);
    // Beyond the display's modes and ladder: the nearest end, published as set.
    struct Bounded {
        const char* name;
        double asked, kept;
    };
    for (const Bounded b :
         {Bounded{"orvex_nd_mode_clicked", 9, 7}, Bounded{"orvex_nd_mode_clicked", 0.5, 1},
          Bounded{"orvex_nd_mode_clicked", 1e12, 7}, Bounded{"orvex_nd_range_clicked", 1e9, 320},
          Bounded{"orvex_nd_range_clicked", 0.1, 0.5}}) {
        EXPECT_EQ(request(b.name, b.asked), 0.0) << b.asked;
        const bool mode = std::string(b.name) == "orvex_nd_mode_clicked";
        EXPECT_EQ(mode ? double(hw_b737_nd_mode) : hw_b737_nd_range, b.kept) << b.asked;
        EXPECT_EQ(named(mode ? "orvex_nd_mode" : "orvex_nd_range"), std::trunc(b.kept)) << b.asked;
    }
    hw_b737_nd_mode = kB737NdModeVor;

    EXPECT_EQ(request("orvex_nd_mode_incr_clicked", 1), 0.0);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeArc);
    EXPECT_EQ(request("orvex_nd_mode_decr_clicked", 1), 0.0);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeVor);
    hw_b737_nd_range = 10.0;
    EXPECT_EQ(request("orvex_nd_range_incr_clicked", 1), 0.0);
    EXPECT_EQ(hw_b737_nd_range, 20.0);
    EXPECT_EQ(request("orvex_nd_range_decr_clicked", 1), 0.0);
    EXPECT_EQ(hw_b737_nd_range, 10.0);
    EXPECT_EQ(request("orvex_nd_vor_adf_clicked", 1), 0.0);
    EXPECT_EQ(nd_vor_adf_select, 1);

    // Without a route LNAV and VNAV refuse, but the request is answered.
    EXPECT_EQ(request("orvex_lnav_clicked", 1), 0.0);
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_EQ(lvar_poll_countdown, 3);
    EXPECT_EQ(request("orvex_vnav_clicked", 1), 0.0);
    EXPECT_EQ(named("orvex_vnav"), 0.0);
}

TEST_F(Server, keepsTheHeadingBugOnTheLnavHeadingAndPublishesItThreeTimesInEighteen) {
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    host::aircraft().ap_heading_bug_deg = 100.0;
    host::start_aircraft();
    lnav_engaged = 1;
    lnav_heading_command = 123.6;
    aircraft_state.token_106_state = kHeadingHoldOn;
    ResetApHdg = 1;
    frame_slot = 7;
    call(0, PANEL_SERVICE_PRE_UPDATE);
    call(0, PANEL_SERVICE_PRE_UPDATE);
    EXPECT_EQ(heading_events(), 2u);
    EXPECT_EQ(host::sim_state().key_events.back().parameter, 123u);
    EXPECT_EQ(aircraft_state.heading_bug_deg, 100.0);
    EXPECT_EQ(named("orvex_lnav_hdg_set"), 123.0);

    // On the bug now: a command off by its fraction or by rounding is not sent.
    host::set_token(107, 123.0);
    for (double command : {std::nextafter(123.0, 0.0), 122.9998, 123.6}) {
        lnav_heading_command = command;
        call(0, PANEL_SERVICE_PRE_UPDATE);
    }
    EXPECT_EQ(heading_events(), 2u);

    lnav_heading_command = 200.0;
    frame_slot = 8;
    ResetApHdg = 0;
    call(0, PANEL_SERVICE_PRE_UPDATE);
    EXPECT_EQ(heading_events(), 2u);
    EXPECT_EQ(named("orvex_lnav_hdg_set"), 123.0);
}

TEST_F(Server, probesTheHostGenerationAndReadsTheTitleInUpperCase) {
    folder.write("fsx.exe", "");
    folder.mkdir("simobjects");
    folder.mkdir("Missions");
    host::set_calc_text("(A:TITLE, string)", "Orvex Demo Jet");
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    EXPECT_EQ(host_sim_version, 10);
    EXPECT_EQ(aircraft_title, "ORVEX DEMO JET");
}

TEST_F(Server, aFolderSpelledOtherwiseKeepsTheOlderHost) {
    folder.mkdir("SimObjects");
    folder.mkdir("Missions");
    folder.write("ace.exe", "");
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    EXPECT_EQ(host_sim_version, 9);
}

} // namespace

// Another module reads the active plan in place, as a plain array of
// waypoints, through the published address; it follows loads and edits.
TEST_F(Server, thePublishedFlightPlanIsTheActivePlanAsAPlainArray) {
    folder.write("orvex/flightplans/R.RTE", "[FlightPlan]\n"
                                            "KSEA 47.44900 -122.30930 APT\n"
                                            "SEA 47.43500 -122.30967 VOR 116.80\n"
                                            "OLM 46.97117 -122.90161 VOR 113.40\n"
                                            "KPDX 45.58872 -122.59750 APT\n");
    place("gauge00=orvex1!SERVER, 0, 0\n");
    start();
    const void* published = host::find_module_var("Orvex_FlightPlan")->storage;
    const auto* plan = static_cast<const RouteWaypoint*>(published);
    ASSERT_EQ(orvex_standin_load_route("R.RTE", nullptr, 0), 4);
    frames(2);
    ASSERT_EQ(active_plan_last, 3);
    const char* const loaded[] = {"KSEA", "SEA", "OLM", "KPDX"};
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(plan[i].ident, loaded[i]) << i;
    EXPECT_DOUBLE_EQ(plan[2].lat, 46.97117);
    EXPECT_EQ(plan[1].frequency, "116.80");

    // Drop SEA and execute: the same array holds the edited plan.
    copy_active_plan_to_working();
    copy_legs(1, 2);
    route_state = kRouteStateActiveModified;
    reset_active_route_state();
    frames(1);
    EXPECT_EQ(host::find_module_var("Orvex_FlightPlan")->storage, published);
    ASSERT_EQ(active_plan_last, 2);
    EXPECT_EQ(plan[1].ident, "OLM");
    EXPECT_EQ(plan[2].ident, "KPDX");
    // Its constraint fields show the predictions kept beside the plan.
    EXPECT_EQ(plan[1].alt_constraint, predicted_altitude(active_plan[1]));
    EXPECT_EQ(plan[1].speed_constraint, predicted_speed(active_plan[1]));
    EXPECT_EQ(active_plan[1].alt_constraint, kNoConstraint);
}

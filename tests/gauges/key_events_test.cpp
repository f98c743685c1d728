// The key events that SERVER's handler takes, LNAV/VNAV engagement, and the
// ND switches they share with the requests and the control panels.
#include "stand_in_panel.h"

#include "data/c17_mfd_state.h"
#include "mouse.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "gauges/key_event_handler.h"
#include "gauges/lvar_poll.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"

namespace {

class KeyEvents : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        place("gauge00=orvex1!SERVER, 0, 0\n"
              "gauge01=orvex1!LNAV, 0, 0\n"
              "gauge02=orvex1!VNAV, 0, 0\n");
        start();
    }
    static double named(const char* name) { return host::get_named_var(host::find_named_var(name)); }
    static std::vector<uint32_t> sent() {
        std::vector<uint32_t> ids;
        for (const host::KeyEvent& e : host::sim_state().key_events)
            ids.push_back(e.id);
        return ids;
    }
    // A route whose TO waypoint lies due east of the aircraft.
    static void activate_route() {
        set_active_last(1);
        active_entry(1).lat = 0.0;
        active_entry(1).lon = 1.0;
        set_flown_to(1);
        set_to_position(GeoPosition{0.0, 1.0});
        aircraft_state.plat = 0.0;
        aircraft_state.plon = 0.0;
    }
    static bool light_shown(host::PlacedGauge& g) { return (g.elements[1]->image_flags & IMAGE_HIDDEN) == 0; }
};

TEST_F(KeyEvents, everyRegisteredEventActsAndOthersAreIgnored) {
    LnavOnNavLock = 0;
    host::send_key_event(kKeyNavLockToggle, 0); // ignored without LnavOnNavLock
    EXPECT_EQ(lvar_poll_countdown, 0);
    host::send_key_event(0x10001, 0);
    host::send_key_event(kKeyNdAirportsToggle, 0);
    host::send_key_event(kKeyNdNavaidsToggle, 0);
    host::send_key_event(kKeyNdIntersectionsToggle, 0);
    host::send_key_event(kKeyNdTcasToggle, 0);
    EXPECT_EQ(show_airports_flags[ND_P1000], 1);
    EXPECT_EQ(show_navaids_flags[ND_HW_MD11], 1);
    EXPECT_EQ(show_airway_fixes_flags[ND_PROLINE4], 1);
    EXPECT_EQ(tcas_display_on, 1);
    hw_b737_nd_mode = kB737NdModeArc;
    host::send_key_event(kKeyNdModeUp, 0);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeApp);
    host::send_key_event(kKeyNdModeDown, 0);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeArc);
    host::send_key_event(kKeyNdRangeUp, 0);
    EXPECT_EQ(hw_b737_nd_range, 20.0);
    host::send_key_event(kKeyNdRangeDown, 0);
    EXPECT_EQ(hw_b737_nd_range, 10.0);

    activate_route();
    HdgHoldOnLnavOn = 1;
    host::send_key_event(kKeyLnavToggle, 0);
    host::send_key_event(kKeyVnavToggle, 0);
    EXPECT_EQ(lnav_engaged, 1);
    EXPECT_EQ(vnav_engaged, 1);
    EXPECT_EQ(named("orvex_lnav"), 1.0);
    EXPECT_EQ(named("orvex_vnav"), 1.0);
    const std::vector<uint32_t> with_lnav{kKeyLnavToggle, 0x1010F, kKeyVnavToggle}; // heading hold with LNAV
    const std::vector<uint32_t> all = sent();
    EXPECT_EQ(std::vector<uint32_t>(all.end() - 3, all.end()), with_lnav);
    call(1, PANEL_SERVICE_PRE_UPDATE);
    call(2, PANEL_SERVICE_PRE_UPDATE);
    EXPECT_TRUE(light_shown(gauge(1)));
    EXPECT_TRUE(light_shown(gauge(2)));

    LnavOnNavLock = 1; // the NAV lock event now toggles LNAV, and every toggle sends it on
    host::send_key_event(kKeyNavLockToggle, 0);
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_EQ(sent().back(), 0x1011Bu);
    call(1, PANEL_SERVICE_PRE_UPDATE);
    EXPECT_FALSE(light_shown(gauge(1)));
}

TEST_F(KeyEvents, lnavEngagesOnlyWithARouteAndStartsADirectLegFromHere) {
    HdgHoldOnLnavOn = 1;
    host::send_key_event(kKeyLnavToggle, 0);
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_EQ(named("orvex_lnav"), 0.0);
    EXPECT_EQ(lvar_poll_countdown, 3);
    EXPECT_EQ(sent(), (std::vector<uint32_t>{kKeyLnavToggle})); // no heading hold, no radios

    activate_route();
    aircraft_state.magvar = 89.7; // the course of 90 true becomes 0.3, stored as 360.3
    host::send_key_event(kKeyLnavToggle, 0);
    EXPECT_EQ(direct_to_active, 1);
    EXPECT_NEAR(direct_to_course_deg, 360.3, 1e-6);
    EXPECT_EQ(direct_to_origin.lon, 0.0);

    hold_list.append(HoldEntry{});
    hold_list.slot(1).set_active_index(1);
    hold_armed = 1;
    host::send_key_event(kKeyLnavToggle, 0);
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_EQ(direct_to_active, 0);
    EXPECT_EQ(hold_list[1].active_index(), 0);
    EXPECT_EQ(hold_armed, 0);
    EXPECT_EQ(hold_exit_state, kHoldExitNotEntered);

    // VNAV engages with every command due again.
    vnav_altitude_set = vnav_speed_set = 1;
    VnavSetSpd = 2;
    host::send_key_event(kKeyVnavToggle, 0);
    EXPECT_EQ(vnav_engaged, 1);
    EXPECT_EQ(vnav_altitude_set, 0);
    EXPECT_EQ(vnav_speed_set, 0);
    EXPECT_EQ(vnav_speed_refresh, 1);
    EXPECT_EQ(commanded_altitude_ft, -999);
    EXPECT_EQ(VnavSetSpd, 1);
}

TEST_F(KeyEvents, theCommonModeTranslatesIntoEachDisplaysModes) {
    struct Row {
        int mode;
        int b737, efs50, du1000, proline4, md80, md11;
    };
    // -1: the display keeps its mode (each row starts from 9 everywhere).
    const Row rows[] = {
        {kNdModeCompass, kB737NdModeCompass, kEfs50EhsiModeHsi, kEhsiModeCompass, kProline4ModeNav,
         kEhsiModeCompass, -1},
        {kNdModeArc, kB737NdModeArc, kEfs50EhsiModeArc, kEhsiModeArc, kProline4ModeArc, kEhsiModeArc, -1},
        {kNdModePlan, kB737NdModePlan, kEfs50EhsiModeArcWxOff, kEhsiModePlan, kProline4ModePlanText,
         kEhsiModePlan, kMd11NdModePlan},
        {kNdModeMap, kB737NdModeMap, kEfs50EhsiModeArcMap, kEhsiModeMap, kProline4ModeMap, kEhsiModeMap,
         kMd11NdModeMap},
        {kNdModeVor, kB737NdModeVor, kEfs50EhsiModeRoseMapWxOff, -1, -1, -1, kMd11NdModeVor},
        {kNdModeApp, kB737NdModeApp, -1, -1, -1, -1, kMd11NdModeApp},
        {kNdModeCtrMap, kB737NdModeCtrMap, -1, -1, -1, -1, -1},
        {9, -1, -1, -1, -1, -1, -1}};
    for (const Row& r : rows) {
        hw_b737_nd_mode = efs50_ehsi_mode = du_1000_ehsi_mode = proline4_mfd_mode = md80_ehsi_mode =
            hw_md11_nd_mode = 9;
        set_nd_mode(r.mode);
        auto want = [](int v) { return v < 0 ? 9 : v; };
        EXPECT_EQ(nd_mode_index, r.mode);
        EXPECT_EQ(hw_b737_nd_mode, want(r.b737)) << r.mode;
        EXPECT_EQ(efs50_ehsi_mode, want(r.efs50)) << r.mode;
        EXPECT_EQ(du_1000_ehsi_mode, want(r.du1000)) << r.mode;
        EXPECT_EQ(proline4_mfd_mode, want(r.proline4)) << r.mode;
        EXPECT_EQ(md80_ehsi_mode, want(r.md80)) << r.mode;
        EXPECT_EQ(hw_md11_nd_mode, want(r.md11)) << r.mode;
    }
    // 7 is the traffic page: twice brings the EFS50_EHSI back to its mode.
    efs50_ehsi_mode = kEfs50EhsiModeRoseMapSectors;
    set_nd_mode(7);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeTcas);
    EXPECT_EQ(named("orvex_nd_tcas"), 1.0);
    set_nd_mode(7);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeRoseMapSectors);
    EXPECT_EQ(tcas_display_on, 0);
}

TEST_F(KeyEvents, modeLaddersStepEachDisplayAndStopOrWrap) {
    hw_b737_nd_mode = kB737NdModePlan;
    efs50_ehsi_mode = kEfs50EhsiModeArcWxOff;
    efs50_nav_source = 1;
    proline4_mfd_mode = kProline4ModePlanText;
    du_1000_ehsi_mode = kEhsiModeMap;
    md80_ehsi_mode = kEhsiModePlan;
    display_step_up(DISPLAY_ALL);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModePlan);
    EXPECT_EQ(efs50_nav_source, 2);
    EXPECT_EQ(proline4_mfd_mode, kProline4ModeNav);
    EXPECT_EQ(du_1000_ehsi_mode, kEhsiModePlan);
    EXPECT_EQ(md80_ehsi_mode, kEhsiModePlan); // the top of its ladder

    display_step_down(DISPLAY_EFS50_EHSI); // the source goes back first
    EXPECT_EQ(efs50_nav_source, 1);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeArcWxOff);
    proline4_mfd_mode = kProline4ModeArc;
    proline4_map_radius_px = 70;
    display_step_down(DISPLAY_PROLINE4_MFD);
    EXPECT_EQ(proline4_mfd_mode, kProline4ModeMap);
    EXPECT_EQ(proline4_map_radius_px, 140);
    EXPECT_EQ(du_1000_ehsi_mode, kEhsiModePlan); // not chosen
    hw_b737_nd_mode = kB737NdModeCompass;
    du_1000_ehsi_mode = kEhsiModeCompass;
    display_step_down(DISPLAY_ALL);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeCompass);
    EXPECT_EQ(du_1000_ehsi_mode, kEhsiModeCompass);
    EXPECT_EQ(proline4_mfd_mode, kProline4ModeNav);
}

TEST_F(KeyEvents, buttonsAndBoundaryTogglesTakeTheirClicks) {
    place("gauge03=orvex1!BDRY, 0, 0\n"
          "gauge04=orvex1!C17_MFD, 0, 0, 246, 241, 1\n");
    show_atc_boundaries = 2;
    toggle_boundary_overlay_pair();
    EXPECT_EQ(show_atc_boundaries, 1);
    EXPECT_EQ(atc_boundaries_shown, 1);
    show_atc_boundaries = 2;
    host::click_gauge(gauge(3), 20, 20, MOUSE_LEFTSINGLE);
    EXPECT_EQ(show_atc_boundaries, 0);

    // C17_MFD format keys on the current unit: (x, y) of each key, expected format.
    struct Key {
        int x, y;
        uint32_t format_before, format_after;
    };
    c17_mfd_nav_format = kC17FormatMapArc;
    c17_mfd_engine_format = kC17FormatEpr;
    const Key keys[] = {{60, 225, 12, 1},  {90, 225, 1, 1}, {90, 225, 9, 4},   {90, 225, 5, 6},
                        {90, 225, 6, 0},   {90, 225, 0, 3}, {160, 225, 3, 10}, {160, 225, 11, 9},
                        {195, 225, 9, 12}, {125, 225, 9, 9}};
    for (const Key& k : keys) {
        c17_mfd_format = k.format_before;
        host::click_gauge(gauge(4), k.x, k.y, MOUSE_LEFTSINGLE);
        EXPECT_EQ(c17_mfd_format, k.format_after) << k.x << " from " << k.format_before;
    }
    EXPECT_EQ(c17_mfd_engine_format, kC17FormatThrust);
    EXPECT_EQ(c17_mfd_nav_format, kC17FormatMapWideArc);
}

} // namespace

// The aircraft file's [Lvars] bindings, polled by SERVER on its updates:
// triggers that act while their variable holds the code, followers that make
// the module's state follow the variable.
#include "stand_in_panel.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/lvar_bindings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "gauges/lvar_poll.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"

namespace {

class Lvars : public StandInPanel {
  protected:
    void bind(const char* variable, int code, const char* setting, int value = 0) {
        LvarBinding b;
        b.variable_name = variable;
        b.variable_code = code;
        b.setting_name = setting;
        b.setting_value = value;
        lvar_bindings.append(b);
    }
    void run() {
        place("gauge00=orvex1!SERVER, 0, 0\n");
        start();
    }
    // Sets the variable as the panel owning it would, then one SERVER update.
    void poll(const char* variable, double value) {
        host::set_named_var(std::string(variable), value);
        call(0, PANEL_SERVICE_PRE_UPDATE);
    }
};

TEST_F(Lvars, modeTriggersActOnceWhileTheirCodeIsHeld) {
    bind("ND knob", 1, "NDArcMode");
    bind("ND knob", 2, "NDPlanMode");
    bind("ND map", 1, "NDMapMode");
    run();
    poll("ND knob", 1);
    EXPECT_EQ(nd_mode_index, kNdModeArc);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeArc);
    poll("ND knob", 2);
    EXPECT_EQ(nd_mode_index, kNdModePlan);

    host::set_named_var(std::string("ND knob"), 0.0);
    poll("ND map", 1);
    EXPECT_EQ(nd_mode_index, kNdModeMap);
    hw_b737_nd_mode = kB737NdModeCompass; // changed elsewhere: the held trigger does not act again
    poll("ND map", 1);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeCompass);
    set_nd_mode(1); // another mode while the map trigger is still held: it acts again
    poll("ND map", 1);
    EXPECT_EQ(nd_mode_index, kNdModeMap);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeMap);
}

TEST_F(Lvars, mapRangeSetsEveryRangeOnEachPollAndARangeOfZeroIsIgnored) {
    bind("Range knob", 2, "MapRange", 40);
    bind("Range knob", 3, "MapRange", 0);
    run();
    poll("Range knob", 2);
    EXPECT_EQ(hw_b737_nd_range, 40.0);
    EXPECT_EQ(c17_map_range_nm, 40.0);
    hw_b737_nd_range = 10.0;
    poll("Range knob", 2);
    EXPECT_EQ(hw_b737_nd_range, 40.0);
    poll("Range knob", 3);
    EXPECT_EQ(hw_b737_nd_range, 40.0);
    EXPECT_EQ(md80_ehsi_range, 40.0);
}

TEST_F(Lvars, followersTrackTheirVariables) {
    bind("APT", 0, "DisplayApts");
    bind("NAV", 0, "DisplayNavs");
    bind("INT", 0, "DisplayInts");
    bind("PTR1", 0, "Vor1BrgPtr");
    bind("PTR2", 0, "Vor2BrgPtr");
    bind("TCAS", 0, "TcasOn");
    bind("unknown", 0, "NoSuchSetting");
    run();
    poll("APT", 1.9);
    EXPECT_EQ(show_airports_flags[ND_HW_B737], 1);
    EXPECT_EQ(show_airports_flags[ND_MD80], 1);
    poll("APT", -0.5);
    EXPECT_EQ(show_airports_flags[ND_DU_1000], 0);
    poll("NAV", 1);
    poll("INT", 1);
    EXPECT_EQ(show_navaids_flags[ND_P1000], 1);
    EXPECT_EQ(show_airway_fixes_flags[ND_HW_MD11], 1);
    poll("PTR1", 2);
    poll("PTR2", 1);
    EXPECT_EQ(hw_md11_vor1_pointer, 2);
    EXPECT_EQ(hw_md11_vor2_pointer, 1);
    poll("TCAS", 1);
    EXPECT_EQ(tcas_display_on, 1);
    poll("TCAS", 1);
    EXPECT_EQ(tcas_display_on, 1);
    poll("TCAS", 0);
    EXPECT_EQ(tcas_display_on, 0);
}

TEST_F(Lvars, anLnavToggleSkipsTheNextThreePolls) {
    bind("LNAV switch", 0, "LnavOn");
    run();
    set_flown_to(1);
    poll("LNAV switch", 1);
    EXPECT_EQ(lnav_engaged, 1);
    // The owning panel has not followed yet: the three next updates leave it.
    for (int i = 0; i < 3; ++i) {
        poll("LNAV switch", 0);
        EXPECT_EQ(lnav_engaged, 1) << i;
    }
    poll("LNAV switch", 0);
    EXPECT_EQ(lnav_engaged, 0);
}

} // namespace

// The two GNS gauges: what a panel load sets, the parameter text, and the
// screen spot that only GNSXLS has.
#include "gns_stand_in.h"

#include "data/module_settings.h"
#include "fms/units/gns_unit_state.h"
#include "sim/host_folder.h"

namespace {

std::string gns_panel(const char* gauge, const char* parameter) {
    return std::string("[Window00]\ngauge00=orvex1!") + gauge + ", 0, 0, 540, 430, " + parameter +
           "\ngauge01=orvex1!SERVER, 0, 0, 10, 10\n";
}

} // namespace

class GnsGpsSynch : public GnsStandIn {
    std::string panel_text() const override { return gns_panel("GNSXLS", "GPSSynch"); }
    void before_start() override { gns_plan_open = 1; }
};

class GnsLmGpsSynch : public GnsStandIn {
    std::string panel_text() const override { return gns_panel("GNSXLS_LM", "GPSSynch"); }
    void before_start() override { gns_plan_open = 1; }
};

TEST_F(GnsGpsSynch, GnsxlsTakesTheParameterAsASettingAndClosesAnOpenedPlan) {
    EXPECT_EQ(synchfplanwithfsgps, 1);
    EXPECT_EQ(aircraft_parameter, "");
    EXPECT_EQ(gns_plan_open, 0);
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(gns_sub_state, kGnsSubStateStoredPlans);
    EXPECT_EQ(gns_list_page, 1);
    // The screen spot toggles the pop-up window.
    const host::ClickResult click = host::press_gns_key(gns(), GnsKey::Screen);
    ASSERT_TRUE(click.hit);
    EXPECT_TRUE(host::window_visible(4004));
}

TEST_F(GnsLmGpsSynch, GnsxlsLmTakesTheParameterAsAModelAndKeepsTheOpenedPlan) {
    EXPECT_EQ(synchfplanwithfsgps, 0);
    EXPECT_EQ(aircraft_parameter, "GPSSynch");
    EXPECT_EQ(gns_plan_open, 1);
    EXPECT_FALSE(host::press_gns_key(gns(), GnsKey::Screen).hit);
    // Every other key is there.
    EXPECT_TRUE(host::press_gns_key(gns(), GnsKey::Hash).hit);
}

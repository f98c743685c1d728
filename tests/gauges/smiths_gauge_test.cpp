// The SMITHS gauge callbacks outside a panel: the first page and the
// parameter text that each gauge reads as a setting or a model name.
#include "data/module_settings.h"
#include "fms/units/cdu_text.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_headers.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

TEST(SmithsGauge, installShowsIdentOnceAndGpsSynchIsASettingOnlyOnSmithsFms) {
    TempFolder empty_simulator; // no data files: every load finds nothing
    GaugeHeader fms = smiths_fms_gauge;
    GaugeHeader br = smiths_fms_br_gauge;
    fms.parameters = br.parameters = "GPSSynch";

    smiths_fms_callback(&fms, PANEL_SERVICE_PRE_INSTALL, 0);
    EXPECT_EQ(smiths_cdu_page, 25);
    smiths_cdu_page = 6;
    smiths_fms_br_callback(&br, PANEL_SERVICE_PRE_INSTALL, 0);
    EXPECT_EQ(smiths_cdu_page, 6);

    smiths_fms_callback(&fms, PANEL_SERVICE_PRE_INITIALIZE, 0);
    EXPECT_EQ(synchfplanwithfsgps, 1);
    EXPECT_EQ(aircraft_parameter, "");
    smiths_fms_br_callback(&br, PANEL_SERVICE_PRE_INITIALIZE, 0);
    EXPECT_EQ(aircraft_parameter, "GPSSynch");
}

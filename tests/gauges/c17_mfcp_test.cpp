// The C17_MFCP in the stand-in at its bitmap size: its click spots, what
// they do to the four C17_MFD units, the range and the map options, and its
// callback's loading.
#include "mouse.h"
#include "stand_in_panel.h"

#include "data/c17_mfd_state.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "gauges/debug_log.h"
#include "map/range_ladder.h"
#include "sim/host_folder.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

class C17Mfcp : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        place("gauge00=orvex1!C17_MFCP, 0, 0\n");
    }
    void click(int x, int y) {
        ASSERT_TRUE(host::click_gauge(gauge(0), x, y).hit) << "no spot at (" << x << ", " << y << ")";
    }
    static std::vector<uint32_t> unit_formats() {
        return {c17_mfd_units[1].format, c17_mfd_units[2].format, c17_mfd_units[3].format,
                c17_mfd_units[4].format};
    }
};

TEST_F(C17Mfcp, formatRockersStepOnlyTheUnitsOnAMap) {
    const uint32_t start[4] = {3, 5, 6, 12};
    for (int u = 0; u < 4; ++u)
        c17_mfd_units[u + 1].format = start[u];
    c17_mfd_format = kC17FormatMapBelow;
    click(100, 300); // left rocker down
    EXPECT_EQ(unit_formats(), (std::vector<uint32_t>{3, 4, 6, 12}));
    EXPECT_EQ(c17_mfd_format, kC17FormatMapArc);
    EXPECT_EQ(c17_mfd_map_scale, 4u);
    click(370, 300); // right rocker down
    EXPECT_EQ(unit_formats(), (std::vector<uint32_t>{3, 3, 6, 12}));
    click(100, 350); // up
    click(370, 350);
    click(370, 350);
    EXPECT_EQ(unit_formats(), (std::vector<uint32_t>{5, 5, 6, 12}));
    EXPECT_EQ(c17_mfd_format, kC17FormatMapBelow);
}

TEST_F(C17Mfcp, rangeFiltersAndMapOptions) {
    c17_map_range_nm = 80;
    click(130, 450); // up
    const double up = c17_map_range_nm;
    EXPECT_GT(up, 80.0);
    click(80, 450); // down
    EXPECT_EQ(c17_map_range_nm, 80.0);

    const int navaids = show_navaids_flags[ND_PROLINE4], airports = show_airports_flags[ND_PROLINE4];
    click(110, 220);
    click(180, 220);
    EXPECT_NE(show_navaids_flags[ND_PROLINE4], navaids);
    EXPECT_NE(show_airports_flags[ND_PROLINE4], airports);

    EXPECT_EQ(c17_plan_route_on, 1);
    click(360, 150);
    EXPECT_EQ(c17_plan_route_on, 0);
    click(360, 150);
    EXPECT_EQ(c17_plan_route_on, 1);
    EXPECT_EQ(c17_map3_overlay_on, 1);
    click(50, 150);
    EXPECT_EQ(c17_map3_overlay_on, 0);
}

TEST_F(C17Mfcp, callbackLoadsButTheDatabaseAndWritesNoLogLine) {
    folder.write("orvex/navdata/apts.txt", "KSEA SEATTLE 433 47.449000 -122.309300\n");
    open_debug_log();
    ASSERT_NE(debug_log, nullptr);
    place("gauge01=orvex1!C17_MFCP, 0, 0, , , VC2\n");
    call(1, PANEL_SERVICE_PRE_INSTALL);
    EXPECT_EQ(host_folder, folder.path());
    call(1, PANEL_SERVICE_PRE_INITIALIZE);
    EXPECT_EQ(config_loaded, 1);
    EXPECT_EQ(airport_table.count(), 0); // the displays load the database
    EXPECT_EQ(aircraft_parameter, "");   // "VC2" names a view
    for (GaugeService s : {PANEL_SERVICE_PRE_UPDATE, PANEL_SERVICE_PRE_DRAW})
        call(1, s);
    std::ifstream in(folder.path() + "/orvex1.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "");
}

} // namespace

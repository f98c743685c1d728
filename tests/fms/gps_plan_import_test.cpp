// The simulator's GPS plan read from the block the stand-in publishes, and
// the tank levels of the fuel loader.
#include "fms/files/gps_plan_import.h"
#include "fms/plan/fuel_loading.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "data_link_peer.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "gauges/linkage.h"
#include "gps_plan.h"
#include "host_services.h"
#include "plan_builder.h"
#include "platform/window.h"
#include "sim_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct GpsBlock {
    std::vector<unsigned char> block = std::vector<unsigned char>(200, 0);
    std::vector<unsigned char> records;

    void set(uint32_t size, uint32_t count) {
        std::memcpy(block.data(), &size, 4);
        std::memcpy(block.data() + kGpsCountOffset, &count, 4);
        records.assign(count * kGpsRecordSize + 8, 0);
        const unsigned char* first = count ? records.data() : nullptr;
        std::memcpy(block.data() + kGpsRecordsOffset, &first, sizeof first);
    }
    void waypoint(uint32_t i, const char* ident, int32_t lat, int64_t lon) {
        unsigned char* r = records.data() + i * kGpsRecordSize;
        std::memcpy(r + 12, &lat, 4);
        std::memcpy(r + 16, &lon, 8);
        std::memcpy(r + 56, ident, std::min<std::size_t>(std::strlen(ident), 8));
    }
};

class GpsImport : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        host::register_module_var(gps.block.data(), 0, "FS2002 GPS DATA");
    }
    void TearDown() override { ImportTable.panels = nullptr; }
    GpsBlock gps;
};

} // namespace

TEST_F(GpsImport, waypointsOnTheGlobeUpToThePlanCapacity) {
    // One record more than the plan holds besides one off the globe (180 N).
    const uint32_t count = kPlanLastIndex + 3;
    gps.set(kGpsBlockMinSize, count);
    gps.waypoint(0, "KSEA", 40007000 / 8, -6277017080637278208LL); // 45 N, 122.5 W
    gps.waypoint(1, "LONGNAME", -40007000 / 8, -6277017080637278208LL | 0xFFFF);
    for (uint32_t i = 2; i < count; ++i)
        gps.waypoint(i, ("W" + std::to_string(i)).c_str(), i == 5 ? 40007000 / 2 : 0, 0);
    import_gps_route(kGpsImportWithMessage);
    ASSERT_EQ(working_plan_last, kPlanLastIndex); // the first 201, and the pilot told
    EXPECT_EQ(working_plan[kPlanLastIndex].ident, "W201");
    EXPECT_EQ(smiths_scratchpad_message, "1 WPTS NOT LOADED");

    gps.waypoint(6, "W6", -40007000 / 2, 0);
    set_flown_to(9); // a route flown so far
    import_gps_route(kGpsImportWithMessage);
    ASSERT_EQ(working_plan_last, kPlanLastIndex);
    EXPECT_EQ(working_plan[kPlanLastIndex].ident, "W202");
    EXPECT_EQ(working_plan[0].ident, "KSEA");
    EXPECT_NEAR(working_plan[0].lat, 45.0, 1e-9);
    EXPECT_NEAR(working_plan[0].lon, -122.5, 1e-9);
    EXPECT_EQ(working_plan[1].ident, "LONGNAM"); // at most seven characters of its field
    EXPECT_NEAR(working_plan[1].lat, -45.0, 1e-9);
    EXPECT_EQ(working_plan[1].lon, working_plan[0].lon); // the low 16 bits do not count
    EXPECT_EQ(working_plan[5].ident, "W7");              // W5 and W6 left out
    // EXEC made the imported plan the active route.
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_plan_last, kPlanLastIndex);
    EXPECT_EQ(active_plan[1].ident, "LONGNAM");
    // In the air the new plan is flown on past the fix last passed (W9).
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "W10");
    EXPECT_EQ(smiths_scratchpad_message, "ACTIVE FSPLANNER RTE LOADED");
    std::string warnings;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file == "FS2002 GPS DATA") warnings += w.file + ": " + w.text + "\n";
    EXPECT_EQ(warnings, "FS2002 GPS DATA: 1 waypoints off the globe skipped; 1 waypoints after the first 201 "
                        "left out\nFS2002 GPS DATA: 2 waypoints off the globe skipped\n");
}

TEST_F(GpsImport, shortBlocksAndPlansChangeNothing) {
    set_working_last(3);
    gps.set(kGpsBlockMinSize - 1, 5);
    import_gps_route(kGpsImportWithMessage);
    EXPECT_EQ(working_plan_last, 3);
    EXPECT_EQ(smiths_scratchpad_message, "");

    // Told on the unit that asked only: the GNS's quiet import on the GNS,
    // leaving a SMITHS message waiting there.
    gps.set(kGpsBlockMinSize, 1);
    smiths_scratchpad_message = "DELETE";
    import_gps_route(kGpsImportQuiet);
    EXPECT_EQ(working_plan_last, 3);
    EXPECT_EQ(smiths_scratchpad_message, "DELETE");
    EXPECT_EQ(gns_refusal_text, "NO ACTIVE GPS RTE");
    gns_refusal_text.clear();
    import_gps_route(kGpsImportWithMessage);
    EXPECT_EQ(smiths_scratchpad_message, "NO ACTIVE GPS RTE");
    EXPECT_EQ(gns_refusal_text, "");

    gps.set(kGpsBlockMinSize, 2);
    gps.waypoint(0, "A", 0, 0);
    gps.waypoint(1, "B", 0, 0);
    smiths_scratchpad_message.clear();
    import_gps_route(kGpsImportQuiet); // loads without a message
    EXPECT_EQ(working_plan_last, 1);
    EXPECT_EQ(smiths_scratchpad_message, "");
}

TEST(GpsImportStandIn, theScriptedGpsPlanBecomesTheWorkingPlan) {
    host::reset_sim_state();
    ImportTable.panels = host::services_table();
    std::string error;
    EXPECT_FALSE(host::gps_command("KSEA 47.449", false, error));
    EXPECT_FALSE(host::gps_command("KSEA north -122.3", false, error));
    ASSERT_TRUE(
        host::gps_command("KSEA 47.449 -122.3093 SEA 47.4354 -122.3097 KPDX 45.5887 -122.5975", true, error));
    import_gps_route(kGpsImportWithMessage);
    ASSERT_EQ(working_plan_last, 2);
    EXPECT_EQ(working_plan[1].ident, "SEA");
    EXPECT_NEAR(working_plan[1].lat, 47.4354, 1e-5); // one latitude unit is 9e-6 degrees
    EXPECT_NEAR(working_plan[2].lon, -122.5975, 1e-6);

    ASSERT_TRUE(host::gps_command("clear", true, error));
    import_gps_route(kGpsImportWithMessage);
    EXPECT_EQ(smiths_scratchpad_message, "NO ACTIVE GPS RTE");
    ImportTable.panels = nullptr;
}

TEST(FuelTankLevels, fillsMainsCenterAuxiliariesAndTipsInTurn) {
    struct Row {
        double fuel;
        double capacity[7]; // 290 center, 292 main, 294 aux, 296 tip, 298 main, 300 aux, 302 tip
        int32_t main, center, aux, tip;
    } rows[] = {
        {20000, {2000, 1000, 500, 100, 1000, 500, 100}, 8388608, 4131702, 0, 0},
        {13400 + 13400 + 1675, {2000, 1000, 300, 100, 1000, 200, 100}, 8388608, 8388608, 4194304, 0},
        {1e9, {2000, 1000, 500, 100, 1000, 500, 100}, 8388608, 8388608, 8388608, 8388608},
        {0, {2000, 1000, 500, 100, 1000, 500, 100}, 0, 0, 0, 0},
        {-5, {2000, 1000, 500, 100, 1000, 500, 100}, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        TankLevel out[7];
        fuel_tank_levels(r.fuel, r.capacity, 6.7, out);
        const TankLevel expected[7] = {{0x0B7C, r.main}, {0x0B94, r.main}, {0x0B74, r.center},
                                       {0x0B84, r.aux},  {0x0B9C, r.aux},  {0x0B8C, r.tip},
                                       {0x0BA4, r.tip}};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(out[i].offset, expected[i].offset) << r.fuel << " " << i;
            EXPECT_EQ(out[i].level, expected[i].level) << r.fuel << " " << i;
        }
    }
}

TEST(LoadFuel, writesTheTanksOverTheLinkAndNotesItOnce) {
    host::reset_sim_state();
    ImportTable.panels = host::services_table();
    host::set_token(386, 6.7);  // pounds per gallon
    host::set_token(306, 1500); // gallons on board: must not scale the tanks
    const std::pair<uint32_t, double> tanks[] = {{290, 2000}, {292, 1000}, {298, 1000}, {294, 500},
                                                 {300, 500},  {296, 100},  {302, 100}};
    for (const auto& [token, gallons] : tanks)
        host::set_token(token, gallons);
    load_fuel(20000.0); // no link: nothing happens
    EXPECT_EQ(warning_messages.count(), 0);

    host::reset_data_link();
    ASSERT_TRUE(host::start_data_link({&orvex_window_register, &orvex_window_unregister}));
    host::set_link_u32(0x0BA4, 77);
    load_fuel(20000.0);
    EXPECT_EQ(host::link_u32(0x0B7C), 8388608u);
    EXPECT_EQ(host::link_u32(0x0B74), 4131702u);
    EXPECT_EQ(host::link_u32(0x0BA4), 0u);
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "FUEL ' 20000' loaded");

    warning_messages.set_count(400);
    load_fuel(0.0);
    EXPECT_EQ(host::link_u32(0x0B7C), 0u); // loaded, but no message past 400
    EXPECT_EQ(warning_messages.count(), 400);
    host::stop_data_link();
    ImportTable.panels = nullptr;
}

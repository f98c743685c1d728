// The read mechanism and the accessors that keep or consult state: the speed
// filter, the host-generation choices and the fuel-on-board low mark.
#include "sim/sim_var_reader.h"

#include "sim/aircraft_state.h"
#include "sim/sim_values_services.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using V = SimValues;

TEST(SimVarReads, EveryCallReadsTheHostAfreshWithAZeroedBlock) {
    SimValuesInstalled sim;
    V::tokens[81] = 270.0;
    EXPECT_EQ(sim_var_object.get_heading_deg(), 270.0);
    V::tokens[81] = 271.5;
    EXPECT_EQ(sim_var_object.get_heading_deg(), 271.5);
    EXPECT_EQ(V::token_reads, (std::vector<uint32_t>{81, 81}));
    EXPECT_TRUE(V::unclean_blocks.empty());

    // A token the host does not serve leaves the zero the module wrote.
    EXPECT_EQ(sim_var_object.get_pitch_deg(), 0.0);
    EXPECT_NEAR(sim_var_object.get_eng1_egt_c(), -273.1611111111111, 1e-12);
    EXPECT_EQ(sim_var_object.get_simvar_24_bcd_mhz(), 100.0);
}

TEST(SimVarReads, NoSimulatorAttachedGivesZerosAndSendsNothing) {
    ImportTable.panels = nullptr;
    EXPECT_EQ(sim_var_object.get_plat_deg(), 0.0);
    EXPECT_EQ(sim_var_object.get_indicated_altitude_ft(), 0.0);
    EXPECT_EQ(sim_var_object.get_nav_ident1_text(), "");
    sim_var_object.send_decision_height_dec();
}

TEST(SimVarReads, CalculatorReadsAskForOneKindOfResultAndKeepTheStartWhenUnserved) {
    SimValuesInstalled sim;
    V::numbers["(A:INDICATED ALTITUDE, feet)"] = 12345.5;
    V::integers["(A:Design Speed VS0, knots)"] = 112;
    V::texts["(A:NAV IDENT:1,string)"] = "ZUE";

    EXPECT_EQ(sim_var_object.get_indicated_altitude_ft(), 12345.5);
    EXPECT_EQ(sim_var_object.get_design_speed_vs0_kt(), 112.0);
    EXPECT_EQ(sim_var_object.get_nav_ident1_text(), "ZUE");
    ASSERT_EQ(V::calculator_calls.size(), 3u);
    const auto& c = V::calculator_calls;
    EXPECT_TRUE(c[0].wants_number && !c[0].wants_integer && !c[0].wants_text);
    EXPECT_TRUE(!c[1].wants_number && c[1].wants_integer && !c[1].wants_text);
    EXPECT_TRUE(!c[2].wants_number && !c[2].wants_integer && c[2].wants_text);

    // Unserved: 0.0, 0 and the empty text.
    EXPECT_EQ(sim_var_object.get_autopilot_altitude_lock_var_ft(), 0.0);
    EXPECT_EQ(sim_var_object.get_design_speed_vs1_kt(), 0.0);
    EXPECT_EQ(sim_var_object.get_adf_ident2_text(), "");
}

TEST(SimVarReads, AircraftVariableByNumberAsksTheUnitsThenReadsIndexZero) {
    SimValuesInstalled sim;
    V::units["percent"] = 42;
    V::aircraft_vars[{77, 42}] = 63.5;
    EXPECT_EQ(sim_var_object.get_var_77_pct(), 63.5);
    EXPECT_EQ(V::units_asked, std::vector<std::string>{"percent"});
    ASSERT_EQ(V::aircraft_var_reads.size(), 1u);
    EXPECT_EQ(V::aircraft_var_reads[0], (std::vector<int64_t>{77, 42, 0}));
}

TEST(SimVarReads, FlagTestsReturnOneOrZeroWhateverTheOtherBits) {
    SimValuesInstalled sim;
    struct Row {
        uint32_t word;
        int32_t bit8, bit32, bit64, bit128;
    };
    const Row rows[] = {
        {0x00000000u, 0, 0, 0, 0}, {0x00000008u, 1, 0, 0, 0},
        {0x000000C0u, 0, 0, 1, 1}, {0xFFFFFF7Fu, 1, 1, 1, 0},
        {0xFFFFFFFFu, 1, 1, 1, 1}, {0x00000F00u, 0, 0, 0, 0}, // bits above the masks only
    };
    for (const Row& r : rows) {
        V::coded[46] = r.word;
        EXPECT_EQ(sim_var_object.test_simvar_46_bit_8(), r.bit8) << std::hex << r.word;
        EXPECT_EQ(sim_var_object.test_simvar_46_bit_32(), r.bit32) << std::hex << r.word;
        EXPECT_EQ(sim_var_object.test_simvar_46_bit_64(), r.bit64) << std::hex << r.word;
        EXPECT_EQ(sim_var_object.test_simvar_46_bit_128(), r.bit128) << std::hex << r.word;
    }
}

TEST(SimVarReads, TruncatedReadsCutTowardZeroAndSaturate) {
    SimValuesInstalled sim;
    struct Row {
        double raw;
        int32_t expected;
    };
    const Row rows[] = {
        {0.9, 0}, {-0.5, 0}, {1.0, 1}, {-1.9, -1}, {3.99, 3}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
        {NAN, 0}};
    for (const Row& r : rows) {
        V::tokens[773] = r.raw;
        V::tokens[68] = r.raw;
        V::tokens[792] = r.raw;
        V::tokens[60] = r.raw;
        EXPECT_EQ(sim_var_object.get_display_power(), r.expected) << r.raw;
        EXPECT_EQ(sim_var_object.get_overspeed_warning_int(), r.expected) << r.raw;
        EXPECT_EQ(sim_var_object.get_simvar_792_int(), r.expected) << r.raw;
        EXPECT_EQ(sim_var_object.get_simvar_60_int(), r.expected) << r.raw;
    }
    V::tokens[792] = -0.5;
    EXPECT_EQ(sim_var_object.get_simvar_792(), -0.5); // the untruncated twin
}

TEST(SpeedFilter, ApproachesASteadyReadingByPointSevenPerCall) {
    SimValuesInstalled sim;
    V::tokens[61] = 100.0;
    // r (1 - 0.7^n): 30, 51, 65.7, 75.99
    const double expected[] = {30.0, 51.0, 65.7, 75.99};
    for (double e : expected)
        EXPECT_NEAR(sim_var_object.get_speed_smoothed(), e, 1e-9);
    EXPECT_EQ(V::token_reads, (std::vector<uint32_t>{61, 61, 61, 61}));

    // A new reading starts from the last output: 75.99 x 0.7 + 200 x 0.3.
    V::tokens[61] = 200.0;
    EXPECT_NEAR(sim_var_object.get_speed_smoothed(), 113.193, 1e-9);
    // The own record is not a fresh block: it carries the filter state.
    EXPECT_FALSE(V::unclean_blocks.empty());
    for (uint32_t id : V::unclean_blocks)
        EXPECT_EQ(id, 61u);
}

TEST(SpeedFilter, AHostThatCopiesValueIntoPreviousGivesTheSameSteps) {
    SimValuesInstalled sim;
    V::copy_value_to_previous = true;
    V::tokens[61] = 100.0;
    EXPECT_NEAR(sim_var_object.get_speed_smoothed(), 30.0, 1e-9);
    EXPECT_NEAR(sim_var_object.get_speed_smoothed(), 51.0, 1e-9);
    // The first step uses exactly 0.3 as 1.0 - 0.7 comes out in f64.
    SimVarReader fresh;
    V::tokens[61] = 1.0;
    EXPECT_EQ(fresh.get_speed_smoothed(), 1.0 - 0.7);
}

TEST(HostGeneration, BankReadsToken80OnlyOnGeneration9) {
    SimValuesInstalled sim;
    V::tokens[80] = -12.5;
    V::tokens[79] = 7.25;
    EXPECT_EQ(host_sim_version, 9); // the load-time value
    EXPECT_EQ(sim_var_object.get_bank_deg(), -12.5);
    for (int32_t version : {10, 11, 8, 0}) {
        host_sim_version = version;
        EXPECT_EQ(sim_var_object.get_bank_deg(), 7.25) << version;
    }
}

TEST(HostGeneration, DecisionHeightUsesTheExpressionFromGeneration10Up) {
    SimValuesInstalled sim;
    V::tokens[615] = 200.0;
    V::integers["(A:DECISION HEIGHT,FEET)"] = 250;
    V::numbers["(A:DECISION HEIGHT,FEET)"] = 250.75; // must not be asked for
    EXPECT_EQ(sim_var_object.get_decision_height_ft(), 200.0);
    host_sim_version = 8;
    EXPECT_EQ(sim_var_object.get_decision_height_ft(), 200.0);
    for (int32_t version : {10, 11}) {
        host_sim_version = version;
        EXPECT_EQ(sim_var_object.get_decision_height_ft(), 250.0) << version;
    }
    EXPECT_EQ(V::token_reads, (std::vector<uint32_t>{615, 615}));
}

TEST(FuelOnBoard, IsQuantityTimesWeightAndOnlyEverLowersTheLowMark) {
    SimValuesInstalled sim;
    V::tokens[306] = 500.0; // quantity
    V::tokens[386] = 6.7;   // weight of a gallon
    EXPECT_NEAR(sim_var_object.get_fuel_on_board_lb(), 3350.0, 1e-9);
    EXPECT_EQ(fuel_on_board_low_lb, 0.0); // nothing set it: it stays 0.0

    fuel_on_board_low_lb = 5000.0;
    EXPECT_NEAR(sim_var_object.get_fuel_on_board_lb(), 3350.0, 1e-9);
    EXPECT_NEAR(fuel_on_board_low_lb, 3350.0, 1e-9);
    V::tokens[306] = 600.0;
    EXPECT_NEAR(sim_var_object.get_fuel_on_board_lb(), 4020.0, 1e-9);
    EXPECT_NEAR(fuel_on_board_low_lb, 3350.0, 1e-9); // never raised

    V::tokens[306] = 0.0;
    EXPECT_EQ(sim_var_object.get_fuel_on_board_lb(), 0.0);
    EXPECT_EQ(fuel_on_board_low_lb, 0.0);
}

} // namespace

namespace {

TEST(AircraftStateRecord, StartsAtZeroAndNamesHeadingHoldThreeWays) {
    AircraftState state;
    EXPECT_EQ(state.plat, 0.0);
    EXPECT_EQ(state.display_power, 0);
    EXPECT_EQ(state.token_106_state, 0);
    state.token_106_state = 1;
    EXPECT_EQ(state.snap_token_106, 1);
    EXPECT_EQ(state.snap_token_106_int, 1);
    aircraft_state.snap_token_106 = 1;
    EXPECT_EQ(aircraft_state.token_106_state, 1);
}

} // namespace

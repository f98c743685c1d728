// Engine, fuel-flow, fuel and tank accessors against raw host values.
#include "sim/sim_var_reader.h"

#include "sim/accessor_rows.h"
#include "sim/sim_values_services.h"

#include <gtest/gtest.h>

namespace {

using V = SimValues;

TEST(EngineAccessors, PerEngineFamiliesReadTheirTokensAndConvert) {
    SimValuesInstalled sim;
    // Rankine: 1211.69 R is 400 C, 999.67 R is 282.2111 C; 6480 psf is 45 psi;
    // 12000 of 16384 scaled by 30 is 21.97265625.
    const TokenRow rows[] = {
        {ROW(get_eng1_n1_pct), 626, 91.5, 91.5},
        {ROW(get_eng2_n1_pct), 645, 92.5, 92.5},
        {ROW(get_eng3_n1_pct), 664, 93.5, 93.5},
        {ROW(get_eng4_n1_pct), 683, 94.5, 94.5},
        {ROW(get_eng1_n2_pct), 625, 95.5, 95.5},
        {ROW(get_eng2_n2_pct), 644, 96.5, 96.5},
        {ROW(get_eng3_n2_pct), 663, 97.5, 97.5},
        {ROW(get_eng4_n2_pct), 682, 98.5, 98.5},
        {ROW(get_eng1_epr), 128, 1.51, 1.51},
        {ROW(get_eng2_epr), 163, 1.52, 1.52},
        {ROW(get_eng3_epr), 198, 1.53, 1.53},
        {ROW(get_eng4_epr), 233, 1.54, 1.54},
        {ROW(get_eng1_thrust_lever), 128, 16383.0, 16383.0},
        {ROW(get_eng2_thrust_lever), 163, -4096.0, -4096.0},
        {ROW(get_eng3_thrust_lever), 198, 8000.0, 8000.0},
        {ROW(get_eng4_thrust_lever), 233, 1.0, 1.0},
        {ROW(get_eng1_egt_c), 567, 1211.69, 400.0},
        {ROW(get_eng2_egt_c), 577, 999.67, 282.21111111111111},
        {ROW(get_eng3_egt_c), 587, 491.69, 0.0},
        {ROW(get_eng4_egt_c), 597, 1391.69, 500.0},
        {ROW(get_eng1_oil_temp_c), 561, 671.69, 100.0},
        {ROW(get_eng2_oil_temp_c), 571, 689.69, 110.0},
        {ROW(get_eng3_oil_temp_c), 581, 707.69, 120.0},
        {ROW(get_eng4_oil_temp_c), 591, 725.69, 130.0},
        {ROW(get_eng1_simvar_631_c), 631, 851.69, 200.0},
        {ROW(get_eng2_simvar_650_c), 650, 869.69, 210.0},
        {ROW(get_eng3_simvar_669_c), 669, 887.69, 220.0},
        {ROW(get_eng4_simvar_688_c), 688, 905.69, 230.0},
        {ROW(get_eng1_oil_pressure_psi), 562, 6480.0, 45.0},
        {ROW(get_eng2_oil_pressure_psi), 572, 6624.0, 46.0},
        {ROW(get_eng3_oil_pressure_psi), 582, 6768.0, 47.0},
        {ROW(get_eng4_oil_pressure_psi), 592, 6912.0, 48.0},
        {ROW(get_simvar_732_psi), 732, 1440.0, 10.0},
        {ROW(get_simvar_734_psi), 734, 2880.0, 20.0},
        {ROW(get_simvar_736_psi), 736, 4320.0, 30.0},
        {ROW(get_simvar_738_psi), 738, 5760.0, 40.0},
        {ROW(get_eng1_simvar_149_scaled), 149, 12000.0, 21.97265625},
        {ROW(get_eng2_simvar_184_scaled), 184, 16384.0, 30.0},
        {ROW(get_eng3_simvar_219_scaled), 219, 8192.0, 15.0},
        {ROW(get_eng4_simvar_254_scaled), 254, 4096.0, 7.5},
        {ROW(get_eng1_simvar_630), 630, 630.5, 630.5},
        {ROW(get_eng2_simvar_649), 649, 649.5, 649.5},
        {ROW(get_eng3_simvar_668), 668, 668.5, 668.5},
        {ROW(get_eng4_simvar_687), 687, 687.5, 687.5},
        {ROW(get_simvar_633), 633, 633.5, 633.5},
        {ROW(get_simvar_652), 652, 652.5, 652.5},
        {ROW(get_simvar_671), 671, 671.5, 671.5},
        {ROW(get_simvar_690), 690, 690.5, 690.5},
        {ROW(get_eng1_simvar_627), 627, 627.5, 627.5},
        {ROW(get_eng2_simvar_646), 646, 646.5, 646.5},
        {ROW(get_eng3_simvar_665), 665, 665.5, 665.5},
        {ROW(get_eng4_simvar_684), 684, 684.5, 684.5},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(EngineAccessors, FuelAndTankValuesReadTheirTokens) {
    SimValuesInstalled sim;
    const TokenRow rows[] = {
        {ROW(get_fuel_quantity_gal), 306, 1200.0, 1200.0}, {ROW(get_simvar_386), 386, 6.7, 6.7},
        {ROW(get_simvar_342), 342, 29.92, 29.92},          {ROW(get_simvar_290), 290, 290.0, 290.0},
        {ROW(get_simvar_292), 292, 292.0, 292.0},          {ROW(get_simvar_294), 294, 294.0, 294.0},
        {ROW(get_simvar_296), 296, 296.0, 296.0},          {ROW(get_simvar_298), 298, 298.0, 298.0},
        {ROW(get_simvar_300), 300, 300.0, 300.0},          {ROW(get_simvar_302), 302, 302.0, 302.0},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(EngineAccessors, EngineFuelFlowTakesThePrimaryOnlyWhenAboveZero) {
    SimValuesInstalled sim;
    struct Row {
        Reader read;
        uint32_t primary_token, alternate_token;
    };
    const Row engines[] = {{&SimVarReader::get_eng1_fuel_flow, 421, 638},
                           {&SimVarReader::get_eng2_fuel_flow, 460, 657},
                           {&SimVarReader::get_eng3_fuel_flow, 499, 676},
                           {&SimVarReader::get_eng4_fuel_flow, 538, 695}};
    struct Case {
        double primary, alternate, expected;
    };
    const Case cases[] = {
        {2400.0, 1200.0, 2400.0}, {0.0, 1200.0, 1200.0}, {-5.0, 1200.0, 1200.0}, {0.01, 1200.0, 0.01}};
    for (const Row& e : engines) {
        for (const Case& c : cases) {
            V::reset();
            V::tokens[e.primary_token] = c.primary;
            V::tokens[e.alternate_token] = c.alternate;
            EXPECT_EQ((sim_var_object.*e.read)(), c.expected) << e.primary_token << " " << c.primary;
            // Both tokens are read, whichever is used.
            EXPECT_EQ(V::token_reads, (std::vector<uint32_t>{e.primary_token, e.alternate_token}));
        }
    }
}

TEST(EngineAccessors, TotalFuelFlowLetsEngineOneChooseTheFamily) {
    SimValuesInstalled sim;
    const uint32_t primaries[] = {421, 460, 499, 538};
    const uint32_t alternates[] = {638, 657, 676, 695};
    auto set = [&](const double(&p)[4], const double(&a)[4]) {
        V::reset();
        for (int i = 0; i < 4; ++i) {
            V::tokens[primaries[i]] = p[i];
            V::tokens[alternates[i]] = a[i];
        }
    };

    // Engine 1 primary at 0: the alternates are summed though 2 to 4 have primaries.
    set({0.0, 2000.0, 2000.0, 2000.0}, {100.0, 200.0, 300.0, 400.0});
    EXPECT_EQ(sim_var_object.get_total_fuel_flow(), 1000.0);
    EXPECT_EQ(V::token_reads.size(), 8u);

    // Engine 1 primary above 0: the primaries are summed though engine 3's is 0.
    set({1000.0, 2000.0, 0.0, 4000.0}, {100.0, 200.0, 300.0, 400.0});
    EXPECT_EQ(sim_var_object.get_total_fuel_flow(), 7000.0);
    EXPECT_EQ(V::token_reads.size(), 8u);
}

TEST(EngineAccessors, PayloadSumsTwentyStations) {
    SimValuesInstalled sim;
    for (int i = 1; i <= 20; ++i)
        V::numbers["(A:Payload Station Weight:" + std::to_string(i) + ",pounds)"] = i * 10.0;
    EXPECT_EQ(sim_var_object.get_payload_weight_lb(), 2100.0); // 10 x (1 + ... + 20)
    EXPECT_EQ(V::calculator_calls.size(), 20u);
    V::numbers.erase("(A:Payload Station Weight:20,pounds)");
    EXPECT_EQ(sim_var_object.get_payload_weight_lb(), 1900.0);
}

} // namespace

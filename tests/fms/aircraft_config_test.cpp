#include "data/aircraft_settings.h"
#include "data/display_settings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/pfd_settings.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/module_config.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/holds.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

void load_aircraft_text(const TempFolder& sim, const std::string& text) {
    sim.write("orvex/Aircraft/B738.cfg", text);
    host_folder = os::current_directory();
    aircraft_parameter = "B738";
    load_aircraft_config();
}

} // namespace

TEST(AiracLine, givesTheCycleAndThePeriodFromFixedPositions) {
    TempFolder sim;
    sim.write("orvex/Navdata/navs.txt", "; navaids\n"
                                        "ABC VOR 1\n"
                                        ";airac CYCLE : 0813 (11-DEC-2008 - 07-JAN-2009)\n"
                                        ";AIRAC 9999 x y z w v\n");
    host_folder = os::current_directory();
    load_aircraft_config();
    EXPECT_EQ(airac_cycle_text, "AIRAC 0813");
    EXPECT_EQ(airac_period_text, "DEC11JAN07/09");
}

TEST(AiracLine, shortDateTokensKeepThePreviousPeriod) {
    std::FILE* f = std::tmpfile();
    std::fputs(";AIRAC CYCLE : 0901 (8-J - 07-JAN)\n", f);
    std::rewind(f);
    airac_period_text = "DEC11JAN07/09";
    EXPECT_TRUE(read_airac_line(f));
    EXPECT_EQ(airac_cycle_text, "AIRAC 0901");
    EXPECT_EQ(airac_period_text, "DEC11JAN07/09");
    std::fclose(f);

    // A seventh token of 9 characters gives an empty year part, cut at its end.
    f = std::tmpfile();
    std::fputs(";AIRAC CYCLE : 0902 (05-FEB-09 - 05-MAR-09\n", f);
    std::rewind(f);
    EXPECT_TRUE(read_airac_line(f));
    EXPECT_EQ(airac_period_text, "FEB05MAR05/");
    std::fclose(f);

    f = std::tmpfile();
    std::fputs("no airac here\n;AIRACX 1 2 3 4 5 6\n", f);
    std::rewind(f);
    EXPECT_FALSE(read_airac_line(f));
    EXPECT_EQ(airac_cycle_text, "AIRAC 0902");
    std::fclose(f);
}

TEST(AircraftConfig, speedKeysSetTargetsBasesAndDefaults) {
    TempFolder sim;
    load_aircraft_text(sim, "ClimbTas=300\n"
                            "CruiseIas=270.9\n"
                            "DescentIas=240\n"
                            "BestHoldIas=210\n"
                            "ClimbIasMin=190\n"
                            "ClimbRate=2200.7\n"
                            "DescentRate=2100.5\n"
                            "MaxCruise=41000\n"
                            "HoldLegMins=0\n"
                            "EngThrust=27300\n"
                            "VnavSetSpdRestDist=0\n"
                            "CruiseMach=0.8\n"
                            "DescentMach=0.79\n"
                            "ClimbMach=0.76\n");
    // 300 kt TAS at 15000 ft is 300 / 1.285 = 233.46 kt IAS, truncated; the
    // TAS target is then recomputed from it: 233 * 1.285.
    EXPECT_EQ(climb_speed_target, 233);
    EXPECT_NEAR(climb_tas_target, 299.405, 1e-9);
    EXPECT_EQ(climb_speed_base, 233);
    EXPECT_EQ(climb_speed_default, 233);
    EXPECT_EQ(cruise_speed_target, 270);
    EXPECT_EQ(cruise_speed_default, 270);
    EXPECT_EQ(descent_speed_target, 240);
    EXPECT_EQ(descent_speed_base, 240);
    EXPECT_EQ(best_hold_ias, 210); // BestHoldIas comes after DescentIas
    EXPECT_NEAR(descent_tas_target, 240 * 1.285, 1e-9);
    EXPECT_EQ(ClimbIasMin, 190.0);
    EXPECT_EQ(ClimbRate, 2200);
    EXPECT_EQ(DescentRate, 2100.5);
    EXPECT_EQ(MaxCruise, 41000);
    EXPECT_EQ(HoldLegMins, 1.0);
    EXPECT_EQ(hold_list[1].leg_time, 1.0); // the first hold's leg time follows it
    EXPECT_EQ(EngThrust, 27);
    for (const auto& [text, thousands] : {std::pair{"EngThrust=1000\n", 1}, std::pair{"EngThrust=24\n", 0}}) {
        load_aircraft_text(sim, text);
        EXPECT_EQ(EngThrust, thousands) << text; // pounds, whatever their size
    }
    EXPECT_EQ(VnavSetSpdRestDist, 25);
    EXPECT_EQ(CruiseMach, 0.0);
    EXPECT_EQ(DescentMach, 0.0);
    EXPECT_EQ(ClimbMach, 0.76);
}

TEST(AircraftConfig, closingStepsRunWithoutAFileAndDeriveTheMachLimits) {
    TempFolder sim;
    host_folder = os::current_directory();
    aircraft_parameter = "NoSuchAircraft";
    CruiseMach = 0.8;
    load_aircraft_config();
    // Speed limits at 15000 ft, speed of sound at -30 C: 38.967854 * sqrt(243.15).
    EXPECT_NEAR(climb_mach_min, 0.380655, 1e-6);
    EXPECT_NEAR(climb_mach_max, 0.528688, 1e-6);
    EXPECT_NEAR(cruise_mach_min, 0.486393, 1e-6);
    EXPECT_NEAR(cruise_mach_max, 0.592131, 1e-6);
    EXPECT_NEAR(descent_mach_min, 0.380655, 1e-6);
    EXPECT_NEAR(descent_mach_max, 0.528688, 1e-6);
    EXPECT_EQ(CruiseMach, 0.0);
    EXPECT_EQ(climb_speed_target, 220);
    EXPECT_EQ(lvar_bindings.count(), 0);
}

TEST(AircraftConfig, costIndexMovesOnlyTargetsStillAtTheirBase) {
    TempFolder sim;
    load_aircraft_text(sim, "CostIndex=100\nClimbIas=230\n");
    // Climb was changed by the file (230 != base 220) and stays; cruise
    // 230 + 50/200*100 = 255; descent 180 + 70/200*100 = 215.
    EXPECT_EQ(cost_index, 100);
    EXPECT_EQ(climb_speed_target, 230);
    EXPECT_EQ(cruise_speed_target, 255);
    EXPECT_EQ(descent_speed_target, 215);
    EXPECT_EQ(cruise_speed_base, 255);
    EXPECT_EQ(descent_speed_default, 215);
}

TEST(AircraftConfig, sharedKeysFollowTheAircraftFileRules) {
    TempFolder sim;
    sim.write("orvex/orvex.cfg", "FlightPlansFolder=C:\\Plans\nTransAlt=5000\nWptChgDist=4\n");
    host_folder = os::current_directory();
    load_config();
    load_aircraft_text(sim, "FlightPlansFolder=C:\\Aircraft Plans\n"
                            "TransAlt=6000\n"
                            "WptChgDist=0.8\n"
                            "GPSSynch=1\n"
                            "WeightUnit=kgs\n"
                            "ArmPauseAtTod=1\n"); // not an aircraft key
    EXPECT_EQ(FlightPlansFolder, "C:\\Plans");
    EXPECT_EQ(aircraft_flight_plans_folder, "C:\\Aircraft Plans");
    EXPECT_EQ(TransAlt, 6000);
    EXPECT_EQ(WptChgDist, 4.0); // 0.8 has no whole part: ignored here
    EXPECT_EQ(synchfplanwithfsgps, 1);
    EXPECT_EQ(WeightUnit, "KGS");
    EXPECT_EQ(ArmPauseAtTod, 0);
}

TEST(AircraftConfig, displayModesOutsideTheirRangeAreReset) {
    struct Row {
        const char* text;
        int* mode;
        int expected;
    };
    const Row rows[] = {
        {"HWMD11NDMode=6", &hw_md11_nd_mode, 1},      {"HWMD11NDMode=1", &hw_md11_nd_mode, 1},
        {"HWMD11NDMode=5", &hw_md11_nd_mode, 5},      {"EFS50NavMode=3", &efs50_nav_source, 1},
        {"EFS50NavMode=2", &efs50_nav_source, 2},     {"DU1000EHSIMode=-1", &du_1000_ehsi_mode, 0},
        {"EFS50HsiMode=8", &efs50_ehsi_mode, 1},      {"EFS50HsiMode=7", &efs50_ehsi_mode, 7},
        {"HWB737NDMode=0", &hw_b737_nd_mode, 1},      {"MD80EHSIMode=4", &md80_ehsi_mode, 0},
        {"PROLINE4MFDMode=2", &proline4_mfd_mode, 2}, {"PROLINE4MFDMode=9", &proline4_mfd_mode, 0},
    };
    TempFolder sim;
    for (const Row& r : rows) {
        load_aircraft_text(sim, std::string(r.text) + "\n");
        EXPECT_EQ(*r.mode, r.expected) << r.text;
    }
}

TEST(AircraftConfig, flapColourAndTextKeys) {
    TempFolder sim;
    load_aircraft_text(sim, "TOFLAPSRANGE=5,15\n"
                            "APPRFLAPSMAX=30\n"
                            "VREFMIN=140\n"
                            "V1=135\n"
                            "a320eadiskycolorred=12\n"
                            "A320EADIGrndColorBlue=300\n"
                            "B777PFDTapeColorGreen=7\n"
                            "C17MfdSkyColorBlue=9\n"
                            "MD80EHSIBkgrdColorGreen=33\n"
                            "A320EADISkyColourRed=99\n"
                            "DU1000Style=boeing\n"
                            "ModelId=B737-800 WL\n"
                            "PerformanceData=\n");
    EXPECT_EQ(TOFLAPSRANGE, ",5,15,");
    EXPECT_EQ(APPRFLAPSMAX, "30");
    EXPECT_EQ(APPRFLAPSMIN, "15");
    EXPECT_EQ(VREFMIN, 140);
    EXPECT_EQ(VREFMID, 145);
    EXPECT_EQ(V1, 135);
    EXPECT_EQ(a320_eadi_sky_rgb[0], 12);
    EXPECT_EQ(a320_eadi_sky_rgb[1], 165);
    EXPECT_EQ(a320_eadi_ground_rgb[2], 300); // the painters use the low 8 bits
    EXPECT_EQ(b777_pfd_tape_rgb[1], 7);
    EXPECT_EQ(c17_mfd_sky_rgb[2], 9);
    EXPECT_EQ(md80_ehsi_background_rgb[1], 33);
    EXPECT_EQ(DU1000Style, "BOEING");
    EXPECT_EQ(ModelId, "B737-800 WL");
    EXPECT_EQ(PerformanceData, "");
}

TEST(LvarBindings, itemsFillTheNextSlot) {
    TempFolder sim;
    load_aircraft_text(sim, "TransAlt=7000\n"
                            "[Lvars]\n"
                            "my switch=3, EFS50HsiMode=2, reset=1\n"
                            "Knob=2,MapRange=40.9,off=5,reset=9\n"
                            "Lamp=1, HWB737NDMode=3, other=4\n"
                            "; a comment\n"
                            "\n"
                            "TransAlt=8000\n"
                            "[EndLvars]\n"
                            "TransAlt=9000\n");
    ASSERT_EQ(lvar_bindings.count(), 4);
    const LvarBinding& a = lvar_bindings[1];
    EXPECT_EQ(a.variable_name, "my switch");
    EXPECT_EQ(a.variable_code, 3);
    EXPECT_EQ(a.setting_name, "EFS50HsiMode");
    EXPECT_EQ(a.setting_value, 2);
    EXPECT_EQ(a.reset_value, 1);
    EXPECT_EQ(a.off_value, -1);
    const LvarBinding& b = lvar_bindings[2];
    EXPECT_EQ(b.setting_name, "MapRange");
    EXPECT_EQ(b.setting_value, 40);
    EXPECT_EQ(b.off_value, 5);
    EXPECT_EQ(b.reset_value, -1); // a fourth item is ignored
    const LvarBinding& c = lvar_bindings[3];
    EXPECT_EQ(c.reset_value, -1);
    EXPECT_EQ(c.off_value, -1);
    // Inside the section a key line is a binding, not a setting.
    EXPECT_EQ(lvar_bindings[4].variable_name, "TransAlt");
    EXPECT_EQ(lvar_bindings[4].variable_code, 8000);
    EXPECT_EQ(TransAlt, 9000);
}

TEST(LvarBindings, commaInTheFirstTwoCharactersBelongsToTheItem) {
    lvar_bindings.clear();
    parse_lvar_binding_line("A=1,,X=2,reset=3");
    ASSERT_EQ(lvar_bindings.count(), 1);
    // Item 2 is ",X=2" (its comma is at position 0): tokens ",X" and "2".
    EXPECT_EQ(lvar_bindings[1].setting_name, ",X");
    EXPECT_EQ(lvar_bindings[1].setting_value, 2);
    EXPECT_EQ(lvar_bindings[1].reset_value, 3);
    parse_lvar_binding_line("   ");
    EXPECT_EQ(lvar_bindings.count(), 1);
}

TEST(LvarBindings, stopAtTheCapacityAndASecondLoadReplacesTheList) {
    TempFolder sim;
    std::string text = "[Lvars]\n";
    for (int i = 1; i <= 120; ++i)
        text += "var" + std::to_string(i) + "=" + std::to_string(i) + ",S=1\n";
    text += "[EndLvars]\n";
    load_aircraft_text(sim, text);
    ASSERT_EQ(lvar_bindings.count(), 99);
    EXPECT_EQ(lvar_bindings[99].variable_name, "var99");
    EXPECT_EQ(lvar_bindings[99].variable_code, 99);
    EXPECT_EQ(lvar_bindings.stored(), 100u);

    load_aircraft_text(sim, "[lvars]\nOne=1,S=1\n[endlvars]\n");
    ASSERT_EQ(lvar_bindings.count(), 1);
    EXPECT_EQ(lvar_bindings[1].variable_name, "One");
    EXPECT_EQ(lvar_bindings[2].variable_name, "");
}

#include "data/module_settings.h"
#include "fms/files/module_config.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/gns_settings.h"
#include "fms/units/update_counters.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"
#include "sim/host_probe.h"

#include <gtest/gtest.h>

namespace {

// Writes orvex.cfg into a fresh simulator folder and loads it.
void load_config_text(const TempFolder& sim, const std::string& text) {
    sim.write("orvex/orvex.cfg", text);
    host_folder = os::current_directory();
    load_config();
}

} // namespace

TEST(ModuleConfig, missingFileKeepsDefaultsAndStillRunsTheClosingSteps) {
    TempFolder sim;
    host_folder = os::current_directory();
    display_refresh_counter = 5;
    load_config();

    EXPECT_EQ(config_loaded, 1);
    EXPECT_EQ(flight_log_started, 1);
    EXPECT_EQ(display_refresh_counter, 999);
    EXPECT_EQ(sel_sid, "------");
    EXPECT_EQ(sel_approach_transition, "------");
    EXPECT_EQ(exec_arrival_runway, "------");
    EXPECT_EQ(pending_departure_runway, "------");
    EXPECT_EQ(gns_sel_apch_trans, "------");
    EXPECT_EQ(gns_scratchpad, "------");
    EXPECT_EQ(direct_to_turn_text, "DEFAULT");
    EXPECT_EQ(gns_flyover_choice, "NO");
    // 220 kt IAS at 15000 ft: 220 + 220 * 0.019 * 15.
    EXPECT_NEAR(climb_tas_target, 282.7, 1e-9);
    EXPECT_NEAR(descent_tas_target, 282.7, 1e-9);

    // Defaults of every key.
    const int ints[][2] = {
        {AdjustTurnDistforAngle, 0},
        {ArmPauseAtTod, 0},
        {PauseAtTod, 0},
        {DecLatLonDisp, 0},
        {DispAppPtrnAlts, 0},
        {DispC17SpdTrend, 0},
        {DispETALocalTime, 0},
        {DispPrevWpt, 0},
        {DrawBodArcOnEFS50EHSI, 0},
        {DrawBodArcOnP1000MFD, 0},
        {DrawTcasWindowOnP1000MFD, 1},
        {EadiDualCue, 0},
        {EADIHdgTape, 0},
        {EhsiStaticHdgPointer, 1},
        {ExpandEADI, 0},
        {ExpandEADILnav, 0},
        {HdgHoldOnLnavOn, 0},
        {LoadFuelonFlightPlanLoad, 0},
        {Lnav1xAtTod, 0},
        {LnavOffAtLastWpt, 0},
        {LnavSetEnRouteFreqs, 0},
        {McuShowActiveRwys, 0},
        {MFDTextAntiAlias, 1},
        {SaveFPLCruiseAlt, 0},
        {SequenceFPlanWpts, 0},
        {SetDestLoadTowerViewDist, 0},
        {SetSpdOffwhenAPMasterSetOff, 0},
        {SetUTCTimeOnFPLoad, 0},
        {SetWptBaro, 0},
        {ShowTodBodIndicators, 1},
        {TcasVertRange, 140},
        {TransAlt, 18000},
        {VnavOffAtLastWpt, 0},
        {VnavOffOnManAltChg, 0},
        {VnavSetAlts, 1},
        {VnavSetSpd, 1},
        {VnavSetSpdOffOnManSpdChg, 0},
        {ArmPauseAtDistFromDest, 0},
        {PauseAtDistFromDest, 0},
        {pause_distance, 20},
        {SetMCPSpdOnFlightPlanLoad, 0},
        {synchfplanwithfsgps, 0},
        {AutoSetLOCFreq, 0},
        {LnavOnNavLock, 0},
        {DisplayLnavStatusOnMD11ND, 0},
        {DisplayVnavStatusOnMD11ND, 0},
        {DisplayMagVarOnGnsxlsNavPage, 0},
    };
    for (std::size_t i = 0; i < std::size(ints); ++i)
        EXPECT_EQ(ints[i][0], ints[i][1]) << "row " << i;
    EXPECT_EQ(FlyoverWptChgDist, 1.5);
    EXPECT_EQ(min_map_range, 10.0);
    EXPECT_EQ(WptChgDist, 3.0);
    EXPECT_EQ(WptChgSecs, 0.0);
    EXPECT_EQ(WptProcChgDist, 3.0);
    EXPECT_EQ(WptProcChgSecs, 0.0);
    EXPECT_EQ(ClimbMach, 0.0);
    EXPECT_EQ(CruiseMach, 0.0);
    EXPECT_EQ(DescentMach, 0.0);
    EXPECT_EQ(FlightPlansFolder, "");
    EXPECT_EQ(ParkingFile, "");
    EXPECT_EQ(WeightUnit, "LBS");
}

TEST(ModuleConfig, everyKeyTakesItsValueWithItsConversion) {
    TempFolder sim;
    load_config_text(sim, "AdjustTurnDistforAngle=2\n"
                          "ArmPauseAtTod=3\n"
                          "DecLatLonDisp=4.9\n"
                          "DispAppPtrnAlts=5\n"
                          "DispC17SpdTrend=6\n"
                          "DispETALocalTime=7\n"
                          "DispPrevWpt=8\n"
                          "DrawBodArcOnEFS50EHSI=9\n"
                          "DrawBodArcOnP1000MFD=10\n"
                          "DrawTcasWindowOnP1000MFD=0\n"
                          "EadiDualCue=11\n"
                          "EADIHdgTape=12\n"
                          "EhsiStaticHdgPointer=0\n"
                          "ExpandEADI=13\n"
                          "ExpandEADILnav=14\n"
                          "FlightPlansFolder=D:\\My Plans\n"
                          "FlyoverWptChgDist=2.25\n"
                          "HdgHoldOnLnavOn=15\n"
                          "LoadFuelonFlightPlanLoad=16\n"
                          "Lnav1xAtTod=17\n"
                          "LnavOffAtLastWpt=18\n"
                          "LnavSetEnRouteFreqs=19\n"
                          "McuShowActiveRwys=20\n"
                          "MFDTextAntiAlias=0\n"
                          "MinMapRange=2.5\n"
                          "ParkingFile=gates.txt\n"
                          "SaveFPLCruiseAlt=21\n"
                          "SequenceFPlanWpts=22\n"
                          "SetDestLoadTowerViewDist=23\n"
                          "SetSpdOffwhenAPMasterSetOff=24\n"
                          "SetUTCTimeOnFPLoad=25\n"
                          "SetWptBaro=26\n"
                          "ShowTodBodIndicators=0\n"
                          "TcasVertRange=2750\n"
                          "TransAlt=12000\n"
                          "VnavOffAtLastWpt=27\n"
                          "VnavOffOnManAltChg=28\n"
                          "VnavSetAlts=0\n"
                          "VnavSetSpd=0\n"
                          "VnavSetSpdOffOnManSpdChg=29\n"
                          "WeightUnit=kgs\n"
                          "WptChgDist=0.8\n"
                          "WptChgSecs=12.5\n"
                          "WptProcChgDist=1.75\n"
                          "WptProcChgSecs=8\n"
                          "ArmPauseAtDistFromDest=0\n"
                          "PauseAtDistFromDest=40\n"
                          "SetMCPSpdOnFlightPlanLoad=30\n"
                          "synchfplanwithfsgps=1\n"
                          "AutoSetLOCFreq=31\n"
                          "LnavOnNavLock=32\n"
                          "DisplayLnavStatusOnMD11ND=33\n"
                          "DisplayVnavStatusOnMD11ND=34\n"
                          "DisplayMagVarOnGnsxlsNavPage=35\n"
                          "ClimbMach=0.74\n"
                          "CruiseMach=0.78\n"
                          "DescentMach=0.76\n"
                          "PauseAtTod=1\n");
    const int ints[][2] = {
        {AdjustTurnDistforAngle, 2},
        {ArmPauseAtTod, 1},
        {PauseAtTod, 1},
        {DecLatLonDisp, 4},
        {DispAppPtrnAlts, 5},
        {DispC17SpdTrend, 6},
        {DispETALocalTime, 7},
        {DispPrevWpt, 8},
        {DrawBodArcOnEFS50EHSI, 9},
        {DrawBodArcOnP1000MFD, 10},
        {DrawTcasWindowOnP1000MFD, 0},
        {EadiDualCue, 11},
        {EADIHdgTape, 12},
        {EhsiStaticHdgPointer, 0},
        {ExpandEADI, 13},
        {ExpandEADILnav, 14},
        {HdgHoldOnLnavOn, 15},
        {LoadFuelonFlightPlanLoad, 16},
        {Lnav1xAtTod, 17},
        {LnavOffAtLastWpt, 18},
        {LnavSetEnRouteFreqs, 19},
        {McuShowActiveRwys, 20},
        {MFDTextAntiAlias, 0},
        {SaveFPLCruiseAlt, 21},
        {SequenceFPlanWpts, 22},
        {SetDestLoadTowerViewDist, 23},
        {SetSpdOffwhenAPMasterSetOff, 24},
        {SetUTCTimeOnFPLoad, 25},
        {SetWptBaro, 26},
        {ShowTodBodIndicators, 0},
        {TcasVertRange, 27},
        {TransAlt, 12000},
        {VnavOffAtLastWpt, 27},
        {VnavOffOnManAltChg, 28},
        {VnavSetAlts, 0},
        {VnavSetSpd, 0},
        {VnavSetSpdOffOnManSpdChg, 29},
        {ArmPauseAtDistFromDest, 1},
        {PauseAtDistFromDest, 1},
        {pause_distance, 40},
        {SetMCPSpdOnFlightPlanLoad, 30},
        {synchfplanwithfsgps, 1},
        {AutoSetLOCFreq, 31},
        {LnavOnNavLock, 32},
        {DisplayLnavStatusOnMD11ND, 33},
        {DisplayVnavStatusOnMD11ND, 34},
        {DisplayMagVarOnGnsxlsNavPage, 35},
    };
    for (std::size_t i = 0; i < std::size(ints); ++i)
        EXPECT_EQ(ints[i][0], ints[i][1]) << "row " << i;
    EXPECT_EQ(FlightPlansFolder, "D:\\My Plans"); // the blank survives
    EXPECT_EQ(FlyoverWptChgDist, 2.25);
    EXPECT_EQ(min_map_range, 2.5);
    EXPECT_EQ(ParkingFile, "gates.txt");
    EXPECT_EQ(WeightUnit, "KGS");
    EXPECT_EQ(WptChgDist, 0.8); // orvex.cfg takes any value above 0.0
    EXPECT_EQ(WptChgSecs, 12.5);
    EXPECT_EQ(WptProcChgDist, 1.75);
    EXPECT_EQ(WptProcChgSecs, 8.0);
    EXPECT_EQ(ClimbMach, 0.74);
    EXPECT_EQ(CruiseMach, 0.78);
    EXPECT_EQ(DescentMach, 0.76);
}

TEST(ModuleConfig, keysAreCaseInsensitiveAndBlanksAroundTheEqualsSignHideTheKey) {
    TempFolder sim;
    load_config_text(sim, "transalt=12000\r\n"
                          "MINMAPRANGE=5\r\n"
                          "TcasVertRange = 3000\r\n"
                          "DispPrevWpt =1\r\n"
                          "; TransAlt=1\r\n"
                          "ParkingFile=gates;2.txt\r\n"
                          "WeightUnit=a=b\r\n"
                          "WptProcChgDist\t=\t4\r\n");
    EXPECT_EQ(TransAlt, 12000);
    EXPECT_EQ(min_map_range, 5.0);
    EXPECT_EQ(TcasVertRange, 140);
    EXPECT_EQ(DispPrevWpt, 0);
    EXPECT_EQ(ParkingFile, "gates;2.txt"); // ';' after the start is part of the value
    EXPECT_EQ(WeightUnit, "A=B");          // only the first '=' splits
    // Tabs are not protected like blanks, so they just separate the tokens.
    EXPECT_EQ(WptProcChgDist, 4.0);
}

TEST(ModuleConfig, conditionalKeysIgnoreValuesOutsideTheirCondition) {
    TempFolder sim;
    load_config_text(sim, "TransAlt\n"
                          "WptChgDist\n"
                          "FlyoverWptChgDist=0.8\n"
                          "TcasVertRange=999\n"
                          "PauseAtDistFromDest=0\n"
                          "PauseAtTod=2\n"
                          "WptChgSecs=-4\n"
                          "MinMapRange=junk\n"
                          "DispPrevWpt=1\n"
                          "DispPrevWpt=0\n");
    EXPECT_EQ(TransAlt, 0);     // a key without a value converts nothing to 0
    EXPECT_EQ(WptChgDist, 3.0); // but this one wants a value above 0
    EXPECT_EQ(FlyoverWptChgDist, 1.5);
    EXPECT_EQ(TcasVertRange, 140);
    EXPECT_EQ(PauseAtDistFromDest, 0);
    EXPECT_EQ(ArmPauseAtDistFromDest, 0);
    EXPECT_EQ(pause_distance, 20);
    EXPECT_EQ(PauseAtTod, 2);
    EXPECT_EQ(ArmPauseAtTod, 0);
    EXPECT_EQ(WptChgSecs, 0.0);
    EXPECT_EQ(min_map_range, 10.0); // a value that is no number keeps the default
    EXPECT_EQ(DispPrevWpt, 0);      // the last of two lines wins
}

TEST(ModuleConfig, anOverLongLineIsCutAndTheNextLineStillApplies) {
    TempFolder sim;
    std::string long_value(5000, '7');
    load_config_text(sim, "FlightPlansFolder=" + long_value + "\nTransAlt=9000\n");
    EXPECT_EQ(FlightPlansFolder.size(), 298u - std::string("FlightPlansFolder=").size());
    EXPECT_EQ(TransAlt, 9000);
}

TEST(ModuleConfig, fileIsFoundWithoutRegardToCaseAndWithAnEmptyHostFolder) {
    TempFolder sim;
    sim.write("Orvex/ORVEX.CFG", "TransAlt=6000\n");
    host_folder.clear(); // "\orvex\orvex.cfg" then starts at the current directory
    load_config();
    EXPECT_EQ(TransAlt, 6000);
}

TEST(HostProbe, threeMarksOfTheNewerHostMakeGeneration10) {
    TempFolder sim;
    sim.write("fsx.exe", "");
    sim.mkdir("simobjects");
    sim.mkdir("Missions");
    host_folder = os::current_directory();
    EXPECT_EQ(host_sim_version, 9);
    load_config();
    EXPECT_EQ(host_sim_version, 10);
}

TEST(HostProbe, marksAreMatchedWithTheirExactCase) {
    TempFolder sim;
    sim.write("fsx.exe", "");
    sim.mkdir("SimObjects");
    sim.mkdir("Missions");
    host_folder = os::current_directory();
    detect_host_simulator();
    EXPECT_EQ(host_sim_version, 9);

    host_folder = os::current_directory() + "\\no such folder";
    detect_host_simulator();
    EXPECT_EQ(host_sim_version, 9);
}

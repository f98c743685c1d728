// Rows in the order orvex.cfg compares them. Most keys are accepted by both
// files with the same effect; FlightPlansFolder and WptChgDist differ per
// file and GPSSynch is the aircraft file's name for synchfplanwithfsgps.
#include "data/config_keys.h"

#include "data/aircraft_settings.h"
#include "data/config_line.h"
#include "data/module_settings.h"

namespace {

enum Files { kModule = 1, kAircraft = 2, kBoth = 3 };

struct KeyRow {
    const char* key;
    int files;
    void (*apply)(const std::string& v);
};

void set_int(int& target, const std::string& v) {
    target = config_int(v);
}

const KeyRow kRows[] = {
    {"AdjustTurnDistforAngle", kBoth, [](const std::string& v) { set_int(AdjustTurnDistforAngle, v); }},
    {"ArmPauseAtTod", kModule, [](const std::string& v) { set_int(ArmPauseAtTod, v); }},
    {"PauseAtTod", kModule,
     [](const std::string& v) {
         PauseAtTod = config_int(v);
         if (PauseAtTod == 1) ArmPauseAtTod = 1;
     }},
    {"DecLatLonDisp", kModule, [](const std::string& v) { DecLatLonDisp = config_int_of_real(v); }},
    {"DispAppPtrnAlts", kBoth, [](const std::string& v) { set_int(DispAppPtrnAlts, v); }},
    {"DispC17SpdTrend", kModule, [](const std::string& v) { set_int(DispC17SpdTrend, v); }},
    {"DispETALocalTime", kModule, [](const std::string& v) { set_int(DispETALocalTime, v); }},
    {"DispPrevWpt", kBoth, [](const std::string& v) { set_int(DispPrevWpt, v); }},
    {"DrawBodArcOnEFS50EHSI", kBoth, [](const std::string& v) { set_int(DrawBodArcOnEFS50EHSI, v); }},
    {"DrawBodArcOnP1000MFD", kBoth, [](const std::string& v) { set_int(DrawBodArcOnP1000MFD, v); }},
    {"DrawTcasWindowOnP1000MFD", kBoth, [](const std::string& v) { set_int(DrawTcasWindowOnP1000MFD, v); }},
    {"EadiDualCue", kBoth, [](const std::string& v) { set_int(EadiDualCue, v); }},
    {"EADIHdgTape", kBoth, [](const std::string& v) { set_int(EADIHdgTape, v); }},
    {"EhsiStaticHdgPointer", kBoth, [](const std::string& v) { set_int(EhsiStaticHdgPointer, v); }},
    {"ExpandEADI", kBoth, [](const std::string& v) { set_int(ExpandEADI, v); }},
    {"ExpandEADILnav", kBoth, [](const std::string& v) { set_int(ExpandEADILnav, v); }},
    {"FlightPlansFolder", kModule, [](const std::string& v) { FlightPlansFolder = v; }},
    {"FlightPlansFolder", kAircraft, [](const std::string& v) { aircraft_flight_plans_folder = v; }},
    {"FlyoverWptChgDist", kBoth,
     [](const std::string& v) {
         if (config_int(v) > 0) FlyoverWptChgDist = config_real(v);
     }},
    {"HdgHoldOnLnavOn", kBoth, [](const std::string& v) { set_int(HdgHoldOnLnavOn, v); }},
    {"LoadFuelonFlightPlanLoad", kModule, [](const std::string& v) { set_int(LoadFuelonFlightPlanLoad, v); }},
    {"Lnav1xAtTod", kModule, [](const std::string& v) { set_int(Lnav1xAtTod, v); }},
    {"LnavOffAtLastWpt", kBoth, [](const std::string& v) { set_int(LnavOffAtLastWpt, v); }},
    {"LnavSetEnRouteFreqs", kBoth, [](const std::string& v) { set_int(LnavSetEnRouteFreqs, v); }},
    {"McuShowActiveRwys", kModule, [](const std::string& v) { set_int(McuShowActiveRwys, v); }},
    {"MFDTextAntiAlias", kBoth, [](const std::string& v) { set_int(MFDTextAntiAlias, v); }},
    {"MinMapRange", kBoth, [](const std::string& v) { min_map_range = config_real(v); }},
    {"ParkingFile", kBoth, [](const std::string& v) { ParkingFile = v; }},
    {"SaveFPLCruiseAlt", kModule, [](const std::string& v) { set_int(SaveFPLCruiseAlt, v); }},
    {"SequenceFPlanWpts", kBoth, [](const std::string& v) { set_int(SequenceFPlanWpts, v); }},
    {"SetDestLoadTowerViewDist", kModule, [](const std::string& v) { set_int(SetDestLoadTowerViewDist, v); }},
    {"SetSpdOffwhenAPMasterSetOff", kBoth,
     [](const std::string& v) { set_int(SetSpdOffwhenAPMasterSetOff, v); }},
    {"SetUTCTimeOnFPLoad", kModule, [](const std::string& v) { set_int(SetUTCTimeOnFPLoad, v); }},
    {"SetWptBaro", kBoth, [](const std::string& v) { set_int(SetWptBaro, v); }},
    {"ShowTodBodIndicators", kBoth, [](const std::string& v) { set_int(ShowTodBodIndicators, v); }},
    {"TcasVertRange", kBoth,
     [](const std::string& v) {
         int feet = config_int(v);
         if (feet >= 1000) TcasVertRange = feet / 100;
     }},
    {"TransAlt", kBoth, [](const std::string& v) { set_int(TransAlt, v); }},
    {"VnavOffAtLastWpt", kBoth, [](const std::string& v) { set_int(VnavOffAtLastWpt, v); }},
    {"VnavOffOnManAltChg", kBoth, [](const std::string& v) { set_int(VnavOffOnManAltChg, v); }},
    {"VnavSetAlts", kBoth, [](const std::string& v) { set_int(VnavSetAlts, v); }},
    {"VnavSetSpd", kBoth, [](const std::string& v) { set_int(VnavSetSpd, v); }},
    {"VnavSetSpdOffOnManSpdChg", kBoth, [](const std::string& v) { set_int(VnavSetSpdOffOnManSpdChg, v); }},
    {"WeightUnit", kBoth, [](const std::string& v) { WeightUnit = to_upper_ascii(v); }},
    {"WptChgDist", kModule,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgDist = d;
     }},
    {"WptChgDist", kAircraft,
     [](const std::string& v) {
         if (config_int(v) > 0) WptChgDist = config_real(v);
     }},
    {"WptChgSecs", kBoth,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgSecs = d;
     }},
    {"WptProcChgDist", kBoth,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgDist = d;
     }},
    {"WptProcChgSecs", kBoth,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgSecs = d;
     }},
    {"ArmPauseAtDistFromDest", kModule, [](const std::string& v) { set_int(ArmPauseAtDistFromDest, v); }},
    {"PauseAtDistFromDest", kModule,
     [](const std::string& v) {
         int nm = config_int(v);
         PauseAtDistFromDest = nm;
         if (nm > 0) {
             pause_distance = nm;
             PauseAtDistFromDest = 1;
             ArmPauseAtDistFromDest = 1;
         }
     }},
    {"SetMCPSpdOnFlightPlanLoad", kModule,
     [](const std::string& v) { set_int(SetMCPSpdOnFlightPlanLoad, v); }},
    {"synchfplanwithfsgps", kBoth, [](const std::string& v) { set_int(synchfplanwithfsgps, v); }},
    {"GPSSynch", kAircraft, [](const std::string& v) { set_int(synchfplanwithfsgps, v); }},
    {"AutoSetLOCFreq", kModule, [](const std::string& v) { set_int(AutoSetLOCFreq, v); }},
    {"LnavOnNavLock", kBoth, [](const std::string& v) { set_int(LnavOnNavLock, v); }},
    {"DisplayLnavStatusOnMD11ND", kBoth, [](const std::string& v) { set_int(DisplayLnavStatusOnMD11ND, v); }},
    {"DisplayVnavStatusOnMD11ND", kBoth, [](const std::string& v) { set_int(DisplayVnavStatusOnMD11ND, v); }},
    {"DisplayMagVarOnGnsxlsNavPage", kModule,
     [](const std::string& v) { set_int(DisplayMagVarOnGnsxlsNavPage, v); }},
    {"ClimbMach", kBoth, [](const std::string& v) { ClimbMach = config_real(v); }},
    {"CruiseMach", kBoth, [](const std::string& v) { CruiseMach = config_real(v); }},
    {"DescentMach", kBoth, [](const std::string& v) { DescentMach = config_real(v); }},
};

} // namespace

bool apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value) {
    const int mask = file == ConfigFile::Module ? kModule : kAircraft;
    bool matched = false;
    for (const KeyRow& row : kRows) {
        if (!(row.files & mask) || !equals_ignoring_case(key, row.key)) continue;
        row.apply(value);
        matched = true;
    }
    return matched;
}

// Rows in the order orvex.cfg compares them. Most keys are accepted by both
// files with the same effect; FlightPlansFolder and WptChgDist differ per
// file and GPSSynch is the aircraft file's name for synchfplanwithfsgps.
#include "data/config_keys.h"

#include "data/aircraft_settings.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"

namespace {

enum Files { kModule = 1, kAircraft = 2, kBoth = 3 };

struct KeyRow {
    const char* key;
    int files;
    ValueKind kind;
    void (*apply)(const std::string& v);
};

void set_int(int& target, const std::string& v) {
    target = config_int(v);
}

const KeyRow kRows[] = {
    {"AdjustTurnDistforAngle", kBoth, kWhole,
     [](const std::string& v) { set_int(AdjustTurnDistforAngle, v); }},
    {"ArmPauseAtTod", kModule, kWhole, [](const std::string& v) { set_int(ArmPauseAtTod, v); }},
    {"PauseAtTod", kModule, kWhole,
     [](const std::string& v) {
         PauseAtTod = config_int(v);
         if (PauseAtTod == 1) ArmPauseAtTod = 1;
     }},
    {"DecLatLonDisp", kModule, real(0.0, 9.0),
     [](const std::string& v) { DecLatLonDisp = config_int_of_real(v); }},
    {"DispAppPtrnAlts", kBoth, kWhole, [](const std::string& v) { set_int(DispAppPtrnAlts, v); }},
    {"DispC17SpdTrend", kModule, kWhole, [](const std::string& v) { set_int(DispC17SpdTrend, v); }},
    {"DispETALocalTime", kModule, kWhole, [](const std::string& v) { set_int(DispETALocalTime, v); }},
    {"DispPrevWpt", kBoth, kWhole, [](const std::string& v) { set_int(DispPrevWpt, v); }},
    {"DrawBodArcOnEFS50EHSI", kBoth, kWhole, [](const std::string& v) { set_int(DrawBodArcOnEFS50EHSI, v); }},
    {"DrawBodArcOnP1000MFD", kBoth, kWhole, [](const std::string& v) { set_int(DrawBodArcOnP1000MFD, v); }},
    {"DrawTcasWindowOnP1000MFD", kBoth, kWhole,
     [](const std::string& v) { set_int(DrawTcasWindowOnP1000MFD, v); }},
    {"EadiDualCue", kBoth, kWhole, [](const std::string& v) { set_int(EadiDualCue, v); }},
    {"EADIHdgTape", kBoth, kWhole, [](const std::string& v) { set_int(EADIHdgTape, v); }},
    {"EhsiStaticHdgPointer", kBoth, kWhole, [](const std::string& v) { set_int(EhsiStaticHdgPointer, v); }},
    {"ExpandEADI", kBoth, kWhole, [](const std::string& v) { set_int(ExpandEADI, v); }},
    {"ExpandEADILnav", kBoth, kWhole, [](const std::string& v) { set_int(ExpandEADILnav, v); }},
    {"FlightPlansFolder", kModule, kText, [](const std::string& v) { FlightPlansFolder = v; }},
    {"FlightPlansFolder", kAircraft, kText, [](const std::string& v) { aircraft_flight_plans_folder = v; }},
    {"FlyoverWptChgDist", kBoth, real(0.0, 100.0),
     [](const std::string& v) {
         if (config_int(v) > 0) FlyoverWptChgDist = config_real(v);
     }},
    {"HdgHoldOnLnavOn", kBoth, kWhole, [](const std::string& v) { set_int(HdgHoldOnLnavOn, v); }},
    {"LoadFuelonFlightPlanLoad", kModule, kWhole,
     [](const std::string& v) { set_int(LoadFuelonFlightPlanLoad, v); }},
    {"Lnav1xAtTod", kModule, kWhole, [](const std::string& v) { set_int(Lnav1xAtTod, v); }},
    {"LnavOffAtLastWpt", kBoth, kWhole, [](const std::string& v) { set_int(LnavOffAtLastWpt, v); }},
    {"LnavSetEnRouteFreqs", kBoth, kWhole, [](const std::string& v) { set_int(LnavSetEnRouteFreqs, v); }},
    {"McuShowActiveRwys", kModule, kWhole, [](const std::string& v) { set_int(McuShowActiveRwys, v); }},
    {"MFDTextAntiAlias", kBoth, kWhole, [](const std::string& v) { set_int(MFDTextAntiAlias, v); }},
    {"MinMapRange", kBoth, real(0.0, 1000.0), [](const std::string& v) { min_map_range = config_real(v); }},
    {"ParkingFile", kBoth, kText, [](const std::string& v) { ParkingFile = v; }},
    {"SaveFPLCruiseAlt", kModule, kWhole, [](const std::string& v) { set_int(SaveFPLCruiseAlt, v); }},
    {"SequenceFPlanWpts", kBoth, kWhole, [](const std::string& v) { set_int(SequenceFPlanWpts, v); }},
    {"SetDestLoadTowerViewDist", kModule, kWhole,
     [](const std::string& v) { set_int(SetDestLoadTowerViewDist, v); }},
    {"SetSpdOffwhenAPMasterSetOff", kBoth, kWhole,
     [](const std::string& v) { set_int(SetSpdOffwhenAPMasterSetOff, v); }},
    {"SetUTCTimeOnFPLoad", kModule, kWhole, [](const std::string& v) { set_int(SetUTCTimeOnFPLoad, v); }},
    {"SetWptBaro", kBoth, kWhole, [](const std::string& v) { set_int(SetWptBaro, v); }},
    {"ShowTodBodIndicators", kBoth, kWhole, [](const std::string& v) { set_int(ShowTodBodIndicators, v); }},
    {"TcasVertRange", kBoth, kWhole,
     [](const std::string& v) {
         int feet = config_int(v);
         if (feet >= 1000) TcasVertRange = feet / 100;
     }},
    {"TransAlt", kBoth, kWhole, [](const std::string& v) { set_int(TransAlt, v); }},
    {"VnavOffAtLastWpt", kBoth, kWhole, [](const std::string& v) { set_int(VnavOffAtLastWpt, v); }},
    {"VnavOffOnManAltChg", kBoth, kWhole, [](const std::string& v) { set_int(VnavOffOnManAltChg, v); }},
    {"VnavSetAlts", kBoth, kWhole, [](const std::string& v) { set_int(VnavSetAlts, v); }},
    {"VnavSetSpd", kBoth, kWhole, [](const std::string& v) { set_int(VnavSetSpd, v); }},
    {"VnavSetSpdOffOnManSpdChg", kBoth, kWhole,
     [](const std::string& v) { set_int(VnavSetSpdOffOnManSpdChg, v); }},
    {"WeightUnit", kBoth, kText, [](const std::string& v) { WeightUnit = to_upper_ascii(v); }},
    {"WptChgDist", kModule, real(0.0, 100.0),
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgDist = d;
     }},
    {"WptChgDist", kAircraft, real(0.0, 100.0),
     [](const std::string& v) {
         if (config_int(v) > 0) WptChgDist = config_real(v);
     }},
    {"WptChgSecs", kBoth, real(0.0, 3600.0),
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgSecs = d;
     }},
    {"WptProcChgDist", kBoth, real(0.0, 100.0),
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgDist = d;
     }},
    {"WptProcChgSecs", kBoth, real(0.0, 3600.0),
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgSecs = d;
     }},
    {"ArmPauseAtDistFromDest", kModule, kWhole,
     [](const std::string& v) { set_int(ArmPauseAtDistFromDest, v); }},
    {"PauseAtDistFromDest", kModule, kWhole,
     [](const std::string& v) {
         int nm = config_int(v);
         PauseAtDistFromDest = nm;
         if (nm > 0) {
             pause_distance = nm;
             PauseAtDistFromDest = 1;
             ArmPauseAtDistFromDest = 1;
         }
     }},
    {"SetMCPSpdOnFlightPlanLoad", kModule, kWhole,
     [](const std::string& v) { set_int(SetMCPSpdOnFlightPlanLoad, v); }},
    {"synchfplanwithfsgps", kBoth, kWhole, [](const std::string& v) { set_int(synchfplanwithfsgps, v); }},
    {"GPSSynch", kAircraft, kWhole, [](const std::string& v) { set_int(synchfplanwithfsgps, v); }},
    {"AutoSetLOCFreq", kModule, kWhole, [](const std::string& v) { set_int(AutoSetLOCFreq, v); }},
    {"LnavOnNavLock", kBoth, kWhole, [](const std::string& v) { set_int(LnavOnNavLock, v); }},
    {"DisplayLnavStatusOnMD11ND", kBoth, kWhole,
     [](const std::string& v) { set_int(DisplayLnavStatusOnMD11ND, v); }},
    {"DisplayVnavStatusOnMD11ND", kBoth, kWhole,
     [](const std::string& v) { set_int(DisplayVnavStatusOnMD11ND, v); }},
    {"DisplayMagVarOnGnsxlsNavPage", kModule, kWhole,
     [](const std::string& v) { set_int(DisplayMagVarOnGnsxlsNavPage, v); }},
    {"ClimbMach", kBoth, real(0.0, 0.999), [](const std::string& v) { ClimbMach = config_real(v); }},
    {"CruiseMach", kBoth, real(0.0, 0.999), [](const std::string& v) { CruiseMach = config_real(v); }},
    {"DescentMach", kBoth, real(0.0, 0.999), [](const std::string& v) { DescentMach = config_real(v); }},
};

} // namespace

void note_setting(FileLineCheck& check, const ConfigLine& line, const SettingResult& result) {
    if (!result.matched)
        check.skip("unknown key " + line.key);
    else if (!result.fault.empty())
        check.skip(line.key + "=" + line.value + ": " + result.fault);
    else
        check.use();
}

SettingResult apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value) {
    const int mask = file == ConfigFile::Module ? kModule : kAircraft;
    SettingResult result;
    for (const KeyRow& row : kRows) {
        if (!(row.files & mask) || !equals_ignoring_case(key, row.key)) continue;
        result.matched = true;
        result.fault = value_fault(value, row.kind);
        if (result.fault.empty()) row.apply(value);
    }
    return result;
}

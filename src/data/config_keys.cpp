// Rows in the order orvex.cfg compares them. Most keys are accepted by both
// files with the same effect; FlightPlansFolder and WptChgDist differ per
// file and GPSSynch is the aircraft file's name for synchfplanwithfsgps.
#include "data/config_keys.h"

#include "data/aircraft_settings.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"

#include <cmath>

namespace {

enum Files { kModule = 1, kAircraft = 2, kBoth = 3 };

struct KeyRow {
    const char* key;
    int files;
    ValueKind kind;
    void (*apply)(const std::string& v);
    ShownSetting shown = {};
};

void set_int(int& target, const std::string& v) {
    target = config_int(v);
}

// What no aircraft has, by what a key stands for.
constexpr ValueKind kAltitude = whole(0.0, 100000.0, "ft");
constexpr ValueKind kChangeDistance = real(0.0, 100.0, "NM");
constexpr ValueKind kChangeSeconds = real(0.0, 3600.0, "s");
// Half the globe's circumference: no distance to a destination is longer.
constexpr ValueKind kDistanceNm = whole(0.0, 10800.0, "NM");
// A Mach number of any aircraft: any finite value from 0 (none).
constexpr ValueKind kMach = real(0.0, INFINITY);

const KeyRow kRows[] = {
    {"AdjustTurnDistforAngle", kBoth, kSwitch,
     [](const std::string& v) { set_int(AdjustTurnDistforAngle, v); }, AdjustTurnDistforAngle},
    {"ArmPauseAtTod", kModule, kSwitch, [](const std::string& v) { set_int(ArmPauseAtTod, v); },
     ArmPauseAtTod},
    {"PauseAtTod", kModule, kSwitch,
     [](const std::string& v) {
         PauseAtTod = config_int(v);
         if (PauseAtTod == 1) ArmPauseAtTod = 1;
     },
     PauseAtTod},
    {"DecLatLonDisp", kModule, real(0.0, 9.0),
     [](const std::string& v) { DecLatLonDisp = config_int_of_real(v); }, DecLatLonDisp},
    {"DispAppPtrnAlts", kBoth, kSwitch, [](const std::string& v) { set_int(DispAppPtrnAlts, v); },
     DispAppPtrnAlts},
    {"DispC17SpdTrend", kModule, kSwitch, [](const std::string& v) { set_int(DispC17SpdTrend, v); },
     DispC17SpdTrend},
    {"DispETALocalTime", kModule, kSwitch, [](const std::string& v) { set_int(DispETALocalTime, v); },
     DispETALocalTime},
    {"DispPrevWpt", kBoth, kSwitch, [](const std::string& v) { set_int(DispPrevWpt, v); }, DispPrevWpt},
    {"DrawBodArcOnEFS50EHSI", kBoth, kSwitch, [](const std::string& v) { set_int(DrawBodArcOnEFS50EHSI, v); },
     DrawBodArcOnEFS50EHSI},
    {"DrawBodArcOnP1000MFD", kBoth, kSwitch, [](const std::string& v) { set_int(DrawBodArcOnP1000MFD, v); },
     DrawBodArcOnP1000MFD},
    {"DrawTcasWindowOnP1000MFD", kBoth, kSwitch,
     [](const std::string& v) { set_int(DrawTcasWindowOnP1000MFD, v); }, DrawTcasWindowOnP1000MFD},
    {"EadiDualCue", kBoth, kSwitch, [](const std::string& v) { set_int(EadiDualCue, v); }, EadiDualCue},
    {"EADIHdgTape", kBoth, kSwitch, [](const std::string& v) { set_int(EADIHdgTape, v); }, EADIHdgTape},
    {"EhsiStaticHdgPointer", kBoth, kSwitch, [](const std::string& v) { set_int(EhsiStaticHdgPointer, v); },
     EhsiStaticHdgPointer},
    {"ExpandEADI", kBoth, kSwitch, [](const std::string& v) { set_int(ExpandEADI, v); }, ExpandEADI},
    {"ExpandEADILnav", kBoth, kSwitch, [](const std::string& v) { set_int(ExpandEADILnav, v); },
     ExpandEADILnav},
    {"FlightPlansFolder", kModule, kText, [](const std::string& v) { FlightPlansFolder = v; }},
    {"FlightPlansFolder", kAircraft, kText, [](const std::string& v) { aircraft_flight_plans_folder = v; }},
    {"FlyoverWptChgDist", kBoth, kChangeDistance,
     [](const std::string& v) {
         if (config_int(v) > 0) FlyoverWptChgDist = config_real(v);
     },
     FlyoverWptChgDist},
    {"HdgHoldOnLnavOn", kBoth, kSwitch, [](const std::string& v) { set_int(HdgHoldOnLnavOn, v); },
     HdgHoldOnLnavOn},
    {"LoadFuelonFlightPlanLoad", kModule, kSwitch,
     [](const std::string& v) { set_int(LoadFuelonFlightPlanLoad, v); }, LoadFuelonFlightPlanLoad},
    {"Lnav1xAtTod", kModule, kSwitch, [](const std::string& v) { set_int(Lnav1xAtTod, v); }, Lnav1xAtTod},
    {"LnavOffAtLastWpt", kBoth, kSwitch, [](const std::string& v) { set_int(LnavOffAtLastWpt, v); },
     LnavOffAtLastWpt},
    {"LnavSetEnRouteFreqs", kBoth, kSwitch, [](const std::string& v) { set_int(LnavSetEnRouteFreqs, v); },
     LnavSetEnRouteFreqs},
    {"McuShowActiveRwys", kModule, kSwitch, [](const std::string& v) { set_int(McuShowActiveRwys, v); },
     McuShowActiveRwys},
    {"MFDTextAntiAlias", kBoth, kSwitch, [](const std::string& v) { set_int(MFDTextAntiAlias, v); },
     MFDTextAntiAlias},
    {"MinMapRange", kBoth, real(0.0, 1000.0, "NM"),
     [](const std::string& v) { min_map_range = config_real(v); }, min_map_range},
    {"ParkingFile", kBoth, kText, [](const std::string& v) { ParkingFile = v; }},
    {"SaveFPLCruiseAlt", kModule, kSwitch, [](const std::string& v) { set_int(SaveFPLCruiseAlt, v); },
     SaveFPLCruiseAlt},
    {"SequenceFPlanWpts", kBoth, kSwitch, [](const std::string& v) { set_int(SequenceFPlanWpts, v); },
     SequenceFPlanWpts},
    {"SetDestLoadTowerViewDist", kModule, kDistanceNm,
     [](const std::string& v) { set_int(SetDestLoadTowerViewDist, v); }, SetDestLoadTowerViewDist},
    {"SetSpdOffwhenAPMasterSetOff", kBoth, kSwitch,
     [](const std::string& v) { set_int(SetSpdOffwhenAPMasterSetOff, v); }, SetSpdOffwhenAPMasterSetOff},
    {"SetUTCTimeOnFPLoad", kModule, kSwitch, [](const std::string& v) { set_int(SetUTCTimeOnFPLoad, v); },
     SetUTCTimeOnFPLoad},
    {"SetWptBaro", kBoth, kSwitch, [](const std::string& v) { set_int(SetWptBaro, v); }, SetWptBaro},
    {"ShowTodBodIndicators", kBoth, kSwitch, [](const std::string& v) { set_int(ShowTodBodIndicators, v); },
     ShowTodBodIndicators},
    // Below 1000 ft the value is not taken.
    {"TcasVertRange",
     kBoth,
     whole(1000.0, 99900.0, "ft"),
     [](const std::string& v) {
         int feet = config_int(v);
         if (feet >= 1000) TcasVertRange = feet / 100;
     },
     {TcasVertRange, 100.0}},
    {"TransAlt", kBoth, kAltitude, [](const std::string& v) { set_int(TransAlt, v); }, TransAlt},
    {"VnavOffAtLastWpt", kBoth, kSwitch, [](const std::string& v) { set_int(VnavOffAtLastWpt, v); },
     VnavOffAtLastWpt},
    {"VnavOffOnManAltChg", kBoth, kSwitch, [](const std::string& v) { set_int(VnavOffOnManAltChg, v); },
     VnavOffOnManAltChg},
    {"VnavSetAlts", kBoth, kSwitch, [](const std::string& v) { set_int(VnavSetAlts, v); }, VnavSetAlts},
    {"VnavSetSpd", kBoth, kSwitch, [](const std::string& v) { set_int(VnavSetSpd, v); }, VnavSetSpd},
    {"VnavSetSpdOffOnManSpdChg", kBoth, kSwitch,
     [](const std::string& v) { set_int(VnavSetSpdOffOnManSpdChg, v); }, VnavSetSpdOffOnManSpdChg},
    {"WeightUnit", kBoth, kText, [](const std::string& v) { WeightUnit = to_upper_ascii(v); }},
    {"WptChgDist", kModule, kChangeDistance,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgDist = d;
     },
     WptChgDist},
    {"WptChgDist", kAircraft, kChangeDistance,
     [](const std::string& v) {
         if (config_int(v) > 0) WptChgDist = config_real(v);
     },
     WptChgDist},
    {"WptChgSecs", kBoth, kChangeSeconds,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptChgSecs = d;
     },
     WptChgSecs},
    {"WptProcChgDist", kBoth, kChangeDistance,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgDist = d;
     },
     WptProcChgDist},
    {"WptProcChgSecs", kBoth, kChangeSeconds,
     [](const std::string& v) {
         double d = config_real(v);
         if (d > 0.0) WptProcChgSecs = d;
     },
     WptProcChgSecs},
    {"ArmPauseAtDistFromDest", kModule, kSwitch,
     [](const std::string& v) { set_int(ArmPauseAtDistFromDest, v); }, ArmPauseAtDistFromDest},
    {"PauseAtDistFromDest", kModule, kDistanceNm,
     [](const std::string& v) {
         int nm = config_int(v);
         PauseAtDistFromDest = nm;
         if (nm > 0) {
             pause_distance = nm;
             PauseAtDistFromDest = 1;
             ArmPauseAtDistFromDest = 1;
         }
     },
     PauseAtDistFromDest},
    {"SetMCPSpdOnFlightPlanLoad", kModule, kSwitch,
     [](const std::string& v) { set_int(SetMCPSpdOnFlightPlanLoad, v); }, SetMCPSpdOnFlightPlanLoad},
    {"synchfplanwithfsgps", kBoth, kSwitch, [](const std::string& v) { set_int(synchfplanwithfsgps, v); },
     synchfplanwithfsgps},
    {"GPSSynch", kAircraft, kSwitch, [](const std::string& v) { set_int(synchfplanwithfsgps, v); },
     synchfplanwithfsgps},
    {"AutoSetLOCFreq", kModule, kSwitch, [](const std::string& v) { set_int(AutoSetLOCFreq, v); },
     AutoSetLOCFreq},
    {"LnavOnNavLock", kBoth, kSwitch, [](const std::string& v) { set_int(LnavOnNavLock, v); }, LnavOnNavLock},
    {"DisplayLnavStatusOnMD11ND", kBoth, kSwitch,
     [](const std::string& v) { set_int(DisplayLnavStatusOnMD11ND, v); }, DisplayLnavStatusOnMD11ND},
    {"DisplayVnavStatusOnMD11ND", kBoth, kSwitch,
     [](const std::string& v) { set_int(DisplayVnavStatusOnMD11ND, v); }, DisplayVnavStatusOnMD11ND},
    {"DisplayMagVarOnGnsxlsNavPage", kModule, kSwitch,
     [](const std::string& v) { set_int(DisplayMagVarOnGnsxlsNavPage, v); }, DisplayMagVarOnGnsxlsNavPage},
    {"ClimbMach", kBoth, kMach, [](const std::string& v) { ClimbMach = config_real(v); }, ClimbMach},
    {"CruiseMach", kBoth, kMach, [](const std::string& v) { CruiseMach = config_real(v); }, CruiseMach},
    {"DescentMach", kBoth, kMach, [](const std::string& v) { DescentMach = config_real(v); }, DescentMach},
};

} // namespace

SettingResult judge_setting(const std::string& value, const ValueKind& kind, const ShownSetting& shown,
                            void (*apply)(const std::string&)) {
    SettingResult result;
    result.matched = true;
    result.fit = value_fit(value, kind);
    if (result.fit.verdict == ValueFit::Fits) {
        apply(value);
    } else if (result.fit.verdict == ValueFit::Outside) {
        if (kind.taken != nullptr) {
            apply(value);
            result.used = kind.taken;
        } else {
            result.used = shown.text() + " kept";
        }
    }
    return result;
}

void note_setting(FileLineCheck& check, const ConfigLine& line, const SettingResult& result) {
    if (!result.matched) {
        check.skip("unknown key " + line.key);
    } else if (result.fit.verdict == ValueFit::NoNumber) {
        check.skip(line.key + "=" + line.value + ": " + result.fit.why);
    } else {
        check.use();
        if (result.fit.verdict == ValueFit::Outside)
            check.value(line.key + "=" + line.value + " " + result.fit.why + ", " + result.used);
    }
}

SettingResult apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value) {
    const int mask = file == ConfigFile::Module ? kModule : kAircraft;
    SettingResult result;
    for (const KeyRow& row : kRows) {
        if (!(row.files & mask) || !equals_ignoring_case(key, row.key)) continue;
        result = judge_setting(value, row.kind, row.shown, row.apply);
    }
    // Weights are shown in kilograms at "KGS" and in pounds at any other text.
    if (result.matched && equals_ignoring_case(key, "WeightUnit") && WeightUnit != "LBS" &&
        WeightUnit != "KGS") {
        // Field by field: GCC 12 at -O3 takes a braced temporary's text for unset.
        result.fit.verdict = ValueFit::Outside;
        result.fit.why = "neither LBS nor KGS";
        result.used = "taken, weights shown in pounds";
    }
    return result;
}

SettingKinds shared_setting_kinds(ConfigFile file) {
    const int mask = file == ConfigFile::Module ? kModule : kAircraft;
    SettingKinds kinds;
    for (const KeyRow& row : kRows)
        if (row.files & mask) kinds.emplace_back(row.key, row.kind);
    return kinds;
}

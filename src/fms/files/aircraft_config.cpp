#include "fms/files/aircraft_config.h"

#include "data/aircraft_settings.h"
#include "data/config_keys.h"
#include "data/config_line.h"
#include "data/display_settings.h"
#include "data/load_warnings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/performance_tables.h"
#include "data/pfd_settings.h"
#include "data/reader_checks.h"
#include "fms/math/air_data.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/holds.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cstdio>

namespace {

// Both files are read through 200-byte buffers.
constexpr std::size_t kMaxLine = 199;
// Some 150 keys and 99 bindings: a file of more lines is no aircraft file.
constexpr int kMaxConfigFileLines = 10000;

// Characters from..to of a token, cut at its end.
std::string part(const std::string& token, std::size_t from, std::size_t to) {
    if (from >= token.size()) return {};
    return token.substr(from, std::min(to, token.size() - 1) - from + 1);
}

int truncated_ias(double tas) {
    return saturate_to_whole(tas_to_ias(tas, 15000.0));
}

struct AircraftKey {
    const char* key;
    ValueKind kind;
    void (*apply)(const std::string& v);
    ShownSetting shown = {};
};

// What no aircraft has, by what a key stands for. No aircraft flies below
// 1 kt; 0 stands for "none" where a key has that.
constexpr ValueKind kIas = real(1.0, 999.0, "kt");
constexpr ValueKind kTas = real(1.0, 2000.0, "kt"); // Mach 2 and more at 15000 ft
constexpr ValueKind kSpeedOrNone = real(0.0, 999.0, "kt");
constexpr ValueKind kWholeSpeedOrNone = whole(0.0, 999.0, "kt");
constexpr ValueKind kRate = real(1.0, 20000.0, "ft/min");
constexpr ValueKind kRateOrNone = real(0.0, 20000.0, "ft/min");
constexpr ValueKind kAltitudeOrNone = real(0.0, 100000.0, "ft");
constexpr ValueKind kFlapDegrees = whole(0.0, 90.0, "degrees");

const AircraftKey kAircraftKeys[] = {
    {"ClimbIas", kIas, [](const std::string& v) { climb_speed_target = config_int_of_real(v); },
     climb_speed_target},
    {"ClimbTas", kTas,
     [](const std::string& v) {
         climb_tas_target = config_real(v);
         climb_speed_target = truncated_ias(climb_tas_target);
     },
     climb_tas_target},
    {"CruiseIas", kIas,
     [](const std::string& v) {
         cruise_speed_target = cruise_speed_base = cruise_speed_default = config_int_of_real(v);
     },
     cruise_speed_target},
    // Kept as its IAS at 15000 ft.
    {"CruiseTas", kTas, [](const std::string& v) { cruise_speed_target = truncated_ias(config_real(v)); }},
    {"DescentIas", kIas,
     [](const std::string& v) {
         descent_speed_target = best_hold_ias = descent_speed_base = descent_speed_default =
             config_int_of_real(v);
     },
     descent_speed_target},
    {"DescentTas", kTas,
     [](const std::string& v) {
         descent_tas_target = config_real(v);
         descent_speed_target = descent_speed_base = descent_speed_default =
             truncated_ias(descent_tas_target);
     },
     descent_tas_target},
    {"BestHoldIas", kIas, [](const std::string& v) { best_hold_ias = config_int_of_real(v); }, best_hold_ias},
    {"ClimbIasMin", kIas, [](const std::string& v) { ClimbIasMin = config_real(v); }, ClimbIasMin},
    {"ClimbIasMax", kIas, [](const std::string& v) { ClimbIasMax = config_real(v); }, ClimbIasMax},
    {"CruiseIasMin", kIas, [](const std::string& v) { CruiseIasMin = config_real(v); }, CruiseIasMin},
    {"CruiseIasMax", kIas, [](const std::string& v) { CruiseIasMax = config_real(v); }, CruiseIasMax},
    {"DescentIasMin", kIas, [](const std::string& v) { DescentIasMin = config_real(v); }, DescentIasMin},
    {"DescentIasMax", kIas, [](const std::string& v) { DescentIasMax = config_real(v); }, DescentIasMax},
    {"ClimbRate", kRate, [](const std::string& v) { ClimbRate = config_int_of_real(v); }, ClimbRate},
    {"DescentRate", kRate, [](const std::string& v) { DescentRate = config_real(v); }, DescentRate},
    {"ClbAltRest", kAltitudeOrNone, [](const std::string& v) { ClbAltRest = config_real(v); }, ClbAltRest},
    {"ClbSpdRest", kSpeedOrNone, [](const std::string& v) { ClbSpdRest = config_real(v); }, ClbSpdRest},
    {"DescAltRest", kAltitudeOrNone, [](const std::string& v) { DescAltRest = config_real(v); }, DescAltRest},
    {"DescSpdRest", kSpeedOrNone, [](const std::string& v) { DescSpdRest = config_real(v); }, DescSpdRest},
    // -1 is none.
    {"CostIndex", whole(-1.0, 9999.0), [](const std::string& v) { cost_index = config_int(v); }, cost_index},
    {"MaxCruise", whole(1000.0, 100000.0, "ft"), [](const std::string& v) { MaxCruise = config_int(v); },
     MaxCruise},
    {"MaxVnavClimbRate", kRate, [](const std::string& v) { MaxVnavClimbRate = config_real(v); },
     MaxVnavClimbRate},
    {"MinVnavClimbRate", kRateOrNone, [](const std::string& v) { MinVnavClimbRate = config_real(v); },
     MinVnavClimbRate},
    {"MaxVnavDescRate", kRate, [](const std::string& v) { MaxVnavDescRate = config_real(v); },
     MaxVnavDescRate},
    {"MinVnavDescRate", kRateOrNone, [](const std::string& v) { MinVnavDescRate = config_real(v); },
     MinVnavDescRate},
    {"MinVnavClimbIas", kIas, [](const std::string& v) { MinVnavClimbIas = config_real(v); },
     MinVnavClimbIas},
    {"MinVnavIas", kIas, [](const std::string& v) { MinVnavIas = config_real(v); }, MinVnavIas},
    {"MinVnavRadioAlt", kAltitudeOrNone, [](const std::string& v) { MinVnavRadioAlt = config_real(v); },
     MinVnavRadioAlt},
    {"FPA", real(-45.0, 45.0, "degrees"), [](const std::string& v) { FPA = config_real(v); }, FPA},
    {"VnavSetMachCruiseSpd", kSwitch, [](const std::string& v) { VnavSetMachCruiseSpd = config_int(v); },
     VnavSetMachCruiseSpd},
    {"VnavSetSpdRestDist", whole(0.0, 10800.0, "NM"),
     [](const std::string& v) {
         int nm = config_int(v);
         if (nm > 0) VnavSetSpdRestDist = nm;
     },
     VnavSetSpdRestDist},
    {"HoldLegMins", real(0.0, 60.0, "min"),
     [](const std::string& v) {
         HoldLegMins = config_real(v);
         if (HoldLegMins == 0.0) HoldLegMins = 1.0;
         hold_list.slot(1).leg_time = HoldLegMins;
     },
     HoldLegMins},
    // Thrust in pounds, kept in thousands (26300 gives 26).
    {"EngThrust",
     whole(0.0, 500000.0, "lb"),
     [](const std::string& v) { EngThrust = config_int(v) / 1000; },
     {EngThrust, 1000.0}},
    {"TOFLAPS", kFlapDegrees, [](const std::string& v) { TOFLAPS = config_int(v); }, TOFLAPS},
    {"LDGFLAPS", kFlapDegrees, [](const std::string& v) { LDGFLAPS = config_int(v); }, LDGFLAPS},
    {"V1", kWholeSpeedOrNone, [](const std::string& v) { V1 = config_int(v); }, V1},
    {"VR", kWholeSpeedOrNone, [](const std::string& v) { VR = config_int(v); }, VR},
    {"V2", kWholeSpeedOrNone, [](const std::string& v) { V2 = config_int(v); }, V2},
    {"VREF", kWholeSpeedOrNone, [](const std::string& v) { VREF = config_int(v); }, VREF},
    {"VREFMIN", kWholeSpeedOrNone, [](const std::string& v) { VREFMIN = config_int(v); }, VREFMIN},
    {"VREFMID", kWholeSpeedOrNone, [](const std::string& v) { VREFMID = config_int(v); }, VREFMID},
    {"VREFMAX", kWholeSpeedOrNone, [](const std::string& v) { VREFMAX = config_int(v); }, VREFMAX},
    {"APPRFLAPSMIN", kText, [](const std::string& v) { APPRFLAPSMIN = v; }},
    {"APPRFLAPSMID", kText, [](const std::string& v) { APPRFLAPSMID = v; }},
    {"APPRFLAPSMAX", kText, [](const std::string& v) { APPRFLAPSMAX = v; }},
    {"TOFLAPSRANGE", kText, [](const std::string& v) { TOFLAPSRANGE = "," + v + ","; }},
    // A mode outside its display's is reset after the file (clamp_display_modes).
    {"EFS50HsiMode", whole(1.0, 7.0, "", "reset to 1"),
     [](const std::string& v) { efs50_ehsi_mode = config_int(v); }},
    {"EFS50NavMode", whole(1.0, 2.0, "", "reset to 1"),
     [](const std::string& v) { efs50_nav_source = config_int(v); }},
    {"DU1000EHSIMode", whole(0.0, 3.0, "", "reset to 0"),
     [](const std::string& v) { du_1000_ehsi_mode = config_int(v); }},
    {"HWB737NDMode", whole(1.0, 7.0, "", "reset to 1"),
     [](const std::string& v) { hw_b737_nd_mode = config_int(v); }},
    {"HWMD11NDMode", whole(2.0, 5.0, "", "reset to 1"),
     [](const std::string& v) { hw_md11_nd_mode = config_int(v); }},
    {"MD80EHSIMode", whole(0.0, 3.0, "", "reset to 0"),
     [](const std::string& v) { md80_ehsi_mode = config_int(v); }},
    {"PROLINE4MFDMode", whole(0.0, 3.0, "", "reset to 0"),
     [](const std::string& v) { proline4_mfd_mode = config_int(v); }},
    {"ModelId", kText, [](const std::string& v) { ModelId = v; }},
    {"EngId", kText, [](const std::string& v) { EngId = v; }},
    {"PerformanceData", kText, [](const std::string& v) { PerformanceData = v; }},
    {"DU1000Style", kText, [](const std::string& v) { DU1000Style = to_upper_ascii(v); }},
    {"ResetApHdg", kSwitch, [](const std::string& v) { ResetApHdg = config_int(v); }},
    {"DispFPV", kSwitch, [](const std::string& v) { DispFPV = config_int(v); }},
    {"ShowFloatingTodBodIndicators", kSwitch,
     [](const std::string& v) { ShowFloatingTodBodIndicators = config_int(v); }},
    {"SetMCPCrzAltOnFlightPlanLoad", kSwitch,
     [](const std::string& v) { SetMCPCrzAltOnFlightPlanLoad = config_int(v); }},
};

// "<display><part>Color<Red|Green|Blue>" sets one channel of a display colour.
struct ColourKey {
    const char* stem; // display prefix and part
    int* rgb;
};

const ColourKey kColourKeys[] = {
    {"A320EADIBkgrd", a320_eadi_background_rgb},
    {"A320EADITape", a320_eadi_tape_rgb},
    {"A320EADISky", a320_eadi_sky_rgb},
    {"A320EADIGrnd", a320_eadi_ground_rgb},
    {"B777PFDBkgrd", b777_pfd_background_rgb},
    {"B777PFDTape", b777_pfd_tape_rgb},
    {"B777PFDSky", b777_pfd_sky_rgb},
    {"B777PFDGrnd", b777_pfd_ground_rgb},
    {"C17MfdBkgrd", c17_mfd_background_rgb},
    {"C17MfdSky", c17_mfd_sky_rgb},
    {"C17MfdGrnd", c17_mfd_ground_rgb},
    {"HWB737NDBkgrd", hw_b737_nd_background_rgb},
    {"HWMD11NDBkgrd", hw_md11_nd_background_rgb},
    {"P1000MFDBkgrd", p1000_mfd_background_rgb},
    {"EFS50EHSIBkgrd", efs50_ehsi_background_rgb},
    {"DU1000EHSIBkgrd", du_1000_ehsi_background_rgb},
    {"PROLINE4MFDBkgrd", proline4_mfd_background_rgb},
    {"MD80EHSIBkgrd", md80_ehsi_background_rgb},
};

// A colour channel from 0 to 255; the painters draw any other by its low
// 8 bits.
constexpr ValueKind kChannel = whole(0.0, 255.0, "", "taken, drawn by its low 8 bits");

SettingResult apply_colour_key(const std::string& key, const std::string& value) {
    static const char* const kChannels[] = {"Red", "Green", "Blue"};
    SettingResult result;
    for (const ColourKey& colour : kColourKeys)
        for (int channel = 0; channel < 3; ++channel)
            if (equals_ignoring_case(key, std::string(colour.stem) + "Color" + kChannels[channel])) {
                int& target = colour.rgb[channel];
                result = judge_setting(value, kChannel, target, [](const std::string&) {});
                if (result.fit.verdict != ValueFit::NoNumber) target = config_int(value);
            }
    return result;
}

SettingResult apply_aircraft_key(const std::string& key, const std::string& value) {
    SettingResult result = apply_shared_setting(ConfigFile::Aircraft, key, value);
    for (const AircraftKey& row : kAircraftKeys)
        if (equals_ignoring_case(key, row.key)) result = judge_setting(value, row.kind, row.shown, row.apply);
    if (!result.matched) result = apply_colour_key(key, value);
    return result;
}

void read_aircraft_file() {
    const std::string path = host_folder + "\\orvex\\Aircraft\\" + aircraft_parameter + ".cfg";
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        if (!aircraft_parameter.empty()) record_missing_file(path);
        return;
    }
    bool in_lvars = false;
    FileLineCheck check{path};
    LineReader reader(file, kMaxLine, kMaxConfigFileLines);
    std::string line;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        if (!line.empty() && line[0] == ';') continue;
        ConfigLine kv = split_config_line(line);
        if (kv.key.empty()) continue;
        if (equals_ignoring_case(kv.key, "[Lvars]")) {
            in_lvars = true;
            check.use();
        } else if (equals_ignoring_case(kv.key, "[EndLvars]")) {
            in_lvars = false;
            check.use();
        } else if (in_lvars) {
            const int bound = lvar_bindings.count();
            if (parse_lvar_binding_line(line)) {
                check.use();
                const std::string& setting = lvar_bindings[lvar_bindings.count()].setting_name;
                if (lvar_bindings.count() > bound && !lvar_setting_known(setting))
                    check.value("binding setting \"" + setting +
                                "\" none a binding acts on, kept, acts on nothing");
            } else
                check.skip("no variable name");
        } else {
            note_setting(check, kv, apply_aircraft_key(kv.key, kv.value));
        }
    }
    check.finish(reader);
    std::fclose(file);
    check.report("their settings keep their defaults");
}

void clamp_display_modes() {
    if (efs50_ehsi_mode < kEfs50EhsiModeHsi || efs50_ehsi_mode > kEfs50EhsiModeArcWxOff)
        efs50_ehsi_mode = kEfs50EhsiModeHsi;
    if (efs50_nav_source < kEfs50NavSourceVor || efs50_nav_source > kEfs50NavSourceFms)
        efs50_nav_source = kEfs50NavSourceVor;
    if (du_1000_ehsi_mode < kEhsiModeCompass || du_1000_ehsi_mode > kEhsiModeMap)
        du_1000_ehsi_mode = kEhsiModeCompass;
    if (hw_b737_nd_mode < kB737NdModeCompass || hw_b737_nd_mode > kB737NdModePlan)
        hw_b737_nd_mode = kB737NdModeCompass;
    if (hw_md11_nd_mode < kMd11NdModePlan || hw_md11_nd_mode > kMd11NdModeApp)
        hw_md11_nd_mode = kMd11NdModeNone;
    if (md80_ehsi_mode < kEhsiModeCompass || md80_ehsi_mode > kEhsiModeMap) md80_ehsi_mode = kEhsiModeCompass;
    if (proline4_mfd_mode < kProline4ModeNav || proline4_mfd_mode > kProline4ModeMap)
        proline4_mfd_mode = kProline4ModeNav;
}

} // namespace

SettingKinds aircraft_setting_kinds() {
    SettingKinds kinds = shared_setting_kinds(ConfigFile::Aircraft);
    for (const AircraftKey& row : kAircraftKeys)
        kinds.emplace_back(row.key, row.kind);
    for (const ColourKey& colour : kColourKeys)
        for (const char* channel : {"Red", "Green", "Blue"})
            kinds.emplace_back(std::string(colour.stem) + "Color" + channel, kChannel);
    return kinds;
}

bool read_airac_line(std::FILE* navs) {
    std::string line;
    while (read_line(navs, line, kMaxLine)) {
        std::vector<std::string> t = scan_tokens(line, 7);
        if (t.empty() || !equals_ignoring_case(t[0], ";AIRAC")) continue;
        t.resize(7);
        airac_cycle_text = "AIRAC " + t[3];
        // Built from fixed character positions of the date tokens; short
        // tokens cannot give a period, so the previous one stays.
        const std::string& from = t[4];
        const std::string& to = t[6];
        if (from.size() >= 4 && to.size() >= 9)
            airac_period_text =
                part(from, 4, 6) + part(from, 1, 2) + part(to, 3, 5) + part(to, 0, 1) + "/" + part(to, 9, 10);
        return true;
    }
    return false;
}

void load_aircraft_config() {
    if (std::FILE* navs = os::open_file(host_folder + "\\orvex\\Navdata\\navs.txt", "r")) {
        read_airac_line(navs);
        std::fclose(navs);
    }

    // A new aircraft brings its own bindings; appending to an earlier
    // aircraft's list would keep stale ones and fill the table.
    lvar_bindings.clear();
    read_aircraft_file();

    clamp_display_modes();
    climb_mach_min = ias_to_mach(ClimbIasMin, 15000.0);
    cruise_mach_min = ias_to_mach(CruiseIasMin, 15000.0);
    descent_mach_min = ias_to_mach(DescentIasMin, 15000.0);
    climb_mach_max = ias_to_mach(ClimbIasMax, 15000.0);
    cruise_mach_max = ias_to_mach(CruiseIasMax, 15000.0);
    descent_mach_max = ias_to_mach(DescentIasMax, 15000.0);
    if (!PerformanceData.empty()) load_performance_data();
    // What another aircraft's cost index gave says nothing about this one's.
    climb_speed_by_cost_index = cruise_speed_by_cost_index = descent_speed_by_cost_index = -1;
    apply_cost_index();
    CruiseMach = 0.0;
    DescentMach = 0.0;
    climb_tas_target = ias_to_tas(climb_speed_target, 15000.0);
    descent_tas_target = ias_to_tas(descent_speed_target, 15000.0);
    climb_speed_base = climb_speed_default = climb_speed_target;
    cruise_speed_base = cruise_speed_default = cruise_speed_target;
    descent_speed_base = descent_speed_default = descent_speed_target;
}

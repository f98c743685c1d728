// Guards the example's configuration files, performance tables, parking file
// and flight plans: known keys in their documented forms, and plans that agree
// with the navigation database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "examples/example_files.h"

using namespace example;

namespace {

// clang-format off
const std::set<std::string> kModuleKeys = {
    "AdjustTurnDistforAngle", "ArmPauseAtTod", "PauseAtTod", "DecLatLonDisp", "DispAppPtrnAlts",
    "DispC17SpdTrend", "DispETALocalTime", "DispPrevWpt", "DrawBodArcOnEFS50EHSI", "DrawBodArcOnP1000MFD",
    "DrawTcasWindowOnP1000MFD", "EadiDualCue", "EADIHdgTape", "EhsiStaticHdgPointer", "ExpandEADI",
    "ExpandEADILnav", "FlightPlansFolder", "FlyoverWptChgDist", "HdgHoldOnLnavOn",
    "LoadFuelonFlightPlanLoad", "Lnav1xAtTod", "LnavOffAtLastWpt", "LnavSetEnRouteFreqs",
    "McuShowActiveRwys", "MFDTextAntiAlias", "MinMapRange", "ParkingFile", "SaveFPLCruiseAlt",
    "SequenceFPlanWpts", "SetDestLoadTowerViewDist", "SetSpdOffwhenAPMasterSetOff", "SetUTCTimeOnFPLoad",
    "SetWptBaro", "ShowTodBodIndicators", "TcasVertRange", "TransAlt", "VnavOffAtLastWpt",
    "VnavOffOnManAltChg", "VnavSetAlts", "VnavSetSpd", "VnavSetSpdOffOnManSpdChg", "WeightUnit",
    "WptChgDist", "WptChgSecs", "WptProcChgDist", "WptProcChgSecs", "ArmPauseAtDistFromDest",
    "PauseAtDistFromDest", "SetMCPSpdOnFlightPlanLoad", "synchfplanwithfsgps", "AutoSetLOCFreq",
    "LnavOnNavLock", "DisplayLnavStatusOnMD11ND", "DisplayVnavStatusOnMD11ND",
    "DisplayMagVarOnGnsxlsNavPage", "ClimbMach", "CruiseMach", "DescentMach"};

const std::set<std::string> kSharedAircraftKeys = {
    "AdjustTurnDistforAngle", "ClimbMach", "CruiseMach", "DescentMach", "DispAppPtrnAlts", "DispPrevWpt",
    "DisplayLnavStatusOnMD11ND", "DisplayVnavStatusOnMD11ND", "DrawBodArcOnEFS50EHSI",
    "DrawBodArcOnP1000MFD", "DrawTcasWindowOnP1000MFD", "EadiDualCue", "EADIHdgTape", "EhsiStaticHdgPointer",
    "ExpandEADI", "ExpandEADILnav", "FlyoverWptChgDist", "HdgHoldOnLnavOn", "LnavOffAtLastWpt",
    "LnavOnNavLock", "LnavSetEnRouteFreqs", "MFDTextAntiAlias", "MinMapRange", "ParkingFile",
    "SequenceFPlanWpts", "SetSpdOffwhenAPMasterSetOff", "SetWptBaro", "ShowTodBodIndicators",
    "synchfplanwithfsgps", "TcasVertRange", "TransAlt", "VnavOffAtLastWpt", "VnavOffOnManAltChg",
    "VnavSetAlts", "VnavSetSpd", "VnavSetSpdOffOnManSpdChg", "WeightUnit", "WptChgSecs", "WptProcChgDist",
    "WptProcChgSecs", "FlightPlansFolder", "WptChgDist", "GPSSynch"};

const std::set<std::string> kAircraftKeys = {
    "ClimbIas", "ClimbTas", "CruiseIas", "CruiseTas", "DescentIas", "DescentTas", "BestHoldIas",
    "ClimbIasMin", "ClimbIasMax", "CruiseIasMin", "CruiseIasMax", "DescentIasMin", "DescentIasMax",
    "ClimbRate", "DescentRate", "ClbAltRest", "ClbSpdRest", "DescAltRest", "DescSpdRest", "CostIndex",
    "MaxCruise", "MaxVnavClimbRate", "MinVnavClimbRate", "MaxVnavDescRate", "MinVnavDescRate",
    "MinVnavClimbIas", "MinVnavIas", "MinVnavRadioAlt", "FPA", "VnavSetMachCruiseSpd", "VnavSetSpdRestDist",
    "HoldLegMins", "EngThrust", "TOFLAPS", "LDGFLAPS", "V1", "VR", "V2", "VREF", "VREFMIN", "VREFMID",
    "VREFMAX", "APPRFLAPSMIN", "APPRFLAPSMID", "APPRFLAPSMAX", "TOFLAPSRANGE", "EFS50HsiMode",
    "EFS50NavMode", "DU1000EHSIMode", "HWB737NDMode", "HWMD11NDMode", "MD80EHSIMode", "PROLINE4MFDMode",
    "ModelId", "EngId", "PerformanceData", "DU1000Style", "ResetApHdg", "DispFPV",
    "ShowFloatingTodBodIndicators", "SetMCPCrzAltOnFlightPlanLoad"};

// Keys whose values are texts; every other key takes a number.
const std::set<std::string> kTextKeys = {
    "FlightPlansFolder", "ParkingFile", "WeightUnit", "ModelId", "EngId", "PerformanceData", "DU1000Style",
    "TOFLAPSRANGE", "APPRFLAPSMIN", "APPRFLAPSMID", "APPRFLAPSMAX"};

// clang-format on

bool is_colour_key(const std::string& key) {
    const std::map<std::string, std::vector<std::string>> parts = {
        {"A320EADI", {"Bkgrd", "Tape", "Sky", "Grnd"}},
        {"B777PFD", {"Bkgrd", "Tape", "Sky", "Grnd"}},
        {"C17Mfd", {"Bkgrd", "Sky", "Grnd"}},
        {"HWB737ND", {"Bkgrd"}},
        {"HWMD11ND", {"Bkgrd"}},
        {"P1000MFD", {"Bkgrd"}},
        {"EFS50EHSI", {"Bkgrd"}},
        {"DU1000EHSI", {"Bkgrd"}},
        {"PROLINE4MFD", {"Bkgrd"}},
        {"MD80EHSI", {"Bkgrd"}}};
    for (const auto& [display, list] : parts)
        for (const auto& part : list)
            for (const char* channel : {"Red", "Green", "Blue"})
                if (key == display + part + "Color" + channel) return true;
    return false;
}

// Key=Value lines outside any section: the key as written and its value. The
// loaders turn blanks into '*' before splitting, so a blank anywhere in the key
// or around the '=' would hide the key.
std::vector<std::pair<std::string, std::string>> key_lines(const FileText& file, bool stop_at_lvars) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const Line& line : file.lines) {
        if (is_comment(line.text) || line.text.empty()) continue;
        if (stop_at_lvars && line.text == "[Lvars]") break;
        std::size_t eq = line.text.find('=');
        EXPECT_NE(eq, std::string::npos) << line.number << ": " << line.text;
        if (eq == std::string::npos) continue;
        std::string key = line.text.substr(0, eq), value = line.text.substr(eq + 1);
        EXPECT_EQ(tokens(key).size(), 1u) << line.number << ": " << line.text;
        EXPECT_EQ(key.find(' '), std::string::npos) << line.number;
        EXPECT_FALSE(value.empty() || value[0] == ' ') << line.number << ": " << line.text;
        out.push_back({key, value});
    }
    return out;
}

void expect_value_form(const std::string& key, const std::string& value) {
    double number = 0;
    if (kTextKeys.count(key) == 0) {
        EXPECT_TRUE(to_number(value, number)) << key << "=" << value;
    }
}

} // namespace

TEST(ExampleConfig, ModuleFileSetsKnownKeysOnce) {
    ASSERT_EQ(kModuleKeys.size(), 58u);
    FileText file = read_file("orvex.cfg");
    ASSERT_TRUE(file.opened);
    std::set<std::string> seen;
    for (const auto& [key, value] : key_lines(file, false)) {
        EXPECT_EQ(kModuleKeys.count(key), 1u) << "unknown key " << key;
        EXPECT_TRUE(seen.insert(key).second) << key << " twice";
        expect_value_form(key, value);
        // Keys with a threshold: a value outside it would be silently ignored.
        if (key == "TcasVertRange") {
            EXPECT_GE(std::atoi(value.c_str()), 1000);
        }
        if (key == "WptChgDist" || key == "WptProcChgDist") {
            EXPECT_GT(std::atof(value.c_str()), 0.0) << key;
        }
        if (key == "FlyoverWptChgDist") {
            EXPECT_GT(std::atoi(value.c_str()), 0) << key;
        }
    }
    EXPECT_GE(seen.size(), 50u);
}

TEST(ExampleConfig, AircraftFileUsesKnownKeysAndWellFormedBindings) {
    FileText file = read_file("Aircraft/B738.cfg");
    ASSERT_TRUE(file.opened);
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : key_lines(file, true)) {
        bool known = kSharedAircraftKeys.count(key) || kAircraftKeys.count(key) || is_colour_key(key);
        EXPECT_TRUE(known) << "unknown key " << key;
        EXPECT_TRUE(values.emplace(key, value).second) << key << " twice";
        expect_value_form(key, value);
        if (is_colour_key(key)) {
            EXPECT_TRUE(std::atoi(value.c_str()) >= 0 && std::atoi(value.c_str()) <= 255) << key;
        }
    }
    // Display modes inside the ranges that the loader would otherwise reset.
    const std::map<std::string, std::pair<int, int>> modes = {
        {"EFS50HsiMode", {1, 7}},   {"EFS50NavMode", {1, 2}}, {"DU1000EHSIMode", {0, 3}},
        {"HWB737NDMode", {1, 7}},   {"HWMD11NDMode", {2, 5}}, {"MD80EHSIMode", {0, 3}},
        {"PROLINE4MFDMode", {0, 3}}};
    for (const auto& [key, range] : modes) {
        if (!values.count(key)) continue;
        int v = std::atoi(values[key].c_str());
        EXPECT_TRUE(v >= range.first && v <= range.second) << key << "=" << v;
    }
    // The files the aircraft names exist beside it.
    for (const char* key : {"PerformanceData", "ParkingFile"}) {
        ASSERT_EQ(values.count(key), 1u) << key;
        EXPECT_TRUE(std::filesystem::exists(path("Aircraft/" + values[key]))) << values[key];
    }

    // [Lvars]: "name=code, Setting=value[, reset=n | off=n]", 99 at most.
    const std::set<std::string> triggers = {"MapRange",  "NDCompassMode", "NDVorMode",    "NDArcMode",
                                            "NDAppMode", "NDMapMode",     "NDCtrMapMode", "NDPlanMode"};
    const std::set<std::string> followers = {"TcasOn",     "DisplayInts", "DisplayNavs", "DisplayApts",
                                             "Vor1BrgPtr", "Vor2BrgPtr",  "LnavOn"};
    int opened = 0, closed = 0, bindings = 0;
    bool inside = false;
    for (const Line& line : file.lines) {
        if (is_comment(line.text) || line.text.empty()) continue;
        if (line.text == "[Lvars]") {
            ++opened;
            inside = true;
            continue;
        }
        if (line.text == "[EndLvars]") {
            ++closed;
            inside = false;
            continue;
        }
        if (!inside) continue;
        ++bindings;
        auto items = split(line.text, ',');
        ASSERT_TRUE(items.size() == 2 || items.size() == 3) << line.number << ": " << line.text;
        auto first = split(items[0], '=');
        ASSERT_EQ(first.size(), 2u) << line.number;
        EXPECT_GE(first[0].size(), 2u) << line.number; // an item ends at a comma from position 2 on
        EXPECT_NE(first[0].back(), ' ') << line.number;
        ASSERT_TRUE(is_integer(first[1])) << line.number;
        auto second = tokens(items[1]);
        ASSERT_EQ(second.size(), 1u) << line.number;
        auto setting = split(second[0], '=');
        ASSERT_EQ(setting.size(), 2u) << line.number;
        ASSERT_TRUE(is_integer(setting[1])) << line.number;
        // Only triggers with a non-zero code: a variable that no panel writes
        // reads 0 and must leave the displays alone; followers would force it.
        EXPECT_EQ(triggers.count(setting[0]), 1u) << line.number << ": " << setting[0];
        EXPECT_EQ(followers.count(setting[0]), 0u) << line.number;
        EXPECT_NE(std::atoi(first[1].c_str()), 0) << line.number;
        if (setting[0] == "MapRange") {
            EXPECT_GE(std::atoi(setting[1].c_str()), 10) << line.number;
        }
        if (items.size() == 3) {
            auto extra = tokens(items[2]);
            ASSERT_EQ(extra.size(), 1u) << line.number;
            auto kv = split(extra[0], '=');
            ASSERT_EQ(kv.size(), 2u) << line.number;
            EXPECT_TRUE(kv[0] == "reset" || kv[0] == "off") << line.number;
            EXPECT_TRUE(is_integer(kv[1])) << line.number;
        }
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(inside);
    EXPECT_GE(bindings, 1);
    EXPECT_LE(bindings, 99);
}

TEST(ExampleConfig, PerformanceTablesStayWithinTheirLimits) {
    FileText file = read_file("Aircraft/B738_perf.txt");
    ASSERT_TRUE(file.opened);
    std::string section;
    std::map<std::string, int> rows;
    std::map<std::string, double> last_altitude;
    int weights = 0;
    for (const Line& line : file.lines) {
        if (is_comment(line.text) || line.text.empty()) continue;
        auto t = tokens(line.text);
        EXPECT_LE(t.size(), 28u) << line.number;
        if (t[0][0] == '[') {
            ASSERT_EQ(line.text.back(), ']') << line.number;
            auto words = tokens(line.text.substr(1, line.text.size() - 2));
            section = words[0];
            if (section == "GRWT") {
                EXPECT_LE(words.size() - 1, 8u) << "one header takes eight weights";
                for (std::size_t i = 1; i < words.size(); ++i) {
                    double w = 0;
                    EXPECT_TRUE(to_number(words[i], w) && w > 50 && w < 1000) << words[i];
                }
                weights += int(words.size()) - 1;
                section = "CRUISE";
            } else {
                const std::set<std::string> known = {"UNITS", "CLIMB", "DESCENT", "Altitude"};
                EXPECT_EQ(known.count(section), 1u) << section;
            }
            continue;
        }
        ASSERT_FALSE(section.empty()) << "data row before the first header, line " << line.number;
        if (section == "UNITS") {
            EXPECT_TRUE(line.text == "FUEL=LBS" || line.text == "WEIGHT=LBS") << line.text;
            continue;
        }
        for (const auto& token : t) {
            double v = 0;
            EXPECT_TRUE(to_number(token, v) && v >= 0) << line.number << ": " << token;
        }
        ++rows[section];
        double altitude = std::atof(t[0].c_str());
        if (section == "CLIMB") {
            EXPECT_TRUE(t.size() >= 4 && t.size() <= 11) << line.number;
        }
        if (section == "CRUISE") {
            EXPECT_EQ(t.size(), std::size_t(2 + weights)) << line.number;
        }
        if (section == "DESCENT") {
            EXPECT_EQ(t.size(), 4u) << line.number;
        }
        if (section == "Altitude") {
            EXPECT_EQ(t.size(), 2u) << line.number;
        }
        // Climb and cruise rows rise, descent rows fall.
        if (rows[section] > 1 && section != "Altitude") {
            if (section == "DESCENT") {
                EXPECT_LT(altitude, last_altitude[section]) << line.number;
            } else {
                EXPECT_GT(altitude, last_altitude[section]) << line.number;
            }
        }
        last_altitude[section] = altitude;
    }
    EXPECT_LE(weights, 32);
    for (const char* s : {"CLIMB", "CRUISE", "DESCENT", "Altitude"}) {
        EXPECT_GE(rows[s], 1) << s;
        EXPECT_LE(rows[s], 49) << s;
    }
}

TEST(ExampleConfig, ParkingPositionsBelongToKnownAirports) {
    const NavDb& db = navdb();
    int entries = 0;
    for (const Line& line : read_file("Aircraft/B738_parking.txt").lines) {
        if (is_comment(line.text) || line.text.empty()) continue;
        auto t = tokens(line.text);
        ASSERT_EQ(t.size(), 4u) << line.number;
        auto a = db.airports.find(t[0]);
        ASSERT_NE(a, db.airports.end()) << t[0];
        double lat = 0, lon = 0, heading = 0;
        ASSERT_TRUE(to_number(t[1], lat) && to_number(t[2], lon) && to_number(t[3], heading)) << t[0];
        EXPECT_LT(distance_nm(lat, lon, a->second.pos.lat, a->second.pos.lon), 2.0) << t[0];
        EXPECT_TRUE(heading >= 0.0 && heading <= 360.0) << t[0];
        ++entries;
    }
    EXPECT_GE(entries, 4);
}

TEST(ExampleConfig, RouteFilesAreAsTheWriterWritesThemAndMatchTheDatabase) {
    const NavDb& db = navdb();
    // Airway memberships, to check that a leg flown "via" an airway joins two
    // of its fixes.
    std::map<std::string, std::vector<std::string>> airways;
    for (const Line& line : read_file("navdata/awys.txt").lines) {
        auto t = tokens(line.text);
        if (!is_comment(line.text) && t.size() == 5) airways[t[0]].push_back(t[2]);
    }
    std::set<std::string> star_labels; // "TRANSITION.STAR" of the star file
    for (const Line& line : read_file("navdata/stars.txt").lines) {
        auto t = tokens(line.text);
        if (!t.empty() && t[0].find('.') != std::string::npos) star_labels.insert(t[0]);
    }
    std::set<std::string> approaches; // "name_runway" of the approach file
    for (const Line& line : read_file("navdata/apps.txt").lines) {
        auto t = tokens(line.text);
        if (t.size() >= 10 && !is_comment(line.text)) approaches.insert(t[1] + "_" + t[0]);
    }
    const std::set<std::string> keys = {"CruiseAlt", "ApproachInfo", "TripFuel", "ResvFuel", "Fuel"};

    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path("flightplans"))) {
        std::string name = entry.path().filename().string();
        if (name.size() < 4 || name.substr(name.size() - 4) != ".RTE") continue;
        ++files;
        FileText file = read_file("flightplans/" + name);
        EXPECT_TRUE(file.crlf) << name << " should end its lines as Windows does";
        bool in_plan = false;
        std::vector<std::vector<std::string>> waypoints;
        for (const Line& line : file.lines) {
            if (line.text.empty()) continue;
            auto t = tokens(line.text);
            if (!in_plan) {
                if (t[0] == "[FlightPlan]") {
                    in_plan = true;
                    continue;
                }
                auto kv = split(line.text, '=');
                ASSERT_EQ(kv.size(), 2u) << name << ":" << line.number;
                EXPECT_EQ(keys.count(kv[0]), 1u) << name << ": key " << kv[0];
                if (kv[0] == "ApproachInfo") {
                    EXPECT_EQ(approaches.count(kv[1]), 1u) << name << ": " << kv[1];
                } else {
                    EXPECT_TRUE(is_integer(kv[1])) << name << ": " << line.text;
                }
                continue;
            }
            ASSERT_TRUE(t.size() >= 5 && t.size() <= 7) << name << ":" << line.number;
            double lat = 0, lon = 0;
            ASSERT_TRUE(to_number(t[1], lat) && to_number(t[2], lon)) << name << ":" << line.number;
            std::string airway = t.size() > 5 ? t[5] : "";
            std::string kind = t.size() > 6 ? t[6] : "";
            char expected[200];
            std::snprintf(expected, sizeof expected, "%-16s %-2.5f  %-3.5f  %-3s %-6s %-7s %s", t[0].c_str(),
                          lat, lon, t[3].c_str(), t[4].c_str(), airway.c_str(), kind.c_str());
            EXPECT_EQ(line.text, expected) << name << ":" << line.number;
            waypoints.push_back(t);

            const std::string &ident = t[0], &type = t[3], &frequency = t[4];
            Position pos;
            if (type == "APT") {
                auto a = db.airports.find(ident);
                ASSERT_NE(a, db.airports.end()) << name << ": " << ident;
                pos = a->second.pos;
                EXPECT_EQ(frequency, "---");
            } else if (type == "VOR" || type == "NDB") {
                auto n = db.navaids.find(ident);
                ASSERT_NE(n, db.navaids.end()) << name << ": " << ident;
                EXPECT_EQ(n->second.type, type) << name << ": " << ident;
                EXPECT_EQ(n->second.frequency, frequency) << name << ": " << ident;
                pos = n->second.pos;
            } else {
                EXPECT_TRUE(type == "INT" || type == "WPT") << name << ": " << type;
                ASSERT_EQ(db.intersections.count(ident), 1u) << name << ": " << ident;
                pos = db.intersections.at(ident);
                EXPECT_EQ(frequency, "---");
            }
            EXPECT_LT(distance_nm(lat, lon, pos.lat, pos.lon), 0.01) << name << ": " << ident;
            if (airway.empty()) continue;
            if (kind.empty()) {
                // An airway leg: this fix and the one before lie on the airway.
                ASSERT_EQ(airways.count(airway), 1u) << name << ": " << airway;
                const auto& fixes = airways[airway];
                ASSERT_GE(waypoints.size(), 2u);
                for (const std::string& f : {waypoints[waypoints.size() - 2][0], ident})
                    EXPECT_NE(std::find(fixes.begin(), fixes.end(), f), fixes.end()) << name << ": " << f;
            } else {
                EXPECT_EQ(kind, "STAR") << name;
                EXPECT_EQ(star_labels.count(airway), 1u) << name << ": " << airway;
            }
        }
        ASSERT_GE(waypoints.size(), 2u) << name;
        EXPECT_LE(waypoints.size(), 201u) << name;
        EXPECT_EQ(waypoints.front()[3], "APT") << name;
        EXPECT_EQ(waypoints.back()[3], "APT") << name;
    }
    EXPECT_GE(files, 2);
}

TEST(ExampleConfig, SimulatorPlanWaypointsMatchTheDatabase) {
    const NavDb& db = navdb();
    FileText file = read_file("flightplans/KSEAKYKM.PLN");
    ASSERT_TRUE(file.opened);
    EXPECT_TRUE(file.crlf);
    ASSERT_FALSE(file.lines.empty());
    EXPECT_EQ(file.lines[0].text, "[flightplan]");
    // "N47* 26.94'" style: hemisphere, degrees, '*', blank, minutes with hundredths.
    auto parse = [](const std::string& text, double& value) {
        std::string s = text;
        while (!s.empty() && s[0] == ' ')
            s.erase(0, 1);
        if (s.size() < 8 || s.back() != '\'') return false;
        std::size_t star = s.find("* ");
        if (star == std::string::npos) return false;
        double degrees = 0, minutes = 0;
        if (!to_number(s.substr(1, star - 1), degrees)) return false;
        std::string m = s.substr(star + 2, s.size() - star - 3);
        if (m.size() != 5 || m[2] != '.' || !to_number(m, minutes) || minutes >= 60.0) return false;
        value = degrees + minutes / 60.0;
        if (s[0] == 'S' || s[0] == 'W') value = -value;
        return s[0] == 'N' || s[0] == 'S' || s[0] == 'E' || s[0] == 'W';
    };
    std::string departure;
    std::vector<std::string> idents;
    for (const Line& line : file.lines) {
        if (line.text.rfind("departure_id=", 0) == 0) departure = line.text.substr(13, 4);
        if (line.text.rfind("waypoint.", 0) != 0) continue;
        std::string expected_key = "waypoint." + std::to_string(idents.size()) + "=";
        ASSERT_EQ(line.text.rfind(expected_key, 0), 0u) << line.text;
        auto f = split(line.text.substr(expected_key.size()), ',');
        ASSERT_GE(f.size(), 8u) << line.text;
        auto ident = tokens(f[1]);
        ASSERT_EQ(ident.size(), 1u) << line.text;
        EXPECT_EQ(tokens(f[3]), ident) << line.text;
        idents.push_back(ident[0]);
        double lat = 0, lon = 0;
        ASSERT_TRUE(parse(f[5], lat) && parse(f[6], lon)) << line.text;
        std::string type = tokens(f[4]).empty() ? "" : tokens(f[4])[0];
        Position pos;
        if (type == "A") {
            ASSERT_EQ(db.airports.count(ident[0]), 1u) << ident[0];
            pos = db.airports.at(ident[0]).pos;
        } else if (type == "V" || type == "N") {
            ASSERT_EQ(db.navaids.count(ident[0]), 1u) << ident[0];
            EXPECT_EQ(db.navaids.at(ident[0]).type, type == "V" ? "VOR" : "NDB") << ident[0];
            pos = db.navaids.at(ident[0]).pos;
        } else {
            EXPECT_EQ(type, "I") << ident[0];
            ASSERT_EQ(db.intersections.count(ident[0]), 1u) << ident[0];
            pos = db.intersections.at(ident[0]);
        }
        // Hundredths of a minute: well inside a tenth of a mile.
        EXPECT_LT(distance_nm(lat, lon, pos.lat, pos.lon), 0.02) << ident[0];
    }
    ASSERT_GE(idents.size(), 3u);
    EXPECT_EQ(departure, idents.front());
    EXPECT_EQ(db.airports.count(idents.back()), 1u);
}

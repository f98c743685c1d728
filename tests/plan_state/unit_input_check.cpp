#include "unit_input_check.h"

#include "fms/files/route_file_load.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/mcu_unit_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

// How often the rules met what they check.
struct {
    int gns_open_by_others = 0, holds_entered = 0, open_airways = 0, routes_saved = 0, lists_kept = 0;
    int entries_kept = 0;
} met;

// The units that show a candidate list the pilot picks from: the script
// lines that are their keys, while which page the list is open, and what the
// list is made from on the unit itself (the MCU's typed text): a list made
// anew from another source is the unit's own.
struct ListUnit {
    const char* name;
    PlanUnit unit;
    std::vector<const char*> keys;
    bool (*open)();
    std::string (*source)();
};
const ListUnit kListUnits[] = {
    {"SMITHS SELECT WAYPOINT",
     PlanUnit::Smiths,
     {"cdu "},
     [] { return smiths_cdu_page == kPageSelectWaypoint; },
     [] { return std::string(); }},
    {"GNS DATABASE WPT",
     PlanUnit::Gns,
     {"gns "},
     [] { return gns_state == GNS_DATABASE_WPT; },
     [] { return std::string(); }},
    // Typed text still to be looked up makes the list anew.
    {"MCU DIRTO",
     PlanUnit::Mcu,
     {"mcu ", "keyboard "},
     [] { return mcu_mode == MCU_DIRTO && mcu_entry_text == mcu_dirto_filter_text; },
     [] { return mcu_dirto_filter_text; }},
};

bool own_key(const std::string& line, const std::vector<const char*>& keys) {
    for (const char* key : keys)
        if (line.rfind(key, 0) == 0) return true;
    return false;
}

// The units whose typed text only their own keys change: the script lines
// that are their keys (the keyboard types on the MCU), the text, whether a
// key of the unit waits to act on it (an MCU ENTER or route load that the
// MCU's next pass takes, emptying the entry or putting the route's name in),
// and the endings of what that waiting key may leave there (its route load's
// message).
struct EntryUnit {
    const char* name;
    std::vector<const char*> keys;
    std::string (*entry)();
    bool (*acting)();
    std::vector<const char*> own_texts;
};
const EntryUnit kEntryUnits[] = {
    {"SMITHS scratchpad", {"cdu "}, [] { return smiths_scratchpad; }, [] { return false; }, {}},
    {"MCU entry",
     {"mcu ", "keyboard "},
     [] { return mcu_entry_text; },
     [] { return mcu_enter_pressed == 1 || route_file_request == kRouteFileRequestMcu; },
     {" WPTS NOT LOADED", "ROUTE LINES SKIPPED", "ROUTE FILE NOT LOADED", "NO WAYPOINT IN FILE",
      "Unable to load FP"}},
};

bool ends_with_one_of(const std::string& text, const std::vector<const char*>& endings) {
    for (const std::string ending : endings)
        if (text.size() >= ending.size() &&
            text.compare(text.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    return false;
}

// What may stand at 0N 0E without being a fix there: a discontinuity, a
// destination or GNS origin still to be entered; in a plan being edited also
// an airway waiting for its exit and the GNS list's end mark.
const std::set<std::string> kFlownAtZero = {"DISCO", "", "---"};
const std::set<std::string> kEditedAtZero = {"DISCO", "", "---", "THEN", "******"};

struct DatabaseFix {
    std::string ident;
    double lat = 0.0, lon = 0.0;
};

// The example database's fixes, navaids and airports, read here: the
// identifier, then the first two numbers that make a position.
const std::vector<DatabaseFix>& database() {
    static const std::vector<DatabaseFix> fixes = [] {
        std::vector<DatabaseFix> out;
        for (const char* file : {"navs.txt", "ints.txt", "apts.txt"}) {
            std::ifstream in(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata/" + file);
            for (std::string line; std::getline(in, line);) {
                if (line.empty() || line[0] == ';') continue;
                std::istringstream words(line);
                DatabaseFix f;
                std::vector<double> numbers;
                std::string w;
                if (!(words >> f.ident)) continue;
                while (words >> w && numbers.size() < 2) {
                    char* end = nullptr;
                    const double v = std::strtod(w.c_str(), &end);
                    if (end != w.c_str() && *end == '\0' && w.find('.') != std::string::npos)
                        numbers.push_back(v);
                    else
                        numbers.clear();
                }
                if (numbers.size() == 2) {
                    f.lat = numbers[0];
                    f.lon = numbers[1];
                    out.push_back(f);
                }
            }
        }
        return out;
    }();
    return fixes;
}

bool database_fix_at_zero(const std::string& ident) {
    for (const DatabaseFix& f : database())
        if (f.ident == ident && f.lat == 0.0 && f.lon == 0.0) return true;
    return false;
}

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::string any_ident(std::mt19937& random) {
    const std::vector<DatabaseFix>& fixes = database();
    return fixes[static_cast<std::size_t>(between(random, 0, static_cast<int>(fixes.size()) - 1))].ident;
}

// A GNS field opened (or not), then the letters of two identifiers typed
// on the GNS and the SMITHS by turns, a key at a time, then each unit's
// key that takes its entry.
std::string typed_on_two_units(std::mt19937& random) {
    const char* const opens[] = {"gns GNSXLS FPL L2\n", "gns GNSXLS FPL L3\n", "gns GNSXLS DIRECT\n", ""};
    std::string text = opens[between(random, 0, 3)];
    const std::string gns = any_ident(random), cdu = any_ident(random);
    for (std::size_t k = 0; k < std::max(gns.size(), cdu.size()); ++k) {
        if (k < gns.size() && std::isalpha(static_cast<unsigned char>(gns[k])))
            text += std::string("gns GNSXLS ") + gns[k] + "\n";
        if (k < cdu.size() && std::isalpha(static_cast<unsigned char>(cdu[k])))
            text += std::string("cdu SMITHS_FMS ") + cdu[k] + "\n";
    }
    if (between(random, 0, 1) == 0) text += "gns GNSXLS ENT\n";
    if (between(random, 0, 1) == 0) text += "cdu SMITHS_FMS L" + std::to_string(between(random, 1, 5)) + "\n";
    return text + "frames 2";
}

// With a hold ahead of the TO: in flight half a mile short of its fix, on
// the course of the leg flown, LNAV on. Without one: a hold made ahead.
std::string past_a_hold_ahead(std::mt19937& random) {
    const int to = to_waypoint_index;
    const int fix = hold_count() > 0 ? hold_list[1].active_index() : 0;
    if (to == kNoToWaypoint || to < 1 || to > active_plan_last || fix <= to) {
        const std::string row = std::to_string(between(random, 2, 5));
        return between(random, 0, 1) == 0 ? "cdu SMITHS_FMS HOLD L" + row + " L6\ncdu SMITHS_FMS EXEC"
                                          : "gns GNSXLS FPL L" + row + "\ngns GNSXLS HOLD\nframes 2";
    }
    const RouteWaypoint& a = active_plan[to - 1];
    const RouteWaypoint& b = active_plan[to];
    const RouteWaypoint& h = active_plan[fix];
    double distance = 0.0, course = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &distance, &course);
    if (!std::isfinite(course) || distance < 1.0 || (a.lat == 0.0 && a.lon == 0.0) ||
        (b.lat == 0.0 && b.lon == 0.0) || (h.lat == 0.0 && h.lon == 0.0))
        return "frames 5";
    double lat = 0.0, lon = 0.0;
    gc_destination_point(h.lat, h.lon, course + 180.0, 0.5, &lat, &lon);
    char text[300];
    std::snprintf(text, sizeof text,
                  "aircraft altitude 8000\naircraft speed 250\naircraft position %.5f %.5f\n"
                  "aircraft heading %.0f\naircraft ap on\naircraft ap hdg on\nframes 18\n%sframes %d",
                  lat, lon, std::fmod(course + 360.0, 360.0), lnav_engaged == 1 ? "" : "mcu MCU LNAV\n",
                  between(random, 20, 120));
    return text;
}

// An airway typed on a route row and the next row's fix typed without its
// exit, often activated and executed; or the flown route saved.
std::string airway_left_open(std::mt19937& random) {
    const char* const airways[] = {"V23", "J1", "J70", "V4", "V2", "J90"};
    const int row = between(random, 2, 4);
    const std::string exit = any_ident(random);
    const char* const airway = airways[between(random, 0, 5)];
    std::string text = std::string("cdu SMITHS_FMS RTE NEXT \"") + airway + "\" L" + std::to_string(row) +
                       "\ncdu SMITHS_FMS \"" + exit + "\" R" + std::to_string(row + 1);
    if (between(random, 0, 3) > 0) text += "\ncdu SMITHS_FMS R6\ncdu SMITHS_FMS EXEC";
    return text;
}

// A list opened on one unit (DATABASE WPT, DIRTO), then a fix looked up on
// another (FIX, DATABASE WPT, DIRTO).
std::string lookups_on_two_units(std::mt19937& random) {
    const int row = between(random, 2, 4);
    const std::string on_gns = any_ident(random);
    const std::string on_mcu = any_ident(random);
    const std::string on_smiths = any_ident(random);
    const std::string opens[] = {"gns GNSXLS FPL L" + std::to_string(row) + "\ngns GNSXLS \"" + on_gns +
                                     "\" ENT\nframes 1",
                                 "mcu MCU DIRTO ENTRY\nkeyboard type \"" + on_mcu + "\"\nframes 2",
                                 "cdu SMITHS_FMS FIX \"" + on_smiths + "\" L1\nframes 1"};
    const int first = between(random, 0, 2);
    const int second = (first + between(random, 1, 2)) % 3;
    return opens[first] + "\n" + opens[second];
}

// A route saved under one of three names; the fourth draw looks fixes up
// on two units instead.
std::string route_saved(std::mt19937& random) {
    const int name = between(random, 1, 4);
    if (name == 4) return lookups_on_two_units(random);
    return "cdu SMITHS_FMS INIT_REF L6 \"HUNT" + std::to_string(name) + "\" R6";
}

bool starts(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

std::string trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::map<std::string, std::string> route_files(const std::string& sim_folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& f : std::filesystem::recursive_directory_iterator(sim_folder, error)) {
        const std::string name = lower(f.path().filename().string());
        // The simulator plan's import writes temp.rte on its own.
        if (!f.is_regular_file() || name.size() < 4 || name.substr(name.size() - 4) != ".rte" ||
            name == "temp.rte")
            continue;
        std::ifstream in(f.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        files[f.path().string()] = text.str();
    }
    return files;
}

bool zero(double lat, double lon) {
    return lat == 0.0 && lon == 0.0;
}

std::string five(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
}

// The example database's approach names by airport. A saved approach is
// its name, "_" and the arrival runway chosen, which may be another runway
// of the airport (a STAR's): the name alone says whose it is.
const std::map<std::string, std::set<std::string>>& approaches() {
    static const std::map<std::string, std::set<std::string>> table = [] {
        std::map<std::string, std::set<std::string>> out;
        std::ifstream in(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata/apps.txt");
        std::string airport;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::string runway, name;
            if (!(words >> runway) || runway[0] == ';') continue;
            if (runway[0] == '[')
                airport = runway.substr(1, runway.find(']') - 1);
            else if (words >> name)
                out[airport].insert(name);
        }
        return out;
    }();
    return table;
}

// A saved route read back by the module's own reader (into the preview plan,
// which only the folder's listing uses) is the flown plan again, entry by
// entry: identifier, position as written, airway and procedure kind, gap.
void reloaded_route_faults(const std::string& path, std::vector<std::string>& faults) {
    const int cruise = plan_cruise_altitude;
    const double fuel = plan_fuel_on_board;
    load_route_preview(std::filesystem::path(path).filename().string());
    plan_cruise_altitude = cruise;
    plan_fuel_on_board = fuel;
    // A gap's position is the next fix's or none: only its being a gap counts.
    const auto shown = [](const RouteWaypoint& w) {
        if (w.marker == EntryKind::Gap || w.marker == EntryKind::PlacedGap) return w.ident + " gap";
        return w.ident + " " + five(w.lat) + " " + five(w.lon) + " " + w.via + " " +
               (w.via.empty() ? "" : w.kind);
    };
    if (preview_plan_last != active_plan_last)
        faults.push_back(path + " reloads to " + std::to_string(preview_plan_last + 1) +
                         " entries of the plan's " + std::to_string(active_plan_last + 1));
    for (int i = 0; i <= std::min(preview_plan_last, active_plan_last); ++i)
        if (shown(preview_plan[i]) != shown(active_plan[i])) {
            faults.push_back(path + " reloads entry " + std::to_string(i) + " as " + shown(preview_plan[i]) +
                             ": the plan holds " + shown(active_plan[i]));
            return;
        }
}

// A saved route against the flown plan: its waypoint lines one by one, and
// an approach named only of the airport the plan ends at.
void saved_route_faults(const std::string& path, const std::string& text, std::vector<std::string>& faults) {
    std::istringstream in(text);
    bool section = false;
    std::string approach;
    int i = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string ident, lat, lon;
        if (!(words >> ident) || ident[0] == ';') continue;
        if (!section) {
            section = lower(ident) == "[flightplan]";
            if (lower(ident).rfind("approachinfo=", 0) == 0) approach = ident.substr(13);
            continue;
        }
        words >> lat >> lon;
        // The format writes a blank inside an identifier as a no-break space.
        std::replace(ident.begin(), ident.end(), '\xA0', ' ');
        const std::string where = path + " line of " + ident;
        if (std::strtod(lat.c_str(), nullptr) == 0.0 && std::strtod(lon.c_str(), nullptr) == 0.0 &&
            ident != "DISCO" && !database_fix_at_zero(ident))
            faults.push_back(where + ": at 0N 0E");
        if (i > active_plan_last) {
            faults.push_back(where + ": past the saved plan's end");
            return;
        }
        const RouteWaypoint& w = active_plan[i++];
        if (ident != w.ident || lat != five(w.lat) || lon != five(w.lon))
            faults.push_back(where + " " + lat + " " + lon + ": the plan holds " + w.ident + " " +
                             five(w.lat) + " " + five(w.lon));
    }
    if (i != active_plan_last + 1)
        faults.push_back(path + ": " + std::to_string(i) + " waypoints of the plan's " +
                         std::to_string(active_plan_last + 1));
    reloaded_route_faults(path, faults);
    if (approach.empty()) return;
    const std::string destination = active_plan_last >= 1 ? active_plan[active_plan_last].ident : "";
    const auto own = approaches().find(destination);
    if (own == approaches().end() || !own->second.count(approach.substr(0, approach.rfind('_'))))
        faults.push_back(path + ": names approach " + approach + ", none of " + destination);
}

// A unit's candidates as the pilot reads them: ident and position each.
std::string list_text(PlanUnit unit) {
    const auto& records = unit_candidates(unit).records;
    std::string text = std::to_string(records.count()) + ":";
    for (int i = 1; i <= records.count(); ++i)
        text += " " + records[i].ident + " " + five(records[i].latitude) + " " + five(records[i].longitude);
    return text;
}

void zero_position_faults(const RoutePlan& plan, int last, const std::set<std::string>& allowed,
                          const char* name, std::vector<std::string>& faults) {
    for (int i = 0; i <= last; ++i)
        if (zero(plan[i].lat, plan[i].lon) && !allowed.count(plan[i].ident) &&
            !database_fix_at_zero(plan[i].ident))
            faults.push_back(std::string(name) + "[" + std::to_string(i) + "] " + plan[i].ident +
                             " at 0N 0E");
}

} // namespace

std::string unit_input_step(std::mt19937& random) {
    switch (between(random, 0, 4)) {
    case 0:
    case 1:
        return typed_on_two_units(random);
    case 2:
        return past_a_hold_ahead(random);
    case 3:
        return airway_left_open(random);
    default:
        return route_saved(random);
    }
}

UnitInputSeen see_unit_input(const std::string& sim_folder) {
    UnitInputSeen s;
    s.gns_pad = trimmed(gns_scratchpad);
    s.gns_open = gns_entry_active == 1;
    s.gns_fresh = gns_entry_fresh == 1;
    for (const EntryUnit& u : kEntryUnits)
        s.entries.emplace_back(u.entry(), u.acting());
    const int pick = smiths_hold_at_leg;
    s.hold_at_id = pick >= 1 && pick <= working_plan_last ? working_plan[pick].id : 0;
    s.holding = holding_active;
    s.saved = route_files(sim_folder);
    for (const ListUnit& u : kListUnits)
        s.open_lists.push_back(u.open() ? u.source() + " | " + list_text(u.unit) : "");
    return s;
}

std::vector<std::string> unit_input_faults(const UnitInputSeen& before, const std::string& line,
                                           const std::string& sim_folder) {
    std::vector<std::string> faults;
    // Keys reach only their unit: another unit's step types into neither the
    // GNS field, the SMITHS scratchpad nor the MCU entry, and leaves the fix
    // the SMITHS picked to hold at while that fix is in the plan.
    const std::string gns = trimmed(gns_scratchpad);
    const auto grew = [](const std::string& was, const std::string& now) {
        return now.size() > was.size() && now.compare(0, was.size(), was) == 0;
    };
    met.gns_open_by_others += !starts(line, "gns ") && before.gns_open;
    if (!starts(line, "gns ") && before.gns_open && gns_entry_active == 1 &&
        ((before.gns_fresh && gns_entry_fresh == 0) || (!before.gns_fresh && grew(before.gns_pad, gns))))
        faults.push_back("\"" + line + "\" typed into the GNS field: " + before.gns_pad + " became " + gns);
    // Nor does another unit's step empty or replace what a unit typed, while
    // no key of the unit itself waits to take it.
    for (std::size_t k = 0; k < std::size(kEntryUnits) && k < before.entries.size(); ++k) {
        const EntryUnit& u = kEntryUnits[k];
        if (own_key(line, u.keys)) continue;
        const auto& [was, acting] = before.entries[k];
        const std::string now = u.entry();
        if (grew(was, now) && !(acting && was.empty() && ends_with_one_of(now, u.own_texts))) {
            faults.push_back("\"" + line + "\" typed into the " + u.name + ": " + now);
        } else if (!acting && !was.empty()) {
            ++met.entries_kept;
            if (now != was)
                faults.push_back("\"" + line + "\" changed the " + u.name + ": " + was + " became " + now);
        }
    }
    if (!starts(line, "cdu ") && before.hold_at_id != 0) {
        const int pick = smiths_hold_at_leg;
        bool left = false;
        for (int i = 1; i <= working_plan_last; ++i)
            left = left || working_plan[i].id == before.hold_at_id;
        if (left && !(pick >= 1 && pick <= working_plan_last && working_plan[pick].id == before.hold_at_id))
            faults.push_back("\"" + line + "\" dropped the SMITHS's HOLD AT pick");
    }
    // A hold is entered only at the TO.
    if (before.holding == 0 && holding_active > 0) {
        ++met.holds_entered;
        const int to = to_waypoint_index;
        const bool at_to = hold_count() > 0 && to >= 1 && to <= active_plan_last &&
                           active_plan[to].id == hold_list[1].active_id;
        if (!at_to)
            faults.push_back(
                "a hold at " + (hold_count() > 0 ? hold_list[1].ident : std::string("?")) +
                " was entered with the TO at " +
                (to >= 0 && to <= active_plan_last ? active_plan[to].ident : std::string("none")));
    }
    // A list open before and after another unit's keys is the one it was.
    for (std::size_t k = 0; k < std::size(kListUnits); ++k) {
        const ListUnit& u = kListUnits[k];
        if (own_key(line, u.keys) || before.open_lists.size() <= k || before.open_lists[k].empty() ||
            !u.open())
            continue;
        const std::string now = u.source() + " | " + list_text(u.unit);
        if (before.open_lists[k].rfind(u.source() + " | ", 0) != 0) continue;
        ++met.lists_kept;
        if (now != before.open_lists[k])
            faults.push_back("\"" + line + "\" changed the " + u.name + " list: " + before.open_lists[k] +
                             " became " + now);
    }
    for (int i = 1; i <= working_plan_last; ++i)
        if (working_plan[i].ident == "THEN") {
            ++met.open_airways;
            break;
        }
    zero_position_faults(active_plan, active_plan_last, kFlownAtZero, "active", faults);
    zero_position_faults(working_plan, working_plan_last, kEditedAtZero, "working", faults);
    for (const auto& [path, text] : route_files(sim_folder)) {
        const auto was = before.saved.find(path);
        if (was == before.saved.end() || was->second != text) {
            ++met.routes_saved;
            saved_route_faults(path, text, faults);
        }
    }
    return faults;
}

std::string unit_input_reached() {
    char text[340];
    std::snprintf(text, sizeof text,
                  "steps of another unit with a GNS field open %d, holds entered %d, steps with an airway "
                  "left open %d, routes saved %d, candidate lists kept through another unit's step %d, "
                  "typed entries kept through another unit's step %d",
                  met.gns_open_by_others, met.holds_entered, met.open_airways, met.routes_saved,
                  met.lists_kept, met.entries_kept);
    return text;
}

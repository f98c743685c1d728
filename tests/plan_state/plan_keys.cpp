#include "plan_keys.h"

#include "cdu_keys.h"
#include "cdu_smiths/smiths_key_layout.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/airport_procedures.h"
#include "flown_rule_check.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/update_state.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "gauges/stand_in_hooks.h"
#include "gns_mcu/gns_key_layout.h"
#include "gns_mcu/mcu_key_layout.h"
#include "gns_mcu/mcu_unit_state.h"
#include "keyboard.h"
#include "mcu_keys.h"
#include "pilot_view_check.h"
#include "plan_state_check.h"
#include "script.h"
#include "shared/saved_route_reload.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

constexpr int kCdu = 0;

// Every identifier of the example database, read once: navaids, fixes and
// airports.
const std::vector<std::string>& database_idents() {
    static const std::vector<std::string> idents = [] {
        std::vector<std::string> out;
        for (const char* file : {"navs.txt", "ints.txt", "apts.txt"}) {
            std::ifstream in(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata/" + file);
            for (std::string line; std::getline(in, line);) {
                if (line.empty() || line[0] == ';') continue;
                std::istringstream words(line);
                std::string ident;
                if (words >> ident) out.push_back(ident);
            }
        }
        return out;
    }();
    return idents;
}

// Entries the pages take besides identifiers, and some they must refuse.
const char* const kOtherEntries[] = {
    "34R", "16L",   "10R", "V23",   "J1",   "250/12000", "/5000",      "FL180",   "090",      "2",
    "1.5", "XQZZY", "0",   "99999", "A1B2", "LAVVA2",    "OLM/090/10", "KSEA34R", "KSEAKPDX", "KPDXKSEA"};

bool keys_is_gap(const RouteWaypoint& w) {
    return w.ident == "DISCO" || w.ident == "THEN";
}

const char* const kRoutes[] = {"KSEAKPDX.RTE", "KPDXKSEA.RTE", "KSEAKYKM.PLN"};

std::string pick_entry(std::mt19937& random) {
    const std::vector<std::string>& idents = database_idents();
    std::uniform_int_distribution<int> any(0, 9);
    if (any(random) < 7)
        return idents[std::uniform_int_distribution<std::size_t>(0, idents.size() - 1)(random)];
    return kOtherEntries[std::uniform_int_distribution<std::size_t>(0, std::size(kOtherEntries) - 1)(random)];
}

// Every draw is a statement of its own: two draws in one expression come in
// the order the compiler picks, and a seed would replay other keys under the
// sanitizers' compiler. Where two draws once shared an expression the later
// one is drawn first, so that the seeds found before keep their keys.
template <class T> const T& pick(std::mt19937& random, const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

// The SMITHS keys that move between pages and act, without the letters
// (entries are typed whole).
std::vector<std::string> cdu_keys() {
    std::vector<std::string> keys;
    for (int k = 0; k < kSmithsKeyCount; ++k) {
        const std::string name = smiths_key_boxes.box[k].name;
        if (name.size() > 1 || name == "L" || name == "R") keys.push_back(name);
    }
    for (const char* extra : {"L1", "L2", "L3", "L4", "L5", "L6", "R1", "R2", "R3", "R4", "R5", "R6", "EXEC",
                              "DEL", "CLR", "LEGS", "RTE", "NEXT", "PREV"})
        keys.push_back(extra); // the keys that edit, more often
    return keys;
}

std::vector<std::string> gns_keys() {
    std::vector<std::string> keys;
    for (int k = 0; k < kGnsKeyCount; ++k)
        keys.push_back(gns_key_boxes[static_cast<std::size_t>(k)].name);
    for (const char* extra : {"ENT", "ENT", "L1", "L2", "L3", "L4", "L5", "R1", "R2", "R3", "R4", "R5", "FPL",
                              "DIRECT", "HOLD", "PREV", "NEXT"})
        keys.push_back(extra);
    return keys;
}

std::vector<std::string> mcu_keys() {
    std::vector<std::string> keys;
    for (int k = 0; k < kMcuKeyCount; ++k)
        keys.push_back(mcu_key_boxes[static_cast<std::size_t>(k)].name);
    return keys;
}

// A point just before active entry i on the leg into it, heading along it.
std::string fly_to_entry(std::mt19937& random) {
    if (to_waypoint_index == kNoToWaypoint || active_plan_last < 1) return "frames 5";
    const int i = std::uniform_int_distribution<int>(1, active_plan_last)(random);
    const RouteWaypoint& from = active_plan[i - 1];
    const RouteWaypoint& to = active_plan[i];
    // A leg into or out of a discontinuity is no place to fly.
    if (keys_is_gap(from) || keys_is_gap(to)) return "frames 5";
    const double share = std::uniform_real_distribution<double>(0.8, 1.05)(random);
    const double lat = from.lat + (to.lat - from.lat) * share;
    const double lon = from.lon + (to.lon - from.lon) * share;
    double heading =
        std::atan2((to.lon - from.lon) * std::cos(to.lat * M_PI / 180.0), to.lat - from.lat) * 180.0 / M_PI;
    if (heading < 0.0) heading += 360.0;
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 89.0 || std::fabs(lon) > 179.0)
        return "frames 5";
    char text[200];
    std::snprintf(text, sizeof text, "aircraft position %.5f %.5f\naircraft heading %.0f\nframes %d", lat,
                  lon, std::fmod(heading, 360.0), std::uniform_int_distribution<int>(5, 60)(random));
    return text;
}

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

// The aircraft down on the ground where it is: parked, taxiing or rolling.
std::string on_the_ground(std::mt19937& random) {
    const int speeds[] = {0, 0, 20, 150};
    const int frames = between(random, 5, 40);
    const int speed = speeds[between(random, 0, 3)];
    return "aircraft altitude 433\naircraft speed " + std::to_string(speed) + "\nframes " +
           std::to_string(frames);
}

// In flight somewhere along a leg or past its end, off it by up to 2 NM and
// heading roughly along it, on the autopilot's heading or not, then LNAV
// engaged and the first frames flown one by one.
std::string engage_lnav(std::mt19937& random) {
    std::string text = "aircraft altitude 8000\naircraft speed 250\n";
    if (to_waypoint_index != kNoToWaypoint && active_plan_last >= 1) {
        const int i = between(random, 1, active_plan_last);
        const RouteWaypoint& from = active_plan[i - 1];
        const RouteWaypoint& to = active_plan[i];
        double distance = 0.0, course = 0.0;
        gc_dist_course(from.lat, from.lon, to.lat, to.lon, &distance, &course);
        double lat = 0.0, lon = 0.0;
        const double along = distance * std::uniform_real_distribution<double>(0.0, 1.4)(random);
        gc_destination_point(from.lat, from.lon, course, along, &lat, &lon);
        const double side = std::uniform_real_distribution<double>(-2.0, 2.0)(random);
        gc_destination_point(lat, lon, course + 90.0, side, &lat, &lon);
        const double heading = std::fmod(course + between(random, -40, 40) + 360.0, 360.0);
        char line[160];
        if (std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) < 89.0 && !keys_is_gap(from) &&
            !keys_is_gap(to)) {
            std::snprintf(line, sizeof line, "aircraft position %.5f %.5f\naircraft heading %.0f\n", lat, lon,
                          heading);
            text += line;
        }
    }
    text += between(random, 0, 1) == 0 ? "aircraft ap on\naircraft ap hdg on\n" : "aircraft ap off\n";
    text += "frames 18\n"; // the heading hold is read once a second
    if (lnav_engaged == 1) text += "mcu MCU LNAV\n";
    return text + "mcu MCU LNAV\nframes 1\nframes 1\nframes 1\nframes 20";
}

// An identifier of the active plan, or any of the database.
std::string plan_or_database_ident(std::mt19937& random) {
    if (active_plan_last >= 1 && between(random, 0, 1) == 0) {
        const RouteWaypoint& w = active_plan[between(random, 1, active_plan_last)];
        if (!keys_is_gap(w) && !w.ident.empty()) return w.ident;
    }
    return pick(random, database_idents());
}

// A route typed anew on the SMITHS in the air, over the flown one or after
// NEW FPL (row 4 of STORED FLIGHT PLANS with the example files), through
// fixes of the flown plan or any, mostly executed.
std::string retyped_route(std::mt19937& random) {
    const char* const airports[] = {"KSEA", "KPDX", "KOLM", "KYKM", "KEUG"};
    std::string text = "aircraft altitude 8000\naircraft speed 250\nframes 2\n";
    if (between(random, 0, 1) == 0) text += "cdu SMITHS_FMS INIT_REF L6 R2 L4\n";
    const char* const destination = airports[between(random, 0, 4)];
    const char* const origin = airports[between(random, 0, 4)];
    text += std::string("cdu SMITHS_FMS RTE \"") + origin + "\" L1 \"" + destination + "\" R1 NEXT";
    for (int k = 1, n = between(random, 1, 3); k <= n; ++k)
        text += " \"" + plan_or_database_ident(random) + "\" R" + std::to_string(k);
    return text + (between(random, 0, 3) > 0 ? "\ncdu SMITHS_FMS EXEC" : "");
}

// Edits that take several keys to reach: holds, discontinuities and airway
// placeholders on the route, a direct-to on each unit, an approach chosen,
// a route replaced through each unit, and one typed anew in the air. The
// SMITHS EXEC is a step of its own, so that its rules see the modification
// it ends.
std::string key_sequence(std::mt19937& random) {
    const std::string row = std::to_string(between(random, 1, 5));
    const std::string exec = between(random, 0, 3) > 0 ? "\ncdu SMITHS_FMS EXEC" : "";
    switch (between(random, 0, 15)) {
    case 0:
        return "cdu SMITHS_FMS HOLD L" + row + " L6" + exec;
    case 1:
        return "cdu SMITHS_FMS HOLD L6 L" + row + " L6" + exec;
    case 2:
        return "cdu SMITHS_FMS LEGS DEL L" + row + exec;
    case 3: {
        const char* airways[] = {"V23", "J1", "J70", "V4", "V2", "J90"};
        return std::string("cdu SMITHS_FMS RTE NEXT \"") + airways[between(random, 0, 5)] + "\" L" + row +
               exec;
    }
    case 4:
        return between(random, 0, 1) == 0
                   ? "cdu SMITHS_FMS DIR \"" + plan_or_database_ident(random) + "\" L6\ncdu SMITHS_FMS EXEC"
                   : "cdu SMITHS_FMS DIR L" + row + " L6\ncdu SMITHS_FMS EXEC";
    case 5:
        return "gns GNSXLS DIRECT L" + row + " ENT";
    case 6:
        return "mcu MCU DIRTO ENTRY\nkeyboard type \"" + plan_or_database_ident(random) +
               "\"\nframes 1\nmcu MCU ENTER";
    case 7:
        return std::string("cdu SMITHS_FMS RTE \"") + (between(random, 0, 1) == 0 ? "KSEAKPDX" : "KPDXKSEA") +
               "\" L2 R6\ncdu SMITHS_FMS EXEC";
    case 8:
        return "gns GNSXLS FPL FPL FPL R" + std::to_string(between(random, 2, 3)) + " ENT R5 ENT";
    case 9: // an approach (or a STAR after it) chosen on ARRIVALS
        return "cdu SMITHS_FMS DEP_ARR R2 R" + row + (between(random, 0, 2) == 0 ? " L" + row : "") + exec;
    case 11:
        return on_the_ground(random);
    case 12:
    case 13: // also takes off from the ground
        return engage_lnav(random);
    case 14:
        return retyped_route(random);
    case 15: // a direct-to typed on the GNS, often to a fix of the plan
        return "gns GNSXLS DIRECT \"" + plan_or_database_ident(random) + "\" ENT ENT ENT";
    default: {
        std::string keys = "mcu MCU FPLN";
        for (int n = between(random, 0, 2); n > 0; --n)
            keys += " NEXT";
        return keys + " ENTER\nframes 2";
    }
    }
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

const char* PlanKeys::panel() {
    return "[Window00]\n"
           "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
           "gauge01=orvex1!GNSXLS, 420, 0, 540, 430, B738\n"
           "gauge02=orvex1!MCU, 420, 440, 501, 386, B738\n"
           "gauge03=orvex1!SERVER, 0, 0, 10, 10\n";
}

void PlanKeys::attach() {
    attach_with_keyboard();
    // Route loads as orvex-sim makes them, so that a printed script replays.
    sim_.module.flight.load_route = &orvex_standin_load_route;
    sim_.module.flight.route_status = &orvex_standin_route_status;
}

void PlanKeys::after_start() {
    start_on_the_ground_at_ksea();
    host::aircraft().ias_kt = 250.0;
    host::aircraft().altitude_ft = 8000.0;
}

std::string PlanKeys::random_step(std::mt19937& random) {
    static const std::vector<std::string> cdu = cdu_keys(), gns = gns_keys(), mcu = mcu_keys();
    if (between(input_random_, 0, 99) < 6) return unit_input_step(input_random_);
    if (between(procedure_random_, 0, 99) < 6) return procedure_choice_step(procedure_random_);
    if (between(random, 0, 99) < 12) return key_sequence(random);
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    if (kind < 34) return "cdu SMITHS_FMS " + pick(random, cdu);
    if (kind < 46) {
        const std::string line = std::uniform_int_distribution<int>(0, 1)(random) == 0 ? "L" : "R";
        const int row = std::uniform_int_distribution<int>(1, 6)(random);
        return "cdu SMITHS_FMS \"" + pick_entry(random) + "\" " + line + std::to_string(row);
    }
    if (kind < 50) return "cdu SMITHS_FMS \"" + pick_entry(random) + "\"";
    if (kind < 72) return "gns GNSXLS " + pick(random, gns);
    if (kind < 76) {
        // The GNS types on its letter keys.
        std::string keys;
        for (char c : pick_entry(random))
            if (std::isalpha(static_cast<unsigned char>(c))) keys += std::string(" ") + c;
        return keys.empty() ? "gns GNSXLS ENT" : "gns GNSXLS" + keys;
    }
    if (kind < 88) return "mcu MCU " + pick(random, mcu);
    if (kind < 91) {
        std::string typed;
        for (char c : pick_entry(random))
            if (std::isalnum(static_cast<unsigned char>(c))) typed += c;
        return typed.empty() ? "mcu MCU ENTER" : "keyboard type \"" + typed + "\"\nframes 1";
    }
    if (kind < 93)
        return std::string("route load ") + kRoutes[std::uniform_int_distribution<int>(0, 2)(random)] +
               "\nframes 3";
    return fly_to_entry(random);
}

bool PlanKeys::run_step(const std::string& line, std::string& error) {
    // A route file another unit asked for loads on the step's frame.
    load_pending_ = route_file_request == 1 || route_file_request == 3;
    host::Script script;
    if (!host::parse_script_text("plan_keys.script", line + "\n", sim_, script, error)) return false;
    std::FILE* sink = std::fopen("/dev/null", "w");
    host::run_script(sim_, script, sink, nullptr);
    if (sink != nullptr) std::fclose(sink);
    return true;
}

namespace {

bool starts(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

bool contains(const std::string& line, const char* text) {
    return line.find(text) != std::string::npos;
}

bool chosen(const std::string& selection) {
    return !selection.empty() && selection != "------";
}

bool holds_approach_legs() {
    for (int i = 1; i <= active_plan_last; ++i)
        if (active_plan[i].kind == "APPR") return true;
    return false;
}

} // namespace

void PlanKeys::remember_state() {
    // A whole plan put in place in the modification now pending: a load
    // that left the flown route active started none. A modification begun
    // with the flag up is a load too (a copy of the flown plan lowers it),
    // also where a plan the GNS opened had raised it already.
    const bool begun = route_state == kRouteStateActiveModified && state_before_ != kRouteStateActiveModified;
    const bool replaced = working_plan_new == 1 && (!new_plan_before_ || begun);
    new_plan_before_ = working_plan_new == 1;
    whole_plan_ = route_state == kRouteStateActiveModified &&
                  (replaced || (whole_plan_ && state_before_ == kRouteStateActiveModified));
    state_before_ = route_state;
    displayed_before_ = displayed_;
    active_before_.clear();
    working_before_.clear();
    for (int i = 0; i <= active_plan_last; ++i)
        active_before_.push_back(fix_of(active_plan[i]));
    for (int i = 0; i <= working_plan_last; ++i)
        working_before_.push_back(fix_of(working_plan[i]));
    to_before_ = to_waypoint_index;
    leg_before_ = remember_flown_leg();
    passing_before_ = see_passing();
    lnav_before_ = lnav_engaged;
    airborne_before_ = host::aircraft().altitude_ft - host::aircraft().ground_elevation_ft > 100.0;
    legs_mode_before_ = smiths_legs_mode;
    gns_state_before_ = gns_state;
    mcu_mode_before_ = mcu_mode;
    page_before_ = smiths_cdu_page;
    direct_entry_before_ = direct_to_entered == 1 ? legs_edit_index : 0;
    gns_delete_before_ = gns_delete_request == 1;
    const auto id_at = [](int i) { return i >= 1 && i <= active_plan_last ? active_plan[i].id : 0; };
    mcu_leg_id_before_ = id_at(mcu_legs_index);
    gns_row_id_before_ = id_at(gns_selected_wpt_index);
    // The approach the pilot chose in this modification, after any whole
    // plan put in place (which brings its own).
    const bool chose = chosen(sel_approach) && sel_approach != approach_before_;
    if (route_state == kRouteStateActiveModified && chose) {
        approach_choice_ = sel_approach;
        choice_airport_ = airport_slots[destination_slot].airport_ident;
    }
    // An approach the change let go (a runway it does not serve) is none.
    if (route_state == kRouteStateActiveModified && !chosen(sel_approach) && chosen(approach_before_))
        approach_choice_ = "------";
    if (route_state != kRouteStateActiveModified || replaced) approach_choice_.clear();
    // Outside a modification the working plan is no plan of the pilot's (a
    // stored plan the GNS read into it, say): a change begins from the
    // flown plan's approach.
    approach_before_ =
        route_state == kRouteStateActiveModified ? sel_approach : active_plan.choices().approach;
    if (!holds_approach_legs()) plan_approach_.clear();
    flown_approach_before_ = active_plan.choices().approach;
    remember_unit_edits();
    input_before_ = see_unit_input(sim_folder_.path());
    procedures_before_ = see_procedure_choices();
}

// EXEC keeps the approach chosen.
void PlanKeys::exec_faults(std::vector<std::string>& faults) {
    if (whole_plan_ || !holds_approach_legs()) plan_approach_.clear();
    if (approach_choice_ == "------") {
        plan_approach_.clear();
        return;
    }
    if (!approach_choice_.empty() && holds_approach_legs()) {
        plan_approach_ = approach_choice_;
        approach_airport_ = choice_airport_;
    }
    // An approach is its airport's: legs kept behind a new destination
    // typed on RTE are no approach APPROACH REF names.
    if (active_plan_last >= 1 && active_plan[active_plan_last].ident != approach_airport_)
        plan_approach_.clear();
    if (plan_approach_.empty() || !rule_on("approach")) return;
    ++reached_.approaches;
    for (const std::string& f : approach_ref_faults(plan_approach_))
        faults.push_back("after EXEC: " + f);
}

// A direct-to on any unit (a DIRECT entry that a GNS or MCU key put new in
// the active plan before the chosen fix, or EXEC of the SMITHS direct-to)
// leaves the chosen fix the TO waypoint after its frame, whose per-frame
// update ran after the unit's keys: a TO measured before the direct-to does
// not sequence it.
// GNS DIRECT and MCU DIRTO commit on their own pages. FPL leaves DIRECT:
// a stored plan then activated may hold DIRECT entries of its own.
bool PlanKeys::unit_direct_step(const std::string& line) const {
    const std::size_t fpl = line.rfind(" FPL");
    const std::string gns_tail = fpl == std::string::npos ? line : line.substr(fpl);
    return (starts(line, "gns ") && ((fpl == std::string::npos && gns_state_before_ == GNS_DIRECT) ||
                                     contains(gns_tail, " DIRECT"))) ||
           (starts(line, "mcu ") && (mcu_mode_before_ == MCU_DIRTO || contains(line, " DIRTO")));
}

bool PlanKeys::direct_step(const std::string& line) const {
    const bool smiths_exec =
        starts(line, "cdu ") && line.size() >= 5 && line.compare(line.size() - 5, 5, " EXEC") == 0;
    return (smiths_exec && legs_mode_before_ != kLegsModeList) || unit_direct_step(line);
}

void PlanKeys::direct_to_faults(const std::string& line, std::vector<std::string>& faults) {
    // A route file loaded may hold DIRECT entries of its own.
    if (load_pending_ || starts(line, "route")) return;
    const bool smiths_direct = !whole_plan_ && state_before_ == kRouteStateActiveModified &&
                               route_state == kRouteStateActive && legs_mode_before_ == kLegsModeDirectTo &&
                               starts(line, "cdu ") && line.size() >= 5 &&
                               line.compare(line.size() - 5, 5, " EXEC") == 0;
    int chosen_index = 0;
    if (smiths_direct) chosen_index = to_waypoint_index;
    const bool unit_direct = unit_direct_step(line);
    for (int i = 0; i < active_plan_last && unit_direct; ++i) {
        const Fix f = fix_of(active_plan[i]);
        if (f.ident == "DIRECT" &&
            std::find(active_before_.begin(), active_before_.end(), f) == active_before_.end())
            chosen_index = i + 1;
    }
    // A discontinuity chosen leaves the next fix to fly to.
    if (chosen_index < 1 || chosen_index > active_plan_last || keys_is_gap(active_plan[chosen_index])) return;
    const Fix chosen_fix = fix_of(active_plan[chosen_index]);
    const int picked = direct_entry_before_;
    // A discontinuity picked on the SMITHS leaves the fix after it, as above.
    const bool picked_gap = picked >= 1 && picked < static_cast<int>(working_before_.size()) &&
                            (working_before_[static_cast<std::size_t>(picked)].ident == "DISCO" ||
                             working_before_[static_cast<std::size_t>(picked)].ident == "THEN");
    if (smiths_direct && !picked_gap && picked >= 1 && picked < static_cast<int>(working_before_.size()) &&
        !(working_before_[static_cast<std::size_t>(picked)] == chosen_fix))
        faults.push_back("the direct-to to " + working_before_[static_cast<std::size_t>(picked)].ident +
                         " flies to " + chosen_fix.ident);
    // A fix where the TO waypoint was is reached as the old one was.
    const bool at_old_to = to_before_ >= 0 && to_before_ < static_cast<int>(active_before_.size()) &&
                           active_before_[static_cast<std::size_t>(to_before_)].lat == chosen_fix.lat &&
                           active_before_[static_cast<std::size_t>(to_before_)].lon == chosen_fix.lon;
    // A fix chosen within the switching distance is passed in the next
    // frame, as any TO waypoint there is.
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, chosen_fix.lat, chosen_fix.lon, &distance,
                   &course);
    const bool passed = to_waypoint_index == chosen_index + 1 && distance < switch_distance;
    if (to_waypoint_index != chosen_index && !at_old_to && !passed)
        faults.push_back("the direct-to to " + chosen_fix.ident + " left the TO waypoint at " +
                         std::to_string(to_waypoint_index));
    ++reached_.direct_tos;
}

// A direct-to typed on the GNS for a fix the flown plan already had ahead
// (the TO not yet passed, or after it) flies to that entry: the plan gains the DIRECT entry
// before it and no second entry at that fix.
void PlanKeys::typed_direct_faults(const std::string& line, std::vector<std::string>& faults) {
    const std::string mark = " DIRECT \"";
    const std::size_t open = line.find(mark);
    // A route loading on the step's frame puts another plan in place.
    if (!starts(line, "gns ") || open == std::string::npos || to_before_ < 1 || load_pending_) return;
    const std::size_t first = open + mark.size();
    const std::string typed = line.substr(first, line.find('"', first) - first);
    const int n = static_cast<int>(active_before_.size());
    // A TO within the switching distance, or one the aircraft is already
    // beyond along its leg (after a previous-waypoint key), may be passed
    // before the keys are: it is behind by then, as any fix passed.
    int from = to_before_;
    if (from >= 1 && from < n) {
        const Fix& to = active_before_[static_cast<std::size_t>(from)];
        const Fix& before = active_before_[static_cast<std::size_t>(from - 1)];
        double distance = 0.0, out = 0.0, leg = 0.0, leg_course = 0.0;
        gc_dist_course(to.lat, to.lon, aircraft_state.plat, aircraft_state.plon, &distance, &out);
        gc_dist_course(before.lat, before.lon, to.lat, to.lon, &leg, &leg_course);
        const double off = std::fabs(std::remainder(out - leg_course, 360.0));
        if (distance < switch_distance || off < 90.0) ++from;
    }
    int ahead = -1;
    for (int i = from; i < n && ahead < 0; ++i)
        if (active_before_[static_cast<std::size_t>(i)].ident == typed) ahead = i;
    if (ahead < 0) return;
    const Fix fix = active_before_[static_cast<std::size_t>(ahead)];
    // Another fix of that name elsewhere (the database's first) is put in as
    // any other: only one more at that place is a fault.
    const auto at_fix = [&](const Fix& f) {
        return f.ident == typed && std::fabs(f.lat - fix.lat) < 0.01 && std::fabs(f.lon - fix.lon) < 0.01;
    };
    const auto count = [&](auto entry, int size) {
        int k = 0;
        for (int i = 0; i < size; ++i)
            k += at_fix(entry(i)) ? 1 : 0;
        return k;
    };
    const int before = count([&](int i) { return active_before_[static_cast<std::size_t>(i)]; }, n);
    const int after = count([&](int i) { return fix_of(active_plan[i]); }, active_plan_last + 1);
    if (after > before)
        faults.push_back("the direct-to to " + typed + ", ahead at " + std::to_string(ahead) +
                         ", put in another one");
    else if (active_plan_last == n)
        ++reached_.direct_tos_ahead;
}

// A GNS step that deleted one waypoint of the flown plan, not the TO
// waypoint, leaves the TO on its fix (or on the next, sequenced in the
// step's frame); the origin deleted under TO 1 gives way to the present
// position.
void PlanKeys::delete_faults(std::vector<std::string>& faults) {
    const int n = static_cast<int>(active_before_.size());
    if (to_before_ < 1 || to_before_ >= n || to_waypoint_index < 1 || to_waypoint_index > active_plan_last)
        return;
    // Which entry went: those after it moved down one; the origin under TO 1
    // is written over with the present position instead.
    int gone = 0, shift = 1;
    if (active_plan_last == n - 1 && to_before_ == 1 && active_plan[0].ident == "DIRECT")
        shift = 0;
    else if (active_plan_last != n - 2)
        return;
    while (shift == 1 && gone <= active_plan_last && fix_of(active_plan[gone]) == active_before_[gone])
        ++gone;
    for (int i = gone + 1 - shift; i <= active_plan_last; ++i)
        if (!(fix_of(active_plan[i]) == active_before_[i + shift])) return;
    if (gone == to_before_) return;
    const Fix& before = active_before_[to_before_];
    const Fix now = fix_of(active_plan[to_waypoint_index]);
    // Passed in the same step: the TO is the entry after it, which is the
    // one after the deleted entry when that followed the TO.
    const int next = gone == to_before_ + 1 ? to_before_ + 2 : to_before_ + 1;
    const bool sequenced =
        waypoints_passed > passing_before_.passed && next < n && now == active_before_[next];
    if (!(now == before) && !sequenced)
        faults.push_back("the GNS deleted " + active_before_[gone].ident +
                         " and moved the TO waypoint from " + before.ident + " to " + now.ident);
}

// A unit's cursor on the flown plan names an entry: a step of another unit
// (or of the aircraft) that leaves the entry in the plan leaves the cursor
// on it. A route loaded or a direct-to puts a new plan in place.
void PlanKeys::cursor_faults(const std::string& line, std::vector<std::string>& faults) {
    if (starts(line, "route") || load_pending_ || direct_step(line)) return;
    const struct {
        const char *unit, *name;
        int id_before, index, first; // first: the lowest index it can name
    } cursors[] = {{"mcu ", "the MCU LEGS page", mcu_leg_id_before_, mcu_legs_index, 1},
                   {"gns ", "the GNS's chosen row", gns_row_id_before_, gns_selected_wpt_index, 0}};
    for (const auto& c : cursors) {
        if (c.id_before == 0 || starts(line, c.unit) || (starts(line, "keyboard") && c.unit[0] == 'm'))
            continue;
        for (int i = c.first; i <= active_plan_last; ++i)
            if (active_plan[i].id == c.id_before && i != c.index)
                faults.push_back(std::string(c.name) + " left " + active_plan[i].ident + " for index " +
                                 std::to_string(c.index));
    }
}

// No waypoint is passed on the ground, nor one ahead in the first frames
// after LNAV engaged: the step that engaged it and the frames steps after.
void PlanKeys::passing_step_faults(const std::string& line, std::vector<std::string>& faults) {
    const bool engaged = lnav_before_ == 0 && lnav_engaged == 1;
    const bool frames = starts(line, "frames");
    if (engaged)
        engaging_steps_ = 5;
    else if (!frames)
        engaging_steps_ = 0;
    reached_.engagements += engaged;
    reached_.on_ground += passing_before_.on_ground;
    // Under 300 kt ground speed: 0.005 NM a frame.
    const int n = frames ? std::atoi(line.c_str() + 6) : 1;
    for (const std::string& f : passing_faults(passing_before_, engaging_steps_ > 0, 0.3 + n * 0.005))
        faults.push_back(f);
    if (engaging_steps_ > 0) --engaging_steps_;
}

namespace {

std::string fix_text(const std::string& ident, double lat, double lon) {
    char text[100];
    std::snprintf(text, sizeof text, "%s %.5f %.5f", ident.c_str(), lat, lon);
    return text;
}

// What a pilot edits in the flown plan, two lines an entry: its fix with its
// constraint, and its fix with its hold, so that an edit of one and the
// modification's own change of the other on the same entry both show. Not
// the id: the core writes some entries anew (the destination).
std::vector<std::string> flown_edit_lines() {
    std::vector<std::string> out;
    for (int i = 0; i <= active_plan_last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        const std::string fix = fix_text(w.ident, w.lat, w.lon);
        char text[40];
        std::snprintf(text, sizeof text, " c%.0f",
                      w.altitude_kind == AltitudeKind::Pilot ? w.alt_constraint : 0.0);
        out.push_back(fix + text);
        out.push_back(fix + " h" + std::to_string(hold_mark(active_plan, i)));
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool pending(int state) {
    return state == kRouteStateActivated || state == kRouteStateActiveModified;
}

} // namespace

void PlanKeys::remember_unit_edits() {
    flown_edit_lines_ = flown_edit_lines();
    gns_plan_open_before_ = gns_plan_open == 1;
}

void PlanKeys::unit_edit_faults(const std::string& line, std::vector<std::string>& faults) {
    const bool smiths = starts(line, "cdu ");
    // The simulator's own route load is no unit's.
    const bool unit = !smiths && !starts(line, "route") && (!starts(line, "frames") || load_pending_);
    const bool said = smiths_scratchpad_message.rfind("MOD ERASED", 0) == 0;
    if (pending(state_before_) && route_state != state_before_ && unit) {
        ++unit_ends_;
        if (!said)
            faults.push_back("a step of another unit ended the SMITHS's modification without a word: " +
                             line);
    }
    // A stored plan the GNS had open, closed by another unit's plan.
    if (gns_plan_open_before_ && gns_plan_open == 0 && !starts(line, "gns ") && gns_plan_closed_text.empty())
        faults.push_back("a step of another unit closed the GNS's opened plan without a word: " + line);
    const std::vector<std::string> now = flown_edit_lines();
    // The SMITHS's EXEC or ERASE (or a whole plan put in place) settles an
    // edit left waiting beside its modification.
    const bool settled = !pending(route_state) && !starts(line, "route") && !load_pending_;
    if ((!edit_waiting_.empty() || !removed_waiting_.empty()) && settled && !said) {
        const auto count = [](const std::vector<std::string>& v, const std::string& s) {
            return static_cast<long>(std::count(v.begin(), v.end(), s));
        };
        const auto fix_of_line = [](const std::string& l) { return l.substr(0, l.rfind(' ')); };
        std::vector<std::string> working_fixes;
        for (const Fix& f : working_before_)
            working_fixes.push_back(fix_text(f.ident, f.lat, f.lon));
        std::string lost;
        // What the edit put in stays, but for an entry of that fix the
        // modification itself deleted; what it took out stays out, but for
        // one the modification put in.
        for (const std::string& l : edit_waiting_) {
            const long deleted =
                count(modification_base_, fix_of_line(l)) - count(working_fixes, fix_of_line(l));
            if (count(now, l) < count(flown_edit_lines_, l) - std::max(0L, deleted)) lost = l;
        }
        for (const std::string& l : removed_waiting_) {
            const long added =
                count(working_fixes, fix_of_line(l)) - count(modification_base_, fix_of_line(l));
            if (count(now, l) > count(flown_edit_lines_, l) + std::max(0L, added)) lost = "back: " + l;
        }
        if (!lost.empty())
            faults.push_back("the edit of \"" + edit_waiting_step_ + "\" was undone by \"" + line +
                             "\" without a word: " + lost);
    }
    if (!pending(route_state)) {
        edit_waiting_.clear();
        removed_waiting_.clear();
    }
    if (unit && !starts(line, "frames") && pending(state_before_) && pending(route_state) &&
        now != flown_edit_lines_) {
        // Made in the flown plan while the modification stays pending.
        std::set_difference(now.begin(), now.end(), flown_edit_lines_.begin(), flown_edit_lines_.end(),
                            std::back_inserter(edit_waiting_));
        std::set_difference(flown_edit_lines_.begin(), flown_edit_lines_.end(), now.begin(), now.end(),
                            std::back_inserter(removed_waiting_));
        edit_waiting_step_ = line;
    }
    if (pending(route_state) && !pending(state_before_)) {
        // The flown fixes the modification began from.
        modification_base_.clear();
        for (const std::string& l : flown_edit_lines_)
            if (l[l.rfind(' ') + 1] == 'c') modification_base_.push_back(l.substr(0, l.rfind(' ')));
    }
}

void PlanKeys::flown_until_exec_faults(const std::string& line, bool exec, std::vector<std::string>& faults) {
    if (!starts(line, "cdu ") || !airborne_before_ || state_before_ < kRouteStateActive || load_pending_)
        return;
    std::vector<Fix> active;
    for (int i = 0; i <= active_plan_last; ++i)
        active.push_back(fix_of(active_plan[i]));
    if (!exec && active != active_before_)
        faults.push_back("a SMITHS key in the air changed the flown route before EXEC");
    // A route typed anew and executed: LNAV flies it on, unless it waits at
    // a gap. An EXEC refused (nothing typed yet) put no route in place: LNAV
    // flies the old one to its end.
    const bool gap_held = to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last &&
                          keys_is_gap(active_plan[to_waypoint_index]);
    const bool executed = pending(state_before_) && route_state == kRouteStateActive;
    if (exec && executed && whole_plan_ && lnav_before_ == 1 && lnav_engaged != 1 && !gap_held)
        faults.push_back("EXEC of a route typed anew in the air let LNAV go");
}

std::vector<std::string> PlanKeys::step_faults(const std::string& line) {
    std::vector<std::string> faults = plan_state_faults();
    passing_step_faults(line, faults);
    displayed_ = {route_state, active_plan_last, working_plan_last, hold_count()};
    if (hold_count() > 0) ++reached_.with_holds;
    for (int i = 1; i < active_plan_last; ++i)
        if (keys_is_gap(active_plan[i])) {
            ++reached_.with_gaps;
            break;
        }
    const bool frame =
        starts(line, "cdu ") || starts(line, "gns ") || starts(line, "mcu ") || starts(line, "frames");
    const bool exec =
        line.size() >= 5 && line.compare(line.size() - 5, 5, " EXEC") == 0 && starts(line, "cdu ");
    // ERASE is the SMITHS prompt on L6. A route loaded by another unit also
    // ends a modification, with the vertical profile's predictions in the
    // active plan only: a step that loads one is no ERASE.
    const bool erase = starts(line, "cdu ") && line.size() >= 3 &&
                       line.compare(line.size() - 3, 3, " L6") == 0 && !load_pending_;
    const bool ended = state_before_ == kRouteStateActiveModified && route_state == kRouteStateActive;
    if (ended && erase)
        for (const std::string& f : erase_faults())
            faults.push_back("after ERASE: " + f);
    // An approach the GNS or MCU chose on the flown plan, no change pending,
    // is the plan's at once, as a SMITHS's is at EXEC, and APPROACH REF
    // names it at once; one they let go (a STAR for a runway it does not
    // serve) is none at once, even where its legs flown stay in the plan.
    const std::string& flown_approach = active_plan.choices().approach;
    const bool unit_step = starts(line, "gns ") || starts(line, "mcu ");
    if (unit_step && state_before_ == kRouteStateActive && route_state == kRouteStateActive &&
        flown_approach != flown_approach_before_) {
        plan_approach_.clear();
        if (chosen(flown_approach) && holds_approach_legs()) {
            plan_approach_ = flown_approach;
            approach_airport_ = active_plan[active_plan_last].ident;
        }
        const bool named = plan_approach_.empty() == !chosen(flown_approach);
        if (named && rule_on("approach"))
            for (const std::string& f : approach_ref_faults(plan_approach_))
                faults.push_back("after a unit's choice on the flown plan: " + f);
    }
    if (ended && exec && !load_pending_ && rule_on("exec")) {
        ++reached_.execs;
        exec_faults(faults);
    }
    if (rule_on("retype")) flown_until_exec_faults(line, exec, faults);
    if (rule_on("direct")) direct_to_faults(line, faults);
    if (rule_on("direct")) typed_direct_faults(line, faults);
    // A route loaded puts a whole plan in place, even where it shares an
    // entry with the old one by chance; the first activation of a route
    // sets its TO, whatever a direct-to flew before it.
    const bool first_activation = exec && state_before_ == kRouteStateActivated;
    if (rule_on("to") && !direct_step(line) && !load_pending_ && !starts(line, "route") && !whole_plan_ &&
        !first_activation)
        for (const std::string& f : to_rule_faults(leg_before_))
            faults.push_back(f);
    // ERASE asks, ENT deletes; FPL leaves the page for another plan.
    const bool gns_delete = starts(line, "gns ") && (gns_delete_before_ || contains(line, " ERASE")) &&
                            contains(line, " ENT") && !contains(line, " FPL");
    if (gns_delete && rule_on("delete")) delete_faults(faults);
    if (rule_on("cursors")) cursor_faults(line, faults);
    if (rule_on("units")) unit_edit_faults(line, faults);
    if (rule_on("input"))
        for (const std::string& f : unit_input_faults(input_before_, line, sim_folder_.path()))
            faults.push_back(f);
    // A route loaded, or a plan begun anew, brings its own choices.
    const bool replaced = load_pending_ || (working_plan_new == 1 && !new_plan_before_);
    // A route file read as a plan, on any unit, brings its own approach:
    // what the pilot chose for the plan it replaced is no longer the plan's.
    if (starts(line, "route") || load_pending_) plan_approach_.clear();
    // So does a whole plan put in place another way (a stored plan the GNS
    // activates): none of its entries are the flown plan's before.
    bool kept_entry = false;
    for (int i = 0; i <= active_plan_last && !kept_entry; ++i)
        for (const EntryRef& e : leg_before_.entries)
            kept_entry = kept_entry || (e.id != 0 && e.id == active_plan[i].id);
    if (!kept_entry) plan_approach_.clear();
    if (rule_on("procedures"))
        for (const std::string& f : procedure_choice_faults(procedures_before_, line, replaced))
            faults.push_back(f);
    if (frame) {
        // A distance is measured on the pass after the change that needs it.
        for (const std::string& f : published_value_faults(starts(line, "frames")))
            faults.push_back(f);
        for (const std::string& f : unit_list_faults())
            if (rule_on("lists")) faults.push_back(f);
        for (const std::string& f : flown_rule_faults(starts(line, "frames")))
            faults.push_back(f);
    }
    // The SMITHS pass of the step's last frame saw every change.
    if ((starts(line, "cdu ") || starts(line, "frames")) && rule_on("legs")) {
        reached_.legs_walks += smiths_cdu_page == kPageRteLegs;
        for (const std::string& f :
             legs_walk_faults(displayed_ == displayed_before_ && page_before_ == kPageRteLegs))
            faults.push_back(f);
    }
    if (exec && route_state == kRouteStateActive) {
        const PlanSnapshot first = take_plan_snapshot();
        host::press_cdu_key(unit(kCdu), SmithsKey::Exec);
        const PlanSnapshot second = take_plan_snapshot();
        if (!(first == second))
            faults.push_back("a second EXEC changed:\n" + snapshot_difference(first, second));
    }
    remember_state();
    return faults;
}

void PlanKeys::start_run(unsigned seed) {
    input_random_.seed(seed ^ 0x5bd1e995u);
    procedure_random_.seed(seed ^ 0x2c1b3c6du);
    remember_state();
    edit_waiting_.clear(); // a new run
    removed_waiting_.clear();
}

void PlanKeys::run_seed(unsigned seed, int steps) {
    std::mt19937 random(seed);
    std::vector<std::string> script;
    start_run(seed);
    for (int n = 0; n < steps; ++n) {
        const std::string step = random_step(random);
        std::vector<std::string> faults;
        for (const std::string& line : lines_of(step)) {
            script.push_back(line);
            std::string error;
            ASSERT_TRUE(run_step(line, error)) << line << ": " << error;
            faults = step_faults(line);
            if (!faults.empty()) break;
        }
        if (faults.empty()) continue;
        std::string report = "seed " + std::to_string(seed) + ", step " + std::to_string(n + 1) + ":\n";
        for (const std::string& f : faults)
            report += "  " + f + "\n";
        report += "replay on this panel:\n" + std::string(panel()) + "with this script:\n";
        report += "aircraft position 47.4490 -122.3093\naircraft altitude 433\nframes 20\n"
                  "aircraft speed 250\naircraft altitude 8000\n";
        for (const std::string& line : script)
            report += line + "\n";
        ADD_FAILURE() << report;
        return;
    }
    // The plan the keys left, saved and loaded again on every unit's reader.
    if (rule_on("reload"))
        for (const std::string& f : saved_route_reload_faults())
            ADD_FAILURE() << "seed " << seed << ", after its " << steps << " steps: " << f;
}

std::string PlanKeys::seed_script(unsigned seed, int steps, std::vector<std::string>& script) {
    std::mt19937 random(seed);
    script.clear();
    start_run(seed);
    for (int n = 0; n < steps; ++n)
        for (const std::string& line : lines_of(random_step(random))) {
            script.push_back(line);
            std::string error;
            if (!run_step(line, error)) return error;
            std::vector<std::string> faults = step_faults(line);
            if (!faults.empty()) return faults[0];
        }
    return {};
}

std::string PlanKeys::script_fault(const std::vector<std::string>& script) {
    remember_state();
    edit_waiting_.clear(); // a new run
    removed_waiting_.clear();
    for (const std::string& line : script) {
        std::string error;
        if (!run_step(line, error)) return error;
        const std::vector<std::string> faults = step_faults(line);
        if (!faults.empty()) return faults[0];
    }
    return {};
}

std::string PlanKeys::reached() const {
    char text[300];
    std::snprintf(
        text, sizeof text,
        "steps with holds %d, with gaps %d, on the ground %d; EXECs %d, direct-tos %d, LEGS walks %d, "
        "APPROACH REF %d, LNAV engagements %d, GNS direct-tos to a fix ahead %d",
        reached_.with_holds, reached_.with_gaps, reached_.on_ground, reached_.execs, reached_.direct_tos,
        reached_.legs_walks, reached_.approaches, reached_.engagements, reached_.direct_tos_ahead);
    return text + std::string(", modifications ended by another unit ") + std::to_string(unit_ends_) + "\n" +
           unit_input_reached() + procedure_choice_reached();
}

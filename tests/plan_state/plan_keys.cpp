#include "plan_keys.h"

#include "cdu_keys.h"
#include "cdu_smiths/smiths_key_layout.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"
#include "gauges/stand_in_hooks.h"
#include "gns_mcu/gns_key_layout.h"
#include "gns_mcu/mcu_key_layout.h"
#include "keyboard.h"
#include "mcu_keys.h"
#include "plan_state_check.h"
#include "script.h"

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

const char* const kRoutes[] = {"KSEAKPDX.RTE", "KPDXKSEA.RTE", "KSEAKYKM.PLN"};

std::string pick_entry(std::mt19937& random) {
    const std::vector<std::string>& idents = database_idents();
    std::uniform_int_distribution<int> any(0, 9);
    if (any(random) < 7)
        return idents[std::uniform_int_distribution<std::size_t>(0, idents.size() - 1)(random)];
    return kOtherEntries[std::uniform_int_distribution<std::size_t>(0, std::size(kOtherEntries) - 1)(random)];
}

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
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    if (kind < 34) return "cdu SMITHS_FMS " + pick(random, cdu);
    if (kind < 46) {
        const std::string line = std::uniform_int_distribution<int>(0, 1)(random) == 0 ? "L" : "R";
        return "cdu SMITHS_FMS \"" + pick_entry(random) + "\" " + line +
               std::to_string(std::uniform_int_distribution<int>(1, 6)(random));
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

std::vector<std::string> PlanKeys::step_faults(const std::string& line) {
    std::vector<std::string> faults = plan_state_faults();
    const bool exec =
        line.size() >= 5 && line.compare(line.size() - 5, 5, " EXEC") == 0 && line.compare(0, 4, "cdu ") == 0;
    // ERASE is the SMITHS prompt on L6. A route loaded by another unit also
    // ends a modification, with the vertical profile's predictions in the
    // active plan only: a step that loads one is no ERASE.
    const bool erase = line.compare(0, 4, "cdu ") == 0 && line.size() >= 3 &&
                       line.compare(line.size() - 3, 3, " L6") == 0 && !load_pending_;
    if (state_before_ == kRouteStateActiveModified && route_state == kRouteStateActive && erase)
        for (const std::string& f : erase_faults())
            faults.push_back("after ERASE: " + f);
    if (exec && route_state == kRouteStateActive) {
        const PlanSnapshot first = take_plan_snapshot();
        host::press_cdu_key(unit(kCdu), SmithsKey::Exec);
        const PlanSnapshot second = take_plan_snapshot();
        if (!(first == second))
            faults.push_back("a second EXEC changed:\n" + snapshot_difference(first, second));
    }
    state_before_ = route_state;
    return faults;
}

void PlanKeys::run_seed(unsigned seed, int steps) {
    std::mt19937 random(seed);
    std::vector<std::string> script;
    state_before_ = route_state;
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
}

std::string PlanKeys::seed_script(unsigned seed, int steps, std::vector<std::string>& script) {
    std::mt19937 random(seed);
    script.clear();
    state_before_ = route_state;
    for (int n = 0; n < steps; ++n)
        for (const std::string& line : lines_of(random_step(random))) {
            script.push_back(line);
            std::string error;
            if (!run_step(line, error)) return error;
            const std::vector<std::string> faults = step_faults(line);
            if (!faults.empty()) return faults[0];
        }
    return {};
}

std::string PlanKeys::script_fault(const std::vector<std::string>& script) {
    state_before_ = route_state;
    for (const std::string& line : script) {
        std::string error;
        if (!run_step(line, error)) return error;
        const std::vector<std::string> faults = step_faults(line);
        if (!faults.empty()) return faults[0];
    }
    return {};
}

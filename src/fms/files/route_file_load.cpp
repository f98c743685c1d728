#include "fms/files/route_file_load.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/reader_checks.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/route_file.h"
#include "fms/files/sim_plan_import.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/fuel_loading.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "fms/units/update_counters.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kNoSelection = "------";
const char* const kNotLoaded = "ROUTE FILE NOT LOADED";
const char* const kLinesSkipped = "ROUTE LINES SKIPPED";
const char* const kNoWaypoint = "NO WAYPOINT IN FILE";

bool ends_with_pln(const std::string& name) {
    return name.size() >= 4 && equals_ignoring_case(name.substr(name.size() - 4), ".PLN");
}

bool on_the_ground() {
    return aircraft_state.ground_speed_kt < 5.0;
}

enum class RouteFileStatus { Read, NotFound, ImportFailed, NotText };

// Everything one route file holds, read before any plan or value of the
// module changes: its key values by both readers' rules, its waypoints (the
// plan's 201 at most) and what could not be used. A file that is not text is
// not applied at all; one that holds no waypoint applies its key lines alone.
struct RouteFileRecord {
    RouteFileStatus status = RouteFileStatus::NotFound;
    std::string path;
    RoutePlan waypoints;
    int skipped_waypoints = 0; // no position, or one off the globe
    int first_skipped_line = 0;
    int dropped_waypoints = 0; // past the plan's last entry
    bool cut_short = false;
    int skipped_keys = 0;                // a value out of the range its page takes
    std::vector<std::string> key_faults; // each such key by its line, as told
    int cruise_altitude = 0;
    double active_fuel_total = 0.0; // "TripFuel", "ResvFuel" and any "FUEL..." key, in file order
    double planned_fuel = 0.0;      // the same with the "Fuel" key alone
    double reserve_fuel = 0.0;
    // Which of the values above a key line gave.
    bool cruise_altitude_seen = false;
    bool active_fuel_seen = false;
    bool planned_fuel_seen = false;
    bool reserve_fuel_seen = false;
    bool approach_info_seen = false;
    std::string approach_info;
    int approach_info_line = 0;
    std::vector<std::string> other_keys; // key lines the writer does not make, as written
};

// 201 waypoints and a few keys: a file of more lines than this is no route.
constexpr int kMaxRouteFileLines = 10000;

// One record at a time: a plan of 201 waypoints is too big for the stack.
RouteFileRecord record;

// What the last load told its caller.
RouteFileOutcome outcome;

// What a text-page load could not take, for its message list once the load
// has set the list back.
std::string text_page_note;

// The file named by a reader, or the simulator plan converted into its
// temporary route file first (the import reports its own failures); `path`
// names the plan as the pilot chose it. Null when there is nothing to read.
std::FILE* open_plan(std::string name, bool is_pln, std::string& path) {
    path = flight_plans_folder() + name;
    if (!is_pln) return os::open_file(path, "r");
    if (import_simulator_flight_plan(name) == -99) {
        record.status = RouteFileStatus::ImportFailed;
        return nullptr;
    }
    const std::string converted = flight_plans_folder() + kSimPlanTempFile;
    std::FILE* file = os::open_file(converted, "r");
    if (!file) path = converted;
    return file;
}

bool is_header(const RouteLine& tokens) {
    return equals_ignoring_case(tokens.token[0], "[FlightPlan]");
}

bool fuel_value(const std::string& text, double& fuel) {
    return parse_whole_number(text, fuel) && fuel >= 0.0 && fuel <= kMaxPlanWeightLb;
}

bool is_header_key(const std::string& upper_key) {
    return upper_key == "[FLIGHTPLAN]";
}

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// A key value out of the range its page takes, told by its line: the key
// and value as written, and the range the value is not within.
bool skip_key(const std::string& line, int number, const std::string& range) {
    if (static_cast<int>(record.key_faults.size()) < FileLineCheck::kValuesListed) {
        std::string key, value;
        route_key_value(line, key, value);
        record.key_faults.push_back("line " + std::to_string(number) + " " + key + "=" + value + ", not " +
                                    range);
    }
    ++record.skipped_keys;
    return false;
}

std::string cruise_range() {
    return "0 to " + std::to_string(kMaxCruiseAltitudeEntryFt) + " ft";
}
std::string fuel_range() {
    return "0 to " + std::to_string(static_cast<long long>(kMaxPlanWeightLb)) + " lb";
}

// A key line before the header, by both readers' rules at once: the
// active-plan reader takes the keys without regard to case and any line
// beginning with "FUEL" as the total; the working-plan reader the "Fuel" key
// alone. A value its page would refuse is skipped: false.
bool read_key_line(const std::string& line, int line_number) {
    std::string key, value;
    route_key_value(line, key, value);
    const std::string upper = to_upper_ascii(key);
    double number = 0.0;
    if (upper == "CRUISEALT") {
        // What a page takes as the cruise altitude, or 0 for none.
        if (!parse_whole_number(value, number) || number < 0.0 || number > kMaxCruiseAltitudeEntryFt ||
            number != std::trunc(number))
            return skip_key(line, line_number, cruise_range());
        record.cruise_altitude = saturate_to_int(number);
        record.cruise_altitude_seen = true;
    } else if (upper == "TRIPFUEL") {
        if (!fuel_value(value, number)) return skip_key(line, line_number, fuel_range());
        record.active_fuel_total += number;
        record.planned_fuel += number;
        record.active_fuel_seen = record.planned_fuel_seen = true;
    } else if (upper == "RESVFUEL") {
        if (!fuel_value(value, number)) return skip_key(line, line_number, fuel_range());
        record.reserve_fuel = number;
        record.active_fuel_total += number;
        record.planned_fuel += number;
        record.active_fuel_seen = record.planned_fuel_seen = record.reserve_fuel_seen = true;
    } else if (upper.compare(0, 4, "FUEL") == 0) {
        if (!fuel_value(value, number)) return skip_key(line, line_number, fuel_range());
        record.active_fuel_total = number;
        record.active_fuel_seen = true;
        if (upper == "FUEL") {
            record.planned_fuel = number;
            record.planned_fuel_seen = true;
        }
    } else if (upper == "APPROACHINFO") {
        record.approach_info_seen = true;
        record.approach_info = value;
        record.approach_info_line = line_number;
    }
    if (!key.empty() && upper != "CRUISEALT" && upper != "APPROACHINFO" && !is_header_key(upper))
        record.other_keys.push_back(trimmed(line));
    return true;
}

// The plan just loaded keeps the file's other key lines for the writer.
void keep_other_keys() {
    if (record.waypoints.last() < 0) return;
    kept_route_keys.origin = record.waypoints[0].ident;
    kept_route_keys.destination = record.waypoints[record.waypoints.last()].ident;
    kept_route_keys.lines = record.other_keys;
}

// A waypoint line's entry with the navaid's frequency (and kind, for an
// intersection or untyped entry) when the line has no frequency. False when
// its position is no pair of numbers on the globe, or it names the end mark,
// which stands past a plan's last entry and is never written: inside the plan
// it would end the route there.
bool read_waypoint(const RouteLine& tokens, RouteWaypoint& w) {
    double lat = 0.0, lon = 0.0;
    if (!parse_whole_number(tokens.token[1], lat) || !parse_whole_number(tokens.token[2], lon) ||
        !on_globe(lat, lon) || marker_of_text(tokens.token[0]) == EntryKind::EndMark)
        return false;
    w = waypoint_from_route_line(tokens);
    w.lat = lat;
    w.lon = lon;
    if (w.frequency.empty() && w.type != "APT") {
        // No navaid kind begins with the W of "WPT": such a line is looked
        // up as an untyped one, and keeps its type.
        const int n = find_navaid(w.ident, w.type == "WPT" ? std::string() : w.type, w.lat);
        if (n > 0) {
            const NavRecordView navaid = navaid_table[n];
            w.frequency = navaid.extra;
            if (w.type == "INT" || w.type.empty()) {
                if (navaid.kind == "V") w.type = "VOR";
                if (navaid.kind == "N") w.type = "NDB";
            }
        }
    }
    return true;
}

// Reads the whole file into `record`. Blank lines and comments are skipped;
// key lines stand before the header only, so a waypoint whose ident begins
// with "FUEL" never becomes the planned fuel.
void read_route_file(const std::string& name, bool is_pln) {
    record.status = RouteFileStatus::NotFound;
    cut_plan(plan_target(record.waypoints), -1);
    record.skipped_waypoints = 0;
    record.first_skipped_line = 0;
    record.dropped_waypoints = 0;
    record.cut_short = false;
    record.skipped_keys = 0;
    record.key_faults.clear();
    record.cruise_altitude = 0;
    record.active_fuel_total = 0.0;
    record.planned_fuel = 0.0;
    record.reserve_fuel = 0.0;
    record.cruise_altitude_seen = false;
    record.active_fuel_seen = false;
    record.planned_fuel_seen = false;
    record.reserve_fuel_seen = false;
    record.approach_info_seen = false;
    record.approach_info.clear();
    record.approach_info_line = 0;
    record.other_keys.clear();
    std::FILE* file = open_plan(name, is_pln, record.path);
    if (!file) return;
    record.status = RouteFileStatus::Read;

    bool section = false;
    std::string line;
    RouteWaypoint w;
    FileLineCheck text{record.path};
    LineReader reader(file, kRouteLineMax, kMaxRouteFileLines);
    while (reader.next(line)) {
        text.line(line, reader.line_number());
        if (text.binary()) {
            record.status = RouteFileStatus::NotText;
            break;
        }
        const RouteLine tokens = split_route_line(line);
        if (tokens.count == 0 || tokens.token[0].compare(0, 1, ";") == 0) continue;
        // A waypoint line past the reader's length may end in its position
        // cut short.
        if (section && cut_within_fields(line, reader.last_line_cut(), 2, 3)) {
            text.skip(kFieldCut);
            if (record.skipped_waypoints++ == 0) record.first_skipped_line = reader.line_number();
            continue;
        }
        if (!section) {
            const bool usable = read_key_line(line, reader.line_number());
            section = is_header(tokens);
            if (usable)
                text.use();
            else
                text.skip("key value out of range");
            continue;
        }
        if (!read_waypoint(tokens, w)) {
            text.skip("no valid position");
            if (record.skipped_waypoints++ == 0) record.first_skipped_line = reader.line_number();
            continue;
        }
        if (tokens.count < 4)
            text.use_incomplete(); // no type
        else
            text.use();
        // The plan holds waypoints 0 to 200; those after are counted.
        if (record.waypoints.last() == kPlanLastIndex) {
            ++record.dropped_waypoints;
            continue;
        }
        PlanEdit edit(plan_target(record.waypoints), "reading a route file");
        edit.set_last(edit.last() + 1);
        copy_waypoint_fields(w, edit.entry(edit.last()));
    }
    text.finish(reader);
    record.cut_short = text.cut_short();
    std::fclose(file);
}

// A file read as text that holds no waypoint: its key lines still act.
bool keys_alone() {
    return record.status == RouteFileStatus::Read && record.waypoints.last() < 0;
}

// A load's message goes to the unit that asked for it, and to no other: the
// SMITHS message line, the GNS's message, the MCU's entry line or the text
// page's own text. A loaded route's name goes on the MCU's entry line and the
// text page's text for their airport pages: what the load could not take
// follows on the MCU's entry line once its airport request has used it, and
// on the text page's message list.
void tell_asker(RouteLoadAsker asker, const std::string& text, bool loaded) {
    const bool import_failed = record.status == RouteFileStatus::ImportFailed;
    switch (asker) {
    case RouteLoadAsker::Smiths:
        smiths_scratchpad_message = text;
        break;
    case RouteLoadAsker::Gns:
        gns_refusal_text = text;
        break;
    case RouteLoadAsker::Mcu:
        if (loaded)
            mcu_load_message = text;
        else
            mcu_entry_text = import_failed ? kSimPlanNotLoaded : text;
        break;
    case RouteLoadAsker::TextPage:
        if (loaded)
            text_page_note = text;
        else
            mcu_keyboard_text = import_failed ? kSimPlanNotLoaded : text;
        break;
    case RouteLoadAsker::Nobody:
        break;
    }
}

// The key values out of range, each by its line.
std::string key_faults_text() {
    std::string lines;
    for (const std::string& fault : record.key_faults)
        lines += (lines.empty() ? " (" : "; ") + fault;
    return std::to_string(record.skipped_keys) + " key values out of range ignored" + lines +
           (lines.empty() ? "" : ")");
}

// The file's "ApproachInfo" names an approach its destination airport does
// not have: told once by its line; the plan stays as loaded, without an
// approach. A plan that ends at no airport (a file cut short, told as such)
// has no approach to take.
void tell_approach_not_taken(const RoutePlan& plan) {
    if (!record.approach_info_seen) return;
    std::string words = record.approach_info;
    std::replace(words.begin(), words.end(), '_', ' ');
    std::string name;
    std::istringstream(words) >> name;
    if (name.empty() || plan.choices().approach == name.substr(0, 29)) return;
    const int last = plan.last();
    if (last < 1 || plan[last].type != "APT") return;
    record_load_warning(record.path, "line " + std::to_string(record.approach_info_line) +
                                         " ApproachInfo=" + record.approach_info + ", not an approach of " +
                                         plan[last].ident + ": the plan loaded without it");
}

// What the reader could not take goes to the load warnings (one for the
// file), and to the unit that asked for the plan. True when the record is to
// be applied: a file that cannot be read, is not text or holds no waypoint
// leaves the plans as they were (its key lines still act).
bool report_record(RouteLoadAsker asker) {
    const std::string& file = record.path;
    outcome = RouteFileOutcome{};
    if (record.status == RouteFileStatus::NotFound) {
        outcome.problem = record_missing_file(file);
    } else if (record.status == RouteFileStatus::ImportFailed) {
        outcome.problem = "cannot be imported";
    } else if (record.status == RouteFileStatus::NotText) {
        outcome.problem = "is not a text file: not loaded";
        record_load_warning(file, outcome.problem);
    } else if (record.waypoints.last() < 0) {
        outcome.problem =
            record.skipped_waypoints > 0 ? "holds no waypoint with a valid position" : "holds no waypoint";
        const bool keys = record.cruise_altitude_seen || record.active_fuel_seen ||
                          record.planned_fuel_seen || record.reserve_fuel_seen || record.approach_info_seen;
        outcome.problem += keys ? ": only its key lines applied" : ": not loaded";
        if (record.skipped_keys > 0) outcome.problem += "; " + key_faults_text();
        // Also when the folder is listed: such a file is not offered, and
        // what a load of it would do is told once.
        record_load_warning(file, outcome.problem);
        tell_asker(asker, kNoWaypoint, false);
        return false;
    } else {
        std::string text;
        auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
        if (record.dropped_waypoints > 0)
            add(std::to_string(record.dropped_waypoints) + " waypoints after the first " +
                std::to_string(kPlanLastIndex + 1) + " left out");
        if (record.skipped_waypoints > 0)
            add(std::to_string(record.skipped_waypoints) +
                " waypoint lines without a valid position skipped (line " +
                std::to_string(record.first_skipped_line) + ")");
        if (record.skipped_keys > 0) add(key_faults_text());
        if (record.cut_short) add(kCutShortNote);
        if (!text.empty()) record_load_warning(file, text);
        outcome.loaded = record.waypoints.last() + 1;
        outcome.dropped = record.dropped_waypoints;
        outcome.note = text;
        if (record.dropped_waypoints > 0)
            tell_asker(asker, std::to_string(record.dropped_waypoints) + " WPTS NOT LOADED", true);
        else if (record.skipped_waypoints + record.skipped_keys > 0)
            tell_asker(asker, kLinesSkipped, true);
        return true;
    }
    tell_asker(asker, kNotLoaded, false);
    return false;
}

void preset_origin(const std::string& ident) {
    origin_airport_ident = ident;
    route_origin_ident = ident;
    departure_origin_ident = ident;
    const ChoicesEdit chosen(working_plan);
    chosen->sid = chosen->sid_transition = chosen->departure_runway = kNoSelection;
    load_airport_detail(ident, origin_slot);
    match_sid_transition(kNoSelection, kNoSelection);
}

// A route read from a file has the arrival its file gives, none of the plan
// it replaces: the approach comes back only from its "ApproachInfo" line.
void preset_arrival_selections() {
    ChoicesEdit(working_plan)->clear_arrival();
}

// The SID and STAR a loaded plan's legs name are its choices, once the
// airports are set up (a new origin clears the SID chosen before it): the
// pages show what the legs fly, and a runway chosen next rebuilds them.
void take_loaded_procedures(const ChoicesEdit& chosen, const RoutePlan& plan) {
    chosen->take_procedures_of(plan);
}

void empty_working_plan_for_new_plan() {
    PlanEdit edit(working_target(), "a new plan");
    edit.keep_cursors();
    for (int i = 0; i <= edit.last() && i <= kPlanLastIndex; ++i) {
        RouteWaypoint& w = edit.entry(i);
        w.type.clear();
        w.frequency.clear();
        w.aux_text.clear();
        w.kind.clear();
        w.via.clear();
    }
    edit.set_last(-1);
    RouteWaypoint& first = edit.entry(0);
    clear_waypoint(first);
    make_marker(first, EntryKind::EndMark);
    first.course = -1.0;
    edit.entry(1).ident.clear();
    edit.place(working_cursor_index, 0);
    working_plan_replaced();
}

// The steps every load_route_file ends with, also when nothing was read.
void finish_active_load() {
    display_refresh_counter = 999;
    if (SetWptBaro == 1) trigger_key_event(kKeyAltimeterSetting, 0);
    gns_route_loaded_flag = 1;
}

// load_route_file, step by step.

void begin_active_load() {
    fuel_on_board_low_lb = 0.0;
    intercept_armed = 0;
    gns_nav_flag = 0;
    takeoff_time_text = "-----";
    payload_read_flag = 0.0;
}

void apply_active_keys() {
    cruise_altitude = record.cruise_altitude;
    fuel_on_board_low_lb = record.reserve_fuel;
    // Taken up with its legs once the plan is in place.
    approach_info = record.approach_info_seen ? record.approach_info : std::string();
    keep_other_keys();
}

// A file without waypoints sets what its key lines give, and on the ground
// brings that fuel and cruise altitude to the aircraft, as a whole file's
// would; the plans and the flight stay as they were.
void apply_active_keys_alone() {
    if (record.cruise_altitude_seen) cruise_altitude = record.cruise_altitude;
    if (record.reserve_fuel_seen) fuel_on_board_low_lb = record.reserve_fuel;
    if (!on_the_ground()) return;
    if (LoadFuelonFlightPlanLoad == 1 && record.active_fuel_seen && record.active_fuel_total > 5.0)
        load_fuel(record.active_fuel_total);
    if (SetMCPCrzAltOnFlightPlanLoad == 1 && record.cruise_altitude_seen)
        trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(cruise_altitude));
}

// Both plans get the file's waypoints, the working plan first so that the
// flown plan's entries are its entries; the origin airport, the TO waypoint
// and the FIX INFO records follow the first two.
void fill_active_plans(PlanEdit& edit) {
    {
        PlanEdit working(working_target(), "a route loaded");
        working.keep_cursors();
        replace_plan(working_target(), record.waypoints, record.waypoints.last());
        if (record.waypoints.last() >= 1) working.place(working_cursor_index, 1);
        if (record.waypoints.last() >= 1 && record.waypoints.last() < kPlanLastIndex)
            make_marker(working.entry(record.waypoints.last() + 1), EntryKind::EndMark);
        // A new plan starts without holds.
        delete_all_holds();
    }
    replace_plan(active_target(), working_plan, working_plan_last);
    ChoicesEdit(working_plan)->clear_departure();
    if (equals_ignoring_case(edit[0].type, "APT")) {
        preset_origin(edit[0].ident);
        descent_speed_phase = kDescentSpeedPhaseOff;
        gns_origin_loaded_flag = 1;
    }
    if (edit.last() >= 1) {
        direct_to_active = 0;
        edit.set_to(1);
        clear_fix_info(0);
    }
}

// A route of two or more waypoints: its name for the MCU's airport page, the
// destination airport, the vertical target and a fresh route state.
void set_up_active_route(PlanEdit& edit, int request) {
    const int last = edit.last();
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, edit[0].lat, edit[0].lon, &distance, &course);
    std::string route_name;
    if (distance <= 7.0) {
        route_name = edit[0].ident;
        destination_airport_state = kDestinationAirportStateToLoad;
    } else {
        route_name = edit[last].ident;
        destination_airport_state = kDestinationAirportStateLoaded;
    }

    const RouteWaypoint& destination = edit[last];
    vertical_target_lat = destination.lat;
    vertical_target_lon = destination.lon;
    destination_airport_ident = destination.ident;
    route_destination_ident = destination.ident;
    arrival_destination_ident = destination.ident;
    load_airport_detail(destination.ident, destination_slot);
    match_star_transition(kNoSelection, kNoSelection);
    select_airport(destination.ident, kSelectAirportDestinationElevation);
    preset_arrival_selections();
    take_loaded_procedures(ChoicesEdit(working_plan), working_plan);
    take_loaded_procedures(ChoicesEdit(edit), working_plan);

    descent_rate_used_fpm = DescentRate;
    edit.place(constraint_waypoint_index, last);
    edit.place(mcu_legs_index, 1);
    call_for_vnav_targets(VnavReason::RouteChanged, kSpeedTarget);
    distance_to_to_nm = 999.0;
    route_state = kRouteStateNone;
    reset_active_route_state();
    // The MCU asked for this route: its airport page is to open on this name.
    if (request == kRouteFileRequestMcu) {
        mcu_entry_text = route_name;
        mcu_enter_pressed = 1;
    } else if (request == kRouteFileRequestTextPage) {
        mcu_keyboard_text = route_name;
        mcu_keyboard_enter = 1;
    }
}

// On the ground a new route brings its fuel, cruise altitude and speed to
// the aircraft and starts a new flight log.
void prepare_aircraft_for_active_route(int request) {
    route_load_source = request;
    tower_view_set = 0;
    if (SetUTCTimeOnFPLoad == 1 && on_the_ground()) set_sim_clock_to_utc();
    if (on_the_ground()) {
        flight_phase = kFlightPhaseStartLog;
        if (LoadFuelonFlightPlanLoad == 1 && record.active_fuel_total > 5.0)
            load_fuel(record.active_fuel_total);
        if (SetMCPCrzAltOnFlightPlanLoad == 1)
            trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(cruise_altitude));
        if (SetMCPSpdOnFlightPlanLoad > 0)
            trigger_key_event(kKeyAutopilotAirspeedSet, static_cast<uint32_t>(SetMCPSpdOnFlightPlanLoad));
        last_clock_second = -99.0;
        flight_elapsed_seconds = 0.0;
        write_flight_log(kFlightLogPeriodic);
    }
    warning_messages.set_count(2);
}

void activate_active_route() {
    gns_fpln_flag_a = 1;
    gns_fpln_flag_b = 1;
    if (active_plan_last < 1) return;
    route_state = kRouteStateActive;
    if (aircraft_state.ground_speed_kt < 50.0) {
        climb_speed_target = climb_speed_default;
        cruise_speed_target = cruise_speed_default;
        descent_speed_target = descent_speed_default;
    }
    if (LnavSetEnRouteFreqs == 1) autotune_leg_radios(kAutotuneRouteAhead);
}

// load_route_file_to_working, step by step.

void begin_working_load() {
    plan_cruise_altitude = 0;
    plan_fuel_on_board = 0.0;
    planned_fuel = 0.0;
    intercept_armed = 0;
}

void apply_working_keys() {
    keep_other_keys();
    plan_cruise_altitude = record.cruise_altitude;
    plan_fuel_on_board = record.reserve_fuel;
    planned_fuel = record.planned_fuel;
    // Taken up with its legs once the plan is read; a file without the line
    // leaves no approach of a plan read before it.
    approach_info = record.approach_info_seen ? record.approach_info : std::string();
}

// The file's waypoints as a new working plan, without the holds of the
// one it replaces.
void fill_working_plan() {
    PlanEdit edit(working_target(), "a route loaded for the modification");
    edit.keep_cursors();
    replace_plan(working_target(), record.waypoints, record.waypoints.last());
    if (record.waypoints.last() >= 1) edit.place(working_cursor_index, 1);
    working_plan_replaced();
    // The plan it replaces took its procedures with it; the file's approach
    // is chosen again from its "ApproachInfo" line at EXEC.
    const ChoicesEdit chosen(working_plan);
    chosen->clear_departure();
    chosen->clear_arrival();
    // The SID and STAR its legs name are its own.
    chosen->take_procedures_of(working_plan);
    // Its arrival is its own destination's, whatever airport another unit
    // puts in the destination's slot before EXEC (which keeps it so).
    const RouteWaypoint& last = working_plan[working_plan_last];
    chosen->arrival_choice_airport = last.type == "APT" ? last.ident : std::string();
}

// The flight log and the origin and destination airports of the new plan.
void set_up_working_airports() {
    write_flight_log(kFlightLogPeriodic);
    const RouteWaypoint& first = working_plan[0];
    if (first.type == "APT") {
        preset_origin(first.ident);
        take_loaded_procedures(ChoicesEdit(working_plan), working_plan);
    }
    const RouteWaypoint& last = working_plan[working_plan_last];
    if (last.type != "APT") return;
    if (smiths_cdu_page == kPageStoredFpls && route_state != kRouteStateActive) {
        route_destination_ident = last.ident;
        arrival_destination_ident = last.ident;
        if (route_state < kRouteStateActivated) destination_airport_ident = last.ident;
    } else {
        destination_airport_ident = last.ident;
        arrival_destination_ident = last.ident;
    }
    // A route loaded as a change leaves the flown plan's choices whole: ERASE
    // brings them back with it.
    if (route_state < kRouteStateActive) {
        const PlanEdit edit(active_target(), "a loaded route's runway");
        ChoicesEdit(edit)->arrival_runway = kNoSelection;
    }
    load_airport_detail(arrival_destination_ident, destination_slot);
    match_star_transition(kNoSelection, kNoSelection);
}

// The working reader's part of the same.
void apply_working_keys_alone() {
    if (record.cruise_altitude_seen) plan_cruise_altitude = record.cruise_altitude;
    if (record.reserve_fuel_seen) plan_fuel_on_board = record.reserve_fuel;
    if (record.planned_fuel_seen) planned_fuel = record.planned_fuel;
    // The approach goes into a change pending, shown before EXEC flies it;
    // with none pending it names no plan's.
    if (record.approach_info_seen) {
        approach_info = record.approach_info;
        const bool pending = route_state == kRouteStateEntered || route_state == kRouteStateActivated ||
                             route_state == kRouteStateActiveModified;
        if (pending) {
            take_up_file_approach(working_target());
            tell_approach_not_taken(working_plan);
        }
        approach_info.clear();
    }
    if (!on_the_ground()) return;
    if (LoadFuelonFlightPlanLoad == 1 && record.planned_fuel_seen && planned_fuel > 5.0)
        load_fuel(planned_fuel);
    if (SetMCPCrzAltOnFlightPlanLoad == 1 && record.cruise_altitude_seen)
        trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(plan_cruise_altitude));
}

void prepare_aircraft_for_working_plan() {
    if (!on_the_ground()) return;
    if (LoadFuelonFlightPlanLoad == 1 && planned_fuel > 5.0) load_fuel(planned_fuel);
    if (SetMCPCrzAltOnFlightPlanLoad == 1)
        trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(plan_cruise_altitude));
    if (SetMCPSpdOnFlightPlanLoad > 0)
        trigger_key_event(kKeyAutopilotAirspeedSet, static_cast<uint32_t>(SetMCPSpdOnFlightPlanLoad));
}

} // namespace

const RouteFileOutcome& last_route_file_outcome() {
    return outcome;
}

void set_sim_clock_to_utc() {
    const os::SystemTime now = os::system_time_utc();
    trigger_key_event(kKeyClockHoursSet, now.hour);
    trigger_key_event(kKeyClockMinutesSet, now.minute);
}

void delete_all_holds() {
    hold_armed = 0;
    clear_holds();
}

// A file that cannot be read or does not fit leaves both plans as they were.
void load_route_file(int request) {
    const std::string name = route_file_request_name;
    read_route_file(name, ends_with_pln(name));
    const RouteLoadAsker asker = request == kRouteFileRequestMcu        ? RouteLoadAsker::Mcu
                                 : request == kRouteFileRequestTextPage ? RouteLoadAsker::TextPage
                                                                        : RouteLoadAsker::Nobody;
    // Only this load's own note is told.
    text_page_note.clear();
    if (asker == RouteLoadAsker::Mcu) mcu_load_message.clear();
    if (!report_record(asker)) {
        if (keys_alone()) apply_active_keys_alone();
        finish_active_load();
        return;
    }
    // The MCU's plan replaces the flown one: a modification pending on the
    // CDU ends there, said, before the load puts the plan in place; the load
    // is the MCU's edit, which the other units name when they say so.
    const PlanUnitScope unit(request == kRouteFileRequestMcu ? PlanUnit::Mcu : PlanUnit::Core);
    end_other_units_modification();
    begin_active_load();
    apply_active_keys();
    {
        // A whole new plan: the cursors stay at their rows, the TO is set.
        PlanEdit edit(active_target(), "a route loaded");
        edit.keep_cursors();
        fill_active_plans(edit);
        if (edit.last() > 0) set_up_active_route(edit, request);
    }
    take_up_flown_airports();
    // The file's approach flown with its legs, as a change would show it.
    take_up_file_approach(active_target());
    tell_approach_not_taken(active_plan);
    match_loaded_approach();
    prepare_aircraft_for_active_route(request);
    if (!text_page_note.empty() && warning_messages.count() < 400) warning_messages.append(text_page_note);
    activate_active_route();
    finish_active_load();
}

bool load_route_file_to_working(const std::string& name, int keys_off, RouteLoadAsker asker) {
    if (name == "NEXT FPL") {
        empty_working_plan_for_new_plan();
        return true;
    }
    const std::string upper = to_upper_ascii(name);
    const bool is_pln = upper.find(".PLN") != std::string::npos;
    read_route_file(is_pln ? upper : name, is_pln);
    if (!report_record(asker)) {
        if (keys_off == 0 && keys_alone()) apply_working_keys_alone();
        return false;
    }

    begin_working_load();
    if (keys_off == 0) apply_working_keys();
    fill_working_plan();
    // EXEC starts the TO waypoint; until then no route is flown.
    if (route_state == kRouteStateNone) advance_route_state();
    if (keys_off != 0) return true;
    if (working_plan_last >= 1) set_up_working_airports();
    take_up_file_approach(working_target());
    tell_approach_not_taken(working_plan);
    prepare_aircraft_for_working_plan();
    return true;
}

void load_route_preview(const std::string& name) {
    plan_cruise_altitude = 0;
    plan_fuel_on_board = 0.0;
    const std::string upper = to_upper_ascii(name);
    const bool is_pln = upper.find(".PLN") != std::string::npos;
    read_route_file(is_pln ? upper : name, is_pln);
    if (!report_record(RouteLoadAsker::Nobody)) return;
    replace_plan(preview_target(), record.waypoints, record.waypoints.last());
}

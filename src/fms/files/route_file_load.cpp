#include "fms/files/route_file_load.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/files/flight_log.h"
#include "fms/files/gps_plan_import.h"
#include "fms/files/route_file.h"
#include "fms/files/sim_plan_import.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_state.h"
#include "fms/plan/airport_selection.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/procedures/selection_texts.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/update_counters.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

namespace {

const char* const kNoSelection = "------";

bool ends_with_pln(const std::string& name) {
    return name.size() >= 4 && equals_ignoring_case(name.substr(name.size() - 4), ".PLN");
}

bool on_the_ground() {
    return aircraft_state.ground_speed_kt < 5.0;
}

// Opens a plan by its name in the flight-plans folder; a simulator plan is
// converted into temp.rte first. Null when there is nothing to read.
std::FILE* open_plan(std::string name, bool is_pln, const char* temp_name) {
    if (is_pln) {
        if (import_simulator_flight_plan(name) == -99) return nullptr;
        name = temp_name;
    }
    return os::open_file(flight_plans_folder() + name, "r");
}

// Reads the next line that matters: false at the end of the file. A blank
// line (a hand-edited file's last one, say) is no waypoint at 0 N 0 E.
bool next_line(std::FILE* file, std::string& line, RouteLine& tokens) {
    while (read_line(file, line, kRouteLineMax)) {
        tokens = split_route_line(line);
        if (tokens.count > 0 && tokens.token[0].compare(0, 1, ";") != 0) return true;
    }
    return false;
}

bool is_header(const RouteLine& tokens) {
    return equals_ignoring_case(tokens.token[0], "[FlightPlan]");
}

// A waypoint line's entry with the navaid's frequency (and kind, for an
// intersection or untyped entry) when the line has no frequency.
RouteWaypoint read_waypoint(const RouteLine& tokens) {
    RouteWaypoint w = waypoint_from_route_line(tokens);
    if (w.frequency.empty() && w.type != "APT") {
        const int n = find_navaid(w.ident, w.type, w.lat);
        if (n > 0) {
            const NavRecord& navaid = navaid_table[n];
            w.frequency = navaid.extra;
            if (w.type == "INT" || w.type.empty()) {
                if (navaid.kind == "V") w.type = "VOR";
                if (navaid.kind == "N") w.type = "NDB";
            }
        }
    }
    return w;
}

void preset_origin(const std::string& ident) {
    origin_airport_ident = ident;
    route_origin_ident = ident;
    departure_origin_ident = ident;
    sel_sid = kNoSelection;
    sel_sid_transition = kNoSelection;
    sel_departure_runway = kNoSelection;
    load_airport_detail(ident, origin_slot);
    match_sid_transition(kNoSelection, kNoSelection);
}

void preset_arrival_selections() {
    sel_star = kNoSelection;
    sel_star_transition = kNoSelection;
    sel_arrival_runway = kNoSelection;
}

// Key lines of the active reader; the line is upper-cased first.
void active_key(const std::string& raw, double& fuel_total) {
    std::string key, value;
    const std::string line = to_upper_ascii(raw);
    route_key_value(line, key, value);
    if (key == "CRUISEALT") cruise_altitude = parse_int(value);
    if (key == "TRIPFUEL") fuel_total += parse_double(value);
    if (key == "RESVFUEL") {
        fuel_on_board_low_lb = parse_double(value);
        fuel_total += parse_double(value);
    }
    if (line.compare(0, 4, "FUEL") == 0) fuel_total = parse_double(value);
}

void working_key(const std::string& line) {
    std::string key, value;
    route_key_value(line, key, value);
    if (equals_ignoring_case(key, "CruiseAlt")) plan_cruise_altitude = parse_int(value);
    if (equals_ignoring_case(key, "TripFuel")) planned_fuel += parse_double(value);
    if (equals_ignoring_case(key, "ResvFuel")) {
        plan_fuel_on_board = parse_double(value);
        planned_fuel += parse_double(value);
    }
    if (equals_ignoring_case(key, "Fuel")) planned_fuel = parse_double(value);
    if (equals_ignoring_case(key, "ApproachInfo")) approach_info = value;
}

void empty_working_plan_for_new_plan() {
    for (int i = 0; i <= working_plan_last && i <= kPlanLastIndex; ++i) {
        RouteWaypoint& w = working_plan.slot(i);
        w.type.clear();
        w.frequency.clear();
        w.aux_text.clear();
        w.kind.clear();
        w.via.clear();
    }
    working_plan_last = -1;
    RouteWaypoint& first = working_plan.slot(0);
    clear_waypoint(first);
    first.ident = "******";
    first.course = -1.0;
    working_plan.slot(1).ident.clear();
    working_cursor_index = 0;
}

// The steps every load_route_file ends with, also when nothing was read.
void finish_active_load() {
    display_refresh_counter = 999;
    if (SetWptBaro == 1) trigger_key_event(0x10030, 0);
    gns_route_loaded_flag = 1;
}

} // namespace

void set_sim_clock_to_utc() {
    const os::SystemTime now = os::system_time_utc();
    trigger_key_event(0x1021B, now.hour);
    trigger_key_event(0x1021C, now.minute);
}

void delete_all_holds() {
    hold_armed = 0;
    // Each pass removes the first hold (or, when none is found by its active
    // index, stops): the list only shrinks.
    for (int guard = hold_count(); guard > 0 && hold_count() > 0; --guard) {
        const int before = hold_count();
        delete_hold(hold_list[1].active_index, 0);
        if (hold_count() == before) hold_list.set_count(0);
    }
}

void load_route_file(int request) {
    const std::string name = route_file_request_name;
    std::FILE* file = open_plan(name, ends_with_pln(name), "Temp.RTE");
    if (!file) {
        finish_active_load();
        return;
    }

    fuel_on_board_low_lb = 0.0;
    active_plan_last = -1;
    working_plan_last = -1;
    intercept_armed = 0;
    gns_nav_flag = 0;
    cruise_altitude = 0;
    double fuel_total = 0.0;
    takeoff_time_text = "-----";
    payload_read_flag = 0.0;

    bool section = false;
    std::string line;
    RouteLine tokens;
    while (active_plan_last < kPlanLastIndex && next_line(file, line, tokens)) {
        if (!section) {
            // Key lines stand before the header only: a waypoint whose ident
            // begins with "FUEL" must not become the planned fuel.
            active_key(line, fuel_total);
            section = is_header(tokens);
            continue;
        }
        const RouteWaypoint w = read_waypoint(tokens);
        const int i = ++active_plan_last;
        working_plan_last = i;
        copy_waypoint_fields(w, active_plan.slot(i));
        copy_waypoint_fields(w, working_plan.slot(i));
        if (i == 1) working_cursor_index = 1;
        if (i == 0 && equals_ignoring_case(tokens.token[3], "APT")) {
            preset_origin(w.ident);
            descent_speed_phase = 0;
            gns_origin_loaded_flag = 1;
        }
        if (i == 1) {
            direct_to_active = 0;
            to_position = GeoPosition{w.lat, w.lon};
            to_waypoint_index = 1;
            clear_fix_info(0);
        }
    }

    if (active_plan_last > 0) {
        const int last = active_plan_last;
        if (last < kPlanLastIndex) working_plan.slot(last + 1).ident = "******";

        double distance = 0.0, course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, active_plan[0].lat, active_plan[0].lon,
                       &distance, &course);
        std::string route_name;
        if (distance <= 7.0) {
            route_name = active_plan[0].ident;
            destination_airport_state = 1;
        } else {
            route_name = active_plan[last].ident;
            destination_airport_state = 2;
        }

        const RouteWaypoint& destination = active_plan[last];
        vertical_target_lat = destination.lat;
        vertical_target_lon = destination.lon;
        destination_airport_ident = destination.ident;
        route_destination_ident = destination.ident;
        arrival_destination_ident = destination.ident;
        load_airport_detail(destination.ident, destination_slot);
        match_star_transition(kNoSelection, kNoSelection);
        select_airport(destination.ident, 2);
        preset_arrival_selections();

        descent_rate_used_fpm = DescentRate;
        constraint_waypoint_index = last;
        mcu_legs_index = 1;
        vnav_speed_set = 0;
        distance_to_to_nm = 999.0;
        route_state = 0;
        delete_all_holds();
        reset_active_route_state();
        // After EXEC, whose first activation empties the MCU entry: the MCU's
        // airport page is to open on this name.
        if (request == 1) {
            mcu_entry_text = route_name;
            mcu_enter_pressed = 1;
        } else if (request == 3) {
            mcu_keyboard_text = route_name;
            mcu_keyboard_enter = 1;
        }
    }

    route_load_source = request;
    tower_view_set = 0;
    if (SetUTCTimeOnFPLoad == 1 && on_the_ground()) set_sim_clock_to_utc();
    if (on_the_ground()) {
        flight_phase = -1;
        if (LoadFuelonFlightPlanLoad == 1 && fuel_total > 5.0) load_fuel(fuel_total);
        if (SetMCPCrzAltOnFlightPlanLoad == 1)
            trigger_key_event(0x1024C, static_cast<uint32_t>(cruise_altitude));
        if (SetMCPSpdOnFlightPlanLoad > 0)
            trigger_key_event(0x101F5, static_cast<uint32_t>(SetMCPSpdOnFlightPlanLoad));
        last_clock_second = -99.0;
        flight_elapsed_seconds = 0.0;
        write_flight_log(0);
    }
    warning_messages.set_count(2);
    std::fclose(file);

    if (active_plan_last == -1) {
        active_plan_last = 0;
    } else {
        gns_fpln_flag_a = 1;
        gns_fpln_flag_b = 1;
        if (active_plan_last > 0) {
            route_state = 3;
            if (aircraft_state.ground_speed_kt < 50.0) {
                climb_speed_target = climb_speed_default;
                cruise_speed_target = cruise_speed_default;
                descent_speed_target = descent_speed_default;
            }
            if (LnavSetEnRouteFreqs == 1) autotune_leg_radios(2);
        }
    }
    finish_active_load();
}

void load_route_file_to_working(const std::string& name, int keys_off) {
    if (name == "NEXT FPL") {
        empty_working_plan_for_new_plan();
        return;
    }
    const std::string upper = to_upper_ascii(name);
    const bool is_pln = upper.find(".PLN") != std::string::npos;
    std::FILE* file = open_plan(is_pln ? upper : name, is_pln, "Temp.rte");
    if (!file) return;

    plan_cruise_altitude = 0;
    plan_fuel_on_board = 0.0;
    planned_fuel = 0.0;
    working_plan_last = -1;
    intercept_armed = 0;

    bool section = false;
    std::string line;
    RouteLine tokens;
    while (working_plan_last < kPlanLastIndex && next_line(file, line, tokens)) {
        if (!section) {
            if (keys_off == 0) working_key(line);
            section = is_header(tokens);
            continue;
        }
        const int i = ++working_plan_last;
        copy_waypoint_fields(read_waypoint(tokens), working_plan.slot(i));
        if (i == 1) working_cursor_index = 1;
    }
    std::fclose(file);

    if (route_state == 0) {
        advance_route_state();
        to_waypoint_index = 1;
    }
    if (keys_off != 0) return;
    if (working_plan_last >= 1) {
        write_flight_log(0);
        const RouteWaypoint& first = working_plan[0];
        if (first.type == "APT") {
            preset_origin(first.ident);
            pending_departure_runway = kNoSelection;
            applied_departure_runway = kNoSelection;
            applied_sid_transition = kNoSelection;
        }
        const RouteWaypoint& last = working_plan[working_plan_last];
        if (last.type == "APT") {
            if (smiths_cdu_page == 1 && route_state != 3) {
                route_destination_ident = last.ident;
                arrival_destination_ident = last.ident;
                if (route_state < 2) destination_airport_ident = last.ident;
            } else {
                destination_airport_ident = last.ident;
                arrival_destination_ident = last.ident;
            }
            preset_arrival_selections();
            applied_arrival_runway = kNoSelection;
            applied_star_transition = kNoSelection;
            exec_arrival_runway = kNoSelection;
            load_airport_detail(arrival_destination_ident, destination_slot);
            match_star_transition(kNoSelection, kNoSelection);
        }
    }
    if (on_the_ground()) {
        if (LoadFuelonFlightPlanLoad == 1 && planned_fuel > 5.0) load_fuel(planned_fuel);
        if (SetMCPCrzAltOnFlightPlanLoad == 1)
            trigger_key_event(0x1024C, static_cast<uint32_t>(plan_cruise_altitude));
        if (SetMCPSpdOnFlightPlanLoad > 0)
            trigger_key_event(0x101F5, static_cast<uint32_t>(SetMCPSpdOnFlightPlanLoad));
    }
}

void load_route_preview(const std::string& name) {
    plan_cruise_altitude = 0;
    plan_fuel_on_board = 0.0;
    const std::string upper = to_upper_ascii(name);
    const bool is_pln = upper.find(".PLN") != std::string::npos;
    std::FILE* file = open_plan(is_pln ? upper : name, is_pln, "Temp.rte");
    if (!file) return;

    preview_plan_last = -1;
    bool section = false;
    std::string line;
    RouteLine tokens;
    while (preview_plan_last < kPlanLastIndex && next_line(file, line, tokens)) {
        if (!section) {
            section = is_header(tokens);
            continue;
        }
        copy_waypoint_fields(read_waypoint(tokens), preview_plan.slot(++preview_plan_last));
    }
    std::fclose(file);
}

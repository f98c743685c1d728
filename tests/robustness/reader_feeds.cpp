#include "robustness/reader_feeds.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/display_settings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "data/reader_checks.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/module_config.h"
#include "fms/files/route_file_load.h"
#include "fms/files/sim_plan_import.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_values.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/approach_file.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "gns_mcu/gns_cursors.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <set>
#include <sstream>

std::vector<std::string> split_parts(std::string_view input, std::size_t count) {
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const std::size_t at = input.find(kPartSeparator);
        if (at == std::string_view::npos) break;
        parts.emplace_back(input.substr(0, at));
        input.remove_prefix(at + kPartSeparator.size());
    }
    parts.emplace_back(input);
    parts.resize(count);
    return parts;
}

std::string join_parts(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += kPartSeparator;
        joined += parts[i];
    }
    return joined;
}

int last_sim_plan_import = 0;

namespace {

// The files of one run: nothing else can be opened for reading while it lasts,
// so a file name taken from the input never reaches the disk.
class MemoryFiles {
  public:
    MemoryFiles() {
        os::clear_memory_files();
        os::set_memory_files_only(true);
        host_folder.clear();
    }
    ~MemoryFiles() { os::clear_memory_files(); }
    MemoryFiles(const MemoryFiles&) = delete;
    MemoryFiles& operator=(const MemoryFiles&) = delete;

    void add(const std::string& module_path, std::string bytes) {
        os::set_memory_file(module_path, std::move(bytes));
    }
};

// The first word of a parameter part (up to a blank or line end).
std::string word(const std::string& text, std::size_t n) {
    std::size_t i = 0;
    std::string w;
    for (std::size_t k = 0; k <= n; ++k) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n'))
            ++i;
        w.clear();
        while (i < text.size() && text[i] != ' ' && text[i] != '\r' && text[i] != '\n')
            w += text[i++];
    }
    return w;
}

std::string broken(const char* format, long value) {
    char text[160];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Counts within capacity and every stored slot inside the table.
template <class Table> std::string check_table(const char* name, const Table& table) {
    if (table.count() < 0 || static_cast<std::size_t>(table.count()) >= Table::slots)
        return std::string(name) + broken(" count %ld outside its capacity", table.count());
    if (table.stored() > Table::slots) return std::string(name) + " stores more slots than it has";
    return {};
}

// Nothing off the globe is loaded: no record of the table stands there.
template <class Table> std::string check_on_globe(const char* name, const Table& table) {
    for (int i = 1; i <= table.count(); ++i)
        if (!on_globe(table[i].latitude, table[i].longitude))
            return std::string(name) + broken(" record %ld off the globe", i);
    return {};
}

// Every value the text spells whole as one token (blanks, commas and line
// ends between tokens; a header's brackets around them), and 0, which a
// token a record lacks gives.
std::set<double> whole_numbers_of(std::string_view text) {
    std::set<double> numbers{0.0};
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n\v\f,[]", i);
        if (start == std::string_view::npos) break;
        std::size_t end = text.find_first_of(" \t\r\n\v\f,[]", start);
        if (end == std::string_view::npos) end = text.size();
        double value = 0.0;
        if (parse_whole_number(text.substr(start, end - start), value)) numbers.insert(value);
        i = end;
    }
    return numbers;
}

// Nothing loaded holds a position its record's text does not spell whole
// ("12.5x" is no 12.5, "0x10" no 16). `wrap` takes a longitude east of 180
// as the text may write it.
template <class Table>
std::string check_spelled(const char* name, const Table& table, const std::set<double>& numbers,
                          bool wrap = false) {
    for (int i = 1; i <= table.count(); ++i) {
        const double lon = table[i].longitude;
        if (!numbers.count(table[i].latitude) ||
            !(numbers.count(lon) || (wrap && numbers.count(lon + 360.0))))
            return std::string(name) + broken(" record %ld holds a position no token spells whole", i);
    }
    return {};
}

std::string first_of(std::initializer_list<std::string> problems) {
    for (const std::string& p : problems)
        if (!p.empty()) return p;
    return {};
}

std::string check_procedures(const char* name, const BoundedTable<ProcedureRecord, 91>* stars,
                             const BoundedTable<ProcedureRecord, 141>* others) {
    std::string p;
    auto legs = [&](const auto& table) {
        for (int i = 1; i <= table.count() && p.empty(); ++i)
            p = first_of({check_table(name, table[i].legs), check_on_globe(name, table[i].legs)});
    };
    if (stars) {
        p = check_table(name, *stars);
        if (p.empty()) legs(*stars);
    }
    if (others && p.empty()) {
        p = check_table(name, *others);
        if (p.empty()) legs(*others);
    }
    return p;
}

std::string check_slot(const AirportProcedures& s) {
    if (!on_globe(s.airport_latitude, s.airport_longitude)) return "an airport off the globe";
    return first_of({check_table("runways", s.runways), check_on_globe("runways", s.runways),
                     check_table("star entries", s.star_entry_list),
                     check_table("star transitions", s.star_transition_list),
                     check_table("approach groups", s.approach_groups), check_table("IAF list", s.iaf_list),
                     check_table("candidates", candidate_list())});
}

// The candidates of a lookup come nearest first, undefined positions last.
std::string check_nearest_first(double lat, double lon) {
    if (std::string p = check_table("candidates", candidate_list()); !p.empty()) return p;
    double previous = -1.0;
    for (int i = 1; i <= candidate_count() && candidate_count() > 1; ++i) {
        double distance = 0.0, course = 0.0;
        gc_dist_course(lat, lon, candidate_list()[i].latitude, candidate_list()[i].longitude, &distance,
                       &course);
        if (std::isnan(distance)) distance = std::numeric_limits<double>::infinity();
        if (distance < previous) return broken("candidate %ld is nearer than the one before", i);
        previous = distance;
    }
    return {};
}

// orvex.cfg.
std::string feed_module_config(std::string_view input) {
    MemoryFiles files;
    files.add("\\orvex\\orvex.cfg", std::string(input));
    load_config();
    // Values come from lines of at most 298 characters.
    for (const std::string* text : {&FlightPlansFolder, &ParkingFile, &WeightUnit})
        if (text->size() > 298)
            return broken("a text setting of %ld characters", static_cast<long>(text->size()));
    return config_loaded == 1 ? std::string() : "config_loaded not set";
}

// The aircraft file and navs.txt (its AIRAC line).
std::string feed_aircraft_config(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 2);
    MemoryFiles files;
    aircraft_parameter = "FUZZ";
    files.add("\\orvex\\Aircraft\\FUZZ.cfg", parts[0]);
    files.add("\\orvex\\Navdata\\navs.txt", parts[1]);
    load_aircraft_config();
    if (std::string p = check_table("lvar bindings", lvar_bindings); !p.empty()) return p;
    for (int i = 1; i <= lvar_bindings.count(); ++i)
        if (lvar_bindings[i].variable_name.empty()) return broken("binding %ld has no name", i);
    auto within = [](int v, int first, int last) { return v >= first && v <= last; };
    const bool modes_in_range = within(efs50_ehsi_mode, kEfs50EhsiModeHsi, kEfs50EhsiModeArcWxOff) &&
                                within(efs50_nav_source, kEfs50NavSourceVor, kEfs50NavSourceFms) &&
                                within(du_1000_ehsi_mode, kEhsiModeCompass, kEhsiModeMap) &&
                                within(hw_b737_nd_mode, kB737NdModeCompass, kB737NdModePlan) &&
                                within(hw_md11_nd_mode, kMd11NdModeNone, kMd11NdModeApp) &&
                                within(md80_ehsi_mode, kEhsiModeCompass, kEhsiModeMap) &&
                                within(proline4_mfd_mode, kProline4ModeNav, kProline4ModeMap);
    return modes_in_range ? std::string() : "a display mode outside its range";
}

// The performance file named by PerformanceData.
std::string feed_performance(std::string_view input) {
    MemoryFiles files;
    PerformanceData = "FUZZ_perf.txt";
    files.add("\\orvex\\aircraft\\FUZZ_perf.txt", std::string(input));
    load_performance_data();
    const PerformanceTables& t = performance_tables;
    for (int count : {t.climb_row_count, t.cruise_row_count, t.descent_row_count, t.altitude_row_count})
        if (count < 0 || count >= PerformanceTables::kRows) return broken("a row count of %ld", count);
    if (t.weight_count < 0 || t.weight_count > PerformanceTables::kWeights)
        return broken("%ld gross weights", t.weight_count);
    for (int r = 1; r <= t.cruise_row_count; ++r)
        if (t.cruise[r].value_count > 26)
            return broken("cruise row with %ld values", t.cruise[r].value_count);
    // Each value of a row loaded is one its text spells whole; no speed is 0.
    const std::set<double> numbers = whole_numbers_of(input);
    auto spelled = [&](const double* row, std::initializer_list<int> slots) {
        for (int slot : slots)
            if (!numbers.count(row[slot])) return false;
        return true;
    };
    for (int r = 1; r <= t.climb_row_count; ++r)
        if (!spelled(t.climb[r], {21, 22, 23, 2}) || t.climb[r][22] < 1.0)
            return broken("climb row %ld holds a value no token spells whole", r);
    for (int r = 1; r <= t.descent_row_count; ++r)
        if (!spelled(t.descent[r], {0, 1, 2, 3}) || t.descent[r][3] < 1.0)
            return broken("descent row %ld holds a value no token spells whole", r);
    for (int r = 1; r <= t.cruise_row_count; ++r)
        if (!spelled(t.cruise[r].slots, {61, 62}) || t.cruise[r].slots[62] < 1.0)
            return broken("cruise row %ld holds a value no token spells whole", r);
    for (int k = 1; k <= t.weight_count; ++k)
        if (!numbers.count(t.cruise[0].slots[31 + k] / 1000.0) && t.cruise[0].slots[31 + k] != 0.0)
            return broken("gross weight %ld no token spells whole", k);
    return {};
}

// ints, awys, apts and navs, each followed by its user file.
std::string feed_nav_database(std::string_view input) {
    static const char* const kNames[] = {"ints.txt", "ints_user.txt", "awys.txt", "awys_user.txt",
                                         "apts.txt", "apts_user.txt", "navs.txt", "navs_user.txt"};
    const std::vector<std::string> parts = split_parts(input, 8);
    MemoryFiles files;
    for (std::size_t i = 0; i < 8; ++i)
        files.add(std::string("\\orvex\\navdata\\") + kNames[i], parts[i]);
    load_nav_database();
    std::string p = first_of(
        {check_table("intersections", intersection_table), check_table("airway fixes", airway_fix_table),
         check_table("airports", airport_table), check_table("navaids", navaid_table),
         check_table("warnings", warning_messages), check_table("letter index", navaid_letter_index),
         check_on_globe("intersections", intersection_table),
         check_on_globe("airway fixes", airway_fix_table), check_on_globe("airports", airport_table),
         check_on_globe("navaids", navaid_table)});
    if (!p.empty()) return p;
    const std::set<double> numbers = whole_numbers_of(input);
    p = first_of({check_spelled("intersections", intersection_table, numbers),
                  check_spelled("airway fixes", airway_fix_table, numbers),
                  check_spelled("airports", airport_table, numbers),
                  check_spelled("navaids", navaid_table, numbers)});
    if (!p.empty()) return p;
    for (int i = 1; i <= navaid_table.count(); ++i) {
        const std::string_view f = navaid_table[i].extra;
        double value = 0.0;
        if (!f.empty() && f != "-" && (!parse_whole_number(f, value) || value <= 0.0))
            return broken("navaid %ld has a frequency that is no number", i);
    }
    for (int i = 1; i <= airway_fix_table.count(); ++i)
        if (airway_fix_table[i].ident.size() < 4) return broken("airway fix %ld shorter than 4", i);
    // Every navaid found by ident is one of that ident.
    for (int i = 1; i <= navaid_table.count() && i <= 64; ++i) {
        const NavRecordView r = navaid_table[i];
        const int found = find_navaid(r.ident, r.kind == "V" ? "" : r.kind, r.latitude);
        if (found < 0 || found > navaid_table.count()) return broken("find_navaid gave %ld", found);
        if (found > 0 && navaid_table[found].ident != r.ident)
            return broken("find_navaid gave navaid %ld", found);
    }
    // The loaded positions, whatever they are, through the waypoint lookup.
    for (int i = 1; i <= 4; ++i) {
        for (const std::string_view ident : {navaid_table[i].ident, intersection_table[i].ident}) {
            waypoint_lookup_text = ident;
            lookup_waypoint_entry(0, 47.449, -122.3093);
            if (std::string p = check_nearest_first(47.449, -122.3093); !p.empty()) return p;
        }
    }
    return {};
}

// The airport ident (first part), the airport files and one procedure file
// pair, loaded into the slot that reads it.
std::string feed_airport(std::string_view input, const char* base, const char* user, int slot) {
    const std::vector<std::string> parts = split_parts(input, 5);
    MemoryFiles files;
    std::string ident = word(parts[0], 0);
    if (ident.empty()) ident = "KSEA";
    files.add("\\orvex\\Navdata\\apts.txt", parts[1]);
    files.add("\\orvex\\Navdata\\apts_user.txt", parts[2]);
    files.add(std::string("\\orvex\\Navdata\\") + base, parts[3]);
    if (user) files.add(std::string("\\orvex\\Navdata\\") + user, parts[4]);
    load_airport_detail(ident, slot);
    const AirportProcedures& s = airport_slots[static_cast<std::size_t>(slot)];
    std::string p = check_slot(s);
    if (p.empty()) p = check_procedures("SIDs", nullptr, &s.sids);
    if (p.empty()) p = check_procedures("STARs", &s.stars, &s.approaches);
    if (p.empty()) p = check_table("approach fix list", approach_fix_list);
    if (p.empty() && s.runways.count() > 0 && s.airport_ident != ident) return "runways of another airport";
    return p;
}

std::string feed_sid(std::string_view input) {
    return feed_airport(input, "sids.txt", "sids_user.txt", origin_slot);
}
std::string feed_star(std::string_view input) {
    return feed_airport(input, "stars.txt", "stars_user.txt", destination_slot);
}
std::string feed_approach(std::string_view input) {
    std::string p = feed_airport(input, "apps.txt", nullptr, destination_slot);
    // The approach pages rebuild the list for one runway at a time.
    const AirportProcedures& s = airport_slots[destination_slot];
    for (int r = 1; r <= s.runways.count() && p.empty(); ++r) {
        build_approach_fix_list(s.runways[r].designator);
        p = check_table("approach fix list", approach_fix_list);
    }
    return p;
}

std::string feed_atc_boundaries(std::string_view input) {
    MemoryFiles files;
    files.add("\\orvex\\navdata\\atc_bdry.txt", std::string(input));
    load_atc_boundaries();
    if (std::string p = check_table("boundaries", atc_boundaries); !p.empty()) return p;
    const std::set<double> numbers = whole_numbers_of(input);
    for (int i = 1; i <= atc_boundaries.count(); ++i) {
        const AtcBoundary& b = atc_boundaries[i];
        if (std::string p = check_table("boundary points", b.points); !p.empty()) return p;
        if (b.point_count != b.points.count()) return broken("boundary %ld miscounts its points", i);
        if (std::string p = check_on_globe("boundary points", b.points); !p.empty()) return p;
        if (std::string p = check_spelled("boundary points", b.points, numbers, true); !p.empty()) return p;
    }
    return atc_boundaries_loaded == 1 ? std::string() : "boundaries not marked loaded";
}

// "airport runway", then orvex_apts.txt.
std::string feed_runway_ref(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 2);
    MemoryFiles files;
    files.add("\\orvex\\navdata\\orvex_apts.txt", parts[1]);
    const std::string unset = "unset\n"; // no line of a file holds a line end
    runway_ref_text = unset;
    smiths_scratchpad = "SCRATCH";
    smiths_scratchpad_message.clear();
    lookup_runway_ref_data(word(parts[0], 0), word(parts[0], 1));
    const bool found = runway_ref_text != unset;
    if (found && !smiths_scratchpad.empty()) return "found, but the scratchpad stays";
    if (!found && smiths_scratchpad_message != "NOT FOUND IN DATABASE") return "not found, and no message";
    return {};
}

// The parking position's name, then the parking file.
std::string feed_parking(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 2);
    MemoryFiles files;
    ParkingFile = "FUZZ_parking.txt";
    files.add("\\orvex\\Aircraft\\FUZZ_parking.txt", parts[1]);
    lookup_parking_position(word(parts[0], 0));
    if (!on_globe(parking_position.latitude, parking_position.longitude))
        return "a parking position off the globe";
    return parking_position.heading == 360.0 ? "a heading of 360 kept" : std::string();
}

// "airport runway-line", apts.txt, then apt_additional_info.txt: the
// airport selected with its runway list and right-hand patterns, and the
// tower view that the destination's section (or the runway) gives.
std::string feed_additional_info(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 3);
    MemoryFiles files;
    files.add("\\orvex\\Navdata\\apts.txt", parts[1]);
    files.add("\\orvex\\Navdata\\apt_additional_info.txt", parts[2]);
    std::string ident = word(parts[0], 0);
    if (ident.empty()) ident = "KPDX";
    set_active_last(0);
    active_entry(0).ident = ident;
    select_airport(ident, kSelectAirportDestination);
    // A line of the runway page, as its keys choose one (1 to 6).
    airport_runway_selected_line =
        1 + static_cast<int>(static_cast<unsigned>(parse_int(word(parts[0], 1).c_str())) % 6);
    if (std::string p = first_of({check_table("runway list", airport_runway_list),
                                  check_on_globe("runway list", airport_runway_list)});
        !p.empty())
        return p;
    const TowerView view = tower_view_position();
    if (!on_globe(view.latitude, view.longitude)) return "a tower view off the globe";
    airport_runway_selected_line = kNoRunwayLine;
    return {};
}

// "airway current-fix", then awys.txt.
std::string feed_airway(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 2);
    MemoryFiles files;
    files.add("\\orvex\\navdata\\awys.txt", parts[1]);
    gns_sub_state = kGnsSubStateNone;
    set_working_last(1);
    working_cursor.move_to(1);
    working_entry(1).ident = word(parts[0], 1);
    std::string airway = word(parts[0], 0);
    load_airway(airway);
    if (std::string p = first_of(
            {check_table("candidates", candidate_list()), check_on_globe("candidates", candidate_list())});
        !p.empty())
        return p;
    if (!airway.empty() && airway[0] == '#') airway.erase(0, 1);
    for (int i = 1; i <= candidate_count(); ++i)
        if (candidate_list()[i].text_1 != airway) return broken("candidate %ld of another airway", i);
    if (unit_candidates().from_index < 0 || unit_candidates().from_index > candidate_count())
        return broken("the current fix at %ld", unit_candidates().from_index);
    return {};
}

// A scratchpad text looked up in the bundled example database, from Seattle.
std::string feed_waypoint_entry(std::string_view input) {
    static int loaded_generation = -1;
    if (loaded_generation != nav_database_generation || loaded_generation < 0) {
        os::clear_memory_files();
        host_folder = ORVEX_SOURCE_DIR "/examples/sim";
        load_nav_database();
        loaded_generation = nav_database_generation;
    }
    const double lat = 47.449, lon = -122.3093;
    waypoint_lookup_text = std::string(input);
    lookup_waypoint_entry(0, lat, lon);
    return check_nearest_first(lat, lon);
}

std::string check_plans() {
    for (int last : {active_plan_last, working_plan_last, preview_plan_last})
        if (last < -1 || last > kPlanLastIndex) return broken("a plan's last index %ld", last);
    for (const RoutePlan* plan :
         std::initializer_list<const RoutePlan*>{&active_plan.plan(), &working_plan, &preview_plan})
        if (plan->stored() > RoutePlan::slots) return "a plan stores more entries than it has";
    return {};
}

// A route file in the flight-plans folder, then apts.txt: read by the three
// route readers (active, working and preview plan).
std::string feed_route_file(std::string_view input) {
    const std::vector<std::string> parts = split_parts(input, 3);
    MemoryFiles files;
    aircraft_flight_plans_folder.clear();
    FlightPlansFolder.clear();
    files.add("\\orvex\\flightplans\\FUZZ.rte", parts[0]);
    files.add("\\orvex\\Navdata\\apts.txt", parts[1]);
    // The destination's approaches, which the file's ApproachInfo names.
    files.add("\\orvex\\Navdata\\apps.txt", parts[2]);
    route_file_request_name = "FUZZ.rte";
    load_route_file(kRouteFileRequestMcu);
    if (std::string p = check_plans(); !p.empty()) return p;
    load_route_file_to_working("FUZZ.rte", 0, RouteLoadAsker::Smiths);
    load_route_preview("FUZZ.rte");
    return check_plans();
}

// A simulator plan (INI or XML form) imported into temp.rte.
std::string feed_sim_plan(std::string_view input) {
    MemoryFiles files;
    aircraft_flight_plans_folder.clear();
    FlightPlansFolder.clear();
    files.add("\\orvex\\flightplans\\FUZZ.PLN", std::string(input));
    const int result = import_simulator_flight_plan("FUZZ.PLN");
    last_sim_plan_import = result;
    return result == 0 || result == -99 ? std::string() : broken("the import gave %ld", result);
}

// fpl.log condensed into the flight's summary.
std::string feed_flight_summary(std::string_view input) {
    MemoryFiles files;
    aircraft_parameter = "FUZZ";
    files.add("\\orvex\\FlightLog\\fpl.log", std::string(input));
    write_flight_summary();
    return {};
}

} // namespace

const std::vector<ReaderFeed>& reader_feeds() {
    static const std::vector<ReaderFeed> feeds = {
        {"module_config", "orvex.cfg", feed_module_config, {"@orvex.cfg"}},
        {"aircraft_config",
         "aircraft .cfg | navs.txt",
         feed_aircraft_config,
         {"@Aircraft/B738.cfg|@navdata/navs.txt"}},
        {"performance", "performance file", feed_performance, {"@Aircraft/B738_perf.txt"}},
        {"nav_database",
         "ints | ints_user | awys | awys_user | apts | apts_user | navs | navs_user",
         feed_nav_database,
         {"@navdata/ints.txt||@navdata/awys.txt||@navdata/apts.txt||@navdata/navs.txt|"}},
        {"sid",
         "ident | apts | apts_user | sids | sids_user",
         feed_sid,
         {"KSEA|@navdata/apts.txt||@navdata/sids.txt|", "KPDX||@navdata/apts.txt||@navdata/sids.txt"}},
        {"star",
         "ident | apts | apts_user | stars | stars_user",
         feed_star,
         {"KSEA|@navdata/apts.txt||@navdata/stars.txt|", "KPDX||@navdata/apts.txt||@navdata/stars.txt"}},
        {"approach",
         "ident | apts | apts_user | apps",
         feed_approach,
         {"KSEA|@navdata/apts.txt||@navdata/apps.txt", "KPDX|@navdata/apts.txt||@navdata/apps.txt"}},
        {"atc_boundaries", "atc_bdry.txt", feed_atc_boundaries, {"@navdata/atc_bdry.txt"}},
        {"runway_ref",
         "airport runway | orvex_apts.txt",
         feed_runway_ref,
         {"KSEA 16L|@navdata/orvex_apts.txt", "KPDX 99X|@navdata/orvex_apts.txt"}},
        {"parking",
         "name | parking file",
         feed_parking,
         {"KPDX|@Aircraft/B738_parking.txt", "KBFI|@Aircraft/B738_parking.txt"}},
        {"additional_info",
         "ident runway-line | apts.txt | apt_additional_info.txt",
         feed_additional_info,
         {"KPDX|@navdata/apts.txt|@navdata/apt_additional_info.txt",
          "KSEA 1|@navdata/apts.txt|@navdata/apt_additional_info.txt"}},
        {"airway",
         "airway current-fix | awys.txt",
         feed_airway,
         {"J1 SALMN|@navdata/awys.txt", "#J1 NOFIX|@navdata/awys.txt"}},
        {"waypoint_entry",
         "scratchpad text",
         feed_waypoint_entry,
         {"SEA", "N4726.9W12218.3", "4712N", "47N12", "SEA090/10", "SEA090/OLM180", "ALBNY"}},
        {"route_file",
         "route file | apts.txt | apps.txt",
         feed_route_file,
         {"@flightplans/KSEAKPDX.RTE|@navdata/apts.txt|@navdata/apps.txt",
          "@flightplans/KPDXKSEA.RTE|@navdata/apts.txt|@navdata/apps.txt"}},
        {"sim_plan",
         ".PLN file",
         feed_sim_plan,
         {"@flightplans/KSEAKYKM.PLN", "<?xml version=\"1.0\"?>\n<SimBase.Document><FlightPlan.FlightPlan>\n"
                                       "<DepartureID>KSEA</DepartureID>\n<ATCWaypoint id=\"KSEA\">\n"
                                       "<ATCWaypointType>Airport</ATCWaypointType>\n"
                                       "<WorldPosition>N47\xB0 26' 58.00\",W122\xB0 18' "
                                       "34.60\",+000433.00</WorldPosition>\n</ATCWaypoint>\n"
                                       "<ATCWaypoint id=\"SEA\">\n<ATCWaypointType>VOR</ATCWaypointType>\n"
                                       "<WorldPosition>N47\xB0 26' 7.20\",W122\xB0 18' "
                                       "34.80\",+000000.00</WorldPosition>\n</ATCWaypoint>\n"
                                       "</FlightPlan.FlightPlan></SimBase.Document>\n"}},
        {"flight_summary",
         "fpl.log",
         feed_flight_summary,
         {"FlightPlan=KSEA-KPDX\nAircraft=B738\n; TIME Segment Waypoint GSP TAS V/S ALT FF FOB ZFW PLD IAS\n"
          "00:00:00 InitLoad --- 0 0 0 433 0 20000 90000 30000 0\n"
          "00:05:00 Climb SEA 250 280 2500 8000 6000 19500 90000 30000 250\n"
          "00:20:00 Cruise OLM 450 460 0 35000 5000 17000 90000 30000 280\n"
          "00:40:00 Descent BTG 400 420 -2000 15000 2000 15500 90000 30000 290\n"
          "00:55:00 End_Flight KPDX 0 0 0 31 0 15000 90000 30000 0\n"}},
    };
    return feeds;
}

std::string build_seed(const char* recipe, const std::string& example_orvex_folder) {
    std::vector<std::string> parts;
    std::string_view rest = recipe;
    while (true) {
        const std::size_t bar = rest.find('|');
        const std::string_view part = rest.substr(0, bar);
        if (!part.empty() && part[0] == '@') {
            std::ifstream file(example_orvex_folder + "/" + std::string(part.substr(1)), std::ios::binary);
            std::ostringstream bytes;
            bytes << file.rdbuf();
            parts.push_back(bytes.str());
        } else {
            parts.emplace_back(part);
        }
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return join_parts(parts);
}

const ReaderFeed* find_reader_feed(std::string_view name) {
    for (const ReaderFeed& f : reader_feeds())
        if (name == f.name) return &f;
    return nullptr;
}

#include "fms/files/route_file.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/procedure_selection.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr char kNoBreakSpace = '\xA0';

bool is_token_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Blanks inside a text field would split it into several tokens.
std::string encode_field(std::string text) {
    for (char& c : text)
        if (c == ' ' || c == '\t') c = kNoBreakSpace;
    return text;
}

std::string decode_field(std::string text) {
    for (char& c : text)
        if (c == kNoBreakSpace) c = ' ';
    return text;
}

// A route file has no airway waiting for its exit: such an entry is stored
// as the discontinuity it is flown as.
void as_stored_gap(RouteWaypoint& w) {
    make_marker(w, EntryKind::Gap);
    w.via.clear();
    w.kind.clear();
}

bool is_stored_type(const std::string& type) {
    return type == "APT" || type == "VOR" || type == "NDB" || type == "INT" || type == "WPT";
}

// What a reader makes of a waypoint's text fields.
std::string frequency_as_read(const std::string& frequency) {
    return equals_ignoring_case(frequency, "---") ? std::string() : frequency;
}

// The value a reader gets back from the five-decimal text of a position:
// the line stores that rounding, and only a field that splits or misreads
// is a fault.
double position_as_printed(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%.5f", value);
    return parse_double(text);
}

bool same_position(double written, double read) {
    return std::isfinite(written) && read == position_as_printed(written);
}

} // namespace

std::string flight_plans_folder() {
    if (!aircraft_flight_plans_folder.empty()) return aircraft_flight_plans_folder + "\\";
    if (!FlightPlansFolder.empty()) return FlightPlansFolder + "\\";
    return host_folder + "\\orvex\\flightplans\\";
}

RouteLine split_route_line(const std::string& line) {
    RouteLine out;
    std::size_t i = 0;
    while (out.count < 7) {
        while (i < line.size() && is_token_blank(line[i]))
            ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && !is_token_blank(line[i]))
            ++i;
        out.token[out.count++] = line.substr(start, i - start);
    }
    out.token[4] = frequency_as_read(out.token[4]);
    for (int t : {0, 3, 4, 5, 6})
        out.token[t] = decode_field(out.token[t]);
    return out;
}

void route_key_value(const std::string& line, std::string& key, std::string& value) {
    std::string spaced = line;
    for (char& c : spaced)
        if (c == '=') c = ' ';
    const std::vector<std::string> tokens = scan_tokens(spaced, 2);
    key = tokens.size() > 0 ? tokens[0] : std::string();
    value = tokens.size() > 1 ? tokens[1] : std::string();
}

RouteWaypoint waypoint_from_route_line(const RouteLine& line) {
    RouteWaypoint w;
    w.ident = line.token[0];
    w.marker = marker_of_text(w.ident);
    w.lat = parse_double(line.token[1]);
    w.lon = parse_double(line.token[2]);
    w.type = line.token[3];
    w.frequency = line.token[4];
    w.via = line.token[5];
    w.kind = line.token[6];
    w.course = -1.0;
    // An airway that was never closed (files written before it was a gap)
    // is the break in the route it stood for.
    if (w.marker == EntryKind::AirwayThen) as_stored_gap(w);
    return w;
}

bool format_route_line(const RouteWaypoint& w, std::string& line) {
    const std::string ident = encode_field(w.ident);
    const std::string frequency = w.frequency.empty() ? std::string("---") : encode_field(w.frequency);
    const std::string via = encode_field(w.via);
    const std::string kind = w.via.empty() ? std::string() : encode_field(w.kind);
    const char* format = "%-16s %-2.5f  %-3.5f  %-3s %-6s %-7s %s";
    const int n = std::snprintf(nullptr, 0, format, ident.c_str(), w.lat, w.lon, w.type.c_str(),
                                frequency.c_str(), via.c_str(), kind.c_str());
    if (n < 0 || static_cast<std::size_t>(n) > kRouteLineMax) return false;
    line.assign(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(line.data(), line.size(), format, ident.c_str(), w.lat, w.lon, w.type.c_str(),
                  frequency.c_str(), via.c_str(), kind.c_str());
    line.resize(static_cast<std::size_t>(n));

    // Read the line back as the readers do: every field must come back.
    const RouteLine back = split_route_line(line);
    const RouteWaypoint r = waypoint_from_route_line(back);
    return !back.token[0].empty() && back.token[0][0] != ';' && r.ident == w.ident &&
           same_position(w.lat, r.lat) && same_position(w.lon, r.lon) && r.type == w.type &&
           r.frequency == frequency_as_read(w.frequency) && r.via == w.via &&
           r.kind == (w.via.empty() ? std::string() : w.kind);
}

bool acceptable_file_name(const std::string& name) {
    // MAX_PATH less the terminator.
    constexpr std::size_t kMaxPath = 259;
    if (name.empty() || name.find_first_of("\\/:*?<>|\"") != std::string::npos) return false;
    if (name.find("..") != std::string::npos) return false;
    return flight_plans_folder().size() + name.size() <= kMaxPath;
}

bool save_route_file(const std::string& name) {
    // Every line is made first, so a waypoint that cannot be stored leaves
    // the file as it was.
    std::string text;
    if (SaveFPLCruiseAlt == 1) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "CruiseAlt=%d\n", cruise_altitude);
        text += buffer;
    }
    const AirportProcedures& destination = airport_slots[destination_slot];
    // The approach is the plan's own only while the plan ends at the airport
    // it was chosen at: a route loaded since without that destination has none.
    // Nor is one whose final fix the plan no longer holds (a direct-to past
    // it): loaded, it would bring legs back that were not saved.
    const PlanChoices& chosen = active_plan.choices();
    PreviewLegs legs;
    approach_legs_for(chosen, legs);
    std::string final_fix;
    for (int i = 1; i <= legs.count() && legs[i].role != "MAP"; ++i)
        final_fix = legs[i].fix;
    bool approach_legs = false;
    for (int i = 1; i < active_plan_last && !approach_legs; ++i)
        approach_legs = active_plan[i].kind == "APPR" && active_plan[i].ident == final_fix;
    // The flown plan's own approach, not the one a change pending on a
    // page has chosen meanwhile: of that name, for the runway its legs were
    // built for, else the first of that name.
    int record = 0;
    for (int i = 1; i <= destination.approaches.count(); ++i) {
        const ProcedureRecord& approach = destination.approaches[i];
        if (approach.second_text != chosen.approach) continue;
        if (record == 0 || approach.runway == chosen.applied_arrival_runway) record = i;
        if (approach.runway == chosen.applied_arrival_runway) break;
    }
    const bool own_approach = approach_legs && record > 0 && active_plan_last >= 1 &&
                              active_plan[active_plan_last].type == "APT" &&
                              active_plan[active_plan_last].ident == destination.airport_ident;
    if (own_approach) {
        std::string runway;
        for (int r = 1; r <= destination.runways.count() && runway.empty(); ++r)
            if (destination.runways[r].designator == destination.approaches[record].runway)
                runway = destination.runways[r].designator;
        text += "ApproachInfo=" + destination.approaches[record].second_text + "_" + runway + "\n";
    }
    if (active_plan_last >= 1 && active_plan[0].ident == kept_route_keys.origin &&
        active_plan[active_plan_last].ident == kept_route_keys.destination)
        for (const std::string& line : kept_route_keys.lines)
            text += line + "\n";
    text += "[FlightPlan]\n";
    std::vector<int> retyped;
    for (int i = 0; i <= active_plan_last && i <= kPlanLastIndex; ++i) {
        RouteWaypoint w = active_plan[i];
        if (entry_kind(w) == EntryKind::AirwayThen) as_stored_gap(w);
        if (!is_stored_type(w.type)) {
            w.type = "WPT";
            retyped.push_back(i);
        }
        std::string line;
        if (!format_route_line(w, line)) {
            record_load_warning(flight_plans_folder() + name,
                                "waypoint " + std::to_string(i) +
                                    " cannot be written: the plan is not saved");
            return false;
        }
        text += line;
        text += '\n';
    }

    const std::string path = flight_plans_folder() + name;
    // Told on the unit as "Unable to Save"; here what and where.
    std::FILE* file = os::open_file(path, "w");
    if (!file) {
        record_load_warning(path, "cannot be written: the plan is not saved");
        return false;
    }
    const bool written = std::fputs(text.c_str(), file) >= 0 && std::fflush(file) == 0 && !std::ferror(file);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        // A cut-off plan must not turn up in the folder list as if it were whole.
        std::remove(os::host_path(path).c_str());
        record_load_warning(path, "cannot be written whole: the plan is not saved");
        return false;
    }
    if (retyped.empty()) return true;
    PlanEdit edit(active_target(), "a route saved");
    for (int i : retyped)
        edit.entry(i).type = "WPT";
    return true;
}

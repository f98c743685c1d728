#include "fms/procedures/airport_selection.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "data/reader_checks.h"
#include "fms/math/nav_math.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/data_link.h"
#include "sim/host_folder.h"

#include <cstdint>
#include <cstdio>
#include <vector>

BoundedTable<AirportRunwayListEntry, 23> airport_runway_list;
int airport_runway_first_row = 1;
int airport_runway_selected_line = kNoRunwayLine;
int mcu_apt_top = 1;
std::string selected_airport_ident;
std::string selected_airport_elevation_text;
std::string selected_destination_ident;
std::string selected_destination_elevation_text;
int airport_page_refresh = 0;

namespace {

constexpr std::size_t kMaxSelectLine = 1498;
constexpr std::size_t kMaxTowerLine = 198;
constexpr std::size_t kMaxTowerKey = 199;
constexpr std::size_t kAirportTokens = 24; // name, elevation, position, 20 runways
constexpr std::size_t kFirstRunwayToken = 4;
constexpr double kTowerOffsetNm = 0.21;
constexpr uint32_t kTowerLatitudeOffset = 0xD50;
constexpr uint32_t kTowerLongitudeOffset = 0xD58;
constexpr uint32_t kTowerAltitudeOffset = 0xD60;
constexpr double kTowerLatitudeUnits = 477302101697422.25;
constexpr double kTowerLongitudeUnits = 18446744073709551616.0 / 360.0;

// Truncated toward zero, held at the limits (the longitude 180 is one past).
int64_t saturate_to_int64(double value) {
    if (!(value == value)) return 0;
    if (value >= 9223372036854775808.0) return INT64_MAX;
    if (value <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(value);
}

std::string last_plan_ident() {
    return active_plan_last >= 0 ? active_plan[active_plan_last].ident : std::string();
}

std::string navdata_path(const char* name) {
    return host_folder + "\\orvex\\Navdata\\" + name;
}

void add_warning(const std::string& text) {
    warning_messages.append(text); // dropped once the list holds 400
}

// The tokens after the ident of the airport's line in one airport file: the
// line upper-cased, line ends as blanks, the first blank-delimited token the
// ident.
bool find_airport_tokens(const char* file_name, const std::string& ident, std::vector<std::string>* tokens) {
    std::FILE* file = os::open_file(navdata_path(file_name), "r");
    if (!file) return false;
    bool found = false;
    std::string line;
    LineReader reader(file, kMaxSelectLine);
    while (!found && reader.next(line)) {
        line = to_upper_ascii(line);
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        const std::size_t blank = line.find(' ');
        if (ident.empty() || line.substr(0, blank) != ident) continue;
        *tokens = split_at_blanks(blank == std::string::npos ? std::string() : line.substr(blank + 1),
                                  kAirportTokens);
        found = true;
    }
    std::fclose(file);
    return found;
}

void build_runway_list(const std::vector<std::string>& t) {
    for (std::size_t i = kFirstRunwayToken; i < t.size(); ++i) {
        // A runway that cannot be used is left out (loading the airport tells it).
        if (t[i].empty() || runway_token_fault(t[i]) != nullptr) continue;
        AirportRunwayListEntry entry;
        static_cast<AirportRunway&>(entry) = parse_runway_token(t[i]);
        if (entry.localizer_course == 0.0) entry.localizer_course = entry.magnetic_heading;
        airport_runway_list.append(std::move(entry)); // past 22 the list ends
    }
}

// What a key line of apt_additional_info.txt gives; a tower key needs a
// number within its range (the tower view must stand on the globe).
const char* additional_info_fault(const std::string& line, bool cut) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return "no key=value";
    const std::vector<std::string> words = scan_tokens(line.substr(0, equals), 1);
    const std::string key = words.empty() ? std::string() : words[0];
    const std::string value = line.substr(equals + 1);
    double limit = 0.0, low = 0.0;
    if (equals_ignoring_case(key, "TowerViewLat"))
        low = -(limit = 90.0);
    else if (equals_ignoring_case(key, "TowerViewLon"))
        low = -(limit = 180.0);
    else if (equals_ignoring_case(key, "TowerViewAlt"))
        low = -2000.0, limit = 100000.0;
    else
        return nullptr;
    // A cut line ends within its value unless it ends in a blank.
    if (cut_within_fields(line, cut, 1, std::string::npos)) return kFieldCut;
    // The value whole, blanks around it aside: "-1qq.59qq" is no -1.
    const std::size_t first = value.find_first_not_of(" \t");
    const std::size_t last = value.find_last_not_of(" \t");
    double v = 0.0;
    if (first == std::string::npos ||
        !parse_whole_number(std::string_view(value).substr(first, last - first + 1), v))
        return "not a number";
    if (v < low || v > limit) return limit == 100000.0 ? "altitude out of range" : kOffGlobe;
    return nullptr;
}

// Reads apt_additional_info.txt whole and hands each usable line of the
// airport's section (after its "[IDENT]" line, up to the next section) to
// on_line. Every line is judged, so that what the file holds that cannot be
// used is told once, whichever airport is read. False when it is missing.
template <class OnLine> bool read_additional_info(const std::string& ident, OnLine on_line) {
    const std::string path = navdata_path("apt_additional_info.txt");
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        record_if_not_regular(path);
        return false;
    }
    const std::string header = "[" + ident + "]";
    bool in_section = false;
    FileLineCheck check{path};
    LineReader reader(file, kMaxSelectLine);
    std::string line;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        const std::vector<std::string> words = scan_tokens(line, 1);
        if (words.empty() || words[0][0] == ';') continue;
        if (words[0][0] == '[' || words[0][0] == ']') {
            // A section line cut short names no airport.
            if (words[0].back() == ']')
                check.use();
            else
                check.skip("no closing ]");
            in_section = equals_ignoring_case(words[0], header);
            continue;
        }
        if (const char* why = additional_info_fault(line, reader.last_line_cut())) {
            check.skip(why);
            continue;
        }
        check.use();
        if (in_section) on_line(line);
    }
    check.finish(reader);
    std::fclose(file);
    check.report("skipped", true);
    return true;
}

// "RWY<designator>=RIGHTPATTERN" lines of the airport's section mark its
// right-hand patterns; "RWY9L" marks both 9L and 09L.
void mark_right_patterns(const std::string& ident) {
    read_additional_info(ident, [](const std::string& line) {
        const std::vector<std::string> words = scan_tokens(to_upper_ascii(line), 1);
        const std::string& word = words[0];
        if (word.compare(0, 3, "RWY") != 0) return;
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) return;
        const std::string designator = word.substr(3, equals - 3);
        if (word.substr(equals + 1) != "RIGHTPATTERN") return;
        for (int r = 1; r <= airport_runway_list.count(); ++r) {
            const std::string& d = airport_runway_list[r].designator;
            if (d == designator || d == "0" + designator) airport_runway_list.slot(r).right_pattern = 1;
        }
    });
}

// The destination's elevation on the active plan's last entry, when that
// entry is the destination airport.
void set_destination_elevation(double elevation) {
    if (active_plan_last < 0 || active_plan_last > kPlanLastIndex) return;
    PlanEdit edit(active_target(), "the destination's elevation");
    edit.upkeep();
    RouteWaypoint& last = edit.entry(edit.last());
    if (last.type == "APT" && last.ident == selected_destination_ident) {
        last.alt_constraint = elevation;
        last.speed_constraint = kNoConstraint;
    }
}

void set_plan_origin(const PlanTarget& t, const std::string& ident, double lat, double lon) {
    PlanEdit edit(t, "the origin airport");
    RouteWaypoint& origin = edit.entry(0);
    origin.ident = ident;
    origin.lat = lat;
    origin.lon = lon;
    origin.type = "APT";
    origin.frequency.clear();
}

// The airport as a new last entry of the plan; false when the plan is full.
bool append_airport(PlanEdit& edit, const std::string& ident, double lat, double lon) {
    if (edit.last() >= kPlanLastIndex) return false;
    edit.set_last(edit.last() + 1);
    clear_waypoint(edit.entry(edit.last())); // nothing of what the slot held before
    // Cleared, the slot has no id: taken again it gets its own, so that the
    // airport moves as an entry when legs go in before it.
    RouteWaypoint& w = edit.entry(edit.last());
    w.ident = ident;
    w.lat = lat;
    w.lon = lon;
    w.type = "APT";
    return true;
}

// The acts on a plan or the destination's elevation, which need only the
// airport's first tokens.
void select_plan_airport(const std::string& ident, int mode, const std::vector<std::string>& t) {
    const std::string& elevation_text = t[1];
    const double elevation = parse_double(elevation_text);
    const double lat = parse_double(t[2]);
    const double lon = parse_double(t[3]);
    switch (mode) {
    case kSelectAirportDestinationElevation:
        selected_destination_ident = ident;
        selected_destination_elevation_text = elevation_text;
        vertical_target_altitude = elevation;
        set_destination_elevation(elevation);
        break;
    case kSelectAirportActiveOrigin:
        set_plan_origin(active_target(), ident, lat, lon);
        break;
    case kSelectAirportActiveDestination: {
        selected_destination_ident = ident;
        selected_destination_elevation_text = elevation_text;
        PlanEdit edit(active_target(), "the destination airport");
        if (!append_airport(edit, ident, lat, lon)) break; // no room for the destination
        RouteWaypoint& w = edit.entry(edit.last());
        w.alt_constraint = elevation;
        w.course = -1.0;
        vertical_target_lat = lat;
        vertical_target_lon = lon;
        vertical_target_altitude = elevation;
        edit.place(constraint_waypoint_index, edit.last());
        break;
    }
    case kSelectAirportWorkingOrigin:
        set_plan_origin(working_target(), ident, lat, lon);
        break;
    case kSelectAirportWorkingAppend: {
        PlanEdit edit(working_target(), "an airport appended");
        append_airport(edit, ident, lat, lon);
        break;
    }
    default:
        break;
    }
}

// The tower keys of the airport's section: TowerViewLat, TowerViewLon and
// TowerViewAlt, keys compared without regard to case, "key=value" with the
// key exactly as written before the '=' (in the first 198 characters).
bool read_tower_keys(const std::string& ident, TowerView* view) {
    return read_additional_info(ident, [view](const std::string& whole) {
        const std::string line = whole.substr(0, kMaxTowerLine);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals > kMaxTowerKey) return;
        const std::string key = line.substr(0, equals);
        // The value from the whole line, which the file's check found whole.
        const double value = parse_double(whole.substr(equals + 1));
        if (equals_ignoring_case(key, "TowerViewLat"))
            view->latitude = value;
        else if (equals_ignoring_case(key, "TowerViewLon"))
            view->longitude = value;
        else if (equals_ignoring_case(key, "TowerViewAlt"))
            view->altitude_ft = value;
    });
}

// The elevation token of the airport's line ("ident name elevation ..."),
// the ident compared without regard to case; false when in neither file.
bool find_airport_elevation(const std::string& ident, double* elevation) {
    for (const char* name : {"apts.txt", "apts_user.txt"}) {
        std::FILE* file = os::open_file(navdata_path(name), "r");
        if (!file) continue;
        bool found = false;
        std::string line;
        LineReader reader(file, kMaxSelectLine);
        while (!found && reader.next(line)) {
            const std::vector<std::string> t = scan_tokens(line, 3);
            if (t.empty() || !equals_ignoring_case(t[0], ident)) continue;
            // An elevation no airport has (loading the airport tells it) is none.
            *elevation = t.size() >= 3 && !number_fault(t[2], kElevationFt) ? parse_double(t[2]) : 0.0;
            found = true;
        }
        std::fclose(file);
        if (found) return true;
    }
    return false;
}

} // namespace

int selected_runway_entry() {
    if (airport_runway_selected_line == kNoRunwayLine) return kNoRunwayLine;
    const int entry = airport_runway_first_row + airport_runway_selected_line - 1;
    return entry >= 1 && entry <= airport_runway_list.count() ? entry : kNoRunwayLine;
}

void select_airport(const std::string& ident, int mode) {
    std::vector<std::string> tokens;
    if (!find_airport_tokens("apts.txt", ident, &tokens) &&
        !find_airport_tokens("apts_user.txt", ident, &tokens))
        return;
    std::vector<std::string> t = tokens;
    t.resize(kAirportTokens);
    // An airport off the globe is no airport (the navigation database's
    // load tells the line).
    if (!has_leading_number(t[2].c_str()) || !has_leading_number(t[3].c_str()) ||
        !position_tokens_on_globe(t[2], t[3]) || number_fault(t[1], kElevationFt) != nullptr)
        return;

    if (mode != kSelectAirportDestinationElevation) lookup_parking_position(ident);
    airport_runway_list.set_count(0);

    if (mode >= kSelectAirportDestinationElevation && mode <= kSelectAirportWorkingAppend) {
        select_plan_airport(ident, mode, t);
        return;
    }

    build_runway_list(tokens);
    mark_right_patterns(ident);

    airport_elevation_text = t[1];
    selected_airport_ident = ident;
    selected_airport_elevation_text = t[1];
    if (mode == kSelectAirportOrigin) set_origin_elevation(parse_double(t[1]));
    if (mode == kSelectAirportDestination) {
        selected_destination_ident = ident;
        selected_destination_elevation_text = t[1];
        set_destination_elevation(parse_double(t[1]));
    }
    airport_runway_first_row = 1;
    mcu_apt_top = 1;
    airport_page_refresh = 1;
    add_warning("APT '" + ident + "' Set");
}

TowerView tower_view_position() {
    TowerView view;
    const std::string destination =
        active_plan_last >= 0 ? active_plan[active_plan_last].ident : std::string();
    read_tower_keys(destination, &view);
    if (view.latitude != 0.0 || view.longitude != 0.0) return view;

    view = TowerView{};
    const int entry = selected_runway_entry();
    if (entry != kNoRunwayLine) {
        const AirportRunwayListEntry& runway = airport_runway_list[entry];
        double course = runway.magnetic_heading + 15.0 + aircraft_state.magvar;
        if (course > 360.0) course -= 360.0;
        great_circle_destination(runway.latitude, runway.longitude, course, kTowerOffsetNm, &view.latitude,
                                 &view.longitude);
        return view;
    }

    double elevation = 0.0;
    find_airport_elevation(destination, &elevation);
    if (active_plan_last >= 0) {
        view.latitude = active_plan[active_plan_last].lat;
        view.longitude = active_plan[active_plan_last].lon;
    }
    view.altitude_ft = elevation + 100.0;
    return view;
}

void set_tower_view() {
    uint32_t result = 0;
    if (!ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer)) return;
    const TowerView view = tower_view_position();
    // The add-on's units: latitude degrees x 10001750 x 2^32 / 90, longitude
    // degrees x 2^64 / 360, altitude whole metres in the upper half. Metres
    // by the exact factor 0.3048: the rounder 0.31 would set the view 1.7 %
    // too high.
    const int64_t latitude = saturate_to_int64(view.latitude * kTowerLatitudeUnits);
    const int64_t longitude = saturate_to_int64(view.longitude * kTowerLongitudeUnits);
    const uint64_t altitude =
        static_cast<uint64_t>(static_cast<uint32_t>(saturate_to_int(view.altitude_ft * 0.3048))) << 32;
    ipc_write(kTowerLatitudeOffset, 8, &latitude, &result);
    ipc_write(kTowerLongitudeOffset, 8, &longitude, &result);
    ipc_write(kTowerAltitudeOffset, 8, &altitude, &result);
    ipc_process(&result);
    ipc_close();
    add_warning("TWR Pos '[" + last_plan_ident() + "]' set");
}

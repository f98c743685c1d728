#include "fms/plan/waypoint_entry.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "fms/math/heading_math.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/plan_editing.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

std::string waypoint_lookup_text;
double pbd_bearing_1 = -1.0;
double pbd_bearing_2 = -1.0;
int pbd_distance = 0;
std::string pbd_place_ident;
double pbd_place_lat = 0.0;
double pbd_place_lon = 0.0;
std::string pbd_place_type;
std::string pbd_place_frequency;

namespace {

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool is_letter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

double distance_between(double lat1, double lon1, double lat2, double lon2) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &distance, &course);
    return distance;
}

// The distance that ranks candidates: a position that a file left undefined
// ranks last, as a NaN distance would break the ordering a sort relies on.
double ranking_distance(double lat1, double lon1, double lat2, double lon2) {
    const double d = distance_between(lat1, lon1, lat2, lon2);
    return std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
}

// A bearing of three digits; -1 when the text is anything else.
double read_bearing(const std::string& text) {
    if (text.size() != 3 || !is_digit(text[0]) || !is_digit(text[1]) || !is_digit(text[2])) return -1.0;
    return parse_int(text);
}

void set_single_candidate(const std::string& ident, double lat, double lon, const char* kind) {
    candidate_list().set_count(0);
    NavRecord r;
    r.ident = ident;
    r.latitude = lat;
    r.longitude = lon;
    r.kind = kind;
    candidate_list().append(std::move(r));
}

template <class Table>
void collect(const Table& table, int which, const std::string& ident, double lat, double lon,
             std::vector<CandidateMatch>& matches) {
    for (int i = 1; i <= table.count(); ++i) {
        const NavRecordView r = table[i];
        if (r.ident == ident)
            matches.push_back({ranking_distance(lat, lon, r.latitude, r.longitude), which, i});
    }
}

void append_match(const CandidateMatch& m) {
    const NavRecordView r = m.table == 1   ? navaid_table[m.index]
                            : m.table == 2 ? intersection_table[m.index]
                                           : airport_table[m.index];
    NavRecord c;
    c.ident = r.ident;
    c.latitude = r.latitude;
    c.longitude = r.longitude;
    c.kind = r.kind;
    c.extra = r.extra;
    if (m.table == 3) c.elevation_text = r.elevation_text;
    candidate_list().append(std::move(c));
}

// One database pass, in the order navaids, intersections, airports; the
// nearest to (lat, lon) when more match than the list holds.
void search_pass(int table, const std::string& ident, double lat, double lon) {
    std::vector<CandidateMatch> matches;
    if (table <= 1) collect(navaid_table, 1, ident, lat, lon, matches);
    if (table < 1 || table == 2) collect(intersection_table, 2, ident, lat, lon, matches);
    if (table < 1 || table == 3) collect(airport_table, 3, ident, lat, lon, matches);
    keep_nearest_matches(matches, candidate_list().slots - 1 - static_cast<std::size_t>(candidate_count()),
                         ident);
    for (const CandidateMatch& m : matches)
        append_match(m);
}

int nearest_candidate(double lat, double lon) {
    int best = 0;
    double best_distance = 0.0;
    for (int i = 1; i <= candidate_count(); ++i) {
        const double d =
            ranking_distance(lat, lon, candidate_list()[i].latitude, candidate_list()[i].longitude);
        if (best == 0 || d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    return best;
}

// N4726.9W12218.3: hemisphere, degrees, minutes, '.', tenths, twice.
bool lat_lon_entry(const std::string& t) {
    const std::size_t n = t.size();
    if (n < 15 || n > 29) return false;
    if ((t[0] != 'N' && t[0] != 'S') || (t[7] != 'E' && t[7] != 'W') || t[5] != '.' || t[13] != '.')
        return false;
    double lat =
        parse_int(t.substr(1, 2)) + parse_int(t.substr(3, 2)) / 60.0 + parse_int(t.substr(6, 1)) / 600.0;
    double lon =
        parse_int(t.substr(8, 3)) + parse_int(t.substr(11, 2)) / 60.0 + parse_int(t.substr(14, 1)) / 600.0;
    if (t[0] == 'S') lat = -lat;
    if (t[7] == 'W') lon = -lon;
    char ident[16];
    std::snprintf(ident, sizeof ident, "%3s%02d", "WPT", next_user_waypoint_number());
    set_single_candidate(ident, lat, lon, "I");
    return true;
}

// 4712N (47N 12W), 47N12 (47N 112W): the letter places the point in a
// quadrant: N north/west, E north/east, S south/east, W south/west.
bool shorthand_entry(const std::string& t) {
    if (t.size() != 5 || !is_digit(t[0]) || !is_digit(t[1]) || !is_digit(t[3])) return false;
    char letter;
    double lat = parse_int(t.substr(0, 2)), lon;
    if (is_letter(t[4])) {
        letter = t[4];
        lon = parse_int(t.substr(2, 2));
        if (!is_digit(t[2])) return false;
    } else if (is_letter(t[2]) && is_digit(t[4])) {
        letter = t[2];
        lon = 100 + parse_int(t.substr(3, 2));
    } else {
        return false;
    }
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'N':
        lon = -lon;
        break;
    case 'E':
        break;
    case 'S':
        lat = -lat;
        break;
    case 'W':
        lat = -lat;
        lon = -lon;
        break;
    default:
        return false;
    }
    set_single_candidate(t, lat, lon, "O");
    return true;
}

// The magnetic bearing from a place to a point, against the bearing entered.
bool bearing_matches(double lat, double lon, double variation, double bearing, double x_lat, double x_lon,
                     double tolerance, int* difference) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(lat, lon, x_lat, x_lon, &distance, &course);
    *difference = heading_difference(floored_mod(course - variation, 360.0), floored_mod(bearing, 360.0));
    return *difference < tolerance;
}

// The fix where the radial B1 from place 1 crosses the radial B2 from place 2.
bool cross_bearings(double lat1, double lon1, double b1, double lat2, double lon2, double b2, double* out_lat,
                    double* out_lon) {
    const double v1 = compute_magnetic_variation(saturate_to_int(lat1), saturate_to_int(lon1));
    const double v2 = compute_magnetic_variation(saturate_to_int(lat2), saturate_to_int(lon2));
    const double between = distance_between(lat1, lon1, lat2, lon2);
    for (int order = 0; order < 2; ++order) {
        double x_lat = 0.0, x_lon = 0.0;
        const int found = order == 0
                              ? course_intersection(lat1, lon1, b1 + v1, lat2, lon2, b2 + v2, &x_lat, &x_lon)
                              : course_intersection(lat2, lon2, b2 + v2, lat1, lon1, b1 + v1, &x_lat, &x_lon);
        if (found != 0) continue;
        int difference = 0;
        if (bearing_matches(lat1, lon1, v1, b1, x_lat, x_lon, 7.0, &difference)) {
            *out_lat = x_lat;
            *out_lon = x_lon;
            return true;
        }
        // The crossing mirrored east-west, when it lies near the places.
        if (difference > 1 && bearing_matches(lat1, lon1, v1, b1, x_lat, -x_lon, 7.0, &difference) &&
            distance_between(lat1, lon1, x_lat, -x_lon) <= 3.0 * between) {
            *out_lat = x_lat;
            *out_lon = -x_lon;
            return true;
        }
    }
    return false;
}

void place_bearing_place_bearing(int table, const std::string& place1, double b1, const std::string& place2,
                                 double b2, double aircraft_lat, double aircraft_lon) {
    pbd_bearing_1 = b1;
    pbd_bearing_2 = b2;
    waypoint_lookup_text = place1;
    search_pass(table, place1, aircraft_lat, aircraft_lon);
    const int first = nearest_candidate(aircraft_lat, aircraft_lon);
    if (first == 0) return;
    const NavRecord p1 = candidate_list()[first];
    pbd_place_ident = p1.ident;
    pbd_place_lat = p1.latitude;
    pbd_place_lon = p1.longitude;
    pbd_place_type = p1.kind;
    pbd_place_frequency = p1.extra;

    waypoint_lookup_text = place2;
    candidate_list().set_count(0);
    search_pass(table, place2, aircraft_lat, aircraft_lon);
    const int second = nearest_candidate(aircraft_lat, aircraft_lon);
    if (second == 0) return;
    NavRecord fix = candidate_list()[second];
    candidate_list().set_count(0);
    double lat = 0.0, lon = 0.0;
    if (!cross_bearings(p1.latitude, p1.longitude, b1, fix.latitude, fix.longitude, b2, &lat, &lon)) return;
    fix.latitude = lat;
    fix.longitude = lon;
    candidate_list().append(std::move(fix));
}

void sort_nearest_first(double aircraft_lat, double aircraft_lon) {
    std::vector<std::pair<double, NavRecord>> found;
    for (int i = 1; i <= candidate_count(); ++i) {
        const NavRecord& r = candidate_list()[i];
        found.emplace_back(ranking_distance(aircraft_lat, aircraft_lon, r.latitude, r.longitude), r);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < found.size(); ++i)
        candidate_list().slot(static_cast<int>(i) + 1) = std::move(found[i].second);
}

} // namespace

void keep_nearest_matches(std::vector<CandidateMatch>& matches, std::size_t room, const std::string& ident) {
    if (matches.size() <= room) return;
    auto in_order = [](const CandidateMatch& a, const CandidateMatch& b) {
        return a.table != b.table ? a.table < b.table : a.index < b.index;
    };
    std::nth_element(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(room), matches.end(),
                     [&in_order](const CandidateMatch& a, const CandidateMatch& b) {
                         return a.distance != b.distance ? a.distance < b.distance : in_order(a, b);
                     });
    // By table and by file: a table's records from its "_user" file follow
    // those of its base file.
    static const char* const kFiles[4][2] = {{"", ""},
                                             {"navs.txt", "navs_user.txt"},
                                             {"ints.txt", "ints_user.txt"},
                                             {"apts.txt", "apts_user.txt"}};
    const int user_first[4] = {0, navaid_user_first, intersection_user_first, airport_user_first};
    int left_out[4][2] = {};
    for (std::size_t i = room; i < matches.size(); ++i) {
        const CandidateMatch& m = matches[i];
        const int first = m.table >= 1 && m.table <= 3 ? user_first[m.table] : 0;
        ++left_out[m.table][first > 0 && m.index >= first ? 1 : 0];
    }
    matches.resize(room);
    std::sort(matches.begin(), matches.end(), in_order);
    for (int t = 1; t <= 3; ++t)
        for (int f = 0; f < 2; ++f)
            if (left_out[t][f] > 0)
                record_load_warning(host_folder + "\\orvex\\navdata\\" + kFiles[t][f],
                                    ident + ": " + std::to_string(left_out[t][f]) +
                                        " records left out of the candidates, which hold " +
                                        std::to_string(room) + ": the nearest to the aircraft kept");
}

void lookup_waypoint_entry(int table, double aircraft_lat, double aircraft_lon) {
    candidate_list().set_count(0);
    const std::string entry = waypoint_lookup_text;
    const std::size_t n = entry.size();
    if (lat_lon_entry(entry)) return;

    const std::size_t slash = entry.find('/');
    if (slash != std::string::npos && slash > 0) {
        // A place needs at least one character before its three bearing digits.
        if (slash < 4) return;
        const std::string place1 = entry.substr(0, slash - 3);
        const double b1 = read_bearing(entry.substr(slash - 3, 3));
        const std::string after = entry.substr(slash + 1);
        const double distance = parse_double(after);
        std::string place2;
        double b2 = -1.0;
        if (n > 12 && after.size() >= 3) {
            place2 = after.substr(0, after.size() - 3);
            b2 = read_bearing(after.substr(after.size() - 3));
        }
        if (distance > 0.0) {
            if (b1 < 0.0) return;
            pbd_distance = saturate_to_int(distance);
            pbd_bearing_1 = b1;
            waypoint_lookup_text = place1;
            search_pass(table, place1, aircraft_lat, aircraft_lon);
        } else {
            if (b1 < 0.0 || b2 < 0.0) return;
            place_bearing_place_bearing(table, place1, b1, place2, b2, aircraft_lat, aircraft_lon);
            return;
        }
    } else {
        search_pass(table, entry, aircraft_lat, aircraft_lon);
        if (candidate_count() == 0 && shorthand_entry(entry)) return;
    }
    if (candidate_count() > 1) sort_nearest_first(aircraft_lat, aircraft_lon);
}

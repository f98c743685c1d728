#include "fms/files/sim_plan_import.h"

#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/files/route_file.h"
#include "fms/math/position_dms.h"
#include "platform/os.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

constexpr std::size_t kPlanLineMax = 998;
// Some ten lines a waypoint in the XML form, 201 waypoints: a file of more
// lines than this is no flight plan.
constexpr int kMaxPlanFileLines = 10000;

std::string tail(const std::string& text, std::size_t from) {
    return from < text.size() ? text.substr(from) : std::string();
}

std::string without(std::string text, const char* characters) {
    std::string out;
    for (char c : text)
        if (std::string(characters).find(c) == std::string::npos) out += c;
    return out;
}

std::string first_word(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t')
        ++j;
    return text.substr(i, j - i);
}

void erase_first(std::string& text, char c) {
    const std::size_t at = text.find(c);
    if (at != std::string::npos) text.erase(at, 1);
}

// Blanks inside an ident would shift the fields of the route line.
std::string stored_ident(std::string ident) {
    for (char& c : ident)
        if (c == ' ' || c == '\t') c = '\xA0';
    return ident;
}

// Reads digits from text[i]: how many, and their value with an optional
// fraction when `fraction` is true.
int digits_at(const std::string& text, std::size_t& i, double& value, bool fraction) {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    const int count = static_cast<int>(i - start);
    if (count == 0) return 0;
    if (fraction && i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    value = parse_double(text.substr(start, i - start));
    return count;
}

void skip_blanks(const std::string& text, std::size_t& i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
}

// A position text as the plans write it, read whole: a hemisphere letter,
// whole degrees (at most 90 or 180), the degree mark ('*' or the degree
// sign), minutes below 60 (with a fraction when no seconds follow, "'" after
// them optional) and optional seconds below 60 with '"'. "N1e308*" and
// "N47* 99.99'" are no position: the fixed fields read from them would put
// the waypoint where nobody wrote it. Null when the text is a position on the
// globe, else why not.
const char* position_text_fault(const std::string& text, bool latitude) {
    constexpr const char* kNoPosition = "position is no degrees and minutes";
    std::size_t i = 0;
    skip_blanks(text, i);
    const std::string letters = latitude ? "NS" : "EW";
    if (i >= text.size() || letters.find(text[i]) == std::string::npos) return kNoPosition;
    ++i;
    double degrees = 0.0, minutes = 0.0, seconds = 0.0;
    const int degree_digits = digits_at(text, i, degrees, false);
    if (degree_digits == 0 || degree_digits > (latitude ? 2 : 3)) return kNoPosition;
    if (i < text.size() && text[i] == '\xC2') ++i; // lead byte of a UTF-8 degree sign
    if (i >= text.size() || (text[i] != '*' && text[i] != '\xB0')) return kNoPosition;
    ++i;
    skip_blanks(text, i);
    const int minute_digits = digits_at(text, i, minutes, true);
    if (minute_digits == 0 || minute_digits > 2 || minutes >= 60.0) return kNoPosition;
    skip_blanks(text, i);
    if (i < text.size() && text[i] == '\'') ++i;
    skip_blanks(text, i);
    if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        const int second_digits = digits_at(text, i, seconds, true);
        if (second_digits > 2 || seconds >= 60.0) return kNoPosition;
        skip_blanks(text, i);
        if (i < text.size() && text[i] == '"') ++i;
        skip_blanks(text, i);
    }
    if (i != text.size()) return kNoPosition;
    return degrees + minutes / 60.0 + seconds / 3600.0 <= (latitude ? 90.0 : 180.0) ? nullptr : kOffGlobe;
}

const char* position_fault(const std::string& lat_text, const std::string& lon_text) {
    const char* fault = position_text_fault(lat_text, true);
    return fault != nullptr ? fault : position_text_fault(lon_text, false);
}

// "N47* 26.98'" becomes "N47:26:59": minutes with hundredths turn into whole
// seconds, and every field gets two digits (three for longitude degrees that
// have them).
std::string normalise_ini_position(std::string text) {
    for (char& c : text)
        if (c == '*') c = ':';
    for (std::size_t dot = text.find('.'); dot != std::string::npos; dot = text.find('.')) {
        text[dot] = ':';
        if (text.size() - dot - 1 >= 2) {
            const int hundredths = parse_int(text.substr(dot + 1, 2));
            if (hundredths > 0) {
                char seconds[16];
                std::snprintf(seconds, sizeof seconds, "%02.0f", hundredths * 60.0 / 100.0);
                text.replace(dot + 1, 2, seconds);
            }
        }
    }
    text = without(without(text, " "), "'");

    std::string out = text.empty() ? std::string() : text.substr(0, 1);
    std::size_t start = 1;
    for (int field = 0; start <= text.size(); ++field) {
        std::size_t colon = text.find(':', start);
        std::string part = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (part.size() < 2) part.insert(0, 2 - part.size(), '0');
        out += field == 0 ? part : ":" + part;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return out;
}

// An XML position text "N47\xB0 26' 58.00\"" walked into "N47:26:58".
// False when it holds no degrees and minutes.
bool walk_xml_position(const std::string& text, std::string& out) {
    if (text.empty()) return false;
    std::string field[3];
    int f = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\xB0') {
            f = 1;
        } else if (c == '\'') {
            f = 2;
        } else if (c == '.' || c == ',' || c == '"') {
            break;
        } else if (c != ' ') {
            field[f] += c;
        }
    }
    if (field[0].empty() || field[1].empty()) return false;
    for (std::string& part : field)
        if (part.size() == 1) part.insert(0, "0");
    out = text.substr(0, 1) + field[0] + ":" + field[1] + ":" + field[2];
    return true;
}

// The text between an element's tag and its closing tag (or the line's end).
std::string element_text(const std::string& line, const std::string& tag) {
    const std::size_t at = line.find(tag);
    std::string text = tail(line, at + tag.size());
    const std::size_t close = text.find("</");
    return close == std::string::npos ? text : text.substr(0, close);
}

// Where the XML reader stands: outside an ATCWaypoint, inside one, or just
// past its end with its fields to write.
enum class XmlWaypoint { Outside, Inside, Complete };

struct ImportState {
    bool xml = false;
    std::string departure;
    bool leading_field = false;
    XmlWaypoint waypoint_state = XmlWaypoint::Outside;
    std::string ident, type_name, lat_text, lon_text;
    std::string type = "WPT";
    std::string out;
    int written = 0;
    int line = 0;          // the number of the line being read
    int waypoint_line = 0; // where the XML waypoint being read began
    int skipped = 0;       // waypoints without a position or off the globe
    int first_skipped_line = 0;
    std::string first_why;
    std::set<long> indexes;   // the INI waypoint indexes met
    int bad_indexes = 0;      // INI waypoint indexes that are no number or repeat
    std::string index_faults; // the first of them, by line
};

// The simulator numbers its INI waypoints 0, 1, 2, ...; the import keeps the
// file's order whatever the numbers say, so an index that is no number within
// what a plan file can hold, or one met before, is only told.
constexpr long kMaxWaypointIndex = kMaxPlanFileLines - 1;
constexpr int kIndexFaultsListed = 10;

void check_waypoint_index(ImportState& s, const std::string& line) {
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    if (line.compare(at, 9, "waypoint.") != 0) return;
    const std::size_t eq = line.find('=', at);
    if (eq == std::string::npos) return;
    std::string index = line.substr(at + 9, eq - at - 9);
    while (!index.empty() && (index.back() == ' ' || index.back() == '\t'))
        index.pop_back();
    bool digits = !index.empty();
    for (char c : index)
        digits = digits && c >= '0' && c <= '9';
    const std::size_t first_digit = std::min(index.find_first_not_of('0'), index.size() - 1);
    std::string why;
    if (!digits || index.size() - first_digit > 4 || std::stol(index.substr(first_digit)) > kMaxWaypointIndex)
        why = "no whole number from 0 to " + std::to_string(kMaxWaypointIndex);
    else if (!s.indexes.insert(std::stol(index)).second)
        why = "met before";
    if (why.empty()) return;
    if (s.bad_indexes++ < kIndexFaultsListed)
        s.index_faults += (s.index_faults.empty() ? "" : "; ") + ("line " + std::to_string(s.line) + ": \"") +
                          index + "\" " + why;
}

void skip_waypoint(ImportState& s, int line, const char* why) {
    if (s.skipped++ > 0) return;
    s.first_skipped_line = line;
    s.first_why = why;
}

// A position off the globe (minutes and degrees are read as they stand, so
// "N95:00:00" is possible) is not written: the loader would fly toward it.
void write_waypoint(ImportState& s, const std::string& ident, double lat, double lon) {
    if (!on_globe(lat, lon)) {
        skip_waypoint(s, s.xml ? s.waypoint_line : s.line, kOffGlobe);
        return;
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%-8s %-3.5f %-3.5f  %s\n", stored_ident(ident).c_str(), lat, lon,
                  s.type.c_str());
    s.out += buffer;
    ++s.written;
}

void ini_line(ImportState& s, const std::string& line) {
    check_waypoint_index(s, line);
    if (line.find("departure_id=") != std::string::npos)
        s.departure = without(tail(line, 13).substr(0, 4), " ,");
    if (line.find("waypoint.0") != std::string::npos) {
        const std::string first = without(tail(line, 11), " ");
        s.leading_field = first.compare(0, s.departure.size(), s.departure) != 0;
    }
    if (line.find("waypoint.") == std::string::npos) return;

    const std::size_t eq = line.find('=');
    std::string rest = eq == std::string::npos ? tail(line, 11) : line.substr(eq + 1);
    std::size_t comma = rest.find(',');
    if (comma == std::string::npos) return;
    std::string ident = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    if (s.leading_field && (comma = rest.find(',')) != std::string::npos) {
        ident = rest.substr(0, comma);
        rest.erase(0, comma + 1);
    }
    s.type = "INT";
    while (!rest.empty()) {
        const std::string word = first_word(rest);
        if (word == "A,") s.type = "APT";
        if (word == "V,") s.type = "VOR";
        if (word == "N,") s.type = "NDB";
        if (!word.empty() && word.back() == '*') {
            const std::size_t lat_end = rest.find(',');
            if (lat_end == std::string::npos) return;
            std::string lat_text = rest.substr(0, lat_end);
            rest.erase(0, lat_end + 1);
            const std::size_t lon_end = rest.find(',');
            if (lon_end == std::string::npos) return;
            std::string lon_text = rest.substr(0, lon_end);
            // A line without an ident would shift every field of temp.rte.
            if (first_word(ident).empty()) return;
            if (const char* fault = position_fault(lat_text, lon_text))
                return skip_waypoint(s, s.line, fault);
            lat_text = normalise_ini_position(lat_text);
            lon_text = normalise_ini_position(lon_text);
            double lat = 0.0, lon = 0.0;
            parse_dms_position(lat_text, lon_text, &lat, &lon);
            if (lat_text.compare(0, 1, "S") == 0) lat = -lat;
            if (lon_text.compare(0, 1, "W") == 0) lon = -lon;
            write_waypoint(s, first_word(ident), lat, lon);
        }
        comma = rest.find(',');
        if (comma == std::string::npos) return;
        rest.erase(0, comma + 1);
    }
}

void xml_line(ImportState& s, const std::string& line) {
    if (s.waypoint_state == XmlWaypoint::Inside) {
        if (line.find("<ATCWaypointType>") != std::string::npos)
            s.type_name = element_text(line, "<ATCWaypointType>");
        const std::size_t at = line.find("<WorldPosition>");
        if (at != std::string::npos) {
            std::string text = tail(line, at + 15);
            erase_first(text, '\xC2'); // lead byte of a UTF-8 degree sign
            const std::size_t end = text.find("</WorldPosition>");
            if (end != std::string::npos) text.erase(end);
            const std::size_t comma = text.find(',');
            if (comma != std::string::npos) {
                // Latitude, longitude and altitude, each read whole.
                const std::size_t altitude = text.find(',', comma + 1);
                s.lon_text = text.substr(comma + 1, altitude == std::string::npos ? std::string::npos
                                                                                  : altitude - comma - 1);
                s.lat_text = text.substr(0, comma);
                erase_first(s.lat_text, '\xC2');
                erase_first(s.lon_text, '\xC2');
            }
        }
        if (line.find("</ATCWaypoint>") != std::string::npos) s.waypoint_state = XmlWaypoint::Complete;
    }
    const std::size_t start = line.find("<ATCWaypoint id=");
    if (start != std::string::npos) {
        s.waypoint_state = XmlWaypoint::Inside;
        s.waypoint_line = s.line;
        std::string ident = tail(line, start + 16);
        erase_first(ident, '"');
        erase_first(ident, '"');
        const std::size_t close = ident.find('>');
        if (close != std::string::npos) ident = ident.substr(0, close) + without(tail(ident, close + 1), " ");
        s.ident = ident;
        // Each waypoint brings its own type and position.
        s.type_name.clear();
        s.lat_text.clear();
        s.lon_text.clear();
    }
    if (s.waypoint_state != XmlWaypoint::Complete) return;
    s.waypoint_state = XmlWaypoint::Outside;

    std::string lat_text, lon_text;
    if (s.ident.empty()) return skip_waypoint(s, s.waypoint_line, "no ident");
    if (!walk_xml_position(s.lat_text, lat_text) || !walk_xml_position(s.lon_text, lon_text))
        return skip_waypoint(s, s.waypoint_line, "no position");
    if (const char* fault = position_fault(s.lat_text, s.lon_text))
        return skip_waypoint(s, s.waypoint_line, fault);
    double lat = 0.0, lon = 0.0;
    parse_dms_position(lat_text, lon_text, &lat, &lon);
    if (lat_text[0] == 'S') lat = -lat;
    if (lon_text[0] == 'W') lon = -lon;
    if (s.type_name == "Airport")
        s.type = "APT";
    else if (s.type_name == "Intersection")
        s.type = "INT";
    else if (s.type_name == "VOR")
        s.type = "VOR";
    else if (s.type_name == "NDB")
        s.type = "NDB";
    else
        s.type = "WPT";
    write_waypoint(s, s.ident, lat, lon);
}

// The loader that asked says so on its own unit: a plan listed or opened by
// the SMITHS or the GNS leaves the MCU's typed entry alone.
int import_failed() {
    return -99;
}

} // namespace

int import_simulator_flight_plan(const std::string& name) {
    const std::string folder = flight_plans_folder();
    std::FILE* source = os::open_file(folder + name, "r");
    if (!source) {
        record_missing_file(folder + name);
        return import_failed();
    }

    ImportState s;
    s.out = "[FlightPlan]\n";
    std::string line;
    LineReader reader(source, kPlanLineMax, kMaxPlanFileLines);
    while (reader.next(line)) {
        ++s.line;
        if (!s.xml && line.find("<DepartureID>") != std::string::npos) s.xml = true;
        if (s.xml)
            xml_line(s, line);
        else
            ini_line(s, line);
    }
    std::fclose(source);
    if (reader.stopped_early())
        record_load_warning(folder + name, "read no further than line " +
                                               std::to_string(reader.line_number()) +
                                               ", more than its reader takes");
    if (s.skipped > 0)
        record_load_warning(folder + name, std::to_string(s.skipped) + " waypoints skipped (line " +
                                               std::to_string(s.first_skipped_line) + ": " + s.first_why +
                                               ")");
    if (s.bad_indexes > 0)
        record_load_warning(folder + name, std::to_string(s.bad_indexes) + " waypoint indexes not taken (" +
                                               s.index_faults +
                                               (s.bad_indexes > kIndexFaultsListed ? "; ..." : "") +
                                               "): every waypoint kept in the file's order");
    if (s.written == 0) {
        record_load_warning(folder + name, "holds no waypoint that can be loaded");
        return import_failed();
    }

    // The plan goes to disk whole or not at all: a half-written temp.rte
    // would be read as the plan.
    const std::string path = folder + kSimPlanTempFile;
    std::FILE* out = os::open_file(path, "w");
    if (!out) {
        record_load_warning(path, "cannot be written");
        return import_failed();
    }
    const bool written = std::fputs(s.out.c_str(), out) >= 0 && std::fflush(out) == 0 && !std::ferror(out);
    if (std::fclose(out) != 0 || !written) {
        std::remove(os::host_path(path).c_str());
        record_load_warning(path, "cannot be written");
        return import_failed();
    }
    return 0;
}

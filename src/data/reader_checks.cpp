#include "data/reader_checks.h"

#include "data/load_warnings.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cctype>
#include <cmath>

bool on_globe(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90.0 &&
           std::fabs(longitude) <= 180.0;
}

bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude) {
    if (latitude.empty() && longitude.empty()) return true;
    double lat = 0.0, lon = 0.0;
    return parse_whole_number(latitude, lat) && parse_whole_number(longitude, lon) && on_globe(lat, lon);
}

bool number_within(std::string_view text, double low, double high, double& value) {
    double v = 0.0;
    if (!parse_whole_number(text, v) || v < low || v > high) return false;
    value = v;
    return true;
}

bool cut_within_fields(std::string_view line, bool cut, std::size_t first, std::size_t last) {
    if (!cut || line.empty() || std::isspace(static_cast<unsigned char>(line.back()))) return false;
    std::size_t tokens = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(line[i])) &&
            (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            ++tokens;
    return tokens >= first && tokens <= last;
}

double wrapped_longitude(double longitude) {
    return longitude > 180.0 && longitude <= 360.0 ? longitude - 360.0 : longitude;
}

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// Walks the folders of a relative name from `depth` folders below the top:
// true when ".." takes it above the top.
bool climbs_above(std::string_view name, int depth) {
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !is_separator(name[end]))
            ++end;
        const std::string_view part = name.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

bool is_absolute(const std::string& name) {
    if (name.size() >= 2 && name[1] == ':') return true; // a drive
    if (name.size() >= 2 && is_separator(name[0]) && is_separator(name[1])) return true;
    return !name.empty() && name[0] == '/';
}

// The part of an absolute name below the simulator folder, when the name lies
// there (compared without regard to case or separator kind).
bool below_sim_folder(const std::string& name, std::string_view& rest) {
    std::string folder = host_folder.empty() ? os::current_directory() : host_folder;
    while (!folder.empty() && is_separator(folder.back()))
        folder.pop_back();
    if (folder.empty() || name.size() <= folder.size() || !is_separator(name[folder.size()])) return false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const char a = name[i], b = folder[i];
        if (is_separator(a) && is_separator(b)) continue;
        if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return false;
    }
    rest = std::string_view(name).substr(folder.size() + 1);
    return true;
}

} // namespace

bool climbs_out_of_sim_folder(const std::string& name, int depth) {
    if (name.empty()) return false;
    if (is_absolute(name)) {
        std::string_view rest;
        return !below_sim_folder(name, rest) || climbs_above(rest, 0);
    }
    // One leading '\\': the module's own form, from the simulator folder.
    if (name[0] == '\\') return climbs_above(std::string_view(name).substr(1), 0);
    return climbs_above(name, depth);
}

void record_name_outside(const std::string& key, const std::string& path) {
    record_load_warning(path, key + " names a file outside the simulator folder; not read");
}

std::string table_full_note(int left_out, const std::string& table, int capacity) {
    return std::to_string(left_out) + " left out: the table of " + table + " holds " +
           std::to_string(capacity);
}

#include "data/reader_checks.h"

#include "data/load_warnings.h"
#include "platform/text_file.h"

#include <cmath>

bool on_globe(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90.0 &&
           std::fabs(longitude) <= 180.0;
}

bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude) {
    if (latitude.empty() && longitude.empty()) return true;
    // The lenient parser reads "nan" and "inf" as 0, a place that none meant.
    if (!has_leading_number(latitude.c_str()) || !has_leading_number(longitude.c_str())) return false;
    return on_globe(parse_double(latitude), parse_double(longitude));
}

bool climbs_out_of_sim_folder(const std::string& name, int depth) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

void record_name_outside(const std::string& key, const std::string& path) {
    record_load_warning(path, key + " names a file outside the simulator folder; not read");
}

std::string table_full_note(int left_out, const std::string& table, int capacity) {
    return std::to_string(left_out) + " left out: the table of " + table + " holds " +
           std::to_string(capacity);
}

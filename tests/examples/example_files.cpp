#include "examples/example_files.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace example {

std::string root() {
    return std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex";
}

std::string path(const std::string& relative) {
    return root() + "/" + relative;
}

FileText read_file(const std::string& relative) {
    FileText file;
    std::ifstream in(path(relative), std::ios::binary);
    if (!in) return file;
    file.opened = true;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    int number = 0;
    int with_cr = 0;
    int without_cr = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            ++with_cr;
        } else {
            ++without_cr;
        }
        file.lines.push_back({++number, line});
        start = end + 1;
    }
    file.crlf = with_cr > 0 && without_cr == 0;
    file.mixed_endings = with_cr > 0 && without_cr > 0;
    return file;
}

std::vector<std::string> tokens(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        out.push_back(token);
    return out;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool is_comment(const std::string& text) {
    return !text.empty() && text[0] == ';';
}

bool to_number(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool is_integer(const std::string& text) {
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

bool is_upper_word(const std::string& text, std::size_t min_length, std::size_t max_length) {
    if (text.size() < min_length || text.size() > max_length) return false;
    for (char c : text)
        if (c < 'A' || c > 'Z') return false;
    return true;
}

namespace {
constexpr double kEarthRadiusNm = 3437.7467707849396;
constexpr double kRad = 0.017453292519943295;
} // namespace

double distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double la1 = lat1 * kRad, la2 = lat2 * kRad;
    double dla = la2 - la1, dlo = (lon2 - lon1) * kRad;
    double h = std::sin(dla / 2) * std::sin(dla / 2) +
               std::cos(la1) * std::cos(la2) * std::sin(dlo / 2) * std::sin(dlo / 2);
    return 2 * kEarthRadiusNm * std::asin(std::sqrt(h));
}

double course_deg(double lat1, double lon1, double lat2, double lon2) {
    double la1 = lat1 * kRad, la2 = lat2 * kRad, dlo = (lon2 - lon1) * kRad;
    double y = std::sin(dlo) * std::cos(la2);
    double x = std::cos(la1) * std::sin(la2) - std::sin(la1) * std::cos(la2) * std::cos(dlo);
    double c = std::atan2(y, x) / kRad;
    return c < 0 ? c + 360.0 : c;
}

bool in_region(double lat, double lon) {
    return lat >= 42.0 && lat <= 50.0 && lon >= -127.0 && lon <= -116.0;
}

const Runway* Airport::runway(const std::string& designator) const {
    for (const Runway& r : runways)
        if (r.designator == designator) return &r;
    return nullptr;
}

bool NavDb::fix(const std::string& ident, Position& pos) const {
    if (auto n = navaids.find(ident); n != navaids.end()) {
        pos = n->second.pos;
        return true;
    }
    if (auto i = intersections.find(ident); i != intersections.end()) {
        pos = i->second;
        return true;
    }
    return false;
}

namespace {

NavDb load_navdb() {
    NavDb db;
    for (const Line& line : read_file("navdata/navs.txt").lines) {
        auto t = tokens(line.text);
        if (t.size() < 6 || is_comment(line.text)) continue;
        Navaid n;
        to_number(t[2], n.pos.lat);
        to_number(t[3], n.pos.lon);
        n.type = t[4];
        n.frequency = t[5];
        db.navaids[t[0]] = n;
    }
    for (const Line& line : read_file("navdata/ints.txt").lines) {
        auto t = tokens(line.text);
        if (t.size() < 4 || is_comment(line.text)) continue;
        Position p;
        to_number(t[2], p.lat);
        to_number(t[3], p.lon);
        db.intersections[t[0]] = p;
    }
    for (const Line& line : read_file("navdata/apts.txt").lines) {
        auto t = tokens(line.text);
        if (t.size() < 5 || is_comment(line.text)) continue;
        Airport a;
        a.name = t[1];
        a.elevation_ft = std::atoi(t[2].c_str());
        to_number(t[3], a.pos.lat);
        to_number(t[4], a.pos.lon);
        for (std::size_t i = 5; i < t.size(); ++i) {
            auto f = split(t[i], '_');
            if (f.size() != 8) continue;
            Runway r;
            r.designator = f[0];
            r.length_ft = std::atoi(f[1].c_str());
            to_number(f[2], r.threshold.lat);
            to_number(f[3], r.threshold.lon);
            to_number(f[4], r.heading);
            r.frequency = f[5];
            r.kind = f[6];
            to_number(f[7], r.course);
            a.runways.push_back(r);
        }
        db.airports[t[0]] = a;
    }
    return db;
}

} // namespace

const NavDb& navdb() {
    static const NavDb db = load_navdb();
    return db;
}

} // namespace example

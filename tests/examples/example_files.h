// Plain readers of the bundled example's files, independent of the module's
// loaders, so that the example data can be checked on its own.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace example {

// The example's module folder, examples/sim/orvex of the source tree.
std::string root();
std::string path(const std::string& relative);

struct Line {
    int number = 0;   // 1-based line number in the file
    std::string text; // without the line ending
};

struct FileText {
    bool opened = false;
    bool crlf = false;          // every line ends in CR LF
    bool mixed_endings = false; // some lines end in CR LF, others in LF
    std::vector<Line> lines;
};

FileText read_file(const std::string& relative);

// Blank-separated tokens, as the loaders' "%s" scans see them (the files hold
// no tabs; a test checks that).
std::vector<std::string> tokens(const std::string& text);
// Splits at every occurrence of the separator, keeping empty parts.
std::vector<std::string> split(const std::string& text, char separator);

bool is_comment(const std::string& text);
// The whole text is one decimal number (strict, unlike the loaders).
bool to_number(const std::string& text, double& value);
bool is_integer(const std::string& text);
bool is_upper_word(const std::string& text, std::size_t min_length, std::size_t max_length);

double distance_nm(double lat1, double lon1, double lat2, double lon2);
// Initial great-circle course in degrees [0, 360).
double course_deg(double lat1, double lon1, double lat2, double lon2);

// The region the example covers: US Pacific Northwest and the Vancouver area.
bool in_region(double lat, double lon);

struct Position {
    double lat = 0.0;
    double lon = 0.0;
};

struct Navaid {
    Position pos;
    std::string type;
    std::string frequency;
};

struct Runway {
    std::string designator;
    int length_ft = 0;
    Position threshold;
    double heading = 0.0;
    std::string frequency;
    std::string kind;
    double course = 0.0;
};

struct Airport {
    std::string name;
    int elevation_ft = 0;
    Position pos;
    std::vector<Runway> runways;
    const Runway* runway(const std::string& designator) const;
};

// The navigation records of navs.txt, ints.txt and apts.txt, parsed leniently
// enough to build cross-references (the format checks are the tests' job).
struct NavDb {
    std::map<std::string, Navaid> navaids;
    std::map<std::string, Position> intersections;
    std::map<std::string, Airport> airports;
    // Position of a navaid or intersection; false when neither exists.
    bool fix(const std::string& ident, Position& pos) const;
};

const NavDb& navdb();

} // namespace example

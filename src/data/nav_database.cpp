#include "data/nav_database.h"

#include "data/config_line.h"
#include "data/host_folder.h"
#include "platform/os.h"
#include "platform/text_file.h"

#include <cstdio>
#include <vector>

BoundedTable<NavRecord, 300001> intersection_table;
BoundedTable<NavRecord, 150001> airway_fix_table;
BoundedTable<NavRecord, 25001> airport_table;
BoundedTable<NavRecord, 30001> navaid_table;
BoundedTable<std::string, 401> warning_messages;
BoundedTable<NavaidIndexEntry, 75> navaid_letter_index;

namespace {

constexpr std::size_t kMaxNavLine = 1698;

// The tables warn two records short of their capacity.
constexpr int kAirportWarningCount = 24998;
constexpr int kNavaidWarningCount = 29998;

void add_warning(const char* format, int count) {
    if (warning_messages.full()) return;
    char text[80];
    std::snprintf(text, sizeof text, format, count);
    warning_messages.append(text);
}

std::string first_char(const std::string& s) {
    return s.empty() ? std::string() : s.substr(0, 1);
}

// Reads every line of one file that is not a comment, as tokens. Lines too
// short to hold a position are skipped: their record would have none.
template <class OnLine>
void read_nav_file(const std::string& name, std::size_t position_tokens, std::size_t max_tokens,
                   OnLine on_line) {
    std::FILE* file = os::open_file(host_folder + "\\orvex\\navdata\\" + name, "r");
    if (!file) return;
    std::string line;
    while (read_line(file, line, kMaxNavLine)) {
        if (!line.empty() && line[0] == ';') continue;
        std::vector<std::string> t = scan_tokens(line, max_tokens);
        if (t.size() < position_tokens) continue;
        t.resize(max_tokens);
        on_line(t);
    }
    std::fclose(file);
}

void load_intersection_line(const std::vector<std::string>& t) {
    if (intersection_table.full()) return;
    NavRecord r;
    r.ident = t[0];
    r.name = t[1];
    r.latitude = parse_double(t[2]);
    r.longitude = parse_double(t[3]);
    r.kind = "I";
    intersection_table.append(r);
}

void load_airway_fix_line(const std::vector<std::string>& t) {
    const std::string& fix = t[2];
    if (fix.size() < 4 || airway_fix_table.full()) return;
    NavRecord r;
    r.ident = fix;
    r.name = fix;
    r.latitude = parse_double(t[3]);
    r.longitude = parse_double(t[4]);
    r.kind = "I";
    airway_fix_table.append(r);
}

void load_airport_line(const std::vector<std::string>& t) {
    if (airport_table.full()) return;
    NavRecord r;
    r.ident = t[0];
    r.name = t[1];
    r.elevation_text = t[2];
    r.latitude = parse_double(t[3]);
    r.longitude = parse_double(t[4]);
    r.kind = "APT";
    airport_table.append(r);
    if (airport_table.count() == kAirportWarningCount)
        add_warning("Apts '%d' approaching struct_limit", airport_table.count());
}

void load_navaid_line(const std::vector<std::string>& t) {
    if (navaid_table.full()) return;
    NavRecord r;
    r.ident = t[0];
    r.name = t[1];
    r.latitude = parse_double(t[2]);
    r.longitude = parse_double(t[3]);
    r.kind = equals_ignoring_case(t[4], "VOR") ? "V" : "N";
    r.extra = t[5];
    navaid_table.append(r);
    if (navaid_table.count() == kNavaidWarningCount)
        add_warning("Navs '%d' approaching struct_limit", navaid_table.count());
}

} // namespace

void load_nav_database() {
    // PENDING: load_wmm_coefficients(); -- the magnetic model starts here once it exists.
    intersection_table.clear();
    airway_fix_table.clear();
    airport_table.clear();
    navaid_table.clear();

    for (const char* name : {"ints.txt", "ints_user.txt"})
        read_nav_file(name, 4, 4, load_intersection_line);
    for (const char* name : {"awys.txt", "awys_user.txt"})
        read_nav_file(name, 5, 5, load_airway_fix_line);
    for (const char* name : {"apts.txt", "apts_user.txt"})
        read_nav_file(name, 5, 5, load_airport_line);
    for (const char* name : {"navs.txt", "navs_user.txt"})
        read_nav_file(name, 4, 6, load_navaid_line);

    build_navaid_letter_index();
}

void build_navaid_letter_index() {
    navaid_letter_index.clear();
    navaid_letter_index.append({first_char(navaid_table[1].ident), 1});
    if (navaid_table.count() < 2) return;
    for (int n = 2; n <= navaid_table.count(); ++n) {
        std::string letter = first_char(navaid_table[n].ident);
        if (letter == navaid_letter_index[navaid_letter_index.count()].letter) continue;
        navaid_letter_index.append({letter, n});
        if (navaid_letter_index.count() > 73) break;
    }
}

int find_navaid(const std::string& ident, const std::string& kind, double latitude) {
    const std::string letter = first_char(ident);
    int n = 0;
    for (int i = 1; i <= navaid_letter_index.count(); ++i)
        if (navaid_letter_index[i].letter == letter) {
            n = navaid_letter_index[i].first_record;
            break;
        }
    if (n < 1 || n > navaid_table.count()) return 0;

    const int whole_degrees = saturate_to_int(latitude);
    const bool vor_only = kind == "INT" || kind.empty();
    for (; n <= navaid_table.count(); ++n) {
        const NavRecord& r = navaid_table[n];
        if (first_char(r.ident) != letter) return 0;
        if (r.ident != ident) continue;
        if (saturate_to_int(r.latitude) != whole_degrees) continue;
        if (vor_only ? r.kind == "V" : first_char(r.kind) == first_char(kind)) return n;
    }
    return 0;
}

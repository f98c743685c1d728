#include "data/performance_tables.h"
#include "data/load_warnings.h"

#include "data/aircraft_settings.h"
#include "data/config_line.h"
#include "data/reader_checks.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

PerformanceTables performance_tables;

namespace {

constexpr std::size_t kMaxLine = 1499;
constexpr std::size_t kMaxSectionText = 149;
// The tables take some 250 rows and headers; a file of more lines than this
// is no performance file.
constexpr int kMaxPerformanceLines = 10000;

// Rows a full table had no room for, in the file being read.
int rows_left_out = 0;

// A data row may fill a table only up to its last slot; rows beyond it are
// dropped and counted.
bool next_row(int& count) {
    if (count + 1 >= PerformanceTables::kRows) {
        ++rows_left_out;
        return false;
    }
    ++count;
    return true;
}

// Gross weights (thousands of pounds) an aircraft can have.
constexpr double kMostWeight = 10000.0;

// False when a gross weight was no aircraft's (it is kept as 0).
bool read_section_header(const std::string& line, const std::vector<std::string>& tokens,
                         std::string& section) {
    std::string text;
    for (char c : line)
        if (c != '[' && c != ']') text += c;
    if (text.size() > kMaxSectionText) text.resize(kMaxSectionText);
    std::vector<std::string> words = scan_tokens(text, 1);
    section = words.empty() ? std::string() : words[0];

    if (!equals_ignoring_case(section, "GRWT")) return true;
    PerformanceTables& p = performance_tables;
    bool reachable = true;
    for (std::size_t i = 1; i <= 8 && i < tokens.size(); ++i) {
        if (p.weight_count >= PerformanceTables::kWeights) break;
        ++p.weight_count;
        // The header's last weight carries its ']'.
        std::string_view text = tokens[i];
        if (i + 1 == tokens.size() && text.size() > 1 && text.back() == ']') text.remove_suffix(1);
        double weight = 0.0;
        if (!number_within(text, 0.0, kMostWeight, weight)) {
            weight = 0.0;
            reachable = false;
        }
        p.cruise[0].slots[31 + p.weight_count] = 1000.0 * weight;
    }
    p.cruise[0].value_count = p.weight_count;
    section = "CRUISE";
    return reachable;
}

bool is_table_section(const std::string& section) {
    for (const char* name : {"CLIMB", "CRUISE", "DESCENT", "Altitude"})
        if (equals_ignoring_case(section, name)) return true;
    return false;
}

// A table row holds numbers only, each token whole: a word, or "12x", would
// put a value nobody wrote into every prediction read from the row. (Numbers
// a short row lacks read as 0, as they always have.)
bool data_row_usable(const std::string& section, const std::vector<std::string>& t) {
    if (!is_table_section(section)) return true;
    double value = 0.0;
    for (const std::string& token : t)
        if (!parse_whole_number(token, value)) return false;
    return true;
}

// The values an aircraft can reach, by column: altitude (ft), true airspeed
// (kt), vertical rate (ft/min) and fuel flow (lb/h); a row with another
// value would fly the predictions somewhere no aircraft goes. No aircraft
// flies a table below 1 kt: a speed of 0 would show as Mach 0.00.
struct ValueRange {
    double low, high;
};
constexpr ValueRange kAltitude{-2000.0, 100000.0};
constexpr ValueRange kSpeed{1.0, 2000.0};
constexpr ValueRange kRate{-20000.0, 20000.0};
constexpr ValueRange kFuelFlow{0.0, 1000000.0};

bool row_values_reachable(const std::string& section, const std::vector<std::string>& t) {
    const bool climb_or_descent =
        equals_ignoring_case(section, "CLIMB") || equals_ignoring_case(section, "DESCENT");
    for (std::size_t i = 0; i < t.size(); ++i) {
        ValueRange range = kFuelFlow;
        if (i == 0 || equals_ignoring_case(section, "Altitude"))
            range = kAltitude;
        else if (i == 1)
            range = kSpeed;
        else if (i == 2 && climb_or_descent)
            range = kRate;
        const double v = parse_double(t[i]);
        if (v < range.low || v > range.high) return false;
    }
    return true;
}

// What a row outside the four tables holds for them: a UNITS row its
// "FUEL=" or "WEIGHT=" line; a row before any header, or under another
// header, nothing (a file of some other kind, "/etc/passwd", is all such).
const char* row_outside_tables_fault(const std::string& section, const std::vector<std::string>& t) {
    if (!equals_ignoring_case(section, "UNITS")) return "a row outside the tables";
    const std::string head = to_upper_ascii(t[0].substr(0, 7));
    if (head.rfind("FUEL=", 0) == 0 || head.rfind("WEIGHT=", 0) == 0) return nullptr;
    return "a UNITS row not FUEL= or WEIGHT=";
}

// The rows of a table run one way by altitude, as the direction of its
// first two says (CLIMB up, DESCENT down in the example file); a row that
// turns back, or repeats an altitude (the lookup never reaches the second),
// was most likely mistyped. Kept, and told.
struct RowOrder {
    int rows = 0;
    double last = 0.0;
    int direction = 0; // +1 rising, -1 falling, 0 not yet known
};
RowOrder row_order;

std::string row_order_fault(const std::string& section, const std::vector<std::string>& t) {
    if (equals_ignoring_case(section, "Altitude")) return {};
    const double altitude = parse_double(t[0]);
    RowOrder& o = row_order;
    const int step = altitude > o.last ? 1 : altitude < o.last ? -1 : 0;
    const bool first = o.rows++ == 0;
    o.last = altitude;
    if (first) return {};
    const std::string row = to_upper_ascii(section) + " row of altitude " + t[0];
    if (step == 0) return row + " repeated: kept, the row before it is the one used";
    if (o.direction == 0) o.direction = step;
    if (step == o.direction) return {};
    return row + " out of the order of the rows before it: kept";
}

// A short row still loads, its missing numbers as 0.
bool data_row_complete(const std::string& section, const std::vector<std::string>& t) {
    if (equals_ignoring_case(section, "CLIMB") || equals_ignoring_case(section, "DESCENT"))
        return t.size() >= 4;
    if (equals_ignoring_case(section, "CRUISE"))
        return t.size() >= 2 + static_cast<std::size_t>(std::max(1, performance_tables.weight_count));
    if (equals_ignoring_case(section, "Altitude")) return t.size() >= 2;
    return true;
}

void read_data_row(const std::string& section, const std::vector<std::string>& t) {
    PerformanceTables& p = performance_tables;
    // Tokens are numbered from 1 as in the file's description; an absent one
    // converts as empty (0.0).
    auto token = [&](std::size_t n) { return n <= t.size() ? parse_double(t[n - 1]) : 0.0; };
    auto present = [&](std::size_t n) { return n <= t.size(); };

    if (equals_ignoring_case(section, "CLIMB")) {
        if (!next_row(p.climb_row_count)) return;
        double* row = p.climb[p.climb_row_count];
        row[21] = token(1);
        row[22] = token(2);
        row[23] = token(3);
        row[2] = token(4);
        for (std::size_t n = 5; n <= 11; ++n)
            if (present(n)) row[n - 2] = token(n);
    } else if (equals_ignoring_case(section, "CRUISE")) {
        if (!next_row(p.cruise_row_count)) return;
        CruiseRow& row = p.cruise[p.cruise_row_count];
        row.slots[61] = token(1);
        row.slots[62] = token(2);
        row.value_count = 0;
        for (std::size_t n = 3; n <= 28; ++n)
            if (present(n)) {
                row.slots[n - 1] = token(n);
                ++row.value_count;
            }
    } else if (equals_ignoring_case(section, "DESCENT")) {
        if (!next_row(p.descent_row_count)) return;
        double* row = p.descent[p.descent_row_count];
        row[0] = token(4);
        row[1] = token(3);
        row[2] = token(1);
        row[3] = token(2);
    } else if (equals_ignoring_case(section, "Altitude")) {
        if (!next_row(p.altitude_row_count)) return;
        double* row = p.altitude[p.altitude_row_count];
        row[0] = token(1);
        row[1] = token(2);
    }
    // "UNITS" rows and rows of any other section change no table.
}

} // namespace

void load_performance_data() {
    PerformanceTables& p = performance_tables;
    p.climb_row_count = p.cruise_row_count = p.descent_row_count = p.altitude_row_count = 0;
    p.weight_count = 0;
    p.cruise[0].value_count = 0;
    p.climb[0][0] = 0.0;
    std::string section;

    // The name as it stands (absolute, or from the simulator folder), then
    // in the aircraft folder; a failure names both paths tried.
    if (PerformanceData.empty()) return;
    std::string path = PerformanceData;
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        const os::OpenFailure as_it_stands = os::last_open_failure();
        path = host_folder + "\\orvex\\aircraft\\" + PerformanceData;
        file = os::open_file(path, "r");
        if (!file) {
            if (as_it_stands == os::OpenFailure::NotRegular)
                record_load_warning(PerformanceData, kNotRegularFile);
            else if (os::last_open_failure() == os::OpenFailure::NotRegular)
                record_missing_file(path);
            else
                record_load_warning(PerformanceData, "cannot be opened, nor can " + os::host_path(path));
        }
    }
    if (!file) return;

    FileLineCheck check{path};
    LineReader reader(file, kMaxLine, kMaxPerformanceLines);
    rows_left_out = 0;
    row_order = RowOrder{};
    std::string line;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        if (!line.empty() && line[0] == ';') continue;
        if (cut_within_fields(line, reader.last_line_cut(), 1, 28)) {
            check.skip(kFieldCut);
            continue;
        }
        std::vector<std::string> tokens = scan_tokens(line, 28);
        if (tokens.empty()) continue;
        if (tokens[0][0] == '[') {
            row_order = RowOrder{};
            if (read_section_header(line, tokens, section))
                check.use();
            else
                check.skip("a weight no aircraft has");
        } else if (!is_table_section(section)) {
            if (const char* why = row_outside_tables_fault(section, tokens))
                check.skip(why);
            else
                check.use();
        } else if (data_row_usable(section, tokens) && !equals_ignoring_case(section, "Altitude") &&
                   tokens.size() < 2) {
            check.skip("a row without its speed"); // it would fly at 0 kt
        } else if (data_row_usable(section, tokens) && !row_values_reachable(section, tokens)) {
            check.skip("a value no aircraft reaches");
        } else if (data_row_usable(section, tokens)) {
            read_data_row(section, tokens);
            if (data_row_complete(section, tokens))
                check.use();
            else
                check.use_incomplete();
            const std::string order = row_order_fault(section, tokens);
            if (!order.empty()) check.value(order);
        } else {
            check.skip("not a number");
        }
    }
    check.finish(reader);
    std::fclose(file);
    if (rows_left_out > 0)
        check.note(table_full_note(rows_left_out, "rows of a section", PerformanceTables::kRows - 1));
    // A file with no row of any table gives the predictions nothing to run on.
    if (check.used() > 0 &&
        p.climb_row_count + p.cruise_row_count + p.descent_row_count + p.altitude_row_count == 0)
        check.note("it holds no row of a CLIMB, CRUISE, DESCENT or Altitude table");
    check.report("the predictions lack those rows");
}

#include "data/nav_database.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "data/wmm.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

NavTable<300001> intersection_table;
NavTable<150001> airway_fix_table;
NavTable<25001> airport_table;
NavTable<30001> navaid_table;
BoundedTable<std::string, 401> warning_messages;
BoundedTable<NavaidIndexEntry, 75> navaid_letter_index;

namespace {

constexpr std::size_t kMaxNavLine = 1698;
// Lines a file may hold beyond what its table takes (comments, blank lines,
// records left out); the rest of a bigger file is not read.
constexpr int kLinesBeyondTable = 100000;

// The tables warn two records short of their capacity.
constexpr int kAirportWarningCount = 24998;
constexpr int kNavaidWarningCount = 29998;

// The file being read, for the load warnings.
std::string reading_path;

// A table nearing its capacity: in the module's own list and, naming the
// file, in the load warnings.
void add_warning(const char* format, int count) {
    char text[80];
    std::snprintf(text, sizeof text, format, count);
    record_load_warning(reading_path, text);
    if (!warning_messages.full()) warning_messages.append(text);
}

// The blanks that end a token, by byte: one look-up per character of half a
// million lines.
constexpr auto kBlanks = [] {
    std::array<bool, 256> blank{};
    for (const unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        blank[c] = true;
    return blank;
}();

bool is_blank(char c) {
    return kBlanks[static_cast<unsigned char>(c)];
}

std::string_view first_char(std::string_view s) {
    return s.substr(0, 1);
}

// The whitespace-delimited tokens of one line, as many "%s" as the line form
// has, viewed in place: the world-size files have half a million lines, and a
// fresh text for every token would cost more than the reading. Tokens the
// line lacks are empty.
struct LineTokens {
    static constexpr std::size_t kMax = 6;
    std::string_view t[kMax];
    std::size_t count = 0;

    const std::string_view& operator[](std::size_t i) const { return t[i]; }
};

// The end of the token at i: the first blank from there, or the end. Eight
// bytes at a time: every blank is below 0x21, and the lowest byte that a word
// flags below it is the first such byte (a borrow only runs upwards).
std::size_t token_end(const char* data, std::size_t i, std::size_t size) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighs = 0x8080808080808080;
    while (size - i >= 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        const uint64_t below = (word - 0x21 * kOnes) & ~word & kHighs;
        if (below == 0) {
            i += 8;
            continue;
        }
        i += static_cast<std::size_t>(std::countr_zero(below)) / 8;
        if (is_blank(data[i])) return i;
        ++i; // a control byte inside the token
    }
    while (i < size && !is_blank(data[i]))
        ++i;
    return i;
}

void split_tokens(std::string_view line, std::size_t max_tokens, LineTokens& tokens) {
    tokens.count = 0;
    std::size_t i = 0;
    const std::size_t size = line.size();
    while (tokens.count < max_tokens) {
        while (i < size && is_blank(line[i]))
            ++i;
        if (i >= size) break;
        const std::size_t start = i;
        i = token_end(line.data(), i, size);
        tokens.t[tokens.count++] = std::string_view(line.data() + start, i - start);
    }
    for (std::size_t k = tokens.count; k < LineTokens::kMax; ++k)
        tokens.t[k] = std::string_view();
}

// A position token: its value, and whether it is a number, whole.
struct TokenNumber {
    double value = 0.0;
    bool number = false;
};
TokenNumber token_number(std::string_view token) {
    TokenNumber n;
    n.number = parse_whole_number(token, n.value);
    return n;
}

// Another kind of navaid's frequency: MHz or kHz, so that one range takes
// both; "-" (or nothing) says the navaid has none.
constexpr FieldRange kAnyNavaidFrequency{100.0, 1800.0, "frequency no number from 100 to 1800"};

// What the fields beside the position make of a line: a fault that leaves
// the record out, or one told while the record is kept (`keep`).
struct LineVerdict {
    const char* why = nullptr;
    bool keep = false;
    bool whole = true; // false: the line lacks a field its record has
};

// A file's size in bytes, 0 when it cannot be told; the file is left at
// its start.
long file_size(std::FILE* file) {
    long size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    std::rewind(file);
    return size > 0 ? size : 0;
}

// The texts a file will add, guessed from those of its first lines (their
// texts, records and bytes), with an eighth more: the table's text store
// takes that room at once. Grown by doubling, the store would copy itself
// and touch its memory twice on the first load; room for the whole file
// would waste two thirds. No more than the records the table still takes
// would need, however long the file.
constexpr int kLinesToGuessFrom = 1000;
struct TextsSoFar {
    std::size_t texts = 0;
    int records = 0;
    std::size_t bytes_read = 0;
};
std::size_t texts_guess(const TextsSoFar& so_far, long size, int records_left) {
    const auto bytes = static_cast<std::size_t>(size);
    if (so_far.records <= 0 || bytes <= so_far.bytes_read || records_left <= 0) return 0;
    const double texts = static_cast<double>(so_far.texts);
    const double by_bytes =
        texts * static_cast<double>(bytes - so_far.bytes_read) / static_cast<double>(so_far.bytes_read);
    const double by_records = texts / so_far.records * records_left;
    return static_cast<std::size_t>(std::min(by_bytes, by_records) * 1.125);
}

// Reads every line of one file that is not a comment, as tokens. Lines too
// short to hold a position are skipped: their record would have none. A
// record whose position is no number ("nan", "N47") or off the globe is left
// out, as is one whose other fields the table cannot take (check_line gives
// why). What a file held that could not be used, and records a full table
// left out, is one load warning; the "_user" companions may be missing or
// hold nothing. on_line returns false when the table was full.
template <std::size_t Slots, class OnLine>
void read_nav_file(const std::string& name, bool required, std::size_t position_token, std::size_t max_tokens,
                   NavTable<Slots>& records, const char* table, OnLine on_line,
                   LineVerdict (*check_line)(const LineTokens&) = nullptr) {
    const std::string path = host_folder + "\\orvex\\navdata\\" + name;
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        if (required)
            record_missing_file(path);
        else
            record_if_not_regular(path);
        return;
    }
    const long size = file_size(file);
    const std::size_t texts_before = records.texts().size();
    const int records_before = records.count();
    std::size_t bytes_read = 0;
    FileLineCheck check{path};
    reading_path = path;
    const int capacity = static_cast<int>(Slots) - 1;
    LineReader reader(file, kMaxNavLine, capacity + kLinesBeyondTable);
    std::string_view line;
    LineTokens t;
    int left_out = 0;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        bytes_read += line.size() + 1;
        if (reader.line_number() == kLinesToGuessFrom) {
            const TextsSoFar so_far{records.texts().size() - texts_before, records.count() - records_before,
                                    bytes_read};
            records.reserve_texts(texts_guess(so_far, size, capacity - records.count()));
        }
        if (!line.empty() && line[0] == ';') continue;
        if (reader.last_line_cut() && cut_within_fields(line, true, position_token + 1, max_tokens)) {
            check.skip(kFieldCut);
            continue;
        }
        split_tokens(line, max_tokens, t);
        if (t.count == 0) continue; // a blank line is no record and no fault
        if (t.count < position_token + 2) {
            check.skip("too short for a record");
            continue;
        }
        const TokenNumber latitude = token_number(t[position_token]);
        const TokenNumber longitude = token_number(t[position_token + 1]);
        const LineVerdict verdict = check_line ? check_line(t) : LineVerdict{};
        if (!latitude.number || !longitude.number) {
            check.skip("position is no number");
            continue;
        } else if (!on_globe(latitude.value, longitude.value)) {
            check.skip(kOffGlobe);
            continue;
        } else if (verdict.why && !verdict.keep) {
            check.skip(verdict.why);
            continue;
        } else if (verdict.why) {
            check.fault(verdict.why, verdict.whole);
        } else {
            check.use();
        }
        // A last line cut within its longitude still reads as a position.
        const std::string_view lon = t[position_token + 1];
        const auto lon_end = static_cast<std::size_t>(lon.data() + lon.size() - line.data());
        check.measure(lon, longitude.value, line.find_last_not_of(" \t\r\v\f") + 1 == lon_end);
        if (!on_line(t, latitude.value, longitude.value)) ++left_out;
    }
    check.finish(reader);
    std::fclose(file);
    if (left_out > 0) check.note(table_full_note(left_out, table, capacity));
    check.report("those records are missing or misplaced", !required);
}

constexpr std::string_view kKindFix = "I";
constexpr std::string_view kKindAirport = "APT";
constexpr std::string_view kKindVor = "V";
constexpr std::string_view kKindOtherNavaid = "N";

bool load_intersection_line(const LineTokens& t, double latitude, double longitude) {
    return intersection_table.append(t[0], t[1], latitude, longitude, kKindFix);
}

// An airway's fixes follow one another by sequence number, each whole and
// not negative, rising along the airway: out of order, the airway would be
// flown in another order than its number says. Told, as the fix stands.
struct AirwayOrder {
    std::string airway;
    double sequence = 0.0;
};
AirwayOrder airway_order;

bool whole_count(std::string_view text, double& value) {
    return parse_whole_number(text, value) && value >= 0.0 &&
           value == static_cast<double>(static_cast<long>(value));
}

LineVerdict check_airway_fix_line(const LineTokens& t) {
    double sequence = 0.0;
    const bool same_airway = airway_order.airway == t[0];
    const bool counted = whole_count(t[1], sequence);
    const bool rising = !same_airway || sequence > airway_order.sequence;
    airway_order.airway.assign(t[0]);
    airway_order.sequence = counted ? sequence : 0.0;
    if (!counted) return {"sequence no whole number from 0", true};
    if (!rising) return {"sequence out of order", true};
    return {};
}

bool load_airway_fix_line(const LineTokens& t, double latitude, double longitude) {
    const std::string_view fix = t[2];
    if (fix.size() < 4) return true;
    return airway_fix_table.append(fix, fix, latitude, longitude, kKindFix);
}

bool load_airport_line(const LineTokens& t, double latitude, double longitude) {
    if (!airport_table.append(t[0], t[1], latitude, longitude, kKindAirport, {}, t[2])) return false;
    if (airport_table.count() == kAirportWarningCount)
        add_warning("Apts '%d' approaching struct_limit", airport_table.count());
    return true;
}

bool is_vor(std::string_view type) {
    return type.size() == 3 && equals_ignoring_case(std::string(type), "VOR");
}

// The airport's elevation is shown and flown to: a number in range.
LineVerdict check_airport_line(const LineTokens& t) {
    return {number_fault(t[2], kElevationFt)};
}

// Its position checked, a navaid line still needs a frequency the radios
// can tune ("nan" or 1e308 would show as the frequency): a VOR in its band
// of MHz, an NDB in its of kHz. A VOR or NDB without one is kept as a
// waypoint, and told.
LineVerdict check_navaid_line(const LineTokens& t) {
    const std::string_view f = t[5];
    const bool none = f.empty() || f == "-";
    const bool ndb = t[4].size() == 3 && equals_ignoring_case(std::string(t[4]), "NDB");
    if (!is_vor(t[4]) && !ndb) return {none ? nullptr : number_fault(f, kAnyNavaidFrequency)};
    if (none) return {"no frequency", true, false};
    return {number_fault(f, ndb ? kNdbKhz : kVhfNavMhz)};
}

bool load_navaid_line(const LineTokens& t, double latitude, double longitude) {
    if (!navaid_table.append(t[0], t[1], latitude, longitude, is_vor(t[4]) ? kKindVor : kKindOtherNavaid,
                             t[5]))
        return false;
    if (navaid_table.count() == kNavaidWarningCount)
        add_warning("Navs '%d' approaching struct_limit", navaid_table.count());
    return true;
}

} // namespace

void load_nav_database() {
    load_wmm_coefficients();
    ++nav_database_generation;
    intersection_table.clear();
    airway_fix_table.clear();
    airport_table.clear();
    navaid_table.clear();

    // A user file's records follow its base file's.
    auto user_first = [](int base_count, int count) { return count > base_count ? base_count + 1 : 0; };
    read_nav_file("ints.txt", true, 2, 4, intersection_table, "fixes", load_intersection_line);
    int base = intersection_table.count();
    read_nav_file("ints_user.txt", false, 2, 4, intersection_table, "fixes", load_intersection_line);
    intersection_user_first = user_first(base, intersection_table.count());
    airway_order = AirwayOrder{};
    read_nav_file("awys.txt", true, 3, 5, airway_fix_table, "airway fixes", load_airway_fix_line,
                  check_airway_fix_line);
    airway_order = AirwayOrder{};
    read_nav_file("awys_user.txt", false, 3, 5, airway_fix_table, "airway fixes", load_airway_fix_line,
                  check_airway_fix_line);
    read_nav_file("apts.txt", true, 3, 5, airport_table, "airports", load_airport_line, check_airport_line);
    base = airport_table.count();
    read_nav_file("apts_user.txt", false, 3, 5, airport_table, "airports", load_airport_line,
                  check_airport_line);
    airport_user_first = user_first(base, airport_table.count());
    read_nav_file("navs.txt", true, 2, 6, navaid_table, "navaids", load_navaid_line, check_navaid_line);
    base = navaid_table.count();
    read_nav_file("navs_user.txt", false, 2, 6, navaid_table, "navaids", load_navaid_line, check_navaid_line);
    navaid_user_first = user_first(base, navaid_table.count());

    build_navaid_letter_index();
}

void build_navaid_letter_index() {
    navaid_letter_index.clear();
    navaid_letter_index.append({std::string(first_char(navaid_table[1].ident)), 1});
    if (navaid_table.count() < 2) return;
    for (int n = 2; n <= navaid_table.count(); ++n) {
        const std::string_view letter = first_char(navaid_table[n].ident);
        if (letter == navaid_letter_index[navaid_letter_index.count()].letter) continue;
        navaid_letter_index.append({std::string(letter), n});
        if (navaid_letter_index.count() > 73) break;
    }
}

int find_navaid(std::string_view ident, std::string_view kind, double latitude) {
    const std::string_view letter = first_char(ident);
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
        const NavRecordView r = navaid_table[n];
        if (first_char(r.ident) != letter) return 0;
        if (r.ident != ident) continue;
        if (saturate_to_int(r.latitude) != whole_degrees) continue;
        if (vor_only ? r.kind == "V" : first_char(r.kind) == first_char(kind)) return n;
    }
    return 0;
}

#include "fms/procedures/airport_detail.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/reader_checks.h"
#include "fms/math/lat_lon_text.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/approach_file.h"
#include "fms/procedures/sid_file.h"
#include "fms/procedures/star_file.h"
#include "fms/units/smiths_scratchpad.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t kMaxAirportLine = 1698;
constexpr std::size_t kMaxParkingLine = 299;
// A gate for every airport of the world and then some.
constexpr int kMaxParkingLines = 100000;
constexpr std::size_t kAirportTokens = 24; // name, elevation, position, 20 runways
constexpr int kFirstRunwayToken = 4;

// Name, elevation and position: the airport line's numbers must be numbers,
// or its airport would stand at 0, 0.
bool airport_tokens_usable(const std::vector<std::string>& t) {
    double value = 0.0;
    return t.size() >= 4 && has_leading_number(t[1].c_str()) && parse_whole_number(t[2], value) &&
           parse_whole_number(t[3], value);
}

// The airport's line without its ident, from one airport file, with the
// file's path and the line's number. An airport line without its numbers,
// or at a position off the globe, is not taken, and named in a load warning
// (the navigation database's load tells what else the file lacks).
struct AirportLine {
    std::string rest;
    std::string path;
    int number = 0;
};
bool find_airport_line(const char* file_name, const std::string& ident, AirportLine* found_line) {
    std::string* rest = &found_line->rest;
    const std::string path = host_folder + "\\orvex\\Navdata\\" + file_name;
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        record_missing_file(path);
        return false;
    }
    LineReader reader(file, kMaxAirportLine);
    std::string line;
    bool found = false;
    while (reader.next(line)) {
        line = to_upper_ascii(line);
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        const std::size_t blank = line.find(' ');
        if (ident.empty() || line.substr(0, blank) != ident) continue;
        *rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        const std::vector<std::string> t = split_at_blanks(*rest, 4);
        const std::string at = "line " + std::to_string(reader.line_number()) + ": " + ident;
        if (!airport_tokens_usable(t))
            record_load_warning(path, at + " has no elevation or position; that airport is not loaded");
        else if (!on_globe(parse_double(t[2]), parse_double(t[3])))
            record_load_warning(path, at + ": " + kOffGlobe + "; that airport is not loaded");
        else if (const char* why = number_fault(t[1], kElevationFt))
            record_load_warning(path, at + ": " + why + "; that airport is not loaded");
        else
            found = true;
        found_line->path = path;
        found_line->number = reader.line_number();
        break;
    }
    std::fclose(file);
    return found;
}

// An airport in no file leaves nothing of the slot's previous airport that
// could pass for it.
void empty_slot(AirportProcedures& s, int slot) {
    s.airport_ident.clear();
    s.airport_name.clear();
    s.airport_latitude = 0.0;
    s.airport_longitude = 0.0;
    s.latitude_text.clear();
    s.longitude_text.clear();
    s.elevation_ft = 0;
    s.sids.clear();
    s.stars.clear();
    s.approaches.clear();
    s.approach_groups.clear();
    s.star_entry_list.clear();
    s.star_transition_list.clear();
    s.iaf_list.clear();
    if (slot == origin_slot) origin_elevation_ft = 0;
    if (slot == destination_slot) approach_fix_list.clear();
}

} // namespace

// Tokens separated by runs of blanks; tabs are part of a token.
std::vector<std::string> split_at_blanks(const std::string& text, std::size_t max_tokens) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (tokens.size() < max_tokens) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size()) break;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

namespace {

std::vector<std::string> runway_fields(std::string token) {
    for (char& c : token)
        if (c == '_') c = ' ';
    std::vector<std::string> f = scan_tokens(token, 8);
    f.resize(8);
    return f;
}

} // namespace

const char* runway_token_fault(std::string token) {
    const std::vector<std::string> f = runway_fields(std::move(token));
    if (!position_tokens_on_globe(f[2], f[3])) return kOffGlobe;
    // A sub-field a short token lacks reads 0 or empty, as ever.
    double frequency = 0.0;
    const char* why = nullptr;
    if (!f[1].empty()) why = number_fault(f[1], kRunwayLengthFt);
    if (!why && !f[4].empty()) why = number_fault(f[4], kDegrees);
    if (!why && !(parse_whole_number(f[5], frequency) && frequency == 0.0))
        why = numeric_text_fault(f[5], kVhfNavMhz);
    if (!why && !f[7].empty()) why = number_fault(f[7], kDegrees);
    return why;
}

AirportRunway parse_runway_token(std::string token) {
    const std::vector<std::string> f = runway_fields(std::move(token));
    AirportRunway r;
    r.designator = f[0];
    r.length_ft = parse_int(f[1]);
    r.latitude = parse_double(f[2]);
    r.longitude = parse_double(f[3]);
    r.magnetic_heading = parse_double(f[4]);
    r.localizer_frequency_text = f[5];
    r.info_text = f[6];
    r.localizer_course = parse_double(f[7]);
    r.reciprocal_heading = r.magnetic_heading + 180.0;
    if (r.reciprocal_heading >= 360.0) r.reciprocal_heading -= 360.0;
    return r;
}

void set_origin_elevation(double elevation) {
    PlanEdit edit(active_target(), "the origin's elevation");
    edit.upkeep();
    edit.entry(0).alt_constraint = elevation;
}

double airport_elevation_ft(const std::string& ident) {
    for (const int slot : {destination_slot, origin_slot}) {
        const AirportProcedures& s = airport_slots[static_cast<std::size_t>(slot)];
        if (!ident.empty() && s.airport_ident == ident) return s.elevation_ft;
    }
    // The database's, looked up once per ident (it is read every pass).
    static std::string known;
    static int generation = -1;
    static double elevation = 0.0;
    if (ident == known && generation == nav_database_generation) return elevation;
    known = ident;
    generation = nav_database_generation;
    elevation = 0.0;
    for (int i = 1; i <= airport_table.count(); ++i) {
        const NavRecordView r = airport_table[i];
        if (r.ident != ident) continue;
        elevation = std::atof(std::string(r.elevation_text).c_str());
        break;
    }
    return elevation;
}

void load_airport_detail(const std::string& ident, int slot) {
    if (slot < 0 || slot >= static_cast<int>(airport_slots.size())) return;
    AirportProcedures& s = airport_slots[static_cast<std::size_t>(slot)];

    AirportLine line;
    s.runways.clear();
    if (!find_airport_line("apts.txt", ident, &line) && !find_airport_line("apts_user.txt", ident, &line)) {
        empty_slot(s, slot);
        return;
    }

    std::vector<std::string> t = split_at_blanks(line.rest, kAirportTokens);
    const std::size_t token_count = t.size();
    t.resize(kAirportTokens);
    std::string off_globe; // the first runway left out: its designator and why
    int off_globe_count = 0, past_capacity = 0;
    for (std::size_t i = kFirstRunwayToken; i < token_count; ++i) {
        AirportRunway runway = parse_runway_token(t[i]);
        if (const char* why = runway_token_fault(t[i])) {
            if (off_globe_count++ == 0) off_globe = runway.designator + ": " + why;
        } else if (s.runways.append(std::move(runway)) == 0) {
            ++past_capacity;
        }
    }
    if (off_globe_count + past_capacity > 0) {
        std::string text = "line " + std::to_string(line.number) + ": " + ident;
        if (off_globe_count > 0)
            text += ": " + std::to_string(off_globe_count) + " runways left out (" + off_globe + ")";
        if (past_capacity > 0)
            text += ": " + table_full_note(past_capacity, "runways of an airport",
                                           static_cast<int>(decltype(s.runways)::slots) - 1);
        record_load_warning(line.path, text);
    }

    // The origin's elevation is also the altitude of the plan's first entry;
    // an airport loaded for a route not yet executed leaves the flown one's.
    const bool flown_origin =
        route_state < kRouteStateActive || active_plan_last < 0 || active_plan[0].ident == ident;
    if (slot == origin_slot && flown_origin) set_origin_elevation(parse_double(t[1]));
    airport_elevation_text = t[1];
    s.airport_ident = ident;
    s.airport_name = t[0];
    s.airport_latitude = parse_double(t[2]);
    s.airport_longitude = parse_double(t[3]);

    candidate_list().clear();
    NavRecord candidate;
    candidate.ident = ident;
    candidate.latitude = s.airport_latitude;
    candidate.longitude = s.airport_longitude;
    candidate.kind = "APT";
    candidate_list().append(std::move(candidate));

    format_lat_lon_dms(s.airport_latitude, -s.airport_longitude, &s.latitude_text, &s.longitude_text,
                       kDmsDegrees);
    s.elevation_ft = parse_int(t[1]);

    if (slot == origin_slot) {
        origin_elevation_ft = s.elevation_ft;
        load_sids(ident);
    } else if (slot == destination_slot) {
        load_stars(ident);
        load_approaches(ident);
    }
}

void lookup_runway_ref_data(const std::string& airport, const std::string& runway) {
    const std::string path = host_folder + "\\orvex\\navdata\\orvex_apts.txt";
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        record_missing_file(path);
        return;
    }
    constexpr std::size_t kTokens = 25;
    constexpr std::size_t kFirstRunway = 5; // tokens 6 .. 25
    bool found = false;
    FileLineCheck check{path};
    LineReader reader(file, kMaxAirportLine);
    std::string line;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        std::vector<std::string> t = scan_tokens(line, kTokens);
        if (t.empty() || t[0][0] == ';') continue;
        // Elevation, position and runway data are numbers a cut may shorten.
        if (cut_within_fields(line, reader.last_line_cut(), 3, kTokens)) {
            check.skip(kFieldCut);
            continue;
        }
        // Ident, name, elevation and position come before the runways; a
        // line without them is damaged, though its runways are still read.
        double elevation = 0.0, latitude = 0.0, longitude = 0.0;
        if (t.size() < kFirstRunway || !parse_whole_number(t[2], elevation) ||
            !parse_whole_number(t[3], latitude) || !parse_whole_number(t[4], longitude)) {
            check.skip("no position");
        } else if (!on_globe(latitude, longitude)) {
            check.skip(kOffGlobe);
            continue; // an airport off the globe has no runways to give
        } else {
            check.use();
        }
        if (t[0] != airport) continue;
        for (std::size_t i = kFirstRunway; i < t.size(); ++i) {
            // designator_data_more: the first two '_' after the first character split it.
            std::string token = t[i];
            int split = 0;
            for (std::size_t k = 1; k < token.size() && split < 2; ++k)
                if (token[k] == '_') {
                    token[k] = ' ';
                    ++split;
                }
            std::vector<std::string> parts = scan_tokens(token, 2);
            parts.resize(2);
            if (parts[0] != runway) continue;
            runway_ref_text = parts[1];
            found = true;
            break;
        }
    }
    check.finish(reader);
    std::fclose(file);
    check.report("skipped");
    if (found)
        smiths_scratchpad.clear();
    else
        smiths_scratchpad_message = "NOT FOUND IN DATABASE";
}

void lookup_parking_position(const std::string& name) {
    parking_position = ParkingPosition{};
    if (ParkingFile.empty()) return;
    const std::string path = host_folder + "\\orvex\\Aircraft\\" + ParkingFile;
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        record_missing_file(path);
        return;
    }
    // The whole file is read, so that what it holds that cannot be used is
    // told whichever airport is looked up.
    FileLineCheck check{path};
    LineReader reader(file, kMaxParkingLine, kMaxParkingLines);
    std::string line;
    bool found = false;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        std::vector<std::string> t = scan_tokens(line, 4);
        if (t.empty() || t[0][0] == ';') continue;
        if (cut_within_fields(line, reader.last_line_cut(), 2, 4)) {
            check.skip(kFieldCut);
            continue;
        }
        t.resize(4);
        if (!has_leading_number(t[1].c_str()) || !has_leading_number(t[2].c_str())) {
            check.skip("no position");
            continue;
        }
        // Each number whole: "47.5x" is no 47.5. A line without a heading
        // faces north.
        double latitude = 0.0, longitude = 0.0, heading = 0.0;
        if (!parse_whole_number(t[1], latitude) || !parse_whole_number(t[2], longitude) ||
            (!t[3].empty() && !parse_whole_number(t[3], heading))) {
            check.skip("a number not whole");
            continue;
        }
        if (!on_globe(latitude, longitude)) {
            check.skip(kOffGlobe);
            continue;
        }
        if (heading < 0.0 || heading > 360.0) {
            check.skip("heading outside 0 to 360");
            continue;
        }
        check.use();
        if (found || t[0] != name) continue;
        found = true;
        parking_position.latitude = latitude;
        parking_position.longitude = longitude;
        parking_position.heading = heading;
        if (parking_position.heading == 360.0) parking_position.heading = 0.0;
    }
    check.finish(reader);
    std::fclose(file);
    check.report("skipped");
}

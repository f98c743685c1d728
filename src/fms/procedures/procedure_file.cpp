#include "fms/procedures/procedure_file.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/nav_database.h"
#include "fms/math/magnetic_variation.h"
#include "fms/procedures/procedure_selection.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <unordered_set>
#include <utility>

namespace {

// The files are read through a 500-byte buffer.
constexpr std::size_t kMaxProcedureLine = 498;

// The first word of a section token once its brackets are blanks.
std::string section_name(std::string token) {
    for (char& c : token)
        if (c == '[' || c == ']') c = ' ';
    std::vector<std::string> words = scan_tokens(token, 1);
    return words.empty() ? std::string() : words[0];
}

// A leg line gives a position as two neighbouring numbers (0 0 for none); a
// line without such a pair was damaged or cut. Header lines ("T ...") name a
// procedure instead.
bool leg_line_usable(const LineTokens& t) {
    if (is_procedure_header(t)) return !t[2].empty();
    for (std::size_t i = 1; i + 1 < t.size(); ++i)
        if (has_leading_number(t[i].c_str()) && has_leading_number(t[i + 1].c_str())) return true;
    return false;
}

// A section is read only for an airport of the airport file; one for any
// other name never is. Each file is scanned whole for such sections once per
// database load, and they are told in one warning.
bool airport_in_database(const std::string& name) {
    static std::unordered_set<std::string> idents;
    static int generation = -1;
    if (generation != nav_database_generation) {
        idents.clear();
        for (int i = 1; i <= airport_table.count(); ++i)
            idents.insert(to_upper_ascii(std::string(airport_table[i].ident)));
        generation = nav_database_generation;
    }
    return idents.count(to_upper_ascii(name)) != 0;
}

class SectionCheck {
  public:
    explicit SectionCheck(const std::string& path) {
        static std::set<std::pair<std::string, int>> scanned;
        active_ = airport_table.count() > 0 && scanned.emplace(path, nav_database_generation).second;
    }
    bool active() const { return active_; }
    void section(const std::string& name, int line) {
        if (!active_ || name.empty() || airport_in_database(name)) return;
        if (++count_ <= FileLineCheck::kValuesListed)
            listed_ += (listed_.empty() ? "" : "; ") + ("line " + std::to_string(line) + ": [") + name + "]";
    }
    void report(const std::string& path) const {
        if (count_ == 0) return;
        std::string text = std::to_string(count_) +
                           (count_ == 1 ? " section for an airport" : " sections for airports") +
                           " not in the airport file, never read (" + listed_;
        if (count_ > FileLineCheck::kValuesListed)
            text += "; " + std::to_string(count_ - FileLineCheck::kValuesListed) + " more";
        record_load_warning(path, text + ")");
    }

  private:
    bool active_ = false;
    int count_ = 0;
    std::string listed_;
};

} // namespace

bool is_procedure_header(const LineTokens& t) {
    return equals_ignoring_case(t[1], "T");
}

ProcedureRecord procedure_from_header(const LineTokens& t) {
    ProcedureRecord record;
    record.name = t[2];
    record.runway_transition_list = t[3];
    record.runway = t[4];
    return record;
}

bool is_leg_line(const LineTokens& t) {
    return !t[1].empty() && !t[2].empty() && t[2] != "---";
}

void fill_leg_from_line(ProcedureLeg& leg, const LineTokens& t, const std::string& transition) {
    leg.transition = transition;
    leg.constraint_text = t[3];
    leg.runway_restriction = t[4];
    leg.flyover = t[7] == "FO" ? 1 : 0;
}

void coded_leg_reference(const LineTokens& t, double fallback_lat, double fallback_lon, double& lat,
                         double& lon) {
    lat = parse_double(t[5]);
    lon = parse_double(t[6]);
    if (!position_usable(lat)) {
        lat = fallback_lat;
        lon = fallback_lon;
    }
    leg_reference_lat = lat;
    leg_reference_lon = lon;
}

bool begins_with(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool contains_after_first(const std::string& text, const char* pattern) {
    const std::size_t at = text.find(pattern, 1);
    return at != std::string::npos;
}

bool read_procedure_section(const std::string& file_name, const std::string& airport, std::size_t token_count,
                            const ProcedureFileHandlers& handlers) {
    const std::string path = host_folder + "\\Orvex\\Navdata\\" + file_name;
    std::FILE* file = os::open_file(path, "r");
    if (!file) {
        record_missing_file(path);
        return false;
    }
    if (handlers.opened) handlers.opened();

    bool in_section = false;
    SectionCheck sections{path};
    FileLineCheck check{path};
    LineReader reader(file, kMaxProcedureLine);
    std::string line;
    while (reader.next(line)) {
        check.line(line, reader.line_number());
        LineTokens t = scan_tokens(line, token_count);
        t.insert(t.begin(), std::string());
        t.resize(token_count + 1);
        const std::string& t1 = t[1];

        const bool comment = begins_with(t1, "*") || begins_with(t1, ";");
        const bool section = !comment && begins_with(t1, "[");
        if (comment || section || !in_section) {
            // Another airport's lines are only judged; junk is told wherever it stands.
            if (!comment && !section && !t1.empty()) {
                if (leg_line_usable(t))
                    check.pass_over(true);
                else
                    check.skip("no position");
            }
            if (handlers.close_out) handlers.close_out();
            if (section) {
                sections.section(section_name(t1), reader.line_number());
                if (in_section) break; // the next section ends the airport's
                check.use();
                in_section = equals_ignoring_case(section_name(t1), airport);
            }
            continue;
        }
        const bool usable = leg_line_usable(t);
        const char* left_out = handlers.leg_line(t, check);
        if (!usable)
            check.skip("no position");
        else if (left_out != nullptr)
            check.skip(left_out);
        else
            check.use();
        // A last line cut within its last number may still read whole.
        for (std::size_t k = t.size() - 1; k >= 1; --k)
            if (!t[k].empty()) {
                check.measure(t[k], true);
                break;
            }
    }
    check.finish(reader);
    if (handlers.finished) handlers.finished(check);
    // The rest of the file, for its section names alone.
    while (sections.active() && reader.next(line)) {
        const std::vector<std::string> words = scan_tokens(line, 1);
        if (!words.empty() && begins_with(words[0], "["))
            sections.section(section_name(words[0]), reader.line_number());
    }
    sections.report(path);
    std::fclose(file);
    check.report("its procedures may be incomplete", file_name.find("_user.") != std::string::npos);
    return in_section;
}

void read_procedure_files(const std::string& base_file_name, const std::string& user_file_name,
                          const std::string& airport, std::size_t token_count,
                          const ProcedureFileHandlers& handlers) {
    if (read_procedure_section(base_file_name, airport, token_count, handlers)) return;
    if (!user_file_name.empty()) read_procedure_section(user_file_name, airport, token_count, handlers);
}

bool legs_on_globe(const ProcedureRecord& procedure) {
    for (int l = 1; l <= procedure.legs.count(); ++l)
        if (!on_globe(procedure.legs[l].latitude, procedure.legs[l].longitude)) return false;
    return true;
}

std::string procedure_label(const ProcedureRecord& procedure) {
    if (!procedure.name.empty()) return procedure.name;
    return procedure.second_text + (procedure.runway.empty() ? "" : " " + procedure.runway);
}

void ProcedureOmissions::tell(FileLineCheck& check, const std::string& names, int procedure_capacity) const {
    if (!names.empty())
        check.note((names.find(',') == std::string::npos ? kind_ : plural_) + std::string(" ") + names +
                   " left out whole: a leg that could not be used");
    if (legs_left_out_ > 0)
        check.note(table_full_note(legs_left_out_, std::string("legs of a ") + kind_,
                                   static_cast<int>(ProcedureLegs::slots) - 1));
    if (procedures_left_out_ > 0)
        check.note(table_full_note(procedures_left_out_, plural_, procedure_capacity));
}

void tell_long_choice(FileLineCheck& check, const std::string& procedure, int line, int legs,
                      const std::string& transition, const std::string& runway) {
    if (legs <= kPreviewLegsMax) return;
    auto chosen = [](const std::string& text, const char* none) { return text == "------" ? none : text; };
    check.value(procedure + ": " + std::to_string(legs) + " legs with transition " +
                    chosen(transition, "none") + " and runway " + chosen(runway, "none") + ", a plan takes " +
                    std::to_string(kPreviewLegsMax) + ": the last " + std::to_string(legs - kPreviewLegsMax) +
                    " left out",
                line);
}

std::string coded_leg_label(const std::string& code) {
    std::string rest = code.empty() || code[0] != '/' ? code : code.substr(1);
    if (begins_with(rest, "RT/") || begins_with(rest, "LT/")) rest.erase(0, 3);
    const char* prefix = nullptr;
    if (!rest.empty()) {
        if (rest[0] == 'T') prefix = "TR";
        if (rest[0] == 'H') prefix = "HD";
        if (rest[0] == 'C') prefix = "CR";
    }
    if (!prefix) return code.empty() || code[0] != '/' ? code : code.substr(1);
    return prefix + rest.substr(1, 3);
}

int find_runway_exact(const AirportProcedures& slot, const std::string& designator) {
    for (int i = 1; i <= slot.runways.count(); ++i)
        if (slot.runways[i].designator == designator) return i;
    return 0;
}

double slot_magnetic_variation(const AirportProcedures& slot) {
    return compute_magnetic_variation(saturate_to_int(slot.airport_latitude),
                                      saturate_to_int(slot.airport_longitude));
}

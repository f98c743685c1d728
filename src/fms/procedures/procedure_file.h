// What the SID, STAR and approach files share: the airport's section, comment
// lines, the line tokens, the coded-leg label and the runway lookups.
#pragma once

#include "data/airport_procedures.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

class FileLineCheck;

// Tokens of one line, numbered from 1 as the file formats count them:
// t[1] .. t[n], missing ones empty (t[0] is unused).
using LineTokens = std::vector<std::string>;

using ProcedureLegs = decltype(ProcedureRecord::legs);

struct ProcedureFileHandlers {
    std::function<void()> opened; // the file is open, before any line
    // A line inside the airport's section; returns why it was left out, null
    // when it was used (a value of a used line that no procedure has is
    // told through check.value).
    std::function<const char*(LineTokens& t, FileLineCheck& check)> leg_line;
    std::function<void()> close_out;                    // a comment, section or ignored line
    std::function<void(FileLineCheck& check)> finished; // after the section or the file ended
};

// What one reading of a procedure file left out beyond single lines: a
// procedure with a leg that could not be used (off the globe, a number out of
// range) is left out whole (a plan must not fly
// it with a gap), and records a full table had no room for are counted.
class ProcedureOmissions {
  public:
    // kind: "SID", "STAR" or "approach"; plural: its plural.
    ProcedureOmissions(const char* kind, const char* plural) : kind_(kind), plural_(plural) {}

    void broken(int procedure) { broken_.insert(procedure); }
    void leg_left_out() { ++legs_left_out_; }
    void procedure_left_out() { ++procedures_left_out_; }

    // Takes the broken procedures (and any whose legs stand off the globe)
    // out of the table, keeping the others in their order, and tells what
    // was left out in the file's warning. Returns how many were taken out.
    template <std::size_t Slots>
    int finish(BoundedTable<ProcedureRecord, Slots>& table, FileLineCheck& check);

  private:
    void tell(FileLineCheck& check, const std::string& names, int procedure_capacity) const;

    const char* kind_;
    const char* plural_;
    std::set<int> broken_;
    int legs_left_out_ = 0;
    int procedures_left_out_ = 0;
};

// A choice of the procedure ("STAR NAME", first met at the file's line) that
// would put more legs into a plan than a preview takes is told, with how many
// are left out.
void tell_long_choice(FileLineCheck& check, const std::string& procedure, int line, int legs,
                      const std::string& transition, const std::string& runway);

// Every leg of the procedure stands on the globe.
bool legs_on_globe(const ProcedureRecord& procedure);
// A SID or STAR by its name, an approach by its name and runway.
std::string procedure_label(const ProcedureRecord& procedure);

template <std::size_t Slots>
int ProcedureOmissions::finish(BoundedTable<ProcedureRecord, Slots>& table, FileLineCheck& check) {
    std::string names;
    const int count = table.count();
    int kept = 0;
    for (int i = 1; i <= count; ++i) {
        if (broken_.count(i) != 0 || !legs_on_globe(table[i])) {
            names += (names.empty() ? "" : ", ") + procedure_label(table[i]);
            continue;
        }
        if (++kept != i) table.slot(kept) = std::move(table.slot(i));
    }
    for (int i = kept + 1; i <= count; ++i)
        table.slot(i) = ProcedureRecord{};
    table.set_count(kept);
    tell(check, names, static_cast<int>(Slots) - 1);
    broken_.clear();
    legs_left_out_ = procedures_left_out_ = 0;
    return count - kept;
}

// Reads the airport's section of host_folder + "\Orvex\Navdata\" + file_name,
// each line cut into at most token_count tokens. A missing file is skipped.
// Returns true when the section was found.
bool read_procedure_section(const std::string& file_name, const std::string& airport, std::size_t token_count,
                            const ProcedureFileHandlers& handlers);

// Reads the base file and, only when it holds no section for the airport, the
// user file (none when user_file_name is empty): the base file wins outright.
void read_procedure_files(const std::string& base_file_name, const std::string& user_file_name,
                          const std::string& airport, std::size_t token_count,
                          const ProcedureFileHandlers& handlers);

// What a SID and a STAR file's lines share: a "T" line names a procedure
// (name, runway transition list, runway); a leg line needs its procedure and
// fix tokens; every leg takes its transition, constraint text, runway
// restriction and fly-over mark from the same tokens.
struct ProcedureLeg;
struct ProcedureRecord;
bool is_procedure_header(const LineTokens& t);
ProcedureRecord procedure_from_header(const LineTokens& t);
bool is_leg_line(const LineTokens& t);
void fill_leg_from_line(ProcedureLeg& leg, const LineTokens& t, const std::string& transition);
// A coded leg's reference position: the line's own (tokens 5 and 6) when it
// gives one, else the fallback; it also becomes leg_reference_lat/lon.
void coded_leg_reference(const LineTokens& t, double fallback_lat, double fallback_lon, double& lat,
                         double& lon);

// A position written in a line counts when its latitude is not 0: 0 stands
// for "no position", while southern latitudes are real positions.
inline bool position_usable(double latitude) {
    return latitude != 0.0;
}

// Label of a SID or STAR coded leg: "/RT/H090/UA" gives "HD090", "/T270/IC"
// "TR270", "/C123/UD5" "CR123"; an unknown code letter gives the code
// without its leading '/'.
std::string coded_leg_label(const std::string& code);

// Index of the slot's first runway whose designator equals the text, 0 when none.
int find_runway_exact(const AirportProcedures& slot, const std::string& designator);

// Magnetic variation at the slot's position truncated to whole degrees.
double slot_magnetic_variation(const AirportProcedures& slot);

bool begins_with(const std::string& text, const char* prefix);
// True when the text holds the pattern somewhere after its first character.
bool contains_after_first(const std::string& text, const char* pattern);

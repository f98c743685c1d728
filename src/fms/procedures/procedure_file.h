// What the SID, STAR and approach files share: the airport's section, comment
// lines, the line tokens, the coded-leg label and the runway lookups.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct AirportProcedures;

// Tokens of one line, numbered from 1 as the file formats count them:
// t[1] .. t[n], missing ones empty (t[0] is unused).
using LineTokens = std::vector<std::string>;

struct ProcedureFileHandlers {
    std::function<void()> opened;                // the file is open, before any line
    std::function<void(LineTokens& t)> leg_line; // a line inside the airport's section
    std::function<void()> close_out;             // a comment, section or ignored line
    std::function<void()> finished;              // after the section or the file ended
};

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

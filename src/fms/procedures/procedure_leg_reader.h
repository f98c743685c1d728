// One reader for the leg lines of the SID and the STAR file. A header line
// adds a procedure; a leg line finds its procedure by name (or adds one) and
// adds a leg to it: a plain fix, or a coded leg whose end the leg expander
// works out. What the two files do differently is left to the derived
// reader: the order of name and transition in a leg line's first token, the
// SID's runways (where its coded legs start) and the STAR's intercepts (a leg
// that the line after it completes).
#pragma once

#include "data/airport_procedures.h"
#include "fms/procedures/procedure_file.h"

#include <map>
#include <string>

// What differs between the SID and the STAR file beyond the reader's hooks.
struct LegFileRules {
    bool name_first;      // "NAME.TRANSITION" (SID) rather than "TRANSITION.NAME" (STAR)
    bool coded_first_leg; // a procedure's first leg may be coded (a SID's starts from the runway)
};

// Table: the slot's SID or STAR table.
template <class Table> class ProcedureLegReader {
  public:
    virtual ~ProcedureLegReader() = default;

    // One line of the airport's section, its tokens from t[1]; returns why
    // it was left out, null when it was used.
    const char* line(LineTokens& t, FileLineCheck& check);

    // Tells each procedure kept of which a choice would put more legs into a
    // plan than it takes.
    void tell_long_choices(const AirportProcedures& slot, FileLineCheck& check);

  protected:
    ProcedureLegReader(Table& procedures, LegFileRules rules, const char* kind, const char* plural)
        : procedures_(procedures), omissions_(kind, plural), rules_(rules), kind_(kind) {}

    // A header line names a procedure met before (at first_line); true when
    // the line is to add no record of its own.
    virtual bool header_named_again(const std::string& /*name*/, int /*first_line*/,
                                    FileLineCheck& /*check*/) {
        return false;
    }
    // The header line t added procedure `index`.
    virtual void header_added(int /*index*/, const LineTokens& /*t*/) {}
    // A leg line, before its runway-fix form is undone; false drops the line.
    virtual bool leg_line_begins(const LineTokens& /*t*/) { return true; }
    // The line's procedure was looked up (0: not found), before it gets the leg.
    virtual void procedure_found(int /*found*/, const LineTokens& /*t*/) {}
    // Leg legs.count() was added to a procedure that the line found.
    virtual void leg_added_to_found(ProcedureLegs& /*legs*/, const LineTokens& /*t*/) {}
    // Works out where coded leg n of procedure `index` ends; false drops it.
    virtual bool coded_leg(int index, ProcedureLegs& legs, int n, const LineTokens& t,
                           const std::string& transition, double& lat, double& lon) = 0;
    // A leg line of `transition` made procedure `name`: no header line named it.
    virtual void made_by_leg_line(const std::string& /*name*/, const std::string& /*transition*/,
                                  FileLineCheck& /*check*/) {}
    // Leg n has all its fields; `added` when the line also added its procedure.
    virtual void leg_done(ProcedureLegs& legs, int n, bool added) = 0;

    Table& procedures_;
    int current_ = 0; // the procedure of the last leg line, 0 when none
    ProcedureOmissions omissions_;

  private:
    LegFileRules rules_;
    const char* kind_;
    std::map<std::string, int> first_lines_; // where each name was first met
};

using SidTable = decltype(AirportProcedures::sids);
using StarTable = decltype(AirportProcedures::stars);
extern template class ProcedureLegReader<SidTable>;
extern template class ProcedureLegReader<StarTable>;

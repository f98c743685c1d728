#include "fms/procedures/procedure_leg_reader.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/procedures/procedure_selection.h"
#include "platform/text_file.h"

namespace {

struct LegName {
    std::string name;
    std::string transition; // empty for the common part
};

// The procedure and transition named by a leg line's first token; a '.' at
// its start separates nothing.
LegName split_leg_name(const std::string& t1, bool name_first) {
    const std::size_t dot = t1.find('.');
    if (dot == std::string::npos || dot == 0) return {t1, {}};
    if (name_first) return {t1.substr(0, dot), t1.substr(dot + 1)};
    return {t1.substr(dot + 1), t1.substr(0, dot)};
}

} // namespace

template <class Table> const char* ProcedureLegReader<Table>::line(LineTokens& t, FileLineCheck& check) {
    for (std::size_t k = 7; k < t.size(); ++k)
        t[k] = to_upper_ascii(t[k]);
    if (is_procedure_header(t)) {
        const auto first = first_lines_.find(t[2]);
        if (first != first_lines_.end() && header_named_again(t[2], first->second, check)) return nullptr;
        const int index = procedures_.append(procedure_from_header(t));
        first_lines_.emplace(t[2], check.line_number());
        if (index != 0)
            header_added(index, t);
        else
            omissions_.procedure_left_out();
        return nullptr;
    }
    if (!is_leg_line(t) || !leg_line_begins(t)) return nullptr;

    // "RW27 /H270/UA ...": a runway fix stands before the code.
    if (begins_with(t[3], "/")) {
        for (std::size_t k = 2; k + 1 < t.size(); ++k)
            t[k] = t[k + 1];
        t.back().clear();
    }

    const LegName leg_name = split_leg_name(t[1], rules_.name_first);
    int found = 0;
    for (int i = 1; i <= procedures_.count() && found == 0; ++i)
        if (procedures_[i].name == leg_name.name) found = i;
    procedure_found(found, t);

    if (found != 0) {
        current_ = found;
        ProcedureLegs& legs = procedures_.slot(found).legs;
        if (legs.append(ProcedureLeg{}) == 0) { // 400 legs: the line is dropped
            omissions_.leg_left_out();
            return nullptr;
        }
        leg_added_to_found(legs, t);
    } else {
        ProcedureRecord record;
        record.name = leg_name.name;
        current_ = procedures_.append(std::move(record));
        if (current_ == 0) { // the table is full: the line is dropped
            omissions_.procedure_left_out();
            return nullptr;
        }
        procedures_.slot(current_).legs.append(ProcedureLeg{});
        first_lines_.emplace(leg_name.name, check.line_number());
        made_by_leg_line(leg_name.name, leg_name.transition, check);
    }

    ProcedureLegs& legs = procedures_.slot(current_).legs;
    const int n = legs.count();
    // A leg off the globe, or with a number no procedure has (an altitude
    // of FL99999, a heading of 999), takes its procedure out whole when the
    // file ends.
    const std::string code = t[2];
    const char* why = position_tokens_on_globe(t[5], t[6]) ? altitude_text_fault(t[3]) : kOffGlobe;
    if (!why && begins_with(code, "/")) why = coded_leg_fault(code);
    if (why) {
        omissions_.broken(current_);
        legs.set_count(n - 1);
        return why;
    }
    if (begins_with(code, "/") && (n > 1 || rules_.coded_first_leg)) {
        double lat = 0.0, lon = 0.0;
        if (!coded_leg(current_, legs, n, t, leg_name.transition, lat, lon)) {
            legs.set_count(n - 1);
            return nullptr;
        }
        ProcedureLeg& leg = legs.slot(n);
        leg.fix = coded_leg_label(code);
        leg.latitude = lat;
        leg.longitude = lon;
    } else {
        ProcedureLeg& leg = legs.slot(n);
        leg.fix = code;
        leg.latitude = parse_double(t[5]);
        leg.longitude = parse_double(t[6]);
    }
    fill_leg_from_line(legs.slot(n), t, leg_name.transition);
    leg_done(legs, n, found == 0);
    return nullptr;
}

template <class Table>
void ProcedureLegReader<Table>::tell_long_choices(const AirportProcedures& slot, FileLineCheck& check) {
    for (int i = 1; i <= procedures_.count(); ++i) {
        const ProcedureRecord& record = procedures_[i];
        if (record.legs.count() <= kPreviewLegsMax) continue; // no choice can take more
        const LongestChoice longest = longest_choice(record, slot);
        const auto line = first_lines_.find(record.name);
        tell_long_choice(check, std::string(kind_) + " " + record.name,
                         line == first_lines_.end() ? 0 : line->second, longest.legs, longest.transition,
                         longest.runway);
    }
    first_lines_.clear();
}

template class ProcedureLegReader<SidTable>;
template class ProcedureLegReader<StarTable>;

#include "fms/procedures/approach_file.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/procedures/procedure_expansion.h"
#include "fms/procedures/procedure_file.h"
#include "fms/procedures/procedure_selection.h"
#include "platform/text_file.h"

#include <map>
#include <set>

namespace {

constexpr std::size_t kApproachTokens = 11;

using Legs = BoundedTable<ProcedureLeg, 401>;

// "RW 27 /H270/..." style lines carry an extra token before the code.
void shift_before_code(LineTokens& t) {
    if (!begins_with(t[4], "/")) return;
    for (std::size_t k = 3; k < kApproachTokens; ++k)
        t[k] = t[k + 1];
    t[kApproachTokens] = "";
}

std::string runway_text(const std::string& token) {
    return token == "-" || token == "--" || token == "---" ? std::string() : token;
}

// A one-character text whose character code is written as a number.
std::string code_character(const std::string& token) {
    const int code = saturate_to_int(parse_double(token));
    return code >= 1 && code <= 255 ? std::string(1, static_cast<char>(code)) : std::string();
}

// The transition a leg belongs to: an IAF is its own unless the line names
// another; final and missed-approach fixes belong to none.
std::string leg_transition(const LineTokens& t) {
    const std::string& role = t[4];
    const std::string& named = t[8];
    auto names_other = [&named](const std::string& own) {
        return !named.empty() && named[0] != '-' && named != own;
    };
    if (equals_ignoring_case(role, "IAF")) return names_other(t[3]) ? named : t[3];
    if (role == "FAF" || role == "MAF" || role == "MAP") return std::string();
    if (role == "---") return names_other(role) ? named : std::string();
    return names_other(role) ? named : role;
}

// Label of an approach coded leg: "HD090", "TR270"; other codes keep their text.
std::string approach_leg_label(const std::string& code) {
    std::string rest = begins_with(code, "/") ? code.substr(1) : code;
    if (begins_with(rest, "RT/T") || begins_with(rest, "LT/T") || begins_with(rest, "RT/H") ||
        begins_with(rest, "LT/H"))
        rest.erase(0, 3);
    if (begins_with(rest, "T")) return "TR" + rest.substr(1, 3);
    if (begins_with(rest, "H")) return "HD" + rest.substr(1, 3);
    return begins_with(code, "/") ? code.substr(1) : code;
}

// The roles and the altitude descriptors (as character codes) the approaches
// of the file format have: ' ' none, '+' at or above, '-' at or below, '@' at.
bool known_role(const std::string& role) {
    return equals_ignoring_case(role, "IAF") || role == "FAF" || role == "MAF" || role == "MAP" ||
           role == "---";
}
bool known_descriptor(const std::string& code) {
    double value = 0.0;
    return code.empty() || (parse_whole_number(code, value) &&
                            (value == 32.0 || value == 43.0 || value == 45.0 || value == 64.0));
}

// A leg is kept with a role or descriptor no approach has, as the format
// reads it; told so, with what the module makes of it.
void tell_unknown_values(const LineTokens& t, FileLineCheck& check) {
    if (!known_role(t[4]))
        check.value("role " + t[4] + " none of IAF, FAF, MAF, MAP, ---, kept, read as a transition name");
    for (std::size_t k : {std::size_t{9}, std::size_t{10}})
        if (!known_descriptor(t[k]))
            check.value("descriptor " + t[k] + " none of 32, 43, 45, 64, kept as written");
}

class ApproachLoader {
  public:
    explicit ApproachLoader(AirportProcedures& slot) : slot_(slot) {}

    // Returns why the line was left out, null when it was used.
    const char* line(LineTokens& t, FileLineCheck& check) {
        t[10] = to_upper_ascii(t[10]);
        shift_before_code(t);
        if (t[1].empty() || t[3].empty()) return nullptr;

        // A line repeating the last leg only moves the reference position.
        if (current_ >= 1 && current_ <= slot_.approaches.count()) {
            const Legs& legs = slot_.approaches[current_].legs;
            const int n = legs.count();
            if (n > 1 && t[3] == legs[n].fix && t[8] == legs[n].fix_role) {
                // The tokens it is read from need not be a position: one
                // off the globe leaves the reference where it is.
                const double lat = parse_double(t[7]), lon = parse_double(t[8]);
                if (on_globe(lat, lon)) {
                    leg_reference_lat = lat;
                    leg_reference_lon = lon;
                }
                return nullptr;
            }
        }
        if (contains_after_first(t[3], "/VT")) return nullptr;
        // The altitude and the two descriptors (character codes) read whole:
        // 1e308 ft or a code of 999 is no approach's.
        double value = 0.0;
        if (const char* why = altitude_text_fault(t[5])) return why;
        if (begins_with(t[3], "/"))
            if (const char* why = coded_leg_fault(t[3])) return why;
        if ((!t[9].empty() && !number_within(t[9], 0.0, 255.0, value)) ||
            (!t[10].empty() && !number_within(t[10], 0.0, 255.0, value)))
            return "descriptor no character code";

        add_group(t[2]);

        const std::string runway = runway_text(t[1]);
        int found = 0;
        for (int i = 1; i <= slot_.approaches.count(); ++i)
            if (slot_.approaches[i].runway == runway && slot_.approaches[i].second_text == t[2]) found = i;
        if (found != 0) {
            if (slot_.approaches.slot(found).legs.append(ProcedureLeg{}) == 0) { // 400 legs
                omissions_.leg_left_out();
                return nullptr;
            }
            current_ = found;
        } else {
            ProcedureRecord record;
            record.runway = runway;
            record.second_text = t[2];
            const int index = slot_.approaches.append(std::move(record));
            if (index == 0) { // 140 approaches
                omissions_.procedure_left_out();
                return nullptr;
            }
            current_ = index;
            slot_.approaches.slot(index).legs.append(ProcedureLeg{});
            first_lines_.emplace(t[2], check.line_number());
            // Flown as written, but no runway of the airport is drawn or
            // tuned for it. Runway texts A to D name circling approaches,
            // which serve every runway.
            if (!runway.empty() && !(runway[0] >= 'A' && runway[0] <= 'D') &&
                find_runway_exact(slot_, runway) == 0)
                check.value(
                    "approach " + t[2] + " for runway " + runway +
                    ", which the airport's line does not have: kept, without a runway of the airport");
        }

        shift_before_code(t);
        const std::string transition = leg_transition(t);
        Legs& legs = slot_.approaches.slot(current_).legs;
        // A leg off the globe takes its approach out whole when the file ends.
        if (!position_tokens_on_globe(t[6], t[7])) {
            omissions_.broken(current_);
            legs.set_count(legs.count() - 1);
            return kOffGlobe;
        }

        double lat = parse_double(t[6]);
        double lon = parse_double(t[7]);
        std::string fix = t[3];
        if (begins_with(t[3], "/")) {
            const int before = legs.count();
            double from_lat = leg_reference_lat, from_lon = leg_reference_lon;
            if (before > 1) {
                from_lat = legs[before - 1].latitude;
                from_lon = legs[before - 1].longitude;
            }
            const bool ended =
                expand_approach_legs(t[3], from_lat, from_lon, &lat, &lon, current_, transition, runway) == 1;
            // Without an end of its own the leg stays where the one before it ends
            // (a procedure turn's last leg, when it flew one).
            const int n = legs.count();
            if (!ended) {
                lat = n > 1 ? legs[n - 1].latitude : from_lat;
                lon = n > 1 ? legs[n - 1].longitude : from_lon;
            }
            fix = approach_leg_label(t[3]);
        }

        ProcedureLeg leg;
        leg.transition = transition;
        leg.fix = fix;
        leg.fix_role = t[4];
        leg.constraint_text = t[5];
        leg.runway_restriction = runway;
        leg.latitude = lat;
        leg.longitude = lon;
        leg.first_code_text = code_character(t[9]);
        leg.second_code_text = code_character(t[10]);
        leg.approach_name = t[2];
        leg.flyover = equals_ignoring_case(t[11], "FO") ? 1 : 0;
        legs.slot(legs.count()) = std::move(leg);
        leg_reference_lat = lat;
        leg_reference_lon = lon;
        tell_unknown_values(t, check);
        return nullptr;
    }

    void end_of_file(FileLineCheck& check) {
        omissions_.finish(slot_.approaches, check);
        tell_long_choices(check);
        if (!groups_left_out_.empty())
            check.note(table_full_note(static_cast<int>(groups_left_out_.size()), "approach names",
                                       static_cast<int>(decltype(slot_.approach_groups)::slots) - 1));
    }

  private:
    // The legs of one name make one choice, whatever runway their lines give.
    void tell_long_choices(FileLineCheck& check) {
        std::map<std::string, int> legs_of_name;
        for (int i = 1; i <= slot_.approaches.count(); ++i)
            legs_of_name[slot_.approaches[i].second_text] += slot_.approaches[i].legs.count();
        for (const auto& [name, legs] : legs_of_name) {
            if (legs <= kPreviewLegsMax) continue;
            const LongestChoice longest = longest_approach_choice(name, slot_);
            const auto line = first_lines_.find(name);
            tell_long_choice(check, "approach " + name, line == first_lines_.end() ? 0 : line->second,
                             longest.legs, longest.transition, longest.runway);
        }
        first_lines_.clear();
    }

    void add_group(const std::string& name) {
        for (int i = 1; i <= slot_.approach_groups.count(); ++i)
            if (equals_ignoring_case(slot_.approach_groups[i].runway_transition_list, name)) return;
        ProcedureRecord group;
        group.runway_transition_list = name;
        if (slot_.approach_groups.append(std::move(group)) == 0) groups_left_out_.insert(name);
    }

    AirportProcedures& slot_;
    int current_ = 0;
    ProcedureOmissions omissions_{"approach", "approaches"};
    std::set<std::string> groups_left_out_;  // names the full group table had no room for
    std::map<std::string, int> first_lines_; // where each approach name was first met
};

} // namespace

void load_approaches(const std::string& airport) {
    AirportProcedures& slot = airport_slots[destination_slot];
    slot.approaches.clear();
    slot.approach_groups.clear();
    slot.iaf_list.clear();
    ApproachLoader loader(slot);
    ProcedureFileHandlers handlers;
    handlers.opened = [] {
        destination_magnetic_variation = slot_magnetic_variation(airport_slots[destination_slot]);
    };
    handlers.leg_line = [&loader](LineTokens& t, FileLineCheck& check) { return loader.line(t, check); };
    handlers.finished = [&loader](FileLineCheck& check) { loader.end_of_file(check); };
    read_procedure_files("apps.txt", "", airport, kApproachTokens, handlers);
    build_approach_fix_list("------");
}

void build_approach_fix_list(const std::string& runway) {
    approach_fix_list.clear();
    std::string previous = "INIT";
    const AirportProcedures& slot = airport_slots[destination_slot];
    for (int a = 1; a <= slot.approaches.count(); ++a) {
        const ProcedureRecord& approach = slot.approaches[a];
        if (runway != "------" && approach.runway != runway) continue;
        for (int l = 1; l <= approach.legs.count(); ++l) {
            const ProcedureLeg& leg = approach.legs[l];
            const std::string key = leg.approach_name + " " + leg.runway_restriction;
            if (key == previous) continue;
            previous = key;
            approach_fix_list.append(ApproachFixEntry{leg.approach_name, leg.runway_restriction});
        }
    }
}

#include "fms/plan/plan_edit_helpers.h"

#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kEntryBuffer = 139; // the parser's buffer less its terminator
constexpr std::size_t kTokenLength = 19;

// Blank-separated tokens, each cut to the parser's token buffer.
std::vector<std::string> entry_tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (tokens.size() < 2) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size()) break;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            ++i;
        tokens.push_back(text.substr(start, std::min(i - start, kTokenLength)));
    }
    return tokens;
}

void parse_legs_entry_into(int index, std::string& scratchpad, std::string& message) {
    std::string text = scratchpad.substr(0, std::min(scratchpad.size(), kEntryBuffer));
    for (char& c : text)
        if (c == '/' || c == 'F' || c == 'L') c = ' ';
    std::vector<std::string> tokens = entry_tokens(text);
    tokens.resize(2);
    // A single value is an altitude.
    if (tokens[1].empty()) std::swap(tokens[0], tokens[1]);
    const double speed = parse_double(tokens[0]);
    double altitude = parse_double(tokens[1]);
    if (!(altitude > 0.0 && altitude <= 99000.0)) {
        message = "INVALID ENTRY";
        return;
    }
    if (route_state == kRouteStateActive) copy_active_plan_to_working();
    if (altitude < 1000.0) altitude *= 100.0; // a flight level
    PlanEdit edit(working_target(), "a constraint entry");
    RouteWaypoint& entry = edit.entry(index);
    entry.alt_constraint = altitude;
    entry.altitude_kind = AltitudeKind::Pilot;
    if (speed >= 100.0 && speed <= 400.0)
        entry.speed_constraint = speed;
    else if (speed != 0.0)
        message = "INVALID ENTRY";
    mark_route_edited();
    scratchpad.clear();
}

} // namespace

void remove_then_legs() {
    remove_working_entries("THEN");
}

void remove_working_entries(const std::string& ident) {
    PlanEdit edit(working_target(), "removing entries");
    if (edit.last() < 0) edit.set_last(-1);
    for (int i = edit.last(); i >= 0; --i)
        if (edit[i].ident == ident) remove_entry(working_target(), i);
}

void copy_legs(int target, int source) {
    if (target < 0 || target > source) return;
    // The holds of the entries cut out go; the others move with their entries.
    {
        PlanEdit edit(working_target(), "a direct-to further down");
        // From past the plan's end the entry at target stays the last.
        const int first = source > edit.last() ? target + 1 : target;
        for (int k = std::min(source, edit.last() + 1) - 1; k >= first; --k)
            remove_entry(working_target(), k);
    }
    mark_route_edited();
    smiths_scratchpad.clear();
    build_route_rows();
}

void parse_legs_entry_mod(int index) {
    parse_legs_entry_into(index, smiths_scratchpad, smiths_scratchpad_message);
}

void parse_legs_entry(int index) {
    parse_legs_entry_into(index, c17_scratchpad, c17_scratchpad_message);
}

int find_plan_waypoint_from(int s) {
    if (s >= working_plan_last) return working_plan_last;
    const std::string& to = route_rows[s].to;
    for (int i = std::max(s, 0); i < working_plan_last; ++i)
        if (working_plan[i].ident == to) return i == 0 ? working_plan_last : i;
    return working_plan_last;
}

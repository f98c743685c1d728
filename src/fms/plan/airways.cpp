#include "fms/plan/airways.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

CandidateList& unit_candidates(PlanUnit unit) {
    return unit_candidate_lists[static_cast<int>(unit)];
}

CandidateList& unit_candidates() {
    return unit_candidates(editing_unit());
}

namespace {

constexpr std::size_t kMaxAirwayLine = 199;
constexpr int kEntriesPerPage = 16;

// The ident of the plan entry the pilot is at; empty when the cursor is
// outside the plan (999 and the like name no waypoint).
bool current_waypoint_ident(std::string& ident) {
    const bool active = gns_sub_state == kGnsSubStateActivePlan;
    const int last = active ? active_plan_last : working_plan_last;
    const int i = active ? gns_selected_wpt_index : working_cursor_index;
    if (i < 0 || i > last) return false;
    ident = active ? active_plan[i].ident : working_plan[i].ident;
    return true;
}

} // namespace

int find_candidate_index(const std::string& ident) {
    for (int i = 1; i <= candidate_list().count(); ++i)
        if (candidate_list()[i].ident == ident) return i;
    return 0;
}

void load_airway(std::string airway) {
    std::string current;
    load_airway_at(std::move(airway), current_waypoint_ident(current) ? &current : nullptr);
}

void load_airway_at(std::string airway, const std::string* joined_at) {
    CandidateList& list = unit_candidates();
    list.records.set_count(0);
    list.from_index = 0;
    list.selected_index = 0;
    const bool has_current = joined_at != nullptr;
    const std::string current = has_current ? *joined_at : std::string();
    if (!airway.empty() && airway[0] == '#') airway.erase(0, 1);

    const std::string path = host_folder + "\\orvex\\navdata\\awys.txt";
    std::FILE* file = os::open_file(path, "r");
    if (!file) return;
    bool found = false;  // the current waypoint is on the airway
    bool listed = false; // the airway file holds the airway
    int left_out = 0;
    std::string line;
    LineReader reader(file, kMaxAirwayLine);
    while (reader.next(line)) {
        if (!line.empty() && line[0] == ';') continue;
        std::vector<std::string> t = scan_tokens(line, 5);
        if (t.empty()) continue;
        t.resize(5);
        if (t[0] != airway) {
            if (found) break; // the next airway begins
            continue;
        }
        listed = true;
        // A fix off the globe is left out (loading the database tells it).
        if (!position_tokens_on_globe(t[3], t[4])) continue;
        if (list.records.full()) { // past 250 fixes the list ends
            ++left_out;
            continue;
        }
        NavListRecord r;
        r.ident = t[2];
        r.latitude = parse_double(t[3]);
        r.longitude = parse_double(t[4]);
        r.text_1 = airway;
        const int index = list.records.append(std::move(r));
        if (has_current && t[2] == current) {
            list.from_index = list.selected_index = list.found_index = index;
            list.page = (index + kEntriesPerPage - 1) / kEntriesPerPage;
            found = true;
        }
    }
    std::fclose(file);
    if (left_out > 0)
        record_load_warning(path, airway + ": " +
                                      table_full_note(left_out, "fixes of an airway",
                                                      static_cast<int>(list.records.slots) - 1));
    // Not available: the airway file does not hold it. One that does, joined
    // or not at the current waypoint, is listed under its own name.
    list.airway_label = listed ? airway : airway + " (N/A)";
}

void select_candidate(int v) {
    const NavRecord from = candidate_list()[v];
    NavRecord& to = candidate_list().slot(1);
    to.ident = from.ident;
    to.latitude = from.latitude;
    to.longitude = from.longitude;
    to.kind = from.kind;
    to.extra = from.extra;
}

OpenAirwayEnd open_airway_end(const RoutePlan& plan, int i) {
    if (i < 1 || entry_kind(plan[i]) != EntryKind::AirwayThen) return OpenAirwayEnd::NotOpen;
    // One gap is enough where the route breaks already: before it, or
    // after it once the open airways behind it are closed.
    if (is_route_marker(plan[i - 1])) return OpenAirwayEnd::Gone;
    for (int j = i + 1;; ++j) {
        if (entry_kind(plan[j]) != EntryKind::AirwayThen)
            return is_route_marker(plan[j]) ? OpenAirwayEnd::Gone : OpenAirwayEnd::Gap;
        if (open_airway_end(plan, j) == OpenAirwayEnd::Gap) return OpenAirwayEnd::Gone;
    }
}

void close_open_airways(const PlanTarget& t) {
    const RoutePlan& plan = t.plan();
    std::vector<OpenAirwayEnd> ends;
    for (int i = 0; i <= plan.last(); ++i)
        ends.push_back(open_airway_end(plan, i));
    if (std::all_of(ends.begin(), ends.end(), [](OpenAirwayEnd e) { return e == OpenAirwayEnd::NotOpen; }))
        return;
    PlanEdit edit(t, "an airway left without its exit");
    for (int i = edit.last(); i >= 1; --i) {
        if (ends[static_cast<std::size_t>(i)] == OpenAirwayEnd::Gone)
            remove_entry(t, i);
        else if (ends[static_cast<std::size_t>(i)] == OpenAirwayEnd::Gap)
            make_discontinuity(edit.entry(i));
    }
}

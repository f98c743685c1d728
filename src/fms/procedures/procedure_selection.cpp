#include "fms/procedures/procedure_selection.h"

#include "data/airport_procedures.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/gns_page_state.h"

#include <algorithm>
#include <vector>

PreviewLegs sid_preview_legs;
PreviewLegs star_preview_legs;
PreviewLegs approach_preview_legs;
int sel_sid_index = 0;
int sel_star_index = 0;
int approach_preview_built = 0;

namespace {

const char* const kNone = "------";
// Entry 119 of the STAR entry list is the sort's scratch entry.
constexpr int kMaxTransitionNames = 118;

AirportProcedures& origin() {
    return airport_slots[origin_slot];
}
AirportProcedures& destination() {
    return airport_slots[destination_slot];
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A runway fits a comma-separated list when it is one of its items.
bool fits(const std::string& runway, const std::string& list) {
    return contains("," + list + ",", "," + runway + ",");
}

bool runway_matches(const std::string& runway, const ProcedureRecord& record) {
    return runway == kNone || record.runway_transition_list.empty() ||
           fits(runway, record.runway_transition_list);
}

template <class Table> int find_record(const Table& table, const std::string& name) {
    for (int i = 1; i <= table.count(); ++i)
        if (table[i].name == name) return i;
    return 0;
}

template <std::size_t N> bool listed(const BoundedTable<std::string, N>& list, const std::string& text) {
    for (int i = 1; i <= list.count(); ++i)
        if (list[i] == text) return true;
    return false;
}

template <class Table>
std::vector<std::string> runway_names(const AirportProcedures& slot, const Table& table,
                                      const std::string& name) {
    std::vector<std::string> names;
    const int r = find_record(table, name);
    const std::string& runways = table[r].runway_transition_list;
    for (int i = 1; i <= slot.runways.count(); ++i) {
        const std::string& designator = slot.runways[i].designator;
        if (r == 0 || runways.empty() || fits(designator, runways)) names.push_back(designator);
    }
    return names;
}

template <class Table>
std::vector<std::string> procedure_names(const Table& table, const std::string& runway,
                                         const std::string& transition) {
    std::vector<std::string> names;
    for (int i = 1; i <= table.count(); ++i) {
        const ProcedureRecord& record = table[i];
        bool offers = transition == kNone;
        for (int l = 1; l <= record.legs.count() && !offers; ++l)
            offers = record.legs[l].transition == transition;
        if (runway_matches(runway, record) && offers) names.push_back(record.name);
    }
    return names;
}

// A list as a value into a slot's table, as far as the table holds.
template <std::size_t N>
void fill(BoundedTable<std::string, N>& list, const std::vector<std::string>& names) {
    list.set_count(0);
    for (const std::string& name : names)
        if (list.append(name) == 0) break;
}

template <class Table>
std::vector<std::string> transition_names(const Table& table, const std::string& name,
                                          const std::string& runway, int mode) {
    std::vector<std::string> names;
    for (int i = 1; i <= table.count(); ++i) {
        const ProcedureRecord& record = table[i];
        if ((name != kNone && record.name != name) || !runway_matches(runway, record)) continue;
        for (int l = 1; l <= record.legs.count(); ++l) {
            const ProcedureLeg& leg = record.legs[l];
            if (leg.transition.empty() || (mode == kTransitionsSkipJunction && leg.marker == "*")) continue;
            if (std::find(names.begin(), names.end(), leg.transition) != names.end()) continue;
            if (static_cast<int>(names.size()) < kMaxTransitionNames) names.push_back(leg.transition);
        }
    }
    // Byte-wise ascending ("ABC" before "ABCD", "Z" before "a").
    std::stable_sort(names.begin(), names.end());
    return names;
}

template <class Table>
void build_transition_names(AirportProcedures& slot, const Table& table, const std::string& name,
                            const std::string& runway, int mode) {
    const std::vector<std::string> names = transition_names(table, name, runway, mode);
    // Only the texts are the pickers'; the numbers beside them stay.
    BoundedTable<StarEntry, 121>& list = slot.star_entry_list;
    list.set_count(0);
    for (std::size_t k = 0; k < names.size(); ++k)
        list.slot(static_cast<int>(k) + 1).text = names[k];
    list.set_count(static_cast<int>(names.size()));
}

// A procedure leg as the previews and the plan take it.
PreviewLeg preview_leg(const ProcedureLeg& leg) {
    PreviewLeg p;
    p.fix = leg.fix;
    p.latitude = leg.latitude;
    p.longitude = leg.longitude;
    p.flyover = leg.flyover;
    p.altitude_text = leg.constraint_text;
    return p;
}

template <class Table>
void build_preview(PreviewLegs& preview, const Table& table, int index, const std::string& label,
                   const std::string& transition, const std::string& runway) {
    preview.set_count(0);
    const ProcedureRecord& record = table[index];
    for (int l = 1; l <= record.legs.count() && !preview.full(); ++l) {
        const ProcedureLeg& leg = record.legs[l];
        if (!leg_in_preview(leg, transition, runway)) continue;
        PreviewLeg p = preview_leg(leg);
        if (!preview.empty()) p.label = label;
        preview.append(std::move(p));
    }
}

bool transition_given(const std::string& transition) {
    return transition != kNone && !transition.empty();
}

// The legs' label: SID.TRANSITION, TRANSITION.STAR; the name alone without
// a transition.
std::string sid_label(const std::string& sid, const std::string& transition) {
    return transition_given(transition) ? sid + "." + transition : sid;
}
std::string star_label(const std::string& star, const std::string& transition) {
    return transition_given(transition) ? transition + "." + star : star;
}

// The legs of the procedure of that name for the runway and transition;
// none for a name the table lacks.
template <class Table>
void named_procedure_legs(PreviewLegs& legs, const Table& table, const std::string& name,
                          const std::string& label, const std::string& transition,
                          const std::string& runway) {
    legs.set_count(0);
    if (const int index = transition_given(name) ? find_record(table, name) : 0)
        build_preview(legs, table, index, label, transition, runway);
}

bool is_iaf(const std::string& role) {
    return role == "IAF" || role == "IAF*";
}

// Calls f(leg) for every leg of every approach of the destination.
template <class F> void for_each_approach_leg(F f) {
    BoundedTable<ProcedureRecord, 141>& approaches = destination().approaches;
    for (int i = 1; i <= approaches.count(); ++i) {
        BoundedTable<ProcedureLeg, 401>& legs = approaches.slot(i).legs;
        for (int l = 1; l <= legs.count(); ++l)
            f(legs.slot(l));
    }
}

} // namespace

bool leg_in_preview(const ProcedureLeg& leg, const std::string& transition, const std::string& runway) {
    if (!leg.transition.empty() && leg.transition != transition && leg.marker != "*") return false;
    const std::string& restriction = leg.runway_restriction;
    return restriction.empty() || restriction == "---" || contains(restriction, runway);
}

bool leg_in_approach_preview(const ProcedureLeg& leg, const std::string& approach,
                             const std::string& transition, const std::string& runway) {
    if (leg.approach_name != approach) return false;
    const std::string& restriction = leg.runway_restriction;
    if (!restriction.empty() && !contains(restriction, runway)) return false;
    const std::string& tag = leg.transition;
    return tag == transition || tag == "IAF*" || tag == "---" || tag == "MAP" || tag == "FAF" || tag.empty();
}

namespace {

void add_once(std::vector<std::string>& list, const std::string& text) {
    if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
}

// None and the slot's runways: those a page offers.
std::vector<std::string> runway_choices(const AirportProcedures& slot) {
    std::vector<std::string> runways{kNone};
    for (int r = 1; r <= slot.runways.count(); ++r)
        add_once(runways, slot.runways[r].designator);
    return runways;
}

// Every choice of transition (the legs' own, or none) and of the runways,
// counted by `taken`.
template <class Legs, class Taken>
LongestChoice longest_of(const Legs& legs, const std::vector<std::string>& runways, Taken taken) {
    std::vector<std::string> transitions{kNone};
    legs([&](const ProcedureLeg& leg) {
        if (!leg.transition.empty()) add_once(transitions, leg.transition);
    });
    LongestChoice longest;
    for (const std::string& transition : transitions)
        for (const std::string& runway : runways) {
            int count = 0;
            legs([&](const ProcedureLeg& leg) { count += taken(leg, transition, runway) ? 1 : 0; });
            if (count > longest.legs) longest = LongestChoice{count, transition, runway};
        }
    return longest;
}

} // namespace

LongestChoice longest_choice(const ProcedureRecord& record, const AirportProcedures& slot) {
    auto legs = [&record](auto f) {
        for (int l = 1; l <= record.legs.count(); ++l)
            f(record.legs[l]);
    };
    return longest_of(legs, runway_choices(slot), leg_in_preview);
}

LongestChoice longest_approach_choice(const std::string& approach, const AirportProcedures& slot) {
    auto legs = [&slot, &approach](auto f) {
        for (int i = 1; i <= slot.approaches.count(); ++i)
            if (slot.approaches[i].second_text == approach)
                for (int l = 1; l <= slot.approaches[i].legs.count(); ++l)
                    f(slot.approaches[i].legs[l]);
    };
    // The approach list offers each approach with its own runway too.
    std::vector<std::string> runways = runway_choices(slot);
    for (int i = 1; i <= slot.approaches.count(); ++i)
        if (slot.approaches[i].second_text == approach) add_once(runways, slot.approaches[i].runway);
    return longest_of(
        legs, runways,
        [&approach](const ProcedureLeg& leg, const std::string& transition, const std::string& runway) {
            return leg_in_approach_preview(leg, approach, transition, runway);
        });
}

void find_sid(const std::string& name) {
    fill(origin().runway_list, sid_runway_names(name));
}

void find_star(const std::string& name) {
    fill(destination().runway_list, star_runway_names(name));
}

void match_sid_transition(const std::string& runway, const std::string& transition) {
    fill(origin().procedure_name_list, sid_names(runway, transition));
}

void match_star_transition(const std::string& runway, const std::string& transition) {
    fill(destination().procedure_name_list, star_names(runway, transition));
}

std::vector<std::string> sid_runway_names(const std::string& sid) {
    return runway_names(origin(), origin().sids, sid);
}

std::vector<std::string> star_runway_names(const std::string& star) {
    return runway_names(destination(), destination().stars, star);
}

std::vector<std::string> sid_names(const std::string& runway, const std::string& transition) {
    return procedure_names(origin().sids, runway, transition);
}

std::vector<std::string> star_names(const std::string& runway, const std::string& transition) {
    return procedure_names(destination().stars, runway, transition);
}

void filter_sids_by_runway(const std::string& name, const std::string& runway, int mode) {
    build_transition_names(origin(), origin().sids, name, runway, mode);
}

void filter_stars_by_runway(const std::string& name, const std::string& runway, int mode) {
    build_transition_names(destination(), destination().stars, name, runway, mode);
}

std::vector<std::string> sid_transition_names(const std::string& name, const std::string& runway, int mode) {
    return transition_names(origin().sids, name, runway, mode);
}

std::vector<std::string> star_transition_names(const std::string& name, const std::string& runway, int mode) {
    return transition_names(destination().stars, name, runway, mode);
}

void find_sid_index(const std::string& name) {
    if (const int i = find_record(origin().sids, name)) sel_sid_index = i;
}

void find_star_index(const std::string& name) {
    if (const int i = find_record(destination().stars, name)) sel_star_index = i;
}

void find_sid_runway() {
    build_preview(sid_preview_legs, origin().sids, sel_sid_index, sid_label(sel_sid, applied_sid_transition),
                  applied_sid_transition, applied_departure_runway);
}

void find_star_runway() {
    build_preview(star_preview_legs, destination().stars, sel_star_index,
                  star_label(sel_star, applied_star_transition), applied_star_transition,
                  applied_arrival_runway);
}

void sid_legs_for(const PlanChoices& c, PreviewLegs& legs) {
    named_procedure_legs(legs, origin().sids, c.sid, sid_label(c.sid, c.applied_sid_transition),
                         c.applied_sid_transition, c.applied_departure_runway);
}

void star_legs_for(const PlanChoices& c, PreviewLegs& legs) {
    named_procedure_legs(legs, destination().stars, c.star, star_label(c.star, c.applied_star_transition),
                         c.applied_star_transition, c.applied_arrival_runway);
}

void approach_legs_for(const PlanChoices& c, PreviewLegs& legs) {
    legs.set_count(0);
    if (!transition_given(c.approach)) return;
    for_each_approach_leg([&](const ProcedureLeg& leg) {
        if (legs.full() ||
            !leg_in_approach_preview(leg, c.approach, c.approach_transition, c.applied_arrival_runway))
            return;
        PreviewLeg p = preview_leg(leg);
        const std::string& role = leg.fix_role;
        if (role == "IAF" || role == "MAP" || role == "FAF" || role == "ARC" || role == "HP") p.role = role;
        legs.append(std::move(p));
    });
}

namespace {

// The approach's IAF list for the runway into `iafs`. `mark` gives a "---"
// leg of an IAF already listed its own fix as its transition.
void build_iaf_list(BoundedTable<std::string, 41>& iafs, const std::string& approach,
                    const std::string& runway, bool mark) {
    iafs.set_count(0);
    for_each_approach_leg([&](ProcedureLeg& leg) {
        if (leg.fix_role.compare(0, 3, "IAF") != 0) return;
        if (approach != kNone && leg.approach_name != approach) return;
        const std::string& restriction = leg.runway_restriction;
        if (runway != kNone && !restriction.empty() && !contains(restriction, runway)) return;
        if (leg.transition == "---") {
            if (!listed(iafs, leg.fix))
                iafs.append("---");
            else if (mark)
                leg.transition = leg.fix;
        } else if (!listed(iafs, leg.transition)) {
            iafs.append(leg.transition);
        }
    });
}

} // namespace

void find_iaf_transitions() {
    build_iaf_list(destination().iaf_list, sel_approach, applied_arrival_runway, true);
}

std::vector<std::string> iaf_names(const std::string& approach, const std::string& runway) {
    BoundedTable<std::string, 41> iafs;
    build_iaf_list(iafs, approach, runway, false);
    std::vector<std::string> names;
    for (int i = 1; i <= iafs.count(); ++i)
        names.push_back(iafs[i]);
    return names;
}

std::vector<std::string> approach_names(const std::string& runway, const std::string& fix) {
    std::vector<std::string> names;
    for_each_approach_leg([&](const ProcedureLeg& leg) {
        if (runway != kNone && !leg.runway_restriction.empty() && leg.runway_restriction != runway) return;
        if (!is_iaf(leg.fix_role) || (fix != kNone && leg.fix != fix)) return;
        add_once(names, leg.approach_name);
    });
    return names;
}

void list_approach_transitions(const std::string& runway, const std::string& fix) {
    BoundedTable<ProcedureRecord, 21>& groups = destination().approach_groups;
    groups.set_count(0);
    for (const std::string& name : approach_names(runway, fix)) {
        if (groups.full()) break;
        const int n = groups.count() + 1;
        groups.slot(n).runway_transition_list = name;
        groups.set_count(n);
    }
}

std::vector<std::string> approach_runway_names(const std::string& approach, const std::string& fix) {
    std::string joined;
    for_each_approach_leg([&](const ProcedureLeg& leg) {
        if (approach != kNone && leg.approach_name != approach) return;
        if (!is_iaf(leg.fix_role) || (fix != kNone && leg.fix != fix)) return;
        joined += "," + leg.runway_restriction;
    });
    // Legs for runway A to D serve every runway.
    const bool every = joined.empty() || contains(joined, ",A") || contains(joined, ",B") ||
                       contains(joined, ",C") || contains(joined, ",D");
    const AirportProcedures& slot = destination();
    std::vector<std::string> names;
    for (int i = 1; i <= slot.runways.count(); ++i) {
        const std::string& designator = slot.runways[i].designator;
        if (every || contains(joined, designator)) names.push_back(designator);
    }
    return names;
}

void list_approach_iaf_transitions(const std::string& approach, const std::string& fix) {
    fill(destination().runway_list, approach_runway_names(approach, fix));
}

void select_approach_transition() {
    approach_legs_for(working_plan.choices(), approach_preview_legs);
    approach_preview_built = 1;
    page_list_changed = 1;
}

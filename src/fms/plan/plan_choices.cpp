#include "fms/plan/plan_choices.h"

#include "data/airport_procedures.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"

namespace {

const char* const kNone = "------";

bool chosen(const std::string& text) {
    return !text.empty() && text != kNone;
}

// A runway fits a procedure whose runway list is empty or names it.
bool serves(const ProcedureRecord& record, const std::string& runway) {
    return record.runway_transition_list.empty() ||
           ("," + record.runway_transition_list + ",").find("," + runway + ",") != std::string::npos;
}

template <class Table> const ProcedureRecord* record_named(const Table& table, const std::string& name) {
    for (int i = 1; i <= table.count(); ++i)
        if (table[i].name == name) return &table[i];
    return nullptr;
}

bool offers(const ProcedureRecord* record, const std::string& transition) {
    if (record == nullptr) return false;
    for (int l = 1; l <= record->legs.count(); ++l)
        if (record->legs[l].transition == transition) return true;
    return false;
}

// A procedure stays with a runway it serves; with none chosen it serves all.
bool keeps(const ProcedureRecord* record, const std::string& runway) {
    return !chosen(runway) || (record != nullptr && serves(*record, runway));
}

} // namespace

void PlanChoices::choose_sid(const std::string& name, const AirportProcedures& airport) {
    sid = name;
    if (!offers(record_named(airport.sids, name), sid_transition)) sid_transition = kNone;
    apply_departure();
}

void PlanChoices::choose_sid_transition(const std::string& transition) {
    sid_transition = transition;
    apply_departure();
}

void PlanChoices::choose_departure_runway(const std::string& runway, const AirportProcedures& airport) {
    departure_runway = runway;
    if (chosen(sid) && !keeps(record_named(airport.sids, sid), runway)) sid = sid_transition = kNone;
    apply_departure();
}

void PlanChoices::choose_star(const std::string& name, const AirportProcedures& airport) {
    star = name;
    if (!offers(record_named(airport.stars, name), star_transition)) star_transition = kNone;
    apply_arrival();
}

void PlanChoices::choose_star_transition(const std::string& transition) {
    star_transition = transition;
    apply_arrival();
}

void PlanChoices::choose_arrival_runway(const std::string& runway, const AirportProcedures& airport) {
    arrival_runway = runway;
    if (chosen(star) && !keeps(record_named(airport.stars, star), runway)) star = star_transition = kNone;
    if (chosen(approach) && chosen(runway)) {
        bool serves_runway = false;
        for (int i = 1; i <= airport.approaches.count(); ++i)
            serves_runway = serves_runway || (airport.approaches[i].second_text == approach &&
                                              airport.approaches[i].runway == runway);
        if (!serves_runway) clear_approach();
    }
    apply_arrival();
}

void PlanChoices::choose_approach(const std::string& name, const std::string& runway,
                                  const AirportProcedures& airport) {
    approach = name;
    approach_transition = kNone;
    // The approach's own runway: a STAR that does not serve it goes.
    choose_arrival_runway(runway, airport);
}

void PlanChoices::choose_approach_transition(const std::string& transition) {
    approach_transition = transition;
}

void PlanChoices::clear() {
    clear_departure();
    clear_arrival();
    arrival_page_choice_1 = arrival_page_choice_2 = 0;
    arrival_choice_airport.clear();
}

void PlanChoices::clear_departure() {
    departure_runway = sid = sid_transition = kNone;
    applied_departure_runway = applied_sid_transition = kNone;
    pending_departure_runway = kNone;
}

void PlanChoices::clear_star() {
    arrival_runway = star = star_transition = kNone;
    applied_arrival_runway = applied_star_transition = kNone;
}

void PlanChoices::clear_approach() {
    approach = approach_transition = kNone;
}

void PlanChoices::choose_departure_runway(const std::string& runway) {
    departure_runway = applied_departure_runway = runway;
}

void PlanChoices::choose_arrival_runway(const std::string& runway) {
    arrival_runway = applied_arrival_runway = runway;
}

void PlanChoices::retype_departure_runway(const std::string& runway) {
    applied_departure_runway = runway;
}

void PlanChoices::apply_departure() {
    applied_departure_runway = departure_runway;
    applied_sid_transition = sid_transition;
}

void PlanChoices::apply_arrival() {
    applied_arrival_runway = arrival_runway;
    applied_star_transition = star_transition;
}

void PlanChoices::take_procedures_of(const RoutePlan& plan) {
    const bool sid_taken = chosen(sid), star_taken = chosen(star);
    for (int i = 1; i <= plan.last(); ++i) {
        const RouteWaypoint& w = plan[i];
        if (w.via.empty()) continue;
        const std::size_t dot = w.via.find('.');
        const bool split = dot != std::string::npos;
        if (w.kind == "SID" && !sid_taken && !chosen(sid)) {
            sid = w.via.substr(0, dot);
            sid_transition = split ? w.via.substr(dot + 1) : kNone;
            apply_departure();
        }
        if (w.kind == "STAR" && !star_taken && !chosen(star)) {
            star = split ? w.via.substr(dot + 1) : w.via;
            star_transition = split ? w.via.substr(0, dot) : kNone;
            apply_arrival();
        }
    }
}

bool PlanChoices::adopt_pending_departure_runway() {
    if (!chosen(pending_departure_runway)) return false;
    departure_runway = pending_departure_runway;
    pending_departure_runway = kNone;
    applied_departure_runway = kNone;
    return true;
}

ChoicesEdit::ChoicesEdit(RoutePlan& plan) : choices_(plan.choices_) {}

ChoicesEdit::ChoicesEdit(const PlanEdit& edit) : choices_(edit.t_.plan_->choices_), flown_(edit.t_.active) {}

// Every unit that changes the flown plan's choices without EXEC (the GNS's
// procedure pages and direct-to, a deletion that drops a procedure) leaves
// APPROACH REF and the localizer tuning on the approach the plan now holds.
ChoicesEdit::~ChoicesEdit() {
    if (flown_) match_approach_record(choices_);
}

void match_approach_record(const PlanChoices& choices) {
    approach_record_index = 0;
    approach_runway_index = 0;
    if (!chosen(choices.approach)) return;
    const AirportProcedures& destination = airport_slots[destination_slot];
    int by_name = 0;
    for (int i = 1; i <= destination.approaches.count() && approach_record_index == 0; ++i) {
        const ProcedureRecord& approach = destination.approaches[i];
        // The approach loader keeps the approach's name in second_text.
        if (approach.second_text != choices.approach) continue;
        if (by_name == 0) by_name = i;
        if (approach.runway == choices.applied_arrival_runway) approach_record_index = i;
    }
    // A runway or STAR chosen after the approach (another runway, or none)
    // leaves the approach the plan holds: the one of that name.
    if (approach_record_index == 0) approach_record_index = by_name;
    if (approach_record_index == 0) return;
    const std::string& runway = destination.approaches[approach_record_index].runway;
    for (int r = 1; r <= destination.runways.count() && approach_runway_index == 0; ++r)
        if (destination.runways[r].designator == runway) approach_runway_index = r;
}

void choose_without_modification(void (PlanChoices::*choose)(const std::string&), const std::string& text) {
    ((*ChoicesEdit(working_plan)).*choose)(text);
    // A change pending on a route loaded from another origin has a runway of
    // its own, as has a route begun anew in the air: the aircraft took off
    // from the flown route's runway, which ERASE brings back.
    const bool same_origin = active_plan.last() >= 0 && active_plan[0].ident == working_plan[0].ident;
    const bool new_route_aloft = working_plan_new == 1 && !standing_on_ground();
    if (route_state == kRouteStateActive ||
        (route_state == kRouteStateActiveModified && same_origin && !new_route_aloft)) {
        const PlanEdit edit(active_target(), "a choice made on the flown plan");
        ((*ChoicesEdit(edit)).*choose)(text);
    }
}

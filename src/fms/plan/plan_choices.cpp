#include "fms/plan/plan_choices.h"

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

} // namespace

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

bool PlanChoices::adopt_pending_departure_runway() {
    if (!chosen(pending_departure_runway)) return false;
    departure_runway = pending_departure_runway;
    pending_departure_runway = kNone;
    applied_departure_runway = kNone;
    return true;
}

ChoicesEdit::ChoicesEdit(RoutePlan& plan) : choices_(plan.choices_) {}

ChoicesEdit::ChoicesEdit(const PlanEdit& edit) : choices_(edit.t_.plan->choices_) {}

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

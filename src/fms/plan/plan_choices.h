// The procedure and approach choices made on one plan. Each plan carries its
// own (RoutePlan::choices): the working plan's are the choices being made,
// the active plan's those executed with it. EXEC puts the working plan's in
// place whole and ERASE brings the executed ones back whole, so a discarded
// modification leaves none of its choices behind.
#pragma once

#include <string>

struct AirportProcedures;
class RoutePlan;

// "------" means nothing is chosen; load_config presets every text so (until
// it runs they are empty).
struct PlanChoices {
    // What the procedure pages chose.
    std::string departure_runway, sid, sid_transition;
    std::string arrival_runway, star, star_transition;
    std::string approach, approach_transition;
    // The runways and transitions the procedure legs were built for; the
    // approach pickers and the maps' selected runways read them.
    std::string applied_departure_runway, applied_sid_transition;
    std::string applied_arrival_runway, applied_star_transition;
    // A departure runway entered outside the departure pages (route file,
    // RTE page), waiting for EXEC.
    std::string pending_departure_runway;
    int arrival_page_choice_1 = 0, arrival_page_choice_2 = 0;
    // The airport whose detail the arrival choices were made on: other units
    // load theirs into the same slot meanwhile. Empty = the destination's.
    std::string arrival_choice_airport;

    bool operator==(const PlanChoices&) const = default;

    // Every text "------", the page choices 0 and no choice airport.
    void clear();
    // The departure runway, SID and transition, applied and pending too.
    void clear_departure();
    // The STAR, its transition and the arrival runway, applied too.
    void clear_star();
    // The approach and its transition.
    void clear_approach();
    void clear_arrival() {
        clear_star();
        clear_approach();
    }

    // A runway picked from a runway list: the procedure legs follow it at once.
    void choose_departure_runway(const std::string& runway);
    void choose_arrival_runway(const std::string& runway);

    // The pilot's picks on the procedure pages of any unit, each leaving a
    // value the plan can be built from whole: a procedure drops a transition
    // it does not offer, a runway a procedure that does not serve it, and an
    // approach brings its runway (the STAR's legs then lead to it whichever
    // came first). `airport` is the origin's detail for the departure, the
    // destination's for the arrival; "------" picks none.
    void choose_sid(const std::string& name, const AirportProcedures& airport);
    void choose_sid_transition(const std::string& transition);
    void choose_departure_runway(const std::string& runway, const AirportProcedures& airport);
    void choose_star(const std::string& name, const AirportProcedures& airport);
    void choose_star_transition(const std::string& transition);
    void choose_arrival_runway(const std::string& runway, const AirportProcedures& airport);
    void choose_approach(const std::string& name, const std::string& runway,
                         const AirportProcedures& airport);
    void choose_approach_transition(const std::string& transition);
    // A runway typed over the one set, where no modification is raised: the
    // runway taken off from, the procedure choice left as it stands.
    void retype_departure_runway(const std::string& runway);
    // The procedure legs are built for the runway and transition chosen.
    void apply_departure();
    void apply_arrival();
    // A SID and a STAR not chosen, named by the labels of the plan's legs
    // (SID.TRANSITION, TRANSITION.STAR): a plan loaded or made elsewhere
    // flies them, and a later choice builds its part around them.
    void take_procedures_of(const RoutePlan& plan);
    // EXEC takes a pending departure runway as the one chosen, with no legs
    // built for a runway yet. True when one was pending.
    bool adopt_pending_departure_runway();
};

class RoutePlan;
class PlanEdit;

// The one writer of a plan's choices; everyone else reads them through
// RoutePlan::choices(). The rules here and in fms/exec (EXEC puts the
// working plan's in place, ERASE brings the executed ones back) and the
// pages' picks write through it. The flown plan's change only within an edit
// of it, which publishes the plan and checks its rules where it ends.
class ChoicesEdit {
  public:
    explicit ChoicesEdit(RoutePlan& plan);
    // The choices of the plan the edit changes.
    explicit ChoicesEdit(const PlanEdit& edit);
    explicit ChoicesEdit(PlanEdit&& edit) = delete;
    ChoicesEdit(const ChoicesEdit&) = delete;
    ChoicesEdit& operator=(const ChoicesEdit&) = delete;
    // The flown plan's choices changed: its approach record follows them.
    ~ChoicesEdit();
    PlanChoices& operator*() const { return choices_; }
    PlanChoices* operator->() const { return &choices_; }

  private:
    PlanChoices& choices_;
    bool flown_ = false;
};

// The approach record and runway of the destination slot that `choices`
// name (approach_record_index, approach_runway_index; 0 = none): of the
// approach's name, for the runway its legs were built for, else the first of
// that name. A new choice replaces the old one and none leaves none.
void match_approach_record(const PlanChoices& choices);

// A choice that raises no modification (a departure runway typed on RTE
// other than over a flown route's runway) is made on the working plan and,
// while a route is flown from the same origin and the change is no route
// begun anew in the air, on the flown plan too: ERASE of a change, pending
// then or later, brings back what the flown plan holds, so the runway stays. A choice that raises a
// modification belongs to it alone: made before the route state moves, it stays with the working plan.
void choose_without_modification(void (PlanChoices::*choose)(const std::string&), const std::string& text);

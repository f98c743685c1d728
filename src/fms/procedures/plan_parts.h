// The departure and arrival parts of a plan, each built whole from the
// plan's procedure choices (fms/plan/plan_choices.h) on every choice, by any
// unit and in any order, so that nothing of an earlier choice survives a new
// one. The en-route part between them is never touched, nor anything before
// the flown TO: where the TO stands in a part, the legs passed stay and the
// new ones follow it from its fix when they pass it, else in its place.
#pragma once

#include <string>

class PlanTarget;
struct PlanChoices;

// The origin, then the SID's legs for its runway and transition; a last leg
// at the en-route part's first fix is flown once.
void rebuild_departure(const PlanTarget& t, const PlanChoices& choices);

// The STAR's legs for the arrival runway and its transition, the approach's
// legs up to the missed approach, and the destination, in place of the
// arrival part: from the first STAR or approach leg after the en-route part,
// with what a pilot's edit left among those legs. with_gap puts a
// discontinuity in front of the approach where what comes before it does not
// end at its first fix (the SMITHS CDU's way); a fix met twice at a join is
// flown once.
void rebuild_arrival(const PlanTarget& t, const PlanChoices& choices, bool with_gap);

// A saved plan that holds the approach's final fix keeps its legs as saved,
// the approach's among them (those in order before that fix) with the
// approach's constraints: false, and the plan left as it is, where it does
// not.
bool take_saved_approach_legs(const PlanTarget& t, const PlanChoices& choices);

// A new destination: the old one's STAR and approach go, also legs of them
// that a fix the pilot put inside them split from the rest (with the gaps in
// front of them), then the arrival is rebuilt from `choices`. A leg the
// aircraft flies to now stays, as an ordinary fix; legs passed stay. The old
// destination goes too when it still stands just before the new one
// (`old_destination`, its ident); an airfield on the way stays.
void rebuild_arrival_for_new_destination(const PlanTarget& t, const PlanChoices& choices, bool with_gap,
                                         const std::string& old_destination = "");

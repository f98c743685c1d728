// What a control unit hears of another unit's edit of the plans. The plan
// room tells a unit by its PlanUnit and never names its state: each unit
// listens for itself and says on its own lines what happened (the units give
// their listeners at start-up, as the exec room gives ERASE).
#pragma once

// The control units that edit the plans. The SMITHS and the C-17 CDU share
// the working plan and the modification pending in it.
enum class PlanUnit { Core, Smiths, C17, Gns, Mcu };

enum class PlanEvent {
    // The unit's pending change was ended by `by`'s edit of the flown plan.
    ModificationEnded,
    // Another unit's plan was put in the working plan, where a unit may
    // keep a plan of its own open.
    WorkingPlanTaken,
    // A unit that edits the flown plan at once changed it: a view a unit
    // keeps of the flown plan as it was is no longer the plan.
    FlownPlanEdited,
};

using PlanEventListener = void (*)(PlanEvent event, PlanUnit by);
void listen_to_plan_events(PlanUnit unit, PlanEventListener listener);
// Tells `unit`; nothing when it does not listen.
void tell_plan_event(PlanUnit unit, PlanEvent event, PlanUnit by);
// Tells every unit but `by`.
void tell_other_units(PlanEvent event, PlanUnit by);

#include "gns_mcu/gns_procedure_pickers.h"

#include "data/airport_procedures.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_procedure_pages.h"

GnsPickerScope::GnsPickerScope() : kept_(working_plan.choices()) {
    PlanChoices& choices = *ChoicesEdit(working_plan);
    choices = gns_page_choices.procedures;
    choices.apply_departure();
    choices.apply_arrival();
}

GnsPickerScope::~GnsPickerScope() {
    *ChoicesEdit(working_plan) = kept_;
}

void gns_build_sid_preview() {
    const GnsPickerScope scope;
    find_sid_index(sel_sid);
    find_sid_runway();
}

void gns_build_star_preview() {
    const GnsPickerScope scope;
    find_star_index(sel_star);
    find_star_runway();
}

void gns_build_iaf_list() {
    const GnsPickerScope scope;
    find_iaf_transitions();
}

void gns_build_approach_preview() {
    {
        const GnsPickerScope scope;
        select_approach_transition();
    }
    gns_approach_preview = 1;
    gns_list_cursor = 1;
}

GnsChoices& gns_selection_in_view() {
    return gns_sub_state == kGnsSubStateActivePlan ? active_sel : working_sel;
}

bool gns_load_procedure_airport(const std::string& ident, int slot) {
    if (slot < 0 || slot >= static_cast<int>(airport_slots.size())) return false;
    // An airport not found leaves the slot as it was: the plan's own airport
    // and its procedures stay loaded.
    AirportProcedures kept = airport_slots[static_cast<std::size_t>(slot)];
    const int kept_elevation = origin_elevation_ft;
    const auto kept_fixes = approach_fix_list;
    load_airport_detail(ident, slot);
    if (!ident.empty() && airport_slots[static_cast<std::size_t>(slot)].airport_ident == ident) return true;
    airport_slots[static_cast<std::size_t>(slot)] = std::move(kept);
    origin_elevation_ft = kept_elevation;
    approach_fix_list = kept_fixes;
    return false;
}

namespace {

template <class Pick> void choose_on_plan_in_view(Pick pick, bool departure) {
    const bool flown = gns_sub_state == kGnsSubStateActivePlan;
    const PlanTarget t = flown ? active_target() : working_target();
    PlanEdit edit(t, "a procedure chosen on the GNS");
    // The flown plan carries them, and so does a plan pending once the
    // stored plan the GNS had open in it is closed; a stored plan open keeps
    // them in the GNS's own selection, beside a SMITHS's in progress.
    const bool plans_own = flown || gns_plan_open != 1;
    PlanChoices value = plans_own ? t.plan().choices() : gns_selection_in_view().procedures;
    value.take_procedures_of(t.plan());
    pick(value);
    if (plans_own) *ChoicesEdit(edit) = value;
    if (departure)
        rebuild_departure(t, value);
    else
        rebuild_arrival(t, value, false);
}

} // namespace

void gns_choose_departure() {
    const PlanChoices& page = gns_page_choices.procedures;
    choose_on_plan_in_view(
        [&](PlanChoices& v) {
            const AirportProcedures& origin = airport_slots[origin_slot];
            v.choose_departure_runway(page.departure_runway, origin);
            v.choose_sid(page.sid, origin);
            v.choose_sid_transition(page.sid_transition);
        },
        true);
}

void gns_choose_arrival() {
    const PlanChoices& page = gns_page_choices.procedures;
    choose_on_plan_in_view(
        [&](PlanChoices& v) {
            const AirportProcedures& destination = airport_slots[destination_slot];
            v.choose_arrival_runway(page.arrival_runway, destination);
            v.choose_star(page.star, destination);
            v.choose_star_transition(page.star_transition);
        },
        false);
}

void gns_choose_approach() {
    const PlanChoices& page = gns_page_choices.procedures;
    choose_on_plan_in_view(
        [&](PlanChoices& v) {
            v.choose_approach(page.approach, page.arrival_runway, airport_slots[destination_slot]);
            v.choose_approach_transition(page.approach_transition);
        },
        false);
}

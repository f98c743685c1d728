#include "gns_mcu/gns_procedure_pickers.h"

#include "data/airport_procedures.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_procedure_pages.h"

GnsPickerScope::GnsPickerScope()
    : sid_(sel_sid), sid_transition_(sel_sid_transition), departure_runway_(sel_departure_runway),
      applied_departure_runway_(applied_departure_runway), applied_sid_transition_(applied_sid_transition),
      star_(sel_star), star_transition_(sel_star_transition), arrival_runway_(sel_arrival_runway),
      applied_arrival_runway_(applied_arrival_runway), applied_star_transition_(applied_star_transition),
      approach_(sel_approach), approach_transition_(sel_approach_transition) {
    sel_sid = gns_sel_sid;
    sel_sid_transition = applied_sid_transition = gns_sel_sid_transition;
    sel_departure_runway = applied_departure_runway = gns_sel_dep_runway;
    sel_star = gns_sel_star;
    sel_star_transition = applied_star_transition = gns_sel_star_transition;
    sel_arrival_runway = applied_arrival_runway = gns_sel_arr_runway;
    sel_approach = gns_sel_apch_type;
    sel_approach_transition = gns_sel_apch_trans;
}

GnsPickerScope::~GnsPickerScope() {
    sel_sid = sid_;
    sel_sid_transition = sid_transition_;
    sel_departure_runway = departure_runway_;
    applied_departure_runway = applied_departure_runway_;
    applied_sid_transition = applied_sid_transition_;
    sel_star = star_;
    sel_star_transition = star_transition_;
    sel_arrival_runway = arrival_runway_;
    applied_arrival_runway = applied_arrival_runway_;
    applied_star_transition = applied_star_transition_;
    sel_approach = approach_;
    sel_approach_transition = approach_transition_;
}

void gns_build_sid_preview() {
    const GnsPickerScope scope;
    find_sid_runway();
}

void gns_build_star_preview() {
    const GnsPickerScope scope;
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

GnsSelections& gns_selection_in_view() {
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

// The approach put in the working or the active plan, and an airway
// segment inserted behind the page cursor. Entries past the plan's last index (200)
// are refused; the destination always keeps a place.
#pragma once

class PlanTarget;

// The working plan's arrival built anew from its choices (the approach's
// legs with their speed and altitude constraints), with a discontinuity in
// front of an approach that does not join what comes before it when
// with_disco is 1.
void insert_approach(int with_disco);

// The flown plan's arrival built anew from its choices, without
// constraints on the approach legs.
void apply_approach_to_route();

// Inserts the fixes of the airway in candidate_list() from the plan's current
// fix (unit_candidates().from_index, exclusive) to the selected fix
// (unit_candidates().selected_index) behind the plan's cursor: working_cursor_index
// on the working plan, gns_selected_wpt_index on the flown one. The entry
// after the new last one gets the end mark "******" when it lies within the
// plan.
void insert_airway_segment(const PlanTarget& t);

// Replaces RTE row n of the working plan by the loaded airway up to the row's
// TO fix; 1 when the fix lies on the airway, else 0 with nothing changed.
int apply_airway_to_row(int n);

// The approach appended to the working or the active plan from the approach
// preview (its missed-approach part left out), and an airway segment
// inserted behind the page cursor. Entries past the plan's last index (200)
// are refused; the destination always keeps a place.
#pragma once

class PlanTarget;

// Replaces the working plan's approach: the plan is cut after its en-route
// part, a discontinuity put in front of the approach when with_disco is 1
// (unless the en-route part ends at the approach's first fix, which then
// stands once), the approach legs with their speed and altitude constraints
// and the destination appended.
void insert_approach(int with_disco);

// The same on the active plan, without constraints on the approach legs.
void apply_approach_to_route();

// Inserts the fixes of the airway in candidate_list from the plan's current
// fix (candidate_from_index, exclusive) to the selected fix
// (candidate_selected_index) behind the plan's cursor: working_cursor_index
// on the working plan, gns_selected_wpt_index on the flown one. The entry
// after the new last one gets the end mark "******" when it lies within the
// plan.
void insert_airway_segment(const PlanTarget& t);

// Replaces RTE row n of the working plan by the loaded airway up to the row's
// TO fix; 1 when the fix lies on the airway, else 0 with nothing changed.
int apply_airway_to_row(int n);

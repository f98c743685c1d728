// The GNS procedure pages (DEPARTURE, ARRIVAL, APCH, and the airport detail
// opened from them) show one end of the plan in view, its choices, and lists
// read from the airport detail in a slot other units load theirs into. A
// plan put in place by a load or EXEC, another unit's choice at that end or
// another airport in the slot leaves such a page listing what the plan no
// longer holds (its highlight even fills the entry field): the page closes,
// said on the unit, before a key or a draw of the unit acts on it. So does
// SAVE ACTIVE FPL when another plan is put in place: the name it proposed is
// the replaced plan's, and ENT would write the new one over that route. And
// DATABASE WPT putting a fix in at a plan view's row, when that row's fix
// leaves the flown plan or the stored plan open closes.
#pragma once

#include <string>
#include <vector>

// What such a page showed when the unit's own key or draw last left it.
struct GnsPageView {
    int state = 0, return_state = 0, sub_state = 0, plan_open = 0;
    // The plan's entries at the ends the page shows: a plan put in place has new ids.
    int first_id = 0, last_id = 0;
    std::vector<std::string> choices;
    std::string slot_airport;
    bool operator==(const GnsPageView&) const = default;
};
inline GnsPageView gns_noted_page_view;

// What the unit's own key or draw left the page showing.
void gns_note_page_view();

// Closes such a page whose view changed since it was noted: the plan
// view it was opened from comes back with "<TITLE> CLOSED", and a line key
// still waiting for the page is dropped. True when it closed one.
bool gns_close_changed_page_view();

// The procedures room of the core: an airport's detail and selection, its
// SID, STAR and approach files read into the airport slots, the leg
// directives expanded into positions, the departure and arrival choices of
// the pages and their insertion into the working or active plan, airway
// segments put into a plan, and the runways in use.
//
// The procedure pickers of the departure, arrival and approach pages: which
// runways suit a procedure, which procedures suit a runway and a transition,
// which transitions and IAFs exist, and the preview of the legs a choice
// would insert. They read the airport slots' procedure tables (origin: SIDs,
// destination: STARs and approaches) and write the slots' lists and the
// previews; "------" stands for "none" in every argument and selection text.
// Every list stops at its capacity.
#pragma once

#include "platform/bounded_table.h"

#include <string>
#include <vector>

// One leg of a preview: what an insertion copies into a plan.
struct PreviewLeg {
    std::string fix;
    std::string role;          // approaches: "IAF", "FAF", "MAP", "ARC", "HP" or empty
    std::string altitude_text; // the leg's constraint text
    std::string label;         // procedure label; empty on the first leg
    double latitude = 0.0;
    double longitude = 0.0;
    int flyover = 0;
};

// Entries 1..count(), at most 80.
using PreviewLegs = BoundedTable<PreviewLeg, 81>;
inline constexpr int kPreviewLegsMax = static_cast<int>(PreviewLegs::slots) - 1;
extern PreviewLegs sid_preview_legs;
extern PreviewLegs star_preview_legs;
extern PreviewLegs approach_preview_legs;

// Whether a choice of transition and runway ("------" for none) takes the
// leg of a SID or STAR, or of the named approach, into its preview.
struct ProcedureLeg;
bool leg_in_preview(const ProcedureLeg& leg, const std::string& transition, const std::string& runway);
bool leg_in_approach_preview(const ProcedureLeg& leg, const std::string& approach,
                             const std::string& transition, const std::string& runway);

// The choice of transition and runway (among the slot's runways) that would
// take the most legs of a procedure into a preview, and how many.
struct LongestChoice {
    int legs = 0;
    std::string transition;
    std::string runway;
};
struct ProcedureRecord;
struct AirportProcedures;
LongestChoice longest_choice(const ProcedureRecord& record, const AirportProcedures& slot);
// The same over the legs of every approach of the destination named `approach`.
LongestChoice longest_approach_choice(const std::string& approach, const AirportProcedures& slot);

// The selected SID (origin) and STAR (destination) record, 1-based; 0 = none.
extern int sel_sid_index;
extern int sel_star_index;

// Set to 1 whenever the approach preview is rebuilt.
extern int approach_preview_built;

// The runway list of the origin (SID) or destination (STAR) slot: every
// runway that the named procedure serves, or all for a name no record bears.
void find_sid(const std::string& name);
void find_star(const std::string& name);

// The SID or STAR name list: the procedures serving the runway that offer
// the transition.
void match_sid_transition(const std::string& runway, const std::string& transition);
void match_star_transition(const std::string& runway, const std::string& transition);
// The same lists as values, the slots' lists left as they are: each unit's
// page lists from its own choices, whatever another unit listed since.
std::vector<std::string> sid_runway_names(const std::string& sid);
std::vector<std::string> star_runway_names(const std::string& star);
std::vector<std::string> sid_names(const std::string& runway, const std::string& transition);
std::vector<std::string> star_names(const std::string& runway, const std::string& transition);

// The transition names of the named procedure (every procedure for "------")
// that serve the runway, sorted byte-wise into the slot's STAR entry list
// (at most 118). kTransitionsSkipJunction leaves out the junction leg's tag
// (a leg marked "*").
inline constexpr int kTransitionsAll = 0;
inline constexpr int kTransitionsSkipJunction = 1;
void filter_sids_by_runway(const std::string& name, const std::string& runway, int mode);
void filter_stars_by_runway(const std::string& name, const std::string& runway, int mode);
// The same names as a value, the slot's list left as it is: a unit's page
// shows and picks the transitions of its own procedure, whatever another
// unit listed in the shared slot since.
std::vector<std::string> sid_transition_names(const std::string& name, const std::string& runway, int mode);
std::vector<std::string> star_transition_names(const std::string& name, const std::string& runway, int mode);

// sel_sid_index / sel_star_index := the first record of that name; unchanged
// when none bears it.
void find_sid_index(const std::string& name);
void find_star_index(const std::string& name);

// The preview of the selected SID or STAR for the applied runway and
// transition.
void find_sid_runway();
void find_star_runway();

// The legs a choice value puts in a plan, as the previews above hold them:
// the SID (origin) and STAR (destination) for their applied runway and
// transition, the approach for its transition and the applied arrival
// runway. Empty for a procedure not chosen or not found.
struct PlanChoices;
void sid_legs_for(const PlanChoices& choices, PreviewLegs& legs);
void star_legs_for(const PlanChoices& choices, PreviewLegs& legs);
void approach_legs_for(const PlanChoices& choices, PreviewLegs& legs);

// The destination's IAF list for sel_approach and applied_arrival_runway (at
// most 40). Marks "---" legs of an IAF already listed with their own fix.
void find_iaf_transitions();
// The same list as a value for the approach and runway given, the slot's
// list left as it is.
std::vector<std::string> iaf_names(const std::string& approach, const std::string& runway);

// The names of the approaches whose IAF is the fix for the runway, into the
// destination's approach group table (at most 20).
void list_approach_transitions(const std::string& runway, const std::string& fix);
// The names alone as a value (every one, however many).
std::vector<std::string> approach_names(const std::string& runway, const std::string& fix);

// The destination's runway list for an approach through an IAF.
void list_approach_iaf_transitions(const std::string& approach, const std::string& fix);
std::vector<std::string> approach_runway_names(const std::string& approach, const std::string& fix);

// The approach preview for sel_approach, sel_approach_transition and
// applied_arrival_runway; raises approach_preview_built and page_list_changed.
void select_approach_transition();

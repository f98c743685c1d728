// The departure and arrival choices of the DEPARTURES and ARRIVALS pages:
// opening DEPARTURES afresh and choosing a runway, once for the SMITHS CDU
// (the _b routines) and once for the C-17 mission CDU. The selection texts
// and lists are shared by both units; each keeps its own page, sub-pages,
// runway indexes and chosen flags.
#pragma once

#include <string>
#include <vector>

// Shared by both units.
inline int selected_sid_index = 0;  // the chosen SID in the SID name list
inline int selected_star_index = 0; // the chosen STAR in the STAR name list
// What DEPARTURES shows in its SID column.
inline constexpr int kDepSidStateList = 0;   // the SID list
inline constexpr int kDepSidStateChosen = 1; // a SID chosen: its transitions shown
inline constexpr int kDepSidStateMarked = 2; // the SID list again, the chosen SID marked
inline int dep_sid_state = kDepSidStateList;
inline int dep_transition_chosen = 0;

// The SMITHS CDU's.
inline int dep_runway_chosen = 0;
inline int dep_runway_index = 0;
inline int dep_subpage = 1;
inline int arr_runway_chosen = 0;
inline int arr_runway_index = 0;
inline int arr_subpage = 1;

// The C-17 mission CDU's.
inline int c17_dep_runway_chosen = 0;
inline int c17_dep_runway_index = 0;
inline int c17_dep_subpage = 1;
inline int c17_arr_runway_chosen = 0;
inline int c17_arr_runway_index = 0;
inline int c17_arr_subpage = 1;

// Opens DEPARTURES (page 10) on its first sub-page with every SID listed and
// no runway or transition chosen; the selection texts stay.
void reset_dep_selection();   // C-17
void reset_dep_selection_b(); // SMITHS

// Chooses entry n (1..count) of the origin's runway list: rebuilds the chosen
// SID's legs for it and lists the SIDs serving it; an active route becomes
// modified. Any other n does nothing. The C-17 picks from the slot's list,
// the SMITHS from the list its page shows, made from its own choices.
void select_departure_runway(int n); // C-17
void select_departure_runway_b(const std::vector<std::string>& runways, int n);

// The arrival twins over the destination's runway list and the STARs.
void select_arrival_runway(int n); // C-17
void select_arrival_runway_b(const std::vector<std::string>& runways, int n);

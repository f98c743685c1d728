// Edits of the working plan by the control units: deleting rows and
// waypoints, discontinuities and "THEN" placeholders, user waypoints, airway
// rows and the classification of an imported plan. Every edit keeps the holds
// and working_edit_index on their entries while entries move.
#pragma once

#include "fms/plan/route_plan.h"

struct NavRecord;

// Opens slot p (0..last + 1): entries p..last move up one. Refused (false,
// nothing changed) when the plan is full or p lies outside the plan.
bool shift_working_up(int p);
// Closes slot index: entries index + 1..last move down one.
void shift_working_down(int index);

// A "DISCO" entry; position and frequency stay as the slot held them.
void make_discontinuity(RouteWaypoint& entry);
// A new plan entry from a database record (a candidate): its fix, type and
// frequency, and nothing else: no constraint, course, airway or hold, and no
// id, which the edit that writes it gives (PlanEdit::write).
RouteWaypoint entry_from_candidate(const NavRecord& candidate);
// One above the highest "WPTnn" among working entries 1..last - 1; 1 when none.
int next_user_waypoint_number();

// Removes the working entries of RTE row n; returns the row's first index, 0
// when there is no such row.
int delete_route_row(int n);

// Removes entry index, or (between the first two and the last two entries,
// without force) turns it into a discontinuity, and clears the unit's
// scratchpad message. The C-17 CDU's form, which also executes, is
// delete_waypoint_fms (fms/exec).
void delete_waypoint(int index, int force, std::string& message);
void delete_waypoint_smiths(int index, int force);

// Inserts candidate 1 at p (0 means 1) and a discontinuity behind it unless it
// lands last but one or later. False when the plan has no room.
bool insert_discontinuity(int p);

// Inserts a "THEN" placeholder at p carrying the SMITHS scratchpad as airway.
bool insert_then_leg(int p);

// Makes candidate v a user waypoint (from the place/bearing inputs of the
// C-17 or SMITHS unit) and inserts it at p, with a discontinuity behind it.
// magvar turns the magnetic bearing into a true course. False when refused.
// The SMITHS form also makes p the LEGS pages' edit index.
bool create_user_waypoint(int p, int v, double magvar);
bool create_user_waypoint_mod(int p, int v, double magvar);

// Types and frequencies of an imported working plan from the database.
void classify_imported_waypoints();

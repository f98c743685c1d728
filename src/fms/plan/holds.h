// Holding patterns attached to plan waypoints. Each hold names its entry in
// the active and in the working plan by the entry's id, so the edits that
// move entries carry the holds with them; the indices are found from the ids
// when read. The list is what holds: an entry's hold mark (the slot of its
// hold) is read from it (hold_mark).
#pragma once

#include "platform/bounded_table.h"

#include <string>

class RoutePlan;

struct HoldPoint {
    double lat = 0.0;
    double lon = 0.0;
    std::string label;
};

// How a hold's legs are given (HoldEntry::leg_mode).
inline constexpr int kHoldLegByTime = 1; // leg_time; the guidance works out leg_distance
inline constexpr int kHoldLegByDistance = 2;
// The longest leg a pattern is built, flown and drawn with (the pages take
// no longer leg length): a leg time of hours is flown with legs this long, so
// the pattern stays near its fix.
inline constexpr double kHoldLegMaxNm = 99.9;

struct HoldEntry {
    std::string ident;
    int active_id = 0;           // entry id in the active plan; 0 = not executed
    int working_id = 0;          // entry id in the working plan; 0 = deleted there
    int turn = 0;                // 1 as created
    double leg_distance = 0.0;   // NM
    double leg_time = 0.0;       // minutes
    double inbound_course = 0.0; // degrees magnetic
    int leg_mode = 0;            // kHoldLegBy..., 0 in an empty slot (flown by distance)
    HoldPoint points[5];         // [0] the fix, [1]..[4] the pattern points

    // The entry's index in the active / working plan (1..last); 0 when the
    // hold is on none there.
    int active_index() const;
    int working_index() const;
    // Puts the hold on the entry at that index (giving the plan's new entries
    // their ids); 0 or an index outside the plan: on none.
    void set_active_index(int index);
    void set_working_index(int index);
};

// Slots 1..count(), at most 10: the executed holds ascending by active_index,
// then the holds not yet executed ascending by working_index.
extern BoundedTable<HoldEntry, 11> hold_list;
inline int hold_count() {
    return hold_list.count();
}

extern int hold_armed; // 1 = a hold is armed
// How the first hold is flown. Deleting an armed hold that is being flown
// sets kHoldExitDeleted.
inline constexpr int kHoldExitHolding = 0;
inline constexpr int kHoldExitNotEntered = 1;
inline constexpr int kHoldExitAtPointOne = 2;  // leave as the inbound leg crosses the fix
inline constexpr int kHoldExitAtNextPoint = 3; // leave at the next pattern point reached
inline constexpr int kHoldExitDeleted = 4;     // deleted in the pattern: sequencing may resume
extern int hold_exit_state;
// The pattern point being flown to: 0 the fix, 1..4 the ends of the
// racetrack's parts (the turn at the fix, outbound, the turn back, inbound).
extern int holding_active;

extern int smiths_hold_subpage;       // RTE HOLD sub-page: the hold just added
extern int hold_page_count;           // holds the RTE HOLD page pages through
extern int pending_hold_delete_index; // waypoint whose hold RTE HOLD marked; 0 = none

// A new hold at entry index of plan (1..last, a place), on no entry yet:
// its fix, the inbound course of the leg into it from the place before (the
// true course less magvar, 0.5 up to 360.5 as a heading reads), right turns
// and legs of leg_minutes; every other field as an empty slot has it. Every
// unit's hold starts as this value.
HoldEntry new_hold(const RoutePlan& plan, int index, double magvar, double leg_minutes);

// The flown plan's only hold: every hold goes and a new one stands at active
// entry index (1..active_plan_last, a place), and on that fix's working entry
// as well (working_entry_of_active). Returns its slot, 1.
int hold_alone_at_active(int index, double magvar, double leg_minutes);

// Appends a hold for working entry index (1..working_plan_last) and sorts the
// list; EXEC puts it on the active route. magvar (degrees) turns the true
// course of the leg into the hold into the inbound course. kHoldMarkRoute
// marks an executed route modified. Returns the hold's slot (the one the entry has
// when it holds already), or 0 when the list is full or the index has no leg
// into it.
inline constexpr int kHoldQuiet = 0;
inline constexpr int kHoldMarkRoute = 1;
inline constexpr int kHoldCancelWorking = 2; // delete_hold only
int add_hold(int index, int mode, double magvar);

// kHoldQuiet: removes the hold whose active_index equals index, quietly;
// kHoldMarkRoute: and marks the route edited; kHoldCancelWorking or more:
// cancels the hold of working entry index (cancel_hold).
void delete_hold(int index, int mode);

// The pilot deletes the hold in that slot from the working plan: a hold not
// yet executed goes at once; an executed one leaves the working plan, EXEC
// removes it and ERASE brings it back. Marks the route edited.
void cancel_hold(int slot);

// As cancel_hold for the hold attached to working entry index, without
// marking the route, for edits that delete that entry.
void delete_working_hold(int index);

// The hold in that slot leaves the working plan with its entry: an executed
// hold stays flown (EXEC removes it, ERASE brings it back), another goes.
void leave_working_plan(int slot);
// The working plan was replaced: every hold leaves it, as delete_working_hold
// does (written over, its entries are gone).
void drop_working_holds();

// The slot of the first hold attached to working entry index; 0 when none.
int find_working_hold(int index);

// The working entry of active entry index's waypoint, for a hold put on the
// active plan: the same index while nothing is pending; during a
// modification the entry without a hold that is the same fix, the nearest
// to index; 0 when the modification has no such entry (or is a new plan).
int working_entry_of_active(int index);

// Removes the hold in that slot (1..count) quietly: the holds behind it move
// down a slot and their waypoints' marks follow.
void remove_hold(int slot);
// Removes every hold.
void clear_holds();
// LNAV off: the hold being flown (the first executed one) is left, as at its
// exit. It is the same hold in a pending modification, so it goes there too
// and the modification stays; a hold only the modification has is not flown
// and stays.
void drop_flown_hold();

// The slot of the hold on entry i of the active or working plan; 0 when none
// (or another plan).
int hold_mark(const RoutePlan& plan, int i);

// The working plan became the active plan again: holds not executed go, the
// others are on their active entry in the working plan as well.
void hold_list_copy_index_to_working();
// EXEC (the working plan's entries, with their ids, are the active plan):
// holds deleted from the working plan go; the others are on their working
// entry in the active plan as well.
void hold_list_commit_working_index();

// The units room of the core: state of the control units (SMITHS_FMS, GNS
// XLS, MCU, C-17 CDU) that the core writes or reads, or that one unit writes
// into another (the SMITHS letter keys type into the GNS field): pages shown,
// scratchpad messages, selection texts, flags. Kept here so that the core
// never includes a unit and the units never include each other.
//
// Input state of the SMITHS_FMS unit, shared by its two gauges: the page
// shown, the pending line-select key and the one-frame flags that the keys
// raise and the page routine of the next draw consumes, with the page-local
// values that the keys preset. The scratchpad and message line live in
// smiths_scratchpad.h.
#pragma once

#include "fms/units/plan_cursor.h"
#include "fms/units/smiths_scratchpad.h"

// The page numbers of the SMITHS unit. The core moves the unit between pages
// too (EXEC, holds, VNAV, the departure reset, route loading), so the numbers
// live here, below both.
enum SmithsCduPage : int {
    kPageStoredFpls = 1,
    kPagePerfInit = 3,
    kPageRteLegs = 6,
    kPageSelectWaypoint = 9,
    kPageDepartures = 10,
    kPageArrivals = 11,
    kPageApproachRef = 12,
    kPageRte = 22,
    kPageInitRefIndex = 23,
    kPageDepArrIndex = 24,
    kPageIdent = 25,
    kPagePosRef = 26,
    kPageTakeoffRef = 27,
    kPageRefNavData = 28,
    kPageTempNavSummary = 29,
    kPageNavStatus = 31,
    kPageProgress = 33,
    kPageEconClb = 34,
    kPageEconCrz = 35,
    kPageEconPathDes = 36,
    kPageFixInfo = 37,
    kPageDesForecasts = 38,
    kPageRteHold = 39,
};

// Page number of the SMITHS unit (a SmithsCduPage); 0 until the first
// install, then kPageIdent.
inline int smiths_cdu_page = 0;

// Working index picked on the LEGS page for "HOLD AT"; 0 none, -1 its fix
// gone. Adding a hold clears it. Moved by the SMITHS's own keys
// (cdu_smiths/smiths_cursors.h) and the edit path, like the pick below.
extern const PlanCursor& smiths_hold_at_leg;

// The LEGS map step of the plan-format displays: the plan index they centre.
// Set by the SMITHS's own keys and pages and by EXEC (legs_map_step,
// fms/exec/exec_cursors.h); every other file reads it.
extern const int& smiths_legs_map_step;

// Pending line-select key: 0 none, 1..5 L1..L5, 6..10 R1..R5, 11 L6, 12 R6.
inline int smiths_cdu_lsk = 0;
// One-frame flags, 1 = raised since the last draw.
inline int smiths_cdu_prev_page = 0;
inline int smiths_cdu_next_page = 0;
inline int smiths_rte_entry = 0;  // RTE key
inline int smiths_legs_entry = 0; // LEGS key
inline int smiths_hold_entry = 0; // HOLD key

// Sub-pages and marks that the keys preset; each page owns its own.
inline int smiths_perf_init_subpage = 1; // 1 PERF INIT, 2 PERF LIMITS
inline int smiths_rte_subpage = 1;       // 1 ORIGIN/DEST, then the route rows
inline int smiths_legs_subpage = 1;
// Working index picked for direct-to; 0 none, -1 its fix gone.
extern const PlanCursor& smiths_legs_pending_leg;
inline int smiths_progress_subpage = 1;
inline int smiths_fix_subpage = 1;
inline int smiths_pos_subpage = 1;

// The entries the pilot picks with a row key of RTE LEGS and acts on with a
// later key: the fix of a direct-to (mode 1) and the fix to hold at (mode 2).
// Each pick names its entry, so that an edit made in between, by this unit
// or another, leaves it on the fix the pilot picked.
#pragma once

#include "fms/plan/active_leg.h"

struct LegsPick {
    int index = 0; // the working index picked
    EntryRef ref;
    bool unique = false; // the one entry of its fix
};
inline LegsPick smiths_direct_to_pick;
inline LegsPick smiths_hold_at_pick;

// Working entry i, picked.
LegsPick legs_pick(int i);
// Where the pick made at index i stands in the working plan now; i itself
// when no pick was made there or its entry had no id yet; -1 when its entry
// has gone.
int picked_index(const LegsPick& pick, int i);

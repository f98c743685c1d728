// RTE LEGS (page 6): the legs of the plan five rows at a time, with a row
// for each hold and an entry prompt after each discontinuity, and the edit
// grammar of its keys in the three modes of smiths_legs_mode (0 leg list,
// 1 direct-to and intercept, 2 choice of a holding fix).
#pragma once

inline int smiths_legs_subpage_count = 0;

class RoutePlan;
// The index whose row is the end line: the last entry when it is the
// destination (entered or still to be), which gets no row; one past it when
// a route without destination ends at a fix, which is flown and listed.
int legs_end_index(const RoutePlan& plan, int last);

// Where a sub-page begins: at entry s, and with the hold row of entry s-1
// when that did not fit on the sub-page before.
struct LegsPageStart {
    int s = 1;
    bool hold_first = false;
};

// Where the rows of this pass stand: the first plan index s of the
// sub-page, the displayed plan's last index, and for rows 1..5 the working
// index each row addresses and whether it is a hold row.
struct LegsRows {
    int s = 1;
    int last = -1;
    int index[6] = {};
    bool hold_row[6] = {};
};

// The key action of one pass (before the rows are drawn).
void rte_legs_act(const LegsRows& rows);

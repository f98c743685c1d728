// Performance entries that modify the executed route (cruise altitude, cost
// index, target speeds and Mach): the executed value is kept so that ERASE
// can bring it back, and the active route shows a modification.
#pragma once

// Keeps `current` in `previous` when the route is active (state 3 or 4) and
// nothing is kept yet (`previous` equals `nothing`): a later entry of the
// same modification must not replace the executed value with its own.
void cdu_keep_executed(double& previous, double current, double nothing = 0.0);
void cdu_keep_executed(int& previous, int current, int nothing = 0);

// An active route (state 3) becomes modified (state 4); other states stay.
void cdu_mark_modified();

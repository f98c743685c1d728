// Performance entries that modify the executed route (cruise altitude, cost
// index, target speeds and Mach): the executed values are kept so that ERASE
// can bring them back (keep_executed_performance), and the active route
// shows a modification.
#pragma once

// An active route (state 3) becomes modified (state 4); other states stay.
void cdu_mark_modified();

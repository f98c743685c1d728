// The rules the plans, the holds, the TO index and the markers keep between
// them, written once: the edits check them where they end (in debug and test
// builds), and the tests check them after every key.
#pragma once

#include <string>
#include <vector>

// The faults of the present state, one line each; empty when sound.
std::vector<std::string> plan_invariant_faults();

// In debug and test builds: the faults of the present state after the edit
// `where` are counted and the last one kept. Nothing in a release build.
void check_plan_invariants(const char* where);
extern int plan_invariant_breaks;
extern std::string plan_invariant_last_fault;

// The rules the plans, the holds, the TO index and the markers keep between
// them, written once: the edits check them where they end (in builds with
// ORVEX_PLAN_CHECKS, the Linux builds), and the tests check them after every
// key.
#pragma once

#include <string>
#include <vector>

// The faults of the present state, one line each; empty when sound.
std::vector<std::string> plan_invariant_faults();

// With ORVEX_PLAN_CHECKS: the faults of the present state after the edit
// `where` are counted, the last one kept and handed to the alarm; without an
// alarm the fault is printed and the process aborts, so that no run of a
// checking build passes over it. Nothing without ORVEX_PLAN_CHECKS (the
// Windows module).
void check_plan_invariants(const char* where);
extern int plan_invariant_breaks;
extern std::string plan_invariant_last_fault;
// Set by the test programs to fail the running test instead.
extern void (*plan_invariant_alarm)(const std::string& fault);

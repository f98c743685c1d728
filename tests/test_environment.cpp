// Linked into every test program: the tests of one build tree write below
// that tree's own scratch folder (testing::TempDir() reads TEST_TMPDIR), so
// two builds running their tests at once never share files; every test
// starts from the module's initial state, also when the program runs whole;
// and a plan rule an edit breaks fails the test.
#include "module_state.h"
#include "test_environment_reset.h"

#include "data/load_warnings.h"
#include "fms/plan/plan_invariants.h"
#include "gauges/debug_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const bool scratch_folder_set = [] {
    setenv("TEST_TMPDIR", ORVEX_TEST_TMPDIR, 0);
    return true;
}();

// A plan rule broken by an edit fails the test that made the edit, where a
// program of the module's own would abort.
void plan_rule_broken(const std::string& fault) {
    ADD_FAILURE() << "a plan rule broken by " << fault;
}

const bool plan_rules_alarmed = [] {
    plan_invariant_alarm = plan_rule_broken;
    return true;
}();

class FreshModule : public ::testing::EmptyTestEventListener {
    void OnTestProgramStart(const ::testing::UnitTest&) override {
        // The active plan's array is kept with active_plan, which copies
        // every entry.
        keep_module_state(keep_);
    }
    void OnTestStart(const ::testing::TestInfo&) override {
        // The module never closes its debug log: close it before its
        // pointer goes back to null.
        if (debug_log != nullptr) std::fclose(debug_log);
        keep_.restore();
        clear_load_warnings();
        set_load_warning_listener(nullptr); // a module started by a test before
    }

    ModuleStateKeeper keep_;

  public:
    void restore() { OnTestStart(*::testing::UnitTest::GetInstance()->current_test_info()); }
};

FreshModule* fresh_module = nullptr;

const bool fresh_module_listened = [] {
    fresh_module = new FreshModule;
    ::testing::UnitTest::GetInstance()->listeners().Append(fresh_module);
    return true;
}();

} // namespace

void reset_module_state_for_tests() {
    fresh_module->restore();
}

// The fixture of the plan tests by keys: script lines run one by one, and a
// start on the ground west of the example route.
#pragma once

#include "fms/plan/route_plan.h"
#include "plan_keys.h"
#include "test_environment_reset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

class PlanKeysTest : public PlanKeys {
  protected:
    // Each line must be one the driver knows.
    void run(const std::string& lines) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);) {
            if (line.empty()) continue;
            std::string error;
            ASSERT_TRUE(run_step(line, error)) << line << ": " << error;
        }
    }
    std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    // A fresh module and simulator folder.
    void restart() {
        TearDown();
        sim_ = host::Simulator{};
        reset_module_state_for_tests();
        for (const auto& entry : std::filesystem::directory_iterator(sim_folder_.path()))
            std::filesystem::remove_all(entry.path());
        SetUp();
    }
    // The flown plan in a line, the TO starred: for a failure's message.
    std::string plan() {
        std::string out;
        for (int i = 0; i <= active_plan_last; ++i)
            out += (i == to_waypoint_index ? "*" : "") + active_plan[i].ident + " ";
        return out;
    }
    // Standing west of the route, so that nothing is sequenced until the
    // aircraft is put on a leg.
    void start_west_of_the_route() {
        start_on_the_ground_at_ksea();
        host::aircraft().lat_deg = 47.45;
        host::aircraft().lon_deg = -123.6;
        frames(1);
    }
};

// The fixture of the plan tests by keys: script lines run one by one, and a
// start on the ground west of the example route.
#pragma once

#include "plan_keys.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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
    // Standing west of the route, so that nothing is sequenced until the
    // aircraft is put on a leg.
    void start_west_of_the_route() {
        start_on_the_ground_at_ksea();
        host::aircraft().lat_deg = 47.45;
        host::aircraft().lon_deg = -123.6;
        frames(1);
    }
};

// A plain route for the vertical profile's tests: six entries 20 NM apart
// along the equator, the field at 0 ft at the end, the aircraft over the
// first; climb and descent both at 400 ft/NM (2000 ft/min at 300 kt) and no
// switching distance.
#pragma once

#include "update_fixture.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

#include <string>
#include <vector>

class EquatorRoute : public UpdateTest {
  protected:
    void SetUp() override {
        UpdateTest::SetUp();
        std::vector<PlanPoint> points{{"W0", 0.0, 10.0}};
        for (int i = 1; i < 6; ++i)
            points.push_back(offset("W" + std::to_string(i), points.back(), 90.0, 20.0));
        activate(points);
        aircraft_state.plat = points[0].lat;
        aircraft_state.plon = points[0].lon;
        active_entry(0).alt_constraint = 0.0;
        active_entry(5).alt_constraint = 0.0;
        ClimbRate = 2000;
        DescentRate = descent_rate_used_fpm = 2000.0;
        climb_tas_target = descent_tas_target = 300.0;
        switch_distance = 0.0;
    }
};

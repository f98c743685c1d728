// Performance-table cruise planning: the climb budget from the route length,
// the level lowered until climb and descent fit, the semicircular rule and
// the speeds and rates left for the profile.
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "data/performance_tables.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/perf/cruise_planning.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_plan.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

namespace {

void route(double nm) {
    set_active_last(1);
    active_entry(0) = RouteWaypoint{};
    active_entry(0).ident = "A";
    active_entry(1) = RouteWaypoint{};
    active_entry(1).ident = "B";
    active_entry(1).lon = nm / 60.0; // along the equator: eastbound
}

// One row each: climb and descent at 300 kt and 3000 ft/min, so both phases
// take T / 600 NM; cruise at 450 kt.
void tables() {
    PerformanceTables& p = performance_tables;
    p.climb_row_count = p.descent_row_count = p.cruise_row_count = 1;
    p.weight_count = 2;
    p.cruise[0].slots[32] = 100000.0;
    p.cruise[0].slots[33] = 140000.0;
    double* climb = p.climb[1];
    climb[21] = 10000.0;
    climb[22] = 300.0;
    climb[23] = 3000.0;
    climb[2] = 6000.0;
    double* descent = p.descent[1];
    descent[2] = 10000.0;
    descent[3] = 300.0;
    descent[1] = 3000.0;
    descent[0] = 2000.0;
    CruiseRow& cruise = p.cruise[1];
    cruise.slots[61] = 35000.0;
    cruise.slots[62] = 450.0;
    cruise.value_count = 2;
    cruise.slots[2] = 5000.0;
    cruise.slots[3] = 6000.0;
}

TEST(CruisePlanning, LevelFitsTheBudgetOfTheRoute) {
    tables();
    MaxCruise = 41000;
    ClbSpdRest = 0.0;
    zero_fuel_weight_lb = 90000.0;
    // Budget H = D / 2, less 15 above 35 NM, 200 above 450 NM; the level is
    // lowered in 1000 ft steps until T / 600 <= H, then the rule applies.
    const std::pair<double, double> rows[] = {
        {61.0, 17000.0},   // H 30.5: 18000, even eastbound: 17000
        {69.0, 19000.0},   // H 34.5, not reduced: 20000, so 19000
        {71.0, 11000.0},   // H 35.5 - 15: 12000, so 11000
        {101.0, 21000.0},  // H 35.5: 21000
        {2000.0, 41000.0}, // H 200, not 985: MaxCruise fits
    };
    for (const auto& [nm, level] : rows) {
        route(nm);
        EXPECT_EQ(compute_performance_targets(), level) << nm;
    }
    EXPECT_EQ(ClimbRate, 3000);
    EXPECT_DOUBLE_EQ(climb_tas_target, 300.0);
    EXPECT_DOUBLE_EQ(DescentRate, 3000.0);
    EXPECT_EQ(climb_speed_target, static_cast<int>(tas_to_ias(300.0, 15000.0)));
    EXPECT_EQ(cruise_speed_target, static_cast<int>(tas_to_ias(450.0, 41000.0)));
    EXPECT_GT(CruiseMach, 0.0);

    // Never below 3000 ft by lowering.
    route(2.0);
    EXPECT_EQ(compute_performance_targets(), 3000.0);
}

TEST(CruisePlanning, EmptyTablesPlanNothing) {
    tables();
    performance_tables.descent_row_count = 0;
    route(500.0);
    climb_speed_target = 123;
    EXPECT_EQ(compute_performance_targets(), 0.0);
    EXPECT_EQ(climb_speed_target, 123);
    // A table of no speed gives no distances: nothing planned either.
    tables();
    performance_tables.climb[1][22] = 0.0;
    EXPECT_EQ(compute_performance_targets(), 0.0);
}

TEST(CruisePlanning, SemicircularRule) {
    const struct {
        double altitude, course, expected;
    } rows[] = {
        {34000, 90, 33000}, {34000, 270, 34000}, {33000, 90, 33000}, {33000, 270, 32000},
        {42000, 90, 45000}, {42000, 270, 43000}, {50000, 90, 49000}, {50000, 270, 47000},
        {58000, 90, 57000}, {56000, 270, 55000},
    };
    for (const auto& r : rows)
        EXPECT_EQ(semicircular_altitude(r.altitude, r.course), r.expected) << r.altitude << " " << r.course;
}

} // namespace

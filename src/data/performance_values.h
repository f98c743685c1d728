// The performance values a route is flown with: the speed targets (kt IAS)
// and Mach numbers of climb, cruise and descent, the cruise altitude (ft;
// 0 = none) and the cost index (-1 = none). They are one value so that an
// erased modification puts them back whole (fms/plan/route_exec.h); the
// names the pages, files and settings use are references into it.
#pragma once

struct PerformanceValues {
    int climb_speed = 220;
    int cruise_speed = 250;
    int descent_speed = 220;
    double climb_mach = 0.0;
    double cruise_mach = 0.0;
    double descent_mach = 0.0;
    int cruise_altitude = 0;
    int cost_index = -1;

    bool operator==(const PerformanceValues&) const = default;
};

inline PerformanceValues performance_values;

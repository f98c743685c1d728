// Vertical profile benchmark: the profile of a full plan (as many entries as
// the plan holds, a constraint on every tenth, a field at the end) built from
// the aircraft over the origin, as VNAV builds it at each change of its
// inputs and once a second in flight. Reported beside a baseline run in the
// same rounds: one walk of the plan's legs (the least a profile must do), and
// the profile of half the plan, whose ratio shows how the cost grows with
// the plan's length (2 for a linear cost, 4 for a quadratic one).
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A zigzag north-east from the equator, 12 NM legs.
void write_route(int last) {
    std::vector<PlanPoint> points;
    double lat = 0.0, lon = 10.0;
    for (int i = 0; i <= last; ++i) {
        points.push_back(PlanPoint{"P" + std::to_string(i), lat, lon});
        gc_destination_point(lat, lon, i % 2 == 0 ? 60.0 : 120.0, 12.0, &lat, &lon);
    }
    write_active_plan(points);
    for (int i = 10; i < last; i += 10) {
        RouteWaypoint& w = PlanBuilder::entry(active_plan, i);
        w.altitude_kind = AltitudeKind::Procedure;
        w.alt_constraint = i < last / 2 ? 10000.0 : 8000.0;
    }
    PlanBuilder::entry(active_plan, 0).alt_constraint = 0.0;
    PlanBuilder::entry(active_plan, last).alt_constraint = 0.0;
    PlanBuilder::entry(active_plan, last).type = "APT";
    PlanBuilder::set_to(1);
    aircraft_state.plat = active_plan[0].lat;
    aircraft_state.plon = active_plan[0].lon;
    aircraft_state.indicated_altitude_ft = 0.0;
}

template <typename F> double us_per_call(int calls, F f) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < calls; ++i)
        f();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

volatile double sink = 0.0;

} // namespace

int main() {
    const char* text = std::getenv("ORVEX_BENCH_FRAMES");
    const int rounds = text != nullptr && std::atoi(text) > 0 ? 3 : 15;
    const int calls = text != nullptr && std::atoi(text) > 0 ? 1 : 20;
    ClimbRate = 2000;
    DescentRate = descent_rate_used_fpm = 2000.0;
    climb_tas_target = descent_tas_target = 300.0;
    cruise_altitude = 35000;
    vnav_phase = VnavPhase::Climb;
    const int full = kPlanLastIndex;
    std::vector<double> walk_us, full_us, half_us, to_walk, to_half;
    for (int round = 0; round < rounds; ++round) {
        write_route(full / 2);
        const double half =
            us_per_call(calls, [] { sink = build_vertical_profile(aircraft_place()).level_ft; });
        write_route(full);
        const double walk = us_per_call(calls, [] {
            double d = 0.0;
            for (int i = 1; i <= flown_last(); ++i)
                d += flown_leg_nm(i);
            sink = d;
        });
        const double whole =
            us_per_call(calls, [] { sink = build_vertical_profile(aircraft_place()).level_ft; });
        walk_us.push_back(walk);
        full_us.push_back(whole);
        half_us.push_back(half);
        to_walk.push_back(whole / walk);
        to_half.push_back(whole / half);
    }
    const VerticalProfile p = build_vertical_profile(aircraft_place());
    std::printf("vertical profile of a full plan (%d entries, %.0f NM, T/C %.0f NM, T/D %.0f NM):\n",
                full + 1, p.route_nm, p.toc.ahead_nm, p.tod.ahead_nm);
    std::printf("  one walk of the legs (baseline): %8.1f us\n", median(walk_us));
    std::printf("  profile built:                   %8.1f us   ratio to the walk %.0f\n", median(full_us),
                median(to_walk));
    std::printf("  profile of half the plan:        %8.1f us   full to half %.1f (2 linear, 4 quadratic)\n",
                median(half_us), median(to_half));
    return 0;
}

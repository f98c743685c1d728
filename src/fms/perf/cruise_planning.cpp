#include "fms/perf/cruise_planning.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "data/performance_tables.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_plan.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStepNm = 20.0;
constexpr int kMaxSegments = 24;
constexpr int kPasses = 5;
constexpr double kNoSpeed = -9.0;

// Slots of the table rows.
constexpr int kClimbAltitude = 21, kClimbTas = 22, kClimbRate = 23, kClimbFuelFlow = 2;
constexpr int kCruiseAltitude = 61, kCruiseTas = 62;
constexpr int kDescentFuelFlow = 0, kDescentRate = 1, kDescentAltitude = 2, kDescentTas = 3;

struct Segment {
    double speed = 0.0;     // TAS, kt
    double rate = 0.0;      // ft/min
    double fuel_flow = 0.0; // lb/h
    double time_s = 0.0;    // one step
};

struct SegmentList {
    Segment items[kMaxSegments];
    int count = 0;
    void add(const Segment& s) {
        if (count < kMaxSegments) items[count++] = s;
    }
};

struct Means {
    double speed = 0.0;
    double rate = 0.0;
    double fuel_flow = 0.0;
    bool usable() const { return speed > 0.0 && rate > 0.0 && std::isfinite(speed) && std::isfinite(rate); }
};

// The first row whose altitude is nearest (whole-foot differences).
template <class Altitude> int nearest_row(int count, double altitude, Altitude row_altitude) {
    int best = 1;
    double best_difference = 0.0;
    for (int r = 1; r <= count; ++r) {
        const double difference = std::trunc(std::fabs(row_altitude(r) - altitude));
        if (r == 1 || difference < best_difference) {
            best = r;
            best_difference = difference;
        }
    }
    return best;
}

double altitude_or_zero(double alt) {
    return alt > -900.0 ? alt : 0.0;
}

// One phase flown up from its end altitude in 20-NM steps; a new record for
// every change of speed, and the last step when the target stays unreached.
// A step of no speed ends the phase.
template <class Row>
SegmentList simulate(double start, double target, double budget, double& weight, Row row_at) {
    SegmentList list;
    double a = start;
    double s = 0.0;
    double previous = kNoSpeed;
    Segment last{};
    if (budget > 0.0) {
        do {
            Segment step = row_at(a);
            if (!(step.speed > 0.0)) break;
            if (step.speed != previous && previous != kNoSpeed) list.add(last);
            step.time_s = kStepNm / step.speed * 3600.0;
            s += kStepNm;
            a += step.rate / 60.0 * step.time_s;
            weight -= step.fuel_flow / 3600.0 * step.time_s;
            previous = step.speed;
            last = step;
        } while (a < target && s < budget);
    }
    // A phase flown at one speed that reached its target recorded nothing:
    // its one speed is the mean.
    if ((a < target || list.count == 0) && last.time_s > 0.0) list.add(last);
    return list;
}

// The time-weighted means of the records.
Means means_of(const SegmentList& list) {
    Means m;
    const int n = list.count;
    if (n == 0) return m;
    double total_time = 0.0, speed = 0.0, rate = 0.0, flow = 0.0;
    for (int i = 0; i < n; ++i) {
        const Segment& s = list.items[i];
        total_time += s.time_s;
        speed += s.speed / s.time_s;
        rate += s.rate / s.time_s;
        flow += s.fuel_flow / s.time_s;
    }
    const double scale = total_time / (double(n) * n);
    m.speed = scale * speed;
    m.rate = scale * rate;
    m.fuel_flow = scale * flow;
    return m;
}

double phase_distance(double altitude, const Means& m) {
    return ::phase_distance(altitude, m.rate, m.speed);
}

// Below 10000 ft: the restricted speed under the restriction altitude, and
// never above 300 kt.
double limited_speed(double speed, double restricted, double altitude) {
    if (altitude >= 10000.0) return speed;
    if (ClbSpdRest > 0.0 && altitude < ClbAltRest) speed = restricted;
    return std::min(300.0, speed);
}

} // namespace

double odd_even_altitude(double altitude, double course) {
    const bool odd = saturate_to_whole(altitude) % 2000 != 0;
    const bool eastbound = course < 180.0;
    return odd == eastbound ? altitude : altitude - 1000.0;
}

double semicircular_altitude(double altitude, double course) {
    if (altitude < 42000.0) return odd_even_altitude(altitude, course);
    if (course < 180.0) {
        if (altitude > 57000.0) return 57000.0;
        if (altitude > 53000.0) return 53000.0;
        if (altitude > 49000.0) return 49000.0;
        return 45000.0;
    }
    if (altitude > 55000.0) return 55000.0;
    if (altitude > 51000.0) return 51000.0;
    if (altitude > 47000.0) return 47000.0;
    return 43000.0;
}

double compute_performance_targets() {
    const PerformanceTables& p = performance_tables;
    const int last = flown_last();
    if (p.climb_row_count < 1 || p.cruise_row_count < 1 || p.descent_row_count < 1 || last < 1) return 0.0;

    double weight = zero_fuel_weight_lb + 100.0;
    double target = MaxCruise;
    for (int r = 1; r <= p.altitude_row_count; ++r)
        target = std::max(target, p.altitude[r][0]);

    double ignored = 0.0;
    double course = 0.0;
    gc_dist_course(active_plan[0].lat, active_plan[0].lon, active_plan[last].lat, active_plan[last].lon,
                   &ignored, &course);
    const double route = flown_route_nm(last);
    double budget = route / 2.0;
    if (budget > 450.0)
        budget = 200.0;
    else if (budget > 35.0)
        budget -= 15.0;

    auto climb_row = [&](double a) {
        const int r = nearest_row(p.climb_row_count, a, [&](int i) { return p.climb[i][kClimbAltitude]; });
        const double* row = p.climb[r];
        const double restricted = ClbSpdRest > 0.0 ? ias_to_tas(ClbSpdRest, a) : row[kClimbTas];
        return Segment{limited_speed(row[kClimbTas], restricted, a), row[kClimbRate], row[kClimbFuelFlow],
                       0.0};
    };
    auto descent_row = [&](double a) {
        const int r =
            nearest_row(p.descent_row_count, a, [&](int i) { return p.descent[i][kDescentAltitude]; });
        const double* row = p.descent[r];
        return Segment{limited_speed(row[kDescentTas], ClbSpdRest, a), row[kDescentRate],
                       row[kDescentFuelFlow], 0.0};
    };

    Means climb, descent;
    double climb_distance = 0.0, descent_distance = 0.0;
    double cruise_speed = 0.0, cruise_flow = 0.0;
    for (int pass = 0; pass < kPasses; ++pass) {
        const SegmentList climb_list =
            simulate(altitude_or_zero(predicted_altitude(active_plan[0])), target, budget, weight, climb_row);
        climb = means_of(climb_list);
        const SegmentList descent_list = simulate(altitude_or_zero(predicted_altitude(active_plan[last])),
                                                  target, budget, weight, descent_row);
        descent = means_of(descent_list);
        // No speed or no rate gives no distances: leave the planning to the
        // profile's own climb model.
        if (!climb.usable() || !descent.usable()) return 0.0;
        climb_distance = phase_distance(target, climb);
        descent_distance = phase_distance(target, descent);

        const int r = nearest_row(p.cruise_row_count, target,
                                  [&](int i) { return p.cruise[i].slots[kCruiseAltitude]; });
        const CruiseRow& row = p.cruise[r];
        cruise_speed = row.slots[kCruiseTas];
        cruise_flow = 0.0;
        double best = 0.0;
        bool found = false;
        for (int k = 1; k <= row.value_count && k + 1 < 64; ++k) {
            const double flow = row.slots[k + 1];
            if (!(flow > 0.0)) continue;
            const double column_weight = k <= p.weight_count ? p.weight(k) : 0.0;
            const double difference = std::trunc(std::fabs(column_weight - weight));
            if (!found || difference < best) {
                best = difference;
                cruise_flow = flow;
                found = true;
            }
        }

        while ((climb_distance > budget || descent_distance > budget) && target > 3000.0) {
            target -= 1000.0;
            if (climb_distance > budget) climb_distance = phase_distance(target, climb);
            if (descent_distance > budget) descent_distance = phase_distance(target, descent);
        }

        const double climb_fuel = climb_distance / climb.speed * climb.fuel_flow;
        const double cruise_fuel =
            cruise_speed > 0.0 ? (route - (climb_distance + descent_distance)) / cruise_speed * cruise_flow
                               : 0.0;
        const double descent_fuel =
            std::min(budget, phase_distance(target, descent)) / descent.speed * descent.fuel_flow;
        weight = zero_fuel_weight_lb + climb_fuel + cruise_fuel + descent_fuel;
    }

    target = semicircular_altitude(target, course);
    climb_tas_target = climb.speed;
    climb_speed_target = saturate_to_whole(tas_to_ias(climb.speed, 15000.0));
    if (cruise_speed > 0.0) cruise_speed_target = saturate_to_whole(tas_to_ias(cruise_speed, target));
    descent_speed_target = saturate_to_whole(tas_to_ias(descent.speed, 15000.0));
    descent_tas_target = descent.speed;
    ClimbMach = ias_to_mach(climb_speed_target, 15000.0);
    CruiseMach = ias_to_mach(cruise_speed_target, target);
    DescentMach = ias_to_mach(descent_speed_target, 15000.0);
    ClimbRate = saturate_to_whole(climb.rate);
    DescentRate = descent.rate;
    return target;
}

#include "fms/perf/profile_prediction.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/cruise_planning.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kClimbModelMinutes = 199;

// A marker stands on the place before it, so no leg runs to 0N 0E.
double leg_length(int from, int to, double* course = nullptr) {
    double d = 0.0;
    double c = 0.0;
    from = place_at_or_before(active_plan, from);
    to = place_at_or_before(active_plan, to);
    gc_dist_course(active_plan[from].lat, active_plan[from].lon, active_plan[to].lat, active_plan[to].lon, &d,
                   &c);
    if (course) *course = c;
    return d;
}

// A waypoint's or an approach leg's own altitude, which no prediction
// replaces (a discontinuity keeps the copy of its fix's).
bool keeps_altitude(const RouteWaypoint& w) {
    return w.altitude_kind != AltitudeKind::None;
}

// Writes the predictions of an entry of the flown plan.
struct Prediction {
    const RouteWaypoint& w;
    void altitude(double a) const { plan_marks.predict_altitude(w, a); }
    void speed(double v) const { plan_marks.predict_speed(w, v); }
};

double altitude_or_zero(double alt) {
    return alt > -900.0 ? alt : 0.0;
}

// A rate for a flight-path angle at a TAS, rounded to 100 ft/min.
double rate_for_angle(double tas, double angle) {
    return saturate_to_whole((tas / 60.0 * angle * 100.0 + 50.0) / 100.0) * 100.0;
}

// Altitude change over a leg at a rate and a TAS; none without a speed.
double leg_altitude_change(double length, double tas, double rate) {
    return tas > 0.0 ? length / tas * 60.0 * rate : 0.0;
}

double distance_for(double altitude_change, double rate, double tas) {
    return rate > 0.0 ? altitude_change / rate * tas / 60.0 : 0.0;
}

double hundreds(double a) {
    return a > 1000.0 ? saturate_to_whole(a / 100.0) * 100.0 : a;
}

// The first constraint from i up to (not including) the last that caps the
// climb (constraint_rule.h); 0 when one that ends a descent comes first.
int climb_look_ahead(const ProfileView& origin, int i) {
    ProfileView from = origin;
    from.first = i;
    return climb_cap(from, cruise_altitude);
}

// Climb pass: predictions forward from the origin; returns where the
// climb ends (toc_at).
int climb_pass(const ProfileView& origin, double rc, double climb_distance) {
    const int last = flown_last();
    double a = origin.altitude_ft;
    double s = 0.0;
    bool toc_seen = false;
    int toc_at = 0;
    int k = 0;
    for (int i = 1; i <= last - 1; ++i) {
        const RouteWaypoint& w = active_plan[i];
        const Prediction p{w};
        const double length = leg_length(i - 1, i);
        s = saturate_to_whole(s + length);
        a += leg_altitude_change(length, climb_tas_target, rc);
        k = climb_look_ahead(origin, i);
        if (keeps_altitude(w)) {
            if (toc_seen) continue;
            if (toc_passed == 1) {
                toc_at = i;
                toc_seen = true;
            }
            // At or above is met by any higher altitude.
            a = constraint_kind(w) == ConstraintKind::AtOrAbove ? std::max(a, predicted_altitude(w))
                                                                : predicted_altitude(w);
            // Earlier waypoints up to the previous constraint fly no faster. A
            // constraint without a speed (-999) limits nothing.
            if (predicted_speed(w) > 0.0)
                for (int j = i - 1; j >= 1 && !typed_by_pilot(active_plan[j]); --j)
                    if (predicted_speed(active_plan[j]) > predicted_speed(w))
                        plan_marks.predict_speed(active_plan[j], predicted_speed(w));
            continue;
        }
        a = hundreds(a);
        if (k > 0) a = std::min(a, predicted_altitude(active_plan[k]));
        p.altitude(a);
        if (s > climb_distance && !toc_seen) {
            toc_seen = true;
            toc_at = i;
        }
        p.speed(climb_speed_target);
        if (ClbSpdRest > 0.0 && ClbAltRest > a && climb_speed_target > ClbSpdRest) p.speed(ClbSpdRest);
        if (a >= cruise_altitude) {
            a = cruise_altitude;
            p.altitude(cruise_altitude);
            p.speed(cruise_speed_target);
            if (!toc_seen) toc_at = i;
            toc_seen = true;
        }
    }
    if (k > 0 && toc_passed == 0) {
        // The climb ends at that constraint.
        toc_index = k;
        toc_lat = active_plan[k].lat;
        toc_lon = active_plan[k].lon;
    }
    return toc_at;
}

// Descent pass: predictions backward from the destination up to the first
// waypoint that reaches the cruise altitude. Only a constraint that ends a
// descent (constraint_rule.h) holds the waypoints after it down to it; a
// route that ends without an altitude has no descent.
void descent_pass(const ProfileView& origin, double rd, int toc_at) {
    const int last = flown_last();
    double a = route_end_altitude();
    if (a <= kNoConstraint) return;
    std::vector<bool> ends(static_cast<std::size_t>(last + 1), false);
    for (int i = 1; i < last; ++i)
        ends[static_cast<std::size_t>(i)] =
            keeps_altitude(active_plan[i]) && ends_descent(origin, i, cruise_altitude);
    for (int j = last - 1; j >= 1; --j) {
        const RouteWaypoint& w = active_plan[j];
        const Prediction p{w};
        a += leg_altitude_change(leg_length(j + 1, j), descent_tas_target, rd);
        int m = 0;
        for (int i = j - 1; i >= 1 && i >= toc_at; --i)
            if (ends[static_cast<std::size_t>(i)]) {
                m = i;
                break;
            }
        double v = descent_speed_target;
        if (keeps_altitude(w)) {
            // The path passes over a constraint that does not end it.
            a = ends[static_cast<std::size_t>(j)] ? predicted_altitude(w)
                                                  : std::max(a, predicted_altitude(w));
            if (predicted_speed(w) == kNoConstraint) p.speed(descent_speed_target);
            v = predicted_speed(w);
        } else if (m > 0) {
            const RouteWaypoint& limit = active_plan[m];
            a = std::min(a, predicted_altitude(limit));
            // Only a constraint that has a speed limits the speed.
            if (predicted_speed(limit) > 0.0 && (predicted_speed(w) > predicted_speed(limit) ||
                                                 descent_speed_target > predicted_speed(limit)))
                v = predicted_speed(limit);
            p.speed(v);
        } else {
            p.speed(v);
        }
        a = hundreds(a);
        // A constraint shows its own altitude.
        p.altitude(keeps_altitude(w) ? hundreds(predicted_altitude(w)) : a);
        if (DescSpdRest > 0.0 && v > DescSpdRest && DescAltRest >= a) p.speed(DescSpdRest);
        if (a >= cruise_altitude) {
            // A constraint passed over at cruise still shows (and is read
            // by its rule at) its own altitude.
            if (!keeps_altitude(w)) {
                p.altitude(cruise_altitude);
                p.speed(cruise_speed_target);
            }
            break;
        }
    }
}

} // namespace

void predict_profile(int requested_altitude, int mode) {
    apply_cost_index();
    // Measured to the last entry flown to.
    const int last = flown_last();
    if (last < 1) return;
    const double altitude = aircraft_state.indicated_altitude_ft;

    double route = 0.0;
    for (int i = 1; i <= last; ++i)
        route += flown_leg_nm(i);
    double direct = 0.0;
    double course = 0.0;
    gc_dist_course(active_plan[0].lat, active_plan[0].lon, active_plan[last].lat, active_plan[last].lon,
                   &direct, &course);
    double budget = route / 2.0;
    if (budget > 35.0) budget -= 15.0;

    double rc = FPA > 0.0 ? rate_for_angle(climb_tas_target, FPA) : ClimbRate;
    double cruise = requested_altitude;
    bool whole_climb_model = true; // the climb distance follows the altitude
    if (requested_altitude == 0) {
        const double planned = compute_performance_targets();
        if (planned != 0.0) {
            cruise = planned;
            FPA = 0.0;
            rc = ClimbRate;
        } else {
            double candidate = 0.0;
            bool stopped = false;
            for (int i = 1; i <= kClimbModelMinutes && !stopped; ++i) {
                const double d = i * climb_tas_target / 60.0;
                const double a = altitude + i * rc;
                if (a >= MaxCruise) {
                    cruise = semicircular_altitude(MaxCruise, course);
                    stopped = true;
                } else {
                    candidate = saturate_to_whole(a / 1000.0) * 1000.0;
                    if (d >= budget) {
                        cruise = odd_even_altitude(candidate, course);
                        stopped = true;
                    }
                }
            }
            if (!stopped) {
                cruise = candidate;
                whole_climb_model = false;
            }
        }
    }
    const double rd = FPA > 0.0 ? rate_for_angle(descent_tas_target, FPA) : DescentRate;
    descent_rate_used_fpm = rd;
    // A route too short for the cruise altitude climbs only as high as it
    // can still come down from: there the TOC and the TOD meet.
    const ProfileView here = view_from_aircraft();
    const double top =
        whole_climb_model ? std::max(std::min(cruise, climb_level(here, cruise)), altitude) : cruise;
    const double climb_distance =
        whole_climb_model ? distance_for(top - altitude, rc, climb_tas_target) : 0.0;

    if (toc_passed == 0) {
        predicted_cruise_altitude_ft = cruise;
        climb_distance_nm = saturate_to_whole(climb_distance);
        double sum = 0.0;
        for (int i = 1; i <= last; ++i) {
            double leg_course = 0.0;
            const double length = leg_length(i - 1, i, &leg_course);
            if (sum + length >= climb_distance) {
                const RouteWaypoint& from = active_plan[place_at_or_before(active_plan, i - 1)];
                gc_destination_point(from.lat, from.lon, leg_course, climb_distance - sum, &toc_lat,
                                     &toc_lon);
                toc_index = i - 1;
                break;
            }
            sum += length;
        }
    }

    if (cruise_altitude == 0) cruise_altitude = saturate_to_whole(predicted_cruise_altitude_ft);
    if (mode != kProfileFull) {
        descent_speed_phase = kDescentSpeedPhaseOn;
        toc_passed = 0;
        clear_tod_passed();
        // The T/D of the climb now re-armed.
        update_toc_tod(kTodLocate);
        return;
    }
    const ProfileView origin = view_from_origin(altitude_or_zero(predicted_altitude(active_plan[0])));
    const int toc_at = climb_pass(origin, rc, climb_distance);
    descent_pass(origin, rd, toc_at);
    plan_marks.forget_other_entries();
    publish_flown_plan();
}

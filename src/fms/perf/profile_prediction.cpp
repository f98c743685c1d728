#include "fms/perf/profile_prediction.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/cruise_planning.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
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

// A rate for a flight-path angle at a TAS, rounded to 100 ft/min.
double rate_for_angle(double tas, double angle) {
    return saturate_to_whole((tas / 60.0 * angle * 100.0 + 50.0) / 100.0) * 100.0;
}

double distance_for(double altitude_change, double rate, double tas) {
    return rate > 0.0 ? altitude_change / rate * tas / 60.0 : 0.0;
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

    const bool climbing = toc_passed == 0;
    if (climbing) {
        predicted_cruise_altitude_ft = cruise;
        climb_distance_nm = saturate_to_whole(climb_distance);
    }
    if (cruise_altitude == 0) cruise_altitude = saturate_to_whole(predicted_cruise_altitude_ft);

    // The T/C of the prediction and, on EXEC, the entries' predictions are
    // the profile's, from the origin.
    const EntryPredictionRates rates{rc, rd, climb_distance, mode == kProfileFull};
    ProfilePlace at = aircraft_place();
    at.predict = &rates;
    const VerticalProfile& p = locate_vertical_profile(at);
    if (climbing && p.prediction_toc.exists) {
        toc_lat = p.prediction_toc.lat;
        toc_lon = p.prediction_toc.lon;
        toc_index = p.prediction_toc.index - 1;
    }
    if (mode != kProfileFull) {
        descent_speed_phase = kDescentSpeedPhaseOn;
        toc_passed = 0;
        clear_tod_passed();
        // The T/D of the climb now re-armed.
        update_toc_tod(kTodLocate);
        return;
    }
    if (p.prediction_cap > 0 && toc_passed == 0) {
        // The climb ends at that constraint.
        toc_index = p.prediction_cap;
        toc_lat = active_plan[p.prediction_cap].lat;
        toc_lon = active_plan[p.prediction_cap].lon;
    }
    for (int i = 0; i < static_cast<int>(p.entries.size()); ++i) {
        const ProfileEntry& e = p.entries[static_cast<std::size_t>(i)];
        if (e.altitude_predicted) plan_marks.predict_altitude(active_plan[i], e.altitude_ft);
        if (e.speed_predicted) plan_marks.predict_speed(active_plan[i], e.speed_kt);
    }
    plan_marks.forget_other_entries();
    publish_flown_plan();
}

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
#include "fms/perf/vnav_phase.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
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

void mark_predictions(const VerticalProfile& p) {
    for (int i = 0; i < static_cast<int>(p.entries.size()); ++i) {
        const ProfileEntry& e = p.entries[static_cast<std::size_t>(i)];
        if (e.altitude_predicted) plan_marks.predict_altitude(active_plan[i], e.altitude_ft);
        if (e.speed_predicted) plan_marks.predict_speed(active_plan[i], e.speed_kt);
    }
}

// Past the T/C the path stays where its T/D put it (VNAV starts down there
// and the deviation is read against it; it is made again when the altitude
// flown or the route changes): the entries ahead are predicted on it, from
// an aircraft above it coming down to it by the end of the descent, from one
// below it level until the path comes down to its altitude.
void predict_down_the_path(const VerticalProfile& p) {
    const int last = flown_last();
    if (p.path.empty() || static_cast<int>(p.entries.size()) <= last) return;
    // The path's distances are from where the aircraft was when it was built.
    const double flown = p.flown_since_built();
    const double altitude = aircraft_state.indicated_altitude_ft;
    const double above = altitude - p.altitude_at(flown);
    // Without an end of descent the route is flown at the altitude flown.
    const double to_end = p.ed.exists ? p.ed.ahead_nm - flown : 0.0;
    const int end = p.ed.exists ? p.ed.index : last;
    for (int i = to_waypoint_index; i <= end && i < last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (w.altitude_kind != AltitudeKind::None) continue;
        const double d = p.entries[static_cast<std::size_t>(i)].ahead_nm - flown;
        const double on_path = p.ed.exists ? p.altitude_at(flown + d) : altitude;
        const double a = above > 0.0 && to_end > 0.0 ? on_path + above * std::max(0.0, 1.0 - d / to_end)
                                                     : std::min(altitude, on_path);
        plan_marks.predict_altitude(w, a > 1000.0 ? saturate_to_whole(a / 100.0) * 100.0 : a);
    }
}

} // namespace

void predict_profile(int requested_altitude, int mode) {
    apply_cost_index();
    // Measured to the last entry flown to.
    const int last = flown_last();
    if (last < 1) return;
    const double altitude = aircraft_state.indicated_altitude_ft;

    const double route = flown_route_nm(last);
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
    ClimbRuleInputs in = climb_rule_inputs(altitude);
    in.cruise_ft = cruise;
    const double top =
        whole_climb_model ? std::max(std::min(cruise, climb_rule(in).level_ft), altitude) : cruise;
    // As VNAV can fly it up to that top.
    rc = vnav_climb_rate(rc, top);
    const double climb_distance =
        whole_climb_model ? phase_distance(top - altitude, rc, climb_tas_target) : 0.0;

    const bool climbing = vnav_phase == VnavPhase::Climb;
    if (climbing) {
        predicted_cruise_altitude_ft = cruise;
        climb_distance_nm = saturate_to_whole(climb_distance);
    }
    if (cruise_altitude == 0) cruise_altitude = saturate_to_whole(predicted_cruise_altitude_ft);

    // The T/C of the prediction and, on EXEC, the entries' predictions are
    // the profile's, from the origin.
    profile_prediction_rates = EntryPredictionRates{rc, rd, climb_distance, mode == kProfileFull};
    ProfilePlace at = aircraft_place();
    at.predict = &profile_prediction_rates;
    const VerticalProfile& p = locate_vertical_profile(at);
    if (mode != kProfileFull) {
        descent_speed_phase = kDescentSpeedPhaseOn;
        vnav_transition(VnavTransition::Restart);
        // The T/D of the climb now re-armed.
        update_toc_tod(kTodLocate);
        return;
    }
    mark_predictions(p);
    plan_marks.forget_other_entries();
    publish_flown_plan();
}

void keep_predictions_with_aircraft() {
    if (frame_slot != 0 || vnav_on_ground() || !profile_prediction_rates.entries || cruise_altitude <= 0 ||
        to_waypoint_index < 1 || to_waypoint_index > active_plan_last || flown_last() < to_waypoint_index)
        return;
    if (vnav_phase != VnavPhase::Climb) {
        predict_down_the_path(active_profile());
    } else {
        mark_predictions(locate_vertical_profile(aircraft_place()));
    }
    publish_flown_plan();
}

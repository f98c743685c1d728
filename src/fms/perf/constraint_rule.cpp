#include "fms/perf/constraint_rule.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The altitude flown, to the whole hundred below.
double hundreds_down(double ft) {
    return std::floor(ft / 100.0 + 1e-6) * 100.0;
}

// The rule over one set of inputs.
class Rule {
  public:
    explicit Rule(const ClimbRuleInputs& in) : in_(in), last_(static_cast<int>(in.entries.size()) - 1) {}

    ClimbRule run() const {
        ClimbRule r;
        if (last_ < 1) {
            r.roles.last = last_ < 1 ? -1 : last_;
            return r;
        }
        const ConstraintRoles at_cruise = roles(in_.cruise_ft);
        r.level_ft = level(at_cruise);
        r.roles = in_.cruise_ft > 0.0 ? at_cruise : roles(r.level_ft);
        if (in_.climbing) {
            r.cap = cap(at_cruise, in_.first, in_.altitude_ft);
            r.toc_nm = toc_nm(r.cap, r.level_ft);
        }
        r.end = descent_end(in_.first, r.level_ft);
        return r;
    }

  private:
    const ClimbRuleInputs& in_;
    int last_;

    double altitude(int k) const { return in_.entries[static_cast<std::size_t>(k)].altitude_ft; }

    double climb_nm_per_ft(double top_ft) const {
        return phase_distance(1.0, vnav_climb_rate(in_.rates, in_.rates.climb_fpm, top_ft),
                              in_.rates.climb_tas_kt);
    }
    double descent_nm_per_ft() const {
        return phase_distance(1.0, in_.rates.descent_fpm, in_.rates.descent_tas_kt);
    }

    // Along the legs to entry k from where the route is looked at.
    double distance_to(int k) const {
        if (in_.from_aircraft) return in_.entries[static_cast<std::size_t>(k)].ahead_nm;
        double d = 0.0;
        for (int i = 1; i <= k; ++i)
            d += in_.entries[static_cast<std::size_t>(i)].leg_nm;
        return d;
    }

    // The highest level a climb from `from_ft` can reach and still come down
    // to `end_ft` within `distance_nm`.
    double afforded(double from_ft, double distance_nm, double end_ft) const {
        const double down = descent_nm_per_ft();
        // The climb's gradient depends on its top: the level where climb and
        // descent meet, found again from the level found (a few passes settle
        // it within a foot, the gradient changing slowly with the top).
        double level = std::numeric_limits<double>::infinity();
        for (int pass = 0; pass < 4; ++pass) {
            const double up = climb_nm_per_ft(level);
            if (!(up + down > 0.0)) return std::max(from_ft, end_ft);
            level = (distance_nm + from_ft * up + end_ft * down) / (up + down);
        }
        return level;
    }

    // The level a climb from `from_ft`, `nm` along the legs before the end
    // `e` with entry `from` the first ahead, goes to: the afforded level whose
    // T/C comes the T/D's margin before the T/D, in whole steps. The distance
    // is the one LNAV flies, the measure the T/C and the T/D are placed on.
    double afforded_level(double from_ft, double nm, int from, const DescentEnd& e) const {
        // From the aircraft the distances are the path's already; from the
        // origin they are the legs', less what the sharp turns cut.
        for (int i = std::max(from, 1); i < e.index && !in_.from_aircraft; ++i)
            nm -= in_.entries[static_cast<std::size_t>(i)].cut_nm;
        return level_step_down(afforded(from_ft, nm - kTodPassedWithinNm, e.altitude));
    }

    ConstraintRoles roles(double cruise) const {
        ConstraintRoles r;
        r.last = last_;
        const double origin = std::max(0.0, altitude(0));
        double route = 0.0;
        for (int i = 1; i <= last_; ++i)
            route += in_.entries[static_cast<std::size_t>(i)].leg_nm;
        const double end = in_.end_ft;
        const double level = end > kNoConstraint ? std::min(cruise, afforded(origin, route, end)) : cruise;
        // Where the climb from the origin reaches that level, in whole NM
        // along the legs counted whole after each leg, as the T/C is
        // (without a climb rate and speed: at the origin).
        const double top_nm = std::trunc((level - origin) * climb_nm_per_ft(level));
        const auto holds = [&](int i) { return in_.entries[static_cast<std::size_t>(i)].holds; };
        int last_at_level = 0;
        for (int i = 1; i < last_; ++i)
            if (holds(i) && altitude(i) >= cruise) last_at_level = i;

        bool climbing = true;
        double cap = -std::numeric_limits<double>::infinity();
        double lowest_end = std::numeric_limits<double>::infinity();
        double along = 0.0;
        for (int i = 1; i < last_; ++i) {
            along = std::trunc(along + in_.entries[static_cast<std::size_t>(i)].leg_nm);
            // Past the T/D the climb is flown: one ahead that a route made
            // longer since (a STAR chosen in the descent) would put under
            // the climb from the origin is still one to come down to.
            if (in_.descending && i >= in_.first) climbing = false;
            if (!holds(i)) continue;
            ConstraintRole& role = r.role[static_cast<std::size_t>(i)];
            const double h = altitude(i);
            if (h >= cruise) {
                role = ConstraintRole::AtLevel;
                climbing = false;
            } else if (climbing && (along < top_nm || i < last_at_level) && h + kSameLevelFt >= cap) {
                role = ConstraintRole::CapsClimb;
                cap = std::max(cap, h);
            } else {
                climbing = false;
                if (i < last_at_level || h > lowest_end) {
                    role = ConstraintRole::PassedOver;
                } else {
                    role = ConstraintRole::EndsDescent;
                    lowest_end = h;
                }
            }
        }
        return r;
    }

    // The end of a descent from `top` for the entries from `first` on: the
    // first that ends one, else the route's end when it has an altitude;
    // none when that end is at or above `top`. One flown at the level is
    // passed at it: the descent is to the end after it, unless it lies below
    // that level.
    DescentEnd descent_end(int first, double top) const {
        const ConstraintRoles r = in_.cruise_ft > 0.0 ? roles(in_.cruise_ft) : roles(top);
        for (int k = std::max(first, 1); k < last_; ++k) {
            if (r[k] == ConstraintRole::EndsDescent)
                return altitude(k) < top ? DescentEnd{k, altitude(k)} : DescentEnd{};
            if (below_the_level(r[k], altitude(k), top)) return DescentEnd{k, altitude(k)};
        }
        return in_.end_ft > kNoConstraint && in_.end_ft < top ? DescentEnd{last_, in_.end_ft} : DescentEnd{};
    }

    int cap(const ConstraintRoles& r, int first, double altitude_ft) const {
        return first_cap_ahead(
            first, last_, altitude_ft, [&](int k) { return r[k]; }, [&](int k) { return altitude(k); });
    }

    // The level the climb from the view goes to: the cruise altitude, or the
    // afforded level (in whole steps) when the route to the end of descent is
    // too short; once an end of descent is behind, no higher than the
    // altitude flown or the next end, whichever is higher (an aircraft the
    // pilot held below the path climbs back to it).
    double climb_level(const ConstraintRoles& r) const {
        const double cruise = in_.cruise_ft;
        const DescentEnd end = descent_end(in_.first, cruise);
        for (int k = 1; k < std::min(in_.first, last_); ++k)
            if (r[k] == ConstraintRole::EndsDescent)
                return std::min(cruise, std::max(hundreds_down(in_.altitude_ft), end.altitude));
        if (end.index < 1) return cruise;
        return std::min(cruise, afforded_level(in_.altitude_ft, distance_to(end.index), in_.first, end));
    }

    double level(const ConstraintRoles& r) const {
        if (in_.given_level_ft > 0.0) return saturate_to_whole(in_.given_level_ft);
        if (!in_.climbing) return saturate_to_whole(in_.altitude_ft);
        const double cruise = in_.cruise_ft;
        double level = climb_level(r);
        // Past a cap ahead the climb goes only as high as the route from it
        // to the end of the descent affords (none: the descent is from it).
        if (const int k = cap(r, in_.first, in_.altitude_ft); k > 0) {
            const double held = altitude(k);
            const DescentEnd e = descent_end(k + 1, level);
            if (e.index >= 1) {
                level = std::min(
                    level, std::max(held, afforded_level(held, distance_to(e.index) - distance_to(k), k, e)));
            }
        }
        // A level the route affords a little higher as the climb goes on is
        // not chased (each rise would be another altitude for the
        // autopilot); one that falls is followed at once, or the climb would
        // pass the T/D. A level at the next end of descent is the path's own:
        // met, not kept a little lower.
        const bool kept = in_.kept_level_ft > 0.0 && level < cruise && level > in_.kept_level_ft &&
                          level - in_.kept_level_ft < kLevelRiseKeptFt;
        if (kept && level != descent_end(in_.first, cruise).altitude) level = in_.kept_level_ft;
        return saturate_to_whole(std::max(level, hundreds_down(std::min(in_.altitude_ft, cruise))));
    }

    // NM of a climb of `change` ft to a top at `top_ft`.
    double climb_nm(double change, double top_ft) const {
        return phase_distance(change, vnav_climb_rate(in_.rates, in_.rates.climb_fpm, top_ft),
                              in_.rates.climb_tas_kt);
    }

    // Along the legs from the aircraft to where the climb reaches the level:
    // up to a cap ahead and level to it, then on up to the level; never
    // behind the aircraft. A cap the aircraft is at (within kSameLevelFt
    // above too) holds it level to its fix all the same.
    double toc_nm(int cap, double level) const {
        const double from = in_.altitude_ft;
        if (cap > 0) {
            const double held = altitude(cap);
            const double at = in_.entries[static_cast<std::size_t>(cap)].ahead_nm;
            if (!(level > held)) return std::min(climb_nm(std::max(0.0, held - from), held), at);
            return at + climb_nm(level - std::max(held, from), level);
        }
        return std::max(0.0, climb_nm(level - from, level));
    }
};

} // namespace

ClimbRule climb_rule(const ClimbRuleInputs& in) {
    return Rule(in).run();
}

double descent_rate() {
    return descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
}

ClimbRates module_climb_rates() {
    ClimbRates r;
    r.climb_fpm = ClimbRate;
    r.climb_tas_kt = climb_tas_target;
    r.climb_ias_kt = climb_speed_target;
    r.max_vnav_climb_fpm = MaxVnavClimbRate;
    r.descent_fpm = descent_rate();
    r.descent_tas_kt = descent_tas_target;
    return r;
}

ClimbRuleInputs climb_rule_inputs(double altitude_ft, int first) {
    ClimbRuleInputs in;
    const int last = flown_last();
    if (last >= 1) {
        in.entries.resize(static_cast<std::size_t>(last + 1));
        for (int i = 0; i <= last; ++i) {
            ClimbRuleInputs::Entry& e = in.entries[static_cast<std::size_t>(i)];
            e.holds = holds_altitude(active_plan[i]);
            e.altitude_ft = predicted_altitude(active_plan[i]);
            e.leg_nm = i >= 1 ? flown_leg_nm(i) : 0.0;
            e.cut_nm = i >= 1 && i < last ? sharp_corner_cut(i) : 0.0;
        }
    }
    in.end_ft = route_end_altitude();
    in.cruise_ft = cruise_altitude;
    in.rates = module_climb_rates();
    in.altitude_ft = altitude_ft;
    const bool to = to_waypoint_index >= 1 && to_waypoint_index <= active_plan_last;
    in.from_aircraft = to;
    in.first = first >= 1 ? first : to ? to_waypoint_index : 1;
    if (to && last >= to_waypoint_index) {
        // Along the path LNAV flies, in one walk: an entry that is no place
        // of its own stands where the place before it does.
        int next = to_waypoint_index;
        double here = 0.0;
        for_each_path_stop(last, [&](const PathStop& stop) {
            for (; next < stop.index; ++next)
                in.entries[static_cast<std::size_t>(next)].ahead_nm = here;
            here = stop.passed_nm();
        });
        for (; next <= last; ++next)
            in.entries[static_cast<std::size_t>(next)].ahead_nm = here;
    }
    return in;
}

double vnav_climb_rate(const ClimbRates& r, double rate_fpm, double top_ft) {
    if (!(r.max_vnav_climb_fpm > 0.0) || !(r.climb_ias_kt > 0.0) || !(r.climb_tas_kt > 0.0) ||
        !std::isfinite(top_ft))
        return rate_fpm;
    // The rate the line needs is highest at the top, where the TAS is.
    const double top_tas = ias_to_tas(r.climb_ias_kt, std::max(0.0, top_ft));
    return top_tas > 0.0 ? std::min(rate_fpm, r.max_vnav_climb_fpm * r.climb_tas_kt / top_tas) : rate_fpm;
}

double vnav_climb_rate(double rate_fpm, double top_ft) {
    return vnav_climb_rate(module_climb_rates(), rate_fpm, top_ft);
}

double descent_ft_per_nm() {
    const double down = phase_distance(1.0, descent_rate(), descent_tas_target);
    return down > 0.0 ? 1.0 / down : 0.0;
}

#include "flight_demo.h"

#include "aircraft_model.h"
#include "aircraft_store.h"
#include "airport_ground.h"
#include "sim_state.h"
#include "simulator.h"

#include "fms/plan/route_plan.h"
#include "gauges/stand_in_hooks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace host {

namespace {

FlightTracker tracker;

constexpr double kTurnOntoLegSeconds = 120.0;

bool route_status(Simulator& sim, StandInRouteStatus& status) {
    if (sim.module.flight.route_status == nullptr) return false;
    sim.module.flight.route_status(&status);
    return true;
}

bool airborne() {
    const AircraftModel& m = aircraft();
    return aircraft_active() && m.altitude_ft - m.ground_elevation_ft > 50.0;
}

// The active plan as SERVER publishes it (the module's own entry records),
// when it holds the TO; null without SERVER.
const RouteWaypoint* flown_plan(const StandInRouteStatus& s) {
    const ModuleVar* plan = find_module_var("Orvex_FlightPlan");
    const auto slots = static_cast<int32_t>(RoutePlan::slots);
    if (plan == nullptr || plan->storage == nullptr || s.to_index < 0 || s.to_index >= slots) return nullptr;
    return static_cast<const RouteWaypoint*>(plan->storage);
}

// Entries passed from the old TO (by its id) to the new one: none when the
// TO is the same entry or the old one is not behind it (another plan).
int passed_since(const RouteWaypoint* plan, int32_t to_index, int to_id, int old_to_id) {
    if (to_id == old_to_id) return 0;
    for (int32_t k = to_index - 1; k >= 0; --k)
        if (plan[k].id == old_to_id) return to_index - k;
    return 0;
}

// The airport the flown plan ends at: by the plan SERVER publishes, else by
// the name of the last TO; empty when the route ends at a fix.
std::string destination_of(const RouteWaypoint* plan, const StandInRouteStatus& s, const std::string& known) {
    if (plan != nullptr && s.last_index >= 0 && s.last_index < static_cast<int32_t>(RoutePlan::slots)) {
        const RouteWaypoint& end = plan[s.last_index];
        return end.type == "APT" ? end.ident : "";
    }
    if (s.to_index != 999 && s.to_index == s.last_index)
        return ground_airport(s.to_ident) != nullptr ? std::string(s.to_ident) : "";
    return known;
}

} // namespace

FlightTracker& flight_tracker() {
    return tracker;
}

void reset_flight_tracker() {
    tracker = FlightTracker{};
}

void track_flight_frame(Simulator& sim, std::FILE* out) {
    StandInRouteStatus s{};
    if (!route_status(sim, s)) return;
    FlightTracker& t = tracker;
    if (t.airborne_at_s < 0.0 && airborne()) t.airborne_at_s = aircraft().sim_time_s;
    const double now = aircraft().sim_time_s;
    if (s.to_index != 999 && s.to_index != t.to_index) t.leg_started_at_s = now;
    // A TO further on in the plan: the entries from the old TO to the new one
    // were passed. The count runs through every plan of the flight: a plan
    // made anew (a direct-to, another route) has entries of its own, and an
    // edit before the TO moves its index but not its entry. A direct-to a fix
    // further on flies none of the fixes it leaves out.
    const bool direct_leg = std::strcmp(s.from_ident, "DIRECT") == 0;
    const RouteWaypoint* plan = flown_plan(s);
    const int to_id = plan != nullptr ? plan[s.to_index].id : 0;
    t.ended_now = false;
    if (s.to_index != 999) t.destination = destination_of(plan, s, t.destination);
    if (s.to_index != 999 && t.to_index != 999 && s.to_index > t.to_index && !direct_leg) {
        if (to_id != 0 && t.to_id != 0)
            t.sequenced += passed_since(plan, s.to_index, to_id, t.to_id);
        else if (t.to_ident != s.to_ident) // no plan to read: by the names
            t.sequenced += s.to_index - t.to_index;
    }
    t.to_id = to_id;
    t.to_index = s.to_index;
    t.to_ident = s.to_ident;
    t.route_seen = t.route_seen || s.to_index != 999;
    t.last_index = s.last_index;
    if (s.lnav_engaged == 1 && s.to_index != 999) {
        t.lnav_seen = true;
        double& largest = now - t.leg_started_at_s >= kTurnOntoLegSeconds ? t.largest_cross_track_nm
                                                                          : t.largest_at_leg_change_nm;
        largest = std::max(largest, s.cross_track_nm);
    }
    // LNAV ends itself on reaching the last waypoint: the route is flown
    // when it does so after the take-off, not on the take-off roll (a route
    // whose entries all stand at the field is passed before the aircraft
    // leaves it). The flight arrives only when the aircraft is down again,
    // on the ground of the airport the route ends at.
    const bool lnav_ended = t.lnav_on && s.lnav_engaged == 0;
    t.lnav_on = s.lnav_engaged == 1 && s.to_index != 999;
    if (lnav_ended && !t.route_flown && t.airborne_at_s >= 0.0 && s.to_index == s.last_index) {
        t.route_flown = t.ended_now = true;
        ++t.sequenced;
    }
    const AircraftModel& m = aircraft();
    if (!t.landed && t.airborne_at_s >= 0.0 && aircraft_active() && on_ground(m)) {
        t.landed = t.ended_now = true;
        t.landed_at_s = now;
        const GroundAirport* field = ground_airport(t.destination);
        t.arrived =
            !t.destination.empty() && field != nullptr && on_airport_ground(*field, m.lat_deg, m.lon_deg);
    }
    if (out != nullptr && t.progress_every > 0 && sim.frame % t.progress_every == 0)
        std::fprintf(out, "frame %ld: %s\n", sim.frame, flight_progress(sim).c_str());
}

std::string flight_progress(Simulator& sim) {
    StandInRouteStatus s{};
    if (!route_status(sim, s)) return "the module offers no route status";
    const AircraftModel& m = aircraft();
    char text[192];
    if (s.to_index == 999)
        std::snprintf(text, sizeof text, "no active route, %.0f ft, %.0f kt", indicated_altitude_ft(m),
                      m.ias_kt);
    else
        std::snprintf(text, sizeof text,
                      "TO %s %d/%d %.1f NM, %.0f ft, %.0f kt, %s (log %s), XTK %.2f NM, LNAV %s, VNAV %s",
                      s.to_ident, s.to_index, s.last_index, s.to_distance_nm, indicated_altitude_ft(m),
                      m.ias_kt, s.profile, s.phase[0] != '\0' ? s.phase : "-", s.cross_track_nm,
                      s.lnav_engaged == 1 ? "on" : "off", s.vnav_engaged == 1 ? "on" : "off");
    return text;
}

std::string flight_summary() {
    const FlightTracker& t = tracker;
    if (!t.route_seen) return "no route";
    double seconds = 0.0;
    if (t.airborne_at_s >= 0.0)
        seconds = (t.landed_at_s >= 0.0 ? t.landed_at_s : aircraft().sim_time_s) - t.airborne_at_s;
    const long whole = std::lround(seconds);
    std::string where = "not arrived";
    if (t.arrived)
        where = "arrived";
    else if (t.landed)
        where = t.destination.empty() ? "landed, no destination" : "landed away from " + t.destination;
    else if (t.route_flown && t.destination.empty())
        where = "route flown, no destination";
    char text[256];
    // Of those passed and those still ahead of the plan flown, its TO included.
    const int ahead = t.route_flown || t.to_index == 999 ? 0 : std::max(t.last_index - t.to_index + 1, 0);
    std::snprintf(text, sizeof text,
                  "%d of %d waypoints sequenced, %s, flight time %ld:%02ld:%02ld, largest cross-track error "
                  "%.2f NM (%.2f NM turning onto a new leg)",
                  t.sequenced, t.sequenced + ahead, where.c_str(), whole / 3600, whole / 60 % 60, whole % 60,
                  t.largest_cross_track_nm, t.largest_at_leg_change_nm);
    return text;
}

std::string flight_to_ident(Simulator& sim) {
    StandInRouteStatus s{};
    if (!route_status(sim, s)) return "";
    return s.to_ident;
}

} // namespace host

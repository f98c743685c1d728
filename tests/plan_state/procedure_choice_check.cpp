#include "procedure_choice_check.h"

#include "aircraft_store.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "sim/aircraft_state.h"
#include "to_rule_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using namespace procedure_table;

struct {
    int smiths = 0, gns = 0, moving = 0, to_inside = 0, new_destinations = 0;
} met;
PartCounts parts_met;

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool starts(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

// In flight on a leg into the arrival's fix i, LNAV engaged: the choice then
// meets a TO inside the STAR or the approach.
std::string fly_into_arrival(std::mt19937& random) {
    std::vector<int> inside;
    for (int i = 2; i < active_plan_last; ++i)
        if ((active_plan[i].kind == "STAR" || active_plan[i].kind == "APPR") &&
            !is_gap(active_plan[i - 1].ident))
            inside.push_back(i);
    if (inside.empty() || to_waypoint_index == kNoToWaypoint) return "";
    const int at = inside[static_cast<std::size_t>(between(random, 0, static_cast<int>(inside.size()) - 1))];
    const RouteWaypoint& to = active_plan[at];
    const RouteWaypoint& from = active_plan[at - 1];
    const double share = std::uniform_real_distribution<double>(0.6, 0.95)(random);
    double heading =
        std::atan2((to.lon - from.lon) * std::cos(to.lat * M_PI / 180.0), to.lat - from.lat) * 180.0 / M_PI;
    if (heading < 0.0) heading += 360.0;
    char text[240];
    std::snprintf(text, sizeof text,
                  "aircraft altitude 8000\naircraft speed 250\naircraft position %.5f %.5f\naircraft heading "
                  "%.0f\nframes 20\n",
                  from.lat + (to.lat - from.lat) * share, from.lon + (to.lon - from.lon) * share, heading);
    return std::string(text) + (lnav_engaged == 1 ? "" : "mcu MCU LNAV\nframes 20\n");
}

std::string one_of(std::mt19937& random, const std::vector<const char*>& keys) {
    return keys[static_cast<std::size_t>(between(random, 0, static_cast<int>(keys.size()) - 1))];
}

} // namespace

std::string procedure_choice_step(std::mt19937& random) {
    // Parked, or flying inside the arrival, or wherever the hunt left it.
    const int where = between(random, 0, 3);
    std::string text = where == 0   ? "aircraft altitude 433\naircraft speed 0\nframes 5\n"
                       : where == 1 ? fly_into_arrival(random)
                                    : "";
    const int kind = between(random, 0, 99);
    if (kind < 8) { // a new destination
        const char* airports[] = {"KPDX", "KSEA", "KYKM", "KOLM", "KEUG"};
        text += std::string("cdu SMITHS_FMS RTE \"") + airports[between(random, 0, 4)] + "\" R1";
        return text + (between(random, 0, 1) == 0 ? "\ncdu SMITHS_FMS EXEC" : "");
    }
    if (kind < 55) { // DEPARTURES (L1) or ARRIVALS (R2) of the route's airports
        text += std::string("cdu SMITHS_FMS DEP_ARR ") + (between(random, 0, 2) == 0 ? "L1" : "R2");
        for (int n = between(random, 1, 4); n > 0; --n)
            text +=
                "\ncdu SMITHS_FMS " + one_of(random, {"L1", "L2", "L3", "L4", "L5", "R1", "R2", "R3", "R4",
                                                      "R5", "L1", "L2", "R1", "R2", "NEXT", "PREV"});
        const int end = between(random, 0, 9);
        if (end < 4) text += "\ncdu SMITHS_FMS EXEC";
        if (end == 4) text += "\ncdu SMITHS_FMS L6"; // ERASE
        return text;
    }
    // The GNS's DEPARTURE, ARRIVAL and APCH pages from the flown plan's page.
    const char* pages[] = {"L4 L4 ENT", "L5 ENT", "L5 L5 ENT"};
    text += std::string("gns GNSXLS NAV FPL ") + pages[between(random, 0, 2)];
    for (int n = between(random, 2, 6); n > 0; --n)
        text += "\ngns GNSXLS " + one_of(random, {"L1", "L2", "L3", "L4", "L5", "R1", "R2", "R3", "R5", "ENT",
                                                  "ENT", "ENT", "L3 ENT", "L4 ENT", "NEXT", "PREV"});
    return text;
}

namespace {

bool procedure_page(int smiths_page) {
    return smiths_page == kPageDepartures || smiths_page == kPageArrivals;
}

bool gns_procedure_page(int state) {
    return state == GNS_DEPARTURE || state == GNS_ARRIVAL || state == GNS_APPROACH;
}

bool pending(int state) {
    return state == kRouteStateEntered || state == kRouteStateActivated || state == kRouteStateActiveModified;
}

} // namespace

ProcedureChoiceSeen see_procedure_choices() {
    ProcedureChoiceSeen s;
    const bool flown =
        route_state >= kRouteStateActive && to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last;
    s.active = seen_plan(active_plan, active_plan_last, flown ? to_waypoint_index : -1);
    // The flown TO in the plan pending, as EXEC will fly it: the entry after
    // the FROM (legs the change put in before the TO are still ahead), past
    // a gap there; with the FROM gone, the TO's own entry. Both are found as
    // the TO rule finds them.
    int to = -1;
    if (flown && working_plan_new != 1) {
        std::vector<EntryRef> before;
        for (int i = 0; i <= active_plan_last; ++i)
            before.push_back(entry_ref(active_plan[i]));
        std::vector<RouteWaypoint> pending;
        for (int i = 0; i <= working_plan_last; ++i)
            pending.push_back(working_plan[i]);
        const auto at = [&](int i) { return before[static_cast<std::size_t>(i)]; };
        if (to_waypoint_index >= 1) to = find_again(at(to_waypoint_index - 1), before, pending);
        if (to >= 0) {
            to = std::min(to + 1, working_plan_last);
            while (to < working_plan_last && is_gap(working_plan[to].ident))
                ++to;
        } else {
            to = find_again(at(to_waypoint_index), before, pending);
        }
    }
    s.working = seen_plan(working_plan, working_plan_last, to);
    // An airway still waiting for its exit is the gap EXEC makes of it, an
    // entry of its own there: a gap is no leg, seen by its place alone.
    for (std::string& ident : s.working.idents)
        if (ident == "THEN") ident = "DISCO";
    for (ProcedurePlanSeen* p : {&s.active, &s.working})
        for (std::size_t i = 0; i < p->idents.size(); ++i)
            if (is_gap(p->idents[i])) p->ids[i] = 0;
    s.route_state = route_state;
    s.smiths_page = smiths_cdu_page;
    s.gns_state = gns_state;
    s.gns_plan_open = gns_plan_open == 1;
    // Standing still on the ground nothing is flown yet; rolling or in the
    // air the legs before the TO are.
    const host::AircraftModel& a = host::aircraft();
    s.moving = a.altitude_ft - a.ground_elevation_ft > 1.0 || a.ias_kt >= 40.0;
    return s;
}

std::vector<std::string> procedure_choice_faults(const ProcedureChoiceSeen& before, const std::string& line,
                                                 bool replaced) {
    std::vector<std::string> faults;
    if (replaced || starts(line, "route")) return faults;
    const ProcedureChoiceSeen now = see_procedure_choices();
    const bool cdu = starts(line, "cdu "), gns = starts(line, "gns ");
    // A key on a procedure page, or one that opened it; a line whose first
    // key leaves the page acts elsewhere.
    const std::size_t unit_end = line.find(' ', 4);
    const std::size_t key = unit_end == std::string::npos ? line.size() : unit_end + 1;
    const std::string first = line.substr(key, line.find(' ', key) - key);
    const bool on_page =
        !first.empty() && (first[0] == '"' || first.size() <= 2 || first == "ENT" || first == "NEXT" ||
                           first == "PREV" || first == "EXEC" || first == "DEL" || first == "CLR");
    const bool page =
        (cdu && ((on_page && procedure_page(before.smiths_page)) || procedure_page(now.smiths_page))) ||
        (gns && ((on_page && gns_procedure_page(before.gns_state)) || gns_procedure_page(now.gns_state)));
    const bool exec = cdu && line.size() >= 5 && line.compare(line.size() - 5, 5, " EXEC") == 0;
    const bool moving = before.moving && now.moving;
    struct Plan {
        const char* name;
        const ProcedurePlanSeen &was, &now;
    };
    std::vector<Plan> plans;
    // EXEC puts the plan pending in place; one it refuses (a new plan with
    // nothing to fly yet) stays pending, the flown plan as it was.
    const bool executed = exec && pending(before.route_state) && !pending(now.route_state);
    if (now.route_state >= kRouteStateActive)
        plans.push_back({"the flown plan", executed ? before.working : before.active, now.active});
    // A stored plan the GNS opened keeps its choices on the GNS.
    // Before any route is entered the plan being made is the working plan
    // (a GNS direct-to may have put a fix in it already), not the flown one.
    const bool making = pending(before.route_state) || before.route_state == kRouteStateNone;
    if (pending(now.route_state) && !now.gns_plan_open && !before.gns_plan_open)
        plans.push_back({"the plan pending", making ? before.working : before.active, now.working});
    for (const Plan& p : plans) {
        if (p.was.idents.size() < 2 || p.now.idents.size() < 2) continue;
        // A new destination brings none of the old one's arrival; a whole
        // plan put in place (none of its entries the old one's) may bring its
        // own, of its own destination.
        const std::string &old_end = p.was.idents.back(), &new_end = p.now.idents.back();
        if (old_end != new_end && p.was.kinds.back() == "APT" && p.now.kinds.back() == "APT") {
            ++met.new_destinations;
            const bool whole = std::none_of(p.now.ids.begin(), p.now.ids.end(), [&](int id) {
                return id != 0 && std::find(p.was.ids.begin(), p.was.ids.end(), id) != p.was.ids.end();
            });
            const PlanChoices& c = p.now.choices;
            const bool choices_kept =
                whole ? (!none(c.star) && !find(new_end, &Airport::stars, c.star)) ||
                            (!none(c.approach) && !find(new_end, &Airport::approaches, c.approach))
                      : !none(c.star) || !none(c.approach);
            // Legs flown before the TO stay whatever the destination: only
            // those still ahead are the old arrival's.
            const auto ahead = p.now.kinds.begin() + (moving && p.now.to > 0 ? p.now.to : 0);
            const bool legs_kept = !whole && (std::count(ahead, p.now.kinds.end(), "STAR") > 0 ||
                                              std::count(ahead, p.now.kinds.end(), "APPR") > 0);
            if (choices_kept || legs_kept)
                faults.push_back(std::string(p.name) + ": the new destination " + new_end + " kept " +
                                 (choices_kept ? "the arrival chosen for " : "arrival legs of ") + old_end +
                                 " (" + c.star + ", " + c.approach +
                                 "): " + line_of(p.now.idents, 0, p.now.idents.size()));
            continue;
        }
        if (!page) continue;
        procedure_part_faults(p.name, p.was, p.now, moving, parts_met, faults);
    }
    if (page) {
        met.smiths += cdu;
        met.gns += gns;
        met.moving += moving;
        met.to_inside += moving && now.active.to >= parts_of(now.active).arrival_begin;
    }
    return faults;
}

std::string procedure_choice_reached() {
    char text[300];
    std::snprintf(text, sizeof text,
                  "\nprocedure-page keys: SMITHS %d, GNS %d, moving %d, with the TO in the arrival %d; "
                  "departures checked %d, arrivals %d (%d with a gap); new destinations %d\n",
                  met.smiths, met.gns, met.moving, met.to_inside, parts_met.departures, parts_met.arrivals,
                  parts_met.with_gap, met.new_destinations);
    return text;
}

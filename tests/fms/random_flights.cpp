#include "random_flights.h"

#include "flown_path_check.h"
#include "random_flight_procedures.h"

#include "aircraft_store.h"
#include "fms/perf/vnav_phase.h"
#include "host_services.h"
#include "sim_state.h"
#include "test_environment_reset.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/aircraft_config.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/approach_file.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/published_values.h"
#include "fms/units/gns_scratchpad.h"
#include "gauges/guidance_toggles.h"
#include "gauges/linkage.h"
#include "gns_mcu/gns_keys.h"
#include "gns_mcu/mcu_key_layout.h"
#include "gns_mcu/mcu_keys.h"
#include "plan_builder.h"
#include "shared/saved_route_reload.h"
#include "sim/aircraft_state.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

namespace {

struct Place {
    std::string ident;
    double lat = 0.0;
    double lon = 0.0;
    double elevation = 0.0; // airports
};

struct Flight {
    std::vector<Place> places; // origin, waypoints, destination
    int cruise = 0;            // 0: the FMS plans it
    int climb_constraint = 0;  // entry index, 0 none
    int descent_constraint = 0;
    double climb_altitude = 0.0;
    double descent_altitude = 0.0;
    bool vnav_in_air = false;
    double mcp_altitude = 0.0; // set on the MCP before VNAV is engaged in the air
    bool test_places = false;
    bool arrival = false;                 // a STAR and an approach chosen as on ARRIVALS
    bool doubles_back = false;            // a fix flown to and back from
    bool too_short = false;               // too short for its cruise altitude
    bool pilot_hold = false;              // VNAV engaged on the ground, the MCP held low to the first fix
    bool no_destination = false;          // the route ends at a fix without an altitude
    int climb_flag = 1, descent_flag = 1; // 1 the pilot's, 3 an approach leg's
    int retyped_at = 0;                   // the route typed anew in the air once this TO is reached; 0 never
    int hold = -1; // the pilot's hold on the MCU: in the climb, cruise, descent, at a typed altitude
    bool sharp_turn = false; // a fix past the destination turned back from (over 120 degrees) before it
    // Flown past the field to the first fix of this approach and turned
    // round there onto its course: 1 a hairpin, 2 a reversal.
    std::string approach;
    int onto = 0;
};

double nm_between(const Place& a, const Place& b) {
    double d = 0.0, course = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &course);
    return d;
}

double course_between(const Place& a, const Place& b) {
    double d = 0.0, course = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &course);
    return course;
}

// The example database's airports and the navaids and fixes between them.
struct ExamplePlaces {
    std::vector<Place> airports, fixes;
};

const ExamplePlaces& example_places() {
    static ExamplePlaces places;
    if (!places.airports.empty()) return places;
    for (int i = 1; i <= airport_table.count(); ++i) {
        const NavRecordView r = airport_table[i];
        places.airports.push_back({std::string(r.ident), r.latitude, r.longitude,
                                   std::atof(std::string(r.elevation_text).c_str())});
    }
    for (int i = 1; i <= navaid_table.count(); ++i) {
        const NavRecordView r = navaid_table[i];
        places.fixes.push_back({std::string(r.ident), r.latitude, r.longitude});
    }
    for (int i = 1; i <= intersection_table.count(); ++i) {
        const NavRecordView r = intersection_table[i];
        places.fixes.push_back({std::string(r.ident), r.latitude, r.longitude});
    }
    return places;
}

// The example airports with arrivals and approaches.
bool has_arrivals(const Place& p) {
    return p.ident == "KSEA" || p.ident == "KPDX";
}

Flight example_flight(std::mt19937& rng) {
    const ExamplePlaces& data = example_places();
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Flight f;
    f.arrival = unit(rng) < 0.3;
    Place origin = data.airports[pick(data.airports.size())];
    Place destination = origin;
    while (nm_between(origin, destination) < 15.0 || (f.arrival && !has_arrivals(destination)))
        destination = data.airports[pick(data.airports.size())];
    // Fixes not far off the way, in order of their distance from the origin.
    const double direct = nm_between(origin, destination);
    std::vector<Place> between;
    const int wanted = std::uniform_int_distribution<int>(1, 5)(rng);
    for (int tries = 0; tries < 200 && static_cast<int>(between.size()) < wanted; ++tries) {
        const Place& p = data.fixes[pick(data.fixes.size())];
        const double via = nm_between(origin, p) + nm_between(p, destination);
        const bool used =
            std::any_of(between.begin(), between.end(), [&](const Place& b) { return b.ident == p.ident; });
        if (!used && via < 1.4 * direct + 20.0 && nm_between(origin, p) > 8.0 &&
            nm_between(p, destination) > 8.0)
            between.push_back(p);
    }
    std::sort(between.begin(), between.end(),
              [&](const Place& a, const Place& b) { return nm_between(origin, a) < nm_between(origin, b); });
    f.places.push_back(origin);
    for (const Place& p : between)
        if (nm_between(f.places.back(), p) > 1.0) f.places.push_back(p);
    // Out to a fix off the way and back to the one before it.
    if (f.places.size() >= 2 && unit(rng) < 0.2) {
        const Place back = f.places.back();
        for (int tries = 0; tries < 50 && !f.doubles_back; ++tries) {
            const Place& p = data.fixes[pick(data.fixes.size())];
            const double out = nm_between(back, p);
            if (out < 10.0 || out > 40.0) continue;
            f.places.push_back(p);
            f.places.push_back(back);
            f.doubles_back = true;
        }
    }
    f.places.push_back(destination);
    return f;
}

// Places of no database: a random start near a pole or next to the
// antimeridian, legs of 3 to 120 NM turning by up to 150 degrees. Near a
// pole, one route in three passes exactly over it and one in three has a
// waypoint on it.
Flight test_flight(std::mt19937& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Flight f;
    f.test_places = true;
    Place p;
    const int kind = std::uniform_int_distribution<int>(0, 2)(rng);
    const double pole = kind == 1 ? 90.0 : -90.0;
    if (kind == 0) { // across the antimeridian
        p.lat = -60.0 + 120.0 * unit(rng);
        p.lon = 178.0 + 1.5 * unit(rng);
    } else { // near the north or the south pole
        p.lat = pole * (82.0 + 6.0 * unit(rng)) / 90.0;
        p.lon = -180.0 + 360.0 * unit(rng);
    }
    const int over_pole = kind == 0 ? 0 : std::uniform_int_distribution<int>(0, 2)(rng);
    if (over_pole > 0) p.lat = pole * (88.5 + unit(rng)) / 90.0; // a first leg of 120 NM at most
    p.ident = "ORIG";
    p.elevation = std::floor(3000.0 * unit(rng));
    f.places.push_back(p);
    double course = kind == 0       ? 60.0 + 60.0 * unit(rng)
                    : over_pole > 0 ? (pole > 0.0 ? 0.0 : 180.0)
                                    : 360.0 * unit(rng);
    const int legs = std::uniform_int_distribution<int>(2, 6)(rng);
    for (int i = 1; i <= legs; ++i) {
        Place next;
        const Place& from = f.places.back();
        const double to_pole = 60.0 * std::fabs(pole - from.lat);
        const double length = 3.0 + 117.0 * unit(rng);
        if (i == 1 && over_pole == 2) {
            next.lat = pole;
            next.lon = from.lon;
        } else if (std::fabs(from.lat) == 90.0) { // down a random meridian
            next.lat = pole - std::copysign(length / 60.0, pole);
            next.lon = -180.0 + 360.0 * unit(rng);
        } else {
            gc_destination_point(from.lat, from.lon, course,
                                 i == 1 && over_pole == 1 ? to_pole + length / 4.0 : length, &next.lat,
                                 &next.lon);
        }
        next.ident = i == legs ? "DEST" : "TP" + std::to_string(i);
        f.places.push_back(next);
        course = std::fmod(course + 360.0 - 150.0 + 300.0 * unit(rng), 360.0);
    }
    f.places.back().elevation = std::floor(3000.0 * unit(rng));
    return f;
}

// The turn at b from the leg a-b onto b-c, 0 to 180 degrees.
double turn_at(const Place& a, const Place& b, const Place& c) {
    double turn = std::fabs(course_between(b, c) - std::fmod(course_between(b, a) + 180.0, 360.0));
    return turn > 180.0 ? 360.0 - turn : turn;
}

// A fix 12 to 40 NM from the destination, beyond it, flown to before it: a
// turn over 120 degrees just before the arrival. False when none is found.
bool add_sharp_turn(Flight& f, std::mt19937& rng) {
    const ExamplePlaces& data = example_places();
    const Place destination = f.places.back();
    const Place& before = f.places[f.places.size() - 2];
    for (int tries = 0; tries < 400; ++tries) {
        const Place& p =
            data.fixes[std::uniform_int_distribution<std::size_t>(0, data.fixes.size() - 1)(rng)];
        const double out = nm_between(p, destination);
        if (out < 12.0 || out > 40.0 || nm_between(before, p) < 10.0 ||
            turn_at(before, p, destination) < 120.0)
            continue;
        f.places.insert(f.places.end() - 1, p);
        return true;
    }
    return false;
}

// A route from an example airport past KSEA or KPDX to a fix 8 to 20 NM
// beyond the first fix of one of its approaches (the one flown without a
// transition), which it turns round at onto the approach's course: by 150
// to 180 degrees (a hairpin) or by 120 to 150 (a reversal). False when no
// such route is found.
bool onto_approach(Flight& f, std::mt19937& rng, bool hairpin) {
    const ExamplePlaces& data = example_places();
    const std::vector<ExampleApproachLeg>& legs = example_approach_legs();
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const ExampleApproachLeg& named = legs[pick(legs.size())];
    const ExampleApproachLeg *first = nullptr, *next = nullptr;
    for (const ExampleApproachLeg& leg : legs) {
        if (leg.airport != named.airport || leg.name != named.name || leg.transition != "-" ||
            leg.fix[0] == '/')
            continue;
        if (first != nullptr) {
            next = &leg;
            break;
        }
        if (leg.role != "IAF") first = &leg;
    }
    if (first == nullptr || next == nullptr) return false;
    const Place fix{first->fix, first->lat, first->lon}, after{next->fix, next->lat, next->lon};
    const double final_course = course_between(fix, after);
    Place turn{"TURN", 0.0, 0.0};
    for (int tries = 0; tries < 20; ++tries) {
        const double side = ((hairpin ? 0.0 : 30.0) + 30.0 * unit(rng)) * (unit(rng) < 0.5 ? -1.0 : 1.0);
        gc_destination_point(fix.lat, fix.lon, final_course + side, 8.0 + 12.0 * unit(rng), &turn.lat,
                             &turn.lon);
        const double angle = turn_at(turn, fix, after);
        if (hairpin ? angle >= 150.0 : angle >= 120.0 && angle < 150.0) break;
        turn.ident.clear();
    }
    if (turn.ident.empty()) return false;
    Place destination;
    for (const Place& p : data.airports)
        if (p.ident == named.airport) destination = p;
    Place origin = data.airports[pick(data.airports.size())];
    for (int tries = 0; tries < 200 && nm_between(origin, destination) < 30.0; ++tries)
        origin = data.airports[pick(data.airports.size())];
    if (nm_between(origin, destination) < 30.0 || nm_between(origin, turn) < 10.0) return false;
    f.places = {origin};
    if (unit(rng) < 0.5) { // a fix on the way
        const Place& p = data.fixes[pick(data.fixes.size())];
        if (nm_between(origin, p) + nm_between(p, turn) < 1.4 * nm_between(origin, turn) + 20.0 &&
            nm_between(origin, p) > 8.0 && nm_between(p, turn) > 8.0)
            f.places.push_back(p);
    }
    f.places.push_back(turn);
    f.places.push_back(destination);
    f.approach = named.name;
    f.onto = hairpin ? 1 : 2;
    f.arrival = true;
    return true;
}

Flight random_flight(unsigned seed, bool new_kinds) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Flight f = unit(rng) < 0.75 ? example_flight(rng) : test_flight(rng);
    // Flights onto an approach came last: drawn apart, in runs that fly them.
    std::mt19937 onto_rng(seed * 2891336453u + 17u);
    if (new_kinds && !f.test_places && unit(onto_rng) < 0.4) {
        Flight onto;
        if (onto_approach(onto, onto_rng, unit(onto_rng) < 0.5)) f = onto;
    }
    const double high = std::max(f.places.front().elevation, f.places.back().elevation);
    if (unit(rng) < 0.7)
        f.cruise = static_cast<int>(
            1000.0 * std::floor((high + 3000.0 + (41000.0 - high - 3000.0) * unit(rng)) / 1000.0));
    double route = 0.0;
    for (std::size_t k = 1; k < f.places.size(); ++k)
        route += nm_between(f.places[k - 1], f.places[k]);
    // Climbing at 300 ft/NM and descending at 300 ft/NM, the cruise altitude
    // is out of reach: the climb must end where the descent begins.
    f.too_short = f.cruise > 0 &&
                  (2.0 * f.cruise - f.places.front().elevation - f.places.back().elevation) / 300.0 > route;
    const int last = static_cast<int>(f.places.size()) - 1;
    const double top = f.cruise > 0 ? f.cruise : 10000.0;
    if (last >= 3 && unit(rng) < 0.5) {
        f.climb_constraint = 1;
        f.climb_altitude =
            100.0 * std::floor((f.places.front().elevation + 1500.0 + 5000.0 * unit(rng)) / 100.0);
        if (f.climb_altitude >= top) f.climb_constraint = 0;
    }
    if (last >= 3 && unit(rng) < 0.5 && !f.arrival) { // an approach brings its own
        f.descent_constraint = last - 1;
        f.descent_altitude =
            100.0 * std::floor((f.places.back().elevation + 3000.0 + 6000.0 * unit(rng)) / 100.0);
        if (f.descent_altitude >= top) f.descent_constraint = 0;
    }
    f.vnav_in_air = unit(rng) < 0.5;
    // 3000 ft above the field, or higher (up to most of the cruise altitude,
    // maybe past a climb constraint).
    const double origin = f.places.front().elevation;
    f.mcp_altitude = origin + 3000.0;
    if (unit(rng) < 0.5)
        f.mcp_altitude += std::floor(0.8 * unit(rng) * std::max(0.0, top - origin - 3000.0) / 100.0) * 100.0;
    // The kinds added later draw from a sequence of their own, so that a seed
    // still flies the route it always flew.
    std::mt19937 more(seed * 2654435761u + 7u);
    f.pilot_hold = !f.vnav_in_air && unit(more) < 0.5;
    f.no_destination = !f.arrival && !f.test_places && unit(more) < 0.15;
    f.climb_flag = unit(more) < 0.5 ? 1 : 3;
    f.descent_flag = unit(more) < 0.5 ? 1 : 3;
    if (f.descent_constraint > 0 && unit(more) < 0.5) { // anywhere along the route
        const int at = std::uniform_int_distribution<int>(1, last - 1)(more);
        if (at != f.climb_constraint) f.descent_constraint = at;
    }
    if (last >= 2 && unit(more) < 0.2) f.retyped_at = std::uniform_int_distribution<int>(1, last - 1)(more);
    // Holds and sharp turns came later still: a third sequence. A flight
    // with a hold is neither typed anew nor given a direct-to, which would
    // take the hold away.
    std::mt19937 later(seed * 40503u + 11u);
    if (unit(later) < 0.4) {
        f.hold = std::uniform_int_distribution<int>(0, 3)(later);
        f.retyped_at = 0;
    }
    if (!f.test_places && unit(later) < 0.3 && f.onto == 0) f.sharp_turn = add_sharp_turn(f, later);
    if (f.sharp_turn) {
        route = 0.0;
        for (std::size_t k = 1; k < f.places.size(); ++k)
            route += nm_between(f.places[k - 1], f.places[k]);
        f.too_short =
            f.cruise > 0 &&
            (2.0 * f.cruise - f.places.front().elevation - f.places.back().elevation) / 300.0 > route;
    }
    return f;
}

// The pilot types the identifier of entry k (the TO or one after it) on the
// GNS's DIRECT page in cruise: a fix already ahead in the plan, flown to where
// it stands. The plan gains the DIRECT entry before it and nothing else; true
// when it did.
bool gns_direct_ahead(int k, std::vector<std::string>& faults) {
    std::vector<std::string> before;
    for (int i = 0; i <= active_plan_last; ++i)
        before.push_back(active_plan[i].ident);
    const std::string& typed = before[static_cast<std::size_t>(k)];
    gns_press_key(GnsKey::DirectTo);
    gns_scratchpad_add(typed, 0);
    for (int n = 0; n < 3; ++n)
        gns_press_key(GnsKey::Ent);
    std::vector<std::string> after;
    for (int i = 0; i <= active_plan_last; ++i)
        after.push_back(active_plan[i].ident);
    std::vector<std::string> wanted = before;
    wanted.insert(wanted.begin() + k, "DIRECT");
    if (after != wanted || to_waypoint_index != k + 1) {
        faults.push_back("the GNS direct-to to " + typed + ", entry " + std::to_string(k) +
                         ", gave another plan");
        return false;
    }
    return true;
}

// The autopilot targets sent over a stretch of the flight, and the events
// that call for them there: a phase or a TO that changes, 10 000 ft crossed
// (where the speed limits apply).
struct TargetSends {
    int events = 0, altitudes = 0, speeds = 0;
};

// The pilot presses HOLD on the MCU now: near a fix ahead (not one of the
// last two legs, where LNAV lets go) in the phase drawn (0 climb, past the
// pilot's own hold; 1 cruise, far from the T/D; 2 descent), or (3) at a fix
// with an altitude.
bool hold_due(int kind, int last, int pilot_hold_to) {
    const int to = to_waypoint_index;
    if (lnav_engaged != 1 || vnav_engaged != 1 || to < 1 || to >= last - 1 || hold_count() > 0 ||
        !is_place(active_plan[to]) || distance_to_to_nm > 12.0 || distance_to_to_nm < switch_distance + 2.0)
        return false;
    switch (kind) {
    case 0:
        return vnav_phase == VnavPhase::Climb && to > pilot_hold_to &&
               aircraft_state.indicated_altitude_ft > active_plan[0].alt_constraint + 1500.0;
    case 1: {
        double to_tod = 1e9, course = 0.0;
        if (tod_lat != 0.0 || tod_lon != 0.0)
            gc_dist_course(active_plan[to].lat, active_plan[to].lon, tod_lat, tod_lon, &to_tod, &course);
        return vnav_phase == VnavPhase::Cruise && to_tod > 40.0;
    }
    case 2:
        return vnav_phase == VnavPhase::Descent;
    default:
        return active_plan[to].altitude_kind != AltitudeKind::None && active_plan[to].alt_constraint > -900.0;
    }
}

void fresh_module() {
    reset_module_state_for_tests();
    host::reset_sim_state();
    host::reset_aircraft();
    ImportTable.panels = host::services_table();
    host_folder = std::string(ORVEX_SOURCE_DIR) + "/examples/sim";
    load_nav_database();
    aircraft_parameter = "B738";
    load_aircraft_config();
}

void pass() {
    host::advance_aircraft();
    fms_update();
}

// The flown route typed anew in the air and executed, as the RTE page leaves
// it: the same fixes and constraints in entries of their own.
void retype_route() {
    set_working_last(-1);
    for (int i = 0; i <= active_plan_last; ++i) {
        RouteWaypoint typed = active_plan[i];
        RouteWaypoint& w = PlanBuilder::append(working_plan);
        typed.id = w.id;
        w = typed;
    }
    working_plan_replaced();
    route_state = kRouteStateActiveModified;
    execute_route_modification();
}

// The fault's text with its value: in place of a '#' in it, else after it.
std::string where(const char* what, double value) {
    char number[32], text[200];
    std::snprintf(number, sizeof number, "%.0f", value);
    std::string said = what;
    const std::size_t mark = said.find('#');
    if (mark != std::string::npos)
        said.replace(mark, 1, number);
    else
        said += std::string(" (") + number + ")";
    std::snprintf(text, sizeof text, "%s at TO %d, %.0f ft", said.c_str(), to_waypoint_index,
                  aircraft_state.indicated_altitude_ft);
    return text;
}

} // namespace

namespace {

// An approach taken on ARRIVALS without a transition, with its runway as the
// page takes it, put into the working plan.
void take_approach(const ApproachFixEntry& entry) {
    ChoicesEdit(working_plan)->approach = entry.approach_name;
    ChoicesEdit(working_plan)->arrival_runway = entry.runway;
    ChoicesEdit(working_plan)->applied_arrival_runway = entry.runway;
    ChoicesEdit(working_plan)->approach_transition = "------";
    approach_info.clear();
    select_approach_transition();
    insert_approach(1);
}

} // namespace

// The pilot's choice on ARRIVALS, as the page makes it: a STAR (with one of
// its transitions, when it has them) and an approach, which the module puts
// into the working plan with a discontinuity before it.
void choose_arrival(std::mt19937& rng, const std::string& destination) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(1, n)(rng); };
    const AirportProcedures& slot = airport_slots[destination_slot];
    load_airport_detail(destination, destination_slot);
    match_star_transition("------", "------");
    find_star("------");
    if (slot.procedure_name_list.count() > 0) {
        build_star_legs_b(pick(slot.procedure_name_list.count()), 0);
        const int transitions = slot.star_entry_list.count();
        if (transitions > 0 && pick(2) == 1) {
            ChoicesEdit(working_plan)->star_transition = slot.star_entry_list[pick(transitions)].text;
            build_star_legs_b(selected_star_index, 1);
        }
    }
    if (approach_fix_list.count() > 0) {
        take_approach(approach_fix_list[pick(approach_fix_list.count())]);
    }
}

namespace {

// The approach named chosen on ARRIVALS without a STAR or a transition.
void choose_named_approach(const std::string& destination, const std::string& approach) {
    load_airport_detail(destination, destination_slot);
    match_star_transition("------", "------");
    find_star("------");
    for (int k = 1; k <= approach_fix_list.count(); ++k) {
        if (approach_fix_list[k].approach_name != approach) continue;
        take_approach(approach_fix_list[k]);
        return;
    }
}

// The index of the TURN fix when the approach's first fix is the next place
// after it, as the flight was drawn; 0 when the plan flies otherwise.
int turn_onto_approach() {
    for (int i = 1; i < active_plan_last; ++i)
        if (active_plan[i].ident == "TURN") {
            const int next = next_place(active_plan, i + 1, active_plan_last);
            return next > 0 && active_plan[next].kind == "APPR" ? i : 0;
        }
    return 0;
}

} // namespace

// The end of a descent segment: a descent constraint or the field, with its
// distance from the origin along the plan's legs.
struct PathEnd {
    int index = 0;
    double along = 0.0;
    double altitude = 0.0;
};

// The next end ahead of `along` NM from the origin; none past the last.
const PathEnd* next_end(const std::vector<PathEnd>& ends, double along) {
    for (const PathEnd& e : ends)
        if (e.along > along) return &e;
    return nullptr;
}

// The altitude at `along` NM of the path at `per_nm` ft/NM down to the next
// end: a constraint is met at its altitude, so the descent to a later one
// waits for it.
double path_altitude(const std::vector<PathEnd>& ends, double along, double per_nm) {
    const PathEnd* e = next_end(ends, along);
    return e != nullptr ? e->altitude + per_nm * (e->along - along) : 1e9;
}

// A constraint's reading (kReadings below).
enum class Role {
    Cap,   // climbed to and held until passed: at or below it before, at it when reachable
    End,   // descended to: at or above it before, at it when reachable
    Level, // at or above the cruise altitude: flown level, at or below it
    Over,  // held above it at a higher level after it: at or above it
    Under, // above the level a descent ended at before it: at or below it
};

// A constraint of the active plan whose altitude the flight is checked
// against where the aircraft passes its waypoint.
struct Checked {
    int index = 0;
    double wanted = 0.0;
    Role role = Role::End;
    bool climb = false;
    bool reachable = false;    // at 300 ft/NM from the origin, the one before it and down to the field
    double closest = 1e9;      // NM, where the aircraft came closest
    double altitude = 0.0;     // there
    double past = 0.0;         // NM flown since the waypoint was sequenced, there
    double sequenced_s = -1.0; // simulation seconds when it was sequenced (-1: not yet)
    double past_s = 0.0;       // seconds since then, there
    double time_s = 0.0;       // simulation seconds, there
    double highest = 1e9;      // flown until it was sequenced (none: never the TO)
    double legs = -1.0;        // NM of legs to it on the pass before it became the TO (-1: not yet)
    double flown = 0.0;        // NM flown since then
    double cut = 0.0;          // NM of those legs LNAV left out up to where it came closest
    double last_nm = -1.0;     // NM from it on the pass before, while the TO
    bool closing = false;      // the aircraft has closed on it as the TO
    bool done = false;
};

double leg_nm(int i) {
    return flown_leg_nm(i);
}

// NM along the legs into entries first..last.
double legs_nm(int first, int last) {
    double sum = 0.0;
    for (int k = first; k <= last; ++k)
        sum += leg_nm(k);
    return sum;
}

// NM along the active plan's legs from the origin to a point on the last of
// them that it lies on (within 0.5 NM; a route that doubles back passes it
// twice, and the T/D is on the way back); -1 off the route.
double along_route(double lat, double lon) {
    double from_origin = 0.0, found = -1.0;
    for (int i = 1; i <= flown_last(); ++i) {
        if (is_unflown(active_plan[i])) continue;
        const RouteWaypoint& a = active_plan[place_at_or_before(active_plan, i - 1)];
        const RouteWaypoint& b = active_plan[i];
        double leg = 0.0, to_point = 0.0, on = 0.0, course = 0.0;
        gc_dist_course(a.lat, a.lon, b.lat, b.lon, &leg, &course);
        gc_dist_course(a.lat, a.lon, lat, lon, &to_point, &course);
        gc_dist_course(lat, lon, b.lat, b.lon, &on, &course);
        if (to_point + on < leg + 0.5) found = from_origin + to_point;
        from_origin += leg;
    }
    return found;
}

// A point beside the leg from a to b: NM along it from a, and off it; and
// the leg's length.
struct BesideLeg {
    double along = 0.0;
    double off = 0.0;
    double leg = 0.0;
};

BesideLeg beside(const RouteWaypoint& a, const RouteWaypoint& b, double lat, double lon) {
    double leg = 0.0, course = 0.0, d = 0.0, to_point = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &leg, &course);
    gc_dist_course(a.lat, a.lon, lat, lon, &d, &to_point);
    const double angle = (to_point - course) * M_PI / 180.0;
    return {d * std::cos(angle), std::fabs(d * std::sin(angle)), leg};
}

// NM along a leg the point (lat, lon) stands on between the aircraft abeam
// it, within 30 NM of the leg (a sharp turn at cruise speed swings that far
// out), and the point; 1e9 when there is none.
double abeam_nm(double lat, double lon) {
    double best = 1e9;
    for (int i = 1; i <= flown_last(); ++i) {
        if (is_unflown(active_plan[i])) continue;
        const RouteWaypoint& a = active_plan[place_at_or_before(active_plan, i - 1)];
        const RouteWaypoint& b = active_plan[i];
        const BesideLeg point = beside(a, b, lat, lon);
        const BesideLeg aircraft = beside(a, b, aircraft_state.plat, aircraft_state.plon);
        if (point.off < 0.5 && point.along > -0.5 && point.along < point.leg + 0.5 && aircraft.off < 30.0)
            best = std::min(best, std::fabs(aircraft.along - point.along));
    }
    return best;
}

// NM along the plan's legs from the origin to where the aircraft stands, the
// route being `route_nm` long. Swung wide of the active leg (within 30 NM of
// it, as abeam_nm reads a T/D on it) it is as far along as its point abeam
// on the leg, not as far as the straight line to the TO puts it; one past
// the TO's abeam has that much to come back.
double aircraft_along(double route_nm) {
    const double straight_along = route_nm - distance_to_destination;
    const int to = to_waypoint_index;
    if (to < 1 || to > flown_last()) return straight_along;
    const RouteWaypoint& a = active_plan[place_at_or_before(active_plan, to - 1)];
    const RouteWaypoint& b = active_plan[to];
    const BesideLeg me = beside(a, b, aircraft_state.plat, aircraft_state.plon);
    if (!(me.off < 30.0) || !(me.leg > 0.5)) return straight_along;
    double straight = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, b.lat, b.lon, &straight, &course);
    return straight_along + straight - std::min(straight, std::fabs(me.leg - me.along));
}

// How the flights read an altitude constraint, written down on their own from
// what a constraint means to the pilot: an altitude to be at when the fix is
// passed. The climb levels at each one below the cruise altitude until its
// fix is passed, and the climb's scan ends at one at or above the cruise
// altitude; past the climb each one passed becomes the level the descent
// goes on from, and a descent is laid back from the end only as far as one at
// or above the level. So a constraint is read by where it stands: under the
// climb's top, at the level, or after a descent ended. Once the aircraft has
// flown past its T/D the climb is over: one still ahead is no longer under
// it, however far a longer route (a STAR chosen since) puts the climb's top.
// The first row that applies gives its reading.

const char* const kRoleNames[] = {"a climb", "a descent", "a level", "an overflown", "an underflown"};

// Within this of its altitude the aircraft meets a constraint.
constexpr double kMetFt = 300.0;
// Along the flown path the descent begins this near the T/D shown: the
// 1.5 NM a T/D is passed within, and a pass's step.
constexpr double kTodNm = 1.55;
// The aircraft has passed a T/D once it stands this much farther from it than
// at its nearest.
constexpr double kTodPassedByNm = 1.0;
// A T/D this near the flown path stands on it (in a turn past a fix, off the
// legs).
constexpr double kOnTurnNm = 0.3;
// The aircraft this far off the checker's path, with the T/D off it too,
// flies a turn the checker lays otherwise (widened as the climb speeds it up
// after the path was laid): the T/D is judged on the aircraft's own track.
constexpr double kTrackOffPathNm = 1.0;
// How far from its fix a turn past it reaches: twice the widest radius (25
// degrees of bank at 450 kt) and the join.
constexpr double kTurnReachNm = 12.0;
// A vertical speed down faster than this is a descent under way, not level.
constexpr double kStillDescendingFpm = 500.0;

struct Standing {
    bool at_or_above_cruise = false;
    // Before the climb from the origin reaches the level, or before one at
    // the level, and after none.
    bool in_climb = false;
    bool climb_flown = false;      // the aircraft was past its T/D, short of it, when the plan was read
    bool level_one_after = false;  // one at or above the cruise altitude comes after it
    bool below_climb_held = false; // lower than an altitude the climb was held at before it
    bool end_before = false;       // a descent ended at one before it
    bool above_an_end = false;     // higher than such an end
};

struct Reading {
    const char* what;
    bool (*applies)(const Standing&);
    Role role;
};

const Reading kReadings[] = {
    {"at or above the cruise altitude: the climb stops under it, flown at the level",
     [](const Standing& s) { return s.at_or_above_cruise; }, Role::Level},
    {"above where a descent ended before it: that end is the new level, the path only comes down",
     [](const Standing& s) { return s.end_before && s.above_an_end; }, Role::Under},
    {"in the climb, no lower than the climb was held before it: the climb levels at it",
     [](const Standing& s) { return s.in_climb && !s.climb_flown && !s.below_climb_held && !s.end_before; },
     Role::Cap},
    {"one at the level after it holds the path up: passed over",
     [](const Standing& s) { return s.level_one_after; }, Role::Over},
    {"past the climb, or below where it was held: a descent ends at it", [](const Standing&) { return true; },
     Role::End},
};

bool constrained(int i) {
    const RouteWaypoint& w = active_plan[i];
    return w.altitude_kind != AltitudeKind::None && w.alt_constraint > -900.0 && is_place(w);
}

// Where a pilot climbing on the MCP engages VNAV before the first constraint
// ahead: airborne, and its fix is near or the climb nears its altitude.
bool first_constraint_near(int last, double origin) {
    if (aircraft_state.indicated_altitude_ft < origin + 400.0) return false;
    for (int k = std::max(to_waypoint_index, 1); k < last; ++k)
        if (constrained(k))
            return (k == to_waypoint_index && distance_to_to_nm < switch_distance + 3.0) ||
                   aircraft_state.indicated_altitude_ft > active_plan[k].alt_constraint - 500.0;
    return false;
}

// A constraint already passed, by entry id, with the reading it was flown by.
struct Passed {
    int id;
    Role role;
};

// Each constraint's reading (kReadings), from the origin with the aircraft
// file's climb and descent at their TAS. One already passed keeps the
// reading it was flown by (a plan chosen anew in the air may bring one at
// the level after a descent's end, which read afresh would have capped the
// climb), and those after it are read on from it. Read with the aircraft past
// its T/D, `to` is its TO then (0: before it).
std::vector<Role> constraint_roles_checked(double cruise, double field, double descent_fpm,
                                           const std::vector<Passed>& passed = {}, int to = 0) {
    const int last = flown_last();
    std::vector<Role> roles(static_cast<std::size_t>(std::max(last, 0) + 1), Role::Over);
    const double origin = std::max(0.0, active_plan[0].alt_constraint);
    // NM per ft of a climb to `top`: the aircraft file's rate at its TAS, but
    // VNAV flies one gradient to the top at the climb speed and commands no
    // more than its greatest rate, which the TAS up there may ask for.
    auto up_to = [](double top) {
        double rate = ClimbRate;
        const double tas_top = ias_to_tas(climb_speed_target, top);
        if (MaxVnavClimbRate > 0.0 && tas_top > 0.0)
            rate = std::min(rate, MaxVnavClimbRate * climb_tas_target / tas_top);
        return rate > 0.0 ? climb_tas_target / 60.0 / rate : 0.0;
    };
    const double down = descent_fpm > 0.0 ? descent_tas_target / 60.0 / descent_fpm : 0.0;
    double route = 0.0;
    for (int i = 1; i <= last; ++i)
        route += flown_leg_nm(i);
    // The level the route affords, whose own height sets the climb's gradient.
    double level = cruise;
    for (int pass = 0; pass < 4 && field > -900.0; ++pass) {
        const double up = up_to(level);
        if (up + down > 0.0)
            level = std::min(double(cruise), (route + origin * up + field * down) / (up + down));
    }
    const double up = up_to(level);
    // In whole NM, the distances along the legs counted whole after each leg.
    const double climb_top = std::trunc((level - origin) * up);
    int first_level_one = last, last_level_one = 0;
    for (int i = 1; i < last; ++i)
        if (constrained(i) && active_plan[i].alt_constraint >= cruise) {
            first_level_one = std::min(first_level_one, i);
            last_level_one = i;
        }
    Standing st;
    double held = -1e9, lowest_end = 1e9, along = 0.0;
    for (int i = 1; i < last; ++i) {
        along = std::trunc(along + flown_leg_nm(i));
        if (!constrained(i)) continue;
        const double h = active_plan[i].alt_constraint;
        st.at_or_above_cruise = h >= cruise;
        st.level_one_after = i < last_level_one;
        st.in_climb = i <= first_level_one && (along < climb_top || st.level_one_after);
        st.climb_flown = to >= 1 && i >= to;
        st.below_climb_held = h + 100.0 < held;
        st.above_an_end = h > lowest_end;
        const Reading* r = std::find_if(std::begin(kReadings), std::end(kReadings),
                                        [&](const Reading& row) { return row.applies(st); });
        const auto kept = std::find_if(passed.begin(), passed.end(),
                                       [&](const Passed& p) { return p.id == active_plan[i].id; });
        const Role role = kept != passed.end() ? kept->role : r->role;
        roles[static_cast<std::size_t>(i)] = role;
        if (role == Role::Cap) held = std::max(held, h);
        if (role == Role::End) {
            st.end_before = true;
            lowest_end = std::min(lowest_end, h);
        }
    }
    return roles;
}

// Every constraint the plan flies, each with its reading and whether the
// aircraft can meet it at 300 ft/NM: up from the origin to it, down from it
// to the field after it (a climb's), and from the one met before it.
std::vector<Checked> flown_constraints(const std::vector<Role>& roles) {
    std::vector<Checked> out;
    const int last = flown_last();
    const double origin = active_plan[0].alt_constraint > -900.0 ? active_plan[0].alt_constraint : 0.0;
    const double field = std::max(route_end_altitude(), 0.0);
    double previous = origin;
    double since_previous = 0.0, from_origin = 0.0;
    for (int i = 1; i < last; ++i) {
        const double leg = leg_nm(i);
        from_origin += leg;
        since_previous += leg;
        if (!constrained(i)) continue;
        Checked c;
        c.index = i;
        c.wanted = active_plan[i].alt_constraint;
        c.role = roles[static_cast<std::size_t>(i)];
        c.climb = c.role == Role::Cap;
        const double after = legs_nm(i + 1, last);
        c.reachable = c.wanted - origin <= 300.0 * (from_origin - 5.0) &&
                      (c.climb || c.wanted - field <= 300.0 * after) &&
                      std::fabs(c.wanted - previous) <= 300.0 * (since_previous - 5.0);
        out.push_back(c);
        if (c.role == Role::Over || c.role == Role::Under) continue; // met by none
        previous = c.wanted;
        since_previous = 0.0;
    }
    return out;
}

namespace {

// The ends of descent segments of the plan flown up to entry `last`: the
// constraints that end one and the field (none when the route ends at a fix
// without an altitude), each with its distance along the route. One at or
// above the cruise altitude ends none from it, but allows no descent before
// it.
std::vector<PathEnd> path_ends(int last, double field, const std::vector<Role>& roles) {
    std::vector<PathEnd> ends;
    double along = 0.0;
    for (int i = 1; i <= last; ++i) {
        along += leg_nm(i);
        if (i == last && field > kNoConstraint)
            ends.push_back({i, along, field});
        else if (i < last && constrained(i) &&
                 (roles[static_cast<std::size_t>(i)] == Role::End ||
                  roles[static_cast<std::size_t>(i)] == Role::Level))
            ends.push_back({i, along, active_plan[i].alt_constraint});
    }
    return ends;
}

// Procedures chosen again by keys, drawn apart so that a seed still flies
// its route as before: the departure before take-off and again with the TO
// inside the SID in the climb; the arrival in cruise, in the descent (before
// the arrival's legs) or with the TO inside the STAR.
enum ChoiceMoment { kGround, kClimb, kCruise, kDescent, kInStar, kChoiceMoments };

struct ChoicesDue {
    bool due[kChoiceMoments] = {};
};

ChoicesDue choices_due(unsigned seed, const Flight& f) {
    ChoicesDue c;
    if (f.test_places) return c;
    std::mt19937 rng(seed * 3266489917u + 5u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // The airports with arrivals have departures too.
    const bool sids = has_arrivals(f.places.front());
    const bool stars = !f.no_destination && has_arrivals(f.places.back());
    const double ground = unit(rng);
    const double climb = unit(rng);
    const double arrival = unit(rng);
    const int moment = std::uniform_int_distribution<int>(kCruise, kInStar)(rng);
    c.due[kGround] = sids && ground < 0.5;
    c.due[kClimb] = c.due[kGround] && climb < 0.5;
    if (stars && arrival < 0.6) c.due[moment] = true;
    // A STAR to be inside of: chosen in cruise first when the gate chose none.
    if (c.due[kInStar] && !f.arrival) c.due[kCruise] = true;
    return c;
}

// The moment to choose has come: LNAV and VNAV flying, the TO short of the
// last two legs.
bool choice_moment(int moment, double origin) {
    const int to = to_waypoint_index;
    if (lnav_engaged != 1 || vnav_engaged != 1 || to < 1 || to >= flown_last() - 1) return false;
    const std::string& kind = active_plan[to].kind;
    const bool in_arrival = kind == "STAR" || kind == "APPR";
    switch (moment) {
    case kClimb:
        return vnav_phase == VnavPhase::Climb && kind == "SID" &&
               aircraft_state.indicated_altitude_ft > origin + 1000.0;
    case kCruise:
        return vnav_phase == VnavPhase::Cruise && !in_arrival;
    case kDescent:
        return vnav_phase == VnavPhase::Descent && !in_arrival;
    case kInStar:
        return kind == "STAR";
    default:
        return false;
    }
}

std::vector<int> plan_ids(int from) {
    std::vector<int> ids;
    for (int i = std::max(from, 0); i <= active_plan_last; ++i)
        ids.push_back(active_plan[i].id);
    return ids;
}

// The constraints of the plan flown after a choice; those whose entries stay
// keep what the flight measured of them.
std::vector<Checked> checked_again(const std::vector<Checked>& was, const std::vector<int>& ids_was,
                                   const std::vector<Role>& roles) {
    std::vector<Checked> now = flown_constraints(roles);
    for (Checked& c : now)
        for (const Checked& old : was) {
            if (ids_was[static_cast<std::size_t>(old.index)] != active_plan[c.index].id) continue;
            Checked kept = old;
            kept.index = c.index;
            kept.wanted = c.wanted;
            kept.role = c.role;
            kept.climb = c.climb;
            kept.reachable = c.reachable;
            c = kept;
        }
    // One put in behind the TO (sequenced while the keys were pressed) was
    // never flown to.
    for (Checked& c : now)
        if (c.closest > 1e8 && c.index < to_waypoint_index) c.done = true;
    return now;
}

} // namespace

std::vector<std::string> fly_random_flight(unsigned seed, FlightCounts& counts, bool new_kinds) {
    fresh_module();
    const Flight f = random_flight(seed, new_kinds);
    std::mt19937 arrival_rng(seed * 7919u + 1u);
    std::vector<std::string> faults;
    const int places_last = static_cast<int>(f.places.size()) - 1;
    ++counts.flights;
    ++(f.test_places ? counts.test_routes : counts.example_routes);
    if (f.vnav_in_air) ++counts.vnav_in_air;
    if (f.doubles_back) ++counts.doubling_back;
    if (f.too_short) ++counts.too_short;
    if (f.pilot_hold) ++counts.pilot_hold;
    if (f.no_destination) ++counts.no_destination;
    if (f.retyped_at > 0) ++counts.retyped_in_air;
    if (f.sharp_turn) ++counts.sharp_turns;

    set_working_last(-1);
    for (const Place& p : f.places) {
        RouteWaypoint& w = PlanBuilder::append(working_plan);
        w = RouteWaypoint{};
        w.ident = p.ident;
        w.lat = p.lat;
        w.lon = p.lon;
        w.type = "WPT";
    }
    working_entry(0).type = "APT";
    working_entry(0).alt_constraint = f.places.front().elevation;
    if (!f.no_destination) {
        working_entry(places_last).type = "APT";
        working_entry(places_last).alt_constraint = f.places.back().elevation;
    }
    auto constrain = [&](int i, double altitude, int flag) {
        RouteWaypoint& w = working_entry(i);
        w.altitude_kind = static_cast<AltitudeKind>(flag);
        w.alt_constraint = altitude;
        w.speed_constraint = 250.0;
        ++(flag == 1 ? counts.typed : counts.procedure);
    };
    if (f.climb_constraint > 0) constrain(f.climb_constraint, f.climb_altitude, f.climb_flag);
    if (f.descent_constraint > 0) constrain(f.descent_constraint, f.descent_altitude, f.descent_flag);
    plan_cruise_altitude = f.cruise;

    host::AircraftModel& m = host::aircraft();
    m.lat_deg = f.places[0].lat;
    m.lon_deg = f.places[0].lon;
    m.altitude_ft = m.ground_elevation_ft = f.places[0].elevation;
    m.true_heading_deg = course_between(f.places[0], f.places[1]);
    m.ap_heading_bug_deg = m.true_heading_deg - m.magvar_deg;
    m.ias_kt = m.ap_airspeed_kt = 250.0;
    m.fuel_lb = 20000.0;
    m.ap_master = m.ap_heading_hold = m.ap_altitude_hold = m.ap_airspeed_hold = true;
    m.ap_altitude_ft = f.places[0].elevation;
    m.sim_rate = 4.0;
    host::start_aircraft();
    host::publish_aircraft();
    pass();
    route_state = kRouteStateActivated;
    reset_active_route_state();
    if (f.arrival) { // on DEP/ARR after the route's EXEC, then EXEC again
        if (f.onto > 0)
            choose_named_approach(f.places.back().ident, f.approach);
        else
            choose_arrival(arrival_rng, f.places.back().ident);
        if (route_state == kRouteStateActiveModified) execute_route_modification();
    }
    // A third of the arrivals chosen again by keys at the gate, drawn apart;
    // the approach turned onto is kept.
    std::mt19937 procedure_rng(seed * 15485863u + 11u);
    if (f.arrival && f.onto == 0 && procedure_rng() % 3 == 0)
        counts.procedure_choices += choose_arrival_by_keys(procedure_rng, faults);
    ChoicesDue choice = choices_due(seed, f);
    const bool onto = f.onto > 0 && turn_onto_approach() > 0;
    if (f.onto > 0) {
        ++(!onto ? counts.onto_lost : f.onto == 1 ? counts.hairpins : counts.reversals);
        for (int moment = kCruise; moment < kChoiceMoments; ++moment)
            choice.due[moment] = false;
    }
    std::mt19937 choice_rng(seed * 2246822519u + 13u);
    if (choice.due[kGround]) { // standing still before the take-off roll
        const double ias = m.ias_kt;
        m.ias_kt = 0.0;
        m.ap_airspeed_hold = false;
        pass();
        ++counts.choice_rounds[kGround];
        counts.choices_moved[kGround] += choose_by_keys(choice_rng, true, false, nullptr, faults);
        m.ias_kt = ias;
        m.ap_airspeed_hold = true;
        pass();
    }
    toggle_lnav();
    int last = flown_last(); // one more after the GNS direct-to
    if (to_waypoint_index != 1) faults.push_back(where("the first TO is not entry 1", to_waypoint_index));
    bool gap = false;
    for (int i = 1; i < last; ++i)
        gap = gap || (entry_kind(active_plan[i]) == EntryKind::PlacedGap);
    if (f.arrival && gap) ++counts.arrivals_with_gap;
    // The pilot climbs out on the MCP first. One who set it 3000 ft above
    // the field engages VNAV before the first constraint; one who set it
    // higher climbs on to it, maybe past a constraint.
    const bool engage_before_constraint =
        f.vnav_in_air && f.mcp_altitude <= f.places.front().elevation + 3000.0;
    const std::size_t events_before_vnav = host::sim_state().key_events.size();
    if (f.vnav_in_air) {
        m.ap_altitude_ft = f.mcp_altitude;
        m.ap_vertical_speed_fpm = 2000.0;
        for (int i = 0;
             i < 18 * 30 || (i < 18 * 200 && to_waypoint_index < last - 1 &&
                             std::fabs(aircraft_state.indicated_altitude_ft - f.mcp_altitude) > 100.0);
             ++i) {
            if (engage_before_constraint && first_constraint_near(last, f.places.front().elevation)) break;
            pass();
        }
    }
    counts.vnav_before_constraint += engage_before_constraint ? 1 : 0;
    // VNAV not engaged sends no target: the autopilot flies the pilot's.
    for (std::size_t k = events_before_vnav; k < host::sim_state().key_events.size(); ++k) {
        const uint32_t id = host::sim_state().key_events[k].id;
        if (id == 0x1024C || id == 0x101F4 || id == 0x101F5 || id == 0x101F6) {
            faults.push_back(where("a VNAV target sent before VNAV was engaged", id));
            break;
        }
    }
    toggle_vnav();
    // Above a climb constraint the pilot has climbed past, or just short of
    // one, VNAV cannot be asked to meet it.
    int engaged_to = f.vnav_in_air ? to_waypoint_index : 0;
    const double engaged_altitude = aircraft_state.indicated_altitude_ft;
    // What VNAV engaged in the air can lose by a moment of the flight: the
    // aircraft file's greatest descent rate over the time flown since, less
    // the frames the autopilot takes to answer. Not over the legs still to
    // fly: LNAV cuts their turns, the aircraft may stand off them when VNAV
    // is engaged, and the arrival is judged where LNAV lets go of the field,
    // so the aircraft flies fewer NM than the legs hold (4 NM of 20 seen).
    const double engaged_time_s = m.sim_time_s;
    auto engaged_reach = [&](double time_s) {
        return f.vnav_in_air ? MaxVnavDescRate * (time_s - engaged_time_s) / 60.0 - 100.0 : 1e9;
    };
    // And what it can gain: its greatest climb rate over that time.
    auto engaged_climb_reach = [&](double time_s) {
        return f.vnav_in_air ? MaxVnavClimbRate * (time_s - engaged_time_s) / 60.0 - 100.0 : 1e9;
    };
    // What each constraint does, by the checker's own rule (kRule).
    const double descent_fpm = descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
    // VNAV engaged past the T/D reads the constraints ahead past the climb.
    bool descended = vnav_phase == VnavPhase::Descent;
    const std::vector<Role> roles = constraint_roles_checked(
        cruise_altitude, route_end_altitude(), descent_fpm, {}, descended ? to_waypoint_index : 0);
    std::vector<Checked> checked = flown_constraints(roles);

    double route_nm = 0.0;
    for (int i = 1; i <= last; ++i)
        route_nm += leg_nm(i);
    const double cruise = cruise_altitude;
    const double field = route_end_altitude();
    const double origin = f.places[0].elevation;
    // The descent at the module's own rate and speed: ft per NM.
    const double rate = descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
    const double per_nm = descent_tas_target > 0.0 ? rate / (descent_tas_target / 60.0) : 400.0;
    std::vector<PathEnd> ends = path_ends(last, field, roles);
    // No altitude target below the aircraft goes below the lowest end (with
    // none, no target below the aircraft at all).
    double lowest_end = 1e9;
    for (const PathEnd& e : ends)
        lowest_end = std::min(lowest_end, e.altitude);
    std::size_t events_seen = host::sim_state().key_events.size();
    bool low_target_reported = false, climb_past_tod_reported = false;
    double lowest_past_tod = 1e9;
    double turn_tod_key[3] = {}, turn_tod_at = 0.0, turn_tod_nearest = 1e9;
    bool hold_set = false; // the pilot's MCP altitude after take-off
    int hold_to = 1;       // the TO then, which VNAV climbs on past
    int max_passes =
        static_cast<int>((route_nm / 250.0 * 3600.0 + (f.hold >= 0 ? 2400.0 : 1200.0)) * 18.0 / m.sim_rate);
    int to = to_waypoint_index;
    bool climbed_in_descent = false, published = true, finite = true, level_reported = false;
    double lowest_in_descent = 1e9; // since the TOD
    double lowest_since_toc = 1e9;
    double highest_flown = engaged_altitude;
    double arrival_altitude = -1.0;
    double arrival_to_go = 0.0;  // NM along the legs to the field where LNAV let go
    double level_past_tod = 0.0; // NM closed on the TO level at cruise past the TOD
    bool tod_was = vnav_phase == VnavPhase::Descent;
    bool early_reported = false;
    double lat = aircraft_state.plat, lon = aircraft_state.plon;
    bool toc_was = vnav_phase != VnavPhase::Climb;
    // A third of the flights on the example routes (whose fixes the database
    // holds), drawn apart so that a seed flies its route as before: a GNS
    // direct-to once in cruise, to the TO, or to the fix after it when the TO
    // is near and holds no constraint (it is then left out).
    std::mt19937 unit_rng(seed * 104729u + 7u);
    bool direct_due = unit_rng() % 3 == 0 && !f.test_places;
    const bool direct_past_to = unit_rng() % 2 == 0;
    double shown_toc_lat = toc_lat, shown_toc_lon = toc_lon, shown_tod_lat = tod_lat, shown_tod_lon = tod_lon;
    double shown_tod_along = -1.0;
    bool shown_tod_on_way = false; // off the legs, nearer the TO than the aircraft
    bool retyped = false;
    // NM of legs to the field on the pass before (-1: the plan changed since).
    double to_go_before = distance_to_destination;
    // The pilot's hold on the MCU: pressed near a fix ahead in the phase
    // drawn, left after a lap of the pattern. While the aircraft flies the
    // pattern each autopilot target goes out at most once per event that
    // calls for it.
    enum class HoldStep { Waiting, Flying, Leaving, Done };
    HoldStep hold_step = f.hold >= 0 ? HoldStep::Waiting : HoldStep::Done;
    if (f.hold >= 0) direct_due = false;
    bool lap_half = false, sends_reported = false, vs_reported = false;
    int passes_in_hold = 0;
    // Twenty minutes of passes (18 a second of the simulation's time).
    const int kHoldLapPasses = static_cast<int>(18.0 * 1200.0 / m.sim_rate);
    TargetSends in_hold;
    VnavPhase phase_was = vnav_phase;
    int to_was = to_waypoint_index;
    bool high_was = aircraft_state.indicated_altitude_ft > 10000.0;
    bool pattern_was = false;
    struct VsSent {
        int frame;
        int32_t value;
        bool for_plan; // read on a pass whose keys or typing changed the plan: sent for its EXECs
    };
    std::vector<VsSent> vs_sent;
    // After a choice in the air: the autopilot's targets for a minute, and
    // the legs then ahead, which LNAV flies in order (re-read when the plan
    // changes again).
    AutopilotSends choice_sends;
    int sends_window = 0;
    bool route_event = false, choice_sends_reported = false, follow = false, follow_reported = false;
    int passes_since_choice = 1 << 20;
    int passes_since_retyped = 1 << 20; // since the route was typed anew in the air
    std::vector<int> chosen_ids;
    std::size_t chosen_at = 0;
    // Where each choice was made: what VNAV can reach after it is what its
    // greatest rates give from there, as after engagement in the air.
    struct ChoiceMade {
        double time_s, altitude;
    };
    std::vector<ChoiceMade> choices_made;
    const auto choice_reach = [&](double time_s, double wanted) {
        const ChoiceMade* last_before = nullptr;
        for (const ChoiceMade& c : choices_made)
            if (c.time_s <= time_s) last_before = &c;
        if (last_before == nullptr) return true;
        const double rate = wanted < last_before->altitude ? MaxVnavDescRate : MaxVnavClimbRate;
        return std::fabs(last_before->altitude - wanted) <=
               rate * (time_s - last_before->time_s) / 60.0 - 100.0;
    };
    // The constraints passed keep the reading they were flown by; the plan
    // flown now (its entries by `ids_was` before) is read again from them.
    const auto passed_now = [&] {
        std::vector<Passed> passed;
        for (const Checked& c : checked)
            if (c.index < to_waypoint_index) passed.push_back({active_plan[c.index].id, c.role});
        return passed;
    };
    const auto read_anew = [&](const std::vector<int>& ids_was, const std::vector<Passed>& passed) {
        const std::vector<Role> now_roles =
            constraint_roles_checked(cruise, field, descent_fpm, passed, descended ? to_waypoint_index : 0);
        checked = checked_again(checked, ids_was, now_roles);
        ends = path_ends(last, field, now_roles);
        lowest_end = 1e9;
        for (const PathEnd& e : ends)
            lowest_end = std::min(lowest_end, e.altitude);
    };
    // The path LNAV flies by the checker's own table (flown_path_check.h),
    // laid anew when the plan changes, the TO moves on or the aircraft
    // leaves a hold; where it crosses each fix, the altitude there by id.
    PathTrack track;
    bool path_due = true;
    int path_to = -1;
    std::map<int, double> crossed_ft;
    RouteWaypoint hold_fix; // the TO when the pilot's hold was armed
    double along_was = 0.0, altitude_was = 0.0;
    bool left_hold = false, level_after_hold_reported = false, tod_path_reported = false;
    // A T/D off the checker's path, or off it with the aircraft (a turn it lays
    // otherwise than the aircraft flies it, as a hairpin slowed in), is
    // looked for on the aircraft's own track: the NM it flies from where it
    // began down until it passes the T/D shown, nearest it, and how near.
    struct TodOffPath {
        bool on = false;
        double lat = 0.0, lon = 0.0, flown = 0.0, nearest = 1e9, at = 0.0;
        int to = 0;
        double altitude = 0.0;
    } tod_off_path;
    double tod_was_lat = 0.0, tod_was_lon = 0.0;
    const auto judge_tod = [&](double from_tod, bool before, double tod_off, int to_then,
                               double altitude_then) {
        ++counts.tods_judged;
        counts.tod_path_nm = std::max({counts.tod_path_nm, from_tod, tod_off});
        if (new_kinds && (from_tod > kTodNm || tod_off > kTodNm) && !tod_path_reported) {
            tod_path_reported = true;
            char text[200];
            std::snprintf(text, sizeof text,
                          "began the descent %.1f NM %s the pages' T/D along the flown path (the T/D "
                          "%.1f NM off it) at TO %d, %.0f ft",
                          from_tod, before ? "before" : "after", tod_off, to_then, altitude_then);
            faults.push_back(text);
        }
    };
    const auto follow_tod_off_path = [&](bool ended) {
        double d = 0.0, unused = 0.0;
        if (tod_off_path.flown > 0.0 || tod_off_path.nearest < 1e9) {
            gc_dist_course(tod_was_lat, tod_was_lon, aircraft_state.plat, aircraft_state.plon, &d, &unused);
            tod_off_path.flown += d;
        }
        tod_was_lat = aircraft_state.plat, tod_was_lon = aircraft_state.plon;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, tod_off_path.lat, tod_off_path.lon, &d,
                       &unused);
        if (d < tod_off_path.nearest) tod_off_path.nearest = d, tod_off_path.at = tod_off_path.flown;
        if (ended || d > tod_off_path.nearest + kTodPassedByNm || tod_off_path.flown > kTurnReachNm) {
            tod_off_path.on = false;
            judge_tod(tod_off_path.at, true, tod_off_path.nearest, tod_off_path.to, tod_off_path.altitude);
        }
    };
    const auto lay_path = [&] {
        const double tas = std::max(200.0, host::true_airspeed_kt(m));
        const double radius = tas / 3600.0 / radians(host::max_turn_rate_dps(tas));
        // From the fix just sequenced while the path has not crossed it.
        int first = std::max(to_waypoint_index, 1);
        const int before = previous_place(active_plan, first);
        if (before >= 1 && !track.path.empty() && crossed_ft.count(active_plan[before].id) == 0 &&
            track.path.crossing(active_plan[before].id) > track.along)
            first = before;
        std::vector<FlownPath::Fix> ahead;
        for (int k = first; k <= active_plan_last; ++k)
            if (is_place(active_plan[k]))
                ahead.push_back(
                    {active_plan[k].lat, active_plan[k].lon, active_plan[k].id, active_plan[k].flyover == 1});
        const int start = previous_place(active_plan, first);
        FlownPath::Fix leg_start;
        if (start >= 0)
            leg_start = {active_plan[start].lat, active_plan[start].lon, active_plan[start].id,
                         active_plan[start].flyover == 1};
        // LNAV sequenced the first fix ahead in a turn past the leg's start.
        const int before_start = start >= 0 ? previous_place(active_plan, start) : -1;
        const bool in_turn =
            first < to_waypoint_index && before_start >= 0 && !ahead.empty() &&
            FlownPath::turned_past({active_plan[before_start].lat, active_plan[before_start].lon}, leg_start,
                                   ahead.front());
        track.path.build(aircraft_state.plat, aircraft_state.plon, aircraft_state.map_heading_deg,
                         start >= 0 ? &leg_start : nullptr, ahead, radius, in_turn);
        track.along = along_was = 0.0;
        altitude_was = aircraft_state.indicated_altitude_ft;
        path_to = to_waypoint_index;
        path_due = false;
    };
    for (int i = 0; i < max_passes; ++i) {
        const double legs_to_go_before = to_go_before;
        bool plan_changed = false;
        pass();
        // The same route typed anew goes on along the leg flown, LNAV on it.
        if (f.retyped_at > 0 && !retyped && to_waypoint_index >= f.retyped_at && to_waypoint_index < last) {
            retyped = true;
            plan_changed = true;
            const int to_then = to_waypoint_index;
            retype_route();
            passes_since_retyped = -1;
            if (to_waypoint_index != to_then || lnav_engaged != 1)
                faults.push_back(where("the route typed anew in the air flies to entry", to_waypoint_index));
        }
        if (sends_window > 0) {
            --sends_window;
            choice_sends.frame(route_event || plan_changed);
            const std::string sent = choice_sends.fault();
            if (!sent.empty() && !choice_sends_reported) {
                choice_sends_reported = true;
                faults.push_back(where(("after a procedure choice " + sent).c_str(), choice_sends.events));
            }
        }
        // A change made after the last pass's events were read (a direct-to)
        // sent its targets then.
        const bool changed_last_pass = route_event;
        route_event = false;
        ++passes_since_choice;
        ++passes_since_retyped;
        for (int moment = kClimb; moment < kChoiceMoments; ++moment) {
            // Not on the pass a phase began: its start is judged on the plan
            // it began on.
            if (!choice.due[moment] || hold_step == HoldStep::Flying || hold_step == HoldStep::Leaving ||
                vnav_phase != phase_was || !choice_moment(moment, f.places[0].elevation))
                continue;
            choice.due[moment] = false;
            passes_since_choice = 0;
            plan_changed = true;
            follow = true;
            ++counts.choice_rounds[moment];
            const std::vector<int> ids_was = plan_ids(0);
            const std::vector<Passed> passed = passed_now();
            const int to_then = to_waypoint_index;
            choice_sends.start();
            sends_window = 18 * 60;
            counts.choices_moved[moment] +=
                choose_by_keys(choice_rng, moment == kClimb, true, &choice_sends, faults);
            if (to_waypoint_index < to_then)
                faults.push_back(where("a procedure choice moved the TO back from", to_then));
            // The flight goes on along the plan now flown, judged by its
            // constraints and ends.
            last = flown_last();
            read_anew(ids_was, passed);
            route_nm = legs_nm(1, last);
            max_passes += static_cast<int>(route_nm / 250.0 * 3600.0 * 18.0 / m.sim_rate);
            to = to_waypoint_index;
            choices_made.push_back({m.sim_time_s, aircraft_state.indicated_altitude_ft});
            // The pages show the T/C and T/D of the plan now flown.
            shown_toc_lat = toc_lat, shown_toc_lon = toc_lon, shown_tod_lat = tod_lat,
            shown_tod_lon = tod_lon;
            shown_tod_along = tod_lat != 0.0 || tod_lon != 0.0 ? along_route(tod_lat, tod_lon) : -1.0;
            shown_tod_on_way = false;
            break;
        }
        const double altitude = aircraft_state.indicated_altitude_ft;
        const bool in_pattern = hold_armed != 0 && holding_active != 0;
        const bool high = altitude > 10000.0;
        const bool counting = hold_step == HoldStep::Flying && (in_pattern || pattern_was);
        if (counting)
            in_hold.events += (vnav_phase != phase_was) + (to_waypoint_index != to_was) + (high != high_was) +
                              (in_pattern != pattern_was);
        // Past the T/D the constraints still ahead are read again, the climb
        // flown (until a route made anew climbs again).
        if (vnav_phase == VnavPhase::Climb) descended = false;
        if (!descended && vnav_phase == VnavPhase::Descent) {
            descended = true;
            read_anew(plan_ids(0), passed_now());
        }
        phase_was = vnav_phase, to_was = to_waypoint_index, high_was = high, pattern_was = in_pattern;
        if (hold_step == HoldStep::Waiting && hold_due(f.hold, last, f.pilot_hold ? hold_to : 0)) {
            mcu_press_key(McuKey::Hold);
            if (hold_count() > 0 && hold_armed == 1) {
                hold_step = HoldStep::Flying;
                hold_fix = active_plan[to_waypoint_index];
                ++counts.holds[f.hold];
            } else {
                faults.push_back(where("the MCU's HOLD armed no hold at TO", to_waypoint_index));
                hold_step = HoldStep::Done;
            }
        } else if (hold_step == HoldStep::Flying) {
            // A lap: out to the far end of the pattern and back to its first
            // point, then the pilot leaves. The longest seen (FL380) took ten
            // minutes; none in twice that is a fault.
            lap_half = lap_half || holding_active == 3;
            passes_in_hold += in_pattern ? 1 : 0;
            const bool lapped = lap_half && holding_active == 1;
            if (lapped || passes_in_hold > kHoldLapPasses) {
                if (!lapped) faults.push_back(where("no lap of the hold in passes", passes_in_hold));
                mcu_press_key(McuKey::Hold);
                hold_step = HoldStep::Leaving;
                passes_in_hold = 0;
            }
        } else if (hold_step == HoldStep::Leaving) {
            // EXIT HOLD: the pattern is left at the fix, within a lap.
            if (hold_count() == 0) {
                hold_step = HoldStep::Done;
                left_hold = path_due = true;
                // EXIT HOLD leaves the pattern at its fix: the fix is passed
                // there, at the altitude flown. The path laid next would run
                // back to the fix just behind the aircraft, a turn never flown.
                double to_fix = 0.0, course = 0.0;
                gc_dist_course(aircraft_state.plat, aircraft_state.plon, hold_fix.lat, hold_fix.lon, &to_fix,
                               &course);
                if (to_fix <= kPastFromNm) crossed_ft.emplace(hold_fix.id, altitude);
            } else if (++passes_in_hold > kHoldLapPasses) {
                faults.push_back(where("the hold not left after EXIT HOLD, passes", passes_in_hold));
                hold_step = HoldStep::Done;
            }
        }
        // The pilot's 3000 ft above the field after take-off, as the demo
        // flies it; VNAV commands the climb again past the TO then (the
        // second fix when the first was passed in the take-off).
        if (f.pilot_hold && !hold_set && altitude > origin + 300.0) {
            hold_set = true;
            hold_to = to_waypoint_index;
            m.ap_altitude_ft = origin + 3000.0;
            m.ap_vertical_speed_fpm = 2000.0;
        }
        // Along the flown path: each fix's altitude where the path crosses
        // it, and the descent begun within 1.5 NM of the T/D shown.
        if (plan_changed || to_waypoint_index != path_to) path_due = true;
        if (hold_count() == 0 && lnav_engaged == 1) {
            if (path_due) lay_path();
            track.follow(aircraft_state.plat, aircraft_state.plon);
            counts.path_off_nm = std::max(counts.path_off_nm, track.off);
            for (const auto& [id, along] : track.path.crossings())
                if (along <= track.along && crossed_ft.count(id) == 0)
                    crossed_ft[id] =
                        altitude_was +
                        (altitude - altitude_was) *
                            std::clamp((along - along_was) / std::max(1e-6, track.along - along_was), 0.0,
                                       1.0);
            along_was = track.along, altitude_was = altitude;
            const bool tod_shown_before = shown_tod_lat != 0.0 || shown_tod_lon != 0.0;
            const int since_change = std::min(passes_since_choice, passes_since_retyped);
            if (vnav_engaged == 1 && tod_was == 0 && vnav_phase == VnavPhase::Descent && tod_shown_before &&
                i > 0 && since_change > 180 && m.vertical_speed_fpm > -kStillDescendingFpm) {
                double tod_off = 0.0;
                const double tod_along = track.path.locate(shown_tod_lat, shown_tod_lon, track.along - 10.0,
                                                           track.along + 20.0, &tod_off);
                if (tod_off > kTodNm || (tod_off > kOnTurnNm && track.off > kTrackOffPathNm)) {
                    tod_off_path = {};
                    tod_off_path.on = true;
                    tod_off_path.lat = shown_tod_lat, tod_off_path.lon = shown_tod_lon;
                    tod_off_path.to = to_waypoint_index, tod_off_path.altitude = altitude;
                } else {
                    judge_tod(std::fabs(tod_along - track.along), tod_along > track.along, tod_off,
                              to_waypoint_index, altitude);
                }
            }
        }
        if (tod_off_path.on) follow_tod_off_path(false);
        // Where the climb ends and the descent begins, against the T/C and
        // T/D the pages showed on the pass before.
        auto off = [&](double shown_lat, double shown_lon) {
            double d = 0.0, unused = 0.0;
            gc_dist_course(aircraft_state.plat, aircraft_state.plon, shown_lat, shown_lon, &d, &unused);
            return d;
        };
        // A level-off more than 5 NM both from the T/C and from abeam it on
        // its leg is a fault, and so is a descent begun more than 10 NM both
        // from the T/D and from abeam it: a sharp turn at cruise speed just
        // before either is flown wide (up to 21 NM seen) of the legs it
        // stands on.
        if (vnav_engaged == 1 && toc_was == 0 && vnav_phase == VnavPhase::Cruise) {
            const double d =
                std::min(off(shown_toc_lat, shown_toc_lon), abeam_nm(shown_toc_lat, shown_toc_lon));
            counts.toc_off_nm = std::max(counts.toc_off_nm, d);
            if (d > 5.0) faults.push_back(where("levelled off # NM from the pages' T/C", d));
        }
        // A T/D off the route marks no point to meet, unless it stands on the
        // aircraft's way to the TO (one short of a leg the aircraft is
        // farther from than it is long, as past an overshot hairpin).
        if (vnav_engaged == 1 && tod_was == 0 && vnav_phase == VnavPhase::Descent &&
            (shown_tod_along >= 0.0 || shown_tod_on_way)) {
            const double d =
                std::min(off(shown_tod_lat, shown_tod_lon), abeam_nm(shown_tod_lat, shown_tod_lon));
            // A choice's round of keys may execute a route whose T/D lies
            // behind, and the descent begins then; or the T/D of the route
            // chosen, or typed anew, lies behind, and it begins at once as
            // VNAV's phase takes that route in.
            const int since_route = std::min(passes_since_choice, passes_since_retyped);
            const bool behind = since_route == 0 || (since_route < 180 && !shown_tod_on_way &&
                                                     shown_tod_along < route_nm - distance_to_destination);
            if (!behind) counts.tod_off_nm = std::max(counts.tod_off_nm, d);
            if (d > 10.0 && !behind) faults.push_back(where("began the descent # NM from the pages' T/D", d));
        }
        // Never a climb once past the T/D the pages show; measured again
        // when the T/D moves.
        const double tod_along = tod_lat == shown_tod_lat && tod_lon == shown_tod_lon && i > 0
                                     ? shown_tod_along
                                 : tod_lat != 0.0 || tod_lon != 0.0 ? along_route(tod_lat, tod_lon)
                                                                    : -1.0;
        toc_was = vnav_phase != VnavPhase::Climb;
        shown_toc_lat = toc_lat, shown_toc_lon = toc_lon, shown_tod_lat = tod_lat, shown_tod_lon = tod_lon;
        shown_tod_along = tod_along;
        // One off the route stands behind the TO waypoint on the way the
        // aircraft comes: passed once the aircraft is nearer the TO than it.
        const bool tod_shown = tod_lat != 0.0 || tod_lon != 0.0;
        double tod_to_to = 0.0, unused_course = 0.0;
        if (tod_shown && tod_along < 0.0 && to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last)
            gc_dist_course(tod_lat, tod_lon, active_plan[to_waypoint_index].lat,
                           active_plan[to_waypoint_index].lon, &tod_to_to, &unused_course);
        shown_tod_on_way = tod_shown && tod_along < 0.0 && tod_to_to < distance_to_to_nm;
        // Or it stands off the legs in a turn past a fix ahead, on the path
        // flown: passed once the aircraft is that far along the path.
        double turn_tod_along = -1.0, turn_tod_off = 1e9;
        bool turn_tod_ahead = false;
        if (tod_shown && tod_along < 0.0 && !track.path.empty()) {
            // Looked for once per T/D and path: the nearest point ahead stays
            // the nearest while the aircraft has not passed it.
            const double key[3] = {tod_lat, tod_lon, track.path.length()};
            if (!std::equal(key, key + 3, turn_tod_key) || turn_tod_at < track.along - 0.3) {
                std::copy(key, key + 3, turn_tod_key);
                turn_tod_at = track.path.locate(tod_lat, tod_lon, track.along - 0.3, track.path.length(),
                                                &turn_tod_nearest);
            }
            turn_tod_off = turn_tod_nearest;
            if (turn_tod_off < kOnTurnNm) turn_tod_along = turn_tod_at;
        }
        // Without that path (a hold laid none), one by a fix not yet passed
        // lies in its turn, ahead.
        if (tod_shown && tod_along < 0.0 && turn_tod_along < 0.0 && to_waypoint_index >= 1)
            for (int k = to_waypoint_index; k <= flown_last() && !turn_tod_ahead; ++k) {
                double near = 0.0, unused = 0.0;
                gc_dist_course(tod_lat, tod_lon, active_plan[k].lat, active_plan[k].lon, &near, &unused);
                turn_tod_ahead = is_place(active_plan[k]) && near < kTurnReachNm &&
                                 (k > to_waypoint_index || near < distance_to_to_nm);
            }
        const bool past_tod = vnav_engaged == 1 && tod_shown &&
                              (tod_along >= 0.0        ? route_nm - distance_to_destination > tod_along + 2.0
                               : turn_tod_along >= 0.0 ? track.along > turn_tod_along + 2.0
                               : turn_tod_ahead        ? false
                                                       : distance_to_to_nm + 2.0 < tod_to_to);
        lowest_past_tod = past_tod ? std::min(lowest_past_tod, altitude) : 1e9;
        if (altitude > lowest_past_tod + 300.0 && !climb_past_tod_reported) {
            climb_past_tod_reported = true;
            faults.push_back(where("climbed past the pages' T/D from", lowest_past_tod));
        }
        // No altitude target below the end of the descent.
        const std::vector<host::KeyEvent>& events = host::sim_state().key_events;
        for (; events_seen < events.size(); ++events_seen) {
            const uint32_t id = events[events_seen].id;
            if (counting) {
                in_hold.altitudes += id == 0x1024C;
                in_hold.speeds += id == 0x101F5 || id == 0x101F6;
            }
            // A vertical speed never goes back to the one before within a
            // second (18 frames): level and descend in turn. Frames are
            // counted on the sim's clock, as the keys of a choice run frames
            // of their own inside one pass; each EXEC of a changed plan is
            // an event of its own, and a rate sent for it is no wavering.
            if (onto) {
                counts.onto_vs += id == 0x101F4;
                counts.onto_altitudes += id == 0x1024C;
            }
            if (id == 0x101F4 && static_cast<int32_t>(events[events_seen].parameter) == 0) {
                counts.onto_level_offs += onto;
                counts.onto_descent_level_offs += onto && vnav_phase == VnavPhase::Descent;
                // Once out of a hold no level above the end of the descent:
                // a level-off is a descent stopped (a zero sent to an aircraft
                // already level stops none), and the altitude of an end just
                // met is the path's own level until the next T/D.
                const auto end = std::find_if(ends.begin(), ends.end(),
                                              [](const PathEnd& e) { return e.index >= to_waypoint_index; });
                const auto met = std::find_if(ends.rbegin(), ends.rend(),
                                              [](const PathEnd& e) { return e.index < to_waypoint_index; });
                const bool at_met_end = met != ends.rend() && std::fabs(altitude - met->altitude) <= kMetFt;
                if (new_kinds && left_hold && vnav_engaged == 1 && lnav_engaged == 1 &&
                    to_waypoint_index < last && vnav_phase == VnavPhase::Descent && end != ends.end() &&
                    m.vertical_speed_fpm < -kStillDescendingFpm && !at_met_end &&
                    altitude > end->altitude + kMetFt && !level_after_hold_reported) {
                    level_after_hold_reported = true;
                    faults.push_back(where("levelled after the hold, ft above the end of descent",
                                           altitude - end->altitude));
                }
            }
            if (id == 0x101F4) {
                const int32_t value = static_cast<int32_t>(events[events_seen].parameter);
                const int frame = static_cast<int>(std::lround(m.sim_time_s * 18.0 / m.sim_rate));
                const VsSent now{frame, value, plan_changed || changed_last_pass};
                if (vs_sent.size() >= 2 && !vs_reported && !now.for_plan && !vs_sent.back().for_plan) {
                    const VsSent& one = vs_sent[vs_sent.size() - 2];
                    const VsSent& two = vs_sent.back();
                    if (one.value == value && two.value != value && frame - one.frame < 18) {
                        vs_reported = true;
                        char text[160];
                        std::snprintf(
                            text, sizeof text,
                            "vertical speeds %d, %d, %d on frames %d, %d, %d: back to the one before",
                            one.value, two.value, value, one.frame, two.frame, frame);
                        faults.push_back(where(text, value));
                    }
                }
                vs_sent.push_back(now);
            }
            if (id != 0x1024C || low_target_reported) continue;
            const double sent = static_cast<int32_t>(events[events_seen].parameter);
            // (A climb's target below the end is no descent to it, nor the
            // cruise altitude below VNAV engaged higher.)
            if (sent < altitude - 200.0 && sent < cruise_altitude - 50.0 &&
                (lowest_end > 1e8 || sent < lowest_end - 50.0)) {
                low_target_reported = true;
                faults.push_back(where("an altitude sent below the end of descent", sent));
            }
        }
        if (!sends_reported && (in_hold.altitudes > in_hold.events || in_hold.speeds > in_hold.events)) {
            sends_reported = true;
            char text[120];
            std::snprintf(text, sizeof text, "in the hold %d altitude and %d speed targets for events",
                          in_hold.altitudes, in_hold.speeds);
            faults.push_back(where(text, in_hold.events));
        }
        // In the pattern the aircraft goes no way along the legs.
        double step = 0.0, course = 0.0;
        gc_dist_course(lat, lon, aircraft_state.plat, aircraft_state.plon, &step, &course);
        if (in_pattern) step = 0.0;
        // What the step closed on the TO: turning round at a reversal the
        // aircraft flies on and comes no nearer the end, and the descent
        // laid over what LNAV flies waits out the turn.
        double closing = step;
        if (to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last &&
            is_place(active_plan[to_waypoint_index])) {
            const RouteWaypoint& w = active_plan[to_waypoint_index];
            double before = 0.0, now = 0.0, unused_course = 0.0;
            gc_dist_course(lat, lon, w.lat, w.lon, &before, &unused_course);
            gc_dist_course(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon, &now, &unused_course);
            closing = std::clamp(before - now, 0.0, step);
        }
        lat = aircraft_state.plat;
        lon = aircraft_state.plon;
        if (vnav_phase != VnavPhase::Climb) lowest_since_toc = std::min(lowest_since_toc, altitude);
        highest_flown = std::max(highest_flown, altitude);
        const int at = to_waypoint_index + (direct_past_to ? 1 : 0);
        const bool to_checked = std::any_of(checked.begin(), checked.end(),
                                            [](const Checked& c) { return c.index == to_waypoint_index; });
        const bool due_now = direct_past_to
                                 ? distance_to_to_nm < 6.0 && distance_to_to_nm > 2.0 && !to_checked &&
                                       !constrained(to_waypoint_index) && is_place(active_plan[at])
                                 : distance_to_to_nm > 10.0;
        // Far from the T/D the pages show: a leg left out near it moves it,
        // and the checks above measure the descent from where it was shown.
        double tod_from_to = 1e9, unused_tod_course = 0.0;
        if (tod_lat != 0.0 || tod_lon != 0.0)
            gc_dist_course(active_plan[to_waypoint_index].lat, active_plan[to_waypoint_index].lon, tod_lat,
                           tod_lon, &tod_from_to, &unused_tod_course);
        // (Not to the fix turned round at before an approach: no database
        // holds it.)
        if (direct_due && due_now && vnav_phase == VnavPhase::Cruise && at < last && tod_from_to > 40.0 &&
            active_plan[at].ident != "TURN" && std::fabs(cross_track_nm) < 0.5) {
            direct_due = false;
            plan_changed = true;
            if (gns_direct_ahead(at, faults)) {
                ++counts.gns_direct_ahead;
                counts.gns_direct_past_to += direct_past_to ? 1 : 0;
                // The DIRECT entry moved the TO and every entry after it up one,
                // and its legs lengthened the route before them: the ends ahead
                // stand that much farther along it (measured on the route as it
                // was, a descent begun on time read 42 NM early).
                ++last;
                to = to_waypoint_index;
                for (Checked& c : checked)
                    if (c.index >= at) ++c.index;
                const double added = legs_nm(1, last) - route_nm;
                route_nm += added;
                for (PathEnd& e : ends)
                    if (e.index >= at) ++e.index, e.along += added;
                if (hold_to >= at) ++hold_to;
                if (engaged_to >= at) ++engaged_to;
            }
        }
        if (to_waypoint_index != to) {
            if (to_waypoint_index <= to) faults.push_back(where("TO out of order after", to));
            to = to_waypoint_index;
        }
        // Each constraint where the aircraft passes its waypoint: closest to
        // it while it is the TO and while still closing in after it.
        for (Checked& c : checked) {
            if (c.done || to_waypoint_index < c.index) continue;
            double d = 0.0, unused = 0.0;
            gc_dist_course(lat, lon, active_plan[c.index].lat, active_plan[c.index].lon, &d, &unused);
            if (c.legs < 0.0)
                c.legs = (legs_to_go_before >= 0.0 ? legs_to_go_before : distance_to_destination) -
                         legs_nm(c.index + 1, last);
            c.flown += step;
            if (to_waypoint_index > c.index) c.past += step;
            if (to_waypoint_index > c.index && c.sequenced_s < 0.0) c.sequenced_s = m.sim_time_s;
            if (to_waypoint_index == c.index) c.highest = highest_flown;
            // Stepped to on the far side of a turn past the fix before it,
            // the aircraft flies away from it first: it passes it where it
            // closes on it, not where it was stepped to.
            const bool turning_away = to_waypoint_index == c.index && !c.closing && d > c.last_nm;
            if (to_waypoint_index == c.index) {
                c.closing = c.closing || (c.last_nm >= 0.0 && d < c.last_nm);
                c.last_nm = d;
            }
            if (d <= c.closest || turning_away) {
                c.closest = d;
                c.cut = std::max(0.0, c.legs - c.flown - d);
                c.altitude = altitude;
                c.time_s = m.sim_time_s;
                c.past_s = c.sequenced_s >= 0.0 ? m.sim_time_s - c.sequenced_s : 0.0;
            } else if (to_waypoint_index > c.index) {
                c.done = true;
            }
        }
        to_go_before = plan_changed ? -1.0 : distance_to_destination;
        route_event = plan_changed;
        if (follow && plan_changed) {
            chosen_ids = plan_ids(to_waypoint_index);
            chosen_at = 0;
        }
        if (follow && !follow_reported) {
            const auto at = std::find(chosen_ids.begin() + static_cast<std::ptrdiff_t>(chosen_at),
                                      chosen_ids.end(), active_plan[to_waypoint_index].id);
            follow_reported = at == chosen_ids.end();
            if (follow_reported)
                faults.push_back(where(("after a procedure choice LNAV flies to " +
                                        active_plan[to_waypoint_index].ident + ", not the legs then ahead")
                                           .c_str(),
                                       to_waypoint_index));
            else
                chosen_at = static_cast<std::size_t>(at - chosen_ids.begin());
        }
        // Level at the cruise altitude where the path down to the next
        // descent constraint or the field, at the module's own gradient,
        // lies below it (the aircraft as far along as aircraft_along reads).
        const bool level = vnav_engaged == 1 && std::fabs(altitude - cruise) < 150.0;
        const double along_now = aircraft_along(route_nm);
        // A turn past a fix before the next end flies more than the legs:
        // the path down to the end is laid back over that much more, as the
        // flown path (the checker's own) measures it.
        double turns_more = 0.0;
        if (const PathEnd* e = next_end(ends, along_now);
            e != nullptr && !track.path.empty() && hold_count() == 0 && lnav_engaged == 1) {
            const double crossed = track.path.crossing(active_plan[e->index].id);
            if (crossed >= 0.0) turns_more = std::max(0.0, (crossed - track.along) - (e->along - along_now));
        }
        if (level && cruise > path_altitude(ends, along_now - turns_more, per_nm) + 100.0)
            level_past_tod += closing;
        // The TOD passed more than 20 NM along the plan's legs before the
        // path down to the next end meets the altitude flown (a course
        // reversal passes it up to 10 NM early, and the turns LNAV cuts
        // bring it forward). An end at or above the cruise altitude and the
        // altitude flown is none to descend to: the descent is for the one
        // after it.
        const PathEnd* end = next_end(ends, along_now);
        while (end != nullptr && end->altitude >= cruise && end->altitude >= altitude - 100.0)
            end = next_end(ends, end->along);
        // A descent still under way is none begun: sequenced well above a
        // new level, the phase passes through cruise while the autopilot
        // goes on down, and the next end's descent takes it on.
        const bool coming_down = m.vertical_speed_fpm < -kStillDescendingFpm;
        if (vnav_phase == VnavPhase::Descent && tod_was == 0 && vnav_engaged == 1 && end != nullptr &&
            passes_since_choice > 0 && !early_reported && !coming_down) {
            const double early = end->along - along_now - (altitude - end->altitude) / per_nm;
            if (early > 20.0) {
                early_reported = true;
                faults.push_back(where("the descent begun early by", early));
            }
        }
        tod_was = vnav_phase == VnavPhase::Descent;
        if (level_past_tod > 5.0 && !level_reported) {
            level_reported = true;
            faults.push_back(where("level at the cruise altitude past the TOD", cruise));
        }
        // The autopilot answers a new command on the next frames: a climb
        // is one of more than 100 ft above the lowest altitude since the TOD.
        lowest_in_descent = vnav_phase == VnavPhase::Descent && vnav_engaged == 1
                                ? std::min(lowest_in_descent, altitude)
                                : 1e9;
        if (altitude > lowest_in_descent + 100.0 && !climbed_in_descent) {
            climbed_in_descent = true;
            faults.push_back(where("climbed in the descent from", lowest_in_descent));
        }
        if (published && (orvex_lnav_mode != lnav_engaged || orvex_vnav_mode != vnav_engaged)) {
            published = false;
            faults.push_back(where("published modes differ from the engaged ones", vnav_engaged));
        }
        if (finite &&
            !(std::isfinite(altitude) && std::isfinite(aircraft_state.plat) &&
              std::isfinite(aircraft_state.plon) && std::isfinite(vnav_required_vs) &&
              std::isfinite(vertical_target_altitude) && std::isfinite(distance_to_to_nm) &&
              std::isfinite(tod_lat) && std::isfinite(toc_lat) && std::isfinite(m.ap_altitude_ft))) {
            finite = false;
            faults.push_back(where("a value is not finite", 0.0));
        }
        if (ends.empty() && vnav_engaged == 1 && altitude < std::min(highest_flown, cruise) - 500.0 &&
            !climbed_in_descent) {
            climbed_in_descent = true; // one fault for the flight's vertical path
            faults.push_back(where("descended with no end of descent from", highest_flown));
        }
        if (lnav_engaged == 0 && to_waypoint_index == last) {
            arrival_altitude = altitude;
            break;
        }
        if (to_waypoint_index < last) arrival_to_go = distance_to_destination; // along the legs
    }
    if (tod_off_path.on) follow_tod_off_path(true);
    if (arrival_altitude < 0.0) {
        char text[96];
        std::snprintf(text, sizeof text, "not arrived (holds %d, armed %d, pattern point %d, exit %d), LNAV",
                      hold_count(), hold_armed, holding_active, hold_exit_state);
        faults.push_back(where(text, lnav_engaged));
        return faults;
    }
    for (const Checked& c : checked) {
        ++counts.constraints_flown;
        // Not VNAV's to meet: one never passed, and one passed while the
        // pilot flew the climb (before VNAV was engaged in the air, judged by
        // the MCP below, or under the pilot's hold).
        if (c.closest > 1e8) {
            ++counts.not_passed;
            continue;
        }
        // Sequenced under the pilot's climb: the aircraft is where the MCP
        // takes it, no higher than its altitude, and from where VNAV was
        // engaged (if the waypoint is passed after that) at most at VNAV's
        // greatest climb rate above it.
        if (c.index < engaged_to) {
            ++counts.before_vnav;
            ++counts.judged_by_mcp;
            const double ceiling =
                f.mcp_altitude + kMetFt + MaxVnavClimbRate * std::max(0.0, c.time_s - engaged_time_s) / 60.0;
            if (c.altitude > ceiling) {
                char text[160];
                std::snprintf(text, sizeof text,
                              "a constraint sequenced under the pilot's climb passed above the MCP altitude "
                              "at %s, %.0f ft",
                              active_plan[c.index].ident.c_str(), c.altitude);
                faults.push_back(where(text, f.mcp_altitude));
            }
            continue;
        }
        // Engaged above one whose waypoint is the TO: too late to be taken
        // down to it, but never below what its reading keeps it above.
        const bool engaged_above = c.index == engaged_to && c.wanted <= engaged_altitude;
        // Under the pilot's hold the MCP keeps the aircraft where the pilot
        // set it: VNAV takes it neither above a constraint over that nor back
        // down to one under it.
        const bool under_pilots_hold = f.pilot_hold && c.index <= hold_to;
        // The side the reading keeps the aircraft on, and whether it is to be
        // at it; the allowances below are the same for every reading.
        //
        // Passed a few NM from the waypoint (a cut turn) a descent still on
        // its path is that much higher, at 400 ft/NM; once sequenced, that
        // much lower, whatever its kind (the descent to the next one may
        // begin there). The legs LNAV left out on the way to it count as NM
        // off it: a hairpin back onto a fix flown over on the way out
        // sequences it from the far side of the turn, its legs gone at once,
        // while the descent on them is still ahead. A cap levels the climb
        // until its waypoint is sequenced, and the climb goes on from there,
        // which may be miles before the waypoint, at up to the greatest rate
        // VNAV commands.
        const double high_after = kMetFt + std::max(600.0 * c.past, MaxVnavClimbRate * c.past_s / 60.0);
        // Once it is sequenced the descent to the next one may begin, at up
        // to the greatest rate VNAV commands.
        const double low_after = kMetFt + std::max(400.0 * c.past, MaxVnavDescRate * c.past_s / 60.0);
        const double high_off = kMetFt + 400.0 * (c.closest + c.cut);
        const double high_cut = kMetFt + 400.0 * c.cut;
        // Above it already when VNAV took over, or held there by the pilot.
        const double held_above = std::max(engaged_altitude, f.pilot_hold ? origin + 3000.0 : 0.0);
        const bool above_at_start = c.wanted <= held_above + 100.0;
        // What VNAV can reach: down or up from where it was engaged in the
        // air, at its greatest rates over the time flown (too low to climb to
        // one, it cannot come to it from above either); up from the pilot's
        // hold at 300 ft/NM.
        const bool below_reach = c.wanted - engaged_altitude > engaged_climb_reach(c.time_s);
        const bool out_of_reach =
            engaged_altitude - c.wanted > engaged_reach(c.time_s) || below_reach ||
            !choice_reach(c.time_s, c.wanted) ||
            (f.pilot_hold && c.wanted - (origin + 3000.0) > 300.0 * (legs_nm(hold_to + 1, c.index) - 5.0));
        const bool met = c.reachable && !out_of_reach;
        // One below the cruise altitude never flown above before it was
        // sequenced was climbed to, whatever its reading: VNAV levels there.
        const bool from_below = c.highest <= c.wanted + 100.0 && c.wanted < cruise - 100.0;
        double ceiling = 1e9, floor = -1e9;
        if (under_pilots_hold) {
            if (c.wanted > origin + 3000.0 + 100.0)
                ceiling = c.wanted + high_after;
            else if (c.reachable)
                floor = c.wanted - low_after;
        } else
            switch (c.role) {
            case Role::Cap:
                if (!above_at_start) ceiling = c.wanted + high_after;
                if (met || above_at_start) floor = c.wanted - low_after;
                break;
            case Role::End:
                if (from_below) {
                    if (met) floor = c.wanted - low_after;
                    ceiling = c.wanted + high_after;
                } else {
                    // The next end out of reach from it at the module's
                    // gradient: its T/D stands behind this fix as far as
                    // its descent is longer than the legs between, so the
                    // aircraft may pass here as low as that path.
                    const double path_up = path_altitude(ends, legs_nm(1, c.index), per_nm);
                    if (!below_reach) floor = std::min(c.wanted, path_up) - low_after;
                    if (met) ceiling = c.wanted + high_off;
                }
                break;
            case Role::Level:
            case Role::Under:
                // Not when VNAV took over above it too high to get down to
                // it at its greatest rate. One at the level that the pilot
                // held the aircraft above is come down to as an end is:
                // sequenced from the far side of a hairpin, the descent on
                // the legs LNAV left out is still ahead.
                if (!(above_at_start && out_of_reach))
                    ceiling =
                        c.wanted + (c.role == Role::Level ? std::max(high_after, high_cut) : high_after);
                break;
            case Role::Over:
                floor = c.wanted - low_after;
                break;
            }
        if (engaged_above) ceiling = 1e9;
        // Climbed past in the take-off under the pilot's hold, or engaged
        // above one only to be at or below.
        if (ceiling > 1e8 && floor < -1e8) {
            ++counts.before_vnav;
            continue;
        }
        ++counts.constraints_checked;
        if (ceiling < 1e8 && floor > -1e8) ++counts.constraints_met_checked;
        // One to be at (a pilot's altitude, an approach's "at"), within
        // reach: crossed within 300 ft of it where the flown path crosses
        // its fix; lower only as far as the descent to a next end out of
        // reach from it asks.
        const RouteWaypoint& w = active_plan[c.index];
        const auto crossed = crossed_ft.find(w.id);
        const bool at =
            w.altitude_kind == AltitudeKind::Pilot ||
            (w.kind == "APPR" &&
             approach_altitude_is_at(f.places.back().ident, active_plan.choices().approach, w.ident));
        if (at && ceiling < 1e8 && floor > -1e8 && crossed != crossed_ft.end() &&
            (c.role == Role::Cap || c.role == Role::End)) {
            double lowest = c.wanted;
            double between = 0.0;
            for (int k = c.index + 1, from = c.index; k <= last; ++k) {
                if (!is_place(active_plan[k])) continue;
                between += nm_between({"", active_plan[from].lat, active_plan[from].lon},
                                      {"", active_plan[k].lat, active_plan[k].lon});
                from = k;
                const auto end =
                    std::find_if(ends.begin(), ends.end(), [&](const PathEnd& e) { return e.index == k; });
                if (end != ends.end()) {
                    lowest = std::min(lowest, end->altitude + per_nm * between);
                    break;
                }
            }
            const double miss = crossed->second - c.wanted;
            ++counts.at_judged;
            counts.at_miss_ft = std::max(counts.at_miss_ft, std::fabs(miss));
            if (new_kinds && (miss > kMetFt || crossed->second < lowest - kMetFt)) {
                char text[200];
                std::snprintf(text, sizeof text,
                              "%s \"at\" %.0f ft at %s (entry %d) crossed at %.0f ft where the flown path "
                              "crosses it: %+.0f ft",
                              kRoleNames[static_cast<int>(c.role)], c.wanted, w.ident.c_str(), c.index,
                              crossed->second, miss);
                faults.push_back(text);
            }
        }
        if (c.altitude > ceiling || c.altitude < floor) {
            char text[192];
            std::snprintf(
                text, sizeof text,
                "%s constraint (%s) passed %s at %s %.1f NM off, %.1f NM past its sequencing, %.0f ft",
                kRoleNames[static_cast<int>(c.role)], from_below ? "from below" : "from above",
                c.altitude > ceiling ? "high" : "low", active_plan[c.index].ident.c_str(), c.closest, c.past,
                c.altitude);
            faults.push_back(where(text, c.wanted));
        }
    }
    // Long enough to climb 3000 ft above the higher field and descend
    // again at 400 ft/NM, with 20 NM to spare; and the last leg (its
    // constraint) lets the aircraft down; and the pilot's climb before
    // VNAV was engaged left it within reach of the field.
    const double top = std::max(origin, field) + 3000.0;
    const double needed = (top - origin) / 400.0 + (top - field) / 400.0 + 20.0;
    // The last constraint out of reach from the one before it (an approach
    // whose fixes lie too close for their altitudes) leaves the arrival high
    // with it: neither is judged.
    bool last_leg_descends = true;
    for (int i = last - 1; i >= 1; --i)
        if (constrained(i)) {
            last_leg_descends = active_plan[i].alt_constraint - field <= 400.0 * legs_nm(i + 1, last);
            for (const Checked& c : checked)
                if (c.index == i) last_leg_descends = last_leg_descends && c.reachable;
            break;
        }
    if (!f.no_destination && route_nm >= needed && last_leg_descends &&
        engaged_altitude - (field + 3000.0) <= engaged_reach(m.sim_time_s) &&
        choice_reach(m.sim_time_s, field + 3000.0)) {
        ++counts.arrivals_checked;
        // LNAV lets go when the last waypoint becomes the TO: on a short last
        // leg still far enough out that the path down to the field, at the
        // module's gradient along the legs the T/D is placed on, is above
        // 3000 ft there (a hairpin onto the last leg is flown much shorter).
        if (arrival_altitude > std::max(field + 3000.0, field + per_nm * arrival_to_go + 300.0))
            faults.push_back(where("arrived high", arrival_altitude));
    }
    // The plan flown, procedures chosen in the air among it, saved and
    // loaded again on every unit's reader.
    for (const std::string& f : saved_route_reload_faults())
        faults.push_back(f);
    return faults;
}

void fly_random_flights(unsigned first, int count, FlightCounts& counts, bool new_kinds) {
    for (int i = 0; i < count; ++i) {
        const unsigned seed = first + static_cast<unsigned>(i);
        for (const std::string& fault : fly_random_flight(seed, counts, new_kinds))
            counts.faults.push_back("seed " + std::to_string(seed) + ": " + fault);
    }
    ImportTable.panels = nullptr;
}

#include "random_flight_procedures.h"

#include "aircraft_store.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_key_layout.h"
#include "cdu_smiths/smiths_keys.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_key_layout.h"
#include "gns_mcu/gns_keys.h"
#include "gns_mcu/gns_render.h"
#include "platform/gfx.h"
#include "platform/gfx_surface.h"
#include "shared/procedure_parts_rule.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim_state.h"

namespace {

using procedure_table::procedure_part_faults;
using procedure_table::seen_plan;

bool pending(int state) {
    return state == kRouteStateActivated || state == kRouteStateActiveModified;
}

struct Seen {
    ProcedurePlanSeen flown, pending;
    int state = 0;
    bool gns_on_procedure_page = false;
};

// In the air the flown TO stands in both plans. In the one pending it is
// the entry EXEC will fly: the one after the FROM, past a gap there, as legs
// the change put in before the TO are still ahead; with the FROM gone, the
// TO's own entry, or where the legs passed end when a change took it out.
Seen see(bool moving) {
    const bool flown = moving && route_state >= kRouteStateActive && to_waypoint_index >= 0 &&
                       to_waypoint_index <= active_plan_last;
    int to = -1;
    if (flown && pending(route_state) && to_waypoint_index >= 1) {
        for (int i = 0; i < working_plan_last && to < 0; ++i)
            if (working_plan[i].id == active_plan[to_waypoint_index - 1].id) to = i + 1;
        while (to >= 0 && to < working_plan_last && procedure_table::is_gap(working_plan[to].ident))
            ++to;
    }
    if (flown && pending(route_state) && to < 0) {
        for (int i = 0; i <= working_plan_last && to < 0; ++i)
            if (working_plan[i].id == active_plan[to_waypoint_index].id) to = i;
        bool passed_kept = to_waypoint_index <= working_plan_last;
        for (int i = 0; passed_kept && i < to_waypoint_index; ++i)
            passed_kept = working_plan[i].id == active_plan[i].id;
        if (to < 0 && passed_kept) to = to_waypoint_index;
    }
    Seen s{seen_plan(active_plan, active_plan_last, flown ? to_waypoint_index : -1),
           seen_plan(working_plan, working_plan_last, to), route_state,
           gns_state == GNS_DEPARTURE || gns_state == GNS_ARRIVAL || gns_state == GNS_APPROACH};
    // A gap is no leg: it is seen by its place alone.
    for (ProcedurePlanSeen* p : {&s.flown, &s.pending})
        for (std::size_t i = 0; i < p->idents.size(); ++i)
            if (procedure_table::is_gap(p->idents[i])) p->ids[i] = 0;
    return s;
}

// The units' pages act on their keys in their render pass.
void draw_units() {
    void* dc = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording);
    render_smiths_fms(smiths_cdu_display, dc, PixelSize{282, 245});
    gfx::destroy_surface_dc(dc);
    aircraft_state.display_power = 1; // the panel powered, as at the gate with engines running
    dc = gfx::create_surface_dc(540, 430, gfx::SurfaceRecording);
    render_gnsxls(gnsxls_display, dc, PixelSize{540, 430});
    gfx::destroy_surface_dc(dc);
}

template <class Key> const Key& any_of(std::mt19937& rng, const std::vector<Key>& keys) {
    return keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(rng)];
}

} // namespace

void AutopilotSends::start() {
    *this = AutopilotSends{};
    last[0].key = kKeyAutopilotAltitudeSet;
    last[1].key = kKeyAutopilotAirspeedSet;
    last[2].key = kKeyAutopilotMachSet;
    seen = host::sim_state().key_events.size();
    phase = vnav_phase;
    to = to_waypoint_index;
    lnav = lnav_engaged;
    vnav = vnav_engaged;
    high = aircraft_state.indicated_altitude_ft > 10000.0;
    pattern = hold_armed != 0 && holding_active != 0;
}

void AutopilotSends::frame(bool route_changed) {
    const bool now_high = aircraft_state.indicated_altitude_ft > 10000.0;
    const bool now_pattern = hold_armed != 0 && holding_active != 0;
    events += route_changed + (vnav_phase != phase) + (to_waypoint_index != to) + (now_high != high) +
              (now_pattern != pattern) + (lnav_engaged != lnav) + (vnav_engaged != vnav);
    phase = vnav_phase;
    to = to_waypoint_index;
    lnav = lnav_engaged;
    vnav = vnav_engaged;
    high = now_high;
    pattern = now_pattern;
    const std::vector<host::KeyEvent>& sent = host::sim_state().key_events;
    for (; seen < sent.size(); ++seen) {
        const uint32_t id = sent[seen].id;
        altitudes += id == kKeyAutopilotAltitudeSet;
        speeds += id == kKeyAutopilotAirspeedSet || id == kKeyAutopilotMachSet;
        // A new value is its own reason; the same value again takes an
        // event not yet answered.
        for (Last& l : last) {
            if (l.key != id) continue;
            if (l.value == sent[seen].parameter && l.answered < events)
                ++l.answered;
            else if (l.value == sent[seen].parameter)
                ++again;
            l.value = sent[seen].parameter;
        }
    }
}

std::string AutopilotSends::fault() const {
    if (again == 0) return "";
    return std::to_string(again) + " targets sent again with no event left to answer (" +
           std::to_string(altitudes) + " altitudes and " + std::to_string(speeds) + " speeds for " +
           std::to_string(events) + " events)";
}

int choose_by_keys(std::mt19937& rng, bool departure, bool moving, AutopilotSends* sends,
                   std::vector<std::string>& faults) {
    PartCounts counts;
    uint32_t token = 0;
    gfx::startup(&token);
    // The route's ends, as the RTE page and the GNS take them from a plan
    // entered there.
    if (departure) departure_origin_ident = active_plan[0].ident;
    arrival_destination_ident = active_plan[active_plan_last].ident;
    active_sel.arrival_airport = arrival_destination_ident;
    Seen before = see(moving);
    const auto after_key = [&](const std::string& key) {
        draw_units();
        host::advance_aircraft();
        fms_update();
        const Seen now = see(moving);
        std::vector<std::string> found;
        const bool exec = key == "EXEC";
        // A GNS key that left its procedure page edits the plan elsewhere (a
        // waypoint typed on the flight plan page): not a choice to judge.
        const bool choice =
            key.rfind("GNS", 0) != 0 || before.gns_on_procedure_page || now.gns_on_procedure_page;
        const ProcedurePlanSeen& flown_was = exec && pending(before.state) ? before.pending : before.flown;
        if (choice && now.state >= kRouteStateActive)
            procedure_part_faults("the flown plan", flown_was, now.flown, moving, counts, found);
        if (choice && pending(now.state))
            procedure_part_faults("the plan pending", pending(before.state) ? before.pending : before.flown,
                                  now.pending, moving, counts, found);
        const bool route_changed =
            before.flown.ids != now.flown.ids ||
            procedure_table::departure_moved(before.flown.choices, now.flown.choices) ||
            procedure_table::arrival_moved(before.flown.choices, now.flown.choices);
        // EXEC of a change puts a route in place, even one that flies as
        // the one before.
        if (sends != nullptr) sends->frame(route_changed || (exec && pending(before.state)));
        for (const std::string& f : found)
            faults.push_back("after " + key + ": " + f);
        before = now;
    };
    std::uniform_int_distribution<int> choices(2, 6), picks(1, 3), coin(0, 9);
    for (int n = choices(rng); n > 0 && faults.empty(); --n) {
        if (coin(rng) < 6) {
            smiths_press_key(SmithsKey::DepArr);
            smiths_press_key(departure ? SmithsKey::L1 : SmithsKey::R2); // the origin's or destination's page
            after_key(departure ? "DEP_ARR L1" : "DEP_ARR R2");
            using K = SmithsKey;
            for (int k = picks(rng); k > 0; --k) {
                const K key =
                    any_of(rng, std::vector<K>{K::L1, K::L2, K::L3, K::R1, K::R2, K::R3, K::R4, K::R5});
                smiths_press_key(key);
                after_key((departure ? "DEPARTURES " : "ARRIVALS ") + std::to_string(static_cast<int>(key)));
            }
            const bool erase = coin(rng) < 3;
            smiths_press_key(erase ? SmithsKey::L6 : SmithsKey::Exec);
            after_key(erase ? "ERASE" : "EXEC");
        } else {
            using K = GnsKey;
            for (const K key : {K::Nav, K::Fpl, departure ? K::L4 : K::L5}) {
                gns_press_key(key);
                draw_units();
            }
            const bool approach = coin(rng) < 5;
            if (departure || approach) { // DEPART on the second L4; APCH on the second L5, else ARRIVE
                gns_press_key(departure ? K::L4 : K::L5);
                draw_units();
            }
            gns_press_key(K::Ent);
            after_key("GNS page");
            for (int k = picks(rng) + 3; k > 0; --k) {
                const K key = any_of(rng, std::vector<K>{K::L3, K::L4, K::L5, K::Ent, K::Ent, K::Ent});
                gns_press_key(key);
                after_key("GNS " + std::to_string(static_cast<int>(key)));
            }
        }
    }
    // The flight flies what was chosen.
    if (pending(route_state)) {
        smiths_press_key(SmithsKey::Exec);
        after_key("EXEC");
    }
    gfx::shutdown(token);
    return counts.departures + counts.arrivals;
}

int choose_arrival_by_keys(std::mt19937& rng, std::vector<std::string>& faults) {
    return choose_by_keys(rng, false, false, nullptr, faults);
}

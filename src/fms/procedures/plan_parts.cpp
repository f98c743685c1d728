#include "fms/procedures/plan_parts.h"

#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

using Legs = std::vector<RouteWaypoint>;

// The leading decimal digits of an altitude text; 0 when it has none.
int leading_number(const std::string& text) {
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || value > 9999999) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The flown plan's approach legs carry no constraints; a plan being made
// gets the procedure's altitudes and the approach speeds.
RouteWaypoint approach_leg(const PreviewLeg& p, bool with_constraints) {
    RouteWaypoint w;
    w.ident = p.fix;
    w.kind = "APPR";
    w.lat = p.latitude;
    w.lon = p.longitude;
    w.flyover = p.flyover;
    w.aux_text = p.role;
    w.course = -1.0;
    if (with_constraints) {
        w.speed_constraint = p.role == "IAF" ? 190.0 : p.role == "FAF" ? 170.0 : 180.0;
        const int altitude = leading_number(p.altitude_text);
        if (altitude >= 100) {
            w.alt_constraint = altitude;
            w.altitude_kind = AltitudeKind::Procedure;
        }
    }
    fill_navaid_data(w);
    return w;
}

Legs procedure_legs(const PreviewLegs& preview, const char* kind) {
    Legs legs;
    for (int i = 1; i <= preview.count(); ++i) {
        legs.push_back(procedure_leg(preview[i], kind));
        fill_navaid_data(legs.back());
    }
    return legs;
}

// The STAR, then the approach up to its missed approach. `before` is the
// entry the arrival follows, `before_index` its place.
Legs arrival_legs(const PlanChoices& c, const RouteWaypoint& before, int before_index, bool flown,
                  bool with_gap) {
    PreviewLegs preview;
    star_legs_for(c, preview);
    Legs legs = procedure_legs(preview, "STAR");
    approach_legs_for(c, preview);
    Legs approach;
    for (int i = 1; i <= preview.count() && preview[i].role != "MAP"; ++i)
        approach.push_back(approach_leg(preview[i], !flown));
    if (approach.empty()) return legs;
    const std::string& joins = legs.empty() ? before.ident : legs.back().ident;
    if (joins == approach.front().ident) {
        // The approach's fix, with its constraints, in place of the STAR's
        // last; an en-route fix stays as it is.
        if (!legs.empty())
            legs.pop_back();
        else
            approach.erase(approach.begin());
    } else if (with_gap && (!legs.empty() || before_index > 1)) {
        RouteWaypoint gap = discontinuity_entry();
        const RouteWaypoint& first = approach.front();
        gap.lat = first.lat;
        gap.lon = first.lon;
        gap.speed_constraint = first.speed_constraint;
        gap.alt_constraint = first.alt_constraint;
        gap.altitude_kind = first.altitude_kind;
        legs.push_back(gap);
    }
    legs.insert(legs.end(), approach.begin(), approach.end());
    return legs;
}

// Where the flown TO stands in the plan edited, -1 when it stands in none
// of its entries: on the ground nothing is passed yet, a route not yet
// executed is not flown, and a plan made anew holds none of its entries. In
// a change pending it is the TO that EXEC will fly, by the rule that keeps
// the aircraft on its leg: the entry after the FROM, so that legs the change
// put in between are flown, not taken as passed; with the FROM gone, the
// TO's own entry.
int flown_to_index(const PlanTarget& t) {
    if (standing_on_ground() || route_state < kRouteStateActive || to_waypoint_index == kNoToWaypoint ||
        to_waypoint_index < 0 || to_waypoint_index > active_plan_last)
        return -1;
    if (t.active) return to_waypoint_index;
    if (working_plan_new == 1) return -1;
    const RoutePlan& plan = t.plan();
    const int last = plan.last();
    if (last < 1) return -1;
    const ActiveLeg leg = active_leg();
    // Not moved on past a gap there: an earlier choice of the same change
    // left it where the TO stood, and the new legs go in its place.
    const int from = find_entry(plan, last, leg.from, leg.from_unique);
    if (from >= 0) return std::min(from + 1, last);
    return find_entry(plan, last, leg.to, leg.to_unique);
}

// The name of the SID or STAR a leg at `k` of `legs` belongs to, from its
// label (SID.TRANSITION, TRANSITION.STAR) or, on a procedure's first leg,
// which carries none, from the next leg's; empty where no leg tells it.
template <class List> std::string procedure_name(const List& legs, int k, int last) {
    const std::string& kind = legs[k].kind;
    const bool star = kind == "STAR" || kind == "SIDSTAR";
    for (int j = k; j <= last && j <= k + 1; ++j) {
        const std::string& via = legs[j].via;
        if (via.empty() || (j > k && legs[j].kind != kind && !(star && legs[j].kind == "STAR"))) continue;
        const std::size_t dot = via.find('.');
        if (dot == std::string::npos) return via;
        return star ? via.substr(dot + 1) : via.substr(0, dot);
    }
    return {};
}

// Whether the new leg `legs[n]` is a leg the aircraft flew as `edit[k]`: the
// same fix of the same procedure. A fix of another procedure met under the
// same name is no leg flown.
bool same_leg(const PlanEdit& edit, int k, const Legs& legs, int n) {
    const RouteWaypoint& was = edit[k];
    const RouteWaypoint& leg = legs[static_cast<std::size_t>(n)];
    if (entry_kind(was) != EntryKind::Place || was.ident != leg.ident) return false;
    const auto family = [](const std::string& kind) {
        return kind == "SIDSTAR" ? std::string("STAR") : kind;
    };
    if (family(was.kind) != family(leg.kind) && !(was.kind == "SIDSTAR" && leg.kind == "SID")) return false;
    if (leg.kind == "APPR") return was.aux_text == leg.aux_text;
    const std::string old_name = procedure_name(edit, k, edit.last());
    const std::string new_name = procedure_name(legs, n, static_cast<int>(legs.size()) - 1);
    return old_name.empty() || new_name.empty() || old_name == new_name;
}

// A leg of the old procedure already flown is flown no second time: the new
// legs go on from the last one they pass before the TO (a runway changed
// inside the STAR). Back to there the arrival's legs may hold what a pilot's
// edit left among them (a direct-to's start, a fix, a gap); the airfield
// before them or the SID ends them.
void drop_passed_legs(const PlanEdit& edit, int to, Legs& legs) {
    const bool departure = !legs.empty() && legs.front().kind == "SID";
    const auto old_leg = [&](const RouteWaypoint& w) {
        return departure ? w.ident == "DISCO" || w.kind == "SID" : w.kind == "STAR" || w.kind == "APPR";
    };
    const auto in_part = [&](const RouteWaypoint& w) {
        return departure ? old_leg(w) : w.type != "APT" && w.kind != "SID" && w.kind != "SIDSTAR";
    };
    for (int k = to - 1; k >= 0 && in_part(edit[k]); --k) {
        if (!old_leg(edit[k])) continue;
        for (int n = 0; n < static_cast<int>(legs.size()); ++n) {
            if (!same_leg(edit, k, legs, n)) continue;
            legs.erase(legs.begin(), legs.begin() + n + 1);
            return;
        }
    }
}

// Whether the entry at `to` is the one the aircraft flies to: in a change
// pending, the flown TO's own entry, not one an earlier choice of the same
// change put after the FROM.
bool flown_to_entry(const PlanTarget& t, const PlanEdit& edit, int to) {
    if (t.active) return true;
    return to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last &&
           edit[to].id == active_plan[to_waypoint_index].id;
}

// Whether the TO at `to` is a fix of the pilot's among the arrival's legs
// (one flown direct to, a hold's): a leg of the arrival before it, back over
// what else a pilot's edit left there, and no airfield or SID leg between it
// and `s`, where the arrival part is joined (those are the en-route part's).
bool pilots_to_in_arrival(const PlanEdit& edit, int to, int s) {
    if (to < 1 || to >= edit.last() || entry_kind(edit[to]) != EntryKind::Place || edit[to].type == "APT" ||
        edit[to].kind == "STAR" || edit[to].kind == "APPR" || edit[to].kind == "SID" ||
        edit[to].kind == "SIDSTAR")
        return false;
    for (int k = to + 1; k <= s; ++k)
        if (edit[k].type == "APT" || edit[k].kind == "SID" || edit[k].kind == "SIDSTAR") return false;
    for (int k = to - 1; k >= 1; --k) {
        const RouteWaypoint& w = edit[k];
        if (w.type == "APT" || w.kind == "SID" || w.kind == "SIDSTAR") return false;
        if (w.kind == "STAR" || w.kind == "APPR") return true;
    }
    return false;
}

// Entries from..end - 1 become `legs`. A TO among them keeps the legs
// passed before it; it stays, flown on from its fix, when the new legs pass
// that fix, else the new legs take its place, from after the last leg of the
// old procedure passed that they pass. Legs past the plan's capacity
// are refused.
void replace_part(const PlanTarget& t, int from, int end, Legs legs, int to) {
    PlanEdit edit(t, "a procedure part rebuilt");
    // With the TO on the airfield the part ends at, the new legs go in
    // before it and the TO onto the first of them.
    const bool on_the_end = to == end && end == edit.last() && edit[end].type == "APT" && !legs.empty() &&
                            legs.front().kind != "SID";
    if (to >= end && !on_the_end) return; // all of it flown
    if (to >= from) {
        // Only the leg the aircraft is on goes on from its fix, when the new
        // legs fly it too: not an entry an earlier choice of the same change
        // put after the FROM, nor a gap where the TO stood.
        auto at = legs.end();
        if (to < end && flown_to_entry(t, edit, to))
            for (int n = 0; n < static_cast<int>(legs.size()) && at == legs.end(); ++n)
                if (same_leg(edit, to, legs, n) || (entry_kind(edit[to]) == EntryKind::Place &&
                                                    edit[to].ident == legs[n].ident && edit[to].kind.empty()))
                    at = legs.begin() + n;
        if (at != legs.end()) {
            RouteWaypoint kept = *at;
            keep_entry_identity(kept, edit[to]);
            write_entry(t, to, kept);
            legs.erase(legs.begin(), at + 1);
            from = to + 1;
        } else {
            drop_passed_legs(edit, to, legs);
            from = to;
            if (t.active) {
                edit.to_fallback(to);
                if (direct_to_active == 1) direct_to_active = 0;
            }
        }
    }
    // A fix the part held and still holds, in the same order, stays that
    // entry: its id, and so its hold, go on with it.
    std::vector<bool> stays(static_cast<std::size_t>(std::max(end - from, 0)), false);
    for (int next = from; RouteWaypoint & leg : legs) {
        for (int j = next; j < end; ++j) {
            if (entry_kind(edit[j]) != EntryKind::Place || edit[j].ident != leg.ident) continue;
            keep_entry_identity(leg, edit[j]);
            stays[static_cast<std::size_t>(j - from)] = true;
            next = j + 1;
            break;
        }
    }
    for (int j = end - 1; j >= from; --j)
        if (!stays[static_cast<std::size_t>(j - from)]) remove_entry(t, j);
    int k = from;
    for (const RouteWaypoint& leg : legs) {
        const bool kept = leg.id != 0 && k <= edit.last() && edit[k].id == leg.id;
        if (!kept && !open_slot(t, k)) break; // the plan is full
        write_entry(t, k, leg);
        ++k;
    }
}

bool is_gap_entry(const RouteWaypoint& w) {
    return entry_kind(w) == EntryKind::PlacedGap || entry_kind(w) == EntryKind::Gap;
}

// The first entry of the plan's arrival part, which the rebuild replaces
// whole; the destination's place when it has none. The part begins at the
// first STAR or approach leg of those before the destination, an approach
// with the gap in front of it: whatever a pilot's edit left among them (a fix
// put in, a direct-to's start, a gap where a leg was deleted) is inside it.
// A gap in front of a STAR's first leg is the route's own (it does not reach
// the STAR), and an airfield on the way and the SID's legs are not inside,
// nor anything before the flown TO. For a new destination the old one, when
// it stays just before it (`old_destination`), is inside too, with the gaps
// in front of the old arrival.
int arrival_part_begin(const PlanEdit& edit, int to, bool new_destination,
                       const std::string& old_destination) {
    const int floor = to >= 1 ? to - 1 : 0;
    const int last = edit.last();
    int begin = std::max(last, 0);
    for (int s = last - 1; s > floor; --s) {
        const RouteWaypoint& w = edit[s];
        const bool old_end = new_destination && s == last - 1 && w.type == "APT" &&
                             !old_destination.empty() && w.ident == old_destination;
        if (!old_end && (w.type == "APT" || w.kind == "SID" || w.kind == "SIDSTAR")) break;
        if (old_end || w.kind == "STAR" || w.kind == "APPR") begin = s;
    }
    // A gap in front of a STAR leg that is not its procedure's first (it
    // bears the procedure's label) is where a leg of that STAR was deleted:
    // the STAR's too.
    const bool star_leg_deleted = edit[begin].kind == "STAR" && !edit[begin].via.empty();
    if (begin < last && (new_destination || edit[begin].kind == "APPR" || star_leg_deleted))
        while (begin - 1 > floor && is_gap_entry(edit[begin - 1]))
            --begin;
    return begin;
}

void rebuild_arrival_part(const PlanTarget& t, const PlanChoices& c, bool with_gap, bool new_destination,
                          const std::string& old_destination);

} // namespace

void rebuild_arrival_for_new_destination(const PlanTarget& t, const PlanChoices& c, bool with_gap,
                                         const std::string& old_destination) {
    {
        PlanEdit edit(t, "the old arrival dropped");
        const int to = flown_to_index(t);
        const int first = std::max(to, 1);
        for (int i = arrival_part_begin(edit, to, true, old_destination) - 1; i >= first; --i) {
            RouteWaypoint& w = edit.entry(i);
            if (w.kind == "SIDSTAR") w.kind = "SID";
            if (w.kind != "STAR" && w.kind != "APPR") continue;
            if (i == to) {
                w.kind.clear();
                continue;
            }
            remove_entry(t, i);
            while (i - 1 > std::max(to, 0) && is_gap_entry(edit[i - 1]))
                remove_entry(t, --i);
        }
    }
    rebuild_arrival_part(t, c, with_gap, true, old_destination);
}

void rebuild_departure(const PlanTarget& t, const PlanChoices& c) {
    PlanEdit edit(t, "the departure rebuilt");
    // In the flown plan the aircraft stays on its leg: on the ground, the
    // SID's first leg is flown.
    edit.to_fallback(1);
    const int no_route = t.active ? to_waypoint_index : working_cursor_index;
    if (no_route == kNoToWaypoint) {
        if (edit.last() < 0) edit.set_last(0);
        cut_plan(t, 0);
    }
    if (edit.last() < 0) edit.set_last(0);
    const int to = flown_to_index(t);
    // Once a leg is flown, entry 0 is where it was flown from (a direct-to's
    // start, say) and stays; before that the plan begins at the origin.
    if (to < 1) {
        if (edit[0].type != "APT")
            select_airport(origin_airport_ident,
                           t.active ? kSelectAirportActiveOrigin : kSelectAirportWorkingOrigin);
        if (t.active && direct_to_active == 1) direct_to_active = 0;
        // Nothing of a direct-to's start goes on with the origin, but the
        // entry stays the one the first leg is flown from.
        // An origin that is the airport already stays as it is, where it
        // stands too: written over at the database's position it would be
        // another entry, and the leg flown from it no longer found.
        const AirportProcedures& slot = airport_slots[origin_slot];
        if (edit[0].type != "APT" || edit[0].ident != slot.airport_ident) {
            RouteWaypoint origin = edit[0].type == "APT" ? edit[0] : RouteWaypoint{};
            keep_entry_identity(origin, edit[0]);
            origin.ident = slot.airport_ident;
            origin.lat = slot.airport_latitude;
            origin.lon = slot.airport_longitude;
            origin.type = "APT";
            origin.frequency.clear();
            write_entry(t, 0, origin);
        }
    }

    int end = 1;
    while (end <= edit.last() && edit[end].kind == "SID")
        ++end;
    PreviewLegs preview;
    sid_legs_for(c, preview);
    Legs legs = procedure_legs(preview, "SID");
    // A departure flown whole is left as it is: its join stays en route.
    if (!legs.empty() && end <= edit.last() && legs.back().ident == edit[end].ident && to < end) {
        legs.pop_back();
        if (edit[end].kind == "STAR") edit.entry(end).kind = "SIDSTAR";
    } else if (end <= edit.last() && edit[end].kind == "SIDSTAR" && to < end) {
        // The fix the old SID ended at is now the STAR's first alone.
        edit.entry(end).kind = "STAR";
    }
    replace_part(t, 1, end, std::move(legs), to);
    sid_edit_pending = 0;
}

bool take_saved_approach_legs(const PlanTarget& t, const PlanChoices& c) {
    PreviewLegs preview;
    approach_legs_for(c, preview);
    Legs approach;
    for (int i = 1; i <= preview.count() && preview[i].role != "MAP"; ++i)
        approach.push_back(approach_leg(preview[i], !t.active));
    PlanEdit edit(t, "a saved approach's legs");
    const int last = edit.last();
    if (approach.empty() || last < 2 || edit[last].type != "APT") return false;
    // The approach's final fix as saved, the last of that name; a pilot's
    // edit may have left entries after it (a direct-to's start).
    int end = last - 1;
    while (end >= 1 && edit[end].ident != approach.back().ident)
        --end;
    if (end < 1 || (!edit[end].kind.empty() && edit[end].kind != "APPR")) return false;
    // Back from it, the approach's legs that stand before it in order.
    int first = end;
    for (int n = static_cast<int>(approach.size()) - 2; n >= 0 && first > 1; --n) {
        if (edit[first - 1].ident != approach[static_cast<std::size_t>(n)].ident) break;
        --first;
    }
    // A gap between the origin and the approach is none the plan is built
    // with: nothing before it to fly from.
    if (first == 2 && is_gap_entry(edit[1])) return false;
    const int skipped = static_cast<int>(approach.size()) - (end - first + 1);
    for (int i = first; i <= end; ++i) {
        // A STAR's last leg the approach begins at was saved as the STAR's,
        // as the choice joined them: it stays so.
        if (edit[i].kind == "STAR") continue;
        RouteWaypoint& leg = approach[static_cast<std::size_t>(skipped + i - first)];
        keep_entry_identity(leg, edit[i]);
        // The fix keeps the type and frequency it was saved with: an
        // en-route fix the approach joins at may be typed otherwise than the
        // database's navaid of that name.
        if (!edit[i].type.empty()) {
            leg.type = edit[i].type;
            leg.frequency = edit[i].frequency;
        }
        write_entry(t, i, leg);
    }
    if (t.active) edit.entry(last).alt_constraint = airport_elevation_ft(edit[last].ident);
    approach_preview_built = 0;
    return true;
}

void rebuild_arrival(const PlanTarget& t, const PlanChoices& c, bool with_gap) {
    rebuild_arrival_part(t, c, with_gap, false, "");
}

namespace {

void rebuild_arrival_part(const PlanTarget& t, const PlanChoices& c, bool with_gap, bool new_destination,
                          const std::string& old_destination) {
    PlanEdit edit(t, "the arrival rebuilt");
    // A plan still without its first entry (a new plan) has no route for
    // the legs to join.
    if (edit.last() < 0) return;
    if (edit[edit.last()].type != "APT") {
        // The arrival ends at the destination airport.
        if (t.active)
            select_airport(airport_slots[destination_slot].airport_ident, kSelectAirportActiveDestination);
        else
            select_airport(origin_airport_ident, kSelectAirportWorkingAppend);
    }
    // A plan still without its destination (a new plan whose origin is not
    // an airport, or the origin alone) has no route for the legs to join.
    if (edit.last() < 1) return;

    const RouteWaypoint destination = destination_entry();
    int last = edit.last();
    // Where no airport could be appended the destination still goes after
    // the plan's last leg, never over it.
    if (edit[last].type != "APT" && open_slot(t, last + 1)) ++last;
    // A new destination's entry is written anew; the one the plan ends at
    // stays that entry, with its hold and constraint.
    if (edit[last].type != "APT" || edit[last].ident != destination.ident) write_entry(t, last, destination);

    const int to = flown_to_index(t);
    int s = std::max(arrival_part_begin(edit, to, new_destination, old_destination) - 1, 0);
    // A fix of the pilot's flown among the arrival's legs is flown to as it
    // is: the new legs follow it, and what the pilot's edit left after it
    // goes with the old legs.
    if (!new_destination && s > to && pilots_to_in_arrival(edit, to, s)) s = to;
    Legs legs = arrival_legs(c, edit[s], s, t.active, with_gap);
    // The en-route part's last fix met again as the arrival's first is flown
    // once: the en-route entry stays (a SID's last leg joins the STAR).
    const bool ahead = s >= 1 && (to < 0 || s >= to);
    const bool joins = ahead && !legs.empty() && legs.front().ident == edit[s].ident;
    // A SID's last fix that the old STAR began at is the SID's alone unless
    // the new STAR begins there too.
    if (ahead && edit[s].kind == "SIDSTAR" && !(joins && legs.front().kind == "STAR"))
        edit.entry(s).kind = "SID";
    if (joins) {
        if (edit[s].kind == "SID" && legs.front().kind == "STAR") edit.entry(s).kind = "SIDSTAR";
        legs.erase(legs.begin());
    }
    const bool approach = !legs.empty() && legs.back().kind == "APPR";
    replace_part(t, s + 1, last, std::move(legs), to);
    // The flown plan's approach ends at the destination's own elevation (the
    // text of the airport loaded last may be the origin's).
    if (t.active && approach && edit[edit.last()].type == "APT")
        edit.entry(edit.last()).alt_constraint = airport_elevation_ft(edit[edit.last()].ident);
    // The vertical target of a plan not yet flown stays on the arrival's end.
    if (!t.active && route_state < kRouteStateActive && constraint_waypoint_index > s)
        edit.place(constraint_waypoint_index, edit.last());
    approach_preview_built = 0;
    star_edit_pending = 0;
}

} // namespace

// The rule of a plan's procedure parts, read against the legs of this
// checker's own table (procedure_legs_table.h): a plan whose choices or
// procedure parts moved holds the origin and the SID's legs for its runway and
// transition, the en-route part as it was, then the STAR's legs for the
// arrival runway (the approach's, when one is chosen) and its transition, at
// most one discontinuity where the STAR and the approach do not join, the
// approach with its transition up to the missed approach, and the
// destination, each leg once; nothing before the flown TO moved.
#pragma once

#include "fms/plan/plan_choices.h"
#include "fms/plan/route_plan.h"
#include "procedure_legs_table.h"

#include <algorithm>
#include <string>
#include <vector>

// A plan as the rule compares it.
struct ProcedurePlanSeen {
    std::vector<int> ids;
    std::vector<std::string> idents, kinds; // an airport's kind is "APT"
    PlanChoices choices;
    int to = -1; // the flown TO's place in the plan
};

// How often the rule met what it checks.
struct PartCounts {
    int departures = 0, arrivals = 0, with_gap = 0;
};

namespace procedure_table {

inline bool is_gap(const std::string& ident) {
    return ident == "DISCO";
}

inline ProcedurePlanSeen seen_plan(const RoutePlan& plan, int last, int to) {
    ProcedurePlanSeen p;
    for (int i = 0; i <= last; ++i) {
        p.ids.push_back(plan[i].id);
        p.idents.push_back(plan[i].ident);
        p.kinds.push_back(plan[i].type == "APT" ? "APT" : plan[i].kind);
    }
    p.choices = plan.choices();
    p.to = to;
    return p;
}

inline std::string line_of(const std::vector<std::string>& idents, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < idents.size(); ++i)
        out += (out.empty() ? "" : " ") + idents[i];
    return out;
}

// Where a plan's parts begin, read from its entries' kinds: the departure
// from entry 1 (SID legs), the arrival before the destination: from the first
// STAR or approach leg after the en-route part, an approach with the gaps in
// front of it, and whatever a pilot's edit left among its legs (a fix, a
// direct-to's start, a gap). A gap in front of a STAR, where the route does
// not reach it, and an airfield on the way are en route. A fix where the SID
// ends and the STAR begins, flown once, is in both. A plan without its
// destination still has the arrival legs it holds: the part then runs to the
// plan's end, with what a pilot's edit left after them.
struct Parts {
    int departure_end = 1, arrival_begin = 1, last = 0;
    bool origin = false, destination = false;
    int arrival_end() const { return destination ? last : last + 1; }
};

inline Parts parts_of(const ProcedurePlanSeen& p) {
    Parts s;
    s.last = static_cast<int>(p.idents.size()) - 1;
    if (s.last < 1) return s;
    const auto kind = [&](int i) -> const std::string& { return p.kinds[static_cast<std::size_t>(i)]; };
    s.origin = kind(0) == "APT";
    s.destination = kind(s.last) == "APT";
    while (s.departure_end <= s.last && kind(s.departure_end) == "SID")
        ++s.departure_end;
    const bool shared = s.departure_end < s.last && kind(s.departure_end) == "SIDSTAR";
    s.departure_end += shared;
    s.arrival_begin = s.arrival_end();
    for (int i = s.arrival_end() - 1; i >= s.departure_end; --i) {
        if (kind(i) == "APT" || kind(i) == "SID" || kind(i) == "SIDSTAR") break;
        if (kind(i) == "STAR" || kind(i) == "APPR") s.arrival_begin = i;
    }
    if (s.arrival_begin < s.arrival_end() && kind(s.arrival_begin) == "APPR")
        while (s.arrival_begin - 1 >= s.departure_end &&
               is_gap(p.idents[static_cast<std::size_t>(s.arrival_begin - 1)]))
            --s.arrival_begin;
    if (shared && s.arrival_begin == s.departure_end) --s.arrival_begin;
    return s;
}

inline std::vector<int> ids_between(const ProcedurePlanSeen& p, int from, int to) {
    return std::vector<int>(p.ids.begin() + std::max(0, from),
                            p.ids.begin() +
                                std::clamp(to, std::max(0, from), static_cast<int>(p.ids.size())));
}

// Whether the plan's leg of kind `kind` is the expected leg `n` of a part
// whose first `stars` legs are a STAR's (the rest the approach's; a
// departure's are all the SID's): a fix of another procedure met under the
// same name is not that leg. The STAR's last fix where the approach begins
// may stand as either's.
inline bool same_procedure(const std::string& kind, std::size_t n, std::size_t stars, bool departure) {
    if (departure) return kind == "SID" || kind == "SIDSTAR";
    const bool star = kind == "STAR" || kind == "SIDSTAR";
    return n < stars ? star : kind == "APPR" || (star && n == stars);
}

// The part's legs from `from` to `end`, gaps left out, against the legs the
// choices fly. A TO among them keeps the legs passed before it and flies on
// from its fix where the new legs pass it, else the new legs stand in its
// place, from after the last leg of the old procedure passed that they pass. A first leg at the fix before
// the part, or a last at the fix after it, is flown once, there.
inline bool part_holds(const ProcedurePlanSeen& p, int from, int end, std::vector<std::string> expected,
                       std::size_t stars, int to, bool departure) {
    // The first expected leg of fix k's name and procedure.
    const auto leg_of = [&](int k) {
        for (std::size_t n = 0; n < expected.size(); ++n)
            if (expected[n] == p.idents[static_cast<std::size_t>(k)] &&
                same_procedure(p.kinds[static_cast<std::size_t>(k)], n, stars, departure))
                return n;
        return expected.size();
    };
    // A TO the pilot put among an arrival's legs (a fix flown direct to, a
    // hold's) is flown to as it is: the new legs follow it.
    if (!departure && to >= from && to < end && p.kinds[static_cast<std::size_t>(to)] != "STAR" &&
        p.kinds[static_cast<std::size_t>(to)] != "APPR" && !is_gap(p.idents[static_cast<std::size_t>(to)]))
        from = to + 1;
    const std::string before = from >= 1 ? p.idents[static_cast<std::size_t>(from - 1)] : "";
    const std::string after =
        end < static_cast<int>(p.idents.size()) ? p.idents[static_cast<std::size_t>(end)] : "";
    bool joins_before = true;
    if (to >= from && to < end) {
        const std::size_t at = leg_of(to);
        const bool flies_on = at < expected.size();
        if (flies_on) expected.erase(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(at));
        // Back over the part's legs passed: what a pilot's edit left among
        // an arrival's legs (a fix, a direct-to's start, a gap) is inside it.
        const auto procedure_leg = [&](int k) {
            const std::string& kind = p.kinds[static_cast<std::size_t>(k)];
            return departure ? is_gap(p.idents[static_cast<std::size_t>(k)]) || kind == "SID"
                             : kind == "STAR" || kind == "APPR";
        };
        const auto in_part = [&](int k) {
            const std::string& kind = p.kinds[static_cast<std::size_t>(k)];
            return departure ? procedure_leg(k) : kind != "APT" && kind != "SID" && kind != "SIDSTAR";
        };
        for (int k = to - 1; k >= 0 && !flies_on && in_part(k); --k) {
            if (!procedure_leg(k)) continue;
            const std::size_t passed = leg_of(k);
            if (passed == expected.size()) continue;
            expected.erase(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(passed) + 1);
            break;
        }
        from = to;
        joins_before = false;
    }
    std::vector<std::string> actual;
    for (int i = from; i < end; ++i)
        if (!is_gap(p.idents[static_cast<std::size_t>(i)]))
            actual.push_back(p.idents[static_cast<std::size_t>(i)]);
    for (const bool drop_first : {false, true})
        for (const bool drop_last : {false, true}) {
            std::vector<std::string> e = expected;
            if (drop_first && (!joins_before || e.empty() || e.front() != before)) continue;
            if (drop_first) e.erase(e.begin());
            if (drop_last && (e.empty() || e.back() != after)) continue;
            if (drop_last) e.pop_back();
            if (actual == e) return true;
        }
    return false;
}

inline std::string joined(const std::vector<std::string>& legs) {
    return line_of(legs, 0, legs.size());
}

inline bool departure_moved(const PlanChoices& a, const PlanChoices& b) {
    return a.departure_runway != b.departure_runway || a.sid != b.sid || a.sid_transition != b.sid_transition;
}

inline bool arrival_moved(const PlanChoices& a, const PlanChoices& b) {
    return a.arrival_runway != b.arrival_runway || a.star != b.star ||
           a.star_transition != b.star_transition || a.approach != b.approach ||
           a.approach_transition != b.approach_transition;
}

inline void procedure_part_faults(const char* name, const ProcedurePlanSeen& was,
                                  const ProcedurePlanSeen& now, bool moving, PartCounts& counts,
                                  std::vector<std::string>& faults) {
    const Parts w = parts_of(was), n = parts_of(now);
    if (n.last < 1) return;
    const PlanChoices& c = now.choices;
    const std::string plan = line_of(now.idents, 0, now.idents.size());
    // A TO whose entry the new legs took the place of stood where they begin.
    const int to = !moving ? -1 : now.to >= 0 ? now.to : was.to;
    // Nothing before the flown TO moves, nor is written over.
    const auto flown = [&](const ProcedurePlanSeen& p) {
        const int end = std::min(to, was.to);
        return std::make_pair(
            ids_between(p, 0, end),
            std::vector<std::string>(
                p.idents.begin(), p.idents.begin() + std::clamp(end, 0, static_cast<int>(p.idents.size()))));
    };
    if (to >= 1 && was.to >= 1 && flown(was) != flown(now))
        faults.push_back(std::string(name) +
                         ": a procedure choice changed the legs flown before the TO: " + plan);
    const bool departure = departure_moved(was.choices, c) ||
                           ids_between(was, 1, w.departure_end) != ids_between(now, 1, n.departure_end);
    const bool arrival =
        arrival_moved(was.choices, c) || ids_between(was, w.arrival_begin, w.arrival_end()) !=
                                             ids_between(now, n.arrival_begin, n.arrival_end());
    if (!departure && !arrival) return;
    // The en-route part is no procedure's; a gap it ends with may become the
    // one in front of an approach.
    const auto en_route = [](const ProcedurePlanSeen& p, const Parts& s) {
        int end = s.arrival_begin;
        while (end > s.departure_end && is_gap(p.idents[static_cast<std::size_t>(end - 1)]))
            --end;
        return ids_between(p, s.departure_end, end);
    };
    if (!was.ids.empty() && en_route(was, w) != en_route(now, n))
        faults.push_back(std::string(name) + ": a procedure choice changed the en-route part " +
                         line_of(was.idents, static_cast<std::size_t>(w.departure_end),
                                 static_cast<std::size_t>(w.arrival_begin)) +
                         ": " + plan);
    // A part wholly flown stays as it was (the rule above).
    if (departure && n.origin && to < n.departure_end) {
        ++counts.departures;
        const std::vector<std::string> sid =
            sid_legs(now.idents[0], c.sid, c.departure_runway, c.sid_transition);
        if (!part_holds(now, 1, n.departure_end, sid, 0, to, true))
            faults.push_back(std::string(name) + ": the departure is not " + c.sid + "." + c.sid_transition +
                             " for " + c.departure_runway + " (" + joined(sid) + "): " + plan);
    }
    const std::string& airport = now.idents[static_cast<std::size_t>(n.last)];
    const bool chosen_here = c.arrival_choice_airport.empty() || c.arrival_choice_airport == airport;
    if (!arrival || !n.destination || !chosen_here || to >= n.last) return;
    ++counts.arrivals;
    const std::vector<std::string> approach = approach_legs(airport, c.approach, c.approach_transition);
    const std::string runway = none(c.approach) ? c.arrival_runway : approach_runway(airport, c.approach);
    if (!none(c.approach) && runway != c.arrival_runway)
        faults.push_back(std::string(name) + ": approach " + c.approach + " is for " + runway +
                         ", the arrival runway chosen is " + c.arrival_runway);
    std::vector<std::string> legs = star_legs(airport, c.star, runway, c.star_transition);
    if (!legs.empty() && !approach.empty() && legs.back() == approach.front()) legs.pop_back();
    const std::size_t stars = legs.size();
    legs.insert(legs.end(), approach.begin(), approach.end());
    if (!part_holds(now, n.arrival_begin, n.last, legs, stars, to, false))
        faults.push_back(std::string(name) + ": the arrival is not " + c.star_transition + "." + c.star +
                         " for " + runway + " then " + c.approach + " via " + c.approach_transition + " (" +
                         joined(legs) + "): " + plan);
    // At most one gap, in front of an approach whose first fix the legs
    // before it do not reach.
    int gaps = 0;
    for (int i = std::max(n.arrival_begin, to); i < n.last; ++i) {
        if (!is_gap(now.idents[static_cast<std::size_t>(i)])) continue;
        ++gaps;
        const bool joins = i >= 1 && now.idents[static_cast<std::size_t>(i - 1)] ==
                                         now.idents[static_cast<std::size_t>(i + 1)];
        if (joins || now.kinds[static_cast<std::size_t>(i + 1)] != "APPR")
            faults.push_back(std::string(name) + ": a discontinuity where the arrival joins: " + plan);
    }
    counts.with_gap += gaps > 0;
    if (gaps > 1)
        faults.push_back(std::string(name) + ": more than one discontinuity in the arrival: " + plan);
}

} // namespace procedure_table

// What the plan keeps beside its entries, by entry id: the altitude and speed
// the profile prediction worked out, and the times the aircraft passed the
// flown plan's entries. (The holds on entries come from the hold list itself:
// hold_mark, fms/plan/holds.h.) An entry's own fields hold only what was
// entered; the array other modules read shows these values in them
// (publish_flown_plan).
#pragma once

#include "fms/plan/route_plan.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

class PlanMarks {
  public:
    // The predicted altitude (ft) and speed (kt) of an entry of the flown
    // plan. A prediction stands for its entry until the entry's own value
    // changes (a constraint entered or taken away), and goes with the entry
    // into the working copy, whose entries keep their ids.
    void predict_altitude(const RouteWaypoint& w, double altitude);
    void predict_speed(const RouteWaypoint& w, double speed);
    // What an entry shows as its altitude and speed: the prediction that
    // stands for it, else its own constraint (-999: none).
    double altitude(const RouteWaypoint& w) const;
    double speed(const RouteWaypoint& w) const;
    // What stands for entries no longer in the active or working plan goes.
    void forget_other_entries();

    // The time the aircraft passed an entry of the flown plan, "HH:MM";
    // empty when it has not.
    const std::string& passing_time(const RouteWaypoint& w) const;
    void stamp(const RouteWaypoint& w, const std::string& text);
    // A plan put in place as a whole (EXEC, a route load) starts without
    // passing times: the working copy it came from carried none.
    void clear_passing_times() { passing_times_.clear(); }

    // The entries a direct-to passed by: the plan keeps them (a GNS
    // direct-to keeps the plan about its DIRECT entry, a SMITHS direct-to
    // down the route the legs it skipped), but the aircraft neither flew to
    // them nor will. A later direct-to onto one takes it back.
    void pass_by(const RouteWaypoint& w);
    void take_back(const RouteWaypoint& w) { passed_by_.erase(w.id); }
    bool passed_by(const RouteWaypoint& w) const { return w.id != 0 && passed_by_.contains(w.id); }

  private:
    struct Predicted {
        double value;
        double under; // the entry's own value it stands for
    };
    std::unordered_map<int, Predicted> altitudes_;
    std::unordered_map<int, Predicted> speeds_;
    std::unordered_map<int, std::string> passing_times_;
    std::unordered_set<int> passed_by_;
};
extern PlanMarks plan_marks;

inline double predicted_altitude(const RouteWaypoint& w) {
    return plan_marks.altitude(w);
}
inline double predicted_speed(const RouteWaypoint& w) {
    return plan_marks.speed(w);
}
inline const std::string& passing_time(const RouteWaypoint& w) {
    return plan_marks.passing_time(w);
}

struct ActiveLeg;
// After a direct-to made the entry at `to` of the flown plan the TO: the
// entries from the TO of the leg flown before (`before`) up to it were
// passed by, but for the DIRECT entry the new leg starts at.
void mark_passed_by_direct_to(const ActiveLeg& before, int to);

// The active plan as other modules read it in place (Orvex_FlightPlan): its
// entries with the predictions in their constraint fields, their passing
// times and hold marks. Written only here, from the plan and what stands
// beside it: where an edit of the active plan ends, after a prediction or a
// stamp, and where a hold of the flown plan goes. The TO's position
// (to_position) is published in the same step.
extern const RouteWaypoint* const active_plan_entries;
void publish_flown_plan();

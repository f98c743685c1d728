#include "map/selected_runways.h"

#include "data/airport_procedures.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"

namespace {

int runway_of(const AirportProcedures& airport, const std::string& designator) {
    if (designator.empty() || designator == "------") return 0;
    for (int i = 1; i <= airport.runways.count(); ++i)
        if (airport.runways[i].designator == designator) return i;
    return 0;
}

} // namespace

int selected_departure_runway() {
    return runway_of(airport_slots[origin_slot], applied_departure_runway);
}

int selected_arrival_runway() {
    return runway_of(airport_slots[destination_slot], applied_arrival_runway);
}

namespace {

bool is_airport_of_slot(const RouteWaypoint& w, int slot) {
    return w.type == "APT" && !w.ident.empty() && w.ident == airport_slots[slot].airport_ident;
}

} // namespace

int departure_runway_at(const RouteWaypoint& w) {
    return is_airport_of_slot(w, origin_slot) ? selected_departure_runway() : 0;
}

int arrival_runway_at(const RouteWaypoint& w) {
    return is_airport_of_slot(w, destination_slot) ? selected_arrival_runway() : 0;
}

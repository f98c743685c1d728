#include "map/selected_runways.h"

#include "data/airport_procedures.h"
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

#include "fms/plan/gns_choices.h"

void GnsChoices::take_departure(const GnsChoices& from) {
    departure_airport = from.departure_airport;
    procedures.departure_runway = from.procedures.departure_runway;
    procedures.sid = from.procedures.sid;
    procedures.sid_transition = from.procedures.sid_transition;
}

void GnsChoices::take_arrival(const GnsChoices& from) {
    arrival_airport = from.arrival_airport;
    procedures.arrival_runway = from.procedures.arrival_runway;
    procedures.star = from.procedures.star;
    procedures.star_transition = from.procedures.star_transition;
}

void GnsChoices::take_approach(const GnsChoices& from) {
    arrival_airport = from.arrival_airport;
    procedures.arrival_runway = from.procedures.arrival_runway;
    procedures.approach = from.procedures.approach;
    procedures.approach_transition = from.procedures.approach_transition;
}

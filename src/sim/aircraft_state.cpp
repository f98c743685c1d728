#include "sim/aircraft_state.h"

AircraftState aircraft_state;

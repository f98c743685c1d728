// The aircraft in the simulator-side store: every value the module's
// accessors read, written in the simulator's raw units (positions in metres
// and 2^48 parts of a circle, speeds in feet per second, temperatures in
// Rankine, frequencies as BCD words), so that the module's own conversions
// are what a run exercises.
//
// The aircraft is off until a script or test starts it; then each frame first
// applies the key events sent since the last frame, moves the aircraft by one
// frame and writes its values. Values the model owns are rewritten every
// frame; the gear's when it moves; the others (radio receptions, tank
// capacities...) are seeded once when it starts, unless already set, and are
// left to scripts.
#pragma once

#include "aircraft_model.h"

namespace host {

AircraftModel& aircraft();
bool aircraft_active();
// Starts the model (idempotent): seeds the store and writes the values now.
// Key events sent before the start are not applied.
void start_aircraft();
// Back to an inactive aircraft in its initial state.
void reset_aircraft();

// Where the magnetic variation at a position comes from. Without a source the
// model keeps its own constant (`aircraft magvar`).
using MagvarSource = double (*)(double lat_deg, double lon_deg);
void set_magvar_source(MagvarSource source);

// Where the ground elevation at a position comes from (airport_ground.h).
// Without a source the model keeps the ground it is given; a script's
// `aircraft ground FT` holds one until `aircraft ground auto`.
using GroundSource = double (*)(double lat_deg, double lon_deg);
void set_ground_source(GroundSource source);

// The frame hook: does nothing while the aircraft is off.
void advance_aircraft();

// Writes the model's values into the store now.
void publish_aircraft();

// The raw encodings.
double latitude_to_raw(double lat_deg);
double longitude_to_raw(double lon_deg);
double celsius_to_rankine(double c);

} // namespace host

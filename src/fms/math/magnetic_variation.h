// Magnetic variation at a position, in whole degrees, from the module's World
// Magnetic Model at its epoch 2005.0.
#pragma once

// Initialises the model from the coefficient text with maximum degree 12
// (writing the built-in text first if the database load has not yet done so).
void wmm_initialise();

// The field at altitude (km), geodetic latitude and longitude (degrees) and
// decimal year: declination, inclination, total intensity and grid variation.
void wmm_evaluate(float altitude_km, float latitude, float longitude, float year, float* declination,
                  float* inclination, float* total_intensity, float* grid_variation);

// The variation rule applied to a declination D: trunc(D), plus 1 when D is
// above 0.54 (so 12.0 gives 13, 0.54 gives 0, -3.7 gives -3).
int variation_from_declination(double declination);

// Variation in whole degrees, east positive, at whole-degree latitude and
// longitude (callers truncate), at 1 km and 2005.0.
int compute_magnetic_variation(int latitude, int longitude);

// The World Magnetic Model, epoch WMM-2005, carried inside the module as its
// coefficient text, and the model's single-precision synthesis routine.
#pragma once

inline constexpr int wmm_text_line_slots = 93;
inline constexpr int wmm_text_line_length = 70;

// The coefficient text as lines: header, 90 coefficient lines, two end lines.
// The line count (92) bounds the reading loop.
extern char wmm_text_lines[wmm_text_line_slots][wmm_text_line_length];
extern int wmm_text_line_count;

// Writes the built-in coefficient text into wmm_text_lines and sets the line
// count. The navigation-database load calls it before reading its files.
void load_wmm_coefficients();

// kWmmInitialise initialises the model from wmm_text_lines up to *max_degree
// (at most 12); the other arguments are not read. kWmmField computes the
// field at one point: altitude in km above the WGS-84 ellipsoid, geodetic latitude and
// longitude in degrees (north and east positive), time as a decimal year; it
// writes declination (degrees, east positive), inclination (degrees, down
// positive), total intensity (nT) and grid variation (degrees; -999 below 55
// degrees of latitude); before any initialisation it leaves the outputs alone.
inline constexpr int kWmmInitialise = 0;
inline constexpr int kWmmField = 1;
void magnetic_field_model(int mode, int* max_degree, float altitude_km, float latitude, float longitude,
                          float time, float* declination, float* inclination, float* total_intensity,
                          float* grid_variation);

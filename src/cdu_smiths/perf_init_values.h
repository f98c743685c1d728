// Performance entries of the PERF INIT page that no other part of the module
// keeps: the cruise wind (shown only there) and the ISA deviation at cruise.
#pragma once

inline int cruise_wind_direction = 0; // degrees
inline int cruise_wind_speed_kt = 0;  // below 1 = not entered
inline double isa_deviation_c = 30.0; // exactly -999.0 = not set
inline int smiths_perf_init_subpage_count = 2;

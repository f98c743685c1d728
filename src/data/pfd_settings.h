// Attitude-display colours that the aircraft file sets (red, green, blue;
// the low 8 bits are used).
#pragma once

inline int a320_eadi_background_rgb[3] = {0, 0, 0};
inline int a320_eadi_tape_rgb[3] = {100, 100, 100};
inline int a320_eadi_sky_rgb[3] = {41, 165, 201};
inline int a320_eadi_ground_rgb[3] = {155, 103, 53};

inline int b777_pfd_background_rgb[3] = {0, 0, 0};
inline int b777_pfd_tape_rgb[3] = {100, 100, 100};
inline int b777_pfd_sky_rgb[3] = {40, 117, 197};
inline int b777_pfd_ground_rgb[3] = {120, 102, 28};

inline int c17_mfd_background_rgb[3] = {0, 0, 0};
inline int c17_mfd_sky_rgb[3] = {2, 138, 175};
inline int c17_mfd_ground_rgb[3] = {131, 73, 9};

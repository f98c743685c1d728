// FIX INFO records: a fix with up to three radial/distance pairs that the
// maps draw as radials and circles. Records 1 and 2 are used.
#pragma once

#include <string>

struct FixInfoRecord {
    std::string ident; // empty = no fix
    double lat = 0.0;
    double lon = 0.0;
    std::string label;
    // Radials in degrees magnetic (360 for north), distances in NM; 0 = not set.
    double radial_1 = 0.0, distance_1 = 0.0;
    double radial_2 = 0.0, distance_2 = 0.0;
    double radial_3 = 0.0, distance_3 = 0.0;
};

extern FixInfoRecord fix_info[3];

// n < 1: records 1 and 2; otherwise record n only (nothing beyond 2). Clears
// the ident, the position and the radial/distance values; the label stays.
void clear_fix_info(int n);

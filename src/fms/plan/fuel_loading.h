// Planned fuel loaded into the simulator's tanks. A route entered on the
// ground loads it, as does a route file or an imported plan.
#pragma once

#include <cstdint>

// Tank levels for a fuel weight, filling the mains, then the center, the
// auxiliaries and the tips; both tanks of a pair get the same level. A level
// is the fill fraction x 8388608 (full), truncated. capacity_gal in the order
// of the simulator values 290 (center), 292 and 298 (mains), 294 and 300
// (auxiliaries), 296 and 302 (tips): index 0 = 290 .. 6 = 302.
struct TankLevel {
    uint32_t offset; // data-link offset of the tank's level
    int32_t level;
};
void fuel_tank_levels(double fuel, const double capacity_gal[7], double weight_per_gal, TankLevel out[7]);

// Loads the fuel weight (in the unit of the route file's fuel keys) into the
// simulator's tanks through the data link and notes "FUEL '%6.0f' loaded".
void load_fuel(double fuel);

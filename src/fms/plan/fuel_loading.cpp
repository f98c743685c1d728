#include "fms/plan/fuel_loading.h"

#include "data/nav_database.h"
#include "platform/text_file.h"
#include "sim/data_link.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

void fuel_tank_levels(double fuel, const double capacity_gal[7], double weight_per_gal, TankLevel out[7]) {
    struct Group {
        int first, second; // capacity indices; second -1 for the center
        uint32_t first_offset, second_offset;
    };
    const Group groups[] = {
        {1, 4, 0x0B7C, 0x0B94}, {0, -1, 0x0B74, 0}, {2, 5, 0x0B84, 0x0B9C}, {3, 6, 0x0B8C, 0x0BA4}};
    constexpr double kFull = 8388608.0;
    double remaining = fuel;
    int n = 0;
    for (const Group& g : groups) {
        double capacity = capacity_gal[g.first];
        if (g.second >= 0) capacity += capacity_gal[g.second];
        capacity *= weight_per_gal;
        double level = 0.0;
        if (remaining > 0.0) {
            if (capacity <= remaining) {
                level = kFull;
                remaining -= capacity;
            } else {
                level = remaining / capacity * kFull;
                remaining = 0.0;
            }
        }
        const int32_t value = saturate_to_whole(level);
        out[n++] = {g.first_offset, value};
        if (g.second >= 0) out[n++] = {g.second_offset, value};
    }
}

void load_fuel(double fuel) {
    uint32_t result = 0;
    if (!ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer)) return;
    const double capacity[7] = {sim_var_object.get_simvar_290(), sim_var_object.get_simvar_292(),
                                sim_var_object.get_simvar_294(), sim_var_object.get_simvar_296(),
                                sim_var_object.get_simvar_298(), sim_var_object.get_simvar_300(),
                                sim_var_object.get_simvar_302()};
    TankLevel levels[7];
    // Capacities are gallons; the requested fuel is a weight.
    fuel_tank_levels(fuel, capacity, sim_var_object.get_simvar_386(), levels);
    for (const TankLevel& tank : levels)
        ipc_write(tank.offset, 4, &tank.level, &result);
    const bool sent = ipc_process(&result) != 0;
    ipc_close();
    if (!sent || warning_messages.count() >= 400) return;
    char message[64];
    std::snprintf(message, sizeof message, "FUEL '%6.0f' loaded", fuel);
    warning_messages.append(message);
}

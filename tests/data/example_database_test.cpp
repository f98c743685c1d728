// The bundled example simulator folder loads through the module's own
// loaders, in the order the first gauge runs them, without a warning.
#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/load_warnings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/module_config.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(ExampleDatabase, loadsEveryFileWithoutAWarning) {
    TempFolder sim;
    std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim.path(),
                          std::filesystem::copy_options::recursive);
    host_folder = sim.path();

    load_config();
    EXPECT_EQ(config_loaded, 1);
    load_nav_database();
    aircraft_parameter = "B738";
    load_aircraft_config();
    load_atc_boundaries();

    std::string warnings;
    for (int i = 1; i <= warning_messages.count(); ++i)
        warnings += warning_messages[i] + "\n";
    EXPECT_EQ(warning_messages.count(), 0) << warnings;

    EXPECT_GE(airport_table.count(), 4);
    EXPECT_GE(navaid_table.count(), 15);
    EXPECT_GE(intersection_table.count(), 60);
    EXPECT_GT(airway_fix_table.count(), 0);
    EXPECT_GT(atc_boundaries.count(), 0);
    EXPECT_GT(lvar_bindings.count(), 0);
    EXPECT_GT(performance_tables.climb_row_count, 0);
    EXPECT_GT(performance_tables.cruise_row_count, 0);
    EXPECT_GT(find_navaid("SEA", "V", 47.4), 0);

    // Every airport with its procedures, runway list, tower view and parking
    // position, and the runway data: no load warning for any file.
    for (int i = 1; i <= airport_table.count(); ++i) {
        const std::string ident(airport_table[i].ident);
        load_airport_detail(ident, origin_slot);
        load_airport_detail(ident, destination_slot);
        select_airport(ident, kSelectAirportDestination);
        lookup_runway_ref_data(ident, "16L");
    }
    EXPECT_GT(airport_slots[origin_slot].runways.count() + airport_slots[destination_slot].stars.count(), 0);
    std::string told;
    for (LoadWarning w; take_load_warning(w);)
        told += w.file + ": " + w.text + "\n";
    EXPECT_EQ(told, "");
}

// The bundled example simulator folder loads through the module's own
// loaders, in the order the first gauge runs them, without a warning.
#include "data/atc_boundaries.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/module_config.h"
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
}

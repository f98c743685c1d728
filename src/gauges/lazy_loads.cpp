#include "gauges/lazy_loads.h"

#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/module_config.h"
#include "fms/files/stored_routes.h"
#include "platform/os.h"
#include "sim/host_folder.h"

#include <cstdio>

void fill_host_folder() {
    if (host_folder.empty()) host_folder = os::current_directory();
}

void take_aircraft_parameter(const char* parameters, bool vc2_is_view) {
    if (!aircraft_parameter.empty()) return;
    aircraft_parameter = parameters != nullptr ? parameters : "";
    if (aircraft_parameter == "VC" || aircraft_parameter == "WN" ||
        (vc2_is_view && aircraft_parameter == "VC2"))
        aircraft_parameter.clear();
    if (!aircraft_parameter.empty()) load_aircraft_config();
}

void run_lazy_loads(const char* parameters, const LazyLoads& loads) {
    fill_host_folder();
    if (config_loaded == 0) load_config();
    if (loads.nav_database && airport_table.count() == 0) load_nav_database();
    if (loads.aircraft) take_aircraft_parameter(parameters, loads.vc2_is_view);
    if (loads.flight_plans && stored_routes.count() == 0) list_flight_plans();
}

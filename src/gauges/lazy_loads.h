// What the gauge callbacks load on PRE_INITIALIZE, each load at most once
// under its own guard: the first gauge to get there does the loading.
#pragma once

// Fills host_folder with the simulator's current directory when it is empty.
void fill_host_folder();

// Takes the gauge's parameter text as the aircraft model while none is
// taken, unless it names a view ("VC", "WN", and "VC2" when asked), and
// loads the aircraft file it names. The first model name wins.
void take_aircraft_parameter(const char* parameters, bool vc2_is_view);

// Which loads a gauge's PRE_INITIALIZE runs.
struct LazyLoads {
    bool nav_database = true; // while no airport is loaded
    bool aircraft = true;     // from the parameter text
    bool vc2_is_view = true;  // "VC2" is a view name, not a model
    bool flight_plans = true; // while the folder yielded no route
};

// host_folder, orvex.cfg, the navigation database, the aircraft file and the
// flight-plan list, as `loads` says.
void run_lazy_loads(const char* parameters, const LazyLoads& loads);

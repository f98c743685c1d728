// Plain-C entry points for the simulator stand-in's commands, in the manner
// of the surface services: ask for a route file as a control unit's
// flight-plan page does, read back the route being flown so that a run can
// print its progress, and read the display state that the control panels
// set. The simulator itself never calls them.
#pragma once

#include "gauges/linkage.h"

#include <cstdint>

struct StandInRouteStatus {
    char to_ident[16];     // the TO waypoint; empty without an active route
    int32_t to_index;      // 999: no active route
    int32_t last_index;    // of the active plan
    double to_distance_nm; // to the TO waypoint
    double cross_track_nm; // from the active leg
    int32_t lnav_engaged;
    int32_t vnav_engaged;
    char phase[16];      // flight-log segment ("Climb"), empty before the log runs
    char profile[16];    // vertical profile: "climb", "cruise" or "descent"
    char from_ident[16]; // the entry before the TO: "DIRECT" on a direct-to leg
};

// Loads the route file (a plain name in the flight-plans folder) within the
// call, as the Smiths CDU's CO ROUTE, ACTIVATE and EXEC do. Returns the number
// of waypoints loaded (a route flies from 2), 0 when nothing was loaded; the
// note (cut to `size`) tells what was left out or why nothing was loaded.
extern "C" ORVEX_EXPORT int32_t orvex_standin_load_route(const char* file_name, char* note, int32_t size);
extern "C" ORVEX_EXPORT void orvex_standin_route_status(StandInRouteStatus* status);

// The oldest load warning not yet taken (data/load_warnings.h) as
// "FILE: TEXT", cut to fit `size`; returns 0 when none is left.
extern "C" ORVEX_EXPORT int32_t orvex_standin_take_warning(char* line, int32_t size);
// The display-state variable of that name (as the module's code names it,
// filter flags as "show_airports_flags[ND]" with ND 0 to 5) as a number.
// Returns 1, or 0 for an unknown name.
extern "C" ORVEX_EXPORT int32_t orvex_standin_display_state(const char* name, double* value);
// 1 when the module registers a module variable of that name, else 0.
extern "C" ORVEX_EXPORT int32_t orvex_standin_module_var(const char* name);

// Draws the SMITHS page routine of that name (smiths_page_NAME, such as
// "n1_limit") once on the device context of that pixel size, as the render
// pass draws a page, for a picture of a page that no page number reaches.
// Returns 1, or 0 for an unknown name; a null context only checks the name.
extern "C" ORVEX_EXPORT int32_t orvex_standin_draw_smiths_page(const char* name, void* device_context,
                                                               int32_t width, int32_t height);

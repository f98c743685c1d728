// The frame that the display gauges' callbacks share: note the simulator
// folder, load the data lazily, start and stop GDI+, and on each PRE_DRAW run
// the per-frame update, pick the view mode from the instance's parameter text
// and the open panel windows, run the display's render pass and mark the
// element for the simulator to show. Each display gauge is one row of
// settings over this frame.
#pragma once

#include "map/render_frame.h"
#include "sim/gauge_abi.h"

#include <cstdint>
#include <string>

// The element that the current PRE_DRAW draws into.
extern ElementHeader* drawn_element;

// How a gauge turns its parameter text and the open windows into a view
// mode (1 draw, 2 clear only, 3 the "VC2" instance, 0 no render pass).
enum class ViewRule {
    NoVc2,          // "VC2" is like any other text
    Vc2Draws,       // "VC2" draws in mode 3 while the pop-up window is open
    Vc2NotDrawn,    // "VC2" is not drawn while the pop-up window is open
    Vc2AlwaysMode3, // "VC2" draws in mode 3 whether or not the window is open
    AlwaysDraw,     // always 1
};

// Reads the main panel window and `window` through the panel services.
int32_t display_view_mode(ViewRule rule, const std::string& parameters, uint32_t window);

enum class GaugeLoads {
    Full,           // configuration, database, aircraft file and flight-plan list
    NoFlightPlans,  // as Full without the flight-plan list
    HostFolderOnly, // only the simulator folder
};

using RenderPassFn = void (*)(void* device_context, PixelSize size, int32_t view_mode);

struct DisplayGaugeSpec {
    const char* log_line; // written to the debug log on every call; null for none
    uint32_t window;      // the gauge's pop-up panel window
    ViewRule view_rule;
    GaugeLoads loads;
    bool starts_flight_log; // POST_INSTALL takes the flight log's starting readings
    bool binds_traffic;     // HW_B737_ND_NB: the traffic another module publishes
    RenderPassFn render;
};

void display_gauge_callback(const DisplayGaugeSpec& spec, GaugeHeader* gauge, int32_t service);

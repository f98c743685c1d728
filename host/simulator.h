// The stand-in's run of a module: placing the gauges of a panel file and
// calling their callbacks with the service codes in the simulator's order.
#pragma once

#include "module_loader.h"
#include "panel_file.h"
#include "placed_gauge.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace host {

struct Simulator {
    LoadedModule module;
    std::vector<std::unique_ptr<PlacedGauge>> gauges; // in panel-file order
    std::string out_dir;                              // where snapshots go
    long frame = 0;                                   // frames run so far
    // Within a run of 100 frames or more (`frames`, `fly`), the gauges draw on
    // every draw_every-th frame and on the run's last; other frames always
    // draw (a unit starting up or reading keys sees each of them).
    int draw_every = 1;
    bool started = false;
    // Warnings: the module's load warnings and the stand-in's own, printed
    // as "orvex-sim: FILE: TEXT" lines to `warnings_to` (none when null).
    std::FILE* warnings_to = nullptr;
    int warnings = 0;
    // How far the module's debug log has been read for its warnings, where
    // the module offers no other way to take them (the Windows DLL).
    long long log_read = 0;
    // Every module warning told so far ("FILE: TEXT"): a failure the module
    // told once, as when it listed the flight-plans folder, is not told again.
    std::vector<std::string> module_warnings;
};

// Prints and counts one warning.
void warn(Simulator& sim, const std::string& text);

// Prints and counts the load warnings the module has recorded since the last
// call. start_gauges and run_frame call it; so does a run after each command.
void report_module_warnings(Simulator& sim, std::vector<std::string>* told = nullptr);

// Makes an instance of every placement. Every gauge must belong to the
// loaded module and be listed in its gauge table; errors read "path:line:
// message". Nothing is called yet.
bool place_gauges(Simulator& sim, const PanelFile& panel, std::string& error);

// An instance by id ("window00.gauge00", without regard to case) or by gauge
// name when exactly one instance of it is placed. Null with a message.
PlacedGauge* find_placed_gauge(Simulator& sim, const std::string& ref, std::string& error);

// Module start routine, then PRE_INSTALL, POST_INSTALL, PRE_INITIALIZE,
// POST_INITIALIZE and CONNECT_TO_WINDOW, each for every instance in order.
// Instances without a callback get no calls.
void start_gauges(Simulator& sim);

// One frame: the aircraft moves (when started), then PRE_UPDATE for every
// instance, then PRE_DRAW for every instance; with draw false the drawing
// elements get no device context for that call, so nothing is drawn.
void run_frame(Simulator& sim, bool draw = true);

// PRE_DRAW for every instance, without a frame passing.
void draw_gauges(Simulator& sim);

// DISCONNECT for every instance, then the module stop routine; the
// instances' surfaces are released. Does nothing when not started.
void stop_gauges(Simulator& sim);

// Calls one instance's callback (if it has one) with a service code.
void call_gauge(PlacedGauge& gauge, GaugeService service);

} // namespace host

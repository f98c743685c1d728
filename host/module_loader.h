// Finding a gauge module: either a shared library opened with dlopen, whose
// `Linkage` and `ImportTable` records are looked up by name, or a module
// linked into this process, given by the addresses of the same two records.
// Either way the stand-in's services table is written into ImportTable before
// anything of the module runs.
#pragma once

#include "data_link_peer.h"
#include "keyboard.h"
#include "sim/gauge_abi.h"

#include <string>
#include <vector>

struct StandInRouteStatus; // gauges/stand_in_hooks.h

namespace host {

// The module's own surface services (exported by plain C names): the
// stand-in creates drawing surfaces through the module's copy of the drawing
// layer, because the module accepts only device contexts it made itself.
struct SurfaceServices {
    void* (*create_dc)(int32_t width, int32_t height, uint32_t backends) = nullptr;
    int32_t (*write_png)(void* device_context, const char* path) = nullptr;
    // The same over black; null in a module without it (snapshots then keep
    // their transparency).
    int32_t (*write_png_over_black)(void* device_context, const char* path) = nullptr;
    void (*destroy_dc)(void* device_context) = nullptr;
    uint32_t backends = 1; // Cairo image; 3 adds the recording

    bool available() const { return create_dc != nullptr && write_png != nullptr && destroy_dc != nullptr; }
};

// The module's entry points for the flight commands of a script
// (gauges/stand_in_hooks.h): ask for a route file, read the route flown.
// Without load_route a script's routes are entered on a SMITHS_FMS
// (pilot_route.h).
struct FlightServices {
    int32_t (*load_route)(const char* file_name, char* note, int32_t size) = nullptr;
    void (*route_status)(::StandInRouteStatus* status) = nullptr;
    // The module's load warnings, one "FILE: TEXT" line at a time (0: none left).
    int32_t (*take_warning)(char* line, int32_t size) = nullptr;

    bool available() const { return load_route != nullptr && route_status != nullptr; }
};

inline constexpr int32_t kDisplayStateHidden = -1;

struct LoadedModule {
    std::string name; // module name as panel files write it ("orvex1")
    ModuleLinkage* linkage = nullptr;
    ImportTableRecord* imports = nullptr;
    void* library = nullptr;   // dlopen handle; null for a module in this process
    SurfaceServices surfaces;  // none: drawing elements get no device context
    WindowServices windows;    // none: the data-link window is not played
    FlightServices flight;     // none: the flight commands of a script fail
    KeyboardServices keyboard; // none: nothing can be typed
    // The module's display state by variable name (gauges/stand_in_hooks.h):
    // 1 read, 0 no such name, kDisplayStateHidden where the module keeps its
    // states to itself (the DLL); null: `print state` has nothing to read.
    int32_t (*display_state)(const char* name, double* value) = nullptr;
    // 1 when the module registers a module variable of that name; null: the
    // names are not known before the module runs.
    int32_t (*module_var)(const char* name) = nullptr;
    // A SMITHS page routine drawn by name (gauges/stand_in_hooks.h); null:
    // `page` is refused.
    int32_t (*draw_smiths_page)(const char* name, void* device_context, int32_t width,
                                int32_t height) = nullptr;
};

// Opens the library, finds both records and installs the services table.
// On failure returns false with a message naming the path.
bool load_module(const std::string& path, LoadedModule& module, std::string& error);

// A module linked into this process.
LoadedModule attach_module(ModuleLinkage* linkage, ImportTableRecord* imports,
                           const std::string& name = "orvex1", const SurfaceServices& surfaces = {},
                           const WindowServices& windows = {});

// Closes the library (if any). The module must not be called afterwards.
void unload_module(LoadedModule& module);

// The gauge table up to its null entry (at most 55 entries).
std::vector<GaugeHeader*> gauge_headers(const LoadedModule& module);

// The header of the named gauge (names compared without regard to case), or null.
GaugeHeader* find_gauge_header(const LoadedModule& module, const std::string& name);

// "orvex1" for ".../orvex1.so".
std::string module_name_from_path(const std::string& path);

} // namespace host

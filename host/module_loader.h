// Finding a gauge module: either a shared library opened with dlopen, whose
// `Linkage` and `ImportTable` records are looked up by name, or a module
// linked into this process, given by the addresses of the same two records.
// Either way the stand-in's services table is written into ImportTable before
// anything of the module runs.
#pragma once

#include "gauges/gauge_abi.h"

#include <string>
#include <vector>

namespace host {

struct LoadedModule {
    std::string name; // module name as panel files write it ("orvex1")
    ModuleLinkage* linkage = nullptr;
    ImportTable* imports = nullptr;
    void* library = nullptr; // dlopen handle; null for a module in this process
};

// Opens the library, finds both records and installs the services table.
// On failure returns false with a message naming the path.
bool load_module(const std::string& path, LoadedModule& module, std::string& error);

// A module linked into this process.
LoadedModule attach_module(ModuleLinkage* linkage, ImportTable* imports, const std::string& name = "orvex1");

// Closes the library (if any). The module must not be called afterwards.
void unload_module(LoadedModule& module);

// The gauge table up to its null entry (at most 55 entries).
std::vector<GaugeHeader*> gauge_headers(const LoadedModule& module);

// The header of the named gauge (names compared without regard to case), or null.
GaugeHeader* find_gauge_header(const LoadedModule& module, const std::string& name);

// "orvex1" for ".../orvex1.so".
std::string module_name_from_path(const std::string& path);

} // namespace host

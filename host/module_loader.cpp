#include "module_loader.h"

#include "host_services.h"
#include "host_text.h"

namespace host {

namespace {

constexpr std::size_t GAUGE_TABLE_SLOTS = sizeof(ModuleLinkage::gauge_table) / sizeof(GaugeHeader*);

void install_services(ImportTableRecord* imports) {
    if (imports != nullptr) imports->panels = services_table();
}

} // namespace

std::string module_name_from_path(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = file.rfind('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

LoadedModule attach_module(ModuleLinkage* linkage, ImportTableRecord* imports, const std::string& name,
                           const SurfaceServices& surfaces, const WindowServices& windows) {
    LoadedModule module;
    module.surfaces = surfaces;
    module.windows = windows;
    module.name = name;
    module.linkage = linkage;
    module.imports = imports;
    install_services(imports);
    return module;
}

std::vector<GaugeHeader*> gauge_headers(const LoadedModule& module) {
    std::vector<GaugeHeader*> headers;
    if (module.linkage == nullptr) return headers;
    for (std::size_t i = 0; i < GAUGE_TABLE_SLOTS && module.linkage->gauge_table[i] != nullptr; ++i)
        headers.push_back(module.linkage->gauge_table[i]);
    return headers;
}

GaugeHeader* find_gauge_header(const LoadedModule& module, const std::string& name) {
    for (GaugeHeader* header : gauge_headers(module)) {
        if (header->name != nullptr && iequals(header->name, name)) return header;
    }
    return nullptr;
}

} // namespace host

// Loading the module on Windows: a DLL opened with LoadLibraryA, of which only
// the two records are looked up. The drawing surfaces are the stand-in's own
// DIB sections (the module draws on any device context), the data-link window
// is a real hidden window, the flight commands read what SERVER publishes, and
// keys go through the system's input.
#include "module_loader.h"

#include "platform/gfx_surface.h"
#include "windows_host.h"

#include <windows.h>

namespace host {

bool load_module(const std::string& path, LoadedModule& module, std::string& error) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) {
        error = path + ": cannot load module: error " + std::to_string(GetLastError());
        return false;
    }
    auto* linkage = reinterpret_cast<ModuleLinkage*>(GetProcAddress(library, "Linkage"));
    auto* imports = reinterpret_cast<ImportTableRecord*>(GetProcAddress(library, "ImportTable"));
    if (linkage == nullptr || imports == nullptr) {
        error = path + ": module exports no " + (linkage == nullptr ? "Linkage" : "ImportTable") + " record";
        FreeLibrary(library);
        return false;
    }
    SurfaceServices surfaces;
    surfaces.create_dc = &orvex_gfx_create_dc;
    surfaces.write_png = &orvex_gfx_write_png;
    surfaces.write_png_over_black = &orvex_gfx_write_png_over_black;
    surfaces.destroy_dc = &orvex_gfx_destroy_dc;
    WindowServices windows;
    windows.register_window = &register_host_window;
    windows.unregister_window = &unregister_host_window;
    module = attach_module(linkage, imports, module_name_from_path(path), surfaces, windows);
    module.flight.route_status = &published_route_status;
    module.display_state = &unknown_display_state;
    module.keyboard.focus_window = &focus_system_window;
    module.keyboard.send_key = &send_system_key;
    module.library = library;
    return true;
}

void unload_module(LoadedModule& module) {
    if (module.library != nullptr) FreeLibrary(static_cast<HMODULE>(module.library));
    module = LoadedModule{};
}

} // namespace host

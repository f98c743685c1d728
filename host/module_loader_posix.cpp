// Loading the module on Linux: a shared library opened with dlopen.
#include "module_loader.h"

#include <dlfcn.h>

namespace host {

bool load_module(const std::string& path, LoadedModule& module, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        error = path + ": cannot load module: " + (why != nullptr ? why : "unknown error");
        return false;
    }
    auto* linkage = static_cast<ModuleLinkage*>(dlsym(library, "Linkage"));
    auto* imports = static_cast<ImportTableRecord*>(dlsym(library, "ImportTable"));
    if (linkage == nullptr || imports == nullptr) {
        error = path + ": module exports no " + (linkage == nullptr ? "Linkage" : "ImportTable") + " record";
        dlclose(library);
        return false;
    }
    SurfaceServices surfaces;
    surfaces.create_dc =
        reinterpret_cast<decltype(surfaces.create_dc)>(dlsym(library, "orvex_gfx_create_dc"));
    surfaces.write_png =
        reinterpret_cast<decltype(surfaces.write_png)>(dlsym(library, "orvex_gfx_write_png"));
    surfaces.write_png_over_black = reinterpret_cast<decltype(surfaces.write_png_over_black)>(
        dlsym(library, "orvex_gfx_write_png_over_black"));
    surfaces.destroy_dc =
        reinterpret_cast<decltype(surfaces.destroy_dc)>(dlsym(library, "orvex_gfx_destroy_dc"));
    WindowServices windows;
    windows.register_window =
        reinterpret_cast<decltype(windows.register_window)>(dlsym(library, "orvex_window_register"));
    windows.unregister_window =
        reinterpret_cast<decltype(windows.unregister_window)>(dlsym(library, "orvex_window_unregister"));
    module = attach_module(linkage, imports, module_name_from_path(path), surfaces, windows);
    module.flight.load_route =
        reinterpret_cast<decltype(module.flight.load_route)>(dlsym(library, "orvex_standin_load_route"));
    module.flight.route_status =
        reinterpret_cast<decltype(module.flight.route_status)>(dlsym(library, "orvex_standin_route_status"));
    module.flight.take_warning =
        reinterpret_cast<decltype(module.flight.take_warning)>(dlsym(library, "orvex_standin_take_warning"));
    module.display_state =
        reinterpret_cast<decltype(module.display_state)>(dlsym(library, "orvex_standin_display_state"));
    module.module_var =
        reinterpret_cast<decltype(module.module_var)>(dlsym(library, "orvex_standin_module_var"));
    module.draw_smiths_page =
        reinterpret_cast<decltype(module.draw_smiths_page)>(dlsym(library, "orvex_standin_draw_smiths_page"));
    KeyboardServices& k = module.keyboard;
    k.key_event = reinterpret_cast<decltype(k.key_event)>(dlsym(library, "orvex_keyboard_event"));
    k.set_device_key = reinterpret_cast<decltype(k.set_device_key)>(dlsym(library, "orvex_dinput_set_key"));
    k.fail_device = reinterpret_cast<decltype(k.fail_device)>(dlsym(library, "orvex_dinput_fail"));
    k.fail_window = reinterpret_cast<decltype(k.fail_window)>(dlsym(library, "orvex_window_fail"));
    k.lose_input = reinterpret_cast<decltype(k.lose_input)>(dlsym(library, "orvex_dinput_lose_input"));
    k.reset_window = reinterpret_cast<decltype(k.reset_window)>(dlsym(library, "orvex_keyboard_reset"));
    k.reset_device = reinterpret_cast<decltype(k.reset_device)>(dlsym(library, "orvex_dinput_reset"));
    module.library = library;
    return true;
}

void unload_module(LoadedModule& module) {
    if (module.library != nullptr) dlclose(module.library);
    module = LoadedModule{};
}

} // namespace host

#include "element_surface.h"

#include "placed_gauge.h"

#include <cstdio>

namespace host {

void* attach_element_surface(PlacedGauge& gauge, ElementHeader& element) {
    if (!gauge.surfaces.available() || element.image == nullptr) return nullptr;
    if (element.image->width <= 0 || element.image->height <= 0) return nullptr;
    return gauge.surfaces.create_dc(element.image->width, element.image->height, gauge.surfaces.backends);
}

void detach_element_surface(PlacedGauge& gauge, ElementHeader& /*element*/, void* device_context) {
    if (gauge.surfaces.available()) gauge.surfaces.destroy_dc(device_context);
}

bool write_gauge_snapshot(const PlacedGauge& gauge, const std::string& path, bool transparent,
                          std::string& error) {
    if (!gauge.surfaces.available()) {
        error = "the module offers no drawing surfaces";
        return false;
    }
    for (ElementHeader* element : gauge.drawing_elements) {
        if (element->device_context == nullptr) continue;
        auto* write = transparent || gauge.surfaces.write_png_over_black == nullptr
                          ? gauge.surfaces.write_png
                          : gauge.surfaces.write_png_over_black;
        if (write(element->device_context, path.c_str()) != 0) return true;
        // A picture cut short (a full disk) is no picture: none is left.
        std::remove(path.c_str());
        error = "cannot write " + path;
        return false;
    }
    error = gauge.id + " (" + gauge.gauge_name + ") has no drawing surface";
    return false;
}

} // namespace host

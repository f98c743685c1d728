// A panel's picture painted with Cairo.
#include "element_surface.h"
#include "panel_snapshot.h"

#include <cairo.h>
#include <cstddef>
#include <cstdint>

namespace host {

bool paint_panel_picture(const PanelPicture& picture, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = cairo_create(surface);
    // The background box.
    cairo_set_source_rgb(cr, 0.22, 0.24, 0.27);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.55, 0.57, 0.6);
    cairo_set_line_width(cr, 2.0);
    cairo_rectangle(cr, 1, 1, picture.width - 2, picture.height - 2);
    cairo_stroke(cr);
    // Shown lights, filled.
    for (const PanelBox& b : picture.lights) {
        cairo_set_source_rgba(cr, 1.0, 0.75, 0.1, 0.85);
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        cairo_fill(cr);
    }
    // Click spots, outlined.
    cairo_set_source_rgb(cr, 0.9, 0.95, 1.0);
    cairo_set_line_width(cr, 1.0);
    for (const PanelBox& b : picture.spots) {
        cairo_rectangle(cr, b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool picture_is_one_colour(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    bool one = false;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const int width = cairo_image_surface_get_width(surface);
        const int height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        // RGB24 leaves the top byte undefined.
        const uint32_t mask = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24 ? 0xFFFFFFu : ~0u;
        const unsigned char* data = cairo_image_surface_get_data(surface);
        one = width > 0 && height > 0 && data != nullptr;
        const uint32_t first = one ? *reinterpret_cast<const uint32_t*>(data) & mask : 0;
        for (int y = 0; one && y < height; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; one && x < width; ++x)
                one = (row[x] & mask) == first;
        }
    }
    cairo_surface_destroy(surface);
    return one;
}

} // namespace host

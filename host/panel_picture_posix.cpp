// A panel's picture painted with Cairo.
#include "panel_snapshot.h"

#include <cairo.h>

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

} // namespace host

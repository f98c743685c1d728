#include "panel_snapshot.h"

#include "element_tree.h"
#include "placed_gauge.h"

#include <cairo.h>

#include <vector>

namespace host {

namespace {

ElementHeader* first_child(const ElementHeader* e) {
    return e->next_element != nullptr ? e->next_element[0] : nullptr;
}

// The spots' boxes in bitmap pixels, parents' offsets applied.
struct SpotBox {
    int x, y, w, h;
};

std::vector<SpotBox> spot_boxes(const MouseRect* list) {
    std::vector<SpotBox> boxes;
    if (list == nullptr) return boxes;
    std::vector<PixPoint> parents;
    PixPoint origin{0, 0};
    for (int i = 0; i < 4096 && list[i].kind != MOUSE_RECT_EOL; ++i) {
        const MouseRect& r = list[i];
        if (r.kind == MOUSE_RECT_PARENT) {
            parents.push_back(origin);
            origin = {origin.x + r.x, origin.y + r.y};
        } else if (r.kind == MOUSE_RECT_END_PARENT && !parents.empty()) {
            origin = parents.back();
            parents.pop_back();
        } else if (r.kind == MOUSE_RECT_CHILD) {
            boxes.push_back({origin.x + r.x, origin.y + r.y, r.w, r.h});
        }
    }
    return boxes;
}

} // namespace

std::vector<int> shown_lights(const PlacedGauge& gauge) {
    std::vector<int> shown;
    const ElementHeader* e = first_element(gauge);
    int n = 0;
    for (e = e != nullptr ? first_child(e) : nullptr; e != nullptr && n < MAX_ELEMENT_DEPTH;
         e = first_child(e)) {
        ++n;
        if ((e->image_flags & IMAGE_HIDDEN) == 0) shown.push_back(n);
    }
    return shown;
}

bool write_panel_snapshot(const PlacedGauge& gauge, const std::string& path, std::string& error) {
    const ElementHeader* background = first_element(gauge);
    if (background == nullptr || gauge.bitmap_width <= 0 || gauge.bitmap_height <= 0) {
        error = gauge.id + " (" + gauge.gauge_name + ") has no background";
        return false;
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, gauge.bitmap_width, gauge.bitmap_height);
    cairo_t* cr = cairo_create(surface);
    // The background box.
    cairo_set_source_rgb(cr, 0.22, 0.24, 0.27);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.55, 0.57, 0.6);
    cairo_set_line_width(cr, 2.0);
    cairo_rectangle(cr, 1, 1, gauge.bitmap_width - 2, gauge.bitmap_height - 2);
    cairo_stroke(cr);
    // Shown lights, filled.
    const ElementHeader* e = first_child(background);
    for (int n = 1; e != nullptr && n <= MAX_ELEMENT_DEPTH; ++n, e = first_child(e)) {
        if ((e->image_flags & IMAGE_HIDDEN) != 0) continue;
        cairo_set_source_rgba(cr, 1.0, 0.75, 0.1, 0.85);
        cairo_rectangle(cr, e->position_x, e->position_y, e->bitmap_width, e->bitmap_height);
        cairo_fill(cr);
    }
    // Click spots, outlined.
    cairo_set_source_rgb(cr, 0.9, 0.95, 1.0);
    cairo_set_line_width(cr, 1.0);
    for (const SpotBox& b : spot_boxes(gauge.header.mouse_rect)) {
        cairo_rectangle(cr, b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) error = "cannot write " + path;
    return ok;
}

} // namespace host

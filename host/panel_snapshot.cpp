#include "panel_snapshot.h"

#include "element_tree.h"
#include "placed_gauge.h"

#include <cstdio>
#include <vector>

namespace host {

namespace {

ElementHeader* first_child(const ElementHeader* e) {
    return e->next_element != nullptr ? e->next_element[0] : nullptr;
}

// The spots' boxes in bitmap pixels, parents' offsets applied.
std::vector<PanelBox> spot_boxes(const MouseRect* list) {
    std::vector<PanelBox> boxes;
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
    PanelPicture picture;
    picture.width = gauge.bitmap_width;
    picture.height = gauge.bitmap_height;
    const ElementHeader* e = first_child(background);
    for (int n = 1; e != nullptr && n <= MAX_ELEMENT_DEPTH; ++n, e = first_child(e)) {
        if ((e->image_flags & IMAGE_HIDDEN) != 0) continue;
        picture.lights.push_back({e->position_x, e->position_y, e->bitmap_width, e->bitmap_height});
    }
    picture.spots = spot_boxes(gauge.header.mouse_rect);
    if (paint_panel_picture(picture, path)) return true;
    std::remove(path.c_str()); // a picture cut short is no picture
    error = "cannot write " + path;
    return false;
}

} // namespace host

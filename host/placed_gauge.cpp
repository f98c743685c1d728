#include "placed_gauge.h"

#include "element_surface.h"
#include "element_tree.h"

#include <cmath>
#include <map>

namespace host {

namespace {

struct CopyContext {
    PlacedGauge& gauge;
    double scale_x;
    double scale_y;
    std::map<const ElementHeader*, ElementHeader*> copies; // an element listed twice is copied once
    std::string error;
};

int scaled(int32_t pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

ElementList copy_list(CopyContext& cx, ElementList source, int depth);

ElementHeader* copy_element(CopyContext& cx, const ElementHeader* source, int depth) {
    auto known = cx.copies.find(source);
    if (known != cx.copies.end()) return known->second;
    if (depth > MAX_ELEMENT_DEPTH) {
        cx.error = "element tree deeper than " + std::to_string(MAX_ELEMENT_DEPTH) + " levels";
        return nullptr;
    }
    auto element = std::make_unique<ElementHeader>(*source);
    ElementHeader* copy = element.get();
    cx.gauge.elements.push_back(std::move(element));
    cx.copies[source] = copy;
    copy->device_context = nullptr;
    if (copy->kind == ELEMENT_STATIC_IMAGE) {
        auto image = std::make_unique<ImageRecord>();
        image->width = scaled(copy->bitmap_width, cx.scale_x);
        image->height = scaled(copy->bitmap_height, cx.scale_y);
        copy->image = image.get();
        cx.gauge.images.push_back(std::move(image));
        if (copy->image_flags & IMAGE_CREATE_SURFACE) cx.gauge.drawing_elements.push_back(copy);
    }
    copy->next_element = copy_list(cx, source->next_element, depth + 1);
    return copy;
}

ElementList copy_list(CopyContext& cx, ElementList source, int depth) {
    if (source == nullptr) return nullptr;
    int n = list_length(source);
    if (n == MAX_LIST_ENTRIES && source[n] != nullptr) {
        cx.error = "element list longer than " + std::to_string(MAX_LIST_ENTRIES) + " entries";
        return nullptr;
    }
    auto list = std::make_unique<ElementHeader*[]>(static_cast<std::size_t>(n) + 1);
    ElementList copy = list.get();
    cx.gauge.lists.push_back(std::move(list));
    for (int i = 0; i < n && cx.error.empty(); ++i)
        copy[i] = copy_element(cx, source[i], depth);
    copy[n] = nullptr;
    return copy;
}

} // namespace

ElementHeader* first_element(const PlacedGauge& gauge) {
    ElementList list = gauge.header.elements_list;
    return list != nullptr ? list[0] : nullptr;
}

bool make_placed_gauge(const GaugeHeader& source, const std::string& id, int x, int y, int width, int height,
                       const std::string& parameters, PlacedGauge& gauge, std::string& error,
                       const SurfaceServices& surfaces) {
    gauge.surfaces = surfaces;
    gauge.id = id;
    gauge.gauge_name = source.name != nullptr ? source.name : "";
    gauge.source = &source;
    gauge.header = source;
    gauge.parameters = parameters;
    gauge.header.parameters = gauge.parameters.c_str();
    gauge.x = x;
    gauge.y = y;

    const ElementHeader* root = source.elements_list != nullptr ? source.elements_list[0] : nullptr;
    gauge.bitmap_width = root != nullptr ? root->bitmap_width : 0;
    gauge.bitmap_height = root != nullptr ? root->bitmap_height : 0;
    gauge.width = width > 0 ? width : gauge.bitmap_width;
    gauge.height = height > 0 ? height : gauge.bitmap_height;

    CopyContext cx{gauge,
                   gauge.bitmap_width > 0 ? double(gauge.width) / gauge.bitmap_width : 1.0,
                   gauge.bitmap_height > 0 ? double(gauge.height) / gauge.bitmap_height : 1.0,
                   {},
                   {}};
    gauge.header.elements_list = copy_list(cx, source.elements_list, 0);
    if (!cx.error.empty()) {
        error = "gauge " + gauge.gauge_name + ": " + cx.error;
        return false;
    }
    for (ElementHeader* element : gauge.drawing_elements)
        element->device_context = attach_element_surface(gauge, *element);
    return true;
}

PlacedGauge::~PlacedGauge() {
    release_placed_gauge(*this);
}

void release_placed_gauge(PlacedGauge& gauge) {
    for (ElementHeader* element : gauge.drawing_elements) {
        if (element->device_context != nullptr) {
            detach_element_surface(gauge, *element, element->device_context);
            element->device_context = nullptr;
        }
    }
}

} // namespace host

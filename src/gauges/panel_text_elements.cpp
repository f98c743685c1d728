#include "gauges/panel_text_elements.h"

#include "data/display_state.h"
#include "gauges/element_chain.h"

#include <cmath>
#include <cstdio>

namespace {

double whole_source_value(const ElementHeader* element) {
    return element != nullptr ? std::trunc(element->source_value) : 0.0;
}

double on_text(ElementHeader* element, int flag) {
    if (element == nullptr) return 0.0;
    if (flag == 1) {
        element->image_flags &= ~IMAGE_HIDDEN;
        if (element->text != nullptr && element->text_size > 0)
            std::snprintf(element->text, element->text_size, "%s", "ON");
    } else {
        element->image_flags |= IMAGE_HIDDEN;
    }
    return whole_source_value(element);
}

} // namespace

double ORVEX_FSAPI nd_airport_on_text(ElementHeader* element) {
    return on_text(element, show_airports_flags[ND_HW_B737]);
}
double ORVEX_FSAPI nd_intersection_on_text(ElementHeader* element) {
    return on_text(element, show_airway_fixes_flags[ND_HW_B737]);
}
double ORVEX_FSAPI nd_navaid_on_text(ElementHeader* element) {
    return on_text(element, show_navaids_flags[ND_HW_B737]);
}

double ORVEX_FSAPI md11_text_value_left(ElementHeader* element) {
    return whole_source_value(element);
}
double ORVEX_FSAPI md11_text_value_right(ElementHeader* element) {
    return whole_source_value(element);
}

namespace {

constexpr uint32_t kTextSize = 8;
char md11_texts[3][kTextSize] = {};
char hw_b737_texts[3][kTextSize] = {};
char hw_b737_br_texts[3][kTextSize] = {};

// Hidden until a callback shows them.
constexpr ElementHeader text_at(int32_t x, int32_t y, char* text, ElementValueCallback callback) {
    return text_element(30, 12, x, y, IMAGE_HIDDEN, text, kTextSize, callback);
}

} // namespace

constinit ElementHeader md11_efis_text_elements[3] = {
    text_at(184, 120, md11_texts[0], md11_text_value_left),
    text_at(129, 129, md11_texts[1], md11_text_value_right),
    text_at(100, 120, md11_texts[2], nd_navaid_on_text),
};
constinit ElementHeader hw_b737_efis_text_elements[3] = {
    text_at(184, 120, hw_b737_texts[0], nd_airport_on_text),
    text_at(129, 129, hw_b737_texts[1], nd_intersection_on_text),
    text_at(100, 120, hw_b737_texts[2], nd_navaid_on_text),
};
constinit ElementHeader hw_b737_efis_br_text_elements[3] = {
    text_at(184, 120, hw_b737_br_texts[0], nd_airport_on_text),
    text_at(129, 129, hw_b737_br_texts[1], nd_intersection_on_text),
    text_at(100, 120, hw_b737_br_texts[2], nd_navaid_on_text),
};

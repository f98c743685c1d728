#include "fms/units/gns_scratchpad.h"

#include "fms/units/gns_unit_state.h"

int gns_field_width() {
    return gns_state == GNS_SAVE_FPL ? 10 : 6;
}

std::string gns_scratchpad_text() {
    std::string text = gns_scratchpad;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void gns_scratchpad_add(const std::string& key_text, int pad_only) {
    if (gns_entry_active != 1) return;
    const std::size_t width = static_cast<std::size_t>(gns_field_width());
    std::string text = gns_scratchpad_text();
    if (pad_only == 0) {
        if (key_text == "*1") {
            if (!text.empty()) text.pop_back();
        } else if (gns_entry_fresh == 1 || text == "******" || text == "------") {
            gns_entry_fresh = 0;
            text = key_text;
        } else if (text.size() < width) {
            text += key_text;
        }
    }
    if (text.size() < width) text.append(width - text.size(), ' ');
    gns_scratchpad = text;
}

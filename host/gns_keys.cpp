#include "gns_keys.h"

#include "host_text.h"
#include "key_items.h"
#include "placed_gauge.h"

#include <cctype>

namespace host {

namespace {

bool key_of_char(char c, GnsKey& key) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const GnsKeyBox& box : gns_key_boxes)
        if (box.text[0] == u && box.text[1] == '\0') {
            key = box.key;
            return true;
        }
    return false;
}

} // namespace

bool is_gns_gauge(const PlacedGauge& gauge) {
    return iequals(gauge.gauge_name, "GNSXLS") || iequals(gauge.gauge_name, "GNSXLS_LM");
}

bool gns_key_sequence(const std::string& items, std::vector<GnsKey>& keys, std::string& error) {
    static constexpr KeyNaming<GnsKey> naming{"GNS", "usage: gns GAUGE KEY|\"TEXT\"...", gns_key_by_name,
                                              key_of_char};
    return key_sequence(items, naming, keys, error);
}

ClickResult press_gns_key(const PlacedGauge& gauge, GnsKey key) {
    const GnsKeyBox& box = gns_key_boxes[static_cast<std::size_t>(key)];
    return click_bitmap(gauge, box.x + box.click_w / 2, box.y + box.click_h / 2, MOUSE_LEFTSINGLE);
}

} // namespace host

#include "mcu_keys.h"

#include "host_text.h"
#include "placed_gauge.h"

#include <sstream>

namespace host {

bool is_mcu_gauge(const PlacedGauge& gauge) {
    return iequals(gauge.gauge_name, "MCU") || iequals(gauge.gauge_name, "MCU_LM");
}

bool mcu_key_sequence(const std::string& items, std::vector<McuKey>& keys, std::string& error) {
    keys.clear();
    std::istringstream words(items);
    std::string word;
    while (words >> word) {
        McuKey key{};
        if (!mcu_key_by_name(to_upper(word), key)) {
            error = "no MCU key '" + word + "'";
            return false;
        }
        keys.push_back(key);
    }
    if (keys.empty()) {
        error = "usage: mcu GAUGE KEY...";
        return false;
    }
    return true;
}

ClickResult press_mcu_key(const PlacedGauge& gauge, McuKey key) {
    const McuKeyBox& box = mcu_key_boxes[static_cast<std::size_t>(key)];
    ClickResult click;
    PixPoint relative{};
    const MouseRect* rect = find_mouse_child(gauge.header.mouse_rect, box.x + box.w / 2, box.y + box.h / 2,
                                             MOUSE_LEFTSINGLE, relative);
    if (rect == nullptr) return click;
    click.hit = true;
    click.rect = rect;
    click.point = relative;
    click.result = rect->handler(&click.point, MOUSE_LEFTSINGLE);
    return click;
}

} // namespace host

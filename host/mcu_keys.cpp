#include "mcu_keys.h"

#include "host_text.h"
#include "key_items.h"
#include "placed_gauge.h"

namespace host {

bool is_mcu_gauge(const PlacedGauge& gauge) {
    return iequals(gauge.gauge_name, "MCU") || iequals(gauge.gauge_name, "MCU_LM");
}

bool mcu_key_sequence(const std::string& items, std::vector<McuKey>& keys, std::string& error) {
    static constexpr KeyNaming<McuKey> naming{"MCU", "usage: mcu GAUGE KEY...", mcu_key_by_name, nullptr};
    return key_sequence(items, naming, keys, error);
}

ClickResult press_mcu_key(const PlacedGauge& gauge, McuKey key) {
    const McuKeyBox& box = mcu_key_boxes[static_cast<std::size_t>(key)];
    return click_bitmap(gauge, box.x + box.w / 2, box.y + box.h / 2, MOUSE_LEFTSINGLE);
}

} // namespace host

#include "cdu_keys.h"

#include "host_text.h"
#include "key_items.h"
#include "placed_gauge.h"

#include <cctype>

namespace host {

namespace {

bool key_of_char(char c, SmithsKey& key) {
    const unsigned char u = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    if (u >= 'A' && u <= 'Z') {
        key = static_cast<SmithsKey>(static_cast<int>(SmithsKey::A) + (u - 'A'));
        return true;
    }
    if (u >= '1' && u <= '9') {
        key = static_cast<SmithsKey>(static_cast<int>(SmithsKey::Digit1) + (u - '1'));
        return true;
    }
    switch (u) {
    case '0':
        key = SmithsKey::Digit0;
        return true;
    case '.':
        key = SmithsKey::Dot;
        return true;
    case '/':
        key = SmithsKey::Slash;
        return true;
    case '-':
        key = SmithsKey::PlusMinus;
        return true;
    case ' ':
        key = SmithsKey::Sp;
        return true;
    default:
        return false;
    }
}

} // namespace

bool is_cdu_gauge(const PlacedGauge& gauge) {
    return iequals(gauge.gauge_name, "SMITHS_FMS") || iequals(gauge.gauge_name, "SMITHS_FMS_BR");
}

bool cdu_key_sequence(const std::string& items, std::vector<SmithsKey>& keys, std::string& error) {
    static constexpr KeyNaming<SmithsKey> naming{"CDU", "usage: cdu GAUGE KEY|\"TEXT\"...",
                                                 smiths_key_by_name, key_of_char};
    return key_sequence(items, naming, keys, error);
}

ClickResult press_cdu_key(const PlacedGauge& gauge, SmithsKey key) {
    const SmithsKeyBox& box = smiths_key_boxes.box[static_cast<int>(key)];
    const uint32_t flags = box.repeats ? MOUSE_LEFT_REPEAT : MOUSE_LEFTSINGLE;
    return click_bitmap(gauge, box.x + box.click_w / 2, box.y + box.click_h / 2, flags);
}

} // namespace host

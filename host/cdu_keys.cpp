#include "cdu_keys.h"

#include "host_text.h"
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
    keys.clear();
    std::size_t i = 0;
    while (i < items.size()) {
        if (std::isspace(static_cast<unsigned char>(items[i]))) {
            ++i;
            continue;
        }
        if (items[i] == '"') {
            const std::size_t end = items.find('"', i + 1);
            if (end == std::string::npos) {
                error = "text without closing '\"'";
                return false;
            }
            for (std::size_t k = i + 1; k < end; ++k) {
                SmithsKey key{};
                if (!key_of_char(items[k], key)) {
                    error = std::string("no CDU key types '") + items[k] + "'";
                    return false;
                }
                keys.push_back(key);
            }
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < items.size() && !std::isspace(static_cast<unsigned char>(items[end])))
            ++end;
        const std::string name = to_upper(items.substr(i, end - i));
        SmithsKey key{};
        if (!smiths_key_by_name(name, key)) {
            error = "no CDU key '" + items.substr(i, end - i) + "'";
            return false;
        }
        keys.push_back(key);
        i = end;
    }
    if (keys.empty()) {
        error = "usage: cdu GAUGE KEY|\"TEXT\"...";
        return false;
    }
    return true;
}

ClickResult press_cdu_key(const PlacedGauge& gauge, SmithsKey key) {
    const SmithsKeyBox& box = smiths_key_boxes.box[static_cast<int>(key)];
    const uint32_t flags = box.repeats ? MOUSE_LEFT_REPEAT : MOUSE_LEFTSINGLE;
    ClickResult click;
    PixPoint relative{};
    const MouseRect* rect = find_mouse_child(gauge.header.mouse_rect, box.x + box.click_w / 2,
                                             box.y + box.click_h / 2, flags, relative);
    if (rect == nullptr) return click;
    click.hit = true;
    click.rect = rect;
    click.point = relative;
    click.result = rect->handler(&click.point, flags);
    return click;
}

} // namespace host

#include "gns_keys.h"

#include "host_text.h"
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
                GnsKey key{};
                if (!key_of_char(items[k], key)) {
                    error = std::string("no GNS key types '") + items[k] + "'";
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
        GnsKey key{};
        if (!gns_key_by_name(to_upper(items.substr(i, end - i)), key)) {
            error = "no GNS key '" + items.substr(i, end - i) + "'";
            return false;
        }
        keys.push_back(key);
        i = end;
    }
    if (keys.empty()) {
        error = "usage: gns GAUGE KEY|\"TEXT\"...";
        return false;
    }
    return true;
}

ClickResult press_gns_key(const PlacedGauge& gauge, GnsKey key) {
    const GnsKeyBox& box = gns_key_boxes[static_cast<std::size_t>(key)];
    ClickResult click;
    PixPoint relative{};
    const MouseRect* rect = find_mouse_child(gauge.header.mouse_rect, box.x + box.click_w / 2,
                                             box.y + box.click_h / 2, MOUSE_LEFTSINGLE, relative);
    if (rect == nullptr) return click;
    click.hit = true;
    click.rect = rect;
    click.point = relative;
    click.result = rect->handler(&click.point, MOUSE_LEFTSINGLE);
    return click;
}

} // namespace host

#include "key_names.h"

#include "cdu_smiths/smiths_key_layout.h"
#include "gns_mcu/gns_key_layout.h"
#include "gns_mcu/mcu_key_layout.h"
#include "host_text.h"
#include "sim/key_events.h"

#include <cstdio>

namespace host {

namespace {

// Words after a heading, wrapped under it.
std::string wrapped(const std::string& heading, const std::vector<std::string>& words, std::size_t width) {
    std::string out = heading;
    std::size_t line = out.size();
    const std::string indent(4, ' ');
    for (const std::string& w : words) {
        if (line + 1 + w.size() > width) {
            out += "\n" + indent;
            line = indent.size();
        } else {
            out += " ";
            ++line;
        }
        out += w;
        line += w.size();
    }
    return out + "\n";
}

template <class Boxes> std::vector<std::string> names_of(const Boxes& boxes) {
    std::vector<std::string> names;
    for (const auto& b : boxes)
        if (b.name != nullptr && b.name[0] != '\0') names.emplace_back(b.name);
    return names;
}

} // namespace

bool key_event_by_name(const std::string& name, uint32_t& id) {
    const std::string upper = to_upper(name);
    for (const KeyEventName& k : kKeyEventNames)
        if (upper == k.name) {
            id = k.id;
            return true;
        }
    return false;
}

std::string key_names_help(std::size_t width) {
    std::vector<std::string> events;
    char buffer[64];
    for (const KeyEventName& k : kKeyEventNames) {
        std::snprintf(buffer, sizeof buffer, "%s=0x%05X", k.name, k.id);
        events.emplace_back(buffer);
    }
    return wrapped("  cdu GAUGE:", names_of(smiths_key_boxes.box), width) +
           wrapped("  gns GAUGE:", names_of(gns_key_boxes), width) +
           wrapped("  mcu GAUGE:", names_of(mcu_key_boxes), width) + wrapped("  key:", events, width);
}

} // namespace host

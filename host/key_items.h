// The items of a script's key command (`cdu`, `gns`, `mcu`): key names split
// at blanks, looked up in upper case, and, for a unit that types texts, a
// "quoted text" typed key by key. Each unit supplies its own key table.
#pragma once

#include "host_text.h"

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace host {

template <class Key> struct KeyNaming {
    const char* unit;  // in messages: "no GNS key 'X'"
    const char* usage; // when no key is named
    bool (*by_name)(std::string_view name, Key& key);
    bool (*by_char)(char c, Key& key); // null: no quoted texts, a quote is part of a name
};

// The keys in order; false with a message for an unknown name, a character
// no key types, an unclosed quote or no key at all.
template <class Key>
bool key_sequence(const std::string& items, const KeyNaming<Key>& naming, std::vector<Key>& keys,
                  std::string& error) {
    keys.clear();
    std::size_t i = 0;
    while (i < items.size()) {
        if (std::isspace(static_cast<unsigned char>(items[i]))) {
            ++i;
            continue;
        }
        if (naming.by_char != nullptr && items[i] == '"') {
            const std::size_t end = items.find('"', i + 1);
            if (end == std::string::npos) {
                error = "text without closing '\"'";
                return false;
            }
            for (std::size_t k = i + 1; k < end; ++k) {
                Key key{};
                if (!naming.by_char(items[k], key)) {
                    error = std::string("no ") + naming.unit + " key types '" + items[k] + "'";
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
        const std::string word = items.substr(i, end - i);
        Key key{};
        if (!naming.by_name(to_upper(word), key)) {
            error = std::string("no ") + naming.unit + " key '" + word + "'";
            return false;
        }
        keys.push_back(key);
        i = end;
    }
    if (keys.empty()) {
        error = naming.usage;
        return false;
    }
    return true;
}

} // namespace host

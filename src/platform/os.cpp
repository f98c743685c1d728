// The portable half of the os layer: wildcard matching.
#include "platform/os.h"

#include <cstring>

namespace os {

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Classic greedy match with one backtrack point for the last '*'.
bool match_plain(const char* p, const char* n) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*p == '*') {
            star = p++;
            resume = n;
        } else if (*p == '?' || (*p && fold(*p) == fold(*n))) {
            ++p;
            ++n;
        } else if (star) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == 0;
}

} // namespace

bool wildcard_match(const char* pattern, const char* name) {
    if (!pattern || !name) return false;
    if (match_plain(pattern, name)) return true;
    // Windows lets "name.*" stand for a name without an extension too, which
    // is how "*.*" lists folders such as "Missions".
    std::size_t len = std::strlen(pattern);
    if (len >= 2 && pattern[len - 2] == '.' && pattern[len - 1] == '*' && !std::strchr(name, '.')) {
        std::string stem(pattern, len - 2);
        return match_plain(stem.c_str(), name);
    }
    return false;
}

} // namespace os

// The portable half of the os layer: wildcard matching and the table of
// memory files.
#include "platform/os.h"

#include <algorithm>
#include <cstring>
#include <map>

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

bool name_less(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(fold(a[i])), y = static_cast<unsigned char>(fold(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

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

namespace {

struct MemoryFiles {
    std::map<std::string, std::string> files; // by folded path
    bool only = false;
};

MemoryFiles& memory_files() {
    static MemoryFiles files;
    return files;
}

std::string folded_path(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '/') c = '\\';
        c = fold(c);
    }
    return key;
}

} // namespace

void set_memory_file(const std::string& module_path, std::string bytes) {
    memory_files().files[folded_path(module_path)] = std::move(bytes);
}

void clear_memory_files() {
    memory_files().files.clear();
    memory_files().only = false;
}

void set_memory_files_only(bool only) {
    memory_files().only = only;
}

namespace {
OpenFailure last_failure = OpenFailure::None;
} // namespace

OpenFailure last_open_failure() {
    return last_failure;
}

void set_last_open_failure(OpenFailure failure) {
    last_failure = failure;
}

MemoryFileLookup find_memory_file(const std::string& module_path) {
    MemoryFiles& m = memory_files();
    MemoryFileLookup found;
    found.only = m.only;
    if (m.files.empty()) return found;
    auto it = m.files.find(folded_path(module_path));
    if (it != m.files.end()) found.bytes = &it->second;
    return found;
}

} // namespace os

// The Windows half of the os layer: the file system already matches names
// without regard to case, so paths only get their separators and base folder.
#include "platform/os.h"

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cstring>

namespace os {

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

SystemTime to_system_time(const SYSTEMTIME& t) {
    SystemTime s;
    s.year = t.wYear;
    s.month = t.wMonth;
    s.day_of_week = t.wDayOfWeek;
    s.day = t.wDay;
    s.hour = t.wHour;
    s.minute = t.wMinute;
    s.second = t.wSecond;
    s.milliseconds = t.wMilliseconds;
    return s;
}

// A stream holding a copy of the bytes (the C runtime here has no stream over
// memory); the temporary file goes away when the stream is closed.
std::FILE* open_memory(const std::string& bytes) {
    std::FILE* f = std::tmpfile();
    if (!f) return nullptr;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        std::fclose(f);
        return nullptr;
    }
    std::rewind(f);
    return f;
}

bool reading(const char* mode) {
    return mode && mode[0] == 'r' && !std::strchr(mode, '+');
}

// Only a file on disk: a folder, a device ("CON", "NUL", a port) or a pipe
// is refused, the devices before they are opened and the rest by the type
// of what was opened.
std::FILE* open_regular_file(const std::string& path, const char* mode) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        set_last_open_failure(OpenFailure::NotRegular);
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) {
        set_last_open_failure(OpenFailure::Missing);
        return nullptr;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        std::fclose(file);
        set_last_open_failure(OpenFailure::NotRegular);
        return nullptr;
    }
    return file;
}

} // namespace

std::string current_directory() {
    std::string dir(MAX_PATH, '\0');
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data());
    if (n >= dir.size()) {
        dir.resize(n);
        n = GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data());
    }
    if (n == 0 || n >= dir.size()) return ".";
    dir.resize(n);
    // "C:\" keeps its separator; any other folder loses it.
    while (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

std::string host_path(const std::string& module_path) {
    if (module_path.empty()) return {};
    std::string path;
    std::size_t start = 0;
    if (module_path.size() >= 2 && is_separator(module_path[0]) && is_separator(module_path[1])) {
        path = "\\\\"; // a network path keeps its two leading separators
        start = 2;
    } else if (module_path[0] == '\\') {
        path = current_directory();
        if (path.back() != '\\') path += '\\';
        start = 1;
    }
    for (std::size_t i = start; i < module_path.size(); ++i) {
        const char c = is_separator(module_path[i]) ? '\\' : module_path[i];
        if (c == '\\' && !path.empty() && path.back() == '\\' && path.size() > 2) continue;
        path += c;
    }
    return path;
}

std::FILE* open_file(const std::string& module_path, const char* mode) {
    set_last_open_failure(OpenFailure::None);
    const MemoryFileLookup memory = find_memory_file(module_path);
    if (reading(mode)) {
        if (memory.bytes) return open_memory(*memory.bytes);
        if (memory.only) {
            set_last_open_failure(OpenFailure::Missing);
            return nullptr;
        }
    } else if (memory.only) {
        return std::fopen("NUL", "w"); // a writer runs whole, and nothing reaches the disk
    }
    const std::string path = host_path(module_path);
    if (path.empty()) {
        set_last_open_failure(OpenFailure::Missing);
        return nullptr;
    }
    if (reading(mode)) return open_regular_file(path, mode);
    return std::fopen(path.c_str(), mode);
}

std::vector<FindData> find_files(const std::string& module_pattern) {
    std::vector<FindData> found;
    const std::size_t sep = module_pattern.find_last_of("\\/");
    const std::string pattern = sep == std::string::npos ? module_pattern : module_pattern.substr(sep + 1);
    if (pattern.empty()) return found;
    std::string folder =
        sep == std::string::npos ? std::string(".") : host_path(module_pattern.substr(0, sep + 1));
    if (folder.empty() || folder.back() != '\\') folder += '\\';

    // Every entry, matched here: the system's own matching also tries the
    // short 8.3 names, so "*.rte" would find "plan.rte.bak".
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) continue;
        if (!wildcard_match(pattern.c_str(), data.cFileName)) continue;
        FindData d;
        d.name = data.cFileName;
        d.is_directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        found.push_back(d);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(found.begin(), found.end(),
              [](const FindData& a, const FindData& b) { return name_less(a.name, b.name); });
    return found;
}

SystemTime system_time_utc() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    return to_system_time(t);
}

SystemTime system_time_local() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return to_system_time(t);
}

} // namespace os

// The Linux half of the os layer: paths, listing and time through POSIX.
#include "platform/os.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace {

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool is_dir(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string join(const std::string& base, const std::string& name) {
    if (base.empty()) return name;
    if (base.back() == '/') return base + name;
    return base + "/" + name;
}

bool same_ignoring_case(const std::string& a, const char* b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The entry of `folder` that equals `name` without regard to case; the first
// by name order when several do. Empty when none does.
std::string find_ignoring_case(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::string best;
    while (dirent* e = ::readdir(dir)) {
        if (same_ignoring_case(name, e->d_name) && (best.empty() || name_less(e->d_name, best)))
            best = e->d_name;
    }
    ::closedir(dir);
    return best;
}

} // namespace

std::string current_directory() {
    std::vector<char> buf(512);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return ".";
        buf.resize(buf.size() * 2);
    }
    std::string dir(buf.data());
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

std::string host_path(const std::string& module_path) {
    if (module_path.empty()) return {};

    std::string base;
    std::size_t start = 0;
    if (module_path[0] == '/') {
        base = "/";
        start = 1;
    } else if (module_path[0] == '\\') {
        base = current_directory();
        start = 1;
    }

    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = start; i <= module_path.size(); ++i) {
        char c = i < module_path.size() ? module_path[i] : '/';
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }

    std::string whole = base;
    for (const auto& p : parts)
        whole = join(whole, p);
    if (parts.empty() || exists(whole)) return whole;

    std::string mapped = base;
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        std::string exact = join(mapped, p);
        if (p == "." || p == ".." || exists(exact)) {
            mapped = exact;
            continue;
        }
        std::string found = find_ignoring_case(mapped, p);
        if (found.empty()) break;
        mapped = join(mapped, found);
    }
    for (; i < parts.size(); ++i)
        mapped = join(mapped, parts[i]);
    return mapped;
}

namespace {

bool reading(const char* mode) {
    return mode && mode[0] == 'r' && !std::strchr(mode, '+');
}

// A stream over the bytes, which stay owned by the table of memory files
// (glibc takes an empty buffer as an empty file).
std::FILE* open_memory(const std::string& bytes) {
    return ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "r");
}

// Opened without waiting (a FIFO without a writer would block the open
// itself), then kept only when it is a regular file.
std::FILE* open_regular_file(const std::string& path, const char* mode) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        set_last_open_failure(OpenFailure::Missing);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        set_last_open_failure(OpenFailure::NotRegular);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, mode);
    if (!file) {
        ::close(fd);
        set_last_open_failure(OpenFailure::Missing);
    }
    return file;
}

} // namespace

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
        return std::fopen("/dev/null", "w"); // a writer runs whole, and nothing reaches the disk
    }
    std::string path = host_path(module_path);
    if (path.empty()) {
        set_last_open_failure(OpenFailure::Missing);
        return nullptr;
    }
    if (reading(mode)) return open_regular_file(path, mode);
    return std::fopen(path.c_str(), mode);
}

std::vector<FindData> find_files(const std::string& module_pattern) {
    std::vector<FindData> found;
    std::size_t sep = module_pattern.find_last_of("\\/");
    std::string pattern = sep == std::string::npos ? module_pattern : module_pattern.substr(sep + 1);
    std::string folder =
        sep == std::string::npos ? std::string(".") : host_path(module_pattern.substr(0, sep + 1));
    if (pattern.empty()) return found;

    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return found;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        if (!wildcard_match(pattern.c_str(), e->d_name)) continue;
        FindData d;
        d.name = e->d_name;
        if (e->d_type == DT_DIR)
            d.is_directory = true;
        else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK)
            d.is_directory = is_dir(join(folder, d.name));
        found.push_back(d);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const FindData& a, const FindData& b) { return name_less(a.name, b.name); });
    return found;
}

namespace {

SystemTime to_system_time(const std::tm& t, long nanoseconds) {
    SystemTime s;
    s.year = static_cast<uint16_t>(t.tm_year + 1900);
    s.month = static_cast<uint16_t>(t.tm_mon + 1);
    s.day_of_week = static_cast<uint16_t>(t.tm_wday);
    s.day = static_cast<uint16_t>(t.tm_mday);
    s.hour = static_cast<uint16_t>(t.tm_hour);
    s.minute = static_cast<uint16_t>(t.tm_min);
    // A leap second reads as 59, as Windows never reports 60.
    s.second = static_cast<uint16_t>(t.tm_sec > 59 ? 59 : t.tm_sec);
    s.milliseconds = static_cast<uint16_t>(nanoseconds / 1000000);
    return s;
}

} // namespace

SystemTime system_time_utc() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm t{};
    ::gmtime_r(&ts.tv_sec, &t);
    return to_system_time(t, ts.tv_nsec);
}

SystemTime system_time_local() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm t{};
    ::localtime_r(&ts.tv_sec, &t);
    return to_system_time(t, ts.tv_nsec);
}

} // namespace os

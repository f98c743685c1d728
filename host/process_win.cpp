#include "process.h"

#include <windows.h>

namespace host {

namespace {

std::string last_error_text() {
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason(text, n);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? "system error" : reason;
}

} // namespace

const char* const kDefaultModuleFile = "orvex1.gau";

std::string program_directory() {
    char buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return ".";
    std::string path(buffer, n);
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string absolute_path(const std::string& path) {
    if (path.empty()) return path;
    char buffer[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

bool make_folder(const std::string& path, std::string& reason) {
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    reason = last_error_text();
    return false;
}

bool enter_folder(const std::string& path, std::string& reason) {
    if (SetCurrentDirectoryA(path.c_str())) return true;
    reason = last_error_text();
    return false;
}

} // namespace host

#include "process.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

const char* const kDefaultModuleFile = "orvex1.so";

std::string program_directory() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    std::string path(buffer, static_cast<std::size_t>(n));
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string absolute_path(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) return path;
    return std::string(buffer) + "/" + path;
}

bool make_folder(const std::string& path, std::string& reason) {
    if (mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) return true;
    reason = std::strerror(errno);
    return false;
}

bool enter_folder(const std::string& path, std::string& reason) {
    if (chdir(path.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
}

} // namespace host

#include "gauges/debug_log.h"

#include "platform/os.h"

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

std::FILE* debug_log = nullptr;

namespace {

// The lines written so far, with how often each came. Past this many kinds
// a new kind is written each time (the module writes a few dozen kinds).
constexpr std::size_t kMostKinds = 4096;
// Looked up by view, so that a line already known costs no copy each frame.
struct LineHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
std::unordered_map<std::string, long long, LineHash, std::equal_to<>> line_counts;

bool power_of_ten(long long n) {
    while (n % 10 == 0)
        n /= 10;
    return n == 1;
}

void write_line(std::string_view text) {
    if (debug_log == nullptr) return;
    auto found = line_counts.find(text);
    if (found == line_counts.end()) {
        if (line_counts.size() < kMostKinds) line_counts.emplace(text, 1);
        std::fwrite(text.data(), 1, text.size(), debug_log);
    } else if (power_of_ten(++found->second)) {
        if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
        std::fprintf(debug_log, "%.*s (%lld times)\n", static_cast<int>(text.size()), text.data(),
                     found->second);
    } else {
        return;
    }
    std::fflush(debug_log);
}

} // namespace

void open_debug_log() {
    if (debug_log != nullptr) return;
    debug_log = os::open_file("orvex1.log", "w");
    line_counts.clear();
}

void debug_log_line(const char* text) {
    if (debug_log == nullptr) return;
    write_line(text);
}

void debug_log_printf(const char* format, ...) {
    if (debug_log == nullptr) return;
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    if (n > 0) write_line(text);
}

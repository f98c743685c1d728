#include "gauges/debug_log.h"

#include "platform/os.h"

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

std::FILE* debug_log = nullptr;

namespace {

// The kinds of line seen so far. Past this many, a new kind is counted only
// (the module writes a few dozen kinds), so the log stays bounded.
constexpr std::size_t kMostKinds = 4096;

struct LineKind {
    long long pending = 0;   // repeats since the line was last written
    long long last_call = 0; // when it last came
    bool running = false;    // written, and still coming
};

// Looked up by view, so that a line already known costs no copy each frame.
struct LineHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
std::unordered_map<std::string, LineKind, LineHash, std::equal_to<>> kinds;
std::vector<const std::string*> kinds_in_order; // as they first came
long long calls = 0;
long long kinds_not_kept = 0;

void put(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), debug_log);
}

void write_sum(const std::string& text, long long repeats) {
    std::string_view line = text;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    std::fprintf(debug_log, "%.*s (%lld more time%s)\n", static_cast<int>(line.size()), line.data(), repeats,
                 repeats == 1 ? "" : "s");
}

// Lines that have not come for kQuietCalls calls have stopped: their
// repeats are summed now, and they are written again when they come again.
void sum_stopped_lines() {
    for (const std::string* text : kinds_in_order) {
        LineKind& kind = kinds.find(*text)->second;
        if (!kind.running || calls - kind.last_call < kQuietCalls) continue;
        if (kind.pending > 0) write_sum(*text, kind.pending);
        kind.pending = 0;
        kind.running = false;
    }
}

void write_line(std::string_view text) {
    if (debug_log == nullptr) return;
    ++calls;
    if (calls % kQuietCalls == 0) sum_stopped_lines();
    auto found = kinds.find(text);
    if (found == kinds.end()) {
        if (kinds.size() >= kMostKinds) {
            ++kinds_not_kept;
            return;
        }
        found = kinds.emplace(std::string(text), LineKind{}).first;
        kinds_in_order.push_back(&found->first);
    }
    LineKind& kind = found->second;
    kind.last_call = calls;
    if (kind.running) {
        ++kind.pending;
        return;
    }
    kind.running = true;
    put(text);
    std::fflush(debug_log);
}

void forget_kinds() {
    kinds.clear();
    kinds_in_order.clear();
    calls = 0;
    kinds_not_kept = 0;
}

} // namespace

void open_debug_log() {
    if (debug_log != nullptr) return;
    debug_log = os::open_file("orvex1.log", "w");
    forget_kinds();
}

void close_debug_log() {
    if (debug_log == nullptr) return;
    for (const std::string* text : kinds_in_order) {
        const LineKind& kind = kinds.find(*text)->second;
        if (kind.pending > 0) write_sum(*text, kind.pending);
    }
    if (kinds_not_kept > 0)
        std::fprintf(debug_log, "%lld lines of kinds past the first %zu not written\n", kinds_not_kept,
                     kMostKinds);
    std::fclose(debug_log);
    debug_log = nullptr;
    forget_kinds();
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

void debug_log_warning(const std::string& file, const std::string& text) {
    open_debug_log();
    if (debug_log == nullptr) return;
    // One line each, whatever bytes of a file the text quotes.
    std::string line = "warning: " + file + ": " + text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    line += '\n';
    put(line);
    std::fflush(debug_log);
}

#include "gauges/debug_log.h"

#include "platform/os.h"

#include <cstdarg>

std::FILE* debug_log = nullptr;

void open_debug_log() {
    if (debug_log == nullptr) debug_log = os::open_file("orvex1.log", "w");
}

void debug_log_line(const char* text) {
    if (debug_log == nullptr) return;
    std::fputs(text, debug_log);
    std::fflush(debug_log);
}

void debug_log_printf(const char* format, ...) {
    if (debug_log == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(debug_log, format, args);
    va_end(args);
    std::fflush(debug_log);
}

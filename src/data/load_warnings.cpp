#include "data/load_warnings.h"

#include "platform/os.h"

#include <array>
#include <set>

namespace {

constexpr std::size_t kKept = 400;

std::array<LoadWarning, kKept> ring;
std::size_t first = 0; // oldest untaken
std::size_t held = 0;
int64_t dropped = 0;

} // namespace

void record_load_warning(const std::string& file, const std::string& text) {
    if (held == kKept) {
        first = (first + 1) % kKept;
        --held;
        ++dropped;
    }
    LoadWarning& w = ring[(first + held) % kKept];
    w.file = os::host_path(file);
    w.text = text;
    ++held;
}

bool take_load_warning(LoadWarning& warning) {
    if (held == 0) return false;
    warning = ring[first];
    first = (first + 1) % kKept;
    --held;
    return true;
}

int64_t load_warnings_dropped() {
    return dropped;
}

void clear_load_warnings() {
    first = 0;
    held = 0;
}

void record_missing_file(const std::string& file) {
    // Loaders look for some files again and again (airport details on every
    // airport): each missing one is told once.
    // The "_user" companions of the data files are optional.
    if (file.find("_user.") != std::string::npos) return;
    static std::set<std::string> told;
    if (told.size() < kKept && !told.insert(os::host_path(file)).second) return;
    record_load_warning(file, "cannot be opened");
}

void FileLineCheck::line(const std::string& text) {
    ++lines;
    if (binary) return;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\r') {
            binary = true;
            return;
        }
    }
}

void FileLineCheck::report(const char* what_was_skipped) const {
    if (binary) {
        record_load_warning(file, "is not a text file");
    } else if (lines == 0) {
        record_load_warning(file, "holds nothing to read");
    } else if (used < lines) {
        record_load_warning(file, std::to_string(lines - used) + " of " + std::to_string(lines) + " " +
                                      what_was_skipped + " skipped");
    }
}

#include "data/load_warnings.h"

#include "platform/os.h"
#include "platform/text_file.h"

#include <array>
#include <cstring>
#include <set>

namespace {

constexpr std::size_t kKept = 400;

std::array<LoadWarning, kKept> ring;
std::size_t first = 0; // oldest untaken
std::size_t held = 0;
int64_t dropped = 0;

// Loaders read some files again and again (the navigation files while no
// airport is loaded, the airport files for every airport): each warning is
// told once.
std::set<std::string> told;
constexpr std::size_t kToldLimit = 4000;

LoadWarningListener listener = nullptr;

} // namespace

void record_load_warning(const std::string& file, const std::string& text) {
    const std::string host_file = os::host_path(file);
    if (told.size() < kToldLimit && !told.insert(host_file + '\n' + text).second) return;
    if (held == kKept) {
        first = (first + 1) % kKept;
        --held;
        ++dropped;
    }
    LoadWarning& w = ring[(first + held) % kKept];
    w.file = host_file;
    w.text = text;
    ++held;
    if (listener != nullptr) listener(host_file, text);
}

void set_load_warning_listener(LoadWarningListener l) {
    listener = l;
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
    told.clear();
}

std::string record_missing_file(const std::string& file) {
    if (os::last_open_failure() == os::OpenFailure::NotRegular) {
        record_load_warning(file, kNotRegularFile);
        return kNotRegularFile;
    }
    // The "_user" companions of the data files are optional.
    if (file.find("_user.") == std::string::npos) record_load_warning(file, "cannot be opened");
    return "cannot be opened";
}

void record_if_not_regular(const std::string& file) {
    if (os::last_open_failure() == os::OpenFailure::NotRegular) record_load_warning(file, kNotRegularFile);
}

namespace {

bool control_byte(unsigned char b) {
    return b < 0x20 && b != '\t' && b != '\r';
}

// Eight bytes at a time: a word none of whose bytes is below 0x20 is passed
// whole (the world-size files have twenty million bytes to look at).
bool has_control_byte(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighs = 0x8080808080808080;
    const char* p = text.data();
    const char* const end = p + text.size();
    // A byte's high bit is set here when it is below 0x20 (bytes from 0x80
    // are masked out); a borrow can only mark more bytes, which the byte test
    // below then clears. Two words a step: most lines hold none.
    auto below_space = [](const char* at) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        return (word - 0x20 * kOnes) & ~word & kHighs;
    };
    for (; end - p >= 16; p += 16) {
        if ((below_space(p) | below_space(p + 8)) == 0) continue;
        for (int i = 0; i < 16; ++i)
            if (control_byte(static_cast<unsigned char>(p[i]))) return true;
    }
    for (; end - p >= 8; p += 8) {
        if (below_space(p) == 0) continue;
        for (int i = 0; i < 8; ++i)
            if (control_byte(static_cast<unsigned char>(p[i]))) return true;
    }
    for (; p < end; ++p)
        if (control_byte(static_cast<unsigned char>(*p))) return true;
    return false;
}

} // namespace

void FileLineCheck::line(std::string_view text, int number) {
    ++lines_;
    current_ = number;
    last_incomplete_ = false;
    if (current_used_ && current_decimals_ >= 0) previous_decimals_ = current_decimals_;
    current_used_ = false;
    current_decimals_ = -1;
    current_ends_line_ = false;
    if (!binary_ && has_control_byte(text)) binary_ = true;
}

void FileLineCheck::skip(const std::string& why) {
    last_incomplete_ = true;
    if (skipped_++ == 0) {
        first_skipped_ = current_;
        first_why_ = why;
    }
}

void FileLineCheck::fault(const std::string& why, bool whole) {
    use();
    last_incomplete_ = !whole;
    if (faults_++ == 0) {
        first_fault_ = current_;
        first_fault_why_ = why;
    }
}

void FileLineCheck::measure(std::string_view field, bool ends_line) {
    double value = 0.0;
    measure(field, parse_whole_number(field, value) ? value : 0.0, ends_line);
}

void FileLineCheck::finish(const LineReader& reader) {
    const bool shorter = current_used_ && current_ends_line_ && current_decimals_ >= 0 &&
                         current_decimals_ < previous_decimals_;
    cut_short_ = reader.last_line_open() && (last_incomplete_ || shorter);
    if (reader.stopped_early()) lines_read_bound_ = reader.line_number();
    // A line past the reader's buffer is junk or damage: its tail was never read.
    if (reader.lines_cut() > 0 && !binary_)
        note(std::to_string(reader.lines_cut()) + " lines too long, cut (line " +
             std::to_string(reader.first_cut_line()) + ")");
}

void FileLineCheck::value(const std::string& text, int line) {
    if (line <= 0) line = current_;
    if (values_told_++ < kValuesListed)
        values_ += (values_.empty() ? "" : "; ") + ("line " + std::to_string(line) + ": ") + text;
    else if (first_unlisted_value_ == 0)
        first_unlisted_value_ = line;
}

void FileLineCheck::note(const std::string& text) {
    notes_ += (notes_.empty() ? "" : "; ") + text;
}

void FileLineCheck::report(const char* kept, bool optional) const {
    std::string text;
    if (binary_) {
        text = "is not a text file";
    } else if (used_ == 0 && !optional) {
        text = lines_ == 0 ? "is empty" : "holds nothing usable";
        if (skipped_ > 0 && !first_why_.empty())
            text += " (line " + std::to_string(first_skipped_) + ": " + first_why_ + ")";
    } else if (skipped_ > 0) {
        text = std::to_string(skipped_) + " of " + std::to_string(lines_) +
               " lines could not be used (line " + std::to_string(first_skipped_) +
               (first_why_.empty() ? "" : ": " + first_why_) + ")";
    }
    if (faults_ > 0 && !binary_)
        text += std::string(text.empty() ? "" : "; ") + std::to_string(faults_) +
                " lines taken though a value is wrong (line " + std::to_string(first_fault_) + ": " +
                first_fault_why_ + ")";
    if (cut_short_ && !binary_) text += std::string(text.empty() ? "" : "; ") + kCutShortNote;
    if (lines_read_bound_ > 0)
        text += std::string(text.empty() ? "" : "; ") + "read no further than line " +
                std::to_string(lines_read_bound_) + ", more than its reader takes";
    if (!notes_.empty() && !binary_) text += (text.empty() ? "" : "; ") + notes_;
    // Each value told says what the module uses instead.
    const bool values_only = text.empty();
    if (values_told_ > 0 && !binary_) {
        text += (text.empty() ? "" : "; ") + values_;
        if (values_told_ > kValuesListed)
            text += "; " + std::to_string(values_told_ - kValuesListed) + " more such values (line " +
                    std::to_string(first_unlisted_value_) + " first)";
    }
    if (text.empty()) return;
    record_load_warning(file_, values_only ? text : text + "; " + kept);
}

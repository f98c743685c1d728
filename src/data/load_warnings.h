// Problems met while reading the module's files (a file that is missing,
// empty or not text, lines that could not be used, values out of range),
// kept for whoever runs the module to show: the stand-in prints them with
// the file's name. The module itself never prints. The list holds the
// latest 400 untaken warnings; older ones are dropped and counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

struct LoadWarning {
    std::string file; // as the host names it
    std::string text;
};

// file: the module's path (with '\\'); it is recorded as the host's path.
// The same text for the same file is recorded once (until the list is cleared).
void record_load_warning(const std::string& file, const std::string& text);

// Called with each warning as it is recorded (the host's file name), so that
// the module can write it where a user of the simulator reads it; null: none.
using LoadWarningListener = void (*)(const std::string& file, const std::string& text);
void set_load_warning_listener(LoadWarningListener listener);

// The oldest warning not yet taken; false when none is left.
bool take_load_warning(LoadWarning& warning);

// Warnings dropped because the list was full (a count that only grows).
int64_t load_warnings_dropped();

// Empties the list (tests).
void clear_load_warnings();

// What one reading of a file met, told as one load warning naming the file:
// bytes no text file has (a NUL or another control character but tab), lines
// that could not be used (how many, the first by number and why), a file cut
// short, or nothing usable at all.
class LineReader;
class FileLineCheck {
  public:
    explicit FileLineCheck(std::string file) : file_(std::move(file)) {}

    // Every line read, with its number in the file.
    void line(std::string_view text, int number);
    // The line last given gave something (a record, a key, a section).
    void use() {
        ++used_;
        current_used_ = true;
    }
    // The line last given could not be used.
    void skip(const std::string& why);
    // The line last given was used, though it lacks fields its record has.
    void use_incomplete() {
        use();
        last_incomplete_ = true;
    }
    // The line last given was used, though a value of it is told: `why`
    // says which. `whole` false when the line also lacks fields its record
    // has (so that a file cut short there is told as such).
    void fault(const std::string& why, bool whole = true);
    // A number field of the line last given whose written length a cut
    // would shorten: the file's last line, without its line end, is told cut
    // short when that field ends it with fewer decimals than the same field
    // of the used line before (the files write a field's decimals alike).
    void measure(std::string_view field, bool ends_line);
    // As measure, for a field its reader has read as a number whole (value):
    // its digits after the point; 0, which the files write short for "none"
    // ("0.0 0.0"), has none to compare.
    void measure(std::string_view field, double value, bool ends_line) {
        const std::size_t point = field.find('.');
        current_decimals_ = value == 0.0                      ? -1
                            : point == std::string_view::npos ? 0
                                                              : static_cast<int>(field.size() - point - 1);
        current_ends_line_ = ends_line;
    }
    // The line last given lies outside what the reader looks for: it is not
    // counted, only judged, so that a file cut short there is still told.
    void pass_over(bool whole) { last_incomplete_ = !whole; }
    // After the last line: the file was cut short when its last line has no
    // line end and could not be used whole. An editor may save a whole file
    // without the final line end: a whole last line is no damage.
    void finish(const LineReader& reader);
    // A value of the line last given that no aircraft or procedure has,
    // which the line was used without or with as `text` says (the key or
    // field, the value, why, and what the module uses instead). Each is
    // told by its line number, the first kValuesListed of a file in full.
    // `line` names another line than the last given (a finding at the end).
    void value(const std::string& text, int line = 0);
    static constexpr int kValuesListed = 20;
    // Something the reading left out beyond single lines (a full table, a
    // procedure dropped whole), told in the same warning.
    void note(const std::string& text);

    bool binary() const { return binary_; }
    // The number of the line last given.
    int line_number() const { return current_; }
    int used() const { return used_; }
    bool cut_short() const { return cut_short_; }

    // Records the warning, if any. `kept` ends it with what stands instead
    // ("skipped", "their defaults kept"); an optional file may hold nothing.
    void report(const char* kept, bool optional = false) const;

  private:
    std::string file_;
    int lines_ = 0;
    int current_ = 0;
    int used_ = 0;
    int skipped_ = 0;
    int first_skipped_ = 0;
    std::string first_why_;
    int faults_ = 0;
    int first_fault_ = 0;
    std::string first_fault_why_;
    bool current_used_ = false;
    int current_decimals_ = -1; // of the field measured, -1 when none
    bool current_ends_line_ = false;
    int previous_decimals_ = -1;
    int lines_read_bound_ = 0; // the reader stopped there, with more unread
    bool binary_ = false;
    bool last_incomplete_ = false;
    bool cut_short_ = false;
    std::string notes_;
    std::string values_;
    int values_told_ = 0;
    int first_unlisted_value_ = 0;
};

// How a warning tells a file cut short.
inline constexpr const char* kCutShortNote = "its last line is cut short";

// Records a file that open_file just refused, once, and returns why: one
// that is not a regular file is told always, a missing one unless it is an
// optional "_user" companion of the data files.
std::string record_missing_file(const std::string& file);
inline constexpr const char* kNotRegularFile = "is not a regular file: not read";
// For a reader that passes over a missing file in silence: records the file
// open_file just refused when it is not a regular file.
void record_if_not_regular(const std::string& file);

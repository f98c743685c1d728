// One line reader for every loader, lenient C-locale number parsing and the
// saturating float-to-int conversion.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Reads one line of at most max_length characters (the loader's fixed buffer
// less its terminator). The '\n' and a '\r' just before it (or before the end
// of the file) are removed and do not count toward max_length. A longer line
// is cut to max_length and the rest of it is skipped, so the next read starts
// on the next line. A last line without a newline is returned. Returns false
// at end of file with nothing read (line is then empty).
bool read_line(std::FILE* file, std::string& line, std::size_t max_length);

// read_line with what a loader reports about the file as a whole: the number
// of the line last read (from 1) and whether it ended without a line end,
// as the last line of a file cut short does. It reads the file in blocks, so
// the file must be read through this reader alone until it is closed.
class LineReader {
  public:
    // Bytes read from the file at a time.
    static constexpr std::size_t block_size = 32 * 1024;

    // Lines taken from one file unless the reader says otherwise: more than
    // any file of the module holds. Reading stops after that many lines, or
    // that many lines' worth of bytes, so that no file holds a loader long.
    static constexpr int kDefaultMaxLines = 4'000'000;

    LineReader(std::FILE* file, std::size_t max_length, int max_lines = kDefaultMaxLines)
        : file_(file), max_length_(max_length), max_lines_(max_lines),
          max_bytes_(static_cast<uint64_t>(max_lines) * (max_length + 2)) {}
    bool next(std::string& line);
    // The same line viewed in place where it lies whole in the block (else
    // in a copy the reader keeps), valid until the next read. The view is
    // not terminated: the bytes after it are the rest of the file.
    bool next(std::string_view& line);
    int line_number() const { return line_number_; }
    bool last_line_open() const { return open_; }
    // Lines longer than max_length (cut), and the number of the first.
    int lines_cut() const { return lines_cut_; }
    bool last_line_cut() const { return last_cut_; }
    int first_cut_line() const { return first_cut_line_; }
    // Reading stopped at the bound with more of the file unread.
    bool stopped_early() const { return stopped_; }
    int max_lines() const { return max_lines_; }

  private:
    bool fill();
    void count_cut();

    std::FILE* file_;
    bool at_bound();

    std::size_t max_length_;
    int max_lines_;
    uint64_t max_bytes_;
    uint64_t consumed_ = 0; // bytes taken from the file's start
    bool stopped_ = false;
    int line_number_ = 0;
    int lines_cut_ = 0;
    int first_cut_line_ = 0;
    bool last_cut_ = false;
    bool open_ = false;
    std::unique_ptr<char[]> block_;
    std::size_t position_ = 0; // next unread byte of the block
    std::size_t filled_ = 0;   // bytes of the block read from the file
    std::string carried_;      // a line that crosses a block edge
};

// Lenient parsing as atof/atoi do, but always in the C locale whatever the
// process locale is: leading blanks skipped, an optional sign, the longest
// valid prefix taken, no digits give 0. parse_double always gives a finite
// value: "inf" and "nan" are no numbers (0), overflow gives the largest
// finite value with its sign and underflow 0; it takes "0x" hexadecimal as
// strtod does. parse_int saturates at the int32 limits.
double parse_double(const char* text);
double parse_double(const std::string& text);
int32_t parse_int(const char* text);
// True when the lenient parsers find digits at the start of the text (after
// blanks and a sign): "47.5N" and ".5" do, "N47", "nan" and "" do not.
bool has_leading_number(const char* text);
// Strict parsing for a field that must be a number and nothing else: an
// optional sign, digits with at most one point, an optional exponent, the
// whole text and no more ("47N", "1qq", "nan", "inf", "0x1p4" and "" are no
// number), and a finite result (1e999 is none). value is set only on success.
bool parse_whole_number(std::string_view text, double& value);
int32_t parse_int(const std::string& text);

// Float to integer, truncating toward zero and saturating at the type's
// limits; NaN gives 0.
int32_t saturate_to_int(double value);

// As saturate_to_int, for a computed value that stands for whole units (a
// command, a target, whole hundreds or degrees): a value short of a whole
// number by no more than kWholeTolerance in magnitude is that number, so
// that 1099.9999999999998 is 1100, not 1099.
inline constexpr double kWholeTolerance = 1e-6;
int32_t saturate_to_whole(double value);

// The one line reader and the number helpers every loader uses.
#include "platform/text_file.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The module reads on one thread: skip the stream lock per character.
int next_char(std::FILE* file) {
#if defined(_WIN32)
    return _getc_nolock(file);
#else
    return getc_unlocked(file);
#endif
}

bool read_line_ending(std::FILE* file, std::string& line, std::size_t max_length, bool& ended) {
    ended = false;
    line.clear();
    if (!file) return false;
    // One character beyond the limit is kept so that a '\r' just past it
    // can still be recognised as the line ending rather than as content.
    bool any = false;
    bool cut = false;
    int c;
    while ((c = next_char(file)) != EOF) {
        any = true;
        if (c == '\n') {
            ended = true;
            break;
        }
        if (line.size() <= max_length)
            line += static_cast<char>(c);
        else
            cut = true;
    }
    if (!any) return false;
    if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > max_length) line.resize(max_length);
    return true;
}

} // namespace

bool read_line(std::FILE* file, std::string& line, std::size_t max_length) {
    bool ended = false;
    return read_line_ending(file, line, max_length, ended);
}

// A block is big enough that a call to the C library per block costs nothing
// beside the lines, and small enough for the loaders of small files.
bool LineReader::fill() {
    if (!block_) block_ = std::make_unique<char[]>(block_size);
    position_ = 0;
    filled_ = std::fread(block_.get(), 1, block_size, file_);
    return filled_ > 0;
}

// As read_line, a block at a time: the line's bytes are found with memchr
// and copied whole rather than character by character.
// True when the reader has taken all it may: the rest is left unread.
bool LineReader::at_bound() {
    if (stopped_) return true;
    if (line_number_ < max_lines_ && consumed_ <= max_bytes_) return false;
    stopped_ = position_ < filled_ || fill();
    return true;
}

bool LineReader::next(std::string& line) {
    line.clear();
    if (!file_ || at_bound()) return false;
    // As read_line: one byte beyond the limit is kept for a '\r' just past it.
    const std::size_t keep = max_length_ + 1;
    std::size_t length = 0; // of the whole line, however much is kept
    bool any = false;
    bool ended = false;
    while (position_ < filled_ || fill()) {
        any = true;
        const char* start = block_.get() + position_;
        const std::size_t available = filled_ - position_;
        const auto* end = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t n = end ? static_cast<std::size_t>(end - start) : available;
        if (line.size() < keep) line.append(start, std::min(n, keep - line.size()));
        length += n;
        position_ += n;
        consumed_ += n;
        if (end) {
            ++position_;
            ++consumed_;
            ended = true;
            break;
        }
        // A line without end past the bound (a file of one endless line).
        if (consumed_ > max_bytes_) {
            stopped_ = true;
            return false;
        }
    }
    if (!any) return false;
    const bool carriage_return = length <= keep && !line.empty() && line.back() == '\r';
    if (carriage_return) line.pop_back();
    ++line_number_;
    last_cut_ = false;
    if (length - (carriage_return ? 1 : 0) > max_length_) count_cut();
    if (line.size() > max_length_) line.resize(max_length_);
    open_ = !ended;
    return true;
}

void LineReader::count_cut() {
    last_cut_ = true;
    if (lines_cut_++ == 0) first_cut_line_ = line_number_;
}

bool LineReader::next(std::string_view& line) {
    if (file_ && position_ < filled_ && line_number_ < max_lines_ && consumed_ <= max_bytes_) {
        const char* start = block_.get() + position_;
        const auto* end = static_cast<const char*>(std::memchr(start, '\n', filled_ - position_));
        if (end) {
            std::size_t n = static_cast<std::size_t>(end - start);
            position_ += n + 1;
            consumed_ += n + 1;
            // As next(std::string&): a '\r' within one byte past the limit
            // ends the line.
            if (n > 0 && n <= max_length_ + 1 && start[n - 1] == '\r') --n;
            line = std::string_view(start, std::min(n, max_length_));
            ++line_number_;
            last_cut_ = false;
            if (n > max_length_) count_cut();
            open_ = false;
            return true;
        }
    }
    const bool any = next(carried_);
    line = carried_;
    return any;
}

namespace {

bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_hex_digit(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// When from_chars reports a value out of range, the decimal magnitude of the
// accepted text tells overflow (infinity, as strtod gives HUGE_VAL) from
// underflow (zero).
bool decimal_overflows(const char* first, const char* last) {
    long magnitude = 0;
    bool seen_nonzero = false;
    const char* p = first;
    for (; p < last && is_digit(*p); ++p) {
        if (*p != '0') seen_nonzero = true;
        if (seen_nonzero) ++magnitude;
    }
    if (p < last && *p == '.') {
        for (++p; p < last && is_digit(*p); ++p) {
            if (seen_nonzero) break;
            if (*p != '0') {
                seen_nonzero = true;
                break;
            }
            --magnitude;
        }
        while (p < last && is_digit(*p))
            ++p;
    }
    long exponent = 0;
    if (p < last && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
        for (; p < last && is_digit(*p); ++p)
            if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

// The digits of a decimal without exponent ("-45.531056" past its sign),
// read once from p up to end: its integer of all digits (which wraps past
// nineteen of them and is then not used), how many digits, how many after
// the point, and where they end. Inline: a world-size load reads a million
// numbers, and a call apiece costs a tenth of their reading.
struct DecimalDigits {
    uint64_t mantissa = 0;
    std::ptrdiff_t digits = 0; // leading zeros count
    std::ptrdiff_t decimals = 0;
    const char* end = nullptr;
};
inline DecimalDigits scan_decimal(const char* p, const char* end) {
    DecimalDigits d;
    const char* start = p;
    for (; p < end && is_digit(*p); ++p)
        d.mantissa = d.mantissa * 10 + static_cast<uint64_t>(*p - '0');
    d.digits = p - start;
    if (p < end && *p == '.') {
        const char* point = p++;
        for (; p < end && is_digit(*p); ++p)
            d.mantissa = d.mantissa * 10 + static_cast<uint64_t>(*p - '0');
        d.decimals = p - point - 1;
        d.digits += d.decimals;
    }
    d.end = p;
    return d;
}

// The common plain decimal: at most 2^53 as an integer of its digits and at
// most 22 of them after the point. Such a number is the quotient of two
// doubles that are both exact, and one division rounds it correctly, as
// from_chars does; anything else goes to from_chars. Only where doubles are
// computed in double precision: x87 arithmetic rounds twice.
bool exact_decimal(const DecimalDigits& d, double& value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (d.digits == 0 || d.digits > 19 || d.mantissa > (uint64_t{1} << 53) || d.decimals > 22) return false;
    value = static_cast<double>(d.mantissa) / kPowersOfTen[d.decimals];
    return true;
#else
    (void)d;
    (void)value;
    return false;
#endif
}

// A plain decimal leading a text that runs to end (not hexadecimal, no
// exponent after it).
bool plain_decimal(const char* p, const char* end, double& value) {
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return false;
    const DecimalDigits d = scan_decimal(p, end);
    if (d.end < end && (*d.end == 'e' || *d.end == 'E')) return false;
    return exact_decimal(d, value);
}

} // namespace

double parse_double(const char* text) {
    if (!text) return 0.0;
    const char* p = text;
    while (is_c_space(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p == '+' || *p == '-') return 0.0;
    const char* const end = p + std::strlen(p);
    double plain = 0.0;
    if (plain_decimal(p, end, plain)) return negative ? -plain : plain;

    double value = 0.0;
    std::chars_format format = std::chars_format::general;
    const char* first = p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        (is_hex_digit(p[2]) || (p[2] == '.' && is_hex_digit(p[3])))) {
        format = std::chars_format::hex;
        first = p + 2;
    }
    // "nan" and "inf" are words, not numbers: a number starts with a digit
    // or a point.
    if (!is_digit(*first) && *first != '.' && format == std::chars_format::general) return 0.0;
    auto result = std::from_chars(first, end, value, format);
    if (result.ec == std::errc::result_out_of_range) {
        // Too big saturates at the largest finite value, as parse_int does.
        if (format == std::chars_format::hex || decimal_overflows(first, result.ptr))
            value = std::numeric_limits<double>::max();
        else
            value = 0.0;
    } else if (result.ec != std::errc() || !std::isfinite(value)) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double parse_double(const std::string& text) {
    return parse_double(text.c_str());
}

int32_t parse_int(const char* text) {
    if (!text) return 0;
    const char* p = text;
    while (is_c_space(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Beyond the type's range the value saturates (atoi leaves that undefined).
    int64_t value = 0;
    for (; is_digit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > int64_t{1} << 32) value = int64_t{1} << 32;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

bool has_leading_number(const char* text) {
    if (!text) return false;
    const char* p = text;
    while (is_c_space(*p))
        ++p;
    if (*p == '+' || *p == '-') ++p;
    if (*p == '.') ++p;
    return is_digit(*p);
}

bool parse_whole_number(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    const char* const first = p;
    // The digits are read once: a plain decimal, as the data files write
    // their numbers, is then its value without another pass.
    const DecimalDigits d = scan_decimal(first, end);
    if (d.digits == 0) return false;
    double parsed = 0.0;
    if (d.end == end && exact_decimal(d, parsed)) {
        value = negative ? -parsed : parsed;
        return true;
    }
    p = d.end;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) ++p;
        const char* const exponent = p;
        while (p < end && is_digit(*p))
            ++p;
        if (p == exponent) return false;
    }
    if (p != end) return false;
    const auto result = std::from_chars(first, end, parsed);
    // Underflow is a number next to 0 that the type cannot hold: 0 it is.
    if (result.ec == std::errc::result_out_of_range && !decimal_overflows(first, result.ptr))
        parsed = 0.0;
    else if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

int32_t parse_int(const std::string& text) {
    return parse_int(text.c_str());
}

int32_t saturate_to_int(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t saturate_to_whole(double value) {
    if (std::isnan(value)) return 0;
    const double toward_zero = std::trunc(value);
    const double away = toward_zero + (value < 0.0 ? -1.0 : 1.0);
    return saturate_to_int(std::fabs(away - value) <= kWholeTolerance ? away : toward_zero);
}

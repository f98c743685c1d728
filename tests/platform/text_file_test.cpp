#include "platform/temp_folder.h"
#include "platform/text_file.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string_view>
#include <vector>

namespace {

std::FILE* file_of(const std::string& content) {
    std::FILE* f = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), f);
    std::rewind(f);
    return f;
}

using Lines = std::vector<std::string>;

struct ReaderResult {
    Lines lines;
    bool last_line_open = false;
};

// Every line of `content` through LineReader, checking its line numbers.
ReaderResult line_reader_lines(const std::string& content, std::size_t max_length) {
    std::FILE* f = file_of(content);
    ReaderResult out;
    LineReader reader(f, max_length);
    std::string line = "stale";
    while (reader.next(line)) {
        out.lines.push_back(line);
        EXPECT_EQ(reader.line_number(), static_cast<int>(out.lines.size()));
    }
    EXPECT_TRUE(line.empty());
    out.last_line_open = reader.last_line_open();
    std::fclose(f);

    // The lines viewed in place read the same, with the same numbers.
    f = file_of(content);
    LineReader viewer(f, max_length);
    std::string_view view;
    Lines viewed;
    while (viewer.next(view)) {
        viewed.emplace_back(view);
        EXPECT_EQ(viewer.line_number(), static_cast<int>(viewed.size()));
    }
    EXPECT_EQ(viewed, out.lines);
    EXPECT_EQ(viewer.last_line_open(), out.last_line_open);
    std::fclose(f);
    return out;
}

// Reads every line of `content` with the given limit, by read_line; the
// block reader must read the same.
Lines lines_of(const std::string& content, std::size_t max_length) {
    std::FILE* f = file_of(content);
    Lines out;
    std::string line = "stale";
    while (read_line(f, line, max_length))
        out.push_back(line);
    EXPECT_TRUE(line.empty());
    std::fclose(f);
    EXPECT_EQ(line_reader_lines(content, max_length).lines, out);
    return out;
}

} // namespace

TEST(ReadLine, removesLineEndsAndReturnsALastLineWithoutNewline) {
    EXPECT_EQ(lines_of("abc\r\n\r\ndef\nlast", 100), (Lines{"abc", "", "def", "last"}));
    EXPECT_EQ(lines_of("one\n", 100), Lines{"one"});
    EXPECT_EQ(lines_of("tail\r", 100), Lines{"tail"});
    EXPECT_EQ(lines_of("", 100), Lines{});
    EXPECT_EQ(lines_of("\n\n", 100), (Lines{"", ""}));
    // Only a '\r' at the end of the line is a line ending.
    EXPECT_EQ(lines_of("a\rb\r\n", 100), Lines{"a\rb"});
    EXPECT_FALSE(read_line(nullptr, *std::make_unique<std::string>(), 10));
}

TEST(ReadLine, cutsAnOverLongLineAndSkipsItsRest) {
    EXPECT_EQ(lines_of("1234567890\nxy\n", 5), (Lines{"12345", "xy"}));
    // Exactly at the limit: the "\r\n" does not count.
    EXPECT_EQ(lines_of("12345\r\nab", 5), (Lines{"12345", "ab"}));
    EXPECT_EQ(lines_of("123456\r\nab", 5), (Lines{"12345", "ab"}));
    EXPECT_EQ(lines_of("12345\rX\n", 5), Lines{"12345"});
    EXPECT_EQ(lines_of("12345678", 5), Lines{"12345"});
    EXPECT_EQ(lines_of("abc\n", 0), Lines{""});

    std::string huge(100000, 'k');
    Lines got = lines_of(huge + "\r\nTransAlt=5000\r\n", 298);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string(298, 'k'));
    EXPECT_EQ(got[1], "TransAlt=5000");
}

// The block reader where a line end, a cut or the file's end meets the edge of
// a block: the feature at every offset from three bytes before the edge to
// two after it.
TEST(LineReader, readsTheSameAcrossBlockEdges) {
    struct Row {
        const char* what;
        std::string tail; // after the first line's run of 'a'
        std::size_t max_length;
        Lines expected_after; // lines after the first
        bool open;
    };
    const std::size_t edge = LineReader::block_size;
    for (std::size_t n = edge - 3; n <= edge + 2; ++n) {
        const std::string run(n, 'a');
        const Row rows[] = {
            {"CR LF", "\r\nnext", 100000, {"next"}, true},
            {"LF", "\nnext\n", 100000, {"next"}, false},
            {"CR at the end", "\r", 100000, {}, true},
            {"CR inside", "\rb\n", 100000, {}, false},
            {"no line end", "", 100000, {}, true},
            {"cut", "bbbb\r\nnext\n", 10, {"next"}, false},
            {"CR just past the limit", "\r\nnext", n, {"next"}, true},
        };
        for (const Row& r : rows) {
            Lines expected = {run.substr(0, r.max_length)};
            if (std::string(r.what) == "CR inside") expected[0] = run + "\rb";
            expected.insert(expected.end(), r.expected_after.begin(), r.expected_after.end());
            const ReaderResult got = line_reader_lines(run + r.tail, r.max_length);
            EXPECT_EQ(got.lines, expected) << r.what << " at " << n;
            EXPECT_EQ(got.last_line_open, r.open) << r.what << " at " << n;
        }
    }
    // Many lines of every length across many blocks, each its own number.
    std::string text;
    Lines expected;
    for (std::size_t i = 0; text.size() < 3 * edge; ++i) {
        expected.push_back(std::string(i % 97, static_cast<char>('a' + i % 26)));
        text += expected.back() + (i % 2 ? "\r\n" : "\n");
    }
    EXPECT_EQ(line_reader_lines(text, 1698).lines, expected);
}

// A reader takes at most its bound of lines, or as many lines' worth of
// bytes (one endless line), and says when more of the file was left.
TEST(LineReader, stopsAtItsBoundOfLinesAndSaysSo) {
    struct Row {
        const char* what;
        std::string content;
        int lines_read;
        bool stopped;
    };
    const Row rows[] = {
        {"as many lines as the bound", "a\nb\nc\n", 3, false},
        {"one more line", "a\nb\nc\nd\n", 3, true},
        {"an endless line", std::string(100000, 'x'), 0, true},
        {"a last line past the bound's bytes", "a\n" + std::string(100, 'x'), 1, true},
    };
    for (const Row& row : rows) {
        std::FILE* f = file_of(row.content);
        LineReader reader(f, 10, 3);
        int lines = 0;
        for (std::string line; reader.next(line);)
            ++lines;
        EXPECT_EQ(lines, row.lines_read) << row.what;
        EXPECT_EQ(reader.stopped_early(), row.stopped) << row.what;
        std::fclose(f);
    }
}

TEST(ParseDouble, takesTheLongestCPrefixLikeAtof) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"3.5", 3.5},
        {"  -2.25xyz", -2.25},
        {"\t42", 42.0},
        {"+7", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1.5e", 1.5},
        {"-1.5E-2", -0.015},
        {"12,5", 12.0},
        {"140]", 140.0},
        {"abc", 0.0},
        {"", 0.0},
        {"-", 0.0},
        {"+-5", 0.0},
        {"- 5", 0.0},
        {"0x10", 16.0},
        {"0x", 0.0},
        {"1e-999", 0.0},
        {"0.000", 0.0},
        {"51.4775", 51.4775},
        {"-0.461389", -0.461389},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parse_double(r.text), r.value) << '"' << r.text << '"';
    EXPECT_EQ(parse_double(std::string("  9.75 ")), 9.75);
    EXPECT_EQ(parse_double(static_cast<const char*>(nullptr)), 0.0);
    // Never anything but a finite number: overflow saturates, words are none.
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(parse_double("1e999"), max);
    EXPECT_EQ(parse_double("-1e999"), -max);
    EXPECT_EQ(parse_double(std::string(400, '9')), max);
    EXPECT_EQ(parse_double("0x1p99999"), max);
    EXPECT_EQ(parse_double("0." + std::string(400, '0') + "1"), 0.0);
    for (const char* word : {"nan", "NAN", "-nan", "nan(123)", "inf", "-inf", "+Infinity", "INF"})
        EXPECT_EQ(parse_double(word), 0.0) << word;
}

// Plain decimals have a shortcut of their own: it must give the very double
// the general conversion gives, also at the edges of where it applies.
TEST(ParseDouble, plainDecimalsAreRoundedAsTheGeneralConversionRoundsThem) {
    auto general = [](const std::string& text) {
        double value = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    const char* rows[] = {
        "9007199254740992",         // 2^53
        "9007199254740993",         // past it: rounds
        "9007199254740993.5",       //
        "1234567890123456789",      // nineteen digits
        "12345678901234567890",     // twenty
        "0.1234567890123456789012", // twenty-two decimals
        "0.12345678901234567890123",
        "0000000000000000000001.5", // leading zeros count as digits
        "1.0000000000000000000001",  "0.30000000000000004", "45.531056", "179.999999", "0.000001", "5.", ".5",
    };
    for (const char* text : rows) {
        EXPECT_EQ(parse_double(text), general(text)) << text;
        EXPECT_EQ(parse_double(std::string("-") + text), -general(text)) << text;
    }
    // Coordinates as the data files write them, with up to nine decimals.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        char text[40];
        const int decimals = static_cast<int>(rng() % 10);
        std::snprintf(text, sizeof text, "%.*f", decimals,
                      static_cast<double>(rng() % 360000000000) / 1e9 - 180.0);
        ASSERT_EQ(parse_double(text), general(text)) << text;
    }
    EXPECT_TRUE(std::signbit(parse_double("-0.0")));
    EXPECT_EQ(parse_double("5.e2"), 500.0);
    EXPECT_EQ(parse_double("2.5E1x"), 25.0);
    EXPECT_EQ(parse_double("0x1.8"), 1.5);
}

// A field read whole: the text is one number and nothing else, and a plain
// decimal, which takes a shortcut of its own, is the very double from_chars
// gives.
TEST(ParseWholeNumber, takesOnlyAWholeNumberAndReadsItAsFromChars) {
    struct Row {
        const char* text;
        bool number;
        double value;
    };
    const Row rows[] = {
        {"47.5", true, 47.5},     {"-122.309722", true, -122.309722},
        {"+7", true, 7.0},        {".5", true, 0.5},
        {"5.", true, 5.0},        {"1e3", true, 1000.0},
        {"-2.5E-1", true, -0.25}, {"1e-999", true, 0.0},
        {"", false, 0},           {"-", false, 0},
        {".", false, 0},          {"47.5x", false, 0},
        {"47N", false, 0},        {"1..2", false, 0},
        {"1e", false, 0},         {"1e+", false, 0},
        {"0x10", false, 0},       {"nan", false, 0},
        {"inf", false, 0},        {"1e999", false, 0},
        {" 5", false, 0},         {"5 ", false, 0},
        {"+-5", false, 0},
    };
    for (const Row& r : rows) {
        double value = -1.0;
        EXPECT_EQ(parse_whole_number(r.text, value), r.number) << '"' << r.text << '"';
        EXPECT_EQ(value, r.number ? r.value : -1.0) << '"' << r.text << "\" is set only when whole";
    }
    // A field viewed inside its line: the bytes after it are not its own.
    double value = 0.0;
    EXPECT_TRUE(parse_whole_number(std::string_view("12.2534").substr(0, 5), value));
    EXPECT_EQ(value, 12.25);
    EXPECT_TRUE(parse_whole_number(std::string_view("-0.0"), value));
    EXPECT_TRUE(std::signbit(value));

    auto general = [](const std::string& text) {
        double v = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), v);
        return v;
    };
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        char text[48];
        std::snprintf(text, sizeof text, "%.*f", static_cast<int>(rng() % 24),
                      static_cast<double>(rng() % 720000000000) / 1e9 - 360.0);
        ASSERT_TRUE(parse_whole_number(text, value)) << text;
        ASSERT_EQ(value, text[0] == '-' ? -general(text + 1) : general(text)) << text;
    }
    for (const char* text :
         {"9007199254740992", "9007199254740993", "1234567890123456789", "12345678901234567890",
          "0.1234567890123456789012", "0.12345678901234567890123"}) {
        ASSERT_TRUE(parse_whole_number(text, value)) << text;
        EXPECT_EQ(value, general(text)) << text;
    }
}

TEST(ParseInt, takesDigitsUpToTheFirstOtherCharacterAndSaturates) {
    struct Row {
        const char* text;
        int32_t value;
    };
    const Row rows[] = {
        {"42", 42},
        {"  -17abc", -17},
        {"+8", 8},
        {"12.7", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-99999999999999999999", std::numeric_limits<int32_t>::min()},
        {"007", 7},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parse_int(r.text), r.value) << '"' << r.text << '"';
    EXPECT_EQ(parse_int(std::string("\n 18000")), 18000);
    EXPECT_EQ(parse_int(static_cast<const char*>(nullptr)), 0);
}

// Numbers in the module's files always use '.', whatever locale the host
// process runs under. The test looks for an installed comma-decimal locale,
// else builds one with localedef into a temp folder; without either it skips.
TEST(ParseDouble, ignoresACommaDecimalProcessLocale) {
#ifdef _WIN32
    const char* candidates[] = {"German_Germany.1252", "French_France.1252", "de-DE"};
#else
    const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "ru_RU.UTF-8"};
#endif
    const char* chosen = nullptr;
    for (const char* name : candidates)
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    std::filesystem::path built = TempFolder::make_unique_folder("orvex_locale_");
#ifndef _WIN32
    if (!chosen && !built.empty()) {
        std::string cmd =
            "localedef -i de_DE -f UTF-8 '" + (built / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) {
            ::setenv("LOCPATH", built.c_str(), 1);
            if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) chosen = "de_DE.UTF-8";
        }
    }
#endif
    if (!chosen) {
        std::error_code ec;
        std::filesystem::remove_all(built, ec);
        GTEST_SKIP() << "no comma-decimal locale available";
    }
    // The locale is really in force: the C library now reads a comma.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    ASSERT_EQ(std::strtod("3,25", nullptr), 3.25);

    EXPECT_EQ(parse_double("3.25"), 3.25);
    EXPECT_EQ(parse_double("3,25"), 3.0);
    EXPECT_EQ(parse_double("-122.375 W"), -122.375);
    EXPECT_EQ(parse_int("1.500"), 1);

    std::setlocale(LC_NUMERIC, "C");
    std::error_code ec;
    std::filesystem::remove_all(built, ec);
}

TEST(SaturateToInt, truncatesTowardZeroAndClampsAtTheLimits) {
    const double inf = std::numeric_limits<double>::infinity();
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    struct Row {
        double value;
        int32_t expected;
    };
    const Row rows[] = {
        {3.9, 3},
        {-3.9, -3},
        {0.0, 0},
        {-0.5, 0},
        {inf, max},
        {-inf, min},
        {1e12, max},
        {-1e12, min},
        {2147483647.0, max},
        {2147483646.9, 2147483646},
        {-2147483648.0, min},
        {-2147483648.5, min},
        {-2147483647.9, -2147483647},
        {1e308, max},
    };
    for (const auto& r : rows)
        EXPECT_EQ(saturate_to_int(r.value), r.expected) << r.value;
    EXPECT_EQ(saturate_to_int(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(SaturateToWhole, aValueRoundingLeftJustShortOfAWholeNumberIsThatNumber) {
    const double inf = std::numeric_limits<double>::infinity();
    const auto below = [](double v) { return std::nextafter(v, 0.0); }; // one ulp toward zero
    struct Row {
        double value;
        int32_t expected;
    };
    const Row rows[] = {
        {below(1100.0), 1100},   // 1099.9999999999998, as a vertical speed reads
        {below(-1100.0), -1100}, // the same in a descent
        {below(12.0), 12},       // whole hundreds: 1199.99.../100
        {below(1.0), 1},
        {below(360.0), 360},
        {29.0 - 0.9e-6, 29}, // within the tolerance
        {29.0 - 1.1e-6, 28}, // beyond it: truncated as before
        {3.9, 3},
        {-3.9, -3},
        {0.0, 0},
        {1e-7, 0}, // just above a whole number is that number too
        {inf, std::numeric_limits<int32_t>::max()},
        {-inf, std::numeric_limits<int32_t>::min()},
        {below(2147483647.0), std::numeric_limits<int32_t>::max()},
        {1e12, std::numeric_limits<int32_t>::max()},
    };
    for (const Row& r : rows)
        EXPECT_EQ(saturate_to_whole(r.value), r.expected) << r.value;
    EXPECT_EQ(saturate_to_whole(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(saturate_to_whole(0.57 * 100.0), 57); // Mach x 100: 56.99999999999999
}

#include "platform/temp_folder.h"
#include "platform/text_file.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

// Reads every line of `content` with the given limit.
std::vector<std::string> lines_of(const std::string& content, std::size_t max_length) {
    std::FILE* f = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), f);
    std::rewind(f);
    std::vector<std::string> out;
    std::string line = "stale";
    while (read_line(f, line, max_length))
        out.push_back(line);
    EXPECT_TRUE(line.empty());
    std::fclose(f);
    return out;
}

using Lines = std::vector<std::string>;

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

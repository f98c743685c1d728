// Every file reader on hostile variants of a small valid file: line ends,
// a missing last newline, over-long lines, files empty or of comments only,
// and binary junk. What a reader loads is compared with what it loads from
// the plain file.
#include "robustness/reader_feeds.h"
#include "robustness/reader_samples.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

using Transform = std::string (*)(const std::string& file);

// Loads the sample with every file part transformed; returns the summary,
// and fails the test when the reader breaks a table rule.
std::string load(const ReaderSample& sample, Transform transform) {
    std::vector<std::string> parts = sample.parts;
    for (std::size_t i : sample.files)
        parts[i] = transform(parts[i]);
    sample.reset();
    const ReaderFeed* feed = find_reader_feed(sample.reader);
    EXPECT_NE(feed, nullptr) << sample.reader;
    if (!feed) return {};
    EXPECT_EQ(feed->feed(join_parts(parts)), "") << sample.reader;
    return sample.summary();
}

std::string junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

} // namespace

TEST(HostileFiles, lineEndsAndOverLongLinesLoadWhatThePlainFileLoads) {
    struct Variant {
        const char* name;
        Transform transform;
    };
    const Variant variants[] = {
        {"CR LF", [](const std::string& f) { return replace_all(f, "\n", "\r\n"); }},
        {"no last newline", [](const std::string& f) { return f.empty() ? f : f.substr(0, f.size() - 1); }},
        {"CR LF, no last newline",
         [](const std::string& f) {
             const std::string crlf = replace_all(f, "\n", "\r\n");
             return crlf.empty() ? crlf : crlf.substr(0, crlf.size() - 2);
         }},
        // The rest of a line past every reader's buffer loads as a record of
        // its own if a reader takes it for the next line (blanks lead it, as
        // tabs, which most readers skip).
        {"an over-long comment first",
         [](const std::string& f) {
             std::size_t start = 0;
             while (start < f.size() && f[start] == ';')
                 start = f.find('\n', start) == std::string::npos ? f.size() : f.find('\n', start) + 1;
             const std::string data_line = f.substr(start, f.find('\n', start) - start);
             return ";" + std::string(5000, '\t') + data_line + "\n" + f;
         }},
        {"a blank line between lines", [](const std::string& f) { return replace_all(f, "\n", "\n\n"); }},
        {"blank lines of tabs", [](const std::string& f) { return replace_all(f, "\n", "\n \t \n"); }},
    };
    for (const ReaderSample& sample : reader_samples()) {
        const std::string plain = load(sample, [](const std::string& f) { return f; });
        for (const Variant& v : variants)
            EXPECT_EQ(load(sample, v.transform), plain) << sample.reader << ": " << v.name;
    }
}

TEST(HostileFiles, emptyAndCommentOnlyFilesLoadNothing) {
    for (const ReaderSample& sample : reader_samples()) {
        const std::string plain = load(sample, [](const std::string& f) { return f; });
        const std::string empty = load(sample, [](const std::string&) { return std::string(); });
        EXPECT_NE(empty, plain) << sample.reader << " loads nothing from its sample";
        const std::string comments =
            load(sample, [](const std::string&) { return std::string("; one\n;two=2\n;\n; [KSEA]\n"); });
        EXPECT_EQ(comments, empty) << sample.reader;
        EXPECT_EQ(load(sample, [](const std::string&) { return std::string("\n\n\r\n"); }), empty)
            << sample.reader;
    }
}

// A lone CR ends no line, as the Windows runtime reads text files: a file's
// lines run together into its first, and load what that line loads alone.
TEST(HostileFiles, loneCarriageReturnsJoinTheLines) {
    for (const ReaderSample& sample : reader_samples()) {
        const std::string first_lines =
            load(sample, [](const std::string& f) { return f.substr(0, f.find('\n')); });
        const std::string joined =
            load(sample, [](const std::string& f) { return replace_all(f, "\n", "\r"); });
        EXPECT_EQ(joined, first_lines) << sample.reader;
    }
}

TEST(HostileFiles, binaryJunkKeepsEveryTableWithinItsRules) {
    for (const ReaderFeed& feed : reader_feeds()) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            std::string input = junk(20000, seed);
            // Junk in every part, and junk lines between valid ones.
            if (seed == 3) input = replace_all(input, "\x7f", std::string(kPartSeparator));
            if (seed == 4) input = replace_all(input, "\x01", "\nKSEA 1 2 3 4 5 6 7 8\n");
            EXPECT_EQ(feed.feed(input), "") << feed.name << " seed " << seed;
        }
        // NUL bytes inside lines, and lines of only NULs.
        EXPECT_EQ(feed.feed(std::string("KSEA\0X 1 2\n\0\0\0\n", 16)), "") << feed.name;
    }
}

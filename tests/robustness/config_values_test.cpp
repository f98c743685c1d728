// Every number key of orvex.cfg and the aircraft file, swept: values within
// what the key stands for are taken without a word, and a value just below
// them is told by its line and key.
#include "robustness/reader_feeds.h"

#include "data/config_keys.h"
#include "data/load_warnings.h"
#include "fms/files/aircraft_config.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::string number_text(double value, bool whole) {
    char text[40];
    std::snprintf(text, sizeof text, whole ? "%.0f" : "%.3f", value);
    return text;
}

// A value within the kind's range as a file would write it.
std::string value_within(const ValueKind& kind, std::mt19937& random) {
    const double high = std::min(kind.high, kind.low + 1e6);
    const bool whole = kind.form == ValueKind::Whole;
    const double value = whole ? std::uniform_int_distribution<long>(static_cast<long>(kind.low),
                                                                     static_cast<long>(high))(random)
                               : std::uniform_real_distribution<double>(kind.low, high)(random);
    const std::string text = number_text(value, whole);
    const double written = std::stod(text); // rounding may pass an end
    return written >= kind.low && written <= kind.high ? text : number_text(kind.low, whole);
}

std::vector<std::string> warnings_naming(const std::string& file) {
    std::vector<std::string> told;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file.size() >= file.size() &&
            w.file.compare(w.file.size() - file.size(), file.size(), file) == 0)
            told.push_back(w.text);
    return told;
}

} // namespace

TEST(ConfigValues, eachNumberKeyTakesItsRangeSilentlyAndTellsAValueBelowIt) {
    std::mt19937 random(77);
    struct File {
        const char* reader;
        SettingKinds kinds;
        const char* name;
    };
    const File files[] = {{"module_config", shared_setting_kinds(ConfigFile::Module), "orvex.cfg"},
                          {"aircraft_config", aircraft_setting_kinds(), "FUZZ.cfg"}};
    for (const File& file : files) {
        const ReaderFeed* feed = find_reader_feed(file.reader);
        int swept = 0;
        for (const auto& [key, kind] : file.kinds) {
            if (kind.form == ValueKind::Text) continue;
            ++swept;
            std::string within;
            for (int i = 0; i < 25; ++i)
                within += key + "=" + value_within(kind, random) + "\n";
            clear_load_warnings();
            ASSERT_EQ(feed->feed(within), "") << key;
            EXPECT_EQ(warnings_naming(file.name), std::vector<std::string>{}) << within;

            const std::string below = number_text(kind.low - 1.0, true);
            clear_load_warnings();
            ASSERT_EQ(feed->feed("; below\n" + key + "=" + below + "\n"), "") << key;
            const std::vector<std::string> told = warnings_naming(file.name);
            ASSERT_EQ(told.size(), 1u) << key;
            EXPECT_EQ(told[0].rfind("line 2: " + key + "=" + below +
                                        (std::isinf(kind.high) ? " below " : " outside "),
                                    0),
                      0u)
                << told[0];
        }
        EXPECT_GT(swept, 40) << file.name;
    }
}

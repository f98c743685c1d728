// What the readers tell about their files: every example file, damaged in
// each of four ways, is named in one load warning by the reader that reads
// it; the "_user" companions may be missing or empty.
#include "robustness/reader_feeds.h"
#include "shared/damaged_files.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "platform/os.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const std::string kLoadExamples = ORVEX_SOURCE_DIR "/examples/sim/orvex";

// The warnings taken, one "FILE: TEXT" line each, the file by its name
// alone; only those naming `file` when it is given.
std::vector<std::string> take_warnings(const std::string& file = {}) {
    std::vector<std::string> all;
    for (LoadWarning w; take_load_warning(w);) {
        const std::string name = w.file.substr(w.file.rfind('/') + 1);
        if (file.empty() || name == file) all.push_back(name + ": " + w.text);
    }
    return all;
}

} // namespace

TEST(LoadWarnings, everyDamagedExampleFileIsNamedOnceByItsReader) {
    struct Row {
        const char* reader;
        const char* recipe; // a seed recipe of reader_feeds.h
        std::size_t part;   // the file damaged
        const char* file;   // as the reader names it
    };
    const Row rows[] = {
        {"module_config", "@orvex.cfg", 0, "orvex.cfg"},
        {"aircraft_config", "@Aircraft/B738.cfg|@navdata/navs.txt", 0, "FUZZ.cfg"},
        {"performance", "@Aircraft/B738_perf.txt", 0, "FUZZ_perf.txt"},
        {"nav_database", "@navdata/ints.txt||@navdata/awys.txt||@navdata/apts.txt||@navdata/navs.txt|", 0,
         "ints.txt"},
        {"nav_database", "@navdata/ints.txt||@navdata/awys.txt||@navdata/apts.txt||@navdata/navs.txt|", 2,
         "awys.txt"},
        {"nav_database", "@navdata/ints.txt||@navdata/awys.txt||@navdata/apts.txt||@navdata/navs.txt|", 4,
         "apts.txt"},
        {"nav_database", "@navdata/ints.txt||@navdata/awys.txt||@navdata/apts.txt||@navdata/navs.txt|", 6,
         "navs.txt"},
        {"sid", "KSEA|@navdata/apts.txt||@navdata/sids.txt|", 3, "sids.txt"},
        {"star", "KSEA|@navdata/apts.txt||@navdata/stars.txt|", 3, "stars.txt"},
        {"approach", "KSEA|@navdata/apts.txt||@navdata/apps.txt", 3, "apps.txt"},
        {"atc_boundaries", "@navdata/atc_bdry.txt", 0, "atc_bdry.txt"},
        {"runway_ref", "KSEA 16L|@navdata/orvex_apts.txt", 1, "orvex_apts.txt"},
        {"parking", "KPDX|@Aircraft/B738_parking.txt", 1, "FUZZ_parking.txt"},
        {"route_file", "@flightplans/KSEAKPDX.RTE|@navdata/apts.txt|@navdata/apps.txt", 0, "FUZZ.rte"},
    };
    for (const Row& row : rows) {
        const ReaderFeed* feed = find_reader_feed(row.reader);
        ASSERT_NE(feed, nullptr) << row.reader;
        const std::string plain = build_seed(row.recipe, kLoadExamples);
        clear_load_warnings();
        ASSERT_EQ(feed->feed(plain), "") << row.reader;
        EXPECT_EQ(take_warnings(row.file), std::vector<std::string>{}) << row.file << " as it is";
        const std::string recipe = row.recipe;
        const std::size_t part_count =
            static_cast<std::size_t>(std::count(recipe.begin(), recipe.end(), '|')) + 1;
        // Saved without its last line end, the file is whole.
        std::vector<std::string> parts = split_parts(plain, part_count);
        std::string& open_end = parts[row.part];
        while (!open_end.empty() && (open_end.back() == '\n' || open_end.back() == '\r'))
            open_end.pop_back();
        clear_load_warnings();
        EXPECT_EQ(feed->feed(join_parts(parts)), "") << row.file;
        EXPECT_EQ(take_warnings(row.file), std::vector<std::string>{})
            << row.file << " without its last line end";
        for (const FileDamage& damage : file_damages()) {
            parts = split_parts(plain, part_count);
            parts[row.part] = damage.apply(parts[row.part]);
            clear_load_warnings();
            EXPECT_EQ(feed->feed(join_parts(parts)), "") << row.file << " " << damage.name;
            const std::vector<std::string> told = take_warnings(row.file);
            ASSERT_EQ(told.size(), 1u) << row.file << " " << damage.name;
            if (std::string(damage.name) == "cut") {
                EXPECT_NE(told[0].find(kCutShortNote), std::string::npos) << told[0];
            }
        }
    }
}

TEST(LoadWarnings, theUserCompanionsMayBeMissingOrEmptyAndAMissingBaseFileIsNamedOnce) {
    const std::string navs = "SEA SEATTLE 47.4354 -122.3097 VOR 116.80\n";
    clear_load_warnings();
    ASSERT_EQ(find_reader_feed("nav_database")
                  ->feed(join_parts({"I1 NAME 1 2\n", "; user fixes\n", "V2 1 FIXAA 47.0 -122.0\n", "",
                                     "A NAME 1 2 3\n", "", navs, ""})),
              "");
    EXPECT_EQ(take_warnings(), std::vector<std::string>{});
    os::clear_memory_files();
    os::set_memory_files_only(true);
    load_nav_database();
    load_nav_database();
    EXPECT_EQ(take_warnings(),
              (std::vector<std::string>{"ints.txt: cannot be opened", "awys.txt: cannot be opened",
                                        "apts.txt: cannot be opened", "navs.txt: cannot be opened"}));
    os::clear_memory_files();
}

// A byte no text file has is found wherever it stands in a line (the check
// looks at whole words and pairs of them first); tab, carriage return and bytes
// from 0x80 (Windows-1252 text) are text.
TEST(LoadWarnings, aControlByteAnywhereInALineMakesTheFileNoText) {
    for (std::size_t length = 1; length <= 40; ++length)
        for (std::size_t at = 0; at < length; ++at) {
            for (const char bad : {'\0', '\x01', '\x1a', '\x1f', '\n'}) {
                std::string line(length, 'x');
                line[at] = bad;
                FileLineCheck check{"file.txt"};
                check.line(line, 1);
                EXPECT_TRUE(check.binary()) << length << " " << at << " " << int(bad);
            }
            for (const char good : {'\t', '\r', ' ', '!', '\x7f', '\x80', '\xb0', '\xff'}) {
                std::string line(length, '\xa0');
                line[at] = good;
                FileLineCheck check{"file.txt"};
                check.line(line, 1);
                EXPECT_FALSE(check.binary()) << length << " " << at << " " << int(good);
            }
        }
}

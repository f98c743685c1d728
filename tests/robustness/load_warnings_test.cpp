// What the navigation database load tells about its files: a base file that
// is missing, empty, cut short or not text is named once; the "_user"
// companions may be missing or empty.
#include "robustness/reader_feeds.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "platform/os.h"

#include <gtest/gtest.h>

namespace {

std::string warnings() {
    std::string all;
    for (LoadWarning w; take_load_warning(w);)
        all += w.file.substr(w.file.rfind('/') + 1) + ": " + w.text + "\n";
    return all;
}

} // namespace

TEST(LoadWarnings, navigationFilesThatAreEmptyCutOrNotTextAreNamed) {
    const std::string navs = "SEA SEATTLE 47.4354 -122.3097 VOR 116.80\n";
    clear_load_warnings();
    // Parts: ints, ints_user, awys, awys_user, apts, apts_user, navs, navs_user.
    ASSERT_EQ(find_reader_feed("nav_database")
                  ->feed(join_parts({"", "", "V2 1 FIXAA 47.0 -122.0\nV2 2 FIXBB 47.1\n", "",
                                     std::string("KSEA\0\x01\x02 433", 9), "", navs, ""})),
              "");
    EXPECT_EQ(navaid_table.count(), 1);
    EXPECT_EQ(warnings(), "ints.txt: holds nothing to read\n"
                          "awys.txt: 1 of 2 lines too short for a record skipped\n"
                          "apts.txt: is not a text file\n");

    // The plain files tell nothing; a missing base file is named once.
    ASSERT_EQ(find_reader_feed("nav_database")
                  ->feed(join_parts(
                      {"I1 NAME 1 2\n", "", "V2 1 FIXAA 47.0 -122.0\n", "", "A NAME 1 2 3\n", "", navs, ""})),
              "");
    EXPECT_EQ(warnings(), "");
    os::clear_memory_files();
    os::set_memory_files_only(true);
    load_nav_database();
    load_nav_database();
    EXPECT_EQ(warnings(), "ints.txt: cannot be opened\nawys.txt: cannot be opened\n"
                          "apts.txt: cannot be opened\nnavs.txt: cannot be opened\n");
    os::clear_memory_files();
}

// Tables filled past their capacity by files no other test fills them with.
#include "robustness/reader_feeds.h"

#include "data/load_warnings.h"
#include "data/nav_database.h"

#include <gtest/gtest.h>

TEST(HostileCapacity, navaidsPastTheCapacityAreDroppedWithOneWarning) {
    std::string navs;
    for (int i = 1; i <= 30005; ++i)
        navs += "N" + std::to_string(i) + " NAME 10.5 20.5 VOR 110.00\n";
    // The user file comes after a full table: none of it is kept.
    ASSERT_EQ(find_reader_feed("nav_database")
                  ->feed(join_parts({"", "", "", "", "", "", navs, "USER USER 1 2 NDB 300\n"})),
              "");
    EXPECT_EQ(navaid_table.count(), 30000);
    EXPECT_EQ(navaid_table[30000].ident, "N30000");
    EXPECT_EQ(navaid_table[30001].ident, "");
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "Navs '29998' approaching struct_limit");
    // The load warnings name the file as well.
    std::string named;
    for (LoadWarning w; take_load_warning(w);)
        named += w.file.substr(w.file.rfind('/') + 1) + ": " + w.text + "\n";
    EXPECT_NE(named.find("navs.txt: Navs '29998' approaching struct_limit\n"), std::string::npos) << named;
    EXPECT_EQ(find_navaid("N30000", "", 10.0), 30000);
    EXPECT_EQ(find_navaid("USER", "NDB", 1.0), 0);
}

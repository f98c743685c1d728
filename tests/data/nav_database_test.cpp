#include "data/nav_database.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>
#include <iterator>

namespace {

void load_with(const TempFolder& sim, std::initializer_list<std::pair<const char*, std::string>> files) {
    for (const auto& [name, text] : files)
        sim.write(std::string("orvex/Navdata/") + name, text);
    host_folder = os::current_directory();
    load_nav_database();
}

} // namespace

TEST(NavDatabase, loadsEachBaseFileThenItsUserFile) {
    TempFolder sim;
    load_with(sim, {
                       {"ints.txt", "; intersections\r\nABBOT ABBOT 52.010 -0.500\r\n\r\nSHORT 1.0\r\n"},
                       {"ints_user.txt", "MYFIX MYFIX 51.5 -1.25\n"},
                       {"awys.txt", "UL9 1 LAM 51.646 0.152\nUL9 2 BIG 51.33 0.03\nUL9 3 KONAN 51.13 1.90\n"},
                       {"awys_user.txt", "Q41 1 SAM1 50.95 -1.34\n"},
                       {"apts.txt", "EGLL HEATHROW 83 51.4775 -0.461389\n"},
                       {"apts_user.txt", "EGKB BIGGINHILL 598 51.3308 0.0325\n"},
                       {"navs.txt", "BNN BOVINGDON 51.726 -0.550 vor 113.75\n"
                                    "BIG BIGGIN 51.331 0.035 VORTAC 115.10\n"
                                    "CHT CHILTERN 51.623 -0.517 NDB\n"},
                       {"navs_user.txt", "DET DETLING 51.304 0.597 VOR 117.30\n"},
                   });
    ASSERT_EQ(intersection_table.count(), 2);
    EXPECT_EQ(intersection_table[1].ident, "ABBOT");
    EXPECT_EQ(intersection_table[1].latitude, 52.01);
    EXPECT_EQ(intersection_table[1].longitude, -0.5);
    EXPECT_EQ(intersection_table[1].kind, "I");
    EXPECT_EQ(intersection_table[2].ident, "MYFIX");
    EXPECT_EQ(intersection_table[0].ident, "");

    // "LAM" and "BIG" are too short to be airway fixes.
    ASSERT_EQ(airway_fix_table.count(), 2);
    EXPECT_EQ(airway_fix_table[1].ident, "KONAN");
    EXPECT_EQ(airway_fix_table[1].name, "KONAN");
    EXPECT_EQ(airway_fix_table[1].longitude, 1.9);
    EXPECT_EQ(airway_fix_table[2].ident, "SAM1");

    ASSERT_EQ(airport_table.count(), 2);
    EXPECT_EQ(airport_table[1].ident, "EGLL");
    EXPECT_EQ(airport_table[1].name, "HEATHROW");
    EXPECT_EQ(airport_table[1].elevation_text, "83");
    EXPECT_EQ(airport_table[1].latitude, 51.4775);
    EXPECT_EQ(airport_table[1].longitude, -0.461389);
    EXPECT_EQ(airport_table[1].kind, "APT");
    EXPECT_EQ(airport_table[2].ident, "EGKB");

    ASSERT_EQ(navaid_table.count(), 4);
    EXPECT_EQ(navaid_table[1].kind, "V");
    EXPECT_EQ(navaid_table[1].extra, "113.75");
    EXPECT_EQ(navaid_table[2].kind, "N"); // VORTAC is not "VOR"
    EXPECT_EQ(navaid_table[3].kind, "N");
    EXPECT_EQ(navaid_table[3].extra, "");
    EXPECT_EQ(navaid_table[4].ident, "DET");
    EXPECT_EQ(warning_messages.count(), 0);
}

// Tokens end at any blank wherever it falls in the line (the splitter looks
// at whole words of the line first); a control byte is part of a token.
TEST(NavDatabase, tokensEndAtEveryKindOfBlankAtAnyOffset) {
    struct Row {
        std::string line;
        const char* ident;
        const char* name;
        double latitude;
        double longitude;
    };
    const Row rows[] = {
        {"A B 1 2", "A", "B", 1.0, 2.0},
        {"ABCDEFG HIJKLMNO 1.5\t-2.25", "ABCDEFG", "HIJKLMNO", 1.5, -2.25},
        {"  \tABCDEFGHI\vJ\f\f10.125    -20.5\r", "ABCDEFGHI", "J", 10.125, -20.5},
        {"AB\x01"
         "CDEFGHIJ NAME\x02 3 4",
         "AB\x01"
         "CDEFGHIJ",
         "NAME\x02", 3.0, 4.0},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc4\xd6 N 5 6 extra", "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc4\xd6", "N", 5.0,
         6.0},
    };
    std::string text;
    for (const Row& r : rows)
        text += r.line + "\n";
    TempFolder sim;
    load_with(sim, {{"ints.txt", text}});
    ASSERT_EQ(intersection_table.count(), static_cast<int>(std::size(rows)));
    for (int i = 1; i <= intersection_table.count(); ++i) {
        const Row& r = rows[i - 1];
        const NavRecordView got = intersection_table[i];
        EXPECT_EQ(got.ident, r.ident) << i;
        EXPECT_EQ(got.name, r.name) << i;
        EXPECT_EQ(got.latitude, r.latitude) << i;
        EXPECT_EQ(got.longitude, r.longitude) << i;
    }
}

TEST(NavDatabase, reloadStartsTheTablesAgainAndMissingFilesLeaveThemEmpty) {
    TempFolder sim;
    load_with(sim, {{"apts.txt", "EGLL HEATHROW 83 51.4775 -0.461389\n"}});
    ASSERT_EQ(airport_table.count(), 1);
    std::filesystem::remove("orvex/Navdata/apts.txt");
    load_nav_database();
    EXPECT_EQ(airport_table.count(), 0);
    EXPECT_EQ(intersection_table.count(), 0);
    EXPECT_EQ(navaid_table.count(), 0);
    EXPECT_EQ(find_navaid("BNN", "", 51.0), 0);
}

TEST(NavDatabase, airportsPastTheCapacityAreDroppedWithOneWarning) {
    TempFolder sim;
    std::string text;
    for (int i = 1; i <= 25010; ++i)
        text += "A" + std::to_string(i) + " X 0 10.5 20.5\n";
    load_with(sim, {{"apts.txt", text}});
    EXPECT_EQ(airport_table.count(), 25000);
    EXPECT_EQ(airport_table[25000].ident, "A25000");
    ASSERT_EQ(warning_messages.count(), 1);
    EXPECT_EQ(warning_messages[1], "Apts '24998' approaching struct_limit");
}

TEST(NavaidIndex, runsOfFirstLettersAndTheFirstRunIsSearched) {
    TempFolder sim;
    load_with(sim, {{"navs.txt", "ABC ALPHA 49.9 8.0 VOR 110.0\n"
                                 "ABD ALPHA2 49.1 8.0 NDB 300\n"
                                 "BCD BRAVO 10.0 10.0 VOR 111.0\n"},
                    {"navs_user.txt", "AXX USER 49.0 8.0 VOR 112.0\n"}});
    ASSERT_EQ(navaid_letter_index.count(), 3);
    EXPECT_EQ(navaid_letter_index[1].letter, "A");
    EXPECT_EQ(navaid_letter_index[2].letter, "B");
    EXPECT_EQ(navaid_letter_index[2].first_record, 3);
    EXPECT_EQ(navaid_letter_index[3].letter, "A");
    EXPECT_EQ(navaid_letter_index[3].first_record, 4);

    struct Row {
        const char* ident;
        const char* kind;
        double latitude;
        int expected;
    };
    const Row rows[] = {
        {"ABC", "", 49.1, 1},  {"ABC", "INT", 49.99, 1}, {"ABC", "VOR", 49.5, 1}, {"ABC", "NDB", 49.5, 0},
        {"ABC", "", 48.9, 0},  {"ABD", "NDB", 49.9, 2},  {"ABD", "", 49.0, 0},    {"ABD", "N", 49.0, 2},
        {"BCD", "V", 10.7, 3}, {"AXX", "", 49.0, 0},     {"ZZZ", "", 0.0, 0},     {"", "", 0.0, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(find_navaid(r.ident, r.kind, r.latitude), r.expected) << r.ident << " " << r.kind;
}

TEST(NavaidIndex, latitudesCompareByWholeDegreesTowardZeroAndEmptyIdentsFormARun) {
    TempFolder sim;
    load_with(sim, {{"navs.txt", "EQU EQUATOR -0.5 30.0 VOR 110.0\n"
                                 "SOU SOUTH -33.9 151.0 VOR 112.1\n"}});
    EXPECT_EQ(find_navaid("EQU", "", 0.4), 1);
    EXPECT_EQ(find_navaid("SOU", "", -33.1), 2);
    EXPECT_EQ(find_navaid("SOU", "NDB", -33.1), 0);
    EXPECT_EQ(find_navaid("SOU", "VOR", -33.1), 2);
    EXPECT_EQ(find_navaid("SOU", "VOR", -34.0), 0);

    // An index over an empty table holds one entry with an empty letter.
    navaid_table.clear();
    build_navaid_letter_index();
    ASSERT_EQ(navaid_letter_index.count(), 1);
    EXPECT_EQ(navaid_letter_index[1].letter, "");
    EXPECT_EQ(find_navaid("", "", 0.0), 0);
}

TEST(NavaidIndex, holdsAtMost74Runs) {
    TempFolder sim;
    std::vector<std::string> idents;
    for (char c = '!'; c <= '~'; ++c)
        if (c != ';') idents.push_back(std::string(1, c) + "AB"); // ';' would start a comment
    std::string text;
    for (const auto& ident : idents)
        text += ident + " NAME 1.0 1.0 VOR 110\n";
    load_with(sim, {{"navs.txt", text}});
    EXPECT_EQ(navaid_table.count(), 93);
    ASSERT_EQ(navaid_letter_index.count(), 74);
    EXPECT_EQ(navaid_letter_index[74].first_record, 74);
    EXPECT_EQ(find_navaid(idents[73], "", 1.0), 74);
    EXPECT_EQ(find_navaid(idents[74], "", 1.0), 0);
    EXPECT_EQ(find_navaid("~AB", "", 1.0), 0);
}

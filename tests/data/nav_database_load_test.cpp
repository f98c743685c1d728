#include "data/nav_database.h"
#include "data/wmm.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(NavDatabaseLoad, writesTheMagneticModelTextBeforeTheFilesEvenWithoutThem) {
    TempFolder sim;
    host_folder = os::current_directory();
    ASSERT_EQ(wmm_text_line_count, 0);
    const int generation = nav_database_generation;
    load_nav_database();
    EXPECT_EQ(wmm_text_line_count, 92);
    EXPECT_EQ(std::strncmp(wmm_text_lines[0], "  2005.0            WMM-2005", 27), 0);
    EXPECT_EQ(std::strncmp(wmm_text_lines[91], "9999", 4), 0);
    EXPECT_EQ(nav_database_generation, generation + 1);
    EXPECT_EQ(airport_table.count(), 0);
}

// Positions are read whole from their own tokens: a number's junk tail, a
// lone sign, hexadecimal or a missing token leaves the record out.
TEST(NavDatabaseLoad, numbersAreReadFromTheirOwnTokenOnly) {
    TempFolder sim;
    sim.write("orvex/navdata/ints.txt", "FIXA FIXA 12.5x -3\n"
                                        "FIXB FIXB - 5.0\n"
                                        "FIXC\tFIXC\t1e 7\n"
                                        "FIXD FIXD 0x10 abc\n"
                                        "FIXE FIXE 0x10 0\n"
                                        "FIXF FIXF +12.5 -3e0\n");
    sim.write("orvex/navdata/navs.txt", "NAV NAME 1.0 2.0 VOR\n"
                                        "ND2 NAME 1.0 2.0 Vor 115.0 trailing words\n");
    host_folder = os::current_directory();
    load_nav_database();
    ASSERT_EQ(intersection_table.count(), 1);
    EXPECT_EQ(intersection_table[1].ident, "FIXF");
    EXPECT_EQ(intersection_table[1].latitude, 12.5);
    EXPECT_EQ(intersection_table[1].longitude, -3.0);
    ASSERT_EQ(navaid_table.count(), 2);
    EXPECT_EQ(navaid_table[1].extra, "");
    EXPECT_EQ(navaid_table[1].kind, "V");
    EXPECT_EQ(navaid_table[2].extra, "115.0");
    EXPECT_EQ(navaid_table[2].kind, "V");
}

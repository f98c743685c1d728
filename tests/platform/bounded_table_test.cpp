#include "platform/bounded_table.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Fix {
    std::string ident;
    double lat = 0.0;
    double lon = 0.0;
};

} // namespace

TEST(BoundedTable, appendNumbersRecordsFromOneAndLeavesSlotZeroUnused) {
    BoundedTable<Fix, 10> t;
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t.append({"ALPHA", 1.0, 2.0}), 1);
    EXPECT_EQ(t.append({"BRAVO", 3.0, 4.0}), 2);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t[1].ident, "ALPHA");
    EXPECT_EQ(t[2].ident, "BRAVO");
    EXPECT_EQ(t[2].lon, 4.0);
    EXPECT_EQ(t[0].ident, "");
}

TEST(BoundedTable, dropsARecordPastTheCapacityWithoutWritingIt) {
    // Four slots: index 0 unused, so three records fit.
    BoundedTable<Fix, 4> t;
    EXPECT_EQ(t.append({"A"}), 1);
    EXPECT_EQ(t.append({"B"}), 2);
    EXPECT_FALSE(t.full());
    EXPECT_EQ(t.append({"C"}), 3);
    EXPECT_TRUE(t.full());
    EXPECT_EQ(t.append({"D"}), 0);
    EXPECT_EQ(t.append({"E"}), 0);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t[3].ident, "C");
    EXPECT_LE(t.stored(), 4u);
    EXPECT_EQ(t[4].ident, "");

    // Writes by index past the table go nowhere.
    t.slot(4).ident = "X";
    t.slot(1000).ident = "Y";
    t.slot(-1).ident = "Z";
    EXPECT_LE(t.stored(), 4u);
    EXPECT_EQ(t[4].ident, "");
    EXPECT_EQ(t[1000].ident, "");
    EXPECT_EQ(t[-1].ident, "");
    EXPECT_EQ(t[3].ident, "C");
}

TEST(BoundedTable, unusedSlotsWithinCapacityReadEmpty) {
    BoundedTable<Fix, 100> t;
    t.append({"A", 5.0, 6.0});
    EXPECT_EQ(t[2].ident, "");
    EXPECT_EQ(t[50].lat, 0.0);
    EXPECT_EQ(t[99].ident, "");
    t.slot(7).ident = "SEVEN";
    EXPECT_EQ(t[7].ident, "SEVEN");
    EXPECT_EQ(t[5].ident, "");
    EXPECT_EQ(t.count(), 1); // writing by index leaves the count to its owner
}

TEST(BoundedTable, storageGrowsWithTheRecordsNotTheCapacity) {
    BoundedTable<Fix, 300002> t;
    EXPECT_EQ(t.stored(), 0u);
    for (int i = 0; i < 5; ++i)
        t.append({"WPT"});
    EXPECT_EQ(t.count(), 5);
    EXPECT_LE(t.stored(), 6u);
    EXPECT_EQ(t[300001].ident, "");
    EXPECT_LE(t.stored(), 6u); // reading does not grow it either
}

TEST(BoundedTable, clearEmptiesAndReleasesAndNumbersAgainFromOne) {
    BoundedTable<Fix, 50> t;
    for (int i = 0; i < 20; ++i)
        t.append({"N"});
    t.clear();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.stored(), 0u);
    EXPECT_EQ(t[1].ident, "");
    EXPECT_EQ(t.append({"FIRST"}), 1);
    EXPECT_EQ(t[1].ident, "FIRST");
}

TEST(BoundedTable, setCountIsClampedToTheCapacity) {
    BoundedTable<int, 10> t;
    t.set_count(4);
    EXPECT_EQ(t.count(), 4);
    EXPECT_EQ(t.append(9), 5);
    t.set_count(500);
    EXPECT_EQ(t.count(), 9);
    EXPECT_EQ(t.append(1), 0);
    t.set_count(-3);
    EXPECT_EQ(t.count(), 0);
}

TEST(BoundedTable, appendingARecordOfTheSameTableSurvivesGrowth) {
    BoundedTable<Fix, 20000> t;
    t.append({"FIRST-WITH-A-LONG-IDENT", 1.0, 2.0});
    // Each append copies record 1 while storage grows under it.
    for (int i = 0; i < 9000; ++i)
        ASSERT_NE(t.append(t[1]), 0);
    EXPECT_EQ(t.count(), 9001);
    EXPECT_EQ(t[9001].ident, "FIRST-WITH-A-LONG-IDENT");
    EXPECT_EQ(t[5000].lon, 2.0);
    EXPECT_EQ(t.stored(), 9002u);
}

// A reference to a slot stays on that slot while later slots are written,
// across every size the storage grows through, and reads what was written
// through it.
TEST(BoundedTable, aSlotNeverMovesWhileTheTableGrows) {
    BoundedTable<Fix, 20000> t;
    for (std::size_t first : {1u, 7u, 8u, 100u, 4095u}) {
        Fix& kept = t.slot(first);
        const Fix* address = &kept;
        for (std::size_t i = first + 1; i < 12000; i += 7)
            t.slot(i).ident = "X";
        ASSERT_EQ(&t[first], address) << first;
        kept.ident = "KEPT";
        EXPECT_EQ(t[first].ident, "KEPT") << first;
    }
}

// A reference to a record holds while later records are written, through
// every segment size, and in a copy of a table that then grows in turn.
TEST(BoundedTable, aRecordStaysWhereItWasWrittenWhileTheTableGrows) {
    BoundedTable<Fix, 20000> t;
    t.append({"FIRST-WITH-A-LONG-IDENT", 1.0, 2.0});
    const Fix& first = t[1];
    for (int i = 2; i <= 9000; ++i)
        ASSERT_EQ(t.append({"N"}), i);
    EXPECT_EQ(&t[1], &first);
    EXPECT_EQ(first.ident, "FIRST-WITH-A-LONG-IDENT");

    BoundedTable<Fix, 20000> small;
    for (int i = 1; i <= 3; ++i)
        small.append({"S"});
    BoundedTable<Fix, 20000> copy = small;
    const Fix& kept = copy[2];
    for (int i = 0; i < 5000; ++i)
        copy.append({"C"});
    EXPECT_EQ(&copy[2], &kept);
    EXPECT_EQ(kept.ident, "S");
}

// `t.slot(j) = t[i]` reads slot i before slot j is made: the copy must get
// record i even when making slot j grows the table.
TEST(BoundedTable, copyingOneSlotToAnotherAcrossAGrowthCopiesTheRecord) {
    BoundedTable<Fix, 20000> t;
    t.slot(1) = {"A-LONG-IDENT-PAST-THE-SHORT-STRING", 1.0, 0.0};
    for (int j = 2; j <= 9000; ++j) {
        t.slot(j) = t[j - 1];
        t.slot(j).lat = j;
    }
    int wrong = 0;
    for (int j = 1; j <= 9000; ++j)
        wrong += t[j].ident != "A-LONG-IDENT-PAST-THE-SHORT-STRING" || t[j].lat != j;
    EXPECT_EQ(wrong, 0);
}

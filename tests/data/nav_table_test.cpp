#include "data/nav_table.h"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

NavRecord make(std::string ident, std::string name, double lat, double lon, std::string kind,
               std::string extra, std::string elevation) {
    NavRecord r;
    r.ident = std::move(ident);
    r.name = std::move(name);
    r.latitude = lat;
    r.longitude = lon;
    r.kind = std::move(kind);
    r.extra = std::move(extra);
    r.elevation_text = std::move(elevation);
    return r;
}

void expect_record(const NavRecordView& got, const NavRecord& want, const std::string& where) {
    EXPECT_EQ(got.ident, want.ident) << where;
    EXPECT_EQ(got.name, want.name) << where;
    EXPECT_EQ(got.kind, want.kind) << where;
    EXPECT_EQ(got.extra, want.extra) << where;
    EXPECT_EQ(got.elevation_text, want.elevation_text) << where;
    // Bit for bit: a stored position is the parsed one.
    EXPECT_EQ(std::bit_cast<uint64_t>(got.latitude), std::bit_cast<uint64_t>(want.latitude)) << where;
    EXPECT_EQ(std::bit_cast<uint64_t>(got.longitude), std::bit_cast<uint64_t>(want.longitude)) << where;
}

} // namespace

// Each text comes back as stored whatever the others hold, across the
// store's growth and room taken ahead, also when a record is copied from the same table while the
// store grows under it; a text past the limit keeps its first 65535 bytes.
TEST(NavTable, everyTextComesBackAcrossGrowthAndSelfCopies) {
    const std::string long_text(70000, 'x');
    const NavRecord rows[] = {
        make("", "", 0.0, 0.0, "", "", ""),
        make("EGLL", "HEATHROW", 51.4775, -0.461389, "APT", "", "83"),
        make("BNN", "", -0.0, 1e-300, "V", "113.75", ""),
        make("", "NAME", 90.0, -180.0, "", "", "E"),
        make("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "N", 1.0 / 3.0, -2.0 / 3.0, "I", std::string(1698, 'f'), ""),
        make("AABLP", "AABLP", 15.877912, -45.531056, "I", "", ""), // a fix named by its ident
        make(long_text, "", 0.5, 0.5, "N", long_text, long_text),
    };
    NavTable<3001> table;
    std::vector<NavRecord> want;
    for (int round = 0; round < 200; ++round)
        for (int row = 0; row < 6; ++row)
            want.push_back(rows[row]);
    want.push_back(rows[6]);
    for (const NavRecord& r : want) {
        // Room taken ahead, midway: the texts stored so far move with it.
        if (&r - want.data() == 500) table.reserve_texts(std::size_t{1} << 20);
        ASSERT_EQ(table.append(r), static_cast<int>(&r - want.data()) + 1);
    }
    // Every record again, copied from the table itself: the store at least
    // doubles, so it grows while the texts being copied lie in it.
    const int first_half = table.count();
    for (int i = 1; i <= first_half; ++i)
        ASSERT_EQ(table.append(table[i]), first_half + i);

    for (NavRecord& w : want)
        for (std::string* t : {&w.ident, &w.name, &w.kind, &w.extra, &w.elevation_text})
            if (t->size() > kNavTextLimit) t->resize(kNavTextLimit);
    for (int i = 1; i <= table.count(); ++i)
        expect_record(table[i], want[static_cast<std::size_t>((i - 1) % first_half)],
                      "record " + std::to_string(i));
}

// Past the capacity records are dropped; outside 1..count a table reads
// empty, also where an emptied table once held a longer record; a copy keeps
// its own texts.
TEST(NavTable, boundsClearAndCopy) {
    NavTable<4> table;
    EXPECT_EQ(table.append("A", "", 1.0, 2.0, "V"), 1);
    EXPECT_EQ(table.append("B", "", 1.0, 2.0, "V"), 2);
    EXPECT_EQ(table.append("C", "", 1.0, 2.0, "V"), 3);
    EXPECT_EQ(table.append("D", "", 1.0, 2.0, "V"), 0);
    EXPECT_TRUE(table.full());
    EXPECT_EQ(table[4].ident, "");
    EXPECT_EQ(table[-1].ident, "");
    EXPECT_EQ(table[0].ident, "");

    const NavTable<4> copy = table;
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table[1].ident, "");
    table.append("LONGER", "", 3.0, 4.0, "N");
    EXPECT_EQ(table[1].ident, "LONGER");
    EXPECT_EQ(table[2].ident, "");
    EXPECT_EQ(table[2].latitude, 0.0);
    ASSERT_EQ(copy.count(), 3);
    EXPECT_EQ(copy[3].ident, "C");
}

// A nearby list keeps the ident and position, and a navaid or fix list the
// kind and extra text as well; the other texts stay empty, also when a list
// copies its own records.
TEST(NavTable, aListTakesOnlyTheTextsItKeeps) {
    NavTable<10> source;
    source.append(make("KSEA", "SEATTLE", 47.449, -122.309, "APT", "X", "433"));
    source.append(make("SEA", "SEATTLE", 47.435, -122.310, "V", "116.80", "Y"));
    source.append(make("AABLP", "AABLP", 15.877, -45.531, "I", "", ""));
    EXPECT_EQ(source[3].name, "AABLP");
    NavTable<10> list;
    list.append_from(source, 1, NavFields::ident);
    list.append_from(source, 2, NavFields::ident_kind_extra);
    list.append_from(source, 3, NavFields::ident_kind_extra);
    expect_record(list[1], make("KSEA", "", 47.449, -122.309, "", "", ""), "airport");
    expect_record(list[2], make("SEA", "", 47.435, -122.310, "V", "116.80", ""), "navaid");
    expect_record(list[3], make("AABLP", "", 15.877, -45.531, "I", "", ""), "fix");
    // A name that is the ident again takes no room of its own.
    EXPECT_EQ(source.texts().size(), std::string("KSEASEATTLEAPTX433SEAV116.80SEATTLEYAABLPI").size());

    // Copied from the list itself while its store grows.
    NavTable<4001> self;
    self.append_from(source, 2, NavFields::ident_kind_extra);
    for (int i = 1; i < 4000; ++i)
        ASSERT_EQ(self.append_from(self, i, NavFields::ident_kind_extra), i + 1);
    for (int i = 1; i <= self.count(); ++i)
        expect_record(self[i], make("SEA", "", 47.435, -122.310, "V", "116.80", ""), std::to_string(i));
}

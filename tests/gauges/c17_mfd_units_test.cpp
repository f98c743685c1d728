// C17_MFD units in the stand-in: the formats they start on and the format
// keys, clicked on the gauge.
#include "mouse.h"
#include "stand_in_panel.h"

#include "data/c17_mfd_state.h"

#include <vector>

namespace {

class C17MfdUnits : public StandInPanel {
  protected:
    // Whether a click at (x, y) on gauge i hit a spot.
    bool click(std::size_t i, int x, int y) { return host::click_gauge(gauge(i), x, y).hit; }
    static std::vector<uint32_t> formats() {
        return {c17_mfd_units[1].format, c17_mfd_units[2].format, c17_mfd_units[3].format,
                c17_mfd_units[4].format};
    }
};

TEST_F(C17MfdUnits, unitsPlacedByDigitStartOnTheirOwnFormats) {
    place("gauge00=orvex1!C17_MFD, 0, 0, 246, 241, 1\n"
          "gauge01=orvex1!C17_MFD, 246, 0, 246, 241, 2\n"
          "gauge02=orvex1!C17_MFD, 0, 241, 246, 241, 3\n"
          "gauge03=orvex1!C17_MFD, 246, 241, 246, 241, 4\n");
    start();
    frames(3);
    EXPECT_EQ(formats(), (std::vector<uint32_t>{1, 3, 9, 10}));
}

TEST_F(C17MfdUnits, formatKeysOnTheGaugeChangeTheUnitTheyAreOn) {
    place("gauge00=orvex1!C17_MFD, 0, 0, 246, 241, 1\n");
    start();
    frames(2);
    ASSERT_EQ(c17_mfd_units[1].format, kC17FormatPfd);
    struct Row {
        int x;           // the key's centre; the row lies along the bottom edge
        uint32_t format; // the unit's format after the next draw
    };
    const Row rows[] = {{212, 12}, {175, 9}, {175, 10}, {103, 0}, {103, 3}, {72, 1}};
    for (const Row& row : rows) {
        ASSERT_TRUE(click(0, row.x, 225)) << row.x;
        frames(1);
        EXPECT_EQ(c17_mfd_units[1].format, row.format) << row.x;
    }
    EXPECT_EQ(formats(), (std::vector<uint32_t>{1, 3, 9, 10})); // the other units untouched
}

TEST_F(C17MfdUnits, formatKeysChangeTheUnitClickedWhicheverWasDrawnLast) {
    place("gauge00=orvex1!C17_MFD, 0, 0, 246, 241, 1\n"
          "gauge01=orvex1!C17_MFD, 246, 0, 246, 241, 2\n");
    start();
    frames(2); // unit 2 is drawn after unit 1
    struct Row {
        std::size_t gauge;
        int x;                 // the key's centre on the bottom row
        uint32_t unit1, unit2; // the formats after the click and after the next frame
    };
    const Row rows[] = {{0, 212, 12, 3}, {1, 175, 12, 9}, {0, 72, 1, 9}, {1, 103, 1, 0}, {0, 175, 9, 0}};
    for (const Row& row : rows) {
        ASSERT_TRUE(click(row.gauge, row.x, 225)) << row.gauge << " " << row.x;
        EXPECT_EQ(c17_mfd_units[1].format, row.unit1) << row.gauge << " " << row.x;
        EXPECT_EQ(c17_mfd_units[2].format, row.unit2) << row.gauge << " " << row.x;
        frames(1);
        EXPECT_EQ(c17_mfd_units[1].format, row.unit1) << row.gauge << " " << row.x;
        EXPECT_EQ(c17_mfd_units[2].format, row.unit2) << row.gauge << " " << row.x;
    }
}

} // namespace

// Hours and minutes as the pages show them: never 60 minutes, never hour 24,
// rounded or truncated as each page's format asks.
#include "fms/math/clock_math.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ClockMath, minutesRoundOrTruncateBeforeTheyCarryAndClocksWrap) {
    struct Row {
        Rounding rounding;
        double clock_hours, clock_minutes, span_minutes;
        double span_h, span_m, clock_h, clock_m, clock_tenths;
    };
    const Row rows[] = {
        {Rounding::Nearest, 12, 5, 20.4, 0, 20, 12, 25, 0},  // rounds down
        {Rounding::Nearest, 12, 0, 59.6, 1, 0, 13, 0, 0},    // rounds up into the hour
        {Rounding::Nearest, 10, 40, 119.6, 2, 0, 12, 40, 0}, // and into the second hour
        {Rounding::Nearest, 23, 50, 10, 0, 10, 0, 0, 0},     // a full day wraps
        {Rounding::Nearest, 22, 30, 3000, 50, 0, 0, 30, 0},  // two days en route
        {Rounding::Down, 12, 0, 59.6, 0, 59, 12, 59, 6},     // 12:59.6, not 13:00
        {Rounding::Down, 23, 59.45, 0.7, 0, 0, 0, 0, 1},     // tenths carry over midnight
        {Rounding::Down, 9, 0, 4.8, 0, 4, 9, 4, 8},          // 4.8 held as 4.7999...
        {Rounding::Nearest, 6, 0, -5, 0, 0, 6, 0, 0},        // no negative span
        {Rounding::Down, 6, 0, std::nan(""), 0, 0, 6, 0, 0}, // nor one that is no number
    };
    for (const Row& r : rows) {
        const HoursMinutes span = hours_minutes(r.span_minutes, r.rounding);
        EXPECT_EQ(span.hours, r.span_h) << r.span_minutes;
        EXPECT_EQ(span.minutes, r.span_m) << r.span_minutes;
        const HoursMinutes clock = clock_after(r.clock_hours, r.clock_minutes, span, r.rounding);
        EXPECT_EQ(clock.hours * 100 + clock.minutes + clock.tenths / 10,
                  r.clock_h * 100 + r.clock_m + r.clock_tenths / 10)
            << r.clock_hours << ":" << r.clock_minutes << " + " << r.span_minutes;
    }
}

// Every span of a day in steps of 0.05 minute, both ways of rounding: the
// parts are whole and in range, and together they lose less than the step
// their rounding drops.
TEST(ClockMath, everySpanOfADayIsCarriedAndInRange) {
    for (int i = 0; i <= 1440 * 20; ++i) {
        const double m = i * 0.05;
        for (Rounding rounding : {Rounding::Nearest, Rounding::Down}) {
            const HoursMinutes t = hours_minutes(m, rounding);
            ASSERT_TRUE(t.minutes >= 0 && t.minutes <= 59 && t.minutes == std::floor(t.minutes)) << m;
            ASSERT_TRUE(t.tenths >= 0 && t.tenths <= 9 && t.tenths == std::floor(t.tenths)) << m;
            const double shown = 60 * t.hours + t.minutes + t.tenths / 10;
            if (rounding == Rounding::Nearest)
                ASSERT_LE(std::fabs(shown - m), 0.5 + 1e-9) << m;
            else
                ASSERT_TRUE(shown <= m + 1e-6 && m - shown < 0.1 - 1e-9) << m;
            const HoursMinutes c = clock_after(23, 59, t, rounding);
            ASSERT_TRUE(c.hours >= 0 && c.hours <= 23 && c.minutes <= 59) << m;
        }
    }
}

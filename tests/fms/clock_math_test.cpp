// Hours and minutes as the pages show them: never 60 minutes, never hour 24.
#include "fms/math/clock_math.h"

#include <gtest/gtest.h>

TEST(ClockMath, minutesRoundBeforeTheyCarryAndClocksWrap) {
    struct Row {
        double clock_hours, clock_minutes, span_minutes;
        double span_h, span_m, clock_h, clock_m;
    };
    const Row rows[] = {
        {12.0, 5.0, 20.4, 0.0, 20.0, 12.0, 25.0},   // rounds down
        {12.0, 0.0, 59.6, 1.0, 0.0, 13.0, 0.0},     // rounds up into the hour
        {10.0, 40.0, 119.6, 2.0, 0.0, 12.0, 40.0},  // and into the second hour
        {23.0, 50.0, 10.0, 0.0, 10.0, 0.0, 0.0},    // a full day wraps
        {22.0, 30.0, 3000.0, 50.0, 0.0, 0.0, 30.0}, // two days en route
        {0.0, 0.0, 0.4, 0.0, 0.0, 0.0, 0.0},
    };
    for (const Row& r : rows) {
        const HoursMinutes span = hours_minutes(r.span_minutes);
        EXPECT_EQ(span.hours, r.span_h) << r.span_minutes;
        EXPECT_EQ(span.minutes, r.span_m) << r.span_minutes;
        const HoursMinutes clock = clock_after(r.clock_hours, r.clock_minutes, span);
        EXPECT_EQ(clock.hours, r.clock_h)
            << r.clock_hours << ":" << r.clock_minutes << " + " << r.span_minutes;
        EXPECT_EQ(clock.minutes, r.clock_m)
            << r.clock_hours << ":" << r.clock_minutes << " + " << r.span_minutes;
    }
}

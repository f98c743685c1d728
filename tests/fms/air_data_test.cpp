#include "fms/math/air_data.h"
#include "fms/math/date_math.h"
#include "fms/math/heading_math.h"
#include "fms/perf/speed_targets.h"
#include "sim/radix.h"

#include <gtest/gtest.h>

TEST(AirspeedConversions, FollowTheTwoPercentPerThousandFeetRule) {
    EXPECT_DOUBLE_EQ(ias_to_tas(250.0, 10000.0), 297.5); // 250 + 250 x 0.19
    EXPECT_DOUBLE_EQ(ias_to_tas(250.0, 0.0), 250.0);
    EXPECT_DOUBLE_EQ(tas_to_ias(297.5, 10000.0), 250.0);
    EXPECT_DOUBLE_EQ(tas_to_ias(458.8, 38000.0), 458.8 / 1.722);
    // The two rules undo each other.
    EXPECT_NEAR(tas_to_ias(ias_to_tas(280.0, 35000.0), 35000.0), 280.0, 1e-9);
}

TEST(AirspeedConversions, MachUsesTheTopOfClimbTemperature) {
    // Default -30 C: speed of sound 607.63 kt.
    EXPECT_NEAR(ias_to_mach(250.0, 10000.0), 297.5 / 607.63, 1e-4);
    // At 15 C the speed of sound is the standard 661.48 kt.
    toc_outside_air_temp = 15.0;
    EXPECT_NEAR(ias_to_mach(661.48, 0.0), 1.0, 1e-4);
    double tas = 0.0;
    const double ias = mach_to_ias(1.0, &tas);
    EXPECT_NEAR(tas, 661.48, 0.01);
    EXPECT_NEAR(ias, 661.48 / 1.722, 0.01); // IAS at 38000 ft
    toc_outside_air_temp = -30.0;
}

TEST(SpeedTrend, IsNewestMinusOldestOverFourteen) {
    for (int i = 0; i < 20; ++i)
        update_speed_trend(250.0);
    EXPECT_DOUBLE_EQ(speed_trend, 0.0);
    EXPECT_DOUBLE_EQ(speed_trend_history[0], 250.0);

    // Rising 1 kt a sample: once the history holds only rising samples the
    // trend is 15/14 kt.
    for (int i = 1; i <= 16; ++i)
        update_speed_trend(250.0 + i);
    update_speed_trend(267.0);
    EXPECT_DOUBLE_EQ(speed_trend, 15.0 / 14.0);
    EXPECT_DOUBLE_EQ(speed_trend_history[0], 267.0);
    EXPECT_DOUBLE_EQ(speed_trend_history[15], 252.0);
}

TEST(SpeedTrend, SampleEntersTheTrendOnTheNextCall) {
    for (int i = 0; i < 16; ++i)
        update_speed_trend(0.0);
    update_speed_trend(140.0);
    EXPECT_DOUBLE_EQ(speed_trend, 0.0);
    update_speed_trend(140.0);
    EXPECT_DOUBLE_EQ(speed_trend, 140.0 / 14.0);
}

TEST(CostIndex, SetsUnchangedTargetsBetweenTheLimits) {
    cost_index = -1;
    apply_cost_index();
    EXPECT_EQ(climb_speed_target, 220);
    EXPECT_EQ(cruise_speed_target, 250);
    EXPECT_EQ(descent_speed_target, 220);

    cost_index = 100;
    apply_cost_index();
    EXPECT_EQ(climb_speed_target, 215);
    EXPECT_EQ(cruise_speed_target, 255);
    EXPECT_EQ(descent_speed_target, 215);

    // Targets the cost index set follow a new one (at EXEC); the pilot's own
    // speed stays.
    cost_index = 0;
    descent_speed_target = 240;
    apply_cost_index();
    EXPECT_EQ(climb_speed_target, 180);
    EXPECT_EQ(cruise_speed_target, 230);
    EXPECT_EQ(descent_speed_target, 240);
}

TEST(CostIndex, NoUpperClampAndTruncation) {
    climb_speed_target = climb_speed_base = 220;
    cruise_speed_target = cruise_speed_base = 250;
    descent_speed_target = 300; // changed by the pilot
    cost_index = 300;
    apply_cost_index();
    EXPECT_EQ(climb_speed_target, 285);  // 70 / 200 x 300 + 180
    EXPECT_EQ(cruise_speed_target, 305); // 50 / 200 x 300 + 230
    EXPECT_EQ(descent_speed_target, 300);

    climb_speed_target = climb_speed_base;
    cost_index = 33;
    apply_cost_index();
    EXPECT_EQ(climb_speed_target, 191); // 191.55 truncated
}

TEST(Headings, DifferenceDirectionAndTurn) {
    struct Row {
        double a, b;
        int difference;
        int dir_direction; // heading_difference_dir: 1 decreasing, 2 increasing
        int turn;          // turn_direction: 1 increasing, 2 decreasing
    } rows[] = {
        {350.0, 10.0, 20, 2, 1}, {10.0, 350.0, 20, 1, 2}, {90.0, 100.0, 10, 2, 1},  {100.0, 90.0, 10, 1, 2},
        {0.0, 180.0, 180, 2, 1}, {180.0, 0.0, 180, 1, 2}, {10.0, 200.0, 170, 1, 2}, {200.0, 10.0, 170, 2, 1},
        {45.0, 45.0, 0, 2, 2},   {0.0, 360.0, 0, 1, 2},   {10.9, 20.5, 9, 2, 1},    {359.5, 0.25, 0, 2, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.a << " -> " << r.b);
        EXPECT_EQ(heading_difference(r.a, r.b), r.difference);
        int direction = 0, difference = -1;
        EXPECT_EQ(heading_difference_dir(r.a, r.b, &direction, &difference), r.dir_direction);
        EXPECT_EQ(direction, r.dir_direction);
        EXPECT_EQ(difference, r.difference);
        EXPECT_EQ(turn_direction(r.a, r.b), r.turn);
    }
}

TEST(Headings, TheTwoDirectionNumberingsAreOpposite) {
    for (double a = 0.0; a < 360.0; a += 7.5) {
        for (double b = 0.0; b < 360.0; b += 11.0) {
            if (a == b) continue;
            int direction = 0, difference = 0;
            heading_difference_dir(a, b, &direction, &difference);
            ASSERT_NE(direction, turn_direction(a, b)) << a << " " << b;
            ASSERT_EQ(heading_difference(a, b), heading_difference(b, a)) << a << " " << b;
            ASSERT_LE(heading_difference(a, b), 180);
        }
    }
}

TEST(Headings, FoldsKeepTheirIntervalsAcrossNorth) {
    struct Row {
        double in, half, full; // fold_degrees_180 into (-180, 180], fold_degrees_360 into (0, 360]
    };
    const Row rows[] = {{0.0, 0.0, 360.0},     {180.0, 180.0, 180.0},  {-180.0, 180.0, 180.0},
                        {-20.0, -20.0, 340.0}, {1060.0, -20.0, 340.0}, {360.0, 0.0, 360.0}};
    for (const Row& r : rows) {
        EXPECT_DOUBLE_EQ(fold_degrees_180(r.in), r.half) << r.in;
        EXPECT_DOUBLE_EQ(fold_degrees_360(r.in), r.full) << r.in;
    }
    // Station at 010, course 350: TO; 190 against 010: FROM.
    EXPECT_TRUE(bearing_is_to(10.0, 350.0));
    EXPECT_TRUE(bearing_is_to(350.0, 10.0));
    EXPECT_FALSE(bearing_is_to(190.0, 10.0));
}

TEST(ConvertRadix, ReEncodesRadioCodes) {
    struct Row {
        uint32_t value, from;
        int to, expected;
    } rows[] = {
        {0x1234, 16, 10, 1234}, {0, 16, 10, 0},           {9, 16, 10, 9},     {0x1390, 16, 10, 1390},
        {1234, 10, 16, 0x1234}, {0x7700, 16, 10, 7700},   {0x1A, 16, 10, 20}, {255, 2, 10, 11111111},
        {5, 2, 10, 101},        {0x10950, 16, 10, 10950},
    };
    for (const Row& r : rows)
        EXPECT_EQ(convert_radix(r.value, r.from, r.to), r.expected) << r.value;
}

TEST(ConvertRadix, RadixBelowTwoGivesZeroInsteadOfFaulting) {
    EXPECT_EQ(convert_radix(0x1234, 0, 10), 0);
    EXPECT_EQ(convert_radix(0x1234, 1, 10), 0);
    EXPECT_EQ(convert_radix(0, 0, 10), 0);
}

TEST(DayOfYear, MonthAndDayCountedFromOne) {
    struct Row {
        int day, year;
        const char* month;
        int number, day_of_month;
    } rows[] = {
        {1, 2005, "JAN", 1, 1},   {31, 2005, "JAN", 1, 31},   {32, 2005, "FEB", 2, 1},
        {59, 2005, "FEB", 2, 28}, {60, 2005, "MAR", 3, 1},    {60, 2004, "FEB", 2, 29},
        {61, 2004, "MAR", 3, 1},  {365, 2005, "DEC", 12, 31}, {366, 2004, "DEC", 12, 31},
        {182, 2005, "JUL", 7, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.day << " of " << r.year);
        day_of_year_to_date(r.day, r.year);
        EXPECT_EQ(date_month_text, r.month);
        EXPECT_EQ(date_month_number, r.number);
        EXPECT_EQ(date_day, r.day_of_month);
    }
}

TEST(DayOfYear, LeapYearsFollowTheGregorianRule) {
    // Leap years after 2024 and before 2000 have a 29 February too; century
    // years only when divisible by 400.
    const int leap[] = {1996, 2000, 2024, 2028, 2032, 2400};
    const int common[] = {1900, 2005, 2025, 2100, 2200, 2300};
    for (int year : leap) {
        day_of_year_to_date(60, year);
        EXPECT_EQ(date_month_text, "FEB") << year;
        EXPECT_EQ(date_day, 29) << year;
    }
    for (int year : common) {
        day_of_year_to_date(60, year);
        EXPECT_EQ(date_month_text, "MAR") << year;
        EXPECT_EQ(date_day, 1) << year;
    }
}

TEST(DayOfYear, DayOutsideTheYearLeavesTheResults) {
    day_of_year_to_date(100, 2005); // 10 April
    day_of_year_to_date(366, 2005);
    day_of_year_to_date(367, 2004);
    day_of_year_to_date(0, 2005);
    day_of_year_to_date(-5, 2005);
    EXPECT_EQ(date_month_text, "APR");
    EXPECT_EQ(date_month_number, 4);
    EXPECT_EQ(date_day, 10);
}

// The range ladders of every display: one step moves each display along its
// own rungs, with the lowest rungs gated by MinMapRange going down.
#include "data/display_state.h"
#include "data/module_settings.h"
#include "map/range_ladder.h"

#include <gtest/gtest.h>

#include <cmath>

#include <vector>

namespace {

struct Step {
    const char* display;
    double* range;
    double from;
    double to;
};

void check_steps(const std::vector<Step>& steps, void (*step)()) {
    for (const Step& s : steps) {
        *s.range = s.from;
        step();
        EXPECT_EQ(*s.range, s.to) << s.display << " from " << s.from;
    }
}

// Steps repeatedly from a start and collects where the range went.
std::vector<double> walk_down(double& range, double from, int steps) {
    range = from;
    std::vector<double> seen;
    for (int i = 0; i < steps; ++i) {
        map_range_down();
        seen.push_back(range);
    }
    return seen;
}

TEST(RangeLadder, stepsUpToTheNextRungWrappingOrStoppingPerDisplay) {
    check_steps({{"B737", &hw_b737_nd_range, 320, 320},
                 {"B737", &hw_b737_nd_range, 0.5, 1},
                 {"B737 by its whole part", &hw_b737_nd_range, 10.7, 20},
                 {"B737 off the ladder", &hw_b737_nd_range, 7, 7},
                 {"EFS50", &efs50_ehsi_range, 160, 0.5},
                 {"EFS50", &efs50_ehsi_range, 12.5, 25},
                 {"EFS50 off the ladder", &efs50_ehsi_range, 7, 0.5},
                 {"MD11", &hw_md11_nd_range, 320, 640},
                 {"MD11", &hw_md11_nd_range, 640, 640},
                 {"DU1000", &du_1000_ehsi_range, 0.05, 0.125},
                 {"DU1000", &du_1000_ehsi_range, 10, 15},
                 {"DU1000 by its whole part", &du_1000_ehsi_range, 15.5, 30},
                 {"DU1000", &du_1000_ehsi_range, 240, 240},
                 {"PROLINE4", &proline4_mfd_range, 320, 5},
                 {"PROLINE4", &proline4_mfd_range, 160, 320},
                 {"PROLINE4 off the ladder", &proline4_mfd_range, 7, 7},
                 {"MD80 by its whole part", &md80_ehsi_range, 40.2, 80},
                 {"C17", &c17_map_range_nm, 5, 10},
                 {"C17 matches exactly", &c17_map_range_nm, 10.7, 10.7},
                 {"C17", &c17_map_range_nm, 320, 320},
                 {"P1000 map", &p1000_mfd_range, 160, 0.5}},
                map_range_up);
}

TEST(RangeLadder, stepsDownWithTheLowestRungsGatedByMinMapRange) {
    ASSERT_EQ(min_map_range, 10.0);
    check_steps({{"B737", &hw_b737_nd_range, 320, 160},
                 {"B737 gated", &hw_b737_nd_range, 10, 10},
                 {"MD11", &hw_md11_nd_range, 640, 320},
                 {"MD11 gated", &hw_md11_nd_range, 10, 10},
                 {"MD80 gated", &md80_ehsi_range, 10, 10},
                 {"C17 10 to 5 is not gated", &c17_map_range_nm, 10, 5},
                 {"C17 gated", &c17_map_range_nm, 5, 5},
                 {"DU1000", &du_1000_ehsi_range, 240, 120},
                 {"DU1000 into 10", &du_1000_ehsi_range, 15, 10},
                 {"DU1000 gated", &du_1000_ehsi_range, 10, 10},
                 {"EFS50", &efs50_ehsi_range, 0.5, 160},
                 {"EFS50", &efs50_ehsi_range, 12.5, 5},
                 {"EFS50 off the ladder", &efs50_ehsi_range, 7, 160},
                 {"PROLINE4", &proline4_mfd_range, 5, 320},
                 {"PROLINE4", &proline4_mfd_range, 10, 5},
                 {"PROLINE4 off the ladder", &proline4_mfd_range, 7, 7},
                 {"B737 off the ladder", &hw_b737_nd_range, 7, 7}},
                map_range_down);

    min_map_range = 2.5;
    EXPECT_EQ(walk_down(hw_b737_nd_range, 10, 3), (std::vector<double>{5, 2.5, 2.5}));
    EXPECT_EQ(walk_down(du_1000_ehsi_range, 15, 4), (std::vector<double>{10, 5, 2.5, 2.5}));
    min_map_range = 0.5;
    EXPECT_EQ(walk_down(hw_b737_nd_range, 1, 1), (std::vector<double>{0.5}));
    EXPECT_EQ(walk_down(c17_map_range_nm, 1, 1), (std::vector<double>{0.5}));
    // 0.5 needs MinMapRange to be exactly 0.5 there; DU_1000_EHSI only asks for at least.
    min_map_range = 0.4;
    EXPECT_EQ(walk_down(hw_b737_nd_range, 1, 1), (std::vector<double>{1}));
    EXPECT_EQ(walk_down(du_1000_ehsi_range, 1, 2), (std::vector<double>{0.5, 0.5}));
}

TEST(RangeLadder, p1000StepsItsTcasWindowWhileTrafficIsShownThereAndNothingUnderItsController) {
    tcas_display_on = 1;
    DrawTcasWindowOnP1000MFD = 1;
    p1000_mfd_range = 12.5;
    check_steps(
        {{"TCAS window", &p1000_tcas_window_range, 40, 5}, {"TCAS window", &p1000_tcas_window_range, 25, 40}},
        map_range_up);
    check_steps({{"TCAS window", &p1000_tcas_window_range, 5, 40},
                 {"TCAS window", &p1000_tcas_window_range, 12.5, 5}},
                map_range_down);
    EXPECT_EQ(p1000_mfd_range, 12.5);

    DrawTcasWindowOnP1000MFD = 0;
    check_steps({{"P1000 map", &p1000_mfd_range, 12.5, 25}}, map_range_up);

    p1000_controller_present = 1;
    p1000_tcas_window_range = 12.5;
    map_range_up();
    map_range_down();
    map_range_down();
    EXPECT_EQ(p1000_mfd_range, 25.0);
    EXPECT_EQ(p1000_tcas_window_range, 12.5);
    set_map_range_all(40);
    EXPECT_EQ(p1000_mfd_range, 40.0);
}

TEST(RangeLadder, setAllWritesEveryDisplayAndIgnoresRangesOfZeroOrLessAndNonFinite) {
    double* all[] = {&hw_b737_nd_range,   &efs50_ehsi_range,   &p1000_mfd_range, &hw_md11_nd_range,
                     &du_1000_ehsi_range, &proline4_mfd_range, &md80_ehsi_range, &c17_map_range_nm};
    set_map_range_all(7);
    for (double* r : all)
        EXPECT_EQ(*r, 7.0);
    // A range of 0 would divide the displays' scale by zero.
    for (const double bad : {0.0, -5.0, HUGE_VAL, -HUGE_VAL, double(NAN)})
        set_map_range_all(bad);
    for (double* r : all)
        EXPECT_EQ(*r, 7.0);

    map_range_up(); // off their ladders: the stopping ladders stay, EFS50 restarts
    EXPECT_EQ(hw_b737_nd_range, 7.0);
    EXPECT_EQ(efs50_ehsi_range, 0.5);
}

} // namespace

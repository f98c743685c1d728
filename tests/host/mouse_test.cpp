// Clicks on placed gauges: scaling to bitmap pixels and finding the spot.
#include "fake_module.h"
#include "mouse.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

namespace {

class Mouse : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        sim.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1");
        host::PanelFile panel;
        std::string error;
        // The display at twice its bitmap size, once at its own size; the spot gauge at 100 x 98.
        ASSERT_TRUE(host::parse_panel_text("p.cfg",
                                           "[Window00]\n"
                                           "gauge00=orvex1!DISPLAY, 40, 40, 200, 160\n"
                                           "gauge01=orvex1!DISPLAY, 0, 0\n"
                                           "gauge02=orvex1!SPOT_OPEN, 0, 0, 100, 98\n"
                                           "gauge03=orvex1!SERVER, 0, 0, 10, 10\n",
                                           panel, error));
        ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    }
    host::Simulator sim;
};

TEST_F(Mouse, ClickIsScaledToBitmapPixelsAndMadeRelativeToTheSpot) {
    // Placed (30, 30) is bitmap (15, 15): 5 right and 5 down of spot one's (10, 10).
    host::ClickResult r = host::click_gauge(*sim.gauges[0], 30, 30);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.result, 7);
    ASSERT_EQ(fake::mouse_calls.size(), 1u);
    EXPECT_EQ(fake::mouse_calls[0].spot, 1);
    EXPECT_EQ(fake::mouse_calls[0].point.x, 5);
    EXPECT_EQ(fake::mouse_calls[0].point.y, 5);
    EXPECT_EQ(fake::mouse_calls[0].flags, MOUSE_LEFTSINGLE);

    // The same bitmap point on the unscaled instance.
    host::click_gauge(*sim.gauges[1], 15, 15);
    EXPECT_EQ(fake::mouse_calls.back().point.x, 5);

    // Second spot (50, 40, 20 x 20); its repeat flags also take a single click.
    r = host::click_gauge(*sim.gauges[0], 139, 119); // bitmap (69, 59): last pixel inside
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(fake::mouse_calls.back().spot, 2);
    EXPECT_EQ(fake::mouse_calls.back().point.x, 19);
    EXPECT_EQ(fake::mouse_calls.back().point.y, 19);
}

TEST_F(Mouse, ClicksOutsideEverySpotDoNothing) {
    fake::mouse_calls.clear();
    // Spot one covers bitmap x 10..39: placed 80 is bitmap 40, just outside.
    EXPECT_FALSE(host::click_gauge(*sim.gauges[0], 80, 30).hit);
    EXPECT_FALSE(host::click_gauge(*sim.gauges[0], 19, 30).hit); // bitmap 9
    EXPECT_FALSE(host::click_gauge(*sim.gauges[0], 199, 159).hit);
    EXPECT_FALSE(host::click_gauge(*sim.gauges[3], 5, 5).hit); // a gauge without spots
    EXPECT_TRUE(fake::mouse_calls.empty());
    // A spot that does not take this kind of click ignores it.
    EXPECT_FALSE(host::click_gauge(*sim.gauges[0], 30, 30, 0x00000001u).hit);
    EXPECT_TRUE(fake::mouse_calls.empty());
}

TEST_F(Mouse, ClickSpotTogglesItsWindowThroughTheServices) {
    // Spot gauge: bitmap 50 x 49 placed at 100 x 98; spot (7, 7, 35, 35).
    host::ClickResult r = host::click_gauge(*sim.gauges[2], 14, 14); // bitmap (7, 7)
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.point.x, 0);
    EXPECT_EQ(r.result, 1);
    EXPECT_TRUE(host::window_visible(4001));
    EXPECT_FALSE(host::click_gauge(*sim.gauges[2], 13, 13).hit); // bitmap (6, 6)
    host::click_gauge(*sim.gauges[2], 83, 83);                   // bitmap (41, 41)
    EXPECT_FALSE(host::window_visible(4001));
}

TEST(MouseList, NestedParentsOffsetTheirChildren) {
    static std::vector<PixPoint> got;
    got.clear();
    MouseHandler h = [](PixPoint* p, uint32_t) -> int32_t {
        got.push_back(*p);
        return 0;
    };
    MouseRect list[] = {
        {MOUSE_RECT_PARENT, 100, 50, 0, 0, CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_PARENT, 10, 10, 40, 40, CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_CHILD, 5, 5, 10, 10, CURSOR_HAND, 0, MOUSE_LEFTSINGLE, 0, h, nullptr},
        {MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_CHILD, 0, 0, 5, 5, CURSOR_HAND, 0, MOUSE_LEFTSINGLE, 0, h, nullptr},
        {MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_EOL, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
    };
    PixPoint rel{};
    const MouseRect* r = host::find_mouse_child(list, 117, 67, MOUSE_LEFTSINGLE, rel);
    EXPECT_EQ(r, &list[2]); // 100 + 10 + 5 = 115 .. 124
    EXPECT_EQ(rel.x, 2);
    EXPECT_EQ(rel.y, 2);
    r = host::find_mouse_child(list, 101, 51, MOUSE_LEFTSINGLE, rel); // back at the outer parent
    EXPECT_EQ(r, &list[4]);
    EXPECT_EQ(rel.x, 1);
    EXPECT_EQ(host::find_mouse_child(list, 114, 64, MOUSE_LEFTSINGLE, rel), nullptr);
    EXPECT_EQ(host::find_mouse_child(nullptr, 0, 0, MOUSE_LEFTSINGLE, rel), nullptr);
}

TEST(MouseList, TheLastOfOverlappingChildrenWins) {
    MouseHandler h = [](PixPoint*, uint32_t) -> int32_t { return 0; };
    // A knob's half, then a small button inside it in a parent of its own.
    MouseRect list[] = {
        {MOUSE_RECT_PARENT, 0, 0, 0, 0, CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_PARENT, 100, 10, 40, 40, CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_CHILD, 0, 0, 40, 40, 2, 0, MOUSE_LEFTSINGLE, 0, h, nullptr},
        {MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_PARENT, 110, 20, 10, 10, CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_CHILD, 0, 0, 10, 10, CURSOR_HAND, 0, MOUSE_LEFTSINGLE, 0, h, nullptr},
        {MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
        {MOUSE_RECT_EOL, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
    };
    PixPoint rel{};
    EXPECT_EQ(host::find_mouse_child(list, 115, 25, MOUSE_LEFTSINGLE, rel), &list[5]);
    EXPECT_EQ(rel.x, 5);
    EXPECT_EQ(host::find_mouse_child(list, 105, 25, MOUSE_LEFTSINGLE, rel), &list[2]);
    EXPECT_EQ(rel.x, 5);
}

} // namespace

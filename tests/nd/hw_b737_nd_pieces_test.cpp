// Pieces of the HW_B737_ND checked on their own: the frame's value texts,
// the vertical-deviation pointer, the traffic record, the heading arc of the
// navigation layer and the turn prediction arcs.
#include "data/display_settings.h"
#include "fms/guidance/route_progress.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "gauges/gdiplus_lifetime.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/hw_b737_nd_frame_values.h"
#include "nd/hw_b737_nd_painters.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "shared/profile_points.h"
#include "sim/aircraft_state.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(HwB737NdFrameValues, headingEtaAndDeviationTexts) {
    EXPECT_EQ(heading_box_text(0.4), "360");
    EXPECT_EQ(heading_box_text(359.9), "359");
    EXPECT_EQ(heading_box_text(7.8), "007");

    // 0 h 45 min to go at 23:30: minutes 75 carry into hour 24, which wraps.
    EXPECT_EQ(eta_text(0.0, 45.0, 0.0, 23.0, 30.0), "0015.0");
    EXPECT_EQ(eta_text(1.0, 12.7, 7.0, 9.0, 5.0), "1017.7");

    struct Row {
        double deviation_ft;
        int row;
        const char* text;
        int text_row;
    };
    const Row rows[] = {{0.0, 226, "", 0},    {399.0, 255, "", 0},          {400.0, 258, " 400", 265},
                        {-200.0, 211, "", 0}, {-12000.0, 194, "9999", 185}, {1234.9, 258, "1234", 265}};
    for (const Row& r : rows) {
        const DescentPath path{1, 10000.0, 40.0};
        const DeviationPointer p = vertical_deviation_pointer(path, 10000.0 + r.deviation_ft);
        EXPECT_EQ(p.row, r.row) << r.deviation_ft;
        EXPECT_EQ(p.text, r.text) << r.deviation_ft;
        EXPECT_EQ(p.text_row, r.text_row) << r.deviation_ft;
    }
}

// The pointer shows what PROGRESS shows from the top of descent on, also
// while the aircraft, off its leg just after the top of descent, is still
// farther from the end of descent than the path is long; before the top of
// descent, or with no T/D, it stays centred.
TEST(HwB737NdFrameValues, deviationPointerFollowsTheDescentFromItsTop) {
    fill_plan(active_plan, {{"A", ""}, {"B", ""}, {"C", ""}});
    set_flown_to(2);
    vertical_target_cursor.move_to(2);
    aircraft_state.plat = 47.1;
    aircraft_state.plon = -121.9; // east of its leg, farther from C than the T/D
    const struct {
        int passed;
        bool tod;
        int row;
    } rows[] = {{1, true, 255}, {0, true, 226}, {1, false, 226}};
    for (const auto& r : rows) {
        vnav_phase = r.passed == 1 ? VnavPhase::Descent : VnavPhase::Cruise;
        show_tod_at(47.1, -122.0, 1);
        vertical_profile.tod.exists = r.tod;
        descent_path_altitude = 10000.0;
        EXPECT_EQ(vertical_deviation_pointer(current_descent_path(), 10393.0).row, r.row)
            << r.passed << r.tod;
    }
    forget_vertical_profile();
    PlanBuilder::clear(active_plan);
}

TEST(HwB737NdFrameValues, firstTrafficTargetReadsOnlyWithinThePublishedRecords) {
    // Two records; the identifier text stands in the second one.
    alignas(8) unsigned char block[2 * traffic_record_size] = {};
    std::memcpy(block + traffic_record_size, "N123AB", 7);
    const double altitude = 8500.7, speed = 141.2;
    std::memcpy(block + traffic_altitude_offset, &altitude, sizeof altitude);
    std::memcpy(block + traffic_ground_speed_offset, &speed, sizeof speed);
    auto set_ident = [&](const void* p) { std::memcpy(block + traffic_ident_offset, &p, sizeof p); };
    const char* outside = "FAR";
    const struct {
        const void* ident;
        int count;
        bool present;
        const char* read;
    } rows[] = {{block + traffic_record_size, 2, true, "N123AB"},
                {block + traffic_record_size, 0, false, ""}, // no record
                {block + traffic_record_size, -5, false, ""},
                {block + traffic_record_size, 1, true, ""}, // past the one record
                {block + traffic_record_size, 2000000000, true, "N123AB"},
                {nullptr, 2, true, ""},
                {outside, 2, true, ""},
                {block + 2 * traffic_record_size - 2, 2, true, ""}}; // zero bytes to the end
    for (const auto& row : rows) {
        set_ident(row.ident);
        const TrafficSummary t = first_traffic_target(block, row.count);
        EXPECT_EQ(t.present, row.present) << row.count;
        EXPECT_EQ(t.ident, row.read) << row.count;
        EXPECT_EQ(t.altitude_ft, row.present ? 8500.7 : 0.0) << row.count;
        EXPECT_EQ(t.ground_speed_kt, row.present ? 141.2 : 0.0) << row.count;
    }
    // A text that runs to the block's end without a terminator is cut there.
    std::memset(block + traffic_record_size, 'X', traffic_record_size);
    set_ident(block + 2 * traffic_record_size - 3);
    EXPECT_EQ(first_traffic_target(block, 2).ident, "XXX");
    EXPECT_FALSE(first_traffic_target(nullptr, 3).present);
}

class HwB737NdPainter : public ::testing::Test {
  protected:
    void SetUp() override {
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(244, 302, gfx::SurfaceRecording);
        graphics_ = std::make_unique<gfx::Graphics>(dc_);
    }
    void TearDown() override {
        graphics_.reset();
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    DisplayObject display_{244, 302};
    void* dc_ = nullptr;
    std::unique_ptr<gfx::Graphics> graphics_;
};

TEST_F(HwB737NdPainter, arcModeShowsHeadingsWithin55DegreesAndTheHalfRange) {
    hw_b737_nd_mode = kB737NdModeMap;
    hw_b737_nd_range = 10.0;
    aircraft_state.heading_deg = 100.0;
    draw_hw_b737_nd_nav_layer(display_, *graphics_);
    // Ticks for 50 to 150 (55 degrees either side left out): 21 ticks, the
    // lubber line and the half-range tick.
    int ticks = 0;
    for (const gfx::RecordedOp* op : rec().of_kind(gfx::OpKind::Line))
        ticks += op->color == 0xFFDEE6E9u && op->pen_width == 2.0f;
    EXPECT_EQ(ticks, 21);
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"  5", "6", "9", "12", "15"}));
}

TEST_F(HwB737NdPainter, turnArcsNeedBankAndSpeedAndGrowWithRange) {
    hw_b737_nd_mode = kB737NdModeMap;
    aircraft_state.ground_speed_kt = 250.0;
    struct Row {
        double bank, range;
        std::size_t arcs;
        int diameter;
    };
    // R = 250^2 / (11.23 tan 25 deg) = 11938 ft; 2.025 deg/s; D = 2R / 6076.1 x 215 / range.
    const Row rows[] = {{-25.0, 10.0, 1, 84}, {-25.0, 20.0, 2, 42}, {25.0, 40.0, 3, 21}, {0.0, 40.0, 0, 0}};
    for (const Row& r : rows) {
        rec().clear();
        aircraft_state.bank_deg = r.bank;
        hw_b737_nd_range = r.range;
        draw_hw_b737_nd_arc_part(display_, *graphics_, 215.0 / r.range);
        const auto arcs = rec().of_kind(gfx::OpKind::Arc);
        ASSERT_EQ(arcs.size(), r.arcs) << r.bank << " " << r.range;
        if (arcs.empty()) continue;
        EXPECT_EQ(arcs[0]->world_rect.width, float(r.diameter));
        const bool right = r.bank < 0.0;
        EXPECT_EQ(arcs[0]->world_rect.x, right ? 0.0f : -float(r.diameter));
        EXPECT_NEAR(arcs[0]->start_angle, right ? 180.0 : 0.0, 1e-3);
        EXPECT_NEAR(arcs[0]->sweep_angle, right ? 60.75 : -60.75, 0.01);
        if (arcs.size() == 3) {
            EXPECT_NEAR(arcs[2]->start_angle, -127.58, 0.01);
        }
    }
    aircraft_state.bank_deg = -25.0;
    aircraft_state.ground_speed_kt = 0.0; // standing still: nothing to predict
    rec().clear();
    draw_hw_b737_nd_arc_part(display_, *graphics_, 5.0);
    EXPECT_EQ(rec().drawing_count(), 0u);
}

} // namespace

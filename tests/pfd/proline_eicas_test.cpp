// The PROLINE_EICAS strip on a 486 x 110 recording surface (one device pixel
// per design unit): N1 dials and the table of both engines.
#include "host_services.h"
#include "sim_state.h"

#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr gfx::Argb kEicasGreen = 0xFF00FA00;

class ProlineEicas : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(486, 110, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
    }
    const gfx::Recording& draw() {
        gfx::Recording& r = *gfx::surface_recording(dc_);
        r.clear();
        render_proline_eicas(dc_, PixelSize{486, 110}, RENDER_MODE_DRAW);
        return r;
    }
    // Whether a green line ends at the needle tip, 40 units from the dial
    // centre at the angle.
    static bool needle_at(const gfx::Recording& r, float cx, double degrees) {
        const double a = degrees * M_PI / 180.0;
        for (const gfx::RecordedOp* op : r.lines_in_color(kEicasGreen))
            if (std::abs(op->points[1].x - (cx + 40 * std::cos(a))) < 0.01 &&
                std::abs(op->points[1].y - (55 + 40 * std::sin(a))) < 0.01)
                return true;
        return false;
    }
    void* dc_ = nullptr;
};

TEST_F(ProlineEicas, DialsAndTableOfBothEngines) {
    host::set_token(626, 85.0);
    host::set_token(645, 130.0); // past the end of the scale: nothing holds the needle
    host::set_token(627, 95.3);
    host::set_token(646, 88.1);
    host::set_token(625, 50.0); // the N2 cells read 627 and 646, not the N2 tokens
    host::set_token(421, 1234.0);
    const gfx::Recording& r = draw();

    const gfx::RecordedOp* n1 = r.text_near(5, 40, 0.01f);
    ASSERT_NE(n1, nullptr);
    EXPECT_EQ(n1->text, "85.0");
    EXPECT_EQ(n1->color, kEicasGreen);
    EXPECT_TRUE(needle_at(r, 100, 85.0 / 115.0 * 290.0)); // 214.35 degrees
    EXPECT_TRUE(needle_at(r, 270, 130.0 / 115.0 * 290.0));

    // Engine 1 right-aligned against x 485 in a box of 16 units a character.
    const gfx::RecordedOp* n2 = r.find_text("95.3");
    ASSERT_NE(n2, nullptr);
    EXPECT_EQ(n2->format_flags, 0u); // aligned to the right, not by a right-to-left reading order
    EXPECT_EQ(n2->alignment, gfx::StringAlignment::Far);
    EXPECT_FLOAT_EQ(n2->world_rect.x + n2->transform.dx, 421);
    EXPECT_FLOAT_EQ(n2->world_rect.y + n2->transform.dy, 10);
    EXPECT_FLOAT_EQ(n2->world_rect.width, 64);
    EXPECT_FLOAT_EQ(n2->world_rect.height, 20);
    const gfx::RecordedOp* ff = r.find_text("1234");
    ASSERT_NE(ff, nullptr);
    EXPECT_FLOAT_EQ(ff->world_rect.x + ff->transform.dx, 421);
    // Engine 2 from x 335, with no format.
    const gfx::RecordedOp* n2_2 = r.text_near(335, 10, 0.01f);
    ASSERT_NE(n2_2, nullptr);
    EXPECT_EQ(n2_2->text, "88.1");
    EXPECT_EQ(n2_2->format_flags, 0u);
    EXPECT_EQ(r.find_text("50.0"), nullptr);
    EXPECT_EQ(r.text_near(380, 82, 0.01f)->text, "TEMP\302\260C");
}

TEST_F(ProlineEicas, UnpoweredLeavesOnlyTheClear) {
    aircraft_state.display_power = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(r.drawing_count(), 1u);
    EXPECT_EQ(r.ops.back().kind, gfx::OpKind::Clear);
    EXPECT_EQ(r.ops.back().color, 0x00000000u);
}

} // namespace

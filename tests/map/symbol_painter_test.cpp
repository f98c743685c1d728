// The map symbol painter on a recording surface with an identity transform,
// so device points are the painter's truncated vertices.
#include "gauges/gdiplus_lifetime.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

namespace {

using gfx::OpKind;
using gfx::RecordedOp;

class SymbolPainter : public ::testing::Test {
  protected:
    void SetUp() override {
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(200, 200, gfx::SurfaceRecording);
        graphics_ = std::make_unique<gfx::Graphics>(dc_);
    }
    void TearDown() override {
        graphics_.reset();
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
    }
    const gfx::Recording& draw(double x, double y, int kind, int sub_kind, double w, double s, int colour,
                               double range = 10.0) {
        rec().clear();
        draw_map_symbol(*graphics_, x, y, static_cast<MapSymbol>(kind), sub_kind, w, s, colour, range);
        return rec();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    std::vector<const RecordedOp*> drawn() {
        std::vector<const RecordedOp*> ops;
        for (const RecordedOp& op : rec().ops)
            if (op.is_drawing()) ops.push_back(&op);
        return ops;
    }
    void* dc_ = nullptr;
    std::unique_ptr<gfx::Graphics> graphics_;
};

TEST_F(SymbolPainter, shapesHaveTheirVerticesAndSelectorColours) {
    struct Row {
        int kind, colour;
        gfx::Argb pen;
        std::size_t vertices;
    };
    const Row rows[] = {
        {1, 1, 0xFF02A7EB, 19}, {1, 0, 0xFFDEE6E9, 19}, {1, 3, 0xFF00FA00, 19},  {2, 1, 0xFF02A7EB, 7},
        {2, 3, 0xFF00FA00, 7},  {3, 4, 0xFFFF13D5, 4},  {3, 1, 0xFF02A7EB, 4},   {3, 0, 0xFFC0C0C0, 4},
        {20, 3, 0xFF00FA00, 9}, {20, 4, 0xFFFF13D5, 9}, {20, 5, 0xFFFFFF00, 9},  {20, 0, 0xFFDEE6E9, 9},
        {21, 4, 0xFFFF13D5, 5}, {21, 9, 0xFFDEE6E9, 5}, {12, 0, 0xFFDEE6E9, 18},
    };
    for (const Row& r : rows) {
        draw(50, 60, r.kind, no_symbol_arrow, 1.0, 1.0, r.colour);
        const auto ops = drawn();
        ASSERT_EQ(ops.size(), 1u) << "kind " << r.kind;
        EXPECT_EQ(ops[0]->kind, OpKind::Lines);
        EXPECT_EQ(ops[0]->color, r.pen) << "kind " << r.kind << " colour " << r.colour;
        EXPECT_EQ(ops[0]->points.size(), r.vertices) << "kind " << r.kind;
        EXPECT_EQ(ops[0]->points.front().x, 50.0f);
        EXPECT_EQ(ops[0]->points.front().y, 60.0f);
    }

    // The route star with w 1, s 2: 10 wide, 22 high, its top tip on the anchor.
    draw(100, 40, 20, no_symbol_arrow, 1.0, 2.0, 0);
    const gfx::RectF star = drawn()[0]->bounds;
    EXPECT_EQ(star.x, 95.0f);
    EXPECT_EQ(star.y, 40.0f);
    EXPECT_EQ(star.width, 10.0f);
    EXPECT_EQ(star.height, 22.0f);
    EXPECT_FLOAT_EQ(drawn()[0]->pen_width, 1.0f);

    // Vertices are truncated toward zero, not rounded.
    draw(-0.7, 10.9, 21, no_symbol_arrow, 1.0, 1.0, 0);
    EXPECT_EQ(drawn()[0]->points[0].x, 0.0f);
    EXPECT_EQ(drawn()[0]->points[0].y, 10.0f);
}

TEST_F(SymbolPainter, unknownKindsDrawNothingAndTheVorLeavesHalfPixelOffset) {
    for (const int kind : {0, 6, 100}) {
        draw(50, 50, kind, no_symbol_arrow, 1.0, 1.0, 0);
        EXPECT_TRUE(rec().ops.empty()) << kind;
    }
    EXPECT_EQ(graphics_->pixel_offset_mode(), gfx::PixelOffsetMode::Default);
    draw(50, 50, 1, no_symbol_arrow, 1.0, 1.0, 0);
    EXPECT_EQ(graphics_->pixel_offset_mode(), gfx::PixelOffsetMode::Half);
    draw(50, 50, 2, no_symbol_arrow, 1.0, 1.0, 0);
    EXPECT_EQ(graphics_->pixel_offset_mode(), gfx::PixelOffsetMode::Half);
}

TEST_F(SymbolPainter, textKindsFormatRangeAndHeading) {
    struct Row {
        int kind;
        double value;
        const char* text;
    };
    const Row rows[] = {{30, 12.5, "12.5"}, {30, 2.5, "2.5"},   {30, 40.0, " 40"},
                        {30, 0.5, "0.5"},   {40, 0.0, "360"},   {40, 5.4, "005"},
                        {40, 359.4, "359"}, {31, 12.5, "12.5"}, {31, 25.0, " 25"}};
    for (const Row& r : rows) {
        aircraft_state.heading_deg = r.value;
        p1000_tcas_window_range = r.value;
        draw(20, 30, r.kind, no_symbol_arrow, 1.0, 1.0, 0, r.value);
        ASSERT_EQ(rec().texts().size(), 1u);
        EXPECT_EQ(rec().texts()[0], r.text) << r.kind << " " << r.value;
    }
    // The range box: black, 27 x 16 from the anchor, the number at (x - 2, y + 2) in white.
    draw(20, 30, 30, no_symbol_arrow, 1.0, 1.0, 0, 40.0);
    const auto boxes = rec().fills_in_color(0xFF000000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->bounds.width, 27.0f);
    EXPECT_EQ(boxes[0]->bounds.height, 16.0f);
    EXPECT_NE(rec().text_near(18, 32), nullptr);
    EXPECT_EQ(rec().find_text(" 40")->color, 0xFFDEE6E9u);
}

TEST_F(SymbolPainter, trafficAddsItsTrendArrowOnlyForClimbOrDescent) {
    draw(50, 50, 60, no_symbol_arrow, 1.0, 1.0, 0);
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(drawn()[0]->color, 0xFFDEE6E9u);
    EXPECT_EQ(drawn()[0]->points[1].x, 54.0f); // (x + 4, y + 4)

    draw(50, 50, 70, 1, 1.0, 1.0, 2);
    ASSERT_EQ(drawn().size(), 3u); // diamond, arrow head, arrow line
    EXPECT_EQ(drawn()[0]->color, 0xFF00E6E9u);
    EXPECT_EQ(drawn()[1]->points[0].x, 62.0f); // head tip (x + 12, y)
    EXPECT_EQ(drawn()[2]->points[1].y, 60.0f); // line to (x + 12, y + 10)

    draw(50, 50, 63, 2, 1.0, 1.0, 0);
    ASSERT_EQ(drawn().size(), 3u);
    EXPECT_TRUE(drawn()[0]->fill);
    EXPECT_EQ(drawn()[0]->color, 0xFFC90101u);
    EXPECT_EQ(drawn()[1]->points[0].y, 58.0f); // descending head tip (x + 8, y + 8)
}

} // namespace

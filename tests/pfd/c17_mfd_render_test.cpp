// The C17_MFD render pass (units, format geometry, map windows) and the
// configuration page.
#include "c17_mfd_fixture.h"

#include "map/range_ladder.h"

namespace {

constexpr gfx::Argb kRenderWhite = 0xFFDEE6E9, kRenderGreen = 0xFF00FA00, kRenderRed = 0xFFFF0000,
                    kRenderCyan = 0xFF18C2E7;

const gfx::RecordedOp* first_of(const gfx::Recording& r, gfx::OpKind kind, std::size_t from = 0) {
    for (std::size_t i = from; i < r.ops.size(); ++i)
        if (r.ops[i].kind == kind) return &r.ops[i];
    return nullptr;
}

std::size_t index_of(const gfx::Recording& r, const gfx::RecordedOp* op) {
    return static_cast<std::size_t>(op - r.ops.data());
}

TEST_F(C17Mfd, UnitsOutsideOneToFourDrawTheCurrentRecordAndSaveNothing) {
    c17_mfd_format = kC17FormatConfiguration;
    const C17MfdInstance unit1 = c17_mfd_units[1];
    EXPECT_NE(draw(5).find_text("GEAR DOWN"), nullptr);
    EXPECT_EQ(c17_mfd_units[1].format, unit1.format);

    // Power off and unit 0 clear only, and keep the records.
    c17_mfd_units[2].format = kC17FormatMapWideArc;
    aircraft_state.display_power = 0;
    const gfx::Recording& off = draw(2);
    EXPECT_EQ(off.drawing_count(), 1u);
    EXPECT_EQ(off.ops.back().kind, gfx::OpKind::Clear);
    EXPECT_EQ(off.ops.back().color, 0x00000000u);
    aircraft_state.display_power = 1;
    EXPECT_EQ(draw(0).drawing_count(), 1u);
    EXPECT_EQ(c17_mfd_units[2].format, kC17FormatMapWideArc);

    // A zero-sized element gets no picture.
    const gfx::Recording& empty = draw(1, PixelSize{0, 241});
    EXPECT_LE(empty.drawing_count(), 1u);
    EXPECT_TRUE(empty.texts().empty());
}

TEST_F(C17Mfd, FormatsWithoutPainterShowTheBackgroundAndKeepTheGeometry) {
    c17_mfd_units[1].format = kC17FormatMapWideArc;
    draw(1);
    for (uint32_t format : {2u, 7u, 8u, 13u}) {
        c17_mfd_units[1].format = format;
        const gfx::Recording& r = draw(1);
        EXPECT_EQ(r.drawing_count(), 1u) << format;
        EXPECT_EQ(r.fills_in_color(0xFF000000).size(), 1u) << format;
        EXPECT_EQ(c17_compass_radius, 172) << format;
        EXPECT_EQ(c17_compass_centre.y, 200) << format;
        EXPECT_EQ(c17_mfd_units[1].format, format); // saved back
    }
}

TEST_F(C17Mfd, MapFormatsClipTheMapToTheirWindowAndDrawTheSymbolOnTop) {
    const auto has_point = [](const gfx::RecordedOp& op, float x, float y) {
        for (std::size_t i = 0; i < op.points.size(); ++i)
            if (std::abs(op.points[i].x - x) < 0.01f && std::abs(op.points[i].y - y) < 0.01f) return true;
        return false;
    };
    struct Row {
        uint32_t format;
        int32_t radius, centre_y;
        gfx::PointF corners[2]; // two corners of the window on the canvas
    } rows[] = {
        {3, 172, 200, {{244, 78}, {230, 205}}},
        {4, 124, 132, {{230, 72}, {42, 227}}},
        {5, 172, 35, {{229, 32}, {0, 210}}},
    };
    for (const Row& row : rows) {
        c17_mfd_units[2].format = row.format;
        const gfx::Recording& r = draw(2);
        EXPECT_EQ(c17_compass_radius, row.radius);
        EXPECT_EQ(c17_compass_centre.x, 122);
        EXPECT_EQ(c17_compass_centre.y, row.centre_y);
        const gfx::RecordedOp* clip = first_of(r, gfx::OpKind::SetClip);
        ASSERT_NE(clip, nullptr) << row.format;
        for (const gfx::PointF& p : row.corners)
            EXPECT_TRUE(has_point(*clip, p.x, p.y)) << row.format << ": " << p.x << ", " << p.y;
        const gfx::RecordedOp* reset = first_of(r, gfx::OpKind::ResetClip, index_of(r, clip));
        ASSERT_NE(reset, nullptr);
        // The symbol follows the map, unclipped.
        const float y = static_cast<float>(row.centre_y);
        EXPECT_TRUE(has_line(r, kRenderWhite, 122, y - 5, 122, y + 15)) << row.format;
        // The painter's lines come before the map, the symbol's three after it.
        std::size_t after = 0;
        for (const gfx::RecordedOp* op : r.lines_in_color(kRenderWhite)) {
            EXPECT_EQ(op->clip, -1);
            if (index_of(r, op) > index_of(r, reset))
                ++after;
            else
                EXPECT_LT(index_of(r, op), index_of(r, clip));
        }
        EXPECT_EQ(after, row.format == kC17FormatMapArc ? 4u : 3u)
            << row.format; // and format 4's heading box
    }
    // Format 4's arcs after the map; the first from 211 sweeping 120.
    c17_mfd_units[2].format = kC17FormatMapArc;
    const gfx::Recording& r = draw(2);
    const std::vector<const gfx::RecordedOp*> arcs = r.of_kind(gfx::OpKind::Arc);
    ASSERT_EQ(arcs.size(), 3u);
    EXPECT_GT(index_of(r, arcs[0]), index_of(r, first_of(r, gfx::OpKind::ResetClip)));
    EXPECT_NEAR(arcs[0]->bounds.x, -2, 0.01);
    EXPECT_NEAR(arcs[0]->bounds.y, 8, 0.01);
    EXPECT_NEAR(arcs[0]->bounds.width, 248, 0.01);
    EXPECT_EQ(arcs[0]->start_angle, 211);
    EXPECT_EQ(arcs[0]->sweep_angle, 120);

    // Format 6: the map's window is empty; its units per NM follow the range.
    c17_mfd_units[2].format = kC17FormatPlan;
    c17_map_range_nm = 40;
    const gfx::Recording& plan = draw(2);
    // The plan clips its own grid first; the map pass's window comes last.
    const std::vector<const gfx::RecordedOp*> clips = plan.of_kind(gfx::OpKind::SetClip);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_FALSE(clips[0]->points.empty());
    EXPECT_TRUE(clips[1]->points.empty());
    EXPECT_EQ(c17_compass_radius, 100);
}

// --- Configuration page (centre (122, 121)) ---

TEST_F(C17Mfd, ConfigurationFlapsWordAndGearLine) {
    gfx::Argb colour = 0;
    const struct {
        double handle;
        const char* text;
    } rows[] = {
        {0, "FLAPS UP"}, {4680, "FLAPS UP"}, {4681, "FLAPS 1/2"}, {9362, "FLAPS 3/4"}, {14043, "FLAPS FULL"}};
    for (const auto& row : rows) {
        host::set_token(328, row.handle);
        const gfx::Recording& r = draw(4);
        EXPECT_EQ(text_at(r, 92, 153, &colour), row.text) << row.handle;
        EXPECT_EQ(colour, kRenderWhite);
        EXPECT_EQ(text_at(r, 96, 183), "GEAR DOWN");
    }
}

TEST_F(C17Mfd, ConfigurationSpoilersAndTheirModeWord) {
    // The inner bracket of each side's spoilers, from the hinge up.
    const auto left_part = [](const gfx::Recording& r) {
        return has_line(r, kRenderWhite, 107, 118, 107, 107);
    };
    const auto right_part = [](const gfx::Recording& r) {
        return has_line(r, kRenderWhite, 137, 118, 137, 107);
    };
    struct Row {
        double left, right, handle, ground;
        const char* word; // in both parts, or nowhere
        bool left_drawn, right_drawn;
    } rows[] = {
        {16383, 16383, 0, 0, "SPD BR", true, true}, {16383, 16383, 9362, 0, "DLC", true, true},
        {16383, 16383, 0, 1, "GND", true, true},    {500, 0, 0, 0, nullptr, false, false},
        {500, 500, 0, 0, nullptr, false, true},     {801, 0, 0, 0, nullptr, true, false},
    };
    for (const Row& row : rows) {
        host::set_token(326, row.left);
        host::set_token(327, row.right);
        host::set_token(328, row.handle);
        host::set_token(60, row.ground);
        gfx::Argb colour = 0;
        const gfx::Recording& r = draw(4);
        const std::string left = text_at(r, 77, 86, &colour), right = text_at(r, 142, 86);
        EXPECT_EQ(left, row.word ? row.word : "<none>") << row.left << " " << row.right;
        EXPECT_EQ(right, row.word ? row.word : "<none>") << row.left << " " << row.right;
        if (row.word) {
            EXPECT_EQ(colour, kRenderCyan);
        }
        EXPECT_EQ(left_part(r), row.left_drawn) << row.left << " " << row.right;
        EXPECT_EQ(right_part(r), row.right_drawn) << row.left << " " << row.right;
    }
    // One side raised past 800 with the other below it: its part, no word.
    host::set_token(326, 0);
    host::set_token(327, 16383);
    const gfx::Recording& alone = draw(4);
    EXPECT_TRUE(right_part(alone));
    EXPECT_EQ(alone.find_text("SPD BR"), nullptr);

    // Full travel fills nine units above the hinge (-3).
    host::set_token(326, 16383);
    host::set_token(327, 0);
    const gfx::Recording& r = draw(4);
    const gfx::RecordedOp* box = r.fills_in_color(kRenderGreen).front();
    EXPECT_NEAR(box->bounds.y, 121 - 12, 0.01);
    EXPECT_NEAR(box->bounds.height, 9, 0.01);
}

TEST_F(C17Mfd, ConfigurationGearColoursAndTrimPointers) {
    const auto nose_colour = [](const gfx::Recording& r) -> gfx::Argb {
        for (gfx::Argb c : {kRenderGreen, kRenderRed})
            for (const gfx::RecordedOp* op : r.fills_in_color(c))
                if (std::abs(op->bounds.x - 118) < 0.01 && std::abs(op->bounds.y - 193) < 0.01) return c;
        return 0;
    };
    host::set_token(332, 16300);
    EXPECT_EQ(nose_colour(draw(4)), kRenderRed);
    host::set_token(332, 16301);
    EXPECT_EQ(nose_colour(draw(4)), kRenderGreen);
    host::set_token(332, 0);
    EXPECT_EQ(nose_colour(draw(4)), 0u);

    // Stabiliser trim: nose up 0.2618 at the "15" mark, nose down 0.2618 at the bottom.
    for (const auto& [trim, y] :
         {std::pair{0.2618, -95.0f}, std::pair{-0.2618, -55.0f}, std::pair{0.0, -65.0f}}) {
        host::set_token(783, trim);
        EXPECT_TRUE(has_line(draw(4), kRenderGreen, 177, 121 + y, 182, 121 + y - 4)) << trim;
    }
    // Elevator within 0.005 of neutral draws nothing; 0.1 rad three units up.
    host::set_token(782, 0.004);
    EXPECT_TRUE(draw(4).fills_in_color(kRenderGreen).empty());
    host::set_token(782, 0.1);
    const gfx::RecordedOp* elevator = draw(4).fills_in_color(kRenderGreen).front();
    EXPECT_NEAR(elevator->bounds.y, 121 - 82, 0.01);
    EXPECT_NEAR(elevator->bounds.height, 3, 0.01);
}

} // namespace

// The drawing layer seen through the recording backend: transforms, texts,
// formats, paths, clips, integer conversion and failing calls.
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using namespace gfx;

class GfxRecording : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(startup(&token_), Status::Ok);
        dc_ = create_surface_dc(300, 250, SurfaceRecording);
        ASSERT_NE(dc_, nullptr);
    }
    void TearDown() override {
        destroy_surface_dc(dc_);
        shutdown(token_);
    }
    Recording& rec() { return *surface_recording(dc_); }

    uint32_t token_ = 0;
    void* dc_ = nullptr;
};

void expect_point(PointF p, float x, float y, float tol = 1e-3f) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

TEST_F(GfxRecording, TransformsPrependByDefaultAndAppendOnRequest) {
    Graphics g(dc_);
    const Pen pen(0xFFDEE6E9, 2.0f);

    // Translate then rotate: the point is rotated first, then moved.
    g.translate_transform(100.0f, 50.0f);
    g.rotate_transform(90.0f);
    g.draw_line(pen, 0.0f, 0.0f, 10.0f, 0.0f);
    const Matrix m = g.transform();
    EXPECT_FLOAT_EQ(m.m11, 0.0f);
    EXPECT_FLOAT_EQ(m.m12, 1.0f);
    EXPECT_FLOAT_EQ(m.m21, -1.0f);
    EXPECT_FLOAT_EQ(m.m22, 0.0f);
    EXPECT_FLOAT_EQ(m.dx, 100.0f);
    EXPECT_FLOAT_EQ(m.dy, 50.0f);

    // Translate then scale prepends too: (1, 1) -> (2, 3) -> (12, 23).
    g.reset_transform();
    g.translate_transform(10.0f, 20.0f);
    g.scale_transform(2.0f, 3.0f);
    g.draw_line(pen, 1.0f, 1.0f, 0.0f, 0.0f);

    // Appended, the scale applies after the move: (1, 1) -> (11, 21) -> (22, 63).
    g.reset_transform();
    g.translate_transform(10.0f, 20.0f);
    g.scale_transform(2.0f, 3.0f, MatrixOrder::Append);
    g.draw_line(pen, 1.0f, 1.0f, 0.0f, 0.0f);

    // set, get and multiply.
    Matrix shear;
    shear.m21 = 1.0f; // x += y
    g.set_transform(matrix_translation(5.0f, 0.0f));
    g.multiply_transform(shear);
    g.draw_line(pen, 0.0f, 4.0f, 0.0f, 0.0f);

    const auto lines = rec().of_kind(OpKind::Line);
    ASSERT_EQ(lines.size(), 4u);
    expect_point(lines[0]->points[0], 100.0f, 50.0f);
    expect_point(lines[0]->points[1], 100.0f, 60.0f);
    expect_point(lines[1]->points[0], 12.0f, 23.0f);
    expect_point(lines[2]->points[0], 22.0f, 63.0f);
    expect_point(lines[3]->points[0], 9.0f, 4.0f);
    EXPECT_FLOAT_EQ(lines[1]->transform.m22, 3.0f);
    EXPECT_EQ(g.last_status(), Status::Ok);
}

TEST_F(GfxRecording, StringsRecordTextPositionColourAndFont) {
    Graphics g(dc_);
    g.scale_transform(2.0f, 2.0f);
    const FontFamily arial("Arial");
    const FontFamily courier("Courier New");
    const Font bold18(arial, 18.0f, FontStyle::Bold);
    const Font mono12(courier, 12.5f);
    const SolidBrush green(0xFF00FA00);
    const SolidBrush white(0xFFDEE6E9);

    EXPECT_EQ(g.draw_string("HDG", bold18, green, PointF{12.5f, 33.0f}), Status::Ok);
    EXPECT_EQ(g.draw_string("ACT RTE", mono12, white, PointF{0.0f, 0.0f}), Status::Ok);

    EXPECT_EQ(g.draw_string("ETA", Font(arial, 9.5f, FontStyle::Italic), white, PointF{1.0f, 2.0f}),
              Status::Ok);

    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"HDG", "ACT RTE", "ETA"}));
    EXPECT_EQ(rec().find_text("ETA")->font_style, FontStyle::Italic);
    EXPECT_FLOAT_EQ(rec().find_text("ETA")->font_size, 9.5f);
    const RecordedOp* hdg = rec().text_near(25.0f, 66.0f);
    ASSERT_NE(hdg, nullptr);
    EXPECT_EQ(hdg->text, "HDG");
    EXPECT_EQ(hdg->color, 0xFF00FA00u);
    EXPECT_EQ(hdg->font_family, "Arial");
    EXPECT_FLOAT_EQ(hdg->font_size, 18.0f);
    EXPECT_EQ(hdg->font_style, FontStyle::Bold);
    EXPECT_EQ(rec().text_near(40.0f, 66.0f), nullptr);

    const RecordedOp* act = rec().find_text("ACT RTE");
    ASSERT_NE(act, nullptr);
    EXPECT_EQ(act->font_family, "Courier New");
    EXPECT_FLOAT_EQ(act->font_size, 12.5f);
    // Top-left anchored: the text box starts at the point.
    EXPECT_FLOAT_EQ(act->text_box.x, 0.0f);
    EXPECT_FLOAT_EQ(act->text_box.y, 0.0f);
}

TEST_F(GfxRecording, NarrowTextIsWidenedFromWindows1252) {
    Graphics g(dc_);
    const Font font(FontFamily("Arial"), 12.0f);
    const SolidBrush brush(0xFFFFFFFF);
    g.draw_string("270\xB0", font, brush, PointF{0, 0});
    g.draw_string("\x80 \x93Q\x94 \xE9", font, brush, PointF{0, 20});
    g.draw_string(std::string_view("AB\0CD", 5), font, brush, PointF{0, 40});
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{
                                 "270\xC2\xB0", "\xE2\x82\xAC \xE2\x80\x9CQ\xE2\x80\x9D \xC3\xA9", "AB"}));
}

TEST_F(GfxRecording, StringFormatsPlaceTextAsGdiPlusDoes) {
    Graphics g(dc_);
    const Font font(FontFamily("Arial"), 18.0f);
    const SolidBrush green(0xFF00FA00);
    const float pad = 18.0f / 6.0f;

    RectF measured;
    ASSERT_EQ(g.measure_string("FL350", font, RectF{}, StringFormat{}, &measured), Status::Ok);
    // One line of Arial-metric type is 2355/2048 em high.
    EXPECT_NEAR(measured.height, 18.0f * 2355.0f / 2048.0f, 0.05f);
    const float w = measured.width;
    EXPECT_GT(w, 2 * pad);

    // Right-to-left with near alignment right-aligns in the layout box, as
    // the CDU pages use it: the box (280 - 16 n, y, 16 n, 20).
    StringFormat rtl;
    rtl.flags = StringFormatFlagsDirectionRightToLeft;
    rtl.line_alignment = StringAlignment::Near;
    g.draw_string("FL350", font, green, RectF{200.0f, 33.0f, 80.0f, 20.0f}, rtl);
    // Default format in the same box: left-aligned.
    g.draw_string("FL350", font, green, RectF{200.0f, 66.0f, 80.0f, 20.0f});
    // At a point, right-to-left ends the text at the point.
    g.draw_string("FL350", font, green, PointF{150.0f, 99.0f}, rtl);
    // Centred both ways in a box.
    StringFormat centred;
    centred.alignment = StringAlignment::Center;
    centred.line_alignment = StringAlignment::Center;
    g.draw_string("FL350", font, green, RectF{0.0f, 120.0f, 100.0f, 60.0f}, centred);
    // Far line alignment puts the last line on the box's bottom.
    StringFormat bottom;
    bottom.line_alignment = StringAlignment::Far;
    g.draw_string("FL350", font, green, RectF{0.0f, 200.0f, 100.0f, 40.0f}, bottom);

    const auto strings = rec().of_kind(OpKind::String);
    ASSERT_EQ(strings.size(), 5u);
    const RecordedOp& right = *strings[0];
    EXPECT_EQ(right.format_flags & StringFormatFlagsDirectionRightToLeft,
              StringFormatFlagsDirectionRightToLeft);
    EXPECT_EQ(right.alignment, StringAlignment::Near);
    EXPECT_NEAR(right.text_box.x + right.text_box.width, 280.0f, 0.01f);
    EXPECT_NEAR(right.text_box.width, w, 0.01f);
    EXPECT_NEAR(strings[1]->text_box.x, 200.0f, 0.01f);
    EXPECT_NEAR(strings[2]->text_box.x, 150.0f - w, 0.01f);
    EXPECT_NEAR(strings[3]->text_box.x, 50.0f - w / 2.0f, 0.01f);
    EXPECT_NEAR(strings[3]->text_box.y, 150.0f - measured.height / 2.0f, 0.01f);
    EXPECT_NEAR(strings[4]->text_box.y + strings[4]->text_box.height, 240.0f, 0.01f);
}

TEST_F(GfxRecording, LayoutBoxesWrapWordsAndBlanksAreNotMeasured) {
    Graphics g(dc_);
    const Font font(FontFamily("Arial"), 10.0f);
    const float line = 10.0f * 2355.0f / 2048.0f;
    RectF one, two, trailing, empty;
    g.measure_string("ABC", font, RectF{}, StringFormat{}, &one);
    g.measure_string("ABC   ", font, RectF{}, StringFormat{}, &trailing);
    EXPECT_FLOAT_EQ(trailing.width, one.width);
    // A box narrower than the two words puts them on two lines.
    g.measure_string("ABC ABC", font, RectF{0, 0, one.width + 2.0f, 100.0f}, StringFormat{}, &two);
    EXPECT_NEAR(two.height, 2 * line, 0.01f);
    EXPECT_NEAR(two.width, one.width, 0.01f);
    // NoWrap keeps one line; line feeds always break.
    StringFormat nowrap;
    nowrap.flags = StringFormatFlagsNoWrap;
    g.measure_string("ABC ABC", font, RectF{0, 0, one.width + 2.0f, 100.0f}, nowrap, &two);
    EXPECT_NEAR(two.height, line, 0.01f);
    g.measure_string("A\r\nB\nC", font, RectF{}, StringFormat{}, &two);
    EXPECT_NEAR(two.height, 3 * line, 0.01f);
    g.measure_string("", font, RectF{5, 6, 0, 0}, StringFormat{}, &empty);
    EXPECT_FLOAT_EQ(empty.width, 0.0f);
    EXPECT_FLOAT_EQ(empty.height, 0.0f);
}

TEST_F(GfxRecording, WidthsKeepToTheirFaceAcrossManyTexts) {
    // Measured widths are kept per face and text: alternating faces, and more
    // texts than are kept, change no width.
    Graphics g(dc_);
    const Font arial(FontFamily("Arial"), 10.0f), bold(FontFamily("Arial"), 10.0f, FontStyle::Bold);
    const Font mono(FontFamily("Courier New"), 10.0f);
    auto width = [&](const Font& f, const std::string& text) {
        RectF box;
        g.measure_string(text, f, RectF{}, StringFormat{}, &box);
        return box.width;
    };
    const float thin = width(arial, "iii"), wide = width(mono, "iii"), heavy = width(bold, "iii");
    EXPECT_GT(wide, thin);
    EXPECT_GT(heavy, thin);
    for (int i = 0; i < 5000; ++i)
        width(arial, std::to_string(i));
    EXPECT_FLOAT_EQ(width(mono, "iii"), wide);
    EXPECT_FLOAT_EQ(width(arial, "iii"), thin);
    EXPECT_FLOAT_EQ(width(bold, "iii"), heavy);
}

TEST_F(GfxRecording, ClipPathIsFixedInDeviceSpaceAndMarksLaterDrawing) {
    Graphics g(dc_);
    g.scale_transform(2.0f, 1.0f);
    // Segments that do not meet are joined by the path; the figure closes.
    GraphicsPath clip;
    clip.add_line_i(0, 0, 267, 0);
    clip.add_line_i(267, 0, 267, 90);
    clip.add_line_i(267, 98, 243, 90);
    clip.close_figure();
    ASSERT_EQ(clip.points().size(), 5u);
    EXPECT_EQ(clip.types()[0], PathPointTypeStart);
    EXPECT_EQ(clip.types()[3], PathPointTypeLine); // the joining line to (267, 98)
    EXPECT_EQ(clip.types()[4], PathPointTypeLine | PathPointTypeCloseSubpath);

    EXPECT_EQ(g.set_clip_path(clip), Status::Ok);
    g.scale_transform(0.5f, 1.0f); // does not move the clip
    const Pen pen(0xFFFF13D5, 2.0f);
    g.draw_line(pen, 0, 10, 100, 10);
    g.reset_clip();
    g.draw_line(pen, 0, 20, 100, 20);

    const auto clips = rec().of_kind(OpKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    ASSERT_EQ(clips[0]->points.size(), 5u);
    expect_point(clips[0]->points[1], 534.0f, 0.0f);
    expect_point(clips[0]->points[3], 534.0f, 98.0f);
    EXPECT_EQ(clips[0]->point_types.back(), PathPointTypeLine | PathPointTypeCloseSubpath);
    const auto lines = rec().lines_in_color(0xFFFF13D5);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_GE(lines[0]->clip, 0);
    EXPECT_EQ(&rec().ops[static_cast<size_t>(lines[0]->clip)], clips[0]);
    EXPECT_EQ(lines[1]->clip, -1);

    // A clip rectangle under rotation is the turned rectangle.
    g.reset_transform();
    g.rotate_transform(90.0f);
    g.set_clip_rect(0, 0, 10, 20);
    const RecordedOp& rect_clip = rec().ops.back();
    EXPECT_EQ(rect_clip.kind, OpKind::SetClip);
    expect_point(rect_clip.points[2], -20.0f, 10.0f);
}

TEST_F(GfxRecording, VisibleClipBoundsAreTheSurfaceOrTheClipInWorldUnits) {
    Graphics g(dc_);
    g.scale_transform(2.0f, 2.0f);
    g.translate_transform(10.0f, 5.0f);
    RectF v;
    ASSERT_EQ(g.visible_clip_bounds(&v), Status::Ok);
    expect_point(PointF{v.x, v.y}, -10.0f, -5.0f);
    expect_point(PointF{v.width, v.height}, 150.0f, 125.0f);
    // A clip set under another transform stays where it was set on the device.
    g.set_clip_rect(0.0f, 0.0f, 20.0f, 10.0f); // device (20, 10) .. (60, 30)
    g.reset_transform();
    ASSERT_EQ(g.visible_clip_bounds(&v), Status::Ok);
    expect_point(PointF{v.x, v.y}, 20.0f, 10.0f);
    expect_point(PointF{v.width, v.height}, 40.0f, 20.0f);
    g.reset_clip();
    ASSERT_EQ(g.visible_clip_bounds(&v), Status::Ok);
    expect_point(PointF{v.width, v.height}, 300.0f, 250.0f);
    EXPECT_EQ(g.visible_clip_bounds(nullptr), Status::InvalidParameter);
}

TEST_F(GfxRecording, ArcsFollowRayAnglesAndCurvesPassTheirPoints) {
    // The ND clip arc: circle of radius 175 about (123, 207) from 225
    // degrees sweeping 89 runs from about (-1, 83) to about (245, 81).
    GraphicsPath nd;
    nd.add_arc_i(-52, 32, 350, 350, 225.0f, 89.0f);
    expect_point(nd.points().front(), 123.0f - 123.744f, 207.0f - 123.744f, 0.01f);
    expect_point(nd.points().back(), 123.0f + 121.564f, 207.0f - 125.884f, 0.01f);
    EXPECT_EQ(nd.points().size(), 4u); // one Bezier under 90 degrees

    // On an ellipse the angle is that of the ray from the centre: 45 degrees
    // on the 200 x 100 box meets it at 63.2456 along the ray.
    GraphicsPath ellipse_arc;
    ellipse_arc.add_arc(0, 0, 200, 100, 45.0f, 90.0f);
    expect_point(ellipse_arc.points().front(), 100.0f + 44.7214f, 50.0f + 44.7214f, 0.01f);
    expect_point(ellipse_arc.points().back(), 100.0f - 44.7214f, 50.0f + 44.7214f, 0.01f);

    // Cardinal spline of tension 0.5 through (0,0), (10,10), (20,0).
    GraphicsPath curve;
    const PointF through[3] = {{0, 0}, {10, 10}, {20, 0}};
    curve.add_curve(through);
    ASSERT_EQ(curve.points().size(), 7u);
    expect_point(curve.points()[1], 10.0f / 6.0f, 10.0f / 6.0f);
    expect_point(curve.points()[2], 10.0f - 20.0f / 6.0f, 10.0f);
    expect_point(curve.points()[3], 10.0f, 10.0f);
    expect_point(curve.points()[6], 20.0f, 0.0f);
    EXPECT_EQ(curve.add_curve(std::span<const PointF>(through, 1)), Status::InvalidParameter);

    // A pie is a closed figure from the centre; an ellipse closes itself and
    // the next line starts a new figure.
    GraphicsPath pie;
    pie.add_pie(0, 0, 100, 100, 0.0f, 90.0f);
    expect_point(pie.points()[0], 50.0f, 50.0f);
    expect_point(pie.points()[1], 100.0f, 50.0f);
    EXPECT_NE(pie.types().back() & PathPointTypeCloseSubpath, 0);
    GraphicsPath two;
    two.add_ellipse(0, 0, 10, 10);
    two.add_line(0, 0, 5, 5);
    EXPECT_EQ(two.types()[two.types().size() - 2], PathPointTypeStart);
}

TEST_F(GfxRecording, ShapesRecordDeviceGeometryPenAndBrush) {
    Graphics g(dc_);
    g.translate_transform(10.0f, 20.0f);
    g.scale_transform(2.0f, 2.0f);
    Pen dashed(0xFFFFFF00, 1.5f);
    dashed.dash_style = DashStyle::Dash;
    dashed.custom_end_cap = AdjustableArrowCap{3.0f, 3.0f, true};
    const SolidBrush amber(0xFFE9B73E);

    g.draw_arc(dashed, 0, 0, 20, 10, 180.0f, 180.0f);
    g.fill_ellipse_i(amber, 1.9, 2.9, 4, 4);
    const Point tri[3] = {{0, 0}, {3, 5}, {-3, 5}};
    g.fill_polygon_i(amber, tri);
    g.draw_rectangle(dashed, 0, 0, 5, 5);

    const auto& ops = rec().ops;
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, OpKind::Arc);
    EXPECT_FALSE(ops[0].fill);
    EXPECT_EQ(ops[0].color, 0xFFFFFF00u);
    EXPECT_FLOAT_EQ(ops[0].pen_width, 1.5f);
    EXPECT_FLOAT_EQ(ops[0].device_pen_width, 3.0f);
    EXPECT_EQ(ops[0].dash_style, DashStyle::Dash);
    EXPECT_TRUE(ops[0].end_arrow);
    EXPECT_FALSE(ops[0].start_arrow);
    EXPECT_FLOAT_EQ(ops[0].start_angle, 180.0f);
    EXPECT_FLOAT_EQ(ops[0].sweep_angle, 180.0f);
    expect_point(ops[0].points[2], 50.0f, 40.0f);

    EXPECT_EQ(ops[1].kind, OpKind::Ellipse);
    EXPECT_TRUE(ops[1].fill);
    EXPECT_FLOAT_EQ(ops[1].world_rect.x, 1.0f); // truncated, not rounded
    EXPECT_FLOAT_EQ(ops[1].world_rect.y, 2.0f);
    EXPECT_FLOAT_EQ(ops[1].bounds.x, 12.0f);
    EXPECT_FLOAT_EQ(ops[1].bounds.width, 8.0f);

    EXPECT_EQ(ops[2].kind, OpKind::Polygon);
    ASSERT_EQ(ops[2].points.size(), 3u);
    expect_point(ops[2].points[2], 4.0f, 30.0f);
    EXPECT_EQ(rec().fills_in_color(0xFFE9B73E).size(), 2u);
    EXPECT_EQ(ops[3].kind, OpKind::Rectangle);
}

TEST_F(GfxRecording, IntegerCallsTruncateAndSaturate) {
    Graphics g(dc_);
    const Pen pen(0xFF00FA00, 1.0f);
    g.draw_line_i(pen, 10.9, -3.7, 1e12, -1e12);
    g.draw_line_i(pen, std::nan(""), 2147483647.5, -2147483649.0, 0.999);
    const auto lines = rec().lines_in_color(0xFF00FA00);
    ASSERT_EQ(lines.size(), 2u);
    expect_point(lines[0]->points[0], 10.0f, -3.0f);
    EXPECT_FLOAT_EQ(lines[0]->points[1].x, static_cast<float>(std::numeric_limits<int32_t>::max()));
    EXPECT_FLOAT_EQ(lines[0]->points[1].y, static_cast<float>(std::numeric_limits<int32_t>::min()));
    EXPECT_FLOAT_EQ(lines[1]->points[0].x, 0.0f);
    EXPECT_FLOAT_EQ(lines[1]->points[0].y, static_cast<float>(std::numeric_limits<int32_t>::max()));
    EXPECT_FLOAT_EQ(lines[1]->points[1].x, static_cast<float>(std::numeric_limits<int32_t>::min()));
    EXPECT_FLOAT_EQ(lines[1]->points[1].y, 0.0f);
    EXPECT_EQ(point_i(-7.9, 7.9).x, -7);
    EXPECT_EQ(point_i(-7.9, 7.9).y, 7);
}

TEST_F(GfxRecording, FailingCallsKeepTheirStatusAndDrawNothing) {
    Graphics g(dc_);
    const Pen bad(0xFFFFFFFF, -1.0f);
    const Pen good(0xFFFFFFFF, 1.0f);
    EXPECT_EQ(g.draw_line(bad, 0, 0, 1, 1), Status::InvalidParameter);
    const PointF one[1] = {{0, 0}};
    EXPECT_EQ(g.draw_lines(good, one), Status::InvalidParameter);
    EXPECT_EQ(g.draw_line(good, 0, 0, std::nanf(""), 1), Status::ValueOverflow);
    EXPECT_EQ(g.set_smoothing_mode(static_cast<SmoothingMode>(9)), Status::InvalidParameter);
    const Font no_size(FontFamily("Arial"), 0.0f);
    EXPECT_EQ(g.draw_string("X", no_size, SolidBrush(0xFFFFFFFF), PointF{}), Status::InvalidParameter);
    EXPECT_EQ(rec().drawing_count(), 0u);
    // Later successes do not reset the last failing status.
    EXPECT_EQ(g.draw_line(good, 0, 0, 1, 1), Status::Ok);
    EXPECT_EQ(g.last_status(), Status::InvalidParameter);
    EXPECT_EQ(rec().drawing_count(), 1u);

    // A missing family falls back to the generic sans serif and still draws.
    const FontFamily missing("No Such Family 42");
    EXPECT_EQ(missing.status(), Status::FontFamilyNotFound);
    EXPECT_EQ(missing.name(), "Microsoft Sans Serif");
    EXPECT_EQ(FontFamily("HW Arial").status(), Status::Ok);
    EXPECT_EQ(FontFamily("tahoma").status(), Status::Ok);
    EXPECT_EQ(g.draw_string("X", Font(missing, 10.0f), SolidBrush(0xFFFFFFFF), PointF{}), Status::Ok);
    EXPECT_EQ(rec().texts().back(), "X");
    EXPECT_EQ(rec().of_kind(OpKind::String).back()->font_family, "Microsoft Sans Serif");

    // An unknown device context makes a Graphics whose calls all fail.
    int not_a_dc = 0;
    Graphics stray(&not_a_dc);
    EXPECT_EQ(stray.last_status(), Status::OutOfMemory);
    EXPECT_EQ(stray.clear(0), Status::InvalidParameter);
    Graphics null_dc(nullptr);
    EXPECT_NE(null_dc.last_status(), Status::Ok);

    // A device context destroyed under a live Graphics is not drawn into.
    void* gone = create_surface_dc(10, 10, SurfaceCairo | SurfaceRecording);
    Graphics orphan(gone);
    EXPECT_EQ(orphan.clear(0xFF000000), Status::Ok);
    destroy_surface_dc(gone);
    EXPECT_EQ(orphan.draw_line(good, 0, 0, 5, 5), Status::InvalidParameter);
}

TEST_F(GfxRecording, DrawingNeedsGdiPlusStarted) {
    Graphics g(dc_);
    const Pen pen(0xFFFFFFFF, 1.0f);
    uint32_t second = 0;
    ASSERT_EQ(startup(&second), Status::Ok);
    EXPECT_NE(second, token_);
    shutdown(token_); // one start-up still holds
    EXPECT_TRUE(started());
    EXPECT_EQ(g.draw_line(pen, 0, 0, 1, 1), Status::Ok);
    shutdown(second);
    EXPECT_FALSE(started());
    EXPECT_EQ(g.draw_line(pen, 0, 0, 1, 1), Status::GdiplusNotInitialized);
    EXPECT_EQ(g.last_status(), Status::GdiplusNotInitialized);
    Graphics late(dc_);
    EXPECT_EQ(late.last_status(), Status::GdiplusNotInitialized);
    EXPECT_EQ(rec().drawing_count(), 1u);
    ASSERT_EQ(startup(&token_), Status::Ok); // for TearDown
}

TEST_F(GfxRecording, ClearAndSettingsAreRecordedInOrder) {
    Graphics g(dc_);
    g.set_text_rendering_hint(TextRenderingHint::AntiAlias);
    g.set_smoothing_mode(SmoothingMode::HighQuality);
    g.set_pixel_offset_mode(PixelOffsetMode::Half);
    g.clear(0x00000000);
    EXPECT_EQ(g.smoothing_mode(), SmoothingMode::HighQuality);
    EXPECT_EQ(g.text_rendering_hint(), TextRenderingHint::AntiAlias);
    EXPECT_EQ(g.pixel_offset_mode(), PixelOffsetMode::Half);
    const auto& ops = rec().ops;
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].setting, SettingKind::TextRenderingHint);
    EXPECT_EQ(ops[0].value, 4);
    EXPECT_EQ(ops[1].setting, SettingKind::SmoothingMode);
    EXPECT_EQ(ops[1].value, 2);
    EXPECT_EQ(ops[2].setting, SettingKind::PixelOffsetMode);
    EXPECT_EQ(ops[3].kind, OpKind::Clear);
    EXPECT_EQ(ops[3].color, 0u);
    EXPECT_EQ(rec().drawing_count(), 1u);
}

TEST(GfxSurface, HandlesAreCheckedAndSized) {
    EXPECT_EQ(create_surface_dc(10, 10, 0), nullptr);
    void* dc = create_surface_dc(-5, 7, SurfaceCairo | SurfaceRecording);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(is_surface_dc(dc));
    EXPECT_EQ(surface_width(dc), 0);
    EXPECT_EQ(surface_height(dc), 7);
    EXPECT_NE(surface_recording(dc), nullptr);
    EXPECT_EQ(surface_pixel(dc, 0, 0), 0u);
    destroy_surface_dc(dc);
    EXPECT_FALSE(is_surface_dc(dc));
    EXPECT_EQ(surface_recording(dc), nullptr);
    destroy_surface_dc(dc); // a second destroy is ignored

    void* rec_only = create_surface_dc(4, 4, SurfaceRecording);
    EXPECT_FALSE(write_surface_png(rec_only, "/tmp/never-written.png"));
    EXPECT_EQ(orvex_gfx_write_png(rec_only, nullptr), 0);
    orvex_gfx_destroy_dc(rec_only);
    EXPECT_FALSE(is_surface_dc(rec_only));
}

} // namespace

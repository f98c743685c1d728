// The FIX INFO overlay on the HW_B737_ND at 5 units per NM, heading north:
// the fix 16 NM north is 80 units above the aircraft symbol (122, 249).
#include "overlay_fixture.h"

#include "fms/nav/fix_info.h"
#include "map/map_overlays.h"

namespace {

class FixInfoOverlay : public OverlayTest {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        clear_fix_info(0);
        FixInfoRecord& f = fix_info[1];
        f.ident = "SEA";
        f.label = "V";
        ahead(0.0, 16.02, &f.lat, &f.lon); // just past 80 units: not truncated to 79
    }
    void TearDown() override {
        clear_fix_info(0);
        OverlayTest::TearDown();
    }
    void draw() { draw_fix_info_hw_b737_nd(display_, g(), 5.0); }
    std::vector<const gfx::RecordedOp*> dashed() const {
        std::vector<const gfx::RecordedOp*> out;
        for (const gfx::RecordedOp& op : rec().ops)
            if (op.is_drawing() && op.dash_style == gfx::DashStyle::Dash) out.push_back(&op);
        return out;
    }
    gfx::Recording& rec() const { return *gfx::surface_recording(dc_); }
};

TEST_F(FixInfoOverlay, distanceCircleAndItsLabelUnderTheCircle) {
    fix_info[1].distance_1 = 10.0;
    draw();
    const auto circles = dashed();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0]->kind, gfx::OpKind::Ellipse);
    EXPECT_EQ(circles[0]->color, 0xFF00FA00u);
    EXPECT_NEAR(circles[0]->bounds.x, 72.0, 0.5);
    EXPECT_NEAR(circles[0]->bounds.y, 119.0, 0.5);
    EXPECT_NEAR(circles[0]->bounds.width, 100.0, 0.5);
    const gfx::RecordedOp* label = rec().find_text("10.0");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->points[0].x, 114.0, 0.5);
    EXPECT_NEAR(label->points[0].y, 220.0, 0.5);
    // Three rings, one per pair, all at the fix.
    int rings = 0;
    for (const gfx::RecordedOp* op : rec().of_kind(gfx::OpKind::Ellipse))
        if (op->dash_style == gfx::DashStyle::Solid && std::abs(op->bounds.x - 114.0) < 0.5 &&
            std::abs(op->bounds.y - 161.0) < 0.5)
            ++rings;
    EXPECT_EQ(rings, 3);
}

TEST_F(FixInfoOverlay, radialsRunFromTheFixWithUprightLabels) {
    struct Row {
        double radial;
        const char* text;
        double label_x; // device, the label on the line through the fix
        double end_dx, end_dy;
    };
    // L = 360 x 5 units: the line ends far off the canvas in its direction.
    const Row rows[] = {{90.0, "090", 122.0 + 25.0, 1800.0, 0.0},
                        {270.0, "270", 122.0 - 35.0, -1800.0, 0.0},
                        {360.0, "000", 122.0, 0.0, -1800.0}};
    for (const Row& r : rows) {
        fix_info[1].radial_1 = r.radial;
        rec().clear();
        draw();
        const auto lines = dashed();
        ASSERT_EQ(lines.size(), 1u) << r.text;
        EXPECT_NEAR(lines[0]->points[0].x, 122.0, 0.5);
        EXPECT_NEAR(lines[0]->points[0].y, 169.0, 0.5);
        EXPECT_NEAR(lines[0]->points[1].x - 122.0, r.end_dx, 1.0) << r.text;
        EXPECT_NEAR(lines[0]->points[1].y - 169.0, r.end_dy, 1.0) << r.text;
        const gfx::RecordedOp* label = rec().find_text(r.text);
        ASSERT_NE(label, nullptr) << r.text;
        if (r.end_dy == 0.0) {
            EXPECT_NEAR(label->points[0].x, r.label_x, 0.5) << r.text;
        }
    }
}

TEST_F(FixInfoOverlay, emptySlotsFarFixesAndUnsetValuesDrawNoMarks) {
    draw(); // no radial, no distance: the symbol and ring only
    EXPECT_TRUE(dashed().empty());
    EXPECT_TRUE(rec().texts().empty());

    ahead(0.0, 381.0, &fix_info[1].lat, &fix_info[1].lon);
    fix_info[1].distance_1 = 5.0;
    rec().clear();
    draw();
    EXPECT_EQ(rec().drawing_count(), 0u);

    fix_info[1].ident.clear();
    ahead(0.0, 10.0, &fix_info[1].lat, &fix_info[1].lon);
    rec().clear();
    draw();
    EXPECT_EQ(rec().drawing_count(), 0u);
}

// HW_MD11_ND in MAP at 5 units per NM: the fix 80 units above (120, 178).
TEST_F(FixInfoOverlay, md11DrawsRadialAndReciprocalWithTheIdent) {
    const DisplayObject md11{240, 258};
    fix_info[1].distance_1 = 10.0;
    draw_fix_info_hw_md11_nd(md11, g(), 5.0);
    const gfx::RecordedOp* ident = rec().find_text("SEA");
    ASSERT_NE(ident, nullptr);
    EXPECT_EQ(ident->color, 0xFFDEE6E9u);
    EXPECT_NEAR(ident->points[0].x, 128.0, 0.5);
    EXPECT_NEAR(ident->points[0].y, 91.0, 0.5);
    auto circles = dashed();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0]->bounds.x, 70.0, 0.5);
    EXPECT_EQ(rec().find_text("10.0"), nullptr); // no distance number

    struct Row {
        double radial;
        const char* radial_text;
        const char* reciprocal_text;
        double radial_x, reciprocal_x; // device x of the numbers, on the line through the fix
        gfx::Argb line_colour;
        float width;
    };
    const Row rows[] = {{90.0, "090R", "270", 135.0, 85.0, 0xFF00FA00, 1.0f},
                        {270.0, "270R", "090", 85.0, 135.0, 0xFFDEE6E9, 2.0f}};
    fix_info[1].distance_1 = 0.0; // no circle
    for (const Row& r : rows) {
        fix_info[1].radial_1 = r.radial;
        rec().clear();
        draw_fix_info_hw_md11_nd(md11, g(), 5.0);
        const auto lines = dashed();
        ASSERT_EQ(lines.size(), 2u) << r.radial;
        for (const gfx::RecordedOp* l : lines) {
            EXPECT_EQ(l->kind, gfx::OpKind::Line);
            EXPECT_EQ(l->color, r.line_colour);
            EXPECT_EQ(l->pen_width, r.width);
            EXPECT_NEAR(l->points[0].y, 98.0, 0.5);
        }
        const gfx::RecordedOp* radial = rec().find_text(r.radial_text);
        const gfx::RecordedOp* reciprocal = rec().find_text(r.reciprocal_text);
        ASSERT_NE(radial, nullptr);
        ASSERT_NE(reciprocal, nullptr);
        EXPECT_NEAR(radial->points[0].x, r.radial_x, 0.5) << r.radial;
        EXPECT_NEAR(reciprocal->points[0].x, r.reciprocal_x, 0.5) << r.radial;
        EXPECT_EQ(radial->font_size, 8.0f);
    }
}

} // namespace

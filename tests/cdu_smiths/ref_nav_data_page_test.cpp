// REF NAV DATA's airport sub-page: the runway line stays on the screen.
#include "cdu_smiths/smiths_pages.h"
#include "fms/nav/nearest_vors.h"
#include "fms/procedures/airport_detail.h"
#include "page_canvas.h"

namespace {

class RefNavData : public PageCanvas {};

TEST_F(RefNavData, runwayLineFitsTheScreen) {
    smiths_cdu_page = kPageRefNavData;
    ref_nav_kind = kRefNavAirport;
    ref_nav_fix.ident = "KSEA";
    struct Row {
        const char* feet;
        const char* line;
        bool moved; // left of the elevation column to fit
    };
    for (const Row row : {Row{"900", "900FT 274  M", false}, Row{"11901", "11901FT 3627 M", true}}) {
        runway_ref_text = row.feet;
        draw();
        const gfx::RecordedOp* op = gfx::surface_recording(dc_)->find_text(row.line);
        write_png("ref_nav_data_runway");
        ASSERT_NE(op, nullptr) << row.line;
        EXPECT_LE(op->text_box.x + op->text_box.width, 282.0f) << row.line;
        EXPECT_EQ(op->world_rect.x < 150.0f, row.moved) << row.line;
    }
    runway_ref_text.clear();
    ref_nav_kind = 0;
}

} // namespace

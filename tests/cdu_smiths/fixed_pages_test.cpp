// The fixed-form pages: DES FORECASTS, TEMP NAV SUMMARY, N1 LIMIT and
// LATERAL OFFSET draw their forms and nothing else, and only the prompts of
// TEMP NAV SUMMARY and N1 LIMIT act.
#include "cdu_smiths/smiths_keys.h"
#include "cdu_smiths/smiths_pages.h"
#include "page_canvas.h"

namespace {

class FixedPages : public PageCanvas {
  protected:
    // One pass of a page that no page number reaches: its keys, then its drawing.
    void draw_routine(SmithsPageKeys keys, SmithsPageRoutine routine, int lsk) {
        if (dc_) gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording | gfx::SurfaceCairo);
        smiths_cdu_display.width = 282;
        smiths_cdu_display.height = 245;
        smiths_cdu_lsk = lsk;
        gfx::Graphics g(dc_);
        keys();
        routine(smiths_cdu_display, g);
        smiths_reset_key_flags();
    }
    std::size_t count(gfx::OpKind kind) const {
        std::size_t n = 0;
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc_)->ops)
            n += op.kind == kind ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(FixedPages, eachDrawsItsFormAndOnlyItsPromptsAct) {
    struct Row {
        SmithsPageKeys keys;
        SmithsPageRoutine routine;
        int page; // 0: the routine has no page number
        const char* title;
        float title_x;
        std::size_t texts, lines;
        int l6, r6; // pages the prompts lead to; 0 = no prompt
    } rows[] = {
        {smiths_page_des_forecasts_keys, smiths_page_des_forecasts, kPageDesForecasts, "DES  FORECASTS", 63,
         18, 0, 0, 0},
        {smiths_page_temp_nav_summary_keys, smiths_page_temp_nav_summary, kPageTempNavSummary,
         "TEMP  NAV  SUMMARY", 12, 3, 0, kPageInitRefIndex, 0},
        {smiths_page_n1_limit_keys, smiths_page_n1_limit, 0, "N1 LIMIT", 63, 15, 4, kPagePerfInit,
         kPageTakeoffRef},
        {smiths_page_lateral_offset_keys, smiths_page_lateral_offset, 0, "LATERAL  OFFSET", 63, 3, 0, 0, 0},
    };
    const int here = 99; // a page number no routine changes unasked
    for (const Row& r : rows) {
        for (int key = 0; key <= 12; ++key) {
            smiths_cdu_page = r.page != 0 ? r.page : here;
            smiths_scratchpad = "250";
            if (r.page != 0)
                draw(key);
            else
                draw_routine(r.keys, r.routine, key);
            const int stays = r.page != 0 ? r.page : here;
            const int expected = key == 11 && r.l6 != 0 ? r.l6 : (key == 12 && r.r6 != 0 ? r.r6 : stays);
            EXPECT_EQ(smiths_cdu_page, expected) << r.title << " key " << key;
            EXPECT_EQ(smiths_scratchpad, "250") << r.title;
        }
        EXPECT_EQ(text_at(r.title_x, 0), r.title);
        EXPECT_EQ(count(gfx::OpKind::String), r.texts) << r.title;
        EXPECT_EQ(count(gfx::OpKind::Lines), r.lines) << r.title;
        EXPECT_FALSE(shows("250")) << r.title; // no scratchpad line on the fixed forms
        std::string name = r.title;
        for (char& ch : name)
            ch = ch == ' ' ? '_' : ch;
        write_png("fixed_" + name);
    }
}

TEST_F(FixedPages, aMessagePendingOnDesForecastsShowsOnTheNextPage) {
    smiths_cdu_page = kPageDesForecasts;
    smiths_scratchpad_message = "INVALID ENTRY";
    draw(3);
    EXPECT_FALSE(shows("INVALID ENTRY"));
    EXPECT_EQ(text_at(245, 160), "K T");
    EXPECT_EQ(text_at(0, 111), "- - - - -                      - - - \xC2\xB0 / - - -");
    smiths_cdu_page = kPageTempNavSummary;
    draw(11);
    smiths_cdu_page = kPageIdent;
    draw();
    EXPECT_EQ(text_at(0, 227), "INVALID ENTRY");
}

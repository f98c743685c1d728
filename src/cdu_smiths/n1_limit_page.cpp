// N1 LIMIT: the thrust-limit selections as a fixed form, with the ways to
// PERF INIT and TAKEOFF REF. No page number leads here.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/units/cdu_text.h"

namespace {

void act_on_key() {
    if (smiths_cdu_lsk == 11) smiths_cdu_page = kPagePerfInit;
    if (smiths_cdu_lsk == 12) smiths_cdu_page = kPageTakeoffRef;
}

void draw_rows(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "S E L / O A T");
    cdu_text(page, 200, 22, CduFont::Small, "2 2 K  N 1");
    cdu_text(page, 0, 33, CduFont::Large, "- - - - /");
    for (float x : {55.0f, 65.0f, 75.0f, 85.0f}) {
        const gfx::PointF box[] = {{x, 38}, {x + 5, 38}, {x + 5, 48}, {x, 48}, {x, 38}};
        page.g.draw_lines(page.pen, box);
    }
    cdu_text(page, 200, 33, CduFont::Large, "94.9/94.9");
    cdu_text(page, 12, 55, CduFont::Small, "2 2 K");
    cdu_text(page, 0, 66, CduFont::Large, "<TO    <ACT>      <SEL>      CLB>");
    cdu_text(page, 12, 88, CduFont::Small, "20 K   D E R A T E");
    cdu_text(page, 0, 99, CduFont::Large, "<TO-1                                 CLB-1>");
    cdu_text(page, 12, 121, CduFont::Small, "18 K   D E R AT E");
    cdu_text(page, 0, 135, CduFont::Large, "<TO-2                                 CLB-2>");
    cdu_text(page, 0, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "< PERF  INIT");
    cdu_text(page, 170, 198, CduFont::Large, "TAKEOFF >");
}

} // namespace

void smiths_page_n1_limit_keys() {
    act_on_key();
}

void smiths_page_n1_limit(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "N1 LIMIT");
    cdu_text(page, 230, 0, CduFont::Small, "1 / 1");
    draw_rows(page);
}

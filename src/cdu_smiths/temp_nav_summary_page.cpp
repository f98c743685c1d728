// TEMP NAV SUMMARY (page 29): a title and the way back to the index.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/units/cdu_text.h"

void smiths_page_temp_nav_summary_keys() {
    if (smiths_cdu_lsk == 11) smiths_cdu_page = kPageInitRefIndex;
}

void smiths_page_temp_nav_summary(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 12, 0, CduFont::Large, "TEMP  NAV  SUMMARY");
    cdu_text(page, 230, 3, CduFont::Small, "1 / 1");
    cdu_text(page, 0, 198, CduFont::Large, "< INDEX");
}

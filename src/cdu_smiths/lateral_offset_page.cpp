// LATERAL OFFSET: a title and one label. No page number leads here.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"

// No key of this page acts yet.
void smiths_page_lateral_offset_keys() {}

void smiths_page_lateral_offset(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "LATERAL  OFFSET");
    cdu_text(page, 230, 3, CduFont::Small, "1 / 1");
    cdu_text(page, 12, 55, CduFont::Small, "O F F S E T    D I S T");
}

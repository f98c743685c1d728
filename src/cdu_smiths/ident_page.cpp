// IDENT (page 25): the aircraft model, engine rating, navigation database and
// program; L6 leads to INIT/REF INDEX, R6 to POS INIT.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "fms/units/cdu_text.h"

void smiths_page_ident_keys() {
    if (smiths_cdu_lsk == 11) {
        smiths_cdu_page = kPageInitRefIndex;
    } else if (smiths_cdu_lsk == 12) {
        smiths_cdu_page = kPagePosRef;
        smiths_pos_subpage = 1;
    }
}

void smiths_page_ident(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "IDENT");
    cdu_text(page, 220, 3, CduFont::Small, "1 / 1");

    cdu_text(page, 12, 22, CduFont::Small, "M O D E L");
    cdu_text(page, 0, 33, CduFont::Large, ModelId);
    cdu_text_right(page, 22, CduFont::Small, "E N G   R A T I N G");
    if (EngThrust >= 1) cdu_text(page, 240, 33, CduFont::Large, cdu_format("%2d K", EngThrust));

    cdu_text(page, 12, 55, CduFont::Small, "N A V   D A T A");
    cdu_text(page, 0, 66, CduFont::Large, airac_cycle_text);
    cdu_text_right(page, 55, CduFont::Small, "A C T I V E");
    cdu_text(page, 130, 66, CduFont::Large, airac_period_text);

    cdu_text(page, 12, 121, CduFont::Small, "O P   P R O G R A M");
    cdu_text(page, 0, 136, CduFont::Large, "296485 - 04 - 19      (V01.8.8.1)");
    cdu_text_right(page, 155, CduFont::Small, "S U P P  D A T A");

    cdu_text(page, 0, 198, CduFont::Large, "<INDEX");
    cdu_text_right(page, 198, CduFont::Large, "POS  INIT>");
    cdu_scratchpad_line(page);
}

// DES FORECASTS (page 38): the descent-forecast form, labels with dashed
// places and no values. It takes no keys and draws no scratchpad line: the
// scratchpad and a pending message show again on the next page.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"

// No key of this page acts yet.
void smiths_page_des_forecasts_keys() {}

void smiths_page_des_forecasts(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const struct {
        float x, y;
        CduFont font;
        const char* text;
    } rows[] = {
        {63, 0, CduFont::Large, "DES  FORECASTS"},
        {230, 0, CduFont::Small, "1 / 1"},
        {12, 22, CduFont::Small, "T R A N S    L V L               T A I    O N / O F F"},
        {150, 33, CduFont::Large, "- - - - - / - - - - -"},
        {12, 55, CduFont::Small, "C A B I N    R A T E          I S A   D E V / Q N H"},
        {135, 77, CduFont::Large, "- - - \xB0   / - - - - - -"},
        {177, 81, CduFont::Small, "C"},
        {12, 99, CduFont::Small, "A L T"},
        {45, 93, CduFont::Large, "- - - - -"},
        {100, 99, CduFont::Small, "W I N D"},
        {145, 93, CduFont::Large, "- - - -"},
        {195, 99, CduFont::Small, "D I R / S P D"},
        {0, 111, CduFont::Large, "- - - - -                      - - - \xB0 / - - -"},
        {245, 116, CduFont::Small, "K T"},
        {0, 133, CduFont::Large, "- - - - -                      - - - \xB0 / - - -"},
        {245, 138, CduFont::Small, "K T"},
        {0, 155, CduFont::Large, "- - - - -                      - - - \xB0 / - - -"},
        {245, 160, CduFont::Small, "K T"},
    };
    for (const auto& r : rows)
        cdu_text(page, r.x, r.y, r.font, r.text);
}

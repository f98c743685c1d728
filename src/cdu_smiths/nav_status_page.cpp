// NAV STATUS and NAV OPTIONS (page 31): the two VOR receivers with station
// and frequency and the eight VORs nearest the aircraft; then the inhibit
// and update fields. Both sub-pages only show.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/nav/nearest_vors.h"
#include "fms/units/cdu_text.h"
#include "sim/sim_var_reader.h"

namespace {

constexpr int kNavStatusSubpages = 2;

// PREV wins when both flags are raised. The wrap from NAV OPTIONS back to
// NAV STATUS lists the stations anew.
void step_subpage() {
    int& sub = smiths_nav_status_subpage;
    if (smiths_cdu_prev_page == 1) {
        if (--sub < 1) sub = kNavStatusSubpages;
    } else if (smiths_cdu_next_page == 1) {
        if (++sub > kNavStatusSubpages) {
            sub = 1;
            refresh_nearest_vors();
        }
    }
}

void act_on_key() {
    if (smiths_cdu_lsk == 11) {
        smiths_cdu_page = kPageInitRefIndex;
    } else if (smiths_cdu_lsk == 12 && smiths_nav_status_subpage == 1) {
        smiths_cdu_page = kPagePosRef;
        smiths_pos_subpage = 3;
    }
}

// A station identifier while its receiver has a signal; none without one.
std::string received(double signal, const std::string& ident) {
    return signal > 0.0 ? ident : std::string();
}

void draw_nav_status(CduPage& page) {
    const SimVarReader& r = sim_var_object;
    const gfx::Font rows(page.courier, 14.0f, gfx::FontStyle::Bold);
    auto row = [&](float y, const std::string& text) {
        page.g.draw_string(text, rows, page.green, gfx::PointF{0.0f, y});
    };
    cdu_text(page, 63, 0, CduFont::Large, "NAV  STATUS");
    cdu_text(page, 30, 22, CduFont::Small, "V O R - L                       V O R - R");
    const std::string nav1 = received(r.get_nav1_signal(), r.get_simvar_47_text());
    const std::string nav2 = received(r.get_nav2_signal(), r.get_simvar_56_text());
    row(44, cdu_format("%-5s %-3.2f       %-5s %-3.2f", nav1.c_str(), r.get_simvar_24_bcd_mhz(), nav2.c_str(),
                       r.get_simvar_27_bcd_mhz()));
    cdu_text(page, 30, 66, CduFont::Small, "D M E - L                        D M E - R");
    // nearest_vors runs farthest first: entry 9 is the nearest.
    for (int k = 0; k < 4; ++k) {
        const NearestVor& left = nearest_vors[static_cast<std::size_t>(9 - 2 * k)];
        const NearestVor& right = nearest_vors[static_cast<std::size_t>(8 - 2 * k)];
        row(80.0f + 20.0f * static_cast<float>(k),
            cdu_format("%-5s %6s       %-5s %6s", left.ident.c_str(), left.extra.c_str(), right.ident.c_str(),
                       right.extra.c_str()));
    }
    cdu_text(page, 160, 175, CduFont::Small, "I R S    ( L )");
    cdu_text(page, 160, 198, CduFont::Large, "POS  SHIFT >");
}

void draw_nav_options(CduPage& page) {
    cdu_text(page, 63, 0, CduFont::Large, "NAV  OPTIONS");
    cdu_text(page, 80, 22, CduFont::Small, "D M E    I N H I B I T");
    cdu_text(page, 0, 33, CduFont::Large, "- - - -");
    cdu_text(page, 220, 33, CduFont::Large, "- - - -");
    cdu_text(page, 80, 55, CduFont::Small, "V O R    I N H I B I T");
    cdu_text(page, 0, 66, CduFont::Large, "- - - -");
    cdu_text(page, 220, 66, CduFont::Large, "- - - -");
    cdu_text(page, 12, 88, CduFont::Small, "D M E    U P D A T E");
    cdu_text(page, 0, 99, CduFont::Large, "<ON/OFF");
    cdu_text(page, 12, 121, CduFont::Small, "V O R    U P D A T E");
    cdu_text(page, 0, 133, CduFont::Large, "<ON/OFF");
}

} // namespace

void smiths_page_nav_status_keys() {
    step_subpage();
    act_on_key();
}

void smiths_page_nav_status(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 220, 5, CduFont::Small,
             cdu_format("%d / %d", smiths_nav_status_subpage, kNavStatusSubpages));
    if (smiths_nav_status_subpage == 1)
        draw_nav_status(page);
    else
        draw_nav_options(page);
    cdu_text(page, 0, 198, CduFont::Large, "< INDEX");
}

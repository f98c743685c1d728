#include "gns_mcu/gns_choice_list.h"

#include "data/airport_procedures.h"
#include "fms/units/gns_unit_state.h"

#include <algorithm>

namespace {

constexpr float kRightColumnX = 292.0f;
constexpr float kListTop = 160.0f;
constexpr float kRowStep = 40.0f;

struct CursorKey {
    int lsk;
    GnsToggle toggle;
    int upper_row;
};
constexpr CursorKey kCursorKeys[] = {{3, GNS_L3, 1}, {4, GNS_L4, 3}, {5, GNS_L5, 5},
                                     {8, GNS_R3, 7}, {9, GNS_R4, 9}, {10, GNS_R5, 11}};

} // namespace

int gns_ceil_div(int a, int b) {
    return a <= 0 ? 0 : (a + b - 1) / b;
}

void gns_keep_page(int& page, int count) {
    page = std::clamp(page, 1, std::max(count, 1));
}

bool gns_cursor_key(int lsk, bool preview_shown, GnsCursorReset reset) {
    const CursorKey* key = nullptr;
    for (const CursorKey& k : kCursorKeys)
        if (k.lsk == lsk) key = &k;
    if (key == nullptr) return false;

    int& t = gns_line_toggles[key->toggle];
    const bool question_key = key->toggle == GNS_L5 || key->toggle == GNS_R5;
    if (t == kGnsToggleIdle) {
        t = kGnsToggleFirst;
        gns_list_cursor = key->upper_row;
    } else if (t == kGnsToggleFirst && preview_shown && question_key) {
        t = kGnsToggleIdle;
    } else if (t == kGnsToggleFirst) {
        t = kGnsToggleSecond;
        gns_list_cursor = key->upper_row + 1;
    } else {
        t = kGnsToggleIdle;
        gns_list_cursor = 0;
    }

    for (const CursorKey& k : kCursorKeys) {
        if (&k == key) continue;
        const bool other_left = k.toggle <= GNS_L5;
        if (reset == GnsCursorReset::OtherFive || other_left) gns_line_toggles[k.toggle] = kGnsToggleIdle;
    }
    // L1 and L2 have no rows here; the departure page still clears them.
    if (reset == GnsCursorReset::LeftKeys) {
        gns_line_toggles[GNS_L1] = kGnsToggleIdle;
        gns_line_toggles[GNS_L2] = kGnsToggleIdle;
    }
    return true;
}

int gns_entries_on_page(int page_number, int count, int per_page) {
    const int first = per_page * (page_number - 1) + 1;
    return std::clamp(count - first + 1, 0, per_page);
}

int gns_draw_choice_list(GnsPage& page, int page_number, int count, float left_x,
                         const std::function<GnsChoice(int)>& entry) {
    const int first = kGnsChoicesPerPage * (page_number - 1) + 1;
    const int highlighted = first + gns_list_cursor - 1;
    const int shown = gns_entries_on_page(page_number, count, kGnsChoicesPerPage);
    for (int n = 0; n < shown; ++n) {
        const int i = first + n;
        const float x = n < 6 ? left_x : kRightColumnX;
        const float y = kListTop + kRowStep * static_cast<float>(n % 6);
        gns_list_row(y);
        const GnsChoice c = entry(i);
        if (gns_list_cursor >= 1 && i == highlighted) {
            page.highlight(x, y, c.highlighted);
            gns_scratchpad = c.raw;
        } else {
            page.text(x, y, kGnsGreen, c.shown);
        }
    }
    return highlighted;
}

GnsChoice gns_runway_choice(const std::string& runway) {
    return {gns_format("RW%-3s", runway.c_str()), gns_format("RW%-3s?", runway.c_str()), runway};
}

GnsChoice gns_name_choice(const std::string& name) {
    return {name, gns_format("%-6s?", name.c_str()), name};
}

GnsChoice gns_transition_choice(const std::string& transition) {
    return {gns_format("%-5s", transition.c_str()), gns_format("%-5s?", transition.c_str()), transition};
}

int gns_draw_names(GnsPage& page, int page_number, const std::vector<std::string>& names, float left_x,
                   GnsChoice (*make)(const std::string&)) {
    const int count = gns_count(names);
    gns_draw_choice_list(page, page_number, count, left_x,
                         [&](int i) { return make(names[static_cast<std::size_t>(i - 1)]); });
    return count;
}

void gns_draw_list_markers(GnsPage& page, int entries, const char* left, const char* right) {
    constexpr int kFrom[6] = {1, 3, 5, 7, 9, 11};
    for (int k = 0; k < 6; ++k) {
        if (entries < kFrom[k]) continue;
        const float y = kGnsMarkerRow[2 + k % 3];
        if (k < 3)
            page.text(0.0f, y, kGnsWhite, left);
        else
            page.text(460.0f, y, kGnsWhite, right);
    }
}

void gns_draw_preview(int page_number, int count, const std::function<void(int, float, float)>& draw) {
    const int first = kGnsPreviewPerPage * (page_number - 1) + 1;
    const int shown = gns_entries_on_page(page_number, count, kGnsPreviewPerPage);
    for (int n = 0; n < shown; ++n) {
        const float y = 200.0f + kRowStep * static_cast<float>(n % 4);
        gns_list_row(y);
        draw(first + n, n < 4 ? 30.0f : kRightColumnX, y);
    }
}

void gns_draw_select_erase(GnsPage& page) {
    if (gns_line_toggles[GNS_L5] == kGnsToggleIdle)
        page.text(30.0f, 360.0f, kGnsWhite, "SELECT");
    else
        page.highlight(30.0f, 360.0f, "SELECT?");
    if (gns_line_toggles[GNS_R5] == kGnsToggleIdle)
        page.text(320.0f, 360.0f, kGnsWhite, "ERASE");
    else
        page.highlight(320.0f, 360.0f, "ERASE?");
}

void gns_draw_airport_field(GnsPage& page, const std::string& airport, gfx::Argb color) {
    if (gns_line_toggles[GNS_R1] == kGnsToggleFirst) {
        gns_fill_text_box(232.0f, 0.0f, page.g, static_cast<int>(gns_scratchpad.size()));
        page.text(230.0f, 0.0f, kGnsBlack, gns_scratchpad);
    } else {
        page.text(230.0f, 0.0f, color, airport);
    }
}

std::string gns_runway_text(const std::string& runway) {
    return runway == "------" ? runway : "RW" + runway;
}

bool gns_no_choice(int page_number, int count) {
    return gns_list_cursor < 1 || kGnsChoicesPerPage * (page_number - 1) + gns_list_cursor > count;
}

void gns_draw_procedure_fields(GnsPage& page, const GnsProcedureFields& f) {
    page.text(32.0f, 0.0f, kGnsWhite, f.title);
    gns_draw_airport_field(page, f.airport, f.airport_color);
    page.text(360.0f, 0.0f, kGnsWhite, gns_format("%d/%d", f.page_number, f.page_count));

    const gfx::Argb runway_color = f.runway_open ? kGnsYellow : kGnsGreen;
    page.text(53.0f, 40.0f, runway_color, "RUNWAY");
    page.text(kRightColumnX, 40.0f, runway_color, gns_runway_text(f.runway));
    const gfx::Argb second_color = gns_line_toggles[GNS_R2] == kGnsToggleFirst ? kGnsYellow : kGnsGreen;
    page.text(53.0f, 80.0f, second_color, f.second);
    page.text(kRightColumnX, 80.0f, second_color, f.second_value);
    const gfx::Argb third_color = gns_line_toggles[GNS_R2] == kGnsToggleSecond ? kGnsYellow : kGnsGreen;
    page.text(53.0f, 120.0f, third_color, f.third);
    page.text(kRightColumnX, 120.0f, third_color, f.third_value);
    if (!f.airport_set) {
        if (gns_airport_not_found == 1) page.text(53.0f, 340.0f, kGnsYellow, "AIRPORT NOT FOUND");
        page.text(53.0f, 360.0f, kGnsWhite, "ENTER AIRPORT ID");
    }
}

void gns_draw_procedure_preview(GnsPage& page, const char* heading, int page_number, int count,
                                const std::function<void(int, float, float)>& draw) {
    page.text(53.0f, kListTop, kGnsWhite, heading);
    gns_draw_preview(page_number, count, draw);
    gns_draw_select_erase(page);
}

int gns_open_list_count(int runways, int second_row, int third_row) {
    if (gns_line_toggles[GNS_R1] == kGnsToggleSecond) return runways;
    if (gns_line_toggles[GNS_R1] == kGnsToggleFirst) return -1;
    if (gns_line_toggles[GNS_R2] == kGnsToggleFirst) return second_row;
    if (gns_line_toggles[GNS_R2] == kGnsToggleSecond) return third_row;
    return -1;
}

std::set<std::string> gns_transition_names(const ProcedureRecord& procedure) {
    std::set<std::string> names;
    for (int l = 1; l <= procedure.legs.count(); ++l)
        if (!procedure.legs[l].transition.empty()) names.insert(procedure.legs[l].transition);
    return names;
}

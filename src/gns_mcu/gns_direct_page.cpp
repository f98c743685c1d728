#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"
#include "gns_mcu/gns_direct.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kRowsPerPage = 18;
constexpr int kExchangeSlot = 19;

int& toggle(int t) {
    return gns_line_toggles[t];
}

double distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &distance, &course);
    return distance;
}

// A list never built has no centre: it is built on first sight.
bool moved_from(const ListCentre& centre, double lat, double lon, double limit_nm) {
    if (centre.latitude == kListNotBuilt) return true;
    return distance_nm(lat, lon, centre.latitude, centre.longitude) > limit_nm;
}

// Entry 1..9 shown on row 1..9: the nearest on top.
int entry_of_row(int row) {
    return 10 - row;
}

// The closest-airport row a left key's toggle names; 0 none.
int chosen_row() {
    for (int k = GNS_L1; k <= GNS_L5; ++k)
        if (toggle(k) != 0) return 2 * k + toggle(k);
    return 0;
}

void closest_key() {
    const int k = gns_lsk - 1;
    if (k < GNS_L1 || k > GNS_L5) return;
    const int before = toggle(k);
    const int last_step = k == GNS_L5 ? 1 : 2;
    if (before >= last_step) {
        toggle(k) = 0;
        return;
    }
    reset_page_toggles();
    toggle(k) = before + 1;
    gns_scratchpad = direct_list[static_cast<std::size_t>(entry_of_row(2 * k + before + 1))].ident;
}

void closest_page(GnsPage& page, int count) {
    const AircraftState& a = aircraft_state;
    page.text(70.0f, 0.0f, kGnsWhite, gns_format("DIR CLOSEST ARP %d/%d", gns_direct_page, count));
    if (moved_from(near_airports_centre, a.plat, a.plon, 200.0)) build_near_airports(a.plat, a.plon);
    if (moved_from(close_airports_centre, a.plat, a.plon, 50.0) || gns_direct_pressed == 1)
        gns_refresh_closest_airports(a.plat, a.plon, a.magvar);
    closest_key();

    const int chosen = chosen_row();
    for (int row = 1; row <= 9; ++row) {
        const NavListRecord& e = direct_list[static_cast<std::size_t>(entry_of_row(row))];
        const float y = 40.0f * static_cast<float>(row);
        if (row == chosen) {
            page.highlight(120.0f, y, gns_scratchpad, 6);
            page.text(304.0f, y, kGnsGreen, gns_format("%03.0f/%4.0f", e.number_2, e.number_1));
        } else {
            page.text(120.0f, y, kGnsGreen,
                      gns_format("%-8s %03.0f/%4.0f", e.ident.c_str(), e.number_2, e.number_1));
        }
    }
    for (int k = GNS_L1; k <= GNS_L5; ++k)
        page.marker[k] = true;
}

void choose_row(int row) {
    if (row < 0 || row > kPlanLastIndex) return;
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    working_cursor.move_to(row);
    gns_scratchpad = gns_direct_row_ident(row);
    gns_scratchpad_add("", 1);
}

// Route-page keys: L1 and R1 beside one row, the others beside two.
void route_key(int first) {
    const int k = gns_lsk - 1;
    if (k < GNS_L1 || k > GNS_R5) return;
    const bool right = k >= GNS_R1;
    const int key = right ? k - GNS_R1 : k; // 0..4 within the column
    const int row = first + (right ? 9 : 0) + (key == 0 ? 0 : 2 * key - 1);
    const bool single = key == 0;
    const bool in_list = row <= gns_direct_end_row() || (k == GNS_L1);
    int& t = toggle(k);
    int target = 0;
    if (in_list) {
        if (t == kGnsToggleIdle) {
            t = kGnsToggleFirst;
            target = row;
        } else if (t == kGnsToggleFirst && !single) {
            t = kGnsToggleSecond;
            target = row + 1;
        } else {
            t = kGnsToggleIdle;
            gns_entry_active = 0;
            return;
        }
    } else {
        if (t == kGnsToggleIdle || gns_entry_active != 1) return;
        target = t == kGnsToggleSecond ? row + 1 : row;
    }
    // The other keys of the column let go (R1 lets every other key go).
    for (int o = GNS_L1; o <= GNS_R5; ++o) {
        if (o == k) continue;
        const bool same_column = (o >= GNS_R1) == right;
        if (same_column || k == GNS_R1) toggle(o) = 0;
    }
    choose_row(target);
}

void route_page(GnsPage& page, int count) {
    const int first = kRowsPerPage * (gns_direct_page - 1) + 1;
    route_key(first);
    page.text(90.0f, 0.0f, kGnsWhite, gns_format("DIRECT %d/%d", gns_direct_page, count));

    float label_x = 30.0f, text_x = 90.0f, y = 40.0f;
    bool right = false;
    const int end_row = gns_direct_end_row();
    const int end = std::min({first + kRowsPerPage - 1, end_row, kPlanLastIndex});
    for (int i = first; i <= end; ++i) {
        if (i < end_row && entry_kind(working_plan[i]) == EntryKind::Placeholder) continue;
        const std::string ident = gns_direct_row_ident(i);
        constexpr float kMarkerY[5] = {40.0f, 80.0f, 160.0f, 240.0f, 320.0f};
        for (int m = 0; m < 5; ++m) {
            if (kMarkerY[m] != y) continue;
            page.marker[m] = true;
            if (right) page.marker[GNS_R1 + m] = true;
        }
        if (i == working_cursor_index && gns_entry_active == 1) {
            page.highlight(text_x, y, gns_scratchpad);
            page.text(label_x, y, kGnsMagenta, "TO ");
            // DIRECT-TO puts the key beside the proposal on its row, so that
            // its next press moves one row down.
            if (gns_direct_pressed == 1 && y > 40.0f) {
                for (int m = 1; m < 5; ++m)
                    if (kMarkerY[m] == y) toggle((right ? GNS_R1 : GNS_L1) + m) = 1;
            }
        } else {
            page.text(text_x, y, kGnsGreen, ident);
        }
        if (i == end_row) break;
        y += 40.0f;
        if (y > 360.0f) {
            right = true;
            label_x = 240.0f;
            text_x = 310.0f;
            y = 40.0f;
        }
    }
}

} // namespace

int gns_direct_end_row() {
    return working_plan_last + 1;
}

std::string gns_direct_row_ident(int row) {
    if (row >= 0 && row < gns_direct_end_row()) return working_plan[row].ident;
    return marker_text(EntryKind::EndMark);
}

void gns_refresh_closest_airports(double lat, double lon, double magvar) {
    build_close_airports(lat, lon);
    for (int i = 1; i <= 9; ++i) {
        NavListRecord& e = direct_list[static_cast<std::size_t>(i)];
        e = NavListRecord{};
        e.number_1 = 9999.0;
    }
    int next = 1; // the entry to be replaced next: the farthest kept
    for (int r = 1; r <= close_airports.count(); ++r) {
        const NavRecordView airport = close_airports[r];
        double distance = 0.0, course = 0.0;
        gc_dist_course(lat, lon, airport.latitude, airport.longitude, &distance, &course);
        NavListRecord& slot = direct_list[static_cast<std::size_t>(next)];
        if (!(distance < slot.number_1)) continue;
        double bearing = course - magvar;
        if (bearing < 0.5) bearing += 360.0;
        slot = NavListRecord(airport);
        slot.number_1 = distance;
        slot.number_2 = bearing;
        next = 1;
        for (int i = 2; i <= 9; ++i)
            if (direct_list[static_cast<std::size_t>(i)].number_1 >
                direct_list[static_cast<std::size_t>(next)].number_1)
                next = i;
    }
    // Farthest first; equal distances keep their order.
    for (int i = 1; i < 9;) {
        NavListRecord& a = direct_list[static_cast<std::size_t>(i)];
        NavListRecord& b = direct_list[static_cast<std::size_t>(i + 1)];
        if (b.number_1 > a.number_1) {
            direct_list[kExchangeSlot] = std::move(a);
            a = std::move(b);
            b = std::move(direct_list[kExchangeSlot]);
            i = 1;
        } else {
            ++i;
        }
    }
}

void gnsxls_direct_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    // The end row counts as a row of the list while there is a plan.
    const int n = working_plan_last < 0 ? -1 : gns_direct_end_row();
    const int route_pages = n < 0 ? 0 : n == 0 ? 1 : (n + kRowsPerPage - 1) / kRowsPerPage;
    gns_direct_page_count = route_pages + 1;
    gns_direct_page = std::clamp(gns_direct_page, 1, gns_direct_page_count);
    gns_direct_list_mode =
        gns_direct_page == gns_direct_page_count ? kGnsDirectListClosestAirports : kGnsDirectListRoute;
    if (gns_direct_list_mode == kGnsDirectListClosestAirports)
        closest_page(page, gns_direct_page_count);
    else
        route_page(page, gns_direct_page_count);
    page.draw_markers();
}

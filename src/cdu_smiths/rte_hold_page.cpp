// RTE HOLD (page 39): one hold of the hold list per sub-page, with its
// inbound course and turn, its leg as a time or a distance, the fix ETA, and
// the prompts to build a further hold or leave this one.
#include "cdu_smiths/cdu_eta.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int kMaxHolds = 5;

// Where a hold stands along the route the pilot is editing: the list keeps
// executed holds before the ones a modification adds, but the sub-pages go
// in route order; a hold deleted in the modification comes last.
int route_order(const HoldEntry& h) {
    return h.working_index() > 0 ? h.working_index() : kPlanLastIndex + 1 + h.active_index();
}

// The list slot shown on sub-page n, 0 when the list no longer reaches it
// (the page count can be older than the list).
int slot_of_subpage(int n) {
    const int count = hold_count();
    if (n < 1 || n > count) return 0;
    int slots[11] = {};
    for (int i = 1; i <= count && i <= 10; ++i)
        slots[i] = i;
    std::stable_sort(slots + 1, slots + std::min(count, 10) + 1,
                     [](int a, int b) { return route_order(hold_list[a]) < route_order(hold_list[b]); });
    return n <= 10 ? slots[n] : 0;
}

// The hold of the sub-page, or null.
HoldEntry* shown_hold() {
    const int slot = slot_of_subpage(smiths_hold_subpage);
    return slot == 0 ? nullptr : &hold_list.slot(static_cast<std::size_t>(slot));
}

// The same hold, read only, for the drawing.
const HoldEntry* drawn_hold() {
    const int slot = slot_of_subpage(smiths_hold_subpage);
    return slot == 0 ? nullptr : &hold_list[slot];
}

void invalid_entry() {
    smiths_scratchpad_message = "INVALID ENTRY";
}

// "CCC/D": inbound course below 361 and turn L or R.
void enter_inbound_course(HoldEntry& h) {
    std::string text = smiths_scratchpad;
    if (text.find('/') == std::string::npos) return invalid_entry();
    for (char& c : text)
        if (c == '/') c = ' ';
    std::istringstream in(text);
    std::string first, second;
    in >> first >> second;
    double course = 0.0;
    const bool number = cdu_read_number(first, course);
    const char dir =
        second.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(second[0])));
    const int turn = dir == 'L' ? kDirectionLeft : (dir == 'R' ? kDirectionRight : 0);
    if (!number || course < 0.0 || course >= 361.0 || turn == 0) return invalid_entry();
    h.turn = turn;
    h.inbound_course = course;
    smiths_scratchpad.clear();
}

// The value lines show a tenth: "9.9   M I N" and "99.9 - N M" at most.
constexpr double kMaxLegMinutes = 9.9;
constexpr double kMaxLegNm = 99.9;

// Leg time or leg length (kHoldLegBy...): a value the line shows, 0.1 up to
// its most; kept as typed. Anything else is refused, never cut to fit.
void enter_leg(HoldEntry& h, int mode) {
    double v = 0.0;
    if (!cdu_read_number(smiths_scratchpad, v)) return invalid_entry();
    const double shown = std::atof(cdu_format("%.1f", v).c_str());
    if (!(shown >= 0.1 && shown <= (mode == kHoldLegByTime ? kMaxLegMinutes : kMaxLegNm)))
        return invalid_entry();
    (mode == kHoldLegByTime ? h.leg_time : h.leg_distance) = v;
    h.leg_mode = mode;
    smiths_scratchpad.clear();
}

void act_on_key() {
    HoldEntry* h = shown_hold();
    const int key = smiths_cdu_lsk;
    if (key >= 3 && key <= 5) {
        if (h == nullptr || smiths_scratchpad.empty()) return;
        if (key == 3) enter_inbound_course(*h);
        if (key == 4) enter_leg(*h, kHoldLegByTime);
        if (key == 5) enter_leg(*h, kHoldLegByDistance);
    } else if (key == 11) {
        if (route_state == kRouteStateActiveModified) {
            erase_route_modification();
        } else if (hold_count() < kMaxHolds) {
            smiths_legs_mode = kLegsModeHoldAt;
            smiths_cdu_page = kPageRteLegs;
        }
    } else if (key == 12 && h != nullptr && hold_count() >= 1 && hold_count() < kMaxHolds) {
        pending_hold_delete_index = h->active_index();
        delete_hold(pending_hold_delete_index, kHoldCancelWorking);
        smiths_legs_mode = kLegsModeList;
        smiths_cdu_page = kPageRteLegs;
    }
}

// Arrival at the hold fix flying direct at the present ground speed.
std::string fix_eta(const HoldEntry& h) {
    const AircraftState& a = aircraft_state;
    double d = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, h.points[0].lat, h.points[0].lon, &d, &course);
    return cdu_eta_text(cdu_eta(d, DispETALocalTime == 1));
}

void draw_body(CduPage& page, const HoldEntry* h) {
    cdu_text(page, 12, 22, CduFont::Small, "F I X                            S P D / T G T    A L T");
    cdu_text(page, 0, 33, CduFont::Large, h != nullptr ? cdu_format("%s", h->ident.c_str()) : "- - -");
    cdu_text(page, 135, 33, CduFont::Large, "- - - \xB0   / - - - - - -");

    cdu_text(page, 12, 55, CduFont::Small, "Q U A D / R A D I A L            F I X    E T A");
    cdu_text(page, 0, 66, CduFont::Large, ". . / . . .");
    const bool eta = h != nullptr && to_waypoint_index != 999 && aircraft_state.ground_speed_kt > 60.0;
    cdu_text(page, 180, 66, CduFont::Large, eta ? fix_eta(*h) : ". . / . . .");

    cdu_text(page, 12, 88, CduFont::Small, "I N B D    C R S / D I R        E F C    T I M E");
    if (h != nullptr)
        cdu_text(page, 0, 99, CduFont::Large,
                 cdu_format(h->turn == kDirectionRight ? "%03.0f /  R  T U R N" : "%03.0f /  L  T U R N",
                            h->inbound_course));
    cdu_text(page, 160, 99, CduFont::Large, "- - - -");
    cdu_text(page, 230, 99, CduFont::Small, "Z");

    cdu_text(page, 12, 121, CduFont::Small, "L E G  T I M E");
    cdu_text(page, 150, 121, CduFont::Small, "H O L D    A V A I L");
    if (h != nullptr)
        cdu_text(page, 0, 133, CduFont::Large,
                 h->leg_mode == kHoldLegByTime ? cdu_format("%1.1f   M I N", h->leg_time) : "-.-   M I N");

    cdu_text(page, 12, 155, CduFont::Small, "L E G    D I S T");
    cdu_text(page, 150, 155, CduFont::Small, "B E S T    S P E E D");
    if (h != nullptr)
        cdu_text(page, 0, 166, CduFont::Large,
                 h->leg_mode == kHoldLegByDistance ? cdu_format("%2.1f - N M", h->leg_distance)
                                                   : "--.-  - N M");
    cdu_text(page, 190, 166, CduFont::Large, cdu_format("%3d", best_hold_ias));
    cdu_text(page, 230, 166, CduFont::Small, "K T");
    cdu_text(page, 0, 178, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");
}

} // namespace

int rte_hold_subpage_of_slot(int slot) {
    for (int n = 1; n <= hold_count(); ++n)
        if (slot_of_subpage(n) == slot) return n;
    return 1;
}

void smiths_page_rte_hold_keys() {
    cdu_step_subpage_once(smiths_hold_subpage, hold_page_count);
    act_on_key();
}

void smiths_page_rte_hold(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);

    if (route_state == kRouteStateActive) cdu_text(page, 18, 0, CduFont::Large, "ACT");
    if (route_state == kRouteStateActiveModified) cdu_inverse_text(page, 20, 18, 0, "MOD");
    cdu_text(page, 63, 0, CduFont::Large, "RTE        HOLD");
    cdu_text(page, 220, 5, CduFont::Small, cdu_format("%d / %d", smiths_hold_subpage, hold_page_count));

    draw_body(page, drawn_hold());

    if (route_state == kRouteStateActiveModified) {
        cdu_text(page, 0, 198, CduFont::Large, "< ERASE");
    } else {
        if (hold_count() < kMaxHolds) cdu_text(page, 0, 198, CduFont::Large, "< NEXT HOLD");
        cdu_text(page, 150, 198, CduFont::Large, "EXIT HOLD >");
    }
    cdu_scratchpad_line(page);
}

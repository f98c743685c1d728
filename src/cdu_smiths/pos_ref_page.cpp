// POS (page 26): POS INIT (last position, reference airport, clock and
// date), POS REF (FMC position, ground speed, radio station) and POS SHIFT
// (radio station, RNP). The sub-pages only show; L6 and R6 leave them.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_position_text.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/math/date_math.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

constexpr int kPosSubpages = 3;

void act_on_key() {
    if (smiths_cdu_lsk == 11)
        smiths_cdu_page = kPageInitRefIndex;
    else if (smiths_cdu_lsk == 12)
        smiths_cdu_page = kPageRte;
}

// The NAV1 station while it is received; the host may hand out no text.
std::string radio_station() {
    return sim_var_object.get_nav1_signal() > 0.0 ? sim_var_object.get_simvar_47_text() : std::string();
}

std::string clock_and_date() {
    day_of_year_to_date(saturate_to_int(sim_var_object.get_day_of_year()),
                        saturate_to_int(sim_var_object.get_year()));
    const int tenths = saturate_to_int(aircraft_state.clock_seconds_tick / 60.0 * 10.0);
    return cdu_format("%02.0f%02.0f.%d z  %02d/%02d", sim_var_object.get_zulu_hours(),
                      sim_var_object.get_zulu_minutes(), tenths, date_month_number, date_day);
}

void draw_pos_init(CduPage& page) {
    const AircraftState& a = aircraft_state;
    cdu_text(page, 63, 0, CduFont::Large, "POS   INIT");
    cdu_text(page, 170, 22, CduFont::Small, "L A S T   P O S");
    cdu_text(page, 70, 33, CduFont::Large, cdu_latitude_text(a.plat));
    cdu_text(page, 160, 33, CduFont::Large, cdu_longitude_text(a.plon));
    cdu_text(page, 12, 55, CduFont::Small, "R E F    A I R P O R T");
    cdu_text(page, 0, 66, CduFont::Large,
             to_waypoint_index == kNoToWaypoint ? std::string("- - - -")
                                                : cdu_format("%4s", active_plan[0].ident.c_str()));
    cdu_text(page, 12, 88, CduFont::Small, "G A T E");
    cdu_text(page, 140, 121, CduFont::Small, "S E T   I R S    P O S");
    cdu_text(page, 12, 151, CduFont::Small, "G M T  -  M O N / D V");
    cdu_text(page, 0, 166, CduFont::Large, clock_and_date());
    cdu_text(page, 2, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "< INDEX");
    cdu_text(page, 180, 198, CduFont::Large, "ROUTE >");
}

void draw_pos_ref(CduPage& page) {
    const AircraftState& a = aircraft_state;
    cdu_text(page, 63, 0, CduFont::Large, "POS  REF");
    cdu_text(page, 12, 22, CduFont::Small, "F M C    P O S");
    cdu_text(page, 0, 33, CduFont::Large, cdu_latitude_text(a.plat));
    cdu_text(page, 85, 33, CduFont::Large, cdu_longitude_text(a.plon));
    cdu_text(page, 245, 22, CduFont::Small, "G S");
    const std::string speed = cdu_format("%.0f", a.ground_speed_kt);
    cdu_text(page, 238.0f - 8.0f * static_cast<float>(speed.size()), 33, CduFont::Large, speed);
    cdu_text(page, 245, 38, CduFont::Small, "K T");
    cdu_text(page, 12, 55, CduFont::Small, "I R S   L");
    cdu_text(page, 12, 99, CduFont::Small, "I R S   R");
    cdu_text(page, 12, 151, CduFont::Small, "R A D I O");
    cdu_text(page, 12, 167, CduFont::Large, radio_station());
}

void draw_pos_shift(CduPage& page) {
    cdu_text(page, 63, 0, CduFont::Large, "POS  SHIFT");
    cdu_text(page, 12, 88, CduFont::Small, "I R S - L");
    cdu_text(page, 200, 88, CduFont::Small, "I R S - R");
    cdu_text(page, 10, 121, CduFont::Small, "R N P / A C T U A L");
    cdu_text(page, 200, 121, CduFont::Small, "R A D I O");
    cdu_text(page, 200, 133, CduFont::Large, radio_station());
    cdu_text(page, 0, 135, CduFont::Small, "1 . 0 0 / 0 . 0 0 N M");
    cdu_text(page, 0, 141, CduFont::Large, ". . . . . . . . . . . . . . . . . . . . . . . .");
    cdu_text(page, 0, 198, CduFont::Large, "<INDEX");
}

} // namespace

void smiths_page_pos_ref_keys() {
    cdu_step_subpage_once(smiths_pos_subpage, kPosSubpages);
    act_on_key();
}

void smiths_page_pos_ref(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 220, 5, CduFont::Small, cdu_format("%d / %d", smiths_pos_subpage, kPosSubpages));
    if (smiths_pos_subpage == 1)
        draw_pos_init(page);
    else if (smiths_pos_subpage == 2)
        draw_pos_ref(page);
    else
        draw_pos_shift(page);
    cdu_scratchpad_line(page);
}

// ENT on the value pages: SAVE, VNAV, VNAV DATA, HOLDING PATTERN, PLAN, and the
// insertion of a pilot or offset waypoint at the cursor of the plan in view.
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/files/route_file.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/air_data.h"
#include "fms/perf/profile_prediction.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_plan_edits.h"
#include "gns_mcu/gns_value_pages.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cstdio>

namespace {

void flip_flyover() {
    gns_flyover_choice = gns_flyover_choice == "NO" ? "YES" : "NO";
}

// Characters first to last (1-based) of a text, blank beyond its end.
std::string chars(const std::string& text, std::size_t first, std::size_t last) {
    std::string out;
    for (std::size_t i = first; i <= last; ++i)
        out += i <= text.size() ? text[i - 1] : ' ';
    return out;
}

// Whether the plan in view has room for an entry at the cursor: not when it
// holds 200 waypoints or the cursor lies beyond the end mark.
bool room_at_cursor(const GnsPlanRef& p) {
    const int c = p.cursor;
    return p.last + 2 <= kPlanLastIndex && c >= 0 && c <= p.last + 1;
}

// Makes room at the cursor within the edit and returns the new entry there.
// The holds, the cursors and the TO follow their entries where the edit ends.
RouteWaypoint& open_slot_at_cursor(const GnsPlanRef& p, PlanEdit& edit) {
    const int c = p.cursor;
    open_slot(p.target, c);
    gns_mark_plan_end(edit);
    RouteWaypoint& w = edit.entry(c);
    w.id = 0; // a new entry
    w.marker = EntryKind::Place;
    w.frequency.clear();
    w.aux_text.clear();
    w.kind.clear();
    w.via.clear();
    w.alt_constraint = kNoConstraint;
    w.flyover = gns_flyover_choice == "YES" ? 1 : 0;
    gns_flyover_choice = "NO";
    return w;
}

// The cursor moves on to the waypoint that stood under it; on the end row it
// stays on the new entry.
void cursor_past_insertion(const GnsPlanRef& p, int c, PlanEdit& edit) {
    edit.place(p.cursor, c < p.last ? c + 1 : c);
    edit.place(working_cursor_index, p.cursor);
}

void read_pilot_latitude() {
    const std::string& t = gns_pilot_lat_text;
    gns_pilot_lat_deg = parse_double(chars(t, 3, 4));
    gns_pilot_lat_min = parse_double(chars(t, 6, 7));
    gns_pilot_lat_part3 = 0.0;
    gns_pilot_lat = gns_pilot_lat_deg + gns_pilot_lat_min / 60.0;
    if (!t.empty() && t[0] == 'S') gns_pilot_lat = -gns_pilot_lat;
}

void read_pilot_longitude() {
    const std::string& t = gns_pilot_lon_text;
    gns_pilot_lon_deg = parse_double(chars(t, 2, 4));
    gns_pilot_lon_min = parse_double(chars(t, 6, 7));
    gns_pilot_lon_part3 = 0.0;
    gns_pilot_lon = gns_pilot_lon_deg + gns_pilot_lon_min / 60.0;
    if (!t.empty() && t[0] == 'W') gns_pilot_lon = -gns_pilot_lon;
}

// The coordinate line opens on the given step with its text proposed.
void open_coordinate(int step) {
    gns_pilot_entry_step = step;
    gns_scratchpad =
        gns_pilot_coordinate_typed(step == 1 ? gns_pilot_lat_text : gns_pilot_lon_text, step == 1);
    gns_entry_active = 1;
    gns_entry_fresh = 1;
}

} // namespace

std::string gns_pilot_coordinate_text(const std::string& typed, bool latitude) {
    if (typed.empty()) return "----------";
    std::string text = latitude ? "  :  :  " : "   :  :  ";
    text.insert(0, 1, typed[0]);
    if (latitude) text.insert(1, 1, ' ');
    text.resize(10, ' ');
    // Degrees: 3-4 (latitude) or 2-4 (longitude); then two minute digits at 6-7.
    const std::size_t degree_digits = latitude ? 2 : 3;
    const std::size_t degree_at = latitude ? 2 : 1;
    for (std::size_t i = 1; i < typed.size() && i <= degree_digits + 2; ++i) {
        const std::size_t at = i <= degree_digits ? degree_at + i - 1 : 5 + (i - degree_digits - 1);
        text[at] = typed[i];
    }
    if (typed.size() >= degree_digits + 3) text.replace(8, 2, "00");
    return text;
}

std::string gns_pilot_coordinate_typed(const std::string& text, bool latitude) {
    if (text.size() < 10 || text == "----------") return "";
    std::string typed(1, text[0]);
    typed += latitude ? text.substr(2, 2) : text.substr(1, 3);
    typed += text.substr(5, 2);
    while (!typed.empty() && typed.back() == ' ')
        typed.pop_back();
    return typed;
}

void gns_open_field(int toggle_index, int step, const std::string& value) {
    reset_page_toggles();
    gns_line_toggles[toggle_index] = step;
    gns_scratchpad = value;
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    gns_scratchpad_add("", 1);
}

void gns_open_pilot_wpt(const std::string& name) {
    gns_pilot_wpt_name = name.empty() ? "TMP00" : name;
    gns_pilot_lat_text = "----------";
    gns_pilot_lon_text = "----------";
    gns_pilot_lat = 0.0;
    gns_pilot_lon = 0.0;
    gns_toggle(GNS_R3) = kGnsToggleFirst;
    open_coordinate(1);
}

void gns_open_offset_wpt(const std::string& reference) {
    gns_offset_ref_ident = reference;
    gns_offset_ref_index = 1;
    gns_offset_brg_text = gns_offset_brg_input = "-----";
    gns_offset_dis_text = gns_offset_dis_input = "------";
    gns_offset_lat_text = gns_offset_lon_text = "----------";
}

bool gns_save_file_name(const std::string& typed, std::string& file_name) {
    std::string name = typed;
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty()) return false;
    file_name = name + ".RTE";
    return acceptable_file_name(file_name);
}

void gns_enter_save_fpl() {
    if (gns_entry_active == 1) {
        gns_save_name = gns_scratchpad;
        gns_entry_active = 0;
        gns_toggle(GNS_L2) = kGnsToggleIdle;
        return;
    }
    // A name the folder cannot take is not saved; the page says so and keeps
    // the name for correcting.
    std::string file_name;
    if (!gns_save_file_name(gns_scratchpad, file_name)) {
        reset_page_toggles();
        return;
    }
    save_route_file(file_name);
    gns_state = GNS_FLIGHT_PLAN;
    gns_fpl_option = gns_fpl_option_default;
    reset_page_toggles();
}

void gns_enter_vnav() {
    if (gns_toggle(GNS_L5) != kGnsToggleFirst) return;
    reset_page_toggles();
    gns_state = GNS_VNAV_DATA;
}

void gns_enter_vnav_data() {
    const double climb_tas = ias_to_tas(climb_speed_target, 15000.0);
    const double descent_tas = ias_to_tas(descent_speed_target, 15000.0);
    if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        const int altitude = saturate_to_int(parse_double(gns_scratchpad));
        // More than the field shows: it stays open with the entry, and the
        // page says it is invalid.
        if (altitude > kMaxCruiseAltitudeEntryFt) return;
        cruise_altitude = altitude;
        predict_profile(cruise_altitude, kProfilePointsOnly);
    }
    if (gns_toggle(GNS_R2) == kGnsToggleSecond) TransAlt = saturate_to_int(parse_double(gns_scratchpad));
    if (gns_toggle(GNS_R3) == kGnsToggleFirst) {
        // Two digits without the point: "30" is 3.0 degrees.
        FPA = parse_double(chars(gns_scratchpad, 1, 1) + "." + chars(gns_scratchpad, 2, 2));
        if (FPA > 6.0) FPA = 6.0;
        if (FPA > 0.0) {
            ClimbRate = 100 * ((50 - saturate_to_int(-100.0 * FPA * climb_tas / 60.0)) / 100);
            DescentRate = 100.0 * saturate_to_int((100.0 * FPA * descent_tas / 60.0 + 50.0) / 100.0);
        }
    }
    reset_page_toggles();
}

bool gns_hold_leg_fits(const std::string& text) {
    char shown[48];
    std::snprintf(shown, sizeof shown, "%.1f", parse_double(text));
    const double v = parse_double(shown);
    return v >= 0.1 && v <= kGnsHoldLegMax;
}

void gns_enter_holding_pattern() {
    HoldEntry& hold = hold_list.slot(1);
    if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        hold.inbound_course = parse_double(gns_hold_course_text);
        if (hold.inbound_course == 360.0) hold.inbound_course = 0.0;
    }
    if (gns_toggle(GNS_R3) == kGnsToggleFirst) hold.turn = gns_hold_choice_r3;
    // A leg the field cannot show leaves it open with the entry, and the
    // page says it is invalid.
    if (gns_toggle(GNS_R4) == kGnsToggleFirst) {
        if (!gns_hold_leg_fits(gns_hold_time_text)) return;
        hold.leg_time = parse_double(gns_hold_time_text);
        hold.leg_mode = kHoldLegByTime;
    } else if (gns_toggle(GNS_R4) == kGnsToggleSecond) {
        if (!gns_hold_leg_fits(gns_hold_dist_text)) return;
        hold.leg_distance = parse_double(gns_hold_dist_text);
        hold.leg_mode = kHoldLegByDistance;
    }
    if (gns_toggle(GNS_R5) == kGnsToggleFirst) hold_exit_state = gns_hold_choice_r5;
    reset_page_toggles();
}

void gns_enter_plan() {
    if (gns_plan_page == 1 && gns_toggle(GNS_R2) == kGnsToggleFirst) {
        fuel_on_board_low_lb = parse_double(gns_scratchpad);
        if (WeightUnit == "KGS") fuel_on_board_low_lb *= 2.20462262;
    }
    reset_page_toggles();
}

void gns_enter_pilot_wpt() {
    if (gns_toggle(GNS_R5) == kGnsToggleFirst) {
        flip_flyover();
        reset_page_toggles();
        return;
    }
    if (gns_pilot_entry_step == 1 && gns_pilot_lat_text.size() >= 4 && gns_pilot_lat_text[3] != ' ') {
        read_pilot_latitude();
        if (gns_pilot_lon == 0.0) open_coordinate(2);
    } else if (gns_pilot_entry_step == 2 && gns_pilot_lon_text.size() >= 4 && gns_pilot_lon_text[3] != ' ') {
        read_pilot_longitude();
        if (gns_pilot_lat == 0.0) open_coordinate(1);
    }
    if (gns_pilot_lat == 0.0 || gns_pilot_lon == 0.0) return;

    const GnsPlanRef p = gns_plan_in_view();
    const int c = p.cursor;
    if (!room_at_cursor(p)) {
        gns_refusal_text = kGnsInvalidEntry;
        return;
    }
    {
        PlanEdit edit(p.target, "a GNS pilot waypoint");
        RouteWaypoint& w = open_slot_at_cursor(p, edit);
        w.ident = gns_pilot_wpt_name;
        w.lat = gns_pilot_lat;
        w.lon = gns_pilot_lon;
        w.type = "WPT";
        if (p.active) w.altitude_kind = AltitudeKind::None;
        cursor_past_insertion(p, c, edit);
    }
    gns_state = gns_return_state;
    gns_scratchpad = gns_pilot_wpt_name;
    reset_page_toggles();
}

void gns_enter_offset_wpt() {
    if (gns_toggle(GNS_R3) == kGnsToggleFirst) {
        gns_offset_brg_text = gns_offset_brg_input;
        gns_offset_dis_input = gns_offset_dis_text;
        gns_toggle(GNS_R3) = kGnsToggleSecond;
        // The distance field opens with its value proposed.
        gns_scratchpad = gns_offset_dis_text;
        gns_entry_active = 1;
        gns_entry_fresh = 1;
        return;
    }
    if (gns_toggle(GNS_R3) == kGnsToggleSecond) {
        gns_offset_dis_text = gns_offset_dis_input;
        gns_toggle(GNS_R3) = kGnsToggleIdle;
        gns_entry_active = 0;
        return;
    }
    if (gns_toggle(GNS_R5) == kGnsToggleFirst) {
        flip_flyover();
        reset_page_toggles();
        return;
    }
    if (gns_offset_brg_text == "-----" || gns_offset_dis_input == "------") return;

    const GnsPlanRef p = gns_plan_in_view();
    const int c = p.cursor;
    if (!room_at_cursor(p)) {
        gns_refusal_text = kGnsInvalidEntry;
        return;
    }
    gns_state = gns_return_state;
    PlanEdit edit(p.target, "a GNS offset waypoint");
    RouteWaypoint& w = open_slot_at_cursor(p, edit);
    w.ident = gns_offset_ref_ident + "*";
    w.lat = gns_offset_lat;
    w.lon = gns_offset_lon;
    w.type = "INT";
    w.altitude_kind = AltitudeKind::None;
    cursor_past_insertion(p, c, edit);
}

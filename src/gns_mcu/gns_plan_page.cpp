// PLAN, the pages of state 19: fuel status, trip plan, fuel plan, fuel flow
// per engine, date and times, aircraft weight. Every figure is worked out
// afresh each frame; the only field is the fuel reserve at R2.
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/clock_math.h"
#include "fms/math/date_math.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

constexpr double kKgPerLb = 0.45359237;

// What every page of one frame reads.
struct PlanFrame {
    double k = 1.0;    // pounds to the page's weight unit
    double gs = 0.0;   // ground speed, kt
    double fob = 0.0;  // fuel on board, lb
    double flow = 0.0; // total fuel flow, lb/h
    double engine[4] = {};
    bool active = false; // a route is flown
};

void reserve_key() {
    if (gns_lsk != 7) return;
    int& r2 = gns_line_toggles[GNS_R2];
    if (r2 != kGnsToggleIdle) {
        reset_page_toggles();
        return;
    }
    const double k = WeightUnit == "KGS" ? kKgPerLb : 1.0;
    gns_open_field(GNS_R2, kGnsToggleFirst, gns_format("%6.0f", fuel_on_board_low_lb * k));
}

std::string origin_ident(const PlanFrame& f) {
    return f.active ? gns_format("%6s", active_plan[0].ident.c_str()) : "------";
}
std::string to_ident(const PlanFrame& f) {
    return f.active ? active_plan[to_waypoint_index].ident : "------";
}

void fuel_status(GnsPage& page, const PlanFrame& f) {
    page.text(90.0f, 40.0f, kGnsWhite, "FUEL STATUS");
    page.text(380.0f, 40.0f, kGnsGreen, WeightUnit == "KGS" ? "KG" : "LB");
    page.text(30.0f, 80.0f, kGnsGreen, "REMAINING");
    page.text(340.0f, 80.0f, kGnsGreen, gns_format("%6.0f", f.fob * f.k));
    page.text(30.0f, 120.0f, kGnsGreen, "RESERVE");
    if (gns_line_toggles[GNS_R2] == kGnsToggleFirst)
        page.highlight(340.0f, 120.0f, gns_scratchpad, 6);
    else
        page.text(340.0f, 120.0f, kGnsGreen, gns_format("%6.0f", fuel_on_board_low_lb * f.k));
    page.marker[GNS_R2] = true;
    page.text(30.0f, 160.0f, kGnsGreen, "FLOW");
    page.text(340.0f, 160.0f, kGnsGreen, gns_format("%6.0f", f.flow * f.k));

    // Endurance and range need a flow to divide by.
    const bool moving = f.gs > 50.0;
    const bool endurance = moving && f.flow > 0.0;
    const double hours = endurance ? f.fob / f.flow : 0.0;
    std::string hours_text = "-----", range_text = "-----";
    if (endurance) {
        // Whole minutes, truncated.
        const HoursMinutes t = hours_minutes(hours * 60.0, Rounding::Down);
        hours_text = gns_format("%02.0f:%02.0f", t.hours, t.minutes);
        range_text = gns_format("%5.0f", hours * f.gs);
    }
    page.text(90.0f, 280.0f, kGnsBlue, "HOURS");
    page.text(360.0f, 280.0f, kGnsBlue, hours_text);
    page.text(90.0f, 320.0f, kGnsGreen, "RANGE");
    page.text(360.0f, 320.0f, kGnsGreen, range_text);
    page.text(90.0f, 360.0f, kGnsGreen, "NM/LB");
    page.text(380.0f, 360.0f, kGnsGreen, moving ? gns_format("%4.0f", f.flow / f.gs) : "----");
}

void trip_plan(GnsPage& page, const PlanFrame& f) {
    page.text(90.0f, 40.0f, kGnsWhite, "TRIP PLAN");
    page.text(30.0f, 80.0f, kGnsYellow, "DIRECT");
    page.text(340.0f, 80.0f, kGnsGreen, origin_ident(f));
    page.text(30.0f, 120.0f, kGnsMagenta, gns_format("TO %6s", to_ident(f).c_str()));
    page.text(340.0f, 120.0f, kGnsGreen, origin_ident(f));
    page.text(30.0f, 160.0f, kGnsGreen, "GS");
    page.text(400.0f, 160.0f, kGnsGreen, f.gs > 20.0 ? gns_format("%3.0f", f.gs) : "---");
    page.text(30.0f, 200.0f, kGnsGreen, "DIS/DTK");
    page.text(280.0f, 200.0f, kGnsGreen,
              distance_to_to_nm > 0.0 ? gns_format("%4.1f/%03.0f", distance_to_to_nm, leg_course_deg)
                                      : "------/---");
    // The core's times to go, rounded as a whole so that 59.6 minutes reads
    // 01:00, not 00:60.
    const HoursMinutes to_to = hours_minutes(60.0 * ete_to_hours + ete_to_min_part);
    const HoursMinutes to_destination = hours_minutes(60.0 * ete_dest_hours + ete_dest_min_part);
    page.text(30.0f, 240.0f, kGnsBlue, "ETE");
    page.text(360.0f, 240.0f, kGnsBlue,
              f.gs > 50.0 ? gns_format("%02.0f:%02.0f", to_to.hours, to_to.minutes) : "-----");
    page.text(30.0f, 280.0f, kGnsGreen, "FPL");
    const bool to_go = distance_to_destination > 0.0;
    page.text(240.0f, 280.0f, kGnsGreen, to_go ? gns_format("%5.0f/", distance_to_destination) : "-----/");
    page.text(360.0f, 280.0f, kGnsBlue,
              to_go && f.gs > 20.0 ? gns_format("%02.0f:%02.0f", to_destination.hours, to_destination.minutes)
                                   : "-----");
    page.text(30.0f, 320.0f, kGnsBlue,
              // A destination still to be entered reads as none.
              f.active && is_place(active_plan[active_plan_last])
                  ? "ETA @ " + active_plan[active_plan_last].ident
                  : std::string("ETA @ ----"));
    std::string eta = "------";
    if (f.gs > 50.0) {
        const HoursMinutes t =
            clock_after(aircraft_state.local_hours, aircraft_state.local_minutes, to_destination);
        eta = gns_format("%02.0f:%02.0f", t.hours, t.minutes);
    }
    page.text(360.0f, 340.0f, kGnsBlue, eta);
}

void fuel_plan(GnsPage& page, const PlanFrame& f) {
    page.text(120.0f, 40.0f, kGnsWhite, "FUEL PLAN");
    page.text(30.0f, 80.0f, kGnsYellow, "DIRECT");
    page.text(340.0f, 80.0f, kGnsGreen, origin_ident(f));
    page.text(30.0f, 120.0f, kGnsMagenta, "TO " + to_ident(f));
    page.text(340.0f, 120.0f, kGnsGreen, origin_ident(f));
    page.text(30.0f, 160.0f, kGnsGreen, "GS");
    page.text(400.0f, 160.0f, kGnsGreen, f.gs > 0.0 ? gns_format("%3.0f", f.gs) : "---");
    page.text(30.0f, 200.0f, kGnsGreen, "FLOW");
    page.text(380.0f, 200.0f, kGnsGreen, gns_format("%4.0f", f.flow));
    const bool moving = f.gs > 50.0;
    page.text(30.0f, 240.0f, kGnsGreen, "LEG FUEL");
    page.text(360.0f, 240.0f, kGnsGreen,
              moving ? gns_format("%5.0f", f.flow * (distance_to_to_nm / f.gs)) : "-----");
    page.text(30.0f, 280.0f, kGnsGreen, "FPL FUEL");
    page.text(360.0f, 280.0f, kGnsGreen,
              moving ? gns_format("%5.0f", f.flow * (distance_to_destination / f.gs)) : "-----");
}

void fuel_flow(GnsPage& page, const PlanFrame& f) {
    page.text(30.0f, 40.0f, kGnsWhite, "FUEL FLOW");
    // An engine shows while one of its two flow readings is above 0, which is
    // when the flow taken from them is.
    for (int e = 0; e < 4; ++e) {
        if (f.engine[e] <= 0.0) continue;
        const float y = 160.0f + 40.0f * static_cast<float>(e);
        page.text(30.0f, y, kGnsGreen, gns_format("ENGINE   %d", e + 1));
        page.text(380.0f, y, kGnsGreen, gns_format("%4.0f", f.engine[e]));
    }
    page.text(30.0f, 360.0f, kGnsGreen, "TOTAL");
    page.text(380.0f, 360.0f, kGnsGreen, gns_format("%4.0f", f.flow));
}

// Hours and minutes of an "HH:MM" text.
double clock_minutes(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return 0.0;
    return parse_double(text.substr(0, colon)) * 60.0 + parse_double(text.substr(colon + 1));
}

void date_and_times(GnsPage& page) {
    const SimVarReader& sim = sim_var_object;
    day_of_year_to_date(saturate_to_int(sim.get_day_of_year()), saturate_to_int(sim.get_year()));
    page.text(30.0f, 80.0f, kGnsBlue, "DATE");
    page.text(280.0f, 80.0f, kGnsBlue,
              gns_format("%02d %s %02.0f", date_day, date_month_text.c_str(), sim.get_year() - 2000.0));
    page.text(30.0f, 120.0f, kGnsBlue, "GMT");
    page.text(280.0f, 120.0f, kGnsBlue,
              gns_format("%02.0f:%02.0f", sim.get_zulu_hours(), sim.get_zulu_minutes()));
    page.text(30.0f, 200.0f, kGnsBlue, "TAKEOFF");
    page.text(380.0f, 200.0f, kGnsBlue, takeoff_time_text);
    page.text(30.0f, 240.0f, kGnsBlue, "LAND");
    if (landing_time_text.empty()) landing_time_text = "-----";
    page.text(380.0f, 240.0f, kGnsBlue, landing_time_text);
    if (takeoff_time_text.empty()) takeoff_time_text = "-----";
    std::string flight_time = "-----";
    if (takeoff_time_text != "-----") {
        const AircraftState& a = aircraft_state;
        double t = a.zulu_hours * 60.0 + a.zulu_minutes - clock_minutes(takeoff_time_text);
        if (t < 0.0) t += 1440.0;
        const HoursMinutes since = hours_minutes(t, Rounding::Down);
        flight_time = gns_format("%02.0f:%02.0f", since.hours, since.minutes);
    }
    page.text(30.0f, 320.0f, kGnsBlue, "FLIGHT TIME");
    page.text(380.0f, 320.0f, kGnsBlue, flight_time);
}

void aircraft_weight(GnsPage& page, const PlanFrame& f) {
    page.text(120.0f, 80.0f, kGnsWhite, "AIRCRAFT WEIGHT");
    page.text(30.0f, 160.0f, kGnsGreen, "BASIC OP WT");
    page.text(340.0f, 160.0f, kGnsGreen, gns_format("%6.0f", zero_fuel_weight_lb));
    page.text(30.0f, 200.0f, kGnsGreen, "PAYLOAD");
    page.text(340.0f, 200.0f, kGnsGreen, gns_format("%6.0f", payload_weight_lb));
    page.text(30.0f, 240.0f, kGnsGreen, "FUEL ON BOARD");
    page.text(340.0f, 240.0f, kGnsGreen, gns_format("%6.0f", f.fob));
    page.text(30.0f, 320.0f, kGnsGreen, "FUEL USED");
    page.text(360.0f, 320.0f, kGnsGreen,
              flight_log_start_fuel >= f.fob ? gns_format("%5.0f", flight_log_start_fuel - f.fob) : "-----");
    page.text(30.0f, 360.0f, kGnsGreen, "GROSS WEIGHT");
    page.text(340.0f, 360.0f, kGnsGreen, gns_format("%6.0f", f.fob + zero_fuel_weight_lb));
}

} // namespace

void gnsxls_plan_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    const SimVarReader& sim = sim_var_object;
    PlanFrame f;
    // The eight flow readings, every frame whatever the page.
    f.engine[0] = sim.get_eng1_fuel_flow();
    f.engine[1] = sim.get_eng2_fuel_flow();
    f.engine[2] = sim.get_eng3_fuel_flow();
    f.engine[3] = sim.get_eng4_fuel_flow();
    f.k = WeightUnit == "KGS" ? kKgPerLb : 1.0;
    f.gs = aircraft_state.ground_speed_kt;
    f.active =
        to_waypoint_index != kNoToWaypoint && to_waypoint_index >= 0 && to_waypoint_index <= kPlanLastIndex;

    page.text(150.0f, 0.0f, kGnsWhite, gns_format("PLAN %d/%d", gns_plan_page, 6));
    reserve_key();
    // The rest only for the page that shows it.
    const int p = gns_plan_page;
    if (p == 1 || p == 6) f.fob = sim.get_fuel_on_board_lb();
    if (p == 1 || p == 3 || p == 4) f.flow = sim.get_total_fuel_flow();
    switch (gns_plan_page) {
    case 1:
        fuel_status(page, f);
        break;
    case 2:
        trip_plan(page, f);
        break;
    case 3:
        fuel_plan(page, f);
        break;
    case 4:
        fuel_flow(page, f);
        break;
    case 5:
        date_and_times(page);
        break;
    case 6:
        aircraft_weight(page, f);
        break;
    default:
        break;
    }
    page.draw_markers(470.0f);
}

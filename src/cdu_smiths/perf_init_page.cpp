// PERF INIT and PERF LIMITS (page 3): weights, reserves, cost index, cruise
// altitude and wind, ISA deviation or top-of-climb temperature and the
// transition altitude on the first sub-page; the climb, cruise and descent
// speed and Mach limits on the second.
#include "cdu_smiths/cdu_modification.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/perf_init_values.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/math/air_data.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kLbPerKg = 2.20462262;
constexpr double kKgPerLb = 0.45359237;
constexpr double kMaxWeightLb = kMaxPlanWeightLb;
constexpr double kNotSet = -999.0;

bool weights_in_kg() {
    return WeightUnit == "KGS";
}
// An entry in thousands of the weight unit, in pounds.
double entered_weight_lb(double thousands) {
    const double w = thousands * 1000.0;
    return weights_in_kg() ? w * kLbPerKg : w;
}
// A weight in pounds, shown in thousands of the weight unit.
double shown_thousands(double lb) {
    return (weights_in_kg() ? lb * kKgPerLb : lb) / 1000.0;
}

void refuse() {
    smiths_scratchpad_message = "INVALID ENTRY";
}
void accept() {
    smiths_scratchpad.clear();
}

// The temperature lapse to the cruise altitude: 15 - 1.98 per whole 1000 ft.
double isa_at_cruise() {
    return 15.0 - 1.98 * static_cast<double>(cruise_altitude / 1000);
}

// A zero is a value only when typed as "0".
bool zero_typed_as_zero(double v) {
    return v != 0.0 || smiths_scratchpad == "0";
}

void enter_weight(double& stored_lb, bool below_thousand) {
    const double v = cdu_number(smiths_scratchpad);
    if (v <= 0.0 || (below_thousand && v >= 1000.0)) return refuse();
    const double lb = entered_weight_lb(v);
    if (lb > kMaxWeightLb) return refuse();
    stored_lb = lb;
    accept();
}

void enter_cost_index() {
    const double n = std::trunc(cdu_number(smiths_scratchpad));
    if (n < -1.0 || n > 200.0 || (n == 0.0 && smiths_scratchpad != "0")) return refuse();
    keep_executed_performance();
    cost_index = static_cast<int>(n);
    cdu_mark_modified();
    accept();
}

void enter_cruise_altitude() {
    const bool flight_level = smiths_scratchpad.compare(0, 2, "FL") == 0;
    if (flight_level) smiths_scratchpad.erase(0, 2);
    const double v = cdu_number(smiths_scratchpad);
    // Nothing the field cannot show: five digits of feet or FL999 (a refused
    // entry left in the scratchpad and typed on would read as millions of feet).
    if (!(v > 0.0 && v <= kMaxCruiseAltitudeEntryFt) || (flight_level && v >= 1000.0)) return refuse();
    int altitude = saturate_to_int(v);
    if (altitude < 1000) altitude *= 100;
    keep_executed_performance();
    cruise_altitude = altitude;
    cdu_mark_modified();
    accept();
}

void enter_cruise_wind() {
    const std::string& s = smiths_scratchpad;
    if (s.find('/') != 3 || s.size() < 5) return refuse();
    cruise_wind_direction = saturate_to_int(cdu_number(s.substr(0, 3)));
    cruise_wind_speed_kt = saturate_to_int(cdu_number(s.substr(4)));
    accept();
}

// ISA deviation (R3) or top-of-climb temperature (R4); each sets the other.
void enter_temperature(bool deviation) {
    if (smiths_scratchpad.empty()) return;
    const double v = cdu_number(smiths_scratchpad);
    if (!zero_typed_as_zero(v)) return refuse();
    if (deviation) {
        isa_deviation_c = v;
        toc_outside_air_temp = v + isa_at_cruise();
    } else {
        toc_outside_air_temp = v;
        isa_deviation_c = v - isa_at_cruise();
    }
    accept();
}

void enter_transition_altitude() {
    const double v = cdu_number(smiths_scratchpad);
    if (v <= 0.0) return refuse();
    TransAlt = saturate_to_int(v);
    accept();
}

void perf_init_key() {
    switch (smiths_cdu_lsk) {
    case 3:
        return enter_weight(zero_fuel_weight_lb, true);
    case 4:
        return enter_weight(fuel_on_board_low_lb, false);
    case 5:
        return enter_cost_index();
    case 6:
        return enter_cruise_altitude();
    case 7:
        return enter_cruise_wind();
    case 8:
        return enter_temperature(true);
    case 9:
        return enter_temperature(false);
    case 10:
        return enter_transition_altitude();
    case 11:
        if (route_state == kRouteStateActiveModified)
            erase_route_modification();
        else
            smiths_cdu_page = kPageInitRefIndex;
        return;
    case 12:
        smiths_cdu_page = kPageTakeoffRef;
        return;
    default:
        return;
    }
}

// "IAS/.MMM", a short Mach padded with zeros in the scratchpad itself.
void enter_speed_limit(double& ias, double& mach) {
    std::string& s = smiths_scratchpad;
    if (s.size() == 6)
        s += "00";
    else if (s.size() == 7)
        s += "0";
    if (s.size() < 6 || s.size() > 8 || s.compare(3, 2, "/.") != 0) return refuse();
    const double speed = std::trunc(cdu_number(s.substr(0, 3)));
    const double thousandths = std::trunc(cdu_number(s.substr(5, 3)));
    if (speed == 0.0 || thousandths == 0.0) return refuse();
    ias = speed;
    mach = thousandths / 1000.0;
    accept();
}

void perf_limits_key() {
    switch (smiths_cdu_lsk) {
    case 2:
        return enter_speed_limit(ClimbIasMin, climb_mach_min);
    case 3:
        return enter_speed_limit(CruiseIasMin, cruise_mach_min);
    case 4:
        return enter_speed_limit(DescentIasMin, descent_mach_min);
    case 7:
        return enter_speed_limit(ClimbIasMax, climb_mach_max);
    case 8:
        return enter_speed_limit(CruiseIasMax, cruise_mach_max);
    case 9:
        return enter_speed_limit(DescentIasMax, descent_mach_max);
    case 11:
        smiths_cdu_page = kPageInitRefIndex;
        return;
    case 12:
        smiths_cdu_page = kPageProgress;
        smiths_progress_subpage = 2;
        return;
    default:
        return;
    }
}

void boxes(CduPage& page, std::initializer_list<float> left, float y) {
    for (float x : left) {
        const gfx::PointF box[] = {{x, y}, {x + 5.0f, y}, {x + 5.0f, y + 10.0f}, {x, y + 10.0f}, {x, y}};
        page.g.draw_lines(page.pen, box);
    }
}

// "nn.n" weight prompt: two boxes, the point and a box.
void weight_prompt(CduPage& page, float y_box, float y_point) {
    boxes(page, {5, 15}, y_box);
    cdu_text(page, 20, y_point, CduFont::Large, ".");
    boxes(page, {30}, y_box);
}

// A temperature difference converts without the 32-degree offset; a
// temperature with it.
std::string temperature_text(double c, double f_offset) {
    if (c == kNotSet) return "- - - \xB0 F / - - - \xB0 C";
    return cdu_format("%-3.0f\xB0"
                      "F / %-3.0f\xB0"
                      "C",
                      c * 1.8 + f_offset, c);
}

void perf_init_rows(CduPage& page) {
    const double fuel_lb = sim_var_object.get_fuel_on_board_lb();

    cdu_text(page, 12, 22, CduFont::Small, "G W  /  C R Z  C G");
    cdu_text(page, 0, 33, CduFont::Large,
             cdu_format("%3.1f", shown_thousands(fuel_lb + zero_fuel_weight_lb)));
    cdu_text_right(page, 22, CduFont::Small, "C R Z   A L T");
    if (cruise_altitude == 0)
        boxes(page, {228, 238, 248, 258, 268}, 38);
    else if (cruise_altitude > TransAlt)
        cdu_text(page, 222, 33, CduFont::Large, cdu_format("FL%03d", cruise_altitude / 100));
    else
        cdu_text(page, 222, 33, CduFont::Large, cdu_format("%5d", cruise_altitude));

    cdu_text(page, 12, 55, CduFont::Small, "F U E L");
    if (fuel_lb == 0.0)
        weight_prompt(page, 71, 66);
    else
        cdu_text(page, 0, 66, CduFont::Large, cdu_format("%2.1f", shown_thousands(fuel_lb)));
    cdu_text(page, 190, 55, CduFont::Small, "C R Z   W I N D");
    if (cruise_wind_speed_kt < 1)
        cdu_text(page, 190, 66, CduFont::Large, "- - - \xB0 / - - -");
    else
        cdu_text(page, 200, 66, CduFont::Large,
                 cdu_format("%03d\xB0/%3d", cruise_wind_direction, cruise_wind_speed_kt));

    cdu_text(page, 12, 88, CduFont::Small, "ZFW");
    if (zero_fuel_weight_lb <= 0.0) {
        boxes(page, {5, 15, 25}, 104);
        cdu_text(page, 30, 99, CduFont::Large, ".");
        boxes(page, {40}, 104);
    } else {
        cdu_text(page, 0, 99, CduFont::Large, cdu_format("%3.1f", shown_thousands(zero_fuel_weight_lb)));
    }
    if (cruise_altitude > 0) {
        cdu_text(page, 200, 88, CduFont::Small, "I S A    D E V");
        cdu_text(page, 170, 103, CduFont::Large, temperature_text(isa_deviation_c, 0.0));
    }

    cdu_text(page, 12, 121, CduFont::Small, "R E S E R V E S");
    if (fuel_on_board_low_lb == 0.0)
        weight_prompt(page, 137, 132);
    else
        cdu_text(page, 0, 133, CduFont::Large, cdu_format("%2.1f", shown_thousands(fuel_on_board_low_lb)));
    if (cruise_altitude > 0) {
        cdu_text(page, 200, 121, CduFont::Small, "T / C    O A T");
        cdu_text(page, 170, 130, CduFont::Large, temperature_text(toc_outside_air_temp, 32.0));
    }

    cdu_text(page, 12, 151, CduFont::Small, "C O S T   I N D E X");
    if (cost_index == -1)
        boxes(page, {5, 15, 25}, 169);
    else
        cdu_text(page, 0, 165, CduFont::Large, cdu_format("%3d", cost_index));
    cdu_text_right(page, 151, CduFont::Small, "T R A N S   A L T");
    if (TransAlt < 1)
        boxes(page, {228, 238, 248, 258, 268}, 169);
    else
        cdu_text(page, 210, 165, CduFont::Large, cdu_format("%5d", TransAlt));
    cdu_text(page, 175, 198, CduFont::Large, "TAKEOFF >");
}

void perf_limits_rows(CduPage& page) {
    constexpr const char* kRow = "%3.0f /.%3.0f                     %3.0f / .%3.0f";
    cdu_text(page, 0, 22, CduFont::Small, "  T I M E    E R R O R    T O L E R A N C E");
    cdu_text(page, 12, 39, CduFont::Small, "   1 5    S E C    A T    R T A    W P T");
    cdu_text(page, 0, 55, CduFont::Small, "  M I N    S P D     - - C L B - -       M A X    S P D");
    cdu_text(page, 0, 71, CduFont::Large,
             cdu_format(kRow, ClimbIasMin, climb_mach_min * 1000.0, ClimbIasMax, climb_mach_max * 1000.0));
    cdu_text(page, 0, 88, CduFont::Small, "                            - -  C R Z - -");
    cdu_text(
        page, 0, 104, CduFont::Large,
        cdu_format(kRow, CruiseIasMin, cruise_mach_min * 1000.0, CruiseIasMax, cruise_mach_max * 1000.0));
    cdu_text(page, 0, 121, CduFont::Small, "                            - -  D E S - -");
    cdu_text(
        page, 0, 139, CduFont::Large,
        cdu_format(kRow, DescentIasMin, descent_mach_min * 1000.0, DescentIasMax, descent_mach_max * 1000.0));
    cdu_text(page, 205, 198, CduFont::Large, "RTA >");
}

} // namespace

void smiths_page_perf_init_keys() {
    cdu_step_subpage_once(smiths_perf_init_subpage, smiths_perf_init_subpage_count, true);
    if (smiths_perf_init_subpage == 1)
        perf_init_key();
    else
        perf_limits_key();
}

void smiths_page_perf_init(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const bool init = smiths_perf_init_subpage == 1;

    if (init && route_state == kRouteStateActive) cdu_text(page, 18, 0, CduFont::Large, "ACT");
    if (init && route_state == kRouteStateActiveModified) cdu_inverse_text(page, 20, 18, 0, "MOD");
    cdu_text(page, 63, 0, CduFont::Large, init ? "PERF  INIT" : "PERF  LIMITS");
    cdu_text(page, 220, 0, CduFont::Small,
             cdu_format("%2d / %2d", smiths_perf_init_subpage, smiths_perf_init_subpage_count));

    if (init)
        perf_init_rows(page);
    else
        perf_limits_rows(page);

    cdu_text(page, 0, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - -");
    // PERF LIMITS has no erase: its L6 always leads to the index.
    cdu_text(page, 0, 198, CduFont::Large,
             init && route_state == kRouteStateActiveModified ? "< ERASE" : "< INDEX");
    cdu_scratchpad_line(page);
}

// EFS50_EADI indications over the attitude: glideslope and course scales,
// mode words, radio altitude, decision height, "LOC", speed deviation and
// the marker beacon.
#include "pfd/efs50_eadi.h"

#include "fms/guidance/lateral_guidance.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace efs50 {
namespace {

// Formats one number into the display's 41-character text buffer; a value
// too wide for it is cut, never written past it.
std::string format(const char* f, double v) {
    char buf[41];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

void dot(Kit& kit, double x, double y, double size) {
    kit.g.draw_ellipse_i(kit.white2, x, y, size, size);
}

void draw_glideslope(Kit& kit) {
    if (sim_var_object.test_simvar_46_bit_64() == 0) return;
    dot(kit, 102, -55, 7);
    dot(kit, 104, -30, 4);
    dot(kit, 102, -5, 7);
    dot(kit, 104, 20, 4);
    dot(kit, 102, 45, 7);
    const double g = std::trunc(0.5 * aircraft_state.snap_token_41 - 11);
    fine_polyline(kit, kit.green2, {{110, g}, {120, g}, {120, g + 20}, {110, g + 20}, {110, g}});
    fine_fill(kit, kLightGreen, {{110, g + 5}, {100, g + 10}, {110, g + 15}});
    fine_text(kit, "G", 8, kWhite, 111, g);
    fine_text(kit, "S", 8, kWhite, 111, g + 10);
}

void draw_course_deviation(Kit& kit) {
    if (sim_var_object.test_simvar_46_bit_8() != 0) return;
    dot(kit, -70, 75, 7);
    dot(kit, -35, 77, 4);
    fine_polyline(kit, kit.white2, {{0, 75}, {3, 78}, {0, 81}, {-3, 78}, {0, 75}});
    dot(kit, 35, 77, 4);
    dot(kit, 70, 75, 7);
    const double x = std::trunc(aircraft_state.snap_token_40 / 1.54);
    fine_line(kit, kit.amber3, x, 73, x, 87);
}

void draw_modes(Kit& kit) {
    const AircraftState& a = aircraft_state;
    if (a.snap_token_103 != 1.0) return;
    fine_text(kit, "AP", 11, kLightGreen, -119, -114);
    if (a.snap_token_106 == 1)
        fine_text(kit, "HDG", 11, kLightGreen, -54, -114);
    else if (a.snap_token_105 == 1.0)
        fine_text(kit, "NAV", 11, kLightGreen, -54, -114);
    if (a.snap_token_112 == 1.0)
        fine_text(kit, "APR", 11, kLightGreen, -54, -104);
    else if (lnav_engaged == 1)
        fine_text(kit, "LNAV", 11, kLightGreen, -54, -104);
    if (a.snap_token_114 == 1.0) fine_text(kit, "YD", 11, kLightGreen, -119, -94);
    if (a.snap_token_108 == 1.0) {
        if (vnav_engaged == 1) fine_text(kit, "VNAV", 11, kWhite, 21, -114);
        fine_text(kit, "ALT", 11, kWhite, 28, -104);
    }
}

void draw_speed_deviation(Kit& kit) {
    const AircraftState& a = aircraft_state;
    const double deviation = a.ap_airspeed_target_kt - a.speed_smoothed;
    if (!(std::fabs(deviation) <= 50.0)) return;
    fine_text(kit, "F", 11, kWhite, -113, -54);
    fine_polyline(kit, kit.white2, {{-107, -39}, {-102, -32}, {-107, -25}, {-112, -32}, {-107, -39}});
    dot(kit, -111, -4, 4);
    fine_polyline(kit, kit.white2, {{-107, 21}, {-102, 28}, {-107, 35}, {-112, 28}, {-107, 21}});
    fine_text(kit, "S", 11, kWhite, -113, 41);
    const double y = 3 * std::clamp(std::trunc(deviation), -13.0, 13.0);
    fine_polyline(kit, kit.green2,
                  {{-125, y - 11}, {-115, y - 11}, {-115, y + 9}, {-125, y + 9}, {-125, y - 11}});
    fine_fill(kit, kLightGreen, {{-115, y - 6}, {-105, y - 1}, {-115, y + 4}});
    fine_text(kit, "A", 8, kWhite, -124, y - 11);
    fine_text(kit, "S", 8, kWhite, -124, y - 1);
}

void draw_marker(Kit& kit) {
    const double m = sim_var_object.get_simvar_354();
    const double y = m == 1 ? 46 : m == 2 ? 61 : m == 3 ? 76 : 0;
    if (y == 0) return;
    const gfx::Pen& pen = m == 1 ? kit.amber1 : m == 2 ? kit.blue1 : kit.white1;
    fine_polyline(
        kit, pen,
        {{-119, y}, {-104, y}, {-100, y + 7}, {-104, y + 13}, {-119, y + 13}, {-123, y + 7}, {-119, y}});
    if (m == 3)
        fine_text(kit, "IM", 11, kWhite, -119, y);
    else
        fine_text(kit, m == 1 ? "OM" : "MM", 10, kWhite, -121, y + 1);
}

} // namespace

void draw_indications(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    draw_glideslope(kit);
    draw_course_deviation(kit);
    draw_modes(kit);
    if (a.radio_altitude_ft >= -20.0 && a.radio_altitude_ft <= 2500.0) {
        fine_text(kit, format("%5.0f", a.radio_altitude_ft), 15, kWhite, 81, -114);
        fine_text(kit, "RA", 11, kWhite, 101, -99);
    }
    fine_text(kit, "DH", 11, kWhite, 81, 89);
    fine_text(kit, format("%3.0f", sim_var_object.get_decision_height_ft()), 13, kWhite, 71, 99);
    if (sim_var_object.test_simvar_46_bit_128() != 0) fine_text(kit, "LOC", 11, kWhite, 71, 61);
    draw_speed_deviation(kit);
    draw_marker(kit);
}

} // namespace efs50

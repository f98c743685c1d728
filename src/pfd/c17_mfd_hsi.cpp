// Format 0 of the C17_MFD, the HSI: a heading-up compass rose with the NAV1
// course pointer and deviation bar, the glideslope, heading bug, track
// marker, ADF and VOR bearing pointers, and the heading, course, distance,
// ground speed, source and TO/FROM fields.
#include "pfd/c17_mfd_nav_kit.h"
#include "pfd/c17_mfd_painters.h"

#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

namespace c17nav {

std::string card_label(int angle) {
    switch (angle) {
    case 0:
        return "N";
    case 90:
        return "E";
    case 180:
        return "S";
    case 270:
        return "W";
    default: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d", angle / 10);
        return buf;
    }
    }
}

} // namespace c17nav

namespace {

using namespace c17nav;

// A relative bearing made a bearing from north: 360 and above come down once.
double station_bearing(double relative, double heading) {
    const double b = relative + heading;
    return b >= 360.0 ? b - 360.0 : b;
}

void draw_fields(const Kit& k, bool nav1) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white1(kWhite, 1);
    char buf[64];
    k.frame();
    if (nav1) {
        std::snprintf(buf, sizeof buf, "%3.1f", a.nav1_dme_nm);
        k.g.draw_rectangle_i(white1, -120, -118, 25, 10);
        k.text(buf, 9, kGreen, -120, -118);
        k.text("DIST", 9, kWhite, -120, -106);
    }
    std::snprintf(buf, sizeof buf, "%03.0f", a.heading_deg);
    k.polyline(white1, {{-12, -118}, {-12, -103}, {12, -103}, {12, -118}, {-12, -118}});
    k.text(buf, 14, kGreen, -14, -118);
    k.text("M", 11, kWhite, 15, -118);
    std::snprintf(buf, sizeof buf, "%03.0f", a.nav1_course_deg);
    k.g.draw_rectangle_i(white1, 90, -118, 25, 10);
    k.text(buf, 9, kGreen, 93, -118);
    k.text("CRS", 9, kWhite, 90, -106);
    if (nav1) {
        const char* source = sim_var_object.test_simvar_46_bit_64() != 0    ? "ILS-1"
                             : sim_var_object.test_simvar_46_bit_128() != 0 ? "LOC-1"
                                                                            : "VOR-1";
        k.text(source, 9, kGreen, 80, 80);
        std::snprintf(buf, sizeof buf, "C %03.0f", a.nav1_course_deg);
        k.text(buf, 9, kGreen, 80, 90);
        std::snprintf(buf, sizeof buf, "D %.1f", sim_var_object.get_nav1_dme_nm());
        k.text(buf, 9, kGreen, 80, 100);
        k.text(sim_var_object.get_simvar_47_text(), 9, kGreen, 90, 110);
        // Bearing and course compared across north, so that 355 and 5 are
        // ten degrees apart.
        const double bearing = station_bearing(a.nav1_relative_bearing_deg, a.heading_deg);
        k.g.draw_rectangle_i(white1, -120, 80, 35, 10);
        k.text(bearing_is_to(bearing, a.nav1_course_deg) ? "TO" : "FROM", 9, kGreen, -120, 80);
    }
    std::snprintf(buf, sizeof buf, "GS %3.0f", a.ground_speed_kt);
    k.text(buf, 9, kGreen, -120, 110);
}

void draw_rose(const Kit& k) {
    const double heading = aircraft_state.heading_deg;
    const gfx::Pen white2(kWhite, 2);
    const gfx::Point symbol[3][2] = {{{0, -10}, {0, 15}}, {{-10, 0}, {10, 0}}, {{-5, 10}, {5, 10}}};
    k.frame();
    for (const auto& l : symbol)
        k.g.draw_line_i(white2, l[0].x, l[0].y, l[1].x, l[1].y);

    for (int angle = 0; angle < 360; angle += 5) {
        k.frame(angle - heading);
        if (angle % 30 != 0) {
            k.g.draw_line_i(white2, 0, -85, 0, -90);
            continue;
        }
        k.g.draw_line_i(white2, 0, -80, 0, -90);
        // Turned back about its own place so that it reads upright.
        k.g.translate_transform(0, -70);
        k.g.rotate_transform(static_cast<float>(heading - angle));
        k.text(card_label(angle), 14, kWhite, angle == 180 ? -7 : -10, -7);
    }
    k.frame();
    for (int mark = 0; mark < 8; ++mark) {
        if (mark > 0) k.g.rotate_transform(45);
        k.g.draw_line_i(white2, 0, -92, 0, -102);
    }
    k.g.draw_ellipse_i(white2, -90, -90, 180, 180);
}

void draw_course_pointer(const Kit& k) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white2(kWhite, 2), magenta2(kMagenta, 2), cyan2(kCyan, 2);
    k.frame(a.nav1_course_deg - a.heading_deg);
    for (const int x : {-53, -28, 22, 47})
        k.g.draw_ellipse_i(white2, x, -3, 6, 6);
    k.g.draw_line_i(magenta2, 0, -30, 0, -90);
    k.g.draw_line_i(magenta2, 0, 30, 0, 90);
    k.fill(kMagenta, {{0, -55}, {5, -50}, {-5, -50}});
    const int32_t d = saturate_to_int(a.snap_token_40 / 2.54);
    k.g.draw_line_i(magenta2, d, -30, d, 30);
    k.g.draw_line_i(cyan2, 0, -90, 0, -100);
    k.g.draw_line_i(cyan2, -5, -95, 5, -95);
}

void draw_glideslope(const Kit& k) {
    const gfx::Pen white1(kWhite, 1);
    k.frame();
    k.polyline(white1, {{111, 23}, {111, 27}, {119, 27}, {119, 23}, {111, 23}});
    for (const int y : {5, -15, 45, 65})
        k.g.draw_ellipse_i(white1, 113, y, 4, 4);
    const int32_t g = saturate_to_int(aircraft_state.snap_token_41 / 3.175 + 29.0);
    k.fill(kMagenta, {{115, g - 5}, {110, g}, {115, g + 5}, {120, g}});
}

void draw_pointers(const Kit& k, bool nav1) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen cyan2(kCyan, 2), green1(kGreen, 1), green2(kGreen, 2);

    k.frame(a.heading_bug_deg - a.heading_deg);
    k.polyline(cyan2, {{0, -90}, {-5, -90}, {-5, -95}, {0, -95}, {0, -90}, {5, -90}, {5, -95}, {0, -95}});

    k.frame(track_deg - a.heading_deg);
    k.polyline(green2, {{0, -90}, {-4, -94}, {0, -98}, {4, -94}, {0, -90}});

    if (a.adf1_signal > 0.0) {
        k.frame(a.adf1_relative_bearing_deg + 360.0);
        k.fill(kCyan, {{0, -90}, {5, -82}, {-5, -82}});
        k.g.draw_line_i(cyan2, 0, -60, 0, -90);
        k.g.draw_line_i(cyan2, 0, 60, 0, 90);
        k.g.draw_line_i(cyan2, 0, 81, 8, 87);
        k.g.draw_line_i(cyan2, 0, 81, -8, 87);
    }
    if (nav1 && sim_var_object.test_simvar_46_bit_128() == 0) {
        k.frame(station_bearing(a.nav1_relative_bearing_deg, a.heading_deg) - a.heading_deg);
        k.polyline(
            cyan2,
            {{-2, -30}, {-2, -50}, {-5, -50}, {0, -55}, {0, -90}, {0, -55}, {5, -50}, {2, -50}, {2, -30}});
        k.polyline(cyan2, {{-2, 30}, {-2, 50}, {0, 55}, {0, 90}, {0, 55}, {2, 50}, {2, 30}});
    }
    if (sim_var_object.get_nav2_signal() > 0.0) {
        k.frame(station_bearing(a.nav2_relative_bearing_deg, a.heading_deg) - a.heading_deg);
        k.polyline(green2, {{0, -60},
                            {-6, -60},
                            {-6, -65},
                            {-3, -65},
                            {-3, -85},
                            {0, -90},
                            {3, -85},
                            {3, -65},
                            {6, -65},
                            {6, -60},
                            {0, -60}});
        k.g.draw_line_i(green1, 0, -60, 0, -90);
        k.polyline(green2, {{0, 60},
                            {3, 65},
                            {3, 80},
                            {8, 85},
                            {8, 90},
                            {0, 85},
                            {-8, 90},
                            {-8, 85},
                            {-3, 80},
                            {-3, 65},
                            {0, 60}});
        k.g.draw_line_i(green1, 0, 60, 0, 90);
        k.g.draw_line_i(green2, 0, 81, 8, 88);
        k.g.draw_line_i(green2, 0, 81, -8, 88);
    }
}

} // namespace

void c17_mfd_draw_hsi(const DisplayObject& display, gfx::Graphics& g) {
    const Kit k{g, display};
    const bool nav1 = sim_var_object.get_nav1_signal() > 0.0;
    draw_fields(k, nav1);
    draw_rose(k);
    draw_course_pointer(k);
    if (sim_var_object.test_simvar_46_bit_64() != 0) draw_glideslope(k);
    draw_pointers(k, nav1);
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / 246.0f,
                      static_cast<float>(display.height) / 241.0f);
}

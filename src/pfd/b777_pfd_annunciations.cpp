// Top and bottom of the B777 PFD: mode annunciations, navigation source and
// DME, deviation scales, marker beacons and the heading scale.
#include "pfd/b777_pfd.h"

#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace b777 {
namespace {

int deviation_offset(double value) {
    return static_cast<int>(std::trunc(value / 3.735294117647059));
}

void dot(Kit& kit, int x, int y) {
    kit.g.draw_ellipse_i(kit.white2, x, y, 5, 5);
}

void diamond(Kit& kit, const std::array<gfx::Point, 4>& pts) {
    kit.g.fill_polygon_i(gfx::SolidBrush(kMagenta), pts);
}

void draw_markers(Kit& kit) {
    if (frame_slot >= 8) return;
    const double m = sim_var_object.get_simvar_354();
    if (m == 1.0) {
        frame_text(kit, "OM", 9, kRedFill, 50, -70);
        kit.g.draw_ellipse_i(kit.red2, 50, -73, 18, 18);
    } else if (m == 2.0) {
        frame_text(kit, "MM", 9, kAmber, 50, -70);
        kit.g.draw_ellipse_i(kit.amber2, 50, -73, 18, 18);
    } else if (m == 3.0) {
        frame_text(kit, "IM", 12, kWhite, 50, -70);
        kit.g.draw_ellipse_i(kit.white2, 50, -72, 17, 17);
    }
}

void rose_frame(Kit& kit, double rotation) {
    plain_frame(kit);
    kit.g.translate_transform(0, 230); // rose centre at canvas (115, 360)
    if (rotation != 0) kit.g.rotate_transform(static_cast<float>(rotation));
}

void draw_heading_scale(Kit& kit) {
    const AircraftState& a = aircraft_state;
    rose_frame(kit, 0);
    kit.g.fill_ellipse_i(gfx::SolidBrush(kit.tape), -130, -130, 260, 260);
    const std::array<gfx::Point, 4> index{{{0, -130}, {3, -136}, {-3, -136}, {0, -130}}};
    kit.g.draw_lines_i(kit.white1, index);

    rose_frame(kit, track_deg - a.heading_deg);
    kit.g.draw_line_i(kit.white2, 0, 0, 0, -130);
    kit.g.draw_line_i(kit.white1, -3, -111, 3, -111);

    rose_frame(kit, a.heading_bug_deg - a.heading_deg);
    const std::array<gfx::Point, 8> bug{
        {{0, -130}, {3, -134}, {5, -134}, {5, -130}, {-5, -130}, {-5, -134}, {-3, -134}, {0, -130}}};
    kit.g.draw_lines_i(kit.magenta1, bug);

    rose_frame(kit, 0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03.0f", a.heading_bug_deg);
    frame_text(kit, buf, 10, kMagenta, -30, -111);
    frame_text(kit, "H", 7, kMagenta, -12, -108);
    frame_text(kit, "MAG", 7, kGreen, 15, -108);

    for (int d = 0; d < 360; d += 5) {
        const double r = d - a.heading_deg;
        if (!((r > -55 && r < 55) || (r > 305 && r < 360) || (r > -360 && r < -305))) continue;
        rose_frame(kit, r);
        kit.g.draw_line_i(kit.white1, 0, -127, 0, -130);
        if (d % 10 != 0) continue;
        const int label = d / 10;
        std::snprintf(buf, sizeof buf, label == 0 ? "%d" : "%02d", label);
        const int offset = label == 0 ? -3 : -6;
        if (d % 30 == 0)
            frame_text(kit, buf, 10, kWhite, offset - 3, -127);
        else
            frame_text(kit, buf, 7, kWhite, offset, -127);
    }
}

} // namespace

void draw_annunciations(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    kit.g.fill_rectangle_i(gfx::SolidBrush(kit.tape), -73, -130, 150, 20);
    kit.g.draw_line_i(kit.white2, -23, -130, -23, -110);
    kit.g.draw_line_i(kit.white2, 25, -130, 25, -110);

    if (a.snap_token_115 == 1.0)
        frame_text(kit, "SPD", 13, kGreen, -70, -130);
    else if (a.snap_token_117 == 1.0)
        frame_text(kit, "MACH", 13, kGreen, -70, -130);

    if (a.snap_token_103 != 0)
        frame_text(kit, "A/P", 13, kGreen, -14, -90);
    else if (sim_var_object.get_simvar_792_int() != 0)
        frame_text(kit, "FLT DIR", 13, kGreen, -29, -90);

    if (a.snap_token_106 == 1) {
        if (lnav_engaged == 1)
            frame_text(kit, "LNAV", 12, kGreen, -18, -130);
        else
            frame_text(kit, "HDG SEL", 10, kGreen, -23, -130);
    } else if (lnav_engaged == 1) {
        frame_text(kit, "LNAV", 9, kWhite, -15, -118);
    }

    if (a.snap_token_108 == 1.0) {
        if (vnav_engaged == 1)
            frame_text(kit, a.snap_token_115 == 1.0 && VnavSetSpd == 1 ? "VNAV SPD" : "VNAV PTH", 9, kGreen,
                       27, -130);
        else
            frame_text(kit, "ALT", 12, kGreen, 30, -130);
    } else if (a.snap_token_112 == 1.0) {
        frame_text(kit, "APP", 12, kGreen, 30, -130);
    } else if (vnav_engaged == 1) {
        frame_text(kit, "VNAV", 9, kWhite, 30, -118);
    }
}

void draw_nav_source(Kit& kit) {
    if (sim_var_object.get_nav1_signal() <= 0) return;
    const AircraftState& a = aircraft_state;
    char buf[96];
    plain_frame(kit);
    std::snprintf(buf, sizeof buf, "%s/%3.0f\xB0", sim_var_object.get_simvar_47_text().c_str(),
                  a.nav1_course_deg);
    frame_text(kit, buf, 9, kWhite, -70, -100);
    std::snprintf(buf, sizeof buf, "DME %3.1f", a.nav1_dme_nm);
    frame_text(kit, buf, 9, kWhite, -70, -90);
}

void draw_deviations_and_heading(Kit& kit) {
    const AircraftState& a = aircraft_state;
    plain_frame(kit);
    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        for (int y : {-36, -19, 19, 36})
            dot(kit, 72, y);
        const int d = deviation_offset(a.snap_token_41);
        diamond(kit, {{{71, d}, {75, d - 5}, {79, d}, {75, d + 5}}});
        kit.g.draw_line_i(kit.white2, 70, 0, 82, 0);
    }
    if (sim_var_object.get_nav1_signal() > 0 && sim_var_object.test_simvar_46_bit_128() != 0) {
        for (int x : {-17, -32, 15, 32})
            dot(kit, x, 83);
        const int d = deviation_offset(a.snap_token_40);
        diamond(kit, {{{d, 81}, {d + 5, 85}, {d, 89}, {d - 5, 85}}});
        kit.g.draw_line_i(kit.white2, 0, 79, 0, 91);
    }
    draw_markers(kit);
    draw_heading_scale(kit);
}

} // namespace b777

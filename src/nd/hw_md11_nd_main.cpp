// The HW_MD11_ND compass in MAP, VOR and APP: aircraft symbol, the heading
// arc (MAP) or rose (VOR, APP), heading bug, bearing pointers, track marker,
// and in VOR and APP the course pointer with its deviation bar. It leaves
// the map window's clip set for the map layers drawn next.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/hw_md11_nd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

namespace c = palette;
using gfx::Point;

struct MainPainter {
    const DisplayObject& d;
    gfx::Graphics& g;
    int cx;
    int cy;

    void frame(double degrees, float x, float y) {
        set_design_frame(g, d, hw_md11_nd_design, x, y);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
    void about_centre(double degrees) { frame(degrees, static_cast<float>(cx), static_cast<float>(cy)); }
    void lines(const gfx::Pen& pen, std::initializer_list<Point> pairs) {
        const Point* p = pairs.begin();
        for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
            g.draw_line_i(pen, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
    }
};

double radio_bearing(double relative, double heading) {
    double b = relative + heading;
    if (b >= 360.0) b -= 360.0;
    return b;
}

void draw_aircraft(MainPainter& m) {
    m.about_centre(0.0);
    const Point outline[] = {{0, -15}, {2, -13}, {2, -5},   {14, -1}, {14, 3},   {2, 3},
                             {2, 13},  {6, 15},  {6, 17},   {-6, 17}, {-6, 15},  {-2, 13},
                             {-2, 3},  {-14, 3}, {-14, -1}, {-2, -5}, {-2, -13}, {0, -15}};
    m.g.draw_lines_i(gfx::Pen(c::white, 2.0f), outline);
    m.g.fill_ellipse_i(gfx::SolidBrush(c::white), -2, -3, 4, 4);
}

void set_map_clip(MainPainter& m) {
    m.about_centre(0.0);
    gfx::GraphicsPath path;
    path.add_arc_i(-150, -151, 300, 300, 217.0f, 106.0f);
    path.add_line_i(120, -90, 120, 10);
    path.add_line_i(120, 10, 83, 10);
    path.add_line_i(83, 10, 83, 67);
    path.add_line_i(83, 67, 34, 67);
    path.add_arc_i(-75, -75, 151, 151, 64.0f, 85.0f);
    path.add_line_i(-65, 38, -84, 38);
    path.add_line_i(-83, 38, -83, 10);
    path.add_line_i(-83, 10, -120, 10);
    path.add_line_i(-120, 10, -120, -90);
    path.close_figure();
    m.g.set_clip_path(path);
}

// True when the difference lies within the limit either side, across north included.
bool within(double d, double limit) {
    return std::fabs(fold_degrees_180(d)) < limit;
}

void draw_map_compass(MainPainter& m, double ppn) {
    const AircraftState& a = aircraft_state;
    const double hdg = a.heading_deg;
    m.about_centre(a.heading_bug_deg - hdg);
    const Point bug[] = {{0, -153},   {5, -158},   {10, -158}, {10, -150},
                         {-10, -150}, {-10, -158}, {-5, -158}, {0, -153}};
    m.g.fill_polygon_i(gfx::SolidBrush(c::white), bug);
    gfx::Pen dotted(c::white, 2.0f);
    dotted.dash_style = gfx::DashStyle::Dot;
    m.g.draw_line_i(dotted, 0, 0, 0, -153);

    m.about_centre(0.0);
    const gfx::Pen white2(c::white, 2.0f);
    m.g.draw_ellipse_i(white2, -150, -150, 300, 300);
    m.g.draw_ellipse_i(white2, -75, -75, 150, 150);
    set_map_clip(m);

    const gfx::FontFamily hw("HW Arial");
    const gfx::Font f10(hw, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush white(c::white);
    const gfx::Pen white1(c::white, 1.0f);
    for (int h = 0; h < 360; h += 5) {
        const double d = h - hdg;
        if (!within(d, 70.0)) continue;
        m.about_centre(d);
        m.g.draw_line_i(white1, 0, -143, 0, -150);
        if (h % 10 == 0) {
            char label[8];
            std::snprintf(label, sizeof label, "%02d", h / 10);
            m.g.draw_string(label, f10, white, gfx::PointF{-7.0f, -144.0f});
        }
    }
    if (hw_md11_nd_range == 10.0 && tcas_display_on == 1) {
        const gfx::FontFamily arial("Arial");
        const gfx::Font f15(arial, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
        for (int t = 0; t < 360; t += 30) {
            m.about_centre(t - hdg);
            m.g.draw_string("*", f15, white, gfx::PointF{0.0f, static_cast<float>(-(2.0 * ppn) - 5.0)});
        }
    }
    m.frame(track_deg - hdg, static_cast<float>(m.cx), 189.0f);
    const Point track[] = {{0, -160}, {4, -154}, {0, -148}, {-4, -154}, {0, -160}};
    m.g.draw_lines_i(gfx::Pen(c::green, 2.0f), track);

    const gfx::Pen blue(c::blue, 2.0f);
    double b = 0.0;
    bool pointer1 = false;
    if (hw_md11_nd_brg1_adf == 1 && a.adf1_signal > 1.0) {
        b = fold_degrees_360(a.adf1_relative_bearing_deg + hdg);
        pointer1 = true;
    } else if (hw_md11_vor1_pointer == 1 && sim_var_object.get_nav1_signal() > 0.0) {
        b = radio_bearing(a.nav1_relative_bearing_deg, hdg);
        pointer1 = true;
    }
    if (pointer1) {
        m.about_centre(b - hdg);
        if (within(b - hdg, 55.0))
            m.lines(blue, {{0, -70}, {0, -145}, {0, -135}, {-4, -130}, {0, -135}, {4, -130}});
        else
            m.lines(blue, {{0, -72}, {0, -40}, {0, -60}, {-4, -55}, {0, -60}, {4, -55}});
    }
    if (hw_md11_vor2_pointer == 1 && sim_var_object.get_nav2_signal() > 0.0) {
        const gfx::Pen green(c::green, 2.0f);
        b = radio_bearing(a.nav2_relative_bearing_deg, hdg);
        m.about_centre(b - hdg);
        if (within(b - hdg, 55.0))
            m.lines(green, {{0, -133},
                            {-4, -128},
                            {0, -133},
                            {4, -128},
                            {-2, -130},
                            {-2, -70},
                            {2, -130},
                            {2, -70},
                            {-2, -70},
                            {2, -70},
                            {0, -70},
                            {0, -65}});
        else
            m.lines(green, {{0, -72},
                            {0, -50},
                            {0, -55},
                            {-4, -50},
                            {0, -55},
                            {4, -50},
                            {-2, -53},
                            {-2, -37},
                            {2, -53},
                            {2, -37},
                            {-2, -37},
                            {2, -37},
                            {0, -37},
                            {0, -33}});
    }
}

void draw_rose(MainPainter& m, int mode) {
    const AircraftState& a = aircraft_state;
    const double hdg = a.heading_deg;
    const gfx::Pen white2(c::white, 2.0f);
    const gfx::Pen white1(c::white, 1.0f);
    const gfx::SolidBrush white(c::white);
    m.about_centre(0.0);
    m.g.draw_arc_i(white2, -150, -150, 300, 300, 230.0f, 82.0f);
    gfx::GraphicsPath clip;
    clip.add_ellipse_i(-150, -151, 300, 300);
    m.g.set_clip_path(clip);
    m.g.draw_ellipse_i(white2, -75, -75, 150, 150);

    const gfx::FontFamily hw("HW Arial");
    const gfx::Font f9(hw, 9.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    for (int h = 0; h < 360; h += 5) {
        m.about_centre(h - hdg);
        if (h % 30 == 0) {
            m.g.draw_line_i(white1, 0, -73, 0, -75);
            char label[8];
            std::snprintf(label, sizeof label, "%02d", h / 10);
            m.g.draw_string(label, f9, white, gfx::PointF{-7.0f, -74.0f});
        } else {
            m.g.draw_line_i(white1, 0, h % 10 == 0 ? -67 : -71, 0, -75);
        }
    }
    m.about_centre(a.heading_bug_deg - hdg);
    const Point bug[] = {{0, -78}, {4, -82}, {8, -82}, {8, -75}, {-8, -75}, {-8, -82}, {-4, -82}, {0, -78}};
    m.g.fill_polygon_i(white, bug);
    m.about_centre(0.0);
    const Point index[] = {{0, -74}, {3, -70}, {0, -66}, {-3, -70}, {0, -74}};
    m.g.draw_lines_i(gfx::Pen(c::green, 2.0f), index);

    const double nav1 = sim_var_object.get_nav1_signal();
    double b = 0.0;
    bool pointer1 = false;
    if (hw_md11_vor1_pointer == 1 && nav1 > 0.0) {
        b = radio_bearing(a.nav1_relative_bearing_deg, hdg);
        pointer1 = true;
    } else if (hw_md11_nd_brg1_adf == 1 && a.adf1_signal > 0.0) {
        b = fold_degrees_360(a.adf1_relative_bearing_deg + hdg);
        pointer1 = true;
    }
    if (pointer1) {
        m.about_centre(b - hdg);
        m.lines(gfx::Pen(c::blue, 2.0f), {{0, -72},
                                          {0, -40},
                                          {0, -60},
                                          {-4, -55},
                                          {0, -60},
                                          {4, -55},
                                          {0, 72},
                                          {0, 42},
                                          {0, 57},
                                          {-4, 62},
                                          {0, 57},
                                          {4, 62}});
    }
    if (hw_md11_vor2_pointer == 1 && sim_var_object.get_nav2_signal() > 0.0) {
        m.about_centre(radio_bearing(a.nav2_relative_bearing_deg, hdg) - hdg);
        m.lines(gfx::Pen(c::green, 2.0f),
                {{0, -72},  {0, -50}, {0, -55}, {-4, -50}, {0, -55}, {4, -50}, {-2, -53},
                 {-2, -37}, {2, -53}, {2, -37}, {-2, -37}, {2, -37}, {0, -37}, {0, -33},
                 {0, 35},   {0, 40},  {0, 40},  {-4, 45},  {0, 40},  {4, 45},  {-2, 57},
                 {-2, 42},  {2, 57},  {2, 42},  {2, 57},   {-2, 57}, {0, 57},  {0, 72}});
    }

    const double course = a.nav1_course_deg;
    m.about_centre(course - hdg);
    for (const int x : {-27, -52, 23, 48})
        m.g.draw_ellipse_i(white1, x, -2, 4, 4);
    const gfx::SolidBrush magenta(c::magenta);
    const Point head[] = {{0, -65}, {3, -57}, {-3, -57}};
    m.g.fill_polygon_i(magenta, head);
    const gfx::Pen magenta2(c::magenta, 2.0f);
    m.g.draw_line_i(magenta2, 0, -30, 0, -60);
    const int dev = static_cast<int>(std::trunc(a.snap_token_40 / 2.54));
    const bool bar = nav1 > 0.0 && (mode == kMd11NdModeVor || sim_var_object.test_simvar_46_bit_128() != 0);
    if (bar) {
        m.g.draw_line_i(magenta2, dev, -30, dev, 30);
        if (mode == kMd11NdModeVor) {
            const bool to = bearing_is_to(radio_bearing(a.nav1_relative_bearing_deg, hdg), course);
            const int s = to ? -1 : 1;
            const Point flag[] = {{dev, 32 * s}, {dev + 3, 24 * s}, {dev - 3, 24 * s}};
            m.g.fill_polygon_i(white, flag);
        }
    }
    m.g.draw_line_i(magenta2, 0, 30, 0, 60);
}

} // namespace

void draw_hw_md11_nd_main(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const int mode = hw_md11_nd_mode;
    MainPainter m{d, g, hw_md11_nd_centre_x, hw_md11_nd_centre_y};
    draw_aircraft(m);
    if (mode == kMd11NdModeMap)
        draw_map_compass(m, ppn);
    else if (mode == kMd11NdModeVor || mode == kMd11NdModeApp)
        draw_rose(m, mode);
}

// What the MD80_EHSI_NB painters draw through: the design frame about the
// compass centre (turned by a heading), the plain canvas frame, line pairs,
// and the bold faces of the arc formats.
#pragma once

#include "data/display_geometry.h"
#include "map/map_canvas.h"
#include "platform/gfx.h"

#include <cstddef>
#include <initializer_list>

struct Md80Frame {
    const DisplayObject& d;
    gfx::Graphics& g;
    // The rose of format 0 stands two units above the compass centre.
    bool rose = false;
    void at(double degrees) {
        set_design_frame(g, d, md80_ehsi_design, md80_compass_centre_x, rose ? 114.0 : md80_compass_centre_y);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
    void canvas() { set_design_frame(g, d, md80_ehsi_design, 0.0, 0.0); }
    // Lines between successive pairs of points.
    void lines(const gfx::Pen& pen, std::initializer_list<gfx::Point> ends) {
        const gfx::Point* p = ends.begin();
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            g.draw_line_i(pen, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
    }
};

// The faces of formats 1 to 3.
struct Md80ArcFonts {
    gfx::FontFamily family{"HW Arial"};
    gfx::Font f10{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f13{family, 13.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f18{family, 18.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
};

// ADF 1's pointer is drawn while switched on and its station is received.
bool md80_ehsi_adf_shown();
// In the canvas frame: "ADF1" with its arrow while ADF 1 is shown, and the
// NAV 1 source ("ILS" or "VOR") while it is received.
void draw_md80_ehsi_adf_label(Md80Frame& r, const gfx::Font& font);
void draw_md80_ehsi_nav_source(Md80Frame& r, const gfx::Font& font);
// The wind arrow in the frame in force, turned to where the wind blows.
void draw_md80_ehsi_wind_arrow(Md80Frame& r);

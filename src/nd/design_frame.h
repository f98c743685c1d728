// A display's design frame about a fixed centre, turned by a heading, and
// the line pairs drawn in it.
#pragma once

#include "map/map_canvas.h"
#include "platform/gfx.h"

#include <cstddef>
#include <initializer_list>

struct DesignFrame {
    const DisplayObject& d;
    gfx::Graphics& g;
    DesignSize design;
    double centre_x;
    double centre_y;
    // The frame at the centre, turned clockwise by degrees.
    void at(double degrees) {
        set_design_frame(g, d, design, centre_x, centre_y);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
    // Lines between successive pairs of points.
    void lines(const gfx::Pen& pen, std::initializer_list<gfx::Point> ends) {
        const gfx::Point* p = ends.begin();
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            g.draw_line_i(pen, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
    }
};

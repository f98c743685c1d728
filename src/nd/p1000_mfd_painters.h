// The P1000_MFD: its render pass and the painters it calls in order. The
// display redraws in part: a full fill only while display_refresh_counter is
// below 2, otherwise only the map areas are blackened and the data block
// repaints a value only when it differs from what this surface last showed.
#pragma once

#include "map/render_frame.h"

#include <cstdint>
#include <string>

extern DisplayObject p1000_mfd_display;

// (device context, element pixel size, view mode: 1 draw, 2 clear only, 3
// as 1 without the ATC-boundary layer).
void render_p1000_mfd(void* device_context, PixelSize size, int32_t view_mode);

// 1 while the traffic window is shown over the lower map.
bool p1000_tcas_window_shown();

// The map's clip: variant 1 the heading-up compass area, variant 2 the map
// area of the format in force; any other variant leaves the clip alone.
void set_p1000_mfd_clip(const DisplayObject& display, gfx::Graphics& graphics, int variant);
void draw_p1000_mfd_compass(const DisplayObject& display, gfx::Graphics& graphics);
// The heading-bug marker and its line, or the off-scale arrow.
void draw_capped_arrow(const DisplayObject& display, gfx::Graphics& graphics);
// The active route's legs; stores each visited waypoint's point (eighth
// pixels) in p1000_route_points for the labels drawn after it.
void draw_p1000_mfd_route(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Frame, rings, range box and own aircraft; leaves the window's clip set.
void draw_tcas_box(gfx::Graphics& graphics);

void draw_p1000_mfd_data_block(const DisplayObject& display, gfx::Graphics& graphics);
void draw_p1000_mfd_value_boxes(const DisplayObject& display, gfx::Graphics& graphics);

// A route waypoint's point on the P1000 map in eighth-pixel units, written
// by the route painter for the waypoints it visited this frame.
struct P1000ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};
inline P1000ScreenPoint p1000_route_points[201];

// The values the data block last painted on one surface: a partial frame
// repaints a value only when it differs from these. Unknown surfaces start
// with nothing painted (NaN differs from every value).
struct P1000PaintedValues {
    void* surface = nullptr;
    double true_airspeed = 0.0;
    double ground_speed = 0.0;
    double distance = 0.0;
    double minutes = 0.0;
    std::string to_ident; // as shown, cut to five characters
};
// The record of the surface the render pass is drawing (one per device
// context, a few kept); the painters read and update it.
P1000PaintedValues& p1000_painted_values();

// The C17_MFD render pass: restores the drawn unit's record, sets the compass
// geometry of its format, calls the format's painter, draws the route map of
// the map formats inside the format's window with the aircraft symbol on top,
// and saves the unit back.
#include "data/c17_mfd_state.h"
#include "data/pfd_settings.h"
#include "pfd/c17_mfd_painters.h"
#include "pfd/pfd_render_passes.h"

#include "map/palette.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"

#include <array>

DisplayObject c17_mfd_display;

namespace {

constexpr gfx::Argb kFrameWhite = palette::white;

// Radius and centre per format; formats without a painter (2, 7, 8, above
// 12) keep those of the last format drawn.
void set_compass_geometry(uint32_t format) {
    struct Geometry {
        int32_t radius, centre_y;
    };
    static constexpr Geometry table[13] = {{124, 121}, {100, 110}, {0, 0},    {172, 200}, {124, 132},
                                           {172, 35},  {100, 120}, {0, 0},    {0, 0},     {100, 121},
                                           {100, 121}, {100, 121}, {100, 121}};
    if (format > kC17FormatConfiguration || table[format].radius == 0) return;
    c17_compass_radius = table[format].radius;
    c17_compass_centre = C17CompassCentre{122, table[format].centre_y};
}

// The map window of formats 3 to 6, about the centre; format 6 has none, so
// its map leaves nothing on the screen.
gfx::GraphicsPath map_window(uint32_t format) {
    gfx::GraphicsPath p;
    if (format == kC17FormatMapWideArc) {
        p.add_arc_i(-172, -172, 344, 344, 225, 91);
        const std::array<gfx::Point, 6> rest{
            {{122, -122}, {122, -90}, {108, -90}, {108, 5}, {-122, 5}, {-122, -122}}};
        p.add_lines_i(rest);
    } else if (format == kC17FormatMapArc) {
        p.add_arc_i(-124, -124, 248, 248, 190, 141);
        const std::array<gfx::Point, 8> rest{
            {{108, -60}, {108, 60}, {60, 60}, {60, 95}, {-80, 95}, {-80, 60}, {-122, 60}, {-122, -22}}};
        p.add_lines_i(rest);
    } else if (format == kC17FormatMapBelow) {
        const std::array<gfx::Point, 5> rest{{{-122, -3}, {107, -3}, {107, 175}, {-122, 175}, {-122, -5}}};
        p.add_lines_i(rest);
    }
    p.close_figure();
    return p;
}

void centre_frame(gfx::Graphics& g, const DisplayObject& display) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / 246.0f,
                      static_cast<float>(display.height) / 241.0f);
    g.translate_transform(static_cast<float>(c17_compass_centre.x), static_cast<float>(c17_compass_centre.y));
}

void draw_painter(const DisplayObject& display, gfx::Graphics& g, double px_per_nm) {
    switch (c17_mfd_format) {
    case kC17FormatHsi:
        c17_mfd_draw_hsi(display, g);
        break;
    case kC17FormatPfd:
        c17_mfd_draw_pfd(display, g);
        break;
    case kC17FormatMapWideArc:
        c17_mfd_draw_map_format3(display, g);
        break;
    case kC17FormatMapArc:
        c17_mfd_draw_map_format4(display, g);
        break;
    case kC17FormatMapBelow:
        c17_mfd_draw_map_format5(display, g);
        break;
    case kC17FormatPlan:
        c17_mfd_draw_plan_grid(display, g, px_per_nm);
        break;
    case kC17FormatThrust:
        c17_mfd_draw_engine_thrust(display, g);
        break;
    case kC17FormatEpr:
        c17_mfd_draw_engine_epr(display, g);
        break;
    case kC17FormatOilFuel:
        c17_mfd_draw_engine_oil_fuel(display, g);
        break;
    case kC17FormatConfiguration:
        c17_mfd_draw_configuration(display, g);
        break;
    default:
        break;
    }
}

void draw_aircraft_symbol(gfx::Graphics& g, const gfx::Pen& pen) {
    g.draw_line_i(pen, 0, -5, 0, 15);
    g.draw_line_i(pen, -7, 0, 7, 0);
    g.draw_line_i(pen, -4, 10, 4, 10);
}

void paint(const DisplayObject& display, gfx::Graphics& g) {
    // A zero-sized element has no frame to map the canvas onto.
    if (display.width <= 0 || display.height <= 0) return;
    set_compass_geometry(c17_mfd_format);
    const double px_per_nm = c17_compass_radius / c17_map_range_nm;
    const gfx::Pen frame1(kFrameWhite, 2), frame2(kFrameWhite, 2);

    centre_frame(g, display);
    const gfx::GraphicsPath window = map_window(c17_mfd_format);
    draw_painter(display, g, px_per_nm);

    const uint32_t format = c17_mfd_format;
    if (format >= kC17FormatMapWideArc && format <= kC17FormatPlan) {
        centre_frame(g, display);
        g.set_clip_path(window);
        c17_mfd_draw_map(display, g, px_per_nm);
        g.reset_clip();
        centre_frame(g, display);
        if (format != kC17FormatPlan) draw_aircraft_symbol(g, frame1);
        if (format == kC17FormatMapArc) {
            g.draw_arc_i(frame1, -124, -124, 248, 248, 211, 120);
            g.draw_arc_i(frame2, -124, -124, 248, 248, 200, 11);
            g.draw_arc_i(frame2, -62, -62, 124, 124, 202, 350);
        }
    }
    if (c17_mfd_format == kC17FormatMapArc) c17_mfd_draw_heading_box(display, g);
}

} // namespace

void render_c17_mfd(void* device_context, PixelSize size, uint32_t unit) {
    const bool swaps = unit >= 1 && unit <= 4;
    if (swaps) load_c17_unit(unit);
    if (device_context == nullptr) return;
    RenderFrameOptions o;
    o.design_width = 246;
    o.design_height = 241;
    o.background = background_argb(c17_mfd_background_rgb);
    o.clear_mode = 0;
    const bool drawn = run_render_frame(c17_mfd_display, device_context, size, static_cast<int32_t>(unit),
                                        aircraft_state.display_power, o,
                                        [](gfx::Graphics& g) { paint(c17_mfd_display, g); });
    if (drawn && swaps) save_c17_current_unit();
}

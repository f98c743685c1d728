// The DU_1000_EHSI's data fields in modes 0, 1 and 3, in design
// coordinates from the top left: speeds, the NAV 1 source and course or the
// TO waypoint, the range-arc labels and the wind.
#include "data/display_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/du_1000_ehsi_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <string>

namespace {

namespace c = palette;
using nd::format;
using nd::text;

} // namespace

void draw_du_1000_ehsi_frame(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const int mode = du_1000_ehsi_mode;
    const double range = du_1000_ehsi_range;
    const gfx::FontFamily family("Arial");
    const gfx::Font f12(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::Font f15(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    set_design_frame(g, d, du_1000_ehsi_design, 0.0, 0.0);

    text(g, "GS", f12, c::green, 10, 0);
    text(g, a.ground_speed_kt >= 1.0 ? format("%3.0f", a.ground_speed_kt) : "---", f15, c::green, 40, 0);
    text(g, "TAS", f12, c::green, 10, 15);
    text(g, a.true_airspeed_est_kt > 1.0 ? format("%3.0f", a.true_airspeed_est_kt) : "---", f15, c::green, 40,
         15);

    if (mode == kEhsiModeCompass) {
        const std::string source = du_1000_ehsi_nav_source();
        if (!source.empty()) {
            text(g, source, f15, c::blue, 150, 0);
            if (source == "ILS") text(g, "G/S", f12, c::blue, 290, 45);
            text(g, format("%3.2f", sim_var_object.get_simvar_24_bcd_mhz()), f15, c::blue, 140, 15);
        }
    }
    if (mode == kEhsiModeCompass || mode == kEhsiModeArc) {
        text(g, "CRS", f12, c::blue, 250, 3);
        text(g, format("%03.0f\xB0", a.nav1_course_deg), f15, c::blue, 280, 0);
    }
    const int to = to_waypoint_index;
    if (mode == kEhsiModeMap && to != kNoToWaypoint && to >= 0 && to <= active_plan_last) {
        text(g, active_plan[to].ident, f12, c::green, 255, 0);
        text(g, format("%03.0f\xB0", course_to_to_deg), f12, c::green, 270, 12);
        const std::string distance = format("%.0fNM", distance_to_to_nm);
        text(g, distance, f12, c::green, 284.0 - (static_cast<double>(distance.size()) - 2.0) * 5.8, 24);
    }
    if (mode == kEhsiModeArc || mode == kEhsiModeMap) {
        text(g, format("%3.0f", 2.0 * range / 3.0), f15, c::blue, 12, 162);
        text(g, format("%3.0f", range / 3.0), f15, c::blue, 68, 217);
    }

    const bool wind = a.wind_speed_kt >= 1.0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03.0f/%-3.0f", a.wind_direction_deg, a.wind_speed_kt);
    text(g, wind ? std::string(buffer) : "---/---", f12, c::green, 0, 295);
    if (!wind) return;
    set_design_frame(g, d, du_1000_ehsi_design, 20.0, 285.0);
    g.rotate_transform(static_cast<float>(std::trunc(a.wind_direction_deg - a.heading_deg)));
    const gfx::Point head[] = {{0, -8}, {3, -5}, {-3, -5}};
    g.fill_polygon_i(gfx::SolidBrush(c::green), head);
    g.draw_line_i(gfx::Pen(c::green, 1.0f), 0, 8, 0, -8);
}

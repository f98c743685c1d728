// REF NAV DATA (page 28): the entry sub-page, then the data of the fix
// taken: a waypoint with its radial and distance from the aircraft, a
// navaid with its frequency, an airport with its elevation and a runway.
#include "cdu_smiths/ref_nav_data_page.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_position_text.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearest_vors.h"
#include "fms/procedures/airport_detail.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr float kScreenRight = 280.0f;

void draw_entry(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "W P T    I D E N T        N A V A I D    I D E N T");
    cdu_text(page, 0, 33, CduFont::Large, "- - - - -");
    cdu_text(page, 12, 60, CduFont::Small, "A I R P O R T    I D E N T");
    cdu_text(page, 0, 71, CduFont::Large, "- - - - -");
    cdu_text(page, 120, 198, CduFont::Large, "NAV    OPTIONS>");
}

// The fix's own position, on every data sub-page.
void draw_position(CduPage& page, const NavRecord& fix) {
    cdu_text(page, 12, 88, CduFont::Small, "L A T I T U D E");
    cdu_text(page, 0, 99, CduFont::Large, cdu_latitude_text(fix.latitude));
    cdu_text(page, 150, 88, CduFont::Small, "L O N G I T U D E");
    cdu_text(page, 145, 99, CduFont::Large, cdu_longitude_text(fix.longitude));
}

void draw_waypoint(CduPage& page, const NavRecord& fix) {
    cdu_text(page, 12, 22, CduFont::Small, "W P T    I D E N T");
    cdu_text(page, 0, 33, CduFont::Large, fix.ident);
    cdu_text(page, 12, 122, CduFont::Small, "M A G    V A R");
    cdu_text(page, 0, 133, CduFont::Large, "- - -");
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, fix.latitude, fix.longitude, &distance, &course);
    cdu_text(page, 140, 155, CduFont::Small, "R A D I A L / D I S T");
    cdu_text(page, 165, 166, CduFont::Large,
             cdu_format("%03.0f\xB0/%3.0f", magnetic_course(course), distance));
}

void draw_navaid(CduPage& page, const NavRecord& fix) {
    cdu_text(page, 150, 22, CduFont::Small, "N A V A I D    I D E N T");
    cdu_text(page, 220, 33, CduFont::Large, fix.ident);
    cdu_text(page, 12, 122, CduFont::Small, "F R E Q");
    cdu_text(page, 0, 133, CduFont::Large, cdu_format("%6s", fix.extra.c_str()));
    cdu_text(page, 12, 155, CduFont::Small, "M A G    V A R");
    cdu_text(page, 0, 166, CduFont::Large, "- - -");
}

// The runway looked up stands in the first row, its length in feet and
// metres below the elevation.
void draw_airport(CduPage& page, const NavRecord& fix) {
    cdu_text(page, 12, 22, CduFont::Small, "R U N W A Y");
    cdu_text(page, 0, 33, CduFont::Large, ref_nav_runway_ident.empty() ? "- - -" : ref_nav_runway_ident);
    cdu_text(page, 12, 60, CduFont::Small, "A I R P O R T    I D E N T");
    cdu_text(page, 0, 71, CduFont::Large, fix.ident);
    cdu_text(page, 150, 133, CduFont::Small, "E L E V A T I O N");
    cdu_text(page, 150, 144, CduFont::Large, cdu_format("%s FT", fix.elevation_text.c_str()));
    cdu_text(page, 12, 155, CduFont::Small, "M A G    V A R");
    cdu_text(page, 0, 166, CduFont::Large, "- - -");
    if (!runway_ref_text.empty()) {
        const int metres = saturate_to_int(std::atoi(runway_ref_text.c_str()) * 0.3048);
        const std::string line = cdu_format("%sFT %-5dM", runway_ref_text.c_str(), metres);
        // A long runway's line moves left until it ends at the screen's edge
        // (an overlong text keeps its start on the screen).
        gfx::RectF box;
        page.g.measure_string(line, page.large, gfx::RectF{0.0f, 0.0f, 1000.0f, 50.0f}, gfx::StringFormat{},
                              &box);
        cdu_text(page, std::clamp(kScreenRight - box.width, 0.0f, 150.0f), 166, CduFont::Large, line);
    }
}

} // namespace

void smiths_page_ref_nav_data_keys() {
    ref_nav_data_act(ref_nav_kind);
}

void smiths_page_ref_nav_data(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const int shown = ref_nav_kind;
    const NavRecord& fix = ref_nav_fix;
    cdu_text(page, 63, 0, CduFont::Large, "REF  NAV  DATA");
    if (shown == kRefNavFix)
        draw_waypoint(page, fix);
    else if (shown == kRefNavNavaid)
        draw_navaid(page, fix);
    else if (shown == kRefNavAirport)
        draw_airport(page, fix);
    else
        draw_entry(page);
    if (shown >= kRefNavFix && shown <= kRefNavAirport) draw_position(page, fix);
    cdu_text(page, 0, 184, CduFont::Large, "- - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "< INDEX");
    cdu_scratchpad_line(page);
}

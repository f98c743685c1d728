#include "gauges/p1000_keys.h"

#include "data/aircraft_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/math/air_data.h"
#include "fms/perf/speed_targets.h"
#include "fms/units/update_counters.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <iterator>

namespace {

// A key or knob makes the next update start a full redraw, so that legends
// and pages drawn only then follow the change.
constexpr int kForceFullRedraw = 999;

bool vnav_layer() {
    return p1000_controller_present != 0;
}

void flip(int& flag) {
    flag = flag == 0 ? 1 : 0;
}

void select_vnav_field(int distance, int elevation, int angle) {
    p1000_vnav_distance_select = distance;
    p1000_vnav_elevation_select = elevation;
    p1000_vnav_angle_select = angle;
}

// The knob's step of the selected field, then the vertical speed again.
void step_vnav_fields(bool up) {
    if (p1000_mfd_page == kP1000PageVnav) {
        if (p1000_vnav_distance_select > 0) {
            if (up)
                p1000_vnav_distance_nm += 1.0;
            else if (p1000_vnav_distance_nm > 0.0)
                p1000_vnav_distance_nm -= 1.0;
        }
        if (p1000_vnav_elevation_select == 1) {
            if (up)
                p1000_vnav_elevation_ft += 100.0;
            else if (p1000_vnav_elevation_ft >= 100.0)
                p1000_vnav_elevation_ft -= 100.0;
        }
        if (p1000_vnav_angle_select == 1) {
            FPA = up ? std::min(FPA + 0.1, 6.0) : std::max(FPA - 0.1, 0.0);
            // The angle, once stepped, is what the vertical speed follows.
            p1000_vnav_distance_nm = 0.0;
            p1000_vnav_elevation_ft = 0.0;
        }
        p1000_vnav_vs_fpm = p1000_vnav_vertical_speed();
    }
    display_refresh_counter = kForceFullRedraw;
}

constexpr double kRangesUp[] = {0.5, 1.0, 2.5, 5.0, 12.5, 25.0, 40.0, 80.0, 160.0};

// Exact rungs: a range set off the ladder by another source starts again
// at the ladder's end.
double next_range(double range, bool up) {
    const auto* end = std::end(kRangesUp);
    const auto* at = std::find(std::begin(kRangesUp), end, range);
    constexpr int last = static_cast<int>(std::size(kRangesUp)) - 1;
    if (at == end) return up ? kRangesUp[0] : kRangesUp[last];
    const int i = static_cast<int>(at - std::begin(kRangesUp));
    if (up) return i == last ? kRangesUp[0] : kRangesUp[i + 1];
    return i == 0 ? kRangesUp[last] : kRangesUp[i - 1];
}

void step_range(bool up) {
    if (tcas_display_on == 1 && DrawTcasWindowOnP1000MFD == 1) {
        double r = next_range(p1000_tcas_window_range, up);
        // The traffic window keeps to 5 .. 40 NM.
        if (up && r > 40.0) r = 5.0;
        if (!up && r < 5.0) r = 40.0;
        p1000_tcas_window_range = r;
    } else {
        p1000_mfd_range = next_range(p1000_mfd_range, up);
    }
}

template <void (*Action)()> int32_t ORVEX_FSAPI handler(PixPoint*, uint32_t) {
    Action();
    return 0;
}

void key1() {
    if (!vnav_layer()) {
        toggle_nd_airports();
    } else if (p1000_mfd_page == kP1000PageVnav) {
        p1000_mfd_page = kP1000PageMain;
        p1000_vnav_distance_select = 0;
        p1000_vnav_elevation_select = 0;
    }
    display_refresh_counter = kForceFullRedraw;
}

void key2() {
    if (!vnav_layer()) {
        toggle_nd_navaids();
    } else if (p1000_mfd_page == kP1000PageMain) {
        p1000_mfd_page = kP1000PageVnav;
        p1000_vnav_vs_fpm = p1000_vnav_vertical_speed();
    } else if (p1000_mfd_page == kP1000PageVnav) {
        select_vnav_field(p1000_vnav_distance_select == 1 ? 2 : 1, 0, 0);
    }
    display_refresh_counter = kForceFullRedraw;
}

void key3_vnav() {
    if (p1000_mfd_page == kP1000PageVnav) select_vnav_field(0, 1, 0);
    display_refresh_counter = kForceFullRedraw;
}

void key3() {
    // The bezel's key flips only the P1000's own filter, which its map does
    // not draw.
    if (!vnav_layer()) flip(show_airway_fixes_flags[ND_P1000]);
    key3_vnav();
}

void nb_cntr_key3() {
    if (!vnav_layer()) toggle_nd_intersections();
    key3_vnav();
}

void key4() {
    if (!vnav_layer()) {
        toggle_nd_tcas();
    } else if (p1000_mfd_page == kP1000PageVnav) {
        select_vnav_field(0, 0, 1);
        p1000_vnav_distance_nm = 0.0;
        p1000_vnav_elevation_ft = 0.0;
    }
    display_refresh_counter = kForceFullRedraw;
}

void key5() {
    if (!vnav_layer()) toggle_boundary_overlay_pair();
    display_refresh_counter = kForceFullRedraw;
}

void knob_inc() {
    step_vnav_fields(true);
}
void knob_dec() {
    step_vnav_fields(false);
}

void format_key() {
    if (p1000_mfd_plan_mode == kP1000PlanModeOff) {
        p1000_mfd_plan_mode = kP1000PlanModeNorthUp;
    } else {
        p1000_mfd_plan_mode = kP1000PlanModeOff;
        p1000_map_centre_x = 134;
        p1000_map_centre_y = 148;
        p1000_map_radius = 53;
    }
    display_refresh_counter = kForceFullRedraw;
}

void tcas_key() {
    if (tcas_display_on == 0) {
        tcas_display_on = 1;
    } else if (tcas_display_on == 1) {
        tcas_display_on = 0;
        display_refresh_counter = kForceFullRedraw;
    }
}

void apt_key() {
    flip(show_airports_flags[ND_P1000]);
}
void nav_key() {
    flip(show_navaids_flags[ND_P1000]);
}

} // namespace

double p1000_vnav_vertical_speed() {
    const double nm_per_minute = ias_to_tas(descent_speed_target, 15000.0) / 60.0;
    if (p1000_vnav_elevation_ft > 0.0 && p1000_vnav_distance_nm > 0.0)
        return (p1000_vnav_elevation_ft - aircraft_state.indicated_altitude_ft) /
               (p1000_vnav_distance_nm / nm_per_minute);
    return FPA * 100.0 * nm_per_minute;
}

void p1000_step_range_up() {
    step_range(true);
}
void p1000_step_range_down() {
    step_range(false);
}

int32_t ORVEX_FSAPI p1000_vnav_knob_inc(PixPoint* p, uint32_t f) {
    return handler<knob_inc>(p, f);
}
int32_t ORVEX_FSAPI p1000_vnav_knob_dec(PixPoint* p, uint32_t f) {
    return handler<knob_dec>(p, f);
}
int32_t ORVEX_FSAPI p1000_key1(PixPoint* p, uint32_t f) {
    return handler<key1>(p, f);
}
int32_t ORVEX_FSAPI p1000_key2(PixPoint* p, uint32_t f) {
    return handler<key2>(p, f);
}
int32_t ORVEX_FSAPI p1000_key3(PixPoint* p, uint32_t f) {
    return handler<key3>(p, f);
}
int32_t ORVEX_FSAPI p1000_nb_cntr_key3(PixPoint* p, uint32_t f) {
    return handler<nb_cntr_key3>(p, f);
}
int32_t ORVEX_FSAPI p1000_key4(PixPoint* p, uint32_t f) {
    return handler<key4>(p, f);
}
int32_t ORVEX_FSAPI p1000_key5(PixPoint* p, uint32_t f) {
    return handler<key5>(p, f);
}
int32_t ORVEX_FSAPI p1000_range_knob_up(PixPoint* p, uint32_t f) {
    return handler<map_range_up>(p, f);
}
int32_t ORVEX_FSAPI p1000_range_knob_down(PixPoint* p, uint32_t f) {
    return handler<map_range_down>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_format_key(PixPoint* p, uint32_t f) {
    return handler<format_key>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_tcas_key(PixPoint* p, uint32_t f) {
    return handler<tcas_key>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_range_up(PixPoint* p, uint32_t f) {
    return handler<p1000_step_range_up>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_range_down(PixPoint* p, uint32_t f) {
    return handler<p1000_step_range_down>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_apt_key(PixPoint* p, uint32_t f) {
    return handler<apt_key>(p, f);
}
int32_t ORVEX_FSAPI p1000_cntr_nav_key(PixPoint* p, uint32_t f) {
    return handler<nav_key>(p, f);
}

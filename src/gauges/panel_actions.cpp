#include "gauges/panel_actions.h"

#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "map/range_ladder.h"
#include "sim/sim_var_reader.h"

namespace {

void flip(int& flag) {
    flag = flag == 0 ? 1 : 0;
}

// The EFS50 ladders, compared exactly: a value set elsewhere (an [Lvars]
// range of 60) is off the ladder and restarts it.
constexpr double kEfs50MapRanges[] = {0.5, 1.0, 2.5, 5.0, 12.5, 25.0, 40.0, 80.0, 160.0};
constexpr double kEfs50TrafficRanges[] = {2.0, 5.0, 10.0, 20.0, 40.0};

template <std::size_t N> void ring_step(double& range, const double (&ladder)[N], bool up) {
    for (std::size_t i = 0; i < N; ++i) {
        if (range == ladder[i]) {
            range = up ? ladder[(i + 1) % N] : ladder[(i + N - 1) % N];
            return;
        }
    }
    range = up ? ladder[0] : ladder[N - 1];
}

void efs50_range_step(bool up) {
    if (efs50_ehsi_mode == kEfs50EhsiModeTcas)
        ring_step(efs50_tcas_range, kEfs50TrafficRanges, up);
    else
        ring_step(efs50_ehsi_range, kEfs50MapRanges, up);
}

void efs50_brg_step(int& source) {
    source = source >= 0 && source < 3 ? source + 1 : 0;
}

void proline4_brg_step(int& source) {
    if (source >= 0 && source <= 3) source = (source + 1) % 4;
}

} // namespace

void efs50_hsi_button() {
    efs50_ehsi_mode = efs50_ehsi_mode == kEfs50EhsiModeHsi || efs50_ehsi_mode == kEfs50EhsiModeRoseMapWxOff
                          ? efs50_ehsi_mode + 1
                          : kEfs50EhsiModeHsi;
}

void efs50_map_button() {
    efs50_ehsi_mode = efs50_ehsi_mode >= kEfs50EhsiModeArc && efs50_ehsi_mode <= kEfs50EhsiModeArcMapWxOff
                          ? efs50_ehsi_mode + 1
                          : kEfs50EhsiModeArc;
}

void efs50_nav_source_button() {
    efs50_nav_source = efs50_nav_source == kEfs50NavSourceVor ? kEfs50NavSourceFms : kEfs50NavSourceVor;
}

void efs50_brg1_button() {
    efs50_brg_step(efs50_brg1_source);
}
void efs50_brg2_button() {
    efs50_brg_step(efs50_brg2_source);
}

void efs50_range_up_button() {
    efs50_range_step(true);
}
void efs50_range_down_button() {
    efs50_range_step(false);
}

void a300_ndb_button() {
    flip(du_1000_ehsi_show_ndbs);
}

void md80_adf_button() {
    flip(md80_ehsi_adf1_pointer_on);
}

void md11_map_button() {
    hw_md11_nd_mode = kMd11NdModeMap;
    hw_md11_nd_compass_radius = 150;
}
void md11_plan_button() {
    hw_md11_nd_mode = kMd11NdModePlan;
    hw_md11_nd_compass_radius = 94;
}
void md11_vor_button() {
    hw_md11_nd_mode = kMd11NdModeVor;
}
void md11_app_button() {
    hw_md11_nd_mode = kMd11NdModeApp;
}
void md11_blank_button() {}

void md11_brg1_vor_button() {
    if (hw_md11_vor1_pointer != 0) {
        hw_md11_vor1_pointer = 0;
    } else {
        hw_md11_nd_brg1_adf = 0;
        hw_md11_vor1_pointer = 1;
    }
}

void md11_brg1_adf_button() {
    if (hw_md11_nd_brg1_adf != 0) {
        hw_md11_nd_brg1_adf = 0;
    } else {
        hw_md11_vor1_pointer = 0;
        hw_md11_nd_brg1_adf = 1;
    }
}

void md11_brg2_vor_button() {
    flip(hw_md11_vor2_pointer);
}

void b737_range_arcs_button() {
    flip(hw_b737_nd_range_arcs_on);
}

void proline4_brg1_button() {
    proline4_brg_step(proline4_mfd_brg1_source);
}
void proline4_brg2_button() {
    proline4_brg_step(proline4_mfd_brg2_source);
}
void proline4_ndb_button() {
    flip(proline4_mfd_show_ndbs);
}

void efs50_knob_event_left() {
    sim_var_object.send_efs50_knob_left();
}
void efs50_knob_event_right() {
    sim_var_object.send_efs50_knob_right();
}
void efs50_knob_event_up() {
    sim_var_object.send_efs50_knob_up();
}
void efs50_knob_event_down() {
    sim_var_object.send_efs50_knob_down();
}
void decision_height_up() {
    sim_var_object.send_decision_height_inc();
}
void decision_height_down() {
    sim_var_object.send_decision_height_dec();
}

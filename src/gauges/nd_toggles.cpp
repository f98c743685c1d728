#include "gauges/nd_toggles.h"

#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "gauges/lvar_poll.h"
#include "gauges/named_publish.h"

#include <iterator>

namespace {

int flipped(int flag) {
    return flag == 0 ? 1 : 0;
}

void flip_all(int (&flags)[ND_DISPLAY_COUNT], const char* published) {
    for (int& f : flags)
        f = flipped(f);
    publish_named_whole(published, flags[ND_HW_B737]);
}

void set_all(int (&flags)[ND_DISPLAY_COUNT], int v, const char* published, int& applied) {
    for (int& f : flags)
        f = v;
    publish_named_whole(published, v);
    applied = v;
}

constexpr int KEPT = -1;

struct ModeRow {
    int hw_b737, efs50, du_1000, proline4, md80, hw_md11;
};
// Common modes kNdModeCompass .. kNdModeCtrMap in each display's numbering.
constexpr ModeRow kModeRows[] = {
    {kB737NdModeCompass, kEfs50EhsiModeHsi, kEhsiModeCompass, kProline4ModeNav, kEhsiModeCompass, KEPT},
    {kB737NdModeArc, kEfs50EhsiModeArc, kEhsiModeArc, kProline4ModeArc, kEhsiModeArc, KEPT},
    {kB737NdModePlan, kEfs50EhsiModeArcWxOff, kEhsiModePlan, kProline4ModePlanText, kEhsiModePlan,
     kMd11NdModePlan},
    {kB737NdModeMap, kEfs50EhsiModeArcMap, kEhsiModeMap, kProline4ModeMap, kEhsiModeMap, kMd11NdModeMap},
    {kB737NdModeVor, kEfs50EhsiModeRoseMapWxOff, KEPT, KEPT, KEPT, kMd11NdModeVor},
    {kB737NdModeApp, KEPT, KEPT, KEPT, KEPT, kMd11NdModeApp},
    {kB737NdModeCtrMap, KEPT, KEPT, KEPT, KEPT, KEPT},
};

void apply(int& mode, int value) {
    if (value != KEPT) mode = value;
}

// A four-mode ladder compass -> arc -> map -> plan (DU_1000_EHSI and MD80_EHSI).
void step_four_up(int& mode) {
    if (mode == kEhsiModeCompass)
        mode = kEhsiModeArc;
    else if (mode == kEhsiModeArc)
        mode = kEhsiModeMap;
    else if (mode == kEhsiModeMap)
        mode = kEhsiModePlan;
}
void step_four_down(int& mode) {
    if (mode == kEhsiModeArc)
        mode = kEhsiModeCompass;
    else if (mode == kEhsiModePlan)
        mode = kEhsiModeMap;
    else if (mode == kEhsiModeMap)
        mode = kEhsiModeArc;
}

void set_proline4_mode(int mode) {
    proline4_mfd_mode = mode;
    if (mode == kProline4ModeMap) proline4_map_radius_px = 140;
    if (mode == kProline4ModePlanText) proline4_map_radius_px = 70;
}

bool chosen(int kind, int display) {
    return kind == DISPLAY_ALL || kind == display;
}

} // namespace

void toggle_nd_airports() {
    flip_all(show_airports_flags, "orvex_nd_apt");
}
void toggle_nd_navaids() {
    flip_all(show_navaids_flags, "orvex_nd_nav");
}
void toggle_nd_intersections() {
    flip_all(show_airway_fixes_flags, "orvex_nd_int");
}

void set_nd_airports(int v) {
    set_all(show_airports_flags, v, "orvex_nd_apt", lvar_applied_apts);
}
void set_nd_navaids(int v) {
    set_all(show_navaids_flags, v, "orvex_nd_nav", lvar_applied_navs);
}
void set_nd_intersections(int v) {
    set_all(show_airway_fixes_flags, v, "orvex_nd_int", lvar_applied_ints);
}

void toggle_nd_tcas() {
    tcas_display_on = flipped(tcas_display_on);
    if (efs50_ehsi_mode != kEfs50EhsiModeTcas) {
        efs50_mode_before_tcas = efs50_ehsi_mode;
        efs50_ehsi_mode = kEfs50EhsiModeTcas;
    } else {
        efs50_ehsi_mode = efs50_mode_before_tcas;
    }
    publish_named_whole("orvex_nd_tcas", tcas_display_on);
}

void toggle_nd_vor_adf() {
    nd_vor_adf_select = flipped(nd_vor_adf_select);
}

void set_vor1_bearing_pointer(int v) {
    hw_md11_vor1_pointer = v;
    lvar_applied_vor1_pointer = v;
}
void set_vor2_bearing_pointer(int v) {
    hw_md11_vor2_pointer = v;
    lvar_applied_vor2_pointer = v;
}

void set_nd_mode(int mode) {
    nd_mode_index = mode;
    if (mode == kNdModeTraffic) {
        toggle_nd_tcas();
        return;
    }
    if (mode < kNdModeCompass || mode >= static_cast<int>(std::size(kModeRows))) return;
    const ModeRow& row = kModeRows[mode];
    apply(hw_b737_nd_mode, row.hw_b737);
    apply(efs50_ehsi_mode, row.efs50);
    apply(du_1000_ehsi_mode, row.du_1000);
    apply(proline4_mfd_mode, row.proline4);
    apply(md80_ehsi_mode, row.md80);
    apply(hw_md11_nd_mode, row.hw_md11);
    // The MD11 map scale goes with its mode: PLAN's outer ring is smaller.
    if (row.hw_md11 != KEPT) hw_md11_nd_compass_radius = hw_md11_nd_mode == kMd11NdModePlan ? 94 : 150;
}

void display_step_up(int kind) {
    if (chosen(kind, DISPLAY_HW_B737_ND) && hw_b737_nd_mode >= kB737NdModeCompass &&
        hw_b737_nd_mode <= kB737NdModeCtrMap)
        ++hw_b737_nd_mode;
    if (chosen(kind, DISPLAY_EFS50_EHSI)) {
        if (efs50_ehsi_mode < kEfs50EhsiModeArcWxOff)
            ++efs50_ehsi_mode;
        else if (efs50_nav_source == kEfs50NavSourceVor)
            efs50_nav_source = kEfs50NavSourceFms;
    }
    if (chosen(kind, DISPLAY_DU_1000_EHSI)) step_four_up(du_1000_ehsi_mode);
    if (chosen(kind, DISPLAY_PROLINE4_MFD)) {
        // nav -> map -> arc -> plan text -> nav, indexed by the mode
        constexpr int next[] = {kProline4ModeMap, kProline4ModePlanText, kProline4ModeNav, kProline4ModeArc};
        if (proline4_mfd_mode >= kProline4ModeNav && proline4_mfd_mode <= kProline4ModeMap)
            set_proline4_mode(next[proline4_mfd_mode]);
    }
    if (chosen(kind, DISPLAY_MD80_EHSI)) step_four_up(md80_ehsi_mode);
}

void display_step_down(int kind) {
    if (chosen(kind, DISPLAY_HW_B737_ND) && hw_b737_nd_mode >= kB737NdModeVor &&
        hw_b737_nd_mode <= kB737NdModePlan)
        --hw_b737_nd_mode;
    if (chosen(kind, DISPLAY_EFS50_EHSI)) {
        if (efs50_nav_source == kEfs50NavSourceFms)
            efs50_nav_source = kEfs50NavSourceVor;
        else if (efs50_ehsi_mode > kEfs50EhsiModeHsi)
            --efs50_ehsi_mode;
    }
    if (chosen(kind, DISPLAY_DU_1000_EHSI)) step_four_down(du_1000_ehsi_mode);
    if (chosen(kind, DISPLAY_PROLINE4_MFD)) {
        // nav -> plan text -> arc -> map -> nav, indexed by the mode
        constexpr int next[] = {kProline4ModePlanText, kProline4ModeMap, kProline4ModeArc, kProline4ModeNav};
        if (proline4_mfd_mode >= kProline4ModeNav && proline4_mfd_mode <= kProline4ModeMap)
            set_proline4_mode(next[proline4_mfd_mode]);
    }
    if (chosen(kind, DISPLAY_MD80_EHSI)) step_four_down(md80_ehsi_mode);
}

void toggle_boundary_overlay() {
    show_atc_boundaries = show_atc_boundaries == 0 ? 1 : 0;
}

void toggle_boundary_overlay_pair() {
    show_atc_boundaries = show_atc_boundaries == 1 ? 0 : 1;
    atc_boundaries_shown = show_atc_boundaries;
}

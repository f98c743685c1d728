#include "gauges/click_spots.h"

#include "data/c17_mfd_state.h"
#include "gauges/guidance_toggles.h"
#include "gauges/nd_toggles.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

// The simulator knows which windows are open; a toggle keeps no state.
int32_t ORVEX_FSAPI mcu_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_MCU);
}
int32_t ORVEX_FSAPI mcu_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_MCU);
}
int32_t ORVEX_FSAPI mcu_open_lm_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_MCU);
}
int32_t ORVEX_FSAPI p1000_mfd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_P1000_MFD);
}
int32_t ORVEX_FSAPI p1000_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_P1000_MFD);
}
int32_t ORVEX_FSAPI p1000_mfd_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_P1000_MFD);
}
int32_t ORVEX_FSAPI p1000_mfd_cntr_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_P1000_MFD_CNTR);
}
int32_t ORVEX_FSAPI fms_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_FMS);
}
int32_t ORVEX_FSAPI fms_open_lm_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_FMS);
}
int32_t ORVEX_FSAPI efs50_eadi_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EFS50_EADI);
}
int32_t ORVEX_FSAPI efs50_eadi_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EFS50_EADI);
}
int32_t ORVEX_FSAPI ehsi_cntr_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EHSI_CNTR);
}
int32_t ORVEX_FSAPI ehsi_cntr_open_lm_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EHSI_CNTR);
}
int32_t ORVEX_FSAPI efs50_ehsi_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EFS50_EHSI);
}
int32_t ORVEX_FSAPI efs50_ehsi_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EFS50_EHSI);
}
int32_t ORVEX_FSAPI ehsi_tcas_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EHSI_TCAS);
}
int32_t ORVEX_FSAPI hw_b737_nd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_HW_B737_ND);
}
int32_t ORVEX_FSAPI hw_b737_nd_br_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_HW_B737_ND);
}
int32_t ORVEX_FSAPI hw_b737_nd_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_HW_B737_ND);
}
int32_t ORVEX_FSAPI fms2_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_FMS2);
}
int32_t ORVEX_FSAPI efis_ctrl_open_click(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_EFIS_CTRL);
}
int32_t ORVEX_FSAPI hw_md11_nd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_HW_MD11_ND);
}
int32_t ORVEX_FSAPI hw_md11_nd_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_HW_MD11_ND);
}
int32_t ORVEX_FSAPI du_1000_ehsi_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_DU_1000_EHSI);
}
int32_t ORVEX_FSAPI proline4_mfd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_PROLINE4_MFD);
}
int32_t ORVEX_FSAPI proline4_mfd_nb_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_PROLINE4_MFD);
}
int32_t ORVEX_FSAPI proline_eicas_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_PROLINE4_MFD);
}
int32_t ORVEX_FSAPI a320_eadi_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_A320_EADI);
}
int32_t ORVEX_FSAPI b777_pfd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_B777_PFD);
}
int32_t ORVEX_FSAPI md80_ehsi_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_MD80_EHSI);
}
int32_t ORVEX_FSAPI c17_mfd_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_C17_MFD);
}

int32_t ORVEX_FSAPI c17_mfd_key_none(PixPoint*, uint32_t) {
    return 0;
}

int32_t ORVEX_FSAPI lnav_click(PixPoint*, uint32_t) {
    toggle_lnav();
    return 0;
}
int32_t ORVEX_FSAPI vnav_click(PixPoint*, uint32_t) {
    toggle_vnav();
    return 0;
}
int32_t ORVEX_FSAPI bdry_click(PixPoint*, uint32_t) {
    toggle_boundary_overlay();
    return 0;
}

// C17_MFD format keys act on the current unit's record (the unit drawn last)
// and keep it with that unit, which loads its record before it draws.
int32_t ORVEX_FSAPI c17_mfd_key_pfd(PixPoint*, uint32_t) {
    c17_mfd_format = kC17FormatPfd;
    save_c17_current_unit();
    return 0;
}
int32_t ORVEX_FSAPI c17_mfd_key_nav(PixPoint*, uint32_t) {
    switch (c17_mfd_format) {
    case kC17FormatHsi:
        c17_mfd_format = c17_mfd_nav_format = kC17FormatMapWideArc;
        break;
    case kC17FormatPfd:
    case kC17FormatBlank:
        break;
    case kC17FormatMapWideArc:
    case kC17FormatMapArc:
    case kC17FormatMapBelow:
        c17_mfd_format = c17_mfd_nav_format = kC17FormatPlan;
        break;
    case kC17FormatPlan:
        c17_mfd_format = c17_mfd_nav_format = kC17FormatHsi;
        break;
    default: // an engine or configuration format: back to the last navigation format
        c17_mfd_format = c17_mfd_nav_format;
        break;
    }
    save_c17_current_unit();
    return 0;
}
int32_t ORVEX_FSAPI c17_mfd_key_eng(PixPoint*, uint32_t) {
    if (c17_mfd_format == kC17FormatThrust || c17_mfd_format == kC17FormatEpr ||
        c17_mfd_format == kC17FormatOilFuel) {
        c17_mfd_format = c17_mfd_format == kC17FormatOilFuel ? kC17FormatThrust : c17_mfd_format + 1;
        c17_mfd_engine_format = c17_mfd_format;
    } else {
        c17_mfd_format = c17_mfd_engine_format;
    }
    save_c17_current_unit();
    return 0;
}
int32_t ORVEX_FSAPI c17_mfd_key_cfg(PixPoint*, uint32_t) {
    c17_mfd_format = kC17FormatConfiguration;
    save_c17_current_unit();
    return 0;
}

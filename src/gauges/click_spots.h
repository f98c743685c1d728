// Mouse handlers of the click spots that the gauge table itself gives. Every
// handler takes the click point and the mouse flags; neither is read.
#pragma once

#include "data/c17_mfd_state.h"
#include "sim/gauge_abi.h"

// Window toggles: each toggles one panel window and returns what the
// simulator's toggle returned.
int32_t ORVEX_FSAPI mcu_popup_toggle(PixPoint* point, uint32_t mouse_flags);           // MCU screen
int32_t ORVEX_FSAPI mcu_open_click(PixPoint* point, uint32_t mouse_flags);             // MCU_OPEN
int32_t ORVEX_FSAPI mcu_open_lm_click(PixPoint* point, uint32_t mouse_flags);          // MCU_OPEN_LM
int32_t ORVEX_FSAPI p1000_mfd_popup_toggle(PixPoint* point, uint32_t mouse_flags);     // P1000_MFD screen
int32_t ORVEX_FSAPI p1000_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags);      // P1000_MFD_NB
int32_t ORVEX_FSAPI p1000_mfd_open_click(PixPoint* point, uint32_t mouse_flags);       // P1000_MFD_OPEN
int32_t ORVEX_FSAPI p1000_mfd_cntr_open_click(PixPoint* point, uint32_t mouse_flags);  // P1000_MFD_CNTR_OPEN
int32_t ORVEX_FSAPI fms_open_click(PixPoint* point, uint32_t mouse_flags);             // FMS_OPEN
int32_t ORVEX_FSAPI fms_open_lm_click(PixPoint* point, uint32_t mouse_flags);          // FMS_OPEN_LM
int32_t ORVEX_FSAPI efs50_eadi_popup_toggle(PixPoint* point, uint32_t mouse_flags);    // EFS50_EADI
int32_t ORVEX_FSAPI efs50_eadi_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags); // EFS50_EADI_NB
int32_t ORVEX_FSAPI ehsi_cntr_open_click(PixPoint* point, uint32_t mouse_flags);       // EHSI_CNTR_OPEN
int32_t ORVEX_FSAPI ehsi_cntr_open_lm_click(PixPoint* point, uint32_t mouse_flags);    // EHSI_CNTR_OPEN_LM
int32_t ORVEX_FSAPI efs50_ehsi_popup_toggle(PixPoint* point, uint32_t mouse_flags);    // EFS50_EHSI
int32_t ORVEX_FSAPI efs50_ehsi_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags); // EFS50_EHSI_NB
int32_t ORVEX_FSAPI ehsi_tcas_open_click(PixPoint* point, uint32_t mouse_flags);       // EHSI_TCAS_OPEN
int32_t ORVEX_FSAPI hw_b737_nd_popup_toggle(PixPoint* point, uint32_t mouse_flags);    // HW_B737_ND
int32_t ORVEX_FSAPI hw_b737_nd_br_popup_toggle(PixPoint* point, uint32_t mouse_flags); // HW_B737_ND_BR
int32_t ORVEX_FSAPI hw_b737_nd_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags); // HW_B737_ND_NB
int32_t ORVEX_FSAPI fms2_open_click(PixPoint* point, uint32_t mouse_flags);            // FMS2_OPEN
int32_t ORVEX_FSAPI efis_ctrl_open_click(PixPoint* point, uint32_t mouse_flags);       // EFIS_CTRL_OPEN
int32_t ORVEX_FSAPI hw_md11_nd_popup_toggle(PixPoint* point, uint32_t mouse_flags);    // HW_MD11_ND
int32_t ORVEX_FSAPI hw_md11_nd_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags); // HW_MD11_ND_NB
int32_t ORVEX_FSAPI du_1000_ehsi_popup_toggle(PixPoint* point,
                                              uint32_t mouse_flags); // DU_1000_EHSI and DU_1000_EHSI_NB
int32_t ORVEX_FSAPI proline4_mfd_popup_toggle(PixPoint* point, uint32_t mouse_flags);    // PROLINE4_MFD
int32_t ORVEX_FSAPI proline4_mfd_nb_popup_toggle(PixPoint* point, uint32_t mouse_flags); // PROLINE4_MFD_NB
int32_t ORVEX_FSAPI proline_eicas_popup_toggle(PixPoint* point, uint32_t mouse_flags);   // PROLINE_EICAS
int32_t ORVEX_FSAPI a320_eadi_popup_toggle(PixPoint* point, uint32_t mouse_flags);       // A320_EADI_NB
int32_t ORVEX_FSAPI b777_pfd_popup_toggle(PixPoint* point, uint32_t mouse_flags);        // B777_PFD_NB
int32_t ORVEX_FSAPI md80_ehsi_popup_toggle(PixPoint* point, uint32_t mouse_flags);       // MD80_EHSI_NB
int32_t ORVEX_FSAPI c17_mfd_popup_toggle(PixPoint* point, uint32_t mouse_flags);         // C17_MFD screen

// C17_MFD's blank format key, also DEBUG's click spot: takes the click, does
// nothing, returns 0.
int32_t ORVEX_FSAPI c17_mfd_key_none(PixPoint* point, uint32_t mouse_flags);

// The LNAV and VNAV buttons toggle their guidance, BDRY the boundary layer of
// every map; the C17_MFD format keys step the current unit's format. Each
// returns 0.
int32_t ORVEX_FSAPI lnav_click(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI vnav_click(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI bdry_click(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI c17_mfd_key_pfd(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI c17_mfd_key_nav(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI c17_mfd_key_eng(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI c17_mfd_key_cfg(PixPoint* point, uint32_t mouse_flags);

// A format key of one C17_MFD unit (1..4): the current record goes back to
// its unit and the clicked unit's record becomes current before the key
// acts, so the key changes the unit it was clicked on, whichever unit was
// drawn last.
template <uint32_t Unit, MouseHandler Key> int32_t ORVEX_FSAPI c17_unit_key(PixPoint* point, uint32_t flags) {
    save_c17_current_unit();
    load_c17_unit(Unit);
    return Key(point, flags);
}

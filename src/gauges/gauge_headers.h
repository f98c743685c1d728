// The module's 55 gauge headers: 54 offered through Linkage, in its order,
// and MCU_OPEN_LM, which is defined but not offered.
#pragma once

#include "sim/gauge_abi.h"

extern GaugeHeader mcu_gauge;
extern GaugeHeader mcu_lm_gauge;
extern GaugeHeader p1000_mfd_gauge;
extern GaugeHeader p1000_mfd_cntr_gauge;
extern GaugeHeader p1000_mfd_nb_gauge;
extern GaugeHeader p1000_mfd_nb_cntr_gauge;
extern GaugeHeader gnsxls_gauge;
extern GaugeHeader gnsxls_lm_gauge;
extern GaugeHeader efs50_eadi_gauge;
extern GaugeHeader efs50_ehsi_gauge;
extern GaugeHeader efs50_eadi_nb_gauge;
extern GaugeHeader efs50_ehsi_nb_gauge;
extern GaugeHeader efs50_tcas_gauge;
extern GaugeHeader efs50_ehsi_cntr_gauge;
extern GaugeHeader efs50_ehsi_cntr_lm_gauge;
extern GaugeHeader vnav_gauge;
extern GaugeHeader lnav_gauge;
extern GaugeHeader efis_ctrl_open_gauge;
extern GaugeHeader ehsi_cntr_open_gauge;
extern GaugeHeader ehsi_cntr_open_lm_gauge;
extern GaugeHeader ehsi_tcas_open_gauge;
extern GaugeHeader fms_open_gauge;
extern GaugeHeader fms_open_lm_gauge;
extern GaugeHeader fms2_open_gauge;
extern GaugeHeader mcu_open_gauge;
extern GaugeHeader p1000_mfd_open_gauge;
extern GaugeHeader p1000_mfd_cntr_open_gauge;
extern GaugeHeader hw_b737_nd_gauge;
extern GaugeHeader hw_b737_nd_br_gauge;
extern GaugeHeader hw_b737_nd_nb_gauge;
extern GaugeHeader hw_b737_efis_cntr_gauge;
extern GaugeHeader hw_b737_efis_cntr_br_gauge;
extern GaugeHeader smiths_fms_gauge;
extern GaugeHeader smiths_fms_br_gauge;
extern GaugeHeader server_gauge;
extern GaugeHeader hw_md11_nd_gauge;
extern GaugeHeader hw_md11_nd_nb_gauge;
extern GaugeHeader du_1000_ehsi_gauge;
extern GaugeHeader du_1000_ehsi_nb_gauge;
extern GaugeHeader md11_efis_ctrl_gauge;
extern GaugeHeader a300_efis_ctrl_gauge;
extern GaugeHeader proline4_mfd_gauge;
extern GaugeHeader proline_eicas_gauge;
extern GaugeHeader proline4_mfd_nb_gauge;
extern GaugeHeader proline4_mfd_ctrl_gauge;
extern GaugeHeader proline4_aux_ctrl_gauge;
extern GaugeHeader bdry_gauge;
extern GaugeHeader b777_pfd_nb_gauge;
extern GaugeHeader a320_eadi_nb_gauge;
extern GaugeHeader md80_ehsi_nb_gauge;
extern GaugeHeader md80_ehsi_ctrl_gauge;
extern GaugeHeader c17_mfd_gauge;
extern GaugeHeader c17_mfcp_gauge;
extern GaugeHeader debug_gauge;

// Defined like MCU_OPEN, never listed in Linkage.
extern GaugeHeader mcu_open_lm_gauge;

// The C17_MFD mouse list whose format keys change unit 1..4; any other
// number gives the table's list, whose keys act on the current record.
MouseRect* c17_mfd_mouse_of_unit(uint32_t unit);

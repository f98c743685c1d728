// Gauge callbacks named by the gauge headers. The simulator calls each with the
// gauge's header, a service code (GaugeService) and an extra word no callback reads.
#pragma once

#include "sim/gauge_abi.h"

void ORVEX_FSAPI mcu_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI mcu_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI p1000_mfd_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI p1000_mfd_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI p1000_mfd_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI p1000_mfd_nb_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI gnsxls_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI gnsxls_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_eadi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_ehsi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_eadi_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_ehsi_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_tcas_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_ehsi_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI efs50_ehsi_cntr_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI vnav_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI lnav_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_b737_ehsi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_b737_ehsi_br_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_b737_ehsi_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_b737_ehsi_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_b737_ehsi_cntr_br_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI smiths_fms_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI smiths_fms_br_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI server_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_md11_nd_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI hw_md11_nd_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI du_1000_ehsi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI du_1000_ehsi_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI md11_efis_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI a300_ehsi_ctrl_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI proline4_mfd_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI proline_eicas_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI proline4_mfd_nb_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI proline4_mfd_cntr_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI proline4_mfd_displ_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI bdry_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI d100_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI a320_eadi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI md80_ehsi_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI md80_ehsi_ctrl_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI c17_mfd_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI c17_mfcp_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);
void ORVEX_FSAPI debug_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);

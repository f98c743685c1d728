#include "gauges/gauge_callbacks.h"

// BDRY is a button only: its callback ignores every service code.
void ORVEX_FSAPI bdry_callback(GaugeHeader*, int32_t, uintptr_t) {}

// Pending: the callbacks below are filled in by the display-callback, SERVER
// and unit work. Until then they answer every service code by doing nothing.

void ORVEX_FSAPI mcu_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI mcu_lm_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI p1000_mfd_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI p1000_mfd_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI p1000_mfd_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI p1000_mfd_nb_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI gnsxls_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI gnsxls_lm_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_eadi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_ehsi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_eadi_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_ehsi_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_tcas_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_ehsi_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI efs50_ehsi_cntr_lm_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI vnav_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI lnav_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_b737_ehsi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_b737_ehsi_br_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_b737_ehsi_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_b737_ehsi_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_b737_ehsi_cntr_br_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI server_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_md11_nd_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI hw_md11_nd_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI du_1000_ehsi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI du_1000_ehsi_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI md11_efis_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI a300_ehsi_ctrl_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI proline4_mfd_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI proline_eicas_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI proline4_mfd_nb_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI proline4_mfd_cntr_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI proline4_mfd_displ_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI d100_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI a320_eadi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI md80_ehsi_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI md80_ehsi_ctrl_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI c17_mfd_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI c17_mfcp_callback(GaugeHeader*, int32_t, uintptr_t) {}
void ORVEX_FSAPI debug_callback(GaugeHeader*, int32_t, uintptr_t) {}

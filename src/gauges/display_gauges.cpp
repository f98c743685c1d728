// The display gauges' callbacks: each is the shared display frame with its
// own row of settings.
#include "gauges/debug_page.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "nd/nd_render_passes.h"
#include "pfd/pfd_render_passes.h"
#include "sim/panel_windows.h"

namespace {

using enum ViewRule;
using enum GaugeLoads;

void a320_pass(void* dc, PixelSize size, int32_t mode) {
    render_a320_eadi(dc, size, mode, 320);
}
void debug_pass(void* dc, PixelSize size, int32_t) {
    render_debug(dc, size);
}

// log line, window, view rule, loads, flight-log start, traffic, render pass
constexpr DisplayGaugeSpec kEfs50Eadi{"efs50_eadi_callback \n", WINDOW_EFS50_EADI, NoVc2, Full, false, false,
                                      render_efs50_eadi};
constexpr DisplayGaugeSpec kEfs50EadiNb{
    "efs50_eadi_nb_callback \n", WINDOW_EFS50_EADI, NoVc2, Full, false, false, render_efs50_eadi};
constexpr DisplayGaugeSpec kEfs50Ehsi{
    "efs50_ehsi_callback \n", WINDOW_EFS50_EHSI, Vc2Draws, Full, true, false, render_efs50_ehsi};
constexpr DisplayGaugeSpec kEfs50EhsiNb{
    "efs50_ehsi_nb_callback \n", WINDOW_EFS50_EHSI, Vc2Draws, Full, false, false, render_efs50_ehsi};
constexpr DisplayGaugeSpec kEfs50Tcas{"efs50_tcas_callback \n", WINDOW_EHSI_TCAS, NoVc2, Full, false, false,
                                      render_efs50_tcas};
constexpr DisplayGaugeSpec kHwMd11Nd{
    "hw_md11_nd_callback \n", WINDOW_HW_MD11_ND, Vc2Draws, Full, false, false, render_hw_md11_nd};
constexpr DisplayGaugeSpec kHwMd11NdNb{
    "hw_md11_nd_nb_callback \n", WINDOW_HW_MD11_ND, Vc2Draws, Full, false, false, render_hw_md11_nd};
constexpr DisplayGaugeSpec kDu1000Ehsi{
    "FSAPI du_1000_ehsi_callback \n", WINDOW_DU_1000_EHSI, Vc2Draws, Full, true, false, render_du_1000_ehsi};
constexpr DisplayGaugeSpec kDu1000EhsiNb{"FSAPI du_1000_ehsi_nb_callback \n",
                                         WINDOW_DU_1000_EHSI,
                                         Vc2Draws,
                                         Full,
                                         true,
                                         false,
                                         render_du_1000_ehsi};
constexpr DisplayGaugeSpec kHwB737Nd{
    "hw_b737_ehsi_callback \n", WINDOW_HW_B737_ND, Vc2Draws, Full, false, false, render_hw_b737_nd};
constexpr DisplayGaugeSpec kHwB737NdBr{
    "hw_b737_ehsi_br_callback \n", WINDOW_HW_B737_ND, Vc2Draws, Full, false, false, render_hw_b737_nd};
constexpr DisplayGaugeSpec kHwB737NdNb{
    "hw_b737_ehsi_nb_callback \n", WINDOW_HW_B737_ND, Vc2Draws, Full, false, true, render_hw_b737_nd};
constexpr DisplayGaugeSpec kProline4Mfd{
    "proline4_mfd_callback \n", WINDOW_PROLINE4_MFD, Vc2AlwaysMode3, Full, false, false, render_proline4_mfd};
constexpr DisplayGaugeSpec kProline4MfdNb{"proline4_mfd_nb_callback \n",
                                          WINDOW_PROLINE4_MFD,
                                          Vc2AlwaysMode3,
                                          Full,
                                          false,
                                          false,
                                          render_proline4_mfd};
constexpr DisplayGaugeSpec kProlineEicas{
    "proline_eicas_callback \n", WINDOW_PROLINE4_MFD, Vc2AlwaysMode3, NoFlightPlans, false, false,
    render_proline_eicas};
constexpr DisplayGaugeSpec kB777Pfd{
    "FSAPI d100_callback (B777_PFD) \n", WINDOW_B777_PFD, Vc2NotDrawn, Full, false, false, render_b777_pfd};
constexpr DisplayGaugeSpec kA320Eadi{
    "FSAPI a320_eadi_callback \n", WINDOW_A320_EADI, Vc2Draws, Full, true, false, a320_pass};
constexpr DisplayGaugeSpec kMd80Ehsi{
    "FSAPI md80_ehsi_callback \n", WINDOW_MD80_EHSI, Vc2Draws, Full, true, false, render_md80_ehsi};
constexpr DisplayGaugeSpec kDebug{nullptr, WINDOW_MAIN_PANEL, AlwaysDraw, HostFolderOnly, false,
                                  false,   debug_pass};

} // namespace

void ORVEX_FSAPI efs50_eadi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kEfs50Eadi, gauge, service);
}
void ORVEX_FSAPI efs50_eadi_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kEfs50EadiNb, gauge, service);
}
void ORVEX_FSAPI efs50_ehsi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kEfs50Ehsi, gauge, service);
}
void ORVEX_FSAPI efs50_ehsi_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kEfs50EhsiNb, gauge, service);
}
void ORVEX_FSAPI efs50_tcas_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kEfs50Tcas, gauge, service);
}
void ORVEX_FSAPI hw_md11_nd_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kHwMd11Nd, gauge, service);
}
void ORVEX_FSAPI hw_md11_nd_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kHwMd11NdNb, gauge, service);
}
void ORVEX_FSAPI du_1000_ehsi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kDu1000Ehsi, gauge, service);
}
void ORVEX_FSAPI du_1000_ehsi_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kDu1000EhsiNb, gauge, service);
}
void ORVEX_FSAPI hw_b737_ehsi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kHwB737Nd, gauge, service);
}
void ORVEX_FSAPI hw_b737_ehsi_br_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kHwB737NdBr, gauge, service);
}
void ORVEX_FSAPI hw_b737_ehsi_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kHwB737NdNb, gauge, service);
}
void ORVEX_FSAPI proline4_mfd_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kProline4Mfd, gauge, service);
}
void ORVEX_FSAPI proline4_mfd_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kProline4MfdNb, gauge, service);
}
void ORVEX_FSAPI proline_eicas_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kProlineEicas, gauge, service);
}
void ORVEX_FSAPI d100_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kB777Pfd, gauge, service);
}
void ORVEX_FSAPI a320_eadi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kA320Eadi, gauge, service);
}
void ORVEX_FSAPI md80_ehsi_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kMd80Ehsi, gauge, service);
}
void ORVEX_FSAPI debug_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_gauge_callback(kDebug, gauge, service);
}

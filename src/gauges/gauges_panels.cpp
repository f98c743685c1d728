// Headers of the EFIS control panels and the C17 multifunction control panel:
// a background each (twins share their click spots); the lights and keys
// join the lists with each panel's own work.
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

constinit ElementChain<1> efs50_ehsi_cntr_elements{{static_image(270, 500, 169, 0, 0, 0)}};
constinit ElementChain<1> efs50_ehsi_cntr_lm_elements{
    {static_image(270, 500, 169, 0, 0, IMAGE_FLAGS_LUMINOUS)}};
constinit auto efs50_ehsi_cntr_keys = no_click_spots();

constinit ElementChain<1> hw_b737_efis_cntr_elements{{static_image(324, 313, 212, 0, 0, 0)}};
constinit ElementChain<1> hw_b737_efis_cntr_br_elements{{static_image(326, 313, 212, 0, 0, 0)}};
constinit auto hw_b737_efis_cntr_keys = no_click_spots();

constinit ElementChain<1> md11_efis_ctrl_elements{{static_image(362, 311, 182, 0, 0, 0)}};
constinit auto md11_efis_ctrl_keys = no_click_spots();

constinit ElementChain<1> a300_efis_ctrl_elements{{static_image(366, 373, 312, 0, 0, 0)}};
constinit auto a300_efis_ctrl_keys = no_click_spots();

constinit ElementChain<1> proline4_mfd_ctrl_elements{{static_image(394, 311, 97, 0, 0, 0)}};
constinit auto proline4_mfd_ctrl_keys = no_click_spots();

constinit ElementChain<1> proline4_aux_ctrl_elements{{static_image(396, 313, 93, 0, 0, 0)}};
constinit auto proline4_aux_ctrl_keys = no_click_spots();

constinit ElementChain<1> md80_ehsi_ctrl_elements{{static_image(408, 392, 214, 0, 0, 0)}};
constinit auto md80_ehsi_ctrl_keys = no_click_spots();

constinit ElementChain<1> c17_mfcp_elements{{static_image(414, 430, 520, 0, 0, 0)}};
constinit auto c17_mfcp_keys = no_click_spots();

} // namespace

constinit GaugeHeader efs50_ehsi_cntr_gauge = make_gauge_header(
    "EFS50_EHSI_CNTR", efs50_ehsi_cntr_elements.list, efs50_ehsi_cntr_keys.data(), efs50_ehsi_cntr_callback);
constinit GaugeHeader efs50_ehsi_cntr_lm_gauge =
    make_gauge_header("EFS50_EHSI_CNTR_LM", efs50_ehsi_cntr_lm_elements.list, efs50_ehsi_cntr_keys.data(),
                      efs50_ehsi_cntr_lm_callback);
constinit GaugeHeader hw_b737_efis_cntr_gauge =
    make_gauge_header("HW_B737_EFIS_CNTR", hw_b737_efis_cntr_elements.list, hw_b737_efis_cntr_keys.data(),
                      hw_b737_ehsi_cntr_callback);
constinit GaugeHeader hw_b737_efis_cntr_br_gauge =
    make_gauge_header("HW_B737_EFIS_CNTR_BR", hw_b737_efis_cntr_br_elements.list,
                      hw_b737_efis_cntr_keys.data(), hw_b737_ehsi_cntr_br_callback);
constinit GaugeHeader md11_efis_ctrl_gauge = make_gauge_header(
    "MD11_EFIS_CTRL", md11_efis_ctrl_elements.list, md11_efis_ctrl_keys.data(), md11_efis_cntr_callback);
constinit GaugeHeader a300_efis_ctrl_gauge = make_gauge_header(
    "A300_EFIS_CTRL", a300_efis_ctrl_elements.list, a300_efis_ctrl_keys.data(), a300_ehsi_ctrl_callback);
constinit GaugeHeader proline4_mfd_ctrl_gauge =
    make_gauge_header("PROLINE4_MFD_CTRL", proline4_mfd_ctrl_elements.list, proline4_mfd_ctrl_keys.data(),
                      proline4_mfd_cntr_callback);
constinit GaugeHeader proline4_aux_ctrl_gauge =
    make_gauge_header("PROLINE4_AUX_CTRL", proline4_aux_ctrl_elements.list, proline4_aux_ctrl_keys.data(),
                      proline4_mfd_displ_callback);
constinit GaugeHeader md80_ehsi_ctrl_gauge = make_gauge_header(
    "MD80_EHSI_CTRL", md80_ehsi_ctrl_elements.list, md80_ehsi_ctrl_keys.data(), md80_ehsi_ctrl_callback);
constinit GaugeHeader c17_mfcp_gauge =
    make_gauge_header("C17_MFCP", c17_mfcp_elements.list, c17_mfcp_keys.data(), c17_mfcp_callback);

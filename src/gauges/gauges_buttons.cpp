// Headers of the small button gauges: the window-opening buttons, the LNAV and
// VNAV lights, BDRY, and SERVER, which has no picture and takes no clicks.
#include "gauges/click_spots.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

// Every button is a 50 x 49 picture with its click spot inset by 7 pixels.
constexpr ElementHeader button_image(uint32_t bitmap_id, uint32_t image_flags) {
    return static_image(bitmap_id, 50, 49, 0, 0, image_flags);
}

constexpr auto button_mouse(MouseHandler handler) {
    return click_spot_list({{7, 7, 35, 35, handler}});
}

constinit ElementChain<2> vnav_elements{{button_image(286, 0), icon(290, 50, 49, 0, 0, IMAGE_FLAGS_LIGHT)}};
constinit ElementChain<2> lnav_elements{{button_image(306, 0), icon(308, 48, 49, 0, 0, IMAGE_FLAGS_LIGHT)}};
constinit ElementChain<1> bdry_elements{{button_image(400, 0)}};

constinit auto vnav_mouse = button_mouse(vnav_click);
constinit auto lnav_mouse = button_mouse(lnav_click);
constinit auto bdry_mouse = button_mouse(bdry_click);

// The _LM buttons are their base buttons drawn luminous.
constinit ElementChain<1> efis_ctrl_open_elements{{button_image(352, 0)}};
constinit ElementChain<1> ehsi_cntr_open_elements{{button_image(292, 0)}};
constinit ElementChain<1> ehsi_cntr_open_lm_elements{{button_image(292, IMAGE_FLAGS_LUMINOUS)}};
constinit ElementChain<1> ehsi_tcas_open_elements{{button_image(294, 0)}};
constinit ElementChain<1> fms_open_elements{{button_image(9796, 0)}};
constinit ElementChain<1> fms_open_lm_elements{{button_image(9796, IMAGE_FLAGS_LUMINOUS)}};
constinit ElementChain<1> fms2_open_elements{{button_image(350, 0)}};
constinit ElementChain<1> mcu_open_elements{{button_image(296, 0)}};
constinit ElementChain<1> mcu_open_lm_elements{{button_image(296, IMAGE_FLAGS_LUMINOUS)}};
constinit ElementChain<1> p1000_mfd_open_elements{{button_image(302, 0)}};
constinit ElementChain<1> p1000_mfd_cntr_open_elements{{button_image(304, 0)}};

constinit auto efis_ctrl_open_mouse = button_mouse(efis_ctrl_open_click);
constinit auto ehsi_cntr_open_mouse = button_mouse(ehsi_cntr_open_click);
constinit auto ehsi_cntr_open_lm_mouse = button_mouse(ehsi_cntr_open_lm_click);
constinit auto ehsi_tcas_open_mouse = button_mouse(ehsi_tcas_open_click);
constinit auto fms_open_mouse = button_mouse(fms_open_click);
constinit auto fms_open_lm_mouse = button_mouse(fms_open_lm_click);
constinit auto fms2_open_mouse = button_mouse(fms2_open_click);
constinit auto mcu_open_mouse = button_mouse(mcu_open_click);
constinit auto mcu_open_lm_mouse = button_mouse(mcu_open_lm_click);
constinit auto p1000_mfd_open_mouse = button_mouse(p1000_mfd_open_click);
constinit auto p1000_mfd_cntr_open_mouse = button_mouse(p1000_mfd_cntr_open_click);

constinit ElementChain<1> server_elements{{static_image(0, 0, 0, 0, 0, 0)}};
constinit auto server_mouse = no_click_spots();

} // namespace

constinit GaugeHeader vnav_gauge =
    make_gauge_header("VNAV", vnav_elements.list, vnav_mouse.data(), vnav_callback);
constinit GaugeHeader lnav_gauge =
    make_gauge_header("LNAV", lnav_elements.list, lnav_mouse.data(), lnav_callback);
constinit GaugeHeader bdry_gauge =
    make_gauge_header("BDRY", bdry_elements.list, bdry_mouse.data(), bdry_callback);

constinit GaugeHeader efis_ctrl_open_gauge =
    make_gauge_header("EFIS_CTRL_OPEN", efis_ctrl_open_elements.list, efis_ctrl_open_mouse.data(), nullptr);
constinit GaugeHeader ehsi_cntr_open_gauge =
    make_gauge_header("EHSI_CNTR_OPEN", ehsi_cntr_open_elements.list, ehsi_cntr_open_mouse.data(), nullptr);
constinit GaugeHeader ehsi_cntr_open_lm_gauge = make_gauge_header(
    "EHSI_CNTR_OPEN_LM", ehsi_cntr_open_lm_elements.list, ehsi_cntr_open_lm_mouse.data(), nullptr);
constinit GaugeHeader ehsi_tcas_open_gauge =
    make_gauge_header("EHSI_TCAS_OPEN", ehsi_tcas_open_elements.list, ehsi_tcas_open_mouse.data(), nullptr);
constinit GaugeHeader fms_open_gauge =
    make_gauge_header("FMS_OPEN", fms_open_elements.list, fms_open_mouse.data(), nullptr);
constinit GaugeHeader fms_open_lm_gauge =
    make_gauge_header("FMS_OPEN_LM", fms_open_lm_elements.list, fms_open_lm_mouse.data(), nullptr);
constinit GaugeHeader fms2_open_gauge =
    make_gauge_header("FMS2_OPEN", fms2_open_elements.list, fms2_open_mouse.data(), nullptr);
constinit GaugeHeader mcu_open_gauge =
    make_gauge_header("MCU_OPEN", mcu_open_elements.list, mcu_open_mouse.data(), nullptr);
constinit GaugeHeader mcu_open_lm_gauge =
    make_gauge_header("MCU_OPEN_LM", mcu_open_lm_elements.list, mcu_open_lm_mouse.data(), nullptr);
constinit GaugeHeader p1000_mfd_open_gauge =
    make_gauge_header("P1000_MFD_OPEN", p1000_mfd_open_elements.list, p1000_mfd_open_mouse.data(), nullptr);
constinit GaugeHeader p1000_mfd_cntr_open_gauge = make_gauge_header(
    "P1000_MFD_CNTR_OPEN", p1000_mfd_cntr_open_elements.list, p1000_mfd_cntr_open_mouse.data(), nullptr);

constinit GaugeHeader server_gauge =
    make_gauge_header("SERVER", server_elements.list, server_mouse.data(), server_callback);

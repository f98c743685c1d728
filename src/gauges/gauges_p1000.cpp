// Headers of the P1000_MFD family. The pop-up spots are here; the knobs and
// soft keys join the lists with the family's own work.
#include "gauges/click_spots.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

constinit ElementChain<1> p1000_mfd_elements{{static_image(298, 330, 430, 0, 0, 0)}};
constinit ElementChain<1> p1000_mfd_nb_elements{{static_image(300, 272, 314, 0, 0, 0)}};
constinit ElementChain<1> p1000_mfd_cntr_elements{{static_image(310, 280, 220, 0, 0, 0)}};
constinit ElementChain<1> p1000_mfd_nb_cntr_elements{{static_image(312, 330, 76, 0, 0, 0)}};

constinit auto p1000_mfd_mouse = click_spot_list({{102, 147, 100, 100, p1000_mfd_popup_toggle}});
constinit auto p1000_mfd_nb_mouse = click_spot_list({{80, 92, 100, 100, p1000_nb_popup_toggle}});
constinit auto p1000_mfd_cntr_mouse = no_click_spots();
constinit auto p1000_mfd_nb_cntr_mouse = no_click_spots();

} // namespace

constinit GaugeHeader p1000_mfd_gauge =
    make_gauge_header("P1000_MFD", p1000_mfd_elements.list, p1000_mfd_mouse.data(), p1000_mfd_callback);
constinit GaugeHeader p1000_mfd_cntr_gauge = make_gauge_header(
    "P1000_MFD_CNTR", p1000_mfd_cntr_elements.list, p1000_mfd_cntr_mouse.data(), p1000_mfd_cntr_callback);
constinit GaugeHeader p1000_mfd_nb_gauge = make_gauge_header(
    "P1000_MFD_NB", p1000_mfd_nb_elements.list, p1000_mfd_nb_mouse.data(), p1000_mfd_nb_callback);
constinit GaugeHeader p1000_mfd_nb_cntr_gauge =
    make_gauge_header("P1000_MFD_NB_CNTR", p1000_mfd_nb_cntr_elements.list, p1000_mfd_nb_cntr_mouse.data(),
                      p1000_mfd_nb_cntr_callback);

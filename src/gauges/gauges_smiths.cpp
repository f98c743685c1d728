// Headers of the Smiths FMS control unit's two gauges, each with its own
// 415 x 640 bezel. Their key tables arrive with the unit's keys.
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

constinit ElementChain<1> smiths_fms_elements{{static_image(266, 415, 640, 0, 0, 0)}};
constinit ElementChain<1> smiths_fms_br_elements{{static_image(268, 415, 640, 0, 0, 0)}};

constinit auto smiths_fms_keys = no_click_spots();
constinit auto smiths_fms_br_keys = no_click_spots();

} // namespace

constinit GaugeHeader smiths_fms_gauge =
    make_gauge_header("SMITHS_FMS", smiths_fms_elements.list, smiths_fms_keys.data(), smiths_fms_callback);
constinit GaugeHeader smiths_fms_br_gauge = make_gauge_header(
    "SMITHS_FMS_BR", smiths_fms_br_elements.list, smiths_fms_br_keys.data(), smiths_fms_br_callback);

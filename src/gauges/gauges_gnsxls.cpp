// Headers of the GNS XLS navigator's two gauges. Their key tables arrive with
// the unit's keys.
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

constinit ElementChain<1> gnsxls_elements{{static_image(264, 480, 360, 0, 0, 0)}};
constinit ElementChain<1> gnsxls_lm_elements{{static_image(264, 480, 360, 0, 0, IMAGE_FLAGS_LUMINOUS)}};

constinit auto gnsxls_keys = no_click_spots();
constinit auto gnsxls_lm_keys = no_click_spots();

} // namespace

constinit GaugeHeader gnsxls_gauge =
    make_gauge_header("GNSXLS", gnsxls_elements.list, gnsxls_keys.data(), gnsxls_callback);
constinit GaugeHeader gnsxls_lm_gauge =
    make_gauge_header("GNSXLS_LM", gnsxls_lm_elements.list, gnsxls_lm_keys.data(), gnsxls_lm_callback);

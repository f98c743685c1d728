// Headers of the MCU unit's two gauges. They share one key table; the keys
// other than the screen join it with the unit itself.
#include "gauges/click_spots.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

// Bezel 260; MCU_LM draws it luminous. The seven element-list routines of
// every header act on MCU's bezel.
constinit ElementChain<1> mcu_elements{{static_image(260, 501, 386, 0, 0, 0)}};
constinit ElementChain<1> mcu_lm_elements{{static_image(260, 501, 386, 0, 0, IMAGE_FLAGS_LUMINOUS)}};

constinit auto mcu_keys = click_spot_list({{132, 47, 200, 120, mcu_popup_toggle}});

} // namespace

constinit GaugeHeader mcu_gauge = make_gauge_header("MCU", mcu_elements.list, mcu_keys.data(), mcu_callback);
constinit GaugeHeader mcu_lm_gauge =
    make_gauge_header("MCU_LM", mcu_lm_elements.list, mcu_keys.data(), mcu_lm_callback);

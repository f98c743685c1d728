// Headers of the P1000_MFD family: the display with its bezel (pop-up spot,
// VNAV knob, five soft keys, range knob), the display alone, the bezel's
// keys as a strip, and the separate controller. Boxes are in pixels of each
// gauge's bitmap.
#include "gauges/click_spots.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"
#include "gauges/p1000_keys.h"

namespace {

// The displays draw into the 272 x 314 screen linked below the background.
constinit ElementChain<2> p1000_mfd_elements{{
    static_image(298, 330, 430, 0, 0, 0),
    static_image(299, 272, 314, 29, 40, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> p1000_mfd_nb_elements{{
    static_image(300, 272, 314, 0, 0, 0),
    static_image(301, 272, 314, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<1> p1000_mfd_cntr_elements{{static_image(310, 280, 220, 0, 0, 0)}};
constinit ElementChain<1> p1000_mfd_nb_cntr_elements{{static_image(312, 330, 76, 0, 0, 0)}};

constexpr uint32_t CLICK = MOUSE_LEFTSINGLE;
// The VNAV knob answers the press and the release alike: one click steps twice.
constexpr uint32_t CLICK_AND_RELEASE = MOUSE_LEFTSINGLE | 0x00200000u;

constexpr SpotGroup key(int32_t x, int32_t y, MouseHandler handler) {
    return single_spot({x, y, 30, 24, CURSOR_HAND, CLICK, handler});
}
constexpr SpotGroup knob(int32_t x, int32_t y, uint32_t flags, MouseHandler down, MouseHandler up) {
    return spot_pair({x, y, 18, 36, CURSOR_DOWNARROW, flags, down},
                     {x + 18, y, 18, 36, CURSOR_UPARROW, flags, up});
}
// The soft keys and knobs, with the bezel's keys `dy` pixels below the strip's.
constexpr auto keys_and_knobs(int32_t dy, MouseHandler key3) {
    return panel_spot_list({
        knob(19, 23 + dy, CLICK_AND_RELEASE, p1000_vnav_knob_dec, p1000_vnav_knob_inc),
        key(70, 18 + dy, p1000_key1),
        key(107, 18 + dy, p1000_key2),
        key(144, 18 + dy, key3),
        key(182, 18 + dy, p1000_key4),
        key(220, 18 + dy, p1000_key5),
        knob(274, 23 + dy, CLICK, p1000_range_knob_down, p1000_range_knob_up),
    });
}

constexpr SpotGroup popup_spot =
    single_spot({102, 147, 100, 100, CURSOR_HAND, CLICK, p1000_mfd_popup_toggle});
constexpr auto bezel_keys = keys_and_knobs(364, p1000_key3);

// The screen's pop-up spot first, then the bezel's keys and knobs.
constexpr auto bezel_list() {
    std::array<MouseRect, bezel_keys.size() + 4> list{};
    const auto popup = panel_spot_list({popup_spot});
    std::size_t n = 0;
    for (std::size_t i = 0; i < 4; ++i)
        list[n++] = popup[i];
    for (std::size_t i = 1; i < bezel_keys.size(); ++i)
        list[n++] = bezel_keys[i];
    return list;
}

constinit auto p1000_mfd_mouse = bezel_list();
constinit auto p1000_mfd_nb_mouse = click_spot_list({{80, 92, 100, 100, p1000_nb_popup_toggle}});
constinit auto p1000_mfd_nb_cntr_mouse = keys_and_knobs(0, p1000_nb_cntr_key3);
// The TCAS button's child is wider than its parent, as the bitmap has it.
constinit auto p1000_mfd_cntr_mouse = panel_spot_list({
    single_spot({65, 25, 55, 55, CURSOR_HAND, CLICK, p1000_cntr_format_key}),
    SpotGroup{131, 25, 55, 55, {131, 25, 60, 55, CURSOR_HAND, CLICK, p1000_cntr_tcas_key}, {}},
    SpotGroup{70,
              135,
              40,
              50,
              {70, 135, 20, 25, CURSOR_UPARROW, CLICK, p1000_cntr_range_up},
              {70, 160, 20, 25, CURSOR_DOWNARROW, CLICK, p1000_cntr_range_down}},
    single_spot({150, 165, 40, 40, CURSOR_HAND, CLICK, p1000_cntr_apt_key}),
    single_spot({215, 114, 40, 40, CURSOR_HAND, CLICK, p1000_cntr_nav_key}),
});

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

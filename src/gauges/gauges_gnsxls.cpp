// Headers of the GNS XLS navigator's two gauges: a bezel that holds every key,
// the screen with its drawing surface between the line-key columns, and one
// click spot per key as gns_mcu/gns_key_layout.h lays them out. Only GNSXLS
// has the screen spot that toggles its pop-up window.
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"
#include "gns_mcu/gns_key_layout.h"
#include "gns_mcu/gns_keys.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

#include <utility>

namespace {

int32_t ORVEX_FSAPI gns_popup_toggle(PixPoint*, uint32_t) {
    return ps_window_toggle(WINDOW_FMS);
}

template <GnsKey K> int32_t ORVEX_FSAPI gns_key_handler(PixPoint*, uint32_t) {
    return gns_press_key(K);
}

template <std::size_t... I> constexpr auto gns_handler_table(std::index_sequence<I...>) {
    return std::array<MouseHandler, sizeof...(I)>{&gns_key_handler<static_cast<GnsKey>(I)>...};
}
constexpr auto kGnsHandlers = gns_handler_table(std::make_index_sequence<kGnsKeyCount>{});

constexpr ElementHeader kGnsScreen =
    static_image(265, kGnsScreenWidth, kGnsScreenHeight, kGnsScreenX, kGnsScreenY, IMAGE_FLAGS_SURFACE);

constinit ElementChain<2> gnsxls_elements{
    {static_image(264, kGnsBezelWidth, kGnsBezelHeight, 0, 0, 0), kGnsScreen}};
constinit ElementChain<2> gnsxls_lm_elements{
    {static_image(264, kGnsBezelWidth, kGnsBezelHeight, 0, 0, IMAGE_FLAGS_LUMINOUS), kGnsScreen}};

// One box per key holding the box that takes the click; N keys from the
// start of the layout (the screen spot is the last).
template <std::size_t N> constexpr auto gns_key_list(bool with_screen) {
    std::array<MouseRect, 3 * N + 3> list{};
    std::size_t n = 0;
    list[n++] = mouse_parent(0, 0, 0, 0);
    for (std::size_t k = 0; k < N; ++k) {
        const GnsKeyBox& key = gns_key_boxes[k];
        const MouseHandler handler =
            with_screen && key.key == GnsKey::Screen ? &gns_popup_toggle : kGnsHandlers[k];
        list[n++] = mouse_parent(key.x, key.y, key.w, key.h);
        list[n++] = mouse_child(0, 0, key.click_w, key.click_h, CURSOR_HAND, MOUSE_LEFTSINGLE, handler);
        list[n++] = mouse_end_parent();
    }
    list[n++] = mouse_end_parent();
    list[n++] = mouse_end_list();
    return list;
}

constinit auto gnsxls_keys = gns_key_list<kGnsKeyCount>(true);
constinit auto gnsxls_lm_keys = gns_key_list<kGnsKeyCount - 1>(false);

} // namespace

constinit GaugeHeader gnsxls_gauge =
    make_gauge_header("GNSXLS", gnsxls_elements.list, gnsxls_keys.data(), gnsxls_callback);
constinit GaugeHeader gnsxls_lm_gauge =
    make_gauge_header("GNSXLS_LM", gnsxls_lm_elements.list, gnsxls_lm_keys.data(), gnsxls_lm_callback);

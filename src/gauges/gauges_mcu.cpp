// Headers of the MCU unit's two gauges: the bezel, the screen with its
// drawing surface, and the LNAV and HOLD lamps, one pair of element records
// that both gauges' screens lead to (so both show the same state), and one
// click spot per key as gns_mcu/mcu_key_layout.h lays them out.
#include "gauges/click_spots.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/guidance_toggles.h"
#include "gauges/mouse_list.h"
#include "gns_mcu/mcu_key_layout.h"
#include "gns_mcu/mcu_keys.h"

#include <utility>

namespace {

constexpr uint32_t kLampFlags = 0x40000007; // hidden at start

int32_t ORVEX_FSAPI mcu_key_lnav(PixPoint*, uint32_t) {
    toggle_lnav();
    return 0;
}

template <McuKey K> int32_t ORVEX_FSAPI mcu_key_handler(PixPoint*, uint32_t) {
    return mcu_press_key(K);
}

template <std::size_t... I> constexpr auto mcu_handler_table(std::index_sequence<I...>) {
    return std::array<MouseHandler, sizeof...(I)>{&mcu_key_handler<static_cast<McuKey>(I)>...};
}
constexpr auto kMcuHandlers = mcu_handler_table(std::make_index_sequence<kMcuKeyCount>{});

constinit ElementChain<2> mcu_lamps{
    {icon(288, 17, 20, 220, 228, kLampFlags), icon(288, 17, 20, 134, 264, kLampFlags)}};

constexpr ElementHeader mcu_screen() {
    return over(static_image(262, kMcuScreenWidth, kMcuScreenHeight, kMcuScreenX, kMcuScreenY,
                             IMAGE_FLAGS_SURFACE | IMAGE_FLAGS_LUMINOUS),
                mcu_lamps.list);
}

constinit ElementChain<2> mcu_elements{
    {static_image(260, kMcuBezelWidth, kMcuBezelHeight, 0, 0, 0), mcu_screen()}};
constinit ElementChain<2> mcu_lm_elements{
    {static_image(260, kMcuBezelWidth, kMcuBezelHeight, 0, 0, IMAGE_FLAGS_LUMINOUS), mcu_screen()}};

constexpr MouseHandler handler_of(McuKey key) {
    if (key == McuKey::Screen) return &mcu_popup_toggle;
    if (key == McuKey::Lnav) return &mcu_key_lnav;
    return kMcuHandlers[static_cast<std::size_t>(key)];
}

// One box per key holding the box that takes the click (hand cursor, left
// click; PREV, NEXT and the rocker's up and down repeat while held).
constexpr auto mcu_key_list() {
    std::array<MouseRect, 3 * kMcuKeyCount + 3> list{};
    std::size_t n = 0;
    list[n++] = mouse_parent(0, 0, 0, 0);
    for (const McuKeyBox& key : mcu_key_boxes) {
        list[n++] = mouse_parent(key.x, key.y, key.w, key.h);
        list[n++] = mouse_child(0, 0, key.w, key.h, CURSOR_HAND,
                                key.repeats ? MOUSE_LEFT_REPEAT : MOUSE_LEFTSINGLE, handler_of(key.key));
        list[n++] = mouse_end_parent();
    }
    list[n++] = mouse_end_parent();
    list[n++] = mouse_end_list();
    return list;
}

constinit auto mcu_keys = mcu_key_list();

} // namespace

constinit GaugeHeader mcu_gauge = make_gauge_header("MCU", mcu_elements.list, mcu_keys.data(), mcu_callback);
constinit GaugeHeader mcu_lm_gauge =
    make_gauge_header("MCU_LM", mcu_lm_elements.list, mcu_keys.data(), mcu_lm_callback);

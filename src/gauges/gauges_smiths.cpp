// Headers of the Smiths FMS control unit's two gauges, each with its own
// 415 x 640 bezel: the screen with its drawing surface, the EXEC and MSG
// lamps (hidden at start) and one click spot per key, laid out as
// cdu_smiths/smiths_key_layout.h gives them.
#include "cdu_smiths/smiths_key_layout.h"
#include "cdu_smiths/smiths_keys.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

constexpr uint32_t kLampFlags = 0x40000003; // hidden at start

constexpr ElementHeader kSmithsScreen = static_image(270, 284, 233, 66, 40, IMAGE_FLAGS_SURFACE);
constexpr ElementHeader kSmithsExecLamp = icon(272, 50, 36, 314, 336, kLampFlags);
constexpr ElementHeader kSmithsMsgLamp = icon(274, 15, 97, 376, 434, kLampFlags);

constinit ElementChain<4> smiths_fms_elements{
    {static_image(266, 415, 640, 0, 0, 0), kSmithsScreen, kSmithsExecLamp, kSmithsMsgLamp}};
constinit ElementChain<4> smiths_fms_br_elements{
    {static_image(268, 415, 640, 0, 0, 0), kSmithsScreen, kSmithsExecLamp, kSmithsMsgLamp}};

// One box per key holding the box that takes the click (hand cursor, left
// click; CLR repeats while held).
constexpr auto smiths_key_list() {
    std::array<MouseRect, 3 * kSmithsKeyCount + 3> list{};
    std::size_t n = 0;
    list[n++] = mouse_parent(0, 0, 0, 0);
    for (const SmithsKeyBox& key : smiths_key_boxes.box) {
        const uint32_t flags = key.repeats ? MOUSE_LEFT_REPEAT : MOUSE_LEFTSINGLE;
        list[n++] = mouse_parent(key.x, key.y, key.w, key.h);
        list[n++] = mouse_child(0, 0, key.click_w, key.click_h, CURSOR_HAND, flags,
                                smiths_key_handlers[static_cast<std::size_t>(key.key)]);
        list[n++] = mouse_end_parent();
    }
    list[n++] = mouse_end_parent();
    list[n++] = mouse_end_list();
    return list;
}

constinit auto smiths_fms_keys = smiths_key_list();
constinit auto smiths_fms_br_keys = smiths_key_list();

} // namespace

constinit GaugeHeader smiths_fms_gauge =
    make_gauge_header("SMITHS_FMS", smiths_fms_elements.list, smiths_fms_keys.data(), smiths_fms_callback);
constinit GaugeHeader smiths_fms_br_gauge = make_gauge_header(
    "SMITHS_FMS_BR", smiths_fms_br_elements.list, smiths_fms_br_keys.data(), smiths_fms_br_callback);

// Headers of the EFIS, EHSI and MFD control panels and the C17 multifunction
// control panel: a background each with its lights linked below it (hidden
// at start) and a mouse-rectangle list whose spots call the panel actions.
// Boxes and light positions are in pixels of the background bitmap.
#include "gauges/c17_mfcp.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/guidance_toggles.h"
#include "gauges/mouse_list.h"
#include "gauges/nd_toggles.h"
#include "gauges/panel_actions.h"
#include "map/range_ladder.h"

namespace {

// Every panel handler ignores the mouse arguments and returns 0.
template <void (*Action)()> int32_t ORVEX_FSAPI on_click(PixPoint*, uint32_t) {
    Action();
    return 0;
}

template <int Kind> void step_up() {
    display_step_up(Kind);
}
template <int Kind> void step_down() {
    display_step_down(Kind);
}

constexpr uint32_t CLICK = MOUSE_LEFTSINGLE;
constexpr uint32_t HELD = MOUSE_LEFT_REPEAT; // repeated while the button is held

constexpr PanelSpot up(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t flags, MouseHandler handler) {
    return {x, y, w, h, CURSOR_UPARROW, flags, handler};
}
constexpr PanelSpot down(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t flags, MouseHandler handler) {
    return {x, y, w, h, CURSOR_DOWNARROW, flags, handler};
}
constexpr SpotGroup button(int32_t x, int32_t y, int32_t w, int32_t h, MouseHandler handler) {
    return single_spot({x, y, w, h, CURSOR_HAND, CLICK, handler});
}
constexpr ElementHeader light(uint32_t bitmap_id, int32_t width, int32_t height, int32_t x, int32_t y) {
    return icon(bitmap_id, width, height, x, y, IMAGE_FLAGS_PANEL_LIGHT);
}

// EFS50_EHSI_CNTR and its _LM twin: no lights, one list.
constinit ElementChain<1> efs50_ehsi_cntr_elements{{static_image(270, 500, 169, 0, 0, 0)}};
constinit ElementChain<1> efs50_ehsi_cntr_lm_elements{
    {static_image(270, 500, 169, 0, 0, IMAGE_FLAGS_LUMINOUS)}};
constinit auto efs50_ehsi_cntr_keys = panel_spot_list({
    spot_pair(down(54, 100, 27, 55, HELD, on_click<efs50_knob_event_left>),
              up(81, 100, 27, 55, HELD, on_click<efs50_knob_event_right>)),
    spot_pair(down(78, 18, 18, 40, HELD, on_click<decision_height_down>),
              up(60, 18, 18, 40, HELD, on_click<decision_height_up>)),
    button(135, 46, 45, 30, on_click<efs50_hsi_button>),
    button(198, 46, 45, 30, on_click<efs50_map_button>),
    button(260, 46, 45, 30, on_click<efs50_nav_source_button>),
    button(324, 46, 45, 30, on_click<efs50_range_up_button>),
    button(135, 83, 45, 30, on_click<efs50_brg1_button>),
    button(198, 83, 45, 30, on_click<efs50_brg2_button>),
    button(260, 83, 45, 30, on_click<toggle_nd_tcas>),
    button(324, 83, 45, 30, on_click<efs50_range_down_button>),
    button(198, 120, 45, 30, on_click<toggle_lnav>),
    button(260, 120, 45, 30, on_click<toggle_boundary_overlay_pair>),
    spot_pair(up(411, 106, 27, 54, HELD, on_click<efs50_knob_event_up>),
              down(384, 106, 27, 54, HELD, on_click<efs50_knob_event_down>)),
});

// HW_B737_EFIS_CNTR and _BR: two backgrounds over one chain of eleven
// lights (mode knob pictures 1 to 6, range knob pictures 7 to 11).
constinit ElementChain<11> hw_b737_efis_lights{{
    light(330, 41, 38, 149, 40),
    light(332, 40, 38, 148, 39),
    light(334, 42, 40, 148, 38),
    light(336, 37, 38, 150, 39),
    light(338, 40, 37, 148, 40),
    light(340, 42, 37, 148, 40),
    light(342, 40, 40, 242, 35),
    light(344, 37, 37, 244, 37),
    light(346, 38, 38, 244, 36),
    light(348, 39, 39, 243, 35),
    light(349, 36, 38, 245, 36),
}};
constinit ElementHeader hw_b737_efis_cntr_background{
    over(static_image(324, 313, 212, 0, 0, 0), hw_b737_efis_lights.list)};
constinit ElementHeader hw_b737_efis_cntr_br_background{
    over(static_image(326, 313, 212, 0, 0, 0), hw_b737_efis_lights.list)};
constinit ElementHeader* hw_b737_efis_cntr_elements[2]{&hw_b737_efis_cntr_background, nullptr};
constinit ElementHeader* hw_b737_efis_cntr_br_elements[2]{&hw_b737_efis_cntr_br_background, nullptr};
// The traffic button lies inside both range-knob halves and comes after them.
constinit auto hw_b737_efis_cntr_keys = panel_spot_list({
    spot_pair(down(145, 35, 26, 44, CLICK, on_click<step_down<DISPLAY_HW_B737_ND>>),
              up(172, 35, 26, 44, CLICK, on_click<step_up<DISPLAY_HW_B737_ND>>)),
    spot_pair(down(238, 35, 26, 44, CLICK, on_click<map_range_down>),
              up(265, 35, 26, 44, CLICK, on_click<map_range_up>)),
    button(256, 174, 34, 36, on_click<toggle_nd_intersections>),
    button(190, 174, 34, 36, on_click<toggle_nd_airports>),
    button(157, 174, 34, 36, on_click<toggle_nd_navaids>),
    button(122, 174, 34, 36, on_click<toggle_nd_vor_adf>),
    button(223, 174, 34, 36, on_click<toggle_boundary_overlay_pair>),
    button(256, 48, 14, 14, on_click<toggle_nd_tcas>),
    button(245, 109, 38, 38, on_click<b737_range_arcs_button>),
});

constinit ElementChain<1> md11_efis_ctrl_elements{{static_image(362, 311, 182, 0, 0, 0)}};
constinit auto md11_efis_ctrl_keys = panel_spot_list({
    button(96, 6, 34, 23, on_click<toggle_boundary_overlay_pair>),
    button(96, 39, 34, 23, on_click<md11_blank_button>),
    button(96, 71, 34, 23, on_click<toggle_nd_intersections>),
    button(96, 104, 34, 23, on_click<toggle_nd_navaids>),
    button(96, 138, 34, 23, on_click<toggle_nd_airports>),
    button(155, 22, 34, 23, on_click<md11_map_button>),
    button(155, 60, 34, 23, on_click<md11_plan_button>),
    button(210, 22, 34, 23, on_click<md11_vor_button>),
    button(210, 60, 34, 23, on_click<md11_app_button>),
    button(263, 22, 34, 23, on_click<toggle_nd_tcas>),
    button(150, 105, 34, 23, on_click<md11_brg1_vor_button>),
    button(150, 138, 34, 23, on_click<md11_brg1_adf_button>),
    button(191, 105, 34, 23, on_click<map_range_up>),
    button(191, 138, 34, 23, on_click<map_range_down>),
    button(232, 105, 34, 23, on_click<md11_brg2_vor_button>),
});

// A300_EFIS_CTRL: range knob pictures 1 to 4, mode knob pictures 5 to 7,
// filter lamps 8 to 11, traffic lamp 12.
constinit ElementChain<13> a300_efis_ctrl_elements{{
    static_image(366, 373, 312, 0, 0, 0),
    light(368, 66, 66, 253, 153),
    light(370, 66, 66, 253, 153),
    light(372, 66, 66, 253, 153),
    light(374, 66, 66, 253, 153),
    light(388, 66, 66, 56, 153),
    light(384, 66, 66, 56, 153),
    light(386, 66, 66, 56, 153),
    light(376, 56, 36, 95, 231),
    light(378, 56, 36, 159, 231),
    light(380, 56, 36, 222, 231),
    light(381, 56, 36, 285, 232),
    light(398, 50, 31, 24, 95),
}};
constinit auto a300_efis_ctrl_keys = panel_spot_list({
    spot_pair(down(53, 145, 38, 76, CLICK, on_click<step_down<DISPLAY_DU_1000_EHSI>>),
              up(92, 145, 38, 76, CLICK, on_click<step_up<DISPLAY_DU_1000_EHSI>>)),
    spot_pair(down(240, 145, 38, 76, CLICK, on_click<map_range_down>),
              up(279, 145, 38, 76, CLICK, on_click<map_range_up>)),
    button(94, 232, 55, 37, on_click<toggle_nd_intersections>),
    button(158, 232, 55, 37, on_click<toggle_nd_navaids>),
    button(221, 232, 55, 37, on_click<a300_ndb_button>),
    button(284, 232, 55, 37, on_click<toggle_nd_airports>),
    button(21, 92, 55, 37, on_click<toggle_nd_tcas>),
    spot_pair(down(285, 48, 27, 54, HELD, on_click<efs50_knob_event_left>),
              up(313, 48, 27, 54, HELD, on_click<efs50_knob_event_right>)),
});

// PROLINE4_MFD_CTRL: the inner (range) knob lies inside the outer (mode)
// knob and comes after it.
constinit ElementChain<1> proline4_mfd_ctrl_elements{{static_image(394, 311, 97, 0, 0, 0)}};
constinit auto proline4_mfd_ctrl_keys = panel_spot_list({
    SpotGroup{120, 13, 68, 46, down(120, 13, 34, 46, CLICK, on_click<step_down<DISPLAY_PROLINE4_MFD>>),
              up(155, 13, 34, 46, CLICK, on_click<step_up<DISPLAY_PROLINE4_MFD>>)},
    SpotGroup{137, 13, 34, 46, down(137, 13, 17, 46, CLICK, on_click<map_range_down>),
              up(154, 13, 17, 46, CLICK, on_click<map_range_up>)},
    button(177, 55, 26, 26, on_click<toggle_nd_tcas>),
    button(43, 15, 26, 26, on_click<proline4_brg1_button>),
    button(43, 54, 26, 26, on_click<proline4_brg2_button>),
});

// PROLINE4_AUX_CTRL: six buttons, each with its lamp.
constinit ElementChain<7> proline4_aux_ctrl_elements{{
    static_image(396, 313, 93, 0, 0, 0),
    light(404, 25, 10, 32, 35),
    light(404, 25, 10, 77, 35),
    light(404, 25, 10, 121, 35),
    light(404, 25, 10, 165, 35),
    light(404, 25, 10, 210, 35),
    light(404, 25, 10, 254, 35),
}};
constinit auto proline4_aux_ctrl_keys = panel_spot_list({
    button(28, 28, 36, 36, on_click<toggle_nd_tcas>),
    button(73, 28, 36, 36, on_click<toggle_nd_intersections>),
    button(116, 28, 36, 36, on_click<toggle_nd_navaids>),
    button(161, 28, 36, 36, on_click<proline4_ndb_button>),
    button(205, 28, 36, 36, on_click<toggle_nd_airports>),
    button(250, 28, 36, 36, on_click<toggle_boundary_overlay_pair>),
});

// MD80_EHSI_CTRL: knob lamps 1 to 3, filter lamps 4 to 8.
constinit ElementChain<9> md80_ehsi_ctrl_elements{{
    static_image(408, 392, 214, 0, 0, 0),
    light(410, 36, 36, 50, 56),
    light(410, 36, 36, 169, 53),
    light(410, 36, 36, 298, 54),
    light(404, 25, 10, 50, 167),
    light(404, 25, 10, 109, 167),
    light(404, 25, 10, 166, 167),
    light(404, 25, 10, 227, 167),
    light(404, 25, 10, 276, 167),
}};
constinit auto md80_ehsi_ctrl_keys = panel_spot_list({
    spot_pair(down(43, 48, 28, 56, CLICK, on_click<step_down<DISPLAY_MD80_EHSI>>),
              up(72, 48, 28, 56, CLICK, on_click<step_up<DISPLAY_MD80_EHSI>>)),
    button(166, 48, 44, 54, on_click<md80_adf_button>),
    spot_pair(down(291, 48, 28, 56, CLICK, on_click<map_range_down>),
              up(320, 48, 28, 56, CLICK, on_click<map_range_up>)),
    button(40, 150, 52, 34, on_click<toggle_nd_navaids>),
    button(97, 150, 52, 34, on_click<toggle_nd_airports>),
    button(155, 150, 52, 34, on_click<toggle_boundary_overlay_pair>),
    button(215, 150, 52, 34, on_click<toggle_nd_intersections>),
    button(264, 150, 52, 34, on_click<toggle_nd_tcas>),
});

constinit ElementChain<1> c17_mfcp_elements{{static_image(414, 430, 520, 0, 0, 0)}};
// C17_MFCP: both map-format rockers step every unit's map format.
constinit auto c17_mfcp_keys = panel_spot_list({
    button(94, 198, 50, 50, on_click<toggle_nd_navaids>),
    button(162, 198, 50, 50, on_click<toggle_nd_airports>),
    button(344, 130, 48, 48, on_click<c17_mfcp_toggle_plan_route>),
    button(35, 131, 48, 48, on_click<c17_mfcp_toggle_map3_overlay>),
    single_spot(down(66, 426, 41, 82, CLICK, on_click<map_range_down>)),
    single_spot(up(108, 426, 41, 82, CLICK, on_click<map_range_up>)),
    button(84, 291, 42, 38, on_click<c17_mfcp_map_format_down>),
    button(356, 291, 42, 38, on_click<c17_mfcp_map_format_down>),
    button(84, 332, 42, 38, on_click<c17_mfcp_map_format_up>),
    button(356, 332, 42, 38, on_click<c17_mfcp_map_format_up>),
});

} // namespace

constinit GaugeHeader efs50_ehsi_cntr_gauge = make_gauge_header(
    "EFS50_EHSI_CNTR", efs50_ehsi_cntr_elements.list, efs50_ehsi_cntr_keys.data(), efs50_ehsi_cntr_callback);
constinit GaugeHeader efs50_ehsi_cntr_lm_gauge =
    make_gauge_header("EFS50_EHSI_CNTR_LM", efs50_ehsi_cntr_lm_elements.list, efs50_ehsi_cntr_keys.data(),
                      efs50_ehsi_cntr_lm_callback);
constinit GaugeHeader hw_b737_efis_cntr_gauge =
    make_gauge_header("HW_B737_EFIS_CNTR", hw_b737_efis_cntr_elements, hw_b737_efis_cntr_keys.data(),
                      hw_b737_ehsi_cntr_callback);
constinit GaugeHeader hw_b737_efis_cntr_br_gauge =
    make_gauge_header("HW_B737_EFIS_CNTR_BR", hw_b737_efis_cntr_br_elements, hw_b737_efis_cntr_keys.data(),
                      hw_b737_ehsi_cntr_br_callback);
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

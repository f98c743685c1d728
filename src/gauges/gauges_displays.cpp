// Headers, element lists and mouse lists of the drawing gauges: a background
// with the drawing surface as its first child, and a click spot over the
// screen that toggles the gauge's pop-up window.
#include "gauges/click_spots.h"
#include "gauges/element_callbacks.h"
#include "gauges/element_chain.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_header.h"
#include "gauges/gauge_headers.h"
#include "gauges/mouse_list.h"

namespace {

// EFS50 family: 384 x 371 bezels around the 280 x 262 surface 278.
constinit ElementChain<3> efs50_eadi_elements{{
    static_image(280, 384, 371, 0, 0, 1),
    static_image(278, 280, 262, 51, 42, IMAGE_FLAGS_SURFACE),
    moving_image(406, 14, 18, 185, 335, 3, efs50_eadi_ball_value),
}};
constinit ElementChain<2> efs50_ehsi_elements{{
    static_image(282, 384, 371, 0, 0, 0),
    static_image(278, 280, 262, 51, 42, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> efs50_eadi_nb_elements{{
    static_image(278, 280, 262, 0, 0, 1),
    static_image(278, 280, 262, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> efs50_ehsi_nb_elements{{
    static_image(278, 280, 262, 0, 0, 1),
    static_image(278, 280, 262, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> efs50_tcas_elements{{
    static_image(282, 384, 371, 0, 0, 1),
    static_image(278, 280, 262, 51, 42, IMAGE_FLAGS_SURFACE),
}};

constinit auto efs50_eadi_mouse = click_spot_list({{130, 130, 100, 100, efs50_eadi_popup_toggle}});
constinit auto efs50_ehsi_mouse = click_spot_list({{130, 130, 100, 100, efs50_ehsi_popup_toggle}});
constinit auto efs50_eadi_nb_mouse = click_spot_list({{130, 130, 100, 100, efs50_eadi_nb_popup_toggle}});
constinit auto efs50_ehsi_nb_mouse = click_spot_list({{130, 130, 100, 100, efs50_ehsi_nb_popup_toggle}});
constinit auto efs50_tcas_mouse = no_click_spots();

// HW_B737_ND family: 281 x 337 bezels around the 247 x 294 surface 318.
constinit ElementChain<2> hw_b737_nd_elements{{
    static_image(320, 281, 337, 0, 0, 0),
    static_image(318, 247, 294, 18, 25, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> hw_b737_nd_br_elements{{
    static_image(322, 281, 337, 0, 0, 0),
    static_image(318, 247, 294, 18, 25, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> hw_b737_nd_nb_elements{{
    static_image(318, 247, 294, 0, 0, 1),
    static_image(318, 247, 294, 0, 0, IMAGE_FLAGS_SURFACE),
}};

constinit auto hw_b737_nd_mouse = click_spot_list({{75, 100, 100, 100, hw_b737_nd_popup_toggle}});
constinit auto hw_b737_nd_br_mouse = click_spot_list({{75, 100, 100, 100, hw_b737_nd_br_popup_toggle}});
constinit auto hw_b737_nd_nb_mouse = click_spot_list({{60, 75, 100, 100, hw_b737_nd_nb_popup_toggle}});

// HW_MD11_ND family: 291 x 319 bezel around the 246 x 241 surface 354.
constinit ElementChain<2> hw_md11_nd_elements{{
    static_image(356, 291, 319, 0, 0, 0),
    static_image(354, 246, 241, 20, 28, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> hw_md11_nd_nb_elements{{
    static_image(354, 246, 241, 0, 0, 1),
    static_image(354, 246, 241, 0, 0, IMAGE_FLAGS_SURFACE),
}};

constinit auto hw_md11_nd_mouse = click_spot_list({{75, 100, 100, 100, hw_md11_nd_popup_toggle}});
constinit auto hw_md11_nd_nb_mouse = click_spot_list({{75, 100, 100, 100, hw_md11_nd_nb_popup_toggle}});

// The 318 x 311 surface 358 and its users.
constinit ElementChain<2> du_1000_ehsi_elements{{
    static_image(360, 392, 394, 0, 0, 0),
    static_image(358, 318, 311, 37, 39, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> du_1000_ehsi_nb_elements{{
    static_image(358, 318, 311, 0, 0, 0),
    static_image(358, 318, 311, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> a320_eadi_nb_elements{{
    static_image(358, 318, 311, 0, 0, 0),
    static_image(358, 318, 311, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> md80_ehsi_nb_elements{{
    static_image(358, 318, 311, 0, 0, 0),
    static_image(358, 318, 311, 0, 0, IMAGE_FLAGS_SURFACE),
}};

// Both DU_1000_EHSI gauges use the one handler.
constinit auto du_1000_ehsi_mouse = click_spot_list({{130, 130, 100, 100, du_1000_ehsi_popup_toggle}});
constinit auto du_1000_ehsi_nb_mouse = click_spot_list({{130, 130, 100, 100, du_1000_ehsi_popup_toggle}});
constinit auto a320_eadi_nb_mouse = click_spot_list({{130, 130, 100, 100, a320_eadi_popup_toggle}});
constinit auto md80_ehsi_nb_mouse = click_spot_list({{130, 130, 100, 100, md80_ehsi_popup_toggle}});

// PROLINE family.
constinit ElementChain<2> proline4_mfd_elements{{
    static_image(392, 322, 368, 0, 0, 0),
    static_image(390, 247, 285, 38, 40, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> proline4_mfd_nb_elements{{
    static_image(390, 247, 285, 0, 0, 0),
    static_image(390, 247, 285, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit ElementChain<2> proline_eicas_elements{{
    static_image(524, 486, 110, 0, 0, 0),
    static_image(524, 486, 110, 0, 0, IMAGE_FLAGS_SURFACE),
}};

constinit auto proline4_mfd_mouse = click_spot_list({{102, 147, 100, 100, proline4_mfd_popup_toggle}});
constinit auto proline4_mfd_nb_mouse = click_spot_list({{102, 147, 100, 100, proline4_mfd_nb_popup_toggle}});
// The strip is 110 high: the toggle's box 147 down would lie below it, out
// of reach, so it stands on the bottom edge (y 10 to 110).
constinit auto proline_eicas_mouse =
    click_spot_list({{102, 110 - 100, 100, 100, proline_eicas_popup_toggle}});

constinit ElementChain<2> b777_pfd_nb_elements{{
    static_image(318, 247, 294, 0, 0, 1),
    static_image(318, 247, 294, 0, 0, IMAGE_FLAGS_SURFACE),
}};
constinit auto b777_pfd_nb_mouse = click_spot_list({{72, 94, 98, 98, b777_pfd_popup_toggle}});

// C17_MFD draws straight into its single element.
constinit ElementChain<1> c17_mfd_elements{{
    static_image(412, 246, 241, 0, 0, 0x26),
}};
// The format keys' row stands on the gauge's bottom edge (y 209 to 241): the
// row 58 units lower would lie below the 246 x 241 gauge, out of reach.
constexpr int32_t kC17KeyRowY = 241 - 32;
template <MouseHandler Pfd, MouseHandler Nav, MouseHandler Eng, MouseHandler Cfg>
constexpr auto c17_mfd_spots() {
    return click_spot_list({
        {72, 75, 70, 70, c17_mfd_popup_toggle},
        {58, kC17KeyRowY, 29, 32, Pfd},
        {85, kC17KeyRowY, 36, 32, Nav},
        {121, kC17KeyRowY, 37, 32, c17_mfd_key_none},
        {157, kC17KeyRowY, 36, 32, Eng},
        {192, kC17KeyRowY, 40, 32, Cfg},
    });
}
template <uint32_t U> constexpr auto c17_mfd_unit_spots() {
    return c17_mfd_spots<c17_unit_key<U, c17_mfd_key_pfd>, c17_unit_key<U, c17_mfd_key_nav>,
                         c17_unit_key<U, c17_mfd_key_eng>, c17_unit_key<U, c17_mfd_key_cfg>>();
}
// The list of the table, whose keys act on the current record, and one list
// per unit, which a placement takes once its parameter names its unit.
constinit auto c17_mfd_mouse =
    c17_mfd_spots<c17_mfd_key_pfd, c17_mfd_key_nav, c17_mfd_key_eng, c17_mfd_key_cfg>();
constinit decltype(c17_mfd_mouse) c17_mfd_unit_mouse[4] = {c17_mfd_unit_spots<1>(), c17_mfd_unit_spots<2>(),
                                                           c17_mfd_unit_spots<3>(), c17_mfd_unit_spots<4>()};

constinit ElementChain<2> debug_elements{{
    static_image(522, 188, 256, 0, 0, 1),
    static_image(520, 148, 185, 20, 38, IMAGE_FLAGS_SURFACE),
}};
constinit auto debug_mouse = click_spot_list({{130, 130, 100, 100, c17_mfd_key_none}});

} // namespace

constinit GaugeHeader efs50_eadi_gauge =
    make_gauge_header("EFS50_EADI", efs50_eadi_elements.list, efs50_eadi_mouse.data(), efs50_eadi_callback);
constinit GaugeHeader efs50_ehsi_gauge =
    make_gauge_header("EFS50_EHSI", efs50_ehsi_elements.list, efs50_ehsi_mouse.data(), efs50_ehsi_callback);
constinit GaugeHeader efs50_eadi_nb_gauge = make_gauge_header(
    "EFS50_EADI_NB", efs50_eadi_nb_elements.list, efs50_eadi_nb_mouse.data(), efs50_eadi_nb_callback);
constinit GaugeHeader efs50_ehsi_nb_gauge = make_gauge_header(
    "EFS50_EHSI_NB", efs50_ehsi_nb_elements.list, efs50_ehsi_nb_mouse.data(), efs50_ehsi_nb_callback);
constinit GaugeHeader efs50_tcas_gauge =
    make_gauge_header("EFS50_TCAS", efs50_tcas_elements.list, efs50_tcas_mouse.data(), efs50_tcas_callback);

constinit GaugeHeader hw_b737_nd_gauge =
    make_gauge_header("HW_B737_ND", hw_b737_nd_elements.list, hw_b737_nd_mouse.data(), hw_b737_ehsi_callback);
constinit GaugeHeader hw_b737_nd_br_gauge = make_gauge_header(
    "HW_B737_ND_BR", hw_b737_nd_br_elements.list, hw_b737_nd_br_mouse.data(), hw_b737_ehsi_br_callback);
constinit GaugeHeader hw_b737_nd_nb_gauge = make_gauge_header(
    "HW_B737_ND_NB", hw_b737_nd_nb_elements.list, hw_b737_nd_nb_mouse.data(), hw_b737_ehsi_nb_callback);

constinit GaugeHeader hw_md11_nd_gauge =
    make_gauge_header("HW_MD11_ND", hw_md11_nd_elements.list, hw_md11_nd_mouse.data(), hw_md11_nd_callback);
constinit GaugeHeader hw_md11_nd_nb_gauge = make_gauge_header(
    "HW_MD11_ND_NB", hw_md11_nd_nb_elements.list, hw_md11_nd_nb_mouse.data(), hw_md11_nd_nb_callback);

constinit GaugeHeader du_1000_ehsi_gauge = make_gauge_header(
    "DU_1000_EHSI", du_1000_ehsi_elements.list, du_1000_ehsi_mouse.data(), du_1000_ehsi_callback);
constinit GaugeHeader du_1000_ehsi_nb_gauge = make_gauge_header(
    "DU_1000_EHSI_NB", du_1000_ehsi_nb_elements.list, du_1000_ehsi_nb_mouse.data(), du_1000_ehsi_nb_callback);
constinit GaugeHeader a320_eadi_nb_gauge = make_gauge_header("A320_EADI_NB", a320_eadi_nb_elements.list,
                                                             a320_eadi_nb_mouse.data(), a320_eadi_callback);
constinit GaugeHeader md80_ehsi_nb_gauge = make_gauge_header("MD80_EHSI_NB", md80_ehsi_nb_elements.list,
                                                             md80_ehsi_nb_mouse.data(), md80_ehsi_callback);

constinit GaugeHeader proline4_mfd_gauge = make_gauge_header(
    "PROLINE4_MFD", proline4_mfd_elements.list, proline4_mfd_mouse.data(), proline4_mfd_callback);
constinit GaugeHeader proline4_mfd_nb_gauge = make_gauge_header(
    "PROLINE4_MFD_NB", proline4_mfd_nb_elements.list, proline4_mfd_nb_mouse.data(), proline4_mfd_nb_callback);
constinit GaugeHeader proline_eicas_gauge = make_gauge_header(
    "PROLINE_EICAS", proline_eicas_elements.list, proline_eicas_mouse.data(), proline_eicas_callback);

constinit GaugeHeader b777_pfd_nb_gauge =
    make_gauge_header("B777_PFD_NB", b777_pfd_nb_elements.list, b777_pfd_nb_mouse.data(), d100_callback);
constinit GaugeHeader c17_mfd_gauge =
    make_gauge_header("C17_MFD", c17_mfd_elements.list, c17_mfd_mouse.data(), c17_mfd_callback);
constinit GaugeHeader debug_gauge =
    make_gauge_header("DEBUG", debug_elements.list, debug_mouse.data(), debug_callback);

MouseRect* c17_mfd_mouse_of_unit(uint32_t unit) {
    return unit >= 1 && unit <= 4 ? c17_mfd_unit_mouse[unit - 1].data() : c17_mfd_mouse.data();
}

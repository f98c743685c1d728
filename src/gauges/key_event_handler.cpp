#include "gauges/key_event_handler.h"

#include "data/module_settings.h"
#include "gauges/guidance_toggles.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"

void ORVEX_FSAPI fms_key_event_handler(uint32_t event_id, uint32_t, void*) {
    switch (event_id) {
    case KEY_LNAV_TOGGLE:
        toggle_lnav();
        break;
    case KEY_NAV_LOCK:
        if (LnavOnNavLock == 1) toggle_lnav();
        break;
    case KEY_VNAV_TOGGLE:
        toggle_vnav();
        break;
    case KEY_ND_TCAS:
        toggle_nd_tcas();
        break;
    case KEY_ND_AIRPORTS:
        toggle_nd_airports();
        break;
    case KEY_ND_NAVAIDS:
        toggle_nd_navaids();
        break;
    case KEY_ND_INTERSECTIONS:
        toggle_nd_intersections();
        break;
    case KEY_ND_RANGE_UP:
        map_range_up();
        break;
    case KEY_ND_RANGE_DOWN:
        map_range_down();
        break;
    case KEY_ND_MODE_UP:
        display_step_up(DISPLAY_ALL);
        break;
    case KEY_ND_MODE_DOWN:
        display_step_down(DISPLAY_ALL);
        break;
    default:
        break;
    }
}

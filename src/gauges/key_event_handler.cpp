#include "gauges/key_event_handler.h"

#include "data/module_settings.h"
#include "gauges/guidance_toggles.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"
#include "sim/key_events.h"

void ORVEX_FSAPI fms_key_event_handler(uint32_t event_id, uint32_t, void*) {
    switch (event_id) {
    case kKeyLnavToggle:
        toggle_lnav();
        break;
    case kKeyNavLockToggle:
        if (LnavOnNavLock == 1) toggle_lnav();
        break;
    case kKeyVnavToggle:
        toggle_vnav();
        break;
    case kKeyNdTcasToggle:
        toggle_nd_tcas();
        break;
    case kKeyNdAirportsToggle:
        toggle_nd_airports();
        break;
    case kKeyNdNavaidsToggle:
        toggle_nd_navaids();
        break;
    case kKeyNdIntersectionsToggle:
        toggle_nd_intersections();
        break;
    case kKeyNdRangeUp:
        map_range_up();
        break;
    case kKeyNdRangeDown:
        map_range_down();
        break;
    case kKeyNdModeUp:
        display_step_up(DISPLAY_ALL);
        break;
    case kKeyNdModeDown:
        display_step_down(DISPLAY_ALL);
        break;
    default:
        break;
    }
}

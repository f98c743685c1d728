// The C17_MFCP: a gauge that draws nothing, takes part in the lazy loading,
// and whose buttons step the C17_MFD map formats and options.
#include "gauges/c17_mfcp.h"

#include "data/c17_mfd_state.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/lazy_loads.h"

namespace {

uint32_t format_down(uint32_t format) {
    return format == kC17FormatMapArc     ? kC17FormatMapWideArc
           : format == kC17FormatMapBelow ? kC17FormatMapArc
                                          : format;
}

uint32_t format_up(uint32_t format) {
    return format == kC17FormatMapWideArc ? kC17FormatMapArc
           : format == kC17FormatMapArc   ? kC17FormatMapBelow
                                          : format;
}

void step_map_formats(uint32_t (*step)(uint32_t)) {
    if (c17_mfd_format >= kC17FormatMapWideArc && c17_mfd_format <= kC17FormatMapBelow) {
        c17_mfd_format = step(c17_mfd_format);
        c17_mfd_map_scale = c17_mfd_format;
    }
    for (int unit = 1; unit <= 4; ++unit)
        c17_mfd_units[unit].format = step(c17_mfd_units[unit].format);
}

int flipped(int flag) {
    return flag == 0 ? 1 : 0;
}

} // namespace

void c17_mfcp_map_format_down() {
    step_map_formats(format_down);
}

void c17_mfcp_map_format_up() {
    step_map_formats(format_up);
}

void c17_mfcp_toggle_plan_route() {
    c17_plan_route_on = flipped(c17_plan_route_on);
}

void c17_mfcp_toggle_map3_overlay() {
    c17_map3_overlay_on = flipped(c17_map3_overlay_on);
}

// The panel may be placed without a display: it loads the configuration,
// the aircraft file its parameter names and the flight-plan list, but leaves
// the navigation database to the displays.
void ORVEX_FSAPI c17_mfcp_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    if (service == PANEL_SERVICE_PRE_INSTALL) {
        fill_host_folder();
    } else if (service == PANEL_SERVICE_PRE_INITIALIZE) {
        LazyLoads loads;
        loads.nav_database = false;
        run_lazy_loads(gauge != nullptr ? gauge->parameters : nullptr, loads);
    }
}

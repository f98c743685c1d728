// C17_MFD: up to four placements of one display, each a unit chosen by its
// parameter text ("1".."4", or "PFD", "MFD", "ENG", "CFG" with an optional
// "_VC" or "_WN"). Its PRE_INITIALIZE opens the debug log; its PRE_UPDATE runs
// the per-frame update and the unit's request variable.
#include "data/c17_mfd_state.h"
#include "fms/fms_update.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_headers.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/lazy_loads.h"
#include "gauges/lvar_poll.h"
#include "pfd/pfd_render_passes.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

#include <string>

namespace {

constexpr const char* kRequestNames[] = {"MFDX1 mode", "MFDX2 mode", "MFDX3 mode", "MFDX4 mode"};
bool request_vars_registered = false; // one flag for every C17_MFD instance

// The number of the first character; 0 for a non-digit.
uint32_t unit_digit(const std::string& parameters) {
    if (parameters.empty() || parameters[0] < '0' || parameters[0] > '9') return 0;
    return static_cast<uint32_t>(parameters[0] - '0');
}

bool is_one_of(const std::string& text, const char* base) {
    const std::string b = base;
    return text == b || text == b + "_VC" || text == b + "_WN";
}

// The unit a placement draws: its digit, or the unit its name stands for.
uint32_t c17_unit_of(const std::string& parameters) {
    if (is_one_of(parameters, "PFD")) return 1;
    if (is_one_of(parameters, "MFD")) return 2;
    if (is_one_of(parameters, "ENG")) return 3;
    if (is_one_of(parameters, "CFG")) return 4;
    return unit_digit(parameters);
}

// The format keys of a placement that draws one unit change that unit: the
// mouse list of this placement's header becomes that unit's.
void take_unit_mouse_list(GaugeHeader* gauge) {
    const std::string parameters = gauge->parameters != nullptr ? gauge->parameters : "";
    gauge->mouse_rect = c17_mfd_mouse_of_unit(c17_unit_of(parameters));
}

void pre_update(GaugeHeader* gauge) {
    debug_log_line("PANEL_SERVICE_PRE_UPDATE:\n");
    fms_update();
    const std::string parameters = gauge->parameters != nullptr ? gauge->parameters : "";
    debug_log_printf("PANEL_SERVICE_PRE_UPDATE-2: Param=%s\n", parameters.c_str());
    // An empty parameter forms no unit, so no request is polled.
    if (parameters.empty()) return;
    uint32_t unit = unit_digit(parameters);
    debug_log_printf("PANEL_SERVICE_PRE_UPDATE-3: iparam=%d\n", static_cast<int>(unit));
    if (unit == 0) unit = 1;
    debug_log_printf("PANEL_SERVICE_PRE_UPDATE-4: iparam=%d\n", static_cast<int>(unit));
    switch (unit) {
    case 1:
        ProcessMFDX1(gauge);
        break;
    case 2:
        ProcessMFDX2(gauge);
        break;
    case 3:
        ProcessMFDX3(gauge);
        break;
    case 4:
        ProcessMFDX4(gauge);
        break;
    default:
        break;
    }
}

void pre_draw(GaugeHeader* gauge) {
    drawn_element = gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
    if (drawn_element == nullptr) return;
    if (drawn_element->device_context != nullptr) {
        const std::string parameters = gauge->parameters != nullptr ? gauge->parameters : "";
        uint32_t unit = c17_unit_of(parameters);
        // A unit placed by name keeps its fixed format.
        if (is_one_of(parameters, "PFD")) {
            c17_mfd_units[1].format = kC17FormatPfd;
        } else if (is_one_of(parameters, "MFD")) {
            const uint32_t f = c17_mfd_units[2].format;
            if (f != kC17FormatMapWideArc && f != kC17FormatMapArc && f != kC17FormatMapBelow)
                c17_mfd_units[2].format = kC17FormatMapWideArc;
        } else if (is_one_of(parameters, "ENG")) {
            c17_mfd_units[3].format = kC17FormatThrust;
        } else if (is_one_of(parameters, "CFG")) {
            c17_mfd_units[4].format = kC17FormatConfiguration;
        }
        if (ps_window_visible(WINDOW_MAIN_PANEL) != 0 && parameters.find("VC") != std::string::npos)
            unit = 0;
        else if (unit == 1 && ps_window_visible(WINDOW_C17_MFD) != 0 &&
                 parameters.find("WN") == std::string::npos)
            unit = 0;
        render_c17_mfd(drawn_element->device_context, element_pixel_size(drawn_element), unit);
    }
    drawn_element->image_flags &= ~IMAGE_DIRTY;
}

} // namespace

void ORVEX_FSAPI c17_mfd_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    if (gauge == nullptr) return;
    switch (service) {
    case PANEL_SERVICE_PRE_INSTALL:
        fill_host_folder();
        take_unit_mouse_list(gauge);
        break;
    case PANEL_SERVICE_PRE_INITIALIZE: {
        take_unit_mouse_list(gauge);
        open_debug_log();
        LazyLoads loads;
        loads.aircraft = false;
        run_lazy_loads(gauge->parameters, loads);
        break;
    }
    case PANEL_SERVICE_CONNECT_TO_WINDOW:
        gdiplus_connect();
        if (!request_vars_registered) {
            // A new variable reads 0, a PFD request: it starts idle instead, so
            // that each unit shows its own initial format until a panel asks.
            for (const char* name : kRequestNames) {
                const int32_t id = ps_register_named_var(name);
                if (ps_get_named_var(id) == 0.0) ps_set_named_var(id, c17_request_idle);
            }
            request_vars_registered = true;
        }
        break;
    case PANEL_SERVICE_DISCONNECT:
        gdiplus_disconnect();
        if (request_vars_registered) {
            for (const char* name : kRequestNames)
                ps_unregister_module_var(name);
            request_vars_registered = false;
        }
        break;
    case PANEL_SERVICE_PRE_UPDATE:
        pre_update(gauge);
        break;
    case PANEL_SERVICE_PRE_DRAW:
        pre_draw(gauge);
        break;
    default:
        break;
    }
}

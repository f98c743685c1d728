#include "gauges/lvar_poll.h"

#include "data/c17_mfd_state.h"
#include "data/display_state.h"
#include "data/lvar_bindings.h"
#include "fms/guidance/lateral_guidance.h"
#include "gauges/debug_log.h"
#include "gauges/guidance_toggles.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"
#include "platform/text_file.h"
#include "sim/element_helpers.h"
#include "sim/panel_services.h"

#include <cstdio>
#include <string>

namespace {

// Binding names are handled up to 99 characters.
constexpr std::size_t kMaxVariableName = 99;

double read_named(const std::string& name) {
    return ps_get_named_var(ps_find_named_var(name.substr(0, kMaxVariableName).c_str()));
}

// A mode trigger acts while its variable holds the code and the mode differs.
void mode_trigger(double v, const LvarBinding& b, int mode) {
    if (v == static_cast<double>(b.variable_code) && nd_mode_index != mode) set_nd_mode(mode);
}

void apply_binding(const LvarBinding& b) {
    const double v = read_named(b.variable_name);
    const int whole = saturate_to_int(v);
    const std::string& s = b.setting_name;
    if (s == "MapRange") {
        if (v == static_cast<double>(b.variable_code))
            set_map_range_all(static_cast<double>(b.setting_value));
    } else if (s == "TcasOn") {
        if (v != static_cast<double>(tcas_display_on)) toggle_nd_tcas();
    } else if (s == "DisplayInts") {
        if (whole != lvar_applied_ints) set_nd_intersections(whole);
    } else if (s == "DisplayNavs") {
        if (whole != lvar_applied_navs) set_nd_navaids(whole);
    } else if (s == "DisplayApts") {
        if (whole != lvar_applied_apts) set_nd_airports(whole);
    } else if (s == "NDCompassMode") {
        mode_trigger(v, b, kNdModeCompass);
    } else if (s == "NDVorMode") {
        mode_trigger(v, b, kNdModeVor);
    } else if (s == "NDArcMode") {
        mode_trigger(v, b, kNdModeArc);
    } else if (s == "NDAppMode") {
        mode_trigger(v, b, kNdModeApp);
    } else if (s == "NDMapMode") {
        mode_trigger(v, b, kNdModeMap);
    } else if (s == "NDCtrMapMode") {
        mode_trigger(v, b, kNdModeCtrMap);
    } else if (s == "NDPlanMode") {
        mode_trigger(v, b, kNdModePlan);
    } else if (s == "Vor1BrgPtr") {
        if (whole != lvar_applied_vor1_pointer) set_vor1_bearing_pointer(whole);
    } else if (s == "Vor2BrgPtr") {
        if (whole != lvar_applied_vor2_pointer) set_vor2_bearing_pointer(whole);
    } else if (s == "LnavOn") {
        if (whole != lnav_engaged) toggle_lnav();
    }
}

bool is_nav_format(uint32_t format) {
    return format == kC17FormatHsi || format == kC17FormatMapWideArc || format == kC17FormatMapArc ||
           format == kC17FormatMapBelow || format == kC17FormatPlan;
}

uint32_t next_nav_format(uint32_t nav_format) {
    switch (nav_format) {
    case kC17FormatHsi:
        return kC17FormatMapWideArc;
    case kC17FormatMapWideArc:
    case kC17FormatMapArc:
    case kC17FormatMapBelow:
        return kC17FormatPlan;
    case kC17FormatPlan:
        return kC17FormatHsi;
    default:
        return nav_format;
    }
}

void process_mfd_request(GaugeHeader* gauge, int unit) {
    // Unit 1 looks up "MFDX1 mode", units 2 to 4 "MFDx2 mode" and so on; the
    // simulator matches named-variable names without regard to case.
    char name[16];
    std::snprintf(name, sizeof name, unit == 1 ? "MFDX%d mode" : "MFDx%d mode", unit);
    if (unit == 2) debug_log_printf("ProcessMFDX2()-1: as_mfdx2_mode=%d\n", mfdx2_last_request);
    const int32_t id = ps_find_named_var(name);
    const int request = saturate_to_int(ps_get_named_var(id));
    if (unit == 2) {
        mfdx2_last_request = request;
        debug_log_printf("ProcessMFDX2()-2: as_mfdx2_mode=%d\n", request);
    }

    C17MfdInstance& u = c17_mfd_units[unit];
    ElementHeader* first = gauge && gauge->elements_list ? gauge->elements_list[0] : nullptr;
    if (request == kC17RequestMapHold) {
        // The map holds, its picture element hidden, for as long as the request stays.
        if (u.format != kC17FormatMapWideArc) {
            set_list_element_flags(first, 0, IMAGE_HIDDEN);
            u.format = kC17FormatMapWideArc;
        }
        return;
    }
    if (request == static_cast<int>(c17_request_idle)) return;
    if (u.format == kC17FormatMapWideArc) clear_list_element_flags(first, 0, IMAGE_HIDDEN);
    switch (request) {
    case kC17RequestPfd:
        u.format = kC17FormatPfd;
        break;
    case kC17RequestNav:
        if (is_nav_format(u.format)) {
            u.nav_format = next_nav_format(u.nav_format);
            u.format = u.nav_format;
        } else {
            u.format = u.nav_format;
        }
        break;
    case kC17RequestEngine:
        u.format = u.format == kC17FormatThrust ? kC17FormatEpr
                   : u.format == kC17FormatEpr  ? kC17FormatOilFuel
                                                : kC17FormatThrust;
        break;
    default:
        u.format = kC17FormatConfiguration;
        break;
    }
    ps_set_named_var(id, c17_request_idle);
}

} // namespace

void apply_lvar_settings() {
    for (int i = 1; i <= lvar_bindings.count(); ++i)
        apply_binding(lvar_bindings[i]);
}

void ProcessMFDX1(GaugeHeader* gauge) {
    process_mfd_request(gauge, 1);
}
void ProcessMFDX2(GaugeHeader* gauge) {
    process_mfd_request(gauge, 2);
}
void ProcessMFDX3(GaugeHeader* gauge) {
    process_mfd_request(gauge, 3);
}
void ProcessMFDX4(GaugeHeader* gauge) {
    process_mfd_request(gauge, 4);
}

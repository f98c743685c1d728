#include "fms/files/gps_plan_import.h"

#include "data/airport_procedures.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/reader_checks.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/route_file_load.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/nav/fix_info.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/data_link.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>

const void* gps_route_block = nullptr;

namespace {

const char* const kGpsPlanName = "FS2002 GPS DATA";

const char* const kNoSelection = "------";
const char* const kNoGpsRoute = "NO ACTIVE GPS RTE";

// The import's message goes to the unit that asked: the GNS's own message
// for its quiet import, the SMITHS message line otherwise.
void tell(int mode, const std::string& text) {
    if (mode == kGpsImportQuiet)
        gns_refusal_text = text;
    else
        smiths_scratchpad_message = text;
}

template <class T> T read_at(const unsigned char* base, std::size_t offset) {
    T value;
    std::memcpy(&value, base + offset, sizeof value);
    return value;
}

RouteWaypoint gps_waypoint(const unsigned char* record) {
    RouteWaypoint w;
    const char* ident = reinterpret_cast<const char*>(record + 56);
    w.ident.assign(ident, strnlen(ident, 7));
    w.lat = read_at<int32_t>(record, 12) * 360.0 / 40007000.0;
    const uint64_t raw = read_at<uint64_t>(record, 16) & ~uint64_t{0xFFFF};
    w.lon = static_cast<double>(static_cast<int64_t>(raw)) * 360.0 / 18446744073709551616.0;
    w.course = -1.0;
    return w;
}

} // namespace

void import_gps_route(int mode) {
    if (!gps_route_block) {
        ModuleVarBlock block{};
        ps_bind_module_var(&block, kGpsPlanName);
        gps_route_block = block.var_ptr;
        if (!gps_route_block) return;
    }
    const auto* block = static_cast<const unsigned char*>(gps_route_block);
    if (read_at<uint32_t>(block, 0) < kGpsBlockMinSize) return;
    const uint32_t count = read_at<uint32_t>(block, kGpsCountOffset);
    const auto* records = read_at<const unsigned char*>(block, kGpsRecordsOffset);
    if (!records || count < 2) {
        tell(mode, kNoGpsRoute);
        return;
    }

    // A record whose position is off the globe (the simulator's distance
    // units allow it) is left out; the plan takes the first 201 of the rest,
    // and what was left out is told.
    int usable = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const RouteWaypoint w = gps_waypoint(records + kGpsRecordSize * i);
        usable += on_globe(w.lat, w.lon);
    }
    const int dropped = usable > kPlanLastIndex + 1 ? usable - (kPlanLastIndex + 1) : 0;
    std::string told;
    if (static_cast<uint32_t>(usable) < count)
        told = std::to_string(count - static_cast<uint32_t>(usable)) + " waypoints off the globe skipped";
    if (dropped > 0)
        told += (told.empty() ? "" : "; ") + std::to_string(dropped) + " waypoints after the first " +
                std::to_string(kPlanLastIndex + 1) + " left out";
    if (!told.empty()) record_load_warning(kGpsPlanName, told);
    if (usable < 2) {
        tell(mode, kNoGpsRoute);
        return;
    }

    {
        // A whole new working plan: the cursors stay at their rows.
        PlanEdit edit(working_target(), "a GPS route imported");
        edit.keep_cursors();
        edit.set_last(-1);
        for (uint32_t i = 0; i < count && edit.last() < kPlanLastIndex; ++i) {
            const RouteWaypoint w = gps_waypoint(records + kGpsRecordSize * i);
            if (!on_globe(w.lat, w.lon)) continue;
            edit.set_last(edit.last() + 1);
            copy_waypoint_fields(w, edit.entry(edit.last()));
        }
        classify_imported_waypoints();

        origin_airport_ident = edit[0].ident;
        route_origin_ident = origin_airport_ident;
        departure_origin_ident = origin_airport_ident;
        load_airport_detail(origin_airport_ident, origin_slot);
        match_sid_transition(kNoSelection, kNoSelection);
        const ChoicesEdit chosen(working_plan);
        chosen->sid = chosen->sid_transition = chosen->departure_runway = kNoSelection;
        plan_cruise_altitude = 0;
        plan_fuel_on_board = 0.0;
        // The plan's last airport is its destination, with its arrivals;
        // without one the destination already set stays.
        const RouteWaypoint& last = edit[edit.last()];
        if (last.type == "APT") {
            destination_airport_ident = last.ident;
            route_destination_ident = last.ident;
            arrival_destination_ident = last.ident;
        }
        load_airport_detail(destination_airport_ident, destination_slot);
        match_star_transition(kNoSelection, kNoSelection);
        // The imported route has no procedure of the plan it replaces.
        chosen->clear_arrival();

        edit.place(constraint_waypoint_index, edit.last());
        edit.place(mcu_legs_index, 1);
        call_for_vnav_targets(VnavReason::RouteChanged, kSpeedTarget);
        distance_to_to_nm = 999.0;
        tower_view_set = 0;
        delete_all_holds();
        working_plan_replaced();
    }
    advance_route_state();
    reset_active_route_state();
    if (mode != kGpsImportQuiet) smiths_scratchpad_message = "ACTIVE FSPLANNER RTE LOADED";
    if (dropped > 0) tell(mode, std::to_string(dropped) + " WPTS NOT LOADED");
    if (SetUTCTimeOnFPLoad == 1 && aircraft_state.ground_speed_kt < 5.0) set_sim_clock_to_utc();
}

#include "nd/hw_b737_nd_frame_values.h"

#include "fms/guidance/route_progress.h"
#include "fms/math/clock_math.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

std::string heading_box_text(double heading_deg) {
    double whole = std::trunc(heading_deg);
    if (whole == 0.0) whole = 360.0;
    char text[32];
    std::snprintf(text, sizeof text, "%03.0f", whole);
    return text;
}

std::string eta_text(double ete_hours, double ete_minutes, double ete_tenths, double zulu_hours,
                     double local_minutes) {
    // The tenths digit stands beside the minutes, so they are truncated.
    const HoursMinutes span{ete_hours, std::trunc(ete_minutes), ete_tenths};
    const HoursMinutes t = clock_after(zulu_hours, local_minutes, span, Rounding::Down);
    char text[64];
    std::snprintf(text, sizeof text, "%02.0f%02.0f.%1.0f", t.hours, t.minutes, t.tenths);
    return text;
}

DescentPath current_descent_path() {
    DescentPath path;
    path.active = vnav_phase == VnavPhase::Descent;
    path.path_altitude_ft = descent_path_altitude;
    path.path_length_nm = active_profile().tod_to_entry_nm(constraint_waypoint_index);
    return path;
}

DeviationPointer vertical_deviation_pointer(const DescentPath& path, double altitude_ft) {
    DeviationPointer p;
    if (path.active != 1 || !(path.path_length_nm > 0.0)) return p;
    const double d = std::clamp(altitude_ft - path.path_altitude_ft, -9999.0, 9999.0);
    const double size = std::fabs(d);
    if (size < 400.0) {
        const int offset = static_cast<int>(size / 400.0 * 30.0);
        p.row = d > 0.0 ? 226 + offset : 226 - offset;
        return p;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%4d", static_cast<int>(size));
    p.text = text;
    p.row = d > 0.0 ? 258 : 194;
    p.text_row = d > 0.0 ? 265 : 185;
    return p;
}

TrafficSummary first_traffic_target(const void* records, int count) {
    TrafficSummary t;
    if (records == nullptr || count < 1) return t;
    const int used = count < traffic_max_records ? count : traffic_max_records;
    const unsigned char* bytes = static_cast<const unsigned char*>(records);
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(bytes);
    const std::uintptr_t end = begin + static_cast<std::size_t>(used) * traffic_record_size;
    const char* ident = nullptr;
    std::memcpy(&ident, bytes + traffic_ident_offset, sizeof ident);
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(ident);
    if (ident != nullptr && at >= begin && at < end) t.ident.assign(ident, strnlen(ident, end - at));
    std::memcpy(&t.altitude_ft, bytes + traffic_altitude_offset, sizeof t.altitude_ft);
    std::memcpy(&t.ground_speed_kt, bytes + traffic_ground_speed_offset, sizeof t.ground_speed_kt);
    t.present = true;
    return t;
}

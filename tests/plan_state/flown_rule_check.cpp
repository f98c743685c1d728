#include "flown_rule_check.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/plan/route_plan.h"
#include "fms/published_values.h"
#include "fms/units/cdu_text.h"
#include "map/range_ladder.h"
#include "nd/nd_render_passes.h"
#include "plan_state_check.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"
#include "sim/panel_services.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Read from the positions alone, apart from the module's own test: an entry
// the aircraft does not fly to lies at 0N 0E.
bool at_null_island(const RouteWaypoint& w) {
    return w.lat == 0.0 && w.lon == 0.0;
}

double distance_between(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &course);
    return d;
}

// The longest way a flown distance can take: from the aircraft through every
// place of the plan, plus the way back from the farthest (a distance from
// the origin or the present position fits in it).
double longest_route() {
    const AircraftState& a = aircraft_state;
    double lat = a.plat, lon = a.plon, sum = 0.0, farthest = 0.0;
    for (int i = 0; i <= active_plan_last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (at_null_island(w)) continue;
        farthest = std::max(farthest, distance_between(a.plat, a.plon, w.lat, w.lon));
        sum += distance_between(lat, lon, w.lat, w.lon);
        lat = w.lat;
        lon = w.lon;
    }
    return sum + farthest + 1.0;
}

void distance_faults(double reach, std::vector<std::string>& faults) {
    const struct {
        const char* name;
        double value;
    } values[] = {
        {"published distance to the TO", orvex_act_wpt_dist},
        {"distance to the destination", distance_to_destination},
        {"direct distance to the destination", direct_distance_to_destination},
        // The T/C and T/D ahead: a descent longer than the route ahead
        // puts its T/D behind the aircraft, out beyond the plan's places.
        {"distance to the top of climb", std::max(0.0, active_profile().toc_distance_nm())},
        {"distance to the top of descent", std::max(0.0, active_profile().tod_distance_nm())},
        {"distance to the vertical target", distance_ahead_to(constraint_waypoint_index)},
    };
    for (const auto& v : values)
        if (std::fabs(v.value) > reach) {
            char text[160];
            std::snprintf(text, sizeof text, "%s %.0f NM, the plan's places lie within %.0f NM", v.name,
                          v.value, reach);
            faults.push_back(text);
        }
    // PROGRESS: the TO, NEXT and destination distances, right-aligned before
    // x 122.
    void* dc = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording);
    const int shown = smiths_progress_subpage;
    smiths_progress_subpage = 1;
    render_smiths_routine(smiths_cdu_display, dc, PixelSize{282, 245}, smiths_page_progress);
    smiths_progress_subpage = shown;
    for (const gfx::RecordedOp& op : gfx::surface_recording(dc)->ops)
        if (op.kind == gfx::OpKind::String && op.world_rect.x > 60.0f && op.world_rect.x < 122.0f &&
            (op.world_rect.y == 66.0f || op.world_rect.y == 99.0f || op.world_rect.y == 131.0f) &&
            std::atof(op.text.c_str()) > reach)
            faults.push_back("PROGRESS shows " + op.text + " NM, the plan's places lie within " +
                             std::to_string(static_cast<int>(reach)) + " NM");
    gfx::destroy_surface_dc(dc);
}

// Whether every place of both plans lies within 1000 NM of the aircraft:
// then a line 20000 pixels long (3700 NM at 40 NM range) reaches no place,
// while one to 0N 0E, some 6700 NM off, does.
bool places_near() {
    const AircraftState& a = aircraft_state;
    for (const RoutePlan* plan : std::initializer_list<const RoutePlan*>{&active_plan.plan(), &working_plan})
        for (int i = 0; i <= (plan == &active_plan.plan() ? active_plan_last : working_plan_last); ++i) {
            const RouteWaypoint& w = (*plan)[i];
            if (!at_null_island(w) && distance_between(a.plat, a.plon, w.lat, w.lon) > 1000.0) return false;
        }
    return true;
}

// The route lines of the displays, with the whole route on the map (PLAN)
// and from the aircraft (MAP, with the FROM leg): nothing drawn thousands of
// pixels off the surface, where 0N 0E lies at any range.
void line_faults(std::vector<std::string>& faults) {
    if (!places_near()) return;
    const int mode = hw_b737_nd_mode, efs50 = efs50_ehsi_mode, source = efs50_nav_source;
    const double range = hw_b737_nd_range;
    const struct {
        const char* name;
        int width, height;
        std::function<void(void*)> draw;
    } displays[] = {
        {"HW_B737_ND MAP", 244, 302,
         [](void* dc) {
             hw_b737_nd_mode = kB737NdModeMap;
             render_hw_b737_nd(dc, PixelSize{244, 302}, 1);
         }},
        {"HW_B737_ND PLAN", 244, 302,
         [](void* dc) {
             hw_b737_nd_mode = kB737NdModePlan;
             render_hw_b737_nd(dc, PixelSize{244, 302}, 1);
         }},
        {"EFS50_EHSI", 266, 230,
         [](void* dc) {
             efs50_ehsi_mode = 4;
             efs50_nav_source = 2;
             render_efs50_ehsi(dc, PixelSize{266, 230}, 1);
         }},
    };
    hw_b737_nd_range = 40.0;
    for (const auto& d : displays) {
        void* dc = gfx::create_surface_dc(d.width, d.height, gfx::SurfaceRecording);
        d.draw(dc); // the first frame sets the scale
        gfx::Recording& r = *gfx::surface_recording(dc);
        r.clear();
        d.draw(dc);
        const float reach = 20000.0f;
        for (const gfx::RecordedOp& op : r.ops) {
            if (op.kind != gfx::OpKind::Line && op.kind != gfx::OpKind::Lines) continue;
            const gfx::RectF b = op.bounds;
            if (b.x < -reach || b.y < -reach || b.x + b.width > d.width + reach ||
                b.y + b.height > d.height + reach) {
                faults.push_back(std::string(d.name) + " draws a line to " + std::to_string(b.x) + "," +
                                 std::to_string(b.y) + ", far off the route");
                break;
            }
        }
        gfx::destroy_surface_dc(dc);
    }
    hw_b737_nd_mode = mode;
    hw_b737_nd_range = range;
    efs50_ehsi_mode = efs50;
    efs50_nav_source = source;
}

void lnav_faults(std::vector<std::string>& faults) {
    const double published = ps_get_named_var(ps_find_named_var("orvex_lnav"));
    if (published != static_cast<double>(lnav_engaged))
        faults.push_back("orvex_lnav " + std::to_string(static_cast<int>(published)) + " with LNAV " +
                         std::to_string(lnav_engaged));
    if (lnav_engaged != 1) return;
    const int to = to_waypoint_index;
    if (to == kNoToWaypoint || to < 1 || to > active_plan_last)
        faults.push_back("LNAV engaged without a TO waypoint");
    else if (at_null_island(active_plan[to]))
        faults.push_back("LNAV engaged towards " + active_plan[to].ident + " at 0N 0E");
    else if (discontinuity_stop_index == to && to < active_plan_last && at_null_island(active_plan[to + 1]))
        faults.push_back("LNAV engaged while the TO " + active_plan[to].ident + " is held at a gap");
}

} // namespace

std::vector<std::string> flown_rule_faults(bool measured) {
    std::vector<std::string> faults;
    if (rule_on("lnav")) lnav_faults(faults);
    if (!rule_on("flown") || to_waypoint_index == kNoToWaypoint || active_plan_last < 1) return faults;
    if (measured) distance_faults(longest_route(), faults);
    line_faults(faults);
    return faults;
}

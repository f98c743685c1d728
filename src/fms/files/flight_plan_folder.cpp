#include "fms/files/flight_plan_folder.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/files/sim_plan_import.h"
#include "fms/files/stored_routes.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_state.h"
#include "platform/os.h"

#include <cstdio>

int flight_plan_list_pages = 0;
int flight_plan_list_page = 0;

namespace {

constexpr int kMaxListedPlans = 300;

bool is_plan_file(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string extension = name.substr(name.size() - 4);
    if (!equals_ignoring_case(extension, ".PLN") && !equals_ignoring_case(extension, ".RTE")) return false;
    return !equals_ignoring_case(name, kSimPlanTempFile);
}

} // namespace

void list_flight_plans() {
    stored_routes.set_count(0);
    int left_out = 0;
    for (const os::FindData& entry : os::find_files(flight_plans_folder() + "*.*")) {
        if (entry.name.size() > 259 || !is_plan_file(entry.name)) continue;
        if (entry.is_directory) {
            // Named as a plan, it would be looked for in the list.
            record_load_warning(flight_plans_folder() + entry.name, "is a folder, not a plan: not listed");
            continue;
        }
        if (stored_routes.count() >= kMaxListedPlans) {
            ++left_out;
            continue;
        }

        cut_plan(preview_target(), -1);
        load_route_preview(entry.name);
        // A file without a route is not listed: told here, as CO ROUTE
        // cannot name it.
        if (preview_plan_last == 0)
            record_load_warning(flight_plans_folder() + entry.name, "holds 1 waypoint: no route");
        if (preview_plan_last < 1) continue;

        const int n = stored_routes.count() + 1;
        stored_routes.set_count(n);
        RouteRecord& record = stored_routes.slot(n);
        record.name = entry.name;
        record.origin = preview_plan[0].ident;
        record.destination = preview_plan[preview_plan_last].ident;
        PlanEdit edit(plan_target(record.plan), "storing a route");
        edit.set_last(preview_plan_last);
        for (int i = 0; i <= preview_plan_last; ++i) {
            RouteWaypoint& w = edit.entry(i);
            copy_waypoint_fields(preview_plan[i], w);
            w.position = preview_plan[i].position;
        }
    }

    if (left_out > 0)
        record_load_warning(flight_plans_folder(),
                            table_full_note(left_out, "stored routes", kMaxListedPlans));

    const int n = stored_routes.count() + 1;
    stored_routes.set_count(n);
    RouteRecord& fresh = stored_routes.slot(n);
    fresh.name = kNewPlanName;
    fresh.origin = kNewPlanOrigin;
    fresh.destination.clear();

    flight_plan_list_pages = n / 8 + (n % 8 != 0 ? 1 : 0);
    if (flight_plan_list_page == 0) flight_plan_list_page = 1;
    if (stored_route_selection == 0) stored_route_selection = 1;
}

bool load_listed_plan_to_working(int k, RouteLoadAsker asker) {
    if (k < 1 || k > stored_routes.count()) return false;
    const RouteRecord& entry = stored_routes[k];
    if (k == stored_routes.count() && entry.name == kNewPlanName && entry.origin == kNewPlanOrigin) {
        // No file stands behind this entry: the reader's new-plan path.
        load_route_file_to_working(kNewPlanOrigin, 0, asker);
        return true;
    }
    // A file gone since the listing must not leave the old plan looking loaded.
    std::FILE* file = os::open_file(flight_plans_folder() + entry.name, "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return load_route_file_to_working(entry.name, 0, asker);
}

namespace {

// What CO ROUTE does to the route once its plan is in the working plan: a
// new route is entered (ACTIVATE, then EXEC), an active one modified (EXEC).
void enter_working_plan_as_company_route() {
    route_state = route_state >= kRouteStateActive ? kRouteStateActiveModified : kRouteStateEntered;
}

} // namespace

bool enter_listed_company_route(int k) {
    if (!load_listed_plan_to_working(k, RouteLoadAsker::Smiths)) return false;
    enter_working_plan_as_company_route();
    return true;
}

bool enter_company_route_file(const std::string& name) {
    if (!acceptable_file_name(name) || !load_route_file_to_working(name, 0, RouteLoadAsker::Smiths))
        return false;
    enter_working_plan_as_company_route();
    return true;
}

#include "pilot_route.h"

#include "cdu_keys.h"
#include "panel_file.h"
#include "sim_state.h"
#include "simulator.h"

#include "fms/plan/route_plan.h"

#include <cctype>
#include <cstring>
#include <sstream>

namespace host {

namespace {

std::vector<std::string> route_idents;

// The first word of every line after "[FlightPlan]".
std::vector<std::string> read_route_idents(const std::string& file_name) {
    std::vector<std::string> idents;
    std::string text;
    read_text_file("orvex/flightplans/" + file_name, text);
    std::istringstream in(text);
    std::string line;
    bool plan = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("[FlightPlan]", 0) == 0) {
            plan = true;
            continue;
        }
        std::istringstream words(line);
        std::string ident;
        if (plan && words >> ident) idents.push_back(ident);
    }
    return idents;
}

PlacedGauge* company_route_cdu(Simulator& sim, std::string& error) {
    for (auto& gauge : sim.gauges)
        if (is_cdu_gauge(*gauge)) return gauge.get();
    const GaugeHeader* header = find_gauge_header(sim.module, "SMITHS_FMS");
    if (header == nullptr) {
        error = "the module has no SMITHS_FMS";
        return nullptr;
    }
    auto gauge = std::make_unique<PlacedGauge>();
    if (!make_placed_gauge(*header, "orvex-sim.fms", 0, 0, 0, 0, "", *gauge, error, sim.module.surfaces))
        return nullptr;
    PlacedGauge* placed = gauge.get();
    sim.gauges.push_back(std::move(gauge));
    if (sim.started)
        for (GaugeService service :
             {PANEL_SERVICE_PRE_INSTALL, PANEL_SERVICE_POST_INSTALL, PANEL_SERVICE_PRE_INITIALIZE,
              PANEL_SERVICE_POST_INITIALIZE, PANEL_SERVICE_CONNECT_TO_WINDOW})
            call_gauge(*placed, service);
    return placed;
}

} // namespace

bool enter_company_route(Simulator& sim, const std::string& file_name, std::string& error) {
    std::string name = file_name.substr(0, file_name.rfind('.'));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<SmithsKey> keys;
    if (name.empty() || !cdu_key_sequence("RTE \"" + name + "\" L2 R6 EXEC INIT_REF L1", keys, error)) {
        error = "cannot type the company route " + name;
        return false;
    }
    PlacedGauge* cdu = company_route_cdu(sim, error);
    if (cdu == nullptr) return false;
    for (SmithsKey key : keys) {
        press_cdu_key(*cdu, key);
        call_gauge(*cdu, PANEL_SERVICE_PRE_UPDATE);
        call_gauge(*cdu, PANEL_SERVICE_PRE_DRAW);
    }
    // A simulator plan is read through the route file the module converts it
    // into, in the same folder.
    const bool pln = file_name.size() >= 4 && (file_name.compare(file_name.size() - 4, 4, ".PLN") == 0 ||
                                               file_name.compare(file_name.size() - 4, 4, ".pln") == 0);
    route_idents = read_route_idents(pln ? "temp.rte" : file_name);
    return true;
}

int entered_route_loaded() {
    const ModuleVar* count = find_module_var("orvex_fpln_wpt_cnt");
    const ModuleVar* plan = find_module_var("Orvex_FlightPlan");
    if (count == nullptr || count->storage == nullptr || plan == nullptr || plan->storage == nullptr)
        return 0;
    int32_t last = 0;
    std::memcpy(&last, count->storage, sizeof last);
    if (last < 0 || last >= static_cast<int32_t>(RoutePlan::slots) || route_idents.empty()) return 0;
    // The active plan is the file's when it runs from its first waypoint to
    // its last; a file the module could not load left the plan before it.
    const auto* entries = static_cast<const RouteWaypoint*>(plan->storage);
    if (entries[0].ident != route_idents.front() || entries[last].ident != route_idents.back()) return 0;
    // The file's waypoints the plan holds, in order, as the module counts a
    // load: the approach its ApproachInfo names adds legs of its own.
    int loaded = 0;
    std::size_t next = 0;
    for (int32_t i = 0; i <= last; ++i)
        for (std::size_t k = next; k < route_idents.size(); ++k)
            if (entries[i].ident == route_idents[k]) {
                ++loaded;
                next = k + 1;
                break;
            }
    return loaded;
}

const std::vector<std::string>& entered_route_idents() {
    return route_idents;
}

} // namespace host

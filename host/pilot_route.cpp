#include "pilot_route.h"

#include "cdu_keys.h"
#include "simulator.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace host {

namespace {

std::vector<std::string> route_idents;

// The first word of every line after "[FlightPlan]".
std::vector<std::string> read_route_idents(const std::string& file_name) {
    std::vector<std::string> idents;
    std::ifstream in("orvex/flightplans/" + file_name);
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
    route_idents = read_route_idents(file_name);
    return true;
}

const std::vector<std::string>& entered_route_idents() {
    return route_idents;
}

} // namespace host

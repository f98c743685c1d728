#include "simulator.h"

#include "aircraft_store.h"
#include "data_link_peer.h"
#include "host_text.h"
#include "sim_state.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace host {

namespace {

constexpr const char* kLoggedWarning = "warning: ";

void call_all(Simulator& sim, GaugeService service) {
    for (auto& gauge : sim.gauges)
        call_gauge(*gauge, service);
}

} // namespace

void call_gauge(PlacedGauge& gauge, GaugeService service) {
    if (gauge.header.gauge_callback != nullptr)
        gauge.header.gauge_callback(&gauge.header, static_cast<int32_t>(service), 0);
}

bool place_gauges(Simulator& sim, const PanelFile& panel, std::string& error) {
    for (const PanelPlacement& p : panel.placements) {
        std::string where = panel.path + ":" + std::to_string(p.line) + ": ";
        if (!iequals(p.module, sim.module.name)) {
            error =
                where + "unknown module '" + p.module + "' (the loaded module is " + sim.module.name + ")";
            return false;
        }
        const GaugeHeader* header = find_gauge_header(sim.module, p.gauge);
        if (header == nullptr) {
            error = where + "module " + sim.module.name + " has no gauge '" + p.gauge + "'";
            return false;
        }
        auto gauge = std::make_unique<PlacedGauge>();
        std::string id = to_lower(p.window) + "." + to_lower(p.key);
        std::string message;
        if (!make_placed_gauge(*header, id, p.x, p.y, p.width, p.height, p.parameters, *gauge, message,
                               sim.module.surfaces)) {
            error = where + message;
            return false;
        }
        gauge->window_ident = p.window_ident;
        sim.gauges.push_back(std::move(gauge));
    }
    return true;
}

PlacedGauge* find_placed_gauge(Simulator& sim, const std::string& ref, std::string& error) {
    for (auto& gauge : sim.gauges) {
        if (iequals(gauge->id, ref)) return gauge.get();
    }
    PlacedGauge* found = nullptr;
    int count = 0;
    for (auto& gauge : sim.gauges) {
        if (iequals(gauge->gauge_name, ref)) {
            found = gauge.get();
            ++count;
        }
    }
    if (count == 1) return found;
    if (count == 0)
        error = "no placed gauge '" + ref + "'";
    else
        error = "gauge " + ref + " is placed " + std::to_string(count) + " times: name the instance (" +
                found->id + ")";
    return nullptr;
}

void start_gauges(Simulator& sim) {
    if (sim.started) return;
    // A log left by an earlier run is not this one's: the module would
    // write it afresh anyway.
    std::remove("orvex1.log");
    sim.log_read = 0;
    if (sim.module.linkage != nullptr && sim.module.linkage->module_init != nullptr)
        sim.module.linkage->module_init();
    sim.started = true;
    start_data_link(sim.module.windows); // a module without the registry has no data link
    start_keyboard(sim.module.keyboard, sim.module.windows);
    for (GaugeService service :
         {PANEL_SERVICE_PRE_INSTALL, PANEL_SERVICE_POST_INSTALL, PANEL_SERVICE_PRE_INITIALIZE,
          PANEL_SERVICE_POST_INITIALIZE, PANEL_SERVICE_CONNECT_TO_WINDOW})
        call_all(sim, service);
    report_module_warnings(sim);
}

void run_frame(Simulator& sim, bool draw) {
    advance_aircraft(); // the simulator moves first, then the gauges see it
    call_all(sim, PANEL_SERVICE_PRE_UPDATE);
    // A gauge of a closed pop-up window is not drawn. A frame not drawn still
    // calls every gauge's draw service, where the module runs its per-frame
    // update, with the surfaces withheld: the gauges skip only their drawing,
    // so the flight is the same whichever frames are drawn.
    for (auto& gauge : sim.gauges) {
        if (gauge->window_ident != 0 && !window_visible(gauge->window_ident)) continue;
        std::vector<void*> withheld;
        if (!draw)
            for (ElementHeader* e : gauge->drawing_elements) {
                withheld.push_back(e->device_context);
                e->device_context = nullptr;
            }
        call_gauge(*gauge, PANEL_SERVICE_PRE_DRAW);
        for (std::size_t i = 0; i < withheld.size(); ++i)
            gauge->drawing_elements[i]->device_context = withheld[i];
    }
    ++sim.frame;
    report_module_warnings(sim);
}

void warn(Simulator& sim, const std::string& text) {
    ++sim.warnings;
    if (sim.warnings_to == nullptr) return;
    std::fprintf(sim.warnings_to, "orvex-sim: %s\n", printable(text, 400).c_str());
    std::fflush(sim.warnings_to);
}

namespace {

// The module writes every load warning to its debug log in the simulator
// folder as "warning: FILE: TEXT": the new whole lines since the last look.
void report_logged_warnings(Simulator& sim, std::vector<std::string>* told) {
    // Anything but the file the module writes (a FIFO put there) is not read.
    std::error_code failed;
    if (!std::filesystem::is_regular_file("orvex1.log", failed)) return;
    std::ifstream log("orvex1.log", std::ios::binary);
    if (!log) return;
    log.seekg(0, std::ios::end);
    const long long size = static_cast<long long>(log.tellg());
    if (size < sim.log_read) sim.log_read = 0; // opened afresh
    log.seekg(sim.log_read);
    std::string line;
    while (std::getline(log, line)) {
        if (log.eof()) break; // a line still being written
        sim.log_read = static_cast<long long>(log.tellg());
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(kLoggedWarning, 0) != 0) continue;
        line.erase(0, std::strlen(kLoggedWarning));
        warn(sim, line);
        sim.module_warnings.push_back(line);
        if (told != nullptr) told->push_back(line);
    }
}

} // namespace

void report_module_warnings(Simulator& sim, std::vector<std::string>* told) {
    if (sim.module.flight.take_warning == nullptr) return report_logged_warnings(sim, told);
    char line[600];
    while (sim.module.flight.take_warning(line, sizeof line) == 1) {
        warn(sim, line);
        sim.module_warnings.push_back(line);
        if (told != nullptr) told->push_back(line);
    }
}

void draw_gauges(Simulator& sim) {
    call_all(sim, PANEL_SERVICE_PRE_DRAW);
}

void stop_gauges(Simulator& sim) {
    if (!sim.started) return;
    call_all(sim, PANEL_SERVICE_DISCONNECT);
    for (auto& gauge : sim.gauges)
        release_placed_gauge(*gauge);
    if (sim.module.linkage != nullptr && sim.module.linkage->module_deinit != nullptr)
        sim.module.linkage->module_deinit();
    stop_data_link();
    stop_keyboard();
    sim.started = false;
}

} // namespace host

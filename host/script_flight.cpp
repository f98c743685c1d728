// Commands of the stand-in aircraft, its plans and the flight: aircraft, gps,
// route load, summary.
#include "aircraft_script.h"
#include "flight_demo.h"
#include "gps_plan.h"
#include "host_text.h"
#include "pilot_route.h"
#include "script_command.h"
#include "simulator.h"

namespace host::scripting {

bool parse_aircraft(Parser& p, const std::string& rest, ScriptCommand& c) {
    c.text = rest;
    std::string error;
    if (!aircraft_command(rest, false, error)) return p.fail(error);
    return true;
}

void run_aircraft(Runner&, const ScriptCommand& c) {
    std::string error; // checked when parsed
    aircraft_command(c.text, true, error);
}

bool parse_gps(Parser& p, const std::string& rest, ScriptCommand& c) {
    c.text = rest;
    std::string error;
    if (!gps_command(rest, false, error)) return p.fail(error);
    return true;
}

void run_gps(Runner&, const ScriptCommand& c) {
    std::string error; // checked when parsed
    gps_command(c.text, true, error);
}

bool parse_route(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if (w.size() != 2 || !iequals(w[0], "load")) return p.fail("usage: route load FILE");
    c.text = w[1];
    // The module's own names: a file of the flight-plans folder, no path.
    if (c.text.find_first_of("/\\:") != std::string::npos || c.text == "." || c.text == "..")
        return p.fail("route load '" + printable(c.text) +
                      "': a file name of the flight-plans folder, no path");
    return true;
}

namespace {

// A warning of the module ("PATH: TEXT") about the file of that name, told at
// this load or before it (listing the folder, the module reads every file).
// The host's path may differ from the name in case.
bool module_told_of(const Simulator& sim, const std::string& name) {
    for (const std::string& text : sim.module_warnings)
        for (std::size_t at = 1; at + name.size() < text.size(); ++at)
            if ((text[at - 1] == '/' || text[at - 1] == '\\') && text[at + name.size()] == ':' &&
                iequals(text.substr(at, name.size()), name))
                return true;
    return false;
}

} // namespace

// What the module loaded, told within the command; a load that leaves no
// route to fly is a warning, and its reason is told once: not again when the
// module told it, naming the file.
void run_route(Runner& r, const ScriptCommand& c) {
    Simulator& sim = r.sim;
    const std::string& name = c.text;
    const std::string head = "route load " + name + ": ";
    if (sim.module.flight.load_route != nullptr) {
        report_module_warnings(sim); // what came before the load is not its
        char note[256] = "";
        const int32_t loaded = sim.module.flight.load_route(name.c_str(), note, sizeof note);
        // What the module left out it tells in its own warning, naming the
        // file: told there once, as under wine.
        if (loaded >= 2) {
            r.say(head + std::to_string(loaded) + " waypoints loaded");
            report_module_warnings(sim);
        } else if (loaded == 1) {
            warn(sim, head + "1 waypoint loaded, no route");
            report_module_warnings(sim);
        } else {
            report_module_warnings(sim);
            if (!module_told_of(sim, name))
                warn(sim, head + (note[0] != '\0' ? std::string(note) : "nothing loaded"));
        }
        return;
    }
    std::string error;
    if (!enter_company_route(sim, name, error)) return warn(sim, head + error);
    // Entered by keys, the count is that of the plan SERVER publishes.
    const int loaded = entered_route_loaded();
    if (loaded >= 2) return r.say(head + std::to_string(loaded) + " waypoints loaded");
    report_module_warnings(sim); // the module's own word on the file
    if (loaded == 1)
        warn(sim, head + "1 waypoint loaded, no route");
    else if (!module_told_of(sim, name))
        warn(sim, head + "nothing loaded");
}

bool parse_summary(Parser& p, const std::string& rest, ScriptCommand&) {
    return rest.empty() || p.fail("summary takes nothing more");
}

void run_summary(Runner& r, const ScriptCommand&) {
    r.say("summary: " + flight_summary());
}

} // namespace host::scripting

// The flown plan saved as a route file and read back by each reader a unit
// loads with: the working plan's (a stored plan the SMITHS or the GNS opens)
// and the flown plan's (the MCU's). Each gives back the saved fixes and gaps
// in order, and the plan loaded saves as the same file: its procedures came
// back as saved. Both plans are replaced: for the end of a run.
#pragma once

#include "data/aircraft_settings.h"
#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "platform/os.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

inline std::string saved_route_idents(const RoutePlan& plan, int last) {
    std::string out;
    for (int i = 0; i <= last; ++i)
        out += (i ? " " : "") + plan[i].ident;
    return out;
}

inline std::vector<std::string> saved_route_reload_faults() {
    if (route_state < kRouteStateActive || active_plan_last < 1) return {};
    // In a folder of this process's own, outside the simulator's (which
    // other runs copy and list); the aircraft's folder, which both the
    // writer and the readers take first, points there meanwhile.
    const std::string kept_folder = aircraft_flight_plans_folder;
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("orvex_reload_" + std::to_string(::getpid()))).string();
    aircraft_flight_plans_folder = folder;
    std::filesystem::create_directories(folder);
    const std::string name = "RELOAD.RTE";
    const std::string path = os::host_path(flight_plans_folder() + name);
    // Its lines without the navaid frequencies, which a reader fills in
    // from the database.
    const auto saved_file = [&] {
        std::ifstream in(path);
        std::string text;
        bool waypoints = false;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::vector<std::string> tokens;
            for (std::string w; words >> w;)
                tokens.push_back(w);
            if (waypoints && tokens.size() >= 5) tokens.erase(tokens.begin() + 4);
            waypoints = waypoints || line.rfind("[FlightPlan]", 0) == 0;
            for (const std::string& w : tokens)
                text += w + " ";
            text += "\n";
        }
        return text;
    };
    const std::string saved = saved_route_idents(active_plan, active_plan_last);
    std::vector<std::string> faults;
    if (!save_route_file(name)) {
        faults.push_back("the flown plan not saved: " + saved);
    } else {
        const std::string file = saved_file();
        if (!load_route_file_to_working(name, 0, RouteLoadAsker::Gns) ||
            saved_route_idents(working_plan, working_plan_last) != saved)
            faults.push_back("saved " + saved + ", loaded as a stored plan " +
                             saved_route_idents(working_plan, working_plan_last) + "; the file:\n" + file);
        route_file_request_name = name;
        load_route_file(kRouteFileRequestMcu);
        if (saved_route_idents(active_plan, active_plan_last) != saved)
            faults.push_back("saved " + saved + ", loaded as the flown plan " +
                             saved_route_idents(active_plan, active_plan_last));
        else if (save_route_file(name) && saved_file() != file)
            faults.push_back("saved\n" + file + "loaded and saved again\n" + saved_file());
    }
    aircraft_flight_plans_folder = kept_folder;
    std::filesystem::remove_all(folder);
    return faults;
}

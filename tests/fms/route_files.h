// A simulator folder for the route-file tests: host_folder on a fresh temp
// folder with an empty "orvex/flightplans", files written and read there.
#pragma once

#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <fstream>
#include <sstream>
#include <string>

class RouteFolder {
  public:
    RouteFolder() {
        folder_.mkdir("orvex/flightplans");
        folder_.mkdir("orvex/FlightLog");
        host_folder = folder_.path();
    }
    const std::string& path() const { return folder_.path(); }
    void mkdir(const std::string& relative) const { folder_.mkdir(relative); }
    void write_plan(const std::string& name, const std::string& text) const {
        folder_.write("orvex/flightplans/" + name, text);
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(folder_.path() + "/" + relative, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string read_plan(const std::string& name) const { return read("orvex/flightplans/" + name); }

  private:
    TempFolder folder_;
};

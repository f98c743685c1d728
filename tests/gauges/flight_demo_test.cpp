// A script flies a route file with the real module: the stand-in asks for the
// file, follows the route LNAV flies and sums the flight up; bad flight
// commands are refused when the script is read.
#include "flight_demo.h"
#include "script.h"
#include "stand_in_panel.h"

#include "gauges/stand_in_hooks.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

class FlightDemo : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        sim.module.flight.load_route = &orvex_standin_load_route;
        sim.module.flight.route_status = &orvex_standin_route_status;
        place("gauge00=orvex1!SERVER, 0, 0\n"
              "gauge01=orvex1!HW_B737_ND, 0, 0\n");
    }
    std::string run(const std::string& text, std::string* error = nullptr) {
        host::Script script;
        std::string message;
        const bool parsed = host::parse_script_text("demo.script", text, sim, script, message);
        if (error != nullptr) *error = message;
        if (!parsed) return "";
        std::FILE* out = std::tmpfile();
        start();
        host::run_script(sim, script, out, nullptr);
        std::string printed;
        std::rewind(out);
        for (int c; (c = std::fgetc(out)) != EOF;)
            printed += static_cast<char>(c);
        std::fclose(out);
        return printed;
    }
};

TEST_F(FlightDemo, aRouteFileIsFlownToItsLastWaypointAndSummedUp) {
    // Three waypoints 10 NM apart due north (0.16667 degrees of latitude).
    folder.write("orvex/flightplans/NORTH.RTE", "[FlightPlan]\n"
                                                "P0 47.00000 8.00000 WPT\n"
                                                "P1 47.16667 8.00000 WPT\n"
                                                "P2 47.33333 8.00000 WPT\n");
    const std::string printed = run("aircraft position 47.0 8.0\n"
                                    "aircraft heading 0\n"
                                    "aircraft altitude 5000\n"
                                    "aircraft speed 240\n"
                                    "aircraft ap on\n"
                                    "aircraft ap hdg on\n"
                                    "route load NORTH.RTE\n"
                                    "frames 2\n"
                                    "key 0x10337\n"
                                    "progress 400\n"
                                    "fly 20000\n"
                                    "summary\n");
    EXPECT_NE(printed.find("route load NORTH.RTE"), std::string::npos) << printed;
    EXPECT_NE(printed.find(": TO P2 2/2 "), std::string::npos) << printed;
    // LNAV ends 3 NM before the last waypoint: 17 NM at 258 kt true (240 kt
    // indicated at 5000 ft) take 3 minutes 57 seconds. The route ends at a
    // fix: it has no arrival.
    EXPECT_NE(
        printed.find("summary: 2 of 2 waypoints sequenced, route flown, no destination, flight time 0:03:5"),
        std::string::npos)
        << printed;
    EXPECT_NE(printed.find("largest cross-track error 0.0"), std::string::npos) << printed;
}

TEST_F(FlightDemo, badFlightCommandsAreRefused) {
    const struct {
        const char* line;
        const char* message;
    } rows[] = {
        {"route NORTH.RTE", "usage: route load FILE"}, {"progress -1", "progress needs a frame count"},
        {"fly", "usage: fly MAX [to IDENT]"},          {"fly 10 over P2", "usage: fly MAX [to IDENT]"},
        {"summary now", "summary takes nothing more"}, {"snapshot all a/b", "names a folder"}};
    for (const auto& row : rows) {
        std::string error;
        run(std::string(row.line) + "\n", &error);
        EXPECT_NE(error.find(row.message), std::string::npos) << row.line << ": " << error;
    }
}

} // namespace

// The demo's SAVE FPL: the route being flown is saved on the control unit
// and the run names the file it wrote, and only that one.
TEST_F(FlightDemo, theFlownRouteIsSavedOnTheControlUnitAndTheFileNamed) {
    place("gauge02=orvex1!SMITHS_FMS, 0, 0, 260, 400\n");
    folder.write("orvex/flightplans/NORTH.RTE", "[FlightPlan]\n"
                                                "P0 47.00000 8.00000 WPT\n"
                                                "P1 47.16667 8.00000 WPT\n"
                                                "P2 47.33333 8.00000 WPT\n");
    const std::string printed = run("route load NORTH.RTE\n"
                                    "frames 2\n"
                                    "print written orvex/flightplans\n"
                                    "cdu SMITHS_FMS INIT_REF L6 R6\n"
                                    "print written orvex/flightplans\n");
    const std::size_t before = printed.find("written orvex/flightplans: nothing");
    ASSERT_NE(before, std::string::npos) << printed;
    EXPECT_NE(printed.find("written orvex/flightplans/P0P2.RTE", before), std::string::npos) << printed;
    EXPECT_EQ(printed.find("written orvex/flightplans/NORTH.RTE"), std::string::npos) << printed;
    std::ifstream saved(folder.path() + "/orvex/flightplans/P0P2.RTE");
    std::stringstream text;
    text << saved.rdbuf();
    EXPECT_NE(text.str().find("P1               47.16667  8.00000"), std::string::npos) << text.str();
}

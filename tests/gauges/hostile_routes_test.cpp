// Hostile route files flown in the stand-in with the real module: whatever a
// file holds, no published variable, no key event to the autopilot and no
// text the CDU, the HW_B737_ND or the B777_PFD_NB draw shows a NaN or an
// infinity, a file that cannot be used leaves the route flown, and a long
// one loads its first 201 waypoints.
#include "script.h"
#include "stand_in_panel.h"

#include "gauges/stand_in_hooks.h"

#include <cstdio>
#include <random>

namespace {

class HostileRoutes : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        sim.module.flight.load_route = &orvex_standin_load_route;
        sim.module.flight.route_status = &orvex_standin_route_status;
        place("gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
              "gauge01=orvex1!HW_B737_ND, 0, 0\n"
              "gauge02=orvex1!B777_PFD_NB, 0, 0\n");
        start();
    }
    void run(const std::string& text) {
        host::Script script;
        std::string error;
        ASSERT_TRUE(host::parse_script_text("hostile.script", text, sim, script, error)) << error;
        host::run_script(sim, script, nullptr, nullptr);
    }
    // What unfinite_values() finds, and an autopilot altitude out of reach.
    std::string bad_values() {
        std::string found = unfinite_values();
        for (const host::KeyEvent& e : host::sim_state().key_events)
            if (e.id == 0x1024C && e.parameter > 50000)
                found += "autopilot altitude " + std::to_string(e.parameter) + "\n";
        return found;
    }
    int last_index() {
        StandInRouteStatus s{};
        orvex_standin_route_status(&s);
        return s.last_index;
    }
};

std::string junk(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST_F(HostileRoutes, noFileBringsANaNOrAnImpossibleValueToAPageADisplayOrTheAutopilot) {
    const std::string good = "[FlightPlan]\nKSEA 47.449 -122.3093 APT\nSEA 47.4354 -122.3097 VOR\n"
                             "OLM 46.9717 -122.9025 VOR\nKPDX 45.5887 -122.5975 APT\n";
    std::string long_route = "[FlightPlan]\n";
    for (int i = 0; i < 500; ++i)
        long_route += "W" + std::to_string(i) + " 47.0 -122.0 WPT\n";
    const struct {
        const char* name;
        std::string text;
        int last_index; // of the route flown afterwards
    } files[] = {
        {"GOOD.RTE", good, 3},
        {"WORDS.RTE",
         "[FlightPlan]\nKSEA 47.449 -122.3093 APT\nFOXXE north west! WPT\nKPDX 45.5887 -122.5975 APT\n", 1},
        {"RANGE.RTE",
         "CruiseAlt=999999999\nTripFuel=1e300\n[FlightPlan]\nKSEA 47.449 -122.3093 APT\n"
         "P95 95 10 WPT\nP500 10 500 WPT\nKPDX 45.5887 -122.5975 APT\n",
         1},
        {"NAN.RTE",
         "CruiseAlt=nan\nFuel=inf\n[FlightPlan]\nKSEA 47.449 -122.3093 APT\nN nan -122 WPT\n"
         "I 47 inf WPT\nM -inf nan WPT\nKPDX 45.5887 -122.5975 APT\n",
         1},
        {"LONG.RTE", long_route, 200}, // its first 201 waypoints
        {"JUNK.RTE", junk(4000), 200},
        {"WIDE.RTE",
         "[FlightPlan]\nKSEA 47.449 -122.3093 APT " + std::string(10000, 'X') +
             "\nOLM 46.9717 -122.9025 VOR\n",
         1},
    };
    run("aircraft position 47.4638 -122.3079\naircraft altitude 433\nframes 2\n");
    for (const auto& f : files) {
        folder.write(std::string("orvex/flightplans/") + f.name, f.text);
        run(std::string("route load ") + f.name + "\nframes 3\ncdu SMITHS_FMS LEGS\nframes 2\n");
        EXPECT_EQ(last_index(), f.last_index) << f.name;
        EXPECT_EQ(bad_values(), "") << f.name;
        run("cdu SMITHS_FMS NEXT\nframes 1\n");
        EXPECT_EQ(bad_values(), "") << f.name << ", RTE LEGS page 2";
    }
}

} // namespace

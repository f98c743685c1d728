// The profile's points on the maps go with the route they were placed on: a
// new origin typed on the CDU at the gate resets the route, and no map keeps
// a T/C, T/D or level-off marker of the route before; the next route
// executed has its own again.
#include "script.h"
#include "stand_in_panel.h"

#include "data/aircraft_settings.h"
#include "gauges/stand_in_hooks.h"

#include <filesystem>
#include <regex>

namespace {

class ProfileMarkers : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        namespace fs = std::filesystem;
        fs::copy(ORVEX_SOURCE_DIR "/examples/sim/orvex", fs::path(folder.path()) / "orvex",
                 fs::copy_options::recursive);
        sim.module.flight.route_status = &orvex_standin_route_status;
        place("gauge00=orvex1!SMITHS_FMS, 0, 0, 260, 400, B738\n"
              "gauge01=orvex1!HW_B737_ND, 0, 0, 244, 302\n"
              "gauge02=orvex1!HW_MD11_ND, 250, 0, 240, 258\n"
              "gauge03=orvex1!EFS50_EHSI, 500, 0, 266, 230\n"
              "gauge04=orvex1!DU_1000_EHSI, 780, 0, 318, 310\n"
              "gauge05=orvex1!MD80_EHSI_NB, 1100, 0, 266, 232\n"
              "gauge06=orvex1!PROLINE4_MFD, 0, 320, 247, 285\n"
              "gauge07=orvex1!P1000_MFD, 260, 320, 272, 314\n"
              "gauge08=orvex1!C17_MFD, 540, 320, 246, 241, MFD\n"
              "gauge09=orvex1!SERVER, 0, 0, 10, 10\n");
        start();
        ShowFloatingTodBodIndicators = 1;
    }
    void run(const std::string& text) {
        host::Script script;
        std::string error;
        ASSERT_TRUE(host::parse_script_text("markers.script", text, sim, script, error)) << error;
        host::run_script(sim, script, nullptr, nullptr);
    }
    // The profile markers every map draws in one frame, "GAUGE text" each.
    std::vector<std::string> markers() {
        static const std::regex marker(R"(T/C|T/D|\[(TOC|TOD|[0-9]+)\])");
        for (std::size_t i = 1; i + 1 < sim.gauges.size(); ++i)
            recording(i).clear();
        frames(1);
        std::vector<std::string> found;
        for (std::size_t i = 1; i + 1 < sim.gauges.size(); ++i)
            for (const std::string& text : recording(i).texts())
                if (std::regex_match(text, marker)) found.push_back(gauge(i).gauge_name + " " + text);
        return found;
    }
};

TEST_F(ProfileMarkers, aRouteResetTakesItsMarkersFromEveryMap) {
    const std::string route =
        "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2 R6\n"
        "frames 1\n"
        "cdu SMITHS_FMS EXEC\n"
        "frames 2\n";
    run("aircraft position 47.4490 -122.3093\n"
        "aircraft heading 162\n"
        "aircraft ground 433\n"
        "aircraft altitude 433\n"
        "frames 10\n" +
        route);
    ASSERT_FALSE(markers().empty());

    run("cdu SMITHS_FMS RTE \"KBFI\" L1\nframes 2\n");
    EXPECT_EQ(markers(), std::vector<std::string>{});

    run(route);
    EXPECT_FALSE(markers().empty());
}

} // namespace

// A script's route entered as a pilot does, for a module without the stand-in's
// route-file entry point: the real module in this process, on a copy of the
// example simulator folder.
#include "pilot_route.h"
#include "script.h"
#include "sim_state.h"
#include "simulator.h"

#include "gauges/linkage.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

struct PilotRun {
    std::string printed, warned;
    long frames = 0;
    std::size_t gauges = 0;
};

std::string read_all(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

// Runs the script on a SERVER alone, its warnings as orvex-sim prints them.
// `one_route`, when given, is written to the flight-plans folder as ONE.RTE.
PilotRun run_pilot_script(const std::string& text, const std::string& one_route = {}) {
    // A folder of the test's own: ctest runs the tests of this file side by side.
    const std::string root = testing::TempDir() + "orvex_pilot_route_" +
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(root);
    std::filesystem::copy(ORVEX_SOURCE_DIR "/examples/sim", root, std::filesystem::copy_options::recursive);
    if (!one_route.empty()) {
        std::FILE* f = std::fopen((root + "/orvex/flightplans/ONE.RTE").c_str(), "w");
        std::fputs(one_route.c_str(), f);
        std::fclose(f);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root);

    host::reset_sim_state();
    host::Simulator sim;
    // Surfaces (the unit reads its keys when it draws), no flight entry points.
    host::SurfaceServices surfaces;
    surfaces.create_dc = &orvex_gfx_create_dc;
    surfaces.write_png = &orvex_gfx_write_png;
    surfaces.destroy_dc = &orvex_gfx_destroy_dc;
    sim.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces);
    host::PanelFile panel;
    std::string error;
    PilotRun run;
    EXPECT_TRUE(host::parse_panel_text("p.cfg", "[Window00]\ngauge00=orvex1!SERVER, 0, 0\n", panel, error));
    EXPECT_TRUE(host::place_gauges(sim, panel, error)) << error;
    host::Script script;
    EXPECT_TRUE(host::parse_script_text("s.script", text, sim, script, error)) << error;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    sim.warnings_to = err;
    host::start_gauges(sim);
    host::run_script(sim, script, out, err);
    run.frames = sim.frame;
    run.gauges = sim.gauges.size();
    host::stop_gauges(sim);
    run.printed = read_all(out);
    run.warned = read_all(err);
    std::filesystem::current_path(previous);
    return run;
}

} // namespace

TEST(PilotRoute, aScriptRouteIsEnteredOnAnAddedSmithsFmsAndFlown) {
    const PilotRun run = run_pilot_script("aircraft position 47.449 -122.309\naircraft heading 160\n"
                                          "frames 20\nroute load KSEAKPDX.RTE\nframes 3\n"
                                          "print module orvex_fpln_wpt_cnt\n");
    EXPECT_NE(run.printed.find("frame 20: route load KSEAKPDX.RTE: 10 waypoints loaded"), std::string::npos)
        << run.printed;
    EXPECT_NE(run.printed.find("orvex_fpln_wpt_cnt = 12"), std::string::npos) << run.printed;
    EXPECT_EQ(run.frames, 23); // the keys take no frames
    EXPECT_EQ(run.gauges, 2u); // the SMITHS_FMS added for the keys
    const std::vector<std::string>& idents = host::entered_route_idents();
    ASSERT_EQ(idents.size(), 10u);
    EXPECT_EQ(idents.front(), "KSEA");
    EXPECT_EQ(idents[5], "TOUTL");
    EXPECT_EQ(idents.back(), "KPDX");
}

// The simulator plan loads by keys as the module reads it, all its waypoints;
// a file of the folder that holds no route is told once, as the module lists
// the folder.
TEST(PilotRoute, aSimulatorPlanEnteredByKeysCountsWhatTheModuleLoaded) {
    const PilotRun run =
        run_pilot_script("aircraft position 47.449 -122.309\nframes 2\nroute load KSEAKYKM.PLN\n"
                         "route load ONE.RTE\n",
                         "[FlightPlan]\nKSEA 47.449 -122.3093 APT\n");
    EXPECT_NE(run.printed.find("frame 2: route load KSEAKYKM.PLN: 8 waypoints loaded"), std::string::npos)
        << run.printed << run.warned;
    EXPECT_NE(run.warned.find("flightplans/ONE.RTE: holds 1 waypoint: no route"), std::string::npos)
        << run.warned;
}

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

TEST(PilotRoute, aScriptRouteIsEnteredOnAnAddedSmithsFmsAndFlown) {
    const std::string root = testing::TempDir() + "orvex_pilot_route_sim";
    std::filesystem::remove_all(root);
    std::filesystem::copy(ORVEX_SOURCE_DIR "/examples/sim", root, std::filesystem::copy_options::recursive);
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
    ASSERT_TRUE(host::parse_panel_text("p.cfg", "[Window00]\ngauge00=orvex1!SERVER, 0, 0\n", panel, error));
    ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    host::Script script;
    ASSERT_TRUE(host::parse_script_text("s.script",
                                        "aircraft position 47.449 -122.309\naircraft heading 160\n"
                                        "frames 20\nroute load KSEAKPDX.RTE\nframes 3\n"
                                        "print module orvex_fpln_wpt_cnt\n",
                                        sim, script, error))
        << error;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    host::start_gauges(sim);
    host::run_script(sim, script, out, err);
    const long frames = sim.frame;
    const std::size_t gauges = sim.gauges.size();
    host::stop_gauges(sim);
    std::rewind(out);
    std::string printed;
    for (int c; (c = std::fgetc(out)) != EOF;)
        printed += static_cast<char>(c);
    std::fclose(out);
    std::fclose(err);
    std::filesystem::current_path(previous);

    EXPECT_NE(printed.find("frame 20: route load KSEAKPDX.RTE: 10 waypoints in the file (CO ROUTE, EXEC)"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("orvex_fpln_wpt_cnt = 9"), std::string::npos) << printed;
    EXPECT_EQ(frames, 23); // the keys take no frames
    EXPECT_EQ(gauges, 2u); // the SMITHS_FMS added for the keys
    const std::vector<std::string>& idents = host::entered_route_idents();
    ASSERT_EQ(idents.size(), 10u);
    EXPECT_EQ(idents.front(), "KSEA");
    EXPECT_EQ(idents[5], "TOUTL");
    EXPECT_EQ(idents.back(), "KPDX");
}

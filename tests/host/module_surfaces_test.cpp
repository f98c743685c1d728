// The real module placed in the stand-in: drawing elements get surfaces made
// by the module's own drawing layer, snapshots write PNG files, and placing
// every gauge costs little memory (the module's big tables are limits, not
// allocations).
#include "aircraft_store.h"
#include "element_surface.h"
#include "gauges/linkage.h"
#include "platform/gfx_surface.h"
#include "sim_state.h"
#include "simulator.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

host::SurfaceServices module_surfaces() {
    host::SurfaceServices s;
    s.create_dc = &orvex_gfx_create_dc;
    s.write_png = &orvex_gfx_write_png;
    s.write_png_over_black = &orvex_gfx_write_png_over_black;
    s.destroy_dc = &orvex_gfx_destroy_dc;
    return s;
}

long resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

bool place(host::Simulator& sim, const std::string& panel_text, std::string& error) {
    host::PanelFile panel;
    return host::parse_panel_text("panel.cfg", panel_text, panel, error) &&
           host::place_gauges(sim, panel, error);
}

} // namespace

TEST(ModuleSurfaces, drawingElementsGetSurfacesOfTheirScaledImageSize) {
    host::reset_sim_state();
    host::Simulator sim;
    sim.module = host::attach_module(&Linkage, &ImportTable, "orvex1", module_surfaces());
    std::string error;
    // HW_B737_ND's bitmap is 281 x 337 with its screen 247 x 294 at (18, 25):
    // placed at twice its size, the screen surface is 494 x 588.
    ASSERT_TRUE(place(sim,
                      "[Window00]\n"
                      "gauge00=orvex1!HW_B737_ND, 0, 0, 562, 674, VC\n"
                      "gauge01=orvex1!SERVER, 0, 0\n",
                      error))
        << error;
    const host::PlacedGauge& nd = *sim.gauges[0];
    ASSERT_EQ(nd.drawing_elements.size(), 1u);
    void* dc = nd.drawing_elements[0]->device_context;
    ASSERT_TRUE(gfx::is_surface_dc(dc));
    EXPECT_EQ(gfx::surface_width(dc), 494);
    EXPECT_EQ(gfx::surface_height(dc), 588);
    EXPECT_TRUE(sim.gauges[1]->drawing_elements.empty());

    const std::string path = ::testing::TempDir() + "orvex_nd_snapshot.png";
    std::remove(path.c_str());
    // Over black, the picture has no alpha channel (PNG colour type 2);
    // kept transparent, it has one (6).
    for (const bool transparent : {false, true}) {
        ASSERT_TRUE(host::write_gauge_snapshot(nd, path, transparent, error)) << error;
        std::ifstream png(path, std::ios::binary);
        char header[26] = {};
        png.read(header, 26);
        EXPECT_EQ(std::string(header + 1, 3), "PNG");
        EXPECT_EQ(header[25], transparent ? 6 : 2) << transparent;
    }

    EXPECT_FALSE(host::write_gauge_snapshot(*sim.gauges[1], path, false, error));
    EXPECT_NE(error.find("no drawing surface"), std::string::npos) << error;

    // Nothing drawn before the first frame; nor without an aircraft (no
    // power, no time), nor in the frames before the module first reads the
    // display power (once in 18); then the display.
    EXPECT_TRUE(host::picture_is_one_colour(path));
    host::start_gauges(sim);
    for (int step = 0; step < 3; ++step) {
        if (step == 1) host::start_aircraft();
        for (int i = 0; i < (step < 2 ? 5 : 20); ++i)
            host::run_frame(sim);
        ASSERT_TRUE(host::write_gauge_snapshot(nd, path, false, error)) << error;
        EXPECT_EQ(host::picture_is_one_colour(path), step < 2) << step;
    }
    EXPECT_FALSE(host::picture_is_one_colour(path + ".missing"));

    host::stop_gauges(sim);
    for (auto& g : sim.gauges)
        host::release_placed_gauge(*g);
    EXPECT_FALSE(gfx::is_surface_dc(dc));
}

TEST(ModuleSurfaces, placingEveryGaugeStaysUnderFortyMegabytes) {
    host::reset_sim_state();
    host::Simulator sim;
    sim.module = host::attach_module(&Linkage, &ImportTable, "orvex1", module_surfaces());
    std::string text = "[Window00]\n";
    int n = 0;
    for (GaugeHeader* header : host::gauge_headers(sim.module)) {
        char line[96];
        std::snprintf(line, sizeof line, "gauge%02d=orvex1!%s, 0, 0\n", n++, header->name);
        text += line;
    }
    ASSERT_EQ(n, 54);
    std::string error;
    ASSERT_TRUE(place(sim, text, error)) << error;
    host::start_gauges(sim);
    for (int i = 0; i < 3; ++i)
        host::run_frame(sim);
    const long kib = resident_kib();
    std::printf("resident memory with every gauge placed: %ld KiB\n", kib);
    ASSERT_GT(kib, 0);
    // The address sanitizer's shadow memory would count here too (gcc and
    // clang say they sanitize in different ways).
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVEX_TEST_UNDER_ASAN
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(ORVEX_TEST_UNDER_ASAN)
    EXPECT_LT(kib, 40 * 1024);
#endif
    host::stop_gauges(sim);
}

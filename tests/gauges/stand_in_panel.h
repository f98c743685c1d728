// The real module placed in the stand-in from a panel text, in a fresh
// simulator folder that is the current directory. Drawing surfaces record
// what is drawn.
#pragma once

#include "aircraft_store.h"
#include "platform/temp_folder.h"
#include "sim_state.h"
#include "simulator.h"

#include "gauges/linkage.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

#include <string>

class StandInPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        host::reset_aircraft();
        host::SurfaceServices s;
        s.create_dc = &orvex_gfx_create_dc;
        s.write_png = &orvex_gfx_write_png;
        s.destroy_dc = &orvex_gfx_destroy_dc;
        s.backends = gfx::SurfaceCairo | gfx::SurfaceRecording;
        sim.module = host::attach_module(&Linkage, &ImportTable, "orvex1", s);
    }
    void TearDown() override {
        host::stop_gauges(sim);
        ImportTable.panels = nullptr;
    }

    // "gauge00=orvex1!NAME, 0, 0[, w, h, PARAM]" lines of one window.
    void place(const std::string& lines) {
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("panel.cfg", "[Window00]\n" + lines, panel, error)) << error;
        ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    }
    void start() { host::start_gauges(sim); }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::run_frame(sim);
    }
    host::PlacedGauge& gauge(std::size_t i) { return *sim.gauges.at(i); }
    // What the gauge's drawing element recorded since the last clear.
    gfx::Recording& recording(std::size_t i) {
        return *gfx::surface_recording(gauge(i).drawing_elements.at(0)->device_context);
    }
    void call(std::size_t i, GaugeService service) { host::call_gauge(gauge(i), service); }

    TempFolder folder;
    host::Simulator sim;
};

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

#include <cctype>
#include <cmath>
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

    // "nan" or "inf" as a word of its own, in any case ("INFO" is none).
    static bool shows_no_number(const std::string& text) {
        std::string lower = text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* word : {"nan", "inf"})
            for (std::size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
                const bool letter_before = at > 0 && std::isalpha(static_cast<unsigned char>(lower[at - 1]));
                const bool letter_after =
                    at + 3 < lower.size() && std::isalpha(static_cast<unsigned char>(lower[at + 3]));
                if (!letter_before && !letter_after) return true;
            }
        return false;
    }
    // Every text drawn in one frame and every published value that is no
    // finite number, one line each.
    std::string unfinite_values() {
        std::string found;
        for (std::size_t i = 0; i < sim.gauges.size(); ++i)
            recording(i).clear();
        frames(1);
        for (std::size_t i = 0; i < sim.gauges.size(); ++i)
            for (const std::string& text : recording(i).texts())
                if (shows_no_number(text)) found += gauge(i).gauge_name + " draws '" + text + "'\n";
        for (const host::ModuleVar& v : host::sim_state().module_vars)
            if (v.type == MODULE_VAR_FLOAT64 && v.storage &&
                !std::isfinite(*static_cast<const double*>(v.storage)))
                found += "module variable " + v.name + "\n";
        for (const host::NamedVar& v : host::sim_state().named_vars)
            if (!std::isfinite(v.value)) found += "named variable " + v.name + "\n";
        return found;
    }

    TempFolder folder;
    host::Simulator sim;
};

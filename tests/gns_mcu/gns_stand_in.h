// A GNSXLS placed in the stand-in over a copy of the bundled example
// simulator folder (Seattle and Portland), with a recording drawing surface:
// tests press keys by name, one frame after each, and read back what the
// last frame drew on the 495 x 400 canvas (the screen is drawn at that size).
#pragma once

#include "aircraft_store.h"
#include "element_surface.h"
#include "gauges/linkage.h"
#include "gns_keys.h"
#include "placed_gauge.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "platform/temp_folder.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

class GnsStandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_folder_.path(),
                              std::filesystem::copy_options::recursive);
        host::reset_sim_state();
        host::SurfaceServices surfaces;
        surfaces.create_dc = &orvex_gfx_create_dc;
        surfaces.write_png = &orvex_gfx_write_png;
        surfaces.destroy_dc = &orvex_gfx_destroy_dc;
        surfaces.backends = gfx::SurfaceCairo | gfx::SurfaceRecording;
        sim_.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces);
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("panel.cfg", panel_text(), panel, error)) << error;
        ASSERT_TRUE(host::place_gauges(sim_, panel, error)) << error;
        before_start();
        host::start_gauges(sim_);
        // On the ground at KSEA; the clock runs, so the display power is read
        // within the first 18 passes.
        host::start_aircraft();
        host::aircraft().lat_deg = 47.4490;
        host::aircraft().lon_deg = -122.3093;
        host::aircraft().altitude_ft = 433.0;
        host::aircraft().ground_elevation_ft = 433.0;
        frames(20);
    }
    void TearDown() override {
        host::stop_gauges(sim_);
        for (auto& g : sim_.gauges)
            host::release_placed_gauge(*g);
    }

    // The panel placed; the GNS gauge first.
    virtual std::string panel_text() const {
        return "[Window00]\n"
               "gauge00=orvex1!GNSXLS, 0, 0, 540, 430, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }

    virtual void before_start() {}

    host::PlacedGauge& gns() { return *sim_.gauges[0]; }

    // Presses the keys of a `gns` script command ("L2 \"PAE\" ENT").
    void press(const std::string& items) {
        std::vector<GnsKey> keys;
        std::string error;
        ASSERT_TRUE(host::gns_key_sequence(items, keys, error)) << error;
        for (GnsKey key : keys) {
            ASSERT_TRUE(host::press_gns_key(gns(), key).hit) << gns_key_boxes[int(key)].name;
            host::run_frame(sim_);
        }
    }
    // One key, no frame after it.
    void press_only(GnsKey key) { ASSERT_TRUE(host::press_gns_key(gns(), key).hit); }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::run_frame(sim_);
    }

    // The drawing operations of the last frame (everything after its clear).
    std::vector<gfx::RecordedOp> last_frame() {
        const gfx::Recording& r = *gfx::surface_recording(gns().drawing_elements.at(0)->device_context);
        std::size_t start = 0;
        for (std::size_t i = 0; i < r.ops.size(); ++i)
            if (r.ops[i].kind == gfx::OpKind::Clear) start = i + 1;
        return {r.ops.begin() + static_cast<long>(start), r.ops.end()};
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String) out.push_back(op.text);
        return out;
    }
    bool shows(const std::string& text) {
        for (const std::string& t : texts())
            if (t == text) return true;
        return false;
    }
    // The op that drew the text with its top-left corner at canvas point (x, y).
    // The frame is kept for the test's life, so that pointers from earlier
    // calls stay valid.
    const gfx::RecordedOp* op_at(float x, float y) {
        const std::vector<gfx::RecordedOp>& frame = kept_frames_.emplace_back(last_frame());
        for (const gfx::RecordedOp& op : frame)
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y) return &op;
        return nullptr;
    }
    std::string text_at(float x, float y) {
        const gfx::RecordedOp* op = op_at(x, y);
        return op != nullptr ? op->text : "";
    }

    TempFolder sim_folder_;
    host::Simulator sim_;
    std::deque<std::vector<gfx::RecordedOp>> kept_frames_;
};

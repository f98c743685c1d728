// A SMITHS_FMS placed in the stand-in over a copy of the bundled example
// simulator folder (Seattle and Portland), with a recording drawing surface:
// tests press keys by name, one frame after each, and read back what the
// last frame drew on the 282 x 245 canvas.
#pragma once

#include "cdu_keys.h"
#include "element_surface.h"
#include "gauges/linkage.h"
#include "placed_gauge.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "platform/temp_folder.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class CduStandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_folder_.path(),
                              std::filesystem::copy_options::recursive);
        prepare_sim_folder(sim_folder_.path());
        host::reset_sim_state();
        host::SurfaceServices surfaces;
        surfaces.create_dc = &orvex_gfx_create_dc;
        surfaces.write_png = &orvex_gfx_write_png;
        surfaces.destroy_dc = &orvex_gfx_destroy_dc;
        surfaces.backends = gfx::SurfaceCairo | gfx::SurfaceRecording;
        sim_.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces);
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("panel.cfg",
                                           "[Window00]\n"
                                           "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
                                           "gauge01=orvex1!SERVER, 0, 0, 10, 10\n",
                                           panel, error))
            << error;
        ASSERT_TRUE(host::place_gauges(sim_, panel, error)) << error;
        host::start_gauges(sim_);
        host::run_frame(sim_);
    }
    void TearDown() override {
        host::stop_gauges(sim_);
        for (auto& g : sim_.gauges)
            host::release_placed_gauge(*g);
    }

    // A fixture can add files to the copied folder before the module reads it.
    virtual void prepare_sim_folder(const std::string& /*root*/) {}

    host::PlacedGauge& cdu() { return *sim_.gauges[0]; }

    // Presses the keys of a `cdu` script command ("RTE \"KSEA\" L1").
    void press(const std::string& items) {
        std::vector<SmithsKey> keys;
        std::string error;
        ASSERT_TRUE(host::cdu_key_sequence(items, keys, error)) << error;
        for (SmithsKey key : keys) {
            ASSERT_TRUE(host::press_cdu_key(cdu(), key).hit) << smiths_key_boxes.box[int(key)].name;
            host::run_frame(sim_);
        }
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::run_frame(sim_);
    }

    // The drawing operations of the last frame (everything after its clear).
    std::vector<gfx::RecordedOp> last_frame() {
        const gfx::Recording& r = *gfx::surface_recording(cdu().drawing_elements.at(0)->device_context);
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
    // The text drawn with its top-left corner at canvas point (x, y); "" when none.
    std::string text_at(float x, float y) {
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y)
                return op.text;
        return "";
    }
    const gfx::RecordedOp* op_of_text(const std::string& text) {
        static std::vector<gfx::RecordedOp> frame;
        frame = last_frame();
        for (const gfx::RecordedOp& op : frame)
            if (op.kind == gfx::OpKind::String && op.text == text) return &op;
        return nullptr;
    }
    bool lamp_lit(int element) {
        ElementHeader* e = host::first_element(cdu());
        for (int i = 0; i < element && e != nullptr; ++i)
            e = e->next_element != nullptr ? e->next_element[0] : nullptr;
        return e != nullptr && (e->image_flags & IMAGE_HIDDEN) == 0;
    }

    TempFolder sim_folder_;
    host::Simulator sim_;
};

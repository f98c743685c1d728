// One gauge placed in the stand-in over a copy of the bundled example
// simulator folder (Seattle and Portland), with a recording drawing surface:
// tests press the unit's keys by name, one frame after each, and read back
// what the last frame drew. Each unit's fixture names its panel, its keys and
// what starts a frame.
#pragma once

#include "aircraft_store.h"
#include "element_surface.h"
#include "gauges/linkage.h"
#include "mouse.h"
#include "placed_gauge.h"
#include "platform/dinput.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "platform/temp_folder.h"
#include "platform/window.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

class StandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_folder_.path(),
                              std::filesystem::copy_options::recursive);
        prepare_sim_folder(sim_folder_.path());
        host::reset_sim_state();
        attach();
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("panel.cfg", panel_text(), panel, error)) << error;
        ASSERT_TRUE(host::place_gauges(sim_, panel, error)) << error;
        before_start();
        host::start_gauges(sim_);
        after_start();
    }
    void TearDown() override {
        host::stop_gauges(sim_);
        for (auto& g : sim_.gauges)
            host::release_placed_gauge(*g);
    }

    // The panel placed; the unit's gauge first.
    virtual std::string panel_text() const = 0;
    // A fixture can add files to the copied folder before the module reads it.
    virtual void prepare_sim_folder(const std::string& /*root*/) {}
    virtual void before_start() {}
    virtual void after_start() { host::run_frame(sim_); }
    // The drawing operation each frame begins with.
    virtual bool starts_frame(const gfx::RecordedOp& op) const { return op.kind == gfx::OpKind::Clear; }

    // The module attached with drawing surfaces; a unit that needs more
    // services attaches with them.
    virtual void attach() { sim_.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces()); }
    // The module attached as orvex-sim attaches it for units that take keys
    // from the computer keyboard: with the module's window registry (for the
    // "FS98MAIN" window) and its keyboard and DirectInput hooks.
    void attach_with_keyboard() {
        host::WindowServices windows;
        windows.register_window = &orvex_window_register;
        windows.unregister_window = &orvex_window_unregister;
        sim_.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces(), windows);
        host::KeyboardServices& k = sim_.module.keyboard;
        k.key_event = &orvex_keyboard_event;
        k.set_device_key = &orvex_dinput_set_key;
        k.fail_device = &orvex_dinput_fail;
        k.fail_window = &orvex_window_fail;
        k.lose_input = &orvex_dinput_lose_input;
        k.reset_window = &orvex_keyboard_reset;
        k.reset_device = &orvex_dinput_reset;
    }
    static host::SurfaceServices surfaces() {
        host::SurfaceServices s;
        s.create_dc = &orvex_gfx_create_dc;
        s.write_png = &orvex_gfx_write_png;
        s.destroy_dc = &orvex_gfx_destroy_dc;
        s.backends = gfx::SurfaceCairo | gfx::SurfaceRecording;
        return s;
    }

    // On the ground at KSEA; the clock runs, so the display power is read
    // within the first 18 passes.
    void start_on_the_ground_at_ksea() {
        host::start_aircraft();
        host::aircraft().lat_deg = 47.4490;
        host::aircraft().lon_deg = -122.3093;
        host::aircraft().altitude_ft = 433.0;
        host::aircraft().ground_elevation_ft = 433.0;
        frames(20);
    }

    host::PlacedGauge& gauge() { return *sim_.gauges[0]; }

    // Presses the keys of the unit's script command, one frame after each.
    template <class Key, class Sequence, class Press, class Name>
    void press_keys(const std::string& items, Sequence sequence, Press press_key, Name name) {
        std::vector<Key> keys;
        std::string error;
        ASSERT_TRUE(sequence(items, keys, error)) << error;
        for (Key key : keys) {
            ASSERT_TRUE(press_key(gauge(), key).hit) << name(key);
            host::run_frame(sim_);
        }
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::run_frame(sim_);
    }

    gfx::Recording& recording() {
        return *gfx::surface_recording(gauge().drawing_elements.at(0)->device_context);
    }
    // The drawing operations of the last frame (after the op that began it).
    std::vector<gfx::RecordedOp> last_frame() {
        // From the end: the recording holds every frame since the start.
        const gfx::Recording& r = recording();
        std::size_t start = r.ops.size();
        while (start > 0 && !starts_frame(r.ops[start - 1]))
            --start;
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
    // The first text op of the last frame that matches. The frame is kept for
    // the test's life, so that pointers from earlier calls stay valid.
    template <class Match> const gfx::RecordedOp* text_op(Match match) {
        const std::vector<gfx::RecordedOp>& frame = kept_frames_.emplace_back(last_frame());
        for (const gfx::RecordedOp& op : frame)
            if (op.kind == gfx::OpKind::String && match(op)) return &op;
        return nullptr;
    }
    // The op that drew the text with its top-left corner at canvas point (x, y).
    const gfx::RecordedOp* op_at(float x, float y) {
        return text_op(
            [&](const gfx::RecordedOp& op) { return op.world_rect.x == x && op.world_rect.y == y; });
    }
    const gfx::RecordedOp* op_of_text(const std::string& text) {
        return text_op([&](const gfx::RecordedOp& op) { return op.text == text; });
    }
    // The text at canvas point (x, y) and its colour; "" when none.
    std::string text_at(float x, float y, gfx::Argb* color = nullptr) {
        const gfx::RecordedOp* op = op_at(x, y);
        if (op == nullptr) return "";
        if (color != nullptr) *color = op->color;
        return op->text;
    }

    TempFolder sim_folder_;
    host::Simulator sim_;
    std::deque<std::vector<gfx::RecordedOp>> kept_frames_;
};

// An MCU placed in the stand-in over a copy of the bundled example simulator
// folder (Seattle and Portland), with a recording drawing surface, the
// module's window registry (for the "FS98MAIN" window) and its keyboard:
// tests press keys by name and type on the keyboard, one frame after each,
// and read back what the last drawing frame put on the 239 x 78 canvas.
#pragma once

#include "aircraft_store.h"
#include "gauges/linkage.h"
#include "keyboard.h"
#include "mcu_keys.h"
#include "placed_gauge.h"
#include "platform/dinput.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "platform/temp_folder.h"
#include "platform/window.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class McuStandIn : public ::testing::Test {
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
        host::WindowServices windows;
        windows.register_window = &orvex_window_register;
        windows.unregister_window = &orvex_window_unregister;
        sim_.module = host::attach_module(&Linkage, &ImportTable, "orvex1", surfaces, windows);
        host::KeyboardServices& k = sim_.module.keyboard;
        k.key_event = &orvex_keyboard_event;
        k.set_device_key = &orvex_dinput_set_key;
        k.fail_device = &orvex_dinput_fail;
        k.fail_window = &orvex_window_fail;
        k.lose_input = &orvex_dinput_lose_input;
        k.reset_window = &orvex_keyboard_reset;
        k.reset_device = &orvex_dinput_reset;
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("panel.cfg", panel_text(), panel, error)) << error;
        ASSERT_TRUE(host::place_gauges(sim_, panel, error)) << error;
        host::start_gauges(sim_);
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

    virtual std::string panel_text() const {
        return "[Window00]\n"
               "gauge00=orvex1!MCU, 0, 0, 501, 386, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }

    host::PlacedGauge& mcu() { return *sim_.gauges[0]; }

    // Presses the keys of an `mcu` script command, one frame after each.
    void press(const std::string& items) {
        std::vector<McuKey> keys;
        std::string error;
        ASSERT_TRUE(host::mcu_key_sequence(items, keys, error)) << error;
        for (McuKey key : keys) {
            ASSERT_TRUE(host::press_mcu_key(mcu(), key).hit) << mcu_key_boxes[int(key)].name;
            host::run_frame(sim_);
        }
    }
    // Types letters and digits, one key a frame (as `keyboard type` does).
    void type(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (i > 0 && text[i - 1] == c) host::run_frame(sim_);
            host::KeyboardKey key{};
            ASSERT_TRUE(host::keyboard_key_of_char(c, key)) << c;
            ASSERT_TRUE(host::keyboard_key(key, true));
            host::run_frame(sim_);
            host::keyboard_key(key, false);
        }
    }
    // A named key pressed and let go before the next frame.
    void hit(const std::string& name) {
        host::KeyboardKey key{};
        ASSERT_TRUE(host::keyboard_key_by_name(name, key)) << name;
        host::keyboard_key(key, true);
        host::run_frame(sim_);
        host::keyboard_key(key, false);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::run_frame(sim_);
    }

    gfx::Recording& recording() {
        return *gfx::surface_recording(mcu().drawing_elements.at(0)->device_context);
    }
    // The operations of the last frame that drew (after its black fill).
    std::vector<gfx::RecordedOp> last_frame() {
        const gfx::Recording& r = recording();
        std::size_t start = 0;
        for (std::size_t i = 0; i < r.ops.size(); ++i)
            if (r.ops[i].kind == gfx::OpKind::Rectangle && r.ops[i].fill && r.ops[i].color == 0xFF000000)
                start = i + 1;
        return {r.ops.begin() + static_cast<long>(start), r.ops.end()};
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String) out.push_back(op.text);
        return out;
    }
    // The text drawn with its top-left corner at canvas point (x, y) and its colour.
    std::string text_at(float x, float y, gfx::Argb* color = nullptr) {
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y) {
                if (color != nullptr) *color = op.color;
                return op.text;
            }
        return "";
    }
    // A line of the colour between the two canvas points.
    bool has_line(gfx::Argb color, float x1, float y1, float x2, float y2) {
        const float sx = 420.0f / 239.0f, sy = 159.0f / 78.0f;
        auto near = [](float a, float b) { return a - b < 0.01f && b - a < 0.01f; };
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::Line && op.color == color && op.points.size() == 2 &&
                near(op.points[0].x, x1 * sx) && near(op.points[0].y, y1 * sy) &&
                near(op.points[1].x, x2 * sx) && near(op.points[1].y, y2 * sy))
                return true;
        return false;
    }

    TempFolder sim_folder_;
    host::Simulator sim_;
};

// An MCU placed in the stand-in on the ground at KSEA, with the module's
// window registry (for the "FS98MAIN" window) and its keyboard: tests press
// keys by name and type on the keyboard, one frame after each, and read back
// what the last drawing frame put on the 239 x 78 canvas.
#pragma once

#include "keyboard.h"
#include "mcu_keys.h"
#include "shared/stand_in.h"

class McuStandIn : public StandIn {
  protected:
    void attach() override { attach_with_keyboard(); }
    void after_start() override { start_on_the_ground_at_ksea(); }
    // A drawing frame begins with its black fill.
    bool starts_frame(const gfx::RecordedOp& op) const override {
        return op.kind == gfx::OpKind::Rectangle && op.fill && op.color == 0xFF000000;
    }

    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!MCU, 0, 0, 501, 386, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }

    host::PlacedGauge& mcu() { return gauge(); }

    // Presses the keys of an `mcu` script command, one frame after each.
    void press(const std::string& items) {
        press_keys<McuKey>(items, host::mcu_key_sequence, host::press_mcu_key,
                           [](McuKey key) { return mcu_key_boxes[int(key)].name; });
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
};

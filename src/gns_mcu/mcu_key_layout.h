// Where the MCU keys sit on the bezel (both gauges share the table): one box
// per key in bezel pixels, in the order of the gauges' mouse lists. The
// stand-in presses keys by name through the same table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class McuKey : uint8_t {
    Screen,
    To,
    Fpln,
    Lnav,
    Dirto,
    Hold,
    LegsEdit,
    Legs,
    Prev,
    Alt,
    Apt,
    Next,
    Entry,
    Up,
    Left,
    Down,
    Right,
    Enter,
    Count,
};

inline constexpr int kMcuKeyCount = static_cast<int>(McuKey::Count); // 18

struct McuKeyBox {
    McuKey key;
    const char* name;
    int32_t x, y, w, h;
    bool repeats; // acts again while the button is held
};

// The bezel, the screen surface on it and the two lamps.
inline constexpr int32_t kMcuBezelWidth = 501;
inline constexpr int32_t kMcuBezelHeight = 386;
inline constexpr int32_t kMcuScreenX = 40;
inline constexpr int32_t kMcuScreenY = 32;
inline constexpr int32_t kMcuScreenWidth = 420;
inline constexpr int32_t kMcuScreenHeight = 159;

inline constexpr std::array<McuKeyBox, kMcuKeyCount> mcu_key_boxes = {{
    {McuKey::Screen, "SCREEN", 132, 47, 200, 120, false},
    {McuKey::To, "TO", 40, 224, 70, 25, false},
    {McuKey::Fpln, "FPLN", 127, 224, 70, 25, false},
    {McuKey::Lnav, "LNAV", 213, 222, 70, 25, false},
    {McuKey::Dirto, "DIRTO", 40, 258, 70, 25, false},
    {McuKey::Hold, "HOLD", 127, 258, 70, 25, false},
    {McuKey::LegsEdit, "LEGSEDIT", 213, 258, 70, 25, false},
    {McuKey::Legs, "LEGS", 40, 292, 70, 25, false},
    {McuKey::Prev, "PREV", 127, 292, 70, 25, true},
    {McuKey::Alt, "ALT", 213, 292, 70, 25, false},
    {McuKey::Apt, "APT", 40, 324, 70, 25, false},
    {McuKey::Next, "NEXT", 127, 324, 70, 25, true},
    {McuKey::Entry, "ENTRY", 213, 324, 70, 25, false},
    {McuKey::Up, "UP", 371, 224, 32, 32, true},
    {McuKey::Left, "LEFT", 338, 256, 32, 32, false},
    {McuKey::Down, "DOWN", 371, 290, 32, 32, true},
    {McuKey::Right, "RIGHT", 404, 256, 32, 32, false},
    {McuKey::Enter, "ENTER", 350, 324, 70, 25, false},
}};

// The key of a name in the table ("TO", "LEGSEDIT", "UP", ...); false when
// none has it.
constexpr bool mcu_key_by_name(std::string_view name, McuKey& key) {
    for (const McuKeyBox& b : mcu_key_boxes)
        if (name == b.name) {
            key = b.key;
            return true;
        }
    return false;
}

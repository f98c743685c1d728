// Where the GNS XLS keys sit on the bezel (both gauges share the layout; the
// screen spot is GNSXLS's only): one box per key in bezel pixels, in the
// order of the gauges' mouse lists. The stand-in presses keys by name
// through the same table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class GnsKey : uint8_t {
    Nav,
    Vnav,
    Fpl,
    Plan,
    Hold,
    L1,
    R1,
    L2,
    R2,
    L3,
    R3,
    L4,
    R4,
    L5,
    R5,
    Prev,
    Next,
    DirectTo,
    A,
    B,
    C,
    D,
    Ent,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    Star,
    ToggleErase,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Digit0,
    Hash,
    Screen,
    Count,
};

inline constexpr int kGnsKeyCount = static_cast<int>(GnsKey::Count); // 59, 58 without the screen spot

// A key's box, the box that takes the click (D's is narrower) and the text a
// character key types (empty for the others).
struct GnsKeyBox {
    GnsKey key;
    const char* name;
    int32_t x, y, w, h;
    int32_t click_w, click_h;
    const char* text;
};

// The bezel that holds every key box, and the screen between the line-key
// columns (495 x 400 design canvas scaled onto it).
inline constexpr int32_t kGnsBezelWidth = 540;
inline constexpr int32_t kGnsBezelHeight = 430;
inline constexpr int32_t kGnsScreenX = 90;
inline constexpr int32_t kGnsScreenY = 45;
inline constexpr int32_t kGnsScreenWidth = 297;
inline constexpr int32_t kGnsScreenHeight = 240;

namespace gns_layout {

constexpr GnsKeyBox box(GnsKey key, const char* name, int32_t x, int32_t y, int32_t w, int32_t h,
                        const char* text = "") {
    return GnsKeyBox{key, name, x, y, w, h, w, h, text};
}

constexpr std::array<GnsKeyBox, kGnsKeyCount> make_boxes() {
    using K = GnsKey;
    std::array<GnsKeyBox, kGnsKeyCount> b{{
        box(K::Nav, "NAV", 55, 11, 36, 28),    box(K::Vnav, "VNAV", 99, 11, 36, 28),
        box(K::Fpl, "FPL", 188, 11, 36, 28),   box(K::Plan, "PLAN", 363, 11, 36, 28),
        box(K::Hold, "HOLD", 428, 48, 36, 28), box(K::L1, "L1", 60, 70, 24, 17),
        box(K::R1, "R1", 390, 70, 24, 17),     box(K::L2, "L2", 60, 115, 24, 17),
        box(K::R2, "R2", 390, 115, 24, 17),    box(K::L3, "L3", 60, 160, 24, 17),
        box(K::R3, "R3", 390, 160, 24, 17),    box(K::L4, "L4", 60, 204, 24, 17),
        box(K::R4, "R4", 390, 204, 24, 17),    box(K::L5, "L5", 57, 247, 24, 17),
        box(K::R5, "R5", 390, 247, 24, 17),    box(K::Prev, "PREV", 18, 140, 30, 38),
        box(K::Next, "NEXT", 18, 185, 30, 38), box(K::DirectTo, "DIRECT", 18, 228, 30, 38),
        box(K::A, "A", 48, 310, 36, 30, "A"),  box(K::B, "B", 94, 310, 36, 30, "B"),
        box(K::C, "C", 138, 310, 36, 30, "C"), box(K::D, "D", 184, 310, 36, 30, "D"),
        box(K::Ent, "ENT", 242, 310, 62, 30),  box(K::E, "E", 322, 310, 36, 30, "E"),
        box(K::F, "F", 368, 310, 36, 30, "F"), box(K::G, "G", 414, 310, 36, 30, "G"),
        box(K::H, "H", 460, 310, 36, 30, "H"),
    }};
    constexpr int32_t row_x[10] = {48, 94, 138, 184, 230, 276, 322, 368, 414, 460};
    constexpr const char* i_to_r[10] = {"I", "J", "K", "L", "M", "N", "O", "P", "Q", "R"};
    for (int n = 0; n < 10; ++n)
        b[static_cast<std::size_t>(K::I) + n] =
            box(static_cast<K>(static_cast<int>(K::I) + n), i_to_r[n], row_x[n], 350, 36, 30, i_to_r[n]);
    constexpr const char* s_to_star[9] = {"S", "T", "U", "V", "W", "X", "Y", "Z", "*"};
    constexpr const char* s_names[9] = {"S", "T", "U", "V", "W", "X", "Y", "Z", "STAR"};
    for (int n = 0; n < 9; ++n)
        b[static_cast<std::size_t>(K::S) + n] =
            box(static_cast<K>(static_cast<int>(K::S) + n), s_names[n], row_x[n], 392, 36, 30, s_to_star[n]);
    b[static_cast<std::size_t>(K::ToggleErase)] = box(K::ToggleErase, "ERASE", 430, 262, 34, 26);
    constexpr int32_t pad_x[3] = {428, 462, 498};
    constexpr int32_t pad_y[3] = {84, 130, 174};
    constexpr const char* digits[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int n = 0; n < 9; ++n)
        b[static_cast<std::size_t>(K::Digit1) + n] =
            box(static_cast<K>(static_cast<int>(K::Digit1) + n), digits[n], pad_x[n % 3], pad_y[n / 3], 30,
                36, digits[n]);
    b[static_cast<std::size_t>(K::Digit0)] = box(K::Digit0, "0", 462, 218, 30, 36, "0");
    b[static_cast<std::size_t>(K::Hash)] = box(K::Hash, "HASH", 428, 218, 30, 36, "#");
    b[static_cast<std::size_t>(K::Screen)] = box(K::Screen, "SCREEN", 190, 101, 80, 80);
    b[static_cast<std::size_t>(K::D)].click_w = 30;
    return b;
}

} // namespace gns_layout

inline constexpr std::array<GnsKeyBox, kGnsKeyCount> gns_key_boxes = gns_layout::make_boxes();

// The key of a name in the table ("NAV", "L1", "A", "STAR", "HASH", ...);
// false when none has it.
constexpr bool gns_key_by_name(std::string_view name, GnsKey& key) {
    for (const GnsKeyBox& b : gns_key_boxes)
        if (name == b.name) {
            key = b.key;
            return true;
        }
    return false;
}

// Where the SMITHS_FMS keys sit on the 415 x 640 bezel (both gauges share
// the layout): one box per key in bezel pixels, in the order of the gauges'
// mouse lists. The stand-in presses keys by name through the same table.
#pragma once

#include <cstdint>
#include <string_view>

enum class SmithsKey : uint8_t {
    InitRef,
    Rte,
    Clb,
    Crz,
    Des,
    Dir,
    Legs,
    DepArr,
    Hold,
    Prog,
    Exec,
    Fix,
    Prev,
    Next,
    Screen,
    L1,
    L2,
    L3,
    L4,
    L5,
    L6,
    R1,
    R2,
    R3,
    R4,
    R5,
    R6,
    A,
    B,
    C,
    D,
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
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Dot,
    Digit0,
    PlusMinus,
    Sp,
    Del,
    Slash,
    Clr,
    Count,
};

inline constexpr int kSmithsKeyCount = static_cast<int>(SmithsKey::Count);

// A key's box (x, y, w, h) and the size of the box that takes the click,
// which differs for D and DEL.
struct SmithsKeyBox {
    SmithsKey key;
    const char* name;
    int32_t x, y, w, h;
    int32_t click_w, click_h;
    bool repeats; // called again and again while held (CLR)
};

namespace smiths_layout {

inline constexpr int32_t kLetterColumn[5] = {172, 212, 252, 293, 332};
inline constexpr int32_t kLetterRow[6] = {381, 422, 461, 502, 542, 582};
inline constexpr int32_t kDigitColumn[3] = {51, 90, 130};
inline constexpr int32_t kDigitRow[4] = {461, 502, 542, 582};
inline constexpr int32_t kLineRow[6] = {68, 100, 132, 165, 197, 230};

constexpr SmithsKeyBox box(SmithsKey key, const char* name, int32_t x, int32_t y, int32_t w, int32_t h) {
    return SmithsKeyBox{key, name, x, y, w, h, w, h, false};
}

constexpr SmithsKeyBox letter(int n) {
    constexpr const char* names[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                       "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    SmithsKeyBox b = box(static_cast<SmithsKey>(static_cast<int>(SmithsKey::A) + n), names[n],
                         kLetterColumn[n % 5], kLetterRow[n / 5], 36, 36);
    if (b.key == SmithsKey::D) b.click_w = 30;
    return b;
}

// Keys Digit1 .. PlusMinus in reading order: 1 2 3 / 4 5 6 / 7 8 9 / . 0 +/-.
constexpr SmithsKeyBox digit_pad(int n) {
    constexpr const char* names[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "DOT", "0", "PLUSMINUS"};
    return box(static_cast<SmithsKey>(static_cast<int>(SmithsKey::Digit1) + n), names[n], kDigitColumn[n % 3],
               kDigitRow[n / 3], 34, 34);
}

constexpr SmithsKeyBox line_select(int n) {
    constexpr const char* names[12] = {"L1", "L2", "L3", "L4", "L5", "L6",
                                       "R1", "R2", "R3", "R4", "R5", "R6"};
    return box(static_cast<SmithsKey>(static_cast<int>(SmithsKey::L1) + n), names[n], n < 6 ? 7 : 379,
               kLineRow[n % 6], 46, 34);
}

constexpr auto make_boxes() {
    struct Boxes {
        SmithsKeyBox box[kSmithsKeyCount];
    } boxes{};
    const SmithsKeyBox function_keys[] = {
        box(SmithsKey::InitRef, "INIT_REF", 51, 298, 44, 30),
        box(SmithsKey::Rte, "RTE", 104, 298, 44, 30),
        box(SmithsKey::Clb, "CLB", 153, 298, 44, 30),
        box(SmithsKey::Crz, "CRZ", 206, 298, 44, 30),
        box(SmithsKey::Des, "DES", 258, 298, 44, 30),
        box(SmithsKey::Dir, "DIR", 51, 338, 44, 30),
        box(SmithsKey::Legs, "LEGS", 104, 338, 44, 30),
        box(SmithsKey::DepArr, "DEP_ARR", 153, 338, 44, 30),
        box(SmithsKey::Hold, "HOLD", 206, 338, 44, 30),
        box(SmithsKey::Prog, "PROG", 258, 338, 44, 30),
        box(SmithsKey::Exec, "EXEC", 318, 338, 44, 30),
        box(SmithsKey::Fix, "FIX", 104, 377, 44, 30),
        box(SmithsKey::Prev, "PREV", 51, 418, 46, 34),
        box(SmithsKey::Next, "NEXT", 104, 418, 46, 34),
        box(SmithsKey::Screen, "SCREEN", 160, 100, 92, 92),
    };
    for (const SmithsKeyBox& b : function_keys)
        boxes.box[static_cast<int>(b.key)] = b;
    for (int n = 0; n < 12; ++n) {
        const SmithsKeyBox l = line_select(n);
        boxes.box[static_cast<int>(l.key)] = l;
        const SmithsKeyBox d = digit_pad(n);
        boxes.box[static_cast<int>(d.key)] = d;
    }
    for (int n = 0; n < 26; ++n)
        boxes.box[static_cast<int>(SmithsKey::A) + n] = letter(n);
    SmithsKeyBox del = box(SmithsKey::Del, "DEL", 252, 582, 34, 34);
    del.click_w = 36;
    SmithsKeyBox clr = box(SmithsKey::Clr, "CLR", 332, 582, 34, 34);
    clr.repeats = true;
    const SmithsKeyBox bottom[] = {box(SmithsKey::Sp, "SP", 212, 582, 34, 34), del,
                                   box(SmithsKey::Slash, "SLASH", 293, 582, 34, 34), clr};
    for (const SmithsKeyBox& b : bottom)
        boxes.box[static_cast<int>(b.key)] = b;
    return boxes;
}

} // namespace smiths_layout

// Indexed by SmithsKey.
inline constexpr auto smiths_key_boxes = smiths_layout::make_boxes();

// The key of a name ("A", "7", "DOT", "L1", "EXEC", "DEP_ARR", ...; upper
// case as written above); false when no key has that name.
constexpr bool smiths_key_by_name(std::string_view name, SmithsKey& key) {
    for (const SmithsKeyBox& b : smiths_key_boxes.box)
        if (name == b.name) {
            key = b.key;
            return true;
        }
    return false;
}

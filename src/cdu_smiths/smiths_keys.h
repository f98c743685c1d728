// The SMITHS_FMS keys. A key only sets the unit's input state (a page number
// and its presets, a line-select code, a one-frame flag or a scratchpad
// character); the page routine of the next draw acts on it. EXEC is the one
// key that acts at once, and the screen spot toggles the pop-up window.
#pragma once

#include "cdu_smiths/smiths_key_layout.h"
#include "sim/gauge_abi.h"

#include <array>
#include <cstdint>
#include <utility>

// One press of a key, as its mouse handler does it; returns what the handler
// returns (0, or the window toggle's result for the screen spot).
int32_t smiths_press_key(SmithsKey key);

// The mouse handler of key K: the click point and flags are not read.
template <SmithsKey K> int32_t ORVEX_FSAPI smiths_key_handler(PixPoint*, uint32_t) {
    return smiths_press_key(K);
}

template <std::size_t... I> constexpr auto smiths_handler_table(std::index_sequence<I...>) {
    return std::array<MouseHandler, sizeof...(I)>{&smiths_key_handler<static_cast<SmithsKey>(I)>...};
}

// The mouse handlers, indexed by SmithsKey; both gauges use them.
inline constexpr auto smiths_key_handlers = smiths_handler_table(std::make_index_sequence<kSmithsKeyCount>{});

// After every draw of the SMITHS screen: the pending line-select key and the
// one-frame flags end their life.
void smiths_reset_key_flags();

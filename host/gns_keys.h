// Pressing the keys of a placed GNSXLS (or GNSXLS_LM) by name, as a script's
// `gns` command does: each key is a click at the centre of its click box, in
// the gauge's bitmap pixels.
//
//   gns GAUGE ITEM...   ITEM: a key name (NAV, VNAV, FPL, PLAN, HOLD, L1..L5,
//                       R1..R5, PREV, NEXT, DIRECT, ENT, ERASE, A..Z, 0..9,
//                       STAR, HASH, SCREEN; any case) or a "quoted text" typed
//                       key by key (letters, digits, '*' and '#'). One frame
//                       runs after every key, so each key is seen by its own
//                       draw.
#pragma once

#include "gns_mcu/gns_key_layout.h"
#include "mouse.h"

#include <string>
#include <vector>

namespace host {

struct PlacedGauge;

bool is_gns_gauge(const PlacedGauge& gauge);

// The keys of a `gns` command's items, in order; false with a message for an
// unknown name, a character no key types, or an unclosed quote.
bool gns_key_sequence(const std::string& items, std::vector<GnsKey>& keys, std::string& error);

// Clicks the key's click box at its centre.
ClickResult press_gns_key(const PlacedGauge& gauge, GnsKey key);

} // namespace host

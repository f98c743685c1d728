// Pressing the keys of a placed SMITHS_FMS (or SMITHS_FMS_BR) by name, as a
// script's `cdu` command does: each key is a click at the centre of its click
// box, in the gauge's bitmap pixels.
//
//   cdu GAUGE ITEM...   ITEM: a key name (A..Z, 0..9, DOT, SLASH, PLUSMINUS,
//                       SP, DEL, CLR, L1..L6, R1..R6, INIT_REF, RTE, CLB, CRZ,
//                       DES, DIR, LEGS, DEP_ARR, HOLD, PROG, EXEC, FIX, PREV,
//                       NEXT, SCREEN; any case) or a "quoted text" typed key by
//                       key (letters, digits, '.', '/', '-' as PLUSMINUS and
//                       blank as SP). One frame runs after every key, so each
//                       key is seen by its own draw.
#pragma once

#include "cdu_smiths/smiths_key_layout.h"
#include "mouse.h"

#include <string>
#include <vector>

namespace host {

struct PlacedGauge;

bool is_cdu_gauge(const PlacedGauge& gauge);

// The keys of a `cdu` command's items, in order; false with a message for
// an unknown name, a character no key types, or an unclosed quote.
bool cdu_key_sequence(const std::string& items, std::vector<SmithsKey>& keys, std::string& error);

// Clicks the key's click box at its centre.
ClickResult press_cdu_key(const PlacedGauge& gauge, SmithsKey key);

} // namespace host

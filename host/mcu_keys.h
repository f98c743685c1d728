// Pressing the keys of a placed MCU (or MCU_LM) by name, as a script's `mcu`
// command does: each key is a click at the centre of its box, in the gauge's
// bitmap pixels.
//
//   mcu GAUGE KEY...   KEY: SCREEN, TO, FPLN, LNAV, DIRTO, HOLD, LEGSEDIT, LEGS,
//                      PREV, ALT, APT, NEXT, ENTRY, UP, LEFT, DOWN, RIGHT, ENTER
//                      (any case). One frame runs after every key, so each key
//                      is seen by its own draw.
#pragma once

#include "gns_mcu/mcu_key_layout.h"
#include "mouse.h"

#include <string>
#include <vector>

namespace host {

struct PlacedGauge;

bool is_mcu_gauge(const PlacedGauge& gauge);

// The keys of an `mcu` command's items, in order; false with a message for
// an unknown name.
bool mcu_key_sequence(const std::string& items, std::vector<McuKey>& keys, std::string& error);

// Clicks the key's box at its centre.
ClickResult press_mcu_key(const PlacedGauge& gauge, McuKey key);

} // namespace host

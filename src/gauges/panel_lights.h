// The lights of the control panels, recomputed from the display state on
// every update so that they follow changes made anywhere (keys, SERVER
// requests, [Lvars] bindings). Light n is the n-th element below the
// panel's background; a light that is missing from the chain is skipped.
#pragma once

#include "sim/gauge_abi.h"

// Shows light n (clears the hidden bit) when `shown`, else hides it.
void show_panel_light(ElementHeader* background, int n, bool shown);

// A300_EFIS_CTRL: range knob pictures 1 to 4, mode knob pictures 5 to 7,
// filter lamps 8 to 11, traffic lamp 12.
void update_a300_efis_lights(ElementHeader* background);
// MD80_EHSI_CTRL: knob lamps 1 to 3 always, filter, boundary and traffic
// lamps 4 to 8.
void update_md80_ehsi_lights(ElementHeader* background);
// HW_B737_EFIS_CNTR (_BR: `br`): mode pictures 1 to 6, range pictures 7 to
// 11; the _BR gauge shows picture 7 for every range up to 10.
void update_hw_b737_efis_lights(ElementHeader* background, bool br);
// PROLINE4_AUX_CTRL: the six button lamps.
void update_proline4_aux_lights(ElementHeader* background);

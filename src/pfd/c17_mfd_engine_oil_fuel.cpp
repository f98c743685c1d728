// Format 11 of the C17_MFD, the oil and fuel-used page.
#include "pfd/c17_mfd_painters.h"

// Drawn with the engine pages; until then the format shows its background.
void c17_mfd_draw_engine_oil_fuel(const DisplayObject&, gfx::Graphics&) {}

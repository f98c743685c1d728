// Format 9 of the C17_MFD, the thrust page.
#include "pfd/c17_mfd_painters.h"

// Drawn with the engine pages; until then the format shows its background.
void c17_mfd_draw_engine_thrust(const DisplayObject&, gfx::Graphics&) {}

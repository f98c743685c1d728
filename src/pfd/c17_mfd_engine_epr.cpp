// Format 10 of the C17_MFD, the EPR page.
#include "pfd/c17_mfd_painters.h"

// Drawn with the engine pages; until then the format shows its background.
void c17_mfd_draw_engine_epr(const DisplayObject&, gfx::Graphics&) {}

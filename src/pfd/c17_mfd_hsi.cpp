// Format 0 of the C17_MFD, the HSI.
#include "pfd/c17_mfd_painters.h"

// Drawn with the navigation formats; until then the format shows its background.
void c17_mfd_draw_hsi(const DisplayObject&, gfx::Graphics&) {}

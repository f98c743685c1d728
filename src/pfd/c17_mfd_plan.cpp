// Format 6 of the C17_MFD, the north-up plan.
#include "pfd/c17_mfd_painters.h"

// Drawn with the navigation formats; until then the format shows its background.
void c17_mfd_draw_plan_grid(const DisplayObject&, gfx::Graphics&, double) {}

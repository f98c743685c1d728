// The route map of the C17_MFD formats 3 to 6.
#include "pfd/c17_mfd_painters.h"

// Drawn with the navigation formats; until then the map windows stay empty.
void c17_mfd_draw_map(const DisplayObject&, gfx::Graphics&, double) {}

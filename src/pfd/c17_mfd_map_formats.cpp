// The frames of the C17_MFD map formats 3, 4 and 5 and the heading box.
#include "pfd/c17_mfd_painters.h"

// Drawn with the navigation formats; until then these formats show their background.
void c17_mfd_draw_map_format3(const DisplayObject&, gfx::Graphics&) {}
void c17_mfd_draw_map_format4(const DisplayObject&, gfx::Graphics&) {}
void c17_mfd_draw_map_format5(const DisplayObject&, gfx::Graphics&) {}
void c17_mfd_draw_heading_box(const DisplayObject&, gfx::Graphics&) {}

#include "nd/nd_render_passes.h"

// The display objects; each display's render pass is in its own files.

DisplayObject efs50_ehsi_display;
DisplayObject efs50_tcas_display;
DisplayObject du_1000_ehsi_display;
DisplayObject hw_b737_nd_display;
DisplayObject hw_md11_nd_display;
DisplayObject md80_ehsi_display;
DisplayObject proline4_mfd_display;

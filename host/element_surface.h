// The hook through which a drawing element gets its device context. Today no
// surface exists and device contexts stay 0 (the module then skips drawing);
// the drawing layer replaces these two functions to hand each drawing element
// an image surface of its image record's size.
#pragma once

#include "gauges/gauge_abi.h"

namespace host {

struct PlacedGauge;

// Called once for every drawing element of a new instance, after its image
// record is set. Returns the device context to store in the element (null:
// none).
void* attach_element_surface(PlacedGauge& gauge, ElementHeader& element);

// Called when the instance goes away, for each element whose context was not null.
void detach_element_surface(PlacedGauge& gauge, ElementHeader& element, void* device_context);

} // namespace host

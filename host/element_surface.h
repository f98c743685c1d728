// How a drawing element gets its device context: an image surface of its
// image record's size, made through the module's own surface services (none
// when the module offers none; the module then skips drawing).
#pragma once

#include "sim/gauge_abi.h"

#include <string>

namespace host {

struct PlacedGauge;

// Called once for every drawing element of a new instance, after its image
// record is set. Returns the device context to store in the element (null:
// none).
void* attach_element_surface(PlacedGauge& gauge, ElementHeader& element);

// Called when the instance goes away, for each element whose context was not null.
void detach_element_surface(PlacedGauge& gauge, ElementHeader& element, void* device_context);

// Writes the gauge's first drawing surface as a PNG file, over black unless
// `transparent`. False with a message when the gauge has no surface or the
// file cannot be written.
bool write_gauge_snapshot(const PlacedGauge& gauge, const std::string& path, bool transparent,
                          std::string& error);

// True when the PNG file at `path` is all one colour: a display that has not
// drawn yet (its first frames, before the module reads the display power) or
// one without power. Read back with the platform's own picture code
// (panel_picture_posix.cpp, panel_picture_win.cpp).
bool picture_is_one_colour(const std::string& path);

} // namespace host

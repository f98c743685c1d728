// Device contexts of the Linux build: an opaque handle to a drawing surface of
// a fixed pixel size that carries a Cairo image (ARGB32, PNG output), a
// recording of every operation, or both. The stand-in creates one for each
// drawing gauge's element and hands it over as the element's device context;
// tests create them directly.
#pragma once

#include "platform/gfx_types.h"

#include <string>

namespace gfx {

struct Recording;

inline constexpr uint32_t SurfaceCairo = 1;
inline constexpr uint32_t SurfaceRecording = 2;

// A device context for a width x height surface with the given backends
// (SurfaceCairo, SurfaceRecording or both). Sizes below 0 count as 0. Null
// when no backend is asked for or the image cannot be made. The surface
// starts fully transparent and with an empty recording.
void* create_surface_dc(int32_t width, int32_t height, uint32_t backends);
void destroy_surface_dc(void* device_context);

// True for a handle made by create_surface_dc and not yet destroyed.
bool is_surface_dc(const void* device_context);
int32_t surface_width(const void* device_context);
int32_t surface_height(const void* device_context);

// The surface's recording, or null without the recording backend.
Recording* surface_recording(void* device_context);

// Writes the Cairo image as PNG, with its transparency or over black. False
// without the Cairo backend or when the file cannot be written.
bool write_surface_png(void* device_context, const std::string& path, bool over_black = false);

// One pixel of the Cairo image, not premultiplied (0 outside the surface or
// without the Cairo backend).
Argb surface_pixel(const void* device_context, int32_t x, int32_t y);

} // namespace gfx

// The same services by plain C names, so that a host that loads the module as
// a shared library can reach them by symbol.
extern "C" {
void* orvex_gfx_create_dc(int32_t width, int32_t height, uint32_t backends);
int32_t orvex_gfx_write_png(void* device_context, const char* path);
int32_t orvex_gfx_write_png_over_black(void* device_context, const char* path);
void orvex_gfx_destroy_dc(void* device_context);
}

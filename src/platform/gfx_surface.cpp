// Device contexts of the Linux build: handles to surfaces that carry a Cairo
// image, a recording, or both. Handles are checked against the live set, so a
// stray or stale pointer is refused rather than drawn through.
#include "platform/gfx_surface.h"

#include "platform/gfx_detail.h"

#include <unordered_set>

namespace gfx {

namespace {

std::unordered_set<const void*>& live_surfaces() {
    static std::unordered_set<const void*> live;
    return live;
}

uint64_t destroyed = 0;

} // namespace

namespace detail {

SurfaceObject* surface_from_dc(const void* device_context) {
    if (!device_context || !live_surfaces().count(device_context)) return nullptr;
    return static_cast<SurfaceObject*>(const_cast<void*>(device_context));
}

uint64_t surfaces_destroyed() {
    return destroyed;
}

} // namespace detail

void* create_surface_dc(int32_t width, int32_t height, uint32_t backends) {
    if ((backends & (SurfaceCairo | SurfaceRecording)) == 0) return nullptr;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    auto* surface = new detail::SurfaceObject;
    surface->width = width;
    surface->height = height;
    if (backends & SurfaceCairo) {
        surface->cairo = detail::canvas_create(width, height);
        if (!surface->cairo) {
            delete surface;
            return nullptr;
        }
    }
    if (backends & SurfaceRecording) surface->recording = std::make_unique<Recording>();
    live_surfaces().insert(surface);
    return surface;
}

void destroy_surface_dc(void* device_context) {
    detail::SurfaceObject* surface = detail::surface_from_dc(device_context);
    if (!surface) return;
    live_surfaces().erase(surface);
    ++destroyed;
    detail::canvas_destroy(surface->cairo);
    delete surface;
}

bool is_surface_dc(const void* device_context) {
    return detail::surface_from_dc(device_context) != nullptr;
}

int32_t surface_width(const void* device_context) {
    const detail::SurfaceObject* s = detail::surface_from_dc(device_context);
    return s ? s->width : 0;
}

int32_t surface_height(const void* device_context) {
    const detail::SurfaceObject* s = detail::surface_from_dc(device_context);
    return s ? s->height : 0;
}

Recording* surface_recording(void* device_context) {
    detail::SurfaceObject* s = detail::surface_from_dc(device_context);
    return s ? s->recording.get() : nullptr;
}

bool write_surface_png(void* device_context, const std::string& path, bool over_black) {
    detail::SurfaceObject* s = detail::surface_from_dc(device_context);
    return s && detail::canvas_write_png(s->cairo, path, over_black);
}

Argb surface_pixel(const void* device_context, int32_t x, int32_t y) {
    const detail::SurfaceObject* s = detail::surface_from_dc(device_context);
    return s ? detail::canvas_pixel(s->cairo, x, y) : 0;
}

} // namespace gfx

extern "C" {

void* orvex_gfx_create_dc(int32_t width, int32_t height, uint32_t backends) {
    return gfx::create_surface_dc(width, height, backends);
}

int32_t orvex_gfx_write_png(void* device_context, const char* path) {
    return path && gfx::write_surface_png(device_context, path) ? 1 : 0;
}

int32_t orvex_gfx_write_png_over_black(void* device_context, const char* path) {
    return path && gfx::write_surface_png(device_context, path, true) ? 1 : 0;
}

void orvex_gfx_destroy_dc(void* device_context) {
    gfx::destroy_surface_dc(device_context);
}

} // extern "C"

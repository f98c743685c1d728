// Device contexts of the stand-in on Windows: each surface is a memory DC
// with a 32-bit top-down DIB section selected, which the module draws into
// with GDI+ like any other device context. PNG files are written through
// GDI+'s own encoder. Handles are checked against the live set, so a stray or
// stale pointer is refused.
#include "platform/gfx_surface.h"

#include "platform/gfx_win.h"

#include <map>
#include <vector>

namespace gfx {

namespace {

struct DibSurface {
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

std::map<const void*, DibSurface>& live_surfaces() {
    static std::map<const void*, DibSurface> live;
    return live;
}

const DibSurface* find(const void* device_context) {
    auto it = live_surfaces().find(device_context);
    return it == live_surfaces().end() ? nullptr : &it->second;
}

// GDI+ for the encoder, started once for the life of the process.
bool encoder_ready() {
    static ULONG_PTR token = 0;
    static bool ok = [] {
        win::gp::GdiplusStartupInput input;
        return win::gp::GdiplusStartup(&token, &input, nullptr) == win::gp::Ok;
    }();
    return ok;
}

std::wstring widen_path(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    return wide;
}

bool png_encoder(CLSID* clsid) {
    UINT count = 0, bytes = 0;
    if (win::flat::GdipGetImageEncodersSize(&count, &bytes) != win::gp::Ok || bytes == 0) return false;
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<win::gp::ImageCodecInfo*>(buffer.data());
    if (win::flat::GdipGetImageEncoders(count, bytes, codecs) != win::gp::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, L"image/png") == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

void* create_surface_dc(int32_t width, int32_t height, uint32_t backends) {
    // Only an image: the recording is a tool of the Linux tests.
    if ((backends & SurfaceCairo) == 0) return nullptr;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1); // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        DeleteDC(dc);
        return nullptr;
    }
    DibSurface surface;
    surface.bitmap = bitmap;
    surface.previous = SelectObject(dc, bitmap);
    surface.bits = static_cast<uint32_t*>(bits);
    surface.width = width;
    surface.height = height;
    live_surfaces()[dc] = surface;
    return dc;
}

void destroy_surface_dc(void* device_context) {
    auto it = live_surfaces().find(device_context);
    if (it == live_surfaces().end()) return;
    HDC dc = static_cast<HDC>(device_context);
    SelectObject(dc, it->second.previous);
    DeleteObject(it->second.bitmap);
    DeleteDC(dc);
    live_surfaces().erase(it);
}

bool is_surface_dc(const void* device_context) {
    return find(device_context) != nullptr;
}

int32_t surface_width(const void* device_context) {
    const DibSurface* s = find(device_context);
    return s ? s->width : 0;
}

int32_t surface_height(const void* device_context) {
    const DibSurface* s = find(device_context);
    return s ? s->height : 0;
}

Recording* surface_recording(void*) {
    return nullptr;
}

// Always over black: GDI leaves the alpha bytes undefined, so the picture is
// opaque and what nothing drew is black.
bool write_surface_png(void* device_context, const std::string& path, bool /*over_black*/) {
    const DibSurface* s = find(device_context);
    if (!s || s->width <= 0 || s->height <= 0 || !encoder_ready()) return false;
    GdiFlush(); // GDI may still hold drawing for the bitmap
    CLSID clsid;
    if (!png_encoder(&clsid)) return false;
    win::gp::GpBitmap* bitmap = nullptr;
    if (win::flat::GdipCreateBitmapFromScan0(s->width, s->height, s->width * 4, PixelFormat32bppRGB,
                                             reinterpret_cast<BYTE*>(s->bits), &bitmap) != win::gp::Ok)
        return false;
    const std::wstring wide = widen_path(path);
    const bool ok = win::flat::GdipSaveImageToFile(bitmap, wide.c_str(), &clsid, nullptr) == win::gp::Ok;
    win::flat::GdipDisposeImage(bitmap);
    return ok;
}

Argb surface_pixel(const void* device_context, int32_t x, int32_t y) {
    const DibSurface* s = find(device_context);
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return 0;
    GdiFlush();
    const uint32_t pixel = s->bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(s->width) + x];
    // Opaque as written; an untouched pixel stays 0.
    return (pixel & 0x00FFFFFFu) != 0 ? (pixel | 0xFF000000u) : pixel;
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

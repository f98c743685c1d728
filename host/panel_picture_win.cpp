// A panel's picture painted with GDI+ on one of the stand-in's DIB surfaces.
#include "element_surface.h"
#include "panel_snapshot.h"

#include "platform/gfx_surface.h"
#include "platform/gfx_win.h"

namespace host {

namespace {

using namespace gfx::win;

// 0.0 .. 1.0 colour parts as GDI+ takes them.
gp::ARGB argb(double a, double r, double g, double b) {
    auto part = [](double v) { return static_cast<gp::ARGB>(v * 255.0 + 0.5) & 0xFF; };
    return part(a) << 24 | part(r) << 16 | part(g) << 8 | part(b);
}

void stroke_box(gp::GpGraphics* graphics, gp::ARGB colour, float width, float x, float y, float w, float h) {
    gp::GpPen* pen = nullptr;
    if (flat::GdipCreatePen1(colour, width, gp::UnitPixel, &pen) != gp::Ok) return;
    flat::GdipDrawRectangle(graphics, pen, x, y, w, h);
    flat::GdipDeletePen(pen);
}

} // namespace

bool paint_panel_picture(const PanelPicture& picture, const std::string& path) {
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) return false;
    void* dc = gfx::create_surface_dc(picture.width, picture.height, gfx::SurfaceCairo);
    gp::GpGraphics* graphics = nullptr;
    if (dc == nullptr || flat::GdipCreateFromHDC(static_cast<HDC>(dc), &graphics) != gp::Ok) {
        gfx::destroy_surface_dc(dc);
        gp::GdiplusShutdown(token);
        return false;
    }
    // Cairo's pixel centres lie at .5, as GDI+'s do with this offset mode.
    flat::GdipSetPixelOffsetMode(graphics, gp::PixelOffsetModeHalf);
    flat::GdipSetSmoothingMode(graphics, gp::SmoothingModeAntiAlias);
    flat::GdipGraphicsClear(graphics, argb(1.0, 0.22, 0.24, 0.27));
    stroke_box(graphics, argb(1.0, 0.55, 0.57, 0.6), 2.0f, 1.0f, 1.0f, picture.width - 2.0f,
               picture.height - 2.0f);
    gp::GpSolidFill* light = nullptr;
    if (flat::GdipCreateSolidFill(argb(0.85, 1.0, 0.75, 0.1), &light) == gp::Ok) {
        for (const PanelBox& b : picture.lights)
            flat::GdipFillRectangle(graphics, light, float(b.x), float(b.y), float(b.w), float(b.h));
        flat::GdipDeleteBrush(light);
    }
    for (const PanelBox& b : picture.spots)
        stroke_box(graphics, argb(1.0, 0.9, 0.95, 1.0), 1.0f, b.x + 0.5f, b.y + 0.5f, b.w - 1.0f, b.h - 1.0f);
    flat::GdipDeleteGraphics(graphics);
    const bool ok = gfx::write_surface_png(dc, path);
    gfx::destroy_surface_dc(dc);
    gp::GdiplusShutdown(token);
    return ok;
}

bool picture_is_one_colour(const std::string& path) {
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) return false;
    bool one = false;
    gp::GpBitmap* bitmap = nullptr;
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    if (flat::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) == gp::Ok) {
        UINT width = 0, height = 0;
        flat::GdipGetImageWidth(bitmap, &width);
        flat::GdipGetImageHeight(bitmap, &height);
        const gp::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        gp::BitmapData data{};
        if (width > 0 && height > 0 &&
            flat::GdipBitmapLockBits(bitmap, &all, gp::ImageLockModeRead, PixelFormat32bppARGB, &data) ==
                gp::Ok) {
            const auto* base = static_cast<const unsigned char*>(data.Scan0);
            const uint32_t first = *reinterpret_cast<const uint32_t*>(base);
            one = true;
            for (UINT y = 0; one && y < height; ++y) {
                const auto* row =
                    reinterpret_cast<const uint32_t*>(base + static_cast<INT_PTR>(y) * data.Stride);
                for (UINT x = 0; one && x < width; ++x)
                    one = row[x] == first;
            }
            flat::GdipBitmapUnlockBits(bitmap, &data);
        }
        flat::GdipDisposeImage(bitmap);
    }
    gp::GdiplusShutdown(token);
    return one;
}

} // namespace host

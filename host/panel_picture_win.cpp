// A panel's picture painted with GDI+ on one of the stand-in's DIB surfaces.
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

} // namespace host

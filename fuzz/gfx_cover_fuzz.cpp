// Random scenes of strokes, fills, texts, clips and transforms drawn by the
// Cairo backend in several sessions on two surfaces: one keeps the coverage
// of repeated calls, the other draws every call with Cairo. After every
// session the two agree within the picture check's 4 levels of each
// premultiplied channel (a kept call rounds a level apart, and calls kept
// over one another add theirs up); a difference prints the session, the
// pixel and both values and aborts.
#include "platform/gfx.h"
#include "platform/gfx_detail.h"
#include "platform/gfx_surface.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace gfx;

constexpr int kWidth = 72, kHeight = 56, kSessions = 4, kTolerance = 4;

float coordinate(FuzzedDataProvider& in) {
    return in.ConsumeFloatingPointInRange(-20.0f, 90.0f);
}

Argb color(FuzzedDataProvider& in) {
    const Argb rgb = in.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    return (in.ConsumeBool() ? 0xFF000000u : static_cast<Argb>(in.ConsumeIntegral<uint8_t>()) << 24) | rgb;
}

Matrix transform(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return Matrix{};
    case 1: // stretched more along one axis than the other
        return Matrix{in.ConsumeFloatingPointInRange(0.1f, 16.0f),
                      0,
                      0,
                      in.ConsumeFloatingPointInRange(0.1f, 16.0f),
                      coordinate(in),
                      coordinate(in)};
    case 2:
        return matrix_multiply(Matrix{in.ConsumeFloatingPointInRange(0.2f, 8.0f), 0, 0,
                                      in.ConsumeFloatingPointInRange(0.2f, 8.0f), coordinate(in),
                                      coordinate(in)},
                               matrix_rotation(in.ConsumeFloatingPointInRange(-180.0f, 180.0f)));
    default: // sheared or mirrored
        return Matrix{in.ConsumeFloatingPointInRange(-4.0f, 4.0f),
                      in.ConsumeFloatingPointInRange(-4.0f, 4.0f),
                      in.ConsumeFloatingPointInRange(-4.0f, 4.0f),
                      in.ConsumeFloatingPointInRange(-4.0f, 4.0f),
                      coordinate(in),
                      coordinate(in)};
    }
}

Pen pen(FuzzedDataProvider& in) {
    Pen p(color(in), in.ConsumeFloatingPointInRange(0.0f, 8.0f));
    p.dash_style = static_cast<DashStyle>(in.ConsumeIntegralInRange(0, 4));
    if (in.ConsumeIntegralInRange(0, 5) == 0)
        p.end_cap = static_cast<LineCap>(in.ConsumeIntegralInRange(0, 3));
    return p;
}

// One call of the scene; `shift` moves it (for the calls that change from
// session to session).
void draw(Graphics& g, FuzzedDataProvider& in, float shift) {
    const float x = coordinate(in) + shift, y = coordinate(in);
    const float w = in.ConsumeFloatingPointInRange(0.0f, 60.0f),
                h = in.ConsumeFloatingPointInRange(0.0f, 60.0f);
    switch (in.ConsumeIntegralInRange(0, 11)) {
    case 0:
        g.draw_line(pen(in), x, y, x + w - 30, y + h - 30);
        break;
    case 1: {
        const PointF points[4] = {{x, y}, {x + w, y + 3}, {x + 5, y + h}, {coordinate(in), coordinate(in)}};
        g.draw_lines(pen(in), points);
        break;
    }
    case 2:
        g.draw_ellipse(pen(in), x, y, w, h);
        break;
    case 3:
        g.draw_rectangle(pen(in), x, y, w, h);
        break;
    case 4:
        g.fill_rectangle(SolidBrush(color(in)), x, y, w, h);
        break;
    case 5: {
        const PointF points[3] = {{x, y}, {x + w, y + 2}, {x + 4, y + h}};
        g.fill_polygon(SolidBrush(color(in)), points,
                       in.ConsumeBool() ? FillMode::Winding : FillMode::Alternate);
        break;
    }
    case 6:
        g.fill_ellipse(SolidBrush(color(in)), x, y, w, h);
        break;
    case 7: {
        static const char* const kTexts[] = {"W7A/1", "AV.88", "N", "FL350", "-12", "ij"};
        const Font font(FontFamily("Arial"), in.ConsumeFloatingPointInRange(4.0f, 24.0f),
                        static_cast<FontStyle>(in.ConsumeIntegralInRange(0, 3)));
        g.draw_string(kTexts[in.ConsumeIntegralInRange(0, 5)], font, SolidBrush(color(in)), PointF{x, y});
        break;
    }
    case 8:
        g.set_clip_rect(x, y, w, h);
        break;
    case 9: {
        GraphicsPath round;
        round.add_ellipse(x, y, w, h);
        g.set_clip_path(round);
        break;
    }
    case 10:
        g.reset_clip();
        break;
    default:
        g.set_transform(transform(in));
        g.set_smoothing_mode(in.ConsumeBool() ? SmoothingMode::AntiAlias : SmoothingMode::None);
        g.set_text_rendering_hint(in.ConsumeBool() ? TextRenderingHint::AntiAlias
                                                   : TextRenderingHint::SingleBitPerPixel);
        g.set_pixel_offset_mode(in.ConsumeBool() ? PixelOffsetMode::Half : PixelOffsetMode::Default);
        break;
    }
}

int channel(Argb p, int shift) {
    const int alpha = static_cast<int>(p >> 24);
    return shift == 24 ? alpha : (static_cast<int>((p >> shift) & 0xFF) * alpha + 127) / 255;
}

struct Startup {
    Startup() { startup(&token); }
    uint32_t token = 0;
};

} // namespace

// fontconfig keeps its configuration for the life of the process, as the
// suite's own runs know (tests/lsan.supp).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Startup started;
    if (size < 4) return 0;
    void* surfaces[2] = {create_surface_dc(kWidth, kHeight, SurfaceCairo),
                         create_surface_dc(kWidth, kHeight, SurfaceCairo)};
    const Argb background = (data[0] & 1) ? 0xFF000000u : 0x00000000u;
    for (int session = 0; session < kSessions; ++session) {
        for (int kept = 1; kept >= 0; --kept) {
            gfx::detail::set_coverage_cache(kept == 1);
            FuzzedDataProvider in(data + 1, size - 1);
            Graphics g(surfaces[kept]);
            g.clear(background);
            for (int call = 0; call < 40 && in.remaining_bytes() > 0; ++call) {
                // About one call in eight moves from session to session.
                const float shift = in.ConsumeIntegralInRange(0, 7) == 0 ? 1.3f * session : 0.0f;
                draw(g, in, shift);
            }
        }
        gfx::detail::set_coverage_cache(true);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Argb a = surface_pixel(surfaces[1], x, y), b = surface_pixel(surfaces[0], x, y);
                for (int shift = 0; shift < 32; shift += 8)
                    if (std::abs(channel(a, shift) - channel(b, shift)) > kTolerance) {
                        std::fprintf(stderr, "session %d, pixel %d,%d: %08x with coverage kept, %08x drawn\n",
                                     session, x, y, a, b);
                        std::abort();
                    }
            }
    }
    for (void* s : surfaces)
        destroy_surface_dc(s);
    return 0;
}

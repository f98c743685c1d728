// The largest difference of a premultiplied channel between two surfaces of
// one size: what Cairo's compositing rounds in (a level there is many once
// divided by a small alpha).
#pragma once

#include "platform/gfx_surface.h"

#include <algorithm>
#include <cstdlib>

inline int worst_level(const void* a, const void* b) {
    auto premultiplied = [](gfx::Argb p, int shift) {
        const int alpha = static_cast<int>(p >> 24), c = static_cast<int>((p >> shift) & 0xFF);
        return shift == 24 ? alpha : (c * alpha + 127) / 255;
    };
    int worst = 0;
    for (int y = 0; y < gfx::surface_height(a); ++y)
        for (int x = 0; x < gfx::surface_width(a); ++x) {
            const gfx::Argb p = gfx::surface_pixel(a, x, y), q = gfx::surface_pixel(b, x, y);
            for (int shift = 0; shift < 32; shift += 8)
                worst = std::max(worst, std::abs(premultiplied(p, shift) - premultiplied(q, shift)));
        }
    return worst;
}

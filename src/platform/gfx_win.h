// Inside the Windows drawing layer: GDI+'s flat interface and the helpers the
// Graphics and font files share. Only gfx_*_win.cpp include it.
#pragma once

#include "platform/gfx.h"

#include <windows.h>
// GDI+'s headers use min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <string>
#include <string_view>

namespace gfx::win {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

inline Status status_of(gp::GpStatus s) {
    return static_cast<Status>(static_cast<int32_t>(s));
}

// Windows-1252 text widened through the ANSI code page, up to its first NUL
// (the drawing calls take terminated wide text).
std::wstring widen(std::string_view text);

// The GDI+ family behind a family name (owned by the cache, which is emptied
// when the last start-up token is shut down); null when GDI+ has none.
gp::GpFontFamily* font_family(const std::string& name);
// The GDI+ font for a font (owned by the same cache), or null with the status.
gp::GpFont* gdip_font(const Font& font, gp::GpStatus* status);
void release_font_families();

} // namespace gfx::win

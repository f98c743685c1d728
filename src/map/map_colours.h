// The fixed colours of the map displays and their symbols (ARGB).
#pragma once

#include "platform/gfx_types.h"

namespace map_colour {
inline constexpr gfx::Argb white = 0xFFDEE6E9;
inline constexpr gfx::Argb amber = 0xFFE9B73E;
inline constexpr gfx::Argb magenta = 0xFFFF13D5;
inline constexpr gfx::Argb green = 0xFF00FA00;
inline constexpr gfx::Argb cyan = 0xFF18C2E7;
inline constexpr gfx::Argb blue = 0xFF02A7EB; // "map cyan" on the HW displays
inline constexpr gfx::Argb light_green = 0xFF5BE5A7;
inline constexpr gfx::Argb symbol_cyan = 0xFF00E6E9;
inline constexpr gfx::Argb grey = 0xFFC0C0C0;
inline constexpr gfx::Argb red = 0xFFC90101;
inline constexpr gfx::Argb yellow = 0xFFFFFF00;
inline constexpr gfx::Argb olive = 0xFF979700;
inline constexpr gfx::Argb black = 0xFF000000;
} // namespace map_colour

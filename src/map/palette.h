// The colours the displays and control units share (ARGB), each value
// defined here once. A colour only one display draws may stay with it.
#pragma once

#include "platform/gfx_types.h"

namespace palette {
inline constexpr gfx::Argb white = 0xFFDEE6E9;
inline constexpr gfx::Argb amber = 0xFFE9B73E;
inline constexpr gfx::Argb magenta = 0xFFFF13D5;
inline constexpr gfx::Argb green = 0xFF00FA00;
inline constexpr gfx::Argb deep_green = 0xFF25C817; // EFS50 symbols, holds, bugs
inline constexpr gfx::Argb cyan = 0xFF18C2E7;
inline constexpr gfx::Argb blue = 0xFF02A7EB; // "map cyan" on the HW displays
inline constexpr gfx::Argb light_green = 0xFF5BE5A7;
inline constexpr gfx::Argb symbol_cyan = 0xFF00E6E9;
inline constexpr gfx::Argb grey = 0xFFC0C0C0;
inline constexpr gfx::Argb red = 0xFFC90101;        // map symbols
inline constexpr gfx::Argb bright_red = 0xFFFF0000; // warnings and limits
inline constexpr gfx::Argb yellow = 0xFFFFFF00;
inline constexpr gfx::Argb pale_yellow = 0xFFE3CF8A;
inline constexpr gfx::Argb olive = 0xFF979700;
inline constexpr gfx::Argb black = 0xFF000000;
} // namespace palette

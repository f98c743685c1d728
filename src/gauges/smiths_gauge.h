// The two SMITHS_FMS gauges: bezel, screen with its drawing surface, EXEC and
// MSG lamps. Both callbacks share the unit's state; they differ only in the
// "GPSSynch" parameter, which SMITHS_FMS reads as a setting.
#pragma once

// Elements counted down the gauge's element list from the bezel.
inline constexpr int kSmithsScreenElement = 1;
inline constexpr int kSmithsExecLamp = 2;
inline constexpr int kSmithsMsgLamp = 3;

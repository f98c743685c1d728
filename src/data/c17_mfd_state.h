// The C17_MFD units: one display object serves up to four placements, so
// each unit's state is kept in a saved record and swapped into the current
// variables around its draw.
#pragma once

#include <cstdint>

// C17_MFD formats; 2, 7 and 8 have no painter.
inline constexpr uint32_t kC17FormatHsi = 0;
inline constexpr uint32_t kC17FormatPfd = 1;
inline constexpr uint32_t kC17FormatBlank = 2;
inline constexpr uint32_t kC17FormatMapWideArc = 3;
inline constexpr uint32_t kC17FormatMapArc = 4;   // smaller, the aircraft lower
inline constexpr uint32_t kC17FormatMapBelow = 5; // the aircraft near the top, the map below
inline constexpr uint32_t kC17FormatPlan = 6;
inline constexpr uint32_t kC17FormatThrust = 9;
inline constexpr uint32_t kC17FormatEpr = 10;
inline constexpr uint32_t kC17FormatOilFuel = 11;
inline constexpr uint32_t kC17FormatConfiguration = 12;

struct C17MfdInstance {
    uint32_t format = kC17FormatPfd;
    uint32_t map_scale = 3;                    // 3, 4, 5
    uint32_t engine_format = kC17FormatThrust; // the engine formats
    uint32_t nav_format = kC17FormatHsi;       // the HSI, the maps and the plan
};

// Units 1..4 (entry 0 unused): each starts on its own format.
inline C17MfdInstance c17_mfd_units[5] = {
    {}, {kC17FormatPfd}, {kC17FormatMapWideArc}, {kC17FormatThrust}, {kC17FormatEpr}};

// The current record: what the painters, click spots and panel buttons use.
inline uint32_t c17_mfd_format = kC17FormatPfd;
inline uint32_t c17_mfd_map_scale = 3;
inline uint32_t c17_mfd_engine_format = kC17FormatThrust;
inline uint32_t c17_mfd_nav_format = kC17FormatHsi;
// The unit (1..4) whose record the current variables hold: the one drawn
// last; 0 before any unit was drawn.
inline uint32_t c17_mfd_current_unit = 0;

// Writes the current record back into its unit, so that a change made
// between two draws (a format key) outlives the next draw's load.
inline void save_c17_current_unit() {
    if (c17_mfd_current_unit < 1 || c17_mfd_current_unit > 4) return;
    c17_mfd_units[c17_mfd_current_unit] =
        C17MfdInstance{c17_mfd_format, c17_mfd_map_scale, c17_mfd_engine_format, c17_mfd_nav_format};
}

// Makes unit (1..4) the current record, loading its saved state; any other
// number leaves the current record as it is.
inline void load_c17_unit(uint32_t unit) {
    if (unit < 1 || unit > 4) return;
    const C17MfdInstance& u = c17_mfd_units[unit];
    c17_mfd_format = u.format;
    c17_mfd_map_scale = u.map_scale;
    c17_mfd_engine_format = u.engine_format;
    c17_mfd_nav_format = u.nav_format;
    c17_mfd_current_unit = unit;
}

// Compass geometry of the format being drawn, in design units of the
// 246 x 241 canvas: the render pass sets it per format and the painters draw
// about the centre.
struct C17CompassCentre {
    int32_t x = 122;
    int32_t y = 178;
};
inline int32_t c17_compass_radius = 172;
inline C17CompassCentre c17_compass_centre;

// Map options the C17_MFCP flips: the route on the plan format and the
// overlay of map format 3 (1 = shown).
inline int c17_plan_route_on = 1;
inline int c17_map3_overlay_on = 1;

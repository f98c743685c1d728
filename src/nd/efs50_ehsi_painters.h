// The painters of the EFS50_EHSI (266 x 230 design canvas) and of the
// EFS50_TCAS overlay, called by their render passes by format.
#pragma once

#include "map/palette.h"
#include "map/symbol_painter.h"
#include "platform/gfx_types.h"

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
}

// Design units that stand for the full range: 50 in formats 1 to 3, 95 in
// formats 4 to 7; the render pass writes it before the painters run.
inline double efs50_ehsi_range_base = 50.0;

// Formats 1 to 3: rose, heading bug, vertical deviation, HSI or map pieces.
void draw_efs50_ehsi_compass_map(const DisplayObject& d, gfx::Graphics& g, double ppn);
// Formats 4 to 7: arc, range ring, pointers, course arrow, map layers.
void draw_efs50_ehsi_arc_map(const DisplayObject& d, gfx::Graphics& g);
// Formats 1 to 3, after the fields: the lateral deviation scale.
void draw_efs50_ehsi_deviation_scale(const DisplayObject& d, gfx::Graphics& g);
// Formats 1 to 7: the texts and small symbols along the edges.
void draw_efs50_ehsi_data_fields(const DisplayObject& d, gfx::Graphics& g);
// Map formats with the FMS source: the active route.
void draw_efs50_ehsi_clipped_overlay(const DisplayObject& d, gfx::Graphics& g, double ppn);
// The traffic rings; on_tcas_overlay moves the range label for EFS50_TCAS.
void draw_efs50_range_arc(const DisplayObject& d, gfx::Graphics& g, bool on_tcas_overlay);

// Values shared by the painters.
// Relative angle of a bearing pointer for its source (1 radio, 2 TO
// waypoint, 3 ADF 1); false when its signal or route is missing.
bool efs50_pointer_angle(int source, bool nav1, double* angle);
// Cross-track distance (NM) negated right of the leg; false
// without an active leg.
bool efs50_cross_track(double* signed_nm);

// TO (true) or FROM for the selected source; false when neither a NAV 1
// signal (radio source) nor an active route gives one.
bool efs50_to_from(bool* to);

// The data fields' column by the wrapped distance text's length, and the
// time to go ("h:mm") of a number of minutes.
int efs50_distance_column(int length);
std::string efs50_time_to_go_text(double minutes);

// The route's symbol kind by waypoint type: 4 VOR and NDB, 5 APT, 20 others.
MapSymbol efs50_route_symbol_kind(const std::string& type);

namespace efs50_colour {
inline constexpr gfx::Argb green = palette::deep_green;
inline constexpr gfx::Argb magenta = palette::magenta;
inline constexpr gfx::Argb red = palette::bright_red;
} // namespace efs50_colour

// The own-aircraft outline of every format, an open polyline.
inline constexpr gfx::Point efs50_aircraft_outline[] = {
    {0, -12}, {2, -8},  {2, -3},  {12, 3}, {12, 5}, {5, 3},   {2, 3},   {2, -3},  {2, 13},  {2, 13},
    {5, 16},  {5, 18},  {1, 16},  {2, 13}, {1, 16}, {0, 17},  {-1, 16}, {-2, 13}, {-1, 16}, {-5, 18},
    {-5, 16}, {-2, 13}, {-2, -3}, {-2, 3}, {-5, 3}, {-12, 5}, {-12, 3}, {-2, -3}, {-2, -8}, {0, -12}};

// The nearby-record layers of the map displays: navaids, airway fixes and
// airports near the map, each drawn with its identifier. Each display's
// render pass calls its members once per frame, navaids first, while the
// display's filter flag is 1 and its range is within the member's gate;
// each member keeps the shared nearby lists current around its refresh
// point. Members of a display object take it first (its element size); ppn
// is design units per NM; w and s are the split-scale factors a render pass
// hands over; lat, lon and heading the map's reference and up direction.
#pragma once

struct DisplayObject;
namespace gfx {
class Graphics;
}

// HW_B737_ND (244 x 302): about (122, 249), or (122, 171) in modes 6 and 7;
// north up about the plan waypoint in PLAN (mode 7).
void draw_near_navaids_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airports_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airway_fixes_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

// HW_MD11_ND (240 x 258): about its centre globals; north up about the plan
// waypoint in PLAN (mode 2).
void draw_near_navaids_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airports_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airway_fixes_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

// MD80_EHSI_NB (266 x 232): about its compass centre.
void draw_near_navaids_md80_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airports_md80_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airway_fixes_md80_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

// PROLINE4_MFD (247 x 285): in its map frame about the map centre (which
// they set), from the given position; VORs while its navaid flag is 1, NDBs
// while its NDB flag is.
void draw_near_navaids_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics, double lat,
                                    double lon, double ppn);
void draw_near_airports_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics, double lat,
                                     double lon, double ppn);
void draw_near_airway_fixes_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics, double lat,
                                         double lon, double ppn);

// DU_1000_EHSI: in the render pass's frame and scales; VORs while vor_flag
// is 1, NDBs while ndb_flag is; everything magenta.
void draw_near_navaids_du_1000_ehsi(gfx::Graphics& graphics, double lat, double lon, double ppn, double w,
                                    double s, double range, double heading, int vor_flag, int ndb_flag);
void draw_near_airports_du_1000_ehsi(gfx::Graphics& graphics, double lat, double lon, double ppn, double w,
                                     double s, double range, double heading);
void draw_near_airway_fixes_du_1000_ehsi(gfx::Graphics& graphics, double lat, double lon, double ppn,
                                         double w, double s, double range, double heading);

// C17_MFD: in the split-scale frame its map routine has translated to the
// map centre, from the map's reference (lat, lon) turned by its up direction
// (heading); the lists are kept current around the aircraft.
void draw_near_navaids_c17_mfd(gfx::Graphics& graphics, double w, double s, double lat, double lon,
                               double heading, double ppn);
void draw_near_airway_fixes_c17_mfd(gfx::Graphics& graphics, double w, double s, double lat, double lon,
                                    double heading, double ppn);

// P1000_MFD (272 x 314): set their own half-scale frame and restore the
// display's scale on return. The navaid layer works out its own units per
// NM from the map radius and range; the airport layer takes ppn.
void draw_near_navaids_p1000_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airports_p1000_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

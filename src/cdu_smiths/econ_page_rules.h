// What the ECON CLB, CRZ and PATH DES pages share: the cruise-altitude,
// target-speed and speed-restriction entries (which keep the executed values
// for ERASE), ERASE and the way to RTA PROGRESS (the key side), and the cruise
// altitude row, the prediction rows and the distances they show (the
// drawing side, which changes nothing).
#pragma once

#include <string>

struct CduPage;
struct RouteWaypoint;

// The targets of a climb or descent phase: its speed and Mach, and its
// speed restriction.
struct EconPhase {
    int& speed;
    double& mach;
    double& restriction_speed;
    double& restriction_altitude;
};

// Keys. Each does nothing while the scratchpad is empty and answers a refused
// entry with "INVALID ENTRY", keeping the scratchpad.
// "FL350", "350" or "35000": above 0 and below 99999, hundreds below 1000;
// no flight level above FL999.
void econ_enter_cruise_altitude();
// "SPD", "/MACH" or "SPD/MACH": 50..500 kt and Mach 0..4, on a phase's targets.
void econ_enter_target_speed(int& speed, double& mach);
// "SPD/ALT": three characters or more before the "/", at least 50 kt and
// 1000 ft.
void econ_enter_speed_restriction(double& speed, double& altitude);
// ERASE of a pending modification (route state 4); nothing otherwise.
void econ_erase();
// RTA PROGRESS: page 33, sub-page 2.
void econ_open_rta_progress();
// The keys the CLB and PATH DES pages share: L2 the target speed, L3 the
// restriction, R5 ERASE, R6 RTA PROGRESS. False for any other key.
bool econ_phase_key(int lsk, const EconPhase& phase);

// Drawing.
// The title, the page counter at (counter_x, counter_y).
void econ_title(CduPage& page, const char* title, float counter_x, float counter_y);
// L1 of CLB and CRZ: box prompts while no cruise altitude is set, else
// "FLnnn" above the transition altitude and feet at or below it.
void econ_cruise_altitude_row(CduPage& page);
// "SSS / AAAAA" of a speed restriction, drawn only while it is set.
void econ_speed_restriction_row(CduPage& page, double speed, double altitude);
// The phase's target speed and Mach (L2) and its speed restriction (L3).
void econ_speed_rows(CduPage& page, const EconPhase& phase);
// Large text ending near x 265 (x = 265 - 9 n).
void econ_text_right(CduPage& page, float y, const std::string& text);
// The ETA of a point `distance_nm` ahead, then `tail` formatted with the
// distance: "HHMM.TZ / 12.3" with the tail " / %.1f".
std::string econ_eta_row(double distance_nm, const char* tail);

// The vertical target of the active plan (the E/D waypoint after the T/D).
const RouteWaypoint& econ_target_waypoint();
// The last fix the active route flies to (not a destination still to be
// entered); nullptr when it has none.
const RouteWaypoint* econ_route_end();
// Whether the route has a T/D: one that ends at a fix without an altitude
// has none, and its point reads 0N 0E.
bool econ_has_tod();
// Great-circle distance from the aircraft, NM.
double econ_distance_from_aircraft(double lat, double lon);
// Along the legs from the aircraft to the profile's T/D (0 once past it).
double econ_distance_to_tod();
// Along the legs from the aircraft to the vertical target, as the profile
// measures its entries.
double econ_distance_to_target();

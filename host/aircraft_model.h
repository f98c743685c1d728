// The stand-in's aircraft: not a flight model, only enough motion for the
// module to fly a route closed-loop. It moves on a sphere from true heading,
// true airspeed and wind, turns toward the heading bug at standard rate (bank
// limited to 25 degrees), climbs or descends to the autopilot altitude at the
// autopilot vertical speed, holds the autopilot airspeed or Mach, burns fuel
// and keeps the clock. It answers the key events the module sends. On the
// ground it stands as a parked aircraft does: gear down, no turn while it
// does not move, never below the ground.
//
// Conventions as the module reads them: true = magnetic + magvar (east
// positive), bank below 0 is a right turn, pitch positive is nose down.
#pragma once

#include <cstdint>
#include <optional>

namespace host {

// The module's frame rate: it assumes 18 passes a second.
inline constexpr double FRAMES_PER_SECOND = 18.0;

struct EngineState {
    double n1_pct = 0.0;
    double n2_pct = 0.0;
    double egt_c = 15.0;
    double oil_temp_c = 15.0;
    double oil_pressure_psi = 0.0;
    double oil_quantity_qt = 0.0;
    double fuel_flow_pph = 0.0; // pounds per hour
    // Thrust lever as the simulator gives it: 0 idle, 16383 full forward,
    // below 0 in reverse. It follows the power of the flight phase unless a
    // script holds it; then N1 follows the lever (reverse spools up too).
    double lever = 0.0;
    bool lever_held = false;
    // Readings a script holds instead of the model's own.
    std::optional<double> held_n2_pct;
    std::optional<double> held_oil_pressure_psi;
    std::optional<double> held_oil_temp_c;
    std::optional<double> held_oil_quantity_qt;
    std::optional<double> held_thrust; // the raw engine thrust value
};

// N1 at idle and at full lever, and the lever of an N1 in between.
inline constexpr double IDLE_N1_PCT = 25.0;
inline constexpr double FULL_N1_PCT = 100.0;
double n1_for_lever(double lever);
double lever_for_n1(double n1_pct);

// The landing gear: held up or down by a script, or worked as a pilot works
// it (auto): down on the ground and below GEAR_DOWN_HEIGHT_FT unless
// climbing away from the ground, up after take-off and above that height.
enum class GearMode { Auto, Up, Down };
inline constexpr double GEAR_UP_HEIGHT_FT = 50.0;
inline constexpr double GEAR_DOWN_HEIGHT_FT = 1500.0;

struct AircraftModel {
    // Position and motion.
    double lat_deg = 0.0;
    double lon_deg = 0.0;
    double true_heading_deg = 0.0;
    double altitude_ft = 0.0; // above sea level
    double ground_elevation_ft = 0.0;
    bool ground_held = false; // a script set the ground: the airports of the data do not move it
    double ias_kt = 0.0;
    double vertical_speed_fpm = 0.0;
    double turn_rate_dps = 0.0; // positive turning right
    double bank_deg = 0.0;
    double pitch_deg = 0.0;
    double wind_from_deg = 0.0; // true
    double wind_speed_kt = 0.0;
    double sea_level_pressure_hpa = 1013.25;
    double altimeter_hpa = 1013.25;
    double magvar_deg = 0.0;
    GearMode gear_mode = GearMode::Auto;

    // Autopilot: modes act only while the master is on.
    bool ap_master = false;
    bool ap_heading_hold = false;
    bool ap_nav_hold = false;
    bool ap_altitude_hold = false;
    bool ap_airspeed_hold = false;
    bool ap_mach_hold = false;
    bool autothrottle = false;
    double ap_heading_bug_deg = 0.0; // magnetic
    double ap_altitude_ft = 0.0;
    double ap_vertical_speed_fpm = 0.0;
    double ap_airspeed_kt = 0.0;
    double ap_mach = 0.0;

    // Radios and settings.
    double nav1_course_deg = 0.0;
    uint32_t nav1_frequency_bcd = 0x1080; // 110.80 MHz
    uint32_t adf_frequency_bcd = 0x0350;  // 350 kHz
    double decision_height_ft = 200.0;

    // Engines and fuel.
    int engine_count = 2;
    EngineState engines[4];
    double fuel_lb = 0.0;
    double fuel_lb_per_gallon = 6.7;

    // Time: simulation seconds since start and the UTC clock.
    bool paused = false;
    double sim_rate = 1.0;
    double sim_time_s = 0.0;
    double zulu_seconds = 12.0 * 3600.0;
    int32_t day_of_year = 172;
    int32_t year = 2004;
    double local_offset_hours = 0.0;
};

// ISA air data at the model's altitude.
double isa_temperature_c(double altitude_ft);
double true_airspeed_kt(const AircraftModel& model);
double mach_number(const AircraftModel& model);
// The indicated airspeed that gives the Mach number at the model's altitude.
double ias_for_mach(const AircraftModel& model, double mach);

double magnetic_heading_deg(const AircraftModel& model);
double indicated_altitude_ft(const AircraftModel& model);
// Within a foot of the ground (or below it): the simulator's on-ground flag.
bool on_ground(const AircraftModel& model);
// Whether the gear is down now (the simulator moves it at once).
bool gear_down(const AircraftModel& model);
// Ground track and speed from true heading, true airspeed and wind; on the
// ground the wind does not move the aircraft.
void ground_vector(const AircraftModel& model, double* track_deg, double* speed_kt);

// The highest turn rate the model flies at its true airspeed: 3 deg/s, less
// where that would need more than 25 degrees of bank.
double max_turn_rate_dps(double tas_kt);

// Engines straight at the power of the present flight phase, as when the
// aircraft is placed in flight with its engines running.
void settle_engines(AircraftModel& model);

// Whole seconds of the UTC clock (frames add up to a second only within
// rounding, so the clock reads a second as complete at that point).
double clock_whole_seconds(const AircraftModel& model);

// One frame of real_seconds of wall-clock time, scaled by the simulation
// rate; nothing moves while paused. The magnetic variation is the caller's.
void step_aircraft(AircraftModel& model, double real_seconds);

// A simulator key event as the module means it. Returns false for an event
// the model does not know (it is then ignored).
bool apply_aircraft_key(AircraftModel& model, uint32_t event_id, uint32_t parameter);

// Point reached from (lat, lon) along the great circle with the initial true
// course after the distance in NM; longitude in [-180, 180). The course on
// arrival goes to out_course (when not null). At a pole "north" is along the
// meridian of `lon`, so a path over the pole goes on down the other side.
void move_on_sphere(double lat, double lon, double course_deg, double distance_nm, double* out_lat,
                    double* out_lon, double* out_course = nullptr);

} // namespace host

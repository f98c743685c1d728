#include "aircraft_model.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double EARTH_RADIUS_NM = 3437.7467707849396;
constexpr double G_FPS2 = 32.174;
constexpr double FPS_PER_KT = 1.68781;
constexpr double TROPOPAUSE_FT = 36089.0;
constexpr double STANDARD_RATE_DPS = 3.0;
constexpr double MAX_BANK_DEG = 25.0;
constexpr double SPEED_CHANGE_KT_PER_S = 2.0;
constexpr double N1_CHANGE_PCT_PER_S = 5.0;
constexpr double DECISION_HEIGHT_STEP_FT = 10.0;

double rad(double deg) {
    return deg * PI / 180.0;
}
double deg(double rad) {
    return rad * 180.0 / PI;
}

double wrap360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// Into (-180, 180].
double wrap180(double a) {
    a = wrap360(a);
    return a > 180.0 ? a - 360.0 : a;
}

double approach(double value, double target, double max_step) {
    if (value < target) return std::min(value + max_step, target);
    return std::max(value - max_step, target);
}

double isa_temperature_k(double altitude_ft) {
    return 288.15 - 0.0019812 * std::min(altitude_ft, TROPOPAUSE_FT);
}

double density_ratio(double altitude_ft) {
    if (altitude_ft < TROPOPAUSE_FT) return std::pow(isa_temperature_k(altitude_ft) / 288.15, 4.25588);
    return 0.29707 * std::exp(-(altitude_ft - TROPOPAUSE_FT) / 20805.7);
}

double speed_of_sound_kt(double altitude_ft) {
    return 38.967854 * std::sqrt(isa_temperature_k(altitude_ft));
}

void step_heading(AircraftModel& m, double dt) {
    double rate = 0.0;
    // Standing still on its wheels an aircraft cannot turn.
    const bool standing = on_ground(m) && true_airspeed_kt(m) <= 0.0;
    if (m.ap_master && m.ap_heading_hold && dt > 0.0 && !standing) {
        double target = m.ap_heading_bug_deg + m.magvar_deg;
        double max_rate = max_turn_rate_dps(true_airspeed_kt(m));
        rate = std::clamp(wrap180(target - m.true_heading_deg) / dt, -max_rate, max_rate);
    }
    m.true_heading_deg = wrap360(m.true_heading_deg + rate * dt);
    m.turn_rate_dps = rate;
    // The bank of a coordinated turn at this rate; right turns bank below 0.
    double tas_fps = true_airspeed_kt(m) * FPS_PER_KT;
    double bank = deg(std::atan(std::fabs(rad(rate)) * tas_fps / G_FPS2));
    m.bank_deg = rate > 0.0 ? -bank : bank;
    if (rate == 0.0) m.bank_deg = 0.0;
}

// Toward the autopilot altitude at the size of the autopilot vertical speed,
// levelling exactly on it; level flight without altitude hold.
void step_altitude(AircraftModel& m, double dt) {
    double vs = 0.0;
    if (m.ap_master && m.ap_altitude_hold && dt > 0.0) {
        double to_go = m.ap_altitude_ft - m.altitude_ft;
        double climb = std::min(std::fabs(m.ap_vertical_speed_fpm) * dt / 60.0, std::fabs(to_go));
        m.altitude_ft += to_go < 0.0 ? -climb : climb;
        vs = (to_go < 0.0 ? -climb : climb) * 60.0 / dt;
    }
    m.vertical_speed_fpm = vs;
    double tas_fpm = true_airspeed_kt(m) * FPS_PER_KT * 60.0;
    m.pitch_deg = tas_fpm > 0.0 ? -deg(std::atan(vs / tas_fpm)) : 0.0;
}

void step_speed(AircraftModel& m, double dt) {
    double target = m.ias_kt;
    if (m.ap_master && m.ap_airspeed_hold)
        target = m.ap_airspeed_kt;
    else if (m.ap_master && m.ap_mach_hold)
        target = ias_for_mach(m, m.ap_mach);
    m.ias_kt = approach(m.ias_kt, target, SPEED_CHANGE_KT_PER_S * dt);
}

// Plausible engine readings from the flight phase: climb power, idle in the
// descent, cruise power rising with speed. No fuel, no engine.
double target_n1(const AircraftModel& m) {
    if (m.fuel_lb <= 0.0) return 0.0;
    if (m.vertical_speed_fpm > 300.0) return 92.0;
    if (m.vertical_speed_fpm < -300.0) return 38.0;
    return std::clamp(60.0 + true_airspeed_kt(m) * 0.04, 60.0, 88.0);
}

// N1 spools toward its target (the flight phase's, or the held lever's);
// the other readings follow N1 unless a script holds them. A step of 0 s
// only derives the readings.
void step_engines(AircraftModel& m, double dt) {
    double target = target_n1(m);
    double burnt = 0.0;
    for (int i = 0; i < 4; ++i) {
        EngineState& e = m.engines[i];
        if (i >= m.engine_count) {
            // No engine there; what a script holds waits for one.
            EngineState off;
            off.lever_held = e.lever_held;
            off.lever = e.lever_held ? e.lever : 0.0;
            off.held_n2_pct = e.held_n2_pct;
            off.held_oil_pressure_psi = e.held_oil_pressure_psi;
            off.held_oil_temp_c = e.held_oil_temp_c;
            off.held_oil_quantity_qt = e.held_oil_quantity_qt;
            off.held_thrust = e.held_thrust;
            e = off;
            continue;
        }
        const double engine_target = e.lever_held && m.fuel_lb > 0.0 ? n1_for_lever(e.lever) : target;
        e.n1_pct = approach(e.n1_pct, engine_target, N1_CHANGE_PCT_PER_S * dt);
        if (!e.lever_held) e.lever = lever_for_n1(e.n1_pct);
        bool running = e.n1_pct > 15.0;
        e.n2_pct = e.held_n2_pct.value_or(running ? 45.0 + 0.55 * e.n1_pct : e.n1_pct);
        e.egt_c = running ? 300.0 + 3.5 * e.n1_pct : isa_temperature_c(m.altitude_ft);
        e.oil_temp_c =
            e.held_oil_temp_c.value_or(running ? 80.0 + 0.2 * e.n1_pct : isa_temperature_c(m.altitude_ft));
        e.oil_pressure_psi = e.held_oil_pressure_psi.value_or(running ? 60.0 + 0.6 * e.n1_pct : 0.0);
        e.oil_quantity_qt = e.held_oil_quantity_qt.value_or(16.0);
        e.fuel_flow_pph = running ? 30.0 * e.n1_pct : 0.0;
        burnt += e.fuel_flow_pph * dt / 3600.0;
    }
    m.fuel_lb = std::max(0.0, m.fuel_lb - burnt);
}

void step_position(AircraftModel& m, double dt) {
    double track = 0.0;
    double speed = 0.0;
    ground_vector(m, &track, &speed);
    if (speed <= 0.0) return; // standing: not even a rounding step
    double course = track;
    move_on_sphere(m.lat_deg, m.lon_deg, track, speed * dt / 3600.0, &m.lat_deg, &m.lon_deg, &course);
    // Flying straight, the heading turns with the track along the great
    // circle. Where that turn is one the aircraft can make within the step,
    // the heading is kept, as its heading hold keeps it; near a pole the
    // meridians turn faster (half round on a step past it), and a heading
    // kept there would circle the pole.
    const double turned = wrap180(course - track);
    if (std::fabs(turned) > max_turn_rate_dps(true_airspeed_kt(m)) * dt)
        m.true_heading_deg = wrap360(m.true_heading_deg + turned);
}

bool leap_year(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void step_clock(AircraftModel& m, double dt) {
    m.sim_time_s += dt;
    m.zulu_seconds += dt;
    while (m.zulu_seconds >= 86400.0) {
        m.zulu_seconds -= 86400.0;
        if (++m.day_of_year > (leap_year(m.year) ? 366 : 365)) {
            m.day_of_year = 1;
            ++m.year;
        }
    }
}

// Replaces one whole-unit part of the clock (hour or minute) keeping the rest.
void set_clock_part(AircraftModel& m, double unit_seconds, double modulus, uint32_t value) {
    double part = std::fmod(std::floor(m.zulu_seconds / unit_seconds), modulus);
    m.zulu_seconds += (std::fmod(value, modulus) - part) * unit_seconds;
}

} // namespace

double n1_for_lever(double lever) {
    return IDLE_N1_PCT + (FULL_N1_PCT - IDLE_N1_PCT) * std::min(std::fabs(lever), 16383.0) / 16383.0;
}

double lever_for_n1(double n1_pct) {
    return std::clamp((n1_pct - IDLE_N1_PCT) / (FULL_N1_PCT - IDLE_N1_PCT), 0.0, 1.0) * 16383.0;
}

void settle_engines(AircraftModel& m) {
    double target = target_n1(m);
    for (int i = 0; i < m.engine_count && i < 4; ++i) {
        EngineState& e = m.engines[i];
        e.n1_pct = e.lever_held && m.fuel_lb > 0.0 ? n1_for_lever(e.lever) : target;
    }
    step_engines(m, 0.0);
}

double clock_whole_seconds(const AircraftModel& m) {
    return std::floor(m.zulu_seconds + 1e-6);
}

double isa_temperature_c(double altitude_ft) {
    return isa_temperature_k(altitude_ft) - 273.15;
}

double true_airspeed_kt(const AircraftModel& m) {
    return m.ias_kt / std::sqrt(density_ratio(m.altitude_ft));
}

double mach_number(const AircraftModel& m) {
    return true_airspeed_kt(m) / speed_of_sound_kt(m.altitude_ft);
}

double ias_for_mach(const AircraftModel& m, double mach) {
    return mach * speed_of_sound_kt(m.altitude_ft) * std::sqrt(density_ratio(m.altitude_ft));
}

double magnetic_heading_deg(const AircraftModel& m) {
    return wrap360(m.true_heading_deg - m.magvar_deg);
}

// About 27 ft per hPa near sea level: the altimeter set above the actual
// sea-level pressure reads high.
double indicated_altitude_ft(const AircraftModel& m) {
    return m.altitude_ft + (m.altimeter_hpa - m.sea_level_pressure_hpa) * 27.3;
}

bool on_ground(const AircraftModel& m) {
    return m.altitude_ft - m.ground_elevation_ft < 1.0;
}

bool gear_down(const AircraftModel& m) {
    if (m.gear_mode != GearMode::Auto) return m.gear_mode == GearMode::Down;
    if (on_ground(m)) return true;
    const double height = m.altitude_ft - m.ground_elevation_ft;
    // Raised at a positive rate after take-off, lowered for the landing.
    if (height >= GEAR_UP_HEIGHT_FT && m.vertical_speed_fpm > 0.0) return false;
    return height < GEAR_DOWN_HEIGHT_FT;
}

void ground_vector(const AircraftModel& m, double* track_deg, double* speed_kt) {
    double tas = true_airspeed_kt(m);
    // The wind blows from wind_from_deg, so it pushes toward the opposite way;
    // the wheels on the ground hold against it.
    const double wind = on_ground(m) ? 0.0 : m.wind_speed_kt;
    double north = tas * std::cos(rad(m.true_heading_deg)) - wind * std::cos(rad(m.wind_from_deg));
    double east = tas * std::sin(rad(m.true_heading_deg)) - wind * std::sin(rad(m.wind_from_deg));
    *speed_kt = std::hypot(north, east);
    *track_deg = *speed_kt > 0.0 ? wrap360(deg(std::atan2(east, north))) : m.true_heading_deg;
}

double max_turn_rate_dps(double tas_kt) {
    double tas_fps = tas_kt * FPS_PER_KT;
    if (tas_fps <= 0.0) return STANDARD_RATE_DPS;
    return std::min(STANDARD_RATE_DPS, deg(G_FPS2 * std::tan(rad(MAX_BANK_DEG)) / tas_fps));
}

void step_aircraft(AircraftModel& m, double real_seconds) {
    if (m.paused || real_seconds <= 0.0) return;
    double dt = real_seconds * m.sim_rate;
    step_heading(m, dt);
    step_altitude(m, dt);
    step_speed(m, dt);
    step_position(m, dt);
    step_engines(m, dt);
    step_clock(m, dt);
}

bool apply_aircraft_key(AircraftModel& m, uint32_t event_id, uint32_t parameter) {
    // Signed values (a descent rate) come in two's complement.
    double signed_value = static_cast<int32_t>(parameter);
    switch (event_id) {
    case 0x101FA:
        m.ap_heading_bug_deg = std::fmod(parameter, 360.0);
        return true;
    case 0x1024C:
        m.ap_altitude_ft = signed_value;
        return true;
    case 0x101F4:
        m.ap_vertical_speed_fpm = signed_value;
        return true;
    case 0x101F5:
        m.ap_airspeed_kt = parameter;
        return true;
    case 0x101F6:
        m.ap_mach = parameter / 100.0;
        return true;
    case 0x1010F:
        m.ap_heading_hold = true;
        return true;
    case 0x10143:
        m.ap_airspeed_hold = false;
        return true;
    case 0x100B4:
        m.nav1_course_deg = std::fmod(parameter, 360.0);
        return true;
    case 0x100AC:
        // The radio keeps four BCD digits; the 1 of 1xx.xx MHz is implied.
        m.nav1_frequency_bcd = parameter & 0xFFFF;
        return true;
    case 0x100B2:
        m.adf_frequency_bcd = parameter;
        return true;
    case 0x10019:
        m.paused = !m.paused;
        return true;
    case 0x100FD:
        m.sim_rate = std::min(m.sim_rate * 2.0, 128.0);
        return true;
    case 0x100FE:
        m.sim_rate = std::max(m.sim_rate / 2.0, 0.25);
        return true;
    case 0x10311:
        m.decision_height_ft += DECISION_HEIGHT_STEP_FT;
        return true;
    case 0x10312:
        m.decision_height_ft = std::max(0.0, m.decision_height_ft - DECISION_HEIGHT_STEP_FT);
        return true;
    case 0x10030:
        m.altimeter_hpa = m.sea_level_pressure_hpa;
        return true;
    case 0x1021B:
        set_clock_part(m, 3600.0, 24.0, parameter);
        return true;
    case 0x1021C:
        set_clock_part(m, 60.0, 60.0, parameter);
        return true;
    default:
        return false;
    }
}

namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 operator*(double k, const Vec3& v) {
    return {k * v.x, k * v.y, k * v.z};
}
Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The local north and east unit vectors; at a pole they follow the meridian
// of `lon`.
void local_axes(double phi, double lambda, Vec3& north, Vec3& east) {
    north = {-std::sin(phi) * std::cos(lambda), -std::sin(phi) * std::sin(lambda), std::cos(phi)};
    east = {-std::sin(lambda), std::cos(lambda), 0.0};
}

} // namespace

void move_on_sphere(double lat, double lon, double course_deg, double distance_nm, double* out_lat,
                    double* out_lon, double* out_course) {
    // In vectors: the point and its direction of travel turn together by
    // the angle d in their common plane.
    const double d = distance_nm / EARTH_RADIUS_NM;
    const double phi = rad(lat), lambda = rad(lon), theta = rad(course_deg);
    Vec3 north, east;
    local_axes(phi, lambda, north, east);
    const Vec3 p{std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
    const Vec3 t = std::cos(theta) * north + std::sin(theta) * east;
    const Vec3 p2 = std::cos(d) * p + std::sin(d) * t;
    const Vec3 t2 = (-std::sin(d)) * p + std::cos(d) * t;
    const double phi2 = std::asin(std::clamp(p2.z, -1.0, 1.0));
    // Exactly on a pole the longitude stays that of the meridian flown.
    const double lambda2 = std::hypot(p2.x, p2.y) > 1e-15 ? std::atan2(p2.y, p2.x) : lambda;
    *out_lat = deg(phi2);
    double lon2 = std::fmod(deg(lambda2) + 540.0, 360.0);
    if (lon2 < 0.0) lon2 += 360.0;
    *out_lon = lon2 - 180.0;
    if (out_course != nullptr) {
        local_axes(phi2, lambda2, north, east);
        *out_course = wrap360(deg(std::atan2(dot(t2, east), dot(t2, north))));
    }
}

} // namespace host

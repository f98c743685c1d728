#include "aircraft_store.h"

#include "sim_state.h"

#include <cmath>
#include <string>

namespace host {

namespace {

struct AircraftSlot {
    AircraftModel model;
    bool active = false;
    std::size_t keys_applied = 0; // events of the store's log already applied
    MagvarSource magvar_source = nullptr;
    GroundSource ground_source = nullptr;
    int gear_written = -1; // the gear position last written (1 down), -1 none
};

AircraftSlot& slot() {
    static AircraftSlot s;
    return s;
}

constexpr double FEET_PER_METRE = 3.2808399;
constexpr double FPS_PER_KT = 1.68781;

// Token numbers of the four engines' families.
constexpr uint32_t N1[4] = {626, 645, 664, 683};
constexpr uint32_t N2[4] = {625, 644, 663, 682};
constexpr uint32_t THRUST_LEVER[4] = {128, 163, 198, 233};
constexpr uint32_t EGT[4] = {567, 577, 587, 597};
constexpr uint32_t OIL_TEMP[4] = {561, 571, 581, 591};
constexpr uint32_t OIL_PRESSURE[4] = {562, 572, 582, 592};
constexpr uint32_t OIL_QUANTITY[4] = {149, 184, 219, 254};
constexpr uint32_t FUEL_FLOW[4] = {421, 460, 499, 538};
constexpr uint32_t FUEL_FLOW_ALTERNATE[4] = {638, 657, 676, 695};
constexpr uint32_t ENGINE_N2_DISPLAY[4] = {627, 646, 665, 684};
constexpr uint32_t ENGINE_THRUST[4] = {633, 652, 671, 690};
constexpr uint32_t ENGINE_OIL_PAGE[4] = {630, 649, 668, 687};
constexpr uint32_t ENGINE_TEMP_2[4] = {631, 650, 669, 688};

void seed_token(uint32_t id, double value) {
    if (find_token(id) == nullptr) set_token(id, value);
}

void seed_code(uint32_t id, uint32_t code) {
    if (find_token(id) == nullptr) set_token_code(id, code);
}

void seed_calc(const std::string& name, double value) {
    if (find_calc(name) == nullptr) set_calc_number(name, value);
}

void seed_text(const std::string& name, const std::string& text) {
    if (find_calc(name) == nullptr) set_calc_text(name, text);
}

void seed_aircraft_var(uint32_t code, double value) {
    const auto& vars = sim_state().aircraft_vars;
    if (vars.find({code, 0}) == vars.end()) set_aircraft_var(code, 0, value);
}

// The values the model does not move: no station received, clean
// configuration, radios on round frequencies.
void seed_store() {
    for (uint32_t id : {49u,  58u,  20u,  31u,  35u,  550u, 59u,  39u,  25u,  28u,  22u,  32u,  40u,  41u,
                        852u, 350u, 354u, 69u,  67u,  68u,  792u, 793u, 794u, 907u, 908u, 349u, 110u, 111u,
                        112u, 113u, 114u, 782u, 783u, 784u, 785u, 786u, 787u, 326u, 327u, 328u})
        seed_token(id, 0.0);
    seed_token(63, 340.0 * 128.0); // maximum operating speed, knots x 128
    seed_token(773, 1.0);          // display power
    seed_token(323, 1.0);
    seed_code(46, 0);
    seed_code(18, 0);
    seed_code(23, 0x1080);
    seed_code(27, 0x1130);
    seed_code(617, 0x1080);
    for (uint32_t id : {870u, 871u, 872u, 873u})
        seed_code(id, 0x1850);
    seed_code(38, 0);
    // Tank capacities in gallons: centre, two mains, two auxiliaries, two tips.
    seed_token(290, 4299.0);
    seed_token(292, 1499.0);
    seed_token(298, 1499.0);
    for (uint32_t id : {294u, 296u, 300u, 302u})
        seed_token(id, 0.0);
    seed_calc("(A:Design Speed VS0, knots)", 110.0);
    seed_calc("(A:Design Speed VS1, knots)", 125.0);
    seed_calc("(A:AP_LOC_HOLD_ON,Enum)", 0.0);
    seed_calc("(A:LEADING EDGE FLAPS LEFT ANGLE,degrees)", 0.0);
    seed_calc("(A:LEADING EDGE FLAPS RIGHT ANGLE,degrees)", 0.0);
    seed_calc("(A:ACCELERATION BODY Z,Feet per second squared)", 0.0);
    seed_calc("(A:COM1 ACTIVE FREQUENCY, megahertz)", 118.1);
    seed_calc("(A:COM1 STANDBY FREQUENCY, megahertz)", 121.5);
    seed_calc("(A:COM2 ACTIVE FREQUENCY, megahertz)", 119.7);
    seed_calc("(A:COM2 STANDBY FREQUENCY, megahertz)", 121.5);
    seed_calc("(A:ADF ACTIVE FREQUENCY:2,number)", 350000.0);
    seed_calc("(A:ADF RADIAL:2,degrees)", 0.0);
    seed_calc("(A:ADF SIGNAL:2,number)", 0.0);
    seed_calc("(A:NAV LOCALIZER:1,degrees)", 0.0);
    for (const char* ident : {"(A:ADF IDENT:1,string)", "(A:ADF IDENT:2,string)", "(A:NAV IDENT:1,string)",
                              "(A:NAV IDENT:2,string)"})
        seed_text(ident, "");
    for (int i = 1; i <= 20; ++i)
        seed_calc("(A:Payload Station Weight:" + std::to_string(i) + ",pounds)", 0.0);
    for (uint32_t id = 732; id <= 739; ++id)
        seed_token(id, 0.0);
    seed_aircraft_var(480, 0x0350); // ADF frequency code
    seed_aircraft_var(77, 0.0);
}

void apply_new_key_events() {
    AircraftSlot& s = slot();
    const auto& events = sim_state().key_events;
    if (s.keys_applied > events.size()) s.keys_applied = 0; // the store was reset
    for (; s.keys_applied < events.size(); ++s.keys_applied)
        apply_aircraft_key(s.model, events[s.keys_applied].id, events[s.keys_applied].parameter);
}

void update_magvar() {
    AircraftSlot& s = slot();
    if (s.magvar_source != nullptr) s.model.magvar_deg = s.magvar_source(s.model.lat_deg, s.model.lon_deg);
}

// The aircraft stands on the ground it is over: one placed at an airport
// without an altitude, or below its elevation, stands at that elevation, and
// a descent ends there.
void update_ground() {
    AircraftSlot& s = slot();
    AircraftModel& m = s.model;
    if (s.ground_source != nullptr && !m.ground_held)
        m.ground_elevation_ft = s.ground_source(m.lat_deg, m.lon_deg);
    if (m.altitude_ft < m.ground_elevation_ft) {
        m.altitude_ft = m.ground_elevation_ft;
        m.vertical_speed_fpm = std::fmax(m.vertical_speed_fpm, 0.0);
        m.pitch_deg = std::fmin(m.pitch_deg, 0.0);
    }
}

// Nose, left and right gear, 0 up to 16383 down. Written when the gear moves
// (and when the store lacks them), so that a script's `token 334 = 9000`
// (a gear in transit) stands until the gear next moves.
void publish_gear(const AircraftModel& m) {
    AircraftSlot& s = slot();
    const int down = gear_down(m) ? 1 : 0;
    if (down == s.gear_written && find_token(332) != nullptr) return;
    for (uint32_t id : {332u, 333u, 334u})
        set_token(id, down * 16383.0);
    s.gear_written = down;
}

double flag(bool on) {
    return on ? 1.0 : 0.0;
}

// ISA static pressure in the simulator's raw unit: 16213 at sea level, about
// hectopascals x 16.
double ambient_pressure_raw(double altitude_ft) {
    double t = (288.15 - 0.0019812 * std::fmin(altitude_ft, 36089.0)) / 288.15;
    double ratio = std::pow(t, 5.25588);
    if (altitude_ft > 36089.0) ratio *= std::exp(-(altitude_ft - 36089.0) / 20805.7);
    return 16213.0 * ratio;
}

void publish_engines(const AircraftModel& m) {
    const double pressure = ambient_pressure_raw(m.altitude_ft);
    for (int i = 0; i < 4; ++i) {
        const EngineState& e = m.engines[i];
        const bool fitted = i < m.engine_count;
        set_token(N1[i], e.n1_pct);
        set_token(N2[i], e.n2_pct);
        set_token(ENGINE_N2_DISPLAY[i], e.n2_pct);
        set_token(THRUST_LEVER[i], fitted ? e.lever : 0.0);
        set_token(EGT[i], celsius_to_rankine(e.egt_c));
        set_token(OIL_TEMP[i], celsius_to_rankine(e.oil_temp_c));
        set_token(ENGINE_TEMP_2[i], celsius_to_rankine(e.oil_temp_c));
        set_token(OIL_PRESSURE[i], e.oil_pressure_psi * 144.0);
        // Quarts in 1/16384 parts of 30 quarts.
        set_token(OIL_QUANTITY[i], e.oil_quantity_qt * 16384.0 / 30.0);
        set_token(ENGINE_OIL_PAGE[i], 0.0);
        // Thrust grows with the air's pressure and the square of the fan speed.
        const double thrust = pressure * 2.6 * (e.n1_pct / 100.0) * (e.n1_pct / 100.0);
        set_token(ENGINE_THRUST[i], fitted ? e.held_thrust.value_or(thrust) : 0.0);
        set_token(FUEL_FLOW[i], e.fuel_flow_pph);
        set_token(FUEL_FLOW_ALTERNATE[i], e.fuel_flow_pph);
    }
    // Gallons on board on 306, the weight of a gallon on 386.
    set_token(306, m.fuel_lb / m.fuel_lb_per_gallon);
    set_token(386, m.fuel_lb_per_gallon);
    set_token(342, pressure);
}

void publish_clock(const AircraftModel& m) {
    double zulu = clock_whole_seconds(m);
    double local = std::fmod(zulu + m.local_offset_hours * 3600.0 + 86400.0, 86400.0);
    set_token(1, m.sim_time_s);
    set_token(3, std::floor(local / 3600.0));
    set_token(4, std::floor(std::fmod(local, 3600.0) / 60.0));
    set_token(5, std::fmod(zulu, 60.0));
    set_token(6, std::floor(zulu / 3600.0));
    set_token(7, std::floor(std::fmod(zulu, 3600.0) / 60.0));
    set_token(8, m.day_of_year);
    set_token(9, m.year);
}

} // namespace

double latitude_to_raw(double lat_deg) {
    return lat_deg * 111130.555557;
}

// 0 .. 2^48 for 0 .. 360 degrees east: the west is the upper half.
double longitude_to_raw(double lon_deg) {
    return (lon_deg < 0.0 ? lon_deg + 360.0 : lon_deg) * 781874935307.4;
}

double celsius_to_rankine(double c) {
    return c * 1.8 + 491.67;
}

AircraftModel& aircraft() {
    return slot().model;
}

bool aircraft_active() {
    return slot().active;
}

void start_aircraft() {
    AircraftSlot& s = slot();
    if (s.active) return;
    s.active = true;
    s.keys_applied = sim_state().key_events.size();
    seed_store();
    settle_engines(s.model);
    update_magvar();
    publish_aircraft();
}

void reset_aircraft() {
    const AircraftSlot kept = slot();
    slot() = AircraftSlot{};
    slot().magvar_source = kept.magvar_source;
    slot().ground_source = kept.ground_source;
}

void set_magvar_source(MagvarSource source) {
    slot().magvar_source = source;
}

void set_ground_source(GroundSource source) {
    slot().ground_source = source;
}

void advance_aircraft() {
    AircraftSlot& s = slot();
    if (!s.active) return;
    apply_new_key_events();
    step_aircraft(s.model, 1.0 / FRAMES_PER_SECOND);
    update_magvar();
    publish_aircraft();
}

void publish_aircraft() {
    update_ground();
    const AircraftModel& m = slot().model;
    double tas = true_airspeed_kt(m);
    double track = 0.0;
    double ground_speed = 0.0;
    ground_vector(m, &track, &ground_speed);
    double height_ft = std::fmax(0.0, m.altitude_ft - m.ground_elevation_ft);

    set_token(71, latitude_to_raw(m.lat_deg));
    set_token(72, longitude_to_raw(m.lon_deg));
    set_token(82, m.magvar_deg);
    set_token(81, magnetic_heading_deg(m));
    set_token(86, m.true_heading_deg);
    set_token(107, m.ap_heading_bug_deg);
    set_token(77, m.pitch_deg);
    set_token(79, m.bank_deg); // both generations' bank tokens
    set_token(80, m.bank_deg);
    set_token(551, ground_speed * FPS_PER_KT);
    set_token(61, m.ias_kt);
    set_token(64, mach_number(m) * 65536.0 / 3.2);
    set_token(65, m.vertical_speed_fpm * 1.30048);
    set_calc_number("(A:INDICATED ALTITUDE, feet)", indicated_altitude_ft(m));
    set_calc_number("(A:PRESSURE ALTITUDE,number)", m.altitude_ft / FEET_PER_METRE);
    set_calc_number("(A:AIRSPEED TRUE, knots)", tas);
    set_token(614, height_ft / FEET_PER_METRE);
    set_token(351, 624.0 / std::cos(m.bank_deg * 3.14159265358979323846 / 180.0));
    set_token(341, isa_temperature_c(m.altitude_ft));
    set_token(75, m.altimeter_hpa);
    set_token(343, m.wind_speed_kt);
    set_token(344, m.wind_from_deg);
    set_token(60, flag(on_ground(m)));
    set_token(336, m.sim_rate);

    set_calc_number("(A:AUTOPILOT ALTITUDE LOCK VAR, feet)", m.ap_altitude_ft);
    set_token(116, m.ap_airspeed_kt);
    set_token(118, m.ap_mach);
    set_token(120, m.ap_vertical_speed_fpm);
    set_token(103, flag(m.ap_master));
    set_token(105, flag(m.ap_nav_hold));
    set_token(106, flag(m.ap_heading_hold));
    set_token(108, flag(m.ap_altitude_hold));
    set_token(115, flag(m.ap_airspeed_hold));
    set_token(117, flag(m.ap_mach_hold));
    set_token(123, flag(m.autothrottle));
    set_token(615, m.decision_height_ft); // both generations' decision height
    set_calc_number("(A:DECISION HEIGHT,FEET)", m.decision_height_ft);
    set_token(45, m.nav1_course_deg);
    set_token_code(24, m.nav1_frequency_bcd);
    set_token_code(16, m.adf_frequency_bcd);

    publish_clock(m);
    publish_engines(m);
    publish_gear(m);
}

} // namespace host

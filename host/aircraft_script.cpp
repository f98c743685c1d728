#include "aircraft_script.h"

#include "aircraft_store.h"
#include "host_text.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

namespace host {

namespace {

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

bool number_in(const std::string& text, double low, double high, double& value) {
    return parse_real(text, value) && value >= low && value <= high;
}

bool on_off(const std::string& text, bool& value) {
    std::string t = to_lower(text);
    if (t != "on" && t != "off") return false;
    value = t == "on";
    return true;
}

// "HH:MM" or "HH:MM:SS" into seconds of the day.
bool clock_time(const std::string& text, double& seconds) {
    std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 2 && parts.size() != 3) return false;
    const int64_t limits[3] = {23, 59, 59};
    seconds = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        int64_t v = 0;
        if (i < parts.size() && (!parse_int64(parts[i], v) || v < 0 || v > limits[i])) return false;
        seconds = seconds * 60.0 + static_cast<double>(v);
    }
    return true;
}

bool autopilot_mode(AircraftModel& m, const std::string& mode, bool*& flag) {
    std::string t = to_lower(mode);
    if (t == "hdg")
        flag = &m.ap_heading_hold;
    else if (t == "nav")
        flag = &m.ap_nav_hold;
    else if (t == "alt")
        flag = &m.ap_altitude_hold;
    else if (t == "spd")
        flag = &m.ap_airspeed_hold;
    else if (t == "mach")
        flag = &m.ap_mach_hold;
    else if (t == "athr")
        flag = &m.autothrottle;
    else
        return false;
    return true;
}

const char* const USAGE =
    "usage: aircraft position LAT LON | heading DEG | altitude FT | speed KT | mach M | "
    "fuel LB | wind DIR KT | ground FT|auto | gear up|down|auto | rate R | magvar DEG | engines N | time "
    "HH:MM[:SS] | "
    "ap on|off | ap hdg|nav|alt|spd|mach|athr on|off | engine N lever|n2|thrust VALUE|auto | "
    "engine N oil PSI C QUARTS|auto";

// "engine N lever|n2|thrust VALUE|auto" and "engine N oil PSI C QUARTS|auto":
// values a script holds on one engine, "auto" gives them back to the model.
bool parse_engine(const std::vector<std::string>& w, AircraftModel& m, std::string& error) {
    auto bad = [&](const std::string& what) {
        error = "bad aircraft " + what;
        return false;
    };
    int64_t n = 0;
    if (w.size() < 4 || !parse_int64(w[1], n) || n < 1 || n > 4)
        return bad("engine '" + (w.size() > 1 ? w[1] : std::string()) + "' (engine 1 to 4 and what to set)");
    EngineState& e = m.engines[n - 1];
    const std::string what = to_lower(w[2]);
    const bool release = w.size() == 4 && to_lower(w[3]) == "auto";
    double a = 0.0;
    if (what == "oil") {
        if (release) {
            e.held_oil_pressure_psi.reset();
            e.held_oil_temp_c.reset();
            e.held_oil_quantity_qt.reset();
            return true;
        }
        double t = 0.0, q = 0.0;
        if (w.size() != 6 || !number_in(w[3], 0.0, 1000.0, a) || !number_in(w[4], -100.0, 400.0, t) ||
            !number_in(w[5], 0.0, 30.0, q))
            return bad("engine oil (PSI 0 to 1000, C -100 to 400, QUARTS 0 to 30, or auto)");
        e.held_oil_pressure_psi = a;
        e.held_oil_temp_c = t;
        e.held_oil_quantity_qt = q;
        return true;
    }
    if (w.size() != 4) return bad("engine command: " + std::string(USAGE));
    if (what == "lever") {
        if (release) {
            e.lever_held = false;
        } else {
            if (!number_in(w[3], -16383.0, 16383.0, a)) return bad("lever '" + w[3] + "' (-16383 to 16383)");
            e.lever_held = true;
            e.lever = a;
        }
    } else if (what == "n2") {
        if (release)
            e.held_n2_pct.reset();
        else if (number_in(w[3], 0.0, 150.0, a))
            e.held_n2_pct = a;
        else
            return bad("N2 '" + w[3] + "' (0 to 150)");
    } else if (what == "thrust") {
        if (release)
            e.held_thrust.reset();
        else if (number_in(w[3], 0.0, 1e6, a))
            e.held_thrust = a;
        else
            return bad("thrust '" + w[3] + "' (0 to 1000000)");
    } else {
        return bad("engine value '" + w[2] + "' (lever, n2, thrust or oil)");
    }
    return true;
}

// An `aircraft` value of one number: its name in a refusal, its range and
// unit, and where it goes.
struct NumberSetting {
    const char* verb;
    const char* name;
    double low, high;
    const char* unit;
    void (*set)(AircraftModel&, double);

    std::string refusal(const std::string& text) const {
        char range[96];
        std::snprintf(range, sizeof range, " (%.10g to %.10g%s%s)", low, high, *unit ? " " : "", unit);
        return std::string(name) + " '" + text + "'" + range;
    }
};

const NumberSetting kNumberSettings[] = {
    {"heading", "heading", 0.0, 360.0, "deg",
     [](AircraftModel& m, double v) { m.true_heading_deg = std::fmod(v, 360.0); }},
    {"altitude", "altitude", -1500.0, 100000.0, "ft", [](AircraftModel& m, double v) { m.altitude_ft = v; }},
    {"speed", "speed", 0.0, 2000.0, "kt", [](AircraftModel& m, double v) { m.ias_kt = v; }},
    {"mach", "Mach", 0.0, 2.0, "", [](AircraftModel& m, double v) { m.ias_kt = ias_for_mach(m, v); }},
    {"fuel", "fuel", 0.0, 1e6, "lb", [](AircraftModel& m, double v) { m.fuel_lb = v; }},
    {"rate", "simulation rate", 0.25, 128.0, "", [](AircraftModel& m, double v) { m.sim_rate = v; }},
    {"magvar", "magvar", -180.0, 180.0, "deg", [](AircraftModel& m, double v) { m.magvar_deg = v; }},
};

const NumberSetting* number_setting(const std::string& verb) {
    for (const NumberSetting& n : kNumberSettings)
        if (verb == n.verb) return &n;
    return nullptr;
}

// Parses into a copy of the model; the caller keeps the copy only when asked
// to apply it.
bool parse_into(const std::vector<std::string>& w, AircraftModel& m, std::string& error) {
    auto bad = [&](const std::string& what) {
        error = "bad aircraft " + what;
        return false;
    };
    if (w.empty()) return bad("command: " + std::string(USAGE));
    std::string verb = to_lower(w[0]);
    static const char* const single[] = {"heading", "altitude", "speed", "mach",   "fuel", "rate",
                                         "magvar",  "engines",  "time",  "ground", "gear"};
    std::size_t want = 0;
    for (const char* v : single)
        if (verb == v) want = 2;
    if (verb == "position" || verb == "wind") want = 3;
    if (verb == "ap") want = w.size() == 3 ? 3 : 2;
    if (verb == "engine") return parse_engine(w, m, error);
    if (want == 0) return bad("command '" + w[0] + "': " + std::string(USAGE));
    if (w.size() != want) {
        error = USAGE;
        return false;
    }
    double a = 0.0;
    double b = 0.0;
    // Each value's range, said in its refusal, holds what the module takes:
    // performance tables and cruise altitudes up to 100000 ft, speeds up to
    // 2000 kt and Mach 2 (the lowest ground it knows is -1500 ft).
    if (verb == "position") {
        if (!number_in(w[1], -90.0, 90.0, a) || !number_in(w[2], -180.0, 180.0, b))
            return bad("position '" + w[1] + " " + w[2] + "' (LAT -90 to 90, LON -180 to 180)");
        m.lat_deg = a;
        m.lon_deg = b >= 180.0 ? b - 360.0 : b;
    } else if (verb == "wind") {
        if (!number_in(w[1], 0.0, 360.0, a) || !number_in(w[2], 0.0, 300.0, b))
            return bad("wind '" + w[1] + " " + w[2] + "' (DIR 0 to 360, KT 0 to 300)");
        m.wind_from_deg = std::fmod(a, 360.0);
        m.wind_speed_kt = b;
    } else if (verb == "ground") {
        m.ground_held = to_lower(w[1]) != "auto";
        if (m.ground_held && !number_in(w[1], -1500.0, 30000.0, a))
            return bad("ground '" + w[1] + "' (-1500 to 30000 ft, or auto)");
        if (m.ground_held) m.ground_elevation_ft = a;
    } else if (verb == "gear") {
        const std::string t = to_lower(w[1]);
        if (t == "up")
            m.gear_mode = GearMode::Up;
        else if (t == "down")
            m.gear_mode = GearMode::Down;
        else if (t == "auto")
            m.gear_mode = GearMode::Auto;
        else
            return bad("gear '" + w[1] + "' (up, down or auto)");
    } else if (const NumberSetting* n = number_setting(verb)) {
        if (!number_in(w[1], n->low, n->high, a)) return bad(n->refusal(w[1]));
        n->set(m, a);
    } else if (verb == "engines") {
        int64_t n = 0;
        if (!parse_int64(w[1], n) || n < 1 || n > 4) return bad("engine count '" + w[1] + "' (1 to 4)");
        m.engine_count = static_cast<int>(n);
    } else if (verb == "time") {
        if (!clock_time(w[1], a)) return bad("time '" + w[1] + "' (HH:MM or HH:MM:SS)");
        m.zulu_seconds = a;
    } else if (verb == "ap") {
        bool value = false;
        if (!on_off(w.back(), value)) return bad("autopilot switch '" + w.back() + "' (on or off)");
        bool* flag = &m.ap_master;
        if (w.size() == 3 && !autopilot_mode(m, w[1], flag))
            return bad("autopilot mode '" + w[1] + "' (hdg, nav, alt, spd, mach or athr)");
        *flag = value;
    }
    return true;
}

} // namespace

bool aircraft_command(const std::string& text, bool apply, std::string& error) {
    AircraftModel changed = aircraft();
    if (!parse_into(words_of(text), changed, error)) return false;
    if (!apply) return true;
    aircraft() = changed;
    settle_engines(aircraft());
    start_aircraft();
    publish_aircraft();
    return true;
}

std::string describe_aircraft() {
    const AircraftModel& m = aircraft();
    double track = 0.0;
    double ground_speed = 0.0;
    ground_vector(m, &track, &ground_speed);
    long clock = static_cast<long>(clock_whole_seconds(m));
    char line[400];
    std::snprintf(
        line, sizeof line,
        "aircraft lat %.5f lon %.5f hdg %05.1f true %05.1f mag trk %05.1f alt %.0f ft ias %.0f tas "
        "%.0f gs %.0f kt mach %.3f vs %.0f fpm bank %.1f fuel %.0f lb rate %g time %02ld:%02ld:%02ld%s",
        m.lat_deg, m.lon_deg, m.true_heading_deg, magnetic_heading_deg(m), track, m.altitude_ft, m.ias_kt,
        true_airspeed_kt(m), ground_speed, mach_number(m), m.vertical_speed_fpm, m.bank_deg, m.fuel_lb,
        m.sim_rate, clock / 3600, clock / 60 % 60, clock % 60, m.paused ? " paused" : "");
    return line;
}

} // namespace host

#include "fms/plan/flight_log.h"

#include "data/nav_database.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
#include "platform/os.h"
#include "sim/aircraft_state.h"
#include "sim/data_link.h"
#include "sim/host_folder.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int flight_phase = kFlightPhaseNoLog;
int flight_log_started = 0;
double payload_read_flag = 0.0;
double zero_fuel_weight_lb = 0.0;
double payload_weight_lb = 0.0;
double flight_log_start_fuel = 0.0;
std::string takeoff_time_text;
std::string landing_time_text;

namespace {

double last_line_time = 0.0;
double previous_altitude = 0.0;
double vertical_speed_at_last_line = 0.0;
double arrival_stop_time = 0.0;

const char* const kSegmentNames[12] = {"InitLoad", "PushBack", "Taxi",    "Takeoff",  "Climb", "Cruise",
                                       "Descent",  "Approach", "Landing", "Arr_Taxi", "",      "End_Flight"};

// Stations beyond the first 61 are not read.
constexpr int kPayloadStations = 61;

const char* const kRule = ";--------------------------------------------------------------------------\n";

std::string log_path(const char* file) {
    return host_folder + "\\orvex\\FlightLog\\" + file;
}

std::string utc_text() {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02.0f:%02.0f", aircraft_state.zulu_hours,
                  aircraft_state.zulu_minutes);
    return buffer;
}

double distance_to_last_waypoint() {
    if (active_plan_last < 0) return 9999.0;
    const RouteWaypoint& last = active_plan[active_plan_last];
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, last.lat, last.lon, &distance, &course);
    return distance;
}

// Steps the segments as far as this call's readings take them; true when a
// line is due.
bool step_segments() {
    const AircraftState& a = aircraft_state;
    const double gs = a.ground_speed_kt;
    const double vs = a.vertical_speed_fpm;
    const double since_line = flight_elapsed_seconds - last_line_time;
    bool line = false;
    if (flight_phase == kFlightPhaseInitLoad && gs > 2.0) flight_phase = kFlightPhasePushBack, line = true;
    if (flight_phase == kFlightPhasePushBack && gs > 10.0) flight_phase = kFlightPhaseTaxi, line = true;
    if (flight_phase == kFlightPhaseTaxi && gs > 60.0 && a.radio_altitude_ft > 50.0) {
        flight_phase = kFlightPhaseTakeoff;
        line = true;
        takeoff_time_text = utc_text();
    }
    if (flight_phase == kFlightPhaseTakeoff && vs > 400.0) flight_phase = kFlightPhaseClimb, line = true;
    if (flight_phase == kFlightPhaseClimb) {
        if (vs > 400.0 && since_line > 5.0) line = true;
        if (vs > -50.0 && vs < 50.0) flight_phase = kFlightPhaseCruise, line = true;
    }
    if (flight_phase == kFlightPhaseCruise) {
        if (since_line > 60.0) line = true;
        if (vs < -400.0 && vertical_speed_at_last_line < -400.0 && since_line > 20.0)
            flight_phase = kFlightPhaseDescent, line = true;
    }
    if (flight_phase == kFlightPhaseDescent) {
        if (vs < -400.0 && since_line > 5.0) line = true;
        if (distance_to_last_waypoint() < 20.0) flight_phase = kFlightPhaseApproach, line = true;
    }
    if (flight_phase == kFlightPhaseApproach) {
        if (since_line > 5.0) line = true;
        if (gs < 60.0) {
            flight_phase = kFlightPhaseLanding;
            line = true;
            landing_time_text = utc_text();
        }
    }
    if (flight_phase == kFlightPhaseLanding && gs < 40.0) flight_phase = kFlightPhaseArrTaxi, line = true;
    if (flight_phase == kFlightPhaseArrTaxi && gs < 5.0) {
        flight_phase = kFlightPhaseStopped;
        arrival_stop_time = flight_elapsed_seconds;
    }
    if (flight_phase == kFlightPhaseStopped) {
        if (gs > 10.0) {
            flight_phase = kFlightPhaseArrTaxi;
        } else if (flight_elapsed_seconds - arrival_stop_time > 120.0 ||
                   sim_var_object.get_simvar_323() == 0.0) {
            flight_phase = kFlightPhaseEndFlight;
            line = true;
        }
    }
    return line;
}

// The log's waypoint column: one word, so the summary reads the columns after it.
std::string waypoint_column(std::string ident) {
    if (ident.empty()) return "---";
    for (char& c : ident)
        if (c == ' ' || c == '\t') c = '_';
    return ident;
}

// Only the line that starts the log creates the file: a waypoint sequenced
// at the gate, still in InitLoad, must not erase the initial line that the
// summary takes the start fuel from.
void write_line(const std::string& waypoint, bool starts_log) {
    std::FILE* file = os::open_file(log_path("fpl.log"), starts_log ? "w" : "a");
    if (!file) return;
    const AircraftState& a = aircraft_state;
    const double fuel_flow = sim_var_object.get_total_fuel_flow();
    const double fuel_on_board = sim_var_object.get_fuel_on_board_lb();
    if (starts_log) {
        const std::string first = active_plan_last >= 0 ? active_plan[0].ident : std::string();
        const std::string last = active_plan_last >= 0 ? active_plan[active_plan_last].ident : std::string();
        std::fprintf(file, "FlightPlan=%s-%s\n", first.c_str(), last.c_str());
        std::fprintf(file, "Aircraft=%s\n", aircraft_parameter.c_str());
        std::fputs(kRule, file);
        std::fputs(kRule, file);
        std::fputs(
            "; TIME   Segment  Waypoint   GSP   TAS       V/S    ALT    FF     FOB       ZFW     PLD  IAS\n",
            file);
        std::fputs(kRule, file);
    }
    const int seconds =
        flight_elapsed_seconds > 0.0 ? static_cast<int>(std::fmin(flight_elapsed_seconds, 3.6e8)) : 0;
    const char* segment = flight_segment_name(flight_phase);
    char line[256];
    std::snprintf(line, sizeof line,
                  "%02d:%02d:%02d %-10s %6s %5.0f  %5.0f   %5.0f  %6.0f  %5.0f %7.0f  %7.0f %7.0f %-3.0f",
                  seconds / 3600, seconds % 3600 / 60, seconds % 60, segment,
                  waypoint_column(waypoint).c_str(), a.ground_speed_kt, a.true_airspeed_est_kt,
                  a.vertical_speed_fpm, a.indicated_altitude_ft, fuel_flow, fuel_on_board,
                  zero_fuel_weight_lb, payload_weight_lb, a.speed_smoothed);
    std::fprintf(file, "%s\n", line);
    if (warning_messages.count() < 400) warning_messages.append(line);
    std::fclose(file);
}

// Zero-fuel weight and payload over the data link. The 61 station reads do
// not fit the link buffer at once, so they go in as many exchanges as the
// buffer needs; a failed exchange leaves both weights as they were.
void read_payload() {
    uint32_t result = 0;
    if (!ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer)) return;
    int32_t zero_fuel_raw = 0, station_count = 0;
    ipc_read(0x3BFC, 4, &zero_fuel_raw, &result);
    ipc_read(0x13FC, 4, &station_count, &result);
    bool ok = ipc_process(&result) != 0;
    const int stations = std::clamp(station_count, 0, kPayloadStations);
    double weights[kPayloadStations] = {};
    for (int next = 0; ok && next < stations;) {
        int queued = 0;
        while (next + queued < stations && ipc_read(0x1400 + 48 * static_cast<uint32_t>(next + queued), 8,
                                                    &weights[next + queued], &result))
            ++queued;
        ok = queued > 0 && ipc_process(&result) != 0;
        next += queued;
    }
    ipc_close();
    if (!ok) return;
    zero_fuel_weight_lb = zero_fuel_raw * 0.00390625;
    payload_weight_lb = 0.0;
    for (int i = 0; i < stations; ++i)
        payload_weight_lb += weights[i];
}

} // namespace

void write_flight_log(int code) {
    if (payload_read_flag == 0.0) {
        read_payload();
        if (code != kFlightLogStart) payload_read_flag = 1.0;
    }
    if (code == kFlightLogStart) {
        flight_log_started = 1;
        return;
    }
    if (flight_phase >= kFlightPhaseEndFlight || flight_phase < kFlightPhaseStartLog) return;

    bool line = false;
    const bool starts_log = flight_phase == kFlightPhaseStartLog;
    if (starts_log) {
        flight_phase = kFlightPhaseInitLoad;
        flight_log_start_fuel = sim_var_object.get_fuel_on_board_lb();
        line = true;
    }
    if (step_segments()) line = true;
    previous_altitude = aircraft_state.indicated_altitude_ft;

    std::string waypoint = "---";
    if (code == kFlightLogWaypoint) {
        waypoint = active_plan[to_waypoint_index].ident;
        line = true;
    }
    if (!line) return;

    write_line(waypoint, starts_log);
    if (flight_phase == kFlightPhaseEndFlight) write_flight_summary();
    last_line_time = flight_elapsed_seconds;
    previous_altitude = aircraft_state.indicated_altitude_ft;
    vertical_speed_at_last_line = aircraft_state.vertical_speed_fpm;
}

const char* flight_segment_name(int phase) {
    return phase >= 0 && phase <= 11 ? kSegmentNames[phase] : "";
}

// The per-flight summary: fpl.log read back and condensed into climb, cruise
// and descent means by altitude band and gross-weight band, appended to
// Flight.log.
#include "data/config_line.h"
#include "fms/files/flight_log.h"
#include "fms/plan/route_exec.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kSummaryLineMax = 299;

struct AltitudeBand {
    double altitude = 0.0;
    double tas_sum = 0.0;
    double vs_sum = 0.0;
    int tas_count = 0;
    int vs_count = 0;
    std::vector<double> fuel_flow_sum; // by index into the phase's weight bands
    std::vector<int> fuel_flow_count;
};

struct PhaseStats {
    std::vector<AltitudeBand> bands;
    std::vector<double> weights; // shared by all altitude bands, in order of creation
};

AltitudeBand& band_for(PhaseStats& phase, double altitude) {
    for (AltitudeBand& band : phase.bands)
        if (band.altitude == altitude) return band;
    if (phase.bands.empty()) phase.weights.clear();
    phase.bands.push_back(AltitudeBand{});
    phase.bands.back().altitude = altitude;
    return phase.bands.back();
}

std::size_t weight_index(PhaseStats& phase, double weight) {
    for (std::size_t i = 0; i < phase.weights.size(); ++i)
        if (phase.weights[i] == weight) return i;
    phase.weights.push_back(weight);
    return phase.weights.size() - 1;
}

void add_fuel_flow(AltitudeBand& band, std::size_t index, double fuel_flow) {
    if (band.fuel_flow_sum.size() <= index) {
        band.fuel_flow_sum.resize(index + 1, 0.0);
        band.fuel_flow_count.resize(index + 1, 0);
    }
    band.fuel_flow_sum[index] += fuel_flow;
    band.fuel_flow_count[index] += 1;
}

double altitude_band(double altitude) {
    const double band = saturate_to_int(altitude / 5000.0 + 0.5) * 5000.0;
    return band < 5000.0 ? 5000.0 : band;
}

double weight_band(double gross) {
    if (gross >= 95500.0) return saturate_to_int(gross / 10000.0 + 0.5) * 10000.0;
    return saturate_to_int(gross / 5000.0 + 0.5) * 5000.0;
}

// Weight bands of an altitude band without a fuel-flow sample have no mean
// and are left out.
bool has_samples(const AltitudeBand& band, std::size_t index) {
    return index < band.fuel_flow_count.size() && band.fuel_flow_count[index] > 0;
}

double fuel_flow_mean(const AltitudeBand& band, std::size_t index) {
    return band.fuel_flow_sum[index] / band.fuel_flow_count[index];
}

} // namespace

void write_flight_summary() {
    PhaseStats climb, cruise, descent;
    double start_fuel = 0.0, fuel_used = 0.0;
    std::string flight_time;

    if (std::FILE* log = os::open_file(host_folder + "\\orvex\\FlightLog\\fpl.log", "r")) {
        std::string line;
        while (read_line(log, line, kSummaryLineMax)) {
            if (!line.empty() && line[0] == ';') continue;
            std::vector<std::string> t = scan_tokens(line, 11);
            t.resize(11);
            const std::string& time = t[0];
            const std::string& segment = t[1];
            const double tas = parse_double(t[4]), vs = parse_double(t[5]), altitude = parse_double(t[6]);
            const double fuel_flow = parse_double(t[7]), fuel_on_board = parse_double(t[8]);
            const double gross = fuel_on_board + parse_double(t[9]) + parse_double(t[10]);
            if (time == "00:00:00") start_fuel = fuel_on_board;

            PhaseStats* phase = segment == "Climb"     ? &climb
                                : segment == "Cruise"  ? &cruise
                                : segment == "Descent" ? &descent
                                                       : nullptr;
            if (phase) {
                AltitudeBand& band = band_for(*phase, altitude_band(altitude));
                band.tas_sum += tas;
                band.tas_count += 1;
                if (phase != &cruise) {
                    band.vs_sum += vs;
                    band.vs_count += 1;
                }
                add_fuel_flow(band, phase == &descent ? 0 : weight_index(*phase, weight_band(gross)),
                              fuel_flow);
            }
            if (segment == "End_Flight") {
                flight_time = time.substr(0, 5);
                // Fuel taken on during the flight is no fuel used.
                fuel_used = std::max(0.0, start_fuel - fuel_on_board);
            }
        }
        std::fclose(log);
    }
    if (aircraft_parameter.empty()) return;

    std::FILE* out = os::open_file(host_folder + "\\orvex\\FlightLog\\Flight.log", "a");
    if (!out) return;
    const os::SystemTime today = os::system_time_local();
    // The executed route's airports: EXEC empties the entered origin.
    std::fprintf(out, "[%s-%s]\n", loaded_origin_ident.c_str(), loaded_destination_ident.c_str());
    std::fprintf(out, "Date=%d/%02d/%02d\n", today.year, today.month, today.day);
    std::fprintf(out, "FlightTime=%s\n", flight_time.c_str());
    std::fprintf(out, "Aircraft=%s\n", aircraft_parameter.c_str());
    std::fprintf(out, "FuelUsed=%.0f\n", fuel_used);
    if (!climb.bands.empty()) {
        std::fputs("Climb=", out);
        for (const AltitudeBand& b : climb.bands)
            for (std::size_t w = 0; w < climb.weights.size(); ++w)
                if (has_samples(b, w))
                    std::fprintf(out, "%.0f_%.0f_%.0f_%.0f_%.0f ", b.altitude, b.tas_sum / b.tas_count,
                                 b.vs_sum / b.vs_count, climb.weights[w], fuel_flow_mean(b, w));
        std::fputs("\n", out);
    }
    if (!cruise.bands.empty()) {
        std::fputs("Cruise=", out);
        for (const AltitudeBand& b : cruise.bands)
            for (std::size_t w = 0; w < cruise.weights.size(); ++w)
                if (has_samples(b, w))
                    std::fprintf(out, "%.0f_%.0f_%.0f_%.0f ", b.altitude, b.tas_sum / b.tas_count,
                                 cruise.weights[w], fuel_flow_mean(b, w));
        std::fputs("\n", out);
    }
    if (!descent.bands.empty()) {
        std::fputs("Descent=", out);
        for (const AltitudeBand& b : descent.bands)
            std::fprintf(out, "%.0f_%.0f_%d_%.0f ", b.altitude, b.tas_sum / b.tas_count,
                         saturate_to_int(std::fabs(b.vs_sum / b.vs_count)), fuel_flow_mean(b, 0));
        std::fputs("\n", out);
    }
    std::fputs("\n", out);
    std::fclose(out);
}

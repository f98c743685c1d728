#include "fms/guidance/times_to_go.h"

#include <cmath>

double ete_to_minutes = 0.0;
double ete_to_minutes_prev = 0.0;
double ete_to_sim_minutes = 0.0;
double ete_to_sim_minutes_copy = 0.0;
double ete_to_hours = 0.0;
double ete_to_min_part = 0.0;
double ete_to_tenths = 0.0;
double ete_to_sim_hours = 0.0;
double ete_to_sim_min_part = 0.0;
double ete_dest_minutes = 0.0;
double ete_dest_minutes_prev = 0.0;
double ete_dest_sim_minutes = 0.0;
double ete_dest_hours = 0.0;
double ete_dest_min_part = 0.0;
double ete_dest_sim_hours = 0.0;
double ete_dest_sim_min_part = 0.0;

namespace {

// Whole hours and the minutes left over; a negative or a full 60 minutes
// reads 0.
void split_hours(double minutes, double* hours, double* min_part) {
    const double whole = std::trunc(minutes / 60.0);
    double rest = minutes;
    *hours = 0.0;
    if (whole >= 1.0) {
        *hours = whole;
        rest = minutes - whole * 60.0;
    }
    if (rest < 0.0 || rest == 60.0) rest = 0.0;
    *min_part = rest;
}

// Real-time minutes at the simulation rate; a rate that cannot divide keeps
// the last value.
void at_rate(double minutes, double rate, double* sim_minutes) {
    const double v = minutes / rate;
    if (rate > 0.0 && std::isfinite(v)) *sim_minutes = v;
}

} // namespace

void update_times_to_go(double ground_speed_kt, double to_distance_nm, double destination_distance_nm,
                        double rate) {
    if (!(ground_speed_kt > 25.0)) {
        ete_to_hours = ete_to_min_part = ete_to_tenths = 0.0;
        ete_to_sim_hours = ete_to_sim_min_part = 0.0;
        ete_dest_hours = ete_dest_min_part = ete_dest_sim_hours = ete_dest_sim_min_part = 0.0;
        return;
    }
    ete_to_minutes_prev = ete_to_minutes;
    ete_to_minutes = to_distance_nm / ground_speed_kt * 60.0;
    at_rate(ete_to_minutes, rate, &ete_to_sim_minutes);
    ete_to_sim_minutes_copy = ete_to_sim_minutes;
    split_hours(ete_to_minutes, &ete_to_hours, &ete_to_min_part);
    ete_to_tenths = std::trunc((ete_to_min_part - std::trunc(ete_to_min_part)) * 10.0);
    split_hours(ete_to_sim_minutes, &ete_to_sim_hours, &ete_to_sim_min_part);

    ete_dest_minutes_prev = ete_dest_minutes;
    ete_dest_minutes = destination_distance_nm / ground_speed_kt * 60.0;
    at_rate(ete_dest_minutes, rate, &ete_dest_sim_minutes);
    split_hours(ete_dest_minutes, &ete_dest_hours, &ete_dest_min_part);
    split_hours(ete_dest_sim_minutes, &ete_dest_sim_hours, &ete_dest_sim_min_part);
}

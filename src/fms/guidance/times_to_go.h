// Times to go to the TO waypoint and to the destination, in simulated
// minutes and in real minutes at the present simulation rate, with the hour
// and minute parts the pages show. Refreshed once per slot cycle.
#pragma once

extern double ete_to_minutes;
extern double ete_to_minutes_prev;
extern double ete_to_sim_minutes;
extern double ete_to_sim_minutes_copy;
extern double ete_to_hours;
extern double ete_to_min_part;
extern double ete_to_tenths;
extern double ete_to_sim_hours;
extern double ete_to_sim_min_part;
extern double ete_dest_minutes;
extern double ete_dest_minutes_prev;
extern double ete_dest_sim_minutes;
extern double ete_dest_hours;
extern double ete_dest_min_part;
extern double ete_dest_sim_hours;
extern double ete_dest_sim_min_part;

// Above 25 kt ground speed the times are computed from the distances;
// otherwise every hour, minute-part and tenths field reads 0 and the minute
// totals keep their values.
void update_times_to_go(double ground_speed_kt, double to_distance_nm, double destination_distance_nm,
                        double rate);

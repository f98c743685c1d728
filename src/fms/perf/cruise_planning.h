// Cruise planning from the aircraft's performance tables: the climb and the
// descent simulated in 20-NM steps, the cruise level lowered until both fit
// into the route, the trip fuel refining the weight over five passes, and the
// semicircular rule. Leaves the speeds, TAS and rates the profile uses.
#pragma once

// The planned cruise altitude in feet; 0 when a climb, cruise or descent
// table is empty or gives no usable speed or rate (then nothing is written).
double compute_performance_targets();

// The semicircular rule for a course (eastbound below 180): below 42000 ft
// eastbound odd and westbound even thousands (one thousand down when not);
// from 42000 ft the high levels 45000..57000 east and 43000..55000 west.
double semicircular_altitude(double altitude, double course);
// Below 42000 ft only: the odd/even part of the rule at any altitude.
double odd_even_altitude(double altitude, double course);

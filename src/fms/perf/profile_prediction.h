// The vertical profile laid over the active plan when a route is executed:
// the cruise altitude (requested, planned from the performance tables, or
// from a simple climb model and the semicircular rule), the climb and descent
// rates, the TOC and TOD points and, in full, a predicted altitude and speed
// for each waypoint without constraints of its own.
#pragma once

// requested 0 chooses a cruise altitude. kProfileFull (EXEC) also predicts
// the waypoints; any other mode re-arms the TOC and TOD detection.
inline constexpr int kProfilePointsOnly = 0;
inline constexpr int kProfileFull = 1;
void predict_profile(int requested_altitude, int mode);

// In flight the entries ahead follow the aircraft: once a second the profile
// is made again from where it is, and their predictions with it.
void keep_predictions_with_aircraft();

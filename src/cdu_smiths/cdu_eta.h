// The CDU's time of arrival: when the aircraft reaches a point so many NM
// away flying at the present ground speed, on the UTC clock or (hours only)
// on the local clock, as the pages show it.
#pragma once

#include <string>

struct CduEta {
    int hours = 0;   // 0..23
    int minutes = 0; // 0..59, truncated
    int tenths = 0;  // tenths of a minute, truncated
    bool local = false;
};

// The local clock lends only its hours; the minutes are always UTC's. A
// ground speed of 0 or less gives the present time.
CduEta cdu_eta(double distance_nm, bool local);
// The same for a time to go in minutes (none below 0).
CduEta cdu_eta_after_minutes(double minutes, bool local);

// "HHMM.TZ", or "HHMM.TL" on the local clock.
std::string cdu_eta_text(const CduEta& eta);

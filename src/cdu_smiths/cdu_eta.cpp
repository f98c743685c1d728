#include "cdu_smiths/cdu_eta.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>

CduEta cdu_eta(double distance_nm, bool local) {
    const AircraftState& a = aircraft_state;
    return cdu_eta_after_minutes(a.ground_speed_kt > 0.0 ? distance_nm / a.ground_speed_kt * 60.0 : 0.0,
                                 local);
}

CduEta cdu_eta_after_minutes(double t, bool local) {
    const AircraftState& a = aircraft_state;
    if (!std::isfinite(t) || t < 0.0) t = 0.0;
    const double whole_hours = std::floor(t / 60.0);
    double hours = (local ? a.local_hours : a.zulu_hours) + whole_hours;
    // The nanominute keeps a time that binary fractions put just below a
    // tenth (4.8 as 4.7999...) on that tenth.
    double minutes = a.zulu_minutes + (t - 60.0 * whole_hours) + 1e-9;
    // A full 60 minutes carries and a full day wraps, so neither "60" nor
    // "24" is ever shown.
    while (minutes >= 60.0) {
        hours += 1.0;
        minutes -= 60.0;
    }
    hours = std::fmod(std::floor(hours), 24.0);
    if (hours < 0.0) hours += 24.0;
    const double whole_minutes = std::floor(minutes);
    CduEta eta;
    eta.hours = saturate_to_int(hours);
    eta.minutes = saturate_to_int(whole_minutes);
    eta.tenths = saturate_to_int((minutes - whole_minutes) * 10.0);
    eta.local = local;
    return eta;
}

std::string cdu_eta_text(const CduEta& eta) {
    return cdu_format("%02d%02d.%1d%c", eta.hours, eta.minutes, eta.tenths, eta.local ? 'L' : 'Z');
}

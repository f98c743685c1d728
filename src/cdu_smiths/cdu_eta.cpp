#include "cdu_smiths/cdu_eta.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "fms/math/clock_math.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

CduEta cdu_eta(double distance_nm, bool local) {
    const AircraftState& a = aircraft_state;
    return cdu_eta_after_minutes(a.ground_speed_kt > 0.0 ? distance_nm / a.ground_speed_kt * 60.0 : 0.0,
                                 local);
}

CduEta cdu_eta_after_minutes(double t, bool local) {
    const AircraftState& a = aircraft_state;
    // The readout's digit after the point is the tenth of a minute, so the
    // minutes beside it are truncated, not rounded.
    const HoursMinutes at = clock_after(local ? a.local_hours : a.zulu_hours, a.zulu_minutes,
                                        hours_minutes(t, Rounding::Down), Rounding::Down);
    CduEta eta;
    eta.hours = saturate_to_int(at.hours);
    eta.minutes = saturate_to_int(at.minutes);
    eta.tenths = saturate_to_int(at.tenths);
    eta.local = local;
    return eta;
}

std::string cdu_eta_text(const CduEta& eta) {
    return cdu_format("%02d%02d.%1d%c", eta.hours, eta.minutes, eta.tenths, eta.local ? 'L' : 'Z');
}

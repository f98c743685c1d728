#include "fms/nav/radio_autotune.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/airport_selection.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/radix.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

// Beyond this a navaid ahead is not tuned.
constexpr double kTuneRangeNm = 230.0;
// Frequency texts are read from at most this many characters.
constexpr std::size_t kFrequencyChars = 9;

bool has_frequency(const RouteWaypoint& w) {
    // "---" is written for a waypoint without one.
    return !w.frequency.empty() && std::isdigit(static_cast<unsigned char>(w.frequency[0]));
}

// The magnetic course of the leg between two entries, whole degrees.
int leg_course(int from, int to) {
    double distance = 0.0;
    double course = 0.0;
    gc_dist_course(active_plan[from].lat, active_plan[from].lon, active_plan[to].lat, active_plan[to].lon,
                   &distance, &course);
    return saturate_to_whole(magnetic_course(course));
}

void send_course(int course) {
    if (course != 0) trigger_key_event(kKeyNav1CourseSet, static_cast<uint32_t>(course));
}

void send_frequency(uint32_t event, uint32_t code) {
    if (code != 0) trigger_key_event(event, code);
}

void tune_route_ahead() {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last) return;
    int found = 0;
    for (int i = to; i < active_plan_last; ++i)
        if (has_frequency(active_plan[i])) {
            found = i;
            break;
        }
    if (found > 0) {
        const RouteWaypoint& navaid = active_plan[found];
        double distance = 0.0;
        double course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, navaid.lat, navaid.lon, &distance, &course);
        if (distance <= kTuneRangeNm) {
            send_course(leg_course(found - 1, found));
            if (navaid.type == "NDB")
                send_frequency(kKeyAdfFrequencySet, adf_frequency_bcd(navaid.frequency));
            else
                send_frequency(kKeyNav1FrequencySet, nav_frequency_bcd(navaid.frequency));
            return;
        }
    }
    // Nothing to tune ahead: the course of the leg from a navaid just passed.
    if (has_frequency(active_plan[to - 1])) send_course(leg_course(to - 1, to));
}

// The runway on the selected line of the airport page (lines count from 1,
// as the page and the tower view count them): its localizer.
void tune_selected_runway() {
    const int entry = selected_runway_entry();
    if (entry == kNoRunwayLine) return;
    const AirportRunwayListEntry& runway = airport_runway_list[entry];
    send_course(saturate_to_whole(runway.localizer_course));
    send_frequency(kKeyNav1FrequencySet, nav_frequency_bcd(runway.localizer_frequency_text.substr(0, 6)));
}

} // namespace

uint32_t nav_frequency_bcd(const std::string& text) {
    const std::string cut = text.substr(0, kFrequencyChars);
    if (cut.empty() || !std::isdigit(static_cast<unsigned char>(cut[0]))) return 0;
    const double mhz = std::strtod(cut.c_str(), nullptr);
    const long hundredths = std::lround(mhz * 100.0);
    if (hundredths < 10000 || hundredths > 19999) return 0;
    // Every digit, the leading 1 included: 112.30 is 0x11230.
    return static_cast<uint32_t>(convert_radix(static_cast<uint32_t>(hundredths), 10, 16));
}

uint32_t adf_frequency_bcd(const std::string& text) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < text.size() && i < kFrequencyChars; ++i) {
        const char c = text[i];
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return static_cast<uint32_t>(convert_radix(value, 10, 16));
}

void autotune_leg_radios(int mode) {
    if (mode == kAutotuneRouteAhead) {
        tune_route_ahead();
    } else if (mode == kAutotuneSelectedRunway) {
        tune_selected_runway();
    }
}

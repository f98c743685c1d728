#include "fms/procedures/procedure_expansion.h"

#include "data/airport_procedures.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"
#include "platform/text_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// A turn before an intercept ends this far along the radial: 7 NM a full circle.
constexpr double kTurnAllowanceNmPerDegree = 0.019444444444444445;
// Climb gradient of a "fly until altitude" leg: 3.17 NM for 1500 ft.
constexpr double kClimbNmPer1500Ft = 3.1666666666666665;
// Chord of a climbing turn: 1/72 NM per degree turned.
constexpr double kChordNmPerDegree = 1.0 / 72.0;
// A "UD" search steps along the leg in 0.1 NM steps up to 50 NM.
constexpr double kDmeStepNm = 0.1;
constexpr int kDmeSteps = 499;
// Procedure turn: outbound leg, then the leg after the first quarter turn.
constexpr double kProcedureTurnOutboundNm = 3.0;
constexpr double kProcedureTurnSecondLegNm = 1.5;
constexpr int kMaxLegs = 400;

double wrap360(double angle) {
    return floored_mod(angle, 360.0);
}

bool begins_with(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Splits "/H090/IC123" (or "H090/IC123") into the course and the end field.
// A course letter the kind does not know leaves the course 0.
void split_directive(std::string directive, bool approach, double* course, std::string* end) {
    if (!directive.empty() && directive[0] == '/') directive.erase(0, 1);
    const std::size_t slash = directive.find('/');
    const std::string course_field = directive.substr(0, slash);
    *end = slash == std::string::npos ? std::string() : directive.substr(slash + 1);

    const char letter = course_field.empty() ? '\0' : course_field[0];
    const bool known = letter == 'T' || letter == 'H' || (!approach && letter == 'C');
    *course = known ? parse_double(course_field.c_str() + 1) : 0.0;
    if (approach && *course == 360.0) *course = 0.0;
}

// Where the leg from start on the magnetic course crosses the radial of the
// fix. Attempts 1 and 2 take the reciprocal radial, 3 and 4 the radial as
// written; even attempts pass the two circles the other way round. A crossing
// counts only when it lies on the leg's course from the start.
bool intercept_radial(double start_lat, double start_lon, double course, double fix_lat, double fix_lon,
                      double radial, double variation, int attempts, double* out_lat, double* out_lon,
                      bool* on_reciprocal) {
    const double true_course = wrap360(course + variation);
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        const double used_radial = attempt <= 2 ? wrap360(radial + 180.0) : radial;
        const double true_radial = wrap360(used_radial + variation);
        double lat = 0.0, lon = 0.0;
        const int found = attempt % 2 == 1 ? course_intersection(start_lat, start_lon, true_course, fix_lat,
                                                                 fix_lon, true_radial, &lat, &lon)
                                           : course_intersection(fix_lat, fix_lon, true_radial, start_lat,
                                                                 start_lon, true_course, &lat, &lon);
        if (found != 0) continue;
        double distance = 0.0, crossing_course = 0.0;
        gc_dist_course(start_lat, start_lon, lat, lon, &distance, &crossing_course);
        if (heading_difference(wrap360(crossing_course - variation), course) < 2) {
            *out_lat = lat;
            *out_lon = lon;
            *on_reciprocal = attempt <= 2;
            return true;
        }
    }
    return false;
}

// The first point along the leg whose distance from the DME point is within
// 0.1 NM of the wanted distance.
bool until_dme_distance(double start_lat, double start_lon, double true_course, double dme_lat,
                        double dme_lon, double wanted, double* out_lat, double* out_lon) {
    for (int step = 1; step <= kDmeSteps; ++step) {
        double lat = 0.0, lon = 0.0;
        gc_destination_point(start_lat, start_lon, true_course, step * kDmeStepNm, &lat, &lon);
        double distance = 0.0, course = 0.0;
        gc_dist_course(dme_lat, dme_lon, lat, lon, &distance, &course);
        if (std::fabs(distance - wanted) < kDmeStepNm) {
            *out_lat = lat;
            *out_lon = lon;
            return true;
        }
    }
    return false;
}

// Degrees turned from the previous course to the leg course in the turn's
// direction, in [0, 360).
double turn_angle(const std::string& turn, double course, double previous_course) {
    return turn == "RT" ? wrap360(course - previous_course) : wrap360(previous_course - course);
}

// The chord of a climbing turn of delta degrees.
double turn_chord(double delta) {
    const double k = kChordNmPerDegree;
    if (delta <= 90.0) return std::sqrt(2.0 * (k * delta) * (k * delta));
    if (delta <= 180.0)
        return std::sqrt((k * delta) * (k * delta) + (k * (180.0 - delta)) * (k * (180.0 - delta)));
    if (delta <= 270.0)
        return std::sqrt((k * (delta - 180.0)) * (k * (delta - 180.0)) +
                         (k * (360.0 - delta)) * (k * (360.0 - delta)));
    return std::sqrt(2.0 * (k * (360.0 - delta)) * (k * (360.0 - delta)));
}

// The shared SID and STAR expansion; altitude is used only when climbing is
// understood.
int expand_departure_or_arrival(std::string directive, double start_lat, double start_lon, double* ref_lat,
                                double* ref_lon, double previous_course, double variation, bool climbs,
                                int altitude) {
    std::string turn;
    if (begins_with(directive, "/RT") || begins_with(directive, "/LT")) {
        turn = directive.substr(1, 2);
        directive.erase(0, 3);
    }
    double course = 0.0;
    std::string end;
    split_directive(directive, false, &course, &end);

    if (begins_with(end, "UD")) {
        double lat = 0.0, lon = 0.0;
        if (until_dme_distance(start_lat, start_lon, wrap360(course + variation), leg_reference_lat,
                               leg_reference_lon, parse_double(end.c_str() + 2), &lat, &lon)) {
            *ref_lat = lat;
            *ref_lon = lon;
        }
        return 0;
    }

    if (climbs && begins_with(end, "UA")) {
        const double climb = (altitude - origin_elevation_ft) / 1500.0 * kClimbNmPer1500Ft;
        double from_lat = start_lat, from_lon = start_lon, remaining = climb;
        if (!turn.empty()) {
            const double delta = turn_angle(turn, course, previous_course);
            // The chord runs along the middle of the turn, on the side it turns to.
            const double mid_course =
                turn == "RT" ? wrap360(course - delta / 2.0) : wrap360(course + delta / 2.0);
            const double chord = turn_chord(delta);
            gc_destination_point(start_lat, start_lon, wrap360(mid_course + variation), chord, &from_lat,
                                 &from_lon);
            remaining = climb - chord;
        }
        if (!(remaining > 0.2)) return -99;
        gc_destination_point(from_lat, from_lon, wrap360(course + variation), remaining, ref_lat, ref_lon);
        return 0;
    }

    // "IC<radial>"; anything else intercepts radial 0, on its reciprocal only.
    const bool written_intercept = begins_with(end, "IC");
    const double radial = written_intercept ? parse_double(end.c_str() + 2) : 0.0;
    double lat = 0.0, lon = 0.0;
    bool on_reciprocal = false;
    if (!intercept_radial(start_lat, start_lon, course, *ref_lat, *ref_lon, radial, variation,
                          written_intercept ? 4 : 2, &lat, &lon, &on_reciprocal))
        return -99;
    if (!turn.empty() && on_reciprocal) {
        const double delta = turn_angle(turn, course, previous_course);
        gc_destination_point(lat, lon, wrap360(radial + variation), delta * kTurnAllowanceNmPerDegree, &lat,
                             &lon);
    }
    *ref_lat = lat;
    *ref_lon = lon;
    return 0;
}

// Appends a procedure-turn leg to the approach, keeping room for the leg the
// loader is building at the current count.
void append_procedure_turn_leg(int approach_index, const std::string& transition, const std::string& runway,
                               const std::string& name, double lat, double lon) {
    AirportProcedures& slot = airport_slots[destination_slot];
    if (approach_index < 1 || approach_index > slot.approaches.count()) return;
    BoundedTable<ProcedureLeg, 401>& legs = slot.approaches.slot(approach_index).legs;
    const int n = legs.count();
    if (n < 1 || n >= kMaxLegs) return;
    ProcedureLeg leg;
    leg.transition = transition;
    leg.fix = name;
    leg.runway_restriction = runway;
    leg.latitude = lat;
    leg.longitude = lon;
    leg.approach_name = legs[n - 1].approach_name;
    legs.slot(n) = std::move(leg);
    legs.set_count(n + 1);
}

// "IC" and "UD" of an approach leg; the DME point is the fix position.
int approach_end(const std::string& end, double start_lat, double start_lon, double course, double* ref_lat,
                 double* ref_lon) {
    const double variation = destination_magnetic_variation;
    double lat = 0.0, lon = 0.0;
    if (begins_with(end, "IC")) {
        bool on_reciprocal = false;
        if (!intercept_radial(start_lat, start_lon, course, *ref_lat, *ref_lon, parse_double(end.c_str() + 2),
                              variation, 4, &lat, &lon, &on_reciprocal))
            return 0;
    } else if (begins_with(end, "UD")) {
        if (!until_dme_distance(start_lat, start_lon, wrap360(course + variation), *ref_lat, *ref_lon,
                                parse_double(end.c_str() + 2), &lat, &lon))
            return 0;
    } else {
        return 0;
    }
    *ref_lat = lat;
    *ref_lon = lon;
    return 1;
}

} // namespace

int expand_sid_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                    double* ref_lon, int /*sid_index*/, const std::string& /*transition*/,
                    const std::string& /*text*/, int altitude, double previous_course) {
    return expand_departure_or_arrival(directive, start_lat, start_lon, ref_lat, ref_lon, previous_course,
                                       origin_magnetic_variation, true, altitude);
}

int expand_star_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                     double* ref_lon, int /*star_index*/, const std::string& /*transition*/,
                     const std::string& /*text*/, double previous_course) {
    return expand_departure_or_arrival(directive, start_lat, start_lon, ref_lat, ref_lon, previous_course,
                                       destination_magnetic_variation, false, -1);
}

int expand_approach_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                         double* ref_lon, int approach_index, const std::string& transition,
                         const std::string& runway) {
    std::string d = directive;
    if (begins_with(d, "/RT/T") || begins_with(d, "/LT/T") || begins_with(d, "/RT/H") ||
        begins_with(d, "/LT/H"))
        d.erase(0, 3);

    if (!begins_with(d, "/RT") && !begins_with(d, "/LT")) {
        double course = 0.0;
        std::string end;
        split_directive(d, true, &course, &end);
        return approach_end(end, start_lat, start_lon, course, ref_lat, ref_lon);
    }

    // Procedure turn: out on the reciprocal of the inbound course, a quarter
    // turn, a short leg, another quarter turn back onto the inbound course.
    const std::string turn = d.substr(1, 2);
    const double quarter = turn == "RT" ? 90.0 : -90.0;
    d.erase(0, 4);
    const std::size_t slash = d.find('/');
    const std::string first = d.substr(0, slash);
    const std::string end = slash == std::string::npos ? std::string() : d.substr(slash + 1);

    double outbound = 0.0;
    std::string first_name;
    if (begins_with(first, "H")) {
        const double inbound = parse_double(first.c_str() + 1);
        outbound = wrap360(turn == "RT" ? inbound - 180.0 : inbound + 180.0);
        first_name = "PT" + first.substr(1);
    }
    double lat1 = 0.0, lon1 = 0.0;
    gc_destination_point(start_lat, start_lon, outbound, kProcedureTurnOutboundNm, &lat1, &lon1);
    double course = wrap360(outbound + quarter);
    double lat2 = 0.0, lon2 = 0.0;
    gc_destination_point(lat1, lon1, course, kProcedureTurnSecondLegNm, &lat2, &lon2);
    char second_name[16];
    std::snprintf(second_name, sizeof second_name, "PT%03.0f", course);

    append_procedure_turn_leg(approach_index, transition, runway, first_name, lat1, lon1);
    append_procedure_turn_leg(approach_index, transition, runway, second_name, lat2, lon2);

    course = wrap360(course + quarter);
    return approach_end(end, lat2, lon2, course, ref_lat, ref_lon);
}

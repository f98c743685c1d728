#include "flown_path_check.h"

#include "fms/math/nav_math.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Polar {
    double nm, course;
};

Polar polar(double lat1, double lon1, double lat2, double lon2) {
    Polar p{0.0, 0.0};
    gc_dist_course(lat1, lon1, lat2, lon2, &p.nm, &p.course);
    return p;
}

double wrap180(double deg) {
    deg = std::fmod(deg + 540.0, 360.0) - 180.0;
    return deg;
}

// A point beside the line from (lat, lon) along `course`: NM along it and
// to its right.
struct Beside {
    double along, right;
};

Beside beside(double lat, double lon, double course, double plat, double plon) {
    const Polar p = polar(lat, lon, plat, plon);
    const double angle = radians(p.course - course);
    return {p.nm * std::cos(angle), p.nm * std::sin(angle)};
}

// How a turn at a fix is flown: the first row that applies.
enum class Turned { FlyBy, PastAndJoin };
struct TurnRule {
    const char* what;
    bool (*applies)(double turn_deg, bool flyover);
    Turned turned;
};
const TurnRule kTurnRules[] = {
    {"a fly-over fix: steered onto the next leg from just short of it",
     [](double, bool flyover) { return flyover; }, Turned::PastAndJoin},
    {"up to 120 degrees: an arc tangent to both legs",
     [](double turn, bool) { return std::fabs(turn) <= kFlyByMaxDeg; }, Turned::FlyBy},
    {"sharper (a reversal, a hairpin): steered onto the next leg from just short of it",
     [](double, bool) { return true; }, Turned::PastAndJoin},
};

Turned turned(double turn_deg, bool flyover) {
    for (const TurnRule& rule : kTurnRules)
        if (rule.applies(turn_deg, flyover)) return rule.turned;
    return Turned::PastAndJoin;
}

// The steering onto the next leg: a point this far ahead along it, by how
// far the aircraft stands off it.
struct LookAhead {
    double off_at_most, ahead;
};
const LookAhead kLookAhead[] = {{0.0, 5.0}, {3.5, 3.0}, {1e9, 5.0}};

double look_ahead(double off) {
    for (const LookAhead& row : kLookAhead)
        if (off <= row.off_at_most) return row.ahead;
    return kLookAhead[0].ahead;
}

} // namespace

void FlownPath::add(double lat, double lon) {
    double along = 0.0;
    if (!points_.empty()) {
        const Point& last = points_.back();
        const double step = polar(last.lat, last.lon, lat, lon).nm;
        if (step < 1e-3) return;
        along = last.along + step;
    }
    points_.push_back({lat, lon, along});
}

void FlownPath::arc(double heading, double turn_deg, double radius_nm) {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(turn_deg) / 5.0)));
    const double step = turn_deg / steps;
    const double chord = 2.0 * radius_nm * std::sin(radians(std::fabs(step)) / 2.0);
    for (int k = 0; k < steps; ++k) {
        double lat = 0.0, lon = 0.0;
        gc_destination_point(points_.back().lat, points_.back().lon, heading + step / 2.0, chord, &lat, &lon);
        add(lat, lon);
        heading += step;
    }
}

FlownPath::Steered FlownPath::steer(const Fix& b, const Fix& c, double heading, double radius_nm) {
    const Polar out = polar(b.lat, b.lon, c.lat, c.lon);
    Steered s;
    s.heading = heading;
    double nearest = polar(b.lat, b.lon, points_.back().lat, points_.back().lon).nm;
    s.crossed = points_.back().along;
    // Stepped finely, laid every kTurnPointEvery steps (the path is
    // searched pass after pass: a point every 0.05 NM made it slow).
    const double step = 0.05, most = degrees(step / radius_nm);
    constexpr int kTurnPointEvery = 5;
    double at_lat = points_.back().lat, at_lon = points_.back().lon;
    int unlaid = 0;
    for (double flown = 0.0; flown < 40.0; flown += step) {
        const Beside me = beside(b.lat, b.lon, out.course, at_lat, at_lon);
        s.off = std::fabs(me.right);
        const double to_fix = polar(b.lat, b.lon, at_lat, at_lon).nm;
        if (to_fix < nearest) nearest = to_fix, s.crossed = points_.back().along + unlaid * step;
        const double ahead = out.nm - polar(at_lat, at_lon, c.lat, c.lon).nm + look_ahead(s.off);
        double p_lat = 0.0, p_lon = 0.0;
        gc_destination_point(b.lat, b.lon, out.course, ahead, &p_lat, &p_lon);
        const double error = wrap180(polar(at_lat, at_lon, p_lat, p_lon).course - s.heading);
        s.at_end = me.along >= out.nm - 0.5;
        s.turning = s.off >= 0.05 || std::fabs(error) >= 2.0;
        if (s.at_end || !s.turning) break;
        s.heading += std::clamp(error, -most, most);
        gc_destination_point(at_lat, at_lon, s.heading, step, &at_lat, &at_lon);
        if (++unlaid < kTurnPointEvery) continue;
        const std::size_t count = points_.size();
        add(at_lat, at_lon);
        if (points_.size() == count) break;
        unlaid = 0;
    }
    if (unlaid > 0) add(at_lat, at_lon);
    return s;
}

void FlownPath::build(double lat, double lon, double heading_now, const Fix* leg_start,
                      const std::vector<Fix>& ahead, double radius_nm, bool sequenced_in_turn) {
    points_.clear();
    crossings_.clear();
    if (ahead.empty()) return;
    const Fix& to = ahead.front();
    // Start: abeam on the active leg, or straight from the aircraft.
    bool on_leg = false, joining = false, turning = false;
    double heading = 0.0; // where a turn past a fix ended aside its leg out
    if (leg_start != nullptr) {
        const Polar leg = polar(leg_start->lat, leg_start->lon, to.lat, to.lon);
        const Beside me = beside(leg_start->lat, leg_start->lon, leg.course, lat, lon);
        // Sequenced in a turn past the leg's start, well aside the leg: it
        // steers for the leg after from where it is.
        if (sequenced_in_turn && ahead.size() > 1 && std::fabs(me.right) > kJoinAsideNm &&
            std::fabs(me.right) <= kOffLegNm) {
            add(lat, lon);
            heading = heading_now, joining = true;
        } else if (leg.nm > 0.1 && std::fabs(me.right) <= kOffLegNm && me.along <= leg.nm) {
            double on_lat = 0.0, on_lon = 0.0;
            gc_destination_point(leg_start->lat, leg_start->lon, leg.course, std::max(0.0, me.along), &on_lat,
                                 &on_lon);
            add(on_lat, on_lon);
            on_leg = true;
        }
    }
    if (!on_leg && !joining) add(lat, lon);
    if (on_leg && ahead.size() > 1 && polar(lat, lon, to.lat, to.lon).nm <= kPastFromNm) {
        const Polar back = polar(to.lat, to.lon, leg_start->lat, leg_start->lon);
        const Polar out = polar(to.lat, to.lon, ahead[1].lat, ahead[1].lon);
        if (turned(wrap180(out.course - back.course - 180.0), to.flyover) != Turned::FlyBy) {
            points_.clear();
            add(lat, lon);
            heading = heading_now, turning = true;
        }
    }
    for (std::size_t k = 0; k < ahead.size(); ++k) {
        const Fix& b = ahead[k];
        const Point from = points_.back();
        if (k + 1 == ahead.size()) {
            add(b.lat, b.lon);
            crossings_.push_back({b.id, points_.back().along});
            break;
        }
        const Fix& c = ahead[k + 1];
        const Polar back = polar(b.lat, b.lon, from.lat, from.lon);
        const Polar out = polar(b.lat, b.lon, c.lat, c.lon);
        const double in_course = back.course + 180.0;
        const double turn = back.nm < 1e-3 ? 0.0 : wrap180(out.course - in_course);
        if (!joining && turned(turn, b.flyover) == Turned::FlyBy) {
            const double half = std::tan(radians(std::fabs(turn)) / 2.0);
            const double t = std::min({radius_nm * half, 0.5 * back.nm, 0.5 * out.nm});
            if (half < 1e-6 || t < 1e-3) {
                add(b.lat, b.lon);
                crossings_.push_back({b.id, points_.back().along});
                continue;
            }
            const double r = t / half;
            double s_lat = 0.0, s_lon = 0.0;
            gc_destination_point(b.lat, b.lon, back.course, t, &s_lat, &s_lon);
            add(s_lat, s_lon);
            crossings_.push_back({b.id, points_.back().along + r * radians(std::fabs(turn)) / 2.0});
            arc(in_course, turn, r);
            turning = false;
            continue;
        }
        // Sequenced kPastFromNm short of the fix, then steered for a point
        // ahead on the next leg, turning at the most rate, until on it.
        // Still aside a leg too short to join, the aircraft sequences its
        // end on the way and steers on for the leg after from where it is.
        if (!joining && !turning) {
            if (back.nm > kPastFromNm) {
                double s_lat = 0.0, s_lon = 0.0;
                gc_destination_point(b.lat, b.lon, back.course, kPastFromNm, &s_lat, &s_lon);
                add(s_lat, s_lon);
            }
            heading = in_course;
        }
        const Steered s = steer(b, c, heading, radius_nm);
        crossings_.push_back({b.id, s.crossed});
        joining = s.at_end && s.off > kJoinAsideNm, heading = s.heading;
        turning = s.at_end && s.turning;
    }
}

bool FlownPath::turned_past(const Fix& a, const Fix& b, const Fix& c) {
    const Polar back = polar(b.lat, b.lon, a.lat, a.lon);
    const Polar out = polar(b.lat, b.lon, c.lat, c.lon);
    return turned(wrap180(out.course - back.course - 180.0), b.flyover) != Turned::FlyBy;
}

double FlownPath::locate(double lat, double lon, double from, double to, double* off) const {
    double best_along = from, best_off = 1e9;
    if (points_.size() < 2) {
        *off = best_off;
        return best_along;
    }
    auto first = std::lower_bound(points_.begin(), points_.end(), from,
                                  [](const Point& p, double a) { return p.along < a; });
    std::size_t i = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, first - points_.begin() - 1));
    for (; i + 1 < points_.size() && points_[i].along <= to; ++i) {
        const Point& p = points_[i];
        const Point& q = points_[i + 1];
        const double length = q.along - p.along;
        const Polar seg = polar(p.lat, p.lon, q.lat, q.lon);
        const Beside b = beside(p.lat, p.lon, seg.course, lat, lon);
        double along = b.along, o = std::fabs(b.right);
        if (along < 0.0) {
            along = 0.0;
            o = polar(p.lat, p.lon, lat, lon).nm;
        } else if (along > length) {
            along = length;
            o = polar(q.lat, q.lon, lat, lon).nm;
        }
        if (o < best_off) {
            best_off = o;
            best_along = p.along + along;
        }
    }
    *off = best_off;
    return best_along;
}

double FlownPath::crossing(int id) const {
    for (const auto& [fix, along] : crossings_)
        if (fix == id) return along;
    return -1.0;
}

void PathTrack::follow(double lat, double lon) {
    if (path.empty()) return;
    // As far ahead as the aircraft may stand off the path: a turn cut
    // short comes back onto it farther on, but never onto a leg beside it
    // much farther along (the way back from a hairpin).
    double o = 0.0;
    const double a = path.locate(lat, lon, along - 0.3, along + 1.5 + 2.0 * off, &o);
    along = std::max(along, a), off = o;
}

const std::vector<ExampleApproachLeg>& example_approach_legs() {
    static std::vector<ExampleApproachLeg> legs;
    if (!legs.empty()) return legs;
    std::ifstream file(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata/apps.txt");
    std::string line, airport;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            airport = line.substr(1, line.find(']') - 1);
            continue;
        }
        std::istringstream in(line);
        ExampleApproachLeg leg;
        int reading = 32, speed = 32;
        leg.airport = airport;
        in >> leg.runway >> leg.name >> leg.fix >> leg.role >> leg.altitude >> leg.lat >> leg.lon >>
            leg.transition >> reading >> speed;
        if (!in) continue;
        leg.altitude_reading = static_cast<char>(reading);
        legs.push_back(leg);
    }
    return legs;
}

bool approach_altitude_is_at(const std::string& airport, const std::string& approach,
                             const std::string& fix) {
    for (const ExampleApproachLeg& leg : example_approach_legs())
        if (leg.airport == airport && leg.name == approach && leg.fix == fix)
            return leg.altitude_reading == '@';
    return false;
}

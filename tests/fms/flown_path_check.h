// The lateral path a random flight's aircraft flies on LNAV, as the flights'
// checker reads it on its own (never from the module's path), and the
// example database's approaches as their file writes them.
//
// The rule table, row by row: the first row that applies lays the path.
//   start: the aircraft within kOffLegNm of the active leg (LNAV's reach
//          of a leg it intercepts) joins it abeam; farther off every leg (a
//          route typed anew, a far overshoot) it flies straight to the TO;
//          but one that LNAV sequenced the fix ahead for in a turn past the
//          fix before (a hairpin swung wide of a short leg) more than
//          kJoinAsideNm aside the leg into it steers from where it is, on
//          its heading, for the leg after, as a turn ended aside does.
//   turn:  a fly-by fix turning up to kFlyByMaxDeg is flown on an arc of
//          the aircraft's turn radius tangent to both legs;
//          a sharper turn, or a fly-over fix, is sequenced kPastFromNm
//          short of the fix and flown as LNAV steers: for the point a
//          look-ahead ahead on the next leg (3 NM within 3.5 NM of it, else
//          5), turning at the aircraft's rate, until on that leg (to the next
//          fix when that leg is too short to join); still more than
//          kJoinAsideNm aside at that leg's end, it steers on from there for
//          the leg after (LNAV sequenced the fix on the way); still
//          turning at that leg's end, the turn past the next fix begins
//          there on the heading it has (it decides which way it turns);
//          so does a turn the aircraft has been sequenced for already (the
//          path laid within kPastFromNm of its fix): from the aircraft.
//   end:   the last entry is flown to.
// A fix is crossed where the path comes closest to it: the middle of its
// arc, or the point of a turn past it nearest it.
#pragma once

#include <string>
#include <vector>

inline constexpr double kOffLegNm = 10.0;
inline constexpr double kFlyByMaxDeg = 120.0;
inline constexpr double kPastFromNm = 1.5;
inline constexpr double kJoinAsideNm = 1.0;

class FlownPath {
  public:
    struct Fix {
        double lat = 0.0, lon = 0.0;
        int id = 0;
        bool flyover = false;
    };
    // The path from the aircraft at (lat, lon) over `ahead` (the TO first);
    // `leg_start` is the fix the active leg starts at, null when none.
    // `heading`: the aircraft's true heading now; `sequenced_in_turn`: LNAV
    // sequenced the first fix of `ahead` in a turn past `leg_start`.
    void build(double lat, double lon, double heading, const Fix* leg_start, const std::vector<Fix>& ahead,
               double radius_nm, bool sequenced_in_turn = false);
    // Whether the turn at b from the leg from a onto the leg to c is turned
    // past b (not flown by on an arc).
    static bool turned_past(const Fix& a, const Fix& b, const Fix& c);
    bool empty() const { return points_.size() < 2; }
    double length() const { return points_.empty() ? 0.0 : points_.back().along; }
    // NM along the path to the point of it nearest (lat, lon) between
    // `from` and `to` NM along; its distance off the path in `off`.
    double locate(double lat, double lon, double from, double to, double* off) const;
    // NM along the path where fix `id` is crossed; -1 when it is not ahead.
    double crossing(int id) const;
    // Each fix's id and where the path crosses it, in order.
    const std::vector<std::pair<int, double>>& crossings() const { return crossings_; }

  private:
    struct Point {
        double lat, lon, along;
    };
    void add(double lat, double lon);
    // Steered from the last point on `heading` onto the leg from b to c,
    // until on it or near its end: where b was passed nearest, and how far
    // aside the leg it ended.
    struct Steered {
        double heading = 0.0, off = 0.0, crossed = 0.0;
        bool at_end = false, turning = false;
    };
    Steered steer(const Fix& b, const Fix& c, double heading, double radius_nm);
    void arc(double heading, double turn_deg, double radius_nm);
    std::vector<Point> points_;
    std::vector<std::pair<int, double>> crossings_;
};

// The aircraft followed along a path: where it stands on it pass by pass.
struct PathTrack {
    FlownPath path;
    double along = 0.0, off = 0.0;
    // Moves on to the aircraft at (lat, lon); the path is searched a little
    // ahead of where it stood, the farther the more it stood off.
    void follow(double lat, double lon);
};

// One leg of an example approach, as the file lists it.
struct ExampleApproachLeg {
    std::string airport, runway, name, fix, role, transition;
    double altitude = 0.0, lat = 0.0, lon = 0.0;
    char altitude_reading = ' '; // '@' at, '+' at or above, '-' at or below
};
const std::vector<ExampleApproachLeg>& example_approach_legs();

// Whether the altitude of `fix` on `approach` at `airport` is one to be at.
bool approach_altitude_is_at(const std::string& airport, const std::string& approach, const std::string& fix);

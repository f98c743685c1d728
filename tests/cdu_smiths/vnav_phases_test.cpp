// VNAV's phases through a flight typed on the SMITHS_FMS, and the autopilot
// targets it sends: each once for the reason that calls for it, none frame
// after frame, and the pilot's MCP altitude kept until the next reason.
#include "cdu_stand_in.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr uint32_t kAltitudeSet = 0x1024C;
constexpr uint32_t kSpeedSet = 0x101F5;

class VnavPhases : public CduStandIn {
  protected:
    // Events of `id` sent since the event log held `from` entries.
    static int sent_since(std::size_t from, uint32_t id) {
        const auto& events = host::sim_state().key_events;
        int n = 0;
        for (std::size_t i = from; i < events.size(); ++i)
            n += events[i].id == id;
        return n;
    }
    static std::size_t mark() { return host::sim_state().key_events.size(); }
    // The most altitude or speed targets sent in one stretch of 18 frames
    // while `more` holds (at most 3000 stretches); `each` sees every stretch.
    template <class More, class Each> int fly_while(More more, Each each) {
        int most = 0;
        for (int i = 0; i < 3000 && more(); ++i) {
            const std::size_t from = mark();
            run("fly 18\n");
            most = std::max({most, sent_since(from, kAltitudeSet), sent_since(from, kSpeedSet)});
            each();
        }
        return most;
    }
};

} // namespace

// The demo's start: parked at a KSEA gate with SEA 0.6 NM ahead, LNAV and
// VNAV engaged. Engagement sends the altitude and the speed once; standing,
// the pilot's MCP altitude and the taxi send nothing more; in flight the
// phases follow one another and no target goes out on every frame.
TEST_F(VnavPhases, atTheGateTheTargetsGoOutOnceAndThePilotsAltitudeStays) {
    run("aircraft ground 433\naircraft magvar 18\naircraft position 47.4432 -122.3016\naircraft heading 270\n"
        "aircraft altitude 433\naircraft speed 0\naircraft engines 2\naircraft fuel 20000\naircraft ap on\n"
        "aircraft ap hdg on\naircraft ap alt on\nframes 20\n"
        "cdu SMITHS_FMS RTE \"KSEAKPDX\" L2 R6 EXEC INIT_REF L1\nframes 2\nkey 0x10337\nframes 2\n");
    const std::size_t engaged = mark();
    run("key 0x10338\nframes 2\n");
    ASSERT_EQ(vnav_engaged, 1);
    EXPECT_TRUE(vnav_on_ground());
    EXPECT_EQ(sent_since(engaged, kAltitudeSet), 1);
    EXPECT_EQ(sent_since(engaged, kSpeedSet), 1);

    struct Step {
        const char* what;
        const char* script;
    };
    const Step standing[] = {
        {"parked", "frames 100\n"},
        {"the pilot's altitude", "key 0x1024C 5000\nframes 100\n"},
        {"taxiing", "aircraft speed 15\nframes 100\naircraft speed 0\nframes 5\n"},
    };
    for (const Step& s : standing) {
        run(s.script);
        // The script's own key is the only altitude set.
        const std::size_t from = mark();
        run("frames 20\n");
        EXPECT_EQ(sent_since(from, kAltitudeSet), 0) << s.what;
        EXPECT_EQ(sent_since(from, kSpeedSet), 0) << s.what;
        EXPECT_TRUE(vnav_on_ground()) << s.what;
    }
    EXPECT_EQ(host::aircraft().ap_altitude_ft, 5000.0);

    // Take-off on the runway heading, then the flight: the phases in order,
    // and in no stretch of 18 frames a target sent more than twice.
    run("aircraft position 47.4638 -122.3079\naircraft heading 180\nframes 2\naircraft rate 4\n"
        "aircraft speed 160\naircraft ap spd on\nkey 0x1024C 3000\nkey 0x101F4 2000\n");
    std::vector<VnavPhase> phases{vnav_phase};
    int most_in_a_stretch = 0;
    for (int i = 0; i < 1500 && vnav_engaged == 1 && phases.back() != VnavPhase::Descent; ++i) {
        const std::size_t from = mark();
        run("fly 18\n");
        most_in_a_stretch =
            std::max({most_in_a_stretch, sent_since(from, kAltitudeSet), sent_since(from, kSpeedSet)});
        if (vnav_phase != phases.back()) phases.push_back(vnav_phase);
    }
    EXPECT_LE(most_in_a_stretch, 2);
    ASSERT_GE(phases.size(), 3u);
    EXPECT_EQ(phases.front(), VnavPhase::Climb);
    EXPECT_EQ(phases.back(), VnavPhase::Descent);
    EXPECT_NE(std::find(phases.begin(), phases.end(), VnavPhase::Cruise), phases.end());
}

// Every route shape, VNAV engaged at every moment of the flight: no target
// goes out frame after frame, none on the ground after the engagement, no
// climb once the descent began, and a route with an end of descent ends low.
// And the flight against what the pages show, read as a pilot reads them:
// the climb goes no higher than ECON CLB's cruise altitude, each fix ahead
// is passed at the altitude LEGS shows for it, the climb levels off at
// the T/C and starts down at the T/D that the ECON pages show, the deviation
// PROGRESS shows reads near 0 at the T/D and steps smoothly down the path,
// and every figure of
// the ECON and PROGRESS pages belongs to the route. The checker measures
// along the track the aircraft flew and asks the module for no vertical
// figure.
namespace {

struct Shape {
    const char* what;
    const char* keys;
    int cruise;
    bool ends_low;
    bool reaches_cruise;
};
const Shape kShapes[] = {
    {"with destination",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL160\" R1 EXEC", 16000, true,
     true},
    {"without destination",
     "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 \"HQM\" R3 R6 EXEC INIT_REF \"FL120\" R1 EXEC", 12000, false,
     true},
    // 8000 typed at OLM, 35 NM out and past where the climb would reach
    // FL160: it ends a descent, and the climb meets the descent to it at the
    // level the leg affords.
    {"a typed constraint",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL160\" R1 EXEC LEGS "
     "\"8000\" R2 EXEC",
     16000, true, false},
    // The company route without its approach: the arrival's altitudes,
    // neither typed nor an approach's.
    {"an arrival's constraints", "RTE \"NOAPP\" L2 R6 EXEC", 16000, true, true},
    // The company route: the arrival and the approach to 10R with their
    // altitudes.
    {"an approach with its constraints", "RTE \"KSEAKPDX\" L2 R6 EXEC", 16000, true, true},
    // A climb to FL350 at the climb speed, whose TAS near the top asks more
    // of the mean climb rate's gradient than the autopilot's greatest rate.
    {"a long climb",
     "RTE \"KSEA\" L1 \"KEUG\" R1 NEXT \"SEA\" R1 \"OLM\" R2 \"BTG\" R3 \"UBG\" R4 \"CVO\" R5 R6 EXEC "
     "INIT_REF \"FL350\" R1 EXEC",
     35000, true, true},
    {"too short for its cruise altitude",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 R6 EXEC INIT_REF \"FL410\" R1 EXEC", 41000, true, false},
};
enum Moment { Gate, Taxiing, UnderTheHold, Climbing, Cruising, Descending };
const char* const kMoments[] = {"at the gate",  "taxiing",   "after take-off under the pilot's hold",
                                "in the climb", "at cruise", "in the descent"};

// The distance after an ETA ("1712.5Z / 14.2", "1712.5Z/88 NM"); -1 when the
// text shows none.
double shown_distance(const std::string& text) {
    static const std::regex eta_distance("^\\d{4}\\.\\d[ZL] ?/ ?(\\d+(\\.\\d+)?)");
    std::smatch m;
    return std::regex_search(text, m, eta_distance) ? std::stod(m[1]) : -1.0;
}
// An altitude as ECON CLB and LEGS show it ("FL160", "12000", " 8000A"); -1
// when the text shows none.
double shown_altitude(const std::string& text) {
    static const std::regex altitude("^ *(FL)?(\\d{3,5})A?$");
    std::smatch m;
    if (!std::regex_search(text, m, altitude)) return -1.0;
    return std::stod(m[2]) * (m[1].matched ? 100.0 : 1.0);
}
// The signed deviation of "  385 LO" / "   12 HI" (above the path positive);
// NaN when the text shows none.
double shown_deviation(const std::string& text) {
    static const std::regex deviation("^ *(\\d+) (HI|LO)$");
    std::smatch m;
    if (!std::regex_search(text, m, deviation)) return std::nan("");
    return std::stod(m[1]) * (m[2] == "HI" ? 1.0 : -1.0);
}
double nm_between(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &course);
    return d;
}

class VnavEngagedAt : public VnavPhases, public ::testing::WithParamInterface<std::tuple<int, int>> {
  protected:
    void prepare_sim_folder(const std::string& root) override { write_route_without_approach(root); }
    // The track flown, one point each 18 frames: NM flown since the
    // engagement, where and how high.
    struct Point {
        double flown, lat, lon, altitude;
    };
    std::vector<Point> track;
    // A point of the profile a page showed: where along the track it puts
    // it (NM flown then plus the distance shown), and when it was read.
    struct Reading {
        double at = -1.0, read_at = -1.0;
    };
    std::vector<Reading> toc_readings, tod_readings;
    std::vector<double> deviations; // PROGRESS, in the descent
    int level_while_high = 0;
    // A fix with the altitude LEGS showed for it ("A": at or above).
    struct LegsRow {
        std::string ident;
        double lat, lon, altitude;
        bool at_or_above;
    };
    std::vector<LegsRow> legs;
    double cruise_shown = -1.0;
    int pages_checked = 0;

    // The texts of the last frame, read once for all the looks at it.
    struct Shown {
        std::vector<gfx::RecordedOp> ops;
        bool has(const std::string& text) const {
            return std::any_of(ops.begin(), ops.end(), [&](const gfx::RecordedOp& op) {
                return op.kind == gfx::OpKind::String && op.text == text;
            });
        }
        std::string at(float x, float y) const {
            for (const gfx::RecordedOp& op : ops)
                if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y)
                    return op.text;
            return "";
        }
        std::string page() const {
            for (const char* page : {"ECON  CLB", "ECON  CRZ", "ECON  PATH  DES", "PROGRESS"})
                if (has(page)) return page;
            return "";
        }
    };
    double flown() const { return track.empty() ? 0.0 : track.back().flown; }
    // NM from the aircraft along the rest of the route to its end.
    static double route_left() {
        double left = 0.0, lat = host::aircraft().lat_deg, lon = host::aircraft().lon_deg;
        for_each_route_stop(active_plan, to_waypoint_index, active_plan_last, true, [&](const RouteStop& s) {
            left += nm_between(lat, lon, s.waypoint.lat, s.waypoint.lon);
            lat = s.waypoint.lat;
            lon = s.waypoint.lon;
        });
        return left;
    }
    // The fixes ahead with the altitudes LEGS shows, the first time it is
    // read.
    void read_legs() {
        press("LEGS");
        if (!legs.empty()) return;
        for (float y = 33; y <= 165; y += 33) {
            std::string ident = text_at(0, y);
            ident.erase(ident.find_last_not_of(' ') + 1);
            const gfx::RecordedOp* alt = text_op([&](const gfx::RecordedOp& op) {
                return op.world_rect.y == y && op.world_rect.x > 200 && shown_altitude(op.text) > 0.0;
            });
            if (ident.empty() || alt == nullptr) continue;
            for (int i = to_waypoint_index; i <= active_plan_last; ++i)
                if (active_plan[i].ident == ident) {
                    legs.push_back({ident, active_plan[i].lat, active_plan[i].lon, shown_altitude(alt->text),
                                    alt->text.back() == 'A'});
                    break;
                }
        }
    }
    // Every figure of the ECON and PROGRESS pages belongs to the route: no
    // distance beyond what is left of it, no fuel below 0, every ident
    // named, no -999, and no T/D where the route has no end of descent.
    void check_pages(const Shape& shape, const std::string& row, const char* when) {
        SCOPED_TRACE(row + ", " + when);
        const double left = route_left() + 1.0;
        static const std::regex blank_ident("(A T|T O) *$|\\(\\)");
        auto belong = [&](const char* page) {
            for (const std::string& t : texts()) {
                EXPECT_LE(shown_distance(t), left) << page << ": " << t;
                EXPECT_FALSE(std::regex_search(t, blank_ident)) << page << ": " << t;
                EXPECT_EQ(t.find("-999"), std::string::npos) << page << ": " << t;
                if (!shape.ends_low) {
                    EXPECT_NE(t, "T O   T / D") << page;
                }
            }
        };
        press("CLB");
        belong("ECON CLB");
        if (cruise_shown < 0.0) cruise_shown = shown_altitude(text_at(5, 33));
        press("CRZ");
        belong("ECON CRZ");
        if (!text_at(12, 121).empty()) {
            EXPECT_GE(std::atof(text_at(0, 133).c_str()), 0.0) << "ECON CRZ fuel";
        }
        press("DES");
        belong("ECON DES");
        press("PROG");
        belong("PROGRESS");
        // The distances end near x 122 on the TO, NEXT and destination rows;
        // the fuel predicted stands at x 227.
        for (const gfx::RecordedOp& op : last_frame()) {
            const gfx::RectF& r = op.world_rect;
            if (op.kind != gfx::OpKind::String || (r.y != 66 && r.y != 99 && r.y != 131)) continue;
            if (r.x > 0 && r.x < 122) {
                EXPECT_LE(std::atof(op.text.c_str()), left) << "PROGRESS: " << op.text;
            } else if (r.x == 227) {
                EXPECT_GE(std::atof(op.text.c_str()), 0.0) << "PROGRESS: " << op.text;
            }
        }
        read_legs();
        ++pages_checked;
    }
    // After each stretch: the track, and what the page shown reads. Returns
    // the page shown.
    std::string look() {
        const host::AircraftModel& a = host::aircraft();
        const double flown_now =
            track.empty() ? 0.0
                          : flown() + nm_between(track.back().lat, track.back().lon, a.lat_deg, a.lon_deg);
        track.push_back({flown_now, a.lat_deg, a.lon_deg, a.altitude_ft});
        const Shown shown{last_frame()};
        const std::string page = shown.page();
        if (page == "ECON  CLB" && shown.has("T O   T / C")) {
            toc_readings.push_back({flown_now + shown_distance(shown.at(160, 66)), flown_now});
        } else if ((page == "ECON  CRZ" || page == "ECON  PATH  DES") && shown.has("T O   T / D")) {
            for (const gfx::RecordedOp& op : shown.ops)
                if (op.kind == gfx::OpKind::String && shown_distance(op.text) >= 0.0)
                    tod_readings.push_back({flown_now + shown_distance(op.text), flown_now});
        } else if (page == "PROGRESS" && shown.at(230, 5) == "3 / 3") {
            const double d = shown_deviation(shown.at(200, 99));
            if (!std::isnan(d)) deviations.push_back(d);
            // The page says above the path: VNAV is on its way down to it,
            // unless too slow for VNAV's descent (the aircraft file's 160 kt).
            if (d > 200.0 && a.vertical_speed_fpm > -100.0 && a.ias_kt > 170.0) ++level_while_high;
        }
        return page;
    }
    // The last reading taken before the track reached `flown_then`.
    static Reading last_before(const std::vector<Reading>& readings, double flown_then) {
        Reading last;
        for (const Reading& r : readings)
            if (r.read_at <= flown_then) last = r;
        return last;
    }
};

} // namespace

TEST_P(VnavEngagedAt, sendsItsTargetsOncePerReasonAndFliesTheProfileThePagesShow) {
    const Shape& shape = kShapes[std::get<0>(GetParam())];
    const int m = std::get<1>(GetParam());
    const std::string row = std::string(shape.what) + ", " + kMoments[m];
    run(std::string("aircraft ground 433\naircraft position 47.4432 -122.3016\naircraft heading 270\n"
                    "aircraft altitude 433\naircraft speed 0\naircraft engines 2\naircraft fuel 20000\n"
                    "aircraft ap on\naircraft ap hdg on\naircraft ap alt on\nframes 20\ncdu SMITHS_FMS ") +
        shape.keys + "\nframes 2\nkey 0x10337\nframes 2\n");
    const auto engage = [&] {
        run("key 0x10338\nframes 2\n");
        ASSERT_EQ(vnav_engaged, 1) << row;
    };
    if (m == Gate) engage();
    run("aircraft speed 15\nframes 40\n");
    if (m == Taxiing) engage();
    const std::size_t from = mark();
    run("frames 40\naircraft speed 0\nframes 5\n");
    if (m <= Taxiing) {
        EXPECT_EQ(sent_since(from, kAltitudeSet) + sent_since(from, kSpeedSet), 0) << row;
        EXPECT_TRUE(vnav_on_ground()) << row;
    }
    // Take-off from runway 16L with the pilot's 3000 ft; with VNAV off the
    // pilot climbs on to the cruise altitude by the MCP.
    run("aircraft position 47.4638 -122.3079\naircraft heading 180\nframes 2\naircraft rate 4\n"
        "aircraft speed 160\naircraft ap spd on\nkey 0x1024C 3000\nkey 0x101F4 2000\n");
    // VNAV not engaged yet, the pilot sets the speeds too.
    if (m > Taxiing) run("key 0x101F5 250\n");
    const auto altitude = [] { return host::aircraft().altitude_ft; };
    const auto nothing = [] {};
    fly_while([&] { return altitude() < 1500.0; }, nothing);
    if (m == UnderTheHold) engage();
    if (m >= Climbing) {
        run("aircraft speed 280\nkey 0x101F5 280\nkey 0x101F4 3000\nkey 0x1024C " +
            std::to_string(shape.cruise) + "\n");
        fly_while([&] { return altitude() < 6000.0; }, nothing);
    }
    if (m == Climbing) engage();
    if (m >= Cruising)
        fly_while([&] { return vnav_phase == VnavPhase::Climb && lnav_engaged == 1; }, nothing);
    if (m >= Cruising) engage();
    // In the descent VNAV is taken off and engaged again.
    if (m == Descending) {
        fly_while([&] { return vnav_phase != VnavPhase::Descent && lnav_engaged == 1; }, nothing);
        // A route without an end of descent has no T/D: it cruises to its end.
        if (!shape.ends_low) {
            EXPECT_NE(vnav_phase, VnavPhase::Descent) << row;
            EXPECT_EQ(vnav_phase, VnavPhase::Cruise) << row;
            return;
        }
        ASSERT_EQ(vnav_phase, VnavPhase::Descent) << row;
        run("key 0x10338\nframes 2\n");
        engage();
        EXPECT_EQ(vnav_phase, VnavPhase::Descent) << row;
    }

    // The flight on VNAV to the route's end. The ECON page the phase calls
    // for is shown (the module turns it at the T/C and the T/D), in the
    // descent PROGRESS with the deviation; the pages are checked once in the
    // climb, at cruise and in the descent. Engaged at cruise past a T/D the
    // module passed already (a route too short for the level the pilot
    // climbs to), the descent is what follows.
    const bool engaged_before_tod = vnav_phase != VnavPhase::Descent;
    press(!engaged_before_tod ? "PROG PREV" : m == Cruising ? "CRZ" : "CLB");
    bool descended = false, climbed_after = false;
    int descent_looks = 0;
    const int most = fly_while(
        [&] { return lnav_engaged == 1; },
        [&] {
            descended = descended || vnav_phase == VnavPhase::Descent;
            climbed_after = climbed_after || (descended && vnav_phase == VnavPhase::Climb);
            const std::string page = look();
            const double vs = host::aircraft().vertical_speed_fpm;
            const bool fast = host::aircraft().ias_kt > 100.0;
            // In the climb once the pilot's 3000 ft is no longer held.
            const bool held = host::aircraft().ap_altitude_ft == 3000.0;
            if (pages_checked == 0 && m <= Climbing && fast && vs > 300.0 && !held) {
                check_pages(shape, row, "in the climb");
                press("CLB");
            } else if (pages_checked <= 1 && m <= Cruising && page == "ECON  CRZ" && std::fabs(vs) < 50.0) {
                pages_checked = 1;
                check_pages(shape, row, "at cruise");
                press("CRZ");
            } else if (page == "ECON  PATH  DES") {
                press("PROG PREV");
            } else if (!deviations.empty() && ++descent_looks == 20) {
                check_pages(shape, row, "in the descent");
                press("PROG PREV");
            }
        });
    EXPECT_LE(most, 2) << row;
    EXPECT_FALSE(climbed_after) << row;
    if (shape.ends_low) {
        EXPECT_LT(altitude(), 433.0 + 4000.0) << row;
    }
    EXPECT_GE(pages_checked, 1) << row;

    // The level: no higher than the cruise altitude ECON CLB shows, and that
    // altitude where the route affords it.
    double peak = 0.0;
    for (const Point& p : track)
        peak = std::max(peak, p.altitude);
    ASSERT_GT(cruise_shown, 0.0) << row;
    if (m <= Climbing) {
        EXPECT_LE(peak, cruise_shown + 100.0) << row;
        if (shape.reaches_cruise) {
            EXPECT_GE(peak, cruise_shown - 100.0) << row;
        }
    }
    // Where the climb levels off and the descent starts, against the T/C
    // and T/D the pages showed last before (a route too short for its
    // cruise altitude shows no T/D: the descent starts where its climb
    // ends).
    double level_off = -1.0, start_down = -1.0;
    for (const Point& p : track)
        if (p.altitude >= peak - 30.0) {
            if (level_off < 0.0) level_off = p.flown;
            start_down = p.flown;
        }
    const Reading toc = last_before(toc_readings, level_off);
    Reading tod = last_before(tod_readings, start_down);
    if (!shape.reaches_cruise) tod = toc;
    constexpr double kFewNm = 2.0;
    if (m <= Climbing) {
        ASSERT_GE(toc.at, 0.0) << row << ": no T/C shown";
        EXPECT_NEAR(toc.at, level_off, kFewNm) << row << ": T/C";
    }
    if (shape.ends_low && (m <= Climbing || (m == Cruising && shape.reaches_cruise))) {
        ASSERT_GE(tod.at, 0.0) << row << ": no T/D shown";
        EXPECT_NEAR(tod.at, start_down, kFewNm) << row << ": T/D";
    }
    // The deviation down the path: no step of more than a few hundred ft
    // between two looks (18 frames), through the turns and the sequencing.
    double largest_step = 0.0;
    for (std::size_t i = 1; i < deviations.size(); ++i)
        largest_step = std::max(largest_step, std::fabs(deviations[i] - deviations[i - 1]));
    if (shape.ends_low && (m != Cruising || shape.reaches_cruise)) {
        EXPECT_GT(deviations.size(), 20u) << row;
    }
    EXPECT_LT(largest_step, 300.0) << row;
    EXPECT_EQ(level_while_high, 0) << row;
    if (engaged_before_tod && !deviations.empty()) {
        EXPECT_LE(std::fabs(deviations.front()), 250.0) << row << ": the deviation at the T/D";
    }
    // Each fix LEGS showed ahead, passed at the altitude it showed there (or
    // above it where it shows "A"): at the track's point nearest the fix.
    if (m <= Cruising && shape.reaches_cruise) {
        EXPECT_FALSE(legs.empty()) << row;
    }
    for (const LegsRow& fix : legs) {
        const Point* nearest = &track.front();
        for (const Point& p : track)
            if (nm_between(p.lat, p.lon, fix.lat, fix.lon) <
                nm_between(nearest->lat, nearest->lon, fix.lat, fix.lon))
                nearest = &p;
        if (nearest == &track.front()) continue; // behind where the track began
        if (fix.at_or_above) {
            EXPECT_GT(nearest->altitude, fix.altitude - 500.0) << row << ": " << fix.ident;
        } else {
            EXPECT_NEAR(nearest->altitude, fix.altitude, 500.0) << row << ": " << fix.ident;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ShapesAndMoments, VnavEngagedAt,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kShapes))),
                                            ::testing::Range(0, 6)));

// Where the TO stays near for many passes, in a hold at a fix in the climb,
// in cruise and in the descent, and where the route turns back on itself:
// each target goes out at most once for each event the checker sees (a
// phase or a TO that changes, a hold's fix reached, 10 000 ft crossed
// where the speed limits apply), none pass after pass; the pilot's MCP altitude set in the hold
// stays until the next event; and no vertical-speed command goes back to
// the one before within a second.
namespace {

constexpr uint32_t kMachSet = 0x101F6;
constexpr uint32_t kVerticalSpeedSet = 0x101F4;

#define DOUBLING_BACK                                                                                        \
    "RTE \"KSEA\" L1 \"KPDX\" R1 \"16R\" L3 NEXT \"PARAD\" R1 \"CEDAR\" R2 \"BURLN\" R3 R6 EXEC INIT_REF "
constexpr const char* kSeattle = "position 47.463928 -122.311\naircraft heading 180\naircraft altitude 433";
struct NearRow {
    const char* what;
    const char* start = kSeattle;
    const char* keys;
    const char* fix; // the hold's fix, the one turned back at, or the last
    bool hold;
    VnavPhase phase; // the phase at the fix
};
const NearRow kNearRows[] = {
    {"a hold in the climb", kSeattle, DOUBLING_BACK "\"FL250\" R1 EXEC LEGS HOLD L1 L6 EXEC", "PARAD", true,
     VnavPhase::Climb},
    // Level at the altitude typed at the hold's fix, still below the cruise.
    {"a hold at a typed altitude", kSeattle,
     DOUBLING_BACK "\"FL250\" R1 EXEC LEGS \"250/7000\" R1 EXEC HOLD L1 L6 EXEC", "PARAD", true,
     VnavPhase::Climb},
    {"a hold in cruise", kSeattle, DOUBLING_BACK "\"FL080\" R1 EXEC LEGS HOLD L2 L6 EXEC", "CEDAR", true,
     VnavPhase::Cruise},
    {"a hold in the descent", kSeattle,
     "RTE \"KSEA\" L1 \"KPDX\" R1 \"16R\" L3 NEXT \"OLM\" R1 \"BTG\" R2 R6 EXEC INIT_REF \"FL120\" R1 EXEC "
     "LEGS HOLD L2 L6 EXEC",
     "BTG", true, VnavPhase::Descent},
    {"a course reversal", kSeattle, DOUBLING_BACK "\"FL080\" R1 EXEC", "BURLN", false, VnavPhase::Cruise},
    // WOODB turns about 160 degrees back to KPDX, sequenced 9 NM early.
    {"a sharp turn before the arrival", kSeattle,
     "RTE \"KSEA\" L1 \"KPDX\" R1 \"16R\" L3 NEXT \"LEWIS\" R1 \"J1\" L2 \"WOODB\" R2 R6 EXEC INIT_REF "
     "\"FL140\" R1 EXEC",
     "WOODB", false, VnavPhase::Descent},
    // Too short for FL350, climbing to the level it affords when OLM's turn
    // is sequenced early: the level stays, so no second altitude follows the
    // new TO's.
    {"an early sequencing in a short route's climb", kSeattle,
     "RTE \"KSEA\" L1 \"KPDX\" R1 \"16R\" L3 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL350\" R1 EXEC",
     "OLM", false, VnavPhase::Climb},
    // Flown to its end: the final descent's vertical speed.
    {"a short route's final descent",
     "position 47.0383 -120.5405\naircraft heading 110\naircraft altitude 1764",
     "RTE \"KELN\" L1 \"KYKM\" R1 NEXT \"ELN\" R1 \"YKM\" R2 R6 EXEC INIT_REF \"FL100\" R1 EXEC", "KYKM",
     false, VnavPhase::Descent},
};
#undef DOUBLING_BACK

class VnavWhereTheToStaysNear : public VnavPhases, public ::testing::WithParamInterface<int> {
  protected:
    // One frame at a time: the stretches counted and the vertical-speed
    // commands with the frame they went out on.
    int frame = 0;
    struct Sent {
        int frame;
        int32_t value;
    };
    std::vector<Sent> vs_sent;
    int events = 0, altitude_sends = 0, speed_sends = 0;
    void step() {
        const std::size_t from = mark();
        const VnavPhase phase = vnav_phase;
        const int to = to_waypoint_index;
        const bool high = host::aircraft().altitude_ft > 10000.0;
        const bool pattern = holding_active != 0;
        run("fly 1\n");
        ++frame;
        events += (phase != vnav_phase) + (to != to_waypoint_index) + (pattern != (holding_active != 0)) +
                  (high != (host::aircraft().altitude_ft > 10000.0));
        altitude_sends += sent_since(from, kAltitudeSet);
        speed_sends += sent_since(from, kSpeedSet) + sent_since(from, kMachSet);
        const auto& events_now = host::sim_state().key_events;
        for (std::size_t i = from; i < events_now.size(); ++i)
            if (events_now[i].id == kVerticalSpeedSet)
                vs_sent.push_back({frame, static_cast<int32_t>(events_now[i].parameter)});
    }
    void count_afresh() { events = altitude_sends = speed_sends = 0; }
    // A command that goes back to the one before within 18 frames.
    int alternations() const {
        int n = 0;
        for (std::size_t i = 2; i < vs_sent.size(); ++i)
            n += vs_sent[i].value == vs_sent[i - 2].value && vs_sent[i].frame - vs_sent[i - 2].frame < 18;
        return n;
    }
    static bool at(const char* ident) {
        return to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last &&
               active_plan[to_waypoint_index].ident == ident;
    }

    // The row's route entered at the gate, LNAV and VNAV engaged, and the
    // aircraft off the ground and on its way.
    void take_off(const NearRow& r) {
        run(std::string("aircraft magvar 18\naircraft ") + r.start +
            "\naircraft speed 0\naircraft engines 2\naircraft fuel 20000\n"
            "aircraft ap on\naircraft ap hdg on\naircraft ap alt on\nframes 20\ncdu SMITHS_FMS " +
            r.keys +
            "\nframes 2\nkey 0x10337\nkey 0x10338\nframes 2\naircraft rate 4\naircraft speed 15\nframes 20\n"
            "aircraft speed 160\nfly 200\naircraft speed 250\naircraft ap spd on\n");
    }
};

} // namespace

TEST_P(VnavWhereTheToStaysNear, sendsEachTargetOncePerEventAndKeepsThePilotsAltitude) {
    const NearRow& r = kNearRows[GetParam()];
    take_off(r);
    ASSERT_EQ(vnav_engaged, 1) << r.what;
    // To the fix, then past it: in the pattern, or turned back to the fix
    // after it.
    for (int i = 0; i < 20000 && !at(r.fix) && lnav_engaged == 1; ++i)
        step();
    ASSERT_TRUE(at(r.fix)) << r.what;
    // From the TO before the fix on: the fix reached, its sequencing or the
    // pattern flown.
    count_afresh();
    const auto in_pattern = [] { return hold_armed != 0 && holding_active != 0; };
    for (int i = 0; i < 6000 && (r.hold ? !in_pattern() : at(r.fix) && lnav_engaged == 1); ++i)
        step();
    ASSERT_TRUE(r.hold ? in_pattern() : !at(r.fix) || lnav_engaged == 0) << r.what;
    EXPECT_EQ(vnav_phase, r.phase) << r.what;
    for (int i = 0; i < (r.hold ? 1500 : 600); ++i)
        step();
    EXPECT_LE(altitude_sends, events) << r.what;
    EXPECT_LE(speed_sends, events) << r.what;
    EXPECT_EQ(alternations(), 0) << r.what;
    if (!r.hold) return;

    // The pilot's altitude in the pattern, 1000 ft below the aircraft.
    const double mine = std::floor(host::aircraft().altitude_ft / 100.0) * 100.0 - 1000.0;
    run("key 0x1024C " + std::to_string(static_cast<int>(mine)) + "\n");
    count_afresh();
    for (int i = 0; i < 900 && events == 0; ++i)
        step();
    ASSERT_EQ(vnav_engaged, 1) << r.what;
    if (events == 0) {
        EXPECT_EQ(host::aircraft().ap_altitude_ft, mine) << r.what;
        EXPECT_EQ(altitude_sends, 0) << r.what;
    }
}

INSTANTIATE_TEST_SUITE_P(HoldsAndAReversal, VnavWhereTheToStaysNear,
                         ::testing::Range(0, static_cast<int>(std::size(kNearRows))));

// A hold in cruise and one in the descent, left by EXIT HOLD as a lap of the
// pattern brings the aircraft back past the fix: round the pattern the
// descent's path stands (no rate sent lap after lap), and once out of it the
// descent goes on down to its end without a level-off above it, on the path
// where it resumes.
class VnavAfterAHold : public VnavWhereTheToStaysNear {};

TEST_P(VnavAfterAHold, descendsOnWithoutLevellingAboveItsEnd) {
    const NearRow& r = kNearRows[GetParam()];
    ASSERT_TRUE(r.hold);
    take_off(r);
    const auto in_pattern = [] { return hold_armed != 0 && holding_active != 0; };
    for (int i = 0; i < 30000 && !in_pattern() && lnav_engaged == 1; ++i)
        step();
    ASSERT_TRUE(in_pattern()) << r.what;
    // A lap: out to the far end and back past the fix.
    count_afresh();
    const std::size_t vs_before = vs_sent.size();
    bool far_end = false;
    for (int i = 0; i < 20000 && !(far_end && holding_active == 1); ++i) {
        step();
        far_end = far_end || holding_active == 3;
    }
    ASSERT_TRUE(far_end && holding_active == 1) << r.what;
    EXPECT_LE(altitude_sends, events) << r.what;
    EXPECT_LE(speed_sends, events) << r.what;
    EXPECT_LE(vs_sent.size() - vs_before, 2u) << r.what;

    run("cdu SMITHS_FMS HOLD R6 EXEC\n");
    ASSERT_EQ(hold_count(), 0) << r.what;
    // On to the end of the descent: a zero sent to an aircraft coming down
    // above it is a level-off.
    int level_offs = 0;
    double resumed_off_path = -1.0;
    for (int i = 0; i < 40000 && lnav_engaged == 1 && vnav_engaged == 1; ++i) {
        const double vs = host::aircraft().vertical_speed_fpm;
        const std::size_t sent_before = vs_sent.size();
        step();
        const double altitude = host::aircraft().altitude_ft;
        if (vnav_phase != VnavPhase::Descent) continue;
        if (resumed_off_path < 0.0 && vs < -500.0)
            resumed_off_path = std::fabs(altitude - descent_path_altitude);
        for (std::size_t k = sent_before; k < vs_sent.size(); ++k)
            level_offs += vs_sent[k].value == 0 && vs < -500.0 && altitude > vertical_target_altitude + 300.0;
    }
    EXPECT_EQ(level_offs, 0) << r.what;
    EXPECT_GE(resumed_off_path, 0.0) << r.what << ": the descent never resumed";
    EXPECT_LT(resumed_off_path, 300.0) << r.what;
}

INSTANTIATE_TEST_SUITE_P(InCruiseAndInTheDescent, VnavAfterAHold, ::testing::Values(2, 3));

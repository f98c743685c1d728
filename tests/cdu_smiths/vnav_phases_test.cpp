// VNAV's phases through a flight typed on the SMITHS_FMS, and the autopilot
// targets it sends: each once for the reason that calls for it, none frame
// after frame, and the pilot's MCP altitude kept until the next reason.
#include "cdu_stand_in.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "sim_state.h"

#include <algorithm>
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
    EXPECT_EQ(vnav_phase, VnavPhase::OnGround);
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
        EXPECT_EQ(vnav_phase, VnavPhase::OnGround) << s.what;
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
    EXPECT_EQ(phases.front(), VnavPhase::OnGround);
    EXPECT_EQ(phases.back(), VnavPhase::Descent);
    EXPECT_NE(std::find(phases.begin(), phases.end(), VnavPhase::Cruise), phases.end());
}

// Every route shape, VNAV engaged at every moment of the flight: no target
// goes out frame after frame, none on the ground after the engagement, no
// climb once the descent began, and a route with an end of descent ends low.
namespace {

struct Shape {
    const char* what;
    const char* keys;
    int cruise;
    bool ends_low;
};
const Shape kShapes[] = {
    {"with destination",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL160\" R1 EXEC", 16000,
     true},
    {"without destination",
     "RTE \"KSEA\" L1 NEXT \"SEA\" R1 \"OLM\" R2 \"HQM\" R3 R6 EXEC INIT_REF \"FL120\" R1 EXEC", 12000,
     false},
    {"a typed constraint",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC INIT_REF \"FL160\" R1 EXEC LEGS "
     "\"8000\" R2 EXEC",
     16000, true},
    {"too short for its cruise altitude",
     "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 R6 EXEC INIT_REF \"FL410\" R1 EXEC", 41000, true},
};
enum Moment { Gate, Taxiing, UnderTheHold, Climbing, Cruising, Descending };
const char* const kMoments[] = {"at the gate",  "taxiing",   "after take-off under the pilot's hold",
                                "in the climb", "at cruise", "in the descent"};

class VnavEngagedAt : public VnavPhases, public ::testing::WithParamInterface<std::tuple<int, int>> {};

} // namespace

TEST_P(VnavEngagedAt, sendsItsTargetsOncePerReason) {
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
        EXPECT_EQ(vnav_phase, VnavPhase::OnGround) << row;
    }
    // Take-off from runway 16L with the pilot's 3000 ft; with VNAV off the
    // pilot climbs on to the cruise altitude by the MCP.
    run("aircraft position 47.4638 -122.3079\naircraft heading 180\nframes 2\naircraft rate 4\n"
        "aircraft speed 160\naircraft ap spd on\nkey 0x1024C 3000\nkey 0x101F4 2000\n");
    const auto altitude = [] { return host::aircraft().altitude_ft; };
    const auto nothing = [] {};
    fly_while([&] { return altitude() < 1500.0; }, nothing);
    if (m == UnderTheHold) engage();
    if (m >= Climbing) {
        run("aircraft speed 280\nkey 0x1024C " + std::to_string(shape.cruise) + "\n");
        fly_while([&] { return altitude() < 6000.0; }, nothing);
    }
    if (m == Climbing) engage();
    if (m >= Cruising) fly_while([&] { return toc_passed == 0 && lnav_engaged == 1; }, nothing);
    if (m >= Cruising) engage();
    // In the descent VNAV is taken off and engaged again.
    if (m == Descending) {
        fly_while([&] { return tod_passed == 0 && lnav_engaged == 1; }, nothing);
        // A route without an end of descent has no T/D: it cruises to its end.
        if (!shape.ends_low) {
            EXPECT_EQ(tod_passed, 0) << row;
            EXPECT_EQ(vnav_phase, VnavPhase::Cruise) << row;
            return;
        }
        ASSERT_EQ(tod_passed, 1) << row;
        run("key 0x10338\nframes 2\n");
        engage();
        EXPECT_EQ(vnav_phase, VnavPhase::Descent) << row;
    }
    bool descended = false, climbed_after = false;
    const int most = fly_while([&] { return lnav_engaged == 1; },
                               [&] {
                                   descended = descended || vnav_phase == VnavPhase::Descent;
                                   climbed_after =
                                       climbed_after || (descended && vnav_phase == VnavPhase::Climb);
                               });
    EXPECT_LE(most, 2) << row;
    EXPECT_FALSE(climbed_after) << row;
    if (shape.ends_low) {
        EXPECT_LT(altitude(), 433.0 + 4000.0) << row;
    }
}

INSTANTIATE_TEST_SUITE_P(ShapesAndMoments, VnavEngagedAt,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Range(0, 6)));

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

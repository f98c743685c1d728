// What the pilot sees of entries the aircraft does not fly to, by keys: a
// route activated before its destination is entered, a discontinuity that
// carries the approach's first fix, LNAV at a gap, the published values once
// the route is gone, and the GNS FROM row after a direct-to past a gap.
#include "plan_keys_fixture.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
#include "fms/published_values.h"
#include "fms/units/gns_unit_state.h"
#include "sim/panel_services.h"

#include <sstream>

namespace {

constexpr int kGns = 1;

class FlownItems : public PlanKeysTest {
  protected:
    static double orvex_lnav() { return ps_get_named_var(ps_find_named_var("orvex_lnav")); }
    // The texts the unit's last frame drew, by canvas point.
    std::vector<gfx::RecordedOp> unit_texts(int u) {
        const gfx::Recording& r =
            *gfx::surface_recording(sim_.gauges[u]->drawing_elements.at(0)->device_context);
        std::vector<gfx::RecordedOp> out;
        for (const gfx::RecordedOp& op : r.ops) {
            if (op.kind == gfx::OpKind::Clear) out.clear();
            if (op.kind == gfx::OpKind::String) out.push_back(op);
        }
        return out;
    }
    void activate_without_destination() {
        run("cdu SMITHS_FMS RTE \"KSEA\" L1\ncdu SMITHS_FMS LEGS \"SEA\" L1\ncdu SMITHS_FMS \"OLM\" L2\n"
            "cdu SMITHS_FMS RTE R6\ncdu SMITHS_FMS EXEC\nframes 2");
        ASSERT_EQ(active_plan_last, 3);
        ASSERT_EQ(active_plan[3].ident, "");
    }
};

} // namespace

// Activated before its destination is entered, the route is measured to OLM:
// PROGRESS leaves the destination row empty, and the MCU's NEXT steps over
// the entry still to be entered.
TEST_F(FlownItems, ARouteWithoutItsDestinationEndsAtItsLastWaypoint) {
    activate_without_destination();
    EXPECT_LT(distance_to_destination, 60.0); // KSEA to OLM, not to 0N 0E
    run("cdu SMITHS_FMS PROG");
    for (const gfx::RecordedOp& op : unit_texts(0))
        EXPECT_NE(op.world_rect.y, 131.0f) << "PROGRESS shows a destination row: " << op.text;
    // Past OLM, the route's end, NEXT wraps to the first waypoint as at any
    // route's end.
    run("mcu MCU TO");
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "OLM");
    run("mcu MCU NEXT");
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "SEA");
    // Near OLM: no tower view is set for an airport not yet entered.
    run("aircraft position 46.9800 -122.9000\nframes 3");
    EXPECT_EQ(tower_view_set, 0);
}

// The discontinuity an approach choice puts before the approach carries its
// first fix: LNAV flies through it to that fix and stays engaged.
TEST_F(FlownItems, APlacedDiscontinuityIsFlownThroughToTheApproach) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS DEP_ARR R2 R2\ncdu SMITHS_FMS EXEC\n"
        "mcu MCU TO NEXT NEXT NEXT NEXT NEXT NEXT");
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "YACLT");
    ASSERT_EQ(active_plan[to_waypoint_index + 1].ident, "DISCO");
    const RouteWaypoint &lavva = active_plan[to_waypoint_index - 1], &yaclt = active_plan[to_waypoint_index];
    double leg = 0.0, course = 0.0, lat = 0.0, lon = 0.0;
    gc_dist_course(lavva.lat, lavva.lon, yaclt.lat, yaclt.lon, &leg, &course);
    gc_destination_point(lavva.lat, lavva.lon, course, leg - 1.0, &lat, &lon);
    char position[80];
    std::snprintf(position, sizeof position, "aircraft position %.5f %.5f\naircraft heading %.0f", lat, lon,
                  course);
    run(std::string(position) + "\nmcu MCU LNAV\nframes 5");
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "SANDY");
    EXPECT_EQ(lnav_engaged, 1);
}

// LNAV lets go where the TO is held at a gap, and orvex_lnav with it on that
// frame; it cannot be engaged again while the gap is there.
TEST_F(FlownItems, LnavAtAGapLetsGoAndCannotEngage) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS LEGS DEL L2\ncdu SMITHS_FMS EXEC\nframes 1\n"
        "mcu MCU LNAV\naircraft position 47.2900 -122.4970\naircraft heading 221");
    ASSERT_EQ(active_plan[3].ident, "DISCO");
    ASSERT_EQ(lnav_engaged, 1);
    ASSERT_EQ(orvex_lnav(), 1.0);
    for (int frame = 0; frame < 100 && lnav_engaged == 1; ++frame)
        run("frames 1");
    ASSERT_EQ(lnav_engaged, 0);
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "FOXXE");
    EXPECT_EQ(orvex_lnav(), 0.0);
    EXPECT_EQ(orvex_lnav_mode, 0);
    run("mcu MCU LNAV\nframes 2");
    EXPECT_EQ(lnav_engaged, 0);
    EXPECT_EQ(orvex_lnav(), 0.0);
}

// A new origin on the ground ends the flown route: the published
// cross-track, track and bearing go with it, as its distance does.
TEST_F(FlownItems, ThePublishedLegValuesEndWithTheRoute) {
    run("route load KSEAKPDX.RTE\nframes 3\nmcu MCU LNAV\naircraft position 47.3000 -122.4000\nframes 3");
    ASSERT_GT(orvex_xtk_err_dist, 0.0);
    ASSERT_GT(orvex_act_wpt_trk, 0.0);
    run("aircraft altitude 0\naircraft speed 0\nframes 1\ncdu SMITHS_FMS RTE \"KBFI\" L1\nframes 2");
    ASSERT_EQ(to_waypoint_index, kNoToWaypoint);
    EXPECT_EQ(orvex_xtk_err_dist, 0.0);
    EXPECT_EQ(orvex_xtk_err_dir, 0);
    EXPECT_EQ(orvex_act_wpt_trk, 0.0);
    EXPECT_EQ(orvex_act_wpt_brg, 0.0);
}

// A GNS direct-to the row after a gap: no FROM label on the gap's row.
TEST_F(FlownItems, TheGnsFromRowIsNeverAGap) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS LEGS DEL L2\ncdu SMITHS_FMS EXEC\nframes 1\n"
        "mcu MCU LNAV\ngns GNSXLS DIRECT L2 ENT\nframes 3\ngns GNSXLS FPL\nframes 2\ngns GNSXLS PREV\nframes "
        "2");
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "OLM");
    const std::vector<gfx::RecordedOp> texts = unit_texts(kGns);
    bool disco_listed = false;
    for (const gfx::RecordedOp& gap : texts) {
        if (gap.text != "DISCO") continue;
        disco_listed = true;
        for (const gfx::RecordedOp& label : texts)
            EXPECT_FALSE(label.text == "FR" && label.world_rect.y == gap.world_rect.y) << "FR DISCO";
    }
    EXPECT_TRUE(disco_listed);
}

// The GNS HOLD key on a DISCO row of the flown plan makes no hold at 0N 0E.
TEST_F(FlownItems, TheGnsHoldsAtNoGap) {
    run("gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\n"
        "cdu SMITHS_FMS LEGS DEL L3\ncdu SMITHS_FMS EXEC\ngns GNSXLS L3");
    ASSERT_EQ(active_plan[gns_selected_wpt_index].ident, "DISCO");
    run("gns GNSXLS HOLD");
    EXPECT_EQ(hold_count(), 0);
}

#include "data/airport_procedures.h"
#include "example_airports.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/airways.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan_builder.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"

using Entries = std::vector<std::string>;
using ApproachInsertion = ExampleAirports;

namespace {

void preview_approach(const char* transition) {
    ChoicesEdit(working_plan)->approach = "I10R";
    ChoicesEdit(working_plan)->approach_transition = transition;
    ChoicesEdit(working_plan)->applied_arrival_runway = "10R";
    select_approach_transition();
}

// The same choice made for the flown plan.
void choose_flown_approach(const char* transition) {
    const PlanEdit edit(active_target(), "test");
    ChoicesEdit(edit)->approach = "I10R";
    ChoicesEdit(edit)->approach_transition = transition;
    ChoicesEdit(edit)->applied_arrival_runway = "10R";
}

} // namespace

TEST_F(ApproachInsertion, aDiscontinuityLeadsToTheApproachAndASecondApproachReplacesBoth) {
    write_plan(working_plan, {"KSEA", "SEA", "BTG", "KPDX"});
    vertical_target_cursor.move_to(3);
    preview_approach("HILLS");
    insert_approach(1);
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "SEA/", "BTG/", "DISCO/", "HILLS/APPR", "NEWBE/APPR", "MELLO/APPR",
                       "ROSIE/APPR", "KPDX/"}));
    const RouteWaypoint& disco = working_plan[3];
    EXPECT_EQ(disco.lat, 45.550314); // HILLS, with its constraints
    EXPECT_EQ(disco.lon, -123.081579);
    EXPECT_EQ(disco.speed_constraint, 190.0);
    EXPECT_EQ(disco.alt_constraint, 6000.0);
    EXPECT_EQ(disco.altitude_kind, AltitudeKind::Procedure);
    EXPECT_EQ(working_plan[4].aux_text, "IAF");
    EXPECT_EQ(working_plan[7].aux_text, "FAF");
    EXPECT_EQ(working_plan[8].course, -999.0);
    EXPECT_EQ(constraint_waypoint_index, 8);
    EXPECT_EQ(approach_preview_built, 0);

    preview_approach("SAUVI");
    insert_approach(1);
    EXPECT_EQ(
        ident_kinds(working_plan, working_plan_last),
        (Entries{"KSEA/", "SEA/", "BTG/", "DISCO/", "SAUVI/APPR", "MELLO/APPR", "ROSIE/APPR", "KPDX/"}));

    // Two entries before the approach ask for no discontinuity.
    write_plan(working_plan, {"KSEA", "BTG", "KPDX"});
    insert_approach(1);
    EXPECT_EQ(working_plan[2].ident, "SAUVI");

    // En route to the approach's first fix: that fix stands once, the en-route
    // entry with its hold.
    write_plan(working_plan, {"KSEA", "HILLS", "KPDX"});
    ASSERT_EQ(add_hold(1, kHoldQuiet, 0.0), 1);
    preview_approach("HILLS");
    insert_approach(1);
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "HILLS/", "NEWBE/APPR", "MELLO/APPR", "ROSIE/APPR", "KPDX/"}));
    EXPECT_EQ(hold_mark(working_plan, 1), 1);
    EXPECT_EQ(hold_list[1].working_index(), 1);
}

// The ILS 10R from HILLS in apps.txt: HILLS IAF, NEWBE, MELLO, ROSIE FAF,
// then the missed approach from RW10R. Each leg's altitude text is set here
// to one case: a number, none, one below 100 ft and one with a suffix.
TEST_F(ApproachInsertion, legsTakeTheirSpeedByRoleAndAnAltitudeFrom100Feet) {
    struct Row {
        const char* fix;
        const char* altitude;
        double speed;
        double alt;
        AltitudeKind kind;
    };
    const Row rows[] = {{"HILLS", "800", 190, 800, AltitudeKind::Procedure},
                        {"NEWBE", "", 180, -999, AltitudeKind::None},
                        {"MELLO", "99", 180, -999, AltitudeKind::None},
                        {"ROSIE", "2500A", 170, 2500, AltitudeKind::Procedure}};
    auto& approaches = airport_slots[destination_slot].approaches;
    for (int i = 1; i <= approaches.count(); ++i)
        for (int l = 1; l <= approaches[i].legs.count(); ++l)
            for (const Row& r : rows)
                if (approaches[i].legs[l].approach_name == "I10R" && approaches[i].legs[l].fix == r.fix)
                    approaches.slot(i).legs.slot(l).constraint_text = r.altitude;
    preview_approach("HILLS");
    write_plan(working_plan, {"KSEA", "BTG", "KPDX"});
    insert_approach(0);
    ASSERT_EQ(working_plan_last, 6); // nothing from the missed approach on
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(rows[i].altitude);
        const RouteWaypoint& w = working_plan[2 + i];
        EXPECT_EQ(w.ident, rows[i].fix);
        EXPECT_EQ(w.speed_constraint, rows[i].speed);
        EXPECT_EQ(w.alt_constraint, rows[i].alt);
        EXPECT_EQ(w.altitude_kind, rows[i].kind);
    }

    // The active plan takes the legs without constraints, and the airport's
    // own elevation, not that of the airport a page loaded last.
    write_plan(active_plan, {"KSEA", "BTG", "KPDX"});
    load_airport_detail("KSEA", origin_slot);
    choose_flown_approach("HILLS");
    apply_approach_to_route();
    ASSERT_EQ(active_plan_last, 6);
    EXPECT_EQ(active_plan[2].speed_constraint, -999.0);
    EXPECT_EQ(active_plan[2].altitude_kind, AltitudeKind::None);
    EXPECT_EQ(active_plan[6].ident, "KPDX");
    EXPECT_EQ(active_plan[6].alt_constraint, 31.0);
}

// A plan not yet begun (a new plan) has no route for the legs to join, in
// either plan.
TEST_F(ApproachInsertion, aPlanWithoutEntriesTakesNoApproach) {
    preview_approach("HILLS");
    write_plan(working_plan, {});
    insert_approach(1);
    EXPECT_EQ(working_plan_last, -1);
    write_plan(active_plan, {});
    apply_approach_to_route();
    EXPECT_EQ(active_plan_last, -1);
}

TEST_F(ApproachInsertion, theActivePlanMeetsTheApproachOnceAtItsFirstFix) {
    write_plan(active_plan, {"KSEA", "HILLS", "KPDX"});
    choose_flown_approach("HILLS");
    apply_approach_to_route();
    EXPECT_EQ(ident_kinds(active_plan, active_plan_last),
              (Entries{"KSEA/", "HILLS/", "NEWBE/APPR", "MELLO/APPR", "ROSIE/APPR", "KPDX/"}));
}

TEST_F(ApproachInsertion, anAirwayFlownForwardsGetsNavaidDataAndItsFirstFixIsFlownNext) {
    write_plan(active_plan, {"KSEA", "SEA", "KPDX"});
    set_flown_to(2);
    gns_sub_state = kGnsSubStateActivePlan; // the airway is joined in the active plan
    gns_selected_wpt_cursor.move_to(1);     // at the row the GNS chose there
    load_airway("J1");
    ASSERT_EQ(unit_candidates().from_index, 9);
    unit_candidates().selected_index = find_candidate_index("BLI");
    insert_airway_segment(active_target());
    EXPECT_EQ(ident_kinds(active_plan, active_plan_last),
              (Entries{"KSEA/", "SEA/", "LAKEW/", "ARLIN/", "BURLN/", "BLI/", "KPDX/"}));
    EXPECT_EQ(active_plan[5].via, "J1");
    EXPECT_EQ(active_plan[5].type, "VOR");
    EXPECT_EQ(active_plan[5].frequency, "113.00");
    EXPECT_EQ(active_plan[7].ident, "******");
    // Joined after SEA, the FROM: LAKEW is the TO.
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_EQ(to_position.lat, active_plan[2].lat);

    // A nearly full plan takes what fits; nothing is written past it.
    std::vector<std::string> idents{"KSEA", "SEA"};
    for (int i = 2; i <= 197; ++i)
        idents.push_back("P" + std::to_string(i));
    idents.push_back("KPDX");
    write_plan(active_plan, idents);
    insert_airway_segment(active_target());
    EXPECT_EQ(active_plan_last, 200);
    EXPECT_EQ(active_plan[3].ident, "ARLIN");
    EXPECT_EQ(active_plan[4].ident, "P2");
    EXPECT_EQ(active_plan[200].ident, "KPDX");
    EXPECT_EQ(active_plan.stored(), 201u);
}

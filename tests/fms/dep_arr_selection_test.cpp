#include "data/airport_procedures.h"
#include "example_airports.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "procedure_builder.h"

using Names = std::vector<std::string>;
using DepArrSelection = ExampleAirports;

TEST_F(DepArrSelection, departuresOpenAfreshAndARunwayFiltersTheSidsAndRebuildsTheChosenOne) {
    const AirportProcedures& origin = airport_slots[origin_slot];
    dep_sid_state = kDepSidStateChosen;
    dep_runway_chosen = dep_transition_chosen = 1;
    reset_dep_selection_b();
    EXPECT_EQ(smiths_cdu_page, kPageDepartures);
    EXPECT_EQ(dep_sid_state, kDepSidStateMarked); // the chosen SID stays marked
    EXPECT_EQ(dep_runway_chosen + dep_transition_chosen, 0);
    EXPECT_EQ(texts(origin.procedure_name_list), (Names{"SUMMA2", "HAROB3", "SEA7"}));
    ASSERT_EQ(origin.runway_list.count(), 4); // 16L 34R 16R 34L

    // No SID chosen: only the list changes; an active route becomes modified.
    write_plan(working_plan, {"KSEA", "BTG", "KPDX"});
    route_state = kRouteStateActive;
    select_departure_runway_b(texts(origin.runway_list), 2);
    EXPECT_EQ(sel_departure_runway, "34R");
    EXPECT_EQ(dep_runway_index, 2);
    EXPECT_EQ(texts(origin.procedure_name_list), (Names{"SUMMA2", "HAROB3"}));
    EXPECT_EQ(working_plan_last, 2);
    EXPECT_EQ(route_state, kRouteStateActiveModified);

    // With a SID chosen its legs follow the runway; lines off the list do nothing.
    ChoicesEdit(working_plan)->sid = "SEA7";
    for (int n : {0, -3, 5})
        select_departure_runway_b(texts(origin.runway_list), n);
    EXPECT_EQ(sel_departure_runway, "34R");
    select_departure_runway(1); // the C-17 unit's own index
    EXPECT_EQ(c17_dep_runway_index, 1);
    EXPECT_EQ(dep_runway_index, 2);
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Names{"KSEA/", "HD162/SID", "SEA/SID", "BTG/", "KPDX/"}));

    const Names arrival_runways = star_runway_names("------");
    select_arrival_runway_b(arrival_runways, 4);
    EXPECT_EQ(sel_arrival_runway, "28R");
    EXPECT_EQ(texts(airport_slots[destination_slot].procedure_name_list), (Names{"LAVVA2", "HHOOD2"}));
    select_arrival_runway_b(arrival_runways, 7);
    EXPECT_EQ(arr_runway_index, 4);
}

// DEPARTURES, ARRIVALS and APPROACH REF over the example KSEA (origin) and
// KPDX (destination): choosing by line-select key and what each page shows.
#include "cdu_smiths/arrival_page_state.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/exec/exec_erase.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/procedures/procedure_selection.h"
#include "page_canvas.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <filesystem>

namespace {

class DepArrPages : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_.path(),
                              std::filesystem::copy_options::recursive);
        host_folder = sim_.path();
        load_nav_database();
        load_airport_detail("KSEA", 1);
        load_airport_detail("KPDX", 2);
        origin_airport_ident = "KSEA";
        destination_airport_ident = "KPDX";
        departure_origin_ident = "KSEA";
        arrival_destination_ident = "KPDX";
        loaded_origin_ident = "KSEA";
        loaded_destination_ident = "KPDX";
        const ChoicesEdit c(working_plan);
        for (std::string* s :
             {&c->departure_runway, &c->sid, &c->sid_transition, &c->arrival_runway, &c->star,
              &c->star_transition, &c->approach, &c->approach_transition, &c->applied_arrival_runway})
            *s = "------";
        PlanBuilder::clear(working_plan);
        set_working_last(0);
        route_state = kRouteStateNone;
        dep_sid_state = kDepSidStateList;
        arr_star_state = kArrStarStateList;
        dep_subpage = arr_subpage = 1;
        dep_runway_chosen = dep_transition_chosen = arr_runway_chosen = arr_transition_chosen = 0;
        approach_chosen = approach_transition_chosen = approach_transition_index = 0;
        approach_record_index = approach_runway_index = 0;
    }
    TempFolder sim_;
};

} // namespace

TEST_F(DepArrPages, departuresChooseSidTransitionAndRunway) {
    reset_dep_selection_b();
    draw(5); // L5 lies beyond the three SIDs
    EXPECT_EQ(dep_sid_state, kDepSidStateList);
    EXPECT_EQ(text_at(25, 0), "KSEA DEPARTURES");
    EXPECT_EQ(text_at(0, 99), "SEA7  ");
    EXPECT_EQ(text_at(240, 66), "34R");

    draw(1); // SUMMA2, with the transitions BTG and OLM
    EXPECT_EQ(sel_sid, "SUMMA2");
    EXPECT_EQ(dep_sid_state, kDepSidStateChosen);
    const AirportProcedures& origin = airport_slots[origin_slot];
    ASSERT_EQ(origin.star_entry_list.count(), 2);
    draw(1); // the chosen SID's own row
    EXPECT_EQ(dep_transition_chosen, 0);
    EXPECT_EQ(text_at(93, 33), "<SEL>");
    EXPECT_EQ(text_at(10, 53), "T R A N S");
    EXPECT_EQ(text_at(0, 66), cdu_format("%-5s", origin.star_entry_list[1].text.c_str()));

    draw(2); // transition 1
    EXPECT_EQ(sel_sid_transition, origin.star_entry_list[1].text);
    EXPECT_EQ(dep_transition_chosen, 1);
    draw(7); // R2: runway 2
    EXPECT_EQ(sel_departure_runway, "34R");
    route_state = kRouteStateActive;
    draw();
    write_png("departures");
    EXPECT_EQ(text_at(240, 33), "34R");
    EXPECT_EQ(text_at(153, 33), "<ACT>");
    EXPECT_EQ(text_at(93, 66), "<ACT>");

    route_state = kRouteStateActiveModified;
    draw(11); // "<ERASE" undoes the modification
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(smiths_cdu_page, kPageDepartures);
    draw(11);
    EXPECT_EQ(smiths_cdu_page, kPageDepArrIndex);
}

TEST_F(DepArrPages, departureSubPagesWithElevenTransitionsAndFifteenRunways) {
    AirportProcedures& origin = airport_slots[origin_slot];
    // SEA7 with eleven transitions, TA to TK (listed byte-wise).
    ProcedureRecord sea7;
    sea7.name = "SEA7";
    for (char t = 'A'; t <= 'K'; ++t) {
        ProcedureLeg leg;
        leg.transition = std::string("T") + t;
        leg.fix = "SEA";
        sea7.legs.append(leg);
    }
    origin.sids.clear();
    origin.sids.append(sea7);
    origin.runways.clear();
    for (int i = 1; i <= 15; ++i)
        origin.runways.slot(i).designator = "R" + std::to_string(i);
    origin.runways.set_count(15);
    ChoicesEdit(working_plan)->sid = "SEA7";
    dep_sid_state = kDepSidStateChosen;
    smiths_cdu_page = kPageDepartures;
    const struct {
        int subpage;
        float first_transition_y;
        std::string first_transition, last_transition, first_runway;
    } rows[] = {
        {1, 66, "TA   ", "TD   ", "R1 "},
        {2, 33, "TE   ", "TI   ", "R5 "},
        {3, 33, "TJ   ", "", "R10"},
    };
    for (const auto& r : rows) {
        dep_subpage = r.subpage;
        draw();
        EXPECT_EQ(dep_subpage_count, 3);
        EXPECT_EQ(text_at(0, r.first_transition_y), r.first_transition) << r.subpage;
        EXPECT_EQ(text_at(0, 165), r.last_transition) << r.subpage;
        EXPECT_EQ(text_at(240, 33), r.first_runway) << r.subpage;
    }
    smiths_cdu_next_page = 1; // from 3 back to 1
    draw();
    EXPECT_EQ(dep_subpage, 1);
    dep_subpage = 2;
    draw(1); // L1 on sub-page 2: transition 5
    EXPECT_EQ(sel_sid_transition, "TE");
}

TEST_F(DepArrPages, arrivalsApproachTransitionAndApproachRef) {
    smiths_cdu_page = kPageDepArrIndex;
    draw(7); // ARR> from DEP/ARR INDEX opens ARRIVALS afresh
    draw();
    const std::vector<std::string> stars = star_names("------", "------");
    const std::vector<std::string> runways = star_runway_names("------");
    const AirportProcedures& dest = airport_slots[destination_slot];
    ASSERT_EQ(approach_fix_list.count(), 3);
    ASSERT_GE(runways.size(), 2u);
    ASSERT_GE(stars.size(), 1u);
    EXPECT_EQ(text_at(40, 0), "KPDX ARRIVALS");
    EXPECT_EQ(text_at(0, 33), cdu_format("%-6s", stars[0].c_str()));
    EXPECT_EQ(text_at(176, 33), "I10R 10R"); // ends at x 280
    EXPECT_EQ(text_at(190, 118), "R U N W A Y S");
    EXPECT_EQ(text_at(240, 165), cdu_format("%-3s", runways[1].c_str()));

    draw(9); // R4: runway 1 follows the three approaches
    EXPECT_EQ(sel_arrival_runway, runways[0]);
    EXPECT_EQ(arr_runway_chosen, 1);
    arr_runway_chosen = 0;

    arr_subpage = 2;
    draw(6); // R1 on sub-page 2: entry 6, after three approaches runway 3
    EXPECT_EQ(approach_chosen, 0);
    EXPECT_EQ(arr_runway_index, 3);
    arr_runway_chosen = 0;
    arr_subpage = 1;
    draw(6); // R1: the first approach; its sub-page stays
    EXPECT_EQ(approach_chosen, 1);
    EXPECT_EQ(sel_approach, "I10R");
    EXPECT_EQ(applied_arrival_runway, "10R");
    EXPECT_EQ(sel_approach_transition, "------");
    draw();
    EXPECT_EQ(text_at(135, 33), "<SEL>");
    EXPECT_FALSE(shows(cdu_format("%-3s", runways[0].c_str()))); // no runway rows now
    ASSERT_EQ(dest.iaf_list.count(), 2);
    EXPECT_EQ(text_at(215, 99), "HILLS");
    draw(8); // R3: the second transition
    EXPECT_EQ(sel_approach_transition, "HILLS");
    EXPECT_EQ(approach_transition_chosen, 1);
    draw();
    write_png("arrivals");
    EXPECT_EQ(text_at(215, 66), "HILLS");
    EXPECT_EQ(text_at(135, 66), "<SEL>");

    reset_active_route_state(); // EXEC matches the approach and its runway
    smiths_cdu_page = kPageApproachRef;
    draw();
    write_png("approach_ref");
    EXPECT_EQ(text_at(10, 121), "KPDX 10R");
    EXPECT_EQ(text_at(10, 156), " I10R 10R");

    smiths_cdu_page = kPageArrivals;
    draw(1); // L1: the first STAR, then its transitions below it
    EXPECT_EQ(arr_star_state, kArrStarStateChosen);
    EXPECT_EQ(sel_star, stars[0]);
    draw();
    EXPECT_EQ(text_at(10, 55), "T R A N S");
}

TEST_F(DepArrPages, arrivalsWithoutApproachesListRunwaysFromRowTwo) {
    smiths_cdu_page = kPageDepArrIndex;
    draw(7);
    approach_fix_list.clear();
    draw();
    EXPECT_EQ(text_at(200, 33), "- N O N E -");
    const std::string first = star_runway_names("------").at(0);
    EXPECT_EQ(text_at(240, 66), cdu_format("%-3s", first.c_str()));
    draw(6); // the "- N O N E -" row
    EXPECT_EQ(arr_runway_chosen, 0);
    draw(7);
    EXPECT_EQ(sel_arrival_runway, first);
}

TEST_F(DepArrPages, approachRefSpeedsAndLandingPair) {
    APPRFLAPSMIN = "15";
    APPRFLAPSMID = "20";
    APPRFLAPSMAX = "30";
    VREFMIN = 140;
    VREFMID = 135;
    VREFMAX = 130;
    LDGFLAPS = VREF = 0;
    smiths_cdu_page = kPageApproachRef;
    draw(7); // R2, empty scratchpad: copy-down
    EXPECT_EQ(smiths_scratchpad, "135");
    draw(7);
    EXPECT_EQ(VREFMID, 135);
    EXPECT_TRUE(smiths_scratchpad.empty());

    const struct {
        std::string entry;
        int key;
        int vrefmin, ldgflaps, vref;
        std::string message, scratchpad_after;
    } rows[] = {
        {"0", 6, 0, 0, 0, "", ""},
        {"X", 6, 0, 0, 0, "INVALID ENTRY", "X"},
        {"-5", 6, 0, 0, 0, "", "-5"},
        {"1e30", 6, 0, 0, 0, "INVALID ENTRY", "1e30"},
        {"142", 6, 142, 0, 0, "", ""},
        {"5/140", 9, 142, 0, 0, "", "5/140"},
        {"20/136", 9, 142, 0, 0, "INVALID ENTRY", "20/136"},
        {"20/135", 9, 142, 20, 135, "", ""},
    };
    for (const auto& r : rows) {
        enter(r.entry, r.key);
        EXPECT_EQ(VREFMIN, r.vrefmin) << r.entry;
        EXPECT_EQ(LDGFLAPS, r.ldgflaps) << r.entry;
        EXPECT_EQ(VREF, r.vref) << r.entry;
        EXPECT_EQ(smiths_scratchpad_message, r.message) << r.entry;
        EXPECT_EQ(smiths_scratchpad, r.scratchpad_after) << r.entry;
    }
    EXPECT_EQ(text_at(210, 133), "20\xC2\xB0/135");
    EXPECT_EQ(text_at(223, 38), "142 K T");

    WeightUnit = "KGS";
    zero_fuel_weight_lb = 100000.0;
    draw();
    EXPECT_EQ(text_at(0, 33), "45.4");
    EXPECT_FALSE(shows("E L E V")); // no approach and no runway chosen
    WeightUnit = "LBS";
    zero_fuel_weight_lb = 0.0;
}

// A page narrowed by the runway or procedure chosen on it keeps showing and
// picking its own entries while another unit rewrites the lists both share
// in the airport slots (as a GNS look-up of the airport does).
class DepArrOwnLists : public DepArrPages, public ::testing::WithParamInterface<int> {};

TEST_P(DepArrOwnLists, whateverAnotherUnitListsInTheSharedSlots) {
    const struct {
        int open;               // the index key that opens the page (1 DEPARTURES, 7 ARRIVALS)
        int filter;             // the key that narrows a list
        float x, y;             // the first entry of the narrowed list
        int pick;               // the key beside it
        const std::string* got; // the choice it makes
        const char* first;      // the entry, from the example data (empty: as shown before)
    } rows[] = {
        {1, 7, 0, 33, 1, &sel_sid, "SUMMA2"},          // 34R's SIDs
        {1, 3, 240, 33, 6, &sel_departure_runway, ""}, // SEA7's runways
        {7, 1, 240, 132, 9, &sel_arrival_runway, ""},  // the STAR's runways
    };
    const auto& r = rows[GetParam()];
    smiths_cdu_page = kPageDepArrIndex;
    draw(r.open);
    draw(r.filter);
    draw();
    std::string first = text_at(r.x, r.y);
    first.erase(first.find_last_not_of(' ') + 1);
    ASSERT_FALSE(first.empty());
    if (*r.first != '\0') {
        EXPECT_EQ(first, r.first);
    }
    for (const int n : {origin_slot, destination_slot}) {
        AirportProcedures& slot = airport_slots[static_cast<std::size_t>(n)];
        slot.runway_list.clear();
        slot.runway_list.append("99");
        slot.procedure_name_list.clear();
        slot.procedure_name_list.append("OTHER1");
    }
    draw();
    EXPECT_FALSE(shows("99 ") || shows("OTHER1"));
    draw(r.pick);
    EXPECT_EQ(*r.got, first);
}

INSTANTIATE_TEST_SUITE_P(DeparturesArrivals, DepArrOwnLists, ::testing::Range(0, 3));

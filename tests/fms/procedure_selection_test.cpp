#include "fms/plan/selection_texts.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_page_state.h"
#include "procedure_builder.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

AirportProcedures& selection_origin() {
    return airport_slots[origin_slot];
}
AirportProcedures& selection_destination() {
    return airport_slots[destination_slot];
}

Names entry_texts(const AirportProcedures& slot) {
    Names out;
    for (int i = 1; i <= slot.star_entry_list.count(); ++i)
        out.push_back(slot.star_entry_list[i].text);
    return out;
}

Names preview_fixes(const PreviewLegs& preview) {
    Names out;
    for (int i = 1; i <= preview.count(); ++i)
        out.push_back(preview[i].fix);
    return out;
}

// Two SIDs: ALPHA1 for 09L and 27R with a junction at JCT and transitions
// ABCD, ABC, Z and a; BRAVO2 for every runway.
void load_sids() {
    set_runways(selection_origin(), {"09L", "09", "27R"});
    selection_origin().sids.append(make_procedure("ALPHA1", "09L,27R",
                                                  {{"RW09L", "", "09L"},
                                                   {"RW27R", "", "27R"},
                                                   {"MID"},
                                                   {"JCT", "JCT", "", "*"},
                                                   {"Z1", "Z"},
                                                   {"ABCD1", "ABCD"},
                                                   {"A1", "a"},
                                                   {"ABC1", "ABC"}}));
    selection_origin().sids.append(
        make_procedure("BRAVO2", "", {{"B1"}, {"B2", "B2", "", "*"}, {"X1", "X"}}));
}

} // namespace

TEST(ProcedureSelection, listsMatchWholeRunwaysAndSortTransitionNamesByteWise) {
    load_sids();
    find_sid("ALPHA1");
    EXPECT_EQ(texts(selection_origin().runway_list), (Names{"09L", "27R"})); // not 09
    find_sid("BRAVO2");
    EXPECT_EQ(texts(selection_origin().runway_list), (Names{"09L", "09", "27R"}));

    match_sid_transition("------", "------");
    EXPECT_EQ(texts(selection_origin().procedure_name_list), (Names{"ALPHA1", "BRAVO2"}));
    match_sid_transition("09", "------");
    EXPECT_EQ(texts(selection_origin().procedure_name_list), (Names{"BRAVO2"}));
    match_sid_transition("27R", "ABC");
    EXPECT_EQ(texts(selection_origin().procedure_name_list), (Names{"ALPHA1"}));

    // Transition names in byte order, the junction's tag only in mode 0.
    filter_sids_by_runway("ALPHA1", "27R", kTransitionsSkipJunction);
    EXPECT_EQ(entry_texts(selection_origin()), (Names{"ABC", "ABCD", "Z", "a"}));
    filter_sids_by_runway("ALPHA1", "27R", kTransitionsAll);
    EXPECT_EQ(entry_texts(selection_origin()), (Names{"ABC", "ABCD", "JCT", "Z", "a"}));
    filter_sids_by_runway("------", "09", kTransitionsSkipJunction); // ALPHA1 does not serve 09
    EXPECT_EQ(entry_texts(selection_origin()), (Names{"X"}));
}

TEST(ProcedureSelection, previewsKeepTheCommonPartTheJunctionAndTheChosenBranch) {
    load_sids();
    ChoicesEdit(working_plan)->sid = "ALPHA1";
    sel_sid_index = 1;
    ChoicesEdit(working_plan)->applied_departure_runway = "------";
    ChoicesEdit(working_plan)->applied_sid_transition = "------";
    find_sid_runway();
    EXPECT_EQ(preview_fixes(sid_preview_legs), (Names{"MID", "JCT"})); // runway legs need a runway
    EXPECT_EQ(sid_preview_legs[1].label, "");
    EXPECT_EQ(sid_preview_legs[2].label, "ALPHA1");

    ChoicesEdit(working_plan)->applied_departure_runway = "27R";
    ChoicesEdit(working_plan)->applied_sid_transition = "ABC";
    find_sid_runway();
    EXPECT_EQ(preview_fixes(sid_preview_legs), (Names{"RW27R", "MID", "JCT", "ABC1"}));
    EXPECT_EQ(sid_preview_legs[4].label, "ALPHA1.ABC");

    // A STAR's label puts the transition first.
    selection_destination().stars.append(
        make_procedure("BOGUS1", "", {{"KEPER", "KEPER"}, {"JOIN", "JOIN", "", "*"}}));
    ChoicesEdit(working_plan)->star = "BOGUS1";
    sel_star_index = 1;
    ChoicesEdit(working_plan)->applied_arrival_runway = "------";
    ChoicesEdit(working_plan)->applied_star_transition = "KEPER";
    find_star_runway();
    EXPECT_EQ(preview_fixes(star_preview_legs), (Names{"KEPER", "JOIN"}));
    EXPECT_EQ(star_preview_legs[2].label, "KEPER.BOGUS1");
}

TEST(ProcedureSelection, approachPickersListIafsApproachesRunwaysAndThePreview) {
    set_runways(selection_destination(), {"10R", "28L"});
    select_approach_transition(); // no approaches: empty, still flagged
    EXPECT_EQ(approach_preview_legs.count(), 0);
    EXPECT_EQ(approach_preview_built, 1);
    EXPECT_EQ(page_list_changed, 1);

    selection_destination().approaches.append(
        make_procedure("", "",
                       {{"SAUVI", "SAUVI", "10R", "", "IAF", "5000", "I10R"},
                        {"HILLS", "HILLS", "10R", "", "IAF", "6000", "I10R"},
                        {"NEWBE", "HILLS", "10R", "", "---", "5000", "I10R"},
                        {"ROSIE", "", "10R", "", "FAF", "2000", "I10R"},
                        {"RW10R", "MAP", "10R", "", "MAP", "80", "I10R"}}));
    selection_destination().approaches.append(make_procedure(
        "", "",
        {{"HHOOD", "HHOOD", "C", "", "IAF", "9000", "VORC"}, {"HHOOD", "---", "C", "", "IAF", "", "VORC"}}));

    ChoicesEdit(working_plan)->approach = "I10R";
    ChoicesEdit(working_plan)->applied_arrival_runway = "10R";
    find_iaf_transitions();
    EXPECT_EQ(texts(selection_destination().iaf_list), (Names{"SAUVI", "HILLS"}));
    ChoicesEdit(working_plan)->approach = "VORC";
    ChoicesEdit(working_plan)->applied_arrival_runway = "------";
    find_iaf_transitions(); // the second "---" leg of a listed IAF takes its own fix as tag
    EXPECT_EQ(texts(selection_destination().iaf_list), (Names{"HHOOD"}));
    EXPECT_EQ(selection_destination().approaches[2].legs[2].transition, "HHOOD");

    list_approach_transitions("10R", "------");
    ASSERT_EQ(selection_destination().approach_groups.count(), 1);
    EXPECT_EQ(selection_destination().approach_groups[1].runway_transition_list, "I10R");

    list_approach_iaf_transitions("VORC", "------"); // runway text C: every runway
    EXPECT_EQ(texts(selection_destination().runway_list), (Names{"10R", "28L"}));
    list_approach_iaf_transitions("I10R", "HILLS");
    EXPECT_EQ(texts(selection_destination().runway_list), (Names{"10R"}));

    ChoicesEdit(working_plan)->approach = "I10R";
    ChoicesEdit(working_plan)->approach_transition = "HILLS";
    ChoicesEdit(working_plan)->applied_arrival_runway = "10R";
    select_approach_transition();
    EXPECT_EQ(preview_fixes(approach_preview_legs), (Names{"HILLS", "NEWBE", "ROSIE", "RW10R"}));
    EXPECT_EQ(approach_preview_legs[1].role, "IAF");
    EXPECT_EQ(approach_preview_legs[2].role, ""); // "---" is no role
    EXPECT_EQ(approach_preview_legs[4].role, "MAP");
}

TEST(ProcedureSelection, everyListStopsAtItsCapacity) {
    set_runways(selection_origin(), {"09"});
    ProcedureRecord big = make_procedure("BIG", "", {});
    for (int i = 1; i <= 400; ++i) {
        ProcedureLeg leg;
        leg.fix = "F" + std::to_string(i);
        leg.transition = i <= 130 ? "T" + std::to_string(1000 + i) : "";
        big.legs.append(std::move(leg));
    }
    selection_origin().sids.append(big);
    for (int i = 2; i <= 140; ++i)
        selection_origin().sids.append(make_procedure("S" + std::to_string(i), "", {{"X"}}));

    match_sid_transition("------", "------");
    EXPECT_EQ(selection_origin().procedure_name_list.count(), 100);
    EXPECT_EQ(selection_origin().procedure_name_list[100], "S100");
    filter_sids_by_runway("BIG", "------", kTransitionsAll);
    EXPECT_EQ(selection_origin().star_entry_list.count(), 118);
    EXPECT_EQ(selection_origin().star_entry_list[118].text, "T1118");
    ChoicesEdit(working_plan)->sid = "BIG";
    sel_sid_index = 1;
    ChoicesEdit(working_plan)->applied_departure_runway = ChoicesEdit(working_plan)->applied_sid_transition =
        "------";
    find_sid_runway();
    EXPECT_EQ(sid_preview_legs.count(), 80);
    EXPECT_EQ(sid_preview_legs[80].fix, "F210"); // the 270 common legs, first 80
}

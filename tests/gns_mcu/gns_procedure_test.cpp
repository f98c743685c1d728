// DEPARTURE, ARRIVAL, APCH and AIRWAY by keys on the example route
// (KSEA-KPDX): the fields filled one by one, the previews and their pages,
// the insertions checked as ident sequences, ERASE, and a SMITHS selection
// left as it was.
#include "gns_stand_in.h"

#include "data/airport_procedures.h"
#include "fms/plan/airways.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_procedure_pages.h"

namespace {

constexpr gfx::Argb kYellow = 0xFFFFFF00;
constexpr gfx::Argb kProcWhite = 0xFFDEE6E9;
constexpr gfx::Argb kBlack = 0xFF000000;

std::vector<std::string> idents(const RoutePlan& plan, int last) {
    std::vector<std::string> out;
    for (int i = 0; i <= last; ++i)
        out.push_back(plan[i].ident);
    return out;
}

const std::vector<std::string> kExampleRoute = {"KSEA",  "SEA",   "FOXXE", "NISQL", "OLM",
                                                "TOUTL", "KELSO", "LAVVA", "SAUVI", "KPDX"};

} // namespace

class GnsProcedures : public GnsRouteStandIn {
  protected:
    // Drawn on the last frame and not covered by a box or a text drawn after.
    bool readable(const std::string& text) {
        const std::vector<gfx::RecordedOp> frame = last_frame();
        const gfx::RecordedOp* found = nullptr;
        for (const gfx::RecordedOp& op : frame) {
            const gfx::RectF& b = op.kind == gfx::OpKind::String ? op.text_box : op.bounds;
            const bool meets =
                found != nullptr && (op.kind == gfx::OpKind::String || op.fill) &&
                b.x < found->text_box.x + found->text_box.width && found->text_box.x < b.x + b.width &&
                b.y < found->text_box.y + found->text_box.height && found->text_box.y < b.y + b.height;
            if (meets) return false;
            if (op.kind == gfx::OpKind::String && op.text == text) found = &op;
        }
        return found != nullptr;
    }
    // The route opened, with a SMITHS DEPARTURES and APPROACH selection in
    // progress.
    void open_example_route() {
        GnsRouteStandIn::open_example_route();
        if (HasFatalFailure()) return;
        ChoicesEdit(working_plan)->sid = "SUMMA2";
        ChoicesEdit(working_plan)->sid_transition = ChoicesEdit(working_plan)->applied_sid_transition = "BTG";
        ChoicesEdit(working_plan)->departure_runway = ChoicesEdit(working_plan)->applied_departure_runway =
            "34R";
        ChoicesEdit(working_plan)->star = "CHINS4";
        ChoicesEdit(working_plan)->approach = "I16L";
    }
    void activate_example_route() {
        open_example_route();
        activate_opened_route();
        ASSERT_EQ(idents(active_plan, active_plan_last), kExampleRoute);
    }
    void expect_smiths_selection_kept() {
        EXPECT_EQ(sel_sid, "SUMMA2");
        EXPECT_EQ(sel_sid_transition, "BTG");
        EXPECT_EQ(applied_sid_transition, "BTG");
        EXPECT_EQ(sel_departure_runway, "34R");
        EXPECT_EQ(applied_departure_runway, "34R");
        EXPECT_EQ(sel_star, "CHINS4");
        EXPECT_EQ(sel_approach, "I16L");
    }
};

TEST_F(GnsProcedures, ASidIsChosenFieldByFieldAndInsertedIntoTheActivePlan) {
    activate_example_route();
    press("L4 L4 ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_DEPARTURE);
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleFirst); // the SID list, first entry highlighted
    EXPECT_EQ(text_at(40.0f, 160.0f), "SUMMA2?");

    // SEA7 has a single transition (its end fix): it is filled at once, and
    // the runway list opens.
    press("L4 ENT");
    EXPECT_EQ(gns_sel_sid, "SEA7");
    EXPECT_EQ(gns_sel_sid_transition, "SEA");
    EXPECT_EQ(gns_line_toggles[GNS_R1], kGnsToggleSecond);
    press("L3 ENT");
    EXPECT_EQ(gns_sel_dep_runway, "16L");
    EXPECT_EQ(gns_departure_preview, 1);
    EXPECT_TRUE(shows("SELECT?"));
    EXPECT_TRUE(shows("WAYPOINTS OF SID:"));
    const int legs = sid_preview_legs.count();
    ASSERT_GE(legs, 2);

    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(to_waypoint_index, 1);
    std::vector<std::string> expected = {"KSEA"};
    for (int i = 1; i <= legs; ++i)
        expected.push_back(sid_preview_legs[i].fix);
    // The SID ends at SEA, where the route goes on: SEA stands once.
    ASSERT_EQ(expected.back(), "SEA");
    expected.insert(expected.end(), kExampleRoute.begin() + 2, kExampleRoute.end());
    EXPECT_EQ(idents(active_plan, active_plan_last), expected);
    EXPECT_EQ(active_sel.procedures.sid, "SEA7");
    EXPECT_EQ(active_sel.procedures.sid_transition, "SEA");
    EXPECT_EQ(active_sel.procedures.departure_runway, "16L");
    expect_smiths_selection_kept();
}

TEST_F(GnsProcedures, ASidWithSeveralTransitionsOpensTheirListAndEraseDropsThePreview) {
    activate_example_route();
    press("L4 L4 ENT");
    frames(1);
    press("L3 L3 ENT"); // HAROB3
    EXPECT_EQ(gns_sel_sid, "HAROB3");
    EXPECT_EQ(gns_sel_sid_transition, "------");
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleSecond);
    EXPECT_EQ(gns_line_toggles[GNS_R1], kGnsToggleIdle);
    EXPECT_EQ(text_at(53.0f, 120.0f), "TRANSITION");
    EXPECT_EQ(op_at(53.0f, 120.0f)->color, kYellow);

    press("L3 L3 ENT"); // HQM
    EXPECT_EQ(gns_sel_sid_transition, "HQM");
    ASSERT_EQ(gns_line_toggles[GNS_R1], kGnsToggleSecond);
    // The runway list opens with no entry highlighted: ENT takes nothing.
    press("ENT");
    EXPECT_EQ(gns_sel_dep_runway, "------");
    press("L3 ENT"); // runway 16L
    ASSERT_EQ(gns_departure_preview, 1);

    press("R5");
    EXPECT_TRUE(shows("ERASE?"));
    EXPECT_FALSE(shows("SELECT?"));
    press("ENT");
    EXPECT_EQ(gns_departure_preview, 0);
    EXPECT_EQ(gns_sel_sid, "------");
    EXPECT_EQ(gns_sel_sid_transition, "------");
    EXPECT_EQ(gns_sel_dep_runway, "16L");
    EXPECT_EQ(gns_sel_dep_airport, "KSEA");
    EXPECT_EQ(gns_line_toggles[GNS_R2], kGnsToggleFirst);
    EXPECT_EQ(gns_state, GNS_DEPARTURE);
    EXPECT_EQ(idents(active_plan, active_plan_last), kExampleRoute);
    expect_smiths_selection_kept();
}

TEST_F(GnsProcedures, ASidGoesIntoAnOpenedStoredPlanAndItsWorkingSelection) {
    open_example_route();
    press("L4 L4 ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_DEPARTURE);
    // The opened plan's departure airport is its origin: no field opens for it.
    EXPECT_EQ(gns_line_toggles[GNS_R1], kGnsToggleIdle);
    EXPECT_EQ(working_sel.departure_airport, "KSEA");
    press("L4 ENT L3 ENT ENT"); // SEA7 (SEA), 16L, SELECT
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(working_sel.procedures.sid, "SEA7");
    EXPECT_EQ(active_sel.procedures.sid, "------");
    const std::vector<std::string> w = idents(working_plan, working_plan_last);
    ASSERT_GE(w.size(), kExampleRoute.size());
    EXPECT_EQ(w.front(), "KSEA");
    EXPECT_EQ(std::count(w.begin(), w.end(), "SEA"), 1);
    EXPECT_EQ(std::vector<std::string>(w.end() - 8, w.end()),
              std::vector<std::string>(kExampleRoute.begin() + 2, kExampleRoute.end()));
    expect_smiths_selection_kept();
}

TEST_F(GnsProcedures, AStarTransitionFirstFindsItsStarAndTheArrivalJoinsTheRoute) {
    activate_example_route();
    press("L5 ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_ARRIVAL);
    ASSERT_EQ(gns_line_toggles[GNS_R2], kGnsToggleFirst); // the transitions of every STAR
    // OLM belongs to LAVVA2 alone: the STAR is filled and the runways open.
    const std::vector<std::string> transitions = star_transition_names("------", "------", kTransitionsAll);
    ASSERT_GE(transitions.size(), 3u);
    ASSERT_EQ(transitions[2], "OLM");
    press("L4 ENT");
    EXPECT_EQ(gns_sel_star_transition, "OLM");
    EXPECT_EQ(gns_sel_star, "LAVVA2");
    EXPECT_EQ(gns_line_toggles[GNS_R1], kGnsToggleSecond);
    press("ENT"); // the first runway, highlighted
    ASSERT_EQ(gns_arrival_preview, 1);
    EXPECT_TRUE(shows("WAYPOINTS OF STAR:"));
    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    // The STAR from OLM is the route's own: nothing is doubled.
    const std::vector<std::string> plan = idents(active_plan, active_plan_last);
    EXPECT_EQ(plan.front(), "KSEA");
    EXPECT_EQ(plan.back(), "KPDX");
    EXPECT_EQ(std::count(plan.begin(), plan.end(), "OLM"), 1);
    EXPECT_EQ(std::count(plan.begin(), plan.end(), "LAVVA"), 1);
    EXPECT_EQ(active_sel.procedures.star, "LAVVA2");
    EXPECT_EQ(active_sel.procedures.star_transition, "OLM");
    expect_smiths_selection_kept();

    // Reopened with runway, transition and STAR set, ENT shows the STAR's
    // waypoints and asks again.
    press("L5 ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_ARRIVAL);
    ASSERT_EQ(gns_arrival_preview, 0);
    press("ENT");
    EXPECT_EQ(gns_arrival_preview, 1);
    EXPECT_TRUE(shows("WAYPOINTS OF STAR:"));
    EXPECT_TRUE(shows("SELECT?"));
}

TEST_F(GnsProcedures, AnApproachIsChosenAndAppendedBeforeTheDestination) {
    activate_example_route();
    press("L5 L5 ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_APPROACH);
    press("ENT ENT"); // KPDX through DATABASE WPT, back on the runway list
    ASSERT_EQ(gns_state, GNS_APPROACH);
    ASSERT_EQ(gns_line_toggles[GNS_R1], kGnsToggleSecond);
    press("L3 ENT"); // 10R: a single approach, taken at once
    EXPECT_EQ(gns_sel_arr_runway, "10R");
    EXPECT_EQ(gns_sel_apch_type, "I10R");
    ASSERT_EQ(gns_line_toggles[GNS_R2], kGnsToggleSecond); // its IAFs
    press("L3 ENT");
    EXPECT_EQ(gns_sel_apch_trans, "SAUVI");
    ASSERT_EQ(gns_approach_preview, 1);
    EXPECT_TRUE(shows("WPTS OF APPROACH:"));
    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(to_waypoint_index, 1);
    const std::vector<std::string> plan = idents(active_plan, active_plan_last);
    // The IAF is the route's last fix: it stands once; the missed approach
    // is not flown.
    ASSERT_GE(plan.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(plan.end() - 5, plan.end()),
              (std::vector<std::string>{"LAVVA", "SAUVI", "MELLO", "ROSIE", "KPDX"}));
    EXPECT_EQ(active_sel.procedures.approach, "I10R");
    expect_smiths_selection_kept();
}

TEST_F(GnsProcedures, AnApproachWithNoRouteToJoinIsRefusedAndSaid) {
    ASSERT_LT(active_plan_last, 0);
    press("FPL L5 L5 ENT");
    press("R1 \"KPDX\" ENT ENT");
    press("L3 ENT L3 ENT");
    ASSERT_EQ(gns_approach_preview, 1);
    press("ENT");
    frames(1);
    // The preview stays for when there is a route, and the unit says why.
    EXPECT_EQ(gns_state, GNS_APPROACH);
    EXPECT_EQ(gns_approach_preview, 1);
    EXPECT_LT(active_plan_last, 0);
    EXPECT_NE(op_of_text("INVALID ENTRY"), nullptr);
    // The preview fills the page's left column: the message stands over its
    // lowest leg, SELECT and ERASE stay readable.
    EXPECT_EQ(text_under("INVALID ENTRY"), "");
    EXPECT_TRUE(readable("SELECT"));
    EXPECT_TRUE(readable("ERASE"));
    press("NEXT");
    frames(1);
    EXPECT_EQ(op_of_text("INVALID ENTRY"), nullptr);
}

TEST_F(GnsProcedures, PreviewsAndListsPageWithinTheirCounts) {
    activate_example_route();
    // Eleven waypoints: eight on page 1, three on page 2, on every page.
    PreviewLegs* previews[] = {&sid_preview_legs, &star_preview_legs, &approach_preview_legs};
    const int states[] = {GNS_DEPARTURE, GNS_ARRIVAL, GNS_APPROACH};
    int* flags[] = {&gns_departure_preview, &gns_arrival_preview, &gns_approach_preview};
    for (int p = 0; p < 3; ++p) {
        previews[p]->set_count(0);
        for (int i = 1; i <= 11; ++i) {
            PreviewLeg leg;
            leg.fix = "F" + std::to_string(i);
            previews[p]->append(leg);
        }
        reset_page_toggles();
        gns_state = states[p];
        *flags[p] = 1;
        frames(1);
        EXPECT_TRUE(shows("F8")) << states[p];
        EXPECT_FALSE(shows("F9")) << states[p];
        EXPECT_TRUE(shows("1/2")) << states[p];
        press("NEXT");
        EXPECT_TRUE(shows("F9")) << states[p];
        EXPECT_TRUE(shows("F11")) << states[p];
        EXPECT_TRUE(shows("2/2")) << states[p];
        press("NEXT");
        EXPECT_TRUE(shows("1/2")) << states[p];
    }

    // An empty open list counts one page; PREV stays on it.
    gns_state = GNS_ARRIVAL;
    gns_arrival_preview = 0;
    reset_page_toggles();
    gns_line_toggles[GNS_R2] = kGnsToggleFirst;
    airport_slots[destination_slot].stars.set_count(0);
    frames(1);
    press("PREV");
    EXPECT_EQ(gns_arrival_page, 1);
    EXPECT_TRUE(shows("1/1"));
}

TEST_F(GnsProcedures, AnAirwayInsertsTheFixesUpToTheChosenEnd) {
    activate_example_route();
    press("L2 \"#J1\" ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_AIRWAY);
    ASSERT_EQ(unit_candidates(PlanUnit::Gns).records.count(), 15);
    ASSERT_EQ(unit_candidates(PlanUnit::Gns).from_index, 9); // SEA
    EXPECT_EQ(text_at(20.0f, 40.0f * 1), "");                // EUG, no label
    EXPECT_EQ(text_at(240.0f, 40.0f), "TO");                 // SEA chosen on entry
    EXPECT_EQ(text_at(300.0f, 40.0f), "SEA?");

    press("R5"); // beside position 16, which holds no fix
    EXPECT_EQ(gns_line_toggles[GNS_R5], kGnsToggleIdle);
    EXPECT_EQ(unit_candidates(PlanUnit::Gns).selected_index, 9);
    press("L4"); // LEWIS, position 6
    EXPECT_EQ(unit_candidates(PlanUnit::Gns).selected_index, 6);
    EXPECT_EQ(text_at(240.0f, 40.0f), "FR");
    EXPECT_EQ(text_at(75.0f, 240.0f), "LEWIS?");
    EXPECT_EQ(op_at(75.0f, 280.0f)->color, kYellow); // RAINR, in between

    press("ENT");
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    std::vector<std::string> expected = kExampleRoute;
    expected.insert(expected.begin() + 2, {"PUYAL", "RAINR", "LEWIS"});
    EXPECT_EQ(idents(active_plan, active_plan_last), expected);

    // An identifier typed next is an entry of its own.
    press("\"OLM\" ENT");
    EXPECT_EQ(gns_scratchpad_text(), "OLM");
    EXPECT_NE(gns_state, GNS_AIRWAY);
}

// An airway in the file but not joined at the waypoint keeps its name as the
// title, and ENT says that nothing went in, over no label of the page.
TEST_F(GnsProcedures, AnAirwayNotJoinedIsTitledByItsNameAndEntSaysSo) {
    activate_example_route();
    const std::vector<std::string> before = idents(active_plan, active_plan_last);
    press("L2 \"#V27\" ENT");
    frames(1);
    ASSERT_EQ(gns_state, GNS_AIRWAY);
    EXPECT_EQ(text_at(200.0f, 0.0f), "V27"); // SEA is not on it
    press("L2 ENT");
    frames(1);
    EXPECT_EQ(idents(active_plan, active_plan_last), before);
    EXPECT_EQ(text_under("INVALID ENTRY"), "");
    // Back on the full plan page: the message stands over the lowest plan
    // row, the prompts stay.
    for (const char* prompt : {"LOAD ATC RTE", "DEPART", "ARRIVE", "SAVE FPL"})
        EXPECT_TRUE(readable(prompt)) << prompt;
}

// An airport typed on ARRIVAL or DEPARTURE that the database does not hold
// leaves the plan's airport and its procedures loaded.
TEST_F(GnsProcedures, AnAirportNotFoundLeavesTheAirportSlotAsItWas) {
    activate_example_route();
    const struct {
        const char* page_keys;
        GnsState state;
        int slot;
        const char* kept;
    } rows[] = {{"L5 ENT", GNS_ARRIVAL, destination_slot, "KPDX"},
                {"L4 L4 ENT", GNS_DEPARTURE, origin_slot, "KSEA"}};
    for (const auto& row : rows) {
        press("FPL");
        if (gns_state != GNS_FLIGHT_PLAN) press("FPL");
        press(row.page_keys);
        frames(1);
        ASSERT_EQ(gns_state, row.state) << row.kept;
        const AirportProcedures& airport = airport_slots[static_cast<std::size_t>(row.slot)];
        ASSERT_EQ(airport.airport_ident, row.kept);
        const int runways = airport.runways.count();
        const int procedures = airport.stars.count() + airport.sids.count() + airport.approaches.count();
        const int fixes = approach_fix_list.count();
        ASSERT_GT(procedures, 0) << row.kept;
        if (gns_line_toggles[GNS_R1] != kGnsToggleFirst) press("R1");
        press("\"QQQ\" ENT");
        EXPECT_EQ(gns_airport_not_found, 1) << row.kept;
        EXPECT_EQ(airport.airport_ident, row.kept);
        EXPECT_EQ(airport.runways.count(), runways) << row.kept;
        EXPECT_EQ(airport.stars.count() + airport.sids.count() + airport.approaches.count(), procedures);
        EXPECT_EQ(approach_fix_list.count(), fixes) << row.kept;
    }
}

// A message on a page full to its footer stands over values of the page,
// never over its labels, prompts or highlights (white, or black on a box):
// previews of four and eight legs, a choice list of twelve.
TEST_F(GnsProcedures, AMessageOnAFullPageLeavesItsLabelsReadable) {
    activate_example_route();
    const struct {
        int state, entries;
        bool list;
    } rows[] = {{GNS_APPROACH, 4, false},
                {GNS_APPROACH, 8, false},
                {GNS_DEPARTURE, 8, false},
                {GNS_ARRIVAL, 12, true}};
    for (const auto& r : rows) {
        PreviewLegs* legs = r.state == GNS_APPROACH    ? &approach_preview_legs
                            : r.state == GNS_DEPARTURE ? &sid_preview_legs
                                                       : &star_preview_legs;
        legs->set_count(0);
        for (int i = 1; i <= r.entries; ++i) {
            PreviewLeg leg;
            leg.fix = "F" + std::to_string(i);
            legs->append(leg);
        }
        reset_page_toggles();
        gns_sel_dep_airport = "KSEA";
        gns_sel_arr_airport = "KPDX";
        gns_state = r.state;
        gns_approach_preview = gns_departure_preview = gns_arrival_preview = r.list ? 0 : 1;
        if (r.list) {
            gns_line_toggles[GNS_R2] = kGnsToggleFirst;
            auto& stars = airport_slots[destination_slot].star_entry_list;
            stars.set_count(0);
            for (int i = 1; i <= r.entries; ++i)
                stars.append(StarEntry{"S" + std::to_string(i), i});
        }
        gns_refusal_text = "INVALID ENTRY";
        frames(1);
        const std::string where = std::to_string(r.state) + " with " + std::to_string(r.entries);
        EXPECT_EQ(text_under("INVALID ENTRY"), "") << where;
        // The entries' rows: a preview's from y 200 to 320, a list's from
        // 160 to 360 (its cursor excepted).
        const float top = r.list ? 160.0f : 200.0f, bottom = r.list ? 360.0f : 320.0f;
        int labels = 0;
        for (const gfx::RecordedOp& op : last_frame()) {
            const float y = op.world_rect.y;
            const bool entry = y >= top && y <= bottom && op.color != kBlack;
            if (op.kind != gfx::OpKind::String || op.text == "INVALID ENTRY" || entry ||
                op.text.find_first_not_of(' ') == std::string::npos ||
                (op.color != kProcWhite && op.color != kBlack))
                continue;
            ++labels;
            EXPECT_TRUE(readable(op.text)) << where << ": " << op.text;
        }
        EXPECT_GT(labels, 3) << where;
    }
}

// A waypoint typed inside the STAR makes its legs ordinary, and the STAR is
// chosen no more: an approach chosen next joins those legs, bringing no
// second copy of the STAR.
TEST_F(GnsProcedures, AWaypointTypedInsideTheStarLetsTheStarGo) {
    activate_example_route();
    press("L5 ENT");
    frames(1);
    press("L4 ENT ENT ENT"); // LAVVA2 from OLM, the first runway
    ASSERT_EQ(active_plan.choices().star, "LAVVA2");
    press("NEXT L2 \"PAE\" ENT ENT");
    frames(1);
    const std::vector<std::string> plan = idents(active_plan, active_plan_last);
    std::string kinds;
    for (int i = 0; i <= active_plan_last; ++i)
        kinds += active_plan[i].ident + "/" + active_plan[i].kind + " ";
    ASSERT_EQ(std::count(plan.begin(), plan.end(), "PAE"), 1) << kinds;
    EXPECT_EQ(kinds.find("STAR"), std::string::npos) << kinds;
    EXPECT_EQ(active_plan.choices().star, "------");
    EXPECT_EQ(active_sel.procedures.star, "------");

    press("L5 L5 ENT");
    frames(1);
    press("ENT ENT L3 ENT L3 ENT ENT");
    const std::vector<std::string> after = idents(active_plan, active_plan_last);
    EXPECT_EQ(active_plan.choices().approach, "I10R");
    for (const char* fix : {"LAVVA", "TOUTL", "KELSO", "PAE"})
        EXPECT_EQ(std::count(after.begin(), after.end(), fix), 1) << fix << ": " << kinds;
}

// Each page lists from its own choices: what another unit listed since in
// the airport slots both share (the SMITHS's SID, STAR and approach lists)
// neither shows on the GNS's page nor is what its ENT takes.
class GnsOwnLists : public GnsProcedures, public ::testing::WithParamInterface<int> {};

TEST_P(GnsOwnLists, whateverAnotherUnitListsInTheSharedSlots) {
    const struct {
        const char* open; // the page, its first list open, its first entry highlighted
        const std::string* field;
    } rows[] = {
        {"L4 L4 ENT", &gns_sel_sid},
        {"L4 L4 ENT L4 ENT L3", &gns_sel_dep_runway}, // SEA7's runways
        {"L5 ENT", &gns_sel_star_transition},
        {"L5 L5 ENT ENT ENT L3", &gns_sel_arr_runway},        // KPDX's approach runways
        {"L5 L5 ENT ENT ENT L3 ENT L3", &gns_sel_apch_trans}, // I10R's IAFs
    };
    const auto& row = rows[GetParam()];
    activate_example_route();
    press(row.open);
    frames(1);
    const std::string first = gns_scratchpad; // the highlighted entry
    ASSERT_FALSE(first.empty());
    for (const int n : {origin_slot, destination_slot}) {
        AirportProcedures& slot = airport_slots[static_cast<std::size_t>(n)];
        slot.runway_list.set_count(0);
        slot.runway_list.append("99");
        slot.procedure_name_list.set_count(0);
        slot.procedure_name_list.append("OTHER1");
        slot.star_entry_list.set_count(0);
        slot.star_entry_list.append(StarEntry{"OTHER", 0});
        slot.approach_groups.set_count(0);
        slot.iaf_list.set_count(0);
        slot.iaf_list.append("OTHER");
    }
    frames(1);
    EXPECT_FALSE(shows("OTHER1") || shows("OTHER") || shows("OTHER?"));
    press("ENT");
    EXPECT_EQ(*row.field, first);
}

INSTANTIATE_TEST_SUITE_P(DepartureArrivalApproach, GnsOwnLists, ::testing::Range(0, 5));

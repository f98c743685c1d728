// The plan mirrors the last procedure choices, in whatever order the pilot
// pressed them: each row's plan is written from the example data's legs
// (examples/sim/orvex/navdata: sids.txt, stars.txt, apps.txt).
#include "plan_keys_fixture.h"
#include "plan_state_check.h"
#include "shared/saved_route_reload.h"

#include "fms/math/nav_math.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// KSEA SEA V23 OLM KPDX, executed on the ground.
const char* const kRoute =
    "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"OLM\" R2 R6 EXEC\n"
    "frames 2\n";
const std::string kEnRoute = "KSEA SEA FOXXE NISQL OLM";

// ARRIVALS of KPDX, opened afresh: STARs LAVVA2 (L1) and HHOOD2 (L2), the
// chosen STAR's transitions OLM (L2) and SEA (L3); approaches I10R (R1),
// I28L (R2), I28R (R3), then runways 10R (R4) and 28L (R5); a chosen
// approach's transitions from R2.
std::string arr(const std::string& keys) {
    return "cdu SMITHS_FMS DEP_ARR R2 " + keys + "\nframes 1\n";
}

class ProcedureChoiceOrder : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    static std::string idents(const RoutePlan& plan, int last) {
        std::string out;
        for (int i = 0; i <= last; ++i)
            out += (i ? " " : "") + plan[i].ident;
        return out;
    }
    std::string flown() { return idents(active_plan, active_plan_last); }
    std::string pending() { return idents(working_plan, working_plan_last); }

    // The GNS keys that open the row of entry i of the plan in view: six
    // rows a page, the flown plan's from its FROM, a stored plan's from 0.
    static std::string gns_row(int i, bool flown) {
        const char* const keys[] = {"L1", "L2", "L2 L2", "L3", "L3 L3", "L4"};
        const int offset = i - (flown ? std::max(0, to_waypoint_index - 1) : 0);
        std::string out = flown ? "gns GNSXLS FPL" : "gns GNSXLS";
        for (int page = 0; page < offset / 6; ++page)
            out += " NEXT";
        return out + " " + keys[offset % 6] + "\n";
    }
    static int index_of(const std::string& ident) {
        for (int i = 1; i <= active_plan_last; ++i)
            if (active_plan[i].ident == ident) return i;
        return -1;
    }
    // "gns-dep|gns-arr|gns-apch TEXT...": the GNS page of the plan in view
    // (flown, or the stored plan open) opened, its runway, procedure and
    // transition cleared, then filled from whichever of TEXT its open list
    // offers, and the preview taken; any other line runs as it is.
    void step(const std::string& line) {
        std::istringstream in(line);
        std::string page;
        in >> page;
        if (page.compare(0, 4, "gns-") != 0) return run(line);
        std::set<std::string> picks;
        for (std::string w; in >> w;)
            picks.insert(w);
        const bool dep = page == "gns-dep", arr = page == "gns-arr";
        const bool flown = gns_plan_open == 0;
        for (int n = 0;
             n < 3 && (gns_state != GNS_FLIGHT_PLAN || (flown && gns_sub_state != kGnsSubStateActivePlan));
             ++n)
            run("gns GNSXLS FPL\nframes 1");
        const char* const opens = dep ? "L4 L4" : arr ? "L5" : "L5 L5";
        run(std::string("gns GNSXLS ") + opens + "\nframes 1\ngns GNSXLS ENT\nframes 1");
        std::string& airport = dep ? gns_sel_dep_airport : gns_sel_arr_airport;
        if (airport == "------") {
            const std::string ident = dep ? "K S E A" : "K P D X";
            if (gns_line_toggles[GNS_R1] != kGnsToggleFirst) run("gns GNSXLS R1\nframes 1");
            run("gns GNSXLS " + ident + "\ngns GNSXLS ENT\nframes 1\ngns GNSXLS ENT\nframes 1");
        }
        for (int n = 0; n < 3 && gns_line_toggles[GNS_R1] != kGnsToggleSecond; ++n)
            run("gns GNSXLS R1\nframes 1");
        // R2 steps through the procedure's fields, clearing each it opens.
        for (int n = arr ? 2 : 3; n > 0; --n)
            run("gns GNSXLS R2\nframes 1");
        const int& preview = dep ? gns_departure_preview : arr ? gns_arrival_preview : gns_approach_preview;
        const char* const keys[] = {"L3", "L4", "L5", "R3", "R4", "R5"};
        for (int field = 0; field < 4 && preview == 0; ++field) {
            bool picked = false;
            for (int row = 1; row <= 12 && !picked; ++row) {
                for (int n = 0; n < 3 && gns_list_cursor != row; ++n)
                    run(std::string("gns GNSXLS ") + keys[(row - 1) / 2] + "\nframes 1");
                picked = gns_list_cursor == row && picks.count(gns_scratchpad_text()) == 1;
            }
            ASSERT_TRUE(picked) << line << ": no list offers it";
            run("gns GNSXLS ENT\nframes 1");
            if (gns_state == GNS_DATABASE_WPT) run("gns GNSXLS ENT\nframes 1");
        }
        ASSERT_EQ(preview, 1) << line;
        run("gns GNSXLS ENT\nframes 1");
    }
    void steps(const std::string& lines) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line) && !HasFatalFailure();)
            if (!line.empty()) step(line);
    }

    // In the air 6 NM before `fix`, the TO, on the leg into it.
    void fly_towards(const std::string& fix) {
        run("aircraft altitude 8000\naircraft speed 250\nframes 2\nmcu MCU TO");
        for (int n = 0; n < 12 && active_plan[to_waypoint_index].ident != fix; ++n)
            run("mcu MCU NEXT");
        ASSERT_EQ(active_plan[to_waypoint_index].ident, fix);
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        const RouteWaypoint& from = active_plan[to_waypoint_index - 1];
        double leg = 0.0, course = 0.0, lat = 0.0, lon = 0.0;
        gc_dist_course(from.lat, from.lon, to.lat, to.lon, &leg, &course);
        gc_destination_point(from.lat, from.lon, course, std::max(leg - 6.0, 0.0), &lat, &lon);
        char line[120];
        std::snprintf(line, sizeof line, "aircraft position %.5f %.5f\naircraft heading %.0f\nframes 2", lat,
                      lon, course);
        run(line);
    }
    // `before`, then in the air with the TO on `to` (on the ground when
    // empty), `keys`: the entries passed before the keys stay as they were.
    void choose_from(const std::string& before, const char* to, const std::string& keys) {
        steps(before);
        if (*to) fly_towards(to);
        std::vector<int> passed;
        for (int i = 0; *to && i < to_waypoint_index; ++i)
            passed.push_back(active_plan[i].id);
        steps(keys);
        for (std::size_t i = 0; i < passed.size(); ++i)
            EXPECT_EQ(active_plan[static_cast<int>(i)].id, passed[i]) << "passed entry " << i;
    }
    // In the pattern of a hold at `fix`, the TO.
    void hold_at_the_to(const std::string& fix) {
        fly_towards(fix);
        run(gns_row(to_waypoint_index, true) + "gns GNSXLS HOLD\nmcu MCU LNAV\nframes 2");
        char line[120];
        std::snprintf(line, sizeof line, "aircraft position %.5f %.5f\nframes 5",
                      active_plan[to_waypoint_index].lat, active_plan[to_waypoint_index].lon);
        run(line);
        ASSERT_EQ(hold_armed, 1);
        ASSERT_GE(holding_active, 1);
    }
};

} // namespace

TEST_F(ProcedureChoiceOrder, theArrivalIsTheLastChoicesWhicheverCameFirst) {
    const std::string lavva_28l = " LAVVA YACLT DISCO SANDY COBRA KPDX";
    const struct {
        const char* what;
        std::string keys;
        std::string plan; // after the keys and EXEC
    } rows[] = {
        {"a STAR alone", arr("L1"), kEnRoute + " LAVVA KPDX"},
        {"its transition joins the route at OLM", arr("L1 L2"), kEnRoute + " TOUTL KELSO LAVVA KPDX"},
        {"STAR then approach", arr("L1") + arr("R2"), kEnRoute + lavva_28l},
        {"approach then STAR", arr("R2") + arr("L1"), kEnRoute + lavva_28l},
        {"a STAR after the approach replaces the old one", arr("L1") + arr("R2") + arr("L2"),
         kEnRoute + " HHOOD CLACK DISCO SANDY COBRA KPDX"},
        {"a STAR transition after the approach", arr("L1") + arr("R2") + arr("L1 L2"),
         kEnRoute + " TOUTL KELSO" + lavva_28l},
        {"the same STAR again keeps the approach", arr("L1 R4") + arr("R1 R2") + arr("L1"),
         kEnRoute + " LAVVA SAUVI MELLO ROSIE KPDX"},
        {"another approach after one executed", arr("L1") + arr("R1") + "cdu SMITHS_FMS EXEC\n" + arr("R2"),
         kEnRoute + lavva_28l},
        {"approach, STAR, then the approach's transition", arr("R2") + arr("L1") + arr("R2 R3"),
         kEnRoute + " LAVVA YACLT DISCO HHOOD GRSHM SANDY COBRA KPDX"},
        {"a runway the approach does not serve drops it", arr("L1") + arr("R2") + arr("R4"),
         kEnRoute + " LAVVA SAUVI KPDX"},
        {"an airfield on the way stays",
         "cdu SMITHS_FMS LEGS \"KOLM\" L5\nframes 1\n" + arr("L1") + arr("R2"),
         kEnRoute + " KOLM" + lavva_28l},
        {"ERASE brings the executed arrival back",
         arr("L1") + "cdu SMITHS_FMS EXEC\n" + arr("L2") + arr("L6"), kEnRoute + " LAVVA KPDX"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(kRoute);
        run(row.keys);
        run("cdu SMITHS_FMS EXEC\nframes 1");
        EXPECT_EQ(flown(), row.plan);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// A new destination drops the old one's arrival and its choices, pending
// and executed.
TEST_F(ProcedureChoiceOrder, aNewDestinationDropsTheOldArrival) {
    for (const bool exec : {false, true}) {
        SCOPED_TRACE(exec ? "executed" : "pending");
        restart();
        run(kRoute);
        run(arr("L1") + arr("R2") + "cdu SMITHS_FMS EXEC\ncdu SMITHS_FMS RTE \"KYKM\" R1\nframes 1");
        if (exec) run("cdu SMITHS_FMS EXEC\nframes 1");
        EXPECT_EQ(exec ? flown() : pending(), kEnRoute + " KYKM");
        EXPECT_EQ(sel_star, "------");
        EXPECT_EQ(sel_approach, "------");
    }
}

// A SID chosen after another takes none of the first one's transition.
TEST_F(ProcedureChoiceOrder, aNewSidTakesNoTransitionItLacks) {
    restart();
    run(kRoute);
    // SUMMA2 via OLM from 16L, then HAROB3.
    run("cdu SMITHS_FMS DEP_ARR L1 L1 L3 R1\nframes 1\ncdu SMITHS_FMS DEP_ARR L1 L2\nframes 1\n"
        "cdu SMITHS_FMS EXEC\nframes 1");
    // Its legs for 16L: heading 162, track 162 to 5 DME, JAWBN, HAROB.
    EXPECT_EQ(sel_sid, "HAROB3");
    EXPECT_EQ(sel_sid_transition, "------");
    EXPECT_EQ(flown(), "KSEA HD162 TR162 JAWBN HAROB SEA FOXXE NISQL OLM KPDX");
    for (int i = 1; i <= active_plan_last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (w.kind == "SID") {
            EXPECT_TRUE(w.via.empty() || w.via == "HAROB3") << w.via;
        }
    }
}

// A hold the pilot put at a STAR or approach fix stays on that entry when the
// arrival is built anew around it; one whose fix the new arrival no longer
// flies goes with its fix, as a deleted waypoint's does, and the aircraft
// holding there flies on along the new legs.
TEST_F(ProcedureChoiceOrder, aHoldStaysWithItsFixWhileTheArrivalHasIt) {
    const std::string hhood_28l = " HHOOD CLACK DISCO SANDY COBRA KPDX";
    const std::string lavva_28l = arr("L1") + arr("R2");
    const struct {
        const char* what;
        std::string arrival; // executed before the hold
        const char* hold_at;
        const char* to; // the TO in the air; "" on the ground
        bool holding;
        std::string choice; // then executed
        std::string plan;
        bool kept;
    } rows[] = {
        {"a STAR fix, a transition added", arr("L1 R4") + arr("R1 R2"), "LAVVA", "", false, arr("L1 L2"),
         kEnRoute + " TOUTL KELSO LAVVA SAUVI MELLO ROSIE KPDX", true},
        {"an approach fix, another STAR", lavva_28l, "SANDY", "", false, arr("L2"), kEnRoute + hhood_28l,
         true},
        {"an approach fix the new runway drops", lavva_28l, "SANDY", "", false, arr("R4"),
         kEnRoute + " LAVVA SAUVI KPDX", false},
        {"the TO inside the STAR, the hold ahead", lavva_28l, "SANDY", "YACLT", false, arr("L2"),
         kEnRoute + " LAVVA" + hhood_28l, true},
        {"holding, an approach added", arr("L1"), "LAVVA", "LAVVA", true, arr("R2"),
         kEnRoute + " LAVVA YACLT DISCO SANDY COBRA KPDX", true},
        {"holding, the fix dropped", lavva_28l, "YACLT", "YACLT", true, arr("L2"),
         kEnRoute + " LAVVA" + hhood_28l, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(kRoute);
        run(row.arrival + "cdu SMITHS_FMS EXEC\nframes 1");
        if (row.holding) {
            hold_at_the_to(row.hold_at);
        } else {
            if (*row.to) fly_towards(row.to);
            run(gns_row(index_of(row.hold_at), true) + "gns GNSXLS HOLD\nframes 1");
        }
        ASSERT_EQ(hold_count(), 1);
        const int id = active_plan[hold_list[1].active_index()].id;
        run(row.choice + "cdu SMITHS_FMS EXEC\nframes 1");
        EXPECT_EQ(flown(), row.plan);
        if (row.kept) {
            ASSERT_EQ(hold_count(), 1);
            EXPECT_EQ(active_plan[hold_list[1].active_index()].ident, row.hold_at);
            EXPECT_EQ(active_plan[hold_list[1].active_index()].id, id);
            EXPECT_EQ(holding_active >= 1, row.holding);
        } else {
            EXPECT_EQ(hold_count(), 0);
            EXPECT_EQ(hold_armed, 0);
            if (row.holding) {
                EXPECT_EQ(hold_exit_state, kHoldExitDeleted);
            }
        }
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// An airport typed after the destination on the GNS is the new destination:
// the old one goes with its STAR, approach and the gap between them, on the
// flown plan (on the ground, or with the TO inside that STAR) and on a stored
// plan open, and the arrival choices go too.
TEST_F(ProcedureChoiceOrder, aDestinationTypedOnTheGnsDropsTheOldArrival) {
    const struct {
        const char* what;
        std::string start;
        const char* to;
        bool flown;
        std::string plan;
    } rows[] = {
        {"flown, on the ground", kRoute + arr("L1") + arr("R2") + "cdu SMITHS_FMS EXEC\n", "", true,
         kEnRoute + " KYKM"},
        {"flown, the TO inside the STAR", kRoute + arr("L1") + arr("R2") + "cdu SMITHS_FMS EXEC\n", "YACLT",
         true, kEnRoute + " LAVVA KYKM"},
        // KSEAKPDX.RTE flies OLM.LAVVA2 to SAUVI.
        {"a stored plan open", "gns GNSXLS R2 R2 ENT\nframes 1\n", "", false, kEnRoute + " KYKM"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(row.start);
        if (*row.to) fly_towards(row.to);
        const int last = row.flown ? active_plan_last : working_plan_last;
        run(gns_row(last + 1, row.flown) +
            "gns GNSXLS K Y K M\ngns GNSXLS ENT\nframes 1\ngns GNSXLS ENT\nframes 1");
        EXPECT_EQ(row.flown ? flown() : pending(), row.plan);
        const GnsChoices& sel = row.flown ? active_sel : working_sel;
        EXPECT_EQ(sel.arrival_airport, "KYKM");
        EXPECT_EQ(sel.procedures.star, "------");
        EXPECT_EQ(sel.procedures.approach, "------");
        if (row.flown) {
            EXPECT_EQ(active_plan.choices().star, "------");
            EXPECT_EQ(active_plan.choices().approach, "------");
        }
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// The same choices on the GNS's pages, on the flown plan and on a stored
// plan open, and in the air with the TO inside the STAR on either unit: the
// legs before the TO stay as they were. The GNS puts no gap before an
// approach that does not join.
TEST_F(ProcedureChoiceOrder, theGnsAndAChoiceInTheAirBuildTheSameArrival) {
    const std::string lavva_olm_28l = "gns-arr OLM LAVVA2 28L\n", lavva_olm_10r = "gns-arr OLM LAVVA2 10R\n";
    // KSEAKPDX.RTE: OLM.LAVVA2 to SAUVI, and the file's approach I10R.
    const std::string open = "gns GNSXLS R2 R2 ENT\nframes 1\n";
    const std::string stored = " TOUTL KELSO LAVVA SAUVI DISCO MELLO ROSIE KPDX";
    const std::string exec = "cdu SMITHS_FMS EXEC\nframes 1\n";
    const std::string lavva_28l_cdu = arr("L1") + arr("R2");
    const auto direct_to = [](const std::string& fix) {
        return "mcu MCU DIRTO ENTRY\nkeyboard type \"" + fix + "\"\nmcu MCU ENTER\nframes 1\n";
    };
    const struct {
        const char* what;
        std::string before; // then, in the air, the TO put on `to`
        const char* to;
        std::string keys;
        std::string plan; // the flown plan, or the stored plan open
    } rows[] = {
        {"STAR then approach", "", "", lavva_olm_28l + "gns-apch I28L HHOOD 28L",
         kEnRoute + " TOUTL KELSO LAVVA YACLT HHOOD GRSHM SANDY COBRA KPDX"},
        {"approach then STAR", "", "", "gns-apch I28L HHOOD 28L\n" + lavva_olm_28l,
         kEnRoute + " TOUTL KELSO LAVVA YACLT HHOOD GRSHM SANDY COBRA KPDX"},
        {"a STAR after the approach replaces the old one", "", "",
         lavva_olm_28l + "gns-apch I28L CLACK 28L\ngns-arr YKM HHOOD2 28L",
         kEnRoute + " YKM TOPPS GOLDN HHOOD CLACK SANDY COBRA KPDX"},
        {"another approach after one", "", "",
         lavva_olm_10r + "gns-apch I10R SAUVI 10R\ngns-apch I28L CLACK 28L",
         kEnRoute + " TOUTL KELSO LAVVA YACLT CLACK SANDY COBRA KPDX"},
        {"the same STAR again keeps the approach", "", "",
         lavva_olm_10r + "gns-apch I10R SAUVI 10R\n" + lavva_olm_10r,
         kEnRoute + " TOUTL KELSO LAVVA SAUVI MELLO ROSIE KPDX"},
        {"a SID, then another", "", "", "gns-dep 16L HAROB3 HQM\ngns-dep 16L SUMMA2 OLM",
         "KSEA HD162 DUWAM SUMMA OLM SEA FOXXE NISQL OLM KPDX"},
        {"stored: an approach joins the file's STAR", open, "", "gns-apch I10R SAUVI 10R",
         kEnRoute + " TOUTL KELSO LAVVA SAUVI MELLO ROSIE KPDX"},
        {"stored: another transition and runway", open, "", "gns-arr SEA LAVVA2 28L",
         kEnRoute + " SEA LEWIS KELSO LAVVA YACLT KPDX"},
        {"stored: a SID", open, "", "gns-dep 16L HAROB3 HQM",
         "KSEA HD162 TR162 JAWBN HAROB ELMAA HQM SEA FOXXE NISQL OLM" + stored},
        {"in the air, an approach on the GNS", lavva_olm_28l, "KELSO", "gns-apch I28L CLACK 28L",
         kEnRoute + " TOUTL KELSO LAVVA YACLT CLACK SANDY COBRA KPDX"},
        {"in the air, another STAR on the GNS", lavva_olm_28l + "gns-apch I28L CLACK 28L\n", "KELSO",
         "gns-arr YKM HHOOD2 28L", kEnRoute + " TOUTL YKM TOPPS GOLDN HHOOD CLACK SANDY COBRA KPDX"},
        {"in the air, an approach on the CDU", arr("L1 L2") + exec, "KELSO", arr("R2") + exec,
         kEnRoute + " TOUTL KELSO LAVVA YACLT DISCO SANDY COBRA KPDX"},
        {"in the air, another transition on the CDU", arr("L1 L2") + exec, "TOUTL", arr("L1 L3") + exec,
         kEnRoute + " SEA LEWIS KELSO LAVVA KPDX"},
        {"in the air, another STAR on the CDU", arr("L1 L2") + arr("R2") + exec, "KELSO", arr("L2") + exec,
         kEnRoute + " TOUTL HHOOD CLACK DISCO SANDY COBRA KPDX"},
        // The new legs go on after the STAR's fix passed before the direct
        // leg, not again from the STAR's first.
        {"in the air direct to YACLT on the GNS, then I10R", lavva_28l_cdu + exec, "LAVVA",
         "gns GNSXLS DIRECT \"YACLT\" ENT ENT ENT\nframes 1\n" + arr("R1 R2") + exec,
         kEnRoute + " LAVVA DIRECT SAUVI MELLO ROSIE KPDX"},
        // The direct leg's start stays where it is; the departure is flown.
        {"in the air direct to SEA, LAVVA2 via SEA, then SEA7 on the CDU", direct_to("SEA"), "SEA",
         arr("L1 L3") + exec + "cdu SMITHS_FMS DEP_ARR L1 L3\nframes 1\n" + exec,
         "DIRECT SEA LEWIS KELSO LAVVA KPDX"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        if (row.before != open) run(kRoute);
        choose_from(row.before, row.to, row.keys);
        EXPECT_EQ(row.before == open ? pending() : flown(), row.plan);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// A fix where the SID ends and the STAR begins stands once, and stays only
// while one of them still flies it.
TEST_F(ProcedureChoiceOrder, aFixTheSidAndTheStarShareGoesWithTheLastOfThem) {
    // SEA7 ends at SEA, where LAVVA2's SEA transition begins; HAROB3 without
    // a runway is HAROB alone, LAVVA2 via OLM begins at OLM.
    const std::string sea7 = "cdu SMITHS_FMS DEP_ARR L1 L3\nframes 1\n";
    const std::string harob3 = "cdu SMITHS_FMS DEP_ARR L1 L2\nframes 1\n";
    const std::string both = sea7 + arr("L1 L3");
    const struct {
        const char* what;
        std::string keys;
        const char* plan;
    } rows[] = {
        {"SEA7, then LAVVA2 via SEA", both, "KSEA SEA LEWIS KELSO LAVVA KPDX"},
        {"then HAROB3: SEA is the STAR's", both + harob3, "KSEA HAROB SEA LEWIS KELSO LAVVA KPDX"},
        {"then HAROB3 and LAVVA2 via OLM", both + harob3 + arr("L1 L2"),
         "KSEA HAROB OLM TOUTL KELSO LAVVA KPDX"},
        {"then LAVVA2 via OLM and HAROB3", both + arr("L1 L2") + harob3,
         "KSEA HAROB OLM TOUTL KELSO LAVVA KPDX"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run("cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1\nframes 1\n" + row.keys);
        EXPECT_EQ(pending(), row.plan);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// With the aircraft before, inside or at the end of the arrival, a new STAR,
// transition or approach replaces the arrival from the TO on: the legs
// passed stay, every leg of the choice not flown is there once. The route
// saved then loads back the same on every unit's reader.
TEST_F(ProcedureChoiceOrder, theArrivalIsRebuiltFromWhereTheAircraftIs) {
    // KPDX BTG V23 OLM KSEA; ARRIVALS of KSEA: CHINS4 (L1; ELN L2, YKM L3),
    // OLM5 (L2), GLASR2 (L3; BLI L2, YYJ L3); approaches I16L (R1; JAKSN
    // R2), I16R (R2; EDMND R2), I34R (R3), I34L (R4). DEPARTURES of KPDX:
    // GORGE2 (L1; YKM L2), HILLS3 (L2), runway 10R (R1).
    const std::string north =
        "aircraft position 45.5911 -122.6165\nframes 1\n"
        "cdu SMITHS_FMS RTE \"KPDX\" L1 \"KSEA\" R1 NEXT \"BTG\" R1 \"V23\" L2 \"OLM\" R2 R6 "
        "EXEC\nframes 2\n";
    const std::string north_en_route = "KPDX BTG KELSO TOUTL CHEHA OLM";
    const std::string exec = "cdu SMITHS_FMS EXEC\nframes 1\n";
    const std::string olm5 = arr("L2") + exec, chins4_eln = arr("L1 L2") + exec;
    // CHINS4 via ELN: ELN STAMP CHINS MAPLV; OLM5: OLM NISQL, DOTTY for 34R;
    // I34R without transition: SEBAR MALLE.
    const std::string eln_chins = " ELN STAMP CHINS MAPLV KSEA";
    // GLASR2: GLASR VASHN, then track 162 to 12 DME of SEA.
    const std::string glasr = " GLASR VASHN TR162 KSEA";
    const std::string north_airways = " BTG KELSO TOUTL CHEHA OLM KSEA";
    const struct {
        const char* what;
        std::string route, before; // then, in the air, the TO put on `to`
        const char* to;
        std::string keys;
        std::string plan;
    } rows[] = {
        {"north, TO before the STAR, another STAR", north, olm5, "CHEHA", chins4_eln,
         north_en_route + eln_chins},
        {"north, TO inside the STAR, another STAR with its transition", north, olm5, "NISQL", chins4_eln,
         north_en_route + eln_chins},
        {"north, TO inside the STAR, the same choice on the GNS", north, olm5, "NISQL",
         "gns-arr ELN CHINS4 34R", north_en_route + " ELN STAMP CHINS MAPLV AUBRN KSEA"},
        {"north, TO on the destination, an approach", north, olm5, "KSEA", arr("R3") + exec,
         north_en_route + " NISQL DOTTY DISCO SEBAR MALLE KSEA"},
        {"north, a STAR's first leg deleted, the same STAR again", north,
         chins4_eln + "cdu SMITHS_FMS LEGS NEXT DEL L1\n" + exec, "", chins4_eln, north_en_route + eln_chins},
        {"south, a STAR's first leg deleted, the same STAR again", kRoute,
         arr("L1 L2") + exec + "cdu SMITHS_FMS LEGS DEL L5\n" + exec, "", arr("L1 L2") + exec,
         kEnRoute + " TOUTL KELSO LAVVA KPDX"},
        // LAVVA2 via OLM for 28L: TOUTL KELSO LAVVA YACLT; I28L: SANDY COBRA.
        {"south, TO on the destination, another approach", kRoute, arr("L1 L2 R4") + arr("R1 R2") + exec,
         "KPDX", arr("R2") + exec,
         kEnRoute + " TOUTL KELSO LAVVA SAUVI MELLO ROSIE YACLT DISCO SANDY COBRA KPDX"},
        {"south, TO inside the approach, another approach", kRoute, arr("L1 L2 R4") + arr("R1 R2") + exec,
         "ROSIE", arr("R2") + exec, kEnRoute + " TOUTL KELSO LAVVA SAUVI MELLO YACLT DISCO SANDY COBRA KPDX"},
        // GORGE2 from 10R: heading 100, TROUT, GORGE; via YKM: CARSN GOLDN
        // TOPPS YKM. HILLS3 from 28L: heading 280, HILLS; via EUG: UBG WOODB
        // SALMN HALSE EUG.
        {"north, a SID with its transition and runway", north, "", "",
         "cdu SMITHS_FMS DEP_ARR L1 L1 L2 R1\nframes 1\n" + exec,
         "KPDX HD100 TROUT GORGE CARSN GOLDN TOPPS YKM" + north_airways},
        {"north, the other SID on the GNS", north, "", "", "gns-dep 28L HILLS3 EUG",
         "KPDX HD280 HILLS UBG WOODB SALMN HALSE EUG" + north_airways},
        {"north, TO before the STAR, the third STAR", north, olm5, "CHEHA", arr("L3 L3") + exec,
         north_en_route + " YYJ SMITI WHIDB" + glasr},
        {"north, TO before the STAR, the third STAR on the GNS", north, olm5, "CHEHA",
         "gns-arr BLI GLASR2 16L", north_en_route + " BLI BURLN ARLIN" + glasr},
        {"north, TO inside the STAR's transition, the third STAR", north, chins4_eln, "STAMP",
         arr("L3 L2") + exec, north_en_route + " ELN BLI BURLN ARLIN" + glasr},
        {"north, TO on the destination, the third STAR on the GNS", north, olm5, "KSEA",
         "gns-arr BLI GLASR2 16L", north_en_route + " NISQL BLI BURLN ARLIN" + glasr},
        // CHINS4 for 16L adds EDMND, for 16R EDMND, for 34L AUBRN; I16L via
        // JAKSN: JAKSN PARKK ZOSIM FOURT; I16R via EDMND: EDMND CARRO; I34L
        // via AUBRN: AUBRN KORRY.
        {"north, TO inside the STAR, an approach with its transition", north, arr("L1 L3") + exec, "NACHS",
         arr("R1 R2") + exec,
         north_en_route + " YKM NACHS CHINS MAPLV EDMND DISCO JAKSN PARKK ZOSIM FOURT KSEA"},
        {"north, TO inside the STAR, an approach on the GNS", north, chins4_eln, "CHINS",
         "gns-apch I34L AUBRN 34L", north_en_route + " ELN STAMP CHINS MAPLV AUBRN KORRY KSEA"},
        {"north, TO on the destination, an approach the STAR joins", north, chins4_eln, "KSEA",
         arr("R2 R2") + exec, north_en_route + " ELN STAMP CHINS MAPLV EDMND CARRO KSEA"},
        // OLM5 for 16R adds JAWBN HAROB.
        {"north, TO on the destination, an approach on the GNS", north, olm5, "KSEA",
         "gns-apch I16R EDMND 16R", north_en_route + " NISQL JAWBN HAROB EDMND CARRO KSEA"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(row.route);
        choose_from(row.before, row.to, row.keys);
        EXPECT_EQ(flown(), row.plan);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
        // Saved and loaded on the CDU (CO ROUTE, EXEC), then on the GNS's and
        // the MCU's readers.
        run("cdu SMITHS_FMS INIT_REF L6 \"A0\" R6\nframes 1\ncdu SMITHS_FMS RTE \"A0\" L2 R6\nframes 1\n" +
            exec);
        EXPECT_EQ(flown(), row.plan) << "CDU";
        for (const std::string& fault : saved_route_reload_faults())
            ADD_FAILURE() << fault;
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

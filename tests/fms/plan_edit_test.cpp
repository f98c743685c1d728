#include "fms/exec/exec_cursors.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_invariants.h"
#include "fms/plan/route_exec.h"
#include "gns_mcu/gns_cursors.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const PlanTarget W = working_target();

RouteWaypoint named(const char* ident) {
    RouteWaypoint w;
    w.ident = ident;
    w.lat = 10.0;
    w.type = "WPT";
    return w;
}

void insert(int p, const char* ident) {
    PlanEdit edit(W, "test");
    open_slot(W, p);
    write_entry(W, p, named(ident));
}

// What a cursor names: the ident at its index, or where it stands off the plan.
std::string named_by(int index) {
    if (index == working_plan_last + 1) return "(after the plan)";
    if (index < 0 || index > working_plan_last) return "(none)";
    return working_plan[index].ident;
}

} // namespace

// A cursor names an entry, not a number: the plan moves under it.
TEST(PlanEdit, aCursorStaysOnItsEntryWhileThePlanMovesUnderIt) {
    struct Case {
        const char* what;
        int cursor;
        std::function<void()> edit;
        const char* names;
    };
    const Case cases[] = {
        {"insert before", 2, [] { insert(1, "X"); }, "B"},
        {"insert after", 2, [] { insert(4, "X"); }, "B"},
        {"remove before", 3, [] { remove_entry(W, 1); }, "C"},
        {"its entry removed: the next takes its place", 2, [] { remove_entry(W, 2); }, "C"},
        {"a merge keeps it on the fix", 2, [] { merge_into_previous(W, 3); }, "C"},
        {"the row after the plan stays after it", 5, [] { insert(2, "X"); }, "(after the plan)"},
        {"cut off: on the new last entry", 4, [] { cut_plan(W, 2); }, "B"},
        {"none stays none", 999, [] { insert(1, "X"); }, "(none)"},
        {"put by the edit on its old index, kept", 2,
         [] {
             PlanEdit edit(W, "test");
             open_slot(W, 1);
             edit.place(legs_edit_index, 2);
         },
         "A"},
        {"put by a nested edit on its old index, kept", 2,
         [] {
             PlanEdit edit(W, "test");
             PlanEdit inner(W, "test");
             open_slot(W, 1);
             inner.place(legs_edit_index, 2);
         },
         "A"},
        {"moved by the edit, kept", 2,
         [] {
             PlanEdit edit(W, "test");
             open_slot(W, 1);
             legs_edit_cursor.move_to(4);
         },
         "C"},
        {"several steps, one edit", 1,
         [] {
             PlanEdit edit(W, "test");
             insert(1, "X");
             insert(1, "Y");
             remove_entry(W, 4);
         },
         "A"},
    };
    for (const Case& c : cases) {
        set_working({{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
        legs_edit_cursor.move_to(c.cursor);
        const int breaks = plan_invariant_breaks;
        c.edit();
        EXPECT_EQ(named_by(legs_edit_index), c.names) << c.what;
        EXPECT_EQ(plan_invariant_breaks, breaks) << c.what << ": " << plan_invariant_last_fault;
    }
}

// A cursor follows by its declaration alone: one declared here, on either
// plan and with each rule, through an insertion before it and the removal
// of its entry, and no edit walks it once it is gone.
TEST(PlanEdit, aCursorDeclaredAnywhereFollowsItsEntry) {
    struct Case {
        CursorPlan plan;
        CursorRule rule;
        const char* after_insertion; // "X" put in at index 1
        const char* after_removal;   // then its entry removed
    };
    const Case cases[] = {
        {CursorPlan::Working, CursorRule::Stays, "B", "C"},
        {CursorPlan::Working, CursorRule::Gone, "B", "(none)"},
        {CursorPlan::Working, CursorRule::AsTo, "B", "C"},
        {CursorPlan::Active, CursorRule::Stays, "B", "C"},
        {CursorPlan::Active, CursorRule::Gone, "B", "(none)"},
    };
    for (const Case& c : cases) {
        const bool active = c.plan == CursorPlan::Active;
        const PlanTarget t = active ? active_target() : W;
        const std::vector<PlanEntry> plan = {{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}};
        set_working(plan);
        set_active(plan);
        const auto ident_at = [&](int index) {
            const RoutePlan& p = active ? active_plan.plan() : working_plan;
            return index < 0 || index > p.last() ? std::string("(none)") : p[index].ident;
        };
        const std::string what =
            std::string(active ? "active" : "working") + " rule " + std::to_string(static_cast<int>(c.rule));
        {
            PlanCursor cursor(c.plan, c.rule, 2, 1);
            {
                PlanEdit edit(t, "test");
                open_slot(t, 1);
                write_entry(t, 1, named("X"));
            }
            EXPECT_EQ(ident_at(cursor), c.after_insertion) << what;
            remove_entry(t, cursor);
            EXPECT_EQ(ident_at(cursor), c.after_removal) << what;
        }
        remove_entry(t, 1); // walks no cursor gone out of scope
    }
}

// The first row of a modified route follows as the TO does: legs put in
// just before it are shown from their first.
TEST(PlanEdit, theModifiedRoutesToRowFollowsAsTheTo) {
    struct Case {
        const char* what;
        std::function<void()> edit;
        const char* names;
    };
    const Case cases[] = {
        {"legs put in before it", [] { insert(2, "X"); }, "X"},
        {"put in before the one before it", [] { insert(1, "X"); }, "B"},
        {"the one before it removed", [] { remove_entry(W, 1); }, "B"},
    };
    for (const Case& c : cases) {
        set_working({{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}});
        working_cursor.move_to(2);
        c.edit();
        EXPECT_EQ(named_by(working_cursor_index), c.names) << c.what;
    }
}

// The flown plan's cursors follow too, and the aircraft stays on its leg.
TEST(PlanEdit, anEditOfTheFlownPlanKeepsItsCursorsAndTheLeg) {
    const PlanTarget A = active_target();
    set_active({{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    set_flown_to(2);
    vertical_target_cursor.move_to(3);
    {
        PlanEdit edit(A, "test");
        open_slot(A, 1);
        write_entry(A, 1, named("X"));
        open_slot(A, 3);
        write_entry(A, 3, named("Y")); // between the FROM (A) and the TO (B)
    }
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "Y");
    EXPECT_EQ(active_plan[constraint_waypoint_index].ident, "C");
    EXPECT_EQ(to_position.lat, 10.0);

    {
        PlanEdit edit(A, "test");
        edit.set_to(to_waypoint_index); // a direct-to to the TO it had
        open_slot(A, 1);
        write_entry(A, 1, named("Z"));
    }
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "A");
}

// An executed hold whose entry an edit of the modification removes stays
// flown until EXEC: only the working plan loses it.
TEST(PlanEdit, anExecutedHoldLeavesOnlyTheWorkingPlanWithItsEntry) {
    set_active({{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}});
    set_working({{"O", ""}, {"A", ""}, {"B", ""}, {"C", ""}});
    for (int i = 0; i <= 3; ++i)
        working_entry(i).id = active_entry(i).id = 100 + i;
    hold_list.set_count(1);
    hold_list.slot(1) = HoldEntry{};
    hold_list.slot(1).set_active_index(2);
    hold_list.slot(1).set_working_index(2);
    cut_plan(W, 1);
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), 2);
    EXPECT_EQ(hold_list[1].working_index(), 0);
    EXPECT_EQ(hold_mark(active_plan, 2), 1);
}

// An entry has its id from the moment an edit writes it: a reader inside the
// same edit (a hold put on the new entry) finds it by an id no other entry has.
TEST(PlanEdit, anEntryHasItsOwnIdTheMomentItIsWritten) {
    const auto ids_distinct = [] {
        for (int i = 0; i <= working_plan_last; ++i) {
            if (working_plan[i].id == 0) return false;
            for (int j = i + 1; j <= working_plan_last; ++j)
                if (working_plan[j].id == working_plan[i].id) return false;
        }
        return true;
    };
    RoutePlan stored;
    {
        PlanEdit edit(plan_target(stored), "test");
        edit.set_last(1);
        edit.entry(0).ident = "S0";
        edit.entry(1).ident = "S1";
    }
    EXPECT_NE(stored[0].id, 0); // a plan no cursor follows as well
    EXPECT_NE(stored[1].id, 0);
    const struct {
        const char* name;
        std::function<void(PlanEdit&)> write;
    } cases[] = {
        {"a slot opened", [](PlanEdit&) { open_slot(W, 2); }},
        {"an entry written from a record", [](PlanEdit&) { write_entry(W, 2, named("NEW")); }},
        {"the plan grown", [](PlanEdit& e) { e.set_last(e.last() + 2); }},
        {"a stored plan put in place", [&stored](PlanEdit& e) { e.replace_with(stored); }},
    };
    for (const auto& c : cases) {
        set_working_count(4);
        PlanEdit edit(W, "test");
        c.write(edit);
        EXPECT_TRUE(ids_distinct()) << c.name;
    }
}

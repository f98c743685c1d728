#!/usr/bin/env python3
"""A plan's entries, last index and TO are written only through PlanEdit,
and its choices only through a ChoicesEdit: a scratch file that writes an
entry, a last index, the TO or a choice, empties a plan, assigns a whole plan,
writes through a reader's reference, makes its own target (the flown plan
edited as if not flown), changes the flown plan's choices outside an edit of
it (also through a RoutePlan&), ends a plan anywhere but through set_last,
takes an entry from an edit that ends at once, takes a target's plan to write
(also a copy's), walks the declared cursors, sets a cursor to an index as a
number or to another cursor, or moves a unit's own cursor (any of them: the
LEGS/RTE position, the LEGS edit index, the SMITHS's picks, the GNS's cursors,
the MCU's LEGS row, the vertical target, the plan-format step) from outside
its owners and the edit path must not compile,
while the same file that reads, or writes inside an edit or as the cursor's
owner, does (so a failure is the write's, not the setup's).
The tests' PlanBuilder, which the plan lets write, is named nowhere in src/
but in that grant. The cases compile side by side over one parsed head.
Usage: plan_writes_check.py <c++ compiler> <repository root>
"""
import concurrent.futures
import os
import subprocess
import sys
import tempfile

HEAD = """#include "fms/files/stored_routes.h"
#include "fms/perf/vnav.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
"""
# The owners' own headers, which only a cursor's owner includes.
OWNERS = """#include "cdu_smiths/smiths_cursors.h"
#include "fms/exec/exec_cursors.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/plan_cursors.h"
#include "gns_mcu/gns_cursors.h"
"""
SCRATCH = "void scratch() {\n"
# (body, compiles); a body that begins with OWNERS is compiled as an owner's file.
CASES = [
    ('int n = static_cast<int>(active_plan[3].ident.size()); (void)n;', True),
    ('PlanEdit edit(working_target(), "scratch"); edit.entry(3).ident = "X";', True),
    ('active_plan.slot(3).ident = "X";', False),
    ('working_plan.slot(std::size_t{0}).alt_constraint = 9000.0;', False),
    ('preview_plan.clear();', False),
    ('RouteWaypoint& w = const_cast<RoutePlan&>(active_plan).slot(1); (void)w;', False),
    ('active_plan[3].ident = "X";', False),
    ('RoutePlan loose; loose.slot(1).ident = "X";', False),
    ('active_plan_last = 3;', False),
    ('++working_plan_last;', False),
    ('RouteWaypoint* w = active_plan_entries; (void)w;', False),
    ('const RouteWaypoint* w = active_plan_entries; (void)w;', True),
    ('std::string s = active_plan.choices().sid + sel_sid + exec_star; (void)s;', True),
    ('ChoicesEdit(working_plan)->sid = "X"; PlanEdit e(active_target(), "x"); ChoicesEdit(e)->clear_arrival();',
     True),
    ('ChoicesEdit(active_plan)->star = "X";', False),
    ('ChoicesEdit(PlanEdit(active_target(), "x"))->star = "X";', False),
    ('active_plan.choices().sid = "X";', False),
    ('working_plan.choices().clear_departure();', False),
    ('sel_sid = "X";', False),
    ('exec_approach.clear();', False),
    ('arrival_page_choice_1 = 2;', False),
    ('const RoutePlan copy = active_plan; PlanEdit(working_target(), "scratch").replace_with(copy);', True),
    ('RouteRecord r; r.name = "X"; stored_routes.slot(1) = r; stored_routes.slot(2) = std::move(r);', True),
    ('active_plan = working_plan;', False),
    ('working_plan = RoutePlan{};', False),
    ('std::swap(active_plan, preview_plan);', False),
    ('RouteRecord r; r.plan = active_plan;', False),
    ('PlanEdit e(PlanTarget{&active_plan, false}, "x"); e.set_last(1);', False),
    ('PlanEdit e(active_target(), "x"); e.set_to(3);', True),
    ('PlanEdit e(working_target(), "x"); e.set_last(3);', True),
    ('PlanEdit e(working_target(), "x"); e.end_at(500);', False),
    ('RouteWaypoint& w = PlanEdit(working_target(), "x").entry(1); w.ident = "X";', False),
    ('working_cursor_index = 3;', False),
    ('++mcu_legs_index;', False),
    ('int i = working_cursor_index + legs_edit_index + smiths_hold_at_leg + gns_entry_fix; (void)i;', True),
    ('working_cursor_index.move_to(3);', False),
    ('working_edit_index.move_to(3);', False),
    ('legs_edit_index.move_to(0);', False),
    ('smiths_hold_at_leg.move_to(0);', False),
    ('smiths_legs_pending_leg.step(1);', False),
    ('gns_selected_wpt_index.move_to(1);', False),
    ('gns_entry_fix.move_to(1);', False),
    ('gns_direct_view_to.move_to(1);', False),
    ('PlanCursor copy(gns_selected_wpt_index);', False),
    (OWNERS + 'gns_selected_wpt_cursor = working_cursor;', False),
    (OWNERS + 'working_cursor.move_to(3); gns_selected_wpt_cursor.step(1); legs_edit_cursor.move_to(0);'
     ' smiths_hold_at_cursor.move_to(0); working_edit_cursor.move_to(2);', True),
    ('PlanEdit w(working_target(), "x"); w.place(working_cursor_index, 1); w.place(working_edit_index, 1);'
     ' w.place(legs_edit_index, 1); w.place(smiths_hold_at_leg, 1); w.place(smiths_legs_pending_leg, 1);'
     ' w.place(gns_direct_view_to, 1);', True),
    ('PlanEdit a(active_target(), "x"); a.place(gns_selected_wpt_index, 1); a.place(gns_entry_fix, 1);', True),
    ('RoutePlan& flown = active_plan; ChoicesEdit(flown)->sid = "X";', False),
    ('working_cursor_index = constraint_waypoint_index;', False),
    ('mcu_legs_index.step(5);', False),
    ('constraint_waypoint_index.move_to(7);', False),
    ('const RoutePlan& flown = active_plan; PlanEdit e(active_target(), "x");'
     ' e.place(constraint_waypoint_index, flown.last()); e.place(mcu_legs_index, 1);', True),
    ('vertical_target_cursor.move_to(3);', False),
    ('smiths_legs_map_step = 3;', False),
    ('++smiths_legs_map_step;', False),
    ('int i = smiths_legs_map_step + constraint_waypoint_index; (void)i;', True),
    (OWNERS + 'vertical_target_cursor.move_to(3); legs_map_step = 3; ++legs_map_step;', True),
    ('ChoicesEdit(*active_target().plan)->star = "X";', False),
    ('const PlanTarget copy = active_target(); ChoicesEdit(*copy.plan)->star = "X";', False),
    ('PlanTarget copy = active_target(); RoutePlan& p = *copy.plan; (void)p;', False),
    ('const PlanTarget copy = active_target(); int n = copy.plan().last(); (void)n;', True),
    ('for (PlanCursor* c = PlanCursor::first_declared(); c; c = c->next_declared()) c->move_to(1);', False),
    ('PlanCursor* c = PlanCursor::first_declared(); (void)c;', False),
    ('to_waypoint_index = 3;', False),
    ('to_position = GeoPosition{};', False),
]


def builder_in_src(repo):
    """Files of src/ that name PlanBuilder, but the plan's own grant."""
    grant = os.path.join("fms", "plan", "route_plan.h")
    found = []
    for root, _, files in os.walk(os.path.join(repo, "src")):
        for f in files:
            path = os.path.join(root, f)
            if os.path.relpath(path, os.path.join(repo, "src")) == grant:
                continue
            with open(path, encoding="latin-1") as text:
                if "PlanBuilder" in text.read():
                    found.append(path)
    return found


def compile_case(compiler, repo, where, n, body):
    path = os.path.join(where, "case%d.cpp" % n)
    owners = body.startswith(OWNERS)
    if owners:
        body = body[len(OWNERS):]
    with open(path, "w", encoding="utf-8") as out:
        out.write('#include "head.h"\n' + (OWNERS if owners else "") + SCRATCH + "    " + body + "\n}\n")
    return subprocess.run(compiler_line(compiler, repo, where) + [path], capture_output=True, text=True)


def compiler_line(compiler, repo, where):
    return [compiler, "-std=c++20", "-fsyntax-only", "-I", where, "-I", os.path.join(repo, "src")]


def precompile_head(compiler, repo, where):
    """The headers every case includes, parsed once; a compiler that takes no
    precompiled header parses them in each case as before."""
    head = os.path.join(where, "head.h")
    with open(head, "w", encoding="utf-8") as out:
        out.write("#pragma once\n" + HEAD)
    line = compiler_line(compiler, repo, where)
    line.remove("-fsyntax-only")
    subprocess.run(line + ["-x", "c++-header", head, "-o", head + ".gch"], capture_output=True)


def main(compiler, repo):
    faults = ["names PlanBuilder: " + path for path in builder_in_src(repo)]
    # The cases are independent compilations: run them side by side.
    with tempfile.TemporaryDirectory() as where, \
            concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        precompile_head(compiler, repo, where)
        runs = [pool.submit(compile_case, compiler, repo, where, n, body) for n, (body, _) in enumerate(CASES)]
        for (body, compiles), run in zip(CASES, runs):
            run = run.result()
            if (run.returncode == 0) != compiles:
                faults.append("%s: %s\n%s" % ("refused" if compiles else "compiled", body, run.stderr[-2000:]))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


sys.exit(main(sys.argv[1], sys.argv[2]))

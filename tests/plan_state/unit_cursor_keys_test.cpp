// The units' cursors name plan entries: an edit that moves the entries under
// them, by the same unit or another one (put in place by EXEC, or made in the
// flown plan), leaves each on the entry it stood on, as the pilot sees it on
// the unit's page: the MCU LEGS page keeps its leg (and the constraint it is
// entering goes to that leg), and the GNS edits the row it shows.
#include "plan_keys_fixture.h"

#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"

namespace {

class UnitCursorKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The first leg the MCU LEGS page drew last: the row after the page's
    // title, "%2d %-6.6s ..." (index, ident, constraint).
    std::string mcu_first_leg() {
        const gfx::Recording& r =
            *gfx::surface_recording(sim_.gauges.at(2)->drawing_elements.at(0)->device_context);
        std::string leg;
        bool title = false;
        for (const gfx::RecordedOp& op : r.ops) {
            if (op.kind != gfx::OpKind::String) continue;
            if (title && op.text.size() > 3) leg = op.text.substr(3, op.text.find(' ', 3) - 3);
            title = op.text.rfind("LEGS:", 0) == 0;
        }
        return leg;
    }
};

// The example route activated on the GNS and flown as far as the MCU's
// status page steps the TO (to TOUTL), with the MCU's LEGS page on it.
const char* const kGnsRouteOnToutl = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n"
                                     "mcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\nmcu MCU LEGS\n";

} // namespace

// A leg on top of the MCU LEGS page, a constraint being stepped on it;
// another unit's edit moves it; the page still shows that leg and ENTER puts
// the constraint on it.
TEST_F(UnitCursorKeys, TheMcuLegsPageKeepsItsLegThroughOtherUnitsEdits) {
    const std::string smiths = "route load KSEAKPDX.RTE\nframes 3\n";
    const std::string gns = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n";
    const std::string on_nisql = "mcu MCU LEGS NEXT NEXT LEGSEDIT UP UP\n";
    // The TO on TOUTL, the page on the destination (after the file's I10R).
    const std::string on_kpdx = "mcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\nmcu MCU LEGS NEXT NEXT NEXT NEXT "
                                "NEXT NEXT NEXT LEGSEDIT UP UP\n";
    const struct {
        std::string start, edit;
        const char* leg;
    } rows[] = {
        // Put in before it on the SMITHS, executed.
        {smiths + on_nisql, "cdu SMITHS_FMS LEGS \"HQM\" L1\ncdu SMITHS_FMS EXEC", "NISQL"},
        // One before it deleted on the SMITHS, executed.
        {smiths + on_nisql, "cdu SMITHS_FMS RTE NEXT DEL L1\ncdu SMITHS_FMS EXEC", "NISQL"},
        // A SID put in before it, executed.
        {smiths + on_nisql, "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC", "NISQL"},
        // An approach put into the flown plan on the GNS, before the destination.
        {gns + on_kpdx,
         "gns GNSXLS L5 L5 ENT\ngns GNSXLS ENT ENT\ngns GNSXLS L3 ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT",
         "KPDX"},
    };
    for (const auto& row : rows) {
        restart();
        run(row.start);
        frames(1);
        ASSERT_EQ(mcu_first_leg(), row.leg) << row.start << plan();
        const int before = mcu_legs_index;
        EXPECT_EQ(script_fault(lines(row.edit)), "") << row.edit;
        EXPECT_NE(mcu_legs_index, before) << row.edit << "\n" << plan();
        frames(1);
        EXPECT_EQ(mcu_first_leg(), row.leg) << row.edit << "\n" << plan();
        run("mcu MCU ENTER\nframes 1");
        std::string constrained;
        for (int i = 1; i <= active_plan_last; ++i)
            if (active_plan[i].alt_constraint == 2000.0 &&
                active_plan[i].altitude_kind == AltitudeKind::Pilot)
                constrained += active_plan[i].ident;
        EXPECT_EQ(constrained, row.leg) << row.edit << "\n" << plan();
    }
}

// The MCU's LEGS page keeps its leg on top while the GNS puts entries in
// before it, deletes one before it or flies direct to it.
TEST_F(UnitCursorKeys, TheMcuLegsPageKeepsItsLegThroughGnsEdits) {
    const char* const edits[] = {
        "gns GNSXLS L2 B T G\ngns GNSXLS ENT\ngns GNSXLS ENT",                 // a database fix
        "gns GNSXLS L2 \"QQQQ\" ENT \"N4700\" ENT \"W12300\" ENT",             // a pilot waypoint
        "gns GNSXLS L2 \"OLM*\" ENT\ngns GNSXLS R3 \"90\" ENT \"12\" ENT ENT", // an offset waypoint
        "gns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT",                     // the FROM deleted
        "gns GNSXLS DIRECT ENT",                                               // direct to it
    };
    for (const char* edit : edits) {
        restart();
        EXPECT_EQ(script_fault(lines(std::string(kGnsRouteOnToutl) + edit + "\nframes 2")), "") << edit;
        EXPECT_EQ(active_plan[mcu_legs_index].ident, "TOUTL") << edit << "\n" << plan();
        EXPECT_EQ(mcu_first_leg(), "TOUTL") << edit;
    }
}

// What the GNS does on the active-plan view's row the pilot chose stays on
// that row's waypoint while the SMITHS edits the working plan or takes the
// flown plan back into it (its RTE page) in between.
TEST_F(UnitCursorKeys, TheGnsEditsTheWaypointItsRowShows) {
    const struct {
        const char *choose, *between, *fix, *inserted; // inserted: none for a deletion
    } rows[] = {
        {"gns GNSXLS L2\ngns GNSXLS ERASE", "cdu SMITHS_FMS LEGS \"HQM\" L1", "TOUTL", nullptr},
        {"gns GNSXLS L3\ngns GNSXLS ERASE", "cdu SMITHS_FMS RTE", "LAVVA", nullptr},
        {"gns GNSXLS L3 B T G\ngns GNSXLS ENT", "cdu SMITHS_FMS RTE", "LAVVA", "BTG"},
    };
    for (const auto& row : rows) {
        restart();
        EXPECT_EQ(script_fault(lines(std::string(kGnsRouteOnToutl) + row.choose + "\n" + row.between)), "")
            << row.choose;
        std::vector<std::string> expected;
        for (int i = 0; i <= active_plan_last; ++i) {
            if (active_plan[i].ident == row.fix && row.inserted != nullptr) expected.push_back(row.inserted);
            if (active_plan[i].ident != row.fix || row.inserted != nullptr)
                expected.push_back(active_plan[i].ident);
        }
        EXPECT_EQ(script_fault(lines("gns GNSXLS ENT")), "") << row.choose;
        std::vector<std::string> flown;
        for (int i = 0; i <= active_plan_last; ++i)
            flown.push_back(active_plan[i].ident);
        EXPECT_EQ(flown, expected) << row.choose << "\n" << row.between;
    }
}

// The GNS's open row keeps its label on its waypoint when another unit's edit
// moves the rows of the active view (they start at the FROM).
TEST_F(UnitCursorKeys, TheGnsOpenRowFollowsItsWaypointThroughOtherUnitsEdits) {
    const char* const edits[] = {
        "cdu SMITHS_FMS LEGS L3 L1\ncdu SMITHS_FMS EXEC", // a direct-to further on, by line keys
        "mcu MCU TO\nmcu MCU NEXT",                       // the TO stepped on
    };
    for (const char* edit : edits) {
        restart();
        ASSERT_EQ(script_fault(lines(std::string(kGnsRouteOnToutl) + "gns GNSXLS L4")), "") << edit;
        const std::string chosen = active_plan[to_waypoint_index + 4].ident;
        ASSERT_EQ(script_fault(lines(std::string(edit) + "\nframes 1")), "") << edit;
        // The highlighted label (black on its yellow box) and the entry of its
        // row: the rows start at the FROM, 40 apart from y 40.
        const gfx::Recording& r =
            *gfx::surface_recording(sim_.gauges[1]->drawing_elements.at(0)->device_context);
        std::string label;
        int row = -1;
        std::size_t frame = 0; // the last frame drawn starts at its title
        for (std::size_t k = 0; k < r.ops.size(); ++k)
            if (r.ops[k].text.rfind("ACTIVE FPL", 0) == 0) frame = k;
        for (const gfx::RecordedOp& op : std::vector<gfx::RecordedOp>(r.ops.begin() + frame, r.ops.end()))
            if (op.kind == gfx::OpKind::String && op.color == 0xFF000000 && op.world_rect.x >= 96.0f &&
                op.world_rect.x <= 116.0f) {
                label = op.text.substr(0, op.text.find_last_not_of(' ') + 1);
                row = static_cast<int>(op.world_rect.y / 40.0f) - 1;
            }
        ASSERT_GE(row, 0) << edit;
        EXPECT_EQ(label, chosen) << edit;
        EXPECT_EQ(active_plan[to_waypoint_index - 1 + row].ident, label) << edit << "\n" << plan();
    }
}

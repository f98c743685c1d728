// The cursors of the GNS and the MCU name plan entries: an edit that moves
// the entries under them, by the same unit or another one, leaves each on the
// entry it stood on, as the pilot sees it on the unit's page.
#include "plan_keys_fixture.h"

#include "fms/plan/route_plan.h"
#include "gns_mcu/mcu_unit_state.h"

#include <sstream>
#include <string>

namespace {

class UnitCursorKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The fix on the first row of the MCU's LEGS page as last drawn.
    std::string mcu_legs_first_fix() {
        const gfx::Recording& r =
            *gfx::surface_recording(sim_.gauges[2]->drawing_elements.at(0)->device_context);
        std::string fix;
        for (std::size_t k = 0; k + 1 < r.ops.size(); ++k)
            if (r.ops[k].kind == gfx::OpKind::String && r.ops[k].text == "LEGS:") {
                std::istringstream row(r.ops[k + 1].text); // " 6 TOUTL  ----- ---"
                int index = 0;
                row >> index >> fix;
            }
        return fix;
    }
    std::string plan() {
        std::string out;
        for (int i = 0; i <= active_plan_last; ++i)
            out += (i == to_waypoint_index ? "*" : "") + active_plan[i].ident + " ";
        return out;
    }
};

// The example route activated on the GNS and flown as far as the MCU's
// status page steps the TO (to TOUTL), with the MCU's LEGS page on it.
const char* const kGnsRouteOnToutl = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n"
                                     "mcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\nmcu MCU LEGS\n";

} // namespace

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
        EXPECT_EQ(mcu_legs_first_fix(), "TOUTL") << edit;
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

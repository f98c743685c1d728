// Each unit shows the plan it has: what one unit loads or flies is what the
// others' pages show at once, and a view a unit keeps of the flown plan as it
// was closes, said, when another unit changes that plan.
#include "aircraft_store.h"
#include "cdu_smiths/cdu_stand_in.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/smiths_scratchpad.h"

#include <filesystem>
#include <fstream>
#include <map>

namespace {

class UnitsShowTheirPlan : public CduStandIn {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n"
               "gauge02=orvex1!GNSXLS, 420, 0\n"
               "gauge03=orvex1!MCU, 900, 0\n";
    }
    // The MCU takes its letters from the computer keyboard.
    void attach() override { attach_with_keyboard(); }
    // West of the example route, so that nothing is sequenced meanwhile.
    void after_start() override {
        start_on_the_ground_at_ksea();
        host::aircraft().lat_deg = 47.45;
        host::aircraft().lon_deg = -123.6;
        frames(1);
    }
    // The texts the GNS drew on its last frame.
    bool gns_shows(const std::string& text) {
        const gfx::Recording& r =
            *gfx::surface_recording(sim_.gauges.at(2)->drawing_elements.at(0)->device_context);
        std::size_t start = 0;
        for (std::size_t i = 0; i < r.ops.size(); ++i)
            if (r.ops[i].kind == gfx::OpKind::Clear) start = i + 1;
        for (std::size_t i = start; i < r.ops.size(); ++i)
            if (r.ops[i].kind == gfx::OpKind::String && r.ops[i].text == text) return true;
        return false;
    }
};

} // namespace

// RTE shows the airports of a company route at once, and the destination of
// a route loaded from the simulator's ATC plan on the GNS, with its arrivals.
TEST_F(UnitsShowTheirPlan, rteShowsTheAirportsOfTheRouteItHolds) {
    press("RTE \"KSEA\" L1 \"KPDX\" R1 \"KPDXKSEA\" L2");
    EXPECT_EQ(text_at(0, 33), " KPDX");
    EXPECT_EQ(text_at(210, 33), " KSEA");

    run("gps KSEA 47.449 -122.3093 SEA 47.4354 -122.3097 KPDX 45.5887 -122.5975\n"
        "gns GNSXLS FPL R5 R5 ENT\nframes 2\n");
    ASSERT_EQ(active_plan[active_plan_last].ident, "KPDX");
    press("RTE");
    EXPECT_EQ(text_at(210, 33), " KPDX");
    press("DEP_ARR");
    EXPECT_EQ(text_at(90, 66), "KPDX");
    press("R2");
    EXPECT_EQ(smiths_cdu_page, kPageArrivals);
}

// The GNS DIRECT view lists the flown route as it was when DIRECT opened: an
// MCU direct-to closes it, said, on the ground and in the air.
TEST_F(UnitsShowTheirPlan, aGnsDirectViewClosesOnAnotherUnitsDirectTo) {
    for (const bool in_the_air : {false, true}) {
        press("RTE \"KSEAKPDX\" L2 R6 EXEC");
        if (in_the_air) run("aircraft altitude 8000\naircraft speed 250\nframes 2\n");
        run("gns GNSXLS FPL DIRECT\nframes 1\n");
        ASSERT_EQ(gns_state, GNS_DIRECT) << in_the_air;
        run("mcu MCU DIRTO ENTRY\nkeyboard type \"OLM\"\nframes 1\nmcu MCU ENTER\nframes 2\n");
        ASSERT_EQ(active_plan[1].ident, "OLM") << in_the_air;
        EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN) << in_the_air;
        EXPECT_TRUE(gns_shows("DIRECT CLOSED: MCU EDIT")) << in_the_air;
    }
}

// A GNS row opened on OLM: another unit's direct-to that takes OLM out of
// the plan closes the row (it would show OLM over the fix that took its
// place); one that keeps OLM leaves the row open on it.
struct RowEdit {
    const char* keys;
    bool open; // the row still open on OLM
};

class GnsRowAfterAnotherUnitsEdit : public UnitsShowTheirPlan,
                                    public ::testing::WithParamInterface<RowEdit> {};

TEST_P(GnsRowAfterAnotherUnitsEdit, closesWhenItsFixIsTakenOut) {
    press("RTE \"KSEAKPDX\" L2 R6 EXEC");
    run("gns GNSXLS FPL L3 L3\nframes 1\n");
    ASSERT_TRUE(gns_shows("OLM   ")); // the row, open
    run(GetParam().keys);
    ASSERT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(gns_entry_active, GetParam().open ? 1 : 0);
    EXPECT_EQ(gns_shows("OLM   "), GetParam().open);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, GnsRowAfterAnotherUnitsEdit,
    ::testing::Values(
        RowEdit{"cdu SMITHS_FMS LEGS L5 L1 EXEC\nframes 2\n", false}, // TOUTL, copied down
        RowEdit{"mcu MCU DIRTO ENTRY\nkeyboard type \"KELSO\"\nframes 1\nmcu MCU ENTER\nframes 2\n", false},
        RowEdit{"cdu SMITHS_FMS LEGS L3 L1 EXEC\nframes 2\n", true}, // NISQL: OLM stays
        RowEdit{"route load KSEAKYKM.PLN\nframes 2\n", false}));     // a plan without OLM

// A GNS procedure page lists one end of the flown plan from the airport
// detail other units load theirs into: a plan put in place, another unit's
// choice at that end or another airport in the slot closes it, said, and its
// highlight never fills the entry field. SAVE ACTIVE FPL, its name made from
// the plan's airports, closes when another plan is put in place, and DATABASE
// WPT putting a fix in at a row when the row's fix leaves the plan. An edit
// that leaves what the page shows alone leaves it open.
struct PageEdit {
    const char* page; // the GNS keys that open it
    const char* edit; // another unit's
    const char* said; // "" where the page stays open
};

class GnsPageAfterAnotherUnitsEdit : public UnitsShowTheirPlan,
                                     public ::testing::WithParamInterface<PageEdit> {};

TEST_P(GnsPageAfterAnotherUnitsEdit, closesWhenWhatItListsIsGone) {
    const PageEdit& p = GetParam();
    SCOPED_TRACE(std::string(p.page) + " / " + p.edit);
    press("RTE \"KSEAKPDX\" L2 R6 EXEC");
    run(std::string("gns GNSXLS NAV FPL ") + p.page + "\nframes 1\n");
    const int page = gns_state;
    ASSERT_TRUE(page == GNS_DEPARTURE || page == GNS_ARRIVAL || page == GNS_APPROACH ||
                page == GNS_SAVE_FPL || page == GNS_DATABASE_WPT)
        << page;
    const std::string pad = gns_scratchpad;
    run(std::string(p.edit) + "\nframes 2\n");
    if (*p.said == '\0') {
        EXPECT_EQ(gns_state, page);
        EXPECT_EQ(gns_scratchpad, pad);
        return;
    }
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
    EXPECT_EQ(gns_entry_active, 0);
    EXPECT_TRUE(gns_shows(p.said));
    // ENT then commits nothing of the page, nor writes a route.
    const auto routes = [&] {
        std::map<std::string, std::string> files;
        for (const auto& f : std::filesystem::directory_iterator(sim_folder_.path() + "/orvex/flightplans")) {
            std::ifstream in(f.path());
            files[f.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    };
    const PlanChoices chosen = active_plan.choices();
    const int last = active_plan_last;
    const auto saved = routes();
    run("gns GNSXLS ENT\nframes 1\n");
    EXPECT_EQ(active_plan.choices(), chosen);
    EXPECT_EQ(active_plan_last, last);
    EXPECT_EQ(routes(), saved);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, GnsPageAfterAnotherUnitsEdit,
    ::testing::Values(
        PageEdit{"L5 ENT S ERASE", "route load KSEAKYKM.PLN", "ARRIVAL CLOSED"},
        PageEdit{"L4 L4 ENT", "mcu MCU FPLN NEXT ENTER", "DEPARTURE CLOSED"},
        PageEdit{"L5 L5 ENT", "cdu SMITHS_FMS DEP_ARR R2 R3 L3\ncdu SMITHS_FMS EXEC", "APCH CLOSED"},
        // The SMITHS's change to another destination loads its detail.
        PageEdit{"L5 ENT", "cdu SMITHS_FMS RTE \"KSEA\" R1", "ARRIVAL CLOSED"},
        PageEdit{"L5 ENT", "cdu SMITHS_FMS LEGS L3 L1 EXEC", ""},
        // On the ground a direct-to flies from where the aircraft stands, not the origin.
        PageEdit{"L4 L4 ENT", "mcu MCU DIRTO ENTRY\nkeyboard type \"OLM\"\nframes 1\nmcu MCU ENTER",
                 "DEPARTURE CLOSED"},
        PageEdit{"L5 L5 ENT", "mcu MCU LNAV\nmcu MCU HOLD", ""},
        PageEdit{"R4 ENT", "route load KSEAKYKM.PLN", "SAVE ACTIVE FPL CLOSED"},
        PageEdit{"R4 ENT", "cdu SMITHS_FMS LEGS L3 L1 EXEC", ""},
        // BTG to go in before KELSO.
        PageEdit{"L4 \"BTG\" ENT", "route load KSEAKYKM.PLN", "DATABASE WPT CLOSED"},
        PageEdit{"L4 \"BTG\" ENT", "mcu MCU DIRTO ENTRY\nkeyboard type \"OLM\"\nframes 1\nmcu MCU ENTER",
                 "DATABASE WPT CLOSED"},
        PageEdit{"L4 \"BTG\" ENT", "cdu SMITHS_FMS LEGS DEL L3\ncdu SMITHS_FMS EXEC", ""}));

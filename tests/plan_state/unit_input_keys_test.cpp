// What each unit takes by keys: its keys reach only its own entries, a hold
// waits for its fix to be the TO, and an airway left without its exit is a
// gap in the flown plan and in a saved route, never a fix at 0N 0E.
#include "plan_keys_fixture.h"

#include "data/nav_database.h"
#include "fms/fms_update.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_values.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/smiths_scratchpad.h"

#include <filesystem>
#include <fstream>

namespace {

class UnitInputKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    void run_clean(const std::string& script) {
        restart();
        EXPECT_EQ(script_fault(lines(script)), "") << script;
    }
    bool flown(const std::string& ident) {
        for (int i = 0; i <= active_plan_last; ++i)
            if (active_plan[i].ident == ident) return true;
        return false;
    }
    // The waypoint lines of a saved route, as written.
    std::string saved(const std::string& name) {
        for (const auto& f : std::filesystem::recursive_directory_iterator(sim_folder_.path()))
            if (f.path().filename() == name) {
                std::ifstream in(f.path());
                std::string text, line;
                while (std::getline(in, line))
                    if (line.rfind("[", 0) != 0 && line.find('=') == std::string::npos) text += line + "\n";
                return text;
            }
        return "no file";
    }
};

// The example route on the GNS, flown in the air from OLM on.
const char* const kGnsRouteInFlight = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n"
                                      "aircraft altitude 8000\naircraft speed 250\nframes 2\n";

} // namespace

// Letters typed on the SMITHS go to its scratchpad only: a GNS field open at
// the time takes only the GNS's letters, and the GNS's first letter right
// after ENT opened its field is kept.
TEST_F(UnitInputKeys, EachUnitsLettersStayOnIt) {
    const struct {
        const char* script;
        const char* fix; // in the flown plan afterwards
    } rows[] = {
        {"gns GNSXLS FPL L2\ncdu SMITHS_FMS RTE \"KSEA\"\ngns GNSXLS \"MALLE\" ENT ENT\nframes 2", "MALLE"},
        {"gns GNSXLS \"MA\"\ncdu SMITHS_FMS \"KS\"\ngns GNSXLS FPL L2\ncdu SMITHS_FMS \"XYZ\"\n"
         "gns GNSXLS \"MALLE\" ENT\ncdu SMITHS_FMS \"Q\"\ngns GNSXLS ENT\nframes 2",
         "MALLE"},
    };
    for (const auto& row : rows) {
        run_clean(std::string(kGnsRouteInFlight) + row.script);
        EXPECT_TRUE(flown(row.fix)) << row.script << "\n" << plan();
    }
    // A new plan opened on the GNS list: "KPWT" typed at once is its origin.
    run_clean("gns GNSXLS R3 R3 ENT\ngns GNSXLS \"KPWT\" ENT ENT\nframes 1");
    EXPECT_EQ(working_plan[0].ident, "KPWT");
}

// A hold is entered at its fix only as the TO: passed on the first leg (it
// lies beside it), JAKSN's hold waits and GLASR is flown to; made the TO,
// JAKSN is held at.
TEST_F(UnitInputKeys, AHoldWaitsForItsFixToBeTheTo) {
    const std::string route =
        "cdu SMITHS_FMS RTE \"KRNT\" L1 \"KCLM\" R1 \"33\" L3\n"
        "cdu SMITHS_FMS NEXT \"GLASR\" R1 \"ARLIN\" R2 \"BANGR\" R3 \"JAKSN\" R4 R6\n"
        "cdu SMITHS_FMS EXEC\ncdu SMITHS_FMS HOLD L4 L6\ncdu SMITHS_FMS EXEC\n"
        // Half a mile short of JAKSN, on the first leg north to GLASR.
        "aircraft altitude 8000\naircraft speed 160\naircraft position 47.790 -122.3078\n"
        "aircraft heading 340\naircraft ap on\naircraft ap hdg on\nframes 18\nmcu MCU LNAV\n";
    const struct {
        const char* then;
        const char* to;
        bool holding;
    } rows[] = {
        {"frames 120", "GLASR", false},
        {"cdu SMITHS_FMS DIR L4 L6\ncdu SMITHS_FMS EXEC\nframes 400", "JAKSN", true},
    };
    for (const auto& row : rows) {
        run_clean(route + row.then);
        ASSERT_NE(to_waypoint_index, kNoToWaypoint) << plan();
        EXPECT_EQ(active_plan[to_waypoint_index].ident, row.to) << row.then << "\n" << plan();
        EXPECT_EQ(holding_active > 0, row.holding) << row.then;
    }
}

// An airway row left without its exit is flown and saved as a gap; its exit
// is found on the airway however the other units looked fixes up meanwhile.
TEST_F(UnitInputKeys, AnAirwayWithoutItsExitIsAGap) {
    const std::string typed =
        "aircraft position 44.9095 -123.0026\naircraft altitude 214\naircraft speed 0\n"
        "frames 2\ncdu SMITHS_FMS RTE \"KSLE\" L1 \"KPDX\" R1 NEXT \"UBG\" R1 \"V23\" L2";
    run_clean(typed + " \"QUEET\" R3 R6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS INIT_REF L6 \"GROUND\" R6");
    EXPECT_EQ(plan(), "KSLE *UBG DISCO QUEET KPDX ");
    const std::string file = saved("GROUND.RTE");
    EXPECT_EQ(file.find("THEN"), std::string::npos) << file;
    EXPECT_NE(file.find("DISCO"), std::string::npos) << file;

    // The exit typed after the GNS chose a row on the airway, or the MCU
    // listed fixes of its own.
    const std::string flown = "route load KSEAKPDX.RTE\nframes 3\n";
    const struct {
        const char *before, *between;
    } rows[] = {{"gns GNSXLS FPL L3\n", ""}, {"", "\nmcu MCU DIRTO"}};
    for (const auto& row : rows) {
        run_clean(flown + row.before + typed + row.between +
                  "\ncdu SMITHS_FMS \"SCAPO\" R2 R6\ncdu SMITHS_FMS EXEC");
        int scapo = 0;
        for (int i = 1; i <= active_plan_last; ++i)
            if (active_plan[i].ident == "SCAPO") scapo = i;
        ASSERT_GT(scapo, 0) << row.before << row.between << "\n" << plan();
        EXPECT_EQ(active_plan[scapo].via, "V23");
        EXPECT_EQ(plan().find("THEN"), std::string::npos) << plan();
    }
}

// An airway row left without its exit is listed on RTE LEGS as the gap EXEC
// makes of it, before EXEC as after (the legs rule reads every sub-page).
TEST_F(UnitInputKeys, AnAirwayWithoutItsExitIsListedAsAGapBeforeExec) {
    const std::string typed =
        "aircraft position 44.9095 -123.0026\naircraft altitude 214\naircraft speed 0\n"
        "frames 2\ncdu SMITHS_FMS RTE \"KSLE\" L1 \"KPDX\" R1 NEXT \"UBG\" R1 \"V23\" L2";
    for (const char* then : {" \"QUEET\" R3\ncdu SMITHS_FMS LEGS", " \"QUEET\" R3 R6\ncdu SMITHS_FMS LEGS",
                             " \"QUEET\" R3 R6\ncdu SMITHS_FMS EXEC LEGS", "\ncdu SMITHS_FMS LEGS"}) {
        run_clean(typed + then);
        EXPECT_EQ(smiths_cdu_page, kPageRteLegs) << then;
    }
}

// A lookup on one unit leaves the candidates another unit acts on alone:
// the GNS's DATABASE WPT waiting for ENT, the MCU's DIRTO list, also
// through a plan the GNS puts in place or a new route the SMITHS executes.
TEST_F(UnitInputKeys, EachUnitKeepsItsOwnCandidates) {
    const std::string typed_on_mcu = "mcu MCU DIRTO ENTRY\nkeyboard type \"PAE\"\nframes 1\n";
    const struct {
        std::string script;
        const char *fix, *other; // flown afterwards, and not
    } rows[] = {
        {std::string(kGnsRouteInFlight) + "gns GNSXLS FPL L2\ngns GNSXLS \"MALLE\" ENT\nframes 1\ncdu "
                                          "SMITHS_FMS FIX \"YKM\" L1\nframes 1\n"
                                          "gns GNSXLS ENT\nframes 2",
         "MALLE", "YKM"},
        {kGnsRouteInFlight + typed_on_mcu +
             "gns GNSXLS FPL L2\ngns GNSXLS \"YKM\" ENT\nframes 1\nmcu MCU ENTER\nframes 2",
         "PAE", "YKM"},
        {typed_on_mcu +
             "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\nmcu MCU ENTER\nframes 2",
         "PAE", "MALLE"},
        {typed_on_mcu +
             "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 R6\ncdu SMITHS_FMS EXEC\nframes 20\n"
             "mcu MCU ENTER\nframes 2",
         "PAE", "YKM"},
    };
    for (const auto& row : rows) {
        run_clean(row.script);
        EXPECT_TRUE(flown(row.fix)) << row.script << "\n" << plan();
        EXPECT_FALSE(flown(row.other)) << row.script << "\n" << plan();
    }
}

// A route longer than the plan, loaded on each unit: the count left out is
// told in that unit's own place only (SMITHS line, GNS message, the MCU's
// entry line after its airport request, the text page's message list).
TEST_F(UnitInputKeys, ALoadsCountLeftOutIsToldOnTheUnitThatAskedOnly) {
    std::string text = "[FlightPlan]\nKSEA 47.449 -122.3093 APT\n";
    for (int i = 1; i <= 205; ++i)
        text += "W" + std::to_string(i) + " " + std::to_string(47.44 - 0.008 * i) + " -122.4 WPT\n";
    text += "KPDX 45.5887 -122.5975 APT\n"; // 207 lines: 6 left out
    const char* const told = "6 WPTS NOT LOADED";
    const struct {
        const char* script; // empty: the text page's request
        const char* shown;  // S G M T: the units that show the count
    } rows[] = {
        {"cdu SMITHS_FMS RTE \"KSEAKPDX\" L2\nframes 1", "S---"},
        {"gns GNSXLS R2 R2 ENT\nframes 1", "-G--"},
        {"mcu MCU FPLN NEXT ENTER\nframes 3", "--M-"},
        {"frames 3", "---T"},
    };
    for (const auto& row : rows) {
        restart();
        std::ofstream(sim_folder_.path() + "/orvex/flightplans/KSEAKPDX.RTE") << text;
        if (row.shown[3] == 'T') {
            route_file_request_name = "KSEAKPDX.RTE";
            route_file_request = kRouteFileRequestTextPage;
        }
        EXPECT_EQ(script_fault(lines(row.script)), "") << row.script;
        bool listed = false;
        for (int i = 1; i <= warning_messages.count(); ++i)
            listed = listed || warning_messages[i] == told;
        const std::string shown = {smiths_scratchpad_message == told ? 'S' : '-',
                                   gns_refusal_text == told ? 'G' : '-', mcu_entry_text == told ? 'M' : '-',
                                   listed ? 'T' : '-'};
        EXPECT_EQ(shown, row.shown) << row.script;
        EXPECT_EQ(working_plan_last, kPlanLastIndex) << row.script;
    }
}

// A script's `route load` in the stand-in with the real module: the module
// loads the file within the command, as the CDU's CO ROUTE, ACTIVATE and EXEC
// do, and the stand-in prints what it loaded; a load that leaves no route is a
// warning, and a name with a path is refused before the run.
#include "script.h"
#include "stand_in_panel.h"

#include "data/load_warnings.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/files/stored_routes.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan_builder.h"
#include "fms/published_values.h"
#include "fms/units/smiths_scratchpad.h"
#include "gauges/stand_in_hooks.h"
#include "gns_mcu/gns_plan_edits.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

class RouteLoad : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        namespace fs = std::filesystem;
        fs::copy(ORVEX_SOURCE_DIR "/examples/sim/orvex", fs::path(folder.path()) / "orvex",
                 fs::copy_options::recursive);
        sim.module.flight.load_route = &orvex_standin_load_route;
        sim.module.flight.route_status = &orvex_standin_route_status;
        out_ = std::tmpfile();
        sim.warnings_to = out_;
        place("gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n");
        start();
    }
    void TearDown() override {
        StandInPanel::TearDown();
        std::fclose(out_);
    }
    // What the commands printed and warned, and the warnings counted.
    std::string run(const std::string& text) {
        host::Script script;
        std::string error;
        if (!host::parse_script_text("route.script", text, sim, script, error)) return "refused: " + error;
        const int before = sim.warnings;
        std::fseek(out_, 0, SEEK_END);
        const long start = std::ftell(out_);
        host::run_script(sim, script, out_, nullptr);
        std::fseek(out_, start, SEEK_SET);
        std::string printed;
        for (int c; (c = std::fgetc(out_)) != EOF;)
            printed += static_cast<char>(c);
        return printed + "warnings " + std::to_string(sim.warnings - before);
    }
    std::FILE* out_ = nullptr;
};

std::string read_file(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

TEST_F(RouteLoad, theExampleRouteIsFlownAndSavedWithEveryKeyItHad) {
    EXPECT_EQ(run("route load KSEAKPDX.RTE\n"),
              "frame 0: route load KSEAKPDX.RTE: 10 waypoints loaded\nwarnings 0");
    EXPECT_EQ(route_state, kRouteStateActive);
    // The file's ten and its approach's DISCO MELLO ROSIE.
    EXPECT_EQ(active_plan_last, 12);
    EXPECT_EQ(orvex_fpln_wpt_cnt, 12); // published before the next frame
    ASSERT_TRUE(save_route_file("KSEAKPDX.RTE"));
    const std::string saved = read_file(folder.path() + "/orvex/flightplans/KSEAKPDX.RTE");
    EXPECT_EQ(saved.rfind("CruiseAlt=16000\nApproachInfo=I10R_10R\n[FlightPlan]\n", 0), 0u) << saved;
}

TEST_F(RouteLoad, whatWasLoadedIsPrintedAndNoRouteIsAWarning) {
    std::string waypoints;
    for (int i = 0; i < 250; ++i)
        waypoints += "W" + std::to_string(i) + " 47.0 -122.0 WPT\n";
    const std::string flightplans = folder.path() + "/orvex/flightplans/";
    std::ofstream(flightplans + "EMPTY.RTE") << "";
    std::ofstream(flightplans + "HEADER.RTE") << "CruiseAlt=12000\n[FlightPlan]\n";
    std::ofstream(flightplans + "ONE.RTE") << "[FlightPlan]\nKSEA 47.449 -122.3093 APT\n";
    std::ofstream(flightplans + "LONG.RTE") << "[FlightPlan]\n" + waypoints;
    const std::string kept = "\nwarnings 1";
    EXPECT_EQ(run("route load EMPTY.RTE\n"),
              "orvex-sim: " + flightplans + "EMPTY.RTE: holds no waypoint: not loaded" + kept);
    EXPECT_EQ(run("route load HEADER.RTE\n"),
              "orvex-sim: " + flightplans + "HEADER.RTE: holds no waypoint: only its key lines applied" +
                  kept);
    EXPECT_EQ(run("route load NOPE.RTE\n"),
              "orvex-sim: " + flightplans + "NOPE.RTE: cannot be opened" + kept);
    EXPECT_EQ(run("route load ONE.RTE\n"),
              "orvex-sim: route load ONE.RTE: 1 waypoint loaded, no route" + kept);
    EXPECT_EQ(run("route load LONG.RTE\n"),
              "frame 0: route load LONG.RTE: 201 waypoints loaded\n"
              "orvex-sim: " +
                  flightplans + "LONG.RTE: 49 waypoints after the first 201 left out\nwarnings 1");
    EXPECT_EQ(active_plan_last, kPlanLastIndex);
    EXPECT_EQ(smiths_scratchpad_message, "49 WPTS NOT LOADED");
    for (const char* name : {"../../../etc/passwd", "sub/KSEAKPDX.RTE", "C:KSEAKPDX.RTE", ".."})
        EXPECT_EQ(run(std::string("route load ") + name + "\n").rfind("refused: ", 0), 0u) << name;
}

// The approach a file names and its procedure legs come through a load on
// each unit and go into the plan it saves; a constraint the GNS's opened plan
// holds is flown once the plan is selected.
TEST_F(RouteLoad, theFilesApproachIsKeptThroughALoadOnEachUnit) {
    const auto smiths = [this] { run("route load KSEAKPDX.RTE\n"); };
    const auto mcu = [] {
        route_file_request_name = "KSEAKPDX.RTE";
        route_file_request = kRouteFileRequestMcu; // the flight-plan page's request
        load_route_file(route_file_request);
    };
    const auto gns = [] {
        list_flight_plans();
        for (int k = 1; k <= stored_routes.count(); ++k)
            if (stored_routes[k].name == "KSEAKPDX.RTE" &&
                load_listed_plan_to_working(k, RouteLoadAsker::Smiths)) {
                RouteWaypoint& toutl = working_entry(5); // as a procedure's leg holds it
                toutl.alt_constraint = 14000.0;
                toutl.altitude_kind = AltitudeKind::Pilot;
                gns_activate_opened_plan();
            }
    };
    for (const auto& load :
         {std::function<void()>(smiths), std::function<void()>(mcu), std::function<void()>(gns)}) {
        set_flown_to(kNoToWaypoint); // with the plan emptied below: no route flown
        approach_record_index = 0;
        set_active_last(-1);
        load();
        ASSERT_EQ(active_plan_last, 12);
        ASSERT_TRUE(save_route_file("SAVED.RTE"));
        const std::string saved = read_file(folder.path() + "/orvex/flightplans/SAVED.RTE");
        EXPECT_NE(saved.find("ApproachInfo=I10R_10R\n"), std::string::npos) << saved;
        int star_legs = 0;
        for (std::size_t at = 0; (at = saved.find(" OLM.LAVVA2 STAR", at)) != std::string::npos; ++at)
            ++star_legs;
        EXPECT_EQ(star_legs, 4) << saved;
    }
    EXPECT_EQ(active_plan[5].ident, "TOUTL");
    EXPECT_EQ(active_plan[5].altitude_kind, AltitudeKind::Pilot);
    EXPECT_EQ(active_plan[5].alt_constraint, 14000.0);
}

// A file's approach comes with its legs; a plan saved with them loads back
// the same, its approach legs not flown twice, whether or not a STAR leads to
// them; a route that only ends at one of the approach's fixes keeps it.
TEST_F(RouteLoad, aSavedApproachLoadsBackOnce) {
    const std::string route = "KSEA 47.449 -122.3093 APT\nSEA 47.4354 -122.3097 VOR 116.80\n"
                              "OLM 46.9717 -122.9025 VOR 113.40\n";
    const std::string approach = "DISCO 45.67692 -122.84821 WPT\nMELLO 45.67692 -122.84821 WPT\n"
                                 "ROSIE 45.63250 -122.72807 WPT\n";
    const std::string sauvi = "SAUVI 45.71578 -122.95376 WPT\n", kpdx = "KPDX 45.5887 -122.5975 APT\n";
    const std::string i10r = "ApproachInfo=I10R_10R\n";
    // A file written before names no transition: I34R's legs via DOTTY are
    // DOTTY SEBAR MALLE, without it SEBAR MALLE.
    const std::string krnt = "ApproachInfo=I34R_34R\n[FlightPlan]\nKRNT 47.4931 -122.2157 APT\n"
                             "ISSAQ 47.35552 -121.93681 WPT\n";
    const std::string dotty_34r = "DOTTY 47.13118 -122.3079 WPT\nSEBAR 47.26451 -122.3079 WPT\n"
                                  "MALLE 47.33785 -122.3079 WPT\nKSEA 47.449 -122.3093 APT\n";
    const struct {
        std::string file, expected;
    } rows[] = {
        {i10r + "[FlightPlan]\n" + route + approach + kpdx, "KSEA SEA OLM DISCO MELLO ROSIE KPDX"},
        {i10r + "[FlightPlan]\n" + route + sauvi + approach + kpdx,
         "KSEA SEA OLM SAUVI DISCO MELLO ROSIE KPDX"},
        {i10r + "[FlightPlan]\n" + route + sauvi + kpdx, "KSEA SEA OLM SAUVI DISCO MELLO ROSIE KPDX"},
        {krnt + dotty_34r, "KRNT ISSAQ DOTTY SEBAR MALLE KSEA"},
    };
    const std::string flightplans = folder.path() + "/orvex/flightplans/";
    const auto plan = [] {
        std::string idents;
        for (int i = 0; i <= active_plan_last; ++i)
            idents += (i > 0 ? " " : "") + active_plan[i].ident;
        return idents;
    };
    for (const auto& row : rows) {
        std::ofstream(flightplans + "APP.RTE") << row.file;
        run("route load APP.RTE\n");
        EXPECT_EQ(plan(), row.expected) << row.file;
        ASSERT_TRUE(save_route_file("APP.RTE"));
        run("route load APP.RTE\n");
        EXPECT_EQ(plan(), row.expected) << "saved and loaded again\n" << row.file;
    }
    // The example route with its STAR, saved and loaded again.
    run("route load KSEAKPDX.RTE\n");
    const std::string example = plan();
    ASSERT_TRUE(save_route_file("APP.RTE"));
    run("route load APP.RTE\n");
    EXPECT_EQ(plan(), example);
}

// A key value out of range, or an approach the destination lacks, is told by
// its file and line; the route loads without it. Values in range, and an
// approach the destination has, are taken without a word.
TEST_F(RouteLoad, aValueOutOfRangeIsToldByItsLineAndTheRouteLoadsWithoutIt) {
    const std::string route = "[FlightPlan]\nKSEA 47.449 -122.3093 APT\nKPDX 45.5887 -122.5975 APT\n";
    const std::string flightplans = folder.path() + "/orvex/flightplans/";
    const struct {
        const char* keys;
        const char* told; // "" when nothing is
        int cruise;       // the file's cruise altitude taken; -1: none given or taken
        const char* approach;
    } rows[] = {
        {"CruiseAlt=99999999\n", "line 1 CruiseAlt=99999999, not 0 to 99999 ft", -1, "------"},
        {"; a comment\nCruiseAlt=-1000\n", "line 2 CruiseAlt=-1000, not 0 to 99999 ft", -1, "------"},
        {"TripFuel=3000000\n", "line 1 TripFuel=3000000, not 0 to 2000000 lb", -1, "------"},
        {"ApproachInfo=I99Z_99Z\n",
         "line 1 ApproachInfo=I99Z_99Z, not an approach of KPDX: the plan loaded without it", -1, "------"},
        {"CruiseAlt=35000\nApproachInfo=I10R_10R\n", "", 35000, "I10R"},
        {"CruiseAlt=99999\nTripFuel=2000000\n", "", 99999, "------"},
        {"CruiseAlt=0\n", "", -1, "------"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        cruise_altitude = 0;
        clear_load_warnings();
        std::ofstream(flightplans + "KEYS.RTE") << row.keys + route;
        const std::string printed = run("route load KEYS.RTE\n");
        if (*row.told) {
            EXPECT_NE(printed.find(flightplans + "KEYS.RTE: "), std::string::npos) << printed;
            EXPECT_NE(printed.find(row.told), std::string::npos) << printed;
            EXPECT_NE(printed.find("warnings 1"), std::string::npos) << printed;
        } else {
            EXPECT_NE(printed.find("warnings 0"), std::string::npos) << printed;
        }
        ASSERT_GE(active_plan_last, 1);
        EXPECT_EQ(active_plan[0].ident, "KSEA");
        EXPECT_EQ(active_plan[active_plan_last].ident, "KPDX");
        EXPECT_LE(cruise_altitude, kMaxCruiseAltitudeEntryFt);
        if (row.cruise >= 0) {
            EXPECT_EQ(cruise_altitude, row.cruise);
        }
        EXPECT_EQ(active_plan.choices().approach, row.approach);
    }
}

} // namespace

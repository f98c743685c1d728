// The loader through dlopen and the orvex-sim command.
#include "host_services.h"
#include "module_loader.h"
#include "script.h"
#include "shared/expected_gauge_names.h"
#include "sim_state.h"
#include "simulator.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <cstdio>

#include <dlfcn.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

struct Output {
    int status = -1;
    std::string text; // stdout and stderr together
};

Output run_sim(const std::string& arguments) {
    Output o;
    std::string command = std::string(ORVEX_SIM_PATH) + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return o;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        o.text.append(buffer, n);
    int status = pclose(pipe);
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

// A module that does not load or has no gauge table fails the tests that
// need it, so that a broken build cannot pass as skipped.
testing::AssertionResult module_loads() {
    void* library = dlopen(ORVEX_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return testing::AssertionFailure() << "dlopen: " << dlerror();
    const bool found = dlsym(library, "Linkage") != nullptr;
    dlclose(library);
    if (!found) return testing::AssertionFailure() << ORVEX_MODULE_PATH " exports no Linkage";
    return testing::AssertionSuccess();
}

std::string write_file(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

TEST(Cli, ListPrintsTheGaugeTableThroughDlopen) {
    ASSERT_TRUE(module_loads());
    std::string expected;
    for (const char* name : expected_gauge_names)
        expected += std::string(name) + "\n";
    Output o = run_sim("--list --module " ORVEX_MODULE_PATH);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.text, expected);
    EXPECT_EQ(o.text.find("MCU_OPEN_LM"), std::string::npos);

    // The default module is the one next to orvex-sim.
    EXPECT_EQ(run_sim("--list").text, expected);

    host::LoadedModule module;
    std::string error;
    ASSERT_TRUE(host::load_module(ORVEX_MODULE_PATH, module, error)) << error;
    EXPECT_EQ(module.name, "orvex1");
    EXPECT_EQ(module.imports->panels, host::services_table());
    host::unload_module(module);
}

TEST(Cli, LoadFailuresNameTheModule) {
    host::LoadedModule module;
    std::string error;
    EXPECT_FALSE(host::load_module("/nonexistent/orvex1.so", module, error));
    EXPECT_EQ(error.rfind("/nonexistent/orvex1.so: cannot load module: ", 0), 0u) << error;
    EXPECT_EQ(module.linkage, nullptr);

    Output o = run_sim("--list --module /nonexistent/orvex1.so");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.text.find("/nonexistent/orvex1.so: cannot load module"), std::string::npos);
    EXPECT_EQ(host::module_name_from_path("/a/b.c/orvex1.so"), "orvex1");
    EXPECT_EQ(host::module_name_from_path("orvex1"), "orvex1");
}

TEST(Cli, BadArgumentsAndBadPanelFilesStopTheRun) {
    Output o = run_sim("--panel");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.text.find("--panel needs a value"), std::string::npos);
    o = run_sim("--root /tmp");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.text.find("--panel is required"), std::string::npos);
    EXPECT_EQ(run_sim("--fly").status, 2);

    // Panel syntax is checked before the module is even loaded.
    std::string panel = write_file("bad_panel.cfg", "[Window00]\ngauge00=orvex1!HW_B737_ND, 0, zero\n");
    o = run_sim("--module /nonexistent/orvex1.so --panel " + panel);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.text.find(panel + ":2: bad y 'zero'"), std::string::npos) << o.text;

    // Only a regular file is read: a folder is named as one, not read as an
    // empty panel or script, and a FIFO is named before it can hold the run.
    const std::string folder = testing::TempDir() + "orvex_panel_folder";
    std::filesystem::create_directories(folder);
    const std::string fifo = testing::TempDir() + "orvex_panel_fifo";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string one = write_file("one.cfg", "[Window00]\ngauge00=orvex1!SERVER, 0, 0\n");
    const struct {
        std::string args, told;
    } refused[] = {
        {"--panel " + folder, folder + ": names a folder, not a panel file"},
        {"--panel " + one + " --script " + folder, folder + ": names a folder, not a script"},
        {"--panel " + fifo, fifo + ": names a FIFO, not a panel file"},
        {"--panel " + one + " --script " + fifo, fifo + ": names a FIFO, not a script"},
    };
    for (const auto& row : refused) {
        o = run_sim(row.args);
        EXPECT_EQ(o.status, 1) << row.args;
        EXPECT_NE(o.text.find("orvex-sim: " + row.told), std::string::npos) << o.text;
    }
}

TEST(Cli, ExampleDemoRunsAndBadScriptsStopBeforeTheFirstFrame) {
    ASSERT_TRUE(module_loads());
    // The module writes below its simulator folder: run on a copy. The
    // example panel flies a short route at a high rate, from the take-off
    // roll to the destination.
    const std::string example = ORVEX_SOURCE_DIR "/examples/sim";
    const std::string root = testing::TempDir() + "orvex_demo_sim";
    const std::string out = testing::TempDir() + "orvex_out";
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(out);
    std::filesystem::copy(example, root, std::filesystem::copy_options::recursive);
    std::ofstream(root + "/orvex/flightplans/KSEAKOLM.RTE") << "CruiseAlt=6000\n[FlightPlan]\n"
                                                               "KSEA 47.44900 -122.30930 APT ---\n"
                                                               "SEA 47.43540 -122.30970 VOR 116.80\n"
                                                               "FOXXE 47.28117 -122.50845 INT --- V23\n"
                                                               "NISQL 47.12661 -122.70605 INT --- V23\n"
                                                               "OLM 46.97170 -122.90250 VOR 113.40 V23\n"
                                                               "KOLM 46.96940 -122.90250 APT ---\n";
    const std::string common = "--root " + root + " --panel " + example + "/panel.cfg --out " + out;
    Output o = run_sim(common + " --script " ORVEX_SOURCE_DIR "/tests/host/short_flight.script");
    EXPECT_EQ(o.status, 0) << o.text;
    EXPECT_NE(o.text.find("orvex-sim: 25 gauges placed from"), std::string::npos) << o.text;
    EXPECT_NE(o.text.find(" frames run\n"), std::string::npos) << o.text; // and no warning
    // The flown route saved by SAVE FPL, named by the run.
    EXPECT_NE(o.text.find("written orvex/flightplans/KSEAKOLM.RTE"), std::string::npos) << o.text;
    EXPECT_NE(o.text.find("summary: 5 of 5 waypoints sequenced, arrived"), std::string::npos) << o.text;
    for (const char* moment : {"takeoff_", "cruise_", "arrival_"})
        EXPECT_TRUE(std::filesystem::exists(out + "/" + moment + "debug.png")) << moment << o.text;

    // Scripts that the check stops: a click outside, a module variable the
    // module does not have.
    for (const auto& [text, told] :
         {std::pair<std::string, std::string>{"frames 2\nclick window00.gauge00 999 0\n",
                                              ":2: click at (999, 0) outside window00.gauge00"},
          {"print module orvex_fpln_wpt_cnt\nprint module no_such_value\n",
           ":2: no module variable 'no_such_value'"}}) {
        const std::string script = write_file("bad.script", text);
        o = run_sim(common + " --script " + script);
        EXPECT_EQ(o.status, 1) << text;
        EXPECT_NE(o.text.find(script + told), std::string::npos) << o.text;
        EXPECT_EQ(o.text.find("gauges placed"), std::string::npos); // nothing ran
    }
    std::string script;

    // A route that is not there: one line naming the file, "no route", and
    // with `strict` a failed run.
    script =
        write_file("nope.script", "aircraft position 47.4 -122.3\nroute load NOPE.RTE\nframes 3\nsummary\n");
    o = run_sim(common + " --script " + script);
    EXPECT_EQ(o.status, 0) << o.text;
    EXPECT_NE(o.text.find("orvex-sim: " + root + "/orvex/flightplans/NOPE.RTE: cannot be opened\n"),
              std::string::npos)
        << o.text;
    EXPECT_EQ(o.text.find("NOPE.RTE: cannot be opened"), o.text.rfind("NOPE.RTE: cannot be opened"))
        << o.text;
    EXPECT_NE(o.text.find("summary: no route"), std::string::npos) << o.text;
    script =
        write_file("strict.script", "strict\naircraft position 47.4 -122.3\nroute load NOPE.RTE\nframes 3\n"
                                    "summary\n");
    o = run_sim(common + " --script " + script);
    EXPECT_EQ(o.status, 3) << o.text;
    EXPECT_NE(o.text.find("strict: stopped at frame 0 after a warning"), std::string::npos) << o.text;
    EXPECT_EQ(o.text.find("summary"), std::string::npos) << o.text;

    // A snapshot that cannot be written (its name is a folder's) is a
    // warning, and `strict` stops on it.
    std::filesystem::create_directories(out + "/taken.png");
    o = run_sim(common + " --script " +
                write_file("shot.script", "strict\nframes 1\nsnapshot " +
                                              std::string("window00.gauge00 taken.png\n") +
                                              "snapshot all\nsummary\n"));
    EXPECT_EQ(o.status, 3) << o.text;
    EXPECT_NE(o.text.find("orvex-sim: snapshot window00.gauge00 failed: "), std::string::npos) << o.text;
    EXPECT_NE(o.text.find("strict: stopped at frame 1 after a warning"), std::string::npos) << o.text;
    EXPECT_EQ(o.text.find("snapshots "), std::string::npos) << o.text;
}

// A route load that fails is told once: the module names the file and why
// (when it lists the flight-plans folder, or at the load), and the command
// says nothing more. Nothing waits on a pipe.
TEST(Cli, AFailedRouteLoadIsToldOnce) {
    ASSERT_TRUE(module_loads());
    const std::string root = testing::TempDir() + "orvex_told_once";
    std::filesystem::remove_all(root);
    std::filesystem::copy(ORVEX_SOURCE_DIR "/examples/sim", root, std::filesystem::copy_options::recursive);
    const std::string folder = root + "/orvex/flightplans/";
    struct Row {
        const char* name;
        std::string content;
        const char* reason;
    };
    const Row rows[] = {
        {"EMPTY.RTE", "", "holds no waypoint: not loaded"},
        {"HEADER.RTE", "[FlightPlan]\n", "holds no waypoint: not loaded"},
        {"BINARY.RTE", std::string("[FlightPlan]\nKSEA\0\x01 47 -122 APT\n", 30),
         "is not a text file: not loaded"},
        {"LONG.RTE", std::string(5000, 'x') + "\n", "holds no waypoint: not loaded"},
        {"HANG.RTE", "", "is not a regular file: not read"},
        {"NOPE.RTE", "", "cannot be opened"},
    };
    std::string script = "aircraft position 47.4 -122.3\n";
    for (const Row& row : rows) {
        if (std::string(row.name) == "HANG.RTE")
            ASSERT_EQ(::mkfifo((folder + row.name).c_str(), 0600), 0);
        else if (std::string(row.name) != "NOPE.RTE")
            std::ofstream(folder + row.name, std::ios::binary) << row.content;
        script += std::string("route load ") + row.name + "\n";
    }
    const Output o =
        run_sim("--root " + root + " --panel " ORVEX_SOURCE_DIR "/examples/sim/panel.cfg --script " +
                write_file("told_once.script", script + "frames 1\n"));
    EXPECT_EQ(o.status, 0) << o.text;
    for (const Row& row : rows) {
        const std::string told = std::string(row.name) + ": " + row.reason;
        EXPECT_NE(o.text.find(told), std::string::npos) << told << "\n" << o.text;
        EXPECT_EQ(o.text.find(told), o.text.rfind(told)) << told << "\n" << o.text;
        EXPECT_EQ(o.text.find(std::string("route load ") + row.name + ":"), std::string::npos) << o.text;
    }
}

// Parked at KSEA (433 ft), the aircraft stands on the ground of the loaded
// data: no waypoint ahead of it is passed, a SID chosen on the ground is
// flown from its first leg, and the wind does not move it.
TEST(Cli, AnAircraftParkedAtAnAirportStandsOnItsGround) {
    ASSERT_TRUE(module_loads());
    const std::string root = testing::TempDir() + "orvex_ground";
    std::filesystem::remove_all(root);
    std::filesystem::copy(ORVEX_SOURCE_DIR "/examples/sim", root, std::filesystem::copy_options::recursive);
    const std::string panel = write_file("ground.cfg", "[Window00]\n"
                                                       "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
                                                       "gauge01=orvex1!GNSXLS, 0, 0, 540, 430, B738\n"
                                                       "gauge02=orvex1!SERVER, 0, 0\n");
    const std::string to = "progress 1\nframes 1\nprogress 0\n";
    const struct {
        std::string script;
        std::vector<std::string> told;
    } rows[] = {
        // On 16L at 0 kt, DUWAM ahead and PARKK behind; then the SID SUMMA2;
        // then a 40 kt wind.
        {"aircraft position 47.4638 -122.3081\naircraft heading 162\naircraft altitude 433\n"
         "aircraft speed 0\nframes 20\n"
         "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"DUWAM\" R1 \"PARKK\" R2 R6\n"
         "cdu SMITHS_FMS EXEC\nframes 30\n" +
             to + "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC\nframes 30\n" + to +
             "aircraft wind 250 40\nframes 90\nprint aircraft\n",
         {": TO DUWAM 1/3 ", ": TO HD162 1/6 ", "aircraft lat 47.46380 lon -122.30810 ", " gs 0 kt "}},
        // At the gate, the example route activated on the GNS, then its
        // DEPARTURE inserted.
        {"aircraft position 47.4490 -122.3093\naircraft altitude 433\naircraft speed 0\nframes 20\n"
         "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 30\n"
         "gns GNSXLS L4 L4 ENT\ngns GNSXLS L4 ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT\nframes 30\n" +
             to,
         {": TO HD162 1/13 "}},
    };
    for (const auto& row : rows) {
        const Output o = run_sim("--root " + root + " --panel " + panel + " --script " +
                                 write_file("ground.script", "strict\n" + row.script));
        EXPECT_EQ(o.status, 0) << o.text;
        for (const std::string& told : row.told)
            EXPECT_NE(o.text.find(told), std::string::npos) << told << "\n" << o.text;
    }
}

TEST(Cli, AFolderWithoutModuleDataIsNamedAndStrictRunsFailOnIt) {
    ASSERT_TRUE(module_loads());
    const std::string root = testing::TempDir() + "orvex_no_data";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    const std::string panel =
        write_file("one_gauge.cfg", "[Window00]\ngauge00=orvex1!SERVER, 0, 0, , , B738\n");
    Output o = run_sim("--root " + root + " --panel " + panel);
    EXPECT_EQ(o.status, 0) << o.text;
    for (const std::string& line :
         {root + ": the simulator folder holds no orvex/ folder", root + "/orvex/orvex.cfg: cannot be opened",
          root + "/orvex/navdata/navs.txt: cannot be opened",
          root + "/orvex/Aircraft/B738.cfg: cannot be opened"})
        EXPECT_NE(o.text.find("orvex-sim: " + line), std::string::npos) << line << "\n" << o.text;
    o = run_sim("--root " + root + " --panel " + panel + " --script " +
                write_file("s.script", "strict\nframes 1\n"));
    EXPECT_EQ(o.status, 3) << o.text;
}

TEST(Cli, HelpListsEveryScriptCommandOfTheParserAndUnknownOnesListThemToo) {
    Output o = run_sim("--help");
    EXPECT_EQ(o.status, 0);
    std::string verbs;
    for (const host::ScriptCommandHelp& c : host::script_commands()) {
        const std::string usage = "\n  " + std::string(c.verb) + (c.arguments[0] ? " " : "") + c.arguments +
                                  "\n      " + c.text + "\n";
        EXPECT_NE(o.text.find(usage), std::string::npos) << usage;
        verbs += std::string(verbs.empty() ? "" : ", ") + c.verb;
    }
    EXPECT_NE(o.text.find("gauge00=MODULE!GAUGE, X, Y"), std::string::npos) << o.text;

    // Every verb of the table is one the parser takes (it fails on arguments
    // at most), and an unknown one is answered with the list.
    host::Simulator sim;
    host::Script script;
    std::string error;
    for (const host::ScriptCommandHelp& c : host::script_commands()) {
        host::parse_script_text("t.script", std::string(c.verb) + " \x01\n", sim, script, error);
        EXPECT_EQ(error.find("unknown command"), std::string::npos) << c.verb << ": " << error;
    }
    const std::string junk = "fly\xff\x01" + std::string(5000, 'x');
    EXPECT_FALSE(host::parse_script_text("t.script", "frames 1\n" + junk + "\n", sim, script, error));
    EXPECT_EQ(error, "t.script:2: unknown command 'fly\\xFF\\x01" + std::string(35, 'x') +
                         "...' (known: " + verbs + ")");
    EXPECT_FALSE(
        host::parse_script_text("t.script", "frames " + std::string(1000, '9') + "\n", sim, script, error));
    EXPECT_LT(error.size(), 320u) << error;
}

} // namespace

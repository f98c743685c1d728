// Scripts: every command, what it prints, and refusal of bad lines.
#include "data_link_peer.h"
#include "fake_module.h"
#include "key_names.h"
#include "script.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

std::string script_read_all(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    return text;
}

class Scripts : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        sim.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1");
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("p.cfg",
                                           "[Window00]\n"
                                           "gauge00=orvex1!DISPLAY, 0, 0, 200, 160, VC\n"
                                           "gauge01=orvex1!SPOT_OPEN, 0, 0\n"
                                           "gauge02=orvex1!SERVER, 0, 0\n",
                                           panel, error));
        ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    }

    // Parses, starts, runs, stops; returns what the script printed.
    std::string run(const std::string& text, std::string* progress = nullptr) {
        host::Script script;
        std::string error;
        EXPECT_TRUE(host::parse_script_text("s.script", text, sim, script, error)) << error;
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        host::start_gauges(sim);
        host::run_script(sim, script, out, err);
        host::stop_gauges(sim);
        std::string printed = script_read_all(out);
        if (progress != nullptr) *progress = script_read_all(err);
        std::fclose(out);
        std::fclose(err);
        return printed;
    }

    std::string parse_error(const std::string& text) {
        host::Script script;
        std::string error;
        EXPECT_FALSE(host::parse_script_text("s.script", text, sim, script, error)) << text;
        return error;
    }

    host::Simulator sim;
};

TEST_F(Scripts, CommandsActAndPrintAtTheirFrame) {
    std::string printed = run("; set up the aircraft\n"
                              "# and the panel\n"
                              "token 61 = 250.5\n"
                              "token 55 = int 0x1080\n"
                              "token 47 = \"IABC\"\n"
                              "token 56 = \"OLM\"\n"
                              "token 56 = null\n"
                              "calc (A:INDICATED ALTITUDE, feet) = 5000\n"
                              "calc TITLE = \"Orvex Jet\"\n"
                              "window open 4008\n"
                              "print token 61\n"
                              "print token 55\n"
                              "print token 47\n"
                              "print token 7\n"
                              "frames 3\n"
                              "print calc A:INDICATED ALTITUDE\n"
                              "print calc (A:TITLE,string)\n"
                              "print module fake_published\n"
                              "print module fake_distance\n"
                              "print module fake_ident\n"
                              "print module fake_records\n"
                              "print module nothing_here\n"
                              "print named fake_active\n"
                              "print named MFDX1 mode\n"
                              "named fake_request = 90\n"
                              "frames 1\n"
                              "print named fake_request\n"
                              "key LNAV 0\n"
                              "key 0x101F4 -700\n"
                              "print keys\n"
                              "print keys\n"
                              "click window00.gauge00 30 30\n"
                              "click DISPLAY 199 159\n"
                              "click spot_open 10 10\n"
                              "window close 4008\n"
                              "window toggle 0\n");
    EXPECT_EQ(printed, "frame 0: token 61 = 250.5\n"
                       "frame 0: token 55 = int 0x00001080\n"
                       "frame 0: token 47 = \"IABC\"\n"
                       "frame 0: token 7 is not set\n"
                       "frame 3: calc A:INDICATED ALTITUDE = 5000\n"
                       "frame 3: calc (A:TITLE,string) = \"Orvex Jet\"\n"
                       "frame 3: module fake_published = 42\n"
                       "frame 3: module fake_distance = 12.5\n"
                       "frame 3: module fake_ident = \"OLM\"\n"
                       "frame 3: module fake_records = (not a text)\n"
                       "frame 3: module nothing_here is not registered\n"
                       "frame 3: named fake_active = 1\n"
                       "frame 3: named MFDX1 mode is not registered\n"
                       "frame 4: named fake_request = 0\n"
                       "frame 4: key 0x101FA 90\n"
                       "frame 4: key 0x10337 0\n"
                       "frame 4: key 0x101F4 4294966596\n"
                       "frame 4: no key events\n"
                       "frame 4: click window00.gauge00 (30, 30): spot point (5, 5), returned 7\n"
                       "frame 4: click window00.gauge00 (199, 159): no click spot\n"
                       "frame 4: click window00.gauge01 (10, 10): spot point (3, 3), returned 1\n");
    EXPECT_FALSE(host::window_visible(4008));
    EXPECT_TRUE(host::window_visible(4001)); // toggled by the click spot
    EXPECT_TRUE(host::window_visible(0));
    EXPECT_EQ(sim.frame, 4);
    // A text token is handed out by pointer.
    ModuleVarBlock block{};
    block.id = 47;
    host::read_token_var(&block);
    ASSERT_NE(block.var_ptr, nullptr);
    EXPECT_STREQ(static_cast<const char*>(block.var_ptr), "IABC");
    // `null` leaves a text token's pointer null.
    ModuleVarBlock unset{};
    unset.id = 56;
    host::read_token_var(&unset);
    EXPECT_EQ(unset.var_ptr, nullptr);
    // The key event reached the handler that the server gauge registered.
    ASSERT_EQ(fake::key_calls.size(), 3u);
    EXPECT_EQ(fake::key_calls[1].id, 0x10337u);
}

TEST_F(Scripts, LongRunsReportProgress) {
    std::string progress;
    run("frames 999\nframes 1000\n", &progress);
    EXPECT_EQ(sim.frame, 1999);
    // Only the long run reports, at every tenth of it.
    EXPECT_NE(progress.find("orvex-sim: s.script:2: frame 100 of 1000\n"), std::string::npos);
    EXPECT_NE(progress.find("orvex-sim: s.script:2: frame 1000 of 1000\n"), std::string::npos);
    EXPECT_EQ(progress.find("of 999"), std::string::npos);
    int lines = 0;
    for (char c : progress)
        lines += c == '\n';
    EXPECT_EQ(lines, 10);

    // A flight counts the frames flown, not tenths of its limit, which it
    // mostly never reaches.
    progress.clear();
    run("fly 2000 to XYZ\n", &progress);
    EXPECT_EQ(progress.find("200 of 2000"), std::string::npos) << progress.substr(0, 200);
    EXPECT_NE(progress.find("orvex-sim: s.script:1: 1000 frames flown, no active route, flying until XYZ "
                            "(at most 2000 frames)\n"),
              std::string::npos)
        << progress.substr(0, 200);
    // One that runs out before its waypoint is a warning, which a strict
    // script stops on.
    EXPECT_EQ(sim.warnings, 1);
    sim.warnings = 0;
    const long frame = sim.frame;
    run("strict\nfly 5 to XYZ\nframes 3\n");
    EXPECT_EQ(sim.warnings, 1);
    EXPECT_EQ(sim.frame, frame + 5);
}

// A frame not drawn still calls the draw service, where the module updates,
// but without the surface.
TEST_F(Scripts, DrawEveryLetsLongRunsOnlyDrawOnEveryNthFrameAndTheirLast) {
    static int dummy_surface = 0;
    host::SurfaceServices surfaces;
    surfaces.create_dc = [](int32_t, int32_t, uint32_t) -> void* { return &dummy_surface; };
    // A disk that fills: the picture is begun, and fails.
    static bool begun = false;
    surfaces.write_png = [](void*, const char* path) {
        begun = true;
        if (std::FILE* f = std::fopen(path, "wb")) {
            std::fputs("\x89PNG", f);
            std::fclose(f);
        }
        return int32_t{0};
    };
    surfaces.destroy_dc = [](void*) {};
    host::Simulator drawn;
    drawn.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1", surfaces);
    host::PanelFile panel;
    std::string error;
    ASSERT_TRUE(host::parse_panel_text("p.cfg", "[Window00]\ngauge00=orvex1!DISPLAY, 0, 0\n", panel, error));
    ASSERT_TRUE(host::place_gauges(drawn, panel, error)) << error;
    drawn.draw_every = 4;
    host::Script script;
    drawn.out_dir = testing::TempDir();
    std::remove((testing::TempDir() + "orvex_cut_snapshot.png").c_str());
    ASSERT_TRUE(host::parse_script_text(
        "s.script", "frames 102\nframes 10\nsnapshot DISPLAY orvex_cut_snapshot.png\n", drawn, script, error))
        << error;
    fake::reset();
    host::start_gauges(drawn);
    host::run_script(drawn, script, nullptr, nullptr);
    host::stop_gauges(drawn);
    int updates = 0, calls = 0, draws = 0;
    for (const fake::CallbackCall& c : fake::callback_calls) {
        updates += c.service == PANEL_SERVICE_PRE_UPDATE;
        calls += c.service == PANEL_SERVICE_PRE_DRAW;
        draws += c.service == PANEL_SERVICE_PRE_DRAW && c.surface;
    }
    EXPECT_EQ(updates, 112);
    EXPECT_EQ(calls, 112);
    // Frames 4, 8, ... 100 and 102 of the long run, and every frame of the short one.
    EXPECT_EQ(draws, 25 + 1 + 10);

    // The snapshot after them could not be written whole: it leaves no file.
    EXPECT_TRUE(begun);
    EXPECT_FALSE(std::ifstream(testing::TempDir() + "orvex_cut_snapshot.png").good());
}

// Where the module keeps its display states to itself (the DLL under wine),
// `print state` says so rather than printing a number.
TEST_F(Scripts, DisplayStatesTheModuleKeepsToItselfAreSaidSo) {
    sim.module.display_state = [](const char*, double* value) {
        *value = 0.0;
        return host::kDisplayStateHidden;
    };
    EXPECT_EQ(run("print state smiths_cdu_page hw_b737_nd_mode\n"),
              "frame 0: state smiths_cdu_page hw_b737_nd_mode: not available here (the module keeps its "
              "display states to itself)\n");
}

TEST(KeyNames, TheHelpListsEveryUnitsKeysAndTheKeyEventsByName) {
    const std::string help = host::key_names_help();
    for (const char* name : {"INIT_REF", "R6", "EXEC", "ENT", "DIRTO", "SCREEN", "LNAV=0x10337",
                             "AP_VS_SET=0x101F4", "HDG_BUG_SET=0x101FA"})
        EXPECT_NE(help.find(name), std::string::npos) << name;
    for (std::size_t start = 0, end; (end = help.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(end - start, 100u) << help.substr(start, end - start);
    uint32_t id = 0;
    EXPECT_TRUE(host::key_event_by_name("vnav", id));
    EXPECT_EQ(id, 0x10338u);
}

TEST_F(Scripts, BadLinesAreRefusedBeforeAnythingRuns) {
    struct Case {
        std::string line;
        std::string message;
    } cases[] = {
        {"glide 3",
         "unknown command 'glide' (known: frames, click, key, token, named, calc, link, window, print, "
         "aircraft, gps, cdu, page, gns, mcu, keyboard, snapshot, route, progress, fly, summary, strict)"},
        {"frames", "frames needs a count from 1 to 100000000, got ''"},
        {"frames 0", "frames needs a count from 1 to 100000000, got '0'"},
        {"frames 2x", "frames needs a count from 1 to 100000000, got '2x'"},
        {"click DISPLAY 1", "usage: click GAUGE X Y [FLAGS]"},
        {"click SERVER_X 1 1", "no placed gauge 'SERVER_X'"},
        {"click DISPLAY 200 0", "click at (200, 0) outside window00.gauge00 (200 x 160)"},
        {"click DISPLAY -1 0", "click at (-1, 0) outside window00.gauge00 (200 x 160)"},
        {"click DISPLAY 1 1 zero", "bad mouse flags 'zero'"},
        {"key", "usage: key EVENT [PARAM]"},
        {"key 0x1033G", "bad key event '0x1033G' (a number or a name of --help's list)"},
        {"key LNAVX", "bad key event 'LNAVX' (a number or a name of --help's list)"},
        {"key 1 2 3", "usage: key EVENT [PARAM]"},
        {"key -5", "bad key event '-5' (a number or a name of --help's list)"},
        {"token -1 = 2", "bad token id '-1'"},
        {"print token 0x1FFFFFFFF", "bad token id '0x1FFFFFFFF'"},
        {"token 61 250",
         "usage: token ID = VALUE | token ID = int VALUE | token ID = \"TEXT\" | token ID = null"},
        {"token 47 = \"IABC", "text without closing '\"'"},
        {"token x = 1", "bad token id 'x'"},
        {"token 61 = fast", "bad number 'fast'"},
        {"token 55 = int 1.5", "bad integer '1.5'"},
        {"named = 1", "usage: named NAME = VALUE"},
        {"named orvex_lnav = on", "bad number 'on'"},
        {"calc TITLE = \"open", "text without closing '\"'"},
        {"calc (A:TITLE = 1", "bad calculator variable '(A:TITLE'"},
        {"window open 4026", "no panel window '4026' (0 or 4001 to 4025)"},
        {"window shut 4001", "unknown window action 'shut' (open, close or toggle)"},
        {"print", "usage: print token ID | named NAME | module NAME | calc NAME | link OFFSET | keys | "
                  "keyboard | lights GAUGE | state NAME... | written FOLDER"},
        {"print lights NOPE", "no placed gauge 'NOPE'"},
        {"print state efs50_ehsi_mode", "the module offers no display state"},
        {"print written", "print written needs a folder"},
        {"link 0x10000 = 1", "bad link offset '0x10000'"},
        {"link 0xD00C = f64 x", "bad number 'x'"},
        {"print link", "bad link offset ''"},
        {"print named", "print named needs a name"},
        {"print keys now", "print keys takes nothing more"},
        {"mcu DISPLAY TO", "window00.gauge00 (DISPLAY) has no MCU keys"},
        {"keyboard press F13", "no keyboard key 'F13'"},
        {"keyboard type \"A-B\"", "no keyboard key types '-'"},
        {"keyboard type A", "usage: keyboard type \"TEXT\""},
        {"keyboard lose now", "keyboard lose takes nothing more"},
        {"keyboard hum", "usage: keyboard down|up|press|type|fail|lose ..."},
        {"snapshot DISPLAY \"\"", "snapshot file '\"\"' is no file name"},
        {"snapshot all \"\"", "snapshot prefix '\"\"' is no part of a file name"},
        {"route load ../../../etc/passwd",
         "route load '../../../etc/passwd': a file name of the flight-plans folder, no path"},
        {"route load C:\\R.RTE", "route load 'C:\\R.RTE': a file name of the flight-plans folder, no path"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse_error("frames 1\n\n" + c.line + "\n"), "s.script:3: " + c.message) << c.line;
    }
    // A bad line late in the script stops it before the first frame.
    host::Script script;
    std::string error;
    EXPECT_FALSE(host::parse_script_text("s.script", "frames 5\nfly\n", sim, script, error));
    EXPECT_TRUE(fake::callback_calls.empty());
}

TEST_F(Scripts, DataLinkOffsetsAreSetAndPrinted) {
    host::reset_data_link();
    std::string printed = run("link 0xD00C = 0x01190219\n"
                              "link 0xD004 = \"EDDF\"\n"
                              "link 0x1400 = f64 2.5\n"
                              "print link 0xD00C\n"
                              "print link 0xD004\n");
    EXPECT_EQ(printed, "frame 0: link 0xD00C = int 0x01190219\n"
                       "frame 0: link 0xD004 = int 0x46444445\n");
    EXPECT_EQ(host::link_f64(0x1400), 2.5);
}

TEST_F(Scripts, MissingScriptIsNamed) {
    host::Script script;
    std::string error;
    EXPECT_FALSE(host::read_script_file("/nonexistent/demo.script", sim, script, error));
    EXPECT_EQ(error, "/nonexistent/demo.script: cannot open script");
}

} // namespace

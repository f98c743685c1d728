// Scripts of timed commands for a placed panel. One command a line; blank
// lines and lines starting with ';' or '#' are comments. Commands run in
// order at the current frame; only `frames` moves time on.
//
//   frames N                      run N frames
//   click GAUGE X Y [FLAGS]       mouse click at (X, Y) of the placed gauge, in its
//                                 placed pixels; FLAGS defaults to 0x20000000
//   key EVENT [PARAM]             send a simulator key event (PARAM defaults to 0)
//   token ID = VALUE              numeric token variable (f64)
//   token ID = int VALUE          coded token variable (32-bit integer)
//   token ID = "TEXT"             text token variable (handed out by pointer)
//   named NAME = VALUE            named variable (created when nobody registered it)
//   calc NAME = VALUE             calculator variable: NAME as "(A:NAME, units)",
//   calc NAME = "TEXT"            "A:NAME" or "NAME"
//   window open|close|toggle ID   panel window 0 (main) or 4001..4025
//   link OFFSET = VALUE           data-link offset: 4-byte integer (the default),
//   link OFFSET = f64 VALUE       8-byte float, or the text's bytes (no terminator)
//   link OFFSET = "TEXT"
//   print token ID | print named NAME | print module NAME | print calc NAME
//   print link OFFSET             the 4-byte integer at a data-link offset
//   print keys                    the key events sent since the last `print keys`
//   print lights GAUGE            the numbers of the gauge's shown lights
//   print state NAME...           display-state variables by the module's names
//                                 (filter flags as show_airports_flags[ND])
//   print written FOLDER          the files of FOLDER (below the simulator root) that
//                                 the run has written so far
//   aircraft position LAT LON     the stand-in aircraft (aircraft_model.h); any
//   aircraft heading|altitude|speed|mach|fuel|rate|magvar|engines VALUE
//   aircraft wind DIR KT          aircraft command starts it
//   aircraft time HH:MM[:SS]      UTC clock
//   aircraft ap [hdg|nav|alt|spd|mach|athr] on|off
//   print aircraft                its position, headings, altitude, speeds, fuel, clock
//   gps IDENT LAT LON ... | gps clear   the simulator's GPS plan (gps_plan.h)
//   cdu GAUGE KEY|"TEXT"...       press SMITHS_FMS keys by name, one frame after each
//                                 key (cdu_keys.h)
//   gns GAUGE KEY|"TEXT"...       press GNSXLS keys by name, one frame after each
//                                 key (gns_keys.h)
//   snapshot GAUGE [FILE]         PNG of the gauge's drawing surface, written to the
//                                 output folder (default FILE: the instance id + ".png");
//                                 a gauge that does not draw (a control panel) gets
//                                 its background box, shown lights and click spots
//   snapshot all [PREFIX]         one PNG per drawing gauge: PREFIX + gauge name + ".png"
//                                 (with the instance id where a gauge is placed twice)
//   route load FILE | progress N | fly MAX [to IDENT] | summary
//                                 a flight along a route file (flight_demo.h)
//
// GAUGE is an instance id ("window00.gauge00") or a gauge name placed once.
// Numbers may be written in hex (0x10337). The whole script is checked
// before anything runs; errors read "path:line: message".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace host {

struct Simulator;
struct PlacedGauge;

enum class ScriptOp {
    Frames,
    Click,
    Key,
    SetToken,
    SetTokenCode,
    SetTokenText,
    SetNamed,
    SetCalcNumber,
    SetCalcText,
    SetLinkWord,
    SetLinkFloat,
    SetLinkText,
    OpenWindow,
    CloseWindow,
    ToggleWindow,
    PrintToken,
    PrintNamed,
    PrintModule,
    PrintCalc,
    PrintLink,
    PrintKeys,
    PrintLights,
    PrintState,
    PrintWritten,
    Aircraft,
    PrintAircraft,
    Snapshot,
    GpsPlan,
    CduKeys,
    GnsKeys,
    SnapshotAll,
    RouteLoad,
    Progress,
    Fly,
    Summary,
};

struct ScriptCommand {
    ScriptOp op = ScriptOp::Frames;
    int line = 0;
    int64_t count = 0;            // frames
    PlacedGauge* gauge = nullptr; // click
    int x = 0, y = 0;             // click
    uint32_t id = 0;              // key event, token or window
    uint32_t parameter = 0;       // key event parameter, click flags, token code
    double number = 0.0;
    std::string name; // variable name
    std::string text; // calculator text
};

struct Script {
    std::string path;
    std::vector<ScriptCommand> commands;
};

// Gauge references are resolved against the placed panel of `sim`.
bool parse_script_text(const std::string& path, const std::string& text, Simulator& sim, Script& script,
                       std::string& error);
bool read_script_file(const std::string& path, Simulator& sim, Script& script, std::string& error);

// Runs the commands on a started simulator. Printed values go to `out`; the
// progress of long frame runs to `progress` (may be null).
void run_script(Simulator& sim, const Script& script, std::FILE* out, std::FILE* progress);

} // namespace host

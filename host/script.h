// Scripts of timed commands for a placed panel. One command a line; blank
// lines and lines starting with ';' or '#' are comments. Commands run in
// order at the current frame; only `frames`, `fly`, `cdu`, `gns`, `mcu` and
// `keyboard press|type` move time on.
// The commands, their arguments and what they do are one table that parses
// them, runs them and that `orvex-sim --help` prints (script_commands).
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

namespace scripting {
struct Row;
}

struct ScriptCommand {
    const scripting::Row* command = nullptr; // the table's row that parsed it and runs it
    int form = 0;                            // which of the command's forms, as its parser numbers them
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
    bool strict = false; // a `strict` command anywhere: warnings end the run
};

// One script command for the help text: its verb, its arguments and one line
// on what it does.
struct ScriptCommandHelp {
    const char* verb;
    const char* arguments;
    const char* text;
};
std::vector<ScriptCommandHelp> script_commands();

// Gauge references are resolved against the placed panel of `sim`.
bool parse_script_text(const std::string& path, const std::string& text, Simulator& sim, Script& script,
                       std::string& error);
bool read_script_file(const std::string& path, Simulator& sim, Script& script, std::string& error);

// Runs the commands on a started simulator. Printed values go to `out`; the
// progress of long frame runs to `progress` (may be null). False when a
// strict script stopped at a warning.
bool run_script(Simulator& sim, const Script& script, std::FILE* out, std::FILE* progress);

} // namespace host

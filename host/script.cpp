#include "script.h"

#include "host_text.h"
#include "script_command.h"
#include "simulator.h"

#include <cctype>
#include <sstream>
#include <string_view>

namespace host {

namespace scripting {

bool Parser::fail(const std::string& text) {
    message = printable(text, 300);
    return false;
}

bool Runner::stopped() const {
    return script.strict && sim.warnings > 0;
}

void Runner::say(const std::string& text) {
    if (out != nullptr) std::fprintf(out, "frame %ld: %s\n", sim.frame, text.c_str());
}

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

void first_word(const std::string& text, std::string& word, std::string& rest) {
    std::string t = trim(text);
    std::size_t end = 0;
    while (end < t.size() && !std::isspace(static_cast<unsigned char>(t[end])))
        ++end;
    word = t.substr(0, end);
    rest = trim(t.substr(end));
}

bool parse_id(const std::string& text, uint32_t& value) {
    int64_t v = 0;
    if (!parse_int64(text, v) || v < 0 || v > static_cast<int64_t>(UINT32_MAX)) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

bool parse_u32(const std::string& text, uint32_t& value) {
    int64_t v = 0;
    if (!parse_int64(text, v) || v < INT32_MIN || v > static_cast<int64_t>(UINT32_MAX)) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

bool split_assignment(Parser& p, const std::string& rest, const char* usage, std::string& name,
                      std::string& value) {
    std::size_t equals = rest.find('=');
    if (equals == std::string::npos) return p.fail(std::string("usage: ") + usage);
    name = trim(rest.substr(0, equals));
    value = trim(rest.substr(equals + 1));
    if (name.empty() || value.empty()) return p.fail(std::string("usage: ") + usage);
    return true;
}

namespace {

// The script commands, in the order --help prints them: the parser finds a
// line's row by its verb, and the runner runs the row it found.
constexpr Row kCommands[] = {
    {{"frames", "N", "run N frames"}, parse_frames, run_frames},
    {{"click", "GAUGE X Y [FLAGS]",
      "mouse click at (X, Y) of the placed gauge, in its pixels; FLAGS defaults to 0x20000000"},
     parse_click,
     run_click},
    {{"key", "EVENT [PARAM]",
      "send a simulator key event by number or name (key 0x10337 or key LNAV; the names are listed below); "
      "PARAM defaults to 0"},
     parse_key,
     run_key},
    {{"token", "ID = VALUE | ID = int VALUE | ID = \"TEXT\" | ID = null",
      "set a numeric (f64), coded (32-bit integer) or text token variable; null unsets it (a text token "
      "then reads as a null pointer)"},
     parse_token,
     run_token},
    {{"named", "NAME = VALUE", "set a named variable (created when nobody registered it)"},
     parse_named,
     run_named},
    {{"calc", "NAME = VALUE | NAME = \"TEXT\"",
      "set a calculator variable, NAME as \"(A:NAME, units)\", \"A:NAME\" or \"NAME\""},
     parse_calc,
     run_calc},
    {{"link", "OFFSET = VALUE | OFFSET = f64 VALUE | OFFSET = \"TEXT\"",
      "write a data-link offset: 4-byte integer, 8-byte float or the text's bytes"},
     parse_link,
     run_link},
    {{"window", "open|close|toggle ID", "show or hide panel window 0 (main) or 4001 to 4025"},
     parse_window,
     run_window},
    {{"print",
      "token ID | named NAME | module NAME | calc NAME | link OFFSET | keys | keyboard | aircraft | lights "
      "GAUGE | "
      "state NAME... | written FOLDER",
      "print a value; keys: the key events sent since the last `print keys`; keyboard: what the module's "
      "keyboard hook did with each key since the last `print keyboard`; lights: a gauge's shown "
      "lights; state: display-state variables by the module's names (filter flags as "
      "show_airports_flags[ND]); written: the files of FOLDER the run has written"},
     parse_print,
     run_print},
    {{"aircraft",
      "position LAT LON | heading|altitude|speed|mach|fuel|rate|magvar|engines VALUE | wind DIR KT | "
      "ground FT|auto | gear up|down|auto | time HH:MM[:SS] | ap [hdg|nav|alt|spd|mach|athr] on|off | "
      "engine N lever|n2|thrust VALUE|auto | engine N oil PSI C QUARTS|auto",
      "set the stand-in aircraft; the first aircraft command starts it moving. The ground is the "
      "elevation of the airport of orvex/navdata/apts.txt (and apts_user.txt) the aircraft stands at, "
      "within 1 NM beyond its farthest runway end, elsewhere sea level; ground FT holds another until "
      "ground auto. The aircraft never goes below the ground: placed at an airport without an altitude "
      "(or below it) it stands at the airport's elevation. Within 1 ft of the ground the aircraft is on "
      "the ground (token 60), the wind does not move it and standing still it does not turn (ap hdg "
      "turns it only once it rolls). gear: the gear tokens 332-334 read 16383 down or 0 up, written when "
      "the gear moves; auto (the start) works it as a pilot: down on the ground and, for the landing, "
      "below 1500 ft above it; up after take-off (climbing 50 ft above the ground) and above 1500 ft; up "
      "or down holds it until gear auto. engine N holds one engine's "
      "thrust lever (N1 follows it; below 0 in "
      "reverse), N2, raw thrust value or oil readings; auto gives them back to the model"},
     parse_aircraft,
     run_aircraft},
    {{"gps", "IDENT LAT LON [IDENT LAT LON ...] | clear", "the simulator's GPS flight plan"},
     parse_gps,
     run_gps},
    {{"cdu", "GAUGE KEY|\"TEXT\"...",
      "press SMITHS_FMS keys by name (A..Z, 0..9, L1..R6, EXEC, LEGS, ...), one frame after each"},
     parse_cdu,
     run_cdu},
    {{"page", "GAUGE NAME",
      "draw the SMITHS page routine smiths_page_NAME once on the CDU's surface, for a snapshot of a page no "
      "key reaches"},
     parse_page,
     run_page},
    {{"gns", "GAUGE KEY|\"TEXT\"...",
      "press GNSXLS keys by name (NAV, FPL, L1..R5, ENT, A..Z, 0..9, ...), one frame after each"},
     parse_gns,
     run_gns},
    {{"mcu", "GAUGE KEY...",
      "press MCU keys by name (TO, FPLN, LNAV, DIRTO, HOLD, LEGSEDIT, LEGS, PREV, ALT, APT, NEXT, ENTRY, UP, "
      "LEFT, DOWN, RIGHT, ENTER, SCREEN), one frame after each"},
     parse_mcu,
     run_mcu},
    {{"keyboard", "down|up|press NAME... | type \"TEXT\" | fail STEP...|none | lose",
      "the computer keyboard: keys by name (A..Z, 0..9, BACKSPACE, RETURN, ENTER, UP, DOWN, PGUP, PGDN, "
      "SHIFT, CTRL, ALT) set the module's key-state device and key states and pass its keyboard hook; press "
      "holds each key over one frame, type one key a frame; fail makes device steps (create, device, format, "
      "level, acquire, unacquire), the lookups (window, module) or the hook fail; lose: the device loses its "
      "input"},
     parse_keyboard,
     run_keyboard},
    {{"snapshot", "GAUGE [FILE] [transparent] | all [PREFIX] [transparent]",
      "PNG of a gauge's drawing (default FILE: instance id + \".png\"; a gauge that does not draw, a "
      "control panel, gets its background box, shown lights and click spots) or of every drawing gauge "
      "(PREFIX + gauge name + \".png\"), over black unless transparent"},
     parse_snapshot,
     run_snapshot},
    {{"route", "load FILE",
      "load a route file of the flight-plans folder (a plain name) as the CDU's CO ROUTE, ACTIVATE and EXEC "
      "do, "
      "and print how many waypoints were loaded; a load that leaves no route is a warning"},
     parse_route,
     run_route},
    {{"progress", "N", "a flight progress line every N frames (0: none)"}, parse_progress, run_progress},
    {{"fly", "MAX [to IDENT]",
      "run frames until the route is flown (or the TO waypoint is IDENT), at most MAX"},
     parse_fly,
     run_fly},
    {{"summary", "",
      "one line: waypoints sequenced (each entry passed, also of a name repeated), flight time, largest "
      "cross-track error"},
     parse_summary,
     run_summary},
    {{"strict", "",
      "any warning (the module's load warnings, a failed route load) ends the run with status 3"},
     parse_strict,
     run_strict},
};

constexpr bool every_row_complete() {
    for (const Row& row : kCommands) {
        if (std::string_view(row.help.verb).empty() || std::string_view(row.help.text).empty()) return false;
        for (const Row& other : kCommands)
            if (&other != &row && std::string_view(other.help.verb) == row.help.verb) return false;
    }
    return true;
}
static_assert(every_row_complete(), "every script command has a verb of its own and a help line");

bool parse_command(Parser& p, const std::string& line, ScriptCommand& c) {
    std::string verb;
    std::string rest;
    first_word(line, verb, rest);
    verb = to_lower(verb);
    for (const Row& row : kCommands)
        if (verb == row.help.verb) {
            c.command = &row;
            return row.parse(p, rest, c);
        }
    std::string known;
    for (const Row& row : kCommands)
        known += std::string(known.empty() ? "" : ", ") + row.help.verb;
    return p.fail("unknown command '" + printable(verb) + "' (known: " + known + ")");
}

} // namespace

} // namespace scripting

bool parse_script_text(const std::string& path, const std::string& text, Simulator& sim, Script& script,
                       std::string& error) {
    script = Script{};
    script.path = path;
    scripting::Parser parser{sim, script, {}};
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        ScriptCommand command;
        command.line = number;
        if (!scripting::parse_command(parser, line, command)) {
            error = path + ":" + std::to_string(number) + ": " + parser.message;
            return false;
        }
        script.commands.push_back(command);
    }
    return true;
}

bool read_script_file(const std::string& path, Simulator& sim, Script& script, std::string& error) {
    std::string text;
    if (const std::string what = not_a_file(path); !what.empty()) {
        error = path + ": names " + what + ", not a script";
        return false;
    }
    if (!read_text_file(path, text)) {
        error = path + ": cannot open script";
        return false;
    }
    return parse_script_text(path, text, sim, script, error);
}

std::vector<ScriptCommandHelp> script_commands() {
    std::vector<ScriptCommandHelp> rows;
    for (const scripting::Row& row : scripting::kCommands)
        rows.push_back(row.help);
    return rows;
}

bool run_script(Simulator& sim, const Script& script, std::FILE* out, std::FILE* progress) {
    scripting::Runner runner{sim, script, out, progress};
    report_module_warnings(sim);
    for (const ScriptCommand& c : script.commands) {
        if (runner.stopped()) break;
        c.command->run(runner, c);
        report_module_warnings(sim);
    }
    if (out != nullptr) std::fflush(out);
    if (!runner.stopped()) return true;
    if (sim.warnings_to != nullptr)
        std::fprintf(sim.warnings_to, "orvex-sim: %s: strict: stopped at frame %ld after a warning\n",
                     script.path.c_str(), sim.frame);
    return false;
}

} // namespace host

#include "script.h"

#include "aircraft_script.h"
#include "cdu_keys.h"
#include "data_link_peer.h"
#include "element_surface.h"
#include "flight_demo.h"
#include "gns_keys.h"
#include "gps_plan.h"
#include "host_text.h"
#include "key_names.h"
#include "keyboard.h"
#include "mcu_keys.h"
#include "mouse.h"
#include "panel_file.h"
#include "panel_snapshot.h"
#include "pilot_route.h"
#include "sim_state.h"
#include "simulator.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

namespace host {

namespace {

constexpr int64_t MAX_FRAMES = 100000000; // a typo guard, far above any real run
constexpr int64_t PROGRESS_FROM = 1000;   // runs this long report their progress
constexpr int64_t FLY_PROGRESS_EVERY = 1000;
constexpr int64_t LONG_RUN_FROM = 100; // runs this long draw on every draw_every-th frame
// A display's picture in one colour: see README, how displays come up.
constexpr const char* kNothingDrawnYet = "one colour: the display has drawn nothing yet";

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

// Splits "first rest..." into the first word and the trimmed rest.
void first_word(const std::string& text, std::string& word, std::string& rest) {
    std::string t = trim(text);
    std::size_t end = 0;
    while (end < t.size() && !std::isspace(static_cast<unsigned char>(t[end])))
        ++end;
    word = t.substr(0, end);
    rest = trim(t.substr(end));
}

// Ids (events, tokens, windows) are never negative.
bool parse_id(const std::string& text, uint32_t& value) {
    int64_t v = 0;
    if (!parse_int64(text, v) || v < 0 || v > static_cast<int64_t>(UINT32_MAX)) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

// 32-bit words: a negative value is taken in two's complement, as the module
// sends a descent rate.
bool parse_u32(const std::string& text, uint32_t& value) {
    int64_t v = 0;
    if (!parse_int64(text, v) || v < INT32_MIN || v > static_cast<int64_t>(UINT32_MAX)) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

class Parser {
  public:
    Parser(const std::string& path, Simulator& sim) : path_(path), sim_(sim) {}

    bool parse(const std::string& text, Script& script, std::string& error) {
        script = Script{};
        script.path = path_;
        std::istringstream in(text);
        std::string raw;
        while (std::getline(in, raw)) {
            ++line_;
            std::string line = trim(raw);
            if (line.empty() || line[0] == ';' || line[0] == '#') continue;
            ScriptCommand command;
            command.line = line_;
            if (!parse_command(line, command)) {
                error = path_ + ":" + std::to_string(line_) + ": " + message_;
                return false;
            }
            script.strict = script.strict || command.op == ScriptOp::Strict;
            script.commands.push_back(command);
        }
        return true;
    }

    // The command parsers below are the table's (kCommands).
    // Messages quote what the script says: a long or binary token is shown
    // cut and escaped.
    bool fail(const std::string& message) {
        message_ = printable(message, 300);
        return false;
    }

    bool parse_command(const std::string& line, ScriptCommand& c);

    bool parse_summary(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Summary;
        return rest.empty() || fail("summary takes nothing more");
    }

    bool parse_strict(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Strict;
        return rest.empty() || fail("strict takes nothing more");
    }

    bool parse_frames(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Frames;
        if (!parse_int64(rest, c.count) || c.count < 1 || c.count > MAX_FRAMES)
            return fail("frames needs a count from 1 to " + std::to_string(MAX_FRAMES) + ", got '" + rest +
                        "'");
        return true;
    }

    bool parse_click(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Click;
        std::vector<std::string> w = words_of(rest);
        if (w.size() != 3 && w.size() != 4) return fail("usage: click GAUGE X Y [FLAGS]");
        std::string error;
        c.gauge = find_placed_gauge(sim_, w[0], error);
        if (c.gauge == nullptr) return fail(error);
        int64_t x = 0;
        int64_t y = 0;
        if (!parse_int64(w[1], x) || !parse_int64(w[2], y))
            return fail("bad click point '" + w[1] + " " + w[2] + "'");
        if (x < 0 || y < 0 || x >= c.gauge->width || y >= c.gauge->height)
            return fail("click at (" + w[1] + ", " + w[2] + ") outside " + c.gauge->id + " (" +
                        std::to_string(c.gauge->width) + " x " + std::to_string(c.gauge->height) + ")");
        c.x = static_cast<int>(x);
        c.y = static_cast<int>(y);
        c.parameter = MOUSE_LEFTSINGLE;
        if (w.size() == 4 && (!parse_u32(w[3], c.parameter) || c.parameter == 0))
            return fail("bad mouse flags '" + w[3] + "'");
        return true;
    }

    bool parse_cdu(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::CduKeys;
        std::string ref;
        first_word(rest, ref, c.text);
        std::string error;
        c.gauge = find_placed_gauge(sim_, ref, error);
        if (c.gauge == nullptr) return fail(error);
        if (!is_cdu_gauge(*c.gauge))
            return fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no CDU keys");
        std::vector<SmithsKey> keys;
        if (!cdu_key_sequence(c.text, keys, error)) return fail(error);
        return true;
    }

    bool parse_page(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::CduPage;
        std::vector<std::string> w = words_of(rest);
        if (w.size() != 2) return fail("usage: page GAUGE NAME");
        std::string error;
        c.gauge = find_placed_gauge(sim_, w[0], error);
        if (c.gauge == nullptr) return fail(error);
        if (!is_cdu_gauge(*c.gauge) || c.gauge->drawing_elements.empty())
            return fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no CDU pages");
        c.text = w[1];
        // A module without the entry point (the Windows DLL) is told at run time.
        if (sim_.module.draw_smiths_page != nullptr &&
            sim_.module.draw_smiths_page(c.text.c_str(), nullptr, 0, 0) == 0)
            return fail("no page '" + c.text + "'");
        return true;
    }

    bool parse_gns(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::GnsKeys;
        std::string ref;
        first_word(rest, ref, c.text);
        std::string error;
        c.gauge = find_placed_gauge(sim_, ref, error);
        if (c.gauge == nullptr) return fail(error);
        if (!is_gns_gauge(*c.gauge))
            return fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no GNS keys");
        std::vector<GnsKey> keys;
        if (!gns_key_sequence(c.text, keys, error)) return fail(error);
        return true;
    }

    bool parse_mcu(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::McuKeys;
        std::string ref;
        first_word(rest, ref, c.text);
        std::string error;
        c.gauge = find_placed_gauge(sim_, ref, error);
        if (c.gauge == nullptr) return fail(error);
        if (!is_mcu_gauge(*c.gauge))
            return fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no MCU keys");
        std::vector<McuKey> keys;
        if (!mcu_key_sequence(c.text, keys, error)) return fail(error);
        return true;
    }

    bool parse_keyboard(const std::string& rest, ScriptCommand& c) {
        std::string what;
        first_word(rest, what, c.text);
        what = to_lower(what);
        const std::vector<std::string> w = words_of(c.text);
        if (what == "down" || what == "up" || what == "press") {
            c.op = ScriptOp::KeyboardKeys;
            c.id = what == "down" ? 0 : what == "up" ? 1 : 2;
            if (w.empty()) return fail("usage: keyboard " + what + " NAME...");
            for (const std::string& name : w) {
                KeyboardKey key{};
                if (!keyboard_key_by_name(name, key)) return fail("no keyboard key '" + name + "'");
            }
            return true;
        }
        if (what == "type") {
            c.op = ScriptOp::KeyboardType;
            if (c.text.size() < 2 || c.text.front() != '"' || c.text.back() != '"')
                return fail("usage: keyboard type \"TEXT\"");
            c.text = c.text.substr(1, c.text.size() - 2);
            for (char ch : c.text) {
                KeyboardKey key{};
                if (!keyboard_key_of_char(ch, key))
                    return fail(std::string("no keyboard key types '") + ch + "'");
            }
            return true;
        }
        if (what == "fail") {
            c.op = ScriptOp::KeyboardFail;
            if (w.empty()) return fail("usage: keyboard fail STEP...|none");
            return true;
        }
        if (what == "lose") {
            c.op = ScriptOp::KeyboardLose;
            return w.empty() || fail("keyboard lose takes nothing more");
        }
        return fail("usage: keyboard down|up|press|type|fail|lose ...");
    }

    bool parse_snapshot(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Snapshot;
        std::vector<std::string> w = words_of(rest);
        // Gauges that draw on a transparent surface are shown over black, as
        // in the cockpit, unless the picture is to keep its transparency.
        c.parameter = !w.empty() && iequals(w.back(), "transparent");
        if (c.parameter) w.pop_back();
        if (w.empty() || w.size() > 2) return fail("usage: snapshot GAUGE [FILE] [transparent]");
        if (iequals(w[0], "all")) {
            c.op = ScriptOp::SnapshotAll;
            c.text = w.size() == 2 ? w[1] : "";
            if (c.text.find('/') != std::string::npos)
                return fail("snapshot prefix '" + printable(c.text) + "' names a folder");
            if (c.text.find('"') != std::string::npos)
                return fail("snapshot prefix '" + printable(c.text) + "' is no part of a file name");
            return true;
        }
        std::string error;
        c.gauge = find_placed_gauge(sim_, w[0], error);
        if (c.gauge == nullptr) return fail(error);
        c.text = w.size() == 2 ? w[1] : c.gauge->id + ".png";
        if (c.text.find('/') != std::string::npos)
            return fail("snapshot file '" + printable(c.text) + "' names a folder");
        // A quote would end up in the name ("" is no empty name here).
        if (c.text.find('"') != std::string::npos || c.text.empty())
            return fail("snapshot file '" + printable(c.text) + "' is no file name");
        return true;
    }

    bool parse_route(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::RouteLoad;
        std::vector<std::string> w = words_of(rest);
        if (w.size() != 2 || !iequals(w[0], "load")) return fail("usage: route load FILE");
        c.text = w[1];
        // The module's own names: a file of the flight-plans folder, no path.
        if (c.text.find_first_of("/\\:") != std::string::npos || c.text == "." || c.text == "..")
            return fail("route load '" + printable(c.text) +
                        "': a file name of the flight-plans folder, no path");
        return true;
    }

    bool parse_progress(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Progress;
        if (!parse_int64(rest, c.count) || c.count < 0 || c.count > MAX_FRAMES)
            return fail("progress needs a frame count (0: none), got '" + rest + "'");
        return true;
    }

    bool parse_fly(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Fly;
        std::vector<std::string> w = words_of(rest);
        if ((w.size() != 1 && w.size() != 3) || (w.size() == 3 && !iequals(w[1], "to")))
            return fail("usage: fly MAX [to IDENT]");
        if (!parse_int64(w[0], c.count) || c.count < 1 || c.count > MAX_FRAMES)
            return fail("fly needs a frame count from 1 to " + std::to_string(MAX_FRAMES) + ", got '" + w[0] +
                        "'");
        if (w.size() == 3) c.text = w[2];
        return true;
    }

    bool parse_key(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Key;
        std::vector<std::string> w = words_of(rest);
        if (w.empty() || w.size() > 2) return fail("usage: key EVENT [PARAM]");
        if (!parse_id(w[0], c.id) && !key_event_by_name(w[0], c.id))
            return fail("bad key event '" + w[0] + "' (a number or a name of --help's list)");
        if (w.size() == 2 && !parse_u32(w[1], c.parameter)) return fail("bad key parameter '" + w[1] + "'");
        return true;
    }

    // "NAME = VALUE": false when there is no '=' or either side is empty.
    bool split_assignment(const std::string& rest, const char* usage, std::string& name, std::string& value) {
        std::size_t equals = rest.find('=');
        if (equals == std::string::npos) return fail(std::string("usage: ") + usage);
        name = trim(rest.substr(0, equals));
        value = trim(rest.substr(equals + 1));
        if (name.empty() || value.empty()) return fail(std::string("usage: ") + usage);
        return true;
    }

    bool parse_token(const std::string& rest, ScriptCommand& c) {
        std::string id;
        std::string value;
        if (!split_assignment(
                rest, "token ID = VALUE | token ID = int VALUE | token ID = \"TEXT\" | token ID = null", id,
                value))
            return false;
        if (!parse_id(id, c.id)) return fail("bad token id '" + id + "'");
        if (value[0] == '"') {
            if (value.size() < 2 || value.back() != '"') return fail("text without closing '\"'");
            c.op = ScriptOp::SetTokenText;
            c.text = value.substr(1, value.size() - 2);
            return true;
        }
        if (value == "null") {
            c.op = ScriptOp::ClearToken;
            return true;
        }
        std::string word;
        std::string code;
        first_word(value, word, code);
        if (iequals(word, "int")) {
            c.op = ScriptOp::SetTokenCode;
            if (!parse_u32(code, c.parameter)) return fail("bad integer '" + code + "'");
            return true;
        }
        c.op = ScriptOp::SetToken;
        if (!parse_real(value, c.number)) return fail("bad number '" + value + "'");
        return true;
    }

    bool parse_named(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::SetNamed;
        std::string value;
        if (!split_assignment(rest, "named NAME = VALUE", c.name, value)) return false;
        if (!parse_real(value, c.number)) return fail("bad number '" + value + "'");
        return true;
    }

    bool parse_calc(const std::string& rest, ScriptCommand& c) {
        std::string value;
        if (!split_assignment(rest, "calc NAME = VALUE | calc NAME = \"TEXT\"", c.name, value)) return false;
        std::string key;
        if (!calc_key(c.name, key)) return fail("bad calculator variable '" + c.name + "'");
        if (value[0] == '"') {
            if (value.size() < 2 || value.back() != '"') return fail("text without closing '\"'");
            c.op = ScriptOp::SetCalcText;
            c.text = value.substr(1, value.size() - 2);
            return true;
        }
        c.op = ScriptOp::SetCalcNumber;
        if (!parse_real(value, c.number)) return fail("bad number '" + value + "'");
        return true;
    }

    bool parse_link(const std::string& rest, ScriptCommand& c) {
        std::string offset;
        std::string value;
        if (!split_assignment(rest, "link OFFSET = VALUE | link OFFSET = f64 VALUE | link OFFSET = \"TEXT\"",
                              offset, value))
            return false;
        if (!parse_id(offset, c.id) || c.id >= LINK_SPACE_SIZE)
            return fail("bad link offset '" + offset + "'");
        std::string word;
        std::string number;
        first_word(value, word, number);
        if (value[0] == '"') {
            if (value.size() < 2 || value.back() != '"') return fail("text without closing '\"'");
            c.op = ScriptOp::SetLinkText;
            c.text = value.substr(1, value.size() - 2);
            return true;
        }
        if (iequals(word, "f64")) {
            c.op = ScriptOp::SetLinkFloat;
            if (!parse_real(number, c.number)) return fail("bad number '" + number + "'");
            return true;
        }
        c.op = ScriptOp::SetLinkWord;
        if (!parse_u32(value, c.parameter)) return fail("bad integer '" + value + "'");
        return true;
    }

    bool parse_window(const std::string& rest, ScriptCommand& c) {
        std::vector<std::string> w = words_of(rest);
        if (w.size() != 2) return fail("usage: window open|close|toggle ID");
        std::string action = to_lower(w[0]);
        if (action == "open")
            c.op = ScriptOp::OpenWindow;
        else if (action == "close")
            c.op = ScriptOp::CloseWindow;
        else if (action == "toggle")
            c.op = ScriptOp::ToggleWindow;
        else
            return fail("unknown window action '" + w[0] + "' (open, close or toggle)");
        if (!parse_id(w[1], c.id) || !is_panel_window(c.id))
            return fail("no panel window '" + w[1] + "' (0 or 4001 to 4025)");
        return true;
    }

    bool parse_aircraft(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Aircraft;
        c.text = rest;
        std::string error;
        if (!aircraft_command(rest, false, error)) return fail(error);
        return true;
    }

    bool parse_gps(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::GpsPlan;
        c.text = rest;
        std::string error;
        if (!gps_command(rest, false, error)) return fail(error);
        return true;
    }

    bool parse_print(const std::string& rest, ScriptCommand& c) {
        std::string kind;
        std::string name;
        first_word(rest, kind, name);
        kind = to_lower(kind);
        c.name = name;
        if (kind == "keyboard") {
            c.op = ScriptOp::PrintKeyboard;
            if (!name.empty()) return fail("print keyboard takes nothing more");
            return true;
        }
        if (kind == "keys") {
            c.op = ScriptOp::PrintKeys;
            if (!name.empty()) return fail("print keys takes nothing more");
            return true;
        }
        if (kind == "lights") {
            c.op = ScriptOp::PrintLights;
            std::string error;
            c.gauge = find_placed_gauge(sim_, name, error);
            return c.gauge != nullptr || fail(error);
        }
        if (kind == "state") {
            c.op = ScriptOp::PrintState;
            c.text = name;
            if (name.empty()) return fail("print state needs a name");
            if (sim_.module.display_state == nullptr) return fail("the module offers no display state");
            for (const std::string& n : words_of(name)) {
                double value = 0.0;
                if (sim_.module.display_state(n.c_str(), &value) == 0)
                    return fail("no display state '" + n + "'");
            }
            return true;
        }
        if (kind == "aircraft") {
            c.op = ScriptOp::PrintAircraft;
            if (!name.empty()) return fail("print aircraft takes nothing more");
            return true;
        }
        if (kind == "written") {
            c.op = ScriptOp::PrintWritten;
            if (name.empty()) return fail("print written needs a folder");
            return true;
        }
        if (kind == "link") {
            c.op = ScriptOp::PrintLink;
            if (!parse_id(name, c.id) || c.id >= LINK_SPACE_SIZE)
                return fail("bad link offset '" + name + "'");
            return true;
        }
        if (kind == "token") {
            c.op = ScriptOp::PrintToken;
            if (!parse_id(name, c.id)) return fail("bad token id '" + name + "'");
            return true;
        }
        if (kind == "named")
            c.op = ScriptOp::PrintNamed;
        else if (kind == "module")
            c.op = ScriptOp::PrintModule;
        else if (kind == "calc")
            c.op = ScriptOp::PrintCalc;
        else
            return fail("usage: print token ID | named NAME | module NAME | calc NAME | link OFFSET | keys | "
                        "keyboard | lights GAUGE | state NAME... | written FOLDER");
        if (name.empty()) return fail("print " + kind + " needs a name");
        std::string key;
        if (c.op == ScriptOp::PrintCalc && !calc_key(name, key))
            return fail("bad calculator variable '" + name + "'");
        return true;
    }

    std::string path_;
    Simulator& sim_;
    int line_ = 0;
    std::string message_;
};

// The script commands: the parser dispatches on this table and --help prints it.
struct CommandRow {
    ScriptCommandHelp help;
    bool (Parser::*parse)(const std::string& rest, ScriptCommand& c);
};

const CommandRow kCommands[] = {
    {{"frames", "N", "run N frames"}, &Parser::parse_frames},
    {{"click", "GAUGE X Y [FLAGS]",
      "mouse click at (X, Y) of the placed gauge, in its pixels; FLAGS defaults to 0x20000000"},
     &Parser::parse_click},
    {{"key", "EVENT [PARAM]",
      "send a simulator key event by number or name (key 0x10337 or key LNAV; the names are listed below); "
      "PARAM defaults to 0"},
     &Parser::parse_key},
    {{"token", "ID = VALUE | ID = int VALUE | ID = \"TEXT\" | ID = null",
      "set a numeric (f64), coded (32-bit integer) or text token variable; null unsets it (a text token "
      "then reads as a null pointer)"},
     &Parser::parse_token},
    {{"named", "NAME = VALUE", "set a named variable (created when nobody registered it)"},
     &Parser::parse_named},
    {{"calc", "NAME = VALUE | NAME = \"TEXT\"",
      "set a calculator variable, NAME as \"(A:NAME, units)\", \"A:NAME\" or \"NAME\""},
     &Parser::parse_calc},
    {{"link", "OFFSET = VALUE | OFFSET = f64 VALUE | OFFSET = \"TEXT\"",
      "write a data-link offset: 4-byte integer, 8-byte float or the text's bytes"},
     &Parser::parse_link},
    {{"window", "open|close|toggle ID", "show or hide panel window 0 (main) or 4001 to 4025"},
     &Parser::parse_window},
    {{"print",
      "token ID | named NAME | module NAME | calc NAME | link OFFSET | keys | keyboard | aircraft | lights "
      "GAUGE | "
      "state NAME... | written FOLDER",
      "print a value; keys: the key events sent since the last `print keys`; keyboard: what the module's "
      "keyboard hook did with each key since the last `print keyboard`; lights: a gauge's shown "
      "lights; state: display-state variables by the module's names (filter flags as "
      "show_airports_flags[ND]); written: the files of FOLDER the run has written"},
     &Parser::parse_print},
    {{"aircraft",
      "position LAT LON | heading|altitude|speed|mach|fuel|rate|magvar|engines VALUE | wind DIR KT | "
      "time HH:MM[:SS] | ap [hdg|nav|alt|spd|mach|athr] on|off | engine N lever|n2|thrust VALUE|auto | "
      "engine N oil PSI C QUARTS|auto",
      "set the stand-in aircraft; the first aircraft command starts it moving. engine N holds one "
      "engine's thrust lever (N1 follows it; below 0 in reverse), N2, raw thrust value or oil readings; "
      "auto gives them back to the model"},
     &Parser::parse_aircraft},
    {{"gps", "IDENT LAT LON [IDENT LAT LON ...] | clear", "the simulator's GPS flight plan"},
     &Parser::parse_gps},
    {{"cdu", "GAUGE KEY|\"TEXT\"...",
      "press SMITHS_FMS keys by name (A..Z, 0..9, L1..R6, EXEC, LEGS, ...), one frame after each"},
     &Parser::parse_cdu},
    {{"page", "GAUGE NAME",
      "draw the SMITHS page routine smiths_page_NAME once on the CDU's surface, for a snapshot of a page no "
      "key reaches"},
     &Parser::parse_page},
    {{"gns", "GAUGE KEY|\"TEXT\"...",
      "press GNSXLS keys by name (NAV, FPL, L1..R5, ENT, A..Z, 0..9, ...), one frame after each"},
     &Parser::parse_gns},
    {{"mcu", "GAUGE KEY...",
      "press MCU keys by name (TO, FPLN, LNAV, DIRTO, HOLD, LEGSEDIT, LEGS, PREV, ALT, APT, NEXT, ENTRY, UP, "
      "LEFT, DOWN, RIGHT, ENTER, SCREEN), one frame after each"},
     &Parser::parse_mcu},
    {{"keyboard", "down|up|press NAME... | type \"TEXT\" | fail STEP...|none | lose",
      "the computer keyboard: keys by name (A..Z, 0..9, BACKSPACE, RETURN, ENTER, UP, DOWN, PGUP, PGDN, "
      "SHIFT, CTRL, ALT) set the module's key-state device and key states and pass its keyboard hook; press "
      "holds each key over one frame, type one key a frame; fail makes device steps (create, device, format, "
      "level, acquire, unacquire), the lookups (window, module) or the hook fail; lose: the device loses its "
      "input"},
     &Parser::parse_keyboard},
    {{"snapshot", "GAUGE [FILE] [transparent] | all [PREFIX] [transparent]",
      "PNG of a gauge's drawing (default FILE: instance id + \".png\"; a gauge that does not draw, a "
      "control panel, gets its background box, shown lights and click spots) or of every drawing gauge "
      "(PREFIX + gauge name + \".png\"), over black unless transparent"},
     &Parser::parse_snapshot},
    {{"route", "load FILE",
      "load a route file of the flight-plans folder (a plain name) as the CDU's CO ROUTE, ACTIVATE and EXEC "
      "do, "
      "and print how many waypoints were loaded; a load that leaves no route is a warning"},
     &Parser::parse_route},
    {{"progress", "N", "a flight progress line every N frames (0: none)"}, &Parser::parse_progress},
    {{"fly", "MAX [to IDENT]",
      "run frames until the route is flown (or the TO waypoint is IDENT), at most MAX"},
     &Parser::parse_fly},
    {{"summary", "", "one line: waypoints sequenced, flight time, largest cross-track error"},
     &Parser::parse_summary},
    {{"strict", "",
      "any warning (the module's load warnings, a failed route load) ends the run with status 3"},
     &Parser::parse_strict},
};

bool Parser::parse_command(const std::string& line, ScriptCommand& c) {
    std::string verb;
    std::string rest;
    first_word(line, verb, rest);
    verb = to_lower(verb);
    for (const CommandRow& row : kCommands)
        if (verb == row.help.verb) return (this->*row.parse)(rest, c);
    std::string known;
    for (const CommandRow& row : kCommands)
        known += std::string(known.empty() ? "" : ", ") + row.help.verb;
    return fail("unknown command '" + printable(verb) + "' (known: " + known + ")");
}

std::string describe_module_var(const ModuleVar& v) {
    char buffer[96];
    if (v.storage == nullptr) return "(null storage)";
    switch (v.type) {
    case MODULE_VAR_INT32:
        return std::to_string(*static_cast<const int32_t*>(v.storage));
    case MODULE_VAR_FLOAT64:
        return format_number(*static_cast<const double*>(v.storage));
    case MODULE_VAR_STRING: {
        // A text ends within kMaxText printable characters; a variable of
        // this type that holds records (the published plan) is no text.
        constexpr std::size_t kMaxText = 256;
        const char* text = static_cast<const char*>(v.storage);
        for (std::size_t n = 0; n < kMaxText; ++n) {
            const unsigned char c = static_cast<unsigned char>(text[n]);
            if (c == '\0') return "\"" + std::string(text, n) + "\"";
            if (c < 0x20 || c == 0x7F) break;
        }
        return "(not a text)";
    }
    default:
        std::snprintf(buffer, sizeof buffer, "(type 0x%X at %p)", v.type, v.storage);
        return buffer;
    }
}

struct Runner {
    Simulator& sim;
    const Script& script;
    std::FILE* out;
    std::FILE* progress;
    std::size_t keys_printed = 0;
    // Files changed after this moment were written by the run.
    std::filesystem::file_time_type started = std::filesystem::file_time_type::clock::now();

    void print_written(const std::string& folder) {
        namespace fs = std::filesystem;
        std::vector<std::string> names;
        std::error_code error;
        for (const fs::directory_entry& e : fs::directory_iterator(folder, error)) {
            std::error_code time_error;
            if (e.is_regular_file(time_error) && e.last_write_time(time_error) >= started && !time_error)
                names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        if (names.empty()) say("written " + folder + ": nothing");
        for (const std::string& name : names)
            say("written " + folder + "/" + name);
    }

    bool stopped() const { return script.strict && sim.warnings > 0; }

    void say(const std::string& text) {
        if (out != nullptr) std::fprintf(out, "frame %ld: %s\n", sim.frame, text.c_str());
    }

    void frames(const ScriptCommand& c) {
        bool report = progress != nullptr && c.count >= PROGRESS_FROM;
        // A flight ends when it arrives, mostly long before its frame limit:
        // its progress goes by the frames flown, not by tenths of the limit.
        int64_t step = c.op == ScriptOp::Fly ? FLY_PROGRESS_EVERY : c.count / 10;
        bool drawn = true;
        for (int64_t i = 1; i <= c.count && !stopped(); ++i) {
            drawn = sim.draw_every <= 1 || c.count < LONG_RUN_FROM || i % sim.draw_every == 0 || i == c.count;
            run_frame(sim, drawn);
            track_flight_frame(sim, out);
            // A flight stops when the route is flown or the TO waypoint is the one asked for.
            if (c.op == ScriptOp::Fly &&
                (flight_tracker().arrived || (!c.text.empty() && flight_to_ident(sim) == c.text))) {
                if (!drawn) draw_gauges(sim); // the run's last frame draws
                say("fly: " + flight_progress(sim));
                return;
            }
            if (report && i % step == 0) {
                std::fprintf(progress, "orvex-sim: %s:%d: %s\n", script.path.c_str(), c.line,
                             progress_text(c, i).c_str());
                std::fflush(progress);
            }
        }
        if (!drawn) draw_gauges(sim); // a run that stops early draws its last frame
    }

    std::string progress_text(const ScriptCommand& c, int64_t done) const {
        char text[160];
        if (c.op != ScriptOp::Fly) {
            std::snprintf(text, sizeof text, "frame %lld of %lld", static_cast<long long>(done),
                          static_cast<long long>(c.count));
            return text;
        }
        const FlightTracker& t = flight_tracker();
        char where[48] = "no active route";
        if (t.to_index != 999)
            std::snprintf(where, sizeof where, "TO waypoint %d of %d", t.to_index, t.last_index);
        std::snprintf(text, sizeof text, "%lld frames flown, %s, flying until %s (at most %lld frames)",
                      static_cast<long long>(done), where,
                      c.text.empty() ? "arrival" : printable(c.text).c_str(),
                      static_cast<long long>(c.count));
        return text;
    }

    void click(const ScriptCommand& c) {
        ClickResult r = click_gauge(*c.gauge, c.x, c.y, c.parameter);
        std::string where =
            "click " + c.gauge->id + " (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
        if (!r.hit)
            say(where + ": no click spot");
        else
            say(where + ": spot point (" + std::to_string(r.point.x) + ", " + std::to_string(r.point.y) +
                "), returned " + std::to_string(r.result));
    }

    void print_token(uint32_t id) {
        const TokenValue* t = find_token(id);
        char buffer[64];
        if (t == nullptr) {
            say("token " + std::to_string(id) + " is not set");
        } else if (t->is_text) {
            say("token " + std::to_string(id) + " = \"" + t->text + "\"");
        } else if (t->coded) {
            std::snprintf(buffer, sizeof buffer, "0x%08X", t->code);
            say("token " + std::to_string(id) + " = int " + buffer);
        } else {
            say("token " + std::to_string(id) + " = " + format_number(t->number));
        }
    }

    void print_named(const std::string& name) {
        int32_t id = find_named_var(name.c_str());
        if (id < 0)
            say("named " + name + " is not registered");
        else
            say("named " + name + " = " + format_number(get_named_var(id)));
    }

    void print_module(const std::string& name) {
        const ModuleVar* v = find_module_var(name);
        if (v == nullptr)
            say("module " + name + " is not registered");
        else
            say("module " + name + " = " + describe_module_var(*v));
    }

    void print_calc(const std::string& name) {
        const CalcValue* v = find_calc(name);
        if (v == nullptr)
            say("calc " + name + " is not set");
        else if (v->is_text)
            say("calc " + name + " = \"" + v->text + "\"");
        else
            say("calc " + name + " = " + format_number(v->number));
    }

    void snapshot(const ScriptCommand& c) {
        std::string dir = sim.out_dir.empty() ? std::string(".") : sim.out_dir;
        std::string path = dir + "/" + c.text;
        std::string error;
        const bool written = c.gauge->drawing_elements.empty()
                                 ? write_panel_snapshot(*c.gauge, path, error)
                                 : write_gauge_snapshot(*c.gauge, path, c.parameter != 0, error);
        if (written && !c.gauge->drawing_elements.empty() && picture_is_one_colour(path))
            say("snapshot " + c.gauge->id + " -> " + path + " (" + kNothingDrawnYet + ")");
        else if (written)
            say("snapshot " + c.gauge->id + " -> " + path);
        else
            say("snapshot " + c.gauge->id + " failed: " + error);
    }

    void cdu_keys(const ScriptCommand& c) {
        std::vector<SmithsKey> keys;
        std::string error; // checked when parsed
        cdu_key_sequence(c.text, keys, error);
        for (SmithsKey key : keys) {
            if (!press_cdu_key(*c.gauge, key).hit)
                say(std::string("cdu ") + c.gauge->id + ": no click spot for " +
                    smiths_key_boxes.box[static_cast<int>(key)].name);
            run_frame(sim);
        }
    }

    void keyboard_keys(const ScriptCommand& c) {
        for (const std::string& name : words_of(c.text)) {
            KeyboardKey key{};
            keyboard_key_by_name(name, key); // checked when parsed
            bool ok = true;
            if (c.id != 1) ok = keyboard_key(key, true);
            // A press is held over one frame, so that the module reads it down.
            if (c.id == 2) run_frame(sim);
            if (c.id != 0) ok = keyboard_key(key, false) && ok;
            if (!ok) {
                say("keyboard: the module offers no keyboard");
                return;
            }
        }
    }

    // One key a frame: down, the frame, up. A key typed twice in a row gets
    // a frame up in between, or the second press would not be seen.
    void keyboard_type(const ScriptCommand& c) {
        for (std::size_t i = 0; i < c.text.size(); ++i) {
            const char ch = c.text[i];
            if (i > 0 && c.text[i - 1] == ch) run_frame(sim);
            KeyboardKey key{};
            keyboard_key_of_char(ch, key); // checked when parsed
            if (!keyboard_key(key, true)) {
                say("keyboard: the module offers no keyboard");
                return;
            }
            run_frame(sim);
            keyboard_key(key, false);
        }
    }

    void mcu_keys(const ScriptCommand& c) {
        std::vector<McuKey> keys;
        std::string error; // checked when parsed
        mcu_key_sequence(c.text, keys, error);
        for (McuKey key : keys) {
            if (!press_mcu_key(*c.gauge, key).hit)
                say(std::string("mcu ") + c.gauge->id + ": no click spot for " +
                    mcu_key_boxes[static_cast<std::size_t>(key)].name);
            run_frame(sim);
        }
    }

    void gns_keys(const ScriptCommand& c) {
        std::vector<GnsKey> keys;
        std::string error; // checked when parsed
        gns_key_sequence(c.text, keys, error);
        for (GnsKey key : keys) {
            if (!press_gns_key(*c.gauge, key).hit)
                say(std::string("gns ") + c.gauge->id + ": no click spot for " +
                    gns_key_boxes[static_cast<std::size_t>(key)].name);
            run_frame(sim);
        }
    }

    // Every drawing gauge; a gauge placed twice is told apart by its instance id.
    // What the module loaded, told within the command; a load that leaves no
    // route to fly is a warning.
    void route_load(const std::string& name) {
        const std::string head = "route load " + name + ": ";
        if (sim.module.flight.load_route != nullptr) {
            char note[256] = "";
            const int32_t loaded = sim.module.flight.load_route(name.c_str(), note, sizeof note);
            const std::string told = note[0] != '\0' ? std::string(" (") + note + ")" : std::string();
            if (loaded >= 2)
                say(head + std::to_string(loaded) + " waypoints loaded" + told);
            else if (loaded == 1)
                warn(sim, head + "1 waypoint loaded, no route" + told);
            else
                warn(sim, head + (note[0] != '\0' ? std::string(note) : "nothing loaded"));
            return;
        }
        std::string error;
        if (!enter_company_route(sim, name, error)) return warn(sim, head + error);
        // Entered by keys, the module's count stays inside it: the file's.
        const std::size_t in_file = entered_route_idents().size();
        if (in_file >= 2)
            say(head + std::to_string(in_file) + " waypoints in the file (CO ROUTE, EXEC)");
        else
            warn(sim, head + std::to_string(in_file) + " waypoints in the file, no route");
    }

    void snapshot_all(const ScriptCommand& c) {
        std::string dir = sim.out_dir.empty() ? std::string(".") : sim.out_dir;
        std::string blank;
        for (auto& g : sim.gauges) {
            if (g->drawing_elements.empty()) continue;
            int same = 0;
            for (auto& other : sim.gauges)
                same += other->gauge_name == g->gauge_name;
            std::string name = c.text + to_lower(g->gauge_name) + (same > 1 ? "_" + g->id : "") + ".png";
            std::string error;
            if (!write_gauge_snapshot(*g, dir + "/" + name, c.parameter != 0, error))
                say("snapshot " + g->id + " failed: " + error);
            else if (picture_is_one_colour(dir + "/" + name))
                blank += (blank.empty() ? "" : ", ") + name;
        }
        say("snapshots " + c.text + "*.png -> " + dir);
        if (!blank.empty()) say("snapshots " + blank + ": " + kNothingDrawnYet);
    }

    void print_lights(const PlacedGauge& gauge) {
        std::string text = "lights " + gauge.id + ":";
        const std::vector<int> shown = shown_lights(gauge);
        for (int n : shown)
            text += " " + std::to_string(n);
        say(shown.empty() ? text + " none" : text);
    }

    void print_state(const std::string& names) {
        std::string text = "state";
        for (const std::string& n : words_of(names)) {
            double value = 0.0;
            if (sim.module.display_state(n.c_str(), &value) ==
                kDisplayStateHidden) { // else checked when parsed
                say("state " + names +
                    ": not available here (the module keeps its display states to itself)");
                return;
            }
            text += " " + n + "=" + format_number(value);
        }
        say(text);
    }

    void print_keys() {
        const auto& events = sim_state().key_events;
        if (keys_printed >= events.size()) say("no key events");
        char buffer[64];
        for (; keys_printed < events.size(); ++keys_printed) {
            const KeyEvent& e = events[keys_printed];
            std::snprintf(buffer, sizeof buffer, "key 0x%05X %u", e.id, e.parameter);
            say(buffer);
        }
    }

    void run(const ScriptCommand& c) {
        switch (c.op) {
        case ScriptOp::Frames:
            frames(c);
            break;
        case ScriptOp::Click:
            click(c);
            break;
        case ScriptOp::Key:
            send_key_event(c.id, c.parameter);
            break;
        case ScriptOp::SetToken:
            set_token(c.id, c.number);
            break;
        case ScriptOp::SetTokenCode:
            set_token_code(c.id, c.parameter);
            break;
        case ScriptOp::SetTokenText:
            set_token_text(c.id, c.text);
            break;
        case ScriptOp::ClearToken:
            clear_token(c.id);
            break;
        case ScriptOp::SetNamed:
            set_named_var(c.name, c.number);
            break;
        case ScriptOp::SetCalcNumber:
            set_calc_number(c.name, c.number);
            break;
        case ScriptOp::SetCalcText:
            set_calc_text(c.name, c.text);
            break;
        case ScriptOp::SetLinkWord:
            set_link_u32(c.id, c.parameter);
            break;
        case ScriptOp::SetLinkFloat:
            set_link_f64(c.id, c.number);
            break;
        case ScriptOp::SetLinkText:
            set_link_bytes(c.id, c.text.data(), c.text.size());
            break;
        case ScriptOp::PrintLink: {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "link 0x%04X = int 0x%08X", c.id, link_u32(c.id));
            say(buffer);
            break;
        }
        case ScriptOp::OpenWindow:
            set_window_visible(c.id, true);
            break;
        case ScriptOp::CloseWindow:
            set_window_visible(c.id, false);
            break;
        case ScriptOp::ToggleWindow:
            toggle_window(c.id);
            break;
        case ScriptOp::PrintToken:
            print_token(c.id);
            break;
        case ScriptOp::PrintNamed:
            print_named(c.name);
            break;
        case ScriptOp::PrintModule:
            print_module(c.name);
            break;
        case ScriptOp::PrintCalc:
            print_calc(c.name);
            break;
        case ScriptOp::PrintKeys:
            print_keys();
            break;
        case ScriptOp::PrintWritten:
            print_written(c.name);
            break;
        case ScriptOp::PrintLights:
            print_lights(*c.gauge);
            break;
        case ScriptOp::PrintState:
            print_state(c.text);
            break;
        case ScriptOp::Aircraft: {
            std::string error; // checked when parsed
            aircraft_command(c.text, true, error);
            break;
        }
        case ScriptOp::GpsPlan: {
            std::string error; // checked when parsed
            gps_command(c.text, true, error);
            break;
        }
        case ScriptOp::PrintAircraft:
            say(describe_aircraft());
            break;
        case ScriptOp::Snapshot:
            snapshot(c);
            break;
        case ScriptOp::CduKeys:
            cdu_keys(c);
            break;
        case ScriptOp::CduPage: {
            if (sim.module.draw_smiths_page == nullptr) {
                warn(sim, "page " + c.text + ": the module draws no page by name");
                break;
            }
            ElementHeader& e = *c.gauge->drawing_elements.front();
            if (e.image != nullptr)
                sim.module.draw_smiths_page(c.text.c_str(), e.device_context, e.image->width,
                                            e.image->height);
            say("page " + c.gauge->id + " " + c.text);
            break;
        }
        case ScriptOp::GnsKeys:
            gns_keys(c);
            break;
        case ScriptOp::McuKeys:
            mcu_keys(c);
            break;
        case ScriptOp::KeyboardKeys:
            keyboard_keys(c);
            break;
        case ScriptOp::KeyboardType:
            keyboard_type(c);
            break;
        case ScriptOp::KeyboardFail: {
            std::string error;
            if (!keyboard_fail(words_of(c.text), error)) say("keyboard fail: " + error);
            break;
        }
        case ScriptOp::KeyboardLose:
            if (std::string error; !keyboard_lose_input(error)) say("keyboard lose: " + error);
            break;
        case ScriptOp::PrintKeyboard: {
            std::string line = "keyboard:";
            for (const HookOutcome& o : take_hook_outcomes())
                line += " " + describe(o) + ";";
            say(line);
            break;
        }
        case ScriptOp::SnapshotAll:
            snapshot_all(c);
            break;
        case ScriptOp::RouteLoad:
            route_load(c.text);
            break;
        case ScriptOp::Progress:
            flight_tracker().progress_every = c.count;
            break;
        case ScriptOp::Fly:
            frames(c);
            break;
        case ScriptOp::Summary:
            say("summary: " + flight_summary());
            break;
        case ScriptOp::Strict:
            break;
        }
    }
};

} // namespace

bool parse_script_text(const std::string& path, const std::string& text, Simulator& sim, Script& script,
                       std::string& error) {
    Parser parser(path, sim);
    return parser.parse(text, script, error);
}

bool read_script_file(const std::string& path, Simulator& sim, Script& script, std::string& error) {
    std::string text;
    if (!read_text_file(path, text)) {
        error = path + ": cannot open script";
        return false;
    }
    return parse_script_text(path, text, sim, script, error);
}

std::vector<ScriptCommandHelp> script_commands() {
    std::vector<ScriptCommandHelp> rows;
    for (const CommandRow& row : kCommands)
        rows.push_back(row.help);
    return rows;
}

bool run_script(Simulator& sim, const Script& script, std::FILE* out, std::FILE* progress) {
    Runner runner{sim, script, out, progress};
    report_module_warnings(sim);
    for (const ScriptCommand& c : script.commands) {
        if (runner.stopped()) break;
        runner.run(c);
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

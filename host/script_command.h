// The script commands' table and what its rows share. script.cpp holds the
// table, the reading and the running; the rows' parsers and handlers are in
// script_*.cpp, one file a command family.
#pragma once

#include "script.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace host::scripting {

constexpr int64_t MAX_FRAMES = 100000000; // a typo guard, far above any real run
// A display's picture in one colour: see README, how displays come up.
constexpr const char* kNothingDrawnYet = "one colour: the display has drawn nothing yet";

// What a command's parser works with while the script is read.
struct Parser {
    Simulator& sim; // gauge references are resolved against its placed panel
    Script& script;
    std::string message; // why the line was refused

    // Messages quote what the script says: a long or binary token is shown
    // cut and escaped.
    bool fail(const std::string& text);
};

// What a command's handler works with while the script runs.
struct Runner {
    Simulator& sim;
    const Script& script;
    std::FILE* out;
    std::FILE* progress;
    std::size_t keys_printed = 0;
    // Files changed after this moment were written by the run.
    std::filesystem::file_time_type started = std::filesystem::file_time_type::clock::now();

    bool stopped() const;
    void say(const std::string& text);
};

// One command: what --help prints of it, the parser that checks its line
// when the script is read, and the handler that runs the parsed command.
struct Row {
    ScriptCommandHelp help;
    bool (*parse)(Parser& p, const std::string& rest, ScriptCommand& c);
    void (*run)(Runner& r, const ScriptCommand& c);
};

// The parsers' pieces of text (script.cpp).
std::vector<std::string> words_of(const std::string& text);
// Splits "first rest..." into the first word and the trimmed rest.
void first_word(const std::string& text, std::string& word, std::string& rest);
// Ids (events, tokens, windows) are never negative.
bool parse_id(const std::string& text, uint32_t& value);
// 32-bit words: a negative value is taken in two's complement, as the module
// sends a descent rate.
bool parse_u32(const std::string& text, uint32_t& value);
// "NAME = VALUE": false when there is no '=' or either side is empty.
bool split_assignment(Parser& p, const std::string& rest, const char* usage, std::string& name,
                      std::string& value);

// Time: script_frames.cpp.
bool parse_frames(Parser& p, const std::string& rest, ScriptCommand& c);
void run_frames(Runner& r, const ScriptCommand& c);
bool parse_fly(Parser& p, const std::string& rest, ScriptCommand& c);
void run_fly(Runner& r, const ScriptCommand& c);
bool parse_progress(Parser& p, const std::string& rest, ScriptCommand& c);
void run_progress(Runner& r, const ScriptCommand& c);
bool parse_strict(Parser& p, const std::string& rest, ScriptCommand& c);
void run_strict(Runner& r, const ScriptCommand& c);

// Clicks, key events and the control units' keys: script_input.cpp.
bool parse_click(Parser& p, const std::string& rest, ScriptCommand& c);
void run_click(Runner& r, const ScriptCommand& c);
bool parse_key(Parser& p, const std::string& rest, ScriptCommand& c);
void run_key(Runner& r, const ScriptCommand& c);
bool parse_cdu(Parser& p, const std::string& rest, ScriptCommand& c);
void run_cdu(Runner& r, const ScriptCommand& c);
bool parse_page(Parser& p, const std::string& rest, ScriptCommand& c);
void run_page(Runner& r, const ScriptCommand& c);
bool parse_gns(Parser& p, const std::string& rest, ScriptCommand& c);
void run_gns(Runner& r, const ScriptCommand& c);
bool parse_mcu(Parser& p, const std::string& rest, ScriptCommand& c);
void run_mcu(Runner& r, const ScriptCommand& c);

// The computer keyboard: script_keyboard.cpp.
bool parse_keyboard(Parser& p, const std::string& rest, ScriptCommand& c);
void run_keyboard(Runner& r, const ScriptCommand& c);

// Variables and windows: script_values.cpp.
bool parse_token(Parser& p, const std::string& rest, ScriptCommand& c);
void run_token(Runner& r, const ScriptCommand& c);
bool parse_named(Parser& p, const std::string& rest, ScriptCommand& c);
void run_named(Runner& r, const ScriptCommand& c);
bool parse_calc(Parser& p, const std::string& rest, ScriptCommand& c);
void run_calc(Runner& r, const ScriptCommand& c);
bool parse_link(Parser& p, const std::string& rest, ScriptCommand& c);
void run_link(Runner& r, const ScriptCommand& c);
bool parse_window(Parser& p, const std::string& rest, ScriptCommand& c);
void run_window(Runner& r, const ScriptCommand& c);

// Printed values: script_print.cpp.
bool parse_print(Parser& p, const std::string& rest, ScriptCommand& c);
void run_print(Runner& r, const ScriptCommand& c);

// Pictures: script_snapshot.cpp.
bool parse_snapshot(Parser& p, const std::string& rest, ScriptCommand& c);
void run_snapshot(Runner& r, const ScriptCommand& c);

// The aircraft, its plans and the flight: script_flight.cpp.
bool parse_aircraft(Parser& p, const std::string& rest, ScriptCommand& c);
void run_aircraft(Runner& r, const ScriptCommand& c);
bool parse_gps(Parser& p, const std::string& rest, ScriptCommand& c);
void run_gps(Runner& r, const ScriptCommand& c);
bool parse_route(Parser& p, const std::string& rest, ScriptCommand& c);
void run_route(Runner& r, const ScriptCommand& c);
bool parse_summary(Parser& p, const std::string& rest, ScriptCommand& c);
void run_summary(Runner& r, const ScriptCommand& c);

} // namespace host::scripting

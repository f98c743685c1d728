// The computer keyboard command: keys down, up, pressed or typed, and the
// failures of the module's keyboard device.
#include "host_text.h"
#include "keyboard.h"
#include "script_command.h"
#include "simulator.h"

namespace host::scripting {

namespace {

enum Form { KeysDown, KeysUp, KeysPress, Type, Fail, Lose };

void keyboard_keys(Runner& r, const ScriptCommand& c) {
    for (const std::string& name : words_of(c.text)) {
        KeyboardKey key{};
        keyboard_key_by_name(name, key); // checked when parsed
        bool ok = true;
        if (c.form != KeysUp) ok = keyboard_key(key, true);
        // A press is held over one frame, so that the module reads it down.
        if (c.form == KeysPress) run_frame(r.sim);
        if (c.form != KeysDown) ok = keyboard_key(key, false) && ok;
        if (!ok) {
            r.say("keyboard: the module offers no keyboard");
            return;
        }
    }
}

// One key a frame: down, the frame, up. A key typed twice in a row gets
// a frame up in between, or the second press would not be seen.
void keyboard_type(Runner& r, const ScriptCommand& c) {
    for (std::size_t i = 0; i < c.text.size(); ++i) {
        const char ch = c.text[i];
        if (i > 0 && c.text[i - 1] == ch) run_frame(r.sim);
        KeyboardKey key{};
        keyboard_key_of_char(ch, key); // checked when parsed
        if (!keyboard_key(key, true)) {
            r.say("keyboard: the module offers no keyboard");
            return;
        }
        run_frame(r.sim);
        keyboard_key(key, false);
    }
}

} // namespace

bool parse_keyboard(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string what;
    first_word(rest, what, c.text);
    what = to_lower(what);
    const std::vector<std::string> w = words_of(c.text);
    if (what == "down" || what == "up" || what == "press") {
        c.form = what == "down" ? KeysDown : what == "up" ? KeysUp : KeysPress;
        if (w.empty()) return p.fail("usage: keyboard " + what + " NAME...");
        for (const std::string& name : w) {
            KeyboardKey key{};
            if (!keyboard_key_by_name(name, key)) return p.fail("no keyboard key '" + name + "'");
        }
        return true;
    }
    if (what == "type") {
        c.form = Type;
        if (c.text.size() < 2 || c.text.front() != '"' || c.text.back() != '"')
            return p.fail("usage: keyboard type \"TEXT\"");
        c.text = c.text.substr(1, c.text.size() - 2);
        for (char ch : c.text) {
            KeyboardKey key{};
            if (!keyboard_key_of_char(ch, key))
                return p.fail(std::string("no keyboard key types '") + ch + "'");
        }
        return true;
    }
    if (what == "fail") {
        c.form = Fail;
        if (w.empty()) return p.fail("usage: keyboard fail STEP...|none");
        return true;
    }
    if (what == "lose") {
        c.form = Lose;
        return w.empty() || p.fail("keyboard lose takes nothing more");
    }
    return p.fail("usage: keyboard down|up|press|type|fail|lose ...");
}

void run_keyboard(Runner& r, const ScriptCommand& c) {
    switch (c.form) {
    case Type:
        keyboard_type(r, c);
        break;
    case Fail: {
        std::string error;
        if (!keyboard_fail(words_of(c.text), error)) r.say("keyboard fail: " + error);
        break;
    }
    case Lose:
        if (std::string error; !keyboard_lose_input(error)) r.say("keyboard lose: " + error);
        break;
    default:
        keyboard_keys(r, c);
        break;
    }
}

} // namespace host::scripting

// The print command: values of variables, key events, the keyboard hook,
// shown lights, display states, the aircraft and the files the run wrote.
#include "aircraft_script.h"
#include "data_link_peer.h"
#include "element_surface.h"
#include "host_text.h"
#include "keyboard.h"
#include "panel_file.h"
#include "panel_snapshot.h"
#include "script_command.h"
#include "sim_state.h"
#include "simulator.h"

#include <algorithm>
#include <system_error>

namespace host::scripting {

namespace {

enum Form { Token, Named, Module, Calc, Link, Keys, Keyboard, Lights, State, Aircraft, Written };

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

void print_token(Runner& r, uint32_t id) {
    const TokenValue* t = find_token(id);
    char buffer[64];
    if (t == nullptr) {
        r.say("token " + std::to_string(id) + " is not set");
    } else if (t->is_text) {
        r.say("token " + std::to_string(id) + " = \"" + t->text + "\"");
    } else if (t->coded) {
        std::snprintf(buffer, sizeof buffer, "0x%08X", t->code);
        r.say("token " + std::to_string(id) + " = int " + buffer);
    } else {
        r.say("token " + std::to_string(id) + " = " + format_number(t->number));
    }
}

void print_named(Runner& r, const std::string& name) {
    int32_t id = find_named_var(name.c_str());
    if (id < 0)
        r.say("named " + name + " is not registered");
    else
        r.say("named " + name + " = " + format_number(get_named_var(id)));
}

void print_module(Runner& r, const std::string& name) {
    const ModuleVar* v = find_module_var(name);
    if (v == nullptr)
        r.say("module " + name + " is not registered");
    else
        r.say("module " + name + " = " + describe_module_var(*v));
}

void print_calc(Runner& r, const std::string& name) {
    const CalcValue* v = find_calc(name);
    if (v == nullptr)
        r.say("calc " + name + " is not set");
    else if (v->is_text)
        r.say("calc " + name + " = \"" + v->text + "\"");
    else
        r.say("calc " + name + " = " + format_number(v->number));
}

void print_link(Runner& r, uint32_t offset) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "link 0x%04X = int 0x%08X", offset, link_u32(offset));
    r.say(buffer);
}

void print_keys(Runner& r) {
    const auto& events = sim_state().key_events;
    if (r.keys_printed >= events.size()) r.say("no key events");
    char buffer[64];
    for (; r.keys_printed < events.size(); ++r.keys_printed) {
        const KeyEvent& e = events[r.keys_printed];
        std::snprintf(buffer, sizeof buffer, "key 0x%05X %u", e.id, e.parameter);
        r.say(buffer);
    }
}

void print_keyboard(Runner& r) {
    std::string line = "keyboard:";
    for (const HookOutcome& o : take_hook_outcomes())
        line += " " + describe(o) + ";";
    r.say(line);
}

void print_lights(Runner& r, const PlacedGauge& gauge) {
    std::string text = "lights " + gauge.id + ":";
    const std::vector<int> shown = shown_lights(gauge);
    for (int n : shown)
        text += " " + std::to_string(n);
    r.say(shown.empty() ? text + " none" : text);
}

void print_state(Runner& r, const std::string& names) {
    std::string text = "state";
    for (const std::string& n : words_of(names)) {
        double value = 0.0;
        if (r.sim.module.display_state(n.c_str(), &value) ==
            kDisplayStateHidden) { // else checked when parsed
            r.say("state " + names + ": not available here (the module keeps its display states to itself)");
            return;
        }
        text += " " + n + "=" + format_number(value);
    }
    r.say(text);
}

void print_written(Runner& r, const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, error)) {
        std::error_code time_error;
        if (e.is_regular_file(time_error) && e.last_write_time(time_error) >= r.started && !time_error)
            names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) r.say("written " + folder + ": nothing");
    for (const std::string& name : names)
        r.say("written " + folder + "/" + name);
}

} // namespace

bool parse_print(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string kind;
    std::string name;
    first_word(rest, kind, name);
    kind = to_lower(kind);
    c.name = name;
    if (kind == "keyboard") {
        c.form = Keyboard;
        if (!name.empty()) return p.fail("print keyboard takes nothing more");
        return true;
    }
    if (kind == "keys") {
        c.form = Keys;
        if (!name.empty()) return p.fail("print keys takes nothing more");
        return true;
    }
    if (kind == "lights") {
        c.form = Lights;
        std::string error;
        c.gauge = find_placed_gauge(p.sim, name, error);
        return c.gauge != nullptr || p.fail(error);
    }
    if (kind == "state") {
        c.form = State;
        c.text = name;
        if (name.empty()) return p.fail("print state needs a name");
        if (p.sim.module.display_state == nullptr) return p.fail("the module offers no display state");
        for (const std::string& n : words_of(name)) {
            double value = 0.0;
            if (p.sim.module.display_state(n.c_str(), &value) == 0)
                return p.fail("no display state '" + n + "'");
        }
        return true;
    }
    if (kind == "aircraft") {
        c.form = Aircraft;
        if (!name.empty()) return p.fail("print aircraft takes nothing more");
        return true;
    }
    if (kind == "written") {
        c.form = Written;
        if (name.empty()) return p.fail("print written needs a folder");
        return true;
    }
    if (kind == "link") {
        c.form = Link;
        if (!parse_id(name, c.id) || c.id >= LINK_SPACE_SIZE) return p.fail("bad link offset '" + name + "'");
        return true;
    }
    if (kind == "token") {
        c.form = Token;
        if (!parse_id(name, c.id)) return p.fail("bad token id '" + name + "'");
        return true;
    }
    if (kind == "named")
        c.form = Named;
    else if (kind == "module")
        c.form = Module;
    else if (kind == "calc")
        c.form = Calc;
    else
        return p.fail("usage: print token ID | named NAME | module NAME | calc NAME | link OFFSET | keys | "
                      "keyboard | lights GAUGE | state NAME... | written FOLDER");
    if (name.empty()) return p.fail("print " + kind + " needs a name");
    if (c.form == Module && p.sim.module.module_var != nullptr && p.sim.module.module_var(name.c_str()) == 0)
        return p.fail("no module variable '" + name + "'");
    std::string key;
    if (c.form == Calc && !calc_key(name, key)) return p.fail("bad calculator variable '" + name + "'");
    return true;
}

void run_print(Runner& r, const ScriptCommand& c) {
    switch (c.form) {
    case Token:
        print_token(r, c.id);
        break;
    case Named:
        print_named(r, c.name);
        break;
    case Module:
        print_module(r, c.name);
        break;
    case Calc:
        print_calc(r, c.name);
        break;
    case Link:
        print_link(r, c.id);
        break;
    case Keys:
        print_keys(r);
        break;
    case Keyboard:
        print_keyboard(r);
        break;
    case Lights:
        print_lights(r, *c.gauge);
        break;
    case State:
        print_state(r, c.text);
        break;
    case Aircraft:
        r.say(describe_aircraft());
        break;
    case Written:
        print_written(r, c.name);
        break;
    }
}

} // namespace host::scripting

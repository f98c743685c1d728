// Commands that set the simulator's variables and windows: token, named,
// calc, link, window.
#include "data_link_peer.h"
#include "host_text.h"
#include "script_command.h"
#include "sim_state.h"

namespace host::scripting {

namespace {

enum TokenForm { TokenNumber, TokenCode, TokenText, TokenClear };
enum CalcForm { CalcNumber, CalcText };
enum LinkForm { LinkWord, LinkFloat, LinkText };
enum WindowForm { WindowOpen, WindowClose, WindowToggle };

} // namespace

bool parse_token(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string id;
    std::string value;
    if (!split_assignment(p, rest,
                          "token ID = VALUE | token ID = int VALUE | token ID = \"TEXT\" | token ID = null",
                          id, value))
        return false;
    if (!parse_id(id, c.id)) return p.fail("bad token id '" + id + "'");
    if (value[0] == '"') {
        if (value.size() < 2 || value.back() != '"') return p.fail("text without closing '\"'");
        c.form = TokenText;
        c.text = value.substr(1, value.size() - 2);
        return true;
    }
    if (value == "null") {
        c.form = TokenClear;
        return true;
    }
    std::string word;
    std::string code;
    first_word(value, word, code);
    if (iequals(word, "int")) {
        c.form = TokenCode;
        if (!parse_u32(code, c.parameter)) return p.fail("bad integer '" + code + "'");
        return true;
    }
    c.form = TokenNumber;
    if (!parse_real(value, c.number)) return p.fail("bad number '" + value + "'");
    return true;
}

void run_token(Runner&, const ScriptCommand& c) {
    switch (c.form) {
    case TokenNumber:
        set_token(c.id, c.number);
        break;
    case TokenCode:
        set_token_code(c.id, c.parameter);
        break;
    case TokenText:
        set_token_text(c.id, c.text);
        break;
    case TokenClear:
        clear_token(c.id);
        break;
    }
}

bool parse_named(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string value;
    if (!split_assignment(p, rest, "named NAME = VALUE", c.name, value)) return false;
    if (!parse_real(value, c.number)) return p.fail("bad number '" + value + "'");
    return true;
}

void run_named(Runner&, const ScriptCommand& c) {
    set_named_var(c.name, c.number);
}

bool parse_calc(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string value;
    if (!split_assignment(p, rest, "calc NAME = VALUE | calc NAME = \"TEXT\"", c.name, value)) return false;
    std::string key;
    if (!calc_key(c.name, key)) return p.fail("bad calculator variable '" + c.name + "'");
    if (value[0] == '"') {
        if (value.size() < 2 || value.back() != '"') return p.fail("text without closing '\"'");
        c.form = CalcText;
        c.text = value.substr(1, value.size() - 2);
        return true;
    }
    c.form = CalcNumber;
    if (!parse_real(value, c.number)) return p.fail("bad number '" + value + "'");
    return true;
}

void run_calc(Runner&, const ScriptCommand& c) {
    if (c.form == CalcText)
        set_calc_text(c.name, c.text);
    else
        set_calc_number(c.name, c.number);
}

bool parse_link(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string offset;
    std::string value;
    if (!split_assignment(p, rest, "link OFFSET = VALUE | link OFFSET = f64 VALUE | link OFFSET = \"TEXT\"",
                          offset, value))
        return false;
    if (!parse_id(offset, c.id) || c.id >= LINK_SPACE_SIZE) return p.fail("bad link offset '" + offset + "'");
    std::string word;
    std::string number;
    first_word(value, word, number);
    if (value[0] == '"') {
        if (value.size() < 2 || value.back() != '"') return p.fail("text without closing '\"'");
        c.form = LinkText;
        c.text = value.substr(1, value.size() - 2);
        return true;
    }
    if (iequals(word, "f64")) {
        c.form = LinkFloat;
        if (!parse_real(number, c.number)) return p.fail("bad number '" + number + "'");
        return true;
    }
    c.form = LinkWord;
    if (!parse_u32(value, c.parameter)) return p.fail("bad integer '" + value + "'");
    return true;
}

void run_link(Runner&, const ScriptCommand& c) {
    switch (c.form) {
    case LinkWord:
        set_link_u32(c.id, c.parameter);
        break;
    case LinkFloat:
        set_link_f64(c.id, c.number);
        break;
    case LinkText:
        set_link_bytes(c.id, c.text.data(), c.text.size());
        break;
    }
}

bool parse_window(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if (w.size() != 2) return p.fail("usage: window open|close|toggle ID");
    std::string action = to_lower(w[0]);
    if (action == "open")
        c.form = WindowOpen;
    else if (action == "close")
        c.form = WindowClose;
    else if (action == "toggle")
        c.form = WindowToggle;
    else
        return p.fail("unknown window action '" + w[0] + "' (open, close or toggle)");
    if (!parse_id(w[1], c.id) || !is_panel_window(c.id))
        return p.fail("no panel window '" + w[1] + "' (0 or 4001 to 4025)");
    return true;
}

void run_window(Runner&, const ScriptCommand& c) {
    if (c.form == WindowToggle)
        toggle_window(c.id);
    else
        set_window_visible(c.id, c.form == WindowOpen);
}

} // namespace host::scripting

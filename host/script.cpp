#include "script.h"

#include "aircraft_script.h"
#include "cdu_keys.h"
#include "data_link_peer.h"
#include "element_surface.h"
#include "flight_demo.h"
#include "gns_keys.h"
#include "gps_plan.h"
#include "host_text.h"
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
constexpr int64_t LONG_RUN_FROM = 100;    // runs this long draw on every draw_every-th frame

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
            script.commands.push_back(command);
        }
        return true;
    }

  private:
    bool fail(const std::string& message) {
        message_ = message;
        return false;
    }

    bool parse_command(const std::string& line, ScriptCommand& c) {
        std::string verb;
        std::string rest;
        first_word(line, verb, rest);
        verb = to_lower(verb);
        if (verb == "frames") return parse_frames(rest, c);
        if (verb == "click") return parse_click(rest, c);
        if (verb == "key") return parse_key(rest, c);
        if (verb == "token") return parse_token(rest, c);
        if (verb == "named") return parse_named(rest, c);
        if (verb == "calc") return parse_calc(rest, c);
        if (verb == "link") return parse_link(rest, c);
        if (verb == "window") return parse_window(rest, c);
        if (verb == "print") return parse_print(rest, c);
        if (verb == "aircraft") return parse_aircraft(rest, c);
        if (verb == "snapshot") return parse_snapshot(rest, c);
        if (verb == "route") return parse_route(rest, c);
        if (verb == "progress") return parse_progress(rest, c);
        if (verb == "fly") return parse_fly(rest, c);
        if (verb == "summary") {
            c.op = ScriptOp::Summary;
            return rest.empty() || fail("summary takes nothing more");
        }
        if (verb == "gps") return parse_gps(rest, c);
        if (verb == "cdu") return parse_cdu(rest, c);
        if (verb == "gns") return parse_gns(rest, c);
        return fail("unknown command '" + verb + "'");
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

    bool parse_snapshot(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::Snapshot;
        std::vector<std::string> w = words_of(rest);
        if (w.empty() || w.size() > 2) return fail("usage: snapshot GAUGE [FILE]");
        if (iequals(w[0], "all")) {
            c.op = ScriptOp::SnapshotAll;
            c.text = w.size() == 2 ? w[1] : "";
            if (c.text.find('/') != std::string::npos)
                return fail("snapshot prefix '" + c.text + "' names a folder");
            return true;
        }
        std::string error;
        c.gauge = find_placed_gauge(sim_, w[0], error);
        if (c.gauge == nullptr) return fail(error);
        c.text = w.size() == 2 ? w[1] : c.gauge->id + ".png";
        if (c.text.find('/') != std::string::npos)
            return fail("snapshot file '" + c.text + "' names a folder");
        return true;
    }

    bool parse_route(const std::string& rest, ScriptCommand& c) {
        c.op = ScriptOp::RouteLoad;
        std::vector<std::string> w = words_of(rest);
        if (w.size() != 2 || !iequals(w[0], "load")) return fail("usage: route load FILE");
        c.text = w[1];
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
        if (!parse_id(w[0], c.id)) return fail("bad key event '" + w[0] + "'");
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
        if (!split_assignment(rest, "token ID = VALUE | token ID = int VALUE | token ID = \"TEXT\"", id,
                              value))
            return false;
        if (!parse_id(id, c.id)) return fail("bad token id '" + id + "'");
        if (value[0] == '"') {
            if (value.size() < 2 || value.back() != '"') return fail("text without closing '\"'");
            c.op = ScriptOp::SetTokenText;
            c.text = value.substr(1, value.size() - 2);
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
                        "lights GAUGE | state NAME... | written FOLDER");
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

std::string describe_module_var(const ModuleVar& v) {
    char buffer[96];
    if (v.storage == nullptr) return "(null storage)";
    switch (v.type) {
    case MODULE_VAR_INT32:
        return std::to_string(*static_cast<const int32_t*>(v.storage));
    case MODULE_VAR_FLOAT64:
        return format_number(*static_cast<const double*>(v.storage));
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

    void say(const std::string& text) {
        if (out != nullptr) std::fprintf(out, "frame %ld: %s\n", sim.frame, text.c_str());
    }

    void frames(const ScriptCommand& c) {
        bool report = progress != nullptr && c.count >= PROGRESS_FROM;
        int64_t step = c.count / 10;
        for (int64_t i = 1; i <= c.count; ++i) {
            const bool draw =
                sim.draw_every <= 1 || c.count < LONG_RUN_FROM || i % sim.draw_every == 0 || i == c.count;
            run_frame(sim, draw);
            track_flight_frame(sim, out);
            // A flight stops when the route is flown or the TO waypoint is the one asked for.
            if (c.op == ScriptOp::Fly &&
                (flight_tracker().arrived || (!c.text.empty() && flight_to_ident(sim) == c.text))) {
                if (!draw) draw_gauges(sim); // the run's last frame draws
                say("fly: " + flight_progress(sim));
                return;
            }
            if (report && i % step == 0) {
                std::fprintf(progress, "orvex-sim: %s:%d: frame %lld of %lld\n", script.path.c_str(), c.line,
                             static_cast<long long>(i), static_cast<long long>(c.count));
                std::fflush(progress);
            }
        }
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
        const bool written = c.gauge->drawing_elements.empty() ? write_panel_snapshot(*c.gauge, path, error)
                                                               : write_gauge_snapshot(*c.gauge, path, error);
        if (written)
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
    void snapshot_all(const ScriptCommand& c) {
        std::string dir = sim.out_dir.empty() ? std::string(".") : sim.out_dir;
        for (auto& g : sim.gauges) {
            if (g->drawing_elements.empty()) continue;
            int same = 0;
            for (auto& other : sim.gauges)
                same += other->gauge_name == g->gauge_name;
            std::string name = c.text + to_lower(g->gauge_name) + (same > 1 ? "_" + g->id : "") + ".png";
            std::string error;
            if (!write_gauge_snapshot(*g, dir + "/" + name, error))
                say("snapshot " + g->id + " failed: " + error);
        }
        say("snapshots " + c.text + "*.png -> " + dir);
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
            sim.module.display_state(n.c_str(), &value); // checked when parsed
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
        case ScriptOp::GnsKeys:
            gns_keys(c);
            break;
        case ScriptOp::SnapshotAll:
            snapshot_all(c);
            break;
        case ScriptOp::RouteLoad:
            if (sim.module.flight.load_route != nullptr) {
                if (sim.module.flight.load_route(c.text.c_str()) == 1) say("route load " + c.text);
            } else if (std::string error; enter_company_route(sim, c.text, error)) {
                say("route load " + c.text + " (CO ROUTE, EXEC)");
            } else {
                say("route load " + c.text + ": " + error);
            }
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

void run_script(Simulator& sim, const Script& script, std::FILE* out, std::FILE* progress) {
    Runner runner{sim, script, out, progress};
    for (const ScriptCommand& c : script.commands)
        runner.run(c);
    if (out != nullptr) std::fflush(out);
}

} // namespace host

// Commands of the panel's input: click, key events and the control units'
// keys (cdu, page, gns, mcu).
#include "cdu_keys.h"
#include "element_surface.h"
#include "gns_keys.h"
#include "host_text.h"
#include "key_names.h"
#include "mcu_keys.h"
#include "mouse.h"
#include "panel_file.h"
#include "script_command.h"
#include "sim_state.h"
#include "simulator.h"

namespace host::scripting {

bool parse_click(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if (w.size() != 3 && w.size() != 4) return p.fail("usage: click GAUGE X Y [FLAGS]");
    std::string error;
    c.gauge = find_placed_gauge(p.sim, w[0], error);
    if (c.gauge == nullptr) return p.fail(error);
    int64_t x = 0;
    int64_t y = 0;
    if (!parse_int64(w[1], x) || !parse_int64(w[2], y))
        return p.fail("bad click point '" + w[1] + " " + w[2] + "'");
    if (x < 0 || y < 0 || x >= c.gauge->width || y >= c.gauge->height)
        return p.fail("click at (" + w[1] + ", " + w[2] + ") outside " + c.gauge->id + " (" +
                      std::to_string(c.gauge->width) + " x " + std::to_string(c.gauge->height) + ")");
    c.x = static_cast<int>(x);
    c.y = static_cast<int>(y);
    c.parameter = MOUSE_LEFTSINGLE;
    if (w.size() == 4 && (!parse_u32(w[3], c.parameter) || c.parameter == 0))
        return p.fail("bad mouse flags '" + w[3] + "'");
    return true;
}

void run_click(Runner& r, const ScriptCommand& c) {
    ClickResult result = click_gauge(*c.gauge, c.x, c.y, c.parameter);
    std::string where =
        "click " + c.gauge->id + " (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
    if (!result.hit)
        r.say(where + ": no click spot");
    else
        r.say(where + ": spot point (" + std::to_string(result.point.x) + ", " +
              std::to_string(result.point.y) + "), returned " + std::to_string(result.result));
}

bool parse_key(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if (w.empty() || w.size() > 2) return p.fail("usage: key EVENT [PARAM]");
    if (!parse_id(w[0], c.id) && !key_event_by_name(w[0], c.id))
        return p.fail("bad key event '" + w[0] + "' (a number or a name of --help's list)");
    if (w.size() == 2 && !parse_u32(w[1], c.parameter)) return p.fail("bad key parameter '" + w[1] + "'");
    return true;
}

void run_key(Runner&, const ScriptCommand& c) {
    send_key_event(c.id, c.parameter);
}

bool parse_cdu(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string ref;
    first_word(rest, ref, c.text);
    std::string error;
    c.gauge = find_placed_gauge(p.sim, ref, error);
    if (c.gauge == nullptr) return p.fail(error);
    if (!is_cdu_gauge(*c.gauge))
        return p.fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no CDU keys");
    std::vector<SmithsKey> keys;
    if (!cdu_key_sequence(c.text, keys, error)) return p.fail(error);
    return true;
}

void run_cdu(Runner& r, const ScriptCommand& c) {
    std::vector<SmithsKey> keys;
    std::string error; // checked when parsed
    cdu_key_sequence(c.text, keys, error);
    for (SmithsKey key : keys) {
        if (!press_cdu_key(*c.gauge, key).hit)
            r.say(std::string("cdu ") + c.gauge->id + ": no click spot for " +
                  smiths_key_boxes.box[static_cast<int>(key)].name);
        run_frame(r.sim);
    }
}

bool parse_page(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if (w.size() != 2) return p.fail("usage: page GAUGE NAME");
    std::string error;
    c.gauge = find_placed_gauge(p.sim, w[0], error);
    if (c.gauge == nullptr) return p.fail(error);
    if (!is_cdu_gauge(*c.gauge) || c.gauge->drawing_elements.empty())
        return p.fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no CDU pages");
    c.text = w[1];
    // A module without the entry point (the Windows DLL) is told at run time.
    if (p.sim.module.draw_smiths_page != nullptr &&
        p.sim.module.draw_smiths_page(c.text.c_str(), nullptr, 0, 0) == 0)
        return p.fail("no page '" + c.text + "'");
    return true;
}

void run_page(Runner& r, const ScriptCommand& c) {
    if (r.sim.module.draw_smiths_page == nullptr) {
        warn(r.sim, "page " + c.text + ": the module draws no page by name");
        return;
    }
    ElementHeader& e = *c.gauge->drawing_elements.front();
    if (e.image != nullptr)
        r.sim.module.draw_smiths_page(c.text.c_str(), e.device_context, e.image->width, e.image->height);
    r.say("page " + c.gauge->id + " " + c.text);
}

bool parse_gns(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string ref;
    first_word(rest, ref, c.text);
    std::string error;
    c.gauge = find_placed_gauge(p.sim, ref, error);
    if (c.gauge == nullptr) return p.fail(error);
    if (!is_gns_gauge(*c.gauge))
        return p.fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no GNS keys");
    std::vector<GnsKey> keys;
    if (!gns_key_sequence(c.text, keys, error)) return p.fail(error);
    return true;
}

void run_gns(Runner& r, const ScriptCommand& c) {
    std::vector<GnsKey> keys;
    std::string error; // checked when parsed
    gns_key_sequence(c.text, keys, error);
    for (GnsKey key : keys) {
        if (!press_gns_key(*c.gauge, key).hit)
            r.say(std::string("gns ") + c.gauge->id + ": no click spot for " +
                  gns_key_boxes[static_cast<std::size_t>(key)].name);
        run_frame(r.sim);
    }
}

bool parse_mcu(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::string ref;
    first_word(rest, ref, c.text);
    std::string error;
    c.gauge = find_placed_gauge(p.sim, ref, error);
    if (c.gauge == nullptr) return p.fail(error);
    if (!is_mcu_gauge(*c.gauge))
        return p.fail(c.gauge->id + " (" + c.gauge->gauge_name + ") has no MCU keys");
    std::vector<McuKey> keys;
    if (!mcu_key_sequence(c.text, keys, error)) return p.fail(error);
    return true;
}

void run_mcu(Runner& r, const ScriptCommand& c) {
    std::vector<McuKey> keys;
    std::string error; // checked when parsed
    mcu_key_sequence(c.text, keys, error);
    for (McuKey key : keys) {
        if (!press_mcu_key(*c.gauge, key).hit)
            r.say(std::string("mcu ") + c.gauge->id + ": no click spot for " +
                  mcu_key_boxes[static_cast<std::size_t>(key)].name);
        run_frame(r.sim);
    }
}

} // namespace host::scripting

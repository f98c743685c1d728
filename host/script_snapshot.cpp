// The snapshot command: PNG pictures of one gauge or of every drawing gauge.
// A picture that cannot be written is a warning, which `strict` stops on.
#include "element_surface.h"
#include "host_text.h"
#include "panel_snapshot.h"
#include "placed_gauge.h"
#include "script_command.h"
#include "simulator.h"

namespace host::scripting {

namespace {

enum Form { OneGauge, AllGauges };

void snapshot(Runner& r, const ScriptCommand& c) {
    std::string dir = r.sim.out_dir.empty() ? std::string(".") : r.sim.out_dir;
    std::string path = dir + "/" + c.text;
    std::string error;
    const bool written = c.gauge->drawing_elements.empty()
                             ? write_panel_snapshot(*c.gauge, path, error)
                             : write_gauge_snapshot(*c.gauge, path, c.parameter != 0, error);
    if (written && !c.gauge->drawing_elements.empty() && picture_is_one_colour(path))
        r.say("snapshot " + c.gauge->id + " -> " + path + " (" + kNothingDrawnYet + ")");
    else if (written)
        r.say("snapshot " + c.gauge->id + " -> " + path);
    else
        warn(r.sim, "snapshot " + c.gauge->id + " failed: " + error);
}

// Every drawing gauge; a gauge placed twice is told apart by its instance id.
void snapshot_all(Runner& r, const ScriptCommand& c) {
    std::string dir = r.sim.out_dir.empty() ? std::string(".") : r.sim.out_dir;
    std::string blank;
    for (auto& g : r.sim.gauges) {
        if (g->drawing_elements.empty()) continue;
        int same = 0;
        for (auto& other : r.sim.gauges)
            same += other->gauge_name == g->gauge_name;
        std::string name = c.text + to_lower(g->gauge_name) + (same > 1 ? "_" + g->id : "") + ".png";
        std::string error;
        if (!write_gauge_snapshot(*g, dir + "/" + name, c.parameter != 0, error))
            warn(r.sim, "snapshot " + g->id + " failed: " + error);
        else if (picture_is_one_colour(dir + "/" + name))
            blank += (blank.empty() ? "" : ", ") + name;
    }
    r.say("snapshots " + c.text + "*.png -> " + dir);
    if (!blank.empty()) r.say("snapshots " + blank + ": " + kNothingDrawnYet);
}

} // namespace

bool parse_snapshot(Parser& p, const std::string& rest, ScriptCommand& c) {
    c.form = OneGauge;
    std::vector<std::string> w = words_of(rest);
    // Gauges that draw on a transparent surface are shown over black, as
    // in the cockpit, unless the picture is to keep its transparency.
    c.parameter = !w.empty() && iequals(w.back(), "transparent");
    if (c.parameter) w.pop_back();
    if (w.empty() || w.size() > 2) return p.fail("usage: snapshot GAUGE [FILE] [transparent]");
    if (iequals(w[0], "all")) {
        c.form = AllGauges;
        c.text = w.size() == 2 ? w[1] : "";
        if (c.text.find('/') != std::string::npos)
            return p.fail("snapshot prefix '" + printable(c.text) + "' names a folder");
        if (c.text.find('"') != std::string::npos)
            return p.fail("snapshot prefix '" + printable(c.text) + "' is no part of a file name");
        return true;
    }
    std::string error;
    c.gauge = find_placed_gauge(p.sim, w[0], error);
    if (c.gauge == nullptr) return p.fail(error);
    c.text = w.size() == 2 ? w[1] : c.gauge->id + ".png";
    if (c.text.find('/') != std::string::npos)
        return p.fail("snapshot file '" + printable(c.text) + "' names a folder");
    // A quote would end up in the name ("" is no empty name here).
    if (c.text.find('"') != std::string::npos || c.text.empty())
        return p.fail("snapshot file '" + printable(c.text) + "' is no file name");
    return true;
}

void run_snapshot(Runner& r, const ScriptCommand& c) {
    if (c.form == AllGauges)
        snapshot_all(r, c);
    else
        snapshot(r, c);
}

} // namespace host::scripting

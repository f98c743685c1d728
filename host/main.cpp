// orvex-sim: the simulator stand-in on the command line.
//
//   orvex-sim --list [--module PATH]
//   orvex-sim [--module PATH] [--root DIR] --panel FILE [--script FILE] [--out DIR]
//             [--draw-every N]
//   orvex-sim --help     the options, the script commands and the panel syntax
//
// The default module is orvex1.so (orvex1.gau on Windows) next to this
// program. Panel, script and out paths are taken relative to the directory
// orvex-sim is started in; the run itself happens in the simulator root (the
// module reads its data below it).
#include "airport_ground.h"
#include "host_text.h"
#include "key_names.h"
#include "module_loader.h"
#include "panel_file.h"
#include "script.h"
#include "simulator.h"

#include "process.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct Options {
    bool list = false;
    std::string module;
    std::string root = ".";
    std::string panel;
    std::string script;
    std::string out;
    int draw_every = 1;
};

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: orvex-sim --list [--module PATH]\n"
                 "       orvex-sim [--module PATH] [--root DIR] --panel FILE [--script FILE] [--out DIR]\n"
                 "                 [--draw-every N]\n"
                 "       orvex-sim --help\n");
}

void help(std::FILE* to) {
    usage(to);
    std::fprintf(to, "\n"
                     "  --list         print the module's gauge names\n"
                     "  --module PATH  the gauge module (default: orvex1.so, on Windows orvex1.gau, next to\n"
                     "                 orvex-sim)\n"
                     "  --root DIR     the simulator folder the module reads (it holds orvex/)\n"
                     "  --panel FILE   the gauges to place, in the panel file syntax below\n"
                     "  --script FILE  the commands to run (default: one frame)\n"
                     "  --out DIR      where snapshots go (default: the simulator folder)\n"
                     "  --draw-every N in a run of 100 frames or more, draw only every Nth frame and\n"
                     "                 the last (for slow drawing, as under wine); all frames update\n"
                     "\n"
                     "Script: one command a line; blank lines and lines starting with ';' or '#' are\n"
                     "comments. GAUGE is an instance id (window00.gauge00) or a gauge name placed once;\n"
                     "numbers may be hex (0x10337). The whole script is checked before anything runs.\n"
                     "Printed values go to standard output; progress and warnings to standard error.\n"
                     "\n");
    for (const host::ScriptCommandHelp& c : host::script_commands()) {
        std::fprintf(to, "  %s%s%s\n", c.verb, c.arguments[0] != '\0' ? " " : "", c.arguments);
        std::fprintf(to, "      %s\n", c.text);
    }
    std::fprintf(to, "\nKey names (any case), by command:\n%s", host::key_names_help().c_str());
    std::fprintf(to, "\nPanel file:\n%s", host::panel_syntax_help());
}

// The module reads everything below orvex/ (any case) of the simulator folder.
bool has_module_folder(const std::string& root) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error))
        if (entry.is_directory(error) && host::iequals(entry.path().filename().string(), "orvex"))
            return true;
    return false;
}

bool parse_options(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "orvex-sim: %s needs a value\n", arg.c_str());
                return false;
            }
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--list")
            o.list = true;
        else if (arg == "--module")
            ok = value(o.module);
        else if (arg == "--root")
            ok = value(o.root);
        else if (arg == "--panel")
            ok = value(o.panel);
        else if (arg == "--script")
            ok = value(o.script);
        else if (arg == "--out")
            ok = value(o.out);
        else if (arg == "--draw-every") {
            std::string n;
            ok = value(n);
            char* end = nullptr;
            const long every = ok ? std::strtol(n.c_str(), &end, 10) : 0;
            if (ok && (end == n.c_str() || *end != '\0' || every < 1 || every > 1000)) {
                std::fprintf(stderr, "orvex-sim: --draw-every takes a number from 1 to 1000\n");
                ok = false;
            }
            o.draw_every = static_cast<int>(every);
        } else if (arg == "--help" || arg == "-h") {
            help(stdout);
            std::exit(0);
        } else {
            std::fprintf(stderr, "orvex-sim: unknown option %s (see --help)\n", host::printable(arg).c_str());
            ok = false;
        }
        if (!ok) return false;
    }
    if (!o.list && o.panel.empty()) {
        std::fprintf(stderr, "orvex-sim: --panel is required (or --list)\n");
        return false;
    }
    if (o.module.empty()) o.module = host::program_directory() + "/" + host::kDefaultModuleFile;
    return true;
}

int list_gauges(const host::LoadedModule& module) {
    for (GaugeHeader* header : host::gauge_headers(module))
        std::printf("%s\n", header->name != nullptr ? header->name : "");
    return 0;
}

bool load(const Options& o, host::Simulator& sim) {
    std::string error;
    if (host::load_module(o.module, sim.module, error)) return true;
    std::fprintf(stderr, "orvex-sim: %s\n", host::printable(error, 400).c_str());
    return false;
}

int run(const Options& o, host::Simulator& sim) {
    std::string error;
    host::PanelFile panel;
    if (!host::read_panel_file(o.panel, panel, error)) {
        std::fprintf(stderr, "orvex-sim: %s\n", host::printable(error, 400).c_str());
        return 1;
    }
    if (!load(o, sim)) return 1;
    if (!host::place_gauges(sim, panel, error)) {
        std::fprintf(stderr, "orvex-sim: %s\n", host::printable(error, 400).c_str());
        return 1;
    }
    host::Script script;
    std::string script_text = "frames 1\n"; // without a script: place, one frame, disconnect
    bool parsed = o.script.empty()
                      ? host::parse_script_text("(default script)", script_text, sim, script, error)
                      : host::read_script_file(o.script, sim, script, error);
    if (!parsed) {
        std::fprintf(stderr, "orvex-sim: %s\n", host::printable(error, 400).c_str());
        return 1;
    }
    if (!o.out.empty()) {
        sim.out_dir = host::absolute_path(o.out);
        if (!host::make_folder(sim.out_dir, error)) {
            std::fprintf(stderr, "orvex-sim: %s: cannot create output folder: %s\n", o.out.c_str(),
                         error.c_str());
            return 1;
        }
    }
    if (!host::enter_folder(o.root, error)) {
        std::fprintf(stderr, "orvex-sim: %s: cannot enter simulator root: %s\n", o.root.c_str(),
                     error.c_str());
        return 1;
    }
    std::fprintf(stderr, "orvex-sim: %zu gauges placed from %s\n", sim.gauges.size(), o.panel.c_str());
    sim.warnings_to = stderr;
    if (!has_module_folder("."))
        host::warn(sim, o.root + ": the simulator folder holds no orvex/ folder: the module finds no data");
    host::use_airport_ground();
    host::start_gauges(sim);
    const bool finished = host::run_script(sim, script, stdout, stderr);
    host::stop_gauges(sim);
    std::fprintf(stderr, "orvex-sim: %ld frames run", sim.frame);
    if (sim.warnings > 0) std::fprintf(stderr, ", %d warning%s", sim.warnings, sim.warnings == 1 ? "" : "s");
    std::fprintf(stderr, "\n");
    // A strict script fails on any warning, also one of the last frame.
    return !finished || (script.strict && sim.warnings > 0) ? 3 : 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse_options(argc, argv, o)) {
        usage(stderr);
        return 2;
    }
    host::Simulator sim;
    sim.draw_every = o.draw_every;
    int status = 0;
    if (o.list)
        status = load(o, sim) ? list_gauges(sim.module) : 1;
    else
        status = run(o, sim);
    std::fflush(stdout);
    // The module's static objects may still be referenced by instances; keep
    // the library mapped until exit.
    return status;
}

// Whole-panel benchmark: the example panel (examples/sim/panel.cfg) flown on
// the example route, its cost per frame on Cairo and on the recording
// backend, each the difference of a long and a short run (so that start-up
// cancels) in CPU time, the median of three interleaved rounds. Every run is a process of
// its own (forked), started as the stand-in starts the module. Then each
// drawing gauge of the panel alone, the same way, and the panel's cost
// against the sum of theirs; and the panel on Cairo drawing every call by
// itself (no coverage kept).
// Against an earlier build, when ORVEX_BASELINE names its folder (its
// orvex-sim and orvex1.so): both stand-ins fly the panel as processes of
// their own, in interleaved rounds timed by their CPU time, with the
// coverage kept and with one Cairo call per drawing call, so that the whole
// panel and the cover compositing each stand beside the baseline's. The
// goal, the panel on Cairo at half the cost of the build it was set against
// (kGoalBaseline), is judged only when the baseline is that build, as its
// folder's "commit" file says (`make bench BASELINE=...` writes it).
//
//   [ORVEX_BASELINE=folder] orvex-panel-bench [long frames] [short frames]
#include "aircraft_store.h"
#include "child_cpu.h"
#include "panel_file.h"
#include "process.h"
#include "script.h"
#include "sim_state.h"
#include "simulator.h"

#include "gauges/linkage.h"
#include "platform/gfx_detail.h"
#include "platform/gfx_surface.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef ORVEX_SOURCE_DIR
#define ORVEX_SOURCE_DIR "."
#endif
#ifndef ORVEX_BUILD_DIR
#define ORVEX_BUILD_DIR "."
#endif

namespace {

// Airborne south of Seattle on LNAV and VNAV along the example route.
constexpr const char* kSetUp = "aircraft magvar 18\n"
                               "aircraft position 47.4638 -122.3079\n"
                               "aircraft heading 180\n"
                               "aircraft altitude 8000\n"
                               "aircraft speed 250\n"
                               "aircraft engines 2\n"
                               "aircraft fuel 20000\n"
                               "aircraft ap on\n"
                               "aircraft ap hdg on\n"
                               "aircraft ap alt on\n"
                               "frames 20\n"
                               "route load KSEAKPDX.RTE\n"
                               "frames 2\n"
                               "key 0x10337\n"
                               "key 0x10338\n";

struct Run {
    std::string root;       // simulator folder
    std::string panel_text; // panel file text
    uint32_t backend = gfx::SurfaceCairo;
    bool covering = true;
};

// The child's part: place, start, set up and fly `frames` frames.
int run_child(const Run& run, long frames) {
    // The module is linked in: its settings read at start-up are set here.
    if (!run.covering) gfx::detail::set_coverage_cache(false);
    host::reset_sim_state();
    host::reset_aircraft();
    host::Simulator sim;
    host::SurfaceServices s;
    s.create_dc = &orvex_gfx_create_dc;
    s.write_png = &orvex_gfx_write_png;
    s.destroy_dc = &orvex_gfx_destroy_dc;
    s.backends = run.backend;
    sim.module = host::attach_module(&Linkage, &ImportTable, "orvex1", s);
    host::PanelFile panel;
    host::Script script;
    std::string error;
    if (!host::parse_panel_text("panel.cfg", run.panel_text, panel, error) ||
        !host::place_gauges(sim, panel, error) || !host::enter_folder(run.root, error) ||
        !host::parse_script_text("bench", std::string(kSetUp) + "frames " + std::to_string(frames) + "\n",
                                 sim, script, error)) {
        std::fprintf(stderr, "orvex-panel-bench: %s\n", error.c_str());
        return 1;
    }
    host::start_gauges(sim);
    std::FILE* sink = std::fopen("/dev/null", "w");
    host::run_script(sim, script, sink, nullptr);
    std::fclose(sink);
    host::stop_gauges(sim);
    return 0;
}

bool run_failed = false; // a run of the panel or of a gauge failed

// CPU time (user and system) of one run in its own process, ms, which the
// other work of a shared machine disturbs less than the wall time; negative
// when it failed.
double run_ms(const Run& run, long frames) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) _exit(run_child(run, frames));
    const double ms = bench::waited_cpu_ms(pid);
    if (ms < 0) run_failed = true;
    return ms;
}

// CPU time (ms) of `build`/orvex-sim flying the panel `frames` frames
// on Cairo, with the coverage kept or (uncovered) one Cairo call per
// drawing call; negative when it failed.
double sim_run_ms(const std::string& build, const std::string& root, const std::string& panel,
                  const std::string& script_path, long frames, bool uncovered) {
    std::FILE* f = std::fopen(script_path.c_str(), "w");
    if (!f) return -1.0;
    std::fprintf(f, "%sframes %ld\n", kSetUp, frames);
    std::fclose(f);
    return bench::program_cpu_ms({build + "/orvex-sim", "--module", build + "/orvex1.so", "--root", root,
                                  "--panel", panel, "--script", script_path},
                                 uncovered ? bench::Environment{{"ORVEX_GFX_UNCOVERED", "1"}}
                                           : bench::Environment{});
}

using bench::median;

struct Frames {
    long long_run = 1000;
    long short_run = 100;
};

// ms per frame: (long - short) / (long frames - short frames), the median of
// `rounds` interleaved rounds.
double per_frame_ms(const Run& run, const Frames& f, int rounds) {
    std::vector<double> v;
    for (int i = 0; i < rounds; ++i) {
        const double l = run_ms(run, f.long_run);
        const double s = run_ms(run, f.short_run);
        if (l < 0 || s < 0) return -1.0;
        v.push_back((l - s) / static_cast<double>(f.long_run - f.short_run));
    }
    return median(v);
}

std::string read_file(const std::string& path) {
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

// The panel's gauge lines ("gaugeNN=orvex1!NAME, ...").
std::vector<std::string> gauge_lines(const std::string& panel_text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < panel_text.size()) {
        std::size_t end = panel_text.find('\n', at);
        if (end == std::string::npos) end = panel_text.size();
        const std::string line = panel_text.substr(at, end - at);
        if (line.rfind("gauge", 0) == 0) out.push_back(line);
        at = end + 1;
    }
    return out;
}

const char* verdict(bool met) {
    return met ? "MET" : "MISSED";
}

// The build the whole-panel goal was set against, before the drawing calls
// were batched and their coverage kept.
constexpr const char* kGoalBaseline = "1e6a29d";

// The commit a baseline build was made from, as `make bench` records it in
// the build's folder; empty when the folder does not say.
std::string baseline_commit(const std::string& folder) {
    std::string text = read_file(folder + "/commit");
    text.erase(std::find_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }),
               text.end());
    return text;
}

} // namespace

int main(int argc, char** argv) {
    Frames f;
    if (argc > 1) f.long_run = std::atol(argv[1]);
    if (argc > 2) f.short_run = std::atol(argv[2]);
    if (f.long_run <= f.short_run || f.short_run < 1) {
        std::fprintf(stderr, "usage: orvex-panel-bench [long frames] [short frames], long > short >= 1\n");
        return 2;
    }
    const std::string source = ORVEX_SOURCE_DIR;
    const std::string panel_text = read_file(source + "/examples/sim/panel.cfg");
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("orvex-panel-bench-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::copy(source + "/examples/sim", root, std::filesystem::copy_options::recursive);
    const std::vector<std::string> lines = gauge_lines(panel_text);
    std::printf("Example panel, %zu gauges, on LNAV and VNAV near Seattle: ms per frame as the difference of "
                "%ld- and %ld-frame runs\n",
                lines.size(), f.long_run, f.short_run);

    Run panel{root.string(), panel_text};
    double cairo = 0.0, recording = 0.0, uncovered = 0.0;
    for (uint32_t backend : {gfx::SurfaceCairo, gfx::SurfaceRecording}) {
        panel.backend = backend;
        const double ms = per_frame_ms(panel, f, 3);
        (backend == gfx::SurfaceCairo ? cairo : recording) = ms;
        std::printf("  panel      %-10s %8.3f ms per frame (median of 3 rounds)\n",
                    backend == gfx::SurfaceCairo ? "cairo" : "recording", ms);
    }
    panel.backend = gfx::SurfaceCairo;
    panel.covering = false;
    uncovered = per_frame_ms(panel, f, 3);
    std::printf("  panel      %-10s %8.3f ms per frame, one Cairo call per drawing call, no coverage kept "
                "(median of 3 rounds)\n",
                "uncovered", uncovered);

    // Each drawing gauge alone, beside the SERVER that connects the module.
    std::string server;
    for (const std::string& line : lines)
        if (line.find("!SERVER") != std::string::npos) server = line;
    double sum_cairo = 0.0, sum_recording = 0.0;
    for (const std::string& line : lines) {
        if (line == server) continue;
        Run alone{root.string(), "[Window00]\n" + server + "\n" + line + "\n"};
        const double c = per_frame_ms(alone, f, 1);
        alone.backend = gfx::SurfaceRecording;
        const double r = per_frame_ms(alone, f, 1);
        sum_cairo += c;
        sum_recording += r;
        std::printf("    alone: %-44.44s cairo %7.3f ms, recording %7.3f ms\n", line.c_str(), c, r);
    }
    std::printf("  sum of the gauges alone: cairo %.3f ms, recording %.3f ms per frame\n", sum_cairo,
                sum_recording);
    std::printf("  panel / sum of the gauges alone: cairo %.2f, recording %.2f\n", cairo / sum_cairo,
                recording / sum_recording);
    std::printf("  coverage kept / not kept on cairo: %.2f\n", cairo / uncovered);

    // The whole panel and the cover compositing against an earlier build:
    // both stand-ins fly the panel as processes of their own, with the
    // coverage kept and without, in interleaved rounds.
    if (const char* baseline = std::getenv("ORVEX_BASELINE")) {
        const std::string script = (root / "panel_bench.script").string();
        const std::string panel_path = source + "/examples/sim/panel.cfg";
        const std::string builds[2] = {baseline, ORVEX_BUILD_DIR};
        std::vector<double> per_frame[2][2]; // [build][uncovered]
        for (int round = 0; round < 3; ++round)
            for (int b = 0; b < 2; ++b)
                for (int u = 0; u < 2; ++u) {
                    const double l = sim_run_ms(builds[b], root.string(), panel_path, script, f.long_run, u);
                    const double sh =
                        sim_run_ms(builds[b], root.string(), panel_path, script, f.short_run, u);
                    if (l >= 0 && sh >= 0)
                        per_frame[b][u].push_back((l - sh) / static_cast<double>(f.long_run - f.short_run));
                }
        bool complete = true;
        for (auto& by_build : per_frame)
            for (auto& v : by_build)
                complete = complete && v.size() == 3;
        if (complete) {
            double ms[2][2];
            for (int b = 0; b < 2; ++b)
                for (int u = 0; u < 2; ++u)
                    ms[b][u] = median(per_frame[b][u]);
            std::printf(
                "  orvex-sim on cairo, CPU ms per frame, median of 3 interleaved rounds; baseline %s\n",
                baseline);
            std::printf("    %-46s %9s %9s %8s\n", "", "here", "baseline", "ratio");
            std::printf("    %-46s %9.3f %9.3f %8.2f\n", "whole panel (coverage kept)", ms[1][0], ms[0][0],
                        ms[1][0] / ms[0][0]);
            std::printf("    %-46s %9.3f %9.3f %8.2f\n", "whole panel, one Cairo call per drawing call",
                        ms[1][1], ms[0][1], ms[1][1] / ms[0][1]);
            std::printf("    %-46s %9.2f %9.2f\n", "cover compositing: kept / one call per call",
                        ms[1][0] / ms[1][1], ms[0][0] / ms[0][1]);
            const std::string commit = baseline_commit(baseline);
            if (commit.rfind(kGoalBaseline, 0) == 0 && !commit.empty())
                std::printf("  goal: at most half of %s's cost: %.2f of it, %s\n", kGoalBaseline,
                            ms[1][0] / ms[0][0], verdict(ms[1][0] <= 0.5 * ms[0][0]));
            else
                std::printf("  goal: at most half of %s's cost: not judged, the baseline is %s (`make bench "
                            "BASELINE=%s` judges it)\n",
                            kGoalBaseline, commit.empty() ? "a build of no recorded commit" : commit.c_str(),
                            kGoalBaseline);
        } else {
            std::printf("  against %s: not measured, a run failed\n", baseline);
        }
    } else {
        std::printf(
            "  against an earlier build: not measured (ORVEX_BASELINE unset; `make bench BASELINE=<git "
            "ref>` builds one)\n");
    }
    std::filesystem::remove_all(root);
    // A short run's figures may come out at or below zero without any run failing.
    return run_failed ? 1 : 0;
}

// What the display benchmarks share: a render pass timed over many frames on
// a canvas of one backend, the ILS approach the attitude displays are timed
// on, the world database read from the command line, and the report of a
// time as its share of the 16.7 ms frame of 60 frames per second.
#pragma once

#include "map/render_frame.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace bench {

using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 1000.0 / 60.0;
// The process's CPU time, ms: what the other work of a shared machine
// disturbs less than the wall time (the benchmarks run on one thread).
double cpu_ms();
// 3000, or ORVEX_BENCH_FRAMES when set (a short run for callgrind).
int frames_from_environment();
inline const int kFrames = frames_from_environment();

double ms_since(Clock::time_point start);

using RenderPass = std::function<void(void* dc, PixelSize size)>;

// One frame's work: `advance` runs untimed before each frame, `update` is
// timed apart from `render`; either may be empty.
struct FrameWork {
    std::function<void()> advance;
    std::function<void()> update;
    RenderPass render;
};

struct Timing {
    double update_ms = 0.0; // per frame
    double render_ms = 0.0; // per frame
    std::size_t ops = 0;    // drawing operations of the last frame (recording backend)
};

// 60 frames to warm (nearby lists, font caches), then kFrames timed in CPU
// time on a new canvas of the backend. The recording is emptied after every
// frame: it is the benchmark's, not part of a frame.
Timing time_frames(PixelSize size, uint32_t backend, const FrameWork& work);

// "  LABEL BACKEND render x ms per frame, y % of 16.7 ms[, n drawing operations]"
void report_render(const char* label, int label_width, const char* backend, const Timing& t);

// Times the work on the recording backend (the module's own work), then on
// Cairo (with rasterising), and reports each.
void report_on_both_backends(const char* label, int label_width, PixelSize size, const FrameWork& work);

// "y % of 16.7 ms"
void print_frame_share(double ms);

// The stand-in's state reset, its services installed, and an ILS approach in
// a turn: flight director, speed and altitude bugs, deviations and markers.
void start_ils_approach();

// The active plan from (lat, lon) due east over seven waypoints WP0..WP6
// 30 NM apart, each of the given type.
void set_route_east(double lat, double lon, const char* type);

// Reads the world database below argv[1] (or `default_folder`); false, with
// a message, when it holds no navaids.
bool load_world_database(int argc, char** argv, const char* default_folder);

} // namespace bench

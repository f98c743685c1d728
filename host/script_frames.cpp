// Commands that move time on or say how a run goes: frames, fly, progress, strict.
#include "flight_demo.h"
#include "host_text.h"
#include "script_command.h"
#include "simulator.h"

namespace host::scripting {

namespace {

constexpr int64_t PROGRESS_FROM = 1000; // runs this long report their progress
constexpr int64_t FLY_PROGRESS_EVERY = 1000;
constexpr int64_t LONG_RUN_FROM = 100; // runs this long draw on every draw_every-th frame

std::string progress_text(const ScriptCommand& c, bool fly, int64_t done) {
    char text[160];
    if (!fly) {
        std::snprintf(text, sizeof text, "frame %lld of %lld", static_cast<long long>(done),
                      static_cast<long long>(c.count));
        return text;
    }
    const FlightTracker& t = flight_tracker();
    char where[48] = "no active route";
    if (t.to_index != 999)
        std::snprintf(where, sizeof where, "TO waypoint %d of %d", t.to_index, t.last_index);
    std::snprintf(text, sizeof text, "%lld frames flown, %s, flying until %s (at most %lld frames)",
                  static_cast<long long>(done), where,
                  c.text.empty() ? "the route is flown or the aircraft lands" : printable(c.text).c_str(),
                  static_cast<long long>(c.count));
    return text;
}

void run_frames_of(Runner& r, const ScriptCommand& c, bool fly) {
    Simulator& sim = r.sim;
    bool report = r.progress != nullptr && c.count >= PROGRESS_FROM;
    // A flight ends when it arrives, mostly long before its frame limit:
    // its progress goes by the frames flown, not by tenths of the limit.
    int64_t step = fly ? FLY_PROGRESS_EVERY : c.count / 10;
    bool drawn = true;
    for (int64_t i = 1; i <= c.count && !r.stopped(); ++i) {
        drawn = sim.draw_every <= 1 || c.count < LONG_RUN_FROM || i % sim.draw_every == 0 || i == c.count;
        run_frame(sim, drawn);
        track_flight_frame(sim, r.out);
        // A flight stops when the route is flown, when the aircraft lands, or
        // when the TO waypoint is the one asked for.
        if (fly && (flight_tracker().ended_now || (!c.text.empty() && flight_to_ident(sim) == c.text))) {
            if (!drawn) draw_gauges(sim); // the run's last frame draws
            r.say("fly: " + flight_progress(sim));
            return;
        }
        if (report && i % step == 0) {
            std::fprintf(r.progress, "orvex-sim: %s:%d: %s\n", r.script.path.c_str(), c.line,
                         progress_text(c, fly, i).c_str());
            std::fflush(r.progress);
        }
    }
    if (!drawn) draw_gauges(sim); // a run that stops early draws its last frame
    // A flight asked to reach a waypoint that ran out of frames did not.
    if (fly && !c.text.empty() && !r.stopped())
        warn(sim, "fly: " + c.text + " not reached in " + std::to_string(c.count) + " frames (" +
                      flight_progress(sim) + ")");
}

} // namespace

bool parse_frames(Parser& p, const std::string& rest, ScriptCommand& c) {
    if (!parse_int64(rest, c.count) || c.count < 1 || c.count > MAX_FRAMES)
        return p.fail("frames needs a count from 1 to " + std::to_string(MAX_FRAMES) + ", got '" + rest +
                      "'");
    return true;
}

void run_frames(Runner& r, const ScriptCommand& c) {
    run_frames_of(r, c, false);
}

bool parse_fly(Parser& p, const std::string& rest, ScriptCommand& c) {
    std::vector<std::string> w = words_of(rest);
    if ((w.size() != 1 && w.size() != 3) || (w.size() == 3 && !iequals(w[1], "to")))
        return p.fail("usage: fly MAX [to IDENT]");
    if (!parse_int64(w[0], c.count) || c.count < 1 || c.count > MAX_FRAMES)
        return p.fail("fly needs a frame count from 1 to " + std::to_string(MAX_FRAMES) + ", got '" + w[0] +
                      "'");
    if (w.size() == 3) c.text = w[2];
    return true;
}

void run_fly(Runner& r, const ScriptCommand& c) {
    run_frames_of(r, c, true);
}

bool parse_progress(Parser& p, const std::string& rest, ScriptCommand& c) {
    if (!parse_int64(rest, c.count) || c.count < 0 || c.count > MAX_FRAMES)
        return p.fail("progress needs a frame count (0: none), got '" + rest + "'");
    return true;
}

void run_progress(Runner&, const ScriptCommand& c) {
    flight_tracker().progress_every = c.count;
}

bool parse_strict(Parser& p, const std::string& rest, ScriptCommand&) {
    if (!rest.empty()) return p.fail("strict takes nothing more");
    p.script.strict = true;
    return true;
}

// The run stops at the first warning after it (Runner::stopped).
void run_strict(Runner&, const ScriptCommand&) {}

} // namespace host::scripting

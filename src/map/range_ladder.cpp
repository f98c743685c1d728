#include "map/range_ladder.h"

#include "data/display_state.h"
#include "data/module_settings.h"

#include <cmath>
#include <span>

namespace {

constexpr double kStandardRungs[] = {0.5, 1, 2.5, 5, 10, 20, 40, 80, 160, 320};
constexpr double kMd11Rungs[] = {0.5, 1, 2.5, 5, 10, 20, 40, 80, 160, 320, 640};
constexpr double kDu1000Rungs[] = {0.05, 0.125, 0.25, 0.5, 1, 2.5, 5, 10, 15, 30, 60, 120, 240};
constexpr double kEfs50Rungs[] = {0.5, 1, 2.5, 5, 12.5, 25, 40, 80, 160};
constexpr double kProline4Rungs[] = {5, 10, 20, 40, 80, 160, 320};

// Rungs that the up-step also recognises by a range's whole-number part.
constexpr double kWholeRungsStandard[] = {10, 20, 40, 80, 160};
constexpr double kWholeRungsDu1000[] = {15, 30, 60, 120};

// The rung the range sits on, or -1. Whole rungs also match by truncation.
int rung_of(double range, std::span<const double> rungs, std::span<const double> whole_rungs = {}) {
    for (std::size_t i = 0; i < rungs.size(); ++i) {
        bool whole = false;
        for (double w : whole_rungs)
            whole = whole || w == rungs[i];
        if (range == rungs[i] || (whole && std::trunc(range) == rungs[i])) return static_cast<int>(i);
    }
    return -1;
}

// Stopping ladder: a rung steps up, the top and any value off the ladder stay.
void step_up_stopping(double& range, std::span<const double> rungs,
                      std::span<const double> whole_rungs = {}) {
    const int i = rung_of(range, rungs, whole_rungs);
    if (i >= 0 && i + 1 < static_cast<int>(rungs.size())) range = rungs[static_cast<std::size_t>(i) + 1];
}

// Stopping ladder going down: steps into a rung below `gate_below` are taken
// only when the new rung is at least MinMapRange, and into 0.5 (on the
// ladders that say so) only when MinMapRange is exactly 0.5.
void step_down_gated(double& range, std::span<const double> rungs, double gate_below, bool half_needs_exact) {
    const int i = rung_of(range, rungs);
    if (i <= 0) return;
    const double next = rungs[static_cast<std::size_t>(i) - 1];
    if (next < gate_below) {
        const bool allowed = half_needs_exact && next == 0.5 ? min_map_range == 0.5 : next >= min_map_range;
        if (!allowed) return;
    }
    range = next;
}

// EFS50 ladder: wraps, and any value off it restarts at one end.
void step_up_efs50(double& range) {
    const int i = rung_of(range, kEfs50Rungs);
    range = i >= 0 && i + 1 < static_cast<int>(std::size(kEfs50Rungs)) ? kEfs50Rungs[i + 1] : kEfs50Rungs[0];
}
void step_down_efs50(double& range) {
    const int i = rung_of(range, kEfs50Rungs);
    range = i > 0 ? kEfs50Rungs[i - 1] : kEfs50Rungs[std::size(kEfs50Rungs) - 1];
}

void step_up_proline4(double& range) {
    const int i = rung_of(range, kProline4Rungs);
    if (i < 0) return;
    range = i + 1 < static_cast<int>(std::size(kProline4Rungs)) ? kProline4Rungs[i + 1] : kProline4Rungs[0];
}
void step_down_proline4(double& range) {
    const int i = rung_of(range, kProline4Rungs);
    if (i < 0) return;
    range = i > 0 ? kProline4Rungs[i - 1] : kProline4Rungs[std::size(kProline4Rungs) - 1];
}

bool p1000_steps_tcas_window() {
    return tcas_display_on == 1 && DrawTcasWindowOnP1000MFD == 1;
}

void step_p1000(bool up) {
    if (p1000_controller_present != 0) return;
    if (p1000_steps_tcas_window()) {
        double& r = p1000_tcas_window_range;
        up ? step_up_efs50(r) : step_down_efs50(r);
        if (up && r > 40.0) r = 5.0;
        if (!up && r < 5.0) r = 40.0;
    } else {
        up ? step_up_efs50(p1000_mfd_range) : step_down_efs50(p1000_mfd_range);
    }
}

} // namespace

void map_range_up() {
    step_up_stopping(hw_b737_nd_range, kStandardRungs, kWholeRungsStandard);
    step_up_efs50(efs50_ehsi_range);
    step_p1000(true);
    step_up_stopping(hw_md11_nd_range, kMd11Rungs);
    step_up_stopping(du_1000_ehsi_range, kDu1000Rungs, kWholeRungsDu1000);
    step_up_proline4(proline4_mfd_range);
    step_up_stopping(md80_ehsi_range, kStandardRungs, kWholeRungsStandard);
    step_up_stopping(c17_map_range_nm, kStandardRungs);
}

void map_range_down() {
    step_down_gated(hw_b737_nd_range, kStandardRungs, 10.0, true);
    step_down_efs50(efs50_ehsi_range);
    step_p1000(false);
    step_down_gated(hw_md11_nd_range, kMd11Rungs, 10.0, true);
    step_down_gated(du_1000_ehsi_range, kDu1000Rungs, 15.0, false);
    step_down_proline4(proline4_mfd_range);
    step_down_gated(md80_ehsi_range, kStandardRungs, 10.0, true);
    step_down_gated(c17_map_range_nm, kStandardRungs, 5.0, true);
}

void set_map_range_all(double range_nm) {
    if (!std::isfinite(range_nm) || range_nm <= 0.0) return;
    efs50_ehsi_range = range_nm;
    hw_b737_nd_range = range_nm;
    hw_md11_nd_range = range_nm;
    du_1000_ehsi_range = range_nm;
    proline4_mfd_range = range_nm;
    md80_ehsi_range = range_nm;
    c17_map_range_nm = range_nm;
    if (p1000_steps_tcas_window())
        p1000_tcas_window_range = range_nm;
    else
        p1000_mfd_range = range_nm;
}

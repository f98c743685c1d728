#include "pfd/flight_director.h"

double fd_bank_cue_deg = 0.0;
double fd_pitch_cue_deg = 0.0;

namespace {

void step_toward(double& cue, double target, double step) {
    if (cue - target >= step)
        cue -= step;
    else if (target - cue >= step)
        cue += step;
    else
        cue = target;
}

} // namespace

void step_fd_cues(double bank_target, double pitch_target) {
    step_toward(fd_bank_cue_deg, bank_target, 0.33);
    step_toward(fd_pitch_cue_deg, pitch_target, 0.11);
}

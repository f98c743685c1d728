// Flight-director cues shared by every attitude display that shows one. Each
// display works out its own targets and steps the cues once per drawn frame,
// so displays drawn in the same frame share one smoothing state.
#pragma once

// Degrees; 0 at load.
extern double fd_bank_cue_deg;
extern double fd_pitch_cue_deg;

// Moves each cue toward its target by at most 0.33 (bank) and 0.11 (pitch)
// degrees; a cue closer than its step takes the target.
void step_fd_cues(double bank_target, double pitch_target);

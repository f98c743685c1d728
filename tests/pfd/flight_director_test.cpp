// The flight-director cues that the attitude displays share: each drawn
// frame of each display steps them once toward that display's targets.
#include "host_services.h"
#include "sim_state.h"

#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/flight_director.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

namespace {

using Pass = void (*)(void* dc);

void efs50(void* dc) {
    render_efs50_eadi(dc, PixelSize{266, 230}, RENDER_MODE_DRAW);
}
void a320(void* dc) {
    render_a320_eadi(dc, PixelSize{318, 310}, 1, 320);
}
void b777(void* dc) {
    render_b777_pfd(dc, PixelSize{260, 260}, RENDER_MODE_DRAW);
}

class FlightDirectorCues : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(320, 320, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
        fd_bank_cue_deg = fd_pitch_cue_deg = 0.0;
        host::set_token(792, 1);
        aircraft_state.snap_token_794 = 40; // 40 degrees from the bank
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
    }
    void run(Pass pass) {
        gfx::surface_recording(dc_)->clear();
        pass(dc_);
    }
    void* dc_ = nullptr;
};

TEST_F(FlightDirectorCues, StepHelperMovesBySteps) {
    step_fd_cues(1.0, 1.0);
    EXPECT_NEAR(fd_bank_cue_deg, 0.33, 1e-12);
    EXPECT_NEAR(fd_pitch_cue_deg, 0.11, 1e-12);
    for (int i = 0; i < 9; ++i)
        step_fd_cues(1.0, 1.0);
    EXPECT_EQ(fd_bank_cue_deg, 1.0);
    EXPECT_EQ(fd_pitch_cue_deg, 1.0); // nine steps of 0.11 and one of 0.01
}

TEST_F(FlightDirectorCues, EachDisplayReachesTheClampIn76Frames) {
    for (Pass pass : {efs50, a320, b777}) {
        fd_bank_cue_deg = 0.0;
        for (int i = 0; i < 75; ++i)
            run(pass);
        EXPECT_NEAR(fd_bank_cue_deg, -24.75, 1e-9);
        run(pass);
        EXPECT_EQ(fd_bank_cue_deg, -25.0);
    }
}

TEST_F(FlightDirectorCues, TwoDisplaysInOneFrameStepTwice) {
    run(efs50);
    run(a320);
    EXPECT_NEAR(fd_bank_cue_deg, -0.66, 1e-12);
    aircraft_state.display_power = 0; // unpowered displays leave the cues alone
    run(efs50);
    run(a320);
    EXPECT_NEAR(fd_bank_cue_deg, -0.66, 1e-12);
    EXPECT_EQ(gfx::surface_recording(dc_)->drawing_count(), 1u);
}

TEST_F(FlightDirectorCues, A320PitchTargetBySigns) {
    struct Row {
        double command, pitch, target;
    } rows[] = {{-3, -1, -2}, {3, 1, 2}, {3, -1, 2}, {0, -2, 2}, {-3, 1, -2}, {0, 2, -2}};
    for (const Row& row : rows) {
        aircraft_state.snap_token_793 = row.command;
        aircraft_state.pitch_deg = row.pitch;
        fd_pitch_cue_deg = row.target - 0.05; // within one step: takes the target
        run(a320);
        EXPECT_NEAR(fd_pitch_cue_deg, row.target, 1e-12) << row.command << " " << row.pitch;
    }
}

} // namespace

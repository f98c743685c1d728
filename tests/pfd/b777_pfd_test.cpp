// The B777_PFD_NB render pass on a 260 x 260 recording surface, where one
// device pixel is one design unit and the attitude centre is at (115, 130).
#include "host_services.h"
#include "sim_state.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/air_data.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/b777_pfd.h"
#include "pfd/flight_director.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class B777Pfd : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(260, 260, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
        aircraft_state.snap_token_75 = 1013.25;
        aircraft_state.radio_altitude_ft = 5000;
        fd_bank_cue_deg = fd_pitch_cue_deg = 0.0;
        lnav_engaged = vnav_engaged = 0;
        speed_trend = 0.0;
        V1 = VR = V2 = VREF = 0;
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
    }
    const gfx::Recording& draw(int32_t mode = 1) {
        gfx::Recording& r = *gfx::surface_recording(dc_);
        r.clear();
        render_b777_pfd(dc_, PixelSize{260, 260}, mode);
        return r;
    }
    // Text at a design position relative to the attitude centre.
    static std::string text_at(const gfx::Recording& r, float x, float y, gfx::Argb* colour = nullptr) {
        const gfx::RecordedOp* op = r.text_near(115 + x, 130 + y, 0.5f);
        if (op == nullptr) return "<none>";
        if (colour != nullptr) *colour = op->color;
        return op->text;
    }
    void* dc_ = nullptr;
};

TEST_F(B777Pfd, PowerOffOrClearModeLeavesOnlyTheTransparentClear) {
    for (int case_ = 0; case_ < 2; ++case_) {
        aircraft_state.display_power = case_ == 0 ? 0 : 1;
        const gfx::Recording& r = draw(case_ == 0 ? 1 : 2);
        ASSERT_FALSE(r.ops.empty());
        EXPECT_EQ(r.ops.back().kind, gfx::OpKind::Clear);
        EXPECT_EQ(r.ops.back().color, 0x0072BD61u);
        EXPECT_TRUE(r.texts().empty());
    }
}

TEST_F(B777Pfd, ZeroSizedElementDrawsNothingBeyondTheFrame) {
    gfx::Recording& r = *gfx::surface_recording(dc_);
    r.clear();
    render_b777_pfd(dc_, PixelSize{0, 0}, RENDER_MODE_DRAW);
    EXPECT_TRUE(r.texts().empty());
}

TEST_F(B777Pfd, PitchLadderLabelsTheTenDegreeLineOnTheCentre) {
    aircraft_state.pitch_deg = 10.0;
    const gfx::Recording& r = draw();
    // Horizon 30 units up; the 10 below it lies on the centre, labelled both sides.
    EXPECT_EQ(text_at(r, 32, -5), "10");
    EXPECT_EQ(text_at(r, -45, -5), "10");
    EXPECT_EQ(text_at(r, 32, -65), "10");
}

TEST_F(B777Pfd, FlightDirectorCuesStepTowardTheCommand) {
    host::set_token(792, 1);
    aircraft_state.snap_token_794 = 40.0; // 40 degrees from the bank: target -25
    aircraft_state.snap_token_793 = 1.0;
    draw();
    EXPECT_NEAR(fd_bank_cue_deg, -0.33, 1e-9);
    EXPECT_NEAR(fd_pitch_cue_deg, 0.11, 1e-9);
    for (int i = 0; i < 80; ++i)
        draw();
    EXPECT_EQ(fd_bank_cue_deg, -25.0);
    EXPECT_EQ(fd_pitch_cue_deg, 1.0);
}

TEST_F(B777Pfd, SpeedTapeLabelsAndRollingReadout) {
    aircraft_state.speed_smoothed = 250.4;
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    // 260 sits (250 - 260 + 0.4) x 1.5 units from the centre, label 5 above.
    EXPECT_EQ(text_at(r, -110, -19.4f, &colour), "260");
    EXPECT_EQ(colour, b777::kWhite);
    EXPECT_EQ(text_at(r, -110, 10.6f), "240");

    aircraft_state.speed_smoothed = 99.95;
    const gfx::Recording& r2 = draw();
    const float ys[] = {-17, -5, 7, 19, 31};
    const char* digits[] = {"1", "0", "9", "8", "7"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text_at(r2, -101, ys[i]), digits[i]) << i;
    EXPECT_EQ(text_at(r2, -109, -7), "9");

    // Speeds beyond three digits keep to the readout's buffer.
    aircraft_state.speed_smoothed = 12345.678;
    const gfx::Recording& r3 = draw();
    EXPECT_EQ(text_at(r3, -117, -7), "1");
}

TEST_F(B777Pfd, TakeoffSpeedsOnTheGround) {
    aircraft_state.speed_smoothed = 120;
    aircraft_state.radio_altitude_ft = 0;
    VR = 140;
    const gfx::Recording& r = draw();
    EXPECT_EQ(V1, 140); // taken from VR, so only "R" shows
    EXPECT_NE(r.find_text("R"), nullptr);
    EXPECT_EQ(r.find_text("V1"), nullptr);
    EXPECT_EQ(r.find_text("V2"), nullptr);
    VR = 0;
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(text_at(r2, -81, -57), "NO");
}

// The readout in hundreds toward zero; a speed a hair short of a hundred (a
// climb of 2300 ft/min summed over a frame of 1/18 s and undone) is that hundred.
TEST_F(B777Pfd, VerticalSpeedReadoutInWholeHundreds) {
    const struct {
        double vs;
        float y;
        const char* shown;
    } rows[] = {
        {2299.9999999999995, -83, "2300"},
        {2299.5, -83, "2200"},
        {-2299.9999999999995, 73, "2300"},
        {-150.0, 73, " 100"},
        {101.0, -83, " 100"},
    };
    for (const auto& row : rows) {
        aircraft_state.vertical_speed_fpm = row.vs;
        EXPECT_EQ(text_at(draw(), 123, row.y), row.shown) << row.vs;
    }
}

TEST_F(B777Pfd, AltitudeDrumVerticalSpeedAndBaro) {
    aircraft_state.indicated_altitude_ft = 12345;
    aircraft_state.vertical_speed_fpm = 2500;
    aircraft_state.snap_token_75 = 1014;
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    const float ys[] = {-26, -14, -2, 10, 22};
    const char* drum[] = {"80", "60", "40", "20", "00"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text_at(r, 113, ys[i]), drum[i]) << i;
    EXPECT_EQ(text_at(r, 91, -6), "1");
    EXPECT_EQ(text_at(r, 107, -5), "3");
    EXPECT_EQ(text_at(r, 123, -83), "2500");
    EXPECT_EQ(text_at(r, 85, 100, &colour), "29.94 IN");
    EXPECT_EQ(colour, b777::kGreen);
    EXPECT_EQ(text_at(r, 85, 115, &colour), "1014 HPA");
    EXPECT_EQ(colour, b777::kWhite);
    EXPECT_EQ(r.find_text("STD"), nullptr);
    bool pointer = false; // from (145, 0) to d = -50
    for (const gfx::RecordedOp* op : r.lines_in_color(b777::kWhite))
        if (op->points.size() == 2 && op->points[0].x == 260 && op->points[1].y == 80) pointer = true;
    EXPECT_TRUE(pointer);

    // Below sea level the sign stands before the first digit.
    struct Below {
        double altitude;
        const char* places[3]; // at x 91, 99 and 107
    };
    for (const Below b : {Below{-1500, {"-", "1", "5"}}, Below{-40, {" ", " ", "-"}}}) {
        aircraft_state.indicated_altitude_ft = b.altitude;
        const gfx::Recording& below = draw();
        EXPECT_EQ(text_at(below, 91, -6), b.places[0]) << b.altitude;
        EXPECT_EQ(text_at(below, 99, -6), b.places[1]) << b.altitude;
        EXPECT_EQ(text_at(below, 107, -5), b.places[2]) << b.altitude;
    }

    aircraft_state.indicated_altitude_ft = 100;
    aircraft_state.vertical_speed_fpm = -50;
    aircraft_state.snap_token_75 = 1013.25;
    const gfx::Recording& r2 = draw();
    EXPECT_NE(r2.find_text("000"), nullptr);
    EXPECT_NE(r2.find_text("STD"), nullptr);
    EXPECT_EQ(r2.find_text("HPA"), nullptr);
    EXPECT_EQ(text_at(r2, 123, 73), "<none>");
}

TEST_F(B777Pfd, ModeAnnunciations) {
    gfx::Argb colour = 0;
    aircraft_state.snap_token_106 = 1;
    lnav_engaged = 1;
    EXPECT_EQ(text_at(draw(), -18, -130, &colour), "LNAV");
    EXPECT_EQ(colour, b777::kGreen);
    aircraft_state.snap_token_106 = 0;
    EXPECT_EQ(text_at(draw(), -15, -118, &colour), "LNAV");
    EXPECT_EQ(colour, b777::kWhite);

    aircraft_state.snap_token_108 = 1.0;
    aircraft_state.snap_token_115 = 1.0;
    vnav_engaged = 1;
    const int keep = VnavSetSpd;
    VnavSetSpd = 1;
    EXPECT_EQ(text_at(draw(), 27, -130), "VNAV SPD");
    VnavSetSpd = 0;
    EXPECT_EQ(text_at(draw(), 27, -130), "VNAV PTH");
    VnavSetSpd = keep;

    host::set_token(792, 1);
    aircraft_state.snap_token_103 = 1.0;
    const gfx::Recording& r = draw();
    EXPECT_NE(r.find_text("A/P"), nullptr);
    EXPECT_EQ(r.find_text("FLT DIR"), nullptr);
}

TEST_F(B777Pfd, HeadingScaleLabelsNearTheHeading) {
    aircraft_state.heading_deg = 10.0;
    aircraft_state.heading_bug_deg = 5.0;
    const gfx::Recording& r = draw();
    for (const char* shown : {"0", "01", "03", "06", "32", "35"})
        EXPECT_NE(r.find_text(shown), nullptr) << shown;
    for (const char* hidden : {"07", "31", "18"})
        EXPECT_EQ(r.find_text(hidden), nullptr) << hidden;
    EXPECT_EQ(text_at(r, -30, 119), "005"); // rose centre 230 below the attitude centre
}

TEST_F(B777Pfd, TapesAndAttitudeDrawInsideTheirClips) {
    aircraft_state.speed_smoothed = 250.4;
    aircraft_state.indicated_altitude_ft = 1234;
    aircraft_state.vertical_speed_fpm = 2500;
    const gfx::Recording& r = draw();
    const auto clip_of = [&r](const gfx::RecordedOp* op) {
        EXPECT_NE(op, nullptr);
        return op == nullptr || op->clip < 0 ? gfx::RectF{} : r.ops[op->clip].bounds;
    };
    struct Row {
        const char* text;
        gfx::RectF clip; // device bounds, one pixel per design unit
    } rows[] = {
        {"260", {0, 30, 45, 200}},    // speed tape: x -115 ... -70, y -100 ... 100
        {"1200", {195, 30, 40, 200}}, // altitude tape: x 80 ... 120
    };
    for (const Row& row : rows) {
        const gfx::RectF c = clip_of(r.find_text(row.text));
        EXPECT_NEAR(c.x, row.clip.x, 0.5) << row.text;
        EXPECT_NEAR(c.y, row.clip.y, 0.5) << row.text;
        EXPECT_NEAR(c.width, row.clip.width, 0.5) << row.text;
        EXPECT_NEAR(c.height, row.clip.height, 0.5) << row.text;
    }
    // The sky lies within the rounded attitude window (x -70 ... 70, y -75 ... 75).
    const std::vector<const gfx::RecordedOp*> sky = r.fills_in_color(0xFF2875C5);
    ASSERT_FALSE(sky.empty());
    const gfx::RectF w = clip_of(sky.front());
    EXPECT_NEAR(w.x, 45, 0.5);
    EXPECT_NEAR(w.y, 55, 0.5);
    EXPECT_NEAR(w.width, 140, 0.5);
    EXPECT_NEAR(w.height, 150, 0.5);
    // The vertical-speed readout is drawn without a clip.
    const gfx::RecordedOp* vs = r.find_text("2500");
    ASSERT_NE(vs, nullptr);
    EXPECT_EQ(vs->clip, -1);
}

} // namespace

// The A320_EADI_NB render pass on a 318 x 310 recording surface, where one
// device pixel is one design unit and the attitude centre is at (149, 155).
// Positions are canvas positions; the fine grid places to a fraction of a
// unit.
#include "host_services.h"
#include "sim_state.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/air_data.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/a320_eadi.h"
#include "pfd/flight_director.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class A320Eadi : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(318, 310, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
        aircraft_state.snap_token_75 = 1020;
        aircraft_state.radio_altitude_ft = 5000;
        aircraft_state.mach = 0.5;
        fd_bank_cue_deg = fd_pitch_cue_deg = 0.0;
        lnav_engaged = vnav_engaged = 0;
        speed_trend = 0.0;
        V1 = VR = V2 = VREF = 0;
        EadiDualCue = 0;
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
        lnav_engaged = vnav_engaged = 0;
    }
    const gfx::Recording& draw(PixelSize size = {318, 310}) {
        gfx::Recording& r = *gfx::surface_recording(dc_);
        r.clear();
        render_a320_eadi(dc_, size, 1, 320);
        return r;
    }
    static std::string text_at(const gfx::Recording& r, float x, float y, gfx::Argb* colour = nullptr,
                               float* pixels = nullptr) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.1f);
        if (op == nullptr) return "<none>";
        if (colour != nullptr) *colour = op->color;
        if (pixels != nullptr) *pixels = op->font_size * op->transform.m11;
        return op->text;
    }
    void* dc_ = nullptr;
};

TEST_F(A320Eadi, PowerOffAndZeroSizeDrawNoPicture) {
    aircraft_state.display_power = 0;
    const gfx::Recording& off = draw();
    ASSERT_FALSE(off.ops.empty());
    EXPECT_EQ(off.ops.back().kind, gfx::OpKind::Clear);
    EXPECT_EQ(off.drawing_count(), 1u);
    aircraft_state.display_power = 1;
    EXPECT_TRUE(draw({0, 0}).texts().empty());
    EXPECT_TRUE(draw({318, 0}).texts().empty());
}

TEST_F(A320Eadi, AltitudeDigitsAndDrum) {
    struct Row {
        double altitude;
        const char* big; // the three big characters, blank where none is drawn
        const char* drum[5];
        float drum_top;
    } rows[] = {
        {12345, "123", {"80", "60", "40", "20", "00"}, 128},
        {123456, "123", {"80", "60", "40", "20", "00"}, 128}, // the first five characters
        {50, "   ", {"80", "60", "40", "20", "00"}, 131},
        // Below sea level the sign stands before the first digit.
        {-40, "  -", {"80", "60", "40", "20", "00"}, 125},
        {-1500, "-15", {"40", "20", "00", "80", "60"}, 125},
        {-25000, "-99", {"20", "00", "80", "60", "40"}, 136}, // the lowest the places hold: -9999
    };
    for (const Row& row : rows) {
        aircraft_state.indicated_altitude_ft = row.altitude;
        const gfx::Recording& r = draw();
        for (int i = 0; i < 3; ++i) {
            gfx::Argb colour = 0;
            float px = 0;
            const std::string big = text_at(r, 254 + 10.0f * i, 146, &colour, &px);
            if (row.big[i] == ' ') {
                EXPECT_EQ(big, "<none>") << row.altitude << " " << i;
                continue;
            }
            EXPECT_EQ(big, std::string(1, row.big[i])) << row.altitude;
            EXPECT_EQ(colour, a320::kGreen);
            EXPECT_NEAR(px, 17, 0.01);
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(text_at(r, 286, row.drum_top + 12.0f * i), row.drum[i]) << row.altitude << " " << i;
    }
}

TEST_F(A320Eadi, ModeBand) {
    AircraftState& a = aircraft_state;
    a.snap_token_103 = 1;
    a.snap_token_108 = 1;
    a.ap_vertical_speed_target_fpm = 1500;
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 69, 0, &colour), "V/S +1500");
    EXPECT_EQ(colour, a320::kCyan);
    EXPECT_EQ(text_at(r, 69, 14), "ALT");
    EXPECT_EQ(text_at(r, 274, 0, &colour), "AP1");
    EXPECT_EQ(colour, a320::kWhite);

    a.ap_vertical_speed_target_fpm = 150; // below 200: only "ALT"
    EXPECT_EQ(text_at(draw(), 69, 0), "<none>");

    vnav_engaged = 1;
    a.ap_vertical_speed_target_fpm = -800;
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(text_at(r2, 69, 0), "DES");
    EXPECT_EQ(r2.find_text("ALT"), nullptr);
    a.ap_vertical_speed_target_fpm = 0;
    EXPECT_EQ(text_at(draw(), 69, 14), "ALT");

    a.snap_token_106_int = 1;
    a.snap_token_105 = 1;
    lnav_engaged = 1;
    const gfx::Recording& r3 = draw();
    EXPECT_EQ(text_at(r3, 149, 14), "NAV");
    EXPECT_EQ(r3.find_text("HDG"), nullptr);
    EXPECT_EQ(r3.find_text("GPS NAV"), nullptr);

    a.snap_token_115 = a.snap_token_117 = 1;
    EXPECT_EQ(text_at(draw(), 14, 0), "SPEED");
}

TEST_F(A320Eadi, MarkerBaroAndVerticalSpeed) {
    host::set_token(354, 2);
    aircraft_state.snap_token_75 = 1013.2;
    aircraft_state.vertical_speed_fpm = 2500;
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 229, 243, &colour), "MM");
    EXPECT_EQ(colour, a320::kAmber);
    EXPECT_EQ(text_at(r, 249, 285), "STD");
    bool box = false, black = false;
    for (const gfx::RecordedOp& op : r.ops) {
        if (op.kind != gfx::OpKind::Rectangle) continue;
        const gfx::RectF& b = op.bounds;
        if (!op.fill && op.color == a320::kAmber && b.x == 249 && b.y == 285 && b.width == 30 &&
            b.height == 12)
            box = true;
        if (op.fill && op.color == a320::kBlack && b.x == 305 && b.y == 71 && b.width == 15 && b.height == 10)
            black = true;
    }
    EXPECT_TRUE(box);
    EXPECT_TRUE(black);
    EXPECT_EQ(text_at(r, 305, 71), "25");
    // A climb of 2300 ft/min summed over a frame and undone reads its hundred.
    aircraft_state.vertical_speed_fpm = 2299.9999999999995;
    EXPECT_NE(draw().find_text("23"), nullptr);

    aircraft_state.snap_token_75 = 1013.4;
    aircraft_state.vertical_speed_fpm = 150; // needle only
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(r2.find_text("STD"), nullptr);
    EXPECT_EQ(text_at(r2, 249, 275), "QNH");
    EXPECT_EQ(r2.find_text("1"), nullptr);
}

TEST_F(A320Eadi, IlsBlockBelowMachPointFour) {
    aircraft_state.mach = 0.3;
    aircraft_state.nav1_dme_nm = 12.3;
    host::set_token(49, 1);
    host::set_token_code(24, 0x1090);
    host::set_token_text(47, "IABC");
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, -1, 273, &colour), "IABC");
    EXPECT_EQ(colour, a320::kMagenta);
    EXPECT_EQ(text_at(r, -1, 285), "110.90");
    EXPECT_EQ(text_at(r, -1, 297), "12.3 NM");

    host::clear_token(47); // no identifier text: empty, and the rest still shows
    aircraft_state.nav1_dme_nm = 0;
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(text_at(r2, -1, 273), "");
    EXPECT_EQ(text_at(r2, -1, 297), "<none>");

    aircraft_state.mach = 0.78;
    const gfx::Recording& r3 = draw();
    EXPECT_EQ(text_at(r3, -1, 275), ".780");
    EXPECT_EQ(r3.find_text("110.90"), nullptr);
}

TEST_F(A320Eadi, HeadingScaleLabelsAndTarget) {
    aircraft_state.heading_deg = 100;
    aircraft_state.heading_bug_deg = 130;
    gfx::Argb colour = 0;
    EXPECT_EQ(text_at(draw(), 217, 273, &colour), "130");
    EXPECT_EQ(colour, a320::kCyan);
    aircraft_state.heading_bug_deg = 70;
    EXPECT_EQ(text_at(draw(), 59, 273), "070");

    aircraft_state.heading_deg = 359.5;
    aircraft_state.heading_bug_deg = 359.5;
    float px = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 142.8f, 293, nullptr, &px), " 0");
    EXPECT_NEAR(px, 15, 0.01);
    EXPECT_EQ(text_at(r, 106.8f, 295, nullptr, &px), "35");
    EXPECT_NEAR(px, 12, 0.01);
    EXPECT_EQ(r.find_text("359"), nullptr); // the target marker, not its readout
}

TEST_F(A320Eadi, LadderBelowTheHorizonOnlyInTheAir) {
    const auto labels = [](const gfx::Recording& r) {
        int n = 0;
        for (const gfx::RecordedOp& op : r.ops)
            if (op.kind == gfx::OpKind::String && op.text == "10") ++n;
        return n;
    };
    EXPECT_EQ(labels(draw()), 4);
    host::set_token(60, 1);
    EXPECT_EQ(labels(draw()), 2);
}

TEST_F(A320Eadi, SpeedLimitStripsAboveTwoHundredFeet) {
    aircraft_state.speed_smoothed = 150;
    aircraft_state.radio_altitude_ft = 1000;
    host::set_token(63, 0); // vmax 0: the strip starts 70 kt below the speed
    const auto first_red_dash = [](const gfx::Recording& r) {
        for (const gfx::RecordedOp* op : r.lines_in_color(a320::kRed))
            if (op->points.size() == 2 && op->points[0].y == op->points[1].y) return op->points[0].y - 155.0f;
        return -1000.0f;
    };
    EXPECT_NEAR(first_red_dash(draw()), 177, 0.1);
    aircraft_state.radio_altitude_ft = 200;
    EXPECT_EQ(first_red_dash(draw()), -1000.0f);
}

TEST_F(A320Eadi, TakeoffMarksNeedVr) {
    aircraft_state.speed_smoothed = 120;
    aircraft_state.radio_altitude_ft = 0;
    V1 = 130;
    EXPECT_EQ(draw().find_text("1"), nullptr);
    VR = 135;
    // V1 10 kt above the speed: 25.3 units up, less 7.
    EXPECT_EQ(text_at(draw(), 36, 155 - 25.3f - 7), "1");
}

TEST_F(A320Eadi, FlightPathVectorFlashesAtItsLimit) {
    const int keep = DispFPV;
    DispFPV = 1;
    aircraft_state.ground_speed_kt = 100;
    host::set_token(65, -3000 * 1.30048); // 72 units down, held at 60
    const auto fpv_circle = [](const gfx::Recording& r) {
        for (const gfx::RecordedOp& op : r.ops)
            if (op.kind == gfx::OpKind::Ellipse && op.color == a320::kWhite && op.bounds.width == 12)
                return op.bounds.y + 6 - 155;
        return -1000.0f;
    };
    frame_slot = 7;
    EXPECT_NEAR(fpv_circle(draw()), 60, 0.01);
    frame_slot = 8;
    EXPECT_EQ(fpv_circle(draw()), -1000.0f);
    host::set_token(65, -1000 * 1.30048); // 24 units down: steady
    EXPECT_NEAR(fpv_circle(draw()), 24, 0.01);
    DispFPV = keep;
    frame_slot = 0;
}

} // namespace

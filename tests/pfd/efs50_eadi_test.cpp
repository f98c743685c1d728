// The EFS50_EADI render pass on a 266 x 230 recording surface, where one
// device pixel is one design unit and the attitude centre is at (129, 114).
// Positions are canvas positions; the fine frame places to 1/16 unit.
#include "host_services.h"
#include "sim_state.h"

#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/efs50_eadi.h"
#include "pfd/flight_director.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class Efs50Eadi : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(266, 230, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
        aircraft_state.radio_altitude_ft = 5000;
        fd_bank_cue_deg = fd_pitch_cue_deg = 0.0;
        lnav_engaged = vnav_engaged = 0;
        EadiDualCue = EADIHdgTape = ExpandEADI = ExpandEADILnav = 0;
        host::set_token(615, 200);
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
        EadiDualCue = EADIHdgTape = ExpandEADI = ExpandEADILnav = 0;
        lnav_engaged = 0;
    }
    const gfx::Recording& draw(PixelSize size = {266, 230}, int32_t mode = 1) {
        gfx::Recording& r = *gfx::surface_recording(dc_);
        r.clear();
        render_efs50_eadi(dc_, size, mode);
        return r;
    }
    static std::string text_at(const gfx::Recording& r, float x, float y, gfx::Argb* colour = nullptr) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.1f);
        if (op == nullptr) return "<none>";
        if (colour != nullptr) *colour = op->color;
        return op->text;
    }
    // A white line lying at canvas height y from x1 to x2 (0.1 unit).
    static bool white_line(const gfx::Recording& r, float x1, float x2, float y) {
        for (const gfx::RecordedOp* op : r.lines_in_color(efs50::kWhite)) {
            const auto& p = op->points;
            if (p.size() == 2 && std::fabs(p[0].y - y) < 0.1f && std::fabs(p[1].y - y) < 0.1f &&
                std::fabs(p[0].x - x1) < 0.1f && std::fabs(p[1].x - x2) < 0.1f)
                return true;
        }
        return false;
    }
    void* dc_ = nullptr;
};

TEST_F(Efs50Eadi, PowerOffClearModeAndZeroSizeDrawNoPicture) {
    aircraft_state.display_power = 0;
    const gfx::Recording& off = draw();
    ASSERT_FALSE(off.ops.empty());
    EXPECT_EQ(off.ops.back().kind, gfx::OpKind::Clear);
    EXPECT_EQ(off.ops.back().color, 0x00000000u);
    aircraft_state.display_power = 1;
    EXPECT_EQ(draw({266, 230}, 2).drawing_count(), 1u);
    // Only the background: no fine frame to divide by.
    EXPECT_TRUE(draw({0, 230}).texts().empty());
    EXPECT_TRUE(draw({266, 0}).texts().empty());
}

TEST_F(Efs50Eadi, ModeWordsOnlyWithTheAutopilot) {
    AircraftState& a = aircraft_state;
    a.snap_token_106 = 1;
    a.snap_token_105 = 1.0;
    EXPECT_EQ(draw().find_text("AP"), nullptr);
    a.snap_token_103 = 1.0;
    gfx::Argb colour = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 10, 0, &colour), "AP");
    EXPECT_EQ(colour, efs50::kLightGreen);
    EXPECT_EQ(text_at(r, 75, 0, &colour), "HDG");
    EXPECT_EQ(colour, efs50::kLightGreen);
    EXPECT_EQ(r.find_text("NAV"), nullptr);

    a.snap_token_106 = 0;
    a.snap_token_112 = 1.0;
    lnav_engaged = 1;
    vnav_engaged = 1;
    a.snap_token_108 = 1.0;
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(text_at(r2, 75, 0), "NAV");
    EXPECT_EQ(text_at(r2, 75, 10), "APR");
    EXPECT_EQ(r2.find_text("LNAV"), nullptr);
    EXPECT_EQ(text_at(r2, 150, 0, &colour), "VNAV");
    EXPECT_EQ(colour, efs50::kWhite);
    EXPECT_EQ(text_at(r2, 157, 10), "ALT");
    a.snap_token_108 = 0.0; // VNAV without altitude hold shows neither
    EXPECT_EQ(draw().find_text("VNAV"), nullptr);
}

TEST_F(Efs50Eadi, RadioAltitudeWithinItsRangeAndDecisionHeight) {
    struct Row {
        double ra;
        bool shown;
    } rows[] = {{2500, true}, {-20, true}, {2500.5, false}, {-20.5, false}};
    for (const Row& row : rows) {
        aircraft_state.radio_altitude_ft = row.ra;
        const gfx::Recording& r = draw();
        EXPECT_EQ(text_at(r, 230, 15) == "RA", row.shown) << row.ra;
        EXPECT_EQ(text_at(r, 210, 0) != "<none>", row.shown) << row.ra;
    }
    aircraft_state.radio_altitude_ft = 2500;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 210, 0), " 2500");
    EXPECT_EQ(text_at(r, 210, 203), "DH");
    EXPECT_EQ(text_at(r, 200, 213), "200");

    // A decision height too wide for the text buffer is cut, not overrun.
    host::set_token(615, 1e60);
    const std::string dh = text_at(draw(), 200, 213);
    EXPECT_EQ(dh.size(), 40u);
}

TEST_F(Efs50Eadi, HeadingTapeRedrawsEachQuarterDegreeStep) {
    EADIHdgTape = 1;
    aircraft_state.heading_deg = 100.3;
    aircraft_state.heading_bug_deg = 360; // marks heading 0, beyond the tape
    const gfx::Recording& r = draw();
    for (float x : {51.55f, 52.0f, 52.45f, 52.9f})
        EXPECT_EQ(text_at(r, x, 94), "6") << x;
    EXPECT_EQ(text_at(r, 53.35f, 94), "<none>");
    const auto bug_marks = [](const gfx::Recording& rec) {
        std::vector<const gfx::RecordedOp*> marks;
        for (const gfx::RecordedOp* op : rec.lines_in_color(efs50::kAmber))
            if (op->points.size() == 8) marks.push_back(op);
        return marks;
    };
    EXPECT_TRUE(bug_marks(r).empty());

    aircraft_state.heading_bug_deg = 110; // bug at offsets 9.75 ... 10.5, the last wins
    const std::vector<const gfx::RecordedOp*> marks = bug_marks(draw());
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_NEAR(marks[0]->points[3].x, 129 + 1.8f * 9, 0.1f);

    EADIHdgTape = 0;
    EXPECT_EQ(draw().find_text("6"), nullptr);
}

TEST_F(Efs50Eadi, HorizonAndLadderMoveAtTheirOwnRates) {
    aircraft_state.pitch_deg = 10;
    const gfx::Recording& r = draw();
    EXPECT_TRUE(white_line(r, 29.5f, 228.5f, 76)); // horizon, 3.8 units a degree
    EXPECT_TRUE(white_line(r, 99, 159, 84));       // ladder zero, 3.0
    EXPECT_TRUE(white_line(r, 99, 159, 114));      // the 10 below it on the centre
    EXPECT_EQ(text_at(r, 159, 106), "10");
    EXPECT_EQ(text_at(r, 74, 106), "10");
    EXPECT_EQ(text_at(r, 159, 76), "<none>"); // the zero line has no numbers
}

TEST_F(Efs50Eadi, WindowsFollowTheSettingsAndLnav) {
    const auto clip_of = [](const gfx::Recording& r, const gfx::RecordedOp* op) {
        EXPECT_NE(op, nullptr);
        return op == nullptr || op->clip < 0 ? gfx::RectF{} : r.ops[op->clip].bounds;
    };
    const auto sky_clip = [&](const gfx::Recording& r) {
        return clip_of(r, r.fills_in_color(efs50::kSky)[0]);
    };
    const auto horizon_clip = [&](const gfx::Recording& r) {
        for (const gfx::RecordedOp* op : r.lines_in_color(efs50::kWhite))
            if (std::fabs(op->points[0].x - 29.5f) < 0.1f) return clip_of(r, op);
        return gfx::RectF{};
    };
    struct Row {
        int lnav, expand, expand_lnav;
        float sky_x, sky_w, horizon_y, horizon_h;
    } rows[] = {
        {0, 0, 0, 30, 198, 20, 182}, {1, 0, 0, 30, 198, 10, 217}, {1, 0, 1, 5, 248, 10, 217},
        {0, 0, 1, 30, 198, 20, 182}, {0, 1, 0, 5, 248, 20, 182},
    };
    for (const Row& row : rows) {
        lnav_engaged = row.lnav;
        ExpandEADI = row.expand;
        ExpandEADILnav = row.expand_lnav;
        const gfx::Recording& r = draw();
        const gfx::RectF sky = sky_clip(r), horizon = horizon_clip(r);
        EXPECT_NEAR(sky.x, row.sky_x, 0.5) << row.lnav << row.expand << row.expand_lnav;
        EXPECT_NEAR(sky.width, row.sky_w, 0.5) << row.lnav << row.expand << row.expand_lnav;
        EXPECT_NEAR(horizon.y, row.horizon_y, 0.5) << row.lnav << row.expand << row.expand_lnav;
        EXPECT_NEAR(horizon.height, row.horizon_h, 0.5) << row.lnav << row.expand << row.expand_lnav;
    }
}

TEST_F(Efs50Eadi, SpeedDeviationClampsAndHides) {
    aircraft_state.speed_smoothed = 200;
    aircraft_state.ap_airspeed_target_kt = 250; // 50 kt: pointer held at 13 x 3 units
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 16, 60), "F");
    EXPECT_EQ(text_at(r, 5, 142), "A");
    EXPECT_EQ(text_at(r, 5, 152), "S");
    aircraft_state.ap_airspeed_target_kt = 250.1;
    EXPECT_EQ(draw().find_text("F"), nullptr);
}

TEST_F(Efs50Eadi, MarkerBeaconHexagons) {
    struct Row {
        double marker;
        const char* text;
        float x, y;
        gfx::Argb pen;
    } rows[] = {
        {1, "OM", 8, 161, efs50::kAmber}, {2, "MM", 8, 176, efs50::kBlue}, {3, "IM", 10, 190, efs50::kWhite}};
    for (const Row& row : rows) {
        host::set_token(354, row.marker);
        const gfx::Recording& r = draw();
        EXPECT_EQ(text_at(r, row.x, row.y), row.text);
        bool hexagon = false;
        for (const gfx::RecordedOp* op : r.lines_in_color(row.pen))
            if (op->points.size() == 7 && std::fabs(op->points[0].x - 10) < 0.1f) hexagon = true;
        EXPECT_TRUE(hexagon) << row.text;
    }
    host::set_token(354, 4);
    const gfx::Recording& r = draw();
    for (const char* t : {"OM", "MM", "IM"})
        EXPECT_EQ(r.find_text(t), nullptr);
}

TEST_F(Efs50Eadi, DirectorBarsBySymbolKind) {
    host::set_token(792, 1);
    aircraft_state.snap_token_794 = 10;
    aircraft_state.snap_token_793 = 2;
    const gfx::Recording& r = draw();
    ASSERT_FALSE(r.fills_in_color(efs50::kGreen).empty()); // single cue
    EXPECT_TRUE(r.lines_in_color(efs50::kMagenta).empty());
    EadiDualCue = 1;
    const gfx::Recording& r2 = draw();
    EXPECT_TRUE(r2.fills_in_color(efs50::kGreen).empty());
    // Cue -0.66 after two frames: the vertical bar at trunc(-1.98) = -1.
    bool vertical = false;
    for (const gfx::RecordedOp* op : r2.lines_in_color(efs50::kMagenta))
        if (std::fabs(op->points[0].x - 128) < 0.1f && std::fabs(op->points[0].y - 64) < 0.1f)
            vertical = true;
    EXPECT_TRUE(vertical);
    host::set_token(792, 0);
    const double cue = fd_bank_cue_deg;
    EXPECT_TRUE(draw().lines_in_color(efs50::kMagenta).empty());
    EXPECT_EQ(fd_bank_cue_deg, cue); // held while the director is off
}

} // namespace

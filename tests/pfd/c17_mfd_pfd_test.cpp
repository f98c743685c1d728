// The C17_MFD primary flight display (unit 1, format 1): attitude centre at
// canvas (122, 110), heading scale about (122, 229).
#include "c17_mfd_fixture.h"

#include "data/aircraft_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "pfd/b777_pfd.h"
#include "pfd/c17_mfd_pfd.h"
#include "pfd/flight_director.h"
#include "sim/host_probe.h"

#include <regex>

namespace {

using namespace c17pfd;

class C17Pfd : public C17Mfd {
  protected:
    void SetUp() override {
        C17Mfd::SetUp();
        fd_bank_cue_deg = fd_pitch_cue_deg = 0.0;
        lnav_engaged = vnav_engaged = 0;
        DispFPV = 0;
        frame_slot = 0;
        host::set_token(332, 16383);
    }
    // Text at a design position relative to the attitude centre.
    static std::string at_centre(const gfx::Recording& r, float x, float y) {
        return text_at(r, 122 + x, 110 + y);
    }
};

TEST_F(C17Pfd, CornerReadouts) {
    aircraft_state.ground_speed_kt = 245;
    aircraft_state.vertical_speed_fpm = -1500;
    aircraft_state.radio_altitude_ft = 1999;
    host::set_token(64, 15974.4); // Mach 0.78
    host::set_token(351, 624);    // 1.0 g
    const gfx::Recording& r = draw();
    const struct {
        float x, y;
        const char* text;
    } rows[] = {{0, 188, "GS 245"},    {0, 198, "M  .78"},    {200, 190, "VV -1500"},
                {200, 200, "RA 1999"}, {200, 210, "DH  200"}, {200, 220, "1.0 G"}};
    for (const auto& row : rows) {
        gfx::Argb colour = 0;
        float size = 0;
        EXPECT_EQ(text_at(r, row.x, row.y, &colour, &size), row.text);
        EXPECT_EQ(colour, kGreen) << row.text;
        EXPECT_FLOAT_EQ(size, 9) << row.text;
    }
    EXPECT_EQ(r.find_text("V1"), nullptr); // no NAV1 station

    aircraft_state.radio_altitude_ft = 2400;
    host::set_token(64, 1.05 * 65536 / 3.2);
    const gfx::Recording& r2 = draw();
    EXPECT_EQ(text_at(r2, 200, 200), "RA 2400");
    EXPECT_EQ(text_at(r2, 200, 210), "<none>");
    EXPECT_EQ(text_at(r2, 0, 198), "M 1.05");
}

TEST_F(C17Pfd, Nav1LinesAndTheStationName) {
    host::set_token(49, 1);
    host::set_token(31, 12.34);
    aircraft_state.nav1_course_deg = 75;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 40, 178), "075");
    EXPECT_EQ(text_at(r, 40, 188), "V1");
    EXPECT_EQ(text_at(r, 40, 198), "D12.3");
    EXPECT_EQ(text_at(r, 40, 208), ""); // the host handed back no text
    host::set_token_text(47, "IABC");
    EXPECT_EQ(text_at(draw(), 40, 208), "IABC");
}

TEST_F(C17Pfd, FirstApplyingWarningOrDecisionHeightAlert) {
    const int version = host_sim_version;
    host_sim_version = 9; // the decision height from token 615
    host::set_token(615, 200);
    struct Row {
        double ra, vs, nose_gear, stall, overspeed;
        const char* text;
        float x;
    } rows[] = {
        {450, -500, 0, 0, 0, "TERRAIN", 82},        {450, -500, 16383, 0, 0, nullptr, 0},
        {450, -2000, 16383, 0, 0, "TERRAIN", 82},   {1999, -4001, 16383, 0, 0, "TERRAIN", 82},
        {3999, -16001, 16383, 0, 0, "TERRAIN", 82}, {3000, 0, 16383, 1, 1, "STALL", 92},
        {3000, 0, 16383, 0, 1, "OVERSPEED", 62},    {205, -600, 16383, 0, 0, "DH", 102},
        {205, 600, 16383, 0, 0, nullptr, 0},        {211, -600, 16383, 0, 0, nullptr, 0},
    };
    for (const Row& row : rows) {
        aircraft_state.radio_altitude_ft = row.ra;
        aircraft_state.vertical_speed_fpm = row.vs;
        host::set_token(332, row.nose_gear);
        host::set_token(67, row.stall);
        host::set_token(68, row.overspeed);
        const gfx::Recording& r = draw();
        int reds = 0;
        for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::String))
            if (op->color == kRed) {
                ++reds;
                EXPECT_EQ(op->text, row.text ? row.text : "") << row.ra << " " << row.vs;
                EXPECT_NEAR(op->points[0].x, row.x, 0.01) << op->text;
                EXPECT_NEAR(op->points[0].y, 65, 0.01) << op->text;
                EXPECT_FLOAT_EQ(op->font_size, 17);
                EXPECT_GE(op->clip, 0); // inside the attitude window
            }
        EXPECT_EQ(reds, row.text ? 1 : 0) << row.ra << " " << row.vs;
    }
    host_sim_version = version;
}

TEST_F(C17Pfd, ModeAnnunciations) {
    aircraft_state.snap_token_115 = 1;
    aircraft_state.ap_airspeed_target_kt = 250;
    aircraft_state.snap_token_108 = 1;
    aircraft_state.ap_altitude_lock_ft = 12000;
    aircraft_state.snap_token_103 = 1;
    gfx::Argb colour = 0;
    float size = 0;
    const gfx::Recording& r = draw();
    EXPECT_EQ(text_at(r, 10, 5, &colour), "IAS 250");
    EXPECT_EQ(colour, kGreen);
    bool box = false;
    for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Rectangle))
        box = box ||
              (op->bounds.x == 10 && op->bounds.y == 4 && op->bounds.width == 43 && op->bounds.height == 11);
    EXPECT_TRUE(box);
    EXPECT_EQ(text_at(r, 200, 5, &colour, &size), "ALT 120");
    EXPECT_EQ(colour, kGreen);
    EXPECT_FLOAT_EQ(size, 8);

    aircraft_state.snap_token_103 = 0;
    const gfx::Recording& off = draw();
    EXPECT_EQ(text_at(off, 200, 5), "<none>");
    EXPECT_EQ(text_at(off, 200, 16, &colour), "ALT 120");
    EXPECT_EQ(colour, kWhite);

    // Lateral column: heading hold with approach adds the white APPR box;
    // LNAV wins over heading hold.
    aircraft_state.snap_token_103 = 1;
    aircraft_state.snap_token_106 = 1;
    aircraft_state.heading_bug_deg = 95;
    host::set_token(112, 1);
    const gfx::Recording& hdg = draw();
    EXPECT_EQ(text_at(hdg, 10, 220), "HDG 095");
    EXPECT_EQ(text_at(hdg, 10, 231, &colour), "APPR");
    EXPECT_EQ(colour, kWhite);
    lnav_engaged = 1;
    const gfx::Recording& lnav = draw();
    EXPECT_EQ(text_at(lnav, 10, 220), "LNAV");
    EXPECT_EQ(text_at(lnav, 10, 231), "<none>");
}

TEST_F(C17Pfd, SpeedAndAltitudeReadouts) {
    aircraft_state.speed_smoothed = 245.3;
    aircraft_state.indicated_altitude_ft = 12345;
    const gfx::Recording& r = draw();
    const struct {
        float x, y;
        const char* text;
    } rows[] = {
        {-118, -6, "2"}, {-109, -6, "4"}, {-100, -9, "5"}, {-100, 1, "6"},   {-100, -19, "4"}, {86, -6, "1"},
        {93, -6, "2"},   {100, -6, "3"},  {108, -1, "40"}, {108, -13, "50"}, {108, 11, "30"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(at_centre(r, row.x, row.y), row.text) << row.x << ", " << row.y;
    // Speeds grow downward: 240 above the centre, 260 below.
    EXPECT_EQ(at_centre(r, -115, -8.75f - 5), "240");
    EXPECT_EQ(at_centre(r, -115, 26.25f - 5), "260");
    EXPECT_EQ(at_centre(r, 95, -10.075f - 5), "12500");
}

TEST_F(C17Pfd, DrumsShowDigitsOnly) {
    const std::regex tens("[0-9]0"), units("[0-9]");
    // Below zero a sign stands in the digit places; 99.6 ft prints as 100.
    for (double altitude : {-20.0, 99.6, -1234.0, 9999.7}) {
        aircraft_state.indicated_altitude_ft = altitude;
        aircraft_state.speed_smoothed = altitude / 10;
        int drums = 0;
        for (const gfx::RecordedOp* op : draw().of_kind(gfx::OpKind::String)) {
            const float x = op->points[0].x;
            if (std::abs(x - (122 + 108)) < 0.1f) {
                ++drums;
                EXPECT_TRUE(std::regex_match(op->text, tens)) << altitude << ": " << op->text;
            } else if (std::abs(x - (122 - 100)) < 0.1f) {
                ++drums;
                EXPECT_TRUE(std::regex_match(op->text, units)) << altitude << ": " << op->text;
            }
        }
        EXPECT_EQ(drums, 10) << altitude;
    }
    // Below sea level the big places show the sign and the digits.
    aircraft_state.indicated_altitude_ft = -1500;
    const gfx::Recording& below = draw();
    EXPECT_EQ(at_centre(below, 86, -6), "-");
    EXPECT_EQ(at_centre(below, 93, -6), "1");
    EXPECT_EQ(at_centre(below, 100, -6), "5");
    aircraft_state.indicated_altitude_ft = 99.6;
    const gfx::Recording& r = draw();
    EXPECT_EQ(at_centre(r, 100, -6), "1");
    EXPECT_EQ(at_centre(r, 108, -6), "00");
}

TEST_F(C17Pfd, HeadingScaleBugAndCourseCross) {
    aircraft_state.heading_deg = 358;
    aircraft_state.heading_bug_deg = 5;
    aircraft_state.nav1_course_deg = 300;
    const gfx::Recording& r = draw();
    const struct {
        float x;
        const char* label;
    } marks[] = {{-36, "34"}, {-16, "35"}, {4, "00"}, {24, "01"}, {44, "02"}};
    for (const auto& m : marks) {
        EXPECT_TRUE(has_line(r, kWhite, 122 + m.x, 229, 122 + m.x, 221)) << m.label;
        EXPECT_EQ(text_at(r, 122 + m.x - 7, 231), m.label);
    }
    EXPECT_TRUE(has_line(r, kCyan, 136, 219, 136, 224)); // bug at x 14
    EXPECT_EQ(r.find_text("005"), nullptr);
    EXPECT_TRUE(has_line(r, kWhite, 67, 215, 67, 223)); // course 58 degrees left: at the limit

    // Just east of north the scale runs on from 359 to the left.
    aircraft_state.heading_deg = 0.5;
    aircraft_state.heading_bug_deg = 200;
    const gfx::Recording& north = draw();
    int zeros = 0;
    for (const gfx::RecordedOp* op : north.of_kind(gfx::OpKind::String))
        zeros += op->text == "00" && std::abs(op->points[0].y - 231) < 0.1f;
    EXPECT_EQ(zeros, 1);
    EXPECT_EQ(text_at(north, 122 - 55 - 7, 209), "200"); // bug at the left limit
}

TEST_F(C17Pfd, BugsStopAtTheScaleEndsWithASecondChevron) {
    aircraft_state.snap_token_103 = 1;
    aircraft_state.snap_token_108 = 1;
    aircraft_state.indicated_altitude_ft = 5000;
    aircraft_state.ap_altitude_lock_ft = 8000;
    aircraft_state.snap_token_115 = 1;
    aircraft_state.speed_smoothed = 200;
    aircraft_state.ap_airspeed_target_kt = 210;
    const gfx::Recording& r = draw();
    EXPECT_TRUE(has_line(r, kCyan, 205, 45, 200, 40));     // altitude hold: cyan first
    EXPECT_TRUE(has_line(r, kBugGreen, 202, 45, 197, 40)); // then the other colour
    EXPECT_TRUE(has_line(r, kCyan, 37, 126, 42, 121));     // speed 16 units below
    EXPECT_FALSE(has_line(r, kCyan, 40, 126, 45, 121));

    aircraft_state.ap_altitude_lock_ft = 5100;
    const gfx::Recording& near = draw();
    EXPECT_TRUE(has_line(near, kCyan, 205, 104, 200, 99));
    EXPECT_FALSE(has_line(near, kBugGreen, 202, 104, 197, 99));
}

TEST_F(C17Pfd, DeviationScales) {
    const auto pointers = [](const gfx::Recording& r) {
        std::vector<gfx::PointF> tips;
        for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Polygon))
            if (op->color == kMagenta) tips.push_back(op->points[0]);
        return tips;
    };
    host::set_token_code(46, 64); // glideslope only, no NAV1 signal
    aircraft_state.snap_token_41 = 127;
    aircraft_state.snap_token_40 = 127;
    std::vector<gfx::PointF> tips = pointers(draw());
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].x, 197); // 38 below: the outer dot
    EXPECT_EQ(tips[0].y, 143);
    host::set_token_code(46, 128);
    host::set_token(49, 1);
    tips = pointers(draw());
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].x, 172); // 50 right: the outer dot
    EXPECT_EQ(tips[0].y, 190);
}

TEST_F(C17Pfd, FlightDirectorSharesTheCuesWithTheB777) {
    host::set_token(792, 1);
    aircraft_state.snap_token_794 = 40; // 40 degrees from the bank: target -25
    aircraft_state.snap_token_793 = 10;
    aircraft_state.pitch_deg = 5;
    draw();
    render_b777_pfd(dc_, PixelSize{246, 241}, RENDER_MODE_DRAW);
    EXPECT_NEAR(fd_bank_cue_deg, -0.66, 1e-9); // two displays, two steps
    EXPECT_NEAR(fd_pitch_cue_deg, 0.22, 1e-9);
    for (int i = 0; i < 80; ++i)
        draw();
    EXPECT_EQ(fd_bank_cue_deg, -25.0);
    EXPECT_EQ(fd_pitch_cue_deg, 5.0);
    const gfx::Recording& r = draw();
    EXPECT_TRUE(has_line(r, kMagenta, 122 - 57, 60, 122 - 57, 160));
    EXPECT_TRUE(has_line(r, kMagenta, 72, 121, 172, 121)); // 2.28 x 5 = 11 below
    host::set_token(792, 0);
    EXPECT_TRUE(draw().lines_in_color(kMagenta).empty());
}

TEST_F(C17Pfd, FlightPathVectorFlashesBeyondItsLimits) {
    DispFPV = 1;
    aircraft_state.ground_speed_kt = 140;
    aircraft_state.vertical_speed_fpm = -3000; // 57 below: beyond the limit of 50
    const auto fpv_at = [&](int slot) {
        frame_slot = slot;
        for (const gfx::RecordedOp* op : draw().of_kind(gfx::OpKind::Ellipse))
            if (op->color == kWhite && std::abs(op->bounds.y - (110 + 57 - 6)) < 0.01) return true;
        return false;
    };
    EXPECT_TRUE(fpv_at(7));
    EXPECT_FALSE(fpv_at(8));
    aircraft_state.vertical_speed_fpm = -2000; // 38 below: steady
    frame_slot = 8;
    bool steady = false;
    for (const gfx::RecordedOp* op : draw().of_kind(gfx::OpKind::Ellipse))
        steady = steady || std::abs(op->bounds.y - (110 + 38 - 6)) < 0.01;
    EXPECT_TRUE(steady);
    aircraft_state.ground_speed_kt = 60;
    EXPECT_FALSE(fpv_at(0));
}

TEST_F(C17Pfd, PitchLadder) {
    aircraft_state.pitch_deg = 0;
    const gfx::Recording& r = draw();
    // Rungs every 22.5 units, labelled every 45.
    for (float y : {-45.0f, 45.0f, -90.0f}) {
        EXPECT_EQ(at_centre(r, 50, y - 6), std::to_string(static_cast<int>(std::abs(y) / 4.5f)));
        EXPECT_EQ(at_centre(r, -65, y - 6), std::to_string(static_cast<int>(std::abs(y) / 4.5f)));
    }
    // Dashed bars only below the horizon; thin marks only on the left of
    // the major lower rungs.
    int dashed = 0, thin = 0;
    for (const gfx::RecordedOp* op : r.lines_in_color(kWhite)) {
        if (op->dash_style == gfx::DashStyle::Dash) {
            ++dashed;
            EXPECT_GT(op->points[0].y, 110);
        } else if (op->device_pen_width < 1.0f && op->device_pen_width > 0.9f) {
            ++thin;
            EXPECT_LT(op->points[0].x, 122);
            EXPECT_GT(op->points[0].y, 110);
        }
    }
    EXPECT_EQ(dashed, 2 * (18 + 13)); // a bar a side, bent from 30 degrees on
    EXPECT_EQ(thin, 9);
    // The 30-degree upper bar bends toward the horizon.
    EXPECT_TRUE(has_line(r, kWhite, 122 + 30, 110 - 135, 122 + 20, 110 - 120));
}

} // namespace

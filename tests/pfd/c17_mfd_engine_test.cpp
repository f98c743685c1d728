// The C17_MFD engine pages on the unit placed "ENG" (unit 3): thrust (9),
// EPR (10) and oil and fuel used (11), fed through the stand-in's tokens.
#include "c17_mfd_fixture.h"

#include "fms/fms_update.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr gfx::Argb kWhite = 0xFFDEE6E9, kGreen = 0xFF00FA00, kCyan = 0xFF18C2E7, kYellow = 0xFFFFFF00,
                    kRed = 0xFFFF0000;

constexpr uint32_t kN1[4] = {626, 645, 664, 683};
constexpr uint32_t kN2[4] = {625, 644, 663, 682};
constexpr uint32_t kEgt[4] = {567, 577, 587, 597};
constexpr uint32_t kLever[4] = {128, 163, 198, 233};
constexpr uint32_t kThrust[4] = {633, 652, 671, 690};

double rankine(double celsius) {
    return celsius * 1.8 + 491.69;
}

class C17Engine : public C17Mfd {
  protected:
    void SetUp() override {
        C17Mfd::SetUp();
        n1_over_99_seconds = egt_over_645_seconds = 0;
        host::set_token(342, 16213);
        for (int e = 0; e < 4; ++e) {
            host::set_token(kN1[e], 24);
            host::set_token(kEgt[e], rankine(400));
        }
    }
    const gfx::Recording& page(uint32_t format) {
        c17_mfd_units[3].format = format;
        return draw(3);
    }
    // Direction in degrees (clockwise from +x) of a pointer of this colour
    // from (x, y), or -1 when there is none.
    static double pointer_angle(const gfx::Recording& r, gfx::Argb colour, float x, float y) {
        for (const gfx::RecordedOp* op : r.lines_in_color(colour)) {
            const gfx::PointF a = op->points[0], b = op->points[1];
            if (std::abs(a.x - x) > 0.01f || std::abs(a.y - y) > 0.01f) continue;
            const double angle = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / M_PI;
            return angle < 0 ? angle + 360.0 : angle;
        }
        return -1;
    }
    static const gfx::RecordedOp* rect_at(const gfx::Recording& r, bool fill, gfx::Argb colour, float x,
                                          float y, float w, float h) {
        for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::Rectangle))
            if (op->fill == fill && op->color == colour && std::abs(op->bounds.x - x) < 0.01f &&
                std::abs(op->bounds.y - y) < 0.01f && std::abs(op->bounds.width - w) < 0.01f &&
                std::abs(op->bounds.height - h) < 0.01f)
                return op;
        return nullptr;
    }
};

TEST_F(C17Engine, ThrustPageEprFromN1AgainstPressure) {
    host::set_token(kN1[0], 62.25); // half way from idle 24 to top 100.5: 50 %
    const gfx::Recording& r = page(9);
    gfx::Argb colour = 0;
    EXPECT_EQ(text_at(r, 20, 191, &colour), "1.34");
    EXPECT_EQ(colour, kGreen);
    EXPECT_EQ(text_at(r, 65, 191), "0.85");
    EXPECT_NE(rect_at(r, true, kGreen, 39, 121, 6, 60), nullptr);
    EXPECT_NE(rect_at(r, false, kWhite, 39, 61, 6, 120), nullptr);
    EXPECT_EQ(text_at(r, 107, 10, &colour), "FF PPH");
    EXPECT_EQ(colour, kWhite);
    EXPECT_EQ(text_at(r, 0, 43, &colour), "RATING  1.22 MCT");
    EXPECT_EQ(colour, kCyan);
    EXPECT_EQ(text_at(r, 20, 211), "62.2");

    // Segment ends, full thrust and beyond, and no N1 at all.
    const struct {
        double n1;
        const char* epr;
    } rows[] = {{24 + 0.765 * 2.5, "0.90"},
                {24 + 0.765 * 13.4, "1.00"},
                {24 + 0.765 * 99.9, "1.85"},
                {130, "1.85"},
                {10, "0.85"},
                {NAN, "0.85"}};
    const float xs[4] = {20, 65, 155, 195};
    for (std::size_t i = 0; i < 4; ++i)
        host::set_token(kN1[i], rows[i].n1);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(text_at(page(9), xs[i], 191), rows[i].epr) << rows[i].n1;
    for (std::size_t i = 4; i < std::size(rows); ++i) {
        host::set_token(kN1[0], rows[i].n1);
        EXPECT_EQ(text_at(page(9), 20, 191), rows[i].epr) << rows[i].n1;
    }
    // A full bar stays in its outline.
    host::set_token(kN1[0], 130);
    EXPECT_NE(rect_at(page(9), true, kGreen, 39, 61, 6, 120), nullptr);
}

TEST_F(C17Engine, ThrustLeverCuesAndReverse) {
    host::set_token(kLever[0], 16383);
    host::set_token(kLever[1], -8000);
    host::set_token(kLever[2], 8000);
    host::set_token(kLever[3], 0);
    const gfx::Recording& r = page(9);
    EXPECT_TRUE(has_line(r, kCyan, 38, 62, 33, 57));   // engine 1 at the top
    EXPECT_TRUE(has_line(r, kCyan, 78, 122, 73, 127)); // reverse 8000 as forward 8000
    EXPECT_TRUE(has_line(r, kCyan, 166, 122, 171, 117));
    EXPECT_TRUE(has_line(r, kCyan, 206, 180, 211, 185)); // idle at the bottom
    gfx::Argb colour = 0;
    EXPECT_EQ(text_at(r, 52, 15, &colour), "REV");
    EXPECT_EQ(colour, kCyan);
    const std::vector<std::string> texts = r.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "REV"), 1); // only engine 2's

    host::set_token(kLever[3], -1);
    EXPECT_EQ(text_at(page(10), 212, 20), "REV"); // lower on the EPR page
}

TEST_F(C17Engine, EgtWarningAndItsTime) {
    const struct {
        double egt;
        const char* text;
        gfx::Argb colour;
    } rows[] = {
        {625, "<none>", 0}, {640, "MAX EGT 625\302\260C", kYellow}, {656, "MAX EGT 655\302\260C", kRed}};
    for (const auto& row : rows) {
        host::set_token(kEgt[2], rankine(row.egt));
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(page(9), 167, 33, &colour), row.text) << row.egt;
        if (row.colour != 0) {
            EXPECT_EQ(colour, row.colour) << row.egt;
        }
    }

    const struct {
        double seconds;
        const char* text;
        float y;
        gfx::Argb colour;
        double after;
    } times[] = {{1, "TIME REM 05:00", 43, kGreen, 300},
                 {301, "TIME REM 05:01", 40, kYellow, 301},
                 {601, "TIME REM 10:01", 40, kRed, 601},
                 {3700, "TIME REM 61:40", 40, kRed, 3700}};
    for (const auto& t : times) {
        egt_over_645_seconds = t.seconds;
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(page(9), 162, t.y, &colour), t.text) << t.seconds;
        EXPECT_EQ(colour, t.colour) << t.seconds;
        EXPECT_EQ(egt_over_645_seconds, t.after);
    }
    // The EPR page shows no EGT time and leaves the counter alone.
    egt_over_645_seconds = 1;
    EXPECT_EQ(page(10).find_text("TIME REM 05:00"), nullptr);
    EXPECT_EQ(egt_over_645_seconds, 1);
}

TEST_F(C17Engine, MaximumThrustTimeOnThrustAndEprPages) {
    const struct {
        double seconds;
        const char* text;
    } rows[] = {{0, "<none>"},
                {1, "MAX THR TIME OVER 00:01"},
                {59.7, "MAX THR TIME OVER 01:00"},
                {1140.4, "MAX THR TIME REM 01:00"},
                {900, "MAX THR TIME OVER 15:00"},
                {901, "MAX THR TIME REM 04:59"},
                {1200, "MAX THR TIME REM 00:00"},
                {1201, "MAX THR TIME REM 00:00"}};
    for (uint32_t format : {9u, 10u})
        for (const auto& row : rows) {
            n1_over_99_seconds = row.seconds;
            gfx::Argb colour = 0;
            EXPECT_EQ(text_at(page(format), 0, 0, &colour), row.text) << format << " " << row.seconds;
            if (row.seconds > 0) {
                EXPECT_EQ(colour, kCyan);
            }
        }
    n1_over_99_seconds = 1;
    EXPECT_EQ(text_at(page(11), 0, 0), "<none>");
}

TEST_F(C17Engine, EprPageFiguresFromThrustValueAndPressure) {
    host::set_token(kThrust[0], 16213 * 2.5);
    host::set_token(kThrust[2], 0);
    host::set_token(421, 1234.9);
    host::set_token(460, 9.9);
    host::set_token(499, 10);
    const gfx::Recording& r = page(10);
    gfx::Argb colour = 0;
    EXPECT_EQ(text_at(r, 22, 55, &colour), "1.80");
    EXPECT_EQ(colour, kGreen);
    EXPECT_EQ(text_at(r, 153, 55), "1.00");
    EXPECT_EQ(text_at(r, 22, 226), "1230");
    EXPECT_EQ(text_at(r, 77, 226), "   0");
    EXPECT_EQ(text_at(r, 153, 226), "  10");

    // No pressure reading: no ratio at all rather than "inf" or "nan".
    for (double pressure : {0.0, -5.0}) {
        host::set_token(342, pressure);
        const gfx::Recording& none = page(10);
        for (float x : {22, 77, 153, 208})
            EXPECT_EQ(text_at(none, x, 55), "<none>") << pressure;
        EXPECT_EQ(text_at(none, 113, 50), "EPR");
    }
}

TEST_F(C17Engine, EprPageDialColoursAndPointers) {
    // N1 and N2 share their rule; each column follows its own engine only.
    const struct {
        double value;
        gfx::Argb colour;
        const char* readout;
    } rows[] = {
        {14.9, kYellow, "14.9"}, {15, kGreen, "15.0"}, {100.5, kGreen, "100.5"}, {100.6, kRed, "100.6"}};
    const float xs[4] = {32, 87, 163, 218};
    for (int e = 0; e < 4; ++e) {
        host::set_token(kN1[e], rows[e].value);
        host::set_token(kN2[3 - e], rows[e].value);
    }
    const gfx::Recording& r = page(10);
    for (int e = 0; e < 4; ++e) {
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(r, xs[e] - 10, 105, &colour), rows[e].readout);
        EXPECT_EQ(colour, rows[e].colour) << rows[e].value;
        EXPECT_GE(pointer_angle(r, rows[e].colour, xs[e], 95), 135) << rows[e].value;
        EXPECT_EQ(text_at(r, xs[3 - e] - 10, 160, &colour), rows[e].readout);
        EXPECT_EQ(colour, rows[e].colour) << rows[e].value;
        EXPECT_GE(pointer_angle(r, rows[e].colour, xs[3 - e], 150), 135) << rows[e].value;
    }

    // Whole degrees over half a turn, pinned at both ends.
    host::set_token(kN1[0], 55);
    host::set_token(kN1[1], 120);
    host::set_token(kN2[0], -3);
    host::set_token(kN1[2], 54.99);
    const gfx::Recording& p = page(10);
    EXPECT_NEAR(pointer_angle(p, kGreen, 32, 95), 225, 0.01);
    EXPECT_NEAR(pointer_angle(p, kRed, 87, 95), 315, 0.01);
    EXPECT_NEAR(pointer_angle(p, kYellow, 32, 150), 135, 0.01);
    EXPECT_NEAR(pointer_angle(p, kGreen, 163, 95), 224, 0.01);
    // The marks outside the arc: N1 at 160 and 299 degrees.
    EXPECT_TRUE(has_line(p, kYellow, 32 - 25 * std::cos(-20 * M_PI / 180),
                         95 - 25 * std::sin(-20 * M_PI / 180), 32 - 30 * std::cos(-20 * M_PI / 180),
                         95 - 30 * std::sin(-20 * M_PI / 180)));

    const struct {
        double egt;
        gfx::Argb colour;
    } egts[] = {{624.9, kGreen}, {625.2, kYellow}, {655, kYellow}, {655.2, kRed}};
    for (int e = 0; e < 4; ++e)
        host::set_token(kEgt[e], rankine(egts[e].egt));
    const gfx::Recording& t = page(10);
    for (int e = 0; e < 4; ++e) {
        gfx::Argb colour = 0;
        text_at(t, xs[e] - 10, 215, &colour);
        EXPECT_EQ(colour, egts[e].colour) << egts[e].egt;
        EXPECT_GE(pointer_angle(t, egts[e].colour, xs[e], 205), 135) << egts[e].egt;
    }
}

TEST_F(C17Engine, OilPageColoursAndFuelUsed) {
    // Each row on its own engine's dial (token, raw value, engine, dial centre y).
    const struct {
        uint32_t token;
        double raw;
        int engine;
        float y;
        gfx::Argb readout, pointer;
    } rows[] = {
        {562, 69.9 * 144, 0, 65, kRed, kRed},
        {572, 70 * 144, 1, 65, kGreen, kGreen},
        {561, rankine(163.2), 0, 120, kGreen, kYellow},
        {571, rankine(177.2), 1, 120, kYellow, kRed},
        {581, rankine(38.9), 2, 120, kYellow, kYellow},
        {591, rankine(178), 3, 120, kRed, kRed},
        {219, 3.9 * 16384 / 30, 2, 175, kYellow, kYellow},
        {254, 4.05 * 16384 / 30, 3, 175, kGreen, kGreen},
    };
    const float xs[4] = {32, 87, 163, 218};
    for (const auto& row : rows)
        host::set_token(row.token, row.raw);
    const gfx::Recording& r = page(11);
    for (const auto& row : rows) {
        gfx::Argb colour = 0;
        text_at(r, xs[row.engine] - 10, row.y + 10, &colour);
        EXPECT_EQ(colour, row.readout) << row.token;
        EXPECT_GE(pointer_angle(r, row.pointer, xs[row.engine], row.y), 135) << row.token;
    }
    host::set_token(254, 23.0 * 16384 / 30);
    EXPECT_NEAR(pointer_angle(page(11), kGreen, 218, 175), 315, 0.01);

    const double used[4] = {0.4, 0.6, 1234.4, 7};
    const char* shown[4] = {"    0", "    1", " 1234", "    7"};
    for (int e = 0; e < 4; ++e)
        engine_fuel_used[e] = used[e];
    const gfx::Recording& f = page(11);
    for (int e = 0; e < 4; ++e) {
        gfx::Argb colour = 0;
        EXPECT_EQ(text_at(f, xs[e] - 15, 216, &colour), shown[e]);
        EXPECT_EQ(colour, kCyan);
    }
    EXPECT_EQ(text_at(f, 118, 115), "\302\260C"); // the recording keeps UTF-8
}

} // namespace

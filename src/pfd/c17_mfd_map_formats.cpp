// The fixed layers of the C17_MFD map formats 3, 4 and 5, under the route
// picture: the compass card, range rings and labels, deviation scales,
// ground speed and heading bug; and the heading box that format 4 draws on
// top of its map.
#include "pfd/c17_mfd_nav_kit.h"
#include "pfd/c17_mfd_painters.h"

#include "map/range_ladder.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

namespace {

using namespace c17nav;

struct Arc {
    int radius;
    float start, sweep;
};
struct Label {
    double fraction; // of the range
    int x, y;
};
// The compass card of formats 3 and 4: marks from the inner ends to the
// ring, labels `label_offset` up the mark, within `sector` degrees of the heading.
struct Card {
    int ring = 0; // 0: no card
    int long_inner = 0;
    int short_inner = 0;
    int label_offset = 0;
    int sector = 0;
};
struct FormatLayout {
    int format;
    bool full_ring;  // the solid outer circle of radius 172
    Arc dashed_ring; // radius 0: none
    Arc range_rings[3];
    Card card;
    bool readout; // heading readout, box and "M" (format 4 has its heading box)
    int readout_y;
    Label range_labels[3];
    int lateral_y;
    int vertical_y;
    int ground_speed_y;
    int bug_radius; // 0: no heading bug
};

constexpr FormatLayout kFormats[3] = {
    {3,
     true,
     {0, 0, 0},
     {{43, 180, 180}, {86, 180, 180}, {129, 220, 100}},
     {172, -164, -168, -162, 55},
     true,
     -195,
     {{0.25, -50, 0}, {0.5, -92, 0}, {0.75, -105, -83}},
     33,
     -43,
     30,
     172},
    {4,
     false,
     {0, 0, 0},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
     {124, -116, -120, -112, 60},
     false,
     0,
     {{0.5, -66, -22}, {1.0, -120, -42}, {0.0, 0, 0}},
     101,
     17,
     95,
     124},
    {5,
     false,
     {172, 51, 81},
     {{43, 0, 180}, {86, 0, 180}, {129, 40, 110}},
     {},
     true,
     -30,
     {{0.25, -50, -10}, {0.5, -92, -10}, {0.75, -117, 55}},
     195,
     82,
     190,
     0},
};

// A mark d degrees right of the heading shows while it lies within the
// sector, whichever side of north the two lie.
bool in_sector(double d, int sector) {
    return (d > 360 - sector && d < 360) || (d > -360 && d < sector - 360) || (d > -sector && d <= 0) ||
           (d >= 0 && d < sector);
}

void draw_card(const Kit& k, const Card& card) {
    const double heading = aircraft_state.heading_deg;
    const gfx::Pen white2(kWhite, 2);
    for (int a = 0; a < 360; a += 5) {
        const double d = a - heading;
        if (!in_sector(d, card.sector)) continue;
        k.frame(d);
        k.g.draw_line_i(white2, 0, a % 10 == 0 ? card.long_inner : card.short_inner, 0, -card.ring);
        if (a % 30 != 0) continue;
        k.g.translate_transform(0, static_cast<float>(card.label_offset));
        k.g.rotate_transform(static_cast<float>(heading - a));
        k.text(card_label(a), 12, kWhite, -7, 0);
    }
}

// The heading readout with its box, "M" beside it in `m_size`, at top y.
void draw_heading_readout(const Kit& k, int y, float m_size, int m_dy) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03.0f", aircraft_state.heading_deg);
    k.text(buf, 14, kGreen, -14, y);
    k.polyline(gfx::Pen(kWhite, 1), {{-12, y}, {-12, y + 15}, {12, y + 15}, {12, y}, {-12, y}});
    k.text("M", m_size, kWhite, 15, y + m_dy);
}

void diamond(const Kit& k, const gfx::Pen& pen, int x, int y) {
    k.polyline(pen, {{x, y - 5}, {x - 5, y}, {x, y + 5}, {x + 5, y}, {x, y - 5}});
}

void draw_deviations(const Kit& k, const FormatLayout& f) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white1(kWhite, 1), magenta2(kMagenta, 2);
    const bool nav1 = sim_var_object.get_nav1_signal() > 0.0;
    // Format 3's overlay switch takes its lateral scale away with the pointer.
    const bool lateral_scale = f.format != kC17FormatMapWideArc || (c17_map3_overlay_on == 1 && nav1);
    const bool lateral_pointer = nav1 && (f.format != kC17FormatMapWideArc || c17_map3_overlay_on == 1);
    const int c = f.lateral_y;
    if (lateral_scale) {
        k.polyline(white1, {{-2, c - 4}, {-2, c + 4}, {2, c + 4}, {2, c - 4}, {-2, c - 4}});
        for (const int x : {-50, -25, 25, 50})
            k.g.draw_ellipse_i(white1, x - 2, c - 2, 4, 4);
    }
    if (lateral_pointer) diamond(k, magenta2, saturate_to_int(a.snap_token_40 / 2.54), c);
    const int v = f.vertical_y;
    k.polyline(white1, {{111, v - 4}, {111, v}, {119, v}, {119, v - 4}, {111, v - 4}});
    for (const int dy : {-40, -20, 20, 40})
        k.g.draw_ellipse_i(white1, 113, v + dy - 2, 4, 4);
    if (sim_var_object.test_simvar_46_bit_64() != 0)
        diamond(k, magenta2, 115, v + saturate_to_int(a.snap_token_41 / 3.175));
}

void draw_heading_bug(const Kit& k, int r) {
    const gfx::Pen magenta2(kMagenta, 2);
    const gfx::Pen dashed = dashed_pen(kMagenta, 2);
    k.frame(aircraft_state.heading_bug_deg - aircraft_state.heading_deg);
    k.g.draw_rectangle_i(magenta2, -5, -r - 5, 10, 5);
    k.g.draw_line_i(dashed, 0, -r, 0, -r - 5);
    k.g.draw_line_i(dashed, 0, 0, 0, -r);
}

void draw_format(const DisplayObject& display, gfx::Graphics& g, const FormatLayout& f) {
    const Kit k{g, display};
    const gfx::Pen white2(kWhite, 2);
    const gfx::Pen dashed = dashed_pen(kWhite, 2);
    k.frame();
    if (f.full_ring) g.draw_ellipse_i(white2, -172, -172, 344, 344);
    if (f.dashed_ring.radius > 0) {
        const Arc& a = f.dashed_ring;
        g.draw_arc_i(dashed, -a.radius, -a.radius, 2 * a.radius, 2 * a.radius, a.start, a.sweep);
    }
    for (const Arc& a : f.range_rings)
        if (a.radius > 0)
            g.draw_arc_i(dashed, -a.radius, -a.radius, 2 * a.radius, 2 * a.radius, a.start, a.sweep);
    if (f.card.ring > 0) draw_card(k, f.card);

    k.frame();
    if (f.readout) draw_heading_readout(k, f.readout_y, 11, 3);
    char buf[32];
    for (const Label& l : f.range_labels) {
        if (l.fraction == 0.0) continue;
        std::snprintf(buf, sizeof buf, "%2.0f", l.fraction * c17_map_range_nm);
        k.text(buf, 8, kWhite, l.x, l.y);
    }
    draw_deviations(k, f);
    std::snprintf(buf, sizeof buf, "GS %.0f", aircraft_state.ground_speed_kt);
    k.text(buf, 9, kGreen, -122, f.ground_speed_y);
    if (f.bug_radius > 0) draw_heading_bug(k, f.bug_radius);
}

} // namespace

void c17_mfd_draw_map_format3(const DisplayObject& display, gfx::Graphics& g) {
    draw_format(display, g, kFormats[0]);
}

void c17_mfd_draw_map_format4(const DisplayObject& display, gfx::Graphics& g) {
    draw_format(display, g, kFormats[1]);
}

void c17_mfd_draw_map_format5(const DisplayObject& display, gfx::Graphics& g) {
    draw_format(display, g, kFormats[2]);
}

void c17_mfd_draw_heading_box(const DisplayObject& display, gfx::Graphics& g) {
    const Kit k{g, display};
    k.frame();
    g.fill_rectangle_i(gfx::SolidBrush(kBlack), -12, -115, 24, 15);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03.0f", aircraft_state.heading_deg);
    k.text(buf, 14, kGreen, -14, -115);
    k.polyline(gfx::Pen(kWhite, 1), {{-12, -115}, {-12, -100}, {12, -100}, {12, -115}, {-12, -115}});
    k.text("M", 9, kWhite, 15, -113);
}

// The nearby layers of the other map displays: each member's symbol, label
// place and colour for a record dead ahead, its reach, and which navaid
// kinds it shows. Elements at their design size (and, for the members that
// draw in their caller's frame, an identity transform) keep device points
// equal to design points.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/p1000_menu_state.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "shared/near_layer_fixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr gfx::Argb kBlue = 0xFF02A7EB, kGreen = 0xFF00FA00, kMagenta = 0xFFFF13D5, kLightGreen = 0xFF5BE5A7,
                    kCyan = 0xFF18C2E7;

class LayerMembers : public NearLayerCanvas {
  protected:
    LayerMembers() : NearLayerCanvas(300, 300) {}
    void SetUp() override {
        NearLayerCanvas::SetUp();
        hw_md11_nd_mode = kMd11NdModeMap;
        md80_ehsi_mode = kEhsiModeMap;
        proline4_mfd_mode = kProline4ModeMap;
        set_flown_to(kNoToWaypoint);
    }
    static NavRecord north(const std::string& ident, const std::string& kind, double nm) {
        return record_at(ident, kind, 360.0, nm);
    }
    gfx::Recording& draw(const std::function<void(gfx::Graphics&)>& member) {
        rec().clear();
        graphics_->reset_transform();
        member(*graphics_);
        return rec();
    }
    std::vector<std::string> labels() {
        std::vector<std::string> out;
        for (const gfx::RecordedOp& op : rec().ops)
            if (op.kind == gfx::OpKind::String && op.text != "*") out.push_back(op.text);
        return out;
    }
};

TEST_F(LayerMembers, eachNavaidMemberPlacesItsSymbolAndLabel) {
    fill(local_navaids, {north("SEA", "V", 10.0)});
    show_navaids_flags[ND_PROLINE4] = 1;
    p1000_mfd_range = 12.5;
    struct Row {
        const char* member;
        std::function<void(gfx::Graphics&)> call;
        gfx::PointF label;
        gfx::Argb colour;
    };
    const Row rows[] = {
        // About the centre (120, 178): the point 20 up; symbol 2 left, 3 up; label 8 right, 7 up.
        {"HW_MD11_ND",
         [](gfx::Graphics& g) {
             draw_near_navaids_hw_md11_nd(DisplayObject{240, 258}, g, 2.0);
         },
         {126, 148},
         kBlue},
        {"MD80_EHSI",
         [](gfx::Graphics& g) {
             draw_near_navaids_md80_ehsi(DisplayObject{266, 232}, g, 2.0);
         },
         {139, 174},
         kBlue},
        // In its own frame about the map page's centre (123, 220).
        {"PROLINE4_MFD",
         [](gfx::Graphics& g) {
             draw_near_navaids_proline4_mfd(DisplayObject{247, 285}, g, kLat, kLon, 2.0);
         },
         {127, 192},
         kBlue},
        {"DU_1000_EHSI",
         [](gfx::Graphics& g) {
             draw_near_navaids_du_1000_ehsi(g, kLat, kLon, 2.0, 1.0, 1.0, 40.0, 0.0, 1, 1);
         },
         {4, -34},
         kMagenta},
        // Left of the symbol by 9 units per letter.
        {"C17_MFD",
         [](gfx::Graphics& g) { draw_near_navaids_c17_mfd(g, 1.0, 1.0, kLat, kLon, 0.0, 2.0); },
         {-30, -29},
         kGreen},
        // Half-scale frame about (268, 296), 106 / 12.5 units per NM, no offset.
        {"P1000_MFD",
         [](gfx::Graphics& g) {
             draw_near_navaids_p1000_mfd(DisplayObject{272, 314}, g, 0.0);
         },
         {141.0f, float((296.0 - 84.8 - 20.0) / 2.0)},
         kLightGreen},
    };
    for (const Row& r : rows) {
        draw(r.call);
        SCOPED_TRACE(r.member);
        const gfx::RecordedOp* label = rec().find_text("SEA");
        ASSERT_NE(label, nullptr);
        EXPECT_NEAR(label->points[0].x, r.label.x, 0.5);
        EXPECT_NEAR(label->points[0].y, r.label.y, 0.5);
        EXPECT_EQ(label->color, r.colour);
        EXPECT_GE(rec().drawing_count(), 2u); // and a symbol
    }
    // The P1000 layer leaves the display's own scale behind.
    EXPECT_FLOAT_EQ(graphics_->transform().m11, 1.0f);
}

TEST_F(LayerMembers, navaidKindsAndFiltersPerMember) {
    fill(local_navaids, {north("VOR", "V", 5.0), north("NDB", "N", 6.0), north("ODD", "X", 7.0)});
    const DisplayObject b737{244, 302}, md11{240, 258}, p1000{272, 314}, pro{247, 285};
    hw_b737_nd_mode = kB737NdModeMap;
    draw([&](gfx::Graphics& g) { draw_near_navaids_hw_b737_nd(b737, g, 2.0); });
    EXPECT_EQ(labels(), (std::vector<std::string>{"VOR", "NDB", "ODD"}));
    EXPECT_EQ(rec().lines_in_color(kGreen).back()->points.size(), 7u); // the odd kind as a hexagon
    draw([&](gfx::Graphics& g) { draw_near_navaids_hw_md11_nd(md11, g, 2.0); });
    EXPECT_EQ(rec().of_kind(gfx::OpKind::Ellipse).size(), 4u); // NDB and the odd kind as circle pairs
    draw([&](gfx::Graphics& g) { draw_near_navaids_c17_mfd(g, 1.0, 1.0, kLat, kLon, 0.0, 2.0); });
    EXPECT_EQ(labels().size(), 3u);
    draw([&](gfx::Graphics& g) { draw_near_navaids_p1000_mfd(p1000, g, 0.0); });
    EXPECT_EQ(labels().size(), 3u);

    show_navaids_flags[ND_PROLINE4] = 0;
    proline4_mfd_show_ndbs = 1;
    draw([&](gfx::Graphics& g) { draw_near_navaids_proline4_mfd(pro, g, kLat, kLon, 2.0); });
    EXPECT_EQ(labels(), (std::vector<std::string>{"NDB"}));
    draw([&](gfx::Graphics& g) {
        draw_near_navaids_du_1000_ehsi(g, kLat, kLon, 2.0, 1.0, 1.0, 40.0, 0.0, 1, 0);
    });
    EXPECT_EQ(labels(), (std::vector<std::string>{"VOR"}));
}

TEST_F(LayerMembers, airportReachAndLabelLengthDifferByDisplay) {
    fill(close_airports, {north("KABCDE", "APT", 95.0)});
    hw_b737_nd_range = hw_md11_nd_range = p1000_mfd_range = 40.0;
    hw_b737_nd_mode = kB737NdModeMap;
    // 95 NM: beyond 2 x 40 + 10 on the HW_B737_ND and P1000_MFD, within 2 x 40 + 50 elsewhere.
    draw([](gfx::Graphics& g) { draw_near_airports_hw_b737_nd(DisplayObject{244, 302}, g, 1.0); });
    EXPECT_TRUE(labels().empty());
    draw([](gfx::Graphics& g) { draw_near_airports_hw_md11_nd(DisplayObject{240, 258}, g, 1.0); });
    EXPECT_EQ(labels(), (std::vector<std::string>{"KABCDE"}));

    fill(close_airports, {north("KABCDE", "APT", 20.0)});
    draw([](gfx::Graphics& g) { draw_near_airports_hw_b737_nd(DisplayObject{244, 302}, g, 1.0); });
    EXPECT_EQ(labels(), (std::vector<std::string>{"KABCD"}));
    draw([](gfx::Graphics& g) { draw_near_airports_p1000_mfd(DisplayObject{272, 314}, g, 1.0); });
    EXPECT_EQ(labels(), (std::vector<std::string>{"KABCD"}));
    proline4_mfd_range = 40.0;
    draw([](gfx::Graphics& g) {
        draw_near_airports_proline4_mfd(DisplayObject{247, 285}, g, kLat, kLon, 1.0);
    });
    EXPECT_EQ(labels(), (std::vector<std::string>{"KABCDE"}));
    // The DU_1000_EHSI's airports are magenta stars.
    draw([](gfx::Graphics& g) { draw_near_airports_du_1000_ehsi(g, kLat, kLon, 1.0, 1.0, 1.0, 40.0, 0.0); });
    ASSERT_NE(rec().find_text("*"), nullptr);
    EXPECT_EQ(rec().find_text("*")->color, kMagenta);
    EXPECT_EQ(rec().find_text("KABCDE")->color, kMagenta);
}

// An airport and a navaid at one place sit at one point of the P1000 map
// (the airport label 5w left of and 5s above the navaid's), whatever ppn the
// render pass hands over and at any element size.
TEST_F(LayerMembers, p1000AirportsShareTheNavaidScale) {
    fill(local_navaids, {north("PAE", "V", 19.0)});
    fill(close_airports, {north("PAE", "APT", 19.0)});
    p1000_mfd_range = 25.0;
    for (const DisplayObject d : {DisplayObject{272, 314}, DisplayObject{544, 628}}) {
        SCOPED_TRACE(d.width);
        draw([&](gfx::Graphics& g) { draw_near_navaids_p1000_mfd(d, g, units_per_nm(53.0, 25.0)); });
        const gfx::PointF navaid = rec().find_text("PAE")->points[0];
        draw([&](gfx::Graphics& g) { draw_near_airports_p1000_mfd(d, g, units_per_nm(53.0, 25.0)); });
        const gfx::RecordedOp* airport = rec().find_text("PAE");
        ASSERT_NE(airport, nullptr);
        const double w = d.width / 272.0, s = d.height / 314.0;
        EXPECT_NEAR(airport->points[0].x, navaid.x - 5.0 * w, 0.6);
        EXPECT_NEAR(airport->points[0].y, navaid.y - 5.0 * s, 0.6);
    }
}

TEST_F(LayerMembers, airwayFixMembersAndTheC17MeasuringFromTheMapsReference) {
    fill(local_airway_fixes, {north("ALDER", "I", 10.0)});
    hw_md11_nd_range = md80_ehsi_range = proline4_mfd_range = c17_map_range_nm = 80.0;
    struct Row {
        std::function<void(gfx::Graphics&)> call;
        gfx::PointF label;
        gfx::Argb colour;
    };
    const Row rows[] = {
        // Offset (1, 1) about (120, 178): label 7 right and 10 up of the anchor.
        {[](gfx::Graphics& g) {
             draw_near_airway_fixes_hw_md11_nd(DisplayObject{240, 258}, g, 2.0);
         },
         {126, 147},
         kBlue},
        {[](gfx::Graphics& g) {
             draw_near_airway_fixes_du_1000_ehsi(g, kLat, kLon, 2.0, 1.0, 1.0, 60.0, 0.0);
         },
         {4, -34},
         kMagenta},
        // No offset on the C17_MFD; from the reference and rotation passed
        // (heading 90: the fix north of it lies left of the centre).
        {[](gfx::Graphics& g) { draw_near_airway_fixes_c17_mfd(g, 1.0, 1.0, kLat, kLon, 90.0, 2.0); },
         {-10, -3},
         kCyan},
    };
    for (const Row& r : rows) {
        draw(r.call);
        const gfx::RecordedOp* label = rec().find_text("ALDER");
        ASSERT_NE(label, nullptr);
        EXPECT_NEAR(label->points[0].x, r.label.x, 0.5);
        EXPECT_NEAR(label->points[0].y, r.label.y, 0.5);
        EXPECT_EQ(label->color, r.colour);
    }
}

} // namespace

// The P1000 layers pass over records whose symbol and label cannot reach
// the visible part of the map: under a clip, what shows within it is the
// same pixel for pixel as the layer drawn without one, on a ring of records
// at every bearing and out to beyond the reach, for several ranges and map
// headings; and the clipped layer draws fewer operations.
TEST_F(LayerMembers, p1000LayersShowTheSamePixelsUnderAClipWithFewerOperations) {
    const DisplayObject p1000{272, 314};
    const gfx::RectF clip{160.0f, 40.0f, 100.0f, 80.0f};
    for (const double range : {5.0, 12.5, 40.0}) {
        std::vector<NavRecord> ring;
        for (int bearing = 0; bearing < 360; bearing += 15) {
            for (const double share : {0.2, 0.5, 0.9, 1.4, 2.0, 2.6}) {
                NavRecord r;
                r.ident = "R" + std::to_string(bearing * 10 + static_cast<int>(share * 10));
                r.ident.resize(6, 'X');
                r.kind = bearing % 30 == 0 ? "V" : "N";
                gc_destination_point(kLat, kLon, bearing, share * range, &r.latitude, &r.longitude);
                ring.push_back(r);
            }
        }
        local_navaids.clear();
        close_airports.clear();
        for (const NavRecord& r : ring) {
            local_navaids.append(r);
            close_airports.append(r);
        }
        p1000_mfd_range = range;
        for (const double heading : {0.0, 125.0}) {
            aircraft_state.map_heading_deg = heading;
            for (const bool airports : {false, true}) {
                SCOPED_TRACE(std::to_string(range) + " NM, heading " + std::to_string(heading) +
                             (airports ? ", airports" : ", navaids"));
                void* dcs[2] = {gfx::create_surface_dc(300, 320, gfx::SurfaceCairo | gfx::SurfaceRecording),
                                gfx::create_surface_dc(300, 320, gfx::SurfaceCairo | gfx::SurfaceRecording)};
                for (int clipped = 0; clipped < 2; ++clipped) {
                    gfx::Graphics g(dcs[clipped]);
                    if (clipped == 1) g.set_clip_rect(clip.x, clip.y, clip.width, clip.height);
                    if (airports)
                        draw_near_airports_p1000_mfd(p1000, g, units_per_nm(53.0, range));
                    else
                        draw_near_navaids_p1000_mfd(p1000, g, 0.0);
                }
                int differing = 0, lit = 0;
                // Within the clip's edge, whose own pixels the clip blends.
                for (int y = static_cast<int>(clip.y) + 1; y < clip.y + clip.height - 1; ++y) {
                    for (int x = static_cast<int>(clip.x) + 1; x < clip.x + clip.width - 1; ++x) {
                        const gfx::Argb p = gfx::surface_pixel(dcs[1], x, y);
                        differing += p != gfx::surface_pixel(dcs[0], x, y);
                        lit += p != 0;
                    }
                }
                EXPECT_EQ(differing, 0);
                EXPECT_GT(lit, 0);
                EXPECT_LT(gfx::surface_recording(dcs[1])->drawing_count(),
                          gfx::surface_recording(dcs[0])->drawing_count());
                for (void* dc : dcs)
                    gfx::destroy_surface_dc(dc);
            }
        }
    }
}

// The ATC boundary layer on the HW_B737_ND: culling on the first point, the
// lines between projected points and the three-character label.
#include "overlay_fixture.h"

#include "data/atc_boundaries.h"
#include "fms/plan/route_plan.h"
#include "map/map_overlays.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

class AtcBoundaryLayer : public OverlayTest {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        atc_boundaries.set_count(0);
        atc_boundaries_loaded = 1;
        to_waypoint_index = kNoToWaypoint;
    }
    void TearDown() override {
        atc_boundaries.set_count(0);
        OverlayTest::TearDown();
    }
    // The boundary's segments, each polyline taken apart.
    std::vector<std::pair<gfx::PointF, gfx::PointF>> segments() {
        std::vector<std::pair<gfx::PointF, gfx::PointF>> out;
        for (const gfx::RecordedOp* op : rec().lines_in_color(0xFF979700))
            for (std::size_t i = 0; i + 1 < op->points.size(); ++i)
                out.emplace_back(op->points[i], op->points[i + 1]);
        return out;
    }
    // A boundary whose points lie at (course, NM) from the aircraft; the
    // label at the first point.
    void add(const std::string& id, const std::string& name,
             std::initializer_list<std::pair<double, double>> pts) {
        AtcBoundary b;
        b.boundary_name = id;
        b.boundary_name2 = name;
        for (const auto& [course, nm] : pts) {
            BoundaryPoint& p = b.points.slot(static_cast<std::size_t>(++b.point_count));
            ahead(course, nm, &p.latitude, &p.longitude);
        }
        b.label_latitude = b.points[1].latitude;
        b.label_longitude = b.points[1].longitude;
        atc_boundaries.append(b);
    }
};

TEST_F(AtcBoundaryLayer, linesJoinTheProjectedPointsAndTheLabelKeepsThreeCharacters) {
    // 40 NM range: 215 / 40 units per NM from (122, 249), heading north.
    add("KZSE", "ZSEATTLE", {{0.0, 10.0}, {90.0, 10.0}, {180.0, 4.0}});
    draw_atc_boundaries_hw_b737_nd(display_, g());
    const auto lines = segments();
    ASSERT_EQ(lines.size(), 2u); // not closed by the layer
    const double u = 215.0 / 40.0 * 10.0;
    EXPECT_NEAR(lines[0].first.x, 122.0, 0.5);
    EXPECT_NEAR(lines[0].first.y, 249.0 - u, 1.0);
    EXPECT_NEAR(lines[0].second.x, 122.0 + u, 1.0);
    EXPECT_NEAR(lines[0].second.y, 249.0, 1.0);
    EXPECT_NEAR(lines[1].second.y, 249.0 + 0.4 * u, 1.0);
    const gfx::RecordedOp* label = rec().find_text("ZSE");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->color, 0xFF979700u);
    EXPECT_NEAR(label->points[0].x, 122.0 - 15.0, 0.5);
    EXPECT_EQ(label->font_size, 14.0f);
}

TEST_F(AtcBoundaryLayer, firstPointDistanceCullsTheWholeBoundary) {
    struct Row {
        const char* id;
        double first_nm;
        bool drawn;
    };
    const Row rows[] = {{"KZLA", 999.0, true},
                        {"KZLA", 1200.0, false},
                        {"YM00142", 1200.0, true},
                        {"YB00001", 4999.0, true},
                        {"NZ00084", 5200.0, false}};
    for (const Row& r : rows) {
        atc_boundaries.set_count(0);
        add(r.id, "ABC", {{0.0, r.first_nm}, {0.0, 5.0}, {90.0, 5.0}});
        rec().clear();
        draw_atc_boundaries_hw_b737_nd(display_, g());
        EXPECT_EQ(rec().find_text("ABC") != nullptr, r.drawn) << r.id << " " << r.first_nm;
        EXPECT_EQ(segments().size(), r.drawn ? 2u : 0u) << r.id;
    }

    // One point: no line, but the label.
    atc_boundaries.set_count(0);
    add("KZOA", "OAK", {{0.0, 5.0}});
    rec().clear();
    draw_atc_boundaries_hw_b737_nd(display_, g());
    EXPECT_TRUE(rec().lines_in_color(0xFF979700).empty());
    EXPECT_NE(rec().find_text("OAK"), nullptr);
}

TEST_F(AtcBoundaryLayer, onlyWhatCanShowIsProjectedAndEveryVisibleSegmentIsDrawn) {
    // 101 points 12 NM apart from 600 NM west to 600 NM east through the
    // aircraft: at 40 NM the map shows some 60 NM about it.
    AtcBoundary b;
    b.boundary_name = "KZLA";
    b.boundary_name2 = "LAX";
    for (int k = 0; k <= 100; ++k) {
        BoundaryPoint& p = b.points.slot(static_cast<std::size_t>(++b.point_count));
        ahead(k < 50 ? 270.0 : 90.0, std::abs(50 - k) * 12.0, &p.latitude, &p.longitude);
    }
    b.label_latitude = kLat;
    b.label_longitude = kLon;
    atc_boundaries.append(b);
    draw_atc_boundaries_hw_b737_nd(display_, g());
    const auto lines = segments();
    EXPECT_LT(lines.size(), 70u); // the far runs are passed over
    // Every segment that touches the canvas is there.
    int crossing = 0;
    for (const auto& [from, to] : lines)
        crossing += from.x <= 244.0f && to.x >= 0.0f;
    EXPECT_EQ(crossing, 4); // 12 NM steps of 64.5 units across 244 units, one through the aircraft
}

TEST_F(AtcBoundaryLayer, planModeIsNorthUpAboutTheAircraftAtTheCentredPosition) {
    hw_b737_nd_mode = 7;
    hw_b737_nd_compass_radius = 110;
    aircraft_state.map_heading_deg = 90.0;
    add("KZSE", "SEA", {{0.0, 10.0}, {0.0, 20.0}});
    draw_atc_boundaries_hw_b737_nd(display_, g());
    const auto lines = rec().lines_in_color(0xFF979700);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0]->points[0].x, 122.0, 0.5);
    EXPECT_NEAR(lines[0]->points[0].y, 171.0 - 110.0 / 40.0 * 10.0, 1.0);
}

TEST_F(AtcBoundaryLayer, md11TurnsWithTheMapAndPlanCentresOnThePlanWaypoint) {
    aircraft_state.map_heading_deg = 90.0;
    add("KZSE", "SEA", {{0.0, 10.0}, {0.0, 20.0}});
    // The plan waypoint lies 10 NM north, on the first point.
    active_plan_last = 1;
    active_plan.slot(0).lat = kLat;
    active_plan.slot(0).lon = kLon;
    ahead(0.0, 10.0, &active_plan.slot(1).lat, &active_plan.slot(1).lon);
    struct Row {
        int mode, radius, centre_y, to;
        double x, y; // the first point, 10 NM north
    };
    const Row rows[] = {{3, 150, 178, 1, 120.0 - 37.5, 178.0},
                        {2, 94, 129, kNoToWaypoint, 120.0, 129.0 - 23.5},
                        {2, 94, 129, 1, 120.0, 129.0}};
    for (const Row& r : rows) {
        hw_md11_nd_mode = r.mode;
        hw_md11_nd_compass_radius = r.radius;
        hw_md11_nd_centre_y = r.centre_y;
        hw_md11_nd_range = 40.0;
        to_waypoint_index = r.to;
        rec().clear();
        draw_atc_boundaries_hw_md11_nd(DisplayObject{240, 258}, g());
        const auto lines = rec().lines_in_color(0xFF979700);
        ASSERT_EQ(lines.size(), 1u) << r.mode;
        EXPECT_NEAR(lines[0]->points[0].x, r.x, 1.0) << r.mode << " " << r.to;
        EXPECT_NEAR(lines[0]->points[0].y, r.y, 1.0) << r.mode << " " << r.to;
    }
    hw_md11_nd_mode = 3;
    hw_md11_nd_compass_radius = 150;
    hw_md11_nd_centre_y = 178;
    hw_md11_nd_range = 80.0;
    to_waypoint_index = kNoToWaypoint;
    active_plan_last = -1;
}

} // namespace

namespace {

// Vertices of the layer's lines, in every polyline.
std::size_t line_vertices(void* dc) {
    std::size_t n = 0;
    for (const gfx::RecordedOp* op : gfx::surface_recording(dc)->lines_in_color(0xFF979700))
        n += op->points.size();
    return n;
}

} // namespace

// The runs of points are passed over on a tighter cap than whole boundaries
// (whose label may reach farther): what shows within a clip is the same
// pixel for pixel as the layer drawn without one, for winding boundaries
// about and beyond the map at several ranges and headings.
TEST_F(AtcBoundaryLayer, aClipShowsTheSamePixelsAsTheWholeLayerWithFewerVertices) {
    // Spirals of 160 points 3 to 9 NM apart out from points about the aircraft.
    for (int s = 0; s < 6; ++s) {
        AtcBoundary b;
        b.boundary_name = "B" + std::to_string(s);
        b.boundary_name2 = "B" + std::to_string(s);
        for (int k = 0; k < 160; ++k) {
            BoundaryPoint& p = b.points.slot(static_cast<std::size_t>(++b.point_count));
            ahead(std::fmod(60.0 * s + 7.0 * k, 360.0), 5.0 + (3.0 + s) * k * 0.5, &p.latitude, &p.longitude);
        }
        b.label_latitude = b.points[80].latitude;
        b.label_longitude = b.points[80].longitude;
        atc_boundaries.append(b);
    }
    const gfx::RectF clip{150.0f, 40.0f, 90.0f, 90.0f};
    for (const double range : {10.0, 40.0, 80.0}) {
        for (const double heading : {0.0, 235.0}) {
            SCOPED_TRACE(std::to_string(range) + " NM, heading " + std::to_string(heading));
            void* dcs[2] = {gfx::create_surface_dc(272, 314, gfx::SurfaceCairo | gfx::SurfaceRecording),
                            gfx::create_surface_dc(272, 314, gfx::SurfaceCairo | gfx::SurfaceRecording)};
            for (int clipped = 0; clipped < 2; ++clipped) {
                gfx::Graphics graphics(dcs[clipped]);
                if (clipped == 1) graphics.set_clip_rect(clip.x, clip.y, clip.width, clip.height);
                draw_atc_boundaries(graphics, 53, 134, 148, range, heading, kLat, kLon);
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
            EXPECT_LT(line_vertices(dcs[1]), line_vertices(dcs[0]));
            for (void* dc : dcs)
                gfx::destroy_surface_dc(dc);
        }
    }
}

// The ATC boundary layer on the HW_B737_ND: culling on the first point, the
// lines between projected points and the three-character label; on the
// HW_MD11_ND, the lines left out where they could not show.
#include "overlay_fixture.h"

#include "data/atc_boundaries.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "map/map_overlays.h"

#include <algorithm>
#include <functional>
#include <random>
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
        set_flown_to(kNoToWaypoint);
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
    // Random walks of 200 points of 2 to 15 NM from up to 300 NM about the
    // aircraft, the same every run.
    void add_random_walks(int count) {
        std::mt19937 rng(2024);
        std::uniform_real_distribution<double> course(0.0, 360.0), start(0.0, 300.0), step(2.0, 15.0);
        for (int n = 0; n < count; ++n) {
            AtcBoundary b;
            b.boundary_name = b.boundary_name2 = "R" + std::to_string(n);
            double lat = 0.0, lon = 0.0;
            ahead(course(rng), start(rng), &lat, &lon);
            for (int k = 0; k < 200; ++k) {
                BoundaryPoint& p = b.points.slot(static_cast<std::size_t>(++b.point_count));
                p.latitude = lat;
                p.longitude = lon;
                gc_destination_point(lat, lon, course(rng), step(rng), &lat, &lon);
            }
            b.label_latitude = b.points[1].latitude;
            b.label_longitude = b.points[1].longitude;
            atc_boundaries.append(b);
        }
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
        // The label on the map, where it shows unless the boundary is culled.
        atc_boundaries.slot(1).label_latitude = atc_boundaries[1].points[2].latitude;
        atc_boundaries.slot(1).label_longitude = atc_boundaries[1].points[2].longitude;
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

    // Lines on the map, the label 300 NM off it: the label is not drawn.
    atc_boundaries.set_count(0);
    add("KZSE", "SEA", {{180.0, 300.0}, {0.0, 5.0}, {90.0, 5.0}});
    rec().clear();
    draw_atc_boundaries_hw_b737_nd(display_, g());
    EXPECT_EQ(segments().size(), 2u);
    EXPECT_EQ(rec().find_text("SEA"), nullptr);
}

TEST_F(AtcBoundaryLayer, pointsOnTheUnitBeforeThemAddNoLine) {
    // A repeated point adds a line of no length; a boundary on one unit has
    // no line at all, but its label.
    add("KZSE", "SEA", {{0.0, 10.0}, {0.0, 10.0}, {90.0, 10.0}, {90.0, 10.0}});
    add("KZOA", "OAK", {{180.0, 5.0}, {180.0, 5.0}});
    draw_atc_boundaries_hw_b737_nd(display_, g());
    const auto lines = rec().lines_in_color(0xFF979700);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points.size(), 2u);
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
    hw_b737_nd_mode = kB737NdModePlan;
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
    set_active_last(1);
    active_entry(0).lat = kLat;
    active_entry(0).lon = kLon;
    ahead(0.0, 10.0, &active_entry(1).lat, &active_entry(1).lon);
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
        set_flown_to(r.to);
        rec().clear();
        draw_atc_boundaries_hw_md11_nd(DisplayObject{240, 258}, g());
        const auto lines = rec().lines_in_color(0xFF979700);
        ASSERT_EQ(lines.size(), 1u) << r.mode;
        EXPECT_NEAR(lines[0]->points[0].x, r.x, 1.0) << r.mode << " " << r.to;
        EXPECT_NEAR(lines[0]->points[0].y, r.y, 1.0) << r.mode << " " << r.to;
    }
    hw_md11_nd_mode = kMd11NdModeMap;
    hw_md11_nd_compass_radius = 150;
    hw_md11_nd_centre_y = 178;
    hw_md11_nd_range = 80.0;
    set_flown_to(kNoToWaypoint);
    set_active_last(-1);
}

// The boundary lines drawn, as single segments between device points.
struct Segment {
    gfx::PointF a, b;
    bool operator==(const Segment& o) const {
        return a.x == o.a.x && a.y == o.a.y && b.x == o.b.x && b.y == o.b.y;
    }
};
std::vector<Segment> drawn_segments(const gfx::Recording& r) {
    std::vector<Segment> out;
    for (const gfx::RecordedOp* op : r.lines_in_color(0xFF979700))
        for (std::size_t k = 0; k + 1 < op->points.size(); ++k)
            out.push_back(Segment{op->points[k], op->points[k + 1]});
    return out;
}

TEST_F(AtcBoundaryLayer, linesLeftOutCouldNotShow) {
    // The HW_MD11_ND map drawn whole and within a clipped window: inside the
    // window the pictures are the same, and every line that meets it is drawn.
    // The window's edge pixels are not compared: where a polyline crosses the
    // clip, Cairo's unsmoothed rasteriser may move its pixel on the edge by one.
    add_random_walks(30);
    constexpr int kWidth = 240, kHeight = 258;
    constexpr int kLeft = 50, kTop = 40, kRight = 180, kBottom = 150;
    hw_md11_nd_mode = kMd11NdModeMap;
    struct Row {
        double range, heading;
    };
    for (const Row r : {Row{10.0, 0.0}, Row{40.0, 135.0}, Row{80.0, 0.0}, Row{160.0, 250.0}}) {
        hw_md11_nd_range = r.range;
        aircraft_state.map_heading_deg = r.heading;
        void* whole = gfx::create_surface_dc(kWidth, kHeight, gfx::SurfaceCairo | gfx::SurfaceRecording);
        void* window = gfx::create_surface_dc(kWidth, kHeight, gfx::SurfaceCairo | gfx::SurfaceRecording);
        {
            gfx::Graphics gw(whole), gc(window);
            draw_atc_boundaries_hw_md11_nd(DisplayObject{kWidth, kHeight}, gw);
            gc.set_clip_rect_i(kLeft, kTop, kRight - kLeft, kBottom - kTop);
            draw_atc_boundaries_hw_md11_nd(DisplayObject{kWidth, kHeight}, gc);
        }
        int differing = 0;
        for (int y = kTop + 1; y < kBottom - 1; ++y)
            for (int x = kLeft + 1; x < kRight - 1; ++x)
                differing += gfx::surface_pixel(whole, x, y) != gfx::surface_pixel(window, x, y);
        EXPECT_EQ(differing, 0) << r.range;

        const auto all = drawn_segments(*gfx::surface_recording(whole));
        const auto kept = drawn_segments(*gfx::surface_recording(window));
        EXPECT_LT(kept.size(), all.size()) << r.range;
        int meeting = 0;
        for (const Segment& line : all) {
            if (std::min(line.a.x, line.b.x) > kRight + 2 || std::max(line.a.x, line.b.x) < kLeft - 2 ||
                std::min(line.a.y, line.b.y) > kBottom + 2 || std::max(line.a.y, line.b.y) < kTop - 2)
                continue;
            ++meeting;
            EXPECT_TRUE(std::find(kept.begin(), kept.end(), line) != kept.end())
                << r.range << ": " << line.a.x << ", " << line.a.y;
        }
        EXPECT_GT(meeting, 10) << r.range;
        gfx::destroy_surface_dc(whole);
        gfx::destroy_surface_dc(window);
    }
    hw_md11_nd_range = 80.0;
}

} // namespace

TEST_F(AtcBoundaryLayer, aBoundaryChangedBetweenFramesIsDrawnAsItIsNow) {
    // The layer keeps what it derives from each boundary between frames: a
    // change anywhere in a boundary shows in the next frame. 40 NM range:
    // 215 / 40 units per NM from (122, 249), heading north.
    add("KZSE", "SEA", {{0.0, 10.0}, {90.0, 10.0}, {180.0, 10.0}, {270.0, 10.0}});
    add("KZOA", "OAK", {{0.0, 5.0}, {90.0, 5.0}});
    draw_atc_boundaries_hw_b737_nd(display_, g());
    ASSERT_EQ(segments().size(), 4u);
    constexpr double u = 215.0 / 40.0;
    struct Row {
        const char* change;
        std::function<void()> write;
        std::size_t segments;
        std::size_t segment; // whose end is checked
        double x, y;
    };
    const Row rows[] = {
        {"a middle point moved",
         [] {
             BoundaryPoint& p = atc_boundaries.slot(1).points.slot(2);
             ahead(90.0, 20.0, &p.latitude, &p.longitude);
         },
         4, 0, 122.0 + 20.0 * u, 249.0},
        {"a point added",
         [] {
             AtcBoundary& b = atc_boundaries.slot(2);
             ahead(180.0, 5.0, &b.points.slot(3).latitude, &b.points.slot(3).longitude);
             b.point_count = 3;
         },
         5, 4, 122.0, 249.0 + 5.0 * u},
        {"the table refilled",
         [this] {
             atc_boundaries.set_count(0);
             add("KZLA", "LAX", {{0.0, 8.0}, {180.0, 8.0}});
         },
         1, 0, 122.0, 249.0 + 8.0 * u},
    };
    for (const Row& r : rows) {
        r.write();
        rec().clear();
        draw_atc_boundaries_hw_b737_nd(display_, g());
        const auto lines = segments();
        ASSERT_EQ(lines.size(), r.segments) << r.change;
        EXPECT_NEAR(lines[r.segment].second.x, r.x, 1.0) << r.change;
        EXPECT_NEAR(lines[r.segment].second.y, r.y, 1.0) << r.change;
    }
}

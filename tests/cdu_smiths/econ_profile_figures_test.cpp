// The vertical figures the ECON pages and the ND show are the profile's,
// along the legs of a route that turns, from where the aircraft is now (not
// where it was when the profile was built): the T/C distance, whether the
// aircraft is past the T/D, the distance to the target and the T/D-to-target
// length.
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "map/map_overlays.h"
#include "nd/hw_b737_nd_frame_values.h"
#include "page_canvas.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// 20 NM legs: east, north, north, east to the field. At 400 ft/NM up and
// down to 12 000 ft the T/C lies 30 NM flown from the origin, the T/D 30 NM
// flown before the field: LNAV cuts 1.76 NM off each square turn (3 NM each
// side on a 4.24 NM chord), so the T/D lies 48.24 NM along the legs, 31.76
// NM of legs before the field.
constexpr double kCourses[] = {90.0, 0.0, 0.0, 90.0};

class EconProfileFigures : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        start_in_flight();
        std::vector<PlanPoint> points{{"W0", 0.0, 10.0}};
        for (int i = 0; i < 4; ++i)
            points.push_back(along(points.back(), kCourses[i], 20.0, "W" + std::to_string(i + 1)));
        write_active_plan(points);
        active_entry(0).alt_constraint = 0.0;
        active_entry(4).alt_constraint = 0.0;
        vertical_target_cursor.move_to(4);
        cruise_altitude = 12000;
        ClimbRate = 2000;
        DescentRate = descent_rate_used_fpm = 2000.0;
        climb_tas_target = descent_tas_target = 300.0;
        switch_distance = 0.0;
    }
    void TearDown() override {
        forget_vertical_profile();
        set_active_last(-1);
        set_flown_to(kNoToWaypoint);
        cruise_altitude = 0;
        vnav_phase = VnavPhase::Climb;
        ImportTable.panels = nullptr;
        PageCanvas::TearDown();
    }
    static PlanPoint along(const PlanPoint& from, double course, double nm, const std::string& ident = "") {
        PlanPoint p{ident, 0.0, 0.0};
        gc_destination_point(from.lat, from.lon, course, nm, &p.lat, &p.lon);
        return p;
    }
    // The aircraft `nm` along the legs from the origin, on its leg.
    static void fly_to(double nm) {
        const int leg = std::min(3, static_cast<int>(nm / 20.0));
        const RouteWaypoint& from = active_plan[leg];
        const PlanPoint p = along({"", from.lat, from.lon}, kCourses[leg], nm - 20.0 * leg);
        aircraft_state.plat = p.lat;
        aircraft_state.plon = p.lon;
        set_flown_to(leg + 1);
    }
    std::string page_text(int page, float x, float y) {
        smiths_cdu_page = page;
        draw();
        return text_at(x, y);
    }
    bool page_shows(int page, const std::string& text) {
        smiths_cdu_page = page;
        draw();
        return shows(text);
    }
};

TEST_F(EconProfileFigures, pagesAndNdReadTheProfileAlongThePathFromTheAircraftNow) {
    struct Row {
        const char* what;
        int toc_passed, tod_passed;
        double altitude_ft, built_at_nm, now_nm;
        const char* clb_toc;   // the CLB page's T/C row; "" none
        const char* des_dev;   // the DES page's deviation (the path 1000 ft below); "" none
        const char* to_target; // the DES page's row to the target; "" none
        double path_nm;        // the ND's T/D-to-target length
    };
    const Row rows[] = {
        {"climbing, 10 NM flown since the build, the T/C 10 NM past the turn", 0, 0, 0.0, 0.0, 10.0,
         "1204.0Z / 20.0", "", "", 30.0},
        {"the T/D found 1 NM ahead: not on the path yet", 1, 1, 12000.0, 35.0, 47.24, "", "----  --",
         "1206.2Z/31 NM", 30.0},
        {"5 NM past the T/D", 1, 1, 12000.0, 35.0, 53.24, "", " 1000 HI", "1205.0Z/25 NM", 30.0},
        {"past the turn after the T/D's leg", 1, 1, 12000.0, 35.0, 65.0, "", " 1000 HI", "1203.0Z/15 NM",
         30.0},
    };
    for (const Row& r : rows) {
        vnav_phase = r.toc_passed == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        aircraft_state.indicated_altitude_ft = r.altitude_ft;
        fly_to(r.built_at_nm);
        locate_vertical_profile(aircraft_place());
        fly_to(r.now_nm);
        if (r.tod_passed == 1) vnav_phase = VnavPhase::Descent;
        descent_path_altitude = r.altitude_ft - 1000.0;
        EXPECT_EQ(page_text(kPageEconClb, 160, 66), r.clb_toc) << r.what;
        EXPECT_EQ(page_text(kPageEconPathDes, 5, 133), r.des_dev) << r.what;
        if (*r.to_target != '\0') {
            EXPECT_TRUE(page_shows(kPageEconPathDes, r.to_target)) << r.what;
        }
        EXPECT_NEAR(current_descent_path().path_length_nm, r.path_nm, 1e-6) << r.what;
    }
}

// The route's T/C and T/D are one point each, measured one way: along the
// path LNAV flies from the aircraft (the legs, each turn's corner cut). On a
// route that doubles back the T/D lies far along it but near in a straight
// line; on one too short for its level the T/C stands the T/D's margin
// before the T/D, which the climb page and every marker show.
class OnePointEach : public EconProfileFigures {
  protected:
    // Legs of `nm` along `courses` from W0, the field at the end.
    void fly_route(const std::vector<std::pair<double, double>>& legs) {
        std::vector<PlanPoint> points{{"W0", 0.0, 10.0}};
        for (const auto& [course, nm] : legs)
            points.push_back(along(points.back(), course, nm, "W" + std::to_string(points.size())));
        write_active_plan(points);
        const int last = static_cast<int>(legs.size());
        active_entry(0).alt_constraint = 0.0;
        active_entry(last).alt_constraint = 0.0;
        vertical_target_cursor.move_to(last);
        aircraft_state.plat = active_plan[0].lat;
        aircraft_state.plon = active_plan[0].lon;
        set_flown_to(1);
    }
    // The aircraft `nm` along the first leg.
    static void out_along_first_leg(double course, double nm) {
        const PlanPoint p = along({"", active_plan[0].lat, active_plan[0].lon}, course, nm);
        aircraft_state.plat = p.lat;
        aircraft_state.plon = p.lon;
    }
    // The number after the row's "/" (the ETA row's distance).
    double row_nm(int page, float y) {
        smiths_cdu_page = page;
        draw();
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc_)->ops)
            if (op.kind == gfx::OpKind::String && op.world_rect.y == y && op.world_rect.x > 100 &&
                op.text.find('Z') != std::string::npos && op.text.find('/') != std::string::npos) {
                const std::size_t slash = op.text.find('/');
                return std::strtod(op.text.c_str() + slash + 1, nullptr);
            }
        return -1.0;
    }
    // Where an HW-style map (1 px a NM about the aircraft, north up) puts
    // each label.
    std::vector<gfx::RecordedOp> map_labels() {
        void* dc = gfx::create_surface_dc(600, 600, gfx::SurfaceRecording);
        std::vector<gfx::RecordedOp> out;
        {
            gfx::Graphics g(dc);
            draw_tod_toc_markers(g, 250, 250.0, 300, 300, 8, 1.0, 1.0, aircraft_state.plat,
                                 aircraft_state.plon, 0.0);
            for (const gfx::RecordedOp& op : gfx::surface_recording(dc)->ops)
                if (op.kind == gfx::OpKind::String) out.push_back(op);
        }
        gfx::destroy_surface_dc(dc);
        return out;
    }
    static const gfx::RecordedOp* label(const std::vector<gfx::RecordedOp>& ops, const std::string& text) {
        for (const gfx::RecordedOp& op : ops)
            if (op.text == text) return &op;
        return nullptr;
    }
    // The map's pixel for a point `east`, `north` NM from the aircraft.
    static void pixel(double east, double north, double* x, double* y) {
        *x = 300.0 + east;
        *y = 300.0 - north;
    }
};

TEST_F(OnePointEach, pagesAndMapsShowOneTopOfClimbAndOneTopOfDescentAlongThePathFlown) {
    ClimbRate = 2000;
    MaxVnavClimbRate = 0.0;
    ShowFloatingTodBodIndicators = 1;
    // At 2.5 NM a 1000 ft up and down: 30 NM to come down from 12 000 ft.
    struct Row {
        const char* what;
        std::vector<std::pair<double, double>> legs;
        int cruise, toc_passed;
        double altitude_ft, out_nm;
        double clb_toc_nm;  // the CLB page's T/C row (-1: none)
        double tod_nm;      // the CRZ and PATH DES rows' T/D (-1: none)
        double east, north; // the T/D from the aircraft, NM
    };
    const Row rows[] = {
        // The reversal is turned past its fix and back onto the leg, 3.8 NM
        // more than the legs; the last turn, square, is cut by 1.76 NM (3 NM
        // each side on a 4.24 NM chord).
        {"out 100 NM and back 80 NM, 20 NM on to the field: the T/D 122 NM flown ahead, 18.2 NM straight",
         {{90.0, 100.0}, {270.0, 80.0}, {0.0, 20.0}},
         12000,
         1,
         12000.0,
         50.0,
         -1.0,
         122.0,
         -18.24,
         0.0},
        {"60 NM of legs, 58.24 NM flown, for a 20 000 ft level: up 28.25 NM to 11 300 ft, down past the turn",
         {{90.0, 20.0}, {0.0, 40.0}},
         20000,
         0,
         0.0,
         0.0,
         28.2,
         -1.0,
         20.0,
         11.75},
    };
    for (const Row& r : rows) {
        fly_route(r.legs);
        cruise_altitude = r.cruise;
        vnav_phase = r.toc_passed == 1 ? VnavPhase::Cruise : VnavPhase::Climb;
        descent_speed_phase = kDescentSpeedPhaseOff;
        aircraft_state.indicated_altitude_ft = r.altitude_ft;
        out_along_first_leg(r.legs[0].first, r.out_nm);
        vertical_target_altitude = 0.0;
        vertical_target_lat = vertical_target_lon = 0.0;
        const VerticalProfile& p = locate_vertical_profile(aircraft_place());
        ASSERT_TRUE(p.tod.exists) << r.what;
        if (r.clb_toc_nm >= 0.0) {
            EXPECT_NEAR(row_nm(kPageEconClb, 66), r.clb_toc_nm, 0.15) << r.what;
            // The T/C stands the T/D's margin before it, so that the level is
            // flown before the descent starts, and at most a step's climb and
            // descent (100 ft: 0.5 NM here) more.
            const double apart = p.tod_distance_nm() - p.toc_distance_nm();
            EXPECT_GE(apart, kTodPassedWithinNm - 0.01) << r.what;
            EXPECT_LT(apart, kTodPassedWithinNm + 0.5) << r.what;
        }
        if (r.tod_nm >= 0.0) {
            EXPECT_NEAR(row_nm(kPageEconCrz, 33), r.tod_nm, 0.6) << r.what;
            EXPECT_NEAR(row_nm(kPageEconPathDes, 66), r.tod_nm, 0.6) << r.what;
        }
        // The maps: the T/D where the geometry puts it, the T/C (while
        // climbing) on it, and the floating [TOD] for a descent from the
        // altitude flown to the field at the same place when at the level.
        const std::vector<gfx::RecordedOp> ops = map_labels();
        double x = 0.0, y = 0.0;
        pixel(r.east, r.north, &x, &y);
        const gfx::RecordedOp* tod = label(ops, "T/D");
        ASSERT_NE(tod, nullptr) << r.what;
        EXPECT_NEAR(tod->world_rect.x - 8.0, x, 1.5) << r.what;
        EXPECT_NEAR(tod->world_rect.y + 7.0, y, 1.5) << r.what;
        const gfx::RecordedOp* toc = label(ops, "T/C");
        EXPECT_EQ(toc != nullptr, r.toc_passed == 0) << r.what;
        if (toc != nullptr) {
            EXPECT_NEAR(toc->world_rect.x, tod->world_rect.x, 1.0) << r.what;
            EXPECT_NEAR(toc->world_rect.y - tod->world_rect.y, kTodPassedWithinNm, 1.0) << r.what;
        }
        const gfx::RecordedOp* floating = label(ops, "[TOD]");
        EXPECT_EQ(floating != nullptr, r.altitude_ft > 500.0) << r.what;
        if (floating != nullptr) {
            EXPECT_NEAR(floating->world_rect.x + 37.0, x, 1.5) << r.what;
            EXPECT_NEAR(floating->world_rect.y + 8.0, y, 1.5) << r.what;
        }
    }
}

} // namespace

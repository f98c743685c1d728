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
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "nd/hw_b737_nd_frame_values.h"
#include "page_canvas.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <cmath>
#include <vector>

namespace {

// 20 NM legs: east, north, north, east to the field. At 400 ft/NM up and
// down to 12 000 ft the T/C lies 30 NM along (10 NM past the first turn),
// the T/D 50 NM along (10 NM before the second): 30 NM of legs from the T/D
// to the field, 22.4 NM straight.
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
        constraint_waypoint_index.move_to(4);
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

TEST_F(EconProfileFigures, pagesAndNdReadTheProfileAlongTheLegsFromTheAircraftNow) {
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
        {"the T/D found 1 NM ahead: not on the path yet", 1, 1, 12000.0, 35.0, 49.0, "", "----  --",
         "1206.2Z/31 NM", 30.0},
        {"5 NM past the T/D", 1, 1, 12000.0, 35.0, 55.0, "", " 1000 HI", "1205.0Z/25 NM", 30.0},
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

} // namespace

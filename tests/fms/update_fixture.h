// fms_update driven through the stand-in: the aircraft model answers the key
// events, each pass moves it one frame (1/18 s of simulator time) and runs a
// working pass. Plans are given as points; the route starts active on leg 1.
#pragma once

#include "aircraft_store.h"
#include "host_services.h"
#include "sim_state.h"

#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "gauges/linkage.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

// The point at a true course and distance from another.
inline PlanPoint offset(const std::string& ident, const PlanPoint& from, double course, double nm) {
    PlanPoint p{ident, 0.0, 0.0};
    gc_destination_point(from.lat, from.lon, course, nm, &p.lat, &p.lon);
    return p;
}

// NM off the great circle through points 1 and 2, from the earth vectors
// (no course: gc_dist_course reads any below 1 degree as 360).
inline double off_great_circle_nm(double lat1, double lon1, double lat2, double lon2, double lat,
                                  double lon) {
    auto vec = [](double la, double lo) {
        return std::array<double, 3>{std::cos(radians(la)) * std::cos(radians(lo)),
                                     std::cos(radians(la)) * std::sin(radians(lo)), std::sin(radians(la))};
    };
    const auto u = vec(lat1, lon1), v = vec(lat2, lon2), p = vec(lat, lon);
    const std::array<double, 3> n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                  u[0] * v[1] - u[1] * v[0]};
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    return std::fabs(std::asin((n[0] * p[0] + n[1] * p[1] + n[2] * p[2]) / len)) * earth_radius_nm;
}

class UpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        host::reset_aircraft();
        ImportTable.panels = host::services_table();
        host::AircraftModel& m = host::aircraft();
        m.altitude_ft = 10000.0;
        m.ias_kt = 250.0;
        m.fuel_lb = 20000.0;
        m.ap_master = m.ap_heading_hold = true;
    }
    void TearDown() override { ImportTable.panels = nullptr; }

    // Puts the aircraft at a point on a true heading (the bug follows it) and
    // starts the model.
    void place(double lat, double lon, double true_heading) {
        host::AircraftModel& m = host::aircraft();
        m.lat_deg = lat;
        m.lon_deg = lon;
        m.true_heading_deg = true_heading;
        m.ap_heading_bug_deg = true_heading - m.magvar_deg;
        host::start_aircraft();
        host::publish_aircraft();
    }

    // The plan as the active route, TO = 1, LNAV engaged.
    static void activate(const std::vector<PlanPoint>& points) {
        write_active_plan(points);
        set_flown_to(1);
        set_to_position(GeoPosition{points[1].lat, points[1].lon});
        route_state = kRouteStateActive;
        lnav_engaged = 1;
        intercept_armed = 1;
    }

    void pass() {
        host::advance_aircraft();
        fms_update();
    }
    void passes(int n) {
        for (int i = 0; i < n; ++i)
            pass();
    }
    // Runs until the condition holds or the passes run out; true when it held.
    template <class Condition> bool pass_until(Condition done, int max_passes) {
        for (int i = 0; i < max_passes; ++i) {
            pass();
            if (done()) return true;
        }
        return false;
    }

    // The key events with this id sent so far, their parameters in order.
    static std::vector<uint32_t> sent(uint32_t id) {
        std::vector<uint32_t> values;
        for (const host::KeyEvent& e : host::sim_state().key_events)
            if (e.id == id) values.push_back(e.parameter);
        return values;
    }
};

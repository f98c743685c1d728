// The HW_B737_ND drawn for a stand-in aircraft on the example route (Seattle
// to Portland over the bundled database): the aircraft flies the leg FOXXE -
// NISQL, fms_update has run, and the render pass draws into a 244 x 302
// recording and Cairo surface, so one device pixel is one design unit.
#pragma once

#include "aircraft_store.h"
#include "host_services.h"
#include "sim_state.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/nav_database.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "map/range_ladder.h"
#include "nd/nd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "shared/plan_points.h"
#include "sim/aircraft_state.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// KSEAKPDX.RTE as far as Portland.
inline const std::vector<PlanPoint> kExampleRoute = {
    {"KSEA", 47.44900, -122.30930},  {"SEA", 47.43540, -122.30970},   {"FOXXE", 47.28117, -122.50845},
    {"NISQL", 47.12661, -122.70605}, {"OLM", 46.97170, -122.90250},   {"TOUTL", 46.35990, -122.74541},
    {"KELSO", 46.05393, -122.66818}, {"LAVVA", 45.97895, -122.54507}, {"SAUVI", 45.71578, -122.95376},
    {"KPDX", 45.58870, -122.59750},
};

class NdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        host::reset_aircraft();
        ImportTable.panels = host::services_table();
        host_folder = std::string(ORVEX_SOURCE_DIR) + "/examples/sim";
        load_nav_database();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(244, 302, gfx::SurfaceCairo | gfx::SurfaceRecording);

        // Halfway from FOXXE to NISQL, on the leg's course (about 221 true).
        host::AircraftModel& m = host::aircraft();
        m.altitude_ft = 12000.0;
        m.ias_kt = 250.0;
        m.fuel_lb = 20000.0;
        m.ap_master = m.ap_heading_hold = true;
        double leg = 0.0, course = 0.0;
        gc_dist_course(kExampleRoute[2].lat, kExampleRoute[2].lon, kExampleRoute[3].lat, kExampleRoute[3].lon,
                       &leg, &course);
        gc_destination_point(kExampleRoute[2].lat, kExampleRoute[2].lon, course, leg / 2, &m.lat_deg,
                             &m.lon_deg);
        m.true_heading_deg = course;
        m.ap_heading_bug_deg = course;
        host::start_aircraft();
        host::publish_aircraft();

        write_active_plan(kExampleRoute);
        set_flown_to(3);
        set_to_position(GeoPosition{kExampleRoute[3].lat, kExampleRoute[3].lon});
        route_state = kRouteStateActive;
        update();
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        ImportTable.panels = nullptr;
    }

    // A few frames of the per-frame update, as the display gauges run it.
    void update(int frames = 20) {
        for (int i = 0; i < frames; ++i) {
            host::advance_aircraft();
            fms_update();
        }
    }
    const gfx::Recording& render(int mode, double range, int view_mode = RENDER_MODE_DRAW) {
        hw_b737_nd_mode = mode;
        hw_b737_nd_range = range;
        rec().clear();
        // Twice, so that the scale follows this mode's radius.
        render_hw_b737_nd(dc_, PixelSize{244, 302}, view_mode);
        rec().clear();
        render_hw_b737_nd(dc_, PixelSize{244, 302}, view_mode);
        return rec();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    void* dc_ = nullptr;
};

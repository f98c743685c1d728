// A 244 x 302 recording surface for the map overlays, so that one device
// pixel is one HW_B737_ND design unit, and the aircraft at a fixed place
// heading north.
#pragma once

#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "fms/math/nav_math.h"
#include "gauges/gdiplus_lifetime.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <memory>

class OverlayTest : public ::testing::Test {
  protected:
    static constexpr double kLat = 47.0, kLon = -122.0;

    void SetUp() override {
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(244, 302, gfx::SurfaceRecording);
        graphics_ = std::make_unique<gfx::Graphics>(dc_);
        aircraft_state = AircraftState{};
        aircraft_state.plat = kLat;
        aircraft_state.plon = kLon;
        hw_b737_nd_mode = kB737NdModeMap;
        hw_b737_nd_range = 40.0;
        hw_b737_nd_centre_y = 249;
        hw_b737_nd_compass_radius = 215;
    }
    void TearDown() override {
        graphics_.reset();
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    gfx::Graphics& g() { return *graphics_; }
    // The position `nm` from the aircraft along the true course.
    static void ahead(double course, double nm, double* lat, double* lon) {
        gc_destination_point(kLat, kLon, course, nm, lat, lon);
    }

    DisplayObject display_{244, 302};
    void* dc_ = nullptr;
    std::unique_ptr<gfx::Graphics> graphics_;
};

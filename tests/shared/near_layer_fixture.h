// Nearby lists made by hand about the aircraft, and a recording surface for
// the near layers that draw them. Each list's centre is put at the aircraft,
// so that no layer rebuilds the lists from the database.
#pragma once

#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "gauges/gdiplus_lifetime.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

// Puts the aircraft at (lat, lon) and every nearby list's centre with it.
inline void centre_near_lists_at(double lat, double lon) {
    aircraft_state.plat = lat;
    aircraft_state.plon = lon;
    for (ListCentre* c : {&near_navaids_centre, &local_navaids_centre, &near_airports_centre,
                          &close_airports_centre, &near_airway_fixes_centre, &local_airway_fixes_centre})
        *c = ListCentre{lat, lon};
}

template <std::size_t N> void fill(NavTable<N>& list, std::initializer_list<NavRecord> records) {
    list.clear();
    for (const NavRecord& r : records)
        list.append(r);
}

// A width x height recording surface, the aircraft at (kLat, kLon) heading
// north (map heading 0) and the lists centred there.
class NearLayerCanvas : public ::testing::Test {
  protected:
    static constexpr double kLat = 47.0, kLon = -122.0;

    NearLayerCanvas(int width, int height) : width_(width), height_(height) {}

    void SetUp() override {
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(width_, height_, gfx::SurfaceRecording);
        graphics_ = std::make_unique<gfx::Graphics>(dc_);
        centre_near_lists_at(kLat, kLon);
        aircraft_state.map_heading_deg = 0.0;
    }
    void TearDown() override {
        graphics_.reset();
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }

    // A record `nm` from the aircraft along the true course.
    static NavRecord record_at(const std::string& ident, const std::string& kind, double course, double nm) {
        NavRecord r;
        r.ident = ident;
        r.kind = kind;
        gc_destination_point(kLat, kLon, course, nm, &r.latitude, &r.longitude);
        return r;
    }

    int width_, height_;
    void* dc_ = nullptr;
    std::unique_ptr<gfx::Graphics> graphics_;
};

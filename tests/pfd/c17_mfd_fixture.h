// The C17_MFD render pass on a 246 x 241 recording surface, where one device
// pixel is one design unit of the canvas.
#pragma once

#include "host_services.h"
#include "sim_state.h"

#include "data/c17_mfd_state.h"
#include "gauges/gdiplus_lifetime.h"
#include "gauges/linkage.h"
#include "pfd/pfd_render_passes.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

class C17Mfd : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(246, 241, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
        aircraft_state.radio_altitude_ft = 5000;
        for (uint32_t unit = 1; unit <= 4; ++unit)
            c17_mfd_units[unit] = C17MfdInstance{};
        c17_mfd_units[4].format = kC17FormatConfiguration;
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
        aircraft_state = AircraftState{};
    }
    // Unit 1 shows the PFD, unit 4 the configuration page.
    const gfx::Recording& draw(uint32_t unit = 1, PixelSize size = {246, 241}) {
        gfx::Recording& r = *gfx::surface_recording(dc_);
        r.clear();
        render_c17_mfd(dc_, size, unit);
        return r;
    }
    // The text drawn with its origin at canvas (x, y), or "<none>".
    static std::string text_at(const gfx::Recording& r, float x, float y, gfx::Argb* colour = nullptr,
                               float* size = nullptr) {
        const gfx::RecordedOp* op = r.text_near(x, y, 0.5f);
        if (op == nullptr) return "<none>";
        if (colour != nullptr) *colour = op->color;
        if (size != nullptr) *size = op->font_size * op->transform.m22;
        return op->text;
    }
    // Whether a line of this colour runs from (x1, y1) to (x2, y2) on the canvas.
    static bool has_line(const gfx::Recording& r, gfx::Argb colour, float x1, float y1, float x2, float y2) {
        for (const gfx::RecordedOp* op : r.lines_in_color(colour))
            for (std::size_t i = 0; i + 1 < op->points.size(); ++i) {
                const gfx::PointF a = op->points[i], b = op->points[i + 1];
                if (std::abs(a.x - x1) < 0.5f && std::abs(a.y - y1) < 0.5f && std::abs(b.x - x2) < 0.5f &&
                    std::abs(b.y - y2) < 0.5f)
                    return true;
            }
        return false;
    }
    void* dc_ = nullptr;
};

// One SMITHS page pass on a 282 x 245 recording surface (cairo too, so the
// page can be written out as a PNG to look at): the test sets the inputs,
// presses a line-select key by number and reads back the texts drawn.
#pragma once

#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_render.h"
#include "data/module_settings.h"
#include "fms/units/cdu_text.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class PageCanvas : public ::testing::Test {
  protected:
    void SetUp() override { gfx::startup(&token_); }
    // The pages' world in flight: the simulator's services, a fresh aircraft
    // at 300 kt ground speed, 12:00 UTC, the ETAs in UTC.
    void start_in_flight() {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        aircraft_state = AircraftState{};
        aircraft_state.ground_speed_kt = 300.0;
        aircraft_state.zulu_hours = 12.0;
        DispETALocalTime = 0;
    }
    void TearDown() override {
        if (dc_) gfx::destroy_surface_dc(dc_);
        gfx::shutdown(token_);
        smiths_scratchpad.clear();
        smiths_scratchpad_message.clear();
    }
    // One pass with line-select key `lsk` (0 none) pending.
    void draw(int lsk = 0) {
        if (dc_) gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording | gfx::SurfaceCairo);
        smiths_cdu_lsk = lsk;
        render_smiths_fms(smiths_cdu_display, dc_, PixelSize{282, 245});
    }
    // Types an entry, presses the key and draws.
    void enter(const std::string& text, int lsk) {
        smiths_scratchpad = text;
        smiths_scratchpad_message.clear();
        draw(lsk);
    }
    std::string text_at(float x, float y) const {
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc_)->ops)
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y)
                return op.text;
        return "";
    }
    bool shows(const std::string& text) const {
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc_)->ops)
            if (op.kind == gfx::OpKind::String && op.text == text) return true;
        return false;
    }
    // With ORVEX_PAGE_PNG set to a folder, the last pass is written there.
    void write_png(const std::string& name) const {
        const char* dir = std::getenv("ORVEX_PAGE_PNG");
        if (dir != nullptr) {
            EXPECT_TRUE(gfx::write_surface_png(dc_, std::string(dir) + "/" + name + ".png"));
        }
    }
    uint32_t token_ = 0;
    void* dc_ = nullptr;
};

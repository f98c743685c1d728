// The GNS scratchpad editor, the render pass's frame and the data column of
// the active-plan view, on a recording surface without the stand-in.
#include "cdu_smiths/smiths_cursors.h"
#include "cdu_smiths/smiths_keys.h"
#include "data/module_settings.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_render.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

TEST(GnsScratchpad, KeysFillTheFieldToItsWidth) {
    struct Row {
        int state;
        int fresh;
        const char* before;
        const char* key;
        const char* after;
    };
    const Row rows[] = {
        {1, 1, "SEA   ", "P", "P     "},          // a proposal is replaced
        {1, 0, "PA    ", "E", "PAE   "},          // typed text grows
        {1, 0, "ABCDEF", "G", "ABCDEF"},          // six is the field
        {14, 0, "KSEAKPDX  ", "X", "KSEAKPDXX "}, // ten on SAVE
        {1, 0, "------", "K", "K     "},          // an empty selection is replaced
        {1, 0, "******", "1", "1     "},          // so is the end mark
        {1, 1, "SEA   ", "*1", "SE    "},         // erase keeps the proposal fresh
        {1, 0, "", "*1", "      "},               // nothing to erase
        {1, 0, "KSEA APT", "X", "KSEA APT"},      // a long proposal keeps its text
    };
    for (const Row& r : rows) {
        gns_state = r.state;
        gns_entry_active = 1;
        gns_entry_fresh = r.fresh;
        gns_scratchpad = r.before;
        gns_scratchpad_add(r.key, 0);
        EXPECT_EQ(gns_scratchpad, r.after) << r.before << " + " << r.key;
    }
    // With no field open nothing is typed; padding only pads.
    gns_state = GNS_FLIGHT_PLAN;
    gns_entry_active = 0;
    gns_scratchpad = "AB";
    gns_scratchpad_add("C", 0);
    EXPECT_EQ(gns_scratchpad, "AB");
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    gns_scratchpad_add("", 1);
    EXPECT_EQ(gns_scratchpad, "AB    ");
    EXPECT_EQ(gns_entry_fresh, 1);
}

// The SMITHS letters type into the SMITHS only: an open GNS field and the
// RTE LEGS page's HOLD AT pick stay as they were.
TEST(GnsScratchpad, SmithsLettersLeaveAnOpenGnsField) {
    gns_state = GNS_FLIGHT_PLAN;
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    gns_scratchpad = "SEA   ";
    smiths_hold_at_cursor.move_to(4);
    for (SmithsKey key : {SmithsKey::F, SmithsKey::K, SmithsKey::Z})
        smiths_press_key(key);
    EXPECT_EQ(gns_scratchpad, "SEA   ");
    EXPECT_EQ(gns_entry_fresh, 1);
    EXPECT_EQ(smiths_hold_at_leg, 4);
    EXPECT_EQ(smiths_scratchpad, "FKZ");
}

class GnsCanvas : public ::testing::Test {
  protected:
    void SetUp() override {
        gfx::startup(&token_);
        dc_ = gfx::create_surface_dc(495, 400, gfx::SurfaceRecording);
        aircraft_state = AircraftState{};
        aircraft_state.display_power = 1;
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gfx::shutdown(token_);
    }
    const gfx::Recording& draw() {
        gfx::surface_recording(dc_)->ops.clear();
        render_gnsxls(gnsxls_display, dc_, PixelSize{495, 400});
        return *gfx::surface_recording(dc_);
    }
    static bool only_cleared(const gfx::Recording& r) {
        for (const gfx::RecordedOp& op : r.ops)
            if (op.kind == gfx::OpKind::String || op.fill) return false;
        return !r.ops.empty();
    }
    std::string text_at(float x, float y) {
        for (const gfx::RecordedOp& op : gfx::surface_recording(dc_)->ops)
            if (op.kind == gfx::OpKind::String && op.world_rect.x == x && op.world_rect.y == y)
                return op.text;
        return "";
    }
    // Active plan KSEA, then a waypoint 100 NM due south of the aircraft.
    void two_waypoint_plan() {
        gns_state = GNS_FLIGHT_PLAN;
        gns_sub_state = kGnsSubStateActivePlan;
        active_entry(0).ident = "KSEA";
        active_entry(1).ident = "SOUTH";
        active_entry(1).lat = -100.0 / 60.0;
        set_active_last(1);
        set_flown_to(1);
    }
    uint32_t token_ = 0;
    void* dc_ = nullptr;
};

TEST_F(GnsCanvas, UnpoweredDrawsOnlyTheClearAndKeepsTheInputs) {
    gns_state = GNS_FLIGHT_PLAN;
    gns_sub_state = kGnsSubStateStoredPlans;
    gns_enter_pressed = 1;
    gns_lsk = 5;
    aircraft_state.display_power = 0;
    EXPECT_TRUE(only_cleared(draw()));
    EXPECT_EQ(gns_enter_pressed, 1);
    EXPECT_EQ(gns_lsk, 5);

    // Powered: the page takes the key, and the frame ends the inputs.
    aircraft_state.display_power = 1;
    draw();
    EXPECT_EQ(gns_enter_pressed, 0);
    EXPECT_EQ(gns_lsk, 0);
    EXPECT_EQ(gns_line_toggles[GNS_L5], kGnsToggleFirst);
    EXPECT_FALSE(only_cleared(draw()));

    // A state without a page only clears.
    gns_state = 5;
    EXPECT_TRUE(only_cleared(draw()));
}

TEST_F(GnsCanvas, TimeColumnsCarryAtSixtyMinutesAndWrapAtMidnight) {
    two_waypoint_plan();
    aircraft_state.ground_speed_kt = 300.0; // 100 NM: 20 minutes
    gns_fpl_option = kGnsFplOptionEte;
    draw();
    EXPECT_EQ(text_at(300.0f, 80.0f), "00:20");

    struct Row {
        double hours, minutes;
        const char* eta;
    };
    const Row rows[] = {{23.0, 50.0, "00:10"}, {10.0, 40.0, "11:00"}, {12.0, 5.0, "12:25"}};
    gns_fpl_option = kGnsFplOptionEta;
    DispETALocalTime = 0;
    for (const Row& r : rows) {
        aircraft_state.zulu_hours = r.hours;
        aircraft_state.zulu_minutes = r.minutes;
        draw();
        EXPECT_EQ(text_at(300.0f, 80.0f), r.eta) << r.hours << ":" << r.minutes;
    }

    aircraft_state.ground_speed_kt = 50.0;
    draw();
    EXPECT_EQ(text_at(300.0f, 80.0f), "------");

    gns_fpl_option = kGnsFplOptionDis;
    draw();
    EXPECT_EQ(text_at(300.0f, 80.0f), " 100");
}

TEST_F(GnsCanvas, DatabaseWptShowsOnlyACandidateThatExists) {
    gns_state = GNS_DATABASE_WPT;
    gns_database_index = 1;
    gns_database_page = 1;
    unit_candidates(PlanUnit::Gns).records.set_count(0); // emptied under the page
    draw();
    EXPECT_EQ(text_at(45.0f, 0.0f), "DATABASE WPT 1/0");
    EXPECT_EQ(text_at(96.0f, 40.0f), "");
    EXPECT_EQ(text_at(130.0f, 340.0f), "FLYOVER:");

    NavListRecord sea;
    sea.ident = "SEA";
    sea.kind = "V";
    sea.latitude = 47.4354;
    sea.longitude = -122.3097;
    sea.extra = "116.80";
    unit_candidates(PlanUnit::Gns).records.slot(1) = sea;
    unit_candidates(PlanUnit::Gns).records.set_count(1);
    gns_flyover_choice = "NO";
    gns_lsk = 10; // R5: the flyover choice into the field
    draw();
    EXPECT_EQ(text_at(96.0f, 40.0f), "SEA");
    EXPECT_EQ(text_at(300.0f, 40.0f), "VOR");
    EXPECT_EQ(text_at(130.0f, 100.0f), "N47:26:07");
    EXPECT_EQ(text_at(130.0f, 180.0f), "116.80");
    EXPECT_EQ(gns_line_toggles[GNS_R5], kGnsToggleFirst);
    EXPECT_EQ(gns_scratchpad, "NO");
}

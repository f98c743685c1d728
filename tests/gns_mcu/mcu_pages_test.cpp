// The MCU's pages as the pilot works them: ALT/FL, a direct-to typed on the
// keyboard, FPLN loading a route, the airport page with its runway pick,
// LEGS, and the TO status.
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "mcu_stand_in.h"

#include "cdu_keys.h"

#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/files/stored_routes.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/nav/radio_autotune.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/update_counters.h"
#include "gns_mcu/mcu_keyboard.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_unit_state.h"

namespace {

constexpr gfx::Argb kPagesGreen = 0xFF5BE5A7;
constexpr gfx::Argb kAmber = 0xFFE9B73E;
constexpr gfx::Argb kMagenta = 0xFFFF13D5;

NavRecord record(const char* ident, const char* kind, double lat, double lon) {
    NavRecord r;
    r.ident = ident;
    r.kind = kind;
    r.latitude = lat;
    r.longitude = lon;
    return r;
}

} // namespace

TEST_F(McuStandIn, AltPageProposesStepsAndSendsTheAltitude) {
    host::aircraft().ap_altitude_ft = 35999.0;
    frames(20);
    press("ALT");
    gfx::Argb color = 0;
    EXPECT_EQ(text_at(0, 0, &color), "ALT/FL:");
    EXPECT_EQ(color, kAmber);
    EXPECT_EQ(text_at(70, 20, &color), "AP ALT:   35999");
    EXPECT_EQ(color, kPagesGreen);
    EXPECT_EQ(text_at(70, 40, &color), "NEW ALT:  35000");
    EXPECT_EQ(color, kAmber);
    EXPECT_TRUE(has_line(kMagenta, 168, 55, 176, 55));

    press("UP");
    EXPECT_EQ(text_at(70, 40), "NEW ALT:  36000");
    // The 500-ft step, then back down.
    press("RIGHT UP");
    EXPECT_EQ(text_at(70, 40), "NEW ALT:  36500");
    EXPECT_TRUE(has_line(kMagenta, 177, 55, 185, 55));
    press("DOWN LEFT");
    EXPECT_EQ(text_at(70, 40), "NEW ALT:  36000");

    host::sim_state().key_events.clear();
    press("ENTER");
    bool sent = false;
    for (const host::KeyEvent& e : host::sim_state().key_events)
        sent = sent || (e.id == 0x1024C && e.parameter == 36000);
    EXPECT_TRUE(sent);
    EXPECT_EQ(mcu_mode, MCU_STATUS);
    frames(2);
    EXPECT_EQ(text_at(0, 0), "TO:");
}

TEST_F(McuStandIn, AltPageLimits) {
    struct Row {
        double from;
        int step;
        McuArrow arrow;
        double to;
    } rows[] = {{98000, 1, MCU_ARROW_UP, 99000}, {98500, 1, MCU_ARROW_UP, 98500},
                {97500, 2, MCU_ARROW_UP, 98000}, {98000, 2, MCU_ARROW_UP, 98000},
                {500, 1, MCU_ARROW_DOWN, 500},   {500, 2, MCU_ARROW_DOWN, 0}};
    press("ALT");
    for (const Row& r : rows) {
        mcu_new_altitude_ft = r.from;
        mcu_select = r.step;
        press(r.arrow == MCU_ARROW_UP ? "UP" : "DOWN");
        EXPECT_EQ(mcu_new_altitude_ft, r.to) << r.from << " step " << r.step;
    }
    // After NEXT the rocker changes nothing; ENTER still sends the value.
    press("NEXT UP");
    EXPECT_EQ(mcu_new_altitude_ft, 0.0);
    mcu_new_altitude_ft = 5000.0;
    press("UP");
    EXPECT_EQ(text_at(70, 40), "NEW ALT:  05000");
}

class McuDirectTo : public McuStandIn {
  protected:
    void SetUp() override {
        McuStandIn::SetUp();
        navaid_table.clear();
        intersection_table.clear();
        airport_table.clear();
        navaid_table.append(record("SEA", "V", 0.0, 1.0));
        host::aircraft().lat_deg = 0.0;
        host::aircraft().lon_deg = 0.0;
        host::aircraft().magvar_deg = 0.0;
        frames(20);
    }
};

TEST_F(McuDirectTo, TypedIdentifierIsFlownDirect) {
    vertical_target_cursor.move_to(5); // of an earlier, longer plan
    press("DIRTO ENTRY");
    EXPECT_EQ(mcu_entry_active, 1);
    EXPECT_NE(keyboard_hook, 0u);
    EXPECT_NE(keyboard_device, 0u);
    type("SEA");
    EXPECT_EQ(mcu_entry_text, "SEA");
    frames(1);
    gfx::Argb color = 0;
    EXPECT_EQ(text_at(0, 12, &color), "SEA   VOR 090\u00B0    60 nm");
    EXPECT_EQ(color, kAmber);
    EXPECT_EQ(text_at(0, 61, &color), "> SEA");
    EXPECT_EQ(color, kPagesGreen);
    // The hook kept the letters from the simulator.
    for (const host::HookOutcome& o : host::take_hook_outcomes())
        EXPECT_EQ(o.result, 1) << host::describe(o);

    hit("RETURN");
    EXPECT_EQ(keyboard_hook, 0u);
    EXPECT_EQ(keyboard_device, 0u);
    EXPECT_EQ(keyboard_dinput, 0u);
    int objects = -1, devices = -1;
    orvex_dinput_open_count(&objects, &devices, nullptr);
    EXPECT_EQ(objects + devices, 0);
    ASSERT_EQ(active_plan_last, 1);
    EXPECT_EQ(active_plan[0].ident, "DIRECT");
    EXPECT_EQ(active_plan[1].ident, "SEA");
    EXPECT_EQ(active_plan[1].type, "VOR");
    EXPECT_EQ(active_plan[2].ident, "******");
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(constraint_waypoint_index, 1);
    EXPECT_EQ(mcu_direct_only, 1);
    EXPECT_EQ(mcu_mode, MCU_STATUS);
}

TEST_F(McuDirectTo, DirectKeepsTheDestinationAirportAndDropsTheHolds) {
    active_entry(0).ident = "KSEA";
    active_entry(1).ident = "FIX";
    active_entry(2).ident = "FIX2";
    active_entry(3).ident = "KPDX";
    active_entry(3).type = "APT";
    active_entry(3).lat = 45.5887;
    active_entry(3).lon = -122.5975;
    set_active_last(3);
    set_flown_to(1);
    hold_list.set_count(1);
    hold_list.slot(1).set_active_index(2);
    // The airport selected last is another one: the destination keeps its own elevation.
    airport_slots[destination_slot].airport_ident = "KPDX";
    airport_slots[destination_slot].elevation_ft = 31;
    selected_destination_elevation_text = "433";
    navaid_table.append(record("NDB1", "N", 0.5, 0.5));
    intersection_table.append(record("NDB1", "I", 0.6, 0.6));
    press("DIRTO ENTRY");
    type("NDB1");
    frames(1);
    EXPECT_EQ(unit_candidates(PlanUnit::Mcu).records.count(), 2);
    EXPECT_EQ(text_at(0, 24).substr(0, 9), "NDB1  INT");
    press("NEXT");
    EXPECT_EQ(mcu_dirto_choice, 2);
    hit("RETURN");
    ASSERT_EQ(active_plan_last, 2);
    EXPECT_EQ(active_plan[1].ident, "NDB1");
    EXPECT_EQ(active_plan[1].type, "INT");
    EXPECT_EQ(active_plan[2].ident, "KPDX");
    EXPECT_EQ(active_plan[2].alt_constraint, 31.0);
    EXPECT_EQ(active_plan[3].ident, "******");
    EXPECT_EQ(hold_count(), 0);
    EXPECT_EQ(mcu_direct_only, 0);
}

// Direct to the destination airport itself: the plan ends there once; a
// fix of the same name elsewhere is flown to before it.
TEST_F(McuDirectTo, DirectToTheDestinationFliesItOnce) {
    const struct {
        const char* kind;
        const char* plan;
    } rows[] = {{"APT", "DIRECT KPDX ******"}, {"V", "DIRECT KPDX KPDX ******"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        active_entry(0).ident = "KSEA";
        active_entry(1).ident = "FIX";
        active_entry(2).ident = "KPDX";
        active_entry(2).type = "APT";
        active_entry(2).lat = 0.5;
        active_entry(2).lon = 0.5;
        set_active_last(2);
        set_flown_to(1);
        airport_slots[destination_slot].airport_ident = "KPDX";
        airport_slots[destination_slot].elevation_ft = 31;
        selected_destination_elevation_text = "433";
        airport_table.clear();
        navaid_table.clear();
        if (row.kind[0] == 'A')
            airport_table.append(record("KPDX", row.kind, 0.5, 0.5));
        else
            navaid_table.append(record("KPDX", row.kind, 0.5, 0.5));
        press("DIRTO ENTRY");
        type("KPDX");
        hit("RETURN");
        std::string plan;
        for (int i = 0; i <= active_plan_last + 1; ++i)
            plan += (i ? " " : "") + active_plan[i].ident;
        EXPECT_EQ(plan, row.plan);
        EXPECT_EQ(to_waypoint_index, 1);
        EXPECT_EQ(active_plan[active_plan_last].alt_constraint, 31.0);
        EXPECT_EQ(constraint_waypoint_index, active_plan_last);
    }
}

TEST_F(McuDirectTo, AnotherUnitsLookupLeavesTheListAlone) {
    navaid_table.append(record("SEA", "N", 0.2, 0.2));
    press("DIRTO ENTRY");
    type("SEA");
    press("NEXT");
    EXPECT_EQ(mcu_dirto_choice, 2);
    // A GNS lookup of one unrelated record.
    {
        const PlanUnitScope gns(PlanUnit::Gns);
        candidate_list().set_count(0);
        candidate_list().append(NavListRecord(record("XYZ", "I", 10.0, 10.0)));
    }
    EXPECT_EQ(unit_candidates(PlanUnit::Mcu).records.count(), 2);
    hit("RETURN");
    EXPECT_EQ(active_plan[1].ident, "SEA");
    EXPECT_EQ(active_plan[1].type, "NDB");
}

TEST_F(McuDirectTo, CharacterWheel) {
    press("DIRTO UP");
    EXPECT_EQ(mcu_select, 1);
    EXPECT_EQ(mcu_entry_text, "0");
    struct Row {
        char from;
        char up, down;
    } rows[] = {{'A', 'B', '9'}, {'0', '1', ' '}, {' ', '0', 'Z'}, {'Z', ' ', 'Y'}, {'9', 'A', '8'}};
    for (const Row& r : rows) {
        EXPECT_EQ(mcu_wheel_up(r.from), r.up) << r.from;
        EXPECT_EQ(mcu_wheel_down(r.from), r.down) << r.from;
    }
    // A blank turned in cuts the identifier there.
    mcu_entry_text = "ABCD";
    mcu_select = 3;
    press("DOWN UP");
    EXPECT_EQ(mcu_entry_text, "ABCD");
    mcu_select = 3;
    mcu_entry_text = "AB0D";
    press("DOWN");
    EXPECT_EQ(mcu_entry_text, "AB");
    // Emptied under the cursor (EXEC does so): the cursor stays on the text.
    mcu_select = 5;
    mcu_entry_text.clear();
    press("RIGHT");
    EXPECT_EQ(mcu_select, 1);
}

TEST_F(McuStandIn, FplnEnterLoadsTheRouteOnTheNextFrame) {
    mcu_direct_only = 1;
    press("FPLN");
    EXPECT_EQ(text_at(0, 0), "FPLN:");
    ASSERT_FALSE(text_at(0, 12).empty());
    press("ENTER");
    gfx::Argb color = 0;
    EXPECT_EQ(route_file_request, kRouteFileRequestMcu);
    text_at(0, 12, &color);
    EXPECT_EQ(color, kAmber);
    frames(1); // the update loads it; the airport page serves the load once
    EXPECT_EQ(route_file_request, kRouteFileRequestNone);
    EXPECT_GE(active_plan_last, 1);
    EXPECT_EQ(mcu_mode, MCU_STATUS);
    // The airport page took the route's airport nearest the aircraft (KSEA).
    EXPECT_EQ(mcu_airport_text_b, "KSEA");
    EXPECT_EQ(mcu_direct_only, 0);
    frames(1);
    EXPECT_EQ(text_at(40, 0), active_plan[to_waypoint_index].ident);
}

TEST_F(McuStandIn, AirportPageSelectsAnAirportThenPicksAndClearsARunway) {
    press("APT ENTRY");
    type("KPDX");
    hit("RETURN");
    EXPECT_EQ(mcu_airport_text_b, "KPDX");
    EXPECT_EQ(text_at(0, 0).substr(0, 9), "APT: KPDX");
    EXPECT_EQ(text_at(0, 12), "10R ILS 111.30 100  11000");
    EXPECT_EQ(airport_runway_selected_line, -999);
    press("NEXT ENTER");
    EXPECT_EQ(autotune_request, kAutotuneSelectedRunway);
    EXPECT_EQ(airport_runway_selected_line, 2);
    EXPECT_EQ(selected_runway_entry(), 2);
    gfx::Argb color = 0;
    text_at(0, 24, &color);
    EXPECT_EQ(color, kAmber);
    // Scrolling keeps the mark on its runway and the pick on its entry.
    press("NEXT NEXT NEXT");
    EXPECT_EQ(mcu_apt_top, 2);
    EXPECT_EQ(mcu_airport_list_index, 1);
    EXPECT_EQ(selected_runway_entry(), 2);
    press("PREV PREV PREV PREV");
    EXPECT_EQ(mcu_apt_top, 1);
    EXPECT_EQ(mcu_airport_list_index, 2);
    // The same row again clears the pick.
    press("NEXT ENTER");
    EXPECT_EQ(airport_runway_selected_line, -999);
    EXPECT_EQ(mcu_airport_list_index, -999);
    // Scrolling with nothing marked leaves nothing marked.
    press("NEXT NEXT NEXT NEXT");
    EXPECT_EQ(mcu_airport_list_index, -999);
    // An unknown airport shows only the title and the entry line.
    press("APT ENTRY");
    type("ZZZZ");
    hit("RETURN");
    EXPECT_EQ(texts(), (std::vector<std::string>{"APT:", "> "}));
}

TEST_F(McuStandIn, LegsPageStepsSetsTheToWaypointAndStoresAConstraint) {
    press("LEGS");
    EXPECT_EQ(text_at(0, 24), "NO ACTIVE ROUTE");
    // ENTER with no route leaves the TO waypoint alone.
    press("ENTER");
    EXPECT_EQ(to_waypoint_index, kNoToWaypoint);
    press("FPLN ENTER");
    frames(2);
    ASSERT_GE(active_plan_last, 3);
    press("LEGS NEXT NEXT");
    EXPECT_EQ(mcu_legs_index, to_waypoint_index + 2);
    const int leg = mcu_legs_index;
    press("ENTER");
    EXPECT_EQ(to_waypoint_index, leg);
    EXPECT_EQ(to_position.lat, active_plan[leg].lat);
    press("LEGSEDIT ENTRY");
    type("12000");
    hit("RETURN");
    EXPECT_EQ(active_plan[leg].alt_constraint, 12000.0);
    EXPECT_EQ(mcu_mode, MCU_STATUS);
    // The rocker's altitude when nothing is typed.
    press("LEGSEDIT UP UP RIGHT ENTER");
    EXPECT_EQ(active_plan[leg].alt_constraint, 2100.0);
}

TEST_F(McuStandIn, PrevAndNextStepTheToWaypoint) {
    press("FPLN ENTER");
    frames(2);
    ASSERT_GE(active_plan_last, 2);
    set_flown_to(active_plan_last);
    press("NEXT");
    EXPECT_EQ(to_waypoint_index, 1);
    press("PREV");
    EXPECT_EQ(to_waypoint_index, active_plan_last);
    EXPECT_EQ(to_position.lon, active_plan[active_plan_last].lon);
    // No waypoint after the origin: PREV leaves TO alone.
    set_active_last(0);
    set_flown_to(1);
    press("PREV");
    EXPECT_EQ(to_waypoint_index, 1);
}

TEST_F(McuStandIn, FplnScrollKeepsTheMarkOnTheRouteLoaded) {
    // Six route files: the catalogue holds them and "NEW FPL" (n = 7).
    const std::filesystem::path plans = std::filesystem::path(sim_folder_.path()) / "orvex" / "flightplans";
    for (const char* name : {"KSEAKPDX2.RTE", "KSEAKPDX3.RTE", "KSEAKPDX4.RTE"})
        std::filesystem::copy_file(plans / "KSEAKPDX.RTE", plans / name);
    press("FPLN NEXT ENTER");
    frames(2);
    EXPECT_EQ(mcu_fpln_marked_row, 2);
    EXPECT_EQ(stored_route_selection, 2);
    press("FPLN NEXT NEXT NEXT");
    EXPECT_EQ(mcu_fpln_top, 2);
    EXPECT_EQ(mcu_fpln_row, 4);
    EXPECT_EQ(mcu_fpln_marked_row, 1);
    gfx::Argb color = 0;
    text_at(0, 12, &color);
    EXPECT_EQ(color, kAmber);
    press("NEXT NEXT");
    EXPECT_EQ(mcu_fpln_top, 3);
    EXPECT_EQ(mcu_fpln_marked_row, 0); // scrolled out of view: no row is amber
    press("NEXT");
    EXPECT_EQ(mcu_fpln_top + mcu_fpln_row - 1, 6); // stops at the last route
    press("PREV PREV PREV PREV");
    EXPECT_EQ(mcu_fpln_top, 2);
    EXPECT_EQ(mcu_fpln_marked_row, 1); // back in view, still on its route
}

// The TO status page keeps its picture while nothing it shows changes, and
// draws a change on the frame that brings it, however many frames before it
// went undrawn (as under wine, which draws every tenth): a picture taken on
// the frame a TO is passed shows the new TO on both platforms.
TEST_F(McuStandIn, StatusPageDrawsTheToOfTheFrameItIsDrawnOn) {
    press("FPLN ENTER");
    frames(3);
    ASSERT_NE(to_waypoint_index, kNoToWaypoint);
    recording().clear();
    frames(2);
    EXPECT_TRUE(texts().empty()); // nothing changed: nothing drawn
    for (const int undrawn : {0, 0, 1, 0, 9, 0}) {
        set_flown_to(to_waypoint_index % active_plan_last + 1);
        for (int i = 0; i < undrawn; ++i)
            host::run_frame(sim_, false);
        frames(1);
        EXPECT_EQ(text_at(40, 0), active_plan[to_waypoint_index].ident) << undrawn;
    }
}

// The periodic refresh of a kept page that falls on a frame not drawn is
// drawn on the next frame drawn.
TEST_F(McuStandIn, ARefreshDueOnAFrameNotDrawnIsDrawnOnTheNext) {
    press("FPLN ENTER");
    press("LEGS");
    frames(3);
    recording().clear();
    frames(1);
    ASSERT_TRUE(texts().empty());
    display_refresh_counter = 91; // the next pass wraps it to 0
    host::run_frame(sim_, false);
    frames(1);
    EXPECT_FALSE(texts().empty());
}

TEST_F(McuStandIn, DestinationAwayFromTheOriginBecomesTheAirportShown) {
    press("FPLN NEXT ENTER");
    frames(2);
    ASSERT_EQ(active_plan[active_plan_last].ident, "KPDX");
    EXPECT_EQ(mcu_airport_text_b, "KSEA");
    press("APT NEXT ENTER");
    ASSERT_EQ(mcu_airport_list_index, 2);
    host::aircraft().lat_deg = 47.62; // 10 NM north of KSEA
    frames(40);
    EXPECT_EQ(mcu_airport_text_b, "KPDX");
    EXPECT_EQ(mcu_airport_text_a, "31");
    EXPECT_EQ(mcu_airport_list_index, -999);
    EXPECT_EQ(airport_runway_selected_line, -999);
}

// The aircraft on the TO waypoint (entry 1) with LNAV off, so that the last
// distance measured is nearly 0; each test turns LNAV on for the key under
// test.
class McuCloseTo : public McuDirectTo {
  protected:
    void SetUp() override {
        McuDirectTo::SetUp();
        const char* idents[] = {"P0", "P1", "P2", "DISCO", "P3"};
        const double lons[] = {-0.5, 0.0, 0.5, 0.0, 2.0};
        for (int i = 0; i < 5; ++i) {
            RouteWaypoint& w = active_entry(i);
            w = RouteWaypoint{};
            w.ident = idents[i];
            w.lon = lons[i];
        }
        make_marker(active_entry(3), EntryKind::Gap);
        set_active_last(4);
        set_flown_to(1);
        set_to_position(GeoPosition{0.0, 0.0});
        route_state = kRouteStateActive;
        SequenceFPlanWpts = 0;
        frames(2);
        ASSERT_LT(distance_to_to_nm, 0.1);
    }
};

TEST_F(McuCloseTo, DirtoFliesTheChosenFixWhenTheDestinationWasUnderTheAircraft) {
    set_active_last(1); // P1, the destination, is the TO
    active_entry(1).type = "APT";
    SequenceFPlanWpts = 1;
    press("DIRTO ENTRY");
    type("SEA");
    hit("RETURN");
    frames(1);
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "SEA");
    EXPECT_NEAR(distance_to_to_nm, 60.0, 0.5);
}

TEST_F(McuCloseTo, PrevWrapsToTheLastAndNextStepsOverAMarker) {
    lnav_engaged = 1;
    press("PREV");
    frames(1);
    EXPECT_EQ(to_waypoint_index, 4);
    EXPECT_EQ(lnav_engaged, 1); // the last waypoint, chosen, is not taken as reached
    set_flown_to(2);
    press("NEXT");
    EXPECT_EQ(to_waypoint_index, 4);
    press("PREV");
    EXPECT_EQ(to_waypoint_index, 2);
}

namespace {

// The MCU beside a SMITHS CDU, which can put another plan in place.
class McuBesideSmiths : public McuStandIn {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!MCU, 0, 0, 501, 386, B738\n"
               "gauge01=orvex1!SMITHS_FMS, 0, 400, 415, 640, B738\n"
               "gauge02=orvex1!SERVER, 0, 0, 10, 10\n";
    }
    void press_cdu(const std::string& items) {
        std::vector<SmithsKey> keys;
        std::string error;
        ASSERT_TRUE(host::cdu_key_sequence(items, keys, error)) << error;
        for (SmithsKey key : keys) {
            ASSERT_TRUE(host::press_cdu_key(*sim_.gauges[1], key).hit);
            host::run_frame(sim_);
        }
    }
};

} // namespace

// The LEGS page on the last leg of a long plan; a shorter plan executed on
// the SMITHS brings its leg back within the new plan.
TEST_F(McuBesideSmiths, TheLegsPageFollowsAShorterPlanPutInPlaceElsewhere) {
    press("FPLN NEXT NEXT ENTER");
    frames(2);
    ASSERT_GE(active_plan_last, 7);
    press("LEGS");
    while (mcu_legs_index < active_plan_last)
        press("NEXT");
    press_cdu("RTE \"KPDXKSEA\" L2 R6 EXEC"); // the SMITHS draws after the MCU
    ASSERT_EQ(active_plan_last, 6);
    EXPECT_EQ(mcu_legs_index, 6);
    frames(1);
    const std::string row = text_at(0, kMcuRowHeight);
    EXPECT_EQ(row.rfind(mcu_format("%2d %-6.6s", 6, active_plan[6].ident.c_str()), 0), 0u) << row;
    press("PREV");
    EXPECT_EQ(mcu_legs_index, 5);
}

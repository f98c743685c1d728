// The P1000_MFD family in the stand-in: the soft keys as toggles and as the
// VNAV pages, the controller's heartbeat and the watchdog that ends it, the
// controller's buttons, the VNAV arithmetic and the debug-log lines.
#include "gauge_walk.h"
#include "stand_in_panel.h"

#include "data/aircraft_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/perf/speed_targets.h"
#include "gauges/debug_log.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/p1000_keys.h"
#include "map/range_ladder.h"
#include "mouse.h"
#include "sim/aircraft_state.h"

#include <fstream>
#include <sstream>

namespace {

class P1000 : public StandInPanel {
  protected:
    void TearDown() override {
        p1000_controller_present = 0;
        p1000_mfd_plan_mode = kP1000PlanModeOff;
        p1000_map_centre_y = 148;
        p1000_map_radius = 53;
        p1000_mfd_page = kP1000PageMain;
        p1000_vnav_distance_select = p1000_vnav_elevation_select = p1000_vnav_angle_select = 0;
        p1000_vnav_distance_nm = p1000_vnav_elevation_ft = p1000_vnav_vs_fpm = 0.0;
        p1000_mfd_range = p1000_tcas_window_range = 12.5;
        tcas_display_on = 0;
        DrawTcasWindowOnP1000MFD = 1;
        for (int& f : show_airports_flags)
            f = 0;
        StandInPanel::TearDown();
    }
    // P1000_MFD on the main panel; with `controller`, a P1000_MFD_CNTR in
    // pop-up window 4003, drawn while that window is open.
    void begin(bool controller) {
        std::string panel = "gauge00=orvex1!P1000_MFD, 0, 0\ngauge01=orvex1!SERVER, 0, 0\n";
        if (controller) {
            panel += "[Window01]\nident=4003\ngauge00=orvex1!P1000_MFD_CNTR, 0, 0\n";
            host::set_window_visible(4003, true);
        }
        place(panel);
        host::start_aircraft();
        start();
        frames(20);
    }
    void click(std::size_t gauge_index, int x, int y) {
        ASSERT_TRUE(host::click_gauge(gauge(gauge_index), x, y).hit)
            << "no spot at (" << x << ", " << y << ")";
    }
    // Centres of the bezel's soft keys and of the controller's buttons.
    void key(int n) { click(0, 85 + (n == 1 ? 0 : n == 2 ? 37 : n == 3 ? 74 : n == 4 ? 112 : 150), 394); }
};

TEST_F(P1000, withoutAControllerTheKeysAreToggles) {
    begin(false);
    key(1);
    for (int flag : show_airports_flags)
        EXPECT_EQ(flag, 1);
    EXPECT_EQ(host::get_named_var(host::find_named_var("orvex_nd_apt")), 1.0);
    key(4);
    EXPECT_EQ(tcas_display_on, 1);
    // The range knob's right half: every display one rung, the traffic
    // window's range while traffic shows in it.
    click(0, 305, 405);
    EXPECT_EQ(p1000_tcas_window_range, 25.0);
    EXPECT_EQ(efs50_ehsi_range, 25.0);
    EXPECT_EQ(p1000_mfd_page, kP1000PageMain);
}

TEST_F(P1000, theControllerTurnsTheKeysToVnavUntilItsWindowCloses) {
    begin(true);
    EXPECT_EQ(p1000_controller_present, 1);
    key(1); // page 1: only a refresh
    EXPECT_EQ(show_airports_flags[ND_P1000], 0);
    key(2);
    EXPECT_EQ(p1000_mfd_page, kP1000PageVnav);

    // The format key: the next frame draws north-up.
    click(2, 92, 52);
    EXPECT_EQ(p1000_mfd_plan_mode, kP1000PlanModeNorthUp);
    frames(1);
    EXPECT_EQ(p1000_map_radius, 75);
    EXPECT_EQ(p1000_map_centre_y, 116);
    EXPECT_NE(recording(0).find_text("N"), nullptr); // the north arrow

    host::set_window_visible(4003, false);
    int updates = 0;
    while (p1000_controller_present == 1 && updates < 200) {
        frames(1);
        ++updates;
    }
    EXPECT_GE(updates, 90);
    EXPECT_LE(updates, 108);
    EXPECT_EQ(p1000_mfd_plan_mode, kP1000PlanModeOff);
    EXPECT_EQ(p1000_map_radius, 53);
    EXPECT_EQ(p1000_map_centre_y, 148);
    key(1);
    EXPECT_EQ(show_airports_flags[ND_P1000], 1);
    EXPECT_EQ(p1000_mfd_page, kP1000PageVnav); // the page waits for the controller
}

TEST_F(P1000, vnavArithmeticAndKnobLimits) {
    descent_speed_target = 220;
    aircraft_state.indicated_altitude_ft = 6000.0;
    p1000_vnav_distance_nm = 10.0;
    p1000_vnav_elevation_ft = 1000.0;
    EXPECT_NEAR(p1000_vnav_vertical_speed(), -2355.8, 0.05);
    p1000_vnav_distance_nm = 0.0;
    FPA = 3.0;
    EXPECT_NEAR(p1000_vnav_vertical_speed(), 1413.5, 0.05);

    p1000_controller_present = 1;
    p1000_mfd_page = kP1000PageVnav;
    struct Row {
        int select; // key that selects the field: 2 distance, 3 elevation, 4 angle
        double start;
        bool up;
        double end;
    };
    const Row rows[] = {{4, 5.95, true, 6.0},   {4, 0.05, false, 0.0}, {3, 50.0, false, 50.0},
                        {3, 100.0, false, 0.0}, {2, 0.0, false, 0.0},  {2, 3.0, true, 4.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.select * 100 + row.start);
        if (row.select == 2) {
            p1000_key2(nullptr, 0);
            p1000_vnav_distance_nm = row.start;
        } else if (row.select == 3) {
            p1000_key3(nullptr, 0);
            p1000_vnav_elevation_ft = row.start;
        } else {
            p1000_key4(nullptr, 0);
            FPA = row.start;
        }
        row.up ? p1000_vnav_knob_inc(nullptr, 0) : p1000_vnav_knob_dec(nullptr, 0);
        const double value = row.select == 2   ? p1000_vnav_distance_nm
                             : row.select == 3 ? p1000_vnav_elevation_ft
                                               : FPA;
        EXPECT_NEAR(value, row.end, 1e-9);
    }
    FPA = 3.0;
}

TEST_F(P1000, controllerRangeButtons) {
    struct Row {
        int tcas, window;
        double map, traffic;
        bool up;
        double map_after, traffic_after;
    };
    const Row rows[] = {
        {1, 1, 12.5, 5.0, false, 12.5, 40.0}, {1, 1, 12.5, 40.0, true, 12.5, 5.0},
        {0, 1, 10.0, 5.0, false, 160.0, 5.0}, {0, 1, 10.0, 5.0, true, 0.5, 5.0},
        {1, 0, 12.5, 5.0, true, 25.0, 5.0}, // the hidden window's range stays
        {1, 0, 12.5, 5.0, false, 5.0, 5.0},
    };
    for (const Row& row : rows) {
        tcas_display_on = row.tcas;
        DrawTcasWindowOnP1000MFD = row.window;
        p1000_mfd_range = row.map;
        p1000_tcas_window_range = row.traffic;
        row.up ? p1000_cntr_range_up(nullptr, 0) : p1000_cntr_range_down(nullptr, 0);
        EXPECT_EQ(p1000_mfd_range, row.map_after);
        EXPECT_EQ(p1000_tcas_window_range, row.traffic_after);
    }
}

TEST_F(P1000, spotsAndDebugLogLines) {
    struct Row {
        const char* gauge;
        std::size_t parents, children;
        int release; // children that answer the release too
    };
    const Row rows[] = {{"P1000_MFD", 8, 10, 2},
                        {"P1000_MFD_NB", 1, 1, 0},
                        {"P1000_MFD_NB_CNTR", 7, 9, 2},
                        {"P1000_MFD_CNTR", 5, 6, 0}};
    for (const Row& r : rows) {
        std::vector<MouseSpot> spots;
        ASSERT_EQ(parse_mouse_list(host::find_gauge_header(sim.module, r.gauge)->mouse_rect, spots), "");
        std::size_t children = 0;
        int release = 0;
        for (const MouseSpot& s : spots)
            for (const MouseRect& c : s.children)
                ++children, release += c.mouse_flags == 0x20200000u;
        EXPECT_EQ(spots.size(), r.parents) << r.gauge;
        EXPECT_EQ(children, r.children) << r.gauge;
        EXPECT_EQ(release, r.release) << r.gauge;
    }

    open_debug_log();
    GaugeHeader header{};
    for (auto callback :
         {p1000_mfd_callback, p1000_mfd_nb_callback, p1000_mfd_cntr_callback, p1000_mfd_nb_cntr_callback})
        callback(&header, 99, 0);
    std::ifstream in(folder.path() + "/orvex1.log");
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "p1000_mfd_callback \np1000_mfd_cntr_callback \n");
}

} // namespace

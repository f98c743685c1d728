// The EFIS, EHSI and MFD control panels placed beside their displays in the
// stand-in at their bitmap sizes (placed pixels are bitmap pixels): clicks
// at the panels' boxes, the display state they set, the lights, the key
// events sent and what the displays take from it on the next frame.
#include "gauge_walk.h"
#include "stand_in_panel.h"

#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "gauges/debug_log.h"
#include "gauges/nd_toggles.h"
#include "gauges/panel_text_elements.h"
#include "gauges/stand_in_hooks.h"
#include "map/range_ladder.h"
#include "mouse.h"
#include "nd/efs50_ehsi_painters.h"
#include "panel_snapshot.h"
#include "script.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

using Lights = std::vector<int>;

class Panels : public StandInPanel {
  protected:
    // The panel as gauge 0 at its bitmap size, its display as gauge 1.
    void place_pair(const char* panel, const char* display) {
        place(std::string("gauge00=orvex1!") + panel + ", 0, 0\n" + "gauge01=orvex1!" + display + ", 0, 0\n");
        begin();
    }
    // The aircraft running and a pass through every read slot, so that the
    // displays are powered.
    void begin() {
        host::start_aircraft();
        start();
        frames(20);
    }
    void click(int x, int y, std::size_t i = 0) {
        ASSERT_TRUE(host::click_gauge(gauge(i), x, y).hit) << "no spot at (" << x << ", " << y << ")";
    }
    Lights lights(std::size_t i = 0) { return host::shown_lights(gauge(i)); }
    // The shown lights among first..last.
    Lights lights_in(int first, int last, std::size_t i = 0) {
        Lights in;
        for (int n : lights(i))
            if (n >= first && n <= last) in.push_back(n);
        return in;
    }
    std::vector<host::KeyEvent> keys() const { return host::sim_state().key_events; }
};

TEST_F(Panels, everyPanelListsItsSpotsWithTheirCursorsAndFlags) {
    struct Row {
        const char* gauge;
        std::size_t spots; // children of all parents
        int repeat;        // children that repeat while held
        int hand;          // hand-cursor children
    };
    const Row rows[] = {
        {"EFS50_EHSI_CNTR", 16, 6, 10},     {"EFS50_EHSI_CNTR_LM", 16, 6, 10},
        {"A300_EFIS_CTRL", 11, 2, 5},       {"MD80_EHSI_CTRL", 10, 0, 6},
        {"MD11_EFIS_CTRL", 15, 0, 15},      {"HW_B737_EFIS_CNTR", 11, 0, 7},
        {"HW_B737_EFIS_CNTR_BR", 11, 0, 7}, {"PROLINE4_MFD_CTRL", 7, 0, 3},
        {"PROLINE4_AUX_CTRL", 6, 0, 6},     {"C17_MFCP", 10, 0, 8},
    };
    for (const Row& r : rows) {
        const GaugeHeader* h = host::find_gauge_header(sim.module, r.gauge);
        ASSERT_NE(h, nullptr) << r.gauge;
        std::vector<MouseSpot> spots;
        ASSERT_EQ(parse_mouse_list(h->mouse_rect, spots), "") << r.gauge;
        std::size_t children = 0;
        int repeat = 0, hand = 0;
        for (const MouseSpot& s : spots) {
            children += s.children.size();
            for (const MouseRect& c : s.children) {
                repeat += c.mouse_flags == MOUSE_LEFT_REPEAT;
                hand += c.cursor == CURSOR_HAND;
                EXPECT_TRUE(c.mouse_flags == MOUSE_LEFTSINGLE || c.mouse_flags == MOUSE_LEFT_REPEAT);
                EXPECT_TRUE(c.cursor == CURSOR_HAND || c.cursor == CURSOR_UPARROW ||
                            c.cursor == CURSOR_DOWNARROW);
            }
        }
        EXPECT_EQ(children, r.spots) << r.gauge;
        EXPECT_EQ(repeat, r.repeat) << r.gauge;
        EXPECT_EQ(hand, r.hand) << r.gauge;
    }
    // The PROLINE4 range knob is a parent of its own inside the mode knob's.
    std::vector<MouseSpot> spots;
    parse_mouse_list(host::find_gauge_header(sim.module, "PROLINE4_MFD_CTRL")->mouse_rect, spots);
    ASSERT_GE(spots.size(), 2u);
    EXPECT_EQ(spots[0].parent.x, 120);
    EXPECT_EQ(spots[0].parent.w, 68);
    EXPECT_EQ(spots[1].parent.x, 137);
    EXPECT_EQ(spots[1].children.at(1).x, 17); // (154, 13) inside its parent
}

TEST_F(Panels, efs50RangeButtonsStepOnlyTheEfs50Ranges) {
    place_pair("EFS50_EHSI_CNTR", "EFS50_EHSI");
    struct Row {
        int mode;
        double map, traffic;
        bool up;
        double map_after, traffic_after;
    };
    const Row rows[] = {
        {kEfs50EhsiModeTcas, 12.5, 10.0, true, 12.5, 20.0},
        {kEfs50EhsiModeTcas, 12.5, 40.0, true, 12.5, 2.0},
        {kEfs50EhsiModeTcas, 12.5, 3.0, false, 12.5, 40.0},
        {kEfs50EhsiModeArcWxOff, 12.5, 10.0, true, 25.0, 10.0},
        {kEfs50EhsiModeArcWxOff, 60.0, 10.0, true, 0.5, 10.0},
        {kEfs50EhsiModeArcWxOff, 60.0, 10.0, false, 160.0, 10.0},
        {kEfs50EhsiModeArcWxOff, 0.5, 10.0, false, 160.0, 10.0},
        {kEfs50EhsiModeArcWxOff, 160.0, 10.0, true, 0.5, 10.0},
    };
    for (const Row& r : rows) {
        efs50_ehsi_mode = r.mode;
        efs50_ehsi_range = r.map;
        efs50_tcas_range = r.traffic;
        hw_b737_nd_range = 40.0;
        click(340, r.up ? 60 : 95); // range up, range down
        EXPECT_EQ(efs50_ehsi_range, r.map_after) << r.mode << " " << r.map;
        EXPECT_EQ(efs50_tcas_range, r.traffic_after) << r.mode << " " << r.traffic;
        EXPECT_EQ(hw_b737_nd_range, 40.0);
    }
}

TEST_F(Panels, efs50ModeNavAndBearingButtons) {
    place_pair("EFS50_EHSI_CNTR", "EFS50_EHSI");
    struct Row {
        int x, y;
        int& state;
        int before, after;
    };
    const Row rows[] = {
        {150, 60, efs50_ehsi_mode, 1, 2},   {150, 60, efs50_ehsi_mode, 3, 1},
        {150, 60, efs50_ehsi_mode, 5, 1},   {210, 60, efs50_ehsi_mode, 2, 4},
        {210, 60, efs50_ehsi_mode, 6, 7},   {210, 60, efs50_ehsi_mode, 7, 4},
        {270, 60, efs50_nav_source, 1, 2},  {270, 60, efs50_nav_source, 2, 1},
        {270, 60, efs50_nav_source, 0, 1},  {150, 95, efs50_brg1_source, 3, 0},
        {150, 95, efs50_brg1_source, 1, 2}, {210, 95, efs50_brg2_source, 0, 1},
        {210, 95, efs50_brg2_source, 5, 0},
    };
    for (const Row& r : rows) {
        r.state = r.before;
        click(r.x, r.y);
        EXPECT_EQ(r.state, r.after) << "(" << r.x << ", " << r.y << ") from " << r.before;
    }
    // TCAS enters the traffic page; HSI and MAP leave it without the overlay.
    efs50_ehsi_mode = kEfs50EhsiModeArcMap;
    click(270, 95);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeTcas);
    EXPECT_EQ(tcas_display_on, 1);
    click(210, 60);
    EXPECT_EQ(efs50_ehsi_mode, kEfs50EhsiModeArc);
    EXPECT_EQ(tcas_display_on, 1);
    // The next frame draws the arc map at its larger radius.
    frames(1);
    EXPECT_EQ(efs50_ehsi_range_base, 95.0);
    click(150, 60);
    frames(1);
    EXPECT_EQ(efs50_ehsi_range_base, 50.0);
    click(270, 130); // boundaries
    EXPECT_EQ(show_atc_boundaries, 1);
    EXPECT_EQ(atc_boundaries_shown, 1);
}

TEST_F(Panels, efs50KnobsSendTheirKeyEvents) {
    place_pair("EFS50_EHSI_CNTR_LM", "EFS50_EHSI");
    struct Row {
        int x, y;
        double decision_height;
        std::vector<uint32_t> sent;
    };
    const Row rows[] = {
        {420, 130, 200, {0x10157}},
        {395, 130, 200, {0x10158}},
        {60, 120, 200, {0x1007E}},
        {90, 120, 200, {0x1007F}},
        {85, 30, 0, {}},
        {65, 30, 0, {0x10311}},
        {85, 30, 200, {0x10312}},
        {65, 30, 990, {}},
    };
    for (const Row& r : rows) {
        host::aircraft().decision_height_ft = r.decision_height;
        host::publish_aircraft();
        const std::size_t before = keys().size();
        ASSERT_TRUE(host::click_gauge(gauge(0), r.x, r.y, MOUSE_LEFT_REPEAT).hit);
        std::vector<uint32_t> sent;
        for (std::size_t k = before; k < keys().size(); ++k) {
            sent.push_back(keys()[k].id);
            EXPECT_EQ(keys()[k].parameter, 0u);
        }
        EXPECT_EQ(sent, r.sent) << "(" << r.x << ", " << r.y << ") at " << r.decision_height;
    }
}

TEST_F(Panels, a300KnobsFiltersAndLights) {
    place_pair("A300_EFIS_CTRL", "DU_1000_EHSI");
    du_1000_ehsi_mode = kEhsiModeCompass;
    std::vector<int> modes;
    for (int i = 0; i < 4; ++i) {
        click(110, 180);
        modes.push_back(du_1000_ehsi_mode);
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 3, 2, 2}));
    click(70, 180);
    EXPECT_EQ(du_1000_ehsi_mode, kEhsiModeMap);
    frames(1);
    EXPECT_EQ(lights_in(5, 7), Lights{}); // mode 3: the knob's own artwork

    struct Row {
        double range;
        Lights shown;
    };
    const Row rows[] = {{2.5, {1}}, {15, {1}}, {30, {2}}, {60, {}}, {120, {3}}, {240, {4}}};
    for (const Row& r : rows) {
        du_1000_ehsi_range = r.range;
        frames(1);
        EXPECT_EQ(lights_in(1, 4), r.shown) << r.range;
    }
    click(300, 180); // up at 240: the ladder stops, every display moves
    hw_b737_nd_range = 10.0;
    click(300, 180);
    EXPECT_EQ(du_1000_ehsi_range, 240.0);
    EXPECT_EQ(hw_b737_nd_range, 20.0);
    frames(1);
    EXPECT_EQ(lights_in(1, 4), Lights{4});

    // The lights follow on PRE_DRAW too, whoever changed the state.
    click(245, 250); // NDB
    call(0, PANEL_SERVICE_PRE_DRAW);
    EXPECT_EQ(lights_in(8, 12), Lights{10});
    du_1000_ehsi_show_ndbs = 0;
    toggle_nd_tcas();
    call(0, PANEL_SERVICE_PRE_UPDATE);
    EXPECT_EQ(lights_in(8, 12), Lights{12});
    click(120, 250);
    click(185, 250);
    click(310, 250);
    click(45, 110); // traffic off
    frames(1);
    EXPECT_EQ(lights_in(8, 12), (Lights{8, 9, 11}));
    EXPECT_EQ(show_navaids_flags[ND_DU_1000], 1);
}

TEST_F(Panels, md80LightsAndTheBoundaryLampCopy) {
    place_pair("MD80_EHSI_CTRL", "MD80_EHSI_NB");
    frames(1);
    EXPECT_EQ(lights(), (Lights{1, 2, 3}));
    click(180, 170); // boundaries
    frames(1);
    EXPECT_EQ(lights(), (Lights{1, 2, 3, 6}));
    toggle_boundary_overlay(); // the BDRY gauge: the layer goes, the lamp stays
    frames(1);
    EXPECT_EQ(show_atc_boundaries, 0);
    EXPECT_EQ(lights_in(6, 6), Lights{6});
    click(60, 160);
    click(120, 160);
    click(240, 160);
    click(290, 160);
    click(180, 70); // ADF pointer
    md80_ehsi_mode = kEhsiModePlan;
    click(60, 70); // mode knob left: 2 -> 3
    frames(1);
    EXPECT_EQ(lights(), (Lights{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(md80_ehsi_adf1_pointer_on, 1);
    EXPECT_EQ(md80_ehsi_mode, kEhsiModeMap);
}

TEST_F(Panels, md11BearingModesAndMapRadius) {
    place_pair("MD11_EFIS_CTRL", "HW_MD11_ND");
    click(165, 115); // brg 1 VOR
    click(165, 150); // brg 1 ADF
    EXPECT_EQ(hw_md11_vor1_pointer, 0);
    EXPECT_EQ(hw_md11_nd_brg1_adf, 1);
    click(165, 150);
    EXPECT_EQ(hw_md11_vor1_pointer, 0);
    EXPECT_EQ(hw_md11_nd_brg1_adf, 0);
    click(165, 115);
    click(245, 115);
    EXPECT_EQ(hw_md11_vor1_pointer, 1);
    EXPECT_EQ(hw_md11_vor2_pointer, 1);

    // PLAN without a route: the next frame centres the aircraft at (120, 129).
    click(170, 70);
    frames(1);
    EXPECT_EQ(hw_md11_nd_mode, kMd11NdModePlan);
    EXPECT_EQ(hw_md11_nd_centre_x, 120);
    EXPECT_EQ(hw_md11_nd_centre_y, 129);
    EXPECT_EQ(hw_md11_nd_compass_radius, 94);
    click(225, 30); // VOR keeps the radius
    EXPECT_EQ(hw_md11_nd_mode, kMd11NdModeVor);
    EXPECT_EQ(hw_md11_nd_compass_radius, 94);
    click(170, 30);
    frames(1);
    EXPECT_EQ(hw_md11_nd_mode, kMd11NdModeMap);
    EXPECT_EQ(hw_md11_nd_compass_radius, 150);
    EXPECT_EQ(hw_md11_nd_centre_y, 178);
    click(225, 70);
    EXPECT_EQ(hw_md11_nd_mode, kMd11NdModeApp);

    hw_md11_nd_range = 80.0;
    click(205, 115);
    EXPECT_EQ(hw_md11_nd_range, 160.0);
    click(205, 150);
    EXPECT_EQ(hw_md11_nd_range, 80.0);
    click(110, 50); // the blank button answers and changes nothing
    click(110, 15);
    click(110, 80);
    EXPECT_EQ(show_atc_boundaries, 1);
    EXPECT_EQ(show_airway_fixes_flags[ND_HW_MD11], 1);
}

TEST_F(Panels, b737KnobsButtonsAndTwinLights) {
    place("gauge00=orvex1!HW_B737_EFIS_CNTR, 0, 0\n"
          "gauge01=orvex1!HW_B737_EFIS_CNTR_BR, 0, 0\n"
          "gauge02=orvex1!HW_B737_ND, 0, 0\n");
    begin();
    // The traffic button inside the range knob takes the click.
    hw_b737_nd_range = 40.0;
    click(262, 54);
    EXPECT_EQ(tcas_display_on, 1);
    EXPECT_EQ(hw_b737_nd_range, 40.0);
    click(280, 70);
    EXPECT_EQ(hw_b737_nd_range, 80.0);

    hw_b737_nd_mode = kB737NdModePlan;
    click(185, 57);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModePlan);
    frames(1);
    EXPECT_EQ(lights_in(1, 6), Lights{});
    click(155, 57);
    frames(1);
    EXPECT_EQ(hw_b737_nd_compass_radius, 110); // CTR MAP on the next frame
    EXPECT_EQ(lights_in(1, 6, 0), Lights{6});
    EXPECT_EQ(lights_in(1, 6, 1), Lights{6});
    hw_b737_nd_mode = kB737NdModeCompass;
    click(155, 57);
    EXPECT_EQ(hw_b737_nd_mode, kB737NdModeCompass);

    struct Row {
        double range;
        Lights plain, br;
    };
    const Row rows[] = {{5, {}, {7}}, {10, {7}, {7}}, {20, {}, {}}, {40, {8}, {8}}, {320, {11}, {11}}};
    for (const Row& r : rows) {
        hw_b737_nd_range = r.range;
        frames(1);
        EXPECT_EQ(lights_in(7, 11, 0), r.plain) << r.range;
        EXPECT_EQ(lights_in(7, 11, 1), r.br) << r.range;
    }

    click(135, 190, 1);
    click(260, 125, 1);
    EXPECT_EQ(nd_vor_adf_select, 1);
    EXPECT_EQ(hw_b737_nd_range_arcs_on, 1);
    click(170, 190);
    click(205, 190);
    click(240, 190);
    click(270, 190);
    EXPECT_EQ(show_navaids_flags[ND_HW_B737], 1);
    EXPECT_EQ(show_airports_flags[ND_HW_B737], 1);
    EXPECT_EQ(show_atc_boundaries, 1);
    EXPECT_EQ(show_airway_fixes_flags[ND_HW_B737], 1);
}

TEST_F(Panels, proline4KnobsBearingsAndAuxLamps) {
    place("gauge00=orvex1!PROLINE4_MFD_CTRL, 0, 0\n"
          "gauge01=orvex1!PROLINE4_AUX_CTRL, 0, 0\n"
          "gauge02=orvex1!PROLINE4_MFD, 0, 0\n");
    begin();
    proline4_mfd_mode = kProline4ModeNav;
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 4; ++i) {
        click(180, 36); // outer knob right, beside the inner knob
        seen.push_back({proline4_mfd_mode, proline4_map_radius_px});
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{3, 140}, {1, 140}, {2, 70}, {0, 70}}));
    click(125, 36);
    EXPECT_EQ(proline4_mfd_mode, kProline4ModePlanText);
    proline4_mfd_range = 40.0;
    click(160, 36); // inner knob right, inside the outer
    EXPECT_EQ(proline4_mfd_range, 80.0);
    EXPECT_EQ(proline4_mfd_mode, kProline4ModePlanText);
    click(140, 36);
    EXPECT_EQ(proline4_mfd_range, 40.0);

    proline4_mfd_brg1_source = 3;
    proline4_mfd_brg2_source = 7;
    click(55, 25);
    click(55, 65);
    EXPECT_EQ(proline4_mfd_brg1_source, 0);
    EXPECT_EQ(proline4_mfd_brg2_source, 7);
    click(190, 65);
    EXPECT_EQ(tcas_display_on, 1);

    frames(1);
    EXPECT_EQ(lights(1), Lights{1});
    const int buttons[] = {90, 135, 180, 220, 265}; // intersections .. boundaries
    Lights expected{1};
    for (int i = 0; i < 5; ++i) {
        click(buttons[i], 45, 1);
        frames(1);
        expected.push_back(i + 2);
        EXPECT_EQ(lights(1), expected);
    }
    EXPECT_EQ(proline4_mfd_show_ndbs, 1);
    EXPECT_EQ(show_airway_fixes_flags[ND_PROLINE4], 1);
}

TEST_F(Panels, textElementsShowOnAndReturnTheirWholeValue) {
    struct Row {
        ElementHeader& element;
        int* flag; // null: value only
    };
    const Row rows[] = {
        {hw_b737_efis_text_elements[0], &show_airports_flags[ND_HW_B737]},
        {hw_b737_efis_text_elements[1], &show_airway_fixes_flags[ND_HW_B737]},
        {hw_b737_efis_text_elements[2], &show_navaids_flags[ND_HW_B737]},
        {hw_b737_efis_br_text_elements[0], &show_airports_flags[ND_HW_B737]},
        {hw_b737_efis_br_text_elements[2], &show_navaids_flags[ND_HW_B737]},
        {md11_efis_text_elements[0], nullptr},
        {md11_efis_text_elements[1], nullptr},
        {md11_efis_text_elements[2], &show_navaids_flags[ND_HW_B737]},
    };
    for (const Row& r : rows) {
        ElementHeader& e = r.element;
        ASSERT_NE(e.value_callback, nullptr);
        e.source_value = 7.9;
        if (r.flag != nullptr) *r.flag = 1;
        EXPECT_EQ(e.value_callback(&e), 7.0);
        if (r.flag == nullptr) {
            EXPECT_STREQ(e.text, "");
            EXPECT_NE(e.image_flags & IMAGE_HIDDEN, 0u); // left as it was
            continue;
        }
        EXPECT_STREQ(e.text, "ON");
        EXPECT_EQ(e.image_flags & IMAGE_HIDDEN, 0u);
        *r.flag = 0;
        e.source_value = -2.5;
        EXPECT_EQ(e.value_callback(&e), -2.0);
        EXPECT_NE(e.image_flags & IMAGE_HIDDEN, 0u);
    }
    EXPECT_EQ(hw_b737_efis_text_elements[1].position_x, 129);
    EXPECT_EQ(hw_b737_efis_text_elements[1].position_y, 129);
}

TEST_F(Panels, aPanelAloneLoadsTheDataAndTakesVc2AsAModel) {
    folder.write("orvex/navdata/apts.txt", "KSEA SEATTLE 433 47.449000 -122.309300\n");
    folder.write("orvex/Aircraft/VC2.cfg", "ResetApHdg=1\n");
    place("gauge00=orvex1!PROLINE4_AUX_CTRL, 0, 0, , , OTHER\n"
          "gauge01=orvex1!MD11_EFIS_CTRL, 0, 0, , , VC2\n");
    call(0, PANEL_SERVICE_PRE_INSTALL);
    call(0, PANEL_SERVICE_PRE_INITIALIZE);
    EXPECT_EQ(config_loaded, 0); // the PROLINE4 panels count on the displays
    EXPECT_EQ(aircraft_parameter, "");
    EXPECT_EQ(host_folder, folder.path());
    call(1, PANEL_SERVICE_PRE_INITIALIZE);
    EXPECT_EQ(config_loaded, 1);
    EXPECT_EQ(airport_table.count(), 1);
    EXPECT_EQ(aircraft_parameter, "VC2");
}

TEST_F(Panels, eachCallbackWritesItsDebugLogLine) {
    open_debug_log();
    ASSERT_NE(debug_log, nullptr);
    const char* gauges[] = {"EFS50_EHSI_CNTR",      "EFS50_EHSI_CNTR_LM", "A300_EFIS_CTRL",
                            "MD80_EHSI_CTRL",       "MD11_EFIS_CTRL",     "HW_B737_EFIS_CNTR",
                            "HW_B737_EFIS_CNTR_BR", "PROLINE4_MFD_CTRL",  "PROLINE4_AUX_CTRL"};
    for (const char* name : gauges) {
        GaugeHeader* h = host::find_gauge_header(sim.module, name);
        h->gauge_callback(h, PANEL_SERVICE_POST_INSTALL, 0);
    }
    std::ifstream in(folder.path() + "/orvex1.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "efs50_ehsi_cntr_callback \n"
                          "efs50_ehsi_cntr_lm_callback \n"
                          "a300_ehsi_ctrl_callback\n"
                          "md80_ehsi_ctrl_callback\n"
                          "md11_efis_cntr_callback \n"
                          "hw_b737_ehsi_cntr_callback \n"
                          "hw_b737_ehsi_cntr_br_callback \n"
                          "proline4_mfd_cntr_callback \n"
                          "proline4_mfd_displ_callback \n");
}

TEST_F(Panels, scriptsPrintLightsAndStateAndDrawThePanel) {
    place_pair("A300_EFIS_CTRL", "DU_1000_EHSI");
    sim.module.display_state = &orvex_standin_display_state;
    sim.out_dir = folder.path();
    host::Script script;
    std::string error;
    EXPECT_FALSE(host::parse_script_text("s.script", "print state no_such_state\n", sim, script, error));
    EXPECT_NE(error.find("no display state 'no_such_state'"), std::string::npos) << error;
    EXPECT_FALSE(
        host::parse_script_text("s.script", "print state show_navaids_flags[6]\n", sim, script, error));
    ASSERT_TRUE(host::parse_script_text("s.script",
                                        "click window00.gauge00 245 250\n"
                                        "frames 1\n"
                                        "print lights A300_EFIS_CTRL\n"
                                        "print state du_1000_ehsi_show_ndbs du_1000_ehsi_range "
                                        "show_navaids_flags[3]\n"
                                        "snapshot A300_EFIS_CTRL a300.png\n",
                                        sim, script, error));
    std::FILE* out = std::tmpfile();
    host::run_script(sim, script, out, nullptr);
    std::rewind(out);
    std::string printed;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
        printed.append(buffer, n);
    std::fclose(out);
    EXPECT_NE(printed.find("lights window00.gauge00: 5 10\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("state du_1000_ehsi_show_ndbs=1 du_1000_ehsi_range=60 show_navaids_flags[3]=0"),
              std::string::npos)
        << printed;
    std::ifstream png(folder.path() + "/a300.png", std::ios::binary);
    char magic[4] = {};
    png.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
}

} // namespace

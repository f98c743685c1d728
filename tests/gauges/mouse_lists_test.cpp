#include "gauge_walk.h"
#include "gauges/linkage.h"
#include "gns_mcu/mcu_key_layout.h"
#include "sim/recording_services.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using Sim = RecordingServices<1>;

std::vector<MouseSpot> spots_of(const char* name) {
    std::vector<MouseSpot> spots;
    const GaugeHeader* h = header_named(name);
    EXPECT_NE(h, nullptr) << name;
    if (h != nullptr) {
        EXPECT_EQ(parse_mouse_list(h->mouse_rect, spots), "") << name;
    }
    return spots;
}

// Clicks the centre of a spot's first child, as the simulator would.
int32_t click(const MouseSpot& spot) {
    const MouseRect& child = spot.children.at(0);
    PixPoint point{child.x + child.w / 2, child.y + child.h / 2};
    return child.handler(&point, child.mouse_flags);
}

// Gauges whose first click spot toggles a panel window.
const char* const toggling_gauges[] = {
    "MCU",
    "MCU_LM",
    "P1000_MFD",
    "P1000_MFD_NB",
    "EFS50_EADI",
    "EFS50_EHSI",
    "EFS50_EADI_NB",
    "EFS50_EHSI_NB",
    "EFIS_CTRL_OPEN",
    "EHSI_CNTR_OPEN",
    "EHSI_CNTR_OPEN_LM",
    "EHSI_TCAS_OPEN",
    "FMS_OPEN",
    "FMS_OPEN_LM",
    "FMS2_OPEN",
    "MCU_OPEN",
    "MCU_OPEN_LM",
    "P1000_MFD_OPEN",
    "P1000_MFD_CNTR_OPEN",
    "HW_B737_ND",
    "HW_B737_ND_BR",
    "HW_B737_ND_NB",
    "HW_MD11_ND",
    "HW_MD11_ND_NB",
    "DU_1000_EHSI",
    "DU_1000_EHSI_NB",
    "PROLINE4_MFD",
    "PROLINE_EICAS",
    "PROLINE4_MFD_NB",
    "B777_PFD_NB",
    "A320_EADI_NB",
    "MD80_EHSI_NB",
    "C17_MFD",
};

// Clicks the gauge's toggle spot with a recording simulator whose toggle
// answers `answer`; returns the window it asked for, or 0.
uint32_t toggled_window(const char* name, int32_t answer = 77) {
    Sim::reset();
    Sim::int_result = answer;
    PanelServices table = Sim::table();
    ImportTable.panels = &table;
    const int32_t result = click(spots_of(name).at(0));
    ImportTable.panels = nullptr;
    EXPECT_EQ(result, answer) << name;
    EXPECT_EQ(Sim::calls.size(), 1u) << name;
    if (Sim::calls.size() != 1 || Sim::calls[0].slot != 35) {
        ADD_FAILURE() << name << " did not call the toggle service";
        return 0;
    }
    return static_cast<uint32_t>(Sim::calls[0].nums.at(0));
}

TEST(MouseLists, EveryListHasTheDocumentedShape) {
    for (GaugeHeader* h : all_headers()) {
        std::vector<MouseSpot> spots;
        EXPECT_EQ(parse_mouse_list(h->mouse_rect, spots), "") << h->name;
    }
}

TEST(MouseLists, GaugeTableSpotsAreWholeBoxHandClicks) {
    const char* const gauges[] = {"LNAV", "VNAV", "BDRY", "DEBUG"};
    std::vector<const char*> names(std::begin(toggling_gauges), std::end(toggling_gauges));
    names.insert(names.end(), std::begin(gauges), std::end(gauges));
    for (const char* name : names) {
        const bool mcu = std::string(name) == "MCU" || std::string(name) == "MCU_LM";
        std::size_t k = 0;
        std::vector<MouseSpot> spots = spots_of(name);
        // The P1000_MFD's keys and knobs follow its pop-up spot.
        if (std::string(name) == "P1000_MFD") spots.resize(1);
        for (const MouseSpot& spot : spots) {
            SCOPED_TRACE(name);
            // The MCU's PREV, NEXT and rocker up and down repeat while held.
            const bool repeats = mcu && mcu_key_boxes.at(k++).repeats;
            ASSERT_EQ(spot.children.size(), 1u);
            const MouseRect& child = spot.children[0];
            EXPECT_EQ(child.x, 0);
            EXPECT_EQ(child.y, 0);
            EXPECT_EQ(child.w, spot.parent.w);
            EXPECT_EQ(child.h, spot.parent.h);
            EXPECT_EQ(child.cursor, 5);
            EXPECT_EQ(child.mouse_flags, repeats ? 0x20200000u : 0x20000000u);
        }
    }
}

TEST(MouseLists, SpotCountsAndBoxes) {
    const GaugeHeader* server = header_named("SERVER");
    EXPECT_EQ(server->mouse_rect[1].kind, MOUSE_RECT_END_PARENT);
    EXPECT_EQ(server->mouse_rect[2].kind, MOUSE_RECT_EOL);
    EXPECT_TRUE(spots_of("SERVER").empty());
    EXPECT_TRUE(spots_of("EFS50_TCAS").empty());
    EXPECT_EQ(spots_of("C17_MFD").size(), 6u);

    struct Box {
        const char* gauge;
        int32_t x, y, w, h;
    };
    const Box boxes[] = {
        {"DEBUG", 130, 130, 100, 100},        {"B777_PFD_NB", 72, 94, 98, 98},
        {"HW_B737_ND_NB", 60, 75, 100, 100},  {"HW_MD11_ND", 75, 100, 100, 100},
        {"PROLINE_EICAS", 102, 10, 100, 100}, {"LNAV", 7, 7, 35, 35},
        {"MCU_OPEN_LM", 7, 7, 35, 35},        {"MCU", 132, 47, 200, 120},
        {"P1000_MFD_NB", 80, 92, 100, 100},   {"C17_MFD", 72, 75, 70, 70},
    };
    for (const Box& b : boxes) {
        const std::vector<MouseSpot> spots = spots_of(b.gauge);
        ASSERT_FALSE(spots.empty()) << b.gauge;
        const MouseRect& p = spots[0].parent;
        EXPECT_EQ(p.x, b.x) << b.gauge;
        EXPECT_EQ(p.y, b.y) << b.gauge;
        EXPECT_EQ(p.w, b.w) << b.gauge;
        EXPECT_EQ(p.h, b.h) << b.gauge;
    }
    const MouseRect c17_cfg = spots_of("C17_MFD").at(5).parent;
    EXPECT_EQ(c17_cfg.x, 192);
    EXPECT_EQ(c17_cfg.w, 40);
}

// A spot whose centre lies off the gauge's bitmap is out of the pilot's reach
// (a box that only overhangs an edge, as some keys do, is still clicked).
TEST(MouseLists, EverySpotsCentreLiesOnItsGaugesBitmap) {
    for (const GaugeHeader* h : all_headers()) {
        const ElementHeader* e = first_element(h);
        ASSERT_NE(e, nullptr) << h->name;
        std::vector<MouseSpot> spots;
        ASSERT_EQ(parse_mouse_list(h->mouse_rect, spots), "") << h->name;
        for (const MouseSpot& s : spots) {
            const MouseRect& p = s.parent;
            const int x = p.x + p.w / 2, y = p.y + p.h / 2;
            EXPECT_TRUE(x >= 0 && y >= 0 && x < e->bitmap_width && y < e->bitmap_height)
                << h->name << " (" << p.x << ", " << p.y << ", " << p.w << ", " << p.h << ") on "
                << e->bitmap_width << " x " << e->bitmap_height;
        }
    }
}

TEST(MouseLists, WindowTogglesReturnWhatTheToggleServiceReturns) {
    std::set<uint32_t> documented = {4001, 4002, 4003, 4004, 4005, 4007, 4008, 4010, 4011,
                                     4012, 4013, 4014, 4017, 4018, 4022, 4023, 4024, 4025};
    std::set<uint32_t> used;
    for (const char* name : toggling_gauges) {
        const uint32_t window = toggled_window(name);
        EXPECT_TRUE(documented.count(window)) << name << " toggles " << window;
        used.insert(window);
    }
    // 4012, the control units' window, is toggled by their own screens.
    documented.erase(4012);
    used.erase(4012);
    EXPECT_EQ(used, documented);

    EXPECT_EQ(toggled_window("MCU_OPEN", 0), 4001u);
    EXPECT_EQ(toggled_window("MCU_OPEN", -3), 4001u);
}

TEST(MouseLists, TwinsToggleTheSameWindow) {
    const std::vector<std::vector<const char*>> families = {
        {"MCU", "MCU_LM", "MCU_OPEN", "MCU_OPEN_LM"},
        {"P1000_MFD", "P1000_MFD_NB", "P1000_MFD_OPEN"},
        {"EFS50_EADI", "EFS50_EADI_NB"},
        {"EFS50_EHSI", "EFS50_EHSI_NB"},
        {"EHSI_CNTR_OPEN", "EHSI_CNTR_OPEN_LM"},
        {"FMS_OPEN", "FMS_OPEN_LM"},
        {"HW_B737_ND", "HW_B737_ND_BR", "HW_B737_ND_NB"},
        {"HW_MD11_ND", "HW_MD11_ND_NB"},
        {"DU_1000_EHSI", "DU_1000_EHSI_NB"},
        {"PROLINE4_MFD", "PROLINE4_MFD_NB", "PROLINE_EICAS"},
    };
    for (const auto& family : families) {
        const uint32_t window = toggled_window(family[0]);
        for (const char* name : family)
            EXPECT_EQ(toggled_window(name), window) << name;
    }
    // One handler serves both DU_1000_EHSI gauges.
    EXPECT_EQ(spots_of("DU_1000_EHSI")[0].children[0].handler,
              spots_of("DU_1000_EHSI_NB")[0].children[0].handler);
}

TEST(MouseLists, HandPickedWindows) {
    const std::map<std::string, uint32_t> windows = {
        {"MCU_OPEN_LM", 4001},     {"P1000_MFD_NB", 4002},   {"P1000_MFD_CNTR_OPEN", 4003},
        {"FMS_OPEN_LM", 4004},     {"EFS50_EADI_NB", 4005},  {"EHSI_CNTR_OPEN", 4007},
        {"EFS50_EHSI", 4008},      {"EHSI_TCAS_OPEN", 4010}, {"HW_B737_ND_NB", 4011},
        {"FMS2_OPEN", 4012},       {"EFIS_CTRL_OPEN", 4013}, {"HW_MD11_ND_NB", 4014},
        {"DU_1000_EHSI_NB", 4017}, {"PROLINE_EICAS", 4018},  {"A320_EADI_NB", 4022},
        {"B777_PFD_NB", 4023},     {"MD80_EHSI_NB", 4024},   {"C17_MFD", 4025},
    };
    for (const auto& [name, window] : windows)
        EXPECT_EQ(toggled_window(name.c_str()), window) << name;
}

TEST(MouseLists, DebugSpotTakesTheClickAndChangesNothing) {
    Sim::reset();
    Sim::int_result = 9;
    PanelServices table = Sim::table();
    ImportTable.panels = &table;
    const std::vector<MouseSpot> debug = spots_of("DEBUG");
    ASSERT_EQ(debug.size(), 1u);
    EXPECT_EQ(click(debug[0]), 0);
    // C17_MFD's blank key is the same handler.
    EXPECT_EQ(debug[0].children[0].handler, spots_of("C17_MFD").at(3).children[0].handler);
    ImportTable.panels = nullptr;
    EXPECT_TRUE(Sim::calls.empty());
}

TEST(MouseLists, TogglesWithoutASimulatorGiveZero) {
    ImportTable.panels = nullptr;
    EXPECT_EQ(click(spots_of("FMS_OPEN").at(0)), 0);
}

} // namespace

// Panel files: parsing, refusal of bad lines, and the instances they place.
#include "element_tree.h"
#include "fake_module.h"
#include "panel_file.h"
#include "sim_state.h"
#include "simulator.h"

#include "platform/temp_folder.h"

#include <gtest/gtest.h>

namespace {

host::PanelFile parse_ok(const std::string& text) {
    host::PanelFile panel;
    std::string error;
    EXPECT_TRUE(host::parse_panel_text("panel.cfg", text, panel, error)) << error;
    return panel;
}

std::string parse_error(const std::string& text) {
    host::PanelFile panel;
    std::string error;
    EXPECT_FALSE(host::parse_panel_text("panel.cfg", text, panel, error));
    return error;
}

TEST(PanelFile, ReadsPlacementsAndSkipsTheSimulatorsOtherKeys) {
    host::PanelFile panel = parse_ok("// header comment\n"
                                     "[Window Titles]\n"
                                     "Window00=Main panel\n"
                                     "\n"
                                     "[Window00]\n"
                                     "size_mm=1024,768\n"
                                     "; a comment\n"
                                     "gauge00=orvex1!HW_B737_ND, 0, 0, 400, 480, VC\r\n"
                                     "  gauge01 = orvex1!SERVER ,10,20\n"
                                     "[WINDOW01]\n"
                                     "gauge00=orvex1!C17_MFD, -5, 7, 246, 241, MFD, extra words ,\n"
                                     "gauge01=orvex1!DEBUG, 1, 2, 3, 4,\n");
    ASSERT_EQ(panel.placements.size(), 4u);
    const auto& a = panel.placements[0];
    EXPECT_EQ(a.line, 8);
    EXPECT_EQ(a.window, "Window00");
    EXPECT_EQ(a.key, "gauge00");
    EXPECT_EQ(a.module, "orvex1");
    EXPECT_EQ(a.gauge, "HW_B737_ND");
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.width, 400);
    EXPECT_EQ(a.height, 480);
    EXPECT_EQ(a.parameters, "VC");

    const auto& b = panel.placements[1];
    EXPECT_EQ(b.gauge, "SERVER");
    EXPECT_EQ(b.x, 10);
    EXPECT_EQ(b.y, 20);
    EXPECT_EQ(b.width, 0); // not given: the gauge's own size
    EXPECT_EQ(b.parameters, "");

    // The parameter text is everything after the fifth field, commas included.
    EXPECT_EQ(panel.placements[2].window, "WINDOW01");
    EXPECT_EQ(panel.placements[2].x, -5);
    EXPECT_EQ(panel.placements[2].parameters, "MFD, extra words ,");
    EXPECT_EQ(panel.placements[3].parameters, "");
}

TEST(PanelFile, BadLinesAreRefusedWithFileAndLine) {
    const std::string head = "[Window00]\n";
    struct Case {
        std::string body;
        std::string message;
    } cases[] = {
        {"gauge00=HW_B737_ND, 0, 0\n", "panel.cfg:2: expected module!gauge, got 'HW_B737_ND'"},
        {"gauge00=orvex1!, 0, 0\n", "panel.cfg:2: expected module!gauge"},
        {"gauge00=orvex1!SERVER\n", "panel.cfg:2: expected module!gauge, x, y"},
        {"gauge00=orvex1!SERVER, 1o, 0\n", "panel.cfg:2: bad x '1o'"},
        {"gauge00=orvex1!SERVER, 0, \n", "panel.cfg:2: bad y ''"},
        {"gauge00=orvex1!SERVER, 0, 0, 100\n", "panel.cfg:2: width given without height"},
        {"gauge00=orvex1!SERVER, 0, 0, 0, 100\n", "panel.cfg:2: width and height must be positive"},
        {"\ngauge00=orvex1!SERVER, 0, 0\ngauge00=orvex1!SERVER, 1, 1\n",
         "panel.cfg:4: 'gauge00' given twice in [Window00] (first on line 3)"},
        {"just words\n", "panel.cfg:2: expected key=value or [section], got 'just words'"},
        {"[Window01\n", "panel.cfg:2: section name without ']'"},
        {"[VCockpit01]\ngauge00=orvex1!SERVER, 0, 0\n",
         "panel.cfg:3: 'gauge00' in [VCockpit01]: gauges are placed in [WindowNN] sections"},
        {"ident=4xx\n", "panel.cfg:2: ident '4xx' is not a number"},
        {"ident=4000\n", "panel.cfg:2: ident 4000 is not a pop-up window (4001 to 4025)"},
    };
    for (const Case& c : cases) {
        std::string error = parse_error(head + c.body);
        EXPECT_EQ(error.substr(0, c.message.size()), c.message) << c.body;
    }
    EXPECT_EQ(parse_error("gauge00=orvex1!SERVER, 0, 0\n"),
              "panel.cfg:1: 'gauge00' before any [WindowNN] section");
}

// A section's ident, given before or after its gauges, names its pop-up window.
TEST(PanelFile, WindowIdentsGoToTheirSectionsGauges) {
    host::PanelFile panel = parse_ok("[Window00]\ngauge00=orvex1!SERVER, 0, 0\n"
                                     "[Window01]\ngauge00=orvex1!P1000_MFD_CNTR, 0, 0\nident=4003\n");
    ASSERT_EQ(panel.placements.size(), 2u);
    EXPECT_EQ(panel.placements[0].window_ident, 0u);
    EXPECT_EQ(panel.placements[1].window_ident, 4003u);
}

TEST(PanelFile, MissingFileIsNamedAndAByteOrderMarkIsSkipped) {
    host::PanelFile panel;
    std::string error;
    EXPECT_FALSE(host::read_panel_file("/nonexistent/panel.cfg", panel, error));
    EXPECT_EQ(error, "/nonexistent/panel.cfg: cannot open panel file");

    TempFolder folder;
    folder.write("panel.cfg", "\xEF\xBB\xBF[Window00]\ngauge00=orvex1!DISPLAY, 1, 2\n");
    ASSERT_TRUE(host::read_panel_file(folder.path() + "/panel.cfg", panel, error)) << error;
    ASSERT_EQ(panel.placements.size(), 1u);
    std::string text;
    ASSERT_TRUE(host::read_text_file(folder.path() + "/panel.cfg", text));
    EXPECT_EQ(text.rfind("[Window00]", 0), 0u);
}

class Placement : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        sim.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1");
    }
    bool place(const std::string& text, std::string& error) {
        host::PanelFile panel;
        if (!host::parse_panel_text("p.cfg", text, panel, error)) return false;
        return host::place_gauges(sim, panel, error);
    }
    host::Simulator sim;
};

TEST_F(Placement, GaugesOutsideTheModulesTableAreRefused) {
    std::string error;
    EXPECT_FALSE(place("[Window00]\ngauge00=orvex1!DISPLAY,0,0\ngauge01=orvex1!HIDDEN_OPEN, 0, 0\n", error));
    EXPECT_EQ(error, "p.cfg:3: module orvex1 has no gauge 'HIDDEN_OPEN'");
    EXPECT_FALSE(place("[Window00]\ngauge00=other!DISPLAY, 0, 0\n", error));
    EXPECT_EQ(error, "p.cfg:2: unknown module 'other' (the loaded module is orvex1)");
    // Module and gauge names are matched without regard to case.
    sim.gauges.clear();
    EXPECT_TRUE(place("[Window00]\ngauge00=ORVEX1!display, 0, 0\n", error)) << error;
    EXPECT_EQ(sim.gauges[0]->gauge_name, "DISPLAY");
}

TEST_F(Placement, EachInstanceOwnsHeaderParametersAndElementTree) {
    std::string error;
    ASSERT_TRUE(place("[Window00]\n"
                      "gauge00=orvex1!DISPLAY, 0, 0, 200, 160, VC\n"
                      "gauge01=orvex1!DISPLAY, 300, 0, , , WN\n"
                      "[Window01]\n"
                      "gauge00=orvex1!DISPLAY, 5, 6, 50, 40, ac_model\n",
                      error))
        << error;
    ASSERT_EQ(sim.gauges.size(), 3u);
    host::PlacedGauge& a = *sim.gauges[0];
    host::PlacedGauge& b = *sim.gauges[2];
    EXPECT_EQ(a.id, "window00.gauge00");
    EXPECT_EQ(b.id, "window01.gauge00");
    EXPECT_STREQ(a.header.parameters, "VC");
    EXPECT_STREQ(sim.gauges[1]->header.parameters, "WN");
    EXPECT_STREQ(b.header.parameters, "ac_model");
    EXPECT_EQ(a.source->parameters, nullptr); // the module's header is left as it was
    EXPECT_EQ(a.header.version, 0x320u);
    EXPECT_EQ(a.header.mouse_rect, a.source->mouse_rect);

    // Three levels copied, none shared with the module or with the other instance.
    const ElementHeader* module_root = a.source->elements_list[0];
    ElementHeader* root_a = host::first_element(a);
    ElementHeader* root_b = host::first_element(b);
    ASSERT_NE(root_a, nullptr);
    ASSERT_NE(root_b, nullptr);
    EXPECT_NE(root_a, module_root);
    EXPECT_NE(root_a, root_b);
    EXPECT_NE(a.header.elements_list, a.source->elements_list);
    ASSERT_EQ(host::list_length(root_a->next_element), 1);
    ElementHeader* surface_a = root_a->next_element[0];
    EXPECT_NE(surface_a, module_root->next_element[0]);
    ASSERT_EQ(host::list_length(surface_a->next_element), 1);
    ElementHeader* needle_a = surface_a->next_element[0];
    EXPECT_NE(needle_a, module_root->next_element[0]->next_element[0]);
    EXPECT_EQ(needle_a->kind, uint32_t{ELEMENT_MOVING_IMAGE});
    EXPECT_EQ(needle_a->position_x, 27);

    // Hiding an element of one instance touches neither the other nor the module.
    surface_a->image_flags |= IMAGE_HIDDEN;
    EXPECT_EQ(root_b->next_element[0]->image_flags, 0x24u);
    EXPECT_EQ(module_root->next_element[0]->image_flags, 0x24u);

    // Images: element bitmap size scaled by placed size over the gauge's bitmap size.
    ASSERT_NE(surface_a->image, nullptr);
    EXPECT_EQ(surface_a->image->width, 2 * fake::SURFACE_W);
    EXPECT_EQ(surface_a->image->height, 2 * fake::SURFACE_H);
    EXPECT_EQ(root_a->image->width, 200);
    EXPECT_EQ(needle_a->image, nullptr); // only static images get one
    EXPECT_EQ(root_b->next_element[0]->image->width, 30);
    EXPECT_EQ(root_b->next_element[0]->image->height, 20);
    EXPECT_NE(root_b->next_element[0]->image, surface_a->image);
    // Placed without a size: the gauge's own size, images unscaled.
    EXPECT_EQ(sim.gauges[1]->width, fake::DISPLAY_W);
    EXPECT_EQ(host::first_element(*sim.gauges[1])->next_element[0]->image->width, fake::SURFACE_W);

    // The drawing surface is the one element found for the drawing hook;
    // no surface exists yet, so its device context stays 0.
    ASSERT_EQ(a.drawing_elements.size(), 1u);
    EXPECT_EQ(a.drawing_elements[0], surface_a);
    EXPECT_EQ(surface_a->device_context, nullptr);
}

TEST_F(Placement, AnElementListedTwiceIsCopiedOnce) {
    ElementHeader shared{};
    shared.kind = ELEMENT_ICON;
    ElementHeader* shared_list[] = {&shared, &shared, nullptr};
    ElementHeader root{};
    root.bitmap_width = 10;
    root.bitmap_height = 10;
    root.next_element = shared_list;
    ElementHeader* elements[] = {&root, nullptr};
    GaugeHeader header{};
    header.name = "SHARED";
    header.elements_list = elements;

    host::PlacedGauge gauge;
    std::string error;
    ASSERT_TRUE(host::make_placed_gauge(header, "w.g", 0, 0, 0, 0, "", gauge, error)) << error;
    ElementHeader* copy = host::first_element(gauge);
    EXPECT_EQ(copy->next_element[0], copy->next_element[1]);
    EXPECT_NE(copy->next_element[0], &shared);
    EXPECT_EQ(gauge.elements.size(), 2u);

    // A list that refers back to an element above it is copied without looping.
    ElementHeader* loop_list[] = {&root, nullptr};
    shared.next_element = loop_list;
    host::PlacedGauge looped;
    ASSERT_TRUE(host::make_placed_gauge(header, "w.g", 0, 0, 0, 0, "", looped, error)) << error;
    EXPECT_EQ(host::first_element(looped)->next_element[0]->next_element[0], host::first_element(looped));
}

TEST_F(Placement, InstancesAreFoundByIdOrByAGaugeNamePlacedOnce) {
    std::string error;
    ASSERT_TRUE(place("[Window00]\ngauge00=orvex1!DISPLAY, 0, 0\ngauge01=orvex1!DISPLAY, 0, 0\n"
                      "gauge02=orvex1!SPOT_OPEN, 0, 0\n",
                      error));
    EXPECT_EQ(host::find_placed_gauge(sim, "Window00.Gauge01", error), sim.gauges[1].get());
    EXPECT_EQ(host::find_placed_gauge(sim, "spot_open", error), sim.gauges[2].get());
    EXPECT_EQ(host::find_placed_gauge(sim, "DISPLAY", error), nullptr);
    EXPECT_EQ(error, "gauge DISPLAY is placed 2 times: name the instance (window00.gauge01)");
    EXPECT_EQ(host::find_placed_gauge(sim, "SERVER", error), nullptr);
    EXPECT_EQ(error, "no placed gauge 'SERVER'");
}

} // namespace

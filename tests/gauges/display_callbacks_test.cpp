// The display gauges' shared frame placed in the stand-in: lazy loads, view
// modes, the element's bit, the debug log, the C17_MFD units and requests,
// the HW_B737_ND_NB traffic binding and the DEBUG page.
#include "stand_in_panel.h"

#include "data/aircraft_settings.h"
#include "data/c17_mfd_state.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/files/stored_routes.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "sim/host_folder.h"

#include <fstream>
#include <sstream>

namespace {

using Frame = StandInPanel;

TEST_F(Frame, lazyLoadsRunOnceAndTheFirstModelNameWins) {
    folder.write("orvex/orvex.cfg", "MinMapRange=2.5\n");
    folder.write("orvex/navdata/apts.txt", "KSEA SEATTLE 433 47.449000 -122.309300\n");
    folder.write("orvex/Aircraft/B738.cfg", "ResetApHdg=1\n");
    folder.write("orvex/Aircraft/OTHER.cfg", "ResetApHdg=7\n");
    // "VC2" is a view name: the model comes from the second gauge, and the
    // third one cannot replace it.
    place("gauge00=orvex1!EFS50_EHSI, 0, 0, 384, 371, VC2\n"
          "gauge01=orvex1!HW_B737_ND, 0, 0, 281, 337, B738\n"
          "gauge02=orvex1!HW_MD11_ND, 0, 0, 291, 319, OTHER\n");
    const int generation = nav_database_generation; // a count that only grows
    start();
    EXPECT_EQ(host_folder, folder.path());
    EXPECT_EQ(config_loaded, 1);
    EXPECT_EQ(min_map_range, 2.5);
    EXPECT_EQ(nav_database_generation, generation + 1);
    EXPECT_EQ(airport_table.count(), 1);
    EXPECT_EQ(aircraft_parameter, "B738");
    EXPECT_EQ(ResetApHdg, 1);
}

TEST_F(Frame, anEmptyDatabaseIsLoadedAgainAndAListedFolderIsNot) {
    const char* plan = "[FlightPlan]\nA 47.0 8.0 WPT\nB 47.1 8.0 WPT\n";
    folder.write("orvex/flightplans/ONE.RTE", plan);
    place("gauge00=orvex1!EFS50_EHSI, 0, 0\n"
          "gauge01=orvex1!DU_1000_EHSI, 0, 0\n"
          "gauge02=orvex1!DEBUG, 0, 0\n");
    const int generation = nav_database_generation;
    start();
    EXPECT_EQ(nav_database_generation, generation + 2); // DEBUG loads nothing
    ASSERT_EQ(stored_routes.count(), 2);                // the plan and "NEW FPL"
    EXPECT_EQ(stored_routes[1].name, "ONE.RTE");
    folder.write("orvex/flightplans/TWO.RTE", plan);
    call(0, PANEL_SERVICE_PRE_INITIALIZE);
    EXPECT_EQ(nav_database_generation, generation + 3);
    EXPECT_EQ(stored_routes.count(), 2); // listed once
}

TEST_F(Frame, viewModesFollowTheParameterAndTheOpenWindows) {
    place("gauge00=orvex1!SERVER, 0, 0\n");
    struct Row {
        ViewRule rule;
        const char* parameter;
        bool main_open, window_open;
        int32_t mode;
    };
    using enum ViewRule;
    const Row rows[] = {
        {Vc2Draws, "", false, false, 1},         {Vc2Draws, "", false, true, 2},
        {Vc2Draws, "WN", false, true, 1},        {Vc2Draws, "VC2", false, true, 3},
        {Vc2Draws, "VC2", false, false, 1},      {Vc2Draws, "VC", true, false, 0},
        {Vc2Draws, "VC", true, true, 2},         {Vc2Draws, "VC2", true, false, 1},
        {NoVc2, "VC2", false, true, 2},          {NoVc2, "VC", true, false, 0},
        {Vc2NotDrawn, "VC2", false, true, 0},    {Vc2NotDrawn, "VC2", false, false, 1},
        {Vc2NotDrawn, "", false, true, 2},       {Vc2AlwaysMode3, "VC2", false, false, 3},
        {Vc2AlwaysMode3, "VC2", false, true, 3}, {Vc2AlwaysMode3, "WN", false, true, 1},
        {AlwaysDraw, "VC", true, true, 1},
    };
    for (const Row& r : rows) {
        host::set_window_visible(0, r.main_open);
        host::set_window_visible(4008, r.window_open);
        EXPECT_EQ(display_view_mode(r.rule, r.parameter, 4008), r.mode)
            << static_cast<int>(r.rule) << " '" << r.parameter << "' main " << r.main_open << " window "
            << r.window_open;
    }
}

TEST_F(Frame, instancesDrawClearOrKeepTheirPictureAndAlwaysLoseTheDirtyBit) {
    place("gauge00=orvex1!EFS50_EHSI, 0, 0, 384, 371, VC\n"
          "gauge01=orvex1!EFS50_EHSI, 0, 0, 384, 371, VC2\n"
          "gauge02=orvex1!EFS50_EHSI, 0, 0, 384, 371, WN\n"
          "gauge03=orvex1!EFS50_EHSI, 0, 0, 384, 371\n");
    start();
    host::aircraft().lat_deg = 47.0;
    host::start_aircraft();
    frames(18); // the display power is read once a second
    enum Seen { Nothing, Cleared, Drawn };
    auto seen = [&](std::size_t i) {
        const gfx::Recording& r = recording(i);
        if (r.drawing_count() == 0) return Nothing;
        return r.fills_in_color(0xFF000000).empty() ? Cleared : Drawn;
    };
    struct Case {
        bool main_open, window_open;
        Seen expected[4];
    };
    const Case cases[] = {
        {false, false, {Drawn, Drawn, Drawn, Drawn}},
        {false, true, {Cleared, Drawn, Drawn, Cleared}}, // VC2 draws in mode 3
        {true, false, {Nothing, Drawn, Drawn, Drawn}},
    };
    for (const Case& c : cases) {
        host::set_window_visible(0, c.main_open);
        host::set_window_visible(4008, c.window_open);
        for (std::size_t i = 0; i < 4; ++i) {
            recording(i).clear();
            gauge(i).drawing_elements[0]->image_flags |= IMAGE_DIRTY;
        }
        frames(1);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(seen(i), c.expected[i]) << "gauge " << i << " main " << c.main_open;
            EXPECT_EQ(gauge(i).drawing_elements[0]->image_flags & IMAGE_DIRTY, 0u);
        }
    }
    EXPECT_EQ(drawn_element, gauge(3).drawing_elements[0]);
}

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(Frame, theFirstC17MfdOpensTheDebugLogAndTheCallbacksWriteTheirLines) {
    place("gauge00=orvex1!C17_MFD, 0, 0, 246, 241, 2\n"
          "gauge01=orvex1!DU_1000_EHSI, 0, 0\n"
          "gauge02=orvex1!DEBUG, 0, 0\n"
          "gauge03=orvex1!SERVER, 0, 0\n"
          "gauge04=orvex1!LNAV, 0, 0\n");
    start();
    frames(1);
    // Each line the first time it comes; its repeats as a count at 10, 100...
    const std::string each = "FSAPI du_1000_ehsi_callback \nserver_callback \nlnav_callback \n";
    const std::string frame = "PANEL_SERVICE_PRE_UPDATE:\n"
                              "PANEL_SERVICE_PRE_UPDATE-2: Param=2\n"
                              "PANEL_SERVICE_PRE_UPDATE-3: iparam=2\n"
                              "PANEL_SERVICE_PRE_UPDATE-4: iparam=2\n"
                              "ProcessMFDX2()-1: as_mfdx2_mode=1\n"
                              "ProcessMFDX2()-2: as_mfdx2_mode=10\n"; // idle from the start
    ASSERT_NE(debug_log, nullptr);
    // The folder holds no data: the load warnings come first, each once.
    const std::string warnings = "warning: " + folder.path() + "/orvex/orvex.cfg: cannot be opened\n";
    EXPECT_EQ(file_text(folder.path() + "/orvex1.log").rfind(warnings, 0), 0u);
    EXPECT_NE(file_text(folder.path() + "/orvex1.log").find(each + frame), std::string::npos);
    // Two calls of each gauge a frame from now on, and one at the disconnect.
    frames(50);
    host::stop_gauges(sim);
    const std::string text = file_text(folder.path() + "/orvex1.log");
    // A line that changes is written when it first comes; at close the
    // repeats of each line still coming are summed.
    EXPECT_NE(text.find("ProcessMFDX2()-1: as_mfdx2_mode=10\n"), std::string::npos) << text;
    EXPECT_NE(text.find("server_callback  (105 more times)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("PANEL_SERVICE_PRE_UPDATE: (50 more times)\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("server_callback \nserver_callback"), std::string::npos) << text;
    EXPECT_LT(text.size(), 2000u) << text;
}

TEST_F(Frame, c17UnitsTakeTheirFormatsAndRequests) {
    c17_mfd_units[2].format = kC17FormatPlan;
    c17_mfd_units[3].format = kC17FormatOilFuel;
    place("gauge00=orvex1!C17_MFD, 0, 0, 246, 241, MFD_VC\n"
          "gauge01=orvex1!C17_MFD, 0, 0, 246, 241, 3\n"
          "gauge02=orvex1!C17_MFD, 0, 0, 246, 241, MFD\n");
    start();
    for (const char* name : {"MFDX1 mode", "MFDX2 mode", "MFDX3 mode", "MFDX4 mode"})
        host::set_named_var(std::string(name), 10.0); // idle: a registered 0 would ask for the PFD
    host::start_aircraft();
    frames(18);
    EXPECT_EQ(c17_mfd_units[2].format, kC17FormatMapWideArc); // the MFD unit shows maps only
    EXPECT_EQ(c17_mfd_units[3].format, kC17FormatOilFuel);    // a unit placed by digit keeps its format
    EXPECT_FALSE(recording(1).fills_in_color(0xFF000000).empty());

    host::set_window_visible(0, true); // the main panel hides the VC instance
    recording(0).clear();
    frames(1);
    EXPECT_EQ(recording(0).of_kind(gfx::OpKind::Clear).size(), 1u);
    EXPECT_TRUE(recording(0).fills_in_color(0xFF000000).empty());

    // Names match without regard to case: the unit-3 instance reads "MFDx3 mode".
    auto request = [&](const char* name, double v) {
        host::set_named_var(std::string(name), v);
        frames(1);
        return host::get_named_var(host::find_named_var(name));
    };
    EXPECT_EQ(request("MFDX3 mode", 3), 10.0);
    EXPECT_EQ(c17_mfd_units[3].format, kC17FormatThrust); // oil and fuel wraps to thrust
    EXPECT_EQ(request("MFDX3 mode", 2), 2.0);             // the map holds while the request stays
    EXPECT_EQ(c17_mfd_units[3].format, kC17FormatMapWideArc);
    EXPECT_NE(gauge(1).elements[0]->image_flags & IMAGE_HIDDEN, 0u);
    EXPECT_EQ(request("MFDX3 mode", 1), 10.0);
    EXPECT_EQ(gauge(1).elements[0]->image_flags & IMAGE_HIDDEN, 0u);
    EXPECT_EQ(c17_mfd_units[3].format,
              kC17FormatMapWideArc); // the map is a nav format: the HSI steps to the wide map
    EXPECT_EQ(request("MFDX3 mode", 1), 10.0);
    EXPECT_EQ(c17_mfd_units[3].format, kC17FormatPlan);
    // "MFD" and "MFD_VC" have no digit and poll unit 1.
    EXPECT_EQ(request("MFDX1 mode", 7), 10.0);
    EXPECT_EQ(c17_mfd_units[1].format, kC17FormatConfiguration);
}

TEST_F(Frame, theB737NdNbReadsPublishedTrafficAndDebugShowsIt) {
    struct Target {
        char bytes[200];
    } targets[3] = {};
    int32_t count = 3;
    host::register_module_var(targets, MODULE_VAR_STRING, "tcas_targets");
    host::register_module_var(&count, MODULE_VAR_INT32, "tcas_target_cnt");
    place("gauge00=orvex1!HW_B737_ND_NB, 0, 0\n"
          "gauge01=orvex1!DEBUG, 0, 0, 376, 512\n");
    host::aircraft().lat_deg = 47.25;
    host::aircraft().lon_deg = -122.5;
    host::start_aircraft();
    start();
    frames(1);
    EXPECT_EQ(tcas_target, 3);
    EXPECT_EQ(tcas_target_records, static_cast<const void*>(targets));

    // DEBUG's surface is 296 x 370 here: its 330 x 310 page scales onto it.
    const gfx::Recording& page = recording(1);
    const struct {
        const char* text;
        float x, y;
    } lines[] = {{"plat=47.250000", 0, 255}, {"plon=-122.500000", 0, 270}, {"tcas_target=3", 170, 225}};
    for (const auto& line : lines) {
        const gfx::RecordedOp* op = page.find_text(line.text);
        ASSERT_NE(op, nullptr) << line.text;
        EXPECT_EQ(op->color, 0xFFFFFF00u);
        EXPECT_EQ(op->font_family, "Arial");
        EXPECT_EQ(op->font_style, gfx::FontStyle::Bold);
        EXPECT_NEAR(op->points[0].x, line.x * 296 / 330, 0.01);
        EXPECT_NEAR(op->points[0].y, line.y * 370 / 310, 0.01);
    }
    EXPECT_EQ(page.texts().size(), 4u);

    count = 0; // a null pointer would keep the count; a published 0 is read
    frames(1);
    EXPECT_EQ(tcas_target, 0);
}

} // namespace

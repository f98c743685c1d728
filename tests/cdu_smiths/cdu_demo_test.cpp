// The CDU part of `make demo`: orvex-sim builds and executes the example
// route on the SMITHS_FMS by key presses and writes a picture of each page,
// the navigation pages and their sub-pages among them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

TEST(CduDemo, theScriptBuildsAndExecutesTheRouteAndPicturesThePages) {
    const std::string example = ORVEX_SOURCE_DIR "/examples/sim";
    const std::string root = testing::TempDir() + "orvex_cdu_demo_sim";
    const std::string out = testing::TempDir() + "orvex_cdu_demo_out";
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(out);
    std::filesystem::copy(example, root, std::filesystem::copy_options::recursive);
    const std::string command = std::string(ORVEX_SIM_PATH) + " --module " ORVEX_MODULE_PATH " --root " +
                                root + " --panel " + example + "/cdu_panel.cfg --script " + example +
                                "/cdu_demo.script --out " + out + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    // The active plan holds origin and destination before EXEC, the route after.
    const std::size_t before = text.find("module orvex_fpln_wpt_cnt = 1");
    ASSERT_NE(before, std::string::npos) << text;
    EXPECT_NE(text.find("module orvex_fpln_wpt_cnt = 9", before), std::string::npos) << text;
    EXPECT_EQ(text.find("no click spot"), std::string::npos) << text;
    for (const char* page : {"cdu_1_ident",
                             "cdu_1_init_ref_index",
                             "cdu_1_stored_flight_plans",
                             "cdu_2_rte_origin_dest",
                             "cdu_3_rte_route",
                             "cdu_4_legs",
                             "cdu_5_legs_2",
                             "cdu_6_legs_mod",
                             "cdu_7_legs_exec",
                             "cdu_8_dep_arr",
                             "cdu_9_progress",
                             "cdu_9_progress_rta",
                             "cdu_9_progress_3",
                             "cdu_10_nav_status",
                             "cdu_10_nav_options",
                             "cdu_11_pos_shift",
                             "cdu_11_pos_init",
                             "cdu_11_pos_ref",
                             "cdu_12_ref_nav_data",
                             "cdu_12_ref_nav_waypoint",
                             "cdu_12_ref_nav_navaid",
                             "cdu_12_ref_nav_airport",
                             "cdu_13_select_waypoint",
                             "cdu_13_ref_nav_chosen"})
        EXPECT_TRUE(std::filesystem::exists(out + "/" + page + ".png")) << page;
}

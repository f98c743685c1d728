// The CDU part of `make demo`: orvex-sim builds and executes the example
// route on the SMITHS_FMS by key presses and writes a picture of each page,
// the navigation pages and their sub-pages among them; then it flies the
// route with the CDU on the ECON pages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

// Runs orvex-sim with the CDU panel and a script of examples/sim on a copy of
// that folder; returns what it printed, empty after a failure.
std::string run_cdu_script(const std::string& script, const std::string& out) {
    const std::string example = ORVEX_SOURCE_DIR "/examples/sim";
    const std::string root = testing::TempDir() + "orvex_" + script + "_sim";
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(out);
    std::filesystem::copy(example, root, std::filesystem::copy_options::recursive);
    const std::string command = std::string(ORVEX_SIM_PATH) + " --module " ORVEX_MODULE_PATH " --root " +
                                root + " --panel " + example + "/cdu_panel.cfg --script " + example + "/" +
                                script + " --out " + out + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "";
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    return text;
}

} // namespace

TEST(CduDemo, theScriptBuildsAndExecutesTheRouteAndPicturesThePages) {
    const std::string out = testing::TempDir() + "orvex_cdu_demo_out";
    const std::string text = run_cdu_script("cdu_demo.script", out);
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
                             "cdu_9_takeoff_ref",
                             "cdu_10_econ_clb_mod",
                             "cdu_10_econ_crz",
                             "cdu_10_econ_path_des",
                             "cdu_11_des_forecasts",
                             "cdu_11_temp_nav_summary",
                             "cdu_11_n1_limit",
                             "cdu_11_lateral_offset",
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

TEST(CduDemo, theFlightPicturesTheClimbCruiseAndDescentPages) {
    const std::string out = testing::TempDir() + "orvex_cdu_vnav_out";
    const std::string text = run_cdu_script("cdu_vnav.script", out);
    std::vector<int> pages;
    for (std::size_t at = 0; (at = text.find("smiths_cdu_page=", at)) != std::string::npos; ++at)
        pages.push_back(std::atoi(text.c_str() + at + 16));
    EXPECT_EQ(pages, (std::vector<int>{34, 34, 35, 35, 36, 36})) << text;
    for (const char* picture : {"cdu_vnav_1_climb", "cdu_vnav_2_climb", "cdu_vnav_3_cruise",
                                "cdu_vnav_4_cruise", "cdu_vnav_5_descent", "cdu_vnav_6_descent"})
        EXPECT_TRUE(std::filesystem::exists(out + "/" + picture + ".png")) << picture;
}

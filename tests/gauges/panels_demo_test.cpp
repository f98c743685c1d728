// The control-panel part of `make demo`: orvex-sim clicks every spot of every
// EFIS, EHSI and MFD control panel once and pictures each panel before and after.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

TEST(PanelsDemo, everySpotAnswersAndEachPanelIsPicturedTwice) {
    const std::string example = ORVEX_SOURCE_DIR "/examples/sim";
    const std::string root = testing::TempDir() + "orvex_panels_demo_sim";
    const std::string out = testing::TempDir() + "orvex_panels_demo_out";
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(out);
    std::filesystem::copy(example, root, std::filesystem::copy_options::recursive);
    const std::string command = std::string(ORVEX_SIM_PATH) + " --module " ORVEX_MODULE_PATH " --root " +
                                root + " --panel " + example + "/panels_panel.cfg --script " + example +
                                "/panels.script --out " + out + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    EXPECT_EQ(text.find("no click spot"), std::string::npos) << text;
    for (const char* line :
         {"state hw_md11_nd_mode=2 hw_md11_nd_compass_radius=94", "key 0x10157 0", "key 0x10158 0",
          "state md80_ehsi_adf1_pointer_on=1", "state proline4_mfd_brg2_source=1"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    for (const char* panel :
         {"b737", "b737_br", "md11", "efs50", "efs50_lm", "a300", "md80", "proline4", "proline4_aux"}) {
        for (const char* state : {"_a", "_b"}) {
            const std::string file = out + "/panel_" + panel + state + ".png";
            EXPECT_TRUE(std::filesystem::exists(file)) << file;
        }
    }
}

// The example simulator folder with one of its files damaged (no text, words
// for its numbers, cut in the middle of a line, empty), flown in the stand-in
// with a CDU, an ND showing the ATC boundaries and a PFD: a warning names the
// file (so that `strict` stops the run), and no page, display or published
// value shows a NaN or an infinity.
#include "script.h"
#include "shared/damaged_files.h"
#include "stand_in_panel.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "gauges/stand_in_hooks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

using DamageCase = std::tuple<const char*, std::size_t>; // file below orvex/, index of file_damages()

class DamagedExample : public StandInPanel, public ::testing::WithParamInterface<DamageCase> {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        sim.module.flight.load_route = &orvex_standin_load_route;
        sim.module.flight.route_status = &orvex_standin_route_status;
        sim.module.flight.take_warning = &orvex_standin_take_warning;
        warnings_ = std::tmpfile();
        sim.warnings_to = warnings_;
    }
    void TearDown() override {
        StandInPanel::TearDown();
        if (warnings_ != nullptr) std::fclose(warnings_);
    }
    void run(const std::string& text) {
        host::Script script;
        std::string error;
        ASSERT_TRUE(host::parse_script_text("damaged.script", text, sim, script, error)) << error;
        host::run_script(sim, script, nullptr, nullptr);
    }
    std::string warnings() {
        std::rewind(warnings_);
        std::string text;
        for (int c; (c = std::fgetc(warnings_)) != EOF;)
            text += static_cast<char>(c);
        return text;
    }
    std::FILE* warnings_ = nullptr;
};

TEST_P(DamagedExample, isNamedInAWarningAndNothingShowsANaN) {
    const auto [file, damage_index] = GetParam();
    const FileDamage& damage = file_damages().at(damage_index);
    namespace fs = std::filesystem;
    fs::copy(ORVEX_SOURCE_DIR "/examples/sim/orvex", fs::path(folder.path()) / "orvex",
             fs::copy_options::recursive);
    const fs::path path = fs::path(folder.path()) / "orvex" / file;
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damage.apply(text.str());

    place("gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
          "gauge01=orvex1!HW_B737_ND, 0, 0\n"
          "gauge02=orvex1!B777_PFD_NB, 0, 0\n");
    start();
    show_atc_boundaries = 1;
    hw_b737_nd_mode = kB737NdModeMap; // a map mode, which draws them
    run("aircraft position 47.4638 -122.3079\naircraft altitude 433\nframes 2\n"
        "route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS LEGS\nframes 2\n");
    EXPECT_EQ(unfinite_values(), "") << file << " " << damage.name << ", RTE LEGS";
    for (const char* page : {"CLB", "CRZ", "DES", "PROG", "DEP_ARR L1", "DEP_ARR R2"}) {
        run(std::string("cdu SMITHS_FMS ") + page + "\nframes 1\n");
        EXPECT_EQ(unfinite_values(), "") << file << " " << damage.name << ", " << page;
    }
    const std::string told = warnings();
    EXPECT_GT(sim.warnings, 0) << file << " " << damage.name;
    EXPECT_NE(told.find(path.string() + ": "), std::string::npos) << file << " " << damage.name << ":\n"
                                                                  << told;
}

std::string case_name(const ::testing::TestParamInfo<DamageCase>& info) {
    std::string name =
        std::string(std::get<0>(info.param)) + "_" + file_damages().at(std::get<1>(info.param)).name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    ExampleFiles, DamagedExample,
    ::testing::Combine(::testing::Values("orvex.cfg", "Aircraft/B738.cfg", "Aircraft/B738_perf.txt",
                                         "navdata/navs.txt", "navdata/ints.txt", "navdata/awys.txt",
                                         "navdata/apts.txt", "navdata/sids.txt", "navdata/stars.txt",
                                         "navdata/apps.txt", "navdata/atc_bdry.txt",
                                         "flightplans/KSEAKPDX.RTE"),
                       ::testing::Values(0u, 1u, 2u, 3u)),
    case_name);

} // namespace

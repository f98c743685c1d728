// The fuzzers' reader feeds on the bundled example (their seeds) and on every
// input the fuzzers have found (tests/fuzz_regressions/<reader>/).
#include "robustness/reader_feeds.h"

#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/airport_detail.h"
#include "platform/os.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

const std::string kFeedExamples = ORVEX_SOURCE_DIR "/examples/sim/orvex";

std::string read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

TEST(ReaderFeeds, partsSplitAtTheSeparatorLineAndMissingOnesAreEmpty) {
    EXPECT_EQ(split_parts("a\n@@@@\nb\n@@@@\nc", 2), (std::vector<std::string>{"a", "b\n@@@@\nc"}));
    EXPECT_EQ(split_parts("a\n\n@@@@\n", 3), (std::vector<std::string>{"a\n", "", ""}));
    EXPECT_EQ(split_parts("", 1), std::vector<std::string>{""});
    const std::vector<std::string> parts = {"x\r\n", "", "y"};
    EXPECT_EQ(split_parts(join_parts(parts), 3), parts);
}

// The example read through memory loads what it loads from its files: the
// feeds name the paths the loaders open.
TEST(ReaderFeeds, theExampleSeedsLoadTheirRecords) {
    const std::map<std::string, std::function<bool()>> loaded = {
        {"module_config", [] { return SequenceFPlanWpts == 1 && WptProcChgDist == 2.0; }},
        {"aircraft_config", [] { return lvar_bindings.count() > 0; }},
        {"performance", [] { return performance_tables.weight_count > 0; }},
        {"nav_database",
         [] {
             return airport_table.count() > 0 && navaid_table.count() > 0 && airway_fix_table.count() > 0;
         }},
        {"sid", [] { return airport_slots[origin_slot].sids.count() > 0; }},
        {"star", [] { return airport_slots[destination_slot].stars.count() > 0; }},
        {"approach", [] { return airport_slots[destination_slot].approaches.count() > 0; }},
        {"atc_boundaries", [] { return atc_boundaries.count() > 0; }},
        {"parking", [] { return parking_position.latitude > 40.0; }},
        {"airway", [] { return candidate_count() > 0; }},
        {"waypoint_entry", [] { return candidate_count() > 0; }},
        // The flown plan also takes up the approach its ApproachInfo names.
        {"route_file", [] { return active_plan_last > 0 && preview_plan_last > 0; }},
        {"sim_plan", [] { return last_sim_plan_import == 0; }},
    };
    // The other readers' results are checked by their feeds (runway_ref) or
    // only written (flight_summary).
    for (const ReaderFeed& feed : reader_feeds()) {
        for (const char* recipe : feed.seeds) {
            last_sim_plan_import = -1;
            const std::string input = build_seed(recipe, kFeedExamples);
            EXPECT_EQ(feed.feed(input), "") << feed.name << " " << recipe;
            if (loaded.count(feed.name)) {
                EXPECT_TRUE(loaded.at(feed.name)()) << feed.name << " loaded nothing from " << recipe;
            }
        }
    }
    // The seeds' memory files are gone afterwards.
    EXPECT_EQ(os::open_file("\\orvex\\navdata\\atc_bdry.txt", "r"), nullptr);
}

TEST(ReaderFeeds, everyInputTheFuzzersFoundLoadsWithinTheTablesRules) {
    const std::filesystem::path root = ORVEX_TEST_DATA_DIR "/fuzz_regressions";
    int inputs = 0;
    for (const ReaderFeed& feed : reader_feeds()) {
        const std::filesystem::path folder = root / feed.name;
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            ++inputs;
            EXPECT_EQ(feed.feed(read_file(entry.path())), "") << entry.path();
        }
    }
    // Folders named after no reader would never be run; the drawing target's
    // inputs are replayed by that target itself at the start of every fuzz run.
    if (std::filesystem::is_directory(root)) {
        for (const auto& entry : std::filesystem::directory_iterator(root)) {
            const std::string name = entry.path().filename().string();
            if (name != "gfx_cover") {
                EXPECT_NE(find_reader_feed(name), nullptr) << entry.path();
            }
        }
    }
    if (inputs == 0) GTEST_SKIP() << "no fuzz regression inputs";
}

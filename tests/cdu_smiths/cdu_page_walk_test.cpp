// Every key on every page reached: with no route, and with the example route
// active and an identifier of two matches in the scratchpad, each page key
// and then L1 to R6, PREV and NEXT on each page reached. Every frame must
// draw a page that has a routine and a title; no key leads to a blank screen.
#include "cdu_smiths/cdu_text.h"
#include "cdu_smiths/smiths_pages.h"
#include "cdu_stand_in.h"
#include "fms/route_state.h"

#include <fstream>
#include <set>
#include <sstream>

namespace {

// Pages of the navigation side not built yet (SELECT WAYPOINT, POS REF, REF
// NAV DATA, NAV STATUS, PROGRESS). The test fails once one of them has a
// routine, so that it comes off this list.
const std::set<int> kExpectedBlanks = {kPageSelectWaypoint, kPagePosRef, kPageRefNavData, kPageNavStatus,
                                       kPageProgress};

const SmithsKey kPageKeys[] = {SmithsKey::InitRef, SmithsKey::Rte,  SmithsKey::Clb,  SmithsKey::Crz,
                               SmithsKey::Des,     SmithsKey::Dir,  SmithsKey::Legs, SmithsKey::DepArr,
                               SmithsKey::Hold,    SmithsKey::Prog, SmithsKey::Fix};
const SmithsKey kPageStepKeys[] = {SmithsKey::L1,   SmithsKey::L2,  SmithsKey::L3, SmithsKey::L4,
                                   SmithsKey::L5,   SmithsKey::L6,  SmithsKey::R1, SmithsKey::R2,
                                   SmithsKey::R3,   SmithsKey::R4,  SmithsKey::R5, SmithsKey::R6,
                                   SmithsKey::Prev, SmithsKey::Next};

class PageWalk : public CduStandIn {
  protected:
    // OLM is the Olympia VOR; a second OLM, an intersection, makes two matches.
    void prepare_sim_folder(const std::string& root) override {
        std::ofstream(root + "/orvex/navdata/ints_user.txt") << "OLM OLM 46.500000 -121.500000\n";
    }

    // One key and its frame, then a frame for a page it opened; each frame
    // is checked for the page that drew it.
    void press_checked(SmithsKey key, const std::string& how) {
        ASSERT_TRUE(host::press_cdu_key(cdu(), key).hit);
        frame_checked(how);
        frame_checked(how);
    }
    void frame_checked(const std::string& how) {
        const int page = smiths_cdu_page;
        host::run_frame(sim_);
        std::ostringstream where;
        where << how << ": page " << page;
        ++frames_;
        if (kExpectedBlanks.count(page) != 0) {
            EXPECT_EQ(smiths_page_routine(page), nullptr) << where.str() << " is built: take it off the list";
            return;
        }
        ASSERT_NE(smiths_page_routine(page), nullptr) << where.str();
        bool title = false;
        for (const gfx::RecordedOp& op : last_frame())
            title =
                title || (op.kind == gfx::OpKind::String && op.world_rect.y == 0.0f && op.world_rect.x < 200);
        EXPECT_TRUE(title) << where.str();
    }

    // From each page key, every step key on every page reached, each pressed
    // after the keys that first reached that page.
    void walk(const std::string& typed) {
        std::vector<std::vector<SmithsKey>> paths;
        std::set<int> reached;
        for (SmithsKey key : kPageKeys)
            paths.push_back({key});
        for (std::size_t i = 0; i < paths.size(); ++i) {
            for (SmithsKey step : kPageStepKeys) {
                std::vector<SmithsKey> path = paths[i];
                path.push_back(step);
                replay(path, typed);
                if (reached.insert(smiths_cdu_page).second && path.size() < 4) paths.push_back(path);
            }
        }
        pages_ = reached;
    }
    void replay(const std::vector<SmithsKey>& path, const std::string& typed) {
        while (!smiths_scratchpad.empty() || !smiths_scratchpad_message.empty())
            press("CLR");
        if (!typed.empty()) press("\"" + typed + "\"");
        std::string how;
        for (SmithsKey key : path) {
            how += std::string(smiths_key_boxes.box[int(key)].name) + " ";
            press_checked(key, how);
        }
    }

    int frames_ = 0;
    std::set<int> pages_;
};

} // namespace

TEST_F(PageWalk, everyKeyOnEveryPageLeadsToADrawnPage) {
    walk("");
    EXPECT_GT(pages_.size(), 10u);
    EXPECT_EQ(route_state, 0);

    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2 R6 EXEC");
    ASSERT_EQ(route_state, 3);
    press("RTE NEXT NEXT \"OLM\"");
    walk("OLM");
    EXPECT_TRUE(pages_.count(kPageSelectWaypoint) != 0); // two OLMs ask which one
    EXPECT_GT(frames_, 1000);
}

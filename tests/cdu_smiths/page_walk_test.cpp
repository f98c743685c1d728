// Every page a pilot can reach answers: from each page key, every line-select
// key, PREV and NEXT lead to a page that has a routine and draws its title
// line, with no route and with the example route active while an identifier
// of several fixes stands in the scratchpad.
#include "cdu_smiths/smiths_pages.h"
#include "nav_pages_stand_in.h"

#include <deque>
#include <set>

namespace {

// Pages whose routines are still to come: they stay blank.
const std::set<int> kExpectedBlanks = {};

const char* const kPageKeys[] = {"INIT_REF", "RTE",     "CLB",  "CRZ",  "DES", "DIR",
                                 "LEGS",     "DEP_ARR", "HOLD", "PROG", "FIX"};
const char* const kPageActionKeys[] = {"L1", "L2", "L3", "L4", "L5", "L6",   "R1",
                                       "R2", "R3", "R4", "R5", "R6", "PREV", "NEXT"};

class PageWalk : public NavPagesStandIn {
  protected:
    // The page shown after the last frame: a routine and a title line, or an
    // expected blank.
    void expect_page_answers(const std::string& how) {
        const int page = smiths_cdu_page;
        if (smiths_page_routine(page) == nullptr) {
            EXPECT_EQ(kExpectedBlanks.count(page), 1u) << "page " << page << " after " << how;
            return;
        }
        bool title = false;
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String && op.world_rect.y <= 5.0f && !op.text.empty()) title = true;
        EXPECT_TRUE(title) << "page " << page << " after " << how;
    }

    // Every page reached, and from it every key, until no new page shows up.
    std::set<int> walk(const std::string& scratchpad) {
        std::set<int> seen;
        std::deque<int> pages;
        auto reached = [&](const std::string& how) {
            frames(1);
            expect_page_answers(how);
            if (seen.insert(smiths_cdu_page).second) pages.push_back(smiths_cdu_page);
        };
        for (const char* key : kPageKeys) {
            smiths_scratchpad = scratchpad;
            smiths_scratchpad_message.clear();
            press(key);
            reached(key);
        }
        while (!pages.empty()) {
            const int from = pages.front();
            pages.pop_front();
            for (const char* key : kPageActionKeys) {
                smiths_cdu_page = from;
                smiths_scratchpad = scratchpad;
                smiths_scratchpad_message.clear();
                press(key);
                reached("page " + std::to_string(from) + " " + key);
            }
        }
        return seen;
    }
};

} // namespace

TEST_F(PageWalk, withoutARoute) {
    const std::set<int> seen = walk("");
    for (int page : {kPagePosRef, kPageRefNavData, kPageNavStatus, kPageProgress})
        EXPECT_EQ(seen.count(page), 1u) << page;
}

TEST_F(PageWalk, withTheExampleRouteAndSeveralMatchesTyped) {
    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2 R6 EXEC");
    press("RTE NEXT \"DUPLI\"");
    const std::set<int> seen = walk("DUPLI");
    for (int page : {kPageSelectWaypoint, kPageDepartures, kPageArrivals, kPageRteHold})
        EXPECT_EQ(seen.count(page), 1u) << page;
}

// DEPARTURES, ARRIVALS and RTE LEGS on routes built by keys: the airports
// they name, the choices they mark and how their rows fit the page.
#include "cdu_smiths/rte_legs_page.h"
#include "cdu_stand_in.h"
#include "flight_demo.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "gauges/stand_in_hooks.h"
#include "script.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

class ProcedurePagesKeys : public CduStandIn {
  protected:
    // The example route without its approach line, and KSEA's GLASR2 under
    // a name longer than any the column was laid out for.
    void prepare_sim_folder(const std::string& root) override {
        write_route_without_approach(root);
        const std::string stars = root + "/orvex/navdata/stars.txt";
        std::stringstream text;
        text << std::ifstream(stars).rdbuf();
        std::ofstream(stars) << std::regex_replace(text.str(), std::regex("GLASR2"), "GLASRWWWWWWWWW2");
    }
    // From KAST over V27 to KSEA with OLM5 from HQM and the ILS 34R from OLM,
    // the discontinuity before the approach closed at SEBAR.
    void enter_own_flight() {
        press("RTE \"KAST\" L1 \"KSEA\" R1 NEXT \"AST\" R1 \"V27\" L2 \"HQM\" R2");
        press("DEP_ARR R2 L2 L3 R3 R2");
        press("LEGS NEXT \"SEBAR\" L4");
    }
    // Where a text's glyphs lie on the canvas: its laid-out box without the
    // pads, cut to its layout box unless it may run out of it.
    static std::pair<float, float> glyph_span(const gfx::RecordedOp& op) {
        const float pad = op.font_size / 6.0f;
        float left = (op.text_box.x - op.transform.dx) / op.transform.m11 + pad;
        float right = (op.text_box.x + op.text_box.width - op.transform.dx) / op.transform.m11 - pad;
        if (op.world_rect.width > 0.0f && (op.format_flags & gfx::StringFormatFlagsNoClip) == 0) {
            left = std::max(left, op.world_rect.x);
            right = std::min(right, op.world_rect.x + op.world_rect.width);
        }
        return {left, right};
    }
    // The texts of one line that are drawn over each other, and those laid
    // out on more lines than one.
    std::vector<std::string> crowded_texts() {
        std::vector<std::string> out;
        std::vector<gfx::RecordedOp> ops;
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String && !op.text.empty()) ops.push_back(op);
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].text_box.height > 1.5f * ops[i].font_size) out.push_back(ops[i].text + " wraps");
            for (std::size_t j = i + 1; j < ops.size(); ++j) {
                if (ops[i].world_rect.y != ops[j].world_rect.y) continue;
                const auto a = glyph_span(ops[i]), b = glyph_span(ops[j]);
                if (a.first < b.second && b.first < a.second)
                    out.push_back(ops[i].text + " over " + ops[j].text);
            }
        }
        return out;
    }
    // The two titles as DEP/ARR INDEX opens the pages.
    std::string titles() {
        press("DEP_ARR L1");
        frames(1); // the page a key opens draws from the next frame on
        const std::string departures = text_at(25, 0);
        press("DEP_ARR R2");
        frames(1);
        return departures + "|" + text_at(40, 0);
    }
};

} // namespace

// Each step goes on from the one before.
TEST_F(ProcedurePagesKeys, theTitlesNameTheRoutesAirportsBeforeAndAfterExec) {
    const struct {
        const char* keys;
        const char* titles;
    } steps[] = {
        {"RTE \"KSEA\" L1 \"KPDX\" R1", "KSEA DEPARTURES|KPDX ARRIVALS"}, // typed on RTE
        {"RTE \"NOAPP\" L2 R6 EXEC", "KSEA DEPARTURES|KPDX ARRIVALS"},
        {"RTE \"KYKM\" R1", "KSEA DEPARTURES|KYKM ARRIVALS"}, // a new destination, modified
        {"EXEC", "KSEA DEPARTURES|KYKM ARRIVALS"},
    };
    for (const auto& step : steps) {
        press(step.keys);
        EXPECT_EQ(titles(), step.titles) << step.keys;
    }
}

// An approach chosen in a modification and erased leaves the plan's own
// approach marked, wherever ERASE was pressed.
TEST_F(ProcedurePagesKeys, afterEraseArrivalsMarksThePlansApproach) {
    for (const char* erase : {"L6", "LEGS L6"}) {
        press("RTE \"NOAPP\" L2 R6 EXEC DEP_ARR R2 R3 EXEC"); // I28R, on row 3
        press("DEP_ARR R2 R2");                               // I28L, on row 2
        ASSERT_EQ(route_state, kRouteStateActiveModified);
        press(erase);
        ASSERT_EQ(route_state, kRouteStateActive) << erase;
        press("DEP_ARR R2");
        frames(1);
        EXPECT_EQ(text_at(135, 99), "<ACT>") << erase;
        EXPECT_EQ(text_at(135, 66), "") << erase;
    }
}

// ARRIVALS with a STAR, its transition, an approach and the list of its
// transitions (DOTTY among them) chosen: every text whole, none over another.
TEST_F(ProcedurePagesKeys, arrivalsDrawsNoTextOverAnother) {
    press("RTE \"KAST\" L1 \"KSEA\" R1 DEP_ARR R2");
    frames(1);
    EXPECT_EQ(crowded_texts(), std::vector<std::string>{}) << "the lists";
    for (const char* keys : {"L2", "L3", "R3", "R3"}) {
        press(keys);
        EXPECT_EQ(crowded_texts(), std::vector<std::string>{}) << "after " << keys;
    }
    EXPECT_EQ(text_at(135, 66), "<SEL>");
    EXPECT_TRUE(shows("DOTTY"));
}

// The row of an airway still waiting for its exit fix is listed as the gap
// EXEC makes of it: the entry prompt, no fix and no prediction.
TEST_F(ProcedurePagesKeys, anAirwaysThenRowIsListedAsAGap) {
    press("RTE \"KAST\" L1 \"KSEA\" R1 NEXT \"AST\" R1 \"V27\" L2 LEGS");
    frames(1);
    EXPECT_EQ(text_at(5, 52), "T H E N");
    EXPECT_EQ(text_at(0, 66), "");
    EXPECT_EQ(text_at(150, 66), "");
}

// The sub-page count follows the rows listed from the TO waypoint: no
// sub-page is left without a row of the route.
TEST_F(ProcedurePagesKeys, rteLegsCountsTheSubPagesItsRowsFill) {
    run("aircraft position 46.158 -123.8787\naircraft heading 0\naircraft altitude 15\naircraft speed 0\n"
        "aircraft engines 2\naircraft ap on\naircraft ap hdg on\naircraft ap alt on\nframes 20\n");
    enter_own_flight();
    press("R6 EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    ASSERT_EQ(active_plan_last, 11);
    const struct {
        const char* to;
        const char* count; // on the first sub-page
    } steps[] = {{"RAYMN", " 1 /  2"}, {"MONTS", " 1 /  2"}, {"OLM", " 1 /  1"}};
    run("key LNAV\naircraft rate 4\naircraft speed 250\naircraft altitude 8000\n");
    for (const auto& step : steps) {
        run(std::string("fly 40000 to ") + step.to + "\n");
        ASSERT_EQ(active_plan[to_waypoint_index].ident, step.to);
        press("LEGS");
        EXPECT_EQ(text_at(220, 0), step.count) << step.to;
    }
}

// Where a route ends: at a destination, whose place the end line takes, or
// at a fix (a route without destination), which is listed before it.
TEST_F(ProcedurePagesKeys, rteLegsListsTheLastFixOfARouteWithoutDestination) {
    const struct {
        const char* keys;
        const char* last_row; // the row above the end line on the last sub-page
    } rows[] = {
        // KPDX and its HILLS3 departure, which ends at EUG.
        {"RTE \"KPDX\" L1 \"28L\" L3 DEP_ARR L1 L2 L2 RTE R6 EXEC", "EUG  "},
        {"RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2 R6 EXEC", "OLM  "},
    };
    run("aircraft position 45.5895 -122.5936\naircraft ground 31\naircraft altitude 31\naircraft speed "
        "0\nframes 2\n");
    for (const auto& row : rows) {
        press(row.keys);
        ASSERT_EQ(route_state, kRouteStateActive) << row.keys;
        ASSERT_EQ(active_plan[0].ident, std::string(row.keys).substr(5, 4));
        press("LEGS");
        for (int n = 1; n < smiths_legs_subpage_count; ++n)
            press("NEXT");
        frames(1);
        // The frame is a copy: the end line is kept by value.
        const std::vector<gfx::RecordedOp> frame = last_frame();
        const gfx::RecordedOp* end = nullptr;
        for (const gfx::RecordedOp& op : frame)
            if (op.text == "- - - - - -" && op.world_rect.x == 0.0f) end = &op;
        ASSERT_NE(end, nullptr) << row.keys;
        // Rows stand 33 apart; the end line is drawn 3 above its row.
        EXPECT_EQ(text_at(0, end->world_rect.y + 3 - 33), row.last_row) << row.keys;
    }
}

// CHINS4 for 16R ends at its runway leg EDMND, where the ILS 16R begins:
// the approach chosen after the STAR names the runway, and the STAR's
// runway leg joins the approach without a gap.
TEST_F(ProcedurePagesKeys, anApproachChosenAfterItsStarKeepsTheStarsRunwayLeg) {
    press("RTE \"KYKM\" L1 \"KSEA\" R1 \"27\" L3 NEXT \"YKM\" R1 \"V4\" L2 \"NACHS\" R2");
    press("DEP_ARR R2 L1 R2 R2 RTE NEXT R6 EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    std::vector<std::string> end;
    for (int i = std::max(0, active_plan_last - 4); i <= active_plan_last; ++i)
        end.push_back(active_plan[i].ident + " " + active_plan[i].kind);
    EXPECT_EQ(end,
              (std::vector<std::string>{"CHINS STAR", "MAPLV STAR", "EDMND APPR", "CARRO APPR", "KSEA "}));
}

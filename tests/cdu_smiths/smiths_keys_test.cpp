// The SMITHS keys on the unit's input state, pressed as their mouse handlers
// press them.
#include "cdu_smiths/smiths_cursors.h"
#include "cdu_smiths/smiths_keys.h"
#include "fms/exec/exec_cursors.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "gauges/gauge_headers.h"
#include "mouse.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void press(std::initializer_list<SmithsKey> keys) {
    for (SmithsKey k : keys) {
        PixPoint point{1, 1};
        smiths_key_handlers[static_cast<std::size_t>(k)](&point, MOUSE_LEFTSINGLE);
    }
}

void type(const std::string& text) {
    for (char c : text) {
        SmithsKey key{};
        const std::string name = c == '.' ? "DOT" : c == '/' ? "SLASH" : std::string(1, c);
        ASSERT_TRUE(smiths_key_by_name(name, key)) << c;
        press({key});
    }
}

} // namespace

TEST(SmithsKeys, scratchpadEditingAndTheTwentyFourCharacterCap) {
    struct Row {
        const char* before;
        const char* message;
        SmithsKey key;
        const char* after;
        const char* message_after;
    };
    const std::string full(24, 'X');
    const std::string full_minus = std::string(23, 'X') + "-";
    const std::string full_space = full + " ";
    const Row rows[] = {
        {"", "", SmithsKey::PlusMinus, "-", ""},
        {"12", "", SmithsKey::PlusMinus, "12-", ""},
        {"12-", "", SmithsKey::PlusMinus, "12+", ""},
        {"12+", "", SmithsKey::PlusMinus, "12-", ""},
        {full_minus.c_str(), "", SmithsKey::PlusMinus, full_minus.c_str(), ""},
        {full.c_str(), "", SmithsKey::Sp, full_space.c_str(), ""}, // SP takes one more
        {full_space.c_str(), "", SmithsKey::Sp, full_space.c_str(), ""},
        {full.c_str(), "", SmithsKey::A, full.c_str(), ""},
        {"AB", "INVALID ENTRY", SmithsKey::C, "ABC", "INVALID ENTRY"},
        {"AB", "DELETE", SmithsKey::Sp, "", ""},
        {"AB", "", SmithsKey::Sp, "AB ", ""},
        {"AB", "DELETE", SmithsKey::Clr, "AB", ""},
        {"ABC", "", SmithsKey::Clr, "AB", ""},
        {"A", "", SmithsKey::Clr, "", ""},
        {"", "", SmithsKey::Clr, "", ""},
        {"KS", "", SmithsKey::Del, "KS", "DELETE"},
        {"4", "", SmithsKey::Slash, "4/", ""},
        {"4", "", SmithsKey::Dot, "4.", ""},
        {"4", "", SmithsKey::Digit0, "40", ""},
        {"4", "", SmithsKey::Digit9, "49", ""},
    };
    for (const Row& r : rows) {
        smiths_scratchpad = r.before;
        smiths_scratchpad_message = r.message;
        press({r.key});
        EXPECT_EQ(smiths_scratchpad, r.after) << r.before << " + " << smiths_key_boxes.box[int(r.key)].name;
        EXPECT_EQ(smiths_scratchpad_message, r.message_after) << r.before;
    }
    smiths_scratchpad.clear();
    smiths_scratchpad_message.clear();
    type("KSEA270/15.5");
    EXPECT_EQ(smiths_scratchpad, "KSEA270/15.5");
}

TEST(SmithsKeys, lineSelectCodesAndTheEndOfAFrame) {
    const std::pair<SmithsKey, int> codes[] = {{SmithsKey::L1, 1}, {SmithsKey::L5, 5},  {SmithsKey::L6, 11},
                                               {SmithsKey::R1, 6}, {SmithsKey::R5, 10}, {SmithsKey::R6, 12}};
    for (auto [key, code] : codes) {
        press({key});
        EXPECT_EQ(smiths_cdu_lsk, code) << smiths_key_boxes.box[int(key)].name;
    }
    press({SmithsKey::L3, SmithsKey::R2}); // the second key before a draw wins
    EXPECT_EQ(smiths_cdu_lsk, 7);

    press({SmithsKey::Prev, SmithsKey::Next, SmithsKey::Rte, SmithsKey::Legs, SmithsKey::Hold});
    smiths_reset_key_flags();
    EXPECT_EQ(smiths_cdu_lsk, 0);
    for (int flag :
         {smiths_cdu_prev_page, smiths_cdu_next_page, smiths_rte_entry, smiths_legs_entry, smiths_hold_entry})
        EXPECT_EQ(flag, 0);
    smiths_cdu_lsk = -3; // only a positive code is a pending key
    smiths_reset_key_flags();
    EXPECT_EQ(smiths_cdu_lsk, -3);
}

TEST(SmithsKeys, pageKeysSetTheirPageAndPresets) {
    smiths_perf_init_subpage = 2;
    set_flown_to(kNoToWaypoint);
    press({SmithsKey::InitRef});
    EXPECT_EQ(smiths_cdu_page, 26);
    EXPECT_EQ(smiths_perf_init_subpage, 1);
    set_flown_to(1);
    press({SmithsKey::InitRef});
    EXPECT_EQ(smiths_cdu_page, 3);

    const std::pair<SmithsKey, int> pages[] = {
        {SmithsKey::Clb, 34},  {SmithsKey::Crz, 35}, {SmithsKey::Des, 36}, {SmithsKey::DepArr, 24},
        {SmithsKey::Prog, 33}, {SmithsKey::Fix, 37}, {SmithsKey::Rte, 22}};
    for (auto [key, page] : pages) {
        press({key});
        EXPECT_EQ(smiths_cdu_page, page);
    }
    EXPECT_EQ(smiths_rte_entry, 1);

    route_state = kRouteStateEntered;
    press({SmithsKey::Dir});
    EXPECT_EQ(smiths_scratchpad_message, "NO ACTIVE ROUTE");
    EXPECT_EQ(smiths_cdu_page, 22);
    route_state = kRouteStateActivated;
    press({SmithsKey::Dir});
    EXPECT_EQ(smiths_legs_mode, kLegsModeDirectTo);
    EXPECT_EQ(smiths_cdu_page, 6);

    // HOLD with no hold: HOLD AT mode of RTE LEGS, map step dropped.
    legs_map_step = 4;
    press({SmithsKey::Hold});
    EXPECT_EQ(smiths_cdu_page, 6);
    EXPECT_EQ(smiths_legs_mode, kLegsModeHoldAt);
    EXPECT_EQ(smiths_legs_map_step, 0);
    // Typing leaves the leg picked for HOLD AT: the page weighs the pick
    // against the scratchpad when it acts.
    smiths_hold_at_cursor.move_to(3);
    press({SmithsKey::F, SmithsKey::Digit5, SmithsKey::G, SmithsKey::Z});
    EXPECT_EQ(smiths_hold_at_leg, 3);

    press({SmithsKey::Legs});
    EXPECT_EQ(smiths_legs_mode, kLegsModeList);
    EXPECT_EQ(smiths_legs_subpage, 1);
    EXPECT_EQ(smiths_legs_entry, 1);

    // With a hold in the list HOLD opens RTE HOLD on its first hold.
    working_entry(0).ident = "A";
    working_entry(1).ident = "B";
    set_working_last(1);
    ASSERT_GT(add_hold(1, kHoldQuiet, 0.0), 0);
    smiths_hold_subpage = 5;
    press({SmithsKey::Hold});
    EXPECT_EQ(smiths_cdu_page, 39);
    EXPECT_EQ(smiths_hold_subpage, 1);
}

TEST(SmithsKeys, execActsOnlyOnAPendingRoute) {
    working_entry(0).ident = "KSEA";
    working_entry(1).ident = "KPDX";
    set_working_last(1);
    for (int state : {0, 1}) {
        route_state = state;
        press({SmithsKey::Exec});
        EXPECT_EQ(route_state, state);
    }
    EXPECT_EQ(active_plan_last, -1);
    route_state = kRouteStateActivated;
    press({SmithsKey::Exec});
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_plan_last, 1);
    EXPECT_EQ(active_plan[1].ident, "KPDX");
    // Active with nothing pending: EXEC does nothing.
    working_entry(1).ident = "KBFI";
    press({SmithsKey::Exec});
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_plan[1].ident, "KPDX");
}

TEST(SmithsKeys, bothMouseListsHoldEveryKeyInItsBox) {
    for (const GaugeHeader* gauge : {&smiths_fms_gauge, &smiths_fms_br_gauge}) {
        for (const SmithsKeyBox& key : smiths_key_boxes.box) {
            PixPoint relative{};
            const uint32_t flags = key.repeats ? MOUSE_LEFT_REPEAT : MOUSE_LEFTSINGLE;
            const MouseRect* child = host::find_mouse_child(gauge->mouse_rect, key.x + key.click_w / 2,
                                                            key.y + key.click_h / 2, flags, relative);
            ASSERT_NE(child, nullptr) << gauge->name << " " << key.name;
            EXPECT_EQ(child->handler, smiths_key_handlers[static_cast<std::size_t>(key.key)]) << key.name;
            EXPECT_EQ(child->cursor, CURSOR_HAND);
            EXPECT_EQ(child->mouse_flags, flags) << key.name;
        }
        // D takes clicks on its left 30 pixels only; DEL beyond its own box.
        PixPoint relative{};
        EXPECT_EQ(host::find_mouse_child(gauge->mouse_rect, 293 + 33, 381 + 10, MOUSE_LEFTSINGLE, relative),
                  nullptr);
        const MouseRect* del =
            host::find_mouse_child(gauge->mouse_rect, 252 + 35, 582 + 10, MOUSE_LEFTSINGLE, relative);
        ASSERT_NE(del, nullptr);
        EXPECT_EQ(del->handler, smiths_key_handlers[static_cast<std::size_t>(SmithsKey::Del)]);
    }
}

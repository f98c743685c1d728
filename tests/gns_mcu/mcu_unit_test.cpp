// The MCU unit: keyboard entry and its failures, the hook's rule, the lamps,
// HOLD, the APT and ENTRY keys, and a key walk over every mode.
#include "mcu_stand_in.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "gauges/gauge_headers.h"
#include "gns_mcu/mcu_keyboard.h"
#include "gns_mcu/mcu_unit_state.h"

#include <set>
#include <sstream>

namespace {

bool hidden(ElementHeader* first, uint32_t n) {
    ElementHeader* e = first;
    for (uint32_t i = 0; i < n && e != nullptr; ++i)
        e = e->next_element != nullptr ? e->next_element[0] : nullptr;
    return e == nullptr || (e->image_flags & IMAGE_HIDDEN) != 0;
}

} // namespace

TEST_F(McuStandIn, EachKeyboardFailureEndsEntryAndKeepsItsMessage) {
    struct Row {
        std::vector<std::string> steps;
        const char* message;
    } rows[] = {{{"create"}, "DirectInput failed"},        {{"module"}, "DirectInput failed"},
                {{"device"}, "CreateDevice failed"},       {{"format"}, "SetDataFormat failed"},
                {{"level"}, "SetCooperativeLevel failed"}, {{"window"}, "SetCooperativeLevel failed"}};
    press("DIRTO");
    for (const Row& r : rows) {
        std::string error;
        ASSERT_TRUE(host::keyboard_fail(r.steps, error)) << error;
        mcu_status_text.clear();
        press("ENTRY");
        EXPECT_EQ(mcu_status_text, r.message) << r.steps[0];
        EXPECT_EQ(keyboard_device, 0u) << r.steps[0];
        EXPECT_EQ(keyboard_dinput, 0u) << r.steps[0];
        EXPECT_EQ(mcu_entry_active, 0) << r.steps[0];
        EXPECT_EQ(keyboard_hook, 0u) << r.steps[0];
        int objects = -1, devices = -1;
        orvex_dinput_open_count(&objects, &devices, nullptr);
        EXPECT_EQ(objects + devices, 0) << r.steps[0];
    }
    // A hook that cannot be set leaves the keys to the simulator; typing
    // still reaches the page.
    std::string error;
    ASSERT_TRUE(host::keyboard_fail({"hook"}, error));
    press("ENTRY");
    EXPECT_EQ(mcu_entry_active, 1);
    type("KS");
    EXPECT_EQ(mcu_entry_text, "KS");
    for (const host::HookOutcome& o : host::take_hook_outcomes())
        EXPECT_EQ(o.result, -1) << host::describe(o);
    // Released twice: nothing the second time.
    keyboard_entry_off();
    keyboard_release();
    EXPECT_EQ(keyboard_dinput, 0u);
}

TEST_F(McuStandIn, HookSwallowsWhileNoModifierIsDownAndSGOrZIsDownOrToggled) {
    struct Row {
        const char* keys; // pressed (down then up) first, then held down
        const char* held;
        bool swallows;
    } rows[] = {
        {"", "", false},      {"", "S", true},     {"S", "", true},     {"S S", "", false},
        {"", "G", true},      {"Z", "", true},     {"A B", "", false},  {"", "S SHIFT", false},
        {"G", "CTRL", false}, {"Z", "ALT", false}, {"G G Z", "", true},
    };
    for (const Row& r : rows) {
        orvex_keyboard_reset();
        host::KeyboardKey key{};
        for (const std::string& name : {std::string(r.keys)}) {
            std::istringstream words(name);
            std::string w;
            while (words >> w) {
                ASSERT_TRUE(host::keyboard_key_by_name(w, key));
                host::keyboard_key(key, true);
                host::keyboard_key(key, false);
            }
        }
        std::istringstream held(r.held);
        std::string w;
        while (held >> w) {
            ASSERT_TRUE(host::keyboard_key_by_name(w, key));
            host::keyboard_key(key, true);
        }
        EXPECT_EQ(keyboard_swallows(), r.swallows) << "pressed '" << r.keys << "' held '" << r.held << "'";
    }
    // Installed, the hook decides for every key message by that rule.
    orvex_keyboard_reset();
    ASSERT_EQ(set_keyboard_hook(1), 1);
    EXPECT_EQ(set_keyboard_hook(1), 0);
    host::KeyboardKey a{}, s{};
    host::keyboard_key_by_name("A", a);
    host::keyboard_key_by_name("S", s);
    EXPECT_EQ(orvex_keyboard_event(a.virtual_key, 1), 0);
    EXPECT_EQ(orvex_keyboard_event(s.virtual_key, 1), 1);
    EXPECT_EQ(orvex_keyboard_event(a.virtual_key, 0), 1);
    EXPECT_EQ(set_keyboard_hook(0), 1);
    EXPECT_EQ(set_keyboard_hook(0), 0);
    EXPECT_EQ(orvex_keyboard_hooks(), 0);
}

TEST_F(McuStandIn, LostInputIsAcquiredAgainAndReadAndKeysRaiseTheirFlags) {
    press("DIRTO ENTRY");
    type("K");
    orvex_dinput_lose_input();
    type("P");
    EXPECT_EQ(mcu_entry_text, "KP");
    hit("BACKSPACE");
    EXPECT_EQ(mcu_entry_text, "K");
    // Up and Down on the keyboard are PREV and NEXT: on LEGS during entry they
    // step the leg shown.
    set_active_last(5);
    press("LEGSEDIT");
    mcu_legs_cursor.move_to(3);
    hit("UP");
    EXPECT_EQ(mcu_legs_index, 3); // the flags go to the pages, not the keys
    EXPECT_EQ(mcu_entry_active, 1);
}

TEST_F(McuStandIn, LampsFollowLnavAndTheHoldOnBothGauges) {
    ElementHeader* first = mcu().header.elements_list[0];
    EXPECT_TRUE(hidden(first, 2));
    EXPECT_TRUE(hidden(first, 3));
    press("FPLN ENTER");
    frames(2);
    ASSERT_NE(to_waypoint_index, kNoToWaypoint);
    // HOLD without LNAV does nothing.
    press("HOLD");
    EXPECT_EQ(hold_count(), 0);
    press("LNAV");
    ASSERT_EQ(lnav_engaged, 1);
    EXPECT_FALSE(hidden(first, 2));
    press("HOLD");
    EXPECT_EQ(hold_armed, 1);
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), to_waypoint_index);
    EXPECT_EQ(hold_list[1].ident, active_plan[to_waypoint_index].ident);
    frames(1);
    EXPECT_FALSE(hidden(first, 3));
    press("HOLD");
    EXPECT_EQ(hold_armed, 0);
    EXPECT_EQ(hold_exit_state, kHoldExitAtNextPoint);
    EXPECT_TRUE(hidden(first, 3));
}

class McuAndMcuLm : public McuStandIn {
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!MCU, 0, 0, 501, 386, B738\n"
               "gauge01=orvex1!MCU_LM, 0, 0, 501, 386, VC\n"
               "gauge02=orvex1!SERVER, 0, 0, 10, 10\n";
    }
};

TEST_F(McuAndMcuLm, BothGaugesShareTheLampsAndTheVcInstanceSkipsDrawingUnderTheMainPanel) {
    // The module's own records: both screens lead to one pair of lamps.
    ElementHeader* a = mcu_gauge.elements_list[0]->next_element[0]->next_element[0];
    ElementHeader* b = mcu_lm_gauge.elements_list[0]->next_element[0]->next_element[0];
    EXPECT_EQ(a, b);
    press("FPLN ENTER");
    frames(2);
    press("LNAV");
    ASSERT_EQ(lnav_engaged, 1);
    EXPECT_FALSE(hidden(sim_.gauges[0]->header.elements_list[0], 2));
    EXPECT_FALSE(hidden(sim_.gauges[1]->header.elements_list[0], 2));
    host::set_window_visible(0, true);
    gfx::Recording& lm = *gfx::surface_recording(sim_.gauges[1]->drawing_elements.at(0)->device_context);
    lm.clear();
    press("ALT");
    EXPECT_TRUE(lm.ops.empty());
    EXPECT_FALSE(texts().empty());
}

TEST_F(McuStandIn, AptStepsItsPagesAndEntryRunsOnlyOnTheEntryPages) {
    press("SCREEN");
    EXPECT_TRUE(host::window_visible(4001));
    press("APT ENTRY");
    type("KSEA");
    hit("RETURN");
    mcu_apt_page_count = 2;
    active_runway_1 = "16L\n";
    active_runway_2 = "16R\n";
    press("TO APT");
    EXPECT_EQ(mcu_apt_page, 1);
    press("APT");
    EXPECT_EQ(mcu_apt_page, 2);
    EXPECT_EQ(text_at(0, 20), "AI Departure Rwys:");
    EXPECT_EQ(text_at(160, 20), "16L");
    EXPECT_EQ(text_at(185, 20), ",16R");
    press("APT");
    EXPECT_EQ(mcu_apt_page, 1);
    press("TO APT");
    EXPECT_EQ(mcu_apt_page, 1);
    for (const char* key : {"TO", "FPLN", "ALT"}) {
        press(key);
        press("ENTRY");
        EXPECT_EQ(mcu_entry_active, 0) << key;
    }
    press("APT ENTRY");
    EXPECT_EQ(mcu_entry_active, 1);
    press("DIRTO");
    EXPECT_EQ(mcu_entry_active, 1); // DIRTO leaves entry on
    press("TO");
    EXPECT_EQ(mcu_entry_active, 0);
    EXPECT_EQ(keyboard_hook, 0u);
}

TEST_F(McuStandIn, ScreenKeepsItsPictureOnFramesWithoutARedraw) {
    press("ALT");
    frames(3); // until the request is served
    recording().clear();
    frames(2);
    for (const gfx::RecordedOp& op : recording().ops)
        EXPECT_FALSE(op.is_drawing());
}

// Every key on every mode, with and without a route: no key may leave the
// screen black.
TEST_F(McuStandIn, EveryKeyOnEveryModeLeavesAPage) {
    const std::vector<std::string> modes = {"TO", "FPLN", "APT", "LEGS", "LEGSEDIT", "DIRTO", "ALT"};
    for (int with_route = 0; with_route < 2; ++with_route) {
        if (with_route == 1) {
            press("FPLN ENTER");
            frames(2);
            ASSERT_NE(to_waypoint_index, kNoToWaypoint);
        }
        std::set<int> reached;
        for (const std::string& mode : modes)
            for (const McuKeyBox& box : mcu_key_boxes) {
                press(mode);
                if (mcu_entry_active == 1) keyboard_entry_off();
                press(box.name);
                frames(2);
                reached.insert(mcu_mode);
                EXPECT_FALSE(texts().empty())
                    << box.name << " on " << mode << " (route " << with_route << ")";
            }
        EXPECT_EQ(reached, (std::set<int>{1, 2, 5, 6, 7, 19}));
    }
}

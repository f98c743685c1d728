// The keyboard through the system's input (the Windows stand-in): the main
// window is registered and put in front, every key goes to the system by
// virtual key and scan code, and what came of it is recorded.
#include "keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Fake {
    std::vector<std::string> registered;
    std::vector<uintptr_t> unregistered;
    std::vector<uintptr_t> focused;
    bool focus_works = true;
    struct Sent {
        uint32_t virtual_key, scan_code;
        int32_t down;
    };
    std::vector<Sent> sent;
    std::vector<int32_t> results; // popped front to back
} fake;

uintptr_t register_window(const char* name, intptr_t (*)(void*, uint32_t, uintptr_t, intptr_t), void*) {
    fake.registered.push_back(name);
    return 77;
}
void unregister_window(uintptr_t w) {
    fake.unregistered.push_back(w);
}
bool focus_window(uintptr_t w) {
    fake.focused.push_back(w);
    return fake.focus_works;
}
int32_t send_key(uint32_t vk, uint32_t scan, int32_t down) {
    fake.sent.push_back({vk, scan, down});
    const int32_t r = fake.results.front();
    fake.results.erase(fake.results.begin());
    return r;
}

class SystemKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        fake = Fake{};
        windows.register_window = &register_window;
        windows.unregister_window = &unregister_window;
        keys.focus_window = &focus_window;
        keys.send_key = &send_key;
    }
    void TearDown() override { host::stop_keyboard(); }
    host::WindowServices windows;
    host::KeyboardServices keys;
};

TEST_F(SystemKeyboard, KeysGoToTheSystemAndTheirOutcomesAreKept) {
    ASSERT_TRUE(host::start_keyboard(keys, windows));
    EXPECT_EQ(fake.registered, std::vector<std::string>{"FS98MAIN"});
    EXPECT_EQ(fake.focused, std::vector<uintptr_t>{77});

    host::KeyboardKey a{}, enter{};
    ASSERT_TRUE(host::keyboard_key_by_name("a", a));
    ASSERT_TRUE(host::keyboard_key_by_name("ENTER", enter));
    fake.results = {0, 1, -2};
    EXPECT_TRUE(host::keyboard_key(a, true));
    EXPECT_TRUE(host::keyboard_key(a, false));
    EXPECT_TRUE(host::keyboard_key(enter, true));
    ASSERT_EQ(fake.sent.size(), 3u);
    EXPECT_EQ(fake.sent[0].virtual_key, 'A');
    EXPECT_EQ(fake.sent[0].scan_code, 0x1Eu);
    EXPECT_EQ(fake.sent[0].down, 1);
    EXPECT_EQ(fake.sent[1].down, 0);
    EXPECT_EQ(fake.sent[2].scan_code, 0x9Cu); // the keypad's Enter keeps its extended code

    std::string text;
    for (const host::HookOutcome& o : host::take_hook_outcomes())
        text += host::describe(o) + ";";
    EXPECT_EQ(text, "passed A down;swallowed A up;undelivered ENTER down;");

    // The system's keyboard has no failing steps to play.
    std::string error;
    EXPECT_FALSE(host::keyboard_fail({"acquire"}, error));
    EXPECT_EQ(error, "the system's own keyboard cannot be made to fail");
    EXPECT_FALSE(host::keyboard_lose_input(error));
    EXPECT_EQ(error, "the system's own keyboard cannot be made to lose its input");

    host::stop_keyboard();
    EXPECT_EQ(fake.unregistered, std::vector<uintptr_t>{77});
}

TEST_F(SystemKeyboard, AWindowThatCannotComeToTheFrontStartsNoKeyboard) {
    fake.focus_works = false;
    EXPECT_FALSE(host::start_keyboard(keys, windows));
    EXPECT_EQ(fake.unregistered, std::vector<uintptr_t>{77});
    host::KeyboardKey a{};
    ASSERT_TRUE(host::keyboard_key_by_name("A", a));
    EXPECT_FALSE(host::keyboard_key(a, true));
    EXPECT_TRUE(fake.sent.empty());
}

} // namespace

#include "keyboard.h"

#include "host_text.h"

#include <cctype>

namespace host {

namespace {

// Virtual keys and scan codes of the keys a script can name.
constexpr KeyboardKey kKeys[] = {
    {"1", '1', 0x02},          {"2", '2', 0x03},       {"3", '3', 0x04},      {"4", '4', 0x05},
    {"5", '5', 0x06},          {"6", '6', 0x07},       {"7", '7', 0x08},      {"8", '8', 0x09},
    {"9", '9', 0x0A},          {"0", '0', 0x0B},       {"Q", 'Q', 0x10},      {"W", 'W', 0x11},
    {"E", 'E', 0x12},          {"R", 'R', 0x13},       {"T", 'T', 0x14},      {"Y", 'Y', 0x15},
    {"U", 'U', 0x16},          {"I", 'I', 0x17},       {"O", 'O', 0x18},      {"P", 'P', 0x19},
    {"A", 'A', 0x1E},          {"S", 'S', 0x1F},       {"D", 'D', 0x20},      {"F", 'F', 0x21},
    {"G", 'G', 0x22},          {"H", 'H', 0x23},       {"J", 'J', 0x24},      {"K", 'K', 0x25},
    {"L", 'L', 0x26},          {"Z", 'Z', 0x2C},       {"X", 'X', 0x2D},      {"C", 'C', 0x2E},
    {"V", 'V', 0x2F},          {"B", 'B', 0x30},       {"N", 'N', 0x31},      {"M", 'M', 0x32},
    {"BACKSPACE", 0x08, 0x0E}, {"RETURN", 0x0D, 0x1C}, {"ENTER", 0x0D, 0x9C}, {"UP", 0x26, 0xC8},
    {"DOWN", 0x28, 0xD0},      {"PGUP", 0x21, 0xC9},   {"PGDN", 0x22, 0xD1},  {"SHIFT", 0x10, 0x2A},
    {"CTRL", 0x11, 0x1D},      {"ALT", 0x12, 0x38},
};

// Step names of `keyboard fail`: device steps, then window lookups and hook.
struct FailStep {
    const char* name;
    uint32_t device_bit;
    uint32_t window_bit;
};
constexpr FailStep kFailSteps[] = {
    {"create", 1, 0},     {"device", 2, 0}, {"format", 4, 0}, {"level", 8, 0}, {"acquire", 16, 0},
    {"unacquire", 32, 0}, {"window", 0, 1}, {"module", 0, 2}, {"hook", 0, 4},
};

struct Keyboard {
    KeyboardServices services;
    WindowServices windows;
    uintptr_t main_window = 0;
    bool started = false;
    std::vector<HookOutcome> outcomes;
};

Keyboard& keyboard() {
    static Keyboard k;
    return k;
}

intptr_t main_window_proc(void*, uint32_t, uintptr_t, intptr_t) {
    return 0;
}

} // namespace

bool keyboard_key_by_name(const std::string& name, KeyboardKey& key) {
    const std::string upper = to_upper(name);
    for (const KeyboardKey& k : kKeys)
        if (upper == k.name) {
            key = k;
            return true;
        }
    return false;
}

bool keyboard_key_of_char(char c, KeyboardKey& key) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return keyboard_key_by_name(std::string(1, c), key);
}

bool start_keyboard(const KeyboardServices& services, const WindowServices& windows) {
    Keyboard& k = keyboard();
    stop_keyboard();
    if (services.system_input()) {
        // The module's device reads keys only while its window is in front.
        if (!windows.available()) return false;
        k.main_window = windows.register_window("FS98MAIN", &main_window_proc, nullptr);
        if (k.main_window == 0 || !services.focus_window(k.main_window)) {
            if (k.main_window != 0) windows.unregister_window(k.main_window);
            k.main_window = 0;
            return false;
        }
        k.services = services;
        k.windows = windows;
        k.outcomes.clear();
        k.started = true;
        return true;
    }
    if (!services.available()) return false;
    k.services = services;
    k.windows = windows;
    k.services.reset_window();
    k.services.reset_device();
    if (windows.available()) k.main_window = windows.register_window("FS98MAIN", &main_window_proc, nullptr);
    k.outcomes.clear();
    k.started = true;
    return true;
}

void stop_keyboard() {
    Keyboard& k = keyboard();
    if (k.main_window != 0 && k.windows.available()) k.windows.unregister_window(k.main_window);
    k.main_window = 0;
    k.started = false;
}

bool keyboard_key(const KeyboardKey& key, bool down) {
    Keyboard& k = keyboard();
    if (!k.started) return false;
    HookOutcome outcome;
    outcome.key = key.name;
    outcome.down = down;
    if (k.services.system_input()) {
        outcome.result = k.services.send_key(key.virtual_key, key.scan_code, down ? 1 : 0);
    } else {
        k.services.set_device_key(key.scan_code, down ? 1 : 0);
        outcome.result = k.services.key_event(key.virtual_key, down ? 1 : 0);
    }
    k.outcomes.push_back(outcome);
    return true;
}

std::vector<HookOutcome> take_hook_outcomes() {
    std::vector<HookOutcome> out;
    out.swap(keyboard().outcomes);
    return out;
}

bool keyboard_fail(const std::vector<std::string>& steps, std::string& error) {
    Keyboard& k = keyboard();
    if (!k.started) {
        error = "the module offers no keyboard";
        return false;
    }
    if (k.services.system_input()) {
        error = "the system's own keyboard cannot be made to fail";
        return false;
    }
    uint32_t device = 0, window = 0;
    for (const std::string& step : steps) {
        const std::string lower = to_lower(step);
        if (lower == "none") continue;
        bool found = false;
        for (const FailStep& f : kFailSteps)
            if (lower == f.name) {
                device |= f.device_bit;
                window |= f.window_bit;
                found = true;
            }
        if (!found) {
            error = "no keyboard step '" + step + "'";
            return false;
        }
    }
    k.services.fail_device(device);
    k.services.fail_window(window);
    return true;
}

bool keyboard_lose_input(std::string& error) {
    Keyboard& k = keyboard();
    if (!k.started) {
        error = "the module offers no keyboard";
        return false;
    }
    if (k.services.system_input()) {
        error = "the system's own keyboard cannot be made to lose its input";
        return false;
    }
    k.services.lose_input();
    return true;
}

std::string describe(const HookOutcome& outcome) {
    const char* what = outcome.result == 1    ? "swallowed"
                       : outcome.result == 0  ? "passed"
                       : outcome.result == -2 ? "undelivered"
                                              : "unhooked";
    return std::string(what) + " " + outcome.key + (outcome.down ? " down" : " up");
}

} // namespace host

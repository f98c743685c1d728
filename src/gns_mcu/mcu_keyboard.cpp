#include "gns_mcu/mcu_keyboard.h"

#include "gns_mcu/mcu_unit_state.h"
#include "sim/host_folder.h"

#include <cstring>
#include <string>

dinput::Object keyboard_dinput = 0;
dinput::Device keyboard_device = 0;
dinput::Result keyboard_result = 0;
window::Handle sim_main_window = 0;
window::ModuleHandle gauge_module_handle = 0;
window::HookHandle keyboard_hook = 0;
uint8_t keyboard_prev_state[dinput::kKeyStateSize] = {};

namespace {

// Letters and main-row digits by scan code, in the order of the keyboard rows.
struct ScanChar {
    uint32_t scan;
    char c;
};
constexpr ScanChar kScanChars[] = {
    {0x02, '1'}, {0x03, '2'}, {0x04, '3'}, {0x05, '4'}, {0x06, '5'}, {0x07, '6'}, {0x08, '7'}, {0x09, '8'},
    {0x0A, '9'}, {0x0B, '0'}, {0x10, 'Q'}, {0x11, 'W'}, {0x12, 'E'}, {0x13, 'R'}, {0x14, 'T'}, {0x15, 'Y'},
    {0x16, 'U'}, {0x17, 'I'}, {0x18, 'O'}, {0x19, 'P'}, {0x1E, 'A'}, {0x1F, 'S'}, {0x20, 'D'}, {0x21, 'F'},
    {0x22, 'G'}, {0x23, 'H'}, {0x24, 'J'}, {0x25, 'K'}, {0x26, 'L'}, {0x2C, 'Z'}, {0x2D, 'X'}, {0x2E, 'C'},
    {0x2F, 'V'}, {0x30, 'B'}, {0x31, 'N'}, {0x32, 'M'},
};

constexpr const char* kKeyboardWindowClass = "FS98MAIN";

// The text that typing goes to in the current mode; null where none does.
std::string* entry_text() {
    if (mcu_mode == MCU_AIRPORT || mcu_mode == MCU_DIRTO) return &mcu_entry_text;
    if (mcu_mode == MCU_LEGS) return &mcu_legs_entry_text;
    return nullptr;
}

bool fail(dinput::Result result, const char* message) {
    keyboard_result = result;
    if (!dinput::failed(result)) return false;
    mcu_status_text = message;
    return true;
}

} // namespace

uint32_t scan_code_of(char c) {
    for (const ScanChar& s : kScanChars)
        if (s.c == c) return s.scan;
    return 0;
}

void keyboard_init() {
    sim_main_window = window::find_by_class(kKeyboardWindowClass);
    gauge_module_handle = window::module_handle((host_folder + "\\GAUGES\\orvex1.gau").c_str());
    if (fail(dinput::create(gauge_module_handle, dinput::kVersion, &keyboard_dinput), "DirectInput failed")) {
        keyboard_dinput = 0;
        return;
    }
    if (fail(dinput::create_keyboard(keyboard_dinput, &keyboard_device), "CreateDevice failed") ||
        fail(dinput::set_keyboard_format(keyboard_device), "SetDataFormat failed") ||
        fail(dinput::set_cooperative_level(keyboard_device, sim_main_window, dinput::kNonExclusiveForeground),
             "SetCooperativeLevel failed")) {
        keyboard_release();
        return;
    }
    keyboard_result = dinput::acquire(keyboard_device);
    std::memset(keyboard_prev_state, 0, sizeof keyboard_prev_state);
}

void keyboard_release() {
    if (keyboard_dinput == 0) return;
    if (keyboard_device != 0) {
        dinput::unacquire(keyboard_device);
        dinput::release_device(keyboard_device);
        keyboard_device = 0;
    }
    dinput::release(keyboard_dinput);
    keyboard_dinput = 0;
}

void poll_keyboard() {
    if (keyboard_device == 0) return;
    uint8_t state[dinput::kKeyStateSize];
    dinput::Result r = dinput::get_state(keyboard_device, sizeof state, state);
    if (r == dinput::kInputLost || r == dinput::kNotAcquired) {
        dinput::acquire(keyboard_device);
        r = dinput::get_state(keyboard_device, sizeof state, state);
    }
    if (dinput::failed(r)) return;

    auto pressed = [&](uint32_t scan) {
        return (state[scan] & dinput::kKeyDown) != 0 && (keyboard_prev_state[scan] & dinput::kKeyDown) == 0;
    };
    bool any = false;
    std::string* text = entry_text();
    for (const ScanChar& s : kScanChars)
        if (pressed(s.scan)) {
            if (text != nullptr) text->push_back(s.c);
            any = true;
        }
    if (pressed(kScanBackspace)) {
        if (text != nullptr && !text->empty()) text->pop_back();
        any = true;
    }
    const struct {
        uint32_t scan;
        int* flag;
    } flags[] = {{kScanUp, &mcu_prev_pressed},
                 {kScanDown, &mcu_next_pressed},
                 {kScanPageUp, &mcu_page_up_pressed},
                 {kScanPageDown, &mcu_page_down_pressed}};
    for (const auto& f : flags)
        if (pressed(f.scan)) {
            *f.flag = 1;
            any = true;
        }
    const bool done = pressed(kScanReturn) || pressed(kScanKeypadEnter);
    std::memcpy(keyboard_prev_state, state, sizeof state);
    if (any) mcu_redraw = 1;

    if (done) {
        mcu_enter_pressed = 1;
        mcu_redraw = 1;
        mcu_entry_active = 0;
        set_keyboard_hook(0);
        keyboard_release();
    }
}

int set_keyboard_hook(int install) {
    if (install == 0) {
        if (keyboard_hook == 0) return 0;
        window::remove_hook(keyboard_hook);
        keyboard_hook = 0;
        return 1;
    }
    if (keyboard_hook != 0) return 0;
    sim_main_window = window::find_by_class(kKeyboardWindowClass);
    gauge_module_handle = window::module_handle((host_folder + "\\GAUGES\\orvex1.gau").c_str());
    keyboard_hook =
        window::install_keyboard_hook(&keyboard_hook_proc, gauge_module_handle, window::current_thread_id());
    return keyboard_hook != 0 ? 1 : 0;
}

bool keyboard_swallows() {
    auto down = [](int32_t key) {
        return (static_cast<uint16_t>(window::get_key_state(key)) & window::kKeyStateDown) != 0;
    };
    if (down(window::kVkShift) || down(window::kVkControl) || down(window::kVkMenu)) return false;
    return window::get_key_state('S') != 0 || window::get_key_state('G') != 0 ||
           window::get_key_state('Z') != 0;
}

intptr_t keyboard_hook_proc(int32_t code, uintptr_t wparam, intptr_t lparam) {
    if (code >= 0 && keyboard_swallows()) return 1;
    return window::call_next_hook(keyboard_hook, code, wparam, lparam);
}

void keyboard_entry_off() {
    mcu_entry_active = 0;
    set_keyboard_hook(0);
    keyboard_release();
}

// Keys typed through the system's own input on Windows: the simulator's main
// window is put in front and each key goes in with SendInput, by virtual key
// and scan code, so that the module's DirectInput keyboard (foreground,
// non-exclusive on that window) and its thread keyboard hook read it as they
// read a pilot's key. Messages are pumped until the key has come through.
#include "windows_host.h"

#include <windows.h>

namespace host {

namespace {

struct SystemKeyboard {
    HWND window = nullptr;
    WNDPROC window_proc = nullptr;
    int key_messages = 0; // key messages that reached the window
};

SystemKeyboard& system_keyboard() {
    static SystemKeyboard k;
    return k;
}

// The main window takes its key messages itself: a key the module's hook
// lets pass arrives here, one it swallows does not.
LRESULT CALLBACK main_window_keys(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    SystemKeyboard& k = system_keyboard();
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        if (window == k.window) ++k.key_messages;
        return 0;
    }
    return CallWindowProcA(k.window_proc, window, message, wparam, lparam);
}

void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

bool in_front(HWND window) {
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        SetFocus(window);
        pump_messages();
    }
    return GetForegroundWindow() == window;
}

} // namespace

bool focus_system_window(uintptr_t window) {
    SystemKeyboard& k = system_keyboard();
    HWND w = reinterpret_cast<HWND>(window);
    if (w == nullptr || !IsWindow(w)) return false;
    if (k.window != w) {
        k.window_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&main_window_keys)));
        if (k.window_proc == nullptr) return false;
        k.window = w;
    }
    // Shown (it has no size), so that it can be the window in front.
    ShowWindow(w, SW_SHOW);
    return in_front(w);
}

int32_t send_system_key(uint32_t virtual_key, uint32_t scan_code, int32_t down) {
    SystemKeyboard& k = system_keyboard();
    if (k.window == nullptr || !IsWindow(k.window) || !in_front(k.window)) return -2;
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtual_key);
    // Scan codes from 0x80 are the extended keys (keypad Enter, arrows, pages).
    input.ki.wScan = static_cast<WORD>(scan_code & 0x7F);
    input.ki.dwFlags = (scan_code & 0x80 ? KEYEVENTF_EXTENDEDKEY : 0) | (down != 0 ? 0 : KEYEVENTF_KEYUP);
    k.key_messages = 0;
    if (SendInput(1, &input, sizeof input) != 1) return -2;
    // The thread's key state changes once the message is taken off the queue,
    // whether the hook passes it or not; the system's input hooks (where
    // DirectInput reads) have seen it before it is queued.
    const bool want_down = down != 0;
    for (int wait = 0; wait < 200; ++wait) {
        pump_messages();
        const bool is_down =
            (static_cast<uint16_t>(GetKeyState(static_cast<int>(virtual_key))) & 0x8000) != 0;
        if (is_down == want_down) return k.key_messages > 0 ? 0 : 1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return -2;
}

} // namespace host

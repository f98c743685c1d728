// The Windows half of the window layer: the simulator's own windows and its
// thread's keyboard.
#include "platform/window.h"

#include <windows.h>

namespace {

// The module's hook procedures use the default calling convention; the
// system calls hooks with its own. Each slot has its own trampoline, as the
// system hands a hook nothing that says which slot it is.
constexpr int kMaxHooks = 4;

struct InstalledHook {
    window::KeyboardHookProc proc = nullptr;
    HHOOK hook = nullptr; // nullptr = free slot
};

InstalledHook hooks[kMaxHooks];

template <int Slot> LRESULT CALLBACK trampoline(int code, WPARAM wparam, LPARAM lparam) {
    const InstalledHook& h = hooks[Slot];
    if (h.proc == nullptr) return CallNextHookEx(h.hook, code, wparam, lparam);
    return h.proc(code, wparam, lparam);
}

constexpr HOOKPROC kTrampolines[kMaxHooks] = {&trampoline<0>, &trampoline<1>, &trampoline<2>, &trampoline<3>};

} // namespace

namespace window {

Handle find_by_class(const char* class_name) {
    if (class_name == nullptr) return 0;
    return reinterpret_cast<Handle>(FindWindowExA(nullptr, nullptr, class_name, nullptr));
}

intptr_t send_message(Handle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (window == 0) return 0;
    return SendMessageA(reinterpret_cast<HWND>(window), message, wparam, lparam);
}

HookHandle install_keyboard_hook(KeyboardHookProc proc, ModuleHandle module, uint32_t thread_id) {
    if (proc == nullptr) return 0;
    for (int i = 0; i < kMaxHooks; ++i) {
        if (hooks[i].hook != nullptr) continue;
        // The procedure is in place before the hook can be called.
        hooks[i].proc = proc;
        HHOOK h =
            SetWindowsHookExA(WH_KEYBOARD, kTrampolines[i], reinterpret_cast<HINSTANCE>(module), thread_id);
        if (h == nullptr) {
            hooks[i].proc = nullptr;
            return 0;
        }
        hooks[i].hook = h;
        return reinterpret_cast<HookHandle>(h);
    }
    return 0;
}

bool remove_hook(HookHandle hook) {
    if (hook == 0) return false;
    for (InstalledHook& h : hooks)
        if (reinterpret_cast<HookHandle>(h.hook) == hook) {
            const bool removed = UnhookWindowsHookEx(h.hook) != 0;
            h = InstalledHook{};
            return removed;
        }
    return false;
}

intptr_t call_next_hook(HookHandle hook, int32_t code, uintptr_t wparam, intptr_t lparam) {
    return CallNextHookEx(reinterpret_cast<HHOOK>(hook), code, wparam, lparam);
}

int16_t get_key_state(int32_t virtual_key) {
    return GetKeyState(virtual_key);
}

ModuleHandle module_handle(const char* path) {
    if (path == nullptr) return 0;
    return reinterpret_cast<ModuleHandle>(GetModuleHandleA(path));
}

uint32_t current_thread_id() {
    return GetCurrentThreadId();
}

} // namespace window

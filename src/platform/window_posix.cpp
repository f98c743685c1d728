// The Linux half of the window layer: a small registry of the windows that
// the stand-in plays, and the keyboard it plays (key states and a short
// chain of thread keyboard hooks).
#include "platform/window.h"

#include <cctype>
#include <cstring>
#include <string_view>

namespace {

constexpr int kMaxWindows = 8;
constexpr uintptr_t kFirstHandle = 0x100;

struct RegisteredWindow {
    char class_name[64] = {};
    orvex_window_proc proc = nullptr;
    void* context = nullptr;
    uintptr_t handle = 0; // 0 = free slot
};

RegisteredWindow registry[kMaxWindows];
uintptr_t next_handle = kFirstHandle;
uint32_t fail_mask = 0;

constexpr int kMaxHooks = 4;
constexpr uintptr_t kFirstHook = 0x700;
constexpr window::ModuleHandle kModuleHandle = 0x10000000;
constexpr uint32_t kThreadId = 1;

struct InstalledHook {
    window::KeyboardHookProc proc = nullptr;
    window::HookHandle handle = 0; // 0 = free slot
};

// Innermost first: the hook installed last sees a key first.
InstalledHook hooks[kMaxHooks];
uintptr_t next_hook = kFirstHook;
uint16_t key_states[256] = {};

bool failing(uint32_t what) {
    return (fail_mask & what) != 0;
}

// The chain position of a hook; -1 when it is not installed.
int hook_position(window::HookHandle hook) {
    for (int i = 0; i < kMaxHooks; ++i)
        if (hook != 0 && hooks[i].handle == hook) return i;
    return -1;
}

// Runs the hooks from position `from` on; 0 once the key reached the thread.
intptr_t run_hooks(int from, int32_t code, uintptr_t wparam, intptr_t lparam) {
    for (int i = from; i < kMaxHooks; ++i)
        if (hooks[i].handle != 0) return hooks[i].proc(code, wparam, lparam);
    return 0;
}

RegisteredWindow* find_handle(uintptr_t handle) {
    if (handle == 0) return nullptr;
    for (RegisteredWindow& w : registry)
        if (w.handle == handle) return &w;
    return nullptr;
}

} // namespace

namespace window {

Handle find_by_class(const char* class_name) {
    if (class_name == nullptr || failing(ORVEX_WINDOW_FAIL_FIND)) return 0;
    for (const RegisteredWindow& w : registry)
        if (w.handle != 0 && std::strcmp(w.class_name, class_name) == 0) return w.handle;
    return 0;
}

intptr_t send_message(Handle handle, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    RegisteredWindow* w = find_handle(handle);
    if (w == nullptr || w->proc == nullptr) return 0;
    return w->proc(w->context, message, wparam, lparam);
}

HookHandle install_keyboard_hook(KeyboardHookProc proc, ModuleHandle, uint32_t thread_id) {
    if (proc == nullptr || thread_id != kThreadId || failing(ORVEX_WINDOW_FAIL_HOOK)) return 0;
    if (hooks[kMaxHooks - 1].handle != 0) return 0; // the chain is full
    // The new hook runs first.
    for (int i = kMaxHooks - 1; i > 0; --i)
        hooks[i] = hooks[i - 1];
    hooks[0] = InstalledHook{proc, next_hook++};
    return hooks[0].handle;
}

bool remove_hook(HookHandle hook) {
    const int at = hook_position(hook);
    if (at < 0) return false;
    for (int i = at; i + 1 < kMaxHooks; ++i)
        hooks[i] = hooks[i + 1];
    hooks[kMaxHooks - 1] = InstalledHook{};
    return true;
}

intptr_t call_next_hook(HookHandle hook, int32_t code, uintptr_t wparam, intptr_t lparam) {
    const int at = hook_position(hook);
    return at < 0 ? 0 : run_hooks(at + 1, code, wparam, lparam);
}

int16_t get_key_state(int32_t virtual_key) {
    if (virtual_key < 0 || virtual_key > 255) return 0;
    return static_cast<int16_t>(key_states[virtual_key]);
}

ModuleHandle module_handle(const char* path) {
    if (path == nullptr || failing(ORVEX_WINDOW_FAIL_MODULE_HANDLE)) return 0;
    // The module is loaded from wherever the stand-in took it; its file name
    // is what identifies it.
    std::string_view p(path);
    const std::size_t slash = p.find_last_of("\\/");
    const std::string_view file = slash == std::string_view::npos ? p : p.substr(slash + 1);
    constexpr std::string_view kModuleFile = "orvex1.gau";
    if (file.size() != kModuleFile.size()) return 0;
    for (std::size_t i = 0; i < file.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(file[i])) != kModuleFile[i]) return 0;
    return kModuleHandle;
}

uint32_t current_thread_id() {
    return kThreadId;
}

} // namespace window

uintptr_t orvex_window_register(const char* class_name, orvex_window_proc proc, void* context) {
    if (class_name == nullptr || proc == nullptr || std::strlen(class_name) >= sizeof registry[0].class_name)
        return 0;
    for (RegisteredWindow& w : registry) {
        if (w.handle != 0) continue;
        std::strcpy(w.class_name, class_name);
        w.proc = proc;
        w.context = context;
        w.handle = next_handle++;
        return w.handle;
    }
    return 0;
}

void orvex_window_unregister(uintptr_t handle) {
    RegisteredWindow* w = find_handle(handle);
    if (w != nullptr) *w = RegisteredWindow{};
}

void orvex_window_fail(uint32_t what) {
    fail_mask = what;
}

int32_t orvex_keyboard_event(uint32_t virtual_key, int32_t down) {
    if (virtual_key > 255) return -1;
    uint16_t& state = key_states[virtual_key];
    const bool was_down = (state & window::kKeyStateDown) != 0;
    if (down != 0) {
        if (!was_down) state ^= window::kKeyStateToggled;
        state |= window::kKeyStateDown;
    } else {
        state &= static_cast<uint16_t>(~window::kKeyStateDown);
    }
    if (orvex_keyboard_hooks() == 0) return -1;
    // Repeat count 1; bit 30 the previous state, bit 31 a release.
    uint32_t flags = 1;
    if (was_down) flags |= 1u << 30;
    if (down == 0) flags |= 1u << 31;
    const intptr_t lparam = static_cast<intptr_t>(static_cast<int32_t>(flags));
    return run_hooks(0, 0, virtual_key, lparam) != 0 ? 1 : 0;
}

int32_t orvex_keyboard_hooks() {
    int32_t n = 0;
    for (const InstalledHook& h : hooks)
        n += h.handle != 0 ? 1 : 0;
    return n;
}

void orvex_keyboard_reset() {
    for (InstalledHook& h : hooks)
        h = InstalledHook{};
    std::memset(key_states, 0, sizeof key_states);
    fail_mask = 0;
}

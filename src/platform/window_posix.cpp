// The Linux half of the window layer: a small registry of the windows that
// the stand-in plays.
#include "platform/window.h"

#include <cstring>

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

RegisteredWindow* find_handle(uintptr_t handle) {
    if (handle == 0) return nullptr;
    for (RegisteredWindow& w : registry)
        if (w.handle == handle) return &w;
    return nullptr;
}

} // namespace

namespace window {

Handle find_by_class(const char* class_name) {
    if (class_name == nullptr) return 0;
    for (const RegisteredWindow& w : registry)
        if (w.handle != 0 && std::strcmp(w.class_name, class_name) == 0) return w.handle;
    return 0;
}

intptr_t send_message(Handle handle, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    RegisteredWindow* w = find_handle(handle);
    if (w == nullptr || w->proc == nullptr) return 0;
    return w->proc(w->context, message, wparam, lparam);
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

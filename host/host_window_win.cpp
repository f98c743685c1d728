// Hidden windows of the stand-in on Windows: the module finds them by class
// name with FindWindowExA and speaks to them with SendMessageA, as it does to
// the real add-ons. Messages reach the handler directly, on this thread.
#include "windows_host.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace host {

namespace {

struct HostWindow {
    HWND window = nullptr;
    intptr_t (*proc)(void*, uint32_t, uintptr_t, intptr_t) = nullptr;
    void* context = nullptr;
};

std::vector<std::unique_ptr<HostWindow>>& windows() {
    static std::vector<std::unique_ptr<HostWindow>> list;
    return list;
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host != nullptr && host->proc != nullptr && message >= WM_USER)
        return host->proc(host->context, message, wparam, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_class(const char* class_name) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), class_name, &existing)) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = class_name;
    return RegisterClassA(&wc) != 0;
}

} // namespace

uintptr_t register_host_window(const char* class_name, intptr_t (*proc)(void*, uint32_t, uintptr_t, intptr_t),
                               void* context) {
    if (class_name == nullptr || proc == nullptr || !register_class(class_name)) return 0;
    auto host = std::make_unique<HostWindow>();
    // Top-level and never shown: a message-only window is not found by class.
    host->window = CreateWindowExA(0, class_name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (host->window == nullptr) return 0;
    host->proc = proc;
    host->context = context;
    SetWindowLongPtrA(host->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host.get()));
    const auto handle = reinterpret_cast<uintptr_t>(host->window);
    windows().push_back(std::move(host));
    return handle;
}

void unregister_host_window(uintptr_t window) {
    auto& list = windows();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (reinterpret_cast<uintptr_t>((*it)->window) != window) continue;
        DestroyWindow((*it)->window);
        list.erase(it);
        return;
    }
}

} // namespace host

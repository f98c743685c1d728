// The Windows half of the window layer: the simulator's own windows.
#include "platform/window.h"

#include <windows.h>

namespace window {

Handle find_by_class(const char* class_name) {
    if (class_name == nullptr) return 0;
    return reinterpret_cast<Handle>(FindWindowExA(nullptr, nullptr, class_name, nullptr));
}

intptr_t send_message(Handle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (window == 0) return 0;
    return SendMessageA(reinterpret_cast<HWND>(window), message, wparam, lparam);
}

} // namespace window

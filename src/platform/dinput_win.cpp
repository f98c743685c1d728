// The Windows keyboard device: DirectInput 8's system keyboard. The handles
// are the interface pointers themselves; results pass through unchanged, as
// the failure codes of dinput.h are the platform's own.
#include "platform/dinput.h"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>
#include <windows.h>

namespace {

IDirectInput8A* as_object(dinput::Object object) {
    return reinterpret_cast<IDirectInput8A*>(object);
}

IDirectInputDevice8A* as_device(dinput::Device device) {
    return reinterpret_cast<IDirectInputDevice8A*>(device);
}

} // namespace

namespace dinput {

Result create(uintptr_t module_handle, uint32_t version, Object* object) {
    if (object == nullptr) return kInvalidParam;
    *object = 0;
    if (module_handle == 0) return kInvalidParam;
    void* made = nullptr;
    const HRESULT r = DirectInput8Create(reinterpret_cast<HINSTANCE>(module_handle), version,
                                         IID_IDirectInput8A, &made, nullptr);
    if (SUCCEEDED(r)) *object = reinterpret_cast<Object>(made);
    return r;
}

Result create_keyboard(Object object, Device* device) {
    if (device == nullptr) return kInvalidParam;
    *device = 0;
    if (object == 0) return kInvalidParam;
    IDirectInputDevice8A* made = nullptr;
    const HRESULT r = as_object(object)->CreateDevice(GUID_SysKeyboard, &made, nullptr);
    if (SUCCEEDED(r)) *device = reinterpret_cast<Device>(made);
    return r;
}

Result set_keyboard_format(Device device) {
    if (device == 0) return kInvalidParam;
    return as_device(device)->SetDataFormat(&c_dfDIKeyboard);
}

Result set_cooperative_level(Device device, uintptr_t window, uint32_t flags) {
    if (device == 0 || window == 0) return kInvalidParam;
    return as_device(device)->SetCooperativeLevel(reinterpret_cast<HWND>(window), flags);
}

Result acquire(Device device) {
    if (device == 0) return kInvalidParam;
    return as_device(device)->Acquire();
}

Result unacquire(Device device) {
    if (device == 0) return kInvalidParam;
    return as_device(device)->Unacquire();
}

Result get_state(Device device, uint32_t size, uint8_t* state) {
    if (device == 0 || state == nullptr || size != kKeyStateSize) return kInvalidParam;
    return as_device(device)->GetDeviceState(size, state);
}

uint32_t release_device(Device device) {
    return device == 0 ? 0 : as_device(device)->Release();
}

uint32_t release(Object object) {
    return object == 0 ? 0 : as_object(object)->Release();
}

} // namespace dinput

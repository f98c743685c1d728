// The system keyboard as a device of its own, read as a 256-byte key-state
// block (one byte per scan code, 0x80 while the key is down). The calls and
// result codes follow the platform's input API: a negative result is a
// failure. On Linux the stand-in plays the keyboard through the
// orvex_dinput_* entry points below.
#pragma once

#include <cstdint>

namespace dinput {

using Result = int32_t;
using Object = uintptr_t; // the input object; 0 = none
using Device = uintptr_t; // a device of it; 0 = none

inline constexpr Result kOk = 0;
inline constexpr Result kInvalidParam = static_cast<Result>(0x80070057u);
inline constexpr Result kInputLost = static_cast<Result>(0x8007001Eu);
inline constexpr Result kNotAcquired = static_cast<Result>(0x8007000Cu);
inline constexpr Result kGeneric = static_cast<Result>(0x80004005u);

inline constexpr uint32_t kVersion = 0x0800;
// Cooperative level: shared with other readers, only while in front.
inline constexpr uint32_t kNonExclusiveForeground = 6;
inline constexpr uint32_t kKeyStateSize = 256;
inline constexpr uint8_t kKeyDown = 0x80;

inline bool failed(Result r) {
    return r < 0;
}

// Creates the input object for the module instance (its module handle).
Result create(uintptr_t module_handle, uint32_t version, Object* object);
// The system keyboard of the object.
Result create_keyboard(Object object, Device* device);
// The predefined keyboard format: the 256-byte state.
Result set_keyboard_format(Device device);
Result set_cooperative_level(Device device, uintptr_t window, uint32_t flags);
Result acquire(Device device);
Result unacquire(Device device);
// The key state of `size` bytes; kInputLost once the device lost its
// acquisition (acquire again), kNotAcquired before the first acquire.
Result get_state(Device device, uint32_t size, uint8_t* state);
// Reference counts after the release, as the platform returns them.
uint32_t release_device(Device device);
uint32_t release(Object object);

} // namespace dinput

// The stand-in's side on Linux, by plain C names.
extern "C" {
// Steps that can be made to fail (bits of the mask).
enum : uint32_t {
    ORVEX_DINPUT_FAIL_CREATE = 1,
    ORVEX_DINPUT_FAIL_CREATE_DEVICE = 2,
    ORVEX_DINPUT_FAIL_DATA_FORMAT = 4,
    ORVEX_DINPUT_FAIL_COOPERATIVE_LEVEL = 8,
    ORVEX_DINPUT_FAIL_ACQUIRE = 16,
    ORVEX_DINPUT_FAIL_UNACQUIRE = 32,
};
void orvex_dinput_fail(uint32_t steps);
// A key's byte of the state: down (0x80) or up.
void orvex_dinput_set_key(uint32_t scan_code, int32_t down);
// The device loses its acquisition: reads report input lost until it is
// acquired again.
void orvex_dinput_lose_input();
// 1 while an object, a device and an acquired device exist.
int32_t orvex_dinput_open_count(int32_t* objects, int32_t* devices, int32_t* acquired);
// Back to no keys down, no failures, nothing open.
void orvex_dinput_reset();
}

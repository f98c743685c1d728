// The Linux keyboard device: one key-state block that the stand-in sets, and
// the open objects and devices as handles into a small table.
#include "platform/dinput.h"

#include <cstring>

namespace {

constexpr int kSlots = 4;
constexpr uintptr_t kObjectBase = 0x4900;
constexpr uintptr_t kDeviceBase = 0x4A00;

struct DeviceSlot {
    bool used = false;
    bool formatted = false;
    bool acquired = false;
    bool lost = false;
};

uint8_t key_state[dinput::kKeyStateSize] = {};
bool objects[kSlots] = {};
DeviceSlot devices[kSlots];
uint32_t fail_steps = 0;

bool* object_slot(dinput::Object object) {
    if (object < kObjectBase || object >= kObjectBase + kSlots) return nullptr;
    bool* slot = &objects[object - kObjectBase];
    return *slot ? slot : nullptr;
}

DeviceSlot* device_slot(dinput::Device device) {
    if (device < kDeviceBase || device >= kDeviceBase + kSlots) return nullptr;
    DeviceSlot* slot = &devices[device - kDeviceBase];
    return slot->used ? slot : nullptr;
}

bool failing(uint32_t step) {
    return (fail_steps & step) != 0;
}

} // namespace

namespace dinput {

Result create(uintptr_t module_handle, uint32_t version, Object* object) {
    if (object == nullptr) return kInvalidParam;
    *object = 0;
    if (module_handle == 0 || version != kVersion) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_CREATE)) return kGeneric;
    for (int i = 0; i < kSlots; ++i)
        if (!objects[i]) {
            objects[i] = true;
            *object = kObjectBase + static_cast<uintptr_t>(i);
            return kOk;
        }
    return kGeneric;
}

Result create_keyboard(Object object, Device* device) {
    if (device == nullptr) return kInvalidParam;
    *device = 0;
    if (object_slot(object) == nullptr) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_CREATE_DEVICE)) return kGeneric;
    for (int i = 0; i < kSlots; ++i)
        if (!devices[i].used) {
            devices[i] = DeviceSlot{};
            devices[i].used = true;
            *device = kDeviceBase + static_cast<uintptr_t>(i);
            return kOk;
        }
    return kGeneric;
}

Result set_keyboard_format(Device device) {
    DeviceSlot* d = device_slot(device);
    if (d == nullptr) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_DATA_FORMAT)) return kGeneric;
    d->formatted = true;
    return kOk;
}

Result set_cooperative_level(Device device, uintptr_t window, uint32_t) {
    if (device_slot(device) == nullptr || window == 0) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_COOPERATIVE_LEVEL)) return kGeneric;
    return kOk;
}

Result acquire(Device device) {
    DeviceSlot* d = device_slot(device);
    if (d == nullptr || !d->formatted) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_ACQUIRE)) return kGeneric;
    d->acquired = true;
    d->lost = false;
    return kOk;
}

Result unacquire(Device device) {
    DeviceSlot* d = device_slot(device);
    if (d == nullptr) return kInvalidParam;
    if (failing(ORVEX_DINPUT_FAIL_UNACQUIRE)) return kGeneric;
    d->acquired = false;
    return kOk;
}

Result get_state(Device device, uint32_t size, uint8_t* state) {
    DeviceSlot* d = device_slot(device);
    if (d == nullptr || state == nullptr || size != kKeyStateSize) return kInvalidParam;
    if (d->lost) return kInputLost;
    if (!d->acquired) return kNotAcquired;
    std::memcpy(state, key_state, kKeyStateSize);
    return kOk;
}

uint32_t release_device(Device device) {
    if (DeviceSlot* d = device_slot(device)) *d = DeviceSlot{};
    return 0;
}

uint32_t release(Object object) {
    if (bool* o = object_slot(object)) *o = false;
    return 0;
}

} // namespace dinput

void orvex_dinput_fail(uint32_t steps) {
    fail_steps = steps;
}

void orvex_dinput_set_key(uint32_t scan_code, int32_t down) {
    if (scan_code < dinput::kKeyStateSize) key_state[scan_code] = down != 0 ? dinput::kKeyDown : 0;
}

void orvex_dinput_lose_input() {
    for (DeviceSlot& d : devices)
        if (d.used && d.acquired) {
            d.acquired = false;
            d.lost = true;
        }
}

int32_t orvex_dinput_open_count(int32_t* object_count, int32_t* device_count, int32_t* acquired_count) {
    int32_t o = 0, d = 0, a = 0;
    for (bool used : objects)
        o += used ? 1 : 0;
    for (const DeviceSlot& s : devices) {
        d += s.used ? 1 : 0;
        a += s.used && s.acquired ? 1 : 0;
    }
    if (object_count != nullptr) *object_count = o;
    if (device_count != nullptr) *device_count = d;
    if (acquired_count != nullptr) *acquired_count = a;
    return o > 0 && d > 0 && a > 0 ? 1 : 0;
}

void orvex_dinput_reset() {
    std::memset(key_state, 0, sizeof key_state);
    for (bool& o : objects)
        o = false;
    for (DeviceSlot& d : devices)
        d = DeviceSlot{};
    fail_steps = 0;
}

#include "data_link_peer.h"

#include <cstring>
#include <vector>

namespace host {

namespace {

constexpr uint32_t MESSAGE = 0x482;
constexpr uint32_t LINK_VERSION = 0x19980005;
constexpr uint32_t HOST_VERSION = 0xFADE0009;
constexpr uint32_t VERSION_AREA = 0x3304; // link version, then host version

struct Peer {
    std::vector<uint8_t> space = std::vector<uint8_t>(LINK_SPACE_SIZE, 0);
    WindowServices services;
    uintptr_t window = 0;
    int batches = 0;
    int refused = 0;
    uint16_t library_version = 0;
};

Peer& peer() {
    static Peer p;
    return p;
}

uint32_t get_u32(const uint8_t* at) {
    uint32_t v = 0;
    std::memcpy(&v, at, 4);
    return v;
}

void preset_versions() {
    set_link_u32(0x3304, LINK_VERSION);
    set_link_u32(0x3308, HOST_VERSION);
}

// Checks the whole batch before acting on any of it, as the add-on must not
// half-apply a batch it cannot read.
bool batch_well_formed(const uint8_t* records, uintptr_t bytes) {
    uintptr_t at = 0;
    while (at < bytes) {
        if (bytes - at < 12) return false;
        const uint32_t kind = get_u32(records + at);
        const uint32_t size = get_u32(records + at + 8);
        const uintptr_t header = kind == 1 ? 16 : kind == 2 ? 12 : 0;
        if (header == 0 || bytes - at < header || bytes - at - header < size) return false;
        at += header + size;
    }
    return true;
}

// The version words are the add-on's own and stay as they are; the client's
// library version, written into their upper half, is noted apart.
void take_write(uint32_t offset, const uint8_t* data, uint32_t size) {
    for (uint32_t i = 0; i < size; ++i) {
        const uint64_t at = uint64_t{offset} + i;
        if (at == VERSION_AREA + 6 || at == VERSION_AREA + 7) {
            auto* half = reinterpret_cast<uint8_t*>(&peer().library_version);
            half[at - VERSION_AREA - 6] = data[i];
        } else if (at < LINK_SPACE_SIZE && (at < VERSION_AREA || at >= VERSION_AREA + 8)) {
            peer().space[at] = data[i];
        }
    }
}

} // namespace

uint16_t link_library_version() {
    return peer().library_version;
}

void set_link_bytes(uint32_t offset, const void* data, std::size_t size) {
    auto* bytes = static_cast<const uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i)
        if (offset + i < LINK_SPACE_SIZE) peer().space[offset + i] = bytes[i];
}

void get_link_bytes(uint32_t offset, void* data, std::size_t size) {
    auto* bytes = static_cast<uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = offset + i < LINK_SPACE_SIZE ? peer().space[offset + i] : 0;
}

void set_link_u32(uint32_t offset, uint32_t value) {
    set_link_bytes(offset, &value, 4);
}
uint32_t link_u32(uint32_t offset) {
    uint32_t v = 0;
    get_link_bytes(offset, &v, 4);
    return v;
}
void set_link_f64(uint32_t offset, double value) {
    set_link_bytes(offset, &value, 8);
}
double link_f64(uint32_t offset) {
    double v = 0.0;
    get_link_bytes(offset, &v, 8);
    return v;
}

int link_batches() {
    return peer().batches;
}
int link_refused() {
    return peer().refused;
}

intptr_t data_link_window_proc(void*, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (message != MESSAGE || lparam == 0) return 0;
    uint8_t* records = reinterpret_cast<uint8_t*>(lparam) + 4; // after the sender word
    if (!batch_well_formed(records, wparam)) {
        ++peer().refused;
        return 0;
    }
    uintptr_t at = 0;
    while (at < wparam) {
        const uint32_t kind = get_u32(records + at);
        const uint32_t offset = get_u32(records + at + 4);
        const uint32_t size = get_u32(records + at + 8);
        if (kind == 1) {
            get_link_bytes(offset, records + at + 16, size);
            at += 16 + size;
        } else {
            take_write(offset, records + at + 12, size);
            at += 12 + size;
        }
    }
    ++peer().batches;
    return 1;
}

bool start_data_link(const WindowServices& services) {
    Peer& p = peer();
    if (p.window != 0) return true;
    if (!services.available()) return false;
    preset_versions();
    p.services = services;
    p.window = services.register_window("UIPCMAIN", &data_link_window_proc, nullptr);
    return p.window != 0;
}

void stop_data_link() {
    Peer& p = peer();
    if (p.window != 0 && p.services.available()) p.services.unregister_window(p.window);
    p.window = 0;
}

bool data_link_running() {
    return peer().window != 0;
}

void reset_data_link() {
    Peer& p = peer();
    std::fill(p.space.begin(), p.space.end(), 0);
    p.batches = 0;
    p.refused = 0;
    p.library_version = 0;
    preset_versions();
}

} // namespace host

// The stand-in's side of the data link: the add-on window of class
// "UIPCMAIN" with its offset space. It answers read records from the space
// and takes write records into it; nothing else happens there unless a
// script or test sets values (fuel tanks, payload, the runway handshake
// area). The window is registered through the module's own window registry,
// which a shared-library module exports by name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

struct WindowServices {
    uintptr_t (*register_window)(const char* class_name,
                                 intptr_t (*proc)(void*, uint32_t, uintptr_t, intptr_t),
                                 void* context) = nullptr;
    void (*unregister_window)(uintptr_t window) = nullptr;

    bool available() const { return register_window != nullptr && unregister_window != nullptr; }
};

// The offset space covers 0x0000..0xFFFF; reads beyond it give zeros and
// writes beyond it are dropped.
inline constexpr uint32_t LINK_SPACE_SIZE = 0x10000;

// Registers the window (once) and presets the version words: link version
// 0x19980005 and host version 0xFADE0009. False without window services.
bool start_data_link(const WindowServices& services);
void stop_data_link();
bool data_link_running();
// Offset space back to zeros with the version words, the counters cleared.
void reset_data_link();

void set_link_bytes(uint32_t offset, const void* data, std::size_t size);
void get_link_bytes(uint32_t offset, void* data, std::size_t size);
void set_link_u32(uint32_t offset, uint32_t value);
uint32_t link_u32(uint32_t offset);
void set_link_f64(uint32_t offset, double value);
double link_f64(uint32_t offset);

// The library version the client wrote at 0x330A on its last open (the
// version words themselves are not writable).
uint16_t link_library_version();

// Batches answered, and batches refused as malformed.
int link_batches();
int link_refused();

// The handler itself, for tests that speak to it without a module.
intptr_t data_link_window_proc(void* context, uint32_t message, uintptr_t wparam, intptr_t lparam);

} // namespace host

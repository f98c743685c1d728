// The client of the data-link add-on, the component behind the window of
// class "UIPCMAIN" that serves an offset space of simulator values outside
// the gauge interface. A user opens a connection on a buffer, queues read and
// write records (offset, size), exchanges the whole batch in one window
// message, and closes again in the same call. Every operation returns 1 for
// success or 0, and writes its result code to the caller's result word.
#pragma once

#include <cstdint>

// Result codes.
enum IpcResultCode : uint32_t {
    IPC_OK = 0,
    IPC_ALREADY_OPEN = 1,
    IPC_NO_WINDOW = 2,
    IPC_NO_BUFFER = 6,   // none, or smaller than 32 bytes
    IPC_BAD_VERSION = 7, // the add-on's versions are not acceptable
    IPC_WRONG_HOST = 8,  // the add-on reports another host than requested
    IPC_NOT_OPEN = 9,
    IPC_NOTHING_QUEUED = 10,
    IPC_SEND_FAILED = 13, // the message did not return 1, or the reply was malformed
    IPC_BUFFER_FULL = 15, // the record does not fit
};

// Wire constants shared with the add-on.
inline constexpr const char* kIpcWindowClass = "UIPCMAIN";
inline constexpr uint32_t kIpcMessage = 0x482;
inline constexpr uint32_t kIpcMaxBuffer = 32512;
inline constexpr uint32_t kIpcLinkVersionOffset = 0x3304;
inline constexpr uint32_t kIpcHostVersionOffset = 0x3308;
inline constexpr uint32_t kIpcLibraryVersionOffset = 0x330A;
inline constexpr uint16_t library_version_word = 0x04B0;
inline constexpr uint32_t kIpcMinLinkVersion = 0x19980005;
inline constexpr uint32_t kIpcHostSignature = 0xFADE;

struct IpcLinkState {
    uint32_t link_version = 0;
    uint32_t host_version = 0; // only the low 16 bits after a successful open
    uintptr_t window = 0;      // 0 = no connection
    uint8_t* base = nullptr;   // the caller's buffer; null = no connection
    uint8_t* write_pointer = nullptr;
    uint32_t capacity = 0;
};
extern IpcLinkState ipc_link;

// The buffer and result word every user in the module passes.
extern uint8_t ipc_buffer[1024];
extern uint32_t ipc_result;

// requested_host 0 accepts any host.
int ipc_open(uint32_t requested_host, uint32_t* result, void* buffer, uint32_t size);
// Queues a read whose size bytes are copied to destination after the
// exchange (a null destination is exchanged but not copied).
int ipc_read(uint32_t offset, uint32_t size, void* destination, uint32_t* result);
// The same with the data area filled from the destination's bytes.
int ipc_read_prefilled(uint32_t offset, uint32_t size, void* destination, uint32_t* result);
// Queues a write of a copy of the source bytes; nothing is sent yet.
int ipc_write(uint32_t offset, uint32_t size, const void* source, uint32_t* result);
// Sends the queued records in one message and copies the read results. The
// queue is spent whatever the outcome.
int ipc_process(uint32_t* result);
void ipc_close();

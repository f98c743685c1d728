#include "sim/data_link.h"

#include "platform/window.h"

#include <cstring>

IpcLinkState ipc_link;
uint8_t ipc_buffer[1024];
uint32_t ipc_result = 0;

namespace {

constexpr uint32_t kRead = 1;
constexpr uint32_t kWrite = 2;
constexpr uint32_t kReadHeader = 16;
constexpr uint32_t kWriteHeader = 12;

// What was queued, kept on our side: the reply is checked against it and the
// results are copied to these destinations, never to addresses read back
// from the buffer. The smallest record is a write of 0 bytes (12 bytes).
struct QueuedRecord {
    uint32_t at = 0; // from the buffer start
    uint32_t kind = 0;
    uint32_t size = 0;
    void* destination = nullptr;
};
constexpr int kMaxRecords = kIpcMaxBuffer / kWriteHeader + 1;
QueuedRecord queued[kMaxRecords];
int queued_count = 0;

int fail(uint32_t* result, uint32_t code) {
    if (result != nullptr) *result = code;
    return 0;
}

int succeed(uint32_t* result) {
    if (result != nullptr) *result = IPC_OK;
    return 1;
}

void put_u32(uint8_t* at, uint32_t value) {
    std::memcpy(at, &value, 4);
}

uint32_t get_u32(const uint8_t* at) {
    uint32_t value = 0;
    std::memcpy(&value, at, 4);
    return value;
}

// The 32-bit form in which an address crosses the wire: the address itself on
// the 32-bit build. The add-on only passes it through.
uint32_t wire_word(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

uint32_t used_bytes() {
    return static_cast<uint32_t>(ipc_link.write_pointer - ipc_link.base);
}

void reset_queue() {
    ipc_link.write_pointer = ipc_link.base + 4;
    queued_count = 0;
}

int queue_record(uint32_t kind, uint32_t offset, uint32_t size, const void* data, void* destination,
                 uint32_t* result) {
    if (ipc_link.base == nullptr) return fail(result, IPC_NOT_OPEN);
    // 64-bit sums: a size near 2^32 must not wrap past the test.
    const uint64_t reserve = kind == kRead ? 24 : 20;
    if (uint64_t{used_bytes()} + size + reserve > ipc_link.capacity || queued_count >= kMaxRecords)
        return fail(result, IPC_BUFFER_FULL);

    uint8_t* at = ipc_link.write_pointer;
    put_u32(at, kind);
    put_u32(at + 4, offset);
    put_u32(at + 8, size);
    uint8_t* area = at + kWriteHeader;
    if (kind == kRead) {
        put_u32(at + 12, wire_word(destination));
        area = at + kReadHeader;
    }
    if (size > 0) {
        if (data != nullptr)
            std::memcpy(area, data, size);
        else
            std::memset(area, 0, size);
    }
    queued[queued_count++] = QueuedRecord{used_bytes(), kind, size, destination};
    ipc_link.write_pointer = area + size;
    return succeed(result);
}

// The records as the add-on left them must be the ones queued: same kind and
// size at the same place. A record whose kind reads 0 ends the batch (the
// records before it stand). Returns the number of records to take, or -1 for
// a malformed reply.
int checked_reply_records() {
    for (int i = 0; i < queued_count; ++i) {
        const uint8_t* at = ipc_link.base + queued[i].at;
        const uint32_t kind = get_u32(at);
        if (kind == 0) return i;
        if (kind != queued[i].kind || get_u32(at + 8) != queued[i].size) return -1;
    }
    return queued_count;
}

void handshake_failed() {
    ipc_close();
}

} // namespace

int ipc_open(uint32_t requested_host, uint32_t* result, void* buffer, uint32_t size) {
    if (ipc_link.base != nullptr) return fail(result, IPC_ALREADY_OPEN);
    if (buffer == nullptr || size < 32) return fail(result, IPC_NO_BUFFER);
    ipc_link.link_version = 0;
    ipc_link.host_version = 0;
    const window::Handle w = window::find_by_class(kIpcWindowClass);
    if (w == 0) return fail(result, IPC_NO_WINDOW);

    ipc_link.window = w;
    ipc_link.capacity = size < kIpcMaxBuffer ? size : kIpcMaxBuffer;
    ipc_link.base = static_cast<uint8_t*>(buffer);
    reset_queue();

    uint32_t code = IPC_OK;
    const uint16_t library_version = library_version_word;
    if (!ipc_read(kIpcLinkVersionOffset, 4, &ipc_link.link_version, &code) ||
        !ipc_read(kIpcHostVersionOffset, 4, &ipc_link.host_version, &code) ||
        !ipc_write(kIpcLibraryVersionOffset, 2, &library_version, &code) || !ipc_process(&code)) {
        handshake_failed();
        return fail(result, code);
    }
    if (ipc_link.link_version < kIpcMinLinkVersion || (ipc_link.host_version >> 16) != kIpcHostSignature) {
        handshake_failed();
        return fail(result, IPC_BAD_VERSION);
    }
    ipc_link.host_version &= 0xFFFF;
    if (requested_host != 0 && requested_host != ipc_link.host_version) {
        handshake_failed();
        return fail(result, IPC_WRONG_HOST);
    }
    return succeed(result);
}

int ipc_read(uint32_t offset, uint32_t size, void* destination, uint32_t* result) {
    return queue_record(kRead, offset, size, nullptr, destination, result);
}

int ipc_read_prefilled(uint32_t offset, uint32_t size, void* destination, uint32_t* result) {
    return queue_record(kRead, offset, size, destination, destination, result);
}

int ipc_write(uint32_t offset, uint32_t size, const void* source, uint32_t* result) {
    return queue_record(kWrite, offset, size, source, nullptr, result);
}

int ipc_process(uint32_t* result) {
    if (ipc_link.base == nullptr) return fail(result, IPC_NOT_OPEN);
    if (queued_count == 0) return fail(result, IPC_NOTHING_QUEUED);

    const uint32_t record_bytes = used_bytes() - 4;
    put_u32(ipc_link.write_pointer, 0); // the capacity test kept room for it
    put_u32(ipc_link.base, wire_word(reinterpret_cast<const void*>(&ipc_process)));
    const intptr_t answer = window::send_message(ipc_link.window, kIpcMessage, record_bytes,
                                                 reinterpret_cast<intptr_t>(ipc_link.base));

    const int taken = answer == 1 ? checked_reply_records() : -1;
    if (taken < 0) {
        reset_queue();
        return fail(result, IPC_SEND_FAILED);
    }
    for (int i = 0; i < taken; ++i) {
        const QueuedRecord& r = queued[i];
        if (r.kind == kRead && r.destination != nullptr && r.size > 0)
            std::memcpy(r.destination, ipc_link.base + r.at + kReadHeader, r.size);
    }
    reset_queue();
    return succeed(result);
}

void ipc_close() {
    ipc_link.window = 0;
    ipc_link.base = nullptr;
    ipc_link.write_pointer = nullptr;
    queued_count = 0;
}

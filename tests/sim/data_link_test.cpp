// The data-link client against the stand-in's add-on window: the opening
// handshake, batches of reads and writes, the capacity and state failures,
// and replies that do not match what was sent.
#include "data_link_peer.h"

#include "platform/window.h"
#include "sim/data_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const host::WindowServices kRegistry{&orvex_window_register, &orvex_window_unregister};

class DataLink : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_data_link();
        ASSERT_TRUE(host::start_data_link(kRegistry));
    }
    void TearDown() override {
        ipc_close();
        host::stop_data_link();
    }
};

TEST_F(DataLink, ReadsAndWritesRoundTripInOneBatch) {
    host::set_link_u32(0x3BFC, 140000 * 256);
    host::set_link_f64(0x1400 + 48 * 2, 187.5);
    host::set_link_u32(0xD00C, 0x01190219);

    uint32_t result = 99;
    ASSERT_EQ(ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer), 1);
    EXPECT_EQ(result, IPC_OK);
    EXPECT_EQ(ipc_link.link_version, 0x19980005u);
    EXPECT_EQ(ipc_link.host_version, 9u); // the signature half is cleared
    EXPECT_EQ(host::link_u32(0x3308) >> 16, 0xFADEu);
    EXPECT_EQ(host::link_library_version(), 0x04B0);

    const int32_t tank = 8388608;
    const char ident[4] = {'E', 'D', 'D', 'F'};
    int32_t zero_fuel = 0;
    double station = 0.0;
    uint32_t runways = 0;
    ASSERT_EQ(ipc_write(0x0B74, 4, &tank, &result), 1);
    ASSERT_EQ(ipc_write(0xD004, 4, ident, &result), 1);
    ASSERT_EQ(ipc_read(0x3BFC, 4, &zero_fuel, &result), 1);
    ASSERT_EQ(ipc_read(0x1400 + 48 * 2, 8, &station, &result), 1);
    ASSERT_EQ(ipc_read(0xD00C, 4, nullptr, &result), 1); // exchanged, not copied
    ASSERT_EQ(ipc_read_prefilled(0xD00C, 4, &runways, &result), 1);
    const int batches = host::link_batches();
    ASSERT_EQ(ipc_process(&result), 1);
    EXPECT_EQ(result, IPC_OK);
    EXPECT_EQ(host::link_batches(), batches + 1);

    EXPECT_EQ(static_cast<int32_t>(host::link_u32(0x0B74)), tank);
    EXPECT_EQ(host::link_u32(0xD004), 0x46444445u); // "EDDF" little-endian
    EXPECT_EQ(zero_fuel, 140000 * 256);
    EXPECT_EQ(station, 187.5);
    EXPECT_EQ(runways, 0x01190219u);

    // One connection at a time; after closing, nothing can be queued.
    EXPECT_EQ(ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer), 0);
    EXPECT_EQ(result, IPC_ALREADY_OPEN);
    ipc_close();
    EXPECT_EQ(ipc_read(0x3BFC, 4, &zero_fuel, &result), 0);
    EXPECT_EQ(result, IPC_NOT_OPEN);
    EXPECT_EQ(ipc_process(&result), 0);
    EXPECT_EQ(result, IPC_NOT_OPEN);
}

TEST_F(DataLink, OpenChecksBufferWindowVersionsAndHost) {
    std::vector<uint8_t> big(40000);
    struct Row {
        uint32_t requested_host;
        uint32_t size;
        uint32_t link_version;
        uint32_t host_version;
        uint32_t code;
    };
    const Row rows[] = {
        {0, 31, 0x19980005, 0xFADE0009, IPC_NO_BUFFER},
        {0, 32, 0x19980005, 0xFADE0009, IPC_BUFFER_FULL}, // the opening records do not fit
        {0, 65, 0x19980005, 0xFADE0009, IPC_BUFFER_FULL},
        {0, 66, 0x19980005, 0xFADE0009, IPC_OK},
        {0, 1024, 0x19980004, 0xFADE0009, IPC_BAD_VERSION},
        {0, 1024, 0x19980005, 0xFADF0009, IPC_BAD_VERSION},
        {9, 1024, 0x19980005, 0xFADE0009, IPC_OK},
        {8, 1024, 0x19980005, 0xFADE0009, IPC_WRONG_HOST},
        {0, 40000, 0x19980005, 0xFADE0009, IPC_OK},
    };
    for (const Row& r : rows) {
        host::set_link_u32(0x3304, r.link_version);
        host::set_link_u32(0x3308, r.host_version);
        uint32_t result = 99;
        EXPECT_EQ(ipc_open(r.requested_host, &result, big.data(), r.size), r.code == IPC_OK ? 1 : 0)
            << r.size;
        EXPECT_EQ(result, r.code) << r.size << " " << std::hex << r.link_version << " " << r.host_version;
        EXPECT_EQ(ipc_link.base != nullptr, r.code == IPC_OK); // a failed open leaves no connection
        if (r.code == IPC_OK) {
            EXPECT_EQ(ipc_link.capacity, r.size < 32512 ? r.size : 32512u);
        }
        ipc_close();
    }
    uint32_t result = 99;
    EXPECT_EQ(ipc_open(0, &result, nullptr, 1024), 0);
    EXPECT_EQ(result, IPC_NO_BUFFER);

    host::stop_data_link();
    EXPECT_EQ(ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer), 0);
    EXPECT_EQ(result, IPC_NO_WINDOW);
}

TEST_F(DataLink, QueueingStopsAtTheBufferAndAnEmptyBatchSendsNothing) {
    uint32_t result = 99;
    ASSERT_EQ(ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer), 1);
    std::vector<uint8_t> data(1000);
    EXPECT_EQ(ipc_read(0, 1000, data.data(), &result), 0); // 4 + 1000 + 24 > 1024
    EXPECT_EQ(result, IPC_BUFFER_FULL);
    EXPECT_EQ(ipc_read(0, 0xFFFFFFF0u, data.data(), &result), 0); // no wrap-around past the test
    EXPECT_EQ(result, IPC_BUFFER_FULL);
    EXPECT_EQ(ipc_read(0, 996, data.data(), &result), 1);
    EXPECT_EQ(ipc_write(0, 1, data.data(), &result), 0); // nothing more fits
    EXPECT_EQ(result, IPC_BUFFER_FULL);
    ASSERT_EQ(ipc_process(&result), 1);

    const int batches = host::link_batches();
    EXPECT_EQ(ipc_process(&result), 0);
    EXPECT_EQ(result, IPC_NOTHING_QUEUED);
    EXPECT_EQ(host::link_batches(), batches);
}

// An add-on that answers the handshake properly and then breaks its replies
// in the way the test chooses.
enum class Breakage { None, RefuseMessage, GrowSize, ChangeKind, EndEarly };
Breakage breakage = Breakage::None;

intptr_t breaking_proc(void* context, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    const intptr_t answer = host::data_link_window_proc(context, message, wparam, lparam);
    auto* records = reinterpret_cast<uint8_t*>(lparam) + 4;
    const uint32_t huge = 0x7FFFFFF0;
    const uint32_t kind7 = 7;
    const uint32_t zero = 0;
    switch (breakage) {
    case Breakage::None:
        return answer;
    case Breakage::RefuseMessage:
        return 0;
    case Breakage::GrowSize: // the first record claims far more data than the buffer holds
        std::memcpy(records + 8, &huge, 4);
        return answer;
    case Breakage::ChangeKind:
        std::memcpy(records + 16 + 4, &kind7, 4); // the second record, after a 4-byte read
        return answer;
    case Breakage::EndEarly: // the second record reads as the end of the batch
        std::memcpy(records + 16 + 4, &zero, 4);
        return answer;
    }
    return answer;
}

TEST_F(DataLink, RepliesThatDoNotMatchTheBatchAreRejected) {
    host::stop_data_link();
    const uintptr_t w = orvex_window_register("UIPCMAIN", &breaking_proc, nullptr);
    ASSERT_NE(w, 0u);
    host::set_link_u32(0x3BFC, 111);
    host::set_link_u32(0x13FC, 222);

    struct Row {
        Breakage breakage;
        int ok;
        uint32_t code;
        int32_t first, second; // destinations after the exchange, both preset to -1
    };
    const Row rows[] = {
        {Breakage::None, 1, IPC_OK, 111, 222},
        {Breakage::RefuseMessage, 0, IPC_SEND_FAILED, -1, -1},
        {Breakage::GrowSize, 0, IPC_SEND_FAILED, -1, -1},
        {Breakage::ChangeKind, 0, IPC_SEND_FAILED, -1, -1},
        {Breakage::EndEarly, 1, IPC_OK, 111, -1},
    };
    for (const Row& r : rows) {
        breakage = Breakage::None;
        uint32_t result = 99;
        ASSERT_EQ(ipc_open(0, &result, ipc_buffer, sizeof ipc_buffer), 1);
        breakage = r.breakage;
        int32_t first = -1;
        int32_t second = -1;
        ASSERT_EQ(ipc_read(0x3BFC, 4, &first, &result), 1);
        ASSERT_EQ(ipc_read(0x13FC, 4, &second, &result), 1);
        EXPECT_EQ(ipc_process(&result), r.ok) << static_cast<int>(r.breakage);
        EXPECT_EQ(result, r.code) << static_cast<int>(r.breakage);
        EXPECT_EQ(first, r.first) << static_cast<int>(r.breakage);
        EXPECT_EQ(second, r.second) << static_cast<int>(r.breakage);
        // The queue is spent either way; the connection stays open.
        EXPECT_EQ(ipc_process(&result), 0);
        EXPECT_EQ(result, IPC_NOTHING_QUEUED);
        ipc_close();
    }
    orvex_window_unregister(w);
}

} // namespace

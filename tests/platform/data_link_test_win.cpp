// The data link between the module's client and the stand-in's add-on window,
// through real windows: FindWindowExA finds the hidden "UIPCMAIN" window and
// SendMessageA carries the records.
#include "data_link_peer.h"
#include "windows_host.h"

#include "sim/data_link.h"

#include <gtest/gtest.h>

namespace {

host::WindowServices real_windows() {
    host::WindowServices services;
    services.register_window = &host::register_host_window;
    services.unregister_window = &host::unregister_host_window;
    return services;
}

} // namespace

TEST(DataLinkWindows, opensAgainstTheHiddenWindowAndExchangesRecords) {
    uint8_t buffer[1024] = {};
    uint32_t result = 99;
    EXPECT_EQ(ipc_open(0, &result, buffer, sizeof buffer), 0); // no window yet
    EXPECT_NE(result, 0u);

    ASSERT_TRUE(host::start_data_link(real_windows()));
    ASSERT_EQ(ipc_open(0, &result, buffer, sizeof buffer), 1);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(ipc_link.link_version, kIpcMinLinkVersion);
    EXPECT_EQ(ipc_link.host_version, 9u); // 0xFADE0009, signature checked and dropped
    EXPECT_EQ(host::link_library_version(), library_version_word);

    host::set_link_f64(0x0B7C, 1234.5);
    const uint32_t word = 0x01020304;
    double read_back = 0.0;
    ASSERT_EQ(ipc_write(0x4000, 4, &word, &result), 1);
    ASSERT_EQ(ipc_read(0x0B7C, 8, &read_back, &result), 1);
    ASSERT_EQ(ipc_process(&result), 1);
    EXPECT_EQ(read_back, 1234.5);
    EXPECT_EQ(host::link_u32(0x4000), word);
    ipc_close();

    host::stop_data_link();
    EXPECT_EQ(ipc_open(0, &result, buffer, sizeof buffer), 0); // the window is gone
}

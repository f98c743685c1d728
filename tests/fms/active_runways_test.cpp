// The runways in use, asked through the data link from the stand-in's
// add-on window.
#include "data_link_peer.h"

#include "fms/procedures/active_runways.h"
#include "fms/units/mcu_page_state.h"
#include "platform/window.h"
#include "sim/data_link.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ActiveRunways, AnsweredRunwaysBecomeTextsAndAnUnansweredQueryStopsAfter30Polls) {
    ASSERT_TRUE(host::start_data_link({&orvex_window_register, &orvex_window_unregister}));
    struct Row {
        uint8_t answer[8]; // number and designator code of runways 1 to 4
        const char* texts[4];
        int page_count;
    };
    const Row rows[] = {
        {{9, 2, 27, 1, 0, 0, 0, 0}, {"09R\n", "27L\n", "", ""}, 2},
        {{9, 0, 27, 0, 0, 0, 0, 0}, {"09\n", "27\n", "", ""}, 2},
        {{16, 3, 0, 0, 34, 4, 5, 9}, {"16C\n", "", "34W\n", "05\n"}, 2},
        {{0, 2, 27, 1, 0, 0, 0, 0}, {"", "", "", ""}, 1}, // runway 1 missing: no answer
    };
    for (const Row& r : rows) {
        host::reset_data_link();
        host::set_link_bytes(0xD00C, r.answer, 8);
        active_runway_2 = "stale";
        query_active_runways_ipc("LSZHX");
        EXPECT_EQ(active_runway_1, r.texts[0]);
        EXPECT_EQ(active_runway_2, r.texts[1]);
        EXPECT_EQ(active_runway_3, r.texts[2]);
        EXPECT_EQ(active_runway_4, r.texts[3]);
        EXPECT_EQ(mcu_apt_page_count, r.page_count);
        char ident[5] = {};
        host::get_link_bytes(0xD004, ident, 4);
        EXPECT_STREQ(ident, "LSZH");           // the first four characters
        EXPECT_EQ(host::link_u32(0xD000), 0u); // the request ended
        EXPECT_EQ(ipc_link.base, nullptr);     // and the link closed
        // Handshake, request, the polls, the end.
        EXPECT_EQ(host::link_batches(), r.page_count == 2 ? 4 : 1 + 1 + 30 + 1);
    }
    host::stop_data_link();
    query_active_runways_ipc("LSZH"); // no add-on: nothing
    EXPECT_EQ(active_runway_1, "");
    EXPECT_EQ(mcu_apt_page_count, 1);
}

} // namespace

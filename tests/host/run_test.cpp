// The service sequence the stand-in drives, per instance and across a panel.
#include "fake_module.h"
#include "sim_state.h"
#include "simulator.h"

#include <gtest/gtest.h>

namespace {

class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        sim.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1");
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(host::parse_panel_text("p.cfg",
                                           "[Window00]\n"
                                           "gauge00=orvex1!DISPLAY, 0, 0, 100, 80, VC\n"
                                           "gauge01=orvex1!SPOT_OPEN, 0, 0\n"
                                           "gauge02=orvex1!SERVER, 0, 0\n"
                                           "gauge03=orvex1!DISPLAY, 0, 0, 100, 80, B737\n",
                                           panel, error))
            << error;
        ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    }

    // The service codes that one instance's callback got, in order.
    std::vector<int32_t> codes_of(const host::PlacedGauge& g) {
        std::vector<int32_t> codes;
        for (const auto& c : fake::callback_calls)
            if (c.gauge == &g.header) codes.push_back(c.service);
        return codes;
    }

    host::Simulator sim;
};

TEST_F(Run, EveryInstanceGetsTheServiceCodesInTheSimulatorsOrder) {
    host::start_gauges(sim);
    host::run_frame(sim);
    host::run_frame(sim);
    host::stop_gauges(sim);

    const std::vector<int32_t> expected = {2, 3, 4, 5, 14, 6, 10, 6, 10, 15};
    EXPECT_EQ(codes_of(*sim.gauges[0]), expected);
    EXPECT_EQ(codes_of(*sim.gauges[2]), expected);
    EXPECT_EQ(codes_of(*sim.gauges[3]), expected);
    EXPECT_EQ(sim.frame, 2);
    EXPECT_EQ(fake::init_calls, 1);
    EXPECT_EQ(fake::deinit_calls, 1);

    // Each code reaches every instance before the next code starts.
    ASSERT_EQ(fake::callback_calls.size(), 3 * expected.size());
    for (std::size_t i = 0; i < fake::callback_calls.size(); i += 3) {
        EXPECT_EQ(fake::callback_calls[i].service, fake::callback_calls[i + 2].service);
        EXPECT_EQ(fake::callback_calls[i].gauge, &sim.gauges[0]->header);
        EXPECT_EQ(fake::callback_calls[i + 1].gauge, &sim.gauges[2]->header);
        EXPECT_EQ(fake::callback_calls[i + 2].gauge, &sim.gauges[3]->header);
    }
}

TEST_F(Run, CallbacksSeeTheirOwnInstancesParameters) {
    host::start_gauges(sim);
    ASSERT_EQ(fake::callback_calls.size(), 15u);
    for (const auto& c : fake::callback_calls) {
        std::string expected = c.gauge == &sim.gauges[0]->header   ? "VC"
                               : c.gauge == &sim.gauges[3]->header ? "B737"
                                                                   : "";
        EXPECT_EQ(c.parameters, expected);
    }
    host::stop_gauges(sim);
}

TEST_F(Run, StartAndStopHappenOnce) {
    host::start_gauges(sim);
    host::start_gauges(sim);
    host::stop_gauges(sim);
    host::stop_gauges(sim);
    EXPECT_EQ(fake::init_calls, 1);
    EXPECT_EQ(fake::deinit_calls, 1);
    EXPECT_EQ(fake::callback_calls.size(), 3u * 6u); // 2, 3, 4, 5, 14 and 15 for three instances
}

TEST_F(Run, ServerRegistrationsLiveFromConnectToDisconnect) {
    host::start_gauges(sim);
    const host::ModuleVar* published = host::find_module_var("fake_published");
    ASSERT_NE(published, nullptr);
    EXPECT_EQ(published->storage, &fake::server_published);
    EXPECT_EQ(host::get_named_var(host::find_named_var("fake_active")), 1.0);

    // A request written by another panel is answered on the next update,
    // and the key event it sends reaches the handler the gauge registered.
    host::set_named_var("fake_request", 270.0);
    host::run_frame(sim);
    EXPECT_EQ(host::get_named_var(host::find_named_var("fake_request")), 0.0);
    ASSERT_EQ(fake::key_calls.size(), 1u);
    EXPECT_EQ(fake::key_calls[0].id, 0x101FAu);
    EXPECT_EQ(fake::key_calls[0].parameter, 270u);

    host::stop_gauges(sim);
    EXPECT_EQ(host::find_module_var("fake_published"), nullptr);
    EXPECT_TRUE(host::sim_state().key_handlers.empty());
    host::send_key_event(0x10337, 0);
    EXPECT_EQ(fake::key_calls.size(), 1u);
}

} // namespace

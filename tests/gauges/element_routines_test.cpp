#include "gauge_walk.h"
#include "gauges/linkage.h"
#include "sim/recording_services.h"

#include <gtest/gtest.h>

namespace {

using Sim = RecordingServices<1>;

void run_all_routines(const GaugeHeader* h, void* resource, uint32_t phase) {
    h->query();
    h->install(resource);
    h->initialize();
    h->update();
    h->generate(phase);
    h->draw();
    h->kill();
}

TEST(ElementRoutines, EveryHeaderActsOnTheMcuBezel) {
    Sim::reset();
    PanelServices table = Sim::table();
    ImportTable.panels = &table;

    ElementHeader* mcu_bezel = first_element(Linkage.gauge_table[0]);
    ASSERT_EQ(mcu_bezel->resource_id, 260u);
    int resource = 0;
    const std::vector<GaugeHeader*> headers = all_headers();
    for (size_t i = 0; i < headers.size(); ++i) {
        SCOPED_TRACE(headers[i]->name);
        Sim::calls.clear();
        const auto phase = static_cast<uint32_t>(i + 1);
        run_all_routines(headers[i], &resource, phase);

        ASSERT_EQ(Sim::calls.size(), 7u);
        const int slots[] = {24, 25, 26, 27, 28, 29, 31}; // never 30, the erase service
        for (size_t k = 0; k < 7; ++k) {
            EXPECT_EQ(Sim::calls[k].slot, slots[k]);
            EXPECT_EQ(Sim::calls[k].ptrs.at(0), mcu_bezel);
        }
        EXPECT_EQ(Sim::calls[1].ptrs.at(1), &resource);
        EXPECT_EQ(Sim::calls[4].nums, std::vector<int64_t>{phase});
    }
    ImportTable.panels = nullptr;
}

TEST(ElementRoutines, TheElementIsLookedUpInLinkageOnEveryCall) {
    Sim::reset();
    PanelServices table = Sim::table();
    ImportTable.panels = &table;

    GaugeHeader* const mcu = Linkage.gauge_table[0];
    Linkage.gauge_table[0] = &debug_gauge;
    lnav_gauge.draw();
    Linkage.gauge_table[0] = mcu;
    lnav_gauge.draw();
    ImportTable.panels = nullptr;

    ASSERT_EQ(Sim::calls.size(), 2u);
    EXPECT_EQ(Sim::calls[0].ptrs.at(0), first_element(&debug_gauge));
    EXPECT_EQ(Sim::calls[1].ptrs.at(0), first_element(mcu));
}

TEST(ElementRoutines, WithoutASimulatorTheRoutinesDoNothing) {
    Sim::reset();
    ImportTable.panels = nullptr;
    run_all_routines(&server_gauge, nullptr, 1);
    EXPECT_TRUE(Sim::calls.empty());
}

} // namespace

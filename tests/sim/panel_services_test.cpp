#include "sim/panel_services.h"

#include "gauges/linkage.h"
#include "sim/recording_services.h"

#include <gtest/gtest.h>

namespace {

using First = RecordingServices<1>;
using Second = RecordingServices<2>;

void ORVEX_FSAPI some_key_handler(uint32_t, uint32_t, void*) {}

// Undoes the installation so a test cannot leak a dangling table.
struct InstalledTable {
    PanelServices table;
    explicit InstalledTable(const PanelServices& t) : table(t) { ImportTable.panels = &table; }
    ~InstalledTable() { ImportTable.panels = nullptr; }
};

TEST(PanelServices, ElementServicesPassTheirArgumentsToTheirSlots) {
    First::reset();
    InstalledTable installed(First::table());
    ElementHeader element{};
    int resource = 0;

    ps_elements_query(&element);
    ps_elements_install(&element, &resource);
    ps_elements_initialize(&element);
    ps_elements_update(&element);
    ps_elements_generate(&element, 7);
    ps_elements_plot(&element);
    ps_elements_kill(&element);

    ASSERT_EQ(First::calls.size(), 7u);
    const int slots[] = {24, 25, 26, 27, 28, 29, 31};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(First::calls[i].slot, slots[i]);
        EXPECT_EQ(First::calls[i].ptrs.at(0), &element);
    }
    EXPECT_EQ(First::calls[1].ptrs.at(1), &resource);
    EXPECT_EQ(First::calls[4].nums, std::vector<int64_t>{7});
}

TEST(PanelServices, WindowKeyAndVariableServicesPassArgumentsAndReturnResults) {
    First::reset();
    InstalledTable installed(First::table());

    First::int_result = 4321;
    EXPECT_EQ(ps_window_visible(4008), 4321);
    EXPECT_EQ(ps_window_toggle(4025), 4321);
    EXPECT_EQ(ps_find_named_var("orvex_lnav"), 4321);
    EXPECT_EQ(ps_register_named_var("MFDX1 mode"), 4321);
    EXPECT_EQ(ps_units_by_name("percent"), 4321);

    First::real_result = -12.5;
    EXPECT_EQ(ps_get_named_var(17), -12.5);
    EXPECT_EQ(ps_read_aircraft_var(0x2A, 9, 0), -12.5);

    ps_send_key_event(0x101F4, 0xFFFFFE0C);
    ps_set_named_var(17, 3.25);
    int32_t storage = 0;
    ps_register_module_var(&storage, 0x27, "orvex_active");
    ps_unregister_module_var("orvex_active");
    ps_add_key_handler(some_key_handler, 0);
    ps_remove_key_handler(some_key_handler, 0);

    const auto& c = First::calls;
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].slot, 11);
    EXPECT_EQ(c[0].nums, std::vector<int64_t>{4008});
    EXPECT_EQ(c[1].slot, 35);
    EXPECT_EQ(c[1].nums, std::vector<int64_t>{4025});
    EXPECT_EQ(c[2].slot, 51);
    EXPECT_EQ(c[2].text, "orvex_lnav");
    EXPECT_EQ(c[3].slot, 52);
    EXPECT_EQ(c[3].text, "MFDX1 mode");
    EXPECT_EQ(c[4].slot, 73);
    EXPECT_EQ(c[4].text, "percent");
    EXPECT_EQ(c[5].slot, 53);
    EXPECT_EQ(c[5].nums, std::vector<int64_t>{17});
    EXPECT_EQ(c[6].slot, 75);
    EXPECT_EQ(c[6].nums, (std::vector<int64_t>{0x2A, 9, 0}));
    EXPECT_EQ(c[7].slot, 36);
    EXPECT_EQ(c[7].nums, (std::vector<int64_t>{0x101F4, 0xFFFFFE0C}));
    EXPECT_EQ(c[8].slot, 55);
    EXPECT_EQ(c[8].nums, std::vector<int64_t>{17});
    EXPECT_EQ(c[8].real, 3.25);
    EXPECT_EQ(c[9].slot, 37);
    EXPECT_EQ(c[9].ptrs.at(0), &storage);
    EXPECT_EQ(c[9].nums, std::vector<int64_t>{0x27});
    EXPECT_EQ(c[9].text, "orvex_active");
    EXPECT_EQ(c[10].slot, 41);
    EXPECT_EQ(c[10].text, "orvex_active");
    EXPECT_EQ(c[11].slot, 80);
    EXPECT_EQ(c[11].ptrs.at(0), reinterpret_cast<const void*>(&some_key_handler));
    EXPECT_EQ(c[12].slot, 81);
    EXPECT_EQ(c[12].ptrs.at(0), reinterpret_cast<const void*>(&some_key_handler));
}

TEST(PanelServices, RecordServicesFillTheCallersRecords) {
    First::reset();
    InstalledTable installed(First::table());

    First::real_result = 250.0;
    ModuleVarBlock token{};
    token.id = 61;
    ps_read_token_var(&token);
    EXPECT_EQ(token.var_value.n, 250.0);
    ASSERT_EQ(First::calls.size(), 1u);
    EXPECT_EQ(First::calls[0].slot, 40);
    EXPECT_EQ(First::calls[0].ptrs.at(0), &token);

    int32_t published = 5;
    First::bound_storage = &published;
    ModuleVarBlock bound{};
    ps_bind_module_var(&bound, "tcas_target_cnt");
    EXPECT_EQ(bound.var_ptr, &published);
    EXPECT_EQ(First::calls[1].slot, 39);
    EXPECT_EQ(First::calls[1].text, "tcas_target_cnt");

    First::int_result = 1;
    double f = 0.0;
    const char* s = nullptr;
    ps_run_calculator("(A:TITLE,string)", &f, nullptr, &s);
    EXPECT_EQ(First::calls[2].slot, 69);
    EXPECT_EQ(First::calls[2].text, "(A:TITLE,string)");
    EXPECT_EQ(First::calls[2].ptrs.at(1), nullptr) << "an unasked result is passed as null";
    EXPECT_EQ(f, 250.0);
    EXPECT_STREQ(s, "recorded text");
}

TEST(PanelServices, EveryCallReadsTheTableInstalledAtThatMoment) {
    First::reset();
    Second::reset();
    First::int_result = 1;
    Second::int_result = 2;
    PanelServices first = First::table();
    PanelServices second = Second::table();

    ImportTable.panels = &first;
    EXPECT_EQ(ps_window_toggle(4001), 1);
    ps_send_key_event(0x10019, 0);

    ImportTable.panels = &second;
    EXPECT_EQ(ps_window_toggle(4002), 2);
    ps_send_key_event(0x100FD, 0);

    ImportTable.panels = &first;
    EXPECT_EQ(ps_window_visible(0), 1);
    ImportTable.panels = nullptr;

    ASSERT_EQ(First::calls.size(), 3u);
    EXPECT_EQ(First::calls[0].nums, std::vector<int64_t>{4001});
    EXPECT_EQ(First::calls[1].nums, (std::vector<int64_t>{0x10019, 0}));
    EXPECT_EQ(First::calls[2].slot, 11);
    ASSERT_EQ(Second::calls.size(), 2u);
    EXPECT_EQ(Second::calls[0].nums, std::vector<int64_t>{4002});
    EXPECT_EQ(Second::calls[1].nums, (std::vector<int64_t>{0x100FD, 0}));
}

TEST(PanelServices, WithoutASimulatorEveryOperationDoesNothingAndGivesZero) {
    First::reset();
    ImportTable.panels = nullptr;
    ElementHeader element{};
    element.image_flags = 0x24;

    EXPECT_EQ(ps_window_visible(0), 0);
    EXPECT_EQ(ps_window_toggle(4001), 0);
    EXPECT_EQ(ps_find_named_var("orvex_vnav"), 0);
    EXPECT_EQ(ps_register_named_var("orvex_vnav"), 0);
    EXPECT_EQ(ps_get_named_var(3), 0.0);
    EXPECT_EQ(ps_units_by_name("number"), 0);
    EXPECT_EQ(ps_read_aircraft_var(1, 2, 0), 0.0);
    ps_elements_query(&element);
    ps_elements_install(&element, nullptr);
    ps_elements_initialize(&element);
    ps_elements_update(&element);
    ps_elements_generate(&element, 1);
    ps_elements_plot(&element);
    ps_elements_kill(&element);
    ps_send_key_event(0x10019, 0);
    ps_set_named_var(3, 1.0);
    ps_register_module_var(nullptr, 0x29, "orvex_xtk_err_dist");
    ps_unregister_module_var("orvex_xtk_err_dist");
    ps_add_key_handler(some_key_handler, 0);
    ps_remove_key_handler(some_key_handler, 0);

    ModuleVarBlock token{};
    token.id = 69;
    token.var_value.n = 7.0;
    ps_read_token_var(&token);
    EXPECT_EQ(token.var_value.n, 7.0);
    ModuleVarBlock bound{};
    ps_bind_module_var(&bound, "tcas_targets");
    EXPECT_EQ(bound.var_ptr, nullptr);
    double f = -1.0;
    int32_t i = -1;
    ps_run_calculator("(A:DECISION HEIGHT,FEET)", &f, &i, nullptr);
    EXPECT_EQ(f, -1.0);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(element.image_flags, 0x24u);
    EXPECT_TRUE(First::calls.empty());
}

TEST(PanelServices, AnEmptySlotInAnInstalledTableIsSkipped) {
    First::reset();
    PanelServices partial{};
    partial.slot[36] = First::table().slot[36];
    InstalledTable installed(partial);

    EXPECT_EQ(ps_window_toggle(4011), 0);
    EXPECT_EQ(ps_get_named_var(1), 0.0);
    ps_send_key_event(0x1024C, 35000);
    ASSERT_EQ(First::calls.size(), 1u);
    EXPECT_EQ(First::calls[0].slot, 36);
}

} // namespace

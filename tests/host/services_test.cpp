// The panel-service slots as the module reaches them: through the table
// that the loader writes into ImportTable.
#include "fake_module.h"
#include "module_loader.h"
#include "sim_state.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using fake::slot;

class Services : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        fake::imports.panels = nullptr;
        module = host::attach_module(&fake::linkage, &fake::imports);
    }
    host::LoadedModule module;
};

std::vector<fake::KeyCall> handler_two_calls;
void handler_two(uint32_t id, uint32_t parameter, void* user) {
    handler_two_calls.push_back({id, parameter, reinterpret_cast<uintptr_t>(user)});
}

// Sends a follow-up event from inside delivery, as an autopilot reaction would.
std::vector<uint32_t> chain_order;
void chaining_handler(uint32_t id, uint32_t, void*) {
    chain_order.push_back(id);
    if (id == 1) slot<ps_fn::SendKeyEvent>(PS_SLOT_SEND_KEY_EVENT)(2, 0);
}
void second_chain_handler(uint32_t id, uint32_t, void*) {
    chain_order.push_back(100 + id);
}

TEST_F(Services, AttachWritesTheTableIntoImportTable) {
    ASSERT_NE(fake::imports.panels, nullptr);
    EXPECT_EQ(fake::imports.import_id, 0xFu);
    for (int s : {11, 24, 25, 26, 27, 28, 29, 31, 35, 36, 37, 39, 40, 41, 51, 52, 53, 55, 69, 73, 75, 80, 81})
        EXPECT_NE(fake::imports.panels->slot[s], nullptr) << "slot " << s;
    EXPECT_EQ(fake::imports.panels->slot[30], nullptr); // element-list erase is not offered
}

TEST_F(Services, WindowsStartClosedAndToggle) {
    auto visible = slot<ps_fn::WindowVisible>(PS_SLOT_WINDOW_VISIBLE);
    auto toggle = slot<ps_fn::WindowToggle>(PS_SLOT_WINDOW_TOGGLE);
    for (uint32_t w : {0u, 4001u, 4008u, 4025u})
        EXPECT_EQ(visible(w), 0) << w;

    EXPECT_EQ(toggle(4008), 1);
    EXPECT_NE(visible(4008), 0);
    EXPECT_EQ(visible(4007), 0);
    EXPECT_EQ(toggle(4008), 1);
    EXPECT_EQ(visible(4008), 0);

    EXPECT_EQ(toggle(0), 1); // the main panel window too
    EXPECT_NE(visible(0), 0);

    // Idents outside the panel's windows are refused and never visible.
    EXPECT_EQ(toggle(4000), 0);
    EXPECT_EQ(toggle(4026), 0);
    EXPECT_EQ(visible(4026), 0);
    EXPECT_EQ(host::sim_state().window_toggles, (std::vector<uint32_t>{4008, 4008, 0, 4000, 4026}));
}

TEST_F(Services, KeyEventsAreLoggedAndReachEveryRegisteredHandler) {
    handler_two_calls.clear();
    auto add = slot<ps_fn::KeyHandler>(PS_SLOT_ADD_KEY_HANDLER);
    auto remove = slot<ps_fn::KeyHandler>(PS_SLOT_REMOVE_KEY_HANDLER);
    auto send = slot<ps_fn::SendKeyEvent>(PS_SLOT_SEND_KEY_EVENT);

    send(0x10337, 0); // nobody listens yet: logged only
    add(handler_two, 5);
    add(handler_two, 5); // the same registration twice counts once
    send(0x101FA, 270);
    ASSERT_EQ(handler_two_calls.size(), 1u);
    EXPECT_EQ(handler_two_calls[0].id, 0x101FAu);
    EXPECT_EQ(handler_two_calls[0].parameter, 270u);
    EXPECT_EQ(handler_two_calls[0].user_data, 5u);

    std::vector<std::pair<uint32_t, uint32_t>> heard;
    host::add_key_listener([&](uint32_t id, uint32_t p) { heard.push_back({id, p}); });
    remove(handler_two, 6); // another user word: not this registration
    send(0x1024C, 0xFFFFFF9C);
    EXPECT_EQ(handler_two_calls.size(), 2u);
    remove(handler_two, 5);
    send(0x10338, 1);
    EXPECT_EQ(handler_two_calls.size(), 2u);
    EXPECT_EQ(heard, (std::vector<std::pair<uint32_t, uint32_t>>{{0x1024C, 0xFFFFFF9C}, {0x10338, 1}}));

    const auto& log = host::sim_state().key_events;
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].id, 0x10337u);
    EXPECT_EQ(log[2].parameter, 0xFFFFFF9Cu);
}

TEST_F(Services, AnEventSentDuringDeliveryFollowsTheCurrentOne) {
    chain_order.clear();
    host::add_key_handler(chaining_handler, 0);
    host::add_key_handler(second_chain_handler, 0);
    host::send_key_event(1, 0);
    // Event 1 reaches both handlers before event 2 reaches either.
    EXPECT_EQ(chain_order, (std::vector<uint32_t>{1, 101, 2, 102}));
    EXPECT_EQ(host::sim_state().key_events.size(), 2u);
}

TEST_F(Services, ModuleVariablesBindByNameOrToNull) {
    auto reg = slot<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR);
    auto bind = slot<ps_fn::BindModuleVar>(PS_SLOT_BIND_MODULE_VAR);
    auto unreg = slot<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR);

    int32_t count = 3;
    ModuleVarBlock block{};
    block.var_ptr = &count; // stale pointer from an earlier bind must go
    bind(&block, "tcas_target_cnt");
    EXPECT_EQ(block.var_ptr, nullptr);

    reg(&count, MODULE_VAR_INT32, "tcas_target_cnt");
    ModuleVarBlock bound{};
    bind(&bound, "TCAS_Target_Cnt");
    EXPECT_EQ(bound.var_ptr, &count);
    EXPECT_EQ(bound.var_type, uint32_t{MODULE_VAR_INT32});

    int32_t other = 9;
    reg(&other, MODULE_VAR_INT32, "tcas_target_cnt"); // registering again moves the name
    bind(&bound, "tcas_target_cnt");
    EXPECT_EQ(bound.var_ptr, &other);

    unreg("tcas_target_cnt");
    bind(&bound, "tcas_target_cnt");
    EXPECT_EQ(bound.var_ptr, nullptr);
    EXPECT_EQ(host::sim_state().unregistered_names, std::vector<std::string>{"tcas_target_cnt"});
}

TEST_F(Services, TokenVariablesFillNumberOrCode) {
    auto read = slot<ps_fn::ReadTokenVar>(PS_SLOT_READ_TOKEN_VAR);
    host::set_token(61, 250.5);
    host::set_token_code(55, 0x1080);

    ModuleVarBlock speed{};
    speed.id = 61;
    read(&speed);
    EXPECT_DOUBLE_EQ(speed.var_value.n, 250.5);
    EXPECT_EQ(speed.var_ptr, nullptr);

    ModuleVarBlock coded{};
    coded.id = 55;
    read(&coded);
    uint32_t first_word = 0;
    std::memcpy(&first_word, reinterpret_cast<const char*>(&coded) + offsetof(ModuleVarBlock, var_value), 4);
    EXPECT_EQ(first_word, 0x1080u);

    // A token nobody set leaves the module's zeroed record as it was.
    ModuleVarBlock unset{};
    unset.id = 999;
    unset.var_old.n = 3.0;
    read(&unset);
    EXPECT_EQ(unset.var_value.n, 0.0);
    EXPECT_EQ(unset.var_old.n, 3.0);

    // Setting a token numeric again replaces its code.
    host::set_token(55, 1.5);
    ModuleVarBlock again{};
    again.id = 55;
    read(&again);
    EXPECT_DOUBLE_EQ(again.var_value.n, 1.5);
}

TEST_F(Services, NamedVariablesFindRegisterGetSet) {
    auto find = slot<ps_fn::FindNamedVar>(PS_SLOT_FIND_NAMED_VAR);
    auto reg = slot<ps_fn::RegisterNamedVar>(PS_SLOT_REGISTER_NAMED_VAR);
    auto get = slot<ps_fn::GetNamedVar>(PS_SLOT_GET_NAMED_VAR);
    auto set = slot<ps_fn::SetNamedVar>(PS_SLOT_SET_NAMED_VAR);

    EXPECT_EQ(find("orvex_lnav"), -1);
    EXPECT_EQ(get(-1), 0.0);
    set(-1, 5.0); // ignored, creates nothing
    EXPECT_TRUE(host::sim_state().named_vars.empty());

    int32_t lnav = reg("orvex_lnav");
    int32_t mfd = reg("MFDX2 mode");
    EXPECT_GT(lnav, 0);
    EXPECT_NE(lnav, mfd);
    EXPECT_EQ(get(lnav), 0.0);
    set(lnav, 1.0);
    EXPECT_EQ(reg("orvex_lnav"), lnav); // registering again keeps id and value
    EXPECT_EQ(get(lnav), 1.0);
    EXPECT_EQ(find("orvex_lnav"), lnav);
    EXPECT_EQ(find("MFDx2 mode"), mfd); // names meet without regard to case

    host::set_named_var("MFDx2 mode", 2.0); // another panel writes the request
    EXPECT_EQ(get(mfd), 2.0);
    host::set_named_var("orvex_lnav_clicked", 1.0); // created as another panel would
    EXPECT_EQ(get(find("orvex_lnav_clicked")), 1.0);
}

TEST_F(Services, CalculatorReadsBothSpellingsAndEveryResultKind) {
    auto calc = slot<ps_fn::RunCalculator>(PS_SLOT_RUN_CALCULATOR);
    host::set_calc_number("(A:INDICATED ALTITUDE, feet)", 5000.75);
    host::set_calc_number("A:DECISION HEIGHT", -200.9);
    host::set_calc_text("TITLE", "Orvex Test Jet");
    host::set_calc_number("(A:ADF IDENT:1,string)", 0.0);

    double f = 0.0;
    int32_t i = 0;
    const char* s = nullptr;
    EXPECT_EQ(calc("(A:INDICATED ALTITUDE,feet)", &f, &i, nullptr), 1);
    EXPECT_DOUBLE_EQ(f, 5000.75);
    EXPECT_EQ(i, 5000);
    f = 0.0;
    EXPECT_EQ(calc("  ( a:indicated   altitude ,  FEET ) ", &f, nullptr, nullptr), 1);
    EXPECT_DOUBLE_EQ(f, 5000.75);

    EXPECT_EQ(calc("(A:DECISION HEIGHT,FEET)", nullptr, &i, nullptr), 1);
    EXPECT_EQ(i, -200); // truncated toward zero

    EXPECT_EQ(calc("(A:TITLE,string)", nullptr, nullptr, &s), 1);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "Orvex Test Jet");

    // The index stays part of the name: ":1" and ":2" are different variables.
    f = -1.0;
    EXPECT_EQ(calc("(A:ADF IDENT:2,string)", &f, nullptr, nullptr), 0);
    EXPECT_EQ(f, -1.0);

    // Unknown variables and code that is not a variable reference leave the results alone.
    f = 7.0;
    i = 7;
    s = "kept";
    EXPECT_EQ(calc("(A:TOTAL WEIGHT,pounds)", &f, &i, &s), 0);
    EXPECT_EQ(calc("INDICATED ALTITUDE", &f, &i, &s), 0);
    EXPECT_EQ(calc("(A:INDICATED ALTITUDE", &f, &i, &s), 0);
    EXPECT_EQ(calc(nullptr, &f, &i, &s), 0);
    EXPECT_EQ(f, 7.0);
    EXPECT_EQ(i, 7);
    EXPECT_STREQ(s, "kept");

    // Other prefixes are their own variables.
    host::set_calc_number("(E:LOCAL DAY OF MONTH,enum)", 17);
    EXPECT_EQ(calc("(E:LOCAL DAY OF MONTH, enum)", nullptr, &i, nullptr), 1);
    EXPECT_EQ(i, 17);
    EXPECT_EQ(calc("(A:LOCAL DAY OF MONTH, enum)", nullptr, &i, nullptr), 0);
}

TEST_F(Services, UnitsAndAircraftVariablesByCode) {
    auto units = slot<ps_fn::UnitsByName>(PS_SLOT_UNITS_BY_NAME);
    auto read = slot<ps_fn::ReadAircraftVar>(PS_SLOT_READ_AIRCRAFT_VAR);
    int32_t number = units("number");
    int32_t percent = units("percent");
    EXPECT_GT(number, 0);
    EXPECT_NE(number, percent);
    EXPECT_EQ(units("NUMBER"), number);

    host::set_aircraft_var(480, 0, 4242.0);
    host::set_aircraft_var(480, 1, 1.0);
    EXPECT_EQ(read(480, number, 0), 4242.0);
    EXPECT_EQ(read(480, number, 1), 1.0);
    EXPECT_EQ(read(77, percent, 0), 0.0);
}

TEST_F(Services, ElementServicesAreRecordedAndInstallGivesImages) {
    ElementHeader child{};
    child.kind = ELEMENT_STATIC_IMAGE;
    child.bitmap_width = 247;
    child.bitmap_height = 294;
    ElementHeader* children[] = {&child, nullptr};
    ElementHeader root{};
    root.kind = ELEMENT_STATIC_IMAGE;
    root.bitmap_width = 281;
    root.bitmap_height = 337;
    root.next_element = children;

    slot<ps_fn::Element>(PS_SLOT_ELEMENTS_QUERY)(&root);
    slot<ps_fn::ElementInstall>(PS_SLOT_ELEMENTS_INSTALL)(&root, reinterpret_cast<void*>(0x1234));
    slot<ps_fn::ElementGenerate>(PS_SLOT_ELEMENTS_GENERATE)(&root, 2);
    slot<ps_fn::Element>(PS_SLOT_ELEMENTS_PLOT)(&root);

    ASSERT_NE(root.image, nullptr);
    EXPECT_EQ(root.image->width, 281);
    ASSERT_NE(child.image, nullptr);
    EXPECT_EQ(child.image->height, 294);

    slot<ps_fn::Element>(PS_SLOT_ELEMENTS_KILL)(&root);
    EXPECT_EQ(root.image, nullptr);
    EXPECT_EQ(child.image, nullptr);

    const auto& calls = host::sim_state().element_calls;
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].service, host::ElementService::Query);
    EXPECT_EQ(calls[1].service, host::ElementService::Install);
    EXPECT_EQ(calls[1].argument, 0x1234u);
    EXPECT_EQ(calls[2].service, host::ElementService::Generate);
    EXPECT_EQ(calls[2].argument, 2u);
    EXPECT_EQ(calls[3].service, host::ElementService::Plot);
    EXPECT_EQ(calls[4].service, host::ElementService::Kill);
    for (const auto& c : calls)
        EXPECT_EQ(c.element, &root);
}

} // namespace

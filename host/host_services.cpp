#include "host_services.h"

#include "sim_state.h"

namespace host {

namespace {

int32_t ORVEX_FSAPI window_visible_slot(uint32_t ident) {
    return window_visible(ident) ? 1 : 0;
}
void ORVEX_FSAPI elements_query_slot(ElementHeader* e) {
    record_element_call(ElementService::Query, e, 0);
}
void ORVEX_FSAPI elements_install_slot(ElementHeader* e, void* resource) {
    record_element_call(ElementService::Install, e, reinterpret_cast<uintptr_t>(resource));
}
void ORVEX_FSAPI elements_initialize_slot(ElementHeader* e) {
    record_element_call(ElementService::Initialize, e, 0);
}
void ORVEX_FSAPI elements_update_slot(ElementHeader* e) {
    record_element_call(ElementService::Update, e, 0);
}
void ORVEX_FSAPI elements_generate_slot(ElementHeader* e, uint32_t phase) {
    record_element_call(ElementService::Generate, e, phase);
}
void ORVEX_FSAPI elements_plot_slot(ElementHeader* e) {
    record_element_call(ElementService::Plot, e, 0);
}
void ORVEX_FSAPI elements_kill_slot(ElementHeader* e) {
    record_element_call(ElementService::Kill, e, 0);
}
int32_t ORVEX_FSAPI window_toggle_slot(uint32_t ident) {
    return toggle_window(ident);
}
void ORVEX_FSAPI send_key_event_slot(uint32_t id, uint32_t parameter) {
    send_key_event(id, parameter);
}
void ORVEX_FSAPI register_module_var_slot(void* storage, uint32_t type, const char* name) {
    register_module_var(storage, type, name);
}
void ORVEX_FSAPI bind_module_var_slot(ModuleVarBlock* block, const char* name) {
    bind_module_var(block, name);
}
void ORVEX_FSAPI read_token_var_slot(ModuleVarBlock* block) {
    read_token_var(block);
}
void ORVEX_FSAPI unregister_module_var_slot(const char* name) {
    unregister_module_var(name);
}
int32_t ORVEX_FSAPI find_named_var_slot(const char* name) {
    return find_named_var(name);
}
int32_t ORVEX_FSAPI register_named_var_slot(const char* name) {
    return register_named_var(name);
}
double ORVEX_FSAPI get_named_var_slot(int32_t id) {
    return get_named_var(id);
}
void ORVEX_FSAPI set_named_var_slot(int32_t id, double value) {
    set_named_var(id, value);
}
int32_t ORVEX_FSAPI run_calculator_slot(const char* code, double* f, int32_t* i, const char** s) {
    return run_calculator(code, f, i, s);
}
int32_t ORVEX_FSAPI units_by_name_slot(const char* name) {
    return units_code(name);
}
double ORVEX_FSAPI read_aircraft_var_slot(uint32_t code, int32_t units, uint32_t index) {
    return read_aircraft_var(code, units, index);
}
void ORVEX_FSAPI add_key_handler_slot(KeyEventHandler handler, uintptr_t user) {
    add_key_handler(handler, user);
}
void ORVEX_FSAPI remove_key_handler_slot(KeyEventHandler handler, uintptr_t user) {
    remove_key_handler(handler, user);
}

template <class Fn> void put(PanelServices& table, PanelServiceSlot slot, Fn fn) {
    table.slot[slot] = reinterpret_cast<void*>(fn);
}

PanelServices build_table() {
    PanelServices t{};
    // The casts to the ps_fn signatures make a mismatch a compile error.
    put(t, PS_SLOT_WINDOW_VISIBLE, ps_fn::WindowVisible{window_visible_slot});
    put(t, PS_SLOT_ELEMENTS_QUERY, ps_fn::Element{elements_query_slot});
    put(t, PS_SLOT_ELEMENTS_INSTALL, ps_fn::ElementInstall{elements_install_slot});
    put(t, PS_SLOT_ELEMENTS_INITIALIZE, ps_fn::Element{elements_initialize_slot});
    put(t, PS_SLOT_ELEMENTS_UPDATE, ps_fn::Element{elements_update_slot});
    put(t, PS_SLOT_ELEMENTS_GENERATE, ps_fn::ElementGenerate{elements_generate_slot});
    put(t, PS_SLOT_ELEMENTS_PLOT, ps_fn::Element{elements_plot_slot});
    put(t, PS_SLOT_ELEMENTS_KILL, ps_fn::Element{elements_kill_slot});
    put(t, PS_SLOT_WINDOW_TOGGLE, ps_fn::WindowToggle{window_toggle_slot});
    put(t, PS_SLOT_SEND_KEY_EVENT, ps_fn::SendKeyEvent{send_key_event_slot});
    put(t, PS_SLOT_REGISTER_MODULE_VAR, ps_fn::RegisterModuleVar{register_module_var_slot});
    put(t, PS_SLOT_BIND_MODULE_VAR, ps_fn::BindModuleVar{bind_module_var_slot});
    put(t, PS_SLOT_READ_TOKEN_VAR, ps_fn::ReadTokenVar{read_token_var_slot});
    put(t, PS_SLOT_UNREGISTER_MODULE_VAR, ps_fn::UnregisterModuleVar{unregister_module_var_slot});
    put(t, PS_SLOT_FIND_NAMED_VAR, ps_fn::FindNamedVar{find_named_var_slot});
    put(t, PS_SLOT_REGISTER_NAMED_VAR, ps_fn::RegisterNamedVar{register_named_var_slot});
    put(t, PS_SLOT_GET_NAMED_VAR, ps_fn::GetNamedVar{get_named_var_slot});
    put(t, PS_SLOT_SET_NAMED_VAR, ps_fn::SetNamedVar{set_named_var_slot});
    put(t, PS_SLOT_RUN_CALCULATOR, ps_fn::RunCalculator{run_calculator_slot});
    put(t, PS_SLOT_UNITS_BY_NAME, ps_fn::UnitsByName{units_by_name_slot});
    put(t, PS_SLOT_READ_AIRCRAFT_VAR, ps_fn::ReadAircraftVar{read_aircraft_var_slot});
    put(t, PS_SLOT_ADD_KEY_HANDLER, ps_fn::KeyHandler{add_key_handler_slot});
    put(t, PS_SLOT_REMOVE_KEY_HANDLER, ps_fn::KeyHandler{remove_key_handler_slot});
    return t;
}

} // namespace

PanelServices* services_table() {
    static PanelServices table = build_table();
    return &table;
}

} // namespace host

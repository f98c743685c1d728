#include "sim/panel_services.h"

#include "sim/import_table.h"

constinit ImportTableRecord ImportTable = {0xF, nullptr};

namespace {

// The slot's function, read from the table the simulator has placed in
// ImportTable at this moment; null while no simulator is attached or the slot
// is empty, and the caller then does nothing.
template <class Fn> Fn service(PanelServiceSlot slot) {
    const PanelServices* table = ImportTable.panels;
    if (table == nullptr) return nullptr;
    return reinterpret_cast<Fn>(table->slot[slot]);
}

} // namespace

int32_t ps_window_visible(uint32_t window_ident) {
    auto fn = service<ps_fn::WindowVisible>(PS_SLOT_WINDOW_VISIBLE);
    return fn ? fn(window_ident) : 0;
}

void ps_elements_query(ElementHeader* element) {
    if (auto fn = service<ps_fn::Element>(PS_SLOT_ELEMENTS_QUERY)) fn(element);
}

void ps_elements_install(ElementHeader* element, void* resource_handle) {
    if (auto fn = service<ps_fn::ElementInstall>(PS_SLOT_ELEMENTS_INSTALL)) fn(element, resource_handle);
}

void ps_elements_initialize(ElementHeader* element) {
    if (auto fn = service<ps_fn::Element>(PS_SLOT_ELEMENTS_INITIALIZE)) fn(element);
}

void ps_elements_update(ElementHeader* element) {
    if (auto fn = service<ps_fn::Element>(PS_SLOT_ELEMENTS_UPDATE)) fn(element);
}

void ps_elements_generate(ElementHeader* element, uint32_t phase) {
    if (auto fn = service<ps_fn::ElementGenerate>(PS_SLOT_ELEMENTS_GENERATE)) fn(element, phase);
}

void ps_elements_plot(ElementHeader* element) {
    if (auto fn = service<ps_fn::Element>(PS_SLOT_ELEMENTS_PLOT)) fn(element);
}

void ps_elements_kill(ElementHeader* element) {
    if (auto fn = service<ps_fn::Element>(PS_SLOT_ELEMENTS_KILL)) fn(element);
}

int32_t ps_window_toggle(uint32_t window_ident) {
    auto fn = service<ps_fn::WindowToggle>(PS_SLOT_WINDOW_TOGGLE);
    return fn ? fn(window_ident) : 0;
}

void ps_send_key_event(uint32_t event_id, uint32_t parameter) {
    if (auto fn = service<ps_fn::SendKeyEvent>(PS_SLOT_SEND_KEY_EVENT)) fn(event_id, parameter);
}

void ps_register_module_var(void* storage, uint32_t type, const char* name) {
    if (auto fn = service<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR)) fn(storage, type, name);
}

void ps_bind_module_var(ModuleVarBlock* block, const char* name) {
    if (auto fn = service<ps_fn::BindModuleVar>(PS_SLOT_BIND_MODULE_VAR)) fn(block, name);
}

void ps_read_token_var(ModuleVarBlock* block) {
    if (auto fn = service<ps_fn::ReadTokenVar>(PS_SLOT_READ_TOKEN_VAR)) fn(block);
}

void ps_unregister_module_var(const char* name) {
    if (auto fn = service<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR)) fn(name);
}

int32_t ps_find_named_var(const char* name) {
    auto fn = service<ps_fn::FindNamedVar>(PS_SLOT_FIND_NAMED_VAR);
    return fn ? fn(name) : 0;
}

int32_t ps_register_named_var(const char* name) {
    auto fn = service<ps_fn::RegisterNamedVar>(PS_SLOT_REGISTER_NAMED_VAR);
    return fn ? fn(name) : 0;
}

double ps_get_named_var(int32_t id) {
    auto fn = service<ps_fn::GetNamedVar>(PS_SLOT_GET_NAMED_VAR);
    return fn ? fn(id) : 0.0;
}

void ps_set_named_var(int32_t id, double value) {
    if (auto fn = service<ps_fn::SetNamedVar>(PS_SLOT_SET_NAMED_VAR)) fn(id, value);
}

// The service's own return value tells nothing the module uses: the results
// arrive through the pointers.
void ps_run_calculator(const char* code, double* f_result, int32_t* i_result, const char** s_result) {
    if (auto fn = service<ps_fn::RunCalculator>(PS_SLOT_RUN_CALCULATOR))
        fn(code, f_result, i_result, s_result);
}

int32_t ps_units_by_name(const char* units_name) {
    auto fn = service<ps_fn::UnitsByName>(PS_SLOT_UNITS_BY_NAME);
    return fn ? fn(units_name) : 0;
}

double ps_read_aircraft_var(uint32_t var_code, int32_t units, uint32_t index) {
    auto fn = service<ps_fn::ReadAircraftVar>(PS_SLOT_READ_AIRCRAFT_VAR);
    return fn ? fn(var_code, units, index) : 0.0;
}

void ps_add_key_handler(KeyEventHandler handler, uintptr_t user_data) {
    if (auto fn = service<ps_fn::KeyHandler>(PS_SLOT_ADD_KEY_HANDLER)) fn(handler, user_data);
}

void ps_remove_key_handler(KeyEventHandler handler, uintptr_t user_data) {
    if (auto fn = service<ps_fn::KeyHandler>(PS_SLOT_REMOVE_KEY_HANDLER)) fn(handler, user_data);
}

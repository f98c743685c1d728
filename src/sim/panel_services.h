// The one way into the simulator: its panel-services table, reached through
// ImportTable and called by slot. Every ps_ function reads the table address
// afresh at the moment of the call.
#pragma once

#include "sim/gauge_abi.h"

#include <cstdint>

// Key-event handler registered with the simulator.
using KeyEventHandler = void(ORVEX_FSAPI*)(uint32_t event_id, uint32_t parameter, void* user_data);

// Slot positions in the table (byte offset = 4 x slot on the 32-bit build).
enum PanelServiceSlot : int {
    PS_SLOT_WINDOW_VISIBLE = 11,
    PS_SLOT_ELEMENTS_QUERY = 24,
    PS_SLOT_ELEMENTS_INSTALL = 25,
    PS_SLOT_ELEMENTS_INITIALIZE = 26,
    PS_SLOT_ELEMENTS_UPDATE = 27,
    PS_SLOT_ELEMENTS_GENERATE = 28,
    PS_SLOT_ELEMENTS_PLOT = 29,
    PS_SLOT_ELEMENTS_KILL = 31,
    PS_SLOT_WINDOW_TOGGLE = 35,
    PS_SLOT_SEND_KEY_EVENT = 36,
    PS_SLOT_REGISTER_MODULE_VAR = 37,
    PS_SLOT_BIND_MODULE_VAR = 39,
    PS_SLOT_READ_TOKEN_VAR = 40,
    PS_SLOT_UNREGISTER_MODULE_VAR = 41,
    PS_SLOT_FIND_NAMED_VAR = 51,
    PS_SLOT_REGISTER_NAMED_VAR = 52,
    PS_SLOT_GET_NAMED_VAR = 53,
    PS_SLOT_SET_NAMED_VAR = 55,
    PS_SLOT_RUN_CALCULATOR = 69,
    PS_SLOT_UNITS_BY_NAME = 73,
    PS_SLOT_READ_AIRCRAFT_VAR = 75,
    PS_SLOT_ADD_KEY_HANDLER = 80,
    PS_SLOT_REMOVE_KEY_HANDLER = 81,
    PS_SLOT_COUNT = 96,
};

// The simulator's table: function pointers by position.
struct PanelServices {
    void* slot[PS_SLOT_COUNT];
};

// Signatures of the slots, as the simulator implements them.
namespace ps_fn {
using WindowVisible = int32_t(ORVEX_FSAPI*)(uint32_t window_ident);
using Element = void(ORVEX_FSAPI*)(ElementHeader* element);
using ElementInstall = void(ORVEX_FSAPI*)(ElementHeader* element, void* resource_handle);
using ElementGenerate = void(ORVEX_FSAPI*)(ElementHeader* element, uint32_t phase);
using WindowToggle = int32_t(ORVEX_FSAPI*)(uint32_t window_ident);
using SendKeyEvent = void(ORVEX_FSAPI*)(uint32_t event_id, uint32_t parameter);
using RegisterModuleVar = void(ORVEX_FSAPI*)(void* storage, uint32_t type, const char* name);
using BindModuleVar = void(ORVEX_FSAPI*)(ModuleVarBlock* block, const char* name);
using ReadTokenVar = void(ORVEX_FSAPI*)(ModuleVarBlock* block);
using UnregisterModuleVar = void(ORVEX_FSAPI*)(const char* name);
using FindNamedVar = int32_t(ORVEX_FSAPI*)(const char* name);
using RegisterNamedVar = int32_t(ORVEX_FSAPI*)(const char* name);
using GetNamedVar = double(ORVEX_FSAPI*)(int32_t id);
using SetNamedVar = void(ORVEX_FSAPI*)(int32_t id, double value);
using RunCalculator = int32_t(ORVEX_FSAPI*)(const char* code, double* f_result, int32_t* i_result,
                                            const char** s_result);
using UnitsByName = int32_t(ORVEX_FSAPI*)(const char* units_name);
using ReadAircraftVar = double(ORVEX_FSAPI*)(uint32_t var_code, int32_t units, uint32_t index);
using KeyHandler = void(ORVEX_FSAPI*)(KeyEventHandler handler, uintptr_t user_data);
} // namespace ps_fn

int32_t ps_window_visible(uint32_t window_ident);
void ps_elements_query(ElementHeader* element);
void ps_elements_install(ElementHeader* element, void* resource_handle);
void ps_elements_initialize(ElementHeader* element);
void ps_elements_update(ElementHeader* element);
void ps_elements_generate(ElementHeader* element, uint32_t phase);
void ps_elements_plot(ElementHeader* element);
void ps_elements_kill(ElementHeader* element);
int32_t ps_window_toggle(uint32_t window_ident);
void ps_send_key_event(uint32_t event_id, uint32_t parameter);
// The flight-management code's name for sending a key event.
inline void trigger_key_event(uint32_t event_id, uint32_t parameter) {
    ps_send_key_event(event_id, parameter);
}
void ps_register_module_var(void* storage, uint32_t type, const char* name);
void ps_bind_module_var(ModuleVarBlock* block, const char* name);
void ps_read_token_var(ModuleVarBlock* block);
void ps_unregister_module_var(const char* name);
int32_t ps_find_named_var(const char* name);
int32_t ps_register_named_var(const char* name);
double ps_get_named_var(int32_t id);
void ps_set_named_var(int32_t id, double value);
void ps_run_calculator(const char* code, double* f_result, int32_t* i_result, const char** s_result);
int32_t ps_units_by_name(const char* units_name);
double ps_read_aircraft_var(uint32_t var_code, int32_t units, uint32_t index);
void ps_add_key_handler(KeyEventHandler handler, uintptr_t user_data);
void ps_remove_key_handler(KeyEventHandler handler, uintptr_t user_data);

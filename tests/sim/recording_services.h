// A panel-services table for tests: every slot the module may call records
// its arguments and answers with values the test chooses. Slots are placed at
// their documented positions, written out here rather than taken from the
// module's enum, so a wrong slot number in the module shows up as a missing
// call. Each Tag is an independent table with its own functions.
#pragma once

#include "sim/gauge_abi.h"
#include "sim/panel_services.h"

#include <cstdint>
#include <string>
#include <vector>

struct ServiceCall {
    int slot = -1;
    std::vector<const void*> ptrs; // pointer arguments, left to right
    std::vector<int64_t> nums;     // integer arguments, left to right
    double real = 0.0;             // the f64 argument, if any
    std::string text;              // the text argument, if any
};

template <int Tag> struct RecordingServices {
    static inline std::vector<ServiceCall> calls;
    static inline int32_t int_result = 0;        // answer of every slot that returns an integer
    static inline double real_result = 0.0;      // answer of f64 slots, token value, calculator f64
    static inline void* bound_storage = nullptr; // what a bind hands back as the value pointer
    static inline const char* text_result = "recorded text";

    static PanelServices table() {
        PanelServices t{};
        t.slot[11] = reinterpret_cast<void*>(&window_visible);
        t.slot[24] = reinterpret_cast<void*>(&elements_query);
        t.slot[25] = reinterpret_cast<void*>(&elements_install);
        t.slot[26] = reinterpret_cast<void*>(&elements_initialize);
        t.slot[27] = reinterpret_cast<void*>(&elements_update);
        t.slot[28] = reinterpret_cast<void*>(&elements_generate);
        t.slot[29] = reinterpret_cast<void*>(&elements_plot);
        t.slot[30] = reinterpret_cast<void*>(&elements_erase);
        t.slot[31] = reinterpret_cast<void*>(&elements_kill);
        t.slot[35] = reinterpret_cast<void*>(&window_toggle);
        t.slot[36] = reinterpret_cast<void*>(&send_key_event);
        t.slot[37] = reinterpret_cast<void*>(&register_module_var);
        t.slot[39] = reinterpret_cast<void*>(&bind_module_var);
        t.slot[40] = reinterpret_cast<void*>(&read_token_var);
        t.slot[41] = reinterpret_cast<void*>(&unregister_module_var);
        t.slot[51] = reinterpret_cast<void*>(&find_named_var);
        t.slot[52] = reinterpret_cast<void*>(&register_named_var);
        t.slot[53] = reinterpret_cast<void*>(&get_named_var);
        t.slot[55] = reinterpret_cast<void*>(&set_named_var);
        t.slot[69] = reinterpret_cast<void*>(&run_calculator);
        t.slot[73] = reinterpret_cast<void*>(&units_by_name);
        t.slot[75] = reinterpret_cast<void*>(&read_aircraft_var);
        t.slot[80] = reinterpret_cast<void*>(&add_key_handler);
        t.slot[81] = reinterpret_cast<void*>(&remove_key_handler);
        return t;
    }

    static void reset() {
        calls.clear();
        int_result = 0;
        real_result = 0.0;
        bound_storage = nullptr;
    }

    static ServiceCall& record(int slot) {
        calls.push_back(ServiceCall{});
        calls.back().slot = slot;
        return calls.back();
    }

    static int32_t ORVEX_FSAPI window_visible(uint32_t w) {
        record(11).nums = {w};
        return int_result;
    }
    static void ORVEX_FSAPI elements_query(ElementHeader* e) { record(24).ptrs = {e}; }
    static void ORVEX_FSAPI elements_install(ElementHeader* e, void* resource) {
        record(25).ptrs = {e, resource};
    }
    static void ORVEX_FSAPI elements_initialize(ElementHeader* e) { record(26).ptrs = {e}; }
    static void ORVEX_FSAPI elements_update(ElementHeader* e) { record(27).ptrs = {e}; }
    static void ORVEX_FSAPI elements_generate(ElementHeader* e, uint32_t phase) {
        ServiceCall& c = record(28);
        c.ptrs = {e};
        c.nums = {phase};
    }
    static void ORVEX_FSAPI elements_plot(ElementHeader* e) { record(29).ptrs = {e}; }
    static void ORVEX_FSAPI elements_erase(ElementHeader* e) { record(30).ptrs = {e}; }
    static void ORVEX_FSAPI elements_kill(ElementHeader* e) { record(31).ptrs = {e}; }
    static int32_t ORVEX_FSAPI window_toggle(uint32_t w) {
        record(35).nums = {w};
        return int_result;
    }
    static void ORVEX_FSAPI send_key_event(uint32_t id, uint32_t parameter) {
        record(36).nums = {id, parameter};
    }
    static void ORVEX_FSAPI register_module_var(void* storage, uint32_t type, const char* name) {
        ServiceCall& c = record(37);
        c.ptrs = {storage};
        c.nums = {type};
        c.text = name;
    }
    static void ORVEX_FSAPI bind_module_var(ModuleVarBlock* block, const char* name) {
        ServiceCall& c = record(39);
        c.ptrs = {block};
        c.text = name;
        block->var_ptr = bound_storage;
    }
    static void ORVEX_FSAPI read_token_var(ModuleVarBlock* block) {
        ServiceCall& c = record(40);
        c.ptrs = {block};
        c.nums = {block->id, reinterpret_cast<intptr_t>(block->var_ptr), block->var_type, block->var_old.d};
        block->var_value.n = real_result;
    }
    static void ORVEX_FSAPI unregister_module_var(const char* name) { record(41).text = name; }
    static int32_t ORVEX_FSAPI find_named_var(const char* name) {
        record(51).text = name;
        return int_result;
    }
    static int32_t ORVEX_FSAPI register_named_var(const char* name) {
        record(52).text = name;
        return int_result;
    }
    static double ORVEX_FSAPI get_named_var(int32_t id) {
        record(53).nums = {id};
        return real_result;
    }
    static void ORVEX_FSAPI set_named_var(int32_t id, double value) {
        ServiceCall& c = record(55);
        c.nums = {id};
        c.real = value;
    }
    static int32_t ORVEX_FSAPI run_calculator(const char* code, double* f, int32_t* i, const char** s) {
        ServiceCall& c = record(69);
        c.text = code;
        c.ptrs = {f, i, s};
        if (f) *f = real_result;
        if (i) *i = int_result;
        if (s) *s = text_result;
        return 1;
    }
    static int32_t ORVEX_FSAPI units_by_name(const char* name) {
        record(73).text = name;
        return int_result;
    }
    static double ORVEX_FSAPI read_aircraft_var(uint32_t code, int32_t units, uint32_t index) {
        record(75).nums = {code, units, index};
        return real_result;
    }
    static void ORVEX_FSAPI add_key_handler(KeyEventHandler handler, uintptr_t user) {
        ServiceCall& c = record(80);
        c.ptrs = {reinterpret_cast<const void*>(handler)};
        c.nums = {static_cast<int64_t>(user)};
    }
    static void ORVEX_FSAPI remove_key_handler(KeyEventHandler handler, uintptr_t user) {
        ServiceCall& c = record(81);
        c.ptrs = {reinterpret_cast<const void*>(handler)};
        c.nums = {static_cast<int64_t>(user)};
    }
};

// A simulator for the accessor tests: token variables, calculator results and
// aircraft variables are served from tables the test fills in the host's raw
// units; every call is logged. A token or expression that is not in a table
// is not served: the host writes nothing, as a real host does for one it does
// not know.
#pragma once

#include "gauges/linkage.h"
#include "sim/gauge_abi.h"
#include "sim/panel_services.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct CalculatorCall {
    std::string code;
    bool wants_number = false;
    bool wants_integer = false;
    bool wants_text = false;
};

struct SimValues {
    static inline std::map<uint32_t, double> tokens;  // f64 tokens
    static inline std::map<uint32_t, uint32_t> coded; // integer tokens (BCD, flag words)
    static inline std::map<std::string, double> numbers;
    static inline std::map<std::string, int32_t> integers;
    static inline std::map<std::string, std::string> texts;
    static inline std::map<std::string, int32_t> units;
    static inline std::map<std::pair<uint32_t, int32_t>, double> aircraft_vars;
    // When set, the host copies value into previous value before it reads,
    // as some hosts do.
    static inline bool copy_value_to_previous = false;

    static inline std::vector<uint32_t> token_reads;
    static inline std::vector<uint32_t> unclean_blocks; // blocks that came with more than their id
    static inline std::vector<CalculatorCall> calculator_calls;
    static inline std::vector<std::string> units_asked;
    static inline std::vector<std::vector<int64_t>> aircraft_var_reads; // code, units, index
    static inline std::vector<std::pair<uint32_t, uint32_t>> key_events;

    static void reset() {
        tokens.clear();
        coded.clear();
        numbers.clear();
        integers.clear();
        texts.clear();
        units.clear();
        aircraft_vars.clear();
        copy_value_to_previous = false;
        token_reads.clear();
        unclean_blocks.clear();
        calculator_calls.clear();
        units_asked.clear();
        aircraft_var_reads.clear();
        key_events.clear();
    }

    static PanelServices table() {
        PanelServices t{};
        t.slot[36] = reinterpret_cast<void*>(&send_key_event);
        t.slot[40] = reinterpret_cast<void*>(&read_token_var);
        t.slot[69] = reinterpret_cast<void*>(&run_calculator);
        t.slot[73] = reinterpret_cast<void*>(&units_by_name);
        t.slot[75] = reinterpret_cast<void*>(&read_aircraft_var);
        return t;
    }

    static void ORVEX_FSAPI read_token_var(ModuleVarBlock* block) {
        token_reads.push_back(block->id);
        ModuleVarBlock expected{};
        expected.id = block->id;
        if (std::memcmp(&expected, block, sizeof expected) != 0) unclean_blocks.push_back(block->id);
        if (copy_value_to_previous) block->var_old.n = block->var_value.n;
        if (auto c = coded.find(block->id); c != coded.end()) {
            block->var_value.u = c->second;
        } else if (auto v = tokens.find(block->id); v != tokens.end()) {
            block->var_value.n = v->second;
        }
    }

    static int32_t ORVEX_FSAPI run_calculator(const char* code, double* f, int32_t* i, const char** s) {
        calculator_calls.push_back({code, f != nullptr, i != nullptr, s != nullptr});
        if (f)
            if (auto v = numbers.find(code); v != numbers.end()) *f = v->second;
        if (i)
            if (auto v = integers.find(code); v != integers.end()) *i = v->second;
        if (s)
            if (auto v = texts.find(code); v != texts.end()) *s = v->second.c_str();
        return 1;
    }

    static int32_t ORVEX_FSAPI units_by_name(const char* name) {
        units_asked.push_back(name);
        auto u = units.find(name);
        return u != units.end() ? u->second : -1;
    }

    static double ORVEX_FSAPI read_aircraft_var(uint32_t code, int32_t units_id, uint32_t index) {
        aircraft_var_reads.push_back({code, units_id, index});
        auto v = aircraft_vars.find({code, units_id});
        return v != aircraft_vars.end() && index == 0 ? v->second : 0.0;
    }

    static void ORVEX_FSAPI send_key_event(uint32_t id, uint32_t parameter) {
        key_events.push_back({id, parameter});
    }
};

// Installs the table for one test and removes it again, with the reader's
// module-wide values back at their load-time state.
struct SimValuesInstalled {
    PanelServices table = SimValues::table();
    SimValuesInstalled() {
        SimValues::reset();
        ImportTable.panels = &table;
    }
    ~SimValuesInstalled() { ImportTable.panels = nullptr; }
};

// Table rows for the accessor tests: each row sets one token or expression in
// the host's raw units and expects the value in the module's units, and
// checks that the accessor read exactly its own source and nothing else.
#pragma once

#include "sim/sim_values_services.h"
#include "sim/sim_var_reader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <vector>

using Reader = double (SimVarReader::*)() const;

struct TokenRow {
    const char* name;
    Reader read;
    uint32_t token;
    double raw;
    double expected;
};

inline void check_token_rows(const TokenRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const TokenRow& r = rows[i];
        SimValues::reset();
        SimValues::tokens[r.token] = r.raw;
        EXPECT_NEAR((sim_var_object.*r.read)(), r.expected, 1e-9) << r.name;
        EXPECT_EQ(SimValues::token_reads, std::vector<uint32_t>{r.token}) << r.name;
        EXPECT_TRUE(SimValues::unclean_blocks.empty()) << r.name;
        EXPECT_TRUE(SimValues::calculator_calls.empty()) << r.name;
    }
}

struct CalculatorRow {
    const char* name;
    Reader read;
    const char* code;
    bool integer; // asks for the integer result
    double raw;
    double expected;
};

inline void check_calculator_rows(const CalculatorRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const CalculatorRow& r = rows[i];
        SimValues::reset();
        if (r.integer)
            SimValues::integers[r.code] = static_cast<int32_t>(r.raw);
        else
            SimValues::numbers[r.code] = r.raw;
        EXPECT_NEAR((sim_var_object.*r.read)(), r.expected, 1e-9) << r.name;
        ASSERT_EQ(SimValues::calculator_calls.size(), 1u) << r.name;
        EXPECT_EQ(SimValues::calculator_calls[0].wants_integer, r.integer) << r.name;
        EXPECT_EQ(SimValues::calculator_calls[0].wants_number, !r.integer) << r.name;
        EXPECT_TRUE(SimValues::token_reads.empty()) << r.name;
    }
}

// The accessor's name (for the failure message) and its member pointer.
#define ROW(fn) #fn, &SimVarReader::fn

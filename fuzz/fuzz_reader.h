// The body of every fuzz target: one reader fed with the fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Feeds the input to the named reader; a broken table rule aborts, so that
// the fuzzer keeps the input as it keeps a crash.
int fuzz_reader(const char* name, const uint8_t* data, std::size_t size);

// Writing the module's state into the named variables that other panels read.
#pragma once

#include <cstdint>

// Finds the named variable by name and sets it to the value.
void publish_named(const char* name, double value);
// Whole numbers go out as unsigned 32-bit values converted to f64, as the
// SERVER gauge publishes them.
void publish_named_whole(const char* name, int32_t value);

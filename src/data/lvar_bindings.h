// The aircraft file's [Lvars] bindings: simulator named variables that drive
// module settings.
#pragma once

#include "platform/bounded_table.h"

#include <string>

struct LvarBinding {
    std::string variable_name; // named variable to watch (blanks allowed)
    int variable_code = 0;     // trigger value written after the name
    std::string setting_name;  // module setting the variable drives
    int setting_value = 0;     // value to set
    int reset_value = -1;      // -1 when absent
    int off_value = -1;        // -1 when absent
};

// Slots 1..99 used; lvar_bindings.count() is the number of bindings.
extern BoundedTable<LvarBinding, 100> lvar_bindings;

// Parses one line of the [Lvars] section into the next slot. A line without a
// variable name is ignored (false); one past the table's capacity is dropped.
bool parse_lvar_binding_line(const std::string& line);

// A setting name the bindings act on (gauges/lvar_poll.cpp), compared as it
// is written: a binding to any other acts on nothing.
bool lvar_setting_known(const std::string& setting_name);

// The SMITHS_FMS scratchpad and message line, which data lookups answer into.
#pragma once

#include <string>

inline std::string smiths_scratchpad;
inline std::string smiths_scratchpad_message;

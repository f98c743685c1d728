// The SMITHS_FMS scratchpad and message line, which data lookups answer into.
// While the message line is not empty it is shown in place of the scratchpad.
#pragma once

#include <cstddef>
#include <string>

inline std::string smiths_scratchpad;
inline std::string smiths_scratchpad_message;

// Every key stops adding at this length, so the pages' fixed text lines
// always hold the scratchpad.
inline constexpr std::size_t SCRATCHPAD_MAX_CHARS = 24;

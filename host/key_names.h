// Names a script may use for keys: the simulator key events of the module's
// own key table (`key LNAV` as well as `key 0x10337`), and the listing of
// every key name of the control units and key events that --help prints.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// A key event by its name in the module's table, in any case.
bool key_event_by_name(const std::string& name, uint32_t& id);

// The names of the CDU, GNS and MCU keys and the key events with their
// numbers, as lines of at most `width` characters.
std::string key_names_help(std::size_t width = 100);

} // namespace host

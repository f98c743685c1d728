// The script's `aircraft` commands, which set the stand-in aircraft's state
// and start it (see script.h), and the line that `print aircraft` shows.
#pragma once

#include <string>

namespace host {

// Checks one command (the text after "aircraft"); with apply set it also
// carries it out and starts the aircraft. False with a message on a bad
// command; nothing changes then.
bool aircraft_command(const std::string& text, bool apply, std::string& error);

// "lat 47.45000 lon 8.55000 hdg 090.0 ..." of the aircraft as it is now.
std::string describe_aircraft();

} // namespace host

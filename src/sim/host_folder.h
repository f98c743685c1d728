// Roots of every data path.
#pragma once

#include <string>

// The simulator's current directory; the gauges fill it on their first
// PRE_INITIALIZE. Every data file is opened as host_folder + "\\orvex\\...".
inline std::string host_folder;

// The aircraft model named by the first gauge parameter that is not a view
// name; names "\\orvex\\Aircraft\\<model>.cfg".
inline std::string aircraft_parameter;

// The key table shared by orvex.cfg and the aircraft configuration file.
#pragma once

#include <string>

enum class ConfigFile { Module, Aircraft };

// Applies every row of the table that the file accepts and whose key equals
// `key` without regard to case. Returns true when one matched.
bool apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value);

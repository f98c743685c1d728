// The key table shared by orvex.cfg and the aircraft configuration file.
#pragma once

#include <string>

enum class ConfigFile { Module, Aircraft };

// What a key line did: no row has its key, it was applied, or its value did
// not fit (fault says why) and the setting kept its value.
struct SettingResult {
    bool matched = false;
    std::string fault;
};

class FileLineCheck;
struct ConfigLine;
// Counts a key line as used, or as skipped with the key and why: an unknown
// key, or a value that does not fit.
void note_setting(FileLineCheck& check, const ConfigLine& line, const SettingResult& result);

// Applies every row of the table that the file accepts and whose key equals
// `key` without regard to case, when the value fits the row.
SettingResult apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value);

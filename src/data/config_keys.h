// The key table shared by orvex.cfg and the aircraft configuration file.
#pragma once

#include "data/config_line.h"

#include <string>
#include <utility>
#include <vector>

enum class ConfigFile { Module, Aircraft };

// What a key line did: no row has its key; it was applied; its value was no
// number (the line is no setting); or the value lies outside what its key
// stands for: told, with the setting kept (shown as kept) or the value taken
// as the kind's `taken` says.
struct SettingResult {
    bool matched = false;
    ValueFit fit;
    std::string used; // "18000 kept", "taken as written, on only at 1"
};

// A row's verdict on a value, applying it when it fits or the kind takes it.
SettingResult judge_setting(const std::string& value, const ValueKind& kind, const ShownSetting& shown,
                            void (*apply)(const std::string&));

class FileLineCheck;
// Counts a key line as used, or as skipped with the key and why: an unknown
// key, or a value that is no number. A value outside its key's range is told
// by line and key with what the module uses instead.
void note_setting(FileLineCheck& check, const ConfigLine& line, const SettingResult& result);

// Every row of the table the file accepts, by key and kind.
using SettingKinds = std::vector<std::pair<std::string, ValueKind>>;
SettingKinds shared_setting_kinds(ConfigFile file);

// Applies every row of the table that the file accepts and whose key equals
// `key` without regard to case, when the value fits the row.
SettingResult apply_shared_setting(ConfigFile file, const std::string& key, const std::string& value);

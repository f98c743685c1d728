// The stand-in's few process services that differ between Linux and Windows:
// where the program lies, absolute paths, making and entering folders.
#pragma once

#include <string>

namespace host {

// The module file looked for next to the program: "orvex1.so" or "orvex1.gau".
extern const char* const kDefaultModuleFile;

// The folder of the running program ("." when it cannot be found).
std::string program_directory();

// The path taken from the process's current directory.
std::string absolute_path(const std::string& path);

// Makes the folder (an existing one is fine); false with the system's reason.
bool make_folder(const std::string& path, std::string& reason);

// Makes the folder the process's current directory.
bool enter_folder(const std::string& path, std::string& reason);

} // namespace host

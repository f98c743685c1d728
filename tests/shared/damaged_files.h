// Four ways a data file arrives damaged: bytes that are no text, words
// where its numbers stood, cut off in the middle of a line, and empty.
#pragma once

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

struct FileDamage {
    const char* name;
    std::string (*apply)(const std::string& file);
};

inline const std::vector<FileDamage>& file_damages() {
    static const std::vector<FileDamage> damages = {
        {"binary",
         [](const std::string& file) {
             std::mt19937 random(static_cast<unsigned>(file.size()));
             std::string bytes(2000, '\0');
             for (std::size_t i = 1; i < bytes.size(); ++i)
                 bytes[i] = static_cast<char>(random() & 0xFF);
             return bytes;
         }},
        {"words",
         [](const std::string& file) {
             std::string words = file;
             for (char& c : words)
                 if (c >= '0' && c <= '9') c = 'x';
             return words;
         }},
        // Within the first word of the first data line from the middle on:
        // its reader cannot use what is left. (A line cut further on may still
        // be whole to its reader, as in a file saved without its last line end.)
        {"cut",
         [](const std::string& file) {
             std::size_t at = file.rfind('\n', file.size() / 2);
             at = at == std::string::npos ? 0 : at + 1;
             while (at < file.size() && !std::isalnum(static_cast<unsigned char>(file[at]))) {
                 const std::size_t next = file.find('\n', at);
                 at = next == std::string::npos ? file.size() : next + 1;
             }
             const std::size_t word = file.find_first_of(" \t=\r\n", at);
             const std::size_t length = (word == std::string::npos ? file.size() : word) - at;
             return file.substr(0, at + std::max<std::size_t>(1, length / 2));
         }},
        {"empty", [](const std::string&) { return std::string(); }},
    };
    return damages;
}

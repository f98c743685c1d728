// Four ways a data file arrives damaged: bytes that are no text, words
// where its numbers stood, cut off in the middle of a line, and empty.
#pragma once

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
        {"cut",
         [](const std::string& file) {
             std::size_t half = file.size() / 2;
             while (half > 0 && (file[half - 1] == '\n' || file[half - 1] == '\r'))
                 --half;
             return file.substr(0, half);
         }},
        {"empty", [](const std::string&) { return std::string(); }},
    };
    return damages;
}

// The record of every navigation table and nearby list.
#pragma once

#include <string>

struct NavRecord {
    std::string ident;
    std::string name;       // second token of the line (an airway fix: the fix again)
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
    std::string kind;       // "I" fix, "APT" airport, "V" VOR, "N" other navaid
    std::string extra;      // a navaid line's sixth token (its frequency)
    double number_1 = 0.0;  // free for the lists built from the tables
    double number_2 = 0.0;
    std::string text_1;
    std::string text_2;
    std::string elevation_text; // an airport line's third token
};

// The record of every navigation table and nearby list.
#pragma once

#include <string>
#include <utility>

// Kept small: the four navigation tables hold about half a million of them.
struct NavRecord {
    std::string ident;
    std::string name;           // second token of the line (an airway fix: the fix again)
    double latitude = 0.0;      // degrees, north positive
    double longitude = 0.0;     // degrees, east positive
    std::string kind;           // "I" fix, "APT" airport, "V" VOR, "N" other navaid
    std::string extra;          // a navaid line's sixth token (its frequency)
    std::string elevation_text; // an airport line's third token
};

// A record of the small work lists (candidates, nearest stations, direct-to
// list) with the two numbers and two texts those lists keep beside it, such
// as a distance and a bearing or an airway name. A table record converts to
// one with those left empty.
struct NavListRecord : NavRecord {
    double number_1 = 0.0;
    double number_2 = 0.0;
    std::string text_1;
    std::string text_2;

    NavListRecord() = default;
    NavListRecord(const NavRecord& record) : NavRecord(record) {}
    NavListRecord(NavRecord&& record) : NavRecord(std::move(record)) {}
};

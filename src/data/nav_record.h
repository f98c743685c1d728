// The record of every navigation table and nearby list.
#pragma once

#include <string>
#include <string_view>
#include <utility>

struct NavRecordView;

// A record with texts of its own: what the work lists and pages keep. The
// tables store theirs compactly (data/nav_table.h) and are read as views.
struct NavRecord {
    std::string ident;
    std::string name;           // second token of the line (an airway fix: the fix again)
    double latitude = 0.0;      // degrees, north positive
    double longitude = 0.0;     // degrees, east positive
    std::string kind;           // "I" fix, "APT" airport, "V" VOR, "N" other navaid
    std::string extra;          // a navaid line's sixth token (its frequency)
    std::string elevation_text; // an airport line's third token

    NavRecord() = default;
    explicit NavRecord(const NavRecordView& r);
};

// A record of a table or nearby list as read: the same fields, the texts
// viewed in the table's store. Valid until that table is next written.
struct NavRecordView {
    std::string_view ident;
    std::string_view name;
    double latitude = 0.0;
    double longitude = 0.0;
    std::string_view kind;
    std::string_view extra;
    std::string_view elevation_text;

    NavRecordView() = default;
    NavRecordView(const NavRecord& r)
        : ident(r.ident), name(r.name), latitude(r.latitude), longitude(r.longitude), kind(r.kind),
          extra(r.extra), elevation_text(r.elevation_text) {}
};

inline NavRecord::NavRecord(const NavRecordView& r)
    : ident(r.ident), name(r.name), latitude(r.latitude), longitude(r.longitude), kind(r.kind),
      extra(r.extra), elevation_text(r.elevation_text) {}

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
    explicit NavListRecord(const NavRecordView& record) : NavRecord(record) {}
};

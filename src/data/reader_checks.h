// What every file reader checks the same way: a position on the globe, a
// number field within what it can stand for, and how a table that is full is
// told.
#pragma once

#include <string>
#include <string_view>

// Finite, latitude within +-90 and longitude within +-180 degrees (NaN
// fails every comparison; inline for the half million records of a load).
inline bool on_globe(double latitude, double longitude) {
    return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}

// A position written as two tokens. Two empty tokens are no position (0, 0,
// as the files write "none"); otherwise both must be numbers, each token
// whole, on the globe: "nan", "inf", "47N", "1e308" and "-1qq.5" are not.
bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude);

// A field that is a number whole (parse_whole_number) within [low, high].
// value is set only when it is.
bool number_within(std::string_view text, double low, double high, double& value);

// What a number field of the data files can stand for. The bounds hold every
// value of the real world with room: a value beyond them (an elevation of
// 1e9 ft, a runway of -11000 ft, a course of 1e308) was written wrong or
// damaged, and would be shown or flown as it stands.
struct FieldRange {
    double low, high;
    const char* fault; // why a field is not taken
};
inline constexpr FieldRange kElevationFt{-1500.0, 30000.0, "elevation no number from -1500 to 30000 ft"};
inline constexpr FieldRange kRunwayLengthFt{0.0, 50000.0, "runway length no number from 0 to 50000 ft"};
inline constexpr FieldRange kDegrees{0.0, 360.0, "course no number from 0 to 360"};
// VOR and ILS frequencies (MHz), NDB frequencies (kHz).
inline constexpr FieldRange kVhfNavMhz{108.0, 118.0, "frequency no number from 108 to 118 MHz"};
inline constexpr FieldRange kNdbKhz{190.0, 1750.0, "frequency no number from 190 to 1750 kHz"};
// Procedure altitudes, in feet or as a flight level ("FL180").
inline constexpr FieldRange kAltitudeFt{-1500.0, 60000.0, "altitude no number from -1500 to 60000 ft"};
inline constexpr FieldRange kFlightLevel{0.0, 600.0, "altitude no flight level from FL0 to FL600"};
// The distance of a "fly until the DME distance" leg.
inline constexpr FieldRange kDmeDistanceNm{0.0, 200.0, "DME distance no number from 0 to 200 NM"};

// Null when the text is a number whole (parse_whole_number) within the range;
// else why not (range.fault).
const char* number_fault(std::string_view text, const FieldRange& range);

// As number_fault, for a text field that may hold a word ("---", "X"): only
// a text that begins as a number ("110.90x", "-5000") must be one whole.
const char* numeric_text_fault(std::string_view text, const FieldRange& range);

// A procedure leg's altitude text: empty, a word ("---"), or a number in feet
// or a flight level within range; a text that begins as a number ("-5000",
// "5000x") must be one whole. Null when it is.
const char* altitude_text_fault(std::string_view text);

// The numbers of a coded leg ("/RT/H070/IC030", "/T162/UD5.0", "/H162/UA"):
// a course or heading, an intercepted radial in degrees, a DME distance.
// Null when they are whole and in range.
const char* coded_leg_fault(std::string_view code);

// A line the reader had to cut at its length whose last token runs to the
// cut and is a number field of its record (tokens `first` to `last`, from 1):
// that number may have lost its end ("-123.1" of "-123.100001"), so no record
// is made of it. A cut within other text leaves the numbers whole.
bool cut_within_fields(std::string_view kept_line, bool cut, std::size_t first, std::size_t last);
inline constexpr const char* kFieldCut = "a field cut short by the line's length";

// A longitude as the files may write it east of the antimeridian, from 0 to
// 360: a value in (180, 360] is taken as the same meridian in -180 to 180.
double wrapped_longitude(double longitude);

// Why a record with a position off the globe is left out.
inline constexpr const char* kOffGlobe = "position off the globe";

// "N left out: the table of TABLE holds CAPACITY": a reader stopped adding
// because a table was full.
std::string table_full_note(int left_out, const std::string& table, int capacity);

// Position texts in the colon form "N47:26:58" / "W122:15:00", and the
// degrees, minutes and parts of a minute that every position text is cut
// from.
#pragma once

#include <string>

// A magnitude in degrees as whole degrees, whole minutes (0..59) and whole
// parts of a minute (0..parts_per_minute - 1: 60 gives seconds, 10 tenths),
// truncated and carried. A value that binary fractions hold a hair below a
// whole part (47.8 as 47.79999...) counts as that part. The sign is dropped;
// a value that is no number is 0, and degrees stop at the int range.
struct DegreesMinutes {
    long long degrees = 0;
    int minutes = 0;
    int parts = 0;
};
DegreesMinutes degrees_minutes(double degrees, int parts_per_minute);

// Formats a latitude and a longitude as hemisphere letter, degrees, minutes
// and seconds, each truncated. The longitude is taken west-positive (callers
// holding east-positive longitudes negate it). unit_mode kDmsDegrees: the
// values are degrees; any other value: radians.
inline constexpr int kDmsRadians = 0;
inline constexpr int kDmsDegrees = 1;
void format_lat_lon_dms(double lat, double lon, std::string* lat_text, std::string* lon_text, int unit_mode);

// Position texts in the colon form "N47:26:58" / "W122:15:00".
#pragma once

#include <string>

// Formats a latitude and a longitude as hemisphere letter, degrees, minutes
// and seconds, each truncated. The longitude is taken west-positive (callers
// holding east-positive longitudes negate it). unit_mode 1: the values are
// degrees; any other value: radians.
void format_lat_lon_dms(double lat, double lon, std::string* lat_text, std::string* lon_text, int unit_mode);

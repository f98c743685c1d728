// Position texts in degrees, minutes and seconds: "N47:26:58" and
// "W122:15:00", and the form of the simulator's flight-plan files
// "N47\xB0 26' 58.00".
#pragma once

#include <string>

// Reads "H dd:mm:ss" texts (latitude degrees two digits; longitude degrees
// three digits unless the fourth character is ':'). Each field is the
// decimal integer at its columns (leading blanks skipped, stops at a
// non-digit, missing columns give 0). Both results are 0 or above: the
// hemisphere letter is not applied.
void parse_dms_position(const std::string& lat_text, const std::string& lon_text, double* lat, double* lon);

// Formats both values as letter + degrees:minutes:seconds, each field at least
// two digits, seconds truncated. unit_mode 1: degrees, else radians. The
// letter comes from the sign: latitude "S" below 0, else "N"; longitude "E"
// below 0, else "W": longitudes are taken west-positive, so callers holding
// east-positive values negate them first.
void format_lat_lon_dms(double lat, double lon, std::string& lat_out, std::string& lon_out, int unit_mode);

// "N47:26:58" becomes "N47\xB0 26' 58.00" (the degree sign is the byte 0xB0).
void format_pln_position(const std::string& lat_text, const std::string& lon_text, std::string& lat_out,
                         std::string& lon_out);

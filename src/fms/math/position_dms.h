// Position texts of the simulator's flight plans: the colon form "N47:26:58"
// read back into degrees, and turned into the plan files' form
// "N47\xB0 26' 58.00". format_lat_lon_dms (fms/math/lat_lon_text.h) writes the
// colon form.
#pragma once

#include <string>

// Reads "H dd:mm:ss" texts (latitude degrees two digits; longitude degrees
// three digits unless the fourth character is ':'). Each field is the
// decimal integer at its columns (leading blanks skipped, stops at a
// non-digit, missing columns give 0). Both results are 0 or above: the
// hemisphere letter is not applied.
void parse_dms_position(const std::string& lat_text, const std::string& lon_text, double* lat, double* lon);

// "N47:26:58" becomes "N47\xB0 26' 58.00" (the degree sign is the byte 0xB0).
void format_pln_position(const std::string& lat_text, const std::string& lon_text, std::string& lat_out,
                         std::string& lon_out);

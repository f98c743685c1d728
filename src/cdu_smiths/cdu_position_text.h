// Positions as the POS and REF NAV DATA pages show them: hemisphere,
// degrees, whole minutes and tenths of a minute ("N47°26.9", "W122°25.5";
// the degree sign is byte 0xB0).
#pragma once

#include <string>

// 8 characters: hemisphere N or S, two degree digits.
std::string cdu_latitude_text(double lat);
// 9 characters: hemisphere E or W (0 is W), three degree digits. The
// longitude is east-positive.
std::string cdu_longitude_text(double lon);

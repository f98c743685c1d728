// Radio autotune: NAV 1 or the ADF to the navaid of the route ahead, or NAV 1
// to the runway selected on a control unit's airport page, with the NAV 1
// course; and the radios' frequency codes.
#pragma once

#include <cstdint>
#include <string>

// What autotune_leg_radios tunes to; other modes do nothing.
inline constexpr int kAutotuneNone = 0;
inline constexpr int kAutotuneSelectedRunway = 1; // the runway selected on the airport page
inline constexpr int kAutotuneRouteAhead = 2;     // the route ahead (needs an active route)
void autotune_leg_radios(int mode);

// The NAV 1 frequency key event's code: every digit of the frequency in
// hundredths, re-encoded in base 16 ("110.30" gives 0x11030). 0 for a text
// that is no frequency of 100.00 to 199.99 MHz.
uint32_t nav_frequency_bcd(const std::string& text);
// An ADF frequency text read to its first non-digit, in BCD ("375" gives
// 0x375); 0 when it has no digits.
uint32_t adf_frequency_bcd(const std::string& text);

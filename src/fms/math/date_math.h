// Month and day from a day of the year, for the display pages.
#pragma once

#include <string>

// Results of day_of_year_to_date, read by the pages right after the call.
extern std::string date_month_text; // "JAN" .. "DEC"
extern int date_month_number;       // 1 .. 12
extern int date_day;                // 1 .. 31

// True for Gregorian leap years.
bool is_leap_year(int year);

// Day of the year counted from 1 (1 = 1 January), as the simulator gives it,
// in the given year. A day outside the year leaves the three results as they
// were.
void day_of_year_to_date(int day, int year);

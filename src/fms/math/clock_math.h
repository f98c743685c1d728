// Times as the pages and displays show them: whole hours and whole minutes,
// rounded so that the minutes never read 60, and clock times that carry and
// wrap.
#pragma once

struct HoursMinutes {
    double hours = 0.0;
    double minutes = 0.0;
};

// A time in minutes as hours and minutes: the minutes rounded first, and 60
// of them carried into the hours (119.6 minutes is 2 h 0 min).
HoursMinutes hours_minutes(double minutes);

// The clock time a span after hours:minutes, 60 minutes carried into the
// hours and a full day wrapped (23:50 and 0:10 is 00:00).
HoursMinutes clock_after(double hours, double minutes, HoursMinutes span);

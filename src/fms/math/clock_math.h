// Times as the pages and displays show them: whole hours and minutes, carried
// at 60 minutes so that no page reads :60, and clock readings wrapped at 24 h.
// Each page says how its minutes drop what they cannot show.
#pragma once

enum class Rounding {
    Nearest, // to the whole minute: for minutes printed with "%02.0f"
    Down,    // down to the tenth: whole minutes and the tenths digit beside them
};

struct HoursMinutes {
    double hours = 0.0;
    double minutes = 0.0; // whole, 0..59
    double tenths = 0.0;  // 0..9 when rounded down, else 0
};

// A span of minutes as hours and minutes: rounded first, then 60 minutes
// carried into the hours (119.6 minutes is 2 h 0 min to the nearest minute,
// 1 h 59.6 min down). A negative or non-finite span is 0.
HoursMinutes hours_minutes(double minutes, Rounding rounding = Rounding::Nearest);

// The clock reading a span after hours:minutes, rounded as the span's page
// rounds, carried and with whole days taken off (23:50 and 0:10 is 00:00).
HoursMinutes clock_after(double hours, double minutes, HoursMinutes span,
                         Rounding rounding = Rounding::Nearest);

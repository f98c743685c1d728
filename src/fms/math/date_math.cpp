#include "fms/math/date_math.h"

std::string date_month_text;
int date_month_number = 0;
int date_day = 0;

bool is_leap_year(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void day_of_year_to_date(int day, int year) {
    static const char* const month_names[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    int month_days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (is_leap_year(year)) month_days[1] = 29;

    if (day < 1) return;
    int days_before = 0;
    for (int month = 0; month < 12; ++month) {
        if (day <= days_before + month_days[month]) {
            date_month_text = month_names[month];
            date_month_number = month + 1;
            date_day = day - days_before;
            return;
        }
        days_before += month_days[month];
    }
}

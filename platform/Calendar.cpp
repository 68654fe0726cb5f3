#include "platform/Calendar.h"

namespace os {

namespace {
const long long SecondsPerDay = 86400;

bool IsLeapYear(long long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
} // namespace

BOOL gmtime(long long t, tm* result) {
    if (t < 0)
        return 0;
    long long days = t / SecondsPerDay;
    long long seconds = t % SecondsPerDay;
    result->tm_hour = static_cast<int>(seconds / 3600);
    result->tm_min = static_cast<int>(seconds % 3600 / 60);
    result->tm_sec = static_cast<int>(seconds % 60);
    result->tm_wday = static_cast<int>((days + 4) % 7); // 1 January 1970 was a Thursday
    long long year = 1970;
    for (;;) {
        long long daysInYear = IsLeapYear(year) ? 366 : 365;
        if (days < daysInYear)
            break;
        days -= daysInYear;
        ++year;
    }
    result->tm_year = static_cast<int>(year - 1900);
    result->tm_yday = static_cast<int>(days);
    static const int daysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    for (;; ++month) {
        int length = daysInMonth[month] + (month == 1 && IsLeapYear(year) ? 1 : 0);
        if (days < length)
            break;
        days -= length;
    }
    result->tm_mon = month;
    result->tm_mday = static_cast<int>(days) + 1;
    result->tm_isdst = 0;
    return 1;
}

} // namespace os

#include "platform/sim/Times.h"

#include <stdio.h>

#include <stdexcept>

namespace sim {

namespace {

// Days from 1 January 1601 to 1 January 1970.
const long long DaysFrom1601To1970 = 134774;
const long long SecondsPerDay = 86400;

// Days since 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* year, int* month, int* day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(y + (*month <= 2));
}

} // namespace

FileTime FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
    long long seconds = DaysFromCivil(year, month, day) * SecondsPerDay + hour * 3600LL +
                        minute * 60LL + second;
    return FileTimeFromUnixTime(seconds);
}

long long UnixTimeFromFileTime(FileTime time) {
    return static_cast<long long>(time / FileTimeTicksPerSecond) -
           DaysFrom1601To1970 * SecondsPerDay;
}

FileTime FileTimeFromUnixTime(long long seconds) {
    return static_cast<FileTime>(seconds + DaysFrom1601To1970 * SecondsPerDay) *
           FileTimeTicksPerSecond;
}

std::string FormatFileTime(FileTime time) {
    if (time == NoFileTime)
        return "none";
    long long seconds = UnixTimeFromFileTime(time);
    long long days = seconds / SecondsPerDay;
    long long rest = seconds % SecondsPerDay;
    if (rest < 0) {
        rest += SecondsPerDay;
        --days;
    }
    int year, month, day;
    CivilFromDays(days, &year, &month, &day);
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day,
             static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
             static_cast<int>(rest % 60));
    return text;
}

FileTime ParseFileTime(const std::string& text) {
    if (text == "none")
        return NoFileTime;
    int year, month, day, hour = 0, minute = 0, second = 0;
    char tail = 0;
    int fields = sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour,
                        &minute, &second, &tail);
    if ((fields != 3 && fields != 6) || month < 1 || month > 12 || day < 1 || day > 31)
        throw std::invalid_argument("not a time (YYYY-MM-DD HH:MM:SS or none): " + text);
    return FileTimeFromUtc(year, month, day, hour, minute, second);
}

} // namespace sim

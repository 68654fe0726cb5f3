// Times of the simulated machine.
//
// File times are Windows file times: 100-nanosecond intervals since 1 January 1601, UTC. The
// value 0 means "no time kept" (a file system that records no creation time). The machine
// runs in UTC: local time and UTC are the same.
#pragma once

#include <stdint.h>

#include <string>

namespace sim {

typedef uint64_t FileTime;

const FileTime NoFileTime = 0;
const FileTime FileTimeTicksPerMillisecond = 10000;
const FileTime FileTimeTicksPerSecond = 10000000;

// The file time of a UTC calendar date (month 1 to 12).
FileTime FileTimeFromUtc(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0);

// Seconds since 1 January 1970 UTC; negative before 1970.
long long UnixTimeFromFileTime(FileTime time);
FileTime FileTimeFromUnixTime(long long seconds);

// "YYYY-MM-DD HH:MM:SS" (UTC, whole seconds) and back; "none" stands for NoFileTime.
std::string FormatFileTime(FileTime time);
// Throws std::invalid_argument for text that is neither form.
FileTime ParseFileTime(const std::string& text);

} // namespace sim

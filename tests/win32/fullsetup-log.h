// The shared log of the full-setup test programs: one line per event, appended to
// C:\fullsetup.log as "TICK WHO: WHAT", where TICK is GetTickCount. Each line is written
// with its own open and close, so that several programs can append in turn.
#pragma once

#include <windows.h>

#include <stdio.h>

namespace fullsetuplog {

const char* const LogPath = "C:\\fullsetup.log";

inline void Line(const char* who, const char* what) {
    FILE* log = fopen(LogPath, "ab");
    if (!log)
        return;
    fprintf(log, "%lu %s: %s\r\n", static_cast<unsigned long>(GetTickCount()), who, what);
    fclose(log);
}

// "started COMMAND LINE in CURRENT DIRECTORY"
inline void Started(const char* who) {
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    char text[4096];
    snprintf(text, sizeof text, "started %s in %s", GetCommandLineA(), directory);
    Line(who, text);
}

} // namespace fullsetuplog

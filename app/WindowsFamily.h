// The Windows family the program runs on, from the system's version information.
#pragma once

enum WindowsFamily { Windows95, Windows98, WindowsNT, WindowsOther };

// The version test: platform 1 with minor version 0 is Windows 95, platform 1 with any
// other minor version Windows 98 (ME included), platform 2 Windows NT whatever its version,
// anything else other.
WindowsFamily GetWindowsFamily();

// Every decision of the program treats Windows 95 and Windows 98 alike.
inline bool IsWindows9x(WindowsFamily family) {
    return family == Windows95 || family == Windows98;
}

#include "app/WindowsFamily.h"

#include "platform/Process.h"
#include "platform/WinDefs.h"

namespace {
const os::DWORD FullVersionInfoSize = sizeof(os::OSVERSIONINFOA); // 148 bytes
const os::DWORD Windows95MinorVersion = 0;
} // namespace

WindowsFamily GetWindowsFamily() {
    os::OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = FullVersionInfoSize;
    os::GetVersionExA(&info); // the program assumes the query succeeds
    if (info.dwPlatformId == os::VER_PLATFORM_WIN32_WINDOWS)
        return info.dwMinorVersion == Windows95MinorVersion ? Windows95 : Windows98;
    if (info.dwPlatformId == os::VER_PLATFORM_WIN32_NT)
        return WindowsNT;
    return WindowsOther;
}

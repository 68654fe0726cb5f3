// Processes, the system version, time and the restart request over the Windows API.
#include <windows.h>

#include "platform/Process.h"
#include "platform/win32/Runtime.h"

namespace os {

static_assert(sizeof(os::PROCESS_INFORMATION) == sizeof(::PROCESS_INFORMATION),
              "PROCESS_INFORMATION is handed to Windows as it is");
static_assert(sizeof(os::OSVERSIONINFOA) == sizeof(::OSVERSIONINFOA),
              "OSVERSIONINFOA is handed to Windows as it is");

const char* GetCommandLineA() { return ::GetCommandLineA(); }

BOOL CreateProcessA(const char* commandLine, WORD showWindow, PROCESS_INFORMATION* info) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    // Windows NT may write into the command line while it parses it: hand it a copy.
    CString command(commandLine);
    return ::CreateProcessA(nullptr, command.GetBuffer(command.GetLength()), nullptr, nullptr,
                            FALSE, 0, nullptr, nullptr, &startup,
                            reinterpret_cast<::PROCESS_INFORMATION*>(info));
}

DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds) {
    return ::WaitForInputIdle(process, milliseconds);
}

BOOL GetExitCodeProcess(HANDLE process, DWORD* exitCode) {
    ::DWORD code = 0;
    ::BOOL done = ::GetExitCodeProcess(process, &code);
    *exitCode = code;
    return done;
}

BOOL CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    return ::GetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(info));
}

HMODULE GetModuleHandleA(const char* moduleName) {
    return reinterpret_cast<HMODULE>(::GetModuleHandleA(moduleName));
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<FARPROC>(
        ::GetProcAddress(reinterpret_cast<::HMODULE>(module), name));
}

void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }
DWORD GetTickCount() { return ::GetTickCount(); }

BOOL ExitWindowsEx(UINT flags, DWORD reserved) { return ::ExitWindowsEx(flags, reserved); }

void exit(int code) { win32::ExitProgram(code); }

} // namespace os

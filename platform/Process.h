// Processes, the system version, time, the restart request and the end of the process.
#pragma once

#include "platform/WinTypes.h"

namespace os {

// The process's command line, program name included, as Windows gives it.
const char* GetCommandLineA();

// Starts commandLine (the program and its arguments; no separate application name) with the
// caller's environment and current directory, no inherited handles, and startup
// information that only sets the show-window value.
BOOL CreateProcessA(const char* commandLine, WORD showWindow, PROCESS_INFORMATION* info);
DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds);
BOOL GetExitCodeProcess(HANDLE process, DWORD* exitCode);
BOOL CloseHandle(HANDLE handle);

BOOL GetVersionExA(OSVERSIONINFOA* info);

HMODULE GetModuleHandleA(const char* moduleName);
FARPROC GetProcAddress(HMODULE module, const char* name);

void Sleep(DWORD milliseconds);
DWORD GetTickCount();

// Asks Windows to restart; the process goes on running.
BOOL ExitWindowsEx(UINT flags, DWORD reserved);

// Ends the process with code: static objects are destroyed, then the process ends.
[[noreturn]] void exit(int code);

} // namespace os

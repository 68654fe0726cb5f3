// Processes, version, time, the restart request and the end of the process over the
// simulated machine.
#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "platform/sim/Errors.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProcessExit.h"

namespace {

using sim::Machine;

const char Kernel32Name[] = "KERNEL32";
const char Kernel32FileName[] = "KERNEL32.DLL";
const char FreeSpaceExName[] = "GetDiskFreeSpaceExA";
const uintptr_t Kernel32Handle = 0xBFF70000; // where Windows 95/98 load it

// The address GetProcAddress gives for GetDiskFreeSpaceExA; only CallGetDiskFreeSpaceExA
// calls through it.
void FreeSpaceExEntry() {}

} // namespace

namespace os {

const char* GetCommandLineA() { return sim::Current().commandLine.c_str(); }

BOOL CreateProcessA(const char* commandLine, WORD, PROCESS_INFORMATION* info) {
    Machine& machine = sim::Current();
    std::string command = commandLine ? commandLine : "";
    if (machine.Fails("CreateProcessA", command, ERROR_FILE_NOT_FOUND))
        return FALSE;
    sim::Process* process = nullptr;
    if (LONG error = machine.StartProcess(command, machine.currentDirectory, "", &process)) {
        machine.lastError = static_cast<DWORD>(error);
        return FALSE;
    }
    info->hProcess = machine.ProcessHandle(*process);
    info->hThread = machine.ThreadHandle(*process);
    info->dwProcessId = process->id;
    info->dwThreadId = process->id + 1;
    return TRUE;
}

// A program with a message queue is idle once it waits for input (from its behaviour's idle
// time on); the call then returns at once. A console program has no queue: WAIT_FAILED at
// once. A program that has ended: 0 at once. Every call takes WaitForInputIdleCostMs on the
// clock, so a loop that polls with it always gets on.
DWORD WaitForInputIdle(HANDLE handle, DWORD milliseconds) {
    Machine& machine = sim::Current();
    machine.CountPoll();
    sim::Process* process = machine.FindProcess(handle);
    if (!process) {
        machine.lastError = ERROR_INVALID_HANDLE;
        return WAIT_FAILED;
    }
    ++process->waitForInputIdleCalls;
    if (machine.Fails("WaitForInputIdle", process->commandLine, ERROR_INVALID_HANDLE))
        return WAIT_FAILED;
    machine.Advance(0);
    if (!process->running) {
        machine.Advance(sim::WaitForInputIdleCostMs);
        return 0;
    }
    if (process->behaviour.console) {
        machine.Advance(sim::WaitForInputIdleCostMs);
        machine.lastError = ERROR_INVALID_HANDLE;
        return WAIT_FAILED;
    }
    uint64_t idleAt = process->startedAt + process->behaviour.idleAfter;
    uint64_t now = machine.TickCount();
    if (now >= idleAt) {
        machine.Advance(sim::WaitForInputIdleCostMs);
        return 0;
    }
    uint64_t wait = std::min<uint64_t>(idleAt - now, milliseconds);
    machine.Advance(std::max<uint64_t>(wait, sim::WaitForInputIdleCostMs));
    return (!process->running || machine.TickCount() >= idleAt) ? 0 : WAIT_TIMEOUT;
}

BOOL GetExitCodeProcess(HANDLE handle, DWORD* exitCode) {
    Machine& machine = sim::Current();
    machine.CountPoll();
    sim::Process* process = machine.FindProcess(handle);
    if (!process) {
        machine.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    ++process->exitCodeQueries;
    if (machine.Fails("GetExitCodeProcess", process->commandLine, ERROR_INVALID_HANDLE))
        return FALSE;
    machine.Advance(0);
    *exitCode = process->running ? STILL_ACTIVE : process->exitCode;
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    Machine& machine = sim::Current();
    if (!machine.CloseProcessHandle(handle)) {
        machine.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    return TRUE;
}

// The structure's size must be that of OSVERSIONINFOA. Windows 95/98 put the major and minor
// version into the high word of the build number.
BOOL GetVersionExA(OSVERSIONINFOA* info) {
    Machine& machine = sim::Current();
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        machine.lastError = sim::ErrorInsufficientBuffer;
        return FALSE;
    }
    if (machine.Fails("GetVersionExA", "", sim::ErrorInsufficientBuffer))
        return FALSE;
    const sim::Version& v = machine.version;
    info->dwMajorVersion = v.major;
    info->dwMinorVersion = v.minor;
    info->dwPlatformId = v.platformId;
    info->dwBuildNumber = machine.IsNtFamily()
                              ? v.build
                              : ((v.major & 0xFF) << 24) | ((v.minor & 0xFF) << 16) |
                                    (v.build & 0xFFFF);
    size_t n = std::min(v.csdVersion.size(), sizeof(info->szCSDVersion) - 1);
    v.csdVersion.copy(info->szCSDVersion, n);
    info->szCSDVersion[n] = '\0';
    return TRUE;
}

HMODULE GetModuleHandleA(const char* moduleName) {
    std::string name = moduleName ? moduleName : "";
    if (sim::SameName(name, Kernel32Name) || sim::SameName(name, Kernel32FileName))
        return reinterpret_cast<HMODULE>(Kernel32Handle);
    sim::Current().lastError = 126; // ERROR_MOD_NOT_FOUND
    return nullptr;
}

// Names are matched exactly, as GetProcAddress does. Of kernel32 only GetDiskFreeSpaceExA is
// known, and only where the machine has it (not on the first Windows 95).
FARPROC GetProcAddress(HMODULE module, const char* name) {
    Machine& machine = sim::Current();
    if (module == reinterpret_cast<HMODULE>(Kernel32Handle) && name &&
        std::string(name) == FreeSpaceExName && machine.hasGetDiskFreeSpaceEx &&
        !machine.Fails("GetProcAddress", name, 127))
        return &FreeSpaceExEntry;
    machine.lastError = 127; // ERROR_PROC_NOT_FOUND
    return nullptr;
}

void Sleep(DWORD milliseconds) { sim::Current().Advance(milliseconds); }

DWORD GetTickCount() { return static_cast<DWORD>(sim::Current().TickCount()); }

// The request is recorded and accepted; the machine restarts only when a test calls
// Machine::Restart.
BOOL ExitWindowsEx(UINT flags, DWORD) {
    Machine& machine = sim::Current();
    if (machine.Fails("ExitWindowsEx", "", 1314)) // ERROR_PRIVILEGE_NOT_HELD
        return FALSE;
    machine.RequestRestart(flags);
    return TRUE;
}

void exit(int code) { throw sim::ProcessExit{code}; }

} // namespace os

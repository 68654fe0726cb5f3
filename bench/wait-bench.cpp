// wait-bench: what the full setup's waits for the applications' setup program cost, under
// Windows or Wine. It starts fullsetup-appsetup.exe (its options beside it: a window for
// 10 s, then RUNNING=1 and a second process that sets RUNNING=0 2 s later), writes RUNNING=0
// as the setup dialog does, and waits for the process and then the handshake, once with
// each loop:
//   unpaced  WaitForInputIdle and the check, repeated at once: the waits as first written
//   paced    PollProcessWhile (setupdlg/ProcessWait.h), as the program waits now
// For each it prints the wall time of the wait, the processor time this program used in it
// (user + kernel, and as a share of one processor), and how long after RUNNING turned 0 it
// went on.
//
//   wait-bench.exe PATH\fullsetup-appsetup.exe [unpaced|paced]...
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "setupdlg/Handshake.h"
#include "setupdlg/ProcessWait.h"

namespace win32 {
void ExitProgram(int code) { ::exit(code); }
} // namespace win32

namespace {

const char* const ZeroAtKey = "ZeroAtTick"; // written by the second process before the 0
const DWORD FileTimeUnitsPerMs = 10000;

ULONGLONG ProcessorTimeMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / FileTimeUnitsPerMs;
}

// The waits as first written: nothing but WaitForInputIdle spaces the passes.
void WaitUnpaced(HANDLE process, const char* handshakeFile) {
    DWORD exitCode;
    do {
        WaitForInputIdle(process, InputIdleLimitMs);
        GetExitCodeProcess(process, &exitCode);
    } while (exitCode == STILL_ACTIVE);
    UINT running;
    do {
        WaitForInputIdle(process, InputIdleLimitMs);
        running = GetPrivateProfileIntA(HandshakeSection, HandshakeRunningKey, 0, handshakeFile);
    } while (running != 0);
}

void WaitPaced(HANDLE process, const char* handshakeFile) {
    WaitForProcessEnd(process);
    WaitForHandshake(process, handshakeFile);
}

int Run(const char* program, const char* mode) {
    const CString handshake = HandshakeFilePath();
    WritePrivateProfileStringA(HandshakeSection, ZeroAtKey, nullptr, handshake);
    char command[MAX_PATH + 1];
    snprintf(command, sizeof command, "%s", program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started;
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        fprintf(stderr, "wait-bench: cannot start %s\n", program);
        return 1;
    }
    ClearHandshakeRunning(handshake);

    const DWORD startTick = GetTickCount();
    const ULONGLONG startCpu = ProcessorTimeMs();
    if (strcmp(mode, "unpaced") == 0)
        WaitUnpaced(started.hProcess, handshake);
    else
        WaitPaced(started.hProcess, handshake);
    const DWORD endTick = GetTickCount();
    const ULONGLONG cpu = ProcessorTimeMs() - startCpu;

    const DWORD wall = endTick - startTick;
    const DWORD zeroAt = GetPrivateProfileIntA(HandshakeSection, ZeroAtKey, 0, handshake);
    printf("%-8s wait %6lu ms  processor %6lu ms (%5.1f%% of one)  on %4ld ms after RUNNING=0\n",
           mode, static_cast<unsigned long>(wall), static_cast<unsigned long>(cpu),
           wall ? 100.0 * static_cast<double>(cpu) / wall : 0.0,
           static_cast<long>(endTick - zeroAt));
    fflush(stdout);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: wait-bench PATH\\fullsetup-appsetup.exe unpaced|paced...\n");
        return 2;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i)
        failures += Run(argv[1], argv[i]);
    return failures ? 1 : 0;
}
